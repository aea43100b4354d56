#include "customui/ipanelframe.h"

#include <QEvent>

#include "customui/iuihelper.h"
#include "customui/iwindowplace.h"
#include "iapplication.h"
#include "iglobal.h"
#include "mainframe.h"

namespace IPanelPlacement {

QPoint aboveButton(const QPoint& p, const QSize& size, double dx, double gap)
{
    const double s = IGSQUARERATE;
    const int x = static_cast<int>(p.x() + dx * s - size.width() / 2);
    const int y = static_cast<int>(p.y() - size.height() - gap * s);
    return QPoint(x, y);
}

QPoint leftOfButton(const QPoint& p, const QSize& size)
{
    const double s = IGSQUARERATE;
    const int x = static_cast<int>(p.x() - size.width() - 10 * s);
    const int y = static_cast<int>(p.y() + 25 * s - size.height() / 2);
    return QPoint(x, y);
}

MainFrame* mainFrame(IApplication* app)
{
    return app ? app->mainFrame() : nullptr;
}

ICameraToolBar* cameraToolBar(IApplication* app)
{
    MainFrame* frame = mainFrame(app);
    return frame ? frame->m_cameraToolBar : nullptr;
}

IBoardToolBar* boardToolBar(IApplication* app)
{
    MainFrame* frame = mainFrame(app);
    return frame ? frame->m_boardToolBar : nullptr;
}

}

IPanelFrame::IPanelFrame(IApplication* app, QWidget* parent)
    : ICustomWidget(parent)
    , m_app(app)
{
}

IPanelFrame::IPanelFrame(IApplication* app, const QString& title, const bool& closeButton, QWidget* parent)
    : ICustomWidget(title, closeButton, parent)
    , m_app(app)
{
}

void IPanelFrame::setFrameVisible(const bool& visible)
{
    setVisible(visible);
}

MainFrame* IPanelFrame::mainFrame() const
{
    return IPanelPlacement::mainFrame(m_app);
}

ICameraToolBar* IPanelFrame::cameraToolBar() const
{
    MainFrame* frame = mainFrame();
    return frame ? frame->m_cameraToolBar : nullptr;
}

IBoardToolBar* IPanelFrame::boardToolBar() const
{
    MainFrame* frame = mainFrame();
    return frame ? frame->m_boardToolBar : nullptr;
}

bool IPanelFrame::placeAboveCameraButton(ICameraToolBar::ButtonType type, double dx, double gap)
{
    ICameraToolBar* bar = cameraToolBar();
    if (!bar)
        return false;
    m_anchor = Anchor::CameraButton;
    m_anchorButton = int(type);
    m_anchorDx = dx;
    m_anchorGap = gap;
    followWindowOf(bar);
    placeOnWindowScreen(this, IPanelPlacement::aboveButton(bar->buttonGlobslPos(type), size(), dx, gap), bar);
    return true;
}

bool IPanelFrame::placeLeftOfBoardButton(IBoardToolBar::ButtonType type)
{
    IBoardToolBar* bar = boardToolBar();
    if (!bar)
        return false;
    m_anchor = Anchor::BoardButton;
    m_anchorButton = int(type);
    followWindowOf(bar);
    placeOnWindowScreen(this, IPanelPlacement::leftOfButton(bar->buttonGlobslPos(type), size()), bar);
    return true;
}

void IPanelFrame::followButton()
{
    switch (m_anchor) {
    case Anchor::CameraButton:
        placeAboveCameraButton(ICameraToolBar::ButtonType(m_anchorButton), m_anchorDx, m_anchorGap);
        break;
    case Anchor::BoardButton:
        placeLeftOfBoardButton(IBoardToolBar::ButtonType(m_anchorButton));
        break;
    case Anchor::None:
        break;
    }
}

void IPanelFrame::followWindowOf(QWidget* bar)
{
    m_followed = bar;
    if (!m_follower)
        m_follower = new IBarFollower(
            [this] {
                if (!isVisible())
                    return;
                // Drawn at its new screen's scale as it moves there, not corrected after.
                giveScreen(this, windowScreen(m_followed));
                followButton();
            },
            this);
    m_follower->follow(bar);
}

IBarFollower::IBarFollower(std::function<void()> moved, QObject* parent) : QObject(parent), m_moved(std::move(moved))
{
}

void IBarFollower::follow(QWidget* bar)
{
    if (!bar || bar == m_bar)
        return;
    for (QWidget* w : {m_bar.data(), m_window.data()})
        if (w)
            w->removeEventFilter(this);
    m_bar = bar;
    m_window = bar->window();
    bar->installEventFilter(this);
    if (m_window != bar)
        m_window->installEventFilter(this);
}

bool IBarFollower::eventFilter(QObject* watched, QEvent* event)
{
    // Once for all the moves and resizes in a row: the bar, laid out after its window, is
    // at its new place only then, and a window manager may grant a burst of moves late and
    // out of turn (mutter). A hidden panel places itself when shown: a move before that
    // must not place it again while the window manager frames it.
    const auto* panel = qobject_cast<const QWidget*>(parent());
    if ((watched == m_bar || watched == m_window) && (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        && !m_pending && !(panel && !panel->isVisible())) {
        m_pending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_pending = false;
                whenSettled(m_window, this, [this] {
                    // Taken by a late notice to a screen of another scale and back, the panel
                    // may stand at a size Qt gave it there: placed by that, it would push it
                    // to the server, whose late grant would be taken for its own.
                    restoreOwnSize(qobject_cast<QWidget*>(parent()));
                    m_moved();
                });
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void IPanelFrame::resizeEvent(QResizeEvent* event)
{
    ICustomWidget::resizeEvent(event);
    // Given a size by Qt's taking it for one on another monitor while it is framed, it would
    // push that size to the server at its own monitor's scale: placed once it is settled.
    if (isVisible())
        whenSettled(this, this, [this] { followButton(); });
}

bool IPanelFrame::requestCapture(ImageType type)
{
    MainFrame* frame = mainFrame();
    if (!frame)
        return false;
    frame->captureImage(type);
    return true;
}
