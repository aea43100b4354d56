// Pointer, gesture and text-editing input of the text frame.
#include "board/item/itextelementframe.h"

#include <cmath>

#include <QAbstractTextDocumentLayout>
#include <QGestureEvent>
#include <QGraphicsSceneMouseEvent>
#include <QLineF>
#include <QPinchGesture>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "board/item/itextelement.h"

namespace {

QCursor moveCursor()
{
    const QPixmap pixmap(QStringLiteral(":/cursors/cursors/move.png"));
    return QCursor(pixmap, -1, -1);
}

} // namespace

void ITextElementFrame::inputMousePressEvent(QGraphicsSceneMouseEvent* event)
{
    auto* button = qobject_cast<ITextFrameButton*>(sender());
    // A locked item keeps its shape: only the unlock handle answers.
    if (m_locked && button != m_buttons[Unlock])
        return;
    const QPointF p = event->scenePos();
    bool gesture = true;
    if (button && button == m_buttons[TopLeft]) {
        if (m_translationEnabled) {
            button->grabMouse();
            m_moving = true;
        }
    } else if (button && button == m_buttons[Rotate]) {
        if (m_rotationEnabled)
            m_rotating = true;
    } else if (button && (button == m_buttons[BottomRight] || button == m_buttons[TopRight] ||
                          button == m_buttons[BottomLeft])) {
        if (m_scaleEnabled)
            m_scaling = true;
    } else if (button && (button == m_buttons[Left] || button == m_buttons[Right])) {
        const bool enabled = button == m_buttons[Left] ? m_leftWidthEnabled : m_rightWidthEnabled;
        if (!enabled)
            return;
        m_scaling = true;
        m_handleResizing = true;
    } else {
        gesture = false;
    }
    if (gesture)
        m_transformPending = true;
    m_pressPoint = p;
    m_lastHandlePoint = p;
}

void ITextElementFrame::moveItemBy(const QPointF& delta)
{
    if (QGraphicsItem* item = delegated())
        item->moveBy(delta.x(), delta.y());
}

// Scales the delegate by factor about a point given in its own coordinates.
void ITextElementFrame::scaleItem(double factor, const QPointF& c)
{
    QGraphicsItem* item = delegated();
    if (!item)
        return;
    QTransform t = item->transform();
    t.translate(c.x(), c.y());
    t.scale(factor, factor);
    t.translate(-c.x(), -c.y());
    item->setTransform(t);
}

void ITextElementFrame::inputMouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    auto* button = qobject_cast<ITextFrameButton*>(sender());
    QGraphicsItem* item = delegated();
    const QPointF p = event->scenePos();
    const float dx = float(p.x()) - float(m_lastHandlePoint.x());
    const float dy = float(p.y()) - float(m_lastHandlePoint.y());
    const double w = m_contentW;
    const double h = m_contentH;
    if (!item || !button || (m_locked && button != m_buttons[Unlock])) {
        m_lastHandlePoint = p;
        return;
    }

    if (button == m_buttons[Left] && m_handleResizing) {
        emitTransformBeforeChanged();
        if (isTextType(item)) {
            const double nw = qMax(double(MinSide), w - dx);
            const double nh = qMax(double(MinSide), h);
            setFrameSize(nw, nh);
            if (auto* resizable = dynamic_cast<IResizableItem*>(item))
                resizable->resize(QSizeF(nw, nh));
            // The right edge stays where it is.
            item->moveBy(float(w) - float(nw), 0);
        }
        emit sgTransformChanging();
    } else if (button == m_buttons[Right] && m_handleResizing) {
        emitTransformBeforeChanged();
        const double nw = qMax(double(MinSide), w + dx);
        const double nh = qMax(double(MinSide), h);
        setFrameSize(nw, nh);
        if (auto* resizable = dynamic_cast<IResizableItem*>(item))
            resizable->resize(QSizeF(nw, nh));
        emit sgTransformChanging();
    } else if (button == m_buttons[TopLeft] && m_moving) {
        QPointF d = p - m_lastHandlePoint;
        if (slide()) {
            const QPointF s = slideScale();
            d = QPointF(d.x() / s.x(), d.y() / s.y());
        }
        emitTransformBeforeChanged();
        moveItemBy(d);
        emit sgTransformChanging();
    } else if (button == m_buttons[Rotate] && m_rotating) {
        const QPointF c = button->mapFromScene(sceneBoundingRect().center());
        const double angle = QLineF(m_lastHandlePoint, c).angleTo(QLineF(p, c));
        emitTransformBeforeChanged();
        item->setTransformOriginPoint(item->boundingRect().center());
        item->setRotation(item->rotation() - angle);
        emit sgTransformChanging();
    } else if (m_scaling && w > 0 && h > 0 &&
               (button == m_buttons[BottomRight] || button == m_buttons[TopRight] ||
                button == m_buttons[BottomLeft])) {
        const QRectF before = item->sceneBoundingRect();
        double nw = 0;
        double nh = 0;
        QPointF anchor;
        if (button == m_buttons[BottomRight]) {
            nw = qMax(double(MinSide), w + dx);
            nh = qMax(double(MinSide), h + dy);
            anchor = before.topLeft();
        } else if (button == m_buttons[TopRight]) {
            nw = qMax(double(MinSide), w + dx);
            nh = qMax(double(MinSide), h - dy);
            anchor = before.bottomLeft();
        } else {
            nw = qMax(double(MinSide), w - dx);
            nh = qMax(double(MinSide), h + dy);
            anchor = before.topRight();
        }
        const double f = (nw / w + nh / h) / 2;
        setFrameSize(nw, nh);
        const QPointF c = sceneBoundingRect().center();
        emitTransformBeforeChanged();
        scaleItem(f, item->mapFromScene(c));
        emit sgTransformChanging();
        // The opposite corner stays put.
        const QRectF after = item->sceneBoundingRect();
        QPointF corner;
        if (button == m_buttons[BottomRight])
            corner = after.topLeft();
        else if (button == m_buttons[TopRight])
            corner = after.bottomLeft();
        else
            corner = after.topRight();
        moveItemBy(anchor - corner);
    }
    m_lastHandlePoint = p;
}

