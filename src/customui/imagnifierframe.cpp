#include "customui/imagnifierframe.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "customui/iuihelper.h"
#include "iapplication.h"
#include "iglobal.h"
#include "imachelper.h"

namespace {
const QSize GRAB_SIZE(250, 150);
const QSize SHOWN_SIZE(500, 300);
// Where none of the program's windows lies, when only those can be drawn.
const QColor OUTSIDE_COLOUR(96, 96, 96);

QScreen* screenAt(const QPoint& pos)
{
    QScreen* screen = QGuiApplication::screenAt(pos);
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The desktop over area (global, logical). Qt takes the position relative to the screen
// and hands back the screen's own device pixels.
QPixmap grabScreen(QScreen* screen, const QRect& area)
{
    const QPoint at = area.topLeft() - screen->geometry().topLeft();
    return screen->grabWindow(0, at.x(), at.y(), area.width(), area.height());
}

// What the program itself shows over area (global, logical), each window drawn by
// itself: the windows without a parent first, their panels over them.
QPixmap grabOwnWindows(const QRect& area, qreal ratio, const QWidget* except)
{
    QPixmap picture(area.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(OUTSIDE_COLOUR);
    QList<QWidget*> windows = QApplication::topLevelWidgets();
    std::stable_partition(windows.begin(), windows.end(), [](QWidget* w) { return !w->parentWidget(); });
    QPainter painter(&picture);
    for (QWidget* window : qAsConst(windows)) {
        if (window == except || !window->isVisible() || window->isMinimized())
            continue;
        const QRect global(window->mapToGlobal(QPoint(0, 0)), window->size());
        const QRect part = global & area;
        if (part.isEmpty())
            continue;
        painter.drawPixmap(part.topLeft() - area.topLeft(), window->grab(part.translated(-global.topLeft())));
    }
    return picture;
}
}

IMagnifierFrame::IMagnifierFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, tr("Magnifier"), true, parent)
{
    CreateUI();
    setMoveState(true);
    setBackgroundLinearGradient(true);
}

void IMagnifierFrame::setFrameVisible(const bool& visible)
{
    if (visible) {
        QScreen* screen = screenAt(QCursor::pos());
        const QRect area = screen ? screen->availableGeometry() : QRect();
        const int parentWidth = parentWidget() ? parentWidget()->width() : area.width();
        move(area.left() + parentWidth - width(), static_cast<int>(area.top() + 100 * IGSQUARERATE));
        if (m_app)
            connect(m_app, &IApplication::sgGMouseMoveEvent, this, &IMagnifierFrame::slGMouseMoveEvent,
                    Qt::UniqueConnection);
    } else if (m_app) {
        // Grabbing the screen on every move costs; only while shown.
        disconnect(m_app, &IApplication::sgGMouseMoveEvent, this, &IMagnifierFrame::slGMouseMoveEvent);
    }
    setVisible(visible);
}

void IMagnifierFrame::slGMouseMoveEvent(QPoint pos)
{
    // Near an edge the area reaches past the desktop; whatever comes back is stretched.
    QScreen* screen = screenAt(pos);
    if (!screen)
        return;
    const QRect area(pos - QPoint(GRAB_SIZE.width() / 2, GRAB_SIZE.height() / 2), GRAB_SIZE);
    // In a Wayland session the X root window is black: only the program's own windows
    // can be seen there.
    QPixmap grab;
    if (!isWaylandSession())
        grab = grabScreen(screen, area);
    if (grab.isNull())
        grab = grabOwnWindows(area, screen->devicePixelRatio(), this);
    // Filled in the label's own device pixels, so the area is enlarged at any scale.
    const qreal ratio = m_label->devicePixelRatioF();
    QPixmap shown = grab.scaled(SHOWN_SIZE * ratio, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    shown.setDevicePixelRatio(ratio);
    m_label->setPixmap(shown);
}

void IMagnifierFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    m_label = createLabel(QString(), this);
    m_label->setFixedSize(SHOWN_SIZE);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_label);
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * s);
    layout->setContentsMargins(m, static_cast<int>(30 * IGHEIGHTRATE + 10 * s), m, m);
    layout->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    adjustSize();
    connect(this, &ICustomWidget::sgClose, this, [this] { setFrameVisible(false); }, Qt::DirectConnection);
}
