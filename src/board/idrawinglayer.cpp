#include "board/idrawinglayer.h"

#include <cmath>

#include <QDebug>
#include <QPainter>
#include <QSet>
#include <QStyleOptionGraphicsItem>

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/iabstractframe.h"
#include "board/item/ielement.h"
#include "board/item/ielementframe.h"
#include "board/model/imodemanage.h"

namespace {

// Antialiased edges reach a pixel past an item's bounding rectangle.
constexpr int kEdge = 2;
// A dirty area of more rectangles than this is redrawn as one rectangle.
constexpr int kMaxDirtyRects = 16;

} // namespace

IDrawingLayer::IDrawingLayer(IBoard* board) : m_board(board)
{
    setZValue(LayerZ);
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
    // exposedRect tells paint() how little of the picture a small repaint needs.
    setFlag(ItemUsesExtendedStyleOption, true);
}

// The board gives the elements back (setPage(nullptr)) before deleting the layer; a page
// deleted while showing it deletes it among its own items, with nothing to give back.
IDrawingLayer::~IDrawingLayer()
{
    m_board->forgetDrawingLayer(this);
}

void IDrawingLayer::setPage(ISlide* page)
{
    if (page == m_page)
        return;
    releaseAll();
    if (scene())
        scene()->removeItem(this);
    m_page = page;
    m_settleNeeded = true;
}

void IDrawingLayer::pageDestroyed()
{
    m_page = nullptr;
    m_settled.clear();
    m_lastLive.clear();
    m_bounds = QRectF();
    m_cache = QImage();
    m_dirty = QRegion();
}

void IDrawingLayer::pageChanged()
{
    m_settleNeeded = true;
}

void IDrawingLayer::takeOff(const QList<QGraphicsItem*>& items)
{
    bool any = false;
    for (QGraphicsItem* item : items) {
        if (!m_settled.contains(item))
            continue;
        // Still alive here: it paints itself wherever it goes next.
        release(item);
        any = true;
    }
    if (any) {
        updateBounds();
        m_settleNeeded = true;
    }
}

void IDrawingLayer::refresh(const QRectF& sceneArea)
{
    if (!m_settled.isEmpty())
        invalidateScene(sceneArea);
}

bool IDrawingLayer::isSettled(QGraphicsItem* item) const
{
    // The flag guards against an address reused by an item the layer never saw.
    return item && (item->flags() & ItemHasNoContents) && m_settled.contains(item);
}

QList<QGraphicsItem*> IDrawingLayer::liveItems() const
{
    QList<QGraphicsItem*> live;
    if (IElementFrame* frame = m_board->existingElementFrame()) {
        if (!frame->isHidden() || frame->isItemGroupVisible())
            live += frame->items();
    }
    if (ISceneElementFrame* frame = m_page->existingSceneElementFrame()) {
        if (frame->delegated() && (frame->isFrameVisible() || frame->isTextItemEditing()))
            live += frame->delegated();
    }
    if (QGraphicsItem* focus = m_page->focusItem())
        live += focus;
    return live;
}

