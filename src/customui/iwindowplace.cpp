#include "customui/iwindowplace.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QMoveEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtMath>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

#include "customui/iuihelper.h"

namespace {

// Each part below can be turned off for a test run (OCUMETRA_WINDOW_PLACE_OFF=screen,correct,
// size,screens) to show which test needs it.
bool partOn(const char* name)
{
    static const QByteArrayList off = qgetenv("OCUMETRA_WINDOW_PLACE_OFF").split(',');
    return !off.contains(name);
}

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

class WindowPlaceKeeper;

// One filter for every kept window: tells each, while it watches, what the window manager
// says of it.
class ServerNotices : public QObject, public QAbstractNativeEventFilter
{
public:
    // Null off X11, where no notice is read.
    static ServerNotices* instance()
    {
        if (!existing() && QGuiApplication::platformName() == QLatin1String("xcb")) {
            existing() = new ServerNotices(qApp);
            qApp->installNativeEventFilter(existing());
        }
        return existing();
    }
    static QPointer<ServerNotices>& existing()
    {
        static QPointer<ServerNotices> notices;
        return notices;
    }

    void watch(WId window, WindowPlaceKeeper* keeper) { m_keepers.insert(window, keeper); }
    void forget(WindowPlaceKeeper* keeper)
    {
        for (auto it = m_keepers.begin(); it != m_keepers.end();)
            it = it.value() == keeper ? m_keepers.erase(it) : std::next(it);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, long*) override;

private:
    using QObject::QObject;
    QHash<WId, WindowPlaceKeeper*> m_keepers;
};

class WindowPlaceKeeper : public QObject
{
public:
    explicit WindowPlaceKeeper(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

    ~WindowPlaceKeeper() override
    {
        if (ServerNotices* notices = ServerNotices::existing())
            notices->forget(this);
    }

    // Framed and mapped: a misreading from the framing is undone once Qt has read it.
    void mapped()
    {
        m_mapped = true;
        QTimer::singleShot(0, this, [this] {
            if (m_watching)
                correct();
        });
    }

    // Only the window manager sends a ConfigureNotify (marked as sent): where it says the
    // window is, Qt reads it, and nothing read afterwards is Qt's own misreading, unless it
    // only carries out what Qt asked on a misreading (a new size for the scale of the screen
    // misread, at the place misread). Any notice after mapping ends the watch too once Qt
    // has the window where it was shown: some window managers send none.
    void configured(bool sent, QPoint at, QSize size)
    {
        if (!m_watching)
            return;
        if (sent) {
            if (m_misreadAt && (placeOf(at) - *m_misreadAt).manhattanLength() <= 2)
                return;
            // Mutter tells, after the window is shown again, of the place it stood at before
            // and the size it was granted there at another scale, and may put it back there:
            // the window goes where it is shown.
            if (m_placedOn && ownSizeAtAnotherScale(size, m_placedOn->devicePixelRatio()))
                QTimer::singleShot(0, this, [this] {
                    if (m_watching)
                        m_window->windowHandle()->setGeometry(m_placed);
                });
            else
                stopWatching();
        } else if (m_mapped) {
            m_toldSinceMapped = true;
            QTimer::singleShot(0, this, &WindowPlaceKeeper::endWatchIfTold);
        }
    }

    // Judged whenever Qt may have read the place told: once it is handled (the same place),
    // at the move Qt gives the window and at the screen Qt takes it to, whichever comes
    // last; a busy program may run what it posted before Qt reads the notice.
    void endWatchIfTold()
    {
        if (m_watching && m_toldSinceMapped && !m_misreadAt && onPlacedScreen())
            stopWatching();
    }

    void restoreOwnSize()
    {
        if (m_rescaled && !m_watching) {
            m_rescaled = false;
            if (partOn("size") && !sizedByScreen() && m_window->size() != m_ownSize)
                m_window->resize(m_ownSize);
        }
        runSettled();
    }

    void whenSettled(QObject* context, const std::function<void()>& then)
    {
        if (!settling()) {
            then();
            return;
        }
        for (auto& waiting : m_whenSettled)
            if (waiting.first == context) {
                waiting.second = then;
                return;
            }
        m_whenSettled.emplace_back(context, then);
    }

    // The program takes the window to screen: from now on that is where it belongs.
    void givenScreen(QScreen* screen)
    {
        if (m_watching)
            m_placedOn = screen;
        m_ratio = screen->devicePixelRatio();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Resize && !rescaling()) {
            if (event->spontaneous() && ownSizeAtAnotherScale()) {
                m_rescaled = true;
                QTimer::singleShot(0, this, &WindowPlaceKeeper::restoreOwnSize);
            } else {
                m_ownSize = m_window->size();
            }
        }
        if (watched == m_window && event->type() == QEvent::Move && m_window->isVisible() && !m_watching)
            moved(event->spontaneous());
        else if (watched == m_window && event->type() == QEvent::Move && event->spontaneous())
            endWatchIfTold();
        if (watched == m_window && m_window->isWindow() && !event->spontaneous()) {
            if (event->type() == QEvent::Show)
                shown();
            // The program's own place and size; the window system's may be a misreading's. A
            // resize of its own (a message box fitting its text) takes no misread place for its own.
            else if (event->type() == QEvent::Resize && m_watching)
                m_placed.setSize(m_window->size());
            else if (event->type() == QEvent::Move && m_watching && !m_takingInFrame)
                placedAt(m_window->pos());
            else if (event->type() == QEvent::Hide)
                stopWatching();
        } else if (watched == m_window->windowHandle() && event->type() == QEvent::Expose
                   && m_window->windowHandle()->isExposed()) {
            takeInFrame();
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
        // Hidden on a screen of another scale, it comes back at its own size.
        restoreOwnSize();
        // The native window takes the widget's geometry only after this.
        m_placed = m_window->geometry();
        m_placedOn = QGuiApplication::screenAt(m_placed.center());
        // Made for the screen it last stood on, it is given the one it shows on, and its
        // size at that screen's scale, before it is mapped.
        if (m_placedOn && native->screen() != m_placedOn && partOn("screen")) {
            native->setScreen(m_placedOn);
            native->setGeometry(m_placed);
        }
        m_ratio = native->screen() ? native->screen()->devicePixelRatio() : 1.0;
        m_misreadAt.reset();
        m_mapped = false;
        m_toldSinceMapped = false;
        // Told of the window only while watching.
        ServerNotices* notices = partOn("correct") ? ServerNotices::instance() : nullptr;
        if (notices) {
            notices->watch(native->winId(), this);
            m_watching = true;
        }
        native->installEventFilter(this);
        connect(native, &QWindow::screenChanged, this, &WindowPlaceKeeper::screenChanged, Qt::UniqueConnection);
    }

    // The window manager carries the program's moves out in turn, and tells each; told of an
    // earlier one after the last was asked, Qt takes the window there, and skips the last if
    // it asks for the place Qt then believes (a panel asked away and back at once): the last
    // place is asked again. Any other move is the user's or the window manager's.
    void moved(bool told)
    {
        const QPoint at = m_window->pos();
        const auto near = [&](const QPoint& p) { return (p - at).manhattanLength() <= 2; };
        if (!told) {
            if (m_asked.empty() || !near(m_asked.back()))
                m_asked.push_back(at);
            if (m_asked.size() > 8)
                m_asked.erase(m_asked.begin());
        } else if (!m_asked.empty() && !near(m_asked.back())
                   && std::any_of(m_asked.begin(), m_asked.end() - 1, near)) {
            // At once: what the program asks next must not be skipped. Told at the size it has
            // at the scale of the screen it stood on, the window asks for its own: the size Qt
            // gives it meanwhile would stand at the scale of the screen asked for.
            if (m_window->size() != m_ownSize && !m_ownSize.isEmpty() && !sizedByScreen())
                m_window->setGeometry(QRect(m_asked.back() + (m_window->geometry().topLeft() - at), m_ownSize));
            else
                m_window->move(m_asked.back());
        } else {
            m_asked.clear();
        }
    }

    // Moved by the program while watched: the new place is its own, not a misreading.
    void placedAt(const QPoint& topLeft)
    {
        m_placed.moveTopLeft(topLeft);
        if (QScreen* screen = QGuiApplication::screenAt(m_placed.center()))
            m_placedOn = screen;
    }

    void stopWatching()
    {
        if (ServerNotices* notices = ServerNotices::existing())
            notices->forget(this);
        const bool wasWatching = m_watching;
        m_watching = false;
        // Left by the window manager on a screen of another scale than its own size was
        // given for (taken there on a misreading, then moved before it was undone).
        if (wasWatching && m_window->isVisible())
            QTimer::singleShot(0, this, &WindowPlaceKeeper::restoreOwnSize);
    }

    // Taken by Qt to a screen of another scale, shown, and not yet given its own size back.
    bool settling() const { return rescaling() || (m_rescaled && !m_watching && m_window->isVisible()); }

    void runSettled()
    {
        if (settling() || m_whenSettled.empty())
            return;
        const auto waiting = std::exchange(m_whenSettled, {});
        for (const auto& [context, then] : waiting)
            if (context)
                then();
    }

    // Qt sizes a window it takes to a screen of another scale by its device size before it
    // tells the window's new screen.
    bool rescaling() const
    {
        const QWindow* native = m_window->windowHandle();
        const QScreen* now = native ? QGuiApplication::screenAt(native->geometry().center()) : nullptr;
        return now && native->screen() && now->devicePixelRatio() != native->screen()->devicePixelRatio();
    }

    // A size from the window system that is, but for the layout's rounding, the window's own
    // at another screen's scale is not a new one: what Qt asked for while a late notice had
    // taken the window there for a moment (its own size, or its layout's minimum there, which
    // mutter enforces), granted once the window is back.
    bool ownSizeAtAnotherScale() const
    {
        const QWindow* native = m_window->windowHandle();
        return native && native->screen()
            && ownSizeAtAnotherScale(m_window->size() * native->screen()->devicePixelRatio(),
                                     native->screen()->devicePixelRatio());
    }

    // Whether device, the size in the server's pixels of a window drawn at ratio, is its own
    // at another screen's scale.
    bool ownSizeAtAnotherScale(const QSize& device, qreal ratio) const
    {
        if (m_ownSize.isEmpty())
            return false;
        for (const QScreen* screen : QGuiApplication::screens()) {
            const qreal other = screen->devicePixelRatio();
            const QSize own = m_ownSize * other;
            const int slack = qCeil(4 * other);
            if (other != ratio && qAbs(device.width() - own.width()) <= slack
                && qAbs(device.height() - own.height()) <= slack)
                return true;
        }
        return false;
    }

    void screenChanged(QScreen* screen)
    {
        const qreal ratio = screen ? screen->devicePixelRatio() : m_ratio;
        m_rescaled = m_rescaled || ratio != m_ratio;
        m_ratio = ratio;
        if (m_watching) {
            // Taken elsewhere while the window manager frames it: a misreading.
            if (screen != m_placedOn)
                m_misreadAt = m_window->windowHandle()->geometry().topLeft();
            if (m_mapped)
                correct();
            endWatchIfTold();
            return;
        }
        QTimer::singleShot(0, this, &WindowPlaceKeeper::restoreOwnSize);
    }

    // Qt takes a window's place from the server when the window manager frames it, and
    // may read the frame's first place (the desktop's corner): the window is then taken
    // for one on that monitor and drawn at its scale. Only that misreading is undone.
    void correct()
    {
        QWindow* native = m_window->windowHandle();
        if (!native || !m_placedOn)
            return;
        if (onPlacedScreen()) {
            // Qt read the place again before this ran and took the window back, at the size
            // the misread scale had given it (a panel placing itself meanwhile set that size).
            if (m_misreadAt && !sizedByScreen() && m_window->size() != m_placed.size()) {
                m_window->resize(m_placed.size());
                m_rescaled = false;
            }
        } else {
            // Asked to move there, the window manager tells Qt where it has the window. Taken
            // for one at another scale, the window was given that scale's size, and the
            // widget's own move would scale the place by it too.
            native->setGeometry(m_placed);
            m_rescaled = false;
        }
        // Read where it was shown, or asked back there: the misreading is over. The window
        // manager answers the program's request after any of Qt's on the misreading, so a
        // notice of the place misread from now on is a move of its own (a "move to monitor"
        // key puts a window where it stood there before).
        m_misreadAt.reset();
    }

    // A window manager that frames a window where it already stands (mutter's frames client,
    // which reparents late) moves nothing, and Qt keeps the widget's frame as it was before,
    // none: a move told again makes Qt read it.
    void takeInFrame()
    {
        QWindow* native = m_window->windowHandle();
        const QRect outer = m_window->frameGeometry();
        const QRect inner = m_window->geometry();
        const QMargins known(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                             outer.bottom() - inner.bottom());
        if (known == native->frameMargins())
            return;
        m_takingInFrame = true;
        QMoveEvent move(native->position(), native->position());
        QCoreApplication::sendEvent(native, &move);
        m_takingInFrame = false;
    }

    // Maximised or full screen, it has the size its screen gives it.
    bool sizedByScreen() const { return m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen); }

