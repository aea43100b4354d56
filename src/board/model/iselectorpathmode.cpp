#include "board/model/iselectorpathmode.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/iabstractframe.h"
#include "board/item/ielement.h"
#include "board/item/ielementframe.h"

#include <QGraphicsScene>

namespace {
constexpr int kTextElementType = QGraphicsItem::UserType + 11;
}

ISelectorPathMode::ISelectorPathMode(IBoard* board) : IMode(board)
{
    m_name = QStringLiteral("selectorPath");
}

ISelectorPathMode::~ISelectorPathMode() = default;

bool ISelectorPathMode::isTextElement(const QGraphicsItem* item)
{
    return item && item->type() == kTextElementType;
}

QCursor ISelectorPathMode::cursor() const
{
    return QCursor(Qt::ArrowCursor);
}

QGraphicsItem* ISelectorPathMode::hitItem() const
{
    if (!m_hitItem)
        return nullptr;
    if (m_hitIsObject)
        return m_hitGuard.isNull() ? nullptr : m_hitItem;
    // Paths, figures and pictures are no QObjects: one still on the page is alive.
    // Only pointers are compared, the item itself may be freed.
    const QGraphicsScene* scene = m_board ? m_board->scene() : nullptr;
    return scene && scene->items().contains(m_hitItem) ? m_hitItem : nullptr;
}

void ISelectorPathMode::reset()
{
    m_hitItem = nullptr;
    m_hitGuard = nullptr;
    m_hitIsObject = false;
    m_textPress = false;
    m_framePress = false;
    m_pressed = false;
}

void ISelectorPathMode::deviceDown(IDeviceEventArgs* args)
{
    IMode::deviceDown(args);
    if (!args || !m_board)
        return;
    if (IBoardState* s = state())
        s->setTouchingBoard(true);
    const QPointF pos = args->position().toPointF(0, 0);
    reset();
    m_pressed = true;
    m_hitItem = m_board->at(pos);
    m_hitGuard = dynamic_cast<QObject*>(m_hitItem);
    m_hitIsObject = !m_hitGuard.isNull();
    IElementFrame* ef = m_board->elementFrame();
    ISceneElementFrame* sf = m_board->sceneElementFrame();
    if (!sf) {
        m_board->hideFrame();
        return;
    }
    auto* frameItem = dynamic_cast<QGraphicsItem*>(sf);

    if (isTextElement(m_hitItem) && !ef->isItemGroup(m_hitItem) && !sf->isItemGroup(m_hitItem)) {
        IElement* element = itemElement(m_hitItem);
        const bool locked = element && element->isLocked();
        if (!locked) {
            ef->showFrame(false);
            ef->setItemGroupVisible(false);
        }
        if (frameItem && frameItem->isVisible() && sf->delegated() == m_hitItem) {
            sf->setDelegated(m_hitItem);
        } else {
            sf->setNewlySelected(true);
            sf->setDelegated(m_hitItem);
        }
        if (!sf->isTextItemEditing() && !locked)
            sf->showFrame(false);
        sf->emitSelectionChanged(false);
        sf->inputMousePress(pos);
        m_textPress = true;
        return;
    }
    if (m_hitItem && m_hitItem == frameItem) {
        m_framePress = true;
        sf->inputMousePress(pos);
        return;
    }
    if (sf->isItemGroup(m_hitItem))
        return;
    ef->showFrame(false);
    ef->setItemGroupVisible(false);
    sf->showFrame(false);
    sf->setItemGroupVisible(false);
    sf->textItemEndEdit();
}

void ISelectorPathMode::deviceMove(IDeviceEventArgs* args)
{
    IMode::deviceMove(args);
    if (!args || !m_board || !m_pressed)
        return;
    const QPointF pos = args->position().toPointF(0, 0);
    ISceneElementFrame* sf = m_board->sceneElementFrame();
    if (!sf)
        return;
    if (m_framePress)
        sf->inputMouseMove(pos);
    if (m_textPress && isTextElement(hitItem()))
        sf->inputMouseMove(pos);
}

void ISelectorPathMode::deviceUp(IDeviceEventArgs* args)
{
    IMode::deviceUp(args);
    if (IBoardState* s = state())
        s->setTouchingBoard(false);
    // A release without a press of ours (it began outside the picture) does nothing.
    if (!args || !m_board || !m_pressed) {
        reset();
        return;
    }
    const QPointF pos = args->position().toPointF(0, 0);
    ISceneElementFrame* sf = m_board->sceneElementFrame();
    if (sf && m_framePress) {
        m_framePress = false;
        sf->inputMouseRelease(pos);
    }
    if (sf && isTextElement(hitItem()) && sf->delegated() == m_hitItem) {
        sf->inputMouseRelease(pos);
        sf->showFrame(true);
        sf->emitSelectionChanged(true);
    }
    reset();
}

void ISelectorPathMode::switchOn()
{
    IMode::switchOn();
    if (m_board)
        m_board->setCursor(QCursor(Qt::ArrowCursor));
}

void ISelectorPathMode::switchOff()
{
    IMode::switchOff();
    reset();
    if (!m_board)
        return;
    IElementFrame* ef = m_board->elementFrame();
    if (ef) {
        ef->showFrame(false);
        ef->setItemGroupVisible(false);
    }
    if (ISceneElementFrame* sf = m_board->sceneElementFrame()) {
        sf->showFrame(false);
        sf->setItemGroupVisible(false);
        sf->textItemEndEdit();
        sf->emitSelectionChanged(false);
    }
}