void IDrawingLayer::settle()
{
    if (!m_page)
        return;
    const QList<QGraphicsItem*> live = liveItems();
    const IModeManage* modes = m_board->modeManage();
    const bool gesture = modes && modes->isGestureActive();
    if (!m_settleNeeded && gesture == m_lastGesture && live == m_lastLive)
        return;
    m_settleNeeded = false;
    m_lastGesture = gesture;
    m_lastLive = live;

    // Walk the page bottom up; the first item that cannot settle keeps everything above
    // it painting itself, so nothing changes its place in the stack.
    QSet<QGraphicsItem*> onPage;
    QSet<QGraphicsItem*> wanted;
    bool blocked = false;
    const QList<QGraphicsItem*> stack = m_page->items(Qt::AscendingOrder);
    for (QGraphicsItem* item : stack) {
        onPage.insert(item);
        if (item == this || blocked || item->topLevelItem()->zValue() < LayerZ)
            continue;
        if (!item->isVisible())
            continue;
        const bool settles = !item->parentItem() && item->childItems().isEmpty() &&
                             itemElement(item) && !item->graphicsEffect() &&
                             !live.contains(item) && (!gesture || m_settled.contains(item));
        if (!settles) {
            blocked = true;
            continue;
        }
        wanted.insert(item);
    }

    QList<QGraphicsItem*> leaving;
    for (auto it = m_settled.cbegin(); it != m_settled.cend(); ++it) {
        if (!wanted.contains(it.key()))
            leaving.append(it.key());
    }
    for (QGraphicsItem* item : qAsConst(leaving)) {
        if (onPage.contains(item)) {
            release(item);
        } else {
            // Gone without word: only its old place can be repainted.
            invalidateScene(m_settled.value(item).rect);
            m_settled.remove(item);
        }
    }
    for (QGraphicsItem* item : qAsConst(wanted)) {
        auto it = m_settled.find(item);
        if (it == m_settled.end()) {
            adopt(item);
        } else if (it->rect != item->sceneBoundingRect() || it->z != item->zValue()) {
            // Moved or restacked while settled: both places are drawn again.
            invalidateScene(it->rect);
            it->rect = item->sceneBoundingRect();
            it->z = item->zValue();
            invalidateScene(it->rect);
        }
    }
    updateBounds();

    if (m_settled.isEmpty()) {
        if (scene())
            scene()->removeItem(this);
        m_cache = QImage();
        m_dirty = QRegion();
    } else if (scene() != m_page) {
        m_page->addItem(this);
    }
}

void IDrawingLayer::adopt(QGraphicsItem* item)
{
    const Settled settled{item->sceneBoundingRect(), item->zValue()};
    item->setFlag(ItemHasNoContents, true);
    m_settled.insert(item, settled);
    invalidateScene(settled.rect);
}

void IDrawingLayer::release(QGraphicsItem* item)
{
    const QRectF rect = m_settled.value(item).rect;
    m_settled.remove(item);
    item->setFlag(ItemHasNoContents, false);
    item->update();
    invalidateScene(rect);
}

void IDrawingLayer::releaseAll()
{
    if (m_page && !m_settled.isEmpty()) {
        // Only items still on the page are touched: others may be gone already.
        const QList<QGraphicsItem*> onPage = m_page->items();
        for (QGraphicsItem* item : onPage) {
            if (m_settled.contains(item)) {
                item->setFlag(ItemHasNoContents, false);
                item->update();
            }
        }
    }
    m_settled.clear();
    m_lastLive.clear();
    m_cache = QImage();
    m_dirty = QRegion();
    updateBounds();
}

void IDrawingLayer::updateBounds()
{
    QRectF bounds;
    for (const Settled& s : qAsConst(m_settled))
        bounds |= s.rect;
    if (!bounds.isEmpty())
        bounds.adjust(-kEdge, -kEdge, kEdge, kEdge);
    if (bounds == m_bounds)
        return;
    prepareGeometryChange();
    m_bounds = bounds;
}

void IDrawingLayer::invalidateScene(const QRectF& sceneRect)
{
    if (sceneRect.isEmpty())
        return;
    if (!m_cache.isNull()) {
        const QRect device = m_cacheTransform.mapRect(sceneRect).toAlignedRect().adjusted(
            -kEdge, -kEdge, kEdge, kEdge);
        m_dirty += device & QRect(QPoint(0, 0), m_cacheSize);
    }
    update(sceneRect.adjusted(-kEdge, -kEdge, kEdge, kEdge));
}

QRectF IDrawingLayer::boundingRect() const
{
    return m_bounds;
}

QPainterPath IDrawingLayer::shape() const
{
    return QPainterPath();
}

bool IDrawingLayer::contains(const QPointF&) const
{
    return false;
}

bool IDrawingLayer::cacheFits(QPainter* painter, QWidget* widget) const
{
    // Only the board's own viewport at its own transform; any other target (a snapshot,
    // a scaled render) gets the elements painted for it.
    QWidget* viewport = m_board->viewport();
    return widget && widget == viewport && painter->device() &&
           painter->device()->devicePixelRatioF() == viewport->devicePixelRatioF() &&
           painter->worldTransform() == m_board->viewportTransform();
}

