#include "board/item/itextelementframe.h"

#include <QAbstractTextDocumentLayout>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QIcon>
#include <QPainter>
#include <QTextDocument>

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ielement.h"
#include "board/item/itextelement.h"

namespace {

constexpr int M = 12;   // handle margin
constexpr int P = 10;   // frame spacing
constexpr int kTextA = QGraphicsItem::UserType + 10;
constexpr int kTextB = QGraphicsItem::UserType + 11;
constexpr int kWidget = QGraphicsItem::UserType + 12;

QCursor moveCursor()
{
    const QPixmap pixmap(QStringLiteral(":/cursors/cursors/move.png"));
    return QCursor(pixmap, -1, -1);
}

} // namespace

ITextFrameButton::ITextFrameButton(bool clickOnPress, QGraphicsItem* parent)
    : QGraphicsPixmapItem(parent), m_clickOnPress(clickOnPress)
{
    init();
}

ITextFrameButton::ITextFrameButton(const QString& fileName, bool clickOnPress, QGraphicsItem* parent)
    : QGraphicsPixmapItem(QPixmap(fileName), parent), m_clickOnPress(clickOnPress), m_fileName(fileName)
{
    init();
}

void ITextFrameButton::init()
{
    setAcceptedMouseButtons(Qt::LeftButton);
    setCacheMode(NoCache);
}

void ITextFrameButton::setFileName(const QString& path, double factor)
{
    QPixmap pixmap(path);
    if (factor != 1.0 && !pixmap.isNull())
        pixmap = QIcon(path).pixmap(QSize(int(pixmap.width() * factor), int(pixmap.height() * factor)));
    setPixmap(pixmap);
}

void ITextFrameButton::setIconTransparent(bool transparent)
{
    m_iconTransparent = transparent;
    setOpacity(transparent ? 0.0001 : 1.0);
}

void ITextFrameButton::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressed = true;
    grabMouse();
    if (m_clickOnPress)
        emit clicked(false);
    emit mousePress(event);
    event->accept();
}

void ITextFrameButton::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (m_pressed)
        emit mouseMove(event);
}

void ITextFrameButton::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    m_pressed = false;
    ungrabMouse();
    if (!m_clickOnPress)
        emit clicked(false);
    emit mouseRelease(event);
    event->accept();
}

void ITextFrameButton::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event)
{
    mousePressEvent(event);
}

ITextElementFrame::ITextElementFrame(bool, QGraphicsItem* parent) : QGraphicsRectItem(parent)
{
    setZValue(2147483647.0);
    setRect(QRectF());
    struct Made { Handle which; Qt::CursorShape cursor; };
    const Made made[] = {{Left, Qt::SizeHorCursor},     {Right, Qt::SizeHorCursor},
                         {BottomRight, Qt::SizeFDiagCursor}, {TopLeft, Qt::SizeFDiagCursor},
                         {TopRight, Qt::SizeBDiagCursor}, {BottomLeft, Qt::SizeBDiagCursor},
                         {Unlock, Qt::ArrowCursor}};
    for (const Made& m : made) {
        auto* button = new ITextFrameButton(true, nullptr);
        button->setParentItem(this);
        button->setCursor(QCursor(m.cursor));
        connect(button, &ITextFrameButton::mousePress, this, &ITextElementFrame::inputMousePressEvent);
        connect(button, &ITextFrameButton::mouseMove, this, &ITextElementFrame::inputMouseMoveEvent);
        connect(button, &ITextFrameButton::mouseRelease, this, &ITextElementFrame::inputMouseReleaseEvent);
        m_buttons[m.which] = button;
    }
    setCursor(moveCursor());
    showHandleButtons(false);
}

ITextElementFrame::~ITextElementFrame() = default;

bool ITextElementFrame::isTextType(const QGraphicsItem* item)
{
    if (!item)
        return false;
    const int t = item->type();
    return t == kTextA || t == kTextB || t == 8 || t == 9;
}

bool ITextElementFrame::isWidgetType(const QGraphicsItem* item)
{
    return item && item->type() == kWidget;
}

QGraphicsItem* ITextElementFrame::delegated() const
{
    // A delegate that is a QObject and has been deleted reads as none.
    if (m_delegatedIsObject && m_delegatedGuard.isNull())
        return nullptr;
    return m_delegated;
}

ISlide* ITextElementFrame::slide() const
{
    return qobject_cast<ISlide*>(scene());
}

