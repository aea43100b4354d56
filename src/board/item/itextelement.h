#ifndef ITEXTELEMENT_H
#define ITEXTELEMENT_H

#include <QColor>
#include <QFont>
#include <QMatrix>
#include <QSizeF>
#include <QTextCharFormat>

#include "board/item/iabstractelements.h"

// An item whose size can be set from outside (the text frame's handles).
class IResizableItem
{
public:
    virtual ~IResizableItem() = default;
    virtual void resize(const QSizeF& size) { resize(size.width(), size.height()); }
    virtual void resize(double width, double height) = 0;
    virtual QSizeF size() const = 0;
};

// The board's rich-text element. It keeps its identity in item data keys of its own
// (0 id, 1 layer, 3 locked). An element that is left empty shows its placeholder and
// starts again in the font it had when it was left.
class ITextElement : public IStackedElement<IAbstractGraphicsTextElement>, public IResizableItem
{
    Q_OBJECT
public:
    static constexpr int Type = QGraphicsItem::UserType + 11;
    // A text element's z before the page stacks it.
    static constexpr double DefaultLayer = -8990001.0;

    explicit ITextElement(QGraphicsItem* parent = nullptr);
    ITextElement(const QString& text, QGraphicsItem* parent = nullptr);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // IElement
    void copyItemParameters(IElement* target) const override;
    QVariant getElementProperty(TX_IBOARD_ENUM::ElementStype key) const override;
    void setElementProperty(TX_IBOARD_ENUM::ElementStype key, const QVariant& value) override;
    // Ends editing: an empty text shows the placeholder; the width shrinks to the text.
    virtual void finishEdit();
    using IResizableItem::resize;
    // Scales the text width by width / current scene width; the height follows the text.
    void resize(double width, double height) override;
    IElement* deepCopy() const override;
    QSizeF size() const override;

    // Sizing: at least one line height wide (at least 20 while empty).
    void setTextWidth(double width);
    void setTextHeight(double height);
    double textHeight() const { return m_textHeight; }
    void resizeFit(double width, double height);
    void setInitialScale(double sx, double sy);
    QMatrix getCurrentMatrix() const;

    QFont storedFont() const { return m_storedFont; }
    bool isPlaceholderShown() const { return m_placeholderShown; }

    // Editing.
    void setEditable(bool editable);
    bool isEditable() const;
    void setCanFocusOut(bool can) { m_canFocusOut = can; }
    bool canFocusOut() const { return m_canFocusOut; }

    // Whole-text formatting (the item font).
    void setFontFamily(const QString& family);
    void setFontSize(double size);
    void setTextBold();
    void setTextItalic();
    void setTextUnderline();

    // Formatting of the selection at the text cursor.
    void setSelectedTextFontFamily(const QString& family);
    void setSelectedTextFontSize(double size);
    void setSelectedTextBold();
    void unsetSelectedTextBold();
    void setSelectedTextItalic();
    void unsetSelectedTextItalic();
    void setSelectedTextUnderline();
    void unsetSelectedTextUnderline();
    void setSelectedTextColor(const QColor& color);
    QColor getSelectedTextColor() const { return m_selectedTextColor; }
    void setBackgroundColor(const QColor& color);
    QColor getBackgroundColor() const { return m_backgroundColor; }
    void setRightToLeftLayout();
    // Left, right or centre only; other alignments are ignored.
    void alignText(Qt::Alignment alignment);
    Qt::Alignment textAlignment() const { return m_alignment; }

signals:
    void endEdit();
    void cursorPositionChanged();

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void init();
    // Merges a character format into the cursor; selectionOnly skips an empty selection.
    bool mergeSelectionFormat(const QTextCharFormat& format, bool focus, bool selectionOnly);
    void setFontFromText(const QString& text);
    void setGeometryFromText(const QString& text);

    QString m_placeholderHtml;
    QString m_placeholderText;
    bool m_placeholderShown = false;
    double m_textHeight = -1.0;
    QFont m_storedFont;
    bool m_canFocusOut = true;
    QColor m_backgroundColor = QColor(255, 255, 255, 0);
    QColor m_selectedTextColor = QColor(Qt::black);
    Qt::Alignment m_alignment = Qt::AlignLeft;
    QMatrix m_initialMatrix;
};

#endif
