#include <QGestureEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPinchGesture>
#include <QSignalSpy>
#include <QTextCursor>
#include <QtTest>
#include <memory>

#include "tst_board.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/itextelement.h"
#include "board/item/itextelementframe.h"

namespace {

// An item of an exact size (a rectangle item adds its pen).
class BoxItem : public QGraphicsRectItem
{
public:
    BoxItem(double w, double h, int type = UserType + 30) : QGraphicsRectItem(0, 0, w, h), m_type(type)
    {
        setPen(Qt::NoPen);
    }
    int type() const override { return m_type; }

private:
    int m_type;
};

void handleEvent(ITextFrameButton* button, QEvent::Type type, const QPointF& scenePos)
{
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(scenePos);
    event.setButton(Qt::LeftButton);
    if (type == QEvent::GraphicsSceneMousePress)
        emit button->mousePress(&event);
    else if (type == QEvent::GraphicsSceneMouseMove)
        emit button->mouseMove(&event);
    else
        emit button->mouseRelease(&event);
}

// Drags a handle from a point by the given steps.
void drag(ITextFrameButton* button, QPointF from, const QList<QPointF>& steps)
{
    handleEvent(button, QEvent::GraphicsSceneMousePress, from);
    for (const QPointF& step : steps) {
        from += step;
        handleEvent(button, QEvent::GraphicsSceneMouseMove, from);
    }
    handleEvent(button, QEvent::GraphicsSceneMouseRelease, from);
}

} // namespace

void TestBoard::textFrameGeometry()
{
    QGraphicsScene scene;
    auto* frame = new ITextElementFrame(false);
    scene.addItem(frame);
    QCOMPARE(frame->type(), 0x80010000);
    QCOMPARE(frame->zValue(), 2147483647.0);
    QCOMPARE(frame->handle(ITextElementFrame::Unlock)->type(), 0x80010001);
    auto* box = new BoxItem(100, 40);
    box->setPos(50, 60);
    scene.addItem(box);

    frame->setDelegated(box);
    QCOMPARE(frame->delegated(), box);
    QCOMPARE(frame->contentSize(), QSize(100, 40));
    QCOMPARE(frame->outlineRect(), QRectF(12, 12, 120, 60));
    QCOMPARE(frame->boundingRect(), QRectF(0, 0, 144, 84));
    QCOMPARE(frame->getUnlockAread().x(), 12 + 120 + 6.0);
    QCOMPARE(frame->pos(), QPointF(50 - 10 - 12, 60 - 10 - 12));
    QCOMPARE(frame->getBottomRightArea(), QRectF(132 - 6, 72 - 6, 12, 12));
    // Only the band round the item catches the pointer.
    QVERIFY(frame->shape().contains(QPointF(15, 40)));
    QVERIFY(!frame->shape().contains(QPointF(72, 42)));

    frame->setControlHandlerSize(QSizeF(0, 12));
    QCOMPARE(frame->getBottomRightArea().size(), QSizeF(12, 12));
    frame->setControlHandlerSize(QSizeF(16, 16));
    QCOMPARE(frame->getBottomRightArea().size(), QSizeF(16, 16));

    // A too small item keeps a 20-unit content, centred on it.
    auto* thin = new BoxItem(8, 30);
    thin->setPos(200, 0);
    scene.addItem(thin);
    frame->setDelegated(thin);
    QCOMPARE(frame->contentSize(), QSize(20, 30));
    QCOMPARE(frame->contentPosition(), QPointF(200 - 6, 0));

    // Null leaves the delegate; clearDelegated lets go.
    frame->setDelegated(nullptr);
    QCOMPARE(frame->delegated(), thin);
    frame->clearDelegated();
    QVERIFY(!frame->delegated());
    QVERIFY(!frame->isVisible());
    QVERIFY(frame->isItemGroup(frame));
    QVERIFY(frame->isItemGroup(frame->handle(ITextElementFrame::Left)));
    QVERIFY(!frame->isItemGroup(box));
    QVERIFY(!frame->isItemGroup(nullptr));
}

