#ifndef IABSTRACTFRAME_H
#define IABSTRACTFRAME_H

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <Qt>

class QGestureEvent;
class QGraphicsItem;
class QObject;
class QPainter;
class QWidget;

// The board's selection-frame interface. Positions are board view coordinates.
class IAbstractFrame
{
public:
    virtual ~IAbstractFrame() = default;

    virtual void updateFrame(const QPointF& pos, double width, double height) = 0;
    virtual QSizeF frameSize() const = 0;
    virtual QPointF framePosition() const = 0;
    virtual void setFramePosition(const QPointF& pos) = 0;
    virtual void setFrameSize(const QSizeF& size) = 0;
    virtual void drawFrame(QPainter* painter) = 0;
    virtual void drawFrameExtension(QPainter* painter) = 0;
    virtual void showFrame(bool show) = 0;
    virtual void setSelect(const QList<QGraphicsItem*>& items, bool selected) = 0;
    virtual void setEventSource(QObject* source) = 0;
    virtual QObject* eventSource() const = 0;
    virtual void setItemGroupVisible(bool visible) = 0;
    virtual bool isItemGroup(QGraphicsItem* item) const = 0;
    virtual void inputMousePress(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) = 0;
    virtual void inputMouseMove(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) = 0;
    virtual void inputMouseRelease(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) = 0;
    // Null for frames that live in the scene.
    virtual QWidget* frameWidget() const = 0;
    virtual bool hitTest(const QPointF& pos) const = 0;
    virtual void setControlHandlerSize(const QSizeF& size) = 0;
    virtual QRectF getTopLeftArea() const = 0;
    virtual QRectF getTopRightArea() const = 0;
    virtual QRectF getBottomLeftArea() const = 0;
    virtual QRectF getBottomRightArea() const = 0;
    virtual QRectF getLeftMidArea() const = 0;
    virtual QRectF getTopMidArea() const = 0;
    virtual QRectF getRightMidArea() const = 0;
    virtual QRectF getBottomMidArea() const = 0;
    virtual void emitSelectionChanged(bool selected) = 0;
    virtual void updateFrame() = 0;
    virtual void inputGestureEvent(QGestureEvent* event) = 0;
    // Distance from the frame's bounding edge to its outline.
    virtual double handleMargin() const { return 12.0; }
    // Gap between the outline and the framed item.
    virtual double frameSpacing() const { return 10.0; }
    virtual QSizeF defaultHandleSize() const { return QSizeF(12, 12); }
};

// A frame that lives in the page's scene and edits text. Callers reach its graphics
// item with dynamic_cast<QGraphicsItem*>.
class ISceneElementFrame : public IAbstractFrame
{
public:
    virtual void setDelegated(QGraphicsItem* item) = 0;
    virtual QGraphicsItem* delegated() const = 0;
    // Lets go of the delegated item before it leaves the page: no pointer to it remains.
    virtual void clearDelegated() = 0;
    virtual bool isFrameVisible() const = 0;
    virtual void textItemBeginEdit() = 0;
    virtual void textItemEndEdit() = 0;
    virtual bool isTextItemEditing() const = 0;
    virtual bool isQClickIntermediateItem() const = 0;
    virtual void setNewlySelected(bool newlySelected) = 0;
};

#endif
