// Editing, formatting and event handling of the text element.
#include "board/item/itextelement.h"

#include <QFocusEvent>
#include <QStyle>
#include <QStyleOptionGraphicsItem>
#include <QTextCursor>
#include <QTextDocument>

void ITextElement::setEditable(bool editable)
{
    setTextInteractionFlags(editable ? Qt::TextEditorInteraction : Qt::NoTextInteraction);
}

bool ITextElement::isEditable() const
{
    return (textInteractionFlags() & Qt::TextEditorInteraction) != 0;
}

void ITextElement::finishEdit()
{
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    if (toPlainText().isEmpty()) {
        m_storedFont = font();
        setHtml(m_placeholderHtml);
        m_placeholderShown = true;
    }
    setTextWidth(document()->idealWidth());
    setTextInteractionFlags(Qt::NoTextInteraction);
    setSelected(false);
}

void ITextElement::setFontFamily(const QString& family)
{
    QFont f = font();
    f.setFamily(family);
    setFont(f);
}

void ITextElement::setFontSize(double size)
{
    const int points = static_cast<int>(size);
    if (points <= 0)
        return;
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
}

void ITextElement::setTextBold()
{
    setFocus(Qt::OtherFocusReason);
    QFont f = font();
    f.setWeight(f.weight() < 58 ? QFont::Bold : QFont::Normal);
    setFont(f);
}

void ITextElement::setTextItalic()
{
    setFocus(Qt::OtherFocusReason);
    QFont f = font();
    f.setStyle(f.style() == QFont::StyleNormal ? QFont::StyleItalic : QFont::StyleNormal);
    setFont(f);
}

void ITextElement::setTextUnderline()
{
    setFocus(Qt::OtherFocusReason);
    QFont f = font();
    f.setUnderline(!f.underline());
    setFont(f);
}

bool ITextElement::mergeSelectionFormat(const QTextCharFormat& format, bool focus, bool selectionOnly)
{
    QTextCursor cursor = textCursor();
    if (selectionOnly && cursor.selectedText().isEmpty())
        return false;
    cursor.mergeCharFormat(format);
    if (focus)
        setFocus(Qt::OtherFocusReason);
    setTextCursor(cursor);
    return true;
}

void ITextElement::setSelectedTextFontFamily(const QString& family)
{
    QTextCharFormat format = textCursor().charFormat();
    QFont f = format.font();
    f.setFamily(family);
    format.setFont(f);
    mergeSelectionFormat(format, false, false);
}

void ITextElement::setSelectedTextFontSize(double size)
{
    if (!(size > 0.0))
        return;
    QTextCharFormat format = textCursor().charFormat();
    QFont f = format.font();
    f.setPointSizeF(size);
    format.setFont(f);
    mergeSelectionFormat(format, false, false);
}

void ITextElement::setSelectedTextBold()
{
    QTextCharFormat format = textCursor().charFormat();
    format.setProperty(QTextFormat::FontWeight, int(QFont::Bold));
    mergeSelectionFormat(format, true, true);
}

void ITextElement::unsetSelectedTextBold()
{
    QTextCharFormat format = textCursor().charFormat();
    format.setProperty(QTextFormat::FontWeight, int(QFont::Normal));
    mergeSelectionFormat(format, true, true);
}

void ITextElement::setSelectedTextItalic()
{
    QTextCharFormat format = textCursor().charFormat();
    QFont f = format.font();
    f.setStyle(QFont::StyleItalic);
    format.setFont(f);
    mergeSelectionFormat(format, true, true);
}

void ITextElement::unsetSelectedTextItalic()
{
    QTextCharFormat format = textCursor().charFormat();
    QFont f = format.font();
    f.setStyle(QFont::StyleNormal);
    format.setFont(f);
    mergeSelectionFormat(format, true, true);
}

void ITextElement::setSelectedTextUnderline()
{
    QTextCharFormat format = textCursor().charFormat();
    QFont f = format.font();
    f.setUnderline(true);
    format.setFont(f);
    mergeSelectionFormat(format, true, true);
}

void ITextElement::unsetSelectedTextUnderline()
{
    QTextCharFormat format = textCursor().charFormat();
    QFont f = format.font();
    f.setUnderline(false);
    format.setFont(f);
    mergeSelectionFormat(format, true, true);
}

void ITextElement::setSelectedTextColor(const QColor& color)
{
    QTextCharFormat format;
    format.setProperty(QTextFormat::ForegroundBrush, QBrush(color));
    if (mergeSelectionFormat(format, true, true))
        m_selectedTextColor = color;
}

void ITextElement::setBackgroundColor(const QColor& color)
{
    QTextCharFormat format = textCursor().charFormat();
    format.setProperty(QTextFormat::BackgroundBrush, QBrush(color));
    if (mergeSelectionFormat(format, true, true))
        m_backgroundColor = color;
}

void ITextElement::setRightToLeftLayout()
{
    QTextCharFormat format = textCursor().charFormat();
    format.setProperty(QTextFormat::LayoutDirection, int(Qt::RightToLeft));
    mergeSelectionFormat(format, false, false);
}

void ITextElement::alignText(Qt::Alignment alignment)
{
    if (alignment != Qt::AlignLeft && alignment != Qt::AlignRight && alignment != Qt::AlignCenter)
        return;
    QTextCursor cursor = textCursor();
    QTextBlockFormat format;
    format.setProperty(QTextFormat::BlockAlignment, int(alignment));
    cursor.mergeBlockFormat(format);
    setFocus(Qt::OtherFocusReason);
    setTextCursor(cursor);
    m_alignment = alignment;
}

void ITextElement::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsTextItem::mousePressEvent(event);
    emit cursorPositionChanged();
}

void ITextElement::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsTextItem::mouseMoveEvent(event);
}

void ITextElement::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsTextItem::mouseReleaseEvent(event);
}

void ITextElement::keyPressEvent(QKeyEvent* event)
{
    QGraphicsTextItem::keyPressEvent(event);
    emit cursorPositionChanged();
}

void ITextElement::focusInEvent(QFocusEvent* event)
{
    if (m_placeholderShown) {
        // Typing starts again, in the font the element was left with.
        setPlainText(QString());
        QTextCursor cursor(document());
        cursor.setPosition(0);
        QTextCharFormat format;
        format.setFont(m_storedFont);
        cursor.setCharFormat(format);
        setTextCursor(cursor);
        setFont(m_storedFont);
        m_placeholderShown = false;
    }
    setTextInteractionFlags(Qt::TextEditorInteraction);
    setSelected(true);
    QGraphicsTextItem::focusInEvent(event);
}

void ITextElement::focusOutEvent(QFocusEvent* event)
{
    // A combo box's list or another window taking the focus does not end editing.
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) {
        QGraphicsTextItem::focusOutEvent(event);
        return;
    }
    if (!m_canFocusOut)
        return;
    finishEdit();
    QGraphicsTextItem::focusOutEvent(event);
    emit endEdit();
}

void ITextElement::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    // The text frame draws the selection; Qt's dashed outline would double it.
    QStyleOptionGraphicsItem plain(*option);
    plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QGraphicsTextItem::paint(painter, &plain, widget);
}