void TestBoard::textFrameLockAndSelection()
{
    QGraphicsScene scene;
    auto* frame = new ITextElementFrame(false);
    scene.addItem(frame);
    auto* text = new ITextElement(QStringLiteral("locked text"));
    scene.addItem(text);
    QSignalSpy selection(frame, &ITextElementFrame::sgSelectionChanged);
    QSignalSpy after(frame, &ITextElementFrame::sgTransformAfterChanged);

    frame->setSelect({text, text}, true);   // more than one: nothing
    QVERIFY(!frame->delegated());
    text->setLocked(true);
    frame->setSelect({text}, true);
    QCOMPARE(selection.count(), 1);
    QVERIFY(frame->isVisible());
    QVERIFY(frame->isLocked());
    using H = ITextElementFrame;
    for (H::Handle h : {H::TopLeft, H::BottomRight, H::Left, H::Right})
        QVERIFY(!frame->handle(h)->isVisible());
    QVERIFY(frame->handle(H::Unlock)->isVisible());
    QVERIFY(frame->handle(H::TopRight)->isVisible());
    QVERIFY(frame->handle(H::BottomLeft)->isVisible());

    // Locked: the corner handles left visible do not scale, the frame input does not move.
    const QTransform before = text->transform();
    drag(frame->handle(H::TopRight), frame->mapToScene(frame->getTopRightArea().center()), {{30, -30}});
    QCOMPARE(text->transform(), before);
    frame->inputMousePress(QPointF(10, 10));
    frame->inputMouseMove(QPointF(50, 50));
    QCOMPARE(text->pos(), QPointF(0, 0));
    QVERIFY(!frame->isMoving());

    // The unlock handle unlocks the frame and the element.
    drag(frame->handle(H::Unlock), frame->mapToScene(frame->getUnlockAread().center()), {});
    QVERIFY(!frame->isLocked());
    QVERIFY(!text->isLocked());
    QVERIFY(frame->handle(H::Left)->isVisible());
    QVERIFY(!frame->handle(H::Unlock)->isVisible());
    frame->emitTransformAfterChanged();   // nothing announced yet
    QCOMPARE(after.count(), 0);
}

void TestBoard::textFrameHandles()
{
    QGraphicsScene scene;
    auto* frame = new ITextElementFrame(false);
    scene.addItem(frame);
    auto* text = new ITextElement(QStringLiteral("ab"));
    QFont small = text->font();
    small.setPixelSize(9);   // a line lower than the 20-unit minimum
    text->setFont(small);
    scene.addItem(text);
    text->setTextWidth(40);
    text->setPos(100, 100);
    frame->setSelect({text}, true);
    QCOMPARE(frame->contentSize().width(), 40);
    QSignalSpy before(frame, &ITextElementFrame::sgTransformBeforeChanged);
    QSignalSpy changing(frame, &ITextElementFrame::sgTransformChanging);
    QSignalSpy after(frame, &ITextElementFrame::sgTransformAfterChanged);
    QSignalSpy enter(frame, &ITextElementFrame::sgEnterTextEditor);
    using H = ITextElementFrame;
    auto left = [frame]() { return frame->mapToScene(frame->getLeftMidArea().center()); };

    // Left handle: narrower down to 20, the right edge stays.
    drag(frame->handle(H::Left), left(), {{15, 0}, {15, 0}});
    QCOMPARE(text->textWidth(), 20.0);
    QCOMPARE(text->pos().x(), 120.0);
    QCOMPARE(before.count(), 1);   // once per gesture
    QCOMPARE(changing.count(), 2);
    QCOMPARE(after.count(), 1);
    QCOMPARE(after.first().first().value<QSet<QGraphicsItem*>>(), QSet<QGraphicsItem*>{text});
    // The drag leaves the text in editing.
    QCOMPARE(text->textInteractionFlags(), Qt::TextEditorInteraction);
    QCOMPARE(enter.count(), 1);
    QCOMPARE(frame->handle(H::Left)->opacity(), 1.0);
    text->finishEdit();
    text->setTextWidth(20);
    frame->updateFrame();
    drag(frame->handle(H::Left), left(), {{10, 0}});
    QCOMPARE(text->textWidth(), 20.0);
    QCOMPARE(text->pos().x(), 120.0);
    drag(frame->handle(H::Left), left(), {{-10, 0}});
    QCOMPARE(text->textWidth(), 30.0);
    QCOMPARE(text->pos().x(), 110.0);

    // Right handle widens.
    drag(frame->handle(H::Right), frame->mapToScene(frame->getRightMidArea().center()), {{25, 3}});
    QCOMPARE(text->textWidth(), 55.0);
    QCOMPARE(text->pos().x(), 110.0);

    // Top-left handle moves the item; the frame follows on release.
    drag(frame->handle(H::TopLeft), frame->mapToScene(frame->getTopLeftArea().center()), {{7, 9}});
    QCOMPARE(text->pos(), QPointF(117, 109));
    QCOMPARE(frame->contentPosition(), text->sceneBoundingRect().topLeft());
}

