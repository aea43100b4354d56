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
#include <optional>
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

// A place in the server's pixels as Qt gives it, each screen scaled from its corner.
QPoint placeOf(QPoint native)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        if (QRect(area.topLeft(), area.size() * ratio).contains(native))
            return area.topLeft() + (native - area.topLeft()) / ratio;
    }
    return native;
}

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
    // window is, Qt reads it, and nothing read afterwards is Qt's own misreading. Unless
    // it only carries out what Qt asked on a misreading (a new size for the scale of the
    // screen misread, at the place misread): then it is undone as the misreading was.
    bool nativeEventFilter(const QByteArray& type, void* message, long*) override
    {
        if (!m_watching || type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (event->response_type != (XCB_CONFIGURE_NOTIFY | 0x80))
            return false;
        const auto* notice = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
        if (notice->window == m_watched
            && !(m_misreadAt && (placeOf(QPoint(notice->x, notice->y)) - *m_misreadAt).manhattanLength() <= 2))
            m_watching = false;
        return false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && m_window->isWindow() && !event->spontaneous()) {
            if (event->type() == QEvent::Show)
                shown();
            else if (event->type() == QEvent::Resize && m_watching)
                // The program's own sizing; the window system's may be a misreading's.
                m_placed.setSize(m_window->size());
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
        // The native window takes the widget's geometry only after this.
        m_placed = m_window->geometry();
        m_placedOn = QGuiApplication::screenAt(m_window->geometry().center());
        m_watched = native->winId();
        m_watching = true;
        m_misreadAt.reset();
        native->installEventFilter(this);
        m_mapping = native;
        connect(native, &QWindow::screenChanged, this, &WindowPlaceKeeper::screenChanged, Qt::UniqueConnection);
    }

    // On a busy desktop Qt may also misread the place after the first expose, while the
    // window manager is still framing the window.
    void screenChanged()
    {
        if (!m_watching)
            return;
        if (const QWindow* native = m_window->windowHandle(); native && native->screen() != m_placedOn)
            m_misreadAt = native->geometry().topLeft();
        if (!m_mapping)
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
        if (onPlacedScreen())
            return;
        if (partOn("correct")) {
            // Asked to move there, the window manager tells Qt where it has the window.
            // Taken for one at another scale, the window was given that scale's size, and
            // the widget's own move would scale the place by it too.
            native->setGeometry(m_placed);
        }
    }

    bool onPlacedScreen() const
    {
        const QWindow* native = m_window->windowHandle();
        return native && native->screen() == m_placedOn
            && QGuiApplication::screenAt(m_window->geometry().center()) == m_placedOn;
    }

    QWidget* m_window;
    QPointer<QWindow> m_mapping;
    // Where the program shows it, at the size the program has given it since.
    QRect m_placed;
    QPointer<QScreen> m_placedOn;
    // Where Qt last took the window to be, off its screen, while watching.
    std::optional<QPoint> m_misreadAt;
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
