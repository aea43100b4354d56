#include "customui/ipicturecompareframe.h"

#include <QDebug>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTransform>
#include <QWheelEvent>

#include "customui/imsgbox.h"
#include "customui/ipanelframe.h"
#include "customui/iviewerhelper.h"
#include "customui/iwindowplace.h"
#include "iglobal.h"

namespace {
const double MIN_ZOOM = 0.1;
const double MAX_ZOOM = 7.0;
}

IPictureCompareFrame::IPictureCompareFrame(IApplication* app, QWidget* parent)
    : QLabel(parent)
    , m_app(app)
{
    CreateUI();
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    keepWindowWhereShown(this);
}

MainFrame* IPictureCompareFrame::mainFrame() const
{
    return IPanelPlacement::mainFrame(m_app);
}

void IPictureCompareFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    QScreen* primary = QGuiApplication::primaryScreen();
    const QRect area = primary ? primary->availableGeometry() : QRect(0, 0, 1920, 1080);
    setFixedSize(IViewerLayout::viewerSize(area.size()));
    move(static_cast<int>(200 * s), static_cast<int>(40 * s));
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("background-color:rgb(105,105,105);"));
    IViewerLayout::createCloseButton(this);
}

void IPictureCompareFrame::setFrameVisible(const bool& visible)
{
    if (!visible) {
        setVisible(false);
        return;
    }
    QWidget* p = parentWidget();
    setFixedSize(IViewerLayout::viewerSize(p ? p->size() : IViewerLayout::availableUnderCursor().size()));
    IViewerLayout::placeCloseButton(this);
    move(IViewerLayout::viewerPosition(p));
    if (isVisible())
        return;

    MainFrame* frame = mainFrame();
    if (!frame) {
        setVisible(true);
        return;
    }
    const QString picture = IViewerLayout::lastMarkedPicture(frame);
    if (picture.isEmpty()) {
        IMsgBox::showMsg(tr("Please select a picture first"), p);
        return;
    }
    m_zoom = 1.0;
    m_base = QPixmap(picture).scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    scale(1.0);
    setVisible(true);
}

void IPictureCompareFrame::scale(double factor)
{
    m_zoom = qBound(MIN_ZOOM, factor * m_zoom, MAX_ZOOM);
    setPixmap(m_base.transformed(QTransform::fromScale(m_zoom, m_zoom), Qt::SmoothTransformation));
    qDebug() << "compare picture zoom: " << m_zoom;
}

void IPictureCompareFrame::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_drag = true;
        m_press = event->localPos().toPoint();
    }
    QLabel::mousePressEvent(event);
}

void IPictureCompareFrame::mouseReleaseEvent(QMouseEvent* event)
{
    m_drag = false;
    QLabel::mouseReleaseEvent(event);
}

void IPictureCompareFrame::mouseMoveEvent(QMouseEvent* event)
{
    // The grabbed point stays under the pointer.
    if (m_drag)
        move(pos() + event->localPos().toPoint() - m_press);
    QLabel::mouseMoveEvent(event);
}

void IPictureCompareFrame::wheelEvent(QWheelEvent* event)
{
    scale(event->angleDelta().y() < 1 ? 0.9 : 1.1);
    QLabel::wheelEvent(event);
}
