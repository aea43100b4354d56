#include "customui/imagnifierframe.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "customui/iuihelper.h"
#include "iapplication.h"
#include "iglobal.h"

namespace {
const QSize GRAB_SIZE(250, 150);
const QSize SHOWN_SIZE(500, 300);

QScreen* screenAt(const QPoint& pos)
{
    QScreen* screen = QGuiApplication::screenAt(pos);
    return screen ? screen : QGuiApplication::primaryScreen();
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
    const QPoint topLeft = pos - QPoint(GRAB_SIZE.width() / 2, GRAB_SIZE.height() / 2);
    const QPixmap grab = screen->grabWindow(0, topLeft.x(), topLeft.y(), GRAB_SIZE.width(), GRAB_SIZE.height());
    m_label->setPixmap(grab.scaled(SHOWN_SIZE, Qt::IgnoreAspectRatio, Qt::FastTransformation));
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
