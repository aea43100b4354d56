#include "customui/iwindowplace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformscreen.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

// Each part below can be turned off for a test run (OCUMETRA_WINDOW_PLACE_OFF=screen,...)
// to show which test needs it.
bool partOn(const char* name)
{
    static const QByteArrayList off = qgetenv("OCUMETRA_WINDOW_PLACE_OFF").split(',');
    return !off.contains(name);
}

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

// Qt's own connection to the X server; none on other platforms.
xcb_connection_t* xConnection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    return native ? static_cast<xcb_connection_t*>(native->nativeResourceForIntegration("connection")) : nullptr;
}

template <class T>
using XReply = std::unique_ptr<T, decltype(&std::free)>;

// Where the server has window's top left, in its (native) pixels; null when unknown.
QPoint serverPlace(QWidget* window)
{
    xcb_connection_t* c = xConnection();
    if (!c)
        return QPoint();
    const auto id = xcb_window_t(window->winId());
    const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const XReply<xcb_translate_coordinates_reply_t> place(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, root->root, 0, 0), nullptr), &std::free);
    return place ? QPoint(place->dst_x, place->dst_y) : QPoint();
}

// The screen a top-level window is placed on by the program: the one under its middle.
QScreen* placedOn(const QWidget* window)
{
    return QGuiApplication::screenAt(window->geometry().center());
}

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
            if (event->type() == QEvent::Show)
                shown();
            else if (event->type() == QEvent::Hide && partOn("drop"))
                // Not while the hide is still under way, and not if shown again meanwhile.
                QTimer::singleShot(0, this, [this] {
                    if (m_window->isWindow() && m_window->isHidden())
                        dropNativeWindow(m_window);
                });
        } else if (watched == m_mapping && event->type() == QEvent::Expose && m_mapping->isExposed()) {
            m_mapping->removeEventFilter(this);
            m_mapping = nullptr;
            firstExposed();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // Sent before the native window is mapped.
    void shown()
    {
        QWindow* native = m_window->windowHandle();
        if (!native)
            return;
        m_placedAt = m_window->pos();
        m_placedOn = placedOn(m_window);
        // A native window kept from an earlier showing keeps the screen Qt last took it
        // for: given the one it is placed on, it is mapped at that screen's scale.
        if (partOn("screen") && m_placedOn && native->screen() != m_placedOn)
            native->setScreen(m_placedOn);
        native->installEventFilter(this);
        m_mapping = native;
    }

    // Qt takes a window's place from the server when the window manager frames it, and
    // may read the frame's first place (the desktop's corner): the window is then taken
    // for one on that monitor and drawn at its scale. Only that misreading is undone.
    void firstExposed()
    {
        QWindow* native = m_window->windowHandle();
        if (!native || !m_placedOn || native->screen() == m_placedOn)
            return;
        if (partOn("xread")) {
            // Where the server has it tells a misreading from a window manager's own choice.
            const QPoint real = serverPlace(m_window);
            if (!real.isNull() && !m_placedOn->handle()->geometry().contains(real))
                return;
        }
        if (partOn("correct"))
            // Asked to move there, the window manager tells Qt where it has the window.
            m_window->move(m_placedAt);
    }

    QWidget* m_window;
    QPointer<QWindow> m_mapping;
    QPoint m_placedAt;
    QPointer<QScreen> m_placedOn;
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
