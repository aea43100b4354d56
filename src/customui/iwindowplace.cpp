#include "customui/iwindowplace.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <xcb/xcb.h>

namespace {

// Each part below can be turned off for a test run (OCUMETRA_WINDOW_PLACE_OFF=drop,correct)
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

class WindowPlaceKeeper : public QObject, public QAbstractNativeEventFilter
{
public:
    explicit WindowPlaceKeeper(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~WindowPlaceKeeper() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    // Only the window manager sends a ConfigureNotify (marked as sent): where it says the
    // window is, Qt reads it, and nothing read afterwards is Qt's own misreading.
    bool nativeEventFilter(const QByteArray& type, void* message, long*) override
    {
        if (!m_watching || type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (event->response_type == (XCB_CONFIGURE_NOTIFY | 0x80)
            && reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window == m_watched)
            m_watching = false;
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && m_window->isWindow() && !event->spontaneous()) {
            if (event->type() == QEvent::Show)
                shown();
            else if (event->type() == QEvent::Hide) {
                m_watching = false;
                if (partOn("drop"))
                    // A native window kept for the next showing keeps the place the window
                    // manager left it at on hiding, where it is mapped again. Not while the
                    // hide is still under way, and not if shown again meanwhile.
                    QTimer::singleShot(0, this, [this] {
                        if (m_window->isWindow() && m_window->isHidden())
                            dropNativeWindow(m_window);
                    });
            }
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
        m_placedOn = QGuiApplication::screenAt(m_window->geometry().center());
        m_watched = native->winId();
        m_watching = true;
        native->installEventFilter(this);
        m_mapping = native;
        connect(native, &QWindow::screenChanged, this, &WindowPlaceKeeper::screenChanged, Qt::UniqueConnection);
    }

    // On a busy desktop Qt may also misread the place after the first expose, while the
    // window manager is still framing the window.
    void screenChanged()
    {
        if (!m_mapping && m_watching)
            correct();
    }

    // Qt takes a window's place from the server when the window manager frames it, and
    // may read the frame's first place (the desktop's corner): the window is then taken
    // for one on that monitor and drawn at its scale. Only that misreading is undone.
    void firstExposed() { correct(); }

    void correct()
    {
        QWindow* native = m_window->windowHandle();
        if (!native || !m_placedOn)
            return;
        // Acting on a misreading, Qt may have had the window moved to the corner itself.
        if (native->screen() == m_placedOn && QGuiApplication::screenAt(m_window->geometry().center()) == m_placedOn)
            return;
        if (partOn("correct"))
            // Asked to move there, the window manager tells Qt where it has the window.
            m_window->move(m_placedAt);
    }

    QWidget* m_window;
    QPointer<QWindow> m_mapping;
    QPoint m_placedAt;
    QPointer<QScreen> m_placedOn;
    // From the showing until the window manager first tells where the window is.
    bool m_watching = false;
    WId m_watched = 0;
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
}
