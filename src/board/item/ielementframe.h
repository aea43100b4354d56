#ifndef IELEMENTFRAME_H
#define IELEMENTFRAME_H

#include <QList>
#include <QWidget>

#include "board/item/iabstractframe.h"

class IBoard;

// The widget selection frame for elements that are not text: a child widget of the
// board drawn round the united scene rectangle of the selected items.
class IElementFrame : public QWidget, public IAbstractFrame
{
    Q_OBJECT
public:
    explicit IElementFrame(QWidget* parent = nullptr);
    ~IElementFrame() override;

    void updateFrame(const QPointF& pos, double width, double height) override;
    QSizeF frameSize() const override;
    QPointF framePosition() const override;
    void setFramePosition(const QPointF& pos) override;
    void setFrameSize(const QSizeF& size) override;
    void drawFrame(QPainter* painter) override;
    void drawFrameExtension(QPainter* painter) override;
    void showFrame(bool show) override;
    void setSelect(const QList<QGraphicsItem*>& items, bool selected) override;
    void setEventSource(QObject* source) override;
    QObject* eventSource() const override;
    void setItemGroupVisible(bool visible) override;
    bool isItemGroup(QGraphicsItem* item) const override;
    void inputMousePress(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) override;
    void inputMouseMove(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) override;
    void inputMouseRelease(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) override;
    QWidget* frameWidget() const override;
    bool hitTest(const QPointF& pos) const override;
    void setControlHandlerSize(const QSizeF& size) override;
    QRectF getTopLeftArea() const override;
    QRectF getTopRightArea() const override;
    QRectF getBottomLeftArea() const override;
    QRectF getBottomRightArea() const override;
    QRectF getLeftMidArea() const override;
    QRectF getTopMidArea() const override;
    QRectF getRightMidArea() const override;
    QRectF getBottomMidArea() const override;
    void emitSelectionChanged(bool selected) override;
    void updateFrame() override;
    void inputGestureEvent(QGestureEvent* event) override;

    QList<QGraphicsItem*> items() const { return m_items; }
    bool isItemGroupVisible() const { return m_groupVisible; }
    // Forgets items that are leaving the page, before anyone deletes them.
    void forgetItems(const QList<QGraphicsItem*>& items);

signals:
    void sgSelectionChanged(bool selected);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF handleArea(double fx, double fy) const;

    QList<QGraphicsItem*> m_items;
    QObject* m_eventSource = nullptr;
    bool m_groupVisible = false;
    bool m_dragging = false;
    QPointF m_lastPos;
    QSizeF m_handleSize;
};

// The element frame the main window gives the board.
class ICommonElementFrame : public IElementFrame
{
    Q_OBJECT
public:
    explicit ICommonElementFrame(QWidget* parent = nullptr);
};

#endif