void IDrawingLayer::prepareCache()
{
    QWidget* viewport = m_board->viewport();
    const QSize size = viewport->size();
    const qreal ratio = viewport->devicePixelRatioF();
    const QTransform transform = m_board->viewportTransform();
    if (!m_cache.isNull() && size == m_cacheSize && ratio == m_cacheRatio &&
        transform == m_cacheTransform)
        return;
    // Zoom, rotation, scrolling, resizing or another screen: drawn afresh at the new pixels.
    const QSize pixels(int(std::ceil(size.width() * ratio)), int(std::ceil(size.height() * ratio)));
    m_cache = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    if (m_cache.isNull()) {
        qWarning() << "cannot allocate the drawings cache" << pixels;
        return;
    }
    m_cache.setDevicePixelRatio(ratio);
    m_cacheSize = size;
    m_cacheRatio = ratio;
    m_cacheTransform = transform;
    m_dirty = QRegion(QRect(QPoint(0, 0), size));
}

void IDrawingLayer::redraw(const QRegion& dirty)
{
    QPainter painter(&m_cache);
    painter.setRenderHints(m_board->renderHints());
    const QTransform toScene = m_cacheTransform.inverted();
    QVector<QRect> rects;
    if (dirty.rectCount() > kMaxDirtyRects)
        rects.append(dirty.boundingRect());
    else
        rects = QVector<QRect>(dirty.begin(), dirty.end());
    for (const QRect& r : qAsConst(rects)) {
        painter.setClipRect(r);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(r, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        paintSettled(&painter, m_cacheTransform, toScene.mapRect(QRectF(r)), m_board->viewport());
    }
}

void IDrawingLayer::paintSettled(QPainter* painter, const QTransform& base, const QRectF& sceneArea,
                                 QWidget* widget) const
{
    if (!m_page || m_settled.isEmpty())
        return;
    const QList<QGraphicsItem*> items =
        m_page->items(sceneArea, Qt::IntersectsItemBoundingRect, Qt::AscendingOrder, base);
    for (QGraphicsItem* item : items) {
        if (!isSettled(item))
            continue;
        // What the scene does for each item it draws.
        painter->save();
        painter->setWorldTransform(item->sceneTransform() * base);
        painter->setOpacity(item->effectiveOpacity());
        QStyleOptionGraphicsItem option;
        option.state = item->isEnabled() ? QStyle::State_Enabled : QStyle::State_None;
        if (item->isSelected())
            option.state |= QStyle::State_Selected;
        const QRectF brect = item->boundingRect();
        option.rect = brect.toRect();
        option.exposedRect = brect;
        if (item->flags() & ItemUsesExtendedStyleOption)
            option.exposedRect = item->mapRectFromScene(sceneArea) & brect;
        if (item->flags() & ItemClipsToShape)
            painter->setClipPath(item->shape(), Qt::IntersectClip);
        item->paint(painter, &option, widget);
        painter->restore();
    }
}

void IDrawingLayer::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    const QRectF exposed = option && !option->exposedRect.isEmpty() ? option->exposedRect : m_bounds;
    if (!cacheFits(painter, widget)) {
        paintSettled(painter, painter->worldTransform(), exposed, widget);
        return;
    }
    prepareCache();
    if (m_cache.isNull()) {
        paintSettled(painter, painter->worldTransform(), exposed, widget);
        return;
    }
    if (!m_dirty.isEmpty()) {
        redraw(m_dirty);
        m_dirty = QRegion();
    }
    const QRect shown = m_cacheTransform.mapRect(exposed.intersected(m_bounds)).toAlignedRect() &
                        QRect(QPoint(0, 0), m_cacheSize);
    if (shown.isEmpty())
        return;
    const qreal r = m_cacheRatio;
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->drawImage(QRectF(shown), m_cache,
                       QRectF(shown.x() * r, shown.y() * r, shown.width() * r, shown.height() * r));
    painter->restore();
}
