#include "customui/iwindowplace.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

// QWidget::destroy is protected: reached through a class that makes it public.
struct WidgetAccess : QWidget
{
    using QWidget::destroy;
};

void dropNativeWindow(QWidget* window)
{
    if (!window->testAttribute(Qt::WA_WState_Created))
        return;
    void (QWidget::*destroy)(bool, bool) = &WidgetAccess::destroy;
    (window->*destroy)(true, true);
}

// A connection of our own to the program's X server, to read where a window really is;
// none on other platforms.
xcb_connection_t* xConnection()
{
    static xcb_connection_t* connection = []() -> xcb_connection_t* {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return nullptr;
        xcb_connection_t* c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(c)) {
            xcb_disconnect(c);
            return nullptr;
        }
        return c;
    }();
    return connection;
}

template <class T>
using XReply = std::unique_ptr<T, decltype(&std::free)>;

// Where the server has a window, in its pixels.
struct XPlace
{
    xcb_window_t id = XCB_NONE;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int border = 0;

    bool operator==(const XPlace& o) const
    {
        return id == o.id && x == o.x && y == o.y && width == o.width && height == o.height;
    }
    bool operator!=(const XPlace& o) const { return !(*this == o); }
};

XPlace readPlace(QWidget* window)
{
    xcb_connection_t* c = xConnection();
    if (!c || !window->testAttribute(Qt::WA_WState_Created))
        return XPlace();
    const auto id = xcb_window_t(window->winId());
    const XReply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr),
                                                    &std::free);
    if (!geometry)
        return XPlace();
    const XReply<xcb_translate_coordinates_reply_t> place(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, geometry->root, 0, 0), nullptr),
        &std::free);
    if (!place)
        return XPlace();
    return XPlace{id, place->dst_x, place->dst_y, geometry->width, geometry->height, geometry->border_width};
}

// Tells Qt where the server has a window, as a window manager does with a synthetic
// configure notice: Qt takes such a notice's place as it stands, and the screen with it.
// Where Qt already knew it, nothing changes.
void tellPlace(const XPlace& place)
{
    xcb_connection_t* c = xConnection();
    if (!c || place.id == XCB_NONE)
        return;
    xcb_configure_notify_event_t notice = {};
    notice.response_type = XCB_CONFIGURE_NOTIFY;
    notice.event = place.id;
    notice.window = place.id;
    notice.above_sibling = XCB_NONE;
    notice.x = int16_t(place.x);
    notice.y = int16_t(place.y);
    notice.width = uint16_t(place.width);
    notice.height = uint16_t(place.height);
    notice.border_width = uint16_t(place.border);
    xcb_send_event(c, false, place.id, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char*>(&notice));
    xcb_flush(c);
}

// After a window is mapped its manager may still move its frame, unseen by Qt: the
// place is read again after these times (ms) and told once it has held still.
const int kLooks[] = {50, 150, 400, 1000};

class WindowPlaceKeeper : public QObject
{
public:
    explicit WindowPlaceKeeper(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && m_window->isWindow() && !event->spontaneous()) {
            if (event->type() == QEvent::Show) {
                // Its native window is new: watched until the window manager has mapped it.
                if (QWindow* native = m_window->windowHandle()) {
                    native->installEventFilter(this);
                    m_mapping = native;
                }
                m_shownAt = m_window->frameGeometry();
                m_shown.start();
                m_putBack = false;
            } else if (event->type() == QEvent::Move) {
                // Where the program itself puts it is where it belongs from then on.
                m_shownAt.moveTopLeft(m_window->frameGeometry().topLeft());
            } else if (event->type() == QEvent::Hide) {
                // Not while the hide is still under way, and not if shown again meanwhile.
                QTimer::singleShot(0, this, [this] {
                    if (m_window->isWindow() && m_window->isHidden())
                        dropNativeWindow(m_window);
                });
            }
        } else if (watched == m_window && event->type() == QEvent::Move && movedToOtherScreen()) {
            // Qt acts on a misreading too (a message box sizes itself for the other
            // screen and moves there): put back once. Within one screen a window manager
            // may place windows its own way.
            m_putBack = true;
            QTimer::singleShot(0, this, [this] {
                if (m_window->isVisible())
                    m_window->move(m_shownAt.topLeft());
            });
        } else if (watched == m_mapping && event->type() == QEvent::Expose && m_mapping->isExposed()) {
            m_mapping->removeEventFilter(this);
            m_mapping = nullptr;
            m_seen = readPlace(m_window);
            m_told = XPlace();
            look(0);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Reported, just after showing, on another screen than the one it was shown on.
    bool movedToOtherScreen() const
    {
        if (m_putBack || !m_shown.isValid() || m_shown.elapsed() > 1500 || !m_window->isWindow())
            return false;
        const QScreen* shownOn = QGuiApplication::screenAt(m_shownAt.center());
        return shownOn && QGuiApplication::screenAt(m_window->frameGeometry().center()) != shownOn;
    }

    void look(int index)
    {
        if (index >= int(sizeof kLooks / sizeof kLooks[0]))
            return;
        const int wait = kLooks[index] - (index > 0 ? kLooks[index - 1] : 0);
        QTimer::singleShot(wait, this, [this, index] {
            if (!m_window->isVisible())
                return;
            const XPlace now = readPlace(m_window);
            if (now.id == XCB_NONE || now.id != m_seen.id)
                return;
            if (now == m_seen && now != m_told) {
                tellPlace(now);
                m_told = now;
            }
            m_seen = now;
            look(index + 1);
        });
    }

    QWidget* m_window;
    QPointer<QWindow> m_mapping;
    XPlace m_seen;
    XPlace m_told;
    QRect m_shownAt;
    QElapsedTimer m_shown;
    bool m_putBack = false;
};

}

void keepWindowWhereShown(QWidget* window)
{
    if (!window)
        return;
    for (QObject* child : window->children())
        if (dynamic_cast<WindowPlaceKeeper*>(child))
            return;
    new WindowPlaceKeeper(window);
}

void settleSizeUnseen(QWidget* window)
{
    window->setAttribute(Qt::WA_DontShowOnScreen, true);
    window->show();
    window->hide();
    window->setAttribute(Qt::WA_DontShowOnScreen, false);
    dropNativeWindow(window);
}