void ITextElementFrame::inputMouseReleaseEvent(QGraphicsSceneMouseEvent*)
{
    auto* button = qobject_cast<ITextFrameButton*>(sender());
    if (!button) {
        update();
        return;
    }
    if (button == m_buttons[TopLeft]) {
        if (m_moving) {
            m_moving = false;
            button->ungrabMouse();
            updateFrame();
            emitTransformAfterChanged();
            setFocusForTextItem();
        }
    } else if (button == m_buttons[Rotate] || button == m_buttons[BottomRight] ||
               button == m_buttons[TopRight] || button == m_buttons[BottomLeft]) {
        const bool was = m_rotating || m_scaling;
        m_rotating = false;
        m_scaling = false;
        m_handleResizing = false;
        if (was) {
            emitTransformAfterChanged();
            updateFrame();
            setHandleButtonOpaque(true);
            setFocusForTextItem();
        }
    } else if (button == m_buttons[Left] || button == m_buttons[Right]) {
        const bool was = m_handleResizing;
        m_scaling = false;
        m_handleResizing = false;
        if (was) {
            updateFrame();
            emitTransformAfterChanged();
            setHandleButtonOpaque(true);
            setFocusForTextItem();
        }
    } else if (button == m_buttons[Unlock] && m_locked) {
        unlock(true);
    }
    update();
}

void ITextElementFrame::setFocusForTextItem()
{
    QGraphicsItem* item = delegated();
    auto* text = dynamic_cast<QGraphicsTextItem*>(item);
    if (!isTextType(item) || !text)
        return;
    text->setTextInteractionFlags(Qt::TextEditorInteraction);
    text->setCursor(QCursor(Qt::IBeamCursor));
    text->setFocus(Qt::OtherFocusReason);
    emit sgEnterTextEditor();
}

void ITextElementFrame::inputMousePress(const QPointF& pos, Qt::KeyboardModifiers)
{
    if (m_locked)
        return;
    QGraphicsItem* item = delegated();
    auto* text = dynamic_cast<QGraphicsTextItem*>(item);
    m_moving = false;
    if ((isTextType(item) && text && text->textInteractionFlags() == Qt::NoTextInteraction) ||
        isWidgetType(item)) {
        m_moving = true;
        m_transformPending = true;
    }
    m_pressPoint = pos;
    m_lastPoint = pos;
}

void ITextElementFrame::inputMouseMove(const QPointF& pos, Qt::KeyboardModifiers)
{
    if (!m_moving) {
        m_lastPoint = pos;
        return;
    }
    // Through the board: its zoom and rotation turn a screen drag into a scene move.
    QPointF delta = viewToScene(pos) - viewToScene(m_lastPoint);
    if (slide()) {
        const QPointF s = slideScale();
        delta = QPointF(delta.x() / s.x(), delta.y() / s.y());
    }
    moveBy(delta.x(), delta.y());
    emitTransformBeforeChanged();
    moveItemBy(delta);
    emit sgTransformChanging();
    m_lastPoint = pos;
}