QPointF ITextElementFrame::slideScale() const
{
    ISlide* page = slide();
    if (!page)
        return QPointF(1.0, 1.0);
    const double s = page->scaleFactor();
    const QMatrix m = page->matrix();
    const double sx = s * m.m11();
    const double sy = s * m.m22();
    // A zero factor would divide by zero: take it as no scaling.
    return QPointF(sx != 0.0 ? sx : 1.0, sy != 0.0 ? sy : 1.0);
}

int ITextElementFrame::boardRotation() const
{
    if (!scene() || scene()->views().isEmpty())
        return 0;
    auto* board = qobject_cast<IBoard*>(scene()->views().first());
    return board ? board->rotateValue() : 0;
}

QPointF ITextElementFrame::viewToScene(const QPointF& pos) const
{
    if (!scene() || scene()->views().isEmpty())
        return pos;
    QGraphicsView* view = scene()->views().first();
    return view->mapToScene(pos.toPoint());
}

void ITextElementFrame::setFramePosition(const QPointF& pos)
{
    m_contentPos = pos;
    m_framePos = pos - QPointF(P, P);
    setPos(m_framePos - QPointF(M + m_left, M + m_top));
}

QPointF ITextElementFrame::framePosition() const
{
    return m_framePos;
}

void ITextElementFrame::setFrameSize(const QSizeF& size)
{
    setFrameSize(size.width(), size.height());
}

void ITextElementFrame::setFrameSize(double w, double h)
{
    double a = qMax(double(MinSide), w);
    double b = qMax(double(MinSide), h);
    int shiftX = 0;
    int shiftY = 0;
    if (a != w)
        shiftX = int((w - a) * 0.5);
    else
        a = w;
    if (b != h)
        shiftY = int((h - b) * 0.5);
    else
        b = h;
    // A too small item stays centred in its minimum frame.
    if (shiftX != 0 || shiftY != 0)
        setFramePosition(m_contentPos + QPointF(shiftX, shiftY));
    m_contentW = int(a);
    m_contentH = int(b);
    prepareGeometryChange();
    m_frameW = 2 * P + a;
    m_frameH = 2 * P + b;
    calcAllRects();
}

QSizeF ITextElementFrame::frameSize() const
{
    return QSizeF(m_frameW, m_frameH);
}

QRectF ITextElementFrame::boundingRect() const
{
    return QRectF(0, 0, m_frameW + int(2 * M + m_left + m_right), m_bottom + 2 * M + m_frameH + m_top);
}

QRectF ITextElementFrame::outlineRect() const
{
    return boundingRect().adjusted(M + m_left, M + m_top, -(M + m_right), -(M + m_bottom));
}

void ITextElementFrame::calcAllRects()
{
    const QRectF o = outlineRect();
    const double l = o.left();
    const double t = o.top();
    const double r = o.left() + o.width();
    const double b = o.top() + o.height();
    const double xm = o.center().x();
    const double ym = o.center().y();
    const double hw = m_handleSize.width();
    const double hh = m_handleSize.height();
    auto at = [hw, hh](double x, double y) { return QRectF(x - hw / 2, y - hh / 2, hw, hh); };
    m_areas[TopLeftArea] = at(l, t);
    m_areas[TopRightArea] = at(r, t);
    m_areas[BottomLeftArea] = at(l, b);
    m_areas[BottomRightArea] = at(r, b);
    m_areas[LeftMidArea] = at(l, ym);
    m_areas[TopMidArea] = at(xm, t);
    m_areas[RightMidArea] = at(r, ym);
    m_areas[BottomMidArea] = at(xm, b);
    m_areas[UnlockArea] = QRectF(r + hw / 2, t - hh / 2, hw, hh);
}

QRectF ITextElementFrame::getUnlockAread() const
{
    return m_areas[UnlockArea];
}

QPainterPath ITextElementFrame::shape() const
{
    const QRectF br = boundingRect();
    QPainterPath band;
    band.addRect(QRectF(br.x(), br.y() + m_top, br.width(), br.height() - m_top));
    QPainterPath inner;
    inner.addRect(br.adjusted(M + P + m_left, M + P + m_top, -(M + P), -(M + P)));
    return band.subtracted(inner);
}

void ITextElementFrame::updateFrame(const QPointF& pos, double width, double height)
{
    setFramePosition(pos);
    setFrameSize(width, height);
}

