#include "board/iboard.h"

#include <cmath>
#include <exception>

#include <QDebug>
#include <QGestureEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QStyleOption>

#include "board/idrawinglayer.h"
#include "board/islide.h"
#include "board/item/iabstractframe.h"
#include "board/item/ielement.h"
#include "board/item/ielementframe.h"
#include "board/item/ipixmapitem.h"
#include "board/model/imodemanage.h"
#include "board/widget/itimemsgbox.h"

using namespace TX_IBOARD_ENUM;

IBoard::IBoard(SceneDisplayMode mode, QWidget* parent)
    : QGraphicsView(parent), m_displayMode(mode), m_modeManage(new IModeManage(this))
{
    // The camera picture fills the board: no frame, no scroll bars round it.
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->grabGesture(Qt::PinchGesture);
    // The background is painted only beside the picture (drawBackground), and nothing
    // behind the board is painted under it.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_cameraShowWidth = width();
    m_cameraShowHeight = height();
    m_modeManage->initialzieModes();
}

IBoard::~IBoard()
{
    // Modes may still point into the pages: they go first, and the layer gives the
    // pages' elements back before the pages are deleted.
    m_modeManage.reset();
    if (m_drawings) {
        m_drawings->setPage(nullptr);
        delete m_drawings;
    }
    setScene(nullptr);
    m_slide = nullptr;
    m_pixmapItem = nullptr;
    const QList<ISlide*> slides = std::move(m_slides);
    m_slides.clear();
    for (ISlide* slide : slides) {
        disconnect(slide, &QObject::destroyed, this, &IBoard::onSlideDestroyed);
        delete slide;
    }
}

void IBoard::insert(ISlide* slide, bool current)
{
    Q_UNUSED(current)
    if (!slide)
        return;
    if (!m_slides.contains(slide)) {
        m_slides.append(slide);
        connect(slide, &ISlide::sgElementsTakenOff, this, &IBoard::onElementsTakenOff);
        connect(slide, &QObject::destroyed, this, &IBoard::onSlideDestroyed);
        connect(slide, &ISlide::sgSlideChangedEvent, this, [this, slide] {
            if (slide == m_slide && m_drawings)
                m_drawings->pageChanged();
        });
    }
    setSlide(slide);
}

void IBoard::setSlide(ISlide* slide)
{
    if (slide == m_slide)
        return;
    // The page going out of view ends its text editing first.
    if (ISceneElementFrame* frame = m_slide ? m_slide->existingSceneElementFrame() : nullptr) {
        frame->textItemEndEdit();
        frame->showFrame(false);
    }
    m_slide = slide;
    // The camera picture is the bottom layer of whichever page is shown.
    if (m_pixmapItem && slide && m_pixmapItem->scene() != slide) {
        if (m_pixmapItem->scene())
            m_pixmapItem->scene()->removeItem(m_pixmapItem);
        slide->addItem(m_pixmapItem);
    }
    drawings()->setPage(slide);
    setScene(slide);
}

void IBoard::setPixmapElement(IPixmapItem* item)
{
    if (item == m_pixmapItem)
        return;
    if (m_pixmapItem) {
        if (m_pixmapItem->scene())
            m_pixmapItem->scene()->removeItem(m_pixmapItem);
        delete m_pixmapItem;
    }
    m_pixmapItem = item;
    m_imageSize = QSize();
    if (item && m_slide && item->scene() != m_slide)
        m_slide->addItem(item);
}

void IBoard::setCameraResolution(const QSizeF& size)
{
    m_cameraResolution = size;
}

void IBoard::setCameraPadingMargin(int left, int top, int right, int bottom, int extra)
{
    m_padding[0] = left;
    m_padding[1] = top;
    m_padding[2] = right;
    m_padding[3] = bottom;
    m_padding[4] = extra;
}

void IBoard::setCameraShowsize(const QSizeF& size)
{
    m_cameraShowWidth = size.width();
    m_cameraShowHeight = size.height();
    if (m_pixmapItem)
        m_pixmapItem->setShowSize(size);
}

void IBoard::setCameraImage(const QImage& image, const QSize& fullSize, const IShownFrame& shown)
{
    if (!m_pixmapItem)
        return;
    m_pixmapItem->setImage(image, fullSize, shown);
    if (m_pixmapItem->fullSize() != m_imageSize) {
        m_imageSize = m_pixmapItem->fullSize();
        setCenterOn();
    }
}

