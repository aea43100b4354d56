#include "customui/imageview.h"

#include <QCursor>
#include <QGestureEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPinchGesture>
#include <QScreen>
#include <QWheelEvent>
#include <cmath>

#include "customui/imsgbox.h"
#include "customui/ipanelframe.h"
#include "customui/iviewerhelper.h"
#include "customui/iwindowplace.h"
#include "iglobal.h"
#include "mainframe.h"

namespace {
const double MIN_SCALE = 0.05;
const double MAX_SCALE = 30.0;
}

// ---- ImageItem ----

ImageItem::ImageItem(const QSize& box, QGraphicsItem* parent)
    : QGraphicsPixmapItem(parent)
    , m_box(box)
{
}

void ImageItem::setImage(const QString& path)
{
    setImage(QImage(path));
}

void ImageItem::setImage(const QImage& image)
{
    prepareGeometryChange();
    m_image = image;
    update();
}

void ImageItem::setImageSize(const QSize& box)
{
    prepareGeometryChange();
    m_box = box;
    update();
}

QRectF ImageItem::boundingRect() const
{
    if (m_image.isNull())
        return QRectF();
    return QRectF(QPointF(0, 0), QSizeF(m_image.size().scaled(m_box, Qt::KeepAspectRatio)));
}

void ImageItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    if (!m_image.isNull()) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->drawImage(boundingRect(), m_image, QRectF(0, 0, m_image.width(), m_image.height()));
    }
    QGraphicsPixmapItem::paint(painter, option, widget);
}

// ---- ImageView ----

ImageView::ImageView(IApplication* app, QWidget* parent)
    : QGraphicsView(parent)
    , m_app(app)
{
    setInteractive(true);
    setFrameStyle(0);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    for (Qt::GestureType g : {Qt::TapGesture, Qt::TapAndHoldGesture, Qt::PanGesture, Qt::PinchGesture,
                              Qt::SwipeGesture})
        grabGesture(g);
    CreateUI();
}

MainFrame* ImageView::mainFrame() const
{
    return IPanelPlacement::mainFrame(m_app);
}

void ImageView::CreateUI()
{
    const double s = IGSQUARERATE;
    QScreen* primary = QGuiApplication::primaryScreen();
    const QRect area = primary ? primary->availableGeometry() : QRect(0, 0, 1920, 1080);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    keepWindowWhereShown(this);
    setStyleSheet(QStringLiteral("background-color:rgb(105,105,105)"));
    const int w = static_cast<int>(area.width() - 200 * s - 60 * s);
    const int h = static_cast<int>(area.height() - 40 * s - 100 * s);
    setFixedSize(IViewerLayout::viewerSize(area.size()));
    setSceneRect(-1073741824.0, -1073741824.0, 2147483647.0, 2147483647.0);
    move(static_cast<int>(200 * s), static_cast<int>(40 * s));

    auto* scene = new QGraphicsScene(QRectF(area.left(), area.top(), w, h), this);
    setScene(scene);
    m_item = new ImageItem(size());
    scene->addItem(m_item);
    m_item->setPos(0, 0);

    IViewerLayout::createCloseButton(this);
}

void ImageView::setFrameVisible(const bool& visible)
{
    if (!visible) {
        setVisible(false);
        return;
    }
    QWidget* p = parentWidget();
    const QSize box = IViewerLayout::viewerSize(p ? p->size() : IViewerLayout::availableUnderCursor().size());
    setFixedSize(box);
    IViewerLayout::placeCloseButton(this);
    m_item->setImageSize(box);
    move(IViewerLayout::viewerPosition(p));
    if (isVisible())
        return;

    MainFrame* frame = mainFrame();
    if (!frame) {
        show();
        return;
    }
    const QString picture = IViewerLayout::lastMarkedPicture(frame);
    if (picture.isEmpty()) {
        IMsgBox::showMsg(tr("Please select a picture first"), frame);
        return;
    }
    m_item->setImage(picture);
    m_rotation = 0;
    resetTransform();
    // Centred once shown: a hidden view has not taken its new size yet, and centring
    // on the old one leaves the picture off-centre.
    show();
    centerOn(m_item);
}

