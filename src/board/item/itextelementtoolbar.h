#ifndef ITEXTELEMENTTOOLBAR_H
#define ITEXTELEMENTTOOLBAR_H

#include <QPointer>
#include <QStringList>

#include "board/widget/ibasewidget.h"

class IBoard;
class IColorPalette;
class ITextElement;
class ITextElementFrame;
class QComboBox;
class QFont;
class QGraphicsItem;

// A combo box with the board kit's light style; heights are already scaled lengths.
QComboBox* createStyledComboBox(const QStringList& items, int height, const QFont& boxFont, int itemHeight,
                                const QFont& listFont, QWidget* parent);

// The floating panel over the board while a text is edited: font family, font size,
// colour (with a drop-down palette), bold, italic and underline of the whole text.
class ITextElementToolBar : public IBaseWidget
{
    Q_OBJECT
public:
    static const QStringList& fontSizes();

    ITextElementToolBar(QGraphicsItem* delegate, ITextElementFrame* frame, IBoard* board, QWidget* parent);
    ~ITextElementToolBar() override;

    virtual void setFrameVisible(const bool& b);
    virtual void setDelegate(QGraphicsItem* item);
    virtual void setColorPaletteVisible(const bool& b);

    QGraphicsItem* delegate() const;
    QComboBox* familyBox() const { return m_familyBox; }
    QComboBox* sizeBox() const { return m_sizeBox; }
    IColorPalette* palette() const;

public slots:
    void onTextColor();
    void onTextBold();
    void onTextItalic();
    void onTextUnderline();
    void onChangeFontSize(const QString& text);
    void onChangeFontFamily(const QString& text);

protected:
    virtual void CreateUI();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The delegate when it is a text element that still exists.
    ITextElement* text() const;
    // Gives the text the focus back without ending its editing on the way.
    void refocusText();

    QPointer<IBoard> m_board;
    QGraphicsItem* m_delegate = nullptr;
    QPointer<QObject> m_delegateGuard;
    QPointer<ITextElementFrame> m_frame;
    QComboBox* m_familyBox = nullptr;
    QComboBox* m_sizeBox = nullptr;
    // A sibling on the board (so it is not clipped), yet the tool bar's own.
    QPointer<IColorPalette> m_palette;
};

#endif
