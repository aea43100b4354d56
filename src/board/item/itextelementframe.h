#ifndef ITEXTELEMENTFRAME_H
#define ITEXTELEMENTFRAME_H

#include <QCursor>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QObject>
#include <QPointer>
#include <QSet>

#include "board/item/iabstractframe.h"

class QGraphicsSceneMouseEvent;
class ISlide;

// A handle of the text frame. It reports its own press, move and release.
class ITextFrameButton : public QObject, public QGraphicsPixmapItem
{
    Q_OBJECT
public:
    static constexpr int Type = 0x80010001;

    ITextFrameButton(bool clickOnPress, QGraphicsItem* parent = nullptr);
    ITextFrameButton(const QString& fileName, bool clickOnPress, QGraphicsItem* parent = nullptr);

    int type() const override { return Type; }
    // Loads the icon; at a factor other than 1 it renders the (vector) file at that scale.
    void setFileName(const QString& path, double factor);
    void setIconTransparent(bool transparent);
    bool isIconTransparent() const { return m_iconTransparent; }
    bool isPressed() const { return m_pressed; }

signals:
    void clicked(bool checked = false);
    void mousePress(QGraphicsSceneMouseEvent* event);
    void mouseMove(QGraphicsSceneMouseEvent* event);
    void mouseRelease(QGraphicsSceneMouseEvent* event);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;

private:
    void init();

    bool m_pressed = false;
    bool m_clickOnPress = false;
    bool m_iconTransparent = false;
    QString m_fileName;
};

// The selection frame drawn round one text element (or another single item) of a page:
// a thin outline, handles that move, widen and scale the item, an unlock handle for
// locked items, and the clicks that turn a selected text into text editing. It lives in
// the page's scene above every element.
class ITextElementFrame : public QObject, public QGraphicsRectItem, public ISceneElementFrame
{
    Q_OBJECT
    Q_PROPERTY(bool IsScaleHandleEnabled MEMBER m_scaleEnabled)
    Q_PROPERTY(bool IsRotationHandleEnabled MEMBER m_rotationEnabled)
    Q_PROPERTY(bool IsTranslationHandleEnabled MEMBER m_translationEnabled)
public:
    static constexpr int Type = 0x80010000;
    static constexpr int MinSide = 20;

    enum Handle { Rotate, Unlock, TopLeft, TopMid, TopRight, Left, Right, BottomLeft, BottomMid, BottomRight,
                  HandleCount };
    enum Area { UnlockArea, TopLeftArea, TopRightArea, BottomLeftArea, BottomRightArea, LeftMidArea, TopMidArea,
                RightMidArea, BottomMidArea, AreaCount };

    explicit ITextElementFrame(bool unused, QGraphicsItem* parent = nullptr);
    ~ITextElementFrame() override;

    int type() const override { return Type; }
    // Text types: the board's text elements (0x1000a, 0x1000b), QGraphicsTextItem, QGraphicsSimpleTextItem.
    static bool isTextType(const QGraphicsItem* item);
    static bool isWidgetType(const QGraphicsItem* item);

    void setDelegated(QGraphicsItem* item) override;
    QGraphicsItem* delegated() const override;
    void clearDelegated() override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void updateFrame(const QPointF& pos, double width, double height) override;
    void updateFrame() override;
    QSizeF frameSize() const override;
    QPointF framePosition() const override;
    void setFramePosition(const QPointF& pos) override;
    void setFrameSize(const QSizeF& size) override;
    void setFrameSize(double width, double height);
    void drawFrame(QPainter* painter) override;
    void drawFrameExtension(QPainter* painter) override;
    void showFrame(bool show) override;
    void setSelect(const QList<QGraphicsItem*>& items, bool selected) override;
    void setEventSource(QObject* source) override;
    QObject* eventSource() const override;
    void setEventSourceItems(const QList<QGraphicsItem*>& items);
    QList<QGraphicsItem*> eventSourceItems() const { return m_eventSource; }
    void setItemGroupVisible(bool visible) override;
    bool isItemGroup(QGraphicsItem* item) const override;
    void inputMousePress(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) override;
    void inputMouseMove(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) override;
    void inputMouseRelease(const QPointF& pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier) override;
    QWidget* frameWidget() const override { return nullptr; }
    bool hitTest(const QPointF& pos) const override;
    void setControlHandlerSize(const QSizeF& size) override;
    virtual QRectF getUnlockAread() const;
    QRectF getTopLeftArea() const override { return m_areas[TopLeftArea]; }
    QRectF getTopRightArea() const override { return m_areas[TopRightArea]; }
    QRectF getBottomLeftArea() const override { return m_areas[BottomLeftArea]; }
    QRectF getBottomRightArea() const override { return m_areas[BottomRightArea]; }
    QRectF getLeftMidArea() const override { return m_areas[LeftMidArea]; }
    QRectF getTopMidArea() const override { return m_areas[TopMidArea]; }
    QRectF getRightMidArea() const override { return m_areas[RightMidArea]; }
    QRectF getBottomMidArea() const override { return m_areas[BottomMidArea]; }
    bool isFrameVisible() const override { return isVisible(); }
    void inputGestureEvent(QGestureEvent* event) override;
    void textItemBeginEdit() override;
    void textItemEndEdit() override;
    virtual void lock(bool b);
    virtual void unlock(bool b);
    void setNewlySelected(bool newlySelected) override { m_newlySelected = newlySelected; }
    bool isNewlySelected() const { return m_newlySelected; }
    void emitSelectionChanged(bool selected) override;
    bool isQClickIntermediateItem() const override { return false; }
    bool isTextItemEditing() const override;

