#include "board/model/itextpathmode.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/iabstractframe.h"
#include "board/item/itextelement.h"
#include "board/path/itextpathelement.h"

ITextPathMode::ITextPathMode(IBoard* board) : IMode(board)
{
    m_name = QStringLiteral("textPath");
}

void ITextPathMode::deviceDown(IDeviceEventArgs* args)
{
    if (!args || !m_board || !m_enabled)
        return;
    setPressFlag(false);
    state()->setTouchingBoard(true);
    createTextPathElement();
    IMode::deviceDown(args);
    m_pressed = true;
}

void ITextPathMode::deviceMove(IDeviceEventArgs* args)
{
    if (!args || !m_pressed)
        return;
    IMode::deviceMove(args);
    state()->setTouchingBoard(true);
}

void ITextPathMode::deviceUp(IDeviceEventArgs* args)
{
    if (!args || !m_pressed)
        return;
    IMode::deviceUp(args);
    ISlide* slide = currentSlide();
    if (!m_textElement && slide) {
        auto* text = new ITextElement(nullptr);
        text->setFontFamily(QStringLiteral("Arial"));
        text->setFontSize(24.0);
        text->hide();
        slide->add(text, false);
        state()->setTextElement(text);
        m_textElement = text;
    }
    state()->setTouchingBoard(false);
    ITextElement* text = m_textElement.data();
    if (!text)
        return;
    QColor ink = state()->inkColor;
    ink.setAlpha(state()->inkOpacity);
    text->setDefaultTextColor(ink);
    text->setBackgroundColor(QColor(0, 0, 0, 0));
    text->setPos(m_board->mapToScene(args->position().toPoint()));
    text->setTextWidth(500.0);
    text->setPlainText(QString());
    if (ISceneElementFrame* frame = m_board->sceneElementFrame()) {
        frame->setSelect({text}, true);
        frame->textItemBeginEdit();
    }
    text->setCanFocusOut(true);
}

void ITextPathMode::switchOn()
{
    IMode::switchOn();
    if (!m_board)
        return;
    m_savedCursor = m_board->cursor();
    m_board->setCursor(QCursor(Qt::IBeamCursor));
}

void ITextPathMode::switchOff()
{
    IMode::switchOff();
    if (m_board)
        m_board->setCursor(m_savedCursor);
    endTextEdit();
}

void ITextPathMode::endTextEdit()
{
    ITextElement* text = m_textElement.data();
    if (!text)
        return;
    createTextPathElement();
    // Converted once: a later press must not turn the same text into a second element.
    text->setPlainText(QString());
    text->hide();
    ISlide* slide = currentSlide();
    if (ISceneElementFrame* frame = slide ? slide->sceneElementFrame() : nullptr) {
        frame->textItemEndEdit();
        frame->showFrame(false);
    }
}

void ITextPathMode::createTextPathElement()
{
    ITextElement* text = m_textElement.data();
    ISlide* slide = currentSlide();
    if (!text || !slide || !m_board || text->toPlainText().isEmpty())
        return;
    auto* element = new ITextPathElement(nullptr);
    slide->add(element, false);
    element->setStartPos(text->pos() + QPointF(2.0, 25.0));
    element->setVisible(true);
    element->setAlpha(state()->inkOpacity);
    element->setColor(state()->inkColor);
    element->setFont(text->font());
    element->setText(text->toPlainText());

    // Only the part over the camera picture shows; a text wholly outside stays on the
    // page, wholly erased.
    const QRectF r = element->boundingRect().intersected(m_board->pixmapEleBoundingRect());
    const QRegion outside = element->sourceRegion().subtracted(
        QRegion(QRect(qRound(r.x()), qRound(r.y()), qRound(r.width()), qRound(r.height()))));
    if (!outside.isEmpty()) {
        element->addEraseRegion(outside);
        element->update(QRectF());
    }
}
