#ifndef IPANELFRAME_H
#define IPANELFRAME_H

#include <QPoint>
#include <QPointer>
#include <QSize>
#include <functional>

#include "customui/iboardtoolbar.h"
#include "customui/icameratoolbar.h"
#include "customui/icustomwidget.h"
#include "icameratypes.h"

class IApplication;
class MainFrame;

// Where a pop-up stands relative to the tool-bar button that opened it. P is the
// button's top-left corner in global coordinates; lengths are scaled by IGSQUARERATE.
namespace IPanelPlacement {
// Centred above a camera-bar button: x = P.x + dx*s - w/2, y = P.y - h - gap*s.
QPoint aboveButton(const QPoint& p, const QSize& size, double dx = 42.0, double gap = 10.0);
// Left of a board-bar button: x = P.x - w - 10*s, y = P.y + 25*s - h/2.
QPoint leftOfButton(const QPoint& p, const QSize& size);

MainFrame* mainFrame(IApplication* app);
ICameraToolBar* cameraToolBar(IApplication* app);
IBoardToolBar* boardToolBar(IApplication* app);
}

// Tells when a tool bar, or the window holding it, moves or changes size. Pop-ups are
// windows of their own: nothing else moves them with the main window.
class IBarFollower : public QObject
{
public:
    IBarFollower(std::function<void()> moved, QObject* parent);
    // Follows bar and its window from now on, instead of what was followed before.
    void follow(QWidget* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_moved;
    QPointer<QWidget> m_bar;
    QPointer<QWidget> m_window;
    bool m_pending = false;
};

// Base of the tool-bar pop-ups: keeps the application and places the panel by the
// button of the camera or board tool bar that owns it.
class IPanelFrame : public ICustomWidget
{
    Q_OBJECT
public:
    IPanelFrame(IApplication* app, QWidget* parent);
    IPanelFrame(IApplication* app, const QString& title, const bool& closeButton, QWidget* parent);

    IApplication* application() const { return m_app; }

    virtual void setFrameVisible(const bool& visible);

protected:
    // The main window and its bars; null when there is no main window (yet).
    virtual MainFrame* mainFrame() const;
    virtual ICameraToolBar* cameraToolBar() const;
    virtual IBoardToolBar* boardToolBar() const;

    // Move above / left of the given button; false (and no move) without the bar. From
    // then on the panel stays by that button while it is shown, wherever the window
    // goes (followButton).
    bool placeAboveCameraButton(ICameraToolBar::ButtonType type, double dx = 42.0, double gap = 10.0);
    bool placeLeftOfBoardButton(IBoardToolBar::ButtonType type);

    // The window holding bar, and bar itself, moved or changed size while the panel is
    // shown: by default the last placement above is made again.
    virtual void followButton();
    // Panels that place themselves another way call this to follow bar's window too.
    void followWindowOf(QWidget* bar);

    // Asks the main window for a snapshot; false when there is no main window.
    virtual bool requestCapture(ImageType type);

    // Placed while Qt had it at another screen's scale, it is placed again at its own size.
    void resizeEvent(QResizeEvent* event) override;

    IApplication* m_app = nullptr;

private:
    enum class Anchor { None, CameraButton, BoardButton };
    Anchor m_anchor = Anchor::None;
    int m_anchorButton = 0;
    double m_anchorDx = 42.0;
    double m_anchorGap = 10.0;
    IBarFollower* m_follower = nullptr;
    QPointer<QWidget> m_followed;
};

#endif