void IBoard::runCopyImage()
{
    if (m_pixmapItem)
        m_pixmapItem->copyImage();
}

void IBoard::scalex(double factor)
{
    if (!(factor > 0.0) || !std::isfinite(factor))
        return;
    const double current = scaleValue();
    const double target = qBound(MinScale, current * factor, MaxScale);
    const double step = target / current;
    scale(step, step);
    setCenterOn();
    showZoomNotice();
}

void IBoard::resetScalex()
{
    setTransform(QTransform().rotate(m_rotate));
}

double IBoard::scaleValue() const
{
    const QTransform t = transform();
    if (qFuzzyIsNull(t.m12()) && qFuzzyIsNull(t.m21()))
        return qAbs(t.m11());
    if (qFuzzyIsNull(t.m11()) && qFuzzyIsNull(t.m22()))
        return qAbs(t.m12());
    return 1.0;
}

void IBoard::rotatex(double degrees)
{
    m_rotate = std::fmod(m_rotate + degrees, 360.0);
    if (m_rotate < 0.0)
        m_rotate += 360.0;
    rotate(degrees);
}

int IBoard::rotateValue() const
{
    return static_cast<int>(m_rotate);
}

void IBoard::resetTransformx()
{
    m_rotate = 0.0;
    resetTransform();
    setCenterOn();
    showZoomNotice();
}

void IBoard::setCenterOn()
{
    if (m_pixmapItem)
        centerOn(m_pixmapItem);
}

QString IBoard::zoomPercentText() const
{
    return QStringLiteral("%1%").arg(qRound(scaleValue() * 100.0));
}

void IBoard::showZoomNotice()
{
    if (!m_zoomNotice)
        m_zoomNotice.reset(new ITimeMsgBox(nullptr));
    m_zoomNotice->showMessageBox(zoomPercentText(), 1000, QPoint(-1000, -1000));
}

QRectF IBoard::pixmapEleBoundingRect() const
{
    if (!m_pixmapItem)
        return QRectF();
    return QRectF(m_pixmapItem->pos(), m_pixmapItem->boundingRect().size());
}

QSize IBoard::pictureShownSize() const
{
    if (!m_pixmapItem)
        return QSize();
    const QTransform t = m_pixmapItem->sceneTransform() * viewportTransform();
    // The view's scale, rotated or not.
    const qreal scale = std::sqrt(std::abs(t.determinant())) * viewport()->devicePixelRatioF();
    const QSizeF size = m_pixmapItem->boundingRect().size() * scale;
    return QSize(qRound(size.width()), qRound(size.height()));
}

QRectF IBoard::pixmapEleGlobalBoundingRect() const
{
    const QRectF onView = viewportTransform().mapRect(pixmapEleBoundingRect());
    const QPoint origin = viewport()->mapToGlobal(QPoint(0, 0));
    return QRectF(qRound(onView.x()) + origin.x(), qRound(onView.y()) + origin.y(),
                  qRound(onView.width()), qRound(onView.height()));
}

QImage IBoard::getCameraRectRender(double sx, double sy)
{
    const QRectF area = pixmapEleBoundingRect();
    const QSize size(qRound(area.width() * sx), qRound(area.height() * sy));
    if (!m_slide || size.isEmpty())
        return QImage();
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull()) {
        qWarning() << "cannot allocate the drawings image" << size;
        return QImage();
    }
    out.fill(Qt::transparent);

    // Only the drawings: neither the picture nor a selection outline belongs in a snapshot.
    QList<QGraphicsItem*> hidden;
    auto hide = [&hidden](QGraphicsItem* item) {
        if (item && item->isVisible()) {
            item->setVisible(false);
            hidden.append(item);
        }
    };
    hide(m_pixmapItem);
    hide(dynamic_cast<QGraphicsItem*>(m_slide->existingSceneElementFrame()));

    QPainter painter(&out);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform |
                           QPainter::TextAntialiasing);
    m_slide->render(&painter, QRectF(out.rect()), area, Qt::IgnoreAspectRatio);
    painter.end();

    for (QGraphicsItem* item : qAsConst(hidden))
        item->setVisible(true);
    return out;
}

IDrawingLayer* IBoard::drawings()
{
    if (!m_drawings) {
        m_drawings = new IDrawingLayer(this);
        m_drawings->setPage(m_slide);
    }
    return m_drawings;
}

void IBoard::forgetDrawingLayer(IDrawingLayer* layer)
{
    if (m_drawings == layer)
        m_drawings = nullptr;
}