void ITextElementFrame::updateFrame()
{
    QGraphicsItem* item = delegated();
    if (!item)
        return;
    const QRectF r = item->sceneBoundingRect();
    setFramePosition(r.topLeft());
    setFrameSize(r.width(), r.height());
    update();
    calcAllRects();
    auto place = [](ITextFrameButton* button, const QRectF& area) {
        if (!button)
            return;
        const QSizeF half = button->sceneBoundingRect().size() / 2;
        button->setPos(area.center() - QPointF(half.width(), half.height()));
    };
    place(m_buttons[Rotate], getTopRightArea());
    place(m_buttons[BottomRight], getBottomRightArea());
    place(m_buttons[TopLeft], getTopLeftArea());
    place(m_buttons[Left], getLeftMidArea());
    place(m_buttons[Right], getRightMidArea());
    place(m_buttons[TopRight], getTopRightArea());
    place(m_buttons[BottomLeft], getBottomLeftArea());
    place(m_buttons[Unlock], getUnlockAread());
}

void ITextElementFrame::increaseTop(double value, double spacing, bool update)
{
    if (value <= 0)
        return;
    prepareGeometryChange();
    m_top = value + spacing;
    if (update)
        updateFrame();
}

void ITextElementFrame::increaseRight(double value, double spacing, bool update)
{
    if (value <= 0)
        return;
    prepareGeometryChange();
    m_right = value + spacing;
    if (update)
        updateFrame();
}

void ITextElementFrame::increaseLeft(double value, double spacing, bool update)
{
    if (value <= 0)
        return;
    prepareGeometryChange();
    m_left = value + spacing;
    if (update)
        updateFrame();
}

void ITextElementFrame::increaseBottom(double value, double spacing, bool update)
{
    if (value <= 0)
        return;
    prepareGeometryChange();
    m_bottom = value + spacing;
    if (update)
        updateFrame();
}

QSizeF ITextElementFrame::limitSize(double width, double height) const
{
    return QSizeF(qMax(double(MinSide), width), qMax(double(MinSide), height));
}

void ITextElementFrame::setControlHandlerSize(const QSizeF& size)
{
    const QSize s(int(size.width()), int(size.height()));
    if (s.width() < 1 || s.height() < 1)
        return;
    m_handleSize = s;
    calcAllRects();
}

void ITextElementFrame::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (m_moving || m_rotating || m_scaling)
        return;
    drawFrame(painter);
    drawFrameExtension(painter);
}

void ITextElementFrame::drawFrame(QPainter* painter)
{
    double width = 2.0;
    if (slide()) {
        // Two pixels on screen whatever the page's scale.
        const QPointF s = slideScale();
        width = 1.0 / s.x() + 1.0 / s.y();
    }
    const QGraphicsItem* item = delegated();
    const auto* text = dynamic_cast<const QGraphicsTextItem*>(item);
    const bool editing = isTextType(item) && text && text->textInteractionFlags() == Qt::TextEditorInteraction;
    painter->save();
    painter->setPen(QPen(QColor(95, 177, 222), width, editing ? Qt::DotLine : Qt::SolidLine, Qt::RoundCap,
                         Qt::RoundJoin));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(outlineRect());
    painter->restore();
}

void ITextElementFrame::drawFrameExtension(QPainter*)
{
}

void ITextElementFrame::showFrame(bool show)
{
    QGraphicsItem* item = delegated();
    if (show) {
        setVisible(true);
        if (item)
            m_savedCursor = item->cursor();
    } else {
        setVisible(false);
        restoreCursor();
    }
}

void ITextElementFrame::restoreCursor()
{
    if (QGraphicsItem* item = delegated())
        item->setCursor(m_savedCursor);
}

void ITextElementFrame::setEventSourceItems(const QList<QGraphicsItem*>& items)
{
    if (items.size() != 1)
        return;
    if (items != m_eventSource)
        m_eventSource = items;
    setDelegated(items.first());
}

void ITextElementFrame::setEventSource(QObject* source)
{
    if (auto* item = dynamic_cast<QGraphicsItem*>(source))
        setEventSourceItems({item});
}

QObject* ITextElementFrame::eventSource() const
{
    QGraphicsItem* item = delegated();
    return item ? dynamic_cast<QObject*>(item) : nullptr;
}

void ITextElementFrame::setSelect(const QList<QGraphicsItem*>& items, bool selected)
{
    if (items.size() != 1)
        return;
    setEventSourceItems(items);
    applyLock(items.first());
    emitSelectionChanged(selected);
    showFrame(selected);
}

void ITextElementFrame::applyLock(QGraphicsItem* item)
{
    IElement* element = itemElement(item);
    if (element && element->isLocked())
        lock(false);
    else
        unlock(false);
}