void ITextElementFrame::inputMouseRelease(const QPointF& pos, Qt::KeyboardModifiers)
{
    m_moving = false;
    updateFrame();
    emitTransformAfterChanged();
    QGraphicsItem* item = delegated();
    auto* text = dynamic_cast<QGraphicsTextItem*>(item);
    if (m_newlySelected) {
        m_newlySelected = false;
        if (isTextType(item))
            item->setCursor(isTextItemEditing() ? QCursor(Qt::IBeamCursor) : moveCursor());
        else if (isWidgetType(item))
            item->setCursor(QCursor(Qt::ArrowCursor));
        return;
    }
    if (!isTextType(item) || !text || isTextItemEditing())
        return;
    const QPointF moved = m_pressPoint - pos;
    if (std::fabs(moved.x()) + std::fabs(moved.y()) >= 3.0)
        return;
    // A second short click on a selected text puts the caret where it was clicked.
    text->setTextInteractionFlags(Qt::TextEditorInteraction);
    const QPointF local = text->mapFromScene(viewToScene(pos));
    const int at = text->document()->documentLayout()->hitTest(local, Qt::FuzzyHit);
    QTextCursor cursor(text->document());
    cursor.setPosition(qMax(0, at));
    text->setTextCursor(cursor);
    text->setFocus(Qt::OtherFocusReason);
    text->setCursor(QCursor(Qt::IBeamCursor));
    emit sgEnterTextEditor();
    onCursorPositionChanged();
}

void ITextElementFrame::inputGestureEvent(QGestureEvent* event)
{
    auto* pinch = event ? static_cast<QPinchGesture*>(event->gesture(Qt::PinchGesture)) : nullptr;
    if (!pinch)
        return;
    if (m_locked) {
        event->ignore(pinch);
        return;
    }
    m_handleResizing = true;
    QGraphicsItem* item = delegated();
    if (pinch->state() == Qt::GestureStarted) {
        m_transformPending = true;
        m_pinchStepped = false;
    }
    if (pinch->changeFlags() & QPinchGesture::ScaleFactorChanged) {
        if (!m_pinchStepped) {
            m_pinchStepped = true;
            m_scaling = true;
            update();
            setHandleButtonOpaque(false);
        }
        const double f = pinch->lastScaleFactor();
        if (item) {
            const QRectF r = item->sceneBoundingRect();
            const QPointF c = r.center();
            emitTransformBeforeChanged();
            const double nw = r.width() * f;
            const double nh = r.height() * f;
            if ((nw > MinSide || qFuzzyCompare(nw, double(MinSide))) &&
                (nh > MinSide || qFuzzyCompare(nh, double(MinSide)))) {
                scaleItem(f, item->mapFromScene(c));
                const QPointF shift = c - item->sceneBoundingRect().center();
                moveItemBy(shift);
                emit sgTransformChanging();
            }
        }
    }
    if (item && (pinch->state() == Qt::GestureUpdated || pinch->state() == Qt::GestureFinished))
        updateFrame();
    if (pinch->state() == Qt::GestureFinished || pinch->state() == Qt::GestureCanceled) {
        if (m_rotating || m_scaling) {
            setHandleButtonOpaque(true);
            update();
        }
        m_moving = m_rotating = m_scaling = m_handleResizing = false;
        m_pinchStepped = false;
        showFrame(true);
        emitTransformAfterChanged();
    }
    event->accept(pinch);
}

void ITextElementFrame::textItemBeginEdit()
{
    QGraphicsItem* item = delegated();
    auto* text = dynamic_cast<QGraphicsTextItem*>(item);
    if (!isTextType(item) || !text)
        return;
    text->setTextInteractionFlags(Qt::TextEditorInteraction);
    m_savedCursor = text->cursor();
    QTextCursor cursor = text->textCursor();
    cursor.movePosition(QTextCursor::End);
    text->setTextCursor(cursor);
    text->setCursor(QCursor(Qt::IBeamCursor));
    text->setVisible(true);
    text->grabMouse();
    text->setFocus(Qt::OtherFocusReason);
    text->ungrabMouse();
    emit sgEnterTextEditor();
}

void ITextElementFrame::textItemEndEdit()
{
    QGraphicsItem* item = delegated();
    auto* text = dynamic_cast<ITextElement*>(item);
    if (!isTextType(item) || !text)
        return;
    if (text->toPlainText().isEmpty()) {
        text->finishEdit();
    } else if (text->isEditable()) {
        text->finishEdit();
        emit sgLeaveTextEditor();
    }
}

bool ITextElementFrame::isTextItemEditing() const
{
    QGraphicsItem* item = delegated();
    auto* text = dynamic_cast<QGraphicsTextItem*>(item);
    return isTextType(item) && text && (text->textInteractionFlags() & Qt::TextEditorInteraction);
}

void ITextElementFrame::onDocumentSizeChanged()
{
    if (!m_handleResizing)
        updateFrame();
}

void ITextElementFrame::onCursorPositionChanged()
{
    auto* text = dynamic_cast<ITextElement*>(delegated());
    if (!text)
        return;
    const QTextCursor cursor = text->textCursor();
    const QTextCharFormat format = cursor.charFormat();
    emit sgFontChanged(format.font());
    emit sgBackgroundChanged(format.brushProperty(QTextFormat::BackgroundBrush).color());
    emit sgForegoundChanged(format.brushProperty(QTextFormat::ForegroundBrush).color());
    const Qt::Alignment a = cursor.blockFormat().alignment();
    emit sgAlignmentChanged(a == 0 ? Qt::AlignLeft : a);
}
