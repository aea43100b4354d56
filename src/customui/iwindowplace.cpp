#include "customui/iwindowplace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

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
                // A native window kept for the next showing keeps the place the window
                // manager left it at on hiding, where it is mapped again. Not while the
                // hide is still under way, and not if shown again meanwhile.
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
        m_placedOn = QGuiApplication::screenAt(m_window->geometry().center());
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
}