void IBoard::refreshDrawings(const QRectF& sceneArea)
{
    if (m_drawings)
        m_drawings->refresh(sceneArea);
}

QGraphicsItem* IBoard::at(const QPointF& pos) const
{
    if (!m_slide)
        return nullptr;
    return m_slide->itemAt(mapToScene(pos.toPoint()), transform());
}

QPointF IBoard::convertToScenePointFromSlidePoint(const ISlidePoint& point) const
{
    return mapToScene(QPoint(static_cast<int>(point.x), static_cast<int>(point.y)));
}

void IBoard::setCursor(const QCursor& cursor)
{
    releaseMouse();
    viewport()->releaseMouse();
    QWidget::setCursor(cursor);
}

void IBoard::setCursor(const QString& file)
{
    releaseMouse();
    viewport()->releaseMouse();
    QPixmap pixmap;
    if (pixmap.load(file))
        QWidget::setCursor(QCursor(pixmap, -1, -1));
}

void IBoard::setMode(ModeType type)
{
    m_modeManage->setCurrentMode(type);
}

void IBoard::setElementFrame(IElementFrame* frame)
{
    m_elementFrame = frame;
}

IElementFrame* IBoard::elementFrame()
{
    if (!m_elementFrame) {
        m_elementFrame = new ICommonElementFrame(this);
        m_elementFrame->showFrame(false);
    }
    return m_elementFrame;
}

IElementFrame* IBoard::existingElementFrame() const
{
    return m_elementFrame;
}

ISceneElementFrame* IBoard::sceneElementFrame()
{
    if (!m_slide)
        return nullptr;
    ISceneElementFrame* frame = m_slide->sceneElementFrame();
    if (!frame) {
        frame = ISlide::createSceneFrame(nullptr);
        if (frame)
            m_slide->setSceneElementFrame(frame);
    }
    return frame;
}

void IBoard::setSelected(QGraphicsItem* item, bool selected)
{
    if (!item)
        return;
    const int t = item->type();
    const bool textLike = t == QGraphicsItem::UserType + 10 || t == QGraphicsItem::UserType + 11 ||
                          t == QGraphicsItem::UserType + 12 || t == 8;
    if (textLike) {
        if (ISceneElementFrame* frame = sceneElementFrame())
            frame->setSelect({item}, selected);
        return;
    }
    elementFrame()->setSelect({item}, selected);
}

void IBoard::hideFrame()
{
    if (m_elementFrame)
        m_elementFrame->showFrame(false);
    if (ISceneElementFrame* frame = sceneElementFrame()) {
        frame->showFrame(false);
        frame->setItemGroupVisible(false);
        frame->textItemEndEdit();
    }
}

// Frames let go of elements leaving a page before their owner may delete them.
void IBoard::onSlideDestroyed(QObject* slide)
{
    // Only addresses are compared, as QObjects: the page is gone.
    for (int i = m_slides.size() - 1; i >= 0; --i)
        if (static_cast<QObject*>(m_slides.at(i)) == slide)
            m_slides.removeAt(i);
    if (m_slide && static_cast<QObject*>(m_slide) == slide) {
        m_slide = nullptr;
        m_pixmapItem = nullptr;
        // A layer that was on the page went with its items (and told us so).
        if (m_drawings)
            m_drawings->pageDestroyed();
    }
}

void IBoard::onElementsTakenOff(const QList<IElement*>& elements)
{
    QList<QGraphicsItem*> items;
    for (IElement* element : elements)
        items.append(elementItem(element));
    if (m_drawings)
        m_drawings->takeOff(items);
    if (m_elementFrame)
        m_elementFrame->forgetItems(items);
    auto* slide = qobject_cast<ISlide*>(sender());
    ISceneElementFrame* frame = slide ? slide->existingSceneElementFrame() : nullptr;
    if (frame && frame->delegated() && items.contains(frame->delegated())) {
        frame->textItemEndEdit();
        frame->showFrame(false);
        frame->clearDelegated();
    }
}

void IBoard::route(QMouseEvent* event, Step step)
{
    try {
        const bool touch = event->source() != Qt::MouseEventNotSynthesized;
        IDeviceEventArgs args(*event, ISlidePoint(event->localPos()), touch,
                              IDeviceArgs::MouseDeviceId);
        switch (step) {
        case Step::Down:
            m_modeManage->deviceDown(&args);
            break;
        case Step::Move:
            m_modeManage->deviceMove(&args);
            break;
        case Step::Up:
            m_modeManage->deviceUp(&args);
            break;
        }
    } catch (const std::exception& e) {
        qCritical() << "[Exception]:" << e.what();
    } catch (...) {
        qCritical() << "[Exception]:" << "unknown";
    }
}

