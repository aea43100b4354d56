#include "board/path/itextpathelement.h"

#include <QFontMetrics>
#include <QPainter>

ITextPathElement::ITextPathElement(QGraphicsItem* parent) : IPathElement(parent)
{
    init();
}

ITextPathElement::ITextPathElement(const QString& text, QGraphicsItem* parent)
    : IPathElement(parent)
{
    init();
    setText(text);
}

void ITextPathElement::init()
{
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemIsMovable, false);
    setId(createUuidString());
    setPathStyle(1);
}

void ITextPathElement::setText(const QString& text)
{
    m_text = text;
    const int h = QFontMetrics(m_font).height();
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    QPainterPath outline;
    for (int i = 0; i < lines.size(); ++i)
        outline.addText(QPointF(m_startPos.x(), m_startPos.y() + i * (h + 1)), m_font, lines.at(i));
    setPath(outline);
}

void ITextPathElement::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                             QWidget* widget)
{
    paintFilled(painter, option, widget);
}

void ITextPathElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<ITextPathElement*>(target);
    if (!other)
        return;
    IPathElement::copyItemParameters(target);
    other->setFont(m_font);
    other->setStartPos(m_startPos);
}

IElement* ITextPathElement::deepCopy() const
{
    // Font and start position first, so the copy's glyphs are laid out like these.
    auto* copy = new ITextPathElement(nullptr);
    copyItemParameters(copy);
    copy->setText(m_text);
    return copy;
}