    bool onPlacedScreen() const
    {
        const QWindow* native = m_window->windowHandle();
        return native && native->screen() == m_placedOn
            && QGuiApplication::screenAt(m_window->geometry().center()) == m_placedOn;
    }

    QWidget* m_window;
    // Where the program shows it, or has put it since.
    QRect m_placed;
    QPointer<QScreen> m_placedOn;
    // Where Qt last took the window to be, off its screen, while watching.
    std::optional<QPoint> m_misreadAt;
    // From the showing until the window manager tells where the window is.
    bool m_watching = false;
    bool m_mapped = false;
    bool m_toldSinceMapped = false;
    bool m_takingInFrame = false;
    // The scale Qt draws the window at; its logical size, as last given by anyone but Qt's
    // rescaling, and whether Qt has rescaled it since.
    qreal m_ratio = 1.0;
    QSize m_ownSize;
    bool m_rescaled = false;
    std::vector<std::pair<QPointer<QObject>, std::function<void()>>> m_whenSettled;
    // The places the program asked for since the window manager last told the latest.
    std::vector<QPoint> m_asked;
};

bool ServerNotices::nativeEventFilter(const QByteArray& type, void* message, long*)
{
    if (m_keepers.isEmpty() || type != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
    case XCB_CONFIGURE_NOTIFY: {
        const auto* notice = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
        if (WindowPlaceKeeper* keeper = m_keepers.value(notice->window))
            keeper->configured(event->response_type & 0x80, QPoint(notice->x, notice->y),
                               QSize(notice->width, notice->height));
        break;
    }
    case XCB_MAP_NOTIFY: {
        const auto* notice = reinterpret_cast<const xcb_map_notify_event_t*>(event);
        if (WindowPlaceKeeper* keeper = m_keepers.value(notice->window))
            keeper->mapped();
        break;
    }
    case XCB_DESTROY_NOTIFY:
        m_keepers.remove(reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window);
        break;
    default:
        break;
    }
    return false;
}

WindowPlaceKeeper* keeperOf(QWidget* window)
{
    // Not a Q_OBJECT: qobject_cast would take any child for one.
    if (window)
        for (QObject* child : window->children())
            if (auto* keeper = dynamic_cast<WindowPlaceKeeper*>(child))
                return keeper;
    return nullptr;
}

// Brings back the windows left off every monitor once the monitors have changed.
class ScreenWatch : public QObject
{
public:
    using QObject::QObject;

