#include "board/item/ielementframe.h"

#include <QGraphicsItem>
#include <QGraphicsView>
#include <QPainter>

#include "board/item/ielement.h"

IElementFrame::IElementFrame(QWidget* parent)
    : QWidget(parent), m_handleSize(defaultHandleSize())
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

IElementFrame::~IElementFrame() = default;

void IElementFrame::updateFrame(const QPointF& pos, double width, double height)
{
    setGeometry(QRectF(pos, QSizeF(width, height)).toAlignedRect());
    update();
}

QSizeF IElementFrame::frameSize() const
{
    return QSizeF(size());
}

QPointF IElementFrame::framePosition() const
{
    return QPointF(pos());
}

void IElementFrame::setFramePosition(const QPointF& pos)
{
    move(pos.toPoint());
}

void IElementFrame::setFrameSize(const QSizeF& size)
{
    resize(size.toSize());
}

void IElementFrame::drawFrame(QPainter* painter)
{
    const double m = handleMargin();
    painter->setPen(QPen(QColor(69, 198, 214), 1, Qt::DashLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(rect()).adjusted(m, m, -m - 1, -m - 1));
}

void IElementFrame::drawFrameExtension(QPainter* painter)
{
    painter->setPen(QPen(QColor(69, 198, 214), 1));
    painter->setBrush(Qt::white);
    for (const QRectF& r : {getTopLeftArea(), getTopRightArea(), getBottomLeftArea(),
                            getBottomRightArea(), getLeftMidArea(), getTopMidArea(),
                            getRightMidArea(), getBottomMidArea()})
        painter->drawRect(r.translated(-QPointF(pos())));
}

void IElementFrame::showFrame(bool show)
{
    if (show && !m_items.isEmpty())
        updateFrame();
    setVisible(show && !m_items.isEmpty());
}

void IElementFrame::setSelect(const QList<QGraphicsItem*>& items, bool selected)
{
    if (selected) {
        m_items = items;
    } else {
        for (QGraphicsItem* item : items)
            m_items.removeAll(item);
    }
    emitSelectionChanged(!m_items.isEmpty());
    showFrame(!m_items.isEmpty());
}

void IElementFrame::setEventSource(QObject* source)
{
    m_eventSource = source;
}

QObject* IElementFrame::eventSource() const
{
    return m_eventSource;
}

void IElementFrame::setItemGroupVisible(bool visible)
{
    m_groupVisible = visible;
}

bool IElementFrame::isItemGroup(QGraphicsItem* item) const
{
    return item && m_items.contains(item);
}

void IElementFrame::inputMousePress(const QPointF& pos, Qt::KeyboardModifiers)
{
    m_dragging = isVisible() && hitTest(pos);
    m_lastPos = pos;
}

// Drags the selected items; locked elements stay where they are.
void IElementFrame::inputMouseMove(const QPointF& pos, Qt::KeyboardModifiers)
{
    auto* view = qobject_cast<QGraphicsView*>(parentWidget());
    if (!m_dragging || !view)
        return;
    const QPointF delta = view->mapToScene(pos.toPoint()) - view->mapToScene(m_lastPos.toPoint());
    m_lastPos = pos;
    for (QGraphicsItem* item : qAsConst(m_items)) {
        IElement* element = itemElement(item);
        if (!element || !element->isLocked())
            item->moveBy(delta.x(), delta.y());
    }
    updateFrame();
}

void IElementFrame::inputMouseRelease(const QPointF& pos, Qt::KeyboardModifiers modifiers)
{
    if (m_dragging)
        inputMouseMove(pos, modifiers);
    m_dragging = false;
}

QWidget* IElementFrame::frameWidget() const
{
    return const_cast<IElementFrame*>(this);
}

bool IElementFrame::hitTest(const QPointF& pos) const
{
    return QRectF(geometry()).contains(pos);
}

void IElementFrame::setControlHandlerSize(const QSizeF& size)
{
    m_handleSize = size;
    update();
}

// A handle centred on the outline at the fractions (fx, fy) of its width and height,
// in the parent's coordinates.
QRectF IElementFrame::handleArea(double fx, double fy) const
{
    const double m = handleMargin();
    const QRectF outline = QRectF(geometry()).adjusted(m, m, -m, -m);
    const QPointF c(outline.left() + fx * outline.width(), outline.top() + fy * outline.height());
    return QRectF(c - QPointF(m_handleSize.width() / 2, m_handleSize.height() / 2), m_handleSize);
}

QRectF IElementFrame::getTopLeftArea() const { return handleArea(0, 0); }
QRectF IElementFrame::getTopRightArea() const { return handleArea(1, 0); }
QRectF IElementFrame::getBottomLeftArea() const { return handleArea(0, 1); }
QRectF IElementFrame::getBottomRightArea() const { return handleArea(1, 1); }
QRectF IElementFrame::getLeftMidArea() const { return handleArea(0, 0.5); }
QRectF IElementFrame::getTopMidArea() const { return handleArea(0.5, 0); }
QRectF IElementFrame::getRightMidArea() const { return handleArea(1, 0.5); }
QRectF IElementFrame::getBottomMidArea() const { return handleArea(0.5, 1); }

void IElementFrame::emitSelectionChanged(bool selected)
{
    emit sgSelectionChanged(selected);
}

// Fits the frame round the selected items as the board shows them.
void IElementFrame::updateFrame()
{
    auto* view = qobject_cast<QGraphicsView*>(parentWidget());
    if (!view || m_items.isEmpty())
        return;
    QRectF united;
    for (QGraphicsItem* item : qAsConst(m_items))
        united |= item->sceneBoundingRect();
    const QRectF onView = view->mapFromScene(united).boundingRect();
    const double grow = frameSpacing() + handleMargin();
    const QRectF r = onView.adjusted(-grow, -grow, grow, grow);
    updateFrame(r.topLeft(), r.width(), r.height());
}

void IElementFrame::inputGestureEvent(QGestureEvent*)
{
}

void IElementFrame::forgetItems(const QList<QGraphicsItem*>& items)
{
    bool changed = false;
    for (QGraphicsItem* item : items)
        changed = m_items.removeAll(item) > 0 || changed;
    if (changed && m_items.isEmpty())
        showFrame(false);
    else if (changed)
        updateFrame();
}

void IElementFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    drawFrameExtension(&painter);
}

ICommonElementFrame::ICommonElementFrame(QWidget* parent) : IElementFrame(parent)
{
}
