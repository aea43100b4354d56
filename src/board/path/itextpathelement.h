#ifndef ITEXTPATHELEMENT_H
#define ITEXTPATHELEMENT_H

#include <QFont>

#include "board/path/ipathelement.h"

// Typed text turned into glyph outlines, so the path eraser erases it like a stroke.
class ITextPathElement : public IPathElement
{
public:
    explicit ITextPathElement(QGraphicsItem* parent = nullptr);
    ITextPathElement(const QString& text, QGraphicsItem* parent = nullptr);

    // Glyphs filled in the colour at the element's alpha, without an outline.
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    // Font and start position too; the target's path is not laid out again.
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

    // Lays the text out: lines one font height plus one apart, the first on the
    // start position's baseline.
    virtual void setText(const QString& text);
    virtual QString text() const { return m_text; }
    // Stored only: the next setText uses it.
    virtual void setFont(const QFont& font) { m_font = font; }
    virtual QFont font() const { return m_font; }
    virtual void setStartPos(const QPointF& pos) { m_startPos = pos; }
    virtual QPointF startPos() const { return m_startPos; }

private:
    void init();

    QFont m_font;
    QPointF m_startPos;
    QString m_text;
};

#endif
