#include "board/model/itextmode.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/iabstractframe.h"
#include "board/item/itextelement.h"

ITextMode::ITextMode(IBoard* board) : IMode(board)
{
    m_name = QStringLiteral("text");
}

void ITextMode::deviceDown(IDeviceEventArgs* args)
{
    if (IBoardState* s = state())
        s->setTouchingBoard(true);
    setPressFlag(false);
    IMode::deviceDown(args);
    m_pressed = true;
}

void ITextMode::deviceMove(IDeviceEventArgs*)
{
    if (!m_pressed)
        return;
    if (IBoardState* s = state())
        s->setTouchingBoard(true);
}

void ITextMode::deviceUp(IDeviceEventArgs* args)
{
    if (!m_pressed || !args)
        return;
    m_pressed = false;
    if (args)
        m_deviceIds.removeAll(args->id());
    if (IBoardState* s = state())
        s->setTouchingBoard(false);
    createText(args->position().toPointF(0, 0));
}

ITextElement* ITextMode::createText(const QPointF& viewPos)
{
    ISlide* page = currentSlide();
    if (!m_board || !page)
        return nullptr;
    auto* text = new ITextElement(QString(), nullptr);
    text->setFontFamily(QStringLiteral("Arial"));
    text->setFontSize(24.0);
    text->setTextWidth(500.0);
    text->setPos(m_board->mapToScene(ISlidePoint(viewPos).toPoint()));
    text->setBackgroundColor(QColor(0, 0, 0, 0));
    IBoardState* s = state();
    QColor colour = s->inkColor;
    colour.setAlpha(qBound(0, s->inkOpacity, 255));
    text->setDefaultTextColor(colour);
    // Upright on the screen however the board is turned.
    text->setRotation(text->rotation() - m_board->rotateValue());
    page->add(text, false);

    ISceneElementFrame* frame = m_board->sceneElementFrame();
    if (frame) {
        frame->setSelect({text}, true);
        // Focus moves while the frame begins editing; that must not end the new text.
        text->setCanFocusOut(false);
        frame->textItemBeginEdit();
        text->setCanFocusOut(true);
    }
    s->setTextElement(text);
    text->setFocus(Qt::OtherFocusReason);
    return text;
}

void ITextMode::switchOn()
{
    IMode::switchOn();
    if (!m_board)
        return;
    m_savedCursor = m_board->cursor();
    m_board->setCursor(QCursor(Qt::IBeamCursor));
}

void ITextMode::switchOff()
{
    IMode::switchOff();
    m_pressed = false;
    if (!m_board)
        return;
    m_board->setCursor(m_savedCursor);
    if (ISceneElementFrame* frame = m_board->sceneElementFrame()) {
        frame->textItemEndEdit();
        frame->showFrame(false);
    }
}