void TestBoard::textFrameCornerScale()
{
    QGraphicsScene scene;
    auto* frame = new ITextElementFrame(false);
    scene.addItem(frame);
    auto* box = new BoxItem(100, 40);
    box->setPos(30, 30);
    scene.addItem(box);
    frame->setSelect({box}, true);
    using H = ITextElementFrame;
    drag(frame->handle(H::BottomRight), frame->mapToScene(frame->getBottomRightArea().center()), {{10, 0}});
    QCOMPARE(box->transform().m11(), 1.05);
    QCOMPARE(box->transform().m22(), 1.05);
    QCOMPARE(box->sceneBoundingRect().topLeft(), QPointF(30, 30));
    QCOMPARE(frame->contentSize(), QSize(105, 42));

    // Top-right keeps the bottom-left corner.
    const QPointF bottomLeft = box->sceneBoundingRect().bottomLeft();
    drag(frame->handle(H::TopRight), frame->mapToScene(frame->getTopRightArea().center()), {{0, -21}});
    QVERIFY(box->transform().m11() > 1.05);
    QCOMPARE(box->sceneBoundingRect().bottomLeft(), bottomLeft);
}

void TestBoard::textFrameSelectInput()
{
    IBoard board(TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    board.resize(400, 300);
    auto* slide = new ISlide;
    board.insert(slide, true);
    // The view does not map onto the scene one to one: positions must go through it.
    board.setSceneRect(-150, -80, 400, 300);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    auto* frame = new ITextElementFrame(false);
    slide->setSceneElementFrame(frame);
    auto* text = new ITextElement(QStringLiteral("click me"));
    slide->add(text, true);
    text->setPos(100, 100);

    // The press that selects never enters editing; its release only sets the move cursor.
    frame->setNewlySelected(true);
    frame->setSelect({text}, true);
    const QPoint at = board.mapFromScene(text->sceneBoundingRect().center());
    frame->inputMousePress(at);
    frame->inputMouseRelease(at);
    QCOMPARE(text->textInteractionFlags(), Qt::NoTextInteraction);
    QVERIFY(!frame->isNewlySelected());

    // A drag moves frame and text, not editing it.
    QSignalSpy enter(frame, &ITextElementFrame::sgEnterTextEditor);
    frame->inputMousePress(at);
    frame->inputMouseMove(at + QPoint(5, 0));
    frame->inputMouseMove(at + QPoint(10, 0));
    frame->inputMouseRelease(at + QPoint(10, 0));
    QCOMPARE(text->pos(), QPointF(110, 100));
    QCOMPARE(enter.count(), 0);

    // 3 units apart: still no editing; 2 apart: the caret goes where it was clicked.
    const QPoint start = board.mapFromScene(text->mapToScene(QPointF(4, text->boundingRect().height() / 2)));
    frame->inputMousePress(start);
    frame->inputMouseRelease(start + QPoint(2, 1));
    QCOMPARE(enter.count(), 0);
    frame->inputMousePress(start);
    frame->inputMouseRelease(start + QPoint(1, 1));
    QCOMPARE(enter.count(), 1);
    QCOMPARE(text->textInteractionFlags(), Qt::TextEditorInteraction);
    QVERIFY(board.mapToScene(QPoint(0, 0)) != QPointF(0, 0));
    QVERIFY2(text->textCursor().position() <= 1, qPrintable(QString::number(text->textCursor().position())));
    QVERIFY(frame->isTextItemEditing());

    // Ending the edit announces leaving the editor; an empty text shows its placeholder.
    QSignalSpy leave(frame, &ITextElementFrame::sgLeaveTextEditor);
    frame->textItemEndEdit();
    QVERIFY(leave.count() >= 1);
    QVERIFY(!frame->isTextItemEditing());
    frame->setFocusForTextItem();
    text->setPlainText(QString());
    frame->textItemEndEdit();
    QVERIFY(text->isPlaceholderShown());
    QVERIFY(!frame->isTextItemEditing());

    // With the board turned by 90 degrees a drag of (10, 0) moves by (0, -10).
    board.rotatex(90);
    text->setPlainText(QStringLiteral("turned"));
    frame->updateFrame();
    const QPointF was = text->pos();
    const QPoint on = board.mapFromScene(text->sceneBoundingRect().center());
    frame->inputMousePress(on);
    frame->inputMouseMove(on + QPoint(10, 0));
    frame->inputMouseRelease(on + QPoint(10, 0));
    QCOMPARE(text->pos(), was + QPointF(0, -10));

    // A page scale of zero counts as none rather than sending the text to infinity.
    slide->setScaleFactor(0.0);
    frame->inputMousePress(on);
    frame->inputMouseMove(on + QPoint(10, 0));
    frame->inputMouseRelease(on + QPoint(10, 0));
    QCOMPARE(text->pos(), was + QPointF(0, -20));
}

void TestBoard::textFrameForgetsRemovedText()
{
    IBoard board(TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    auto* slide = new ISlide;
    board.insert(slide, true);
    auto* frame = new ITextElementFrame(false);
    slide->setSceneElementFrame(frame);

    // Delegating a new item removes and deletes an empty text delegated before.
    QPointer<ITextElement> empty = new ITextElement;
    slide->add(empty, false);
    frame->setDelegated(empty);
    auto* kept = new ITextElement(QStringLiteral("kept"));
    slide->add(kept, false);
    frame->setDelegated(kept);
    QVERIFY(!slide->elements().contains(empty.data()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(empty.isNull());

    // A page clear resets the frame before the texts go.
    frame->setSelect({kept}, true);
    slide->clearPathItems();
    QVERIFY(!frame->delegated());
    frame->updateFrame();
    frame->textItemEndEdit();
    frame->inputMousePress(QPointF(1, 1));
    frame->inputMouseRelease(QPointF(1, 1));
}

void TestBoard::textFramePinch()
{
    QGraphicsScene scene;
    auto* frame = new ITextElementFrame(false);
    scene.addItem(frame);
    auto* box = new BoxItem(100, 40);
    scene.addItem(box);
    frame->setSelect({box}, true);

    auto pinch = [frame](double factor) {
        auto* gesture = new QPinchGesture;
        gesture->setChangeFlags(QPinchGesture::ScaleFactorChanged);
        gesture->setLastScaleFactor(factor);
        QGestureEvent event({gesture});
        frame->inputGestureEvent(&event);
        const bool accepted = event.isAccepted(gesture);
        delete gesture;
        return accepted;
    };
    QVERIFY(pinch(1.5));
    QCOMPARE(box->sceneBoundingRect().size(), QSizeF(150, 60));
    QCOMPARE(box->sceneBoundingRect().center(), QPointF(50, 20));
    // Too small: unchanged.
    QVERIFY(pinch(0.2));
    QCOMPARE(box->sceneBoundingRect().size(), QSizeF(150, 60));
    frame->lock(true);
    QVERIFY(!pinch(2.0));
    QCOMPARE(box->sceneBoundingRect().size(), QSizeF(150, 60));
}