    void start()
    {
        connect(qApp, &QGuiApplication::screenAdded, this, &ScreenWatch::watch);
        // Emitted before Qt hands the screen's windows to the primary one.
        connect(qApp, &QGuiApplication::screenRemoved, this, &ScreenWatch::changed);
        for (QScreen* screen : QGuiApplication::screens())
            watch(screen);
    }

private:
    void watch(QScreen* screen) { connect(screen, &QScreen::geometryChanged, this, &ScreenWatch::changed); }

    void changed()
    {
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            bringBack();
        });
    }

    static bool onSomeScreen(const QRect& frame)
    {
        for (const QScreen* screen : QGuiApplication::screens())
            if (screen->geometry().contains(frame))
                return true;
        return false;
    }

    static void bringBack()
    {
        QList<QWidget*> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && !w->isMinimized() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip
                && w->windowType() != Qt::Desktop && !onSomeScreen(w->frameGeometry()))
                windows << w;
        // Main windows first: their dialogs and panels go to the monitor they then stand on.
        std::stable_sort(windows.begin(), windows.end(),
                         [](const QWidget* a, const QWidget* b) { return !a->parentWidget() && b->parentWidget(); });
        for (QWidget* w : windows) {
            restoreOwnSize(w);
            const QWidget* owner = w->parentWidget() ? w->parentWidget()->window() : nullptr;
            if (!owner || !onSomeScreen(owner->frameGeometry()))
                owner = w;
            if (w->isMaximized() || w->isFullScreen()) {
                // The window manager keeps a maximised window where it is: restored, moved,
                // and maximised again there.
                const Qt::WindowStates state = w->windowState();
                w->showNormal();
                placeOnWindowScreen(w, w->pos(), owner);
                w->setWindowState(state);
            } else {
                placeOnWindowScreen(w, w->pos(), owner);
            }
        }
    }

    bool m_pending = false;
};

}