void ITextElementFrame::setDelegated(QGraphicsItem* item)
{
    QGraphicsItem* current = delegated();
    if (item == current) {
        if (!item)
            return;
        if (!m_eventSource.contains(item))
            m_eventSource.append(item);
        applyLock(item);
        updateFrame();
        return;
    }
    if (!item)
        return;

    // Let go of the old delegate first: removing it from its page calls back into the frame.
    auto* oldText = dynamic_cast<ITextElement*>(current);
    forgetDelegated();
    m_delegated = item;
    m_delegatedGuard = dynamic_cast<QObject*>(item);
    m_delegatedIsObject = !m_delegatedGuard.isNull();
    if (!m_eventSource.contains(item))
        m_eventSource.append(item);
    if (oldText && oldText->toPlainText().isEmpty() && slide()) {
        // An empty text left behind is taken off its page and deleted.
        slide()->remove(oldText, false);
        if (!oldText->scene())
            oldText->deleteLater();
    }
    if (auto* text = dynamic_cast<ITextElement*>(item)) {
        connect(text->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
                &ITextElementFrame::onDocumentSizeChanged);
        connect(text, &ITextElement::cursorPositionChanged, this, &ITextElementFrame::onCursorPositionChanged);
        connect(text, &ITextElement::endEdit, this, &ITextElementFrame::sgLeaveTextEditor);
    }
    applyLock(item);
    updateFrame();
}

// Drops the delegate and every connection from it; the item itself is left alone.
void ITextElementFrame::forgetDelegated()
{
    QGraphicsItem* current = delegated();
    if (auto* text = dynamic_cast<ITextElement*>(current)) {
        text->setTextInteractionFlags(Qt::NoTextInteraction);
        disconnect(text, nullptr, this, nullptr);
        disconnect(text->document()->documentLayout(), nullptr, this, nullptr);
    }
    m_eventSource.removeAll(m_delegated);
    m_delegated = nullptr;
    m_delegatedGuard = nullptr;
    m_delegatedIsObject = false;
}

void ITextElementFrame::clearDelegated()
{
    if (!m_delegated)
        return;
    m_moving = m_rotating = m_scaling = m_handleResizing = false;
    for (ITextFrameButton* button : m_buttons) {
        if (button && button->isPressed())
            button->ungrabMouse();
    }
    restoreCursor();
    forgetDelegated();
    m_eventSource.clear();
    setVisible(false);
}

void ITextElementFrame::emitSelectionChanged(bool selected)
{
    m_selected = selected;
    emit sgSelectionChanged(selected);
}

void ITextElementFrame::setItemGroupVisible(bool)
{
}

bool ITextElementFrame::isItemGroup(QGraphicsItem* item) const
{
    if (!item)
        return false;
    if (item == this)
        return true;
    for (ITextFrameButton* button : m_buttons) {
        if (button && item == button)
            return true;
    }
    return false;
}

bool ITextElementFrame::hitTest(const QPointF&) const
{
    return false;
}

void ITextElementFrame::lock(bool)
{
    m_locked = true;
    showHandleButtons(false);
    m_buttons[Unlock]->setVisible(true);
    if (IElement* element = itemElement(delegated()))
        element->setLocked(true);
}

void ITextElementFrame::unlock(bool)
{
    m_locked = false;
    showHandleButtons(true);
    m_buttons[Unlock]->setVisible(false);
    if (IElement* element = itemElement(delegated()))
        element->setLocked(false);
}

void ITextElementFrame::setLocked(bool locked)
{
    m_locked = locked;
    showHandleButtons(!locked);
    m_buttons[Unlock]->setVisible(locked);
}

void ITextElementFrame::showHandleButtons(bool show)
{
    for (Handle h : {Rotate, Unlock, BottomRight, TopLeft, Left, Right}) {
        ITextFrameButton* button = m_buttons[h];
        if (button && button->isVisible() != show)
            button->setVisible(show);
    }
}

void ITextElementFrame::setHandleButtonOpaque(bool opaque)
{
    for (ITextFrameButton* button : m_buttons) {
        if (!button)
            continue;
        button->setIconTransparent(!opaque);
        button->setOpacity(opaque ? 1.0 : 0.0001);
    }
}

void ITextElementFrame::emitTransformBeforeChanged()
{
    if (!m_transformPending)
        return;
    m_transformPending = false;
    m_transformRecorded = true;
    emit sgTransformBeforeChanged();
    update();
    setHandleButtonOpaque(false);
}

void ITextElementFrame::emitTransformAfterChanged()
{
    if (!m_transformRecorded)
        return;
    setHandleButtonOpaque(true);
    emit sgTransformAfterChanged(QSet<QGraphicsItem*>(m_eventSource.begin(), m_eventSource.end()));
}

void ITextElementFrame::emitTransformChanging()
{
    emit sgTransformChanging();
}