void ImageView::resetTransformx()
{
    m_rotation = 0;
    resetTransform();
    centerOn(m_item);
}

double ImageView::scaleValue() const
{
    const QTransform t = transform();
    switch (t.type()) {
    case QTransform::TxScale:
        return std::abs(t.m11());
    case QTransform::TxRotate:
        return std::abs(t.m12());
    default:
        return 1.0;
    }
}

void ImageView::scalex(double factor)
{
    zoom(factor);
}

void ImageView::zoom(double factor)
{
    const double current = scaleValue();
    if (current <= 0.0)
        return;
    if (current * factor < MIN_SCALE)
        factor = MIN_SCALE / current;
    else if (current * factor > MAX_SCALE)
        factor = MAX_SCALE / current;

    if (itemContains(QCursor::pos())) {
        const QPoint cursor = mapFromGlobal(QCursor::pos());
        const QPointF before = mapToScene(cursor);
        setTransform(transform().scale(factor, factor));
        const QPointF after = mapToScene(cursor);
        const QPointF d = after - before;
        setTransform(transform().translate(d.x(), d.y()));
        return;
    }
    const QPoint oldCentre = mapFromScene(m_item->mapToScene(m_item->boundingRect().center()));
    setTransform(transform().scale(factor, factor));
    const QPoint newCentre = mapFromScene(m_item->mapToScene(m_item->boundingRect().center()));
    const double scaled = scaleValue();
    if (scaled > 0.0) {
        const QPointF d = QPointF(newCentre - oldCentre) / scaled;
        setTransform(transform().translate(-d.x(), -d.y()));
    }
}

bool ImageView::itemContains(QPoint globalPos) const
{
    const QPoint topLeft = mapFromScene(m_item->scenePos());
    const QSizeF box = m_item->boundingRect().size() * scaleValue();
    return QRect(topLeft, box.toSize()).contains(mapFromGlobal(globalPos));
}

void ImageView::translatex(double dx, double dy)
{
    setTransform(transform().translate(dx, dy));
}

void ImageView::rotatex(double angle)
{
    const double sum = m_rotation + angle;
    m_rotation = sum < 360.0 ? sum : 0.0;
    setTransform(transform().rotate(angle, Qt::ZAxis));
    centerOn(m_item);
}

bool ImageView::event(QEvent* event)
{
    if (event->type() == QEvent::Gesture) {
        auto* gesture = static_cast<QGestureEvent*>(event);
        if (auto* pinch = static_cast<QPinchGesture*>(gesture->gesture(Qt::PinchGesture)))
            zoom(pinch->lastScaleFactor());
        return true;
    }
    return QGraphicsView::event(event);
}

void ImageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        if (itemContains(QCursor::pos()))
            m_pictureDrag = true;
        else
            m_windowDrag = true;
        m_lastPos = event->pos();
    }
    QGraphicsView::mousePressEvent(event);
}

void ImageView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pictureDrag) {
        const QPointF d = mapToScene(event->pos()) - mapToScene(m_lastPos);
        setTransform(transform().translate(d.x(), d.y()));
        m_lastPos = event->pos();
    } else if (m_windowDrag) {
        move(pos() + (event->pos() - m_lastPos));
    }
    QGraphicsView::mouseMoveEvent(event);
}

void ImageView::mouseReleaseEvent(QMouseEvent* event)
{
    m_pictureDrag = false;
    m_windowDrag = false;
    m_lastPos = QPoint();
    QGraphicsView::mouseReleaseEvent(event);
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    resetTransformx();
    QGraphicsView::mouseDoubleClickEvent(event);
}

void ImageView::wheelEvent(QWheelEvent* event)
{
    zoom(event->angleDelta().y() > 0 ? 1.1 : 0.9);
    event->accept();
}