void keepWindowWhereShown(QWidget* window)
{
    if (window && !keeperOf(window))
        new WindowPlaceKeeper(window);
}

void restoreOwnSize(QWidget* window)
{
    if (WindowPlaceKeeper* keeper = keeperOf(window))
        keeper->restoreOwnSize();
}

void whenSettled(QWidget* window, QObject* context, const std::function<void()>& then)
{
    if (WindowPlaceKeeper* keeper = keeperOf(window))
        keeper->whenSettled(context, then);
    else
        then();
}

void giveScreen(QWidget* window, QScreen* screen)
{
    QWindow* native = window && window->isVisible() ? window->windowHandle() : nullptr;
    if (!native || !screen || native->screen() == screen)
        return;
    if (WindowPlaceKeeper* keeper = keeperOf(window))
        keeper->givenScreen(screen);
    native->setScreen(screen);
}

void keepWindowsOnScreens()
{
    static QPointer<ScreenWatch> watch;
    if (watch || !partOn("screens"))
        return;
    watch = new ScreenWatch(qApp);
    watch->start();
}

void settleSizeUnseen(QWidget* window)
{
    window->setAttribute(Qt::WA_DontShowOnScreen, true);
    window->show();
    window->hide();
    window->setAttribute(Qt::WA_DontShowOnScreen, false);
}