    // Geometry helpers.
    QSize contentSize() const { return QSize(m_contentW, m_contentH); }
    QPointF contentPosition() const { return m_contentPos; }
    QRectF outlineRect() const;
    void calcAllRects();
    void increaseTop(double value, double spacing, bool update);
    void increaseRight(double value, double spacing, bool update);
    void increaseLeft(double value, double spacing, bool update);
    void increaseBottom(double value, double spacing, bool update);
    QSizeF limitSize(double width, double height) const;
    QSizeF limitSize(const QSizeF& size) const { return limitSize(size.width(), size.height()); }
    double sceneLength(int length) const { return length; }

    bool isLocked() const { return m_locked; }
    void setLocked(bool locked);
    bool isSelected() const { return m_selected; }
    void showHandleButtons(bool show);
    void setHandleButtonOpaque(bool opaque);
    ITextFrameButton* handle(Handle which) const { return m_buttons[which]; }
    bool isMoving() const { return m_moving; }
    bool isScaling() const { return m_scaling; }
    bool isRotating() const { return m_rotating; }
    bool isDelegatedItemTextItem() const { return isTextType(delegated()); }
    bool isWidgetItem() const { return isWidgetType(delegated()); }

    void emitTransformBeforeChanged();
    void emitTransformAfterChanged();
    void emitTransformChanging();
    void beginEmitTransformBeforeChanged() { m_transformPending = true; }
    void setFocusForTextItem();

signals:
    void sgSelectionChanged(bool isSelected);
    void sgTransformBeforeChanged();
    void sgTransformChanging();
    void sgTransformAfterChanged(const QSet<QGraphicsItem*>& items);
    void sgEnterTextEditor();
    void sgLeaveTextEditor();
    void sgFontChanged(QFont font);
    void sgForegoundChanged(QColor color);
    void sgBackgroundChanged(QColor color);
    void sgAlignmentChanged(Qt::Alignment alignment);

public slots:
    void inputMousePressEvent(QGraphicsSceneMouseEvent* event);
    void inputMouseMoveEvent(QGraphicsSceneMouseEvent* event);
    void inputMouseReleaseEvent(QGraphicsSceneMouseEvent* event);

protected slots:
    void onDocumentSizeChanged();
    void onCursorPositionChanged();

protected:
    ISlide* slide() const;
    // s*m11 and s*m22 of the page (1 where a factor is zero or there is no page).
    QPointF slideScale() const;
    // The board rotation the scene's first view reports (0 without a board).
    int boardRotation() const;
    // A board view position in scene coordinates.
    QPointF viewToScene(const QPointF& pos) const;
    void forgetDelegated();
    void restoreCursor();

    ITextFrameButton* m_buttons[HandleCount] = {};

private:
    void applyLock(QGraphicsItem* item);
    void moveItemBy(const QPointF& delta);
    void scaleItem(double factor, const QPointF& centre);

    int m_contentW = 0;
    int m_contentH = 0;
    double m_frameW = 0.0;
    double m_frameH = 0.0;
    QPointF m_framePos;
    QPointF m_contentPos;
    QSize m_handleSize = QSize(12, 12);
    QRectF m_areas[AreaCount];
    bool m_moving = false;
    bool m_rotating = false;
    bool m_scaling = false;
    QPointF m_pressPoint;
    QPointF m_lastPoint;
    QPointF m_lastHandlePoint;
    bool m_transformPending = false;
    bool m_scaleEnabled = true;
    bool m_rotationEnabled = true;
    bool m_translationEnabled = true;
    bool m_leftWidthEnabled = true;
    bool m_rightWidthEnabled = true;
    QList<QGraphicsItem*> m_eventSource;
    bool m_selected = false;
    QGraphicsItem* m_delegated = nullptr;
    // Watches a delegate that is a QObject, so a deleted one is never used.
    QPointer<QObject> m_delegatedGuard;
    bool m_delegatedIsObject = false;
    bool m_locked = false;
    double m_top = 0.0;
    double m_right = 0.0;
    double m_left = 0.0;
    double m_bottom = 0.0;
    bool m_handleResizing = false;
    bool m_newlySelected = false;
    QCursor m_savedCursor;
    bool m_transformRecorded = false;
    bool m_pinchStepped = false;
};

#endif