void IBoard::mousePressEvent(QMouseEvent* event)
{
    emit sgClickOnBoard();
    // Drawing starts only on the camera picture.
    if (event->button() == Qt::LeftButton &&
        pixmapEleBoundingRect().contains(mapToScene(event->pos())))
        route(event, Step::Down);
    QGraphicsView::mousePressEvent(event);
    // The board is the end of the road for presses: none reaches the window behind it.
    event->accept();
}

// The second press of a quick double click is still a press for the modes: a text
// clicked twice goes into editing.
void IBoard::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton &&
        pixmapEleBoundingRect().contains(mapToScene(event->pos())))
        route(event, Step::Down);
    QGraphicsView::mouseDoubleClickEvent(event);
    event->accept();
}

void IBoard::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        route(event, Step::Move);
    QGraphicsView::mouseMoveEvent(event);
}

void IBoard::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        route(event, Step::Up);
    QGraphicsView::mouseReleaseEvent(event);
}

void IBoard::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    setCameraShowsize(QSizeF(size()));
    // Whoever changed the size (the window manager, full screen, the drawing tools'
    // column), the picture is fitted to it and centred again; zoom and rotation stay.
    setCenterOn();
}

// Elements that stopped changing join the cached drawings before the items are drawn.
void IBoard::paintEvent(QPaintEvent* event)
{
    drawings()->settle();
    // Whatever changed it (size, zoom, rotation, another screen), the camera is told
    // before the picture is needed again.
    const QSize shown = pictureShownSize();
    if (shown != m_shownSize) {
        m_shownSize = shown;
        emit sgPictureShownSize(shown);
    }
    QGraphicsView::paintEvent(event);
}

QRect IBoard::pictureCover() const
{
    if (!m_pixmapItem || m_pixmapItem->scene() != scene() || !m_pixmapItem->isVisible()
        || m_pixmapItem->effectiveOpacity() < 1.0 || !m_pixmapItem->isOpaque())
        return QRect();
    const QTransform t = m_pixmapItem->sceneTransform() * viewportTransform();
    const bool axisAligned = (qFuzzyIsNull(t.m12()) && qFuzzyIsNull(t.m21()))
                             || (qFuzzyIsNull(t.m11()) && qFuzzyIsNull(t.m22()));
    if (!axisAligned)
        return QRect();
    // Pixels the picture covers only in part keep the background under them.
    const QRectF r = t.mapRect(m_pixmapItem->boundingRect());
    return QRect(QPoint(int(std::ceil(r.left())), int(std::ceil(r.top()))),
                 QPoint(int(std::floor(r.right())) - 1, int(std::floor(r.bottom())) - 1));
}

// What Qt would fill the viewport with (its own fill, the board's style sheet seen
// through it, the view's brush), clipped to the area beside the picture.
void IBoard::drawBackground(QPainter* painter, const QRectF& rect)
{
    QWidget* view = viewport();
    const QRegion beside = QRegion(view->rect()) - pictureCover();
    painter->save();
    const QTransform toScene = painter->worldTransform();
    painter->resetTransform();
    painter->setClipRegion(beside, Qt::IntersectClip);
    if (view->autoFillBackground())
        painter->fillRect(view->rect(), view->palette().brush(view->backgroundRole()));
    QStyleOption option;
    option.initFrom(this);
    painter->translate(-view->pos());
    style()->drawPrimitive(QStyle::PE_Widget, &option, painter, this);
    painter->setWorldTransform(toScene);
    QGraphicsView::drawBackground(painter, rect);
    painter->restore();
}

bool IBoard::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Gesture) {
        auto* gesture = static_cast<QGestureEvent*>(event);
        auto* pinch = static_cast<QPinchGesture*>(gesture->gesture(Qt::PinchGesture));
        if (pinch) {
            if (m_modeManage->currentModeType() == MODE_SELECT &&
                (pinch->changeFlags() & QPinchGesture::ScaleFactorChanged))
                scalex(pinch->scaleFactor());
            gesture->accept(pinch);
            return true;
        }
    }
    return QGraphicsView::viewportEvent(event);
}
