#ifndef ICOLORPALETTE_H
#define ICOLORPALETTE_H

#include <QColor>
#include <QList>
#include <QSize>
#include <QPointer>
#include <QVariant>
#include <QWidget>

class IColorButton;
class IColorPanel;
class ICustomSlider;

// A grid of colour swatches with an optional thickness slider; the last, transparent
// swatch (the wheel) stands for any other colour and opens the spectrum colour panel.
// Keeps one current colour and thickness and reports sgChangeColor(new, previous) and
// sgChangeThickness.
class IColorPalette : public QWidget
{
    Q_OBJECT
public:
    explicit IColorPalette(QWidget* parent = nullptr);
    IColorPalette(QList<QColor> colours, const bool& checkable, const QSize& size, QWidget* parent = nullptr);
    ~IColorPalette() override;

    static QList<QColor> defaultColors();
    // Swatch colours match by rgb, but transparent only matches alpha 0 (and the other
    // way round): a transparent current colour is not black.
    static bool sameSwatchColor(const QColor& a, const QColor& b);

    virtual void setRangeValue(const int& min, const int& max);
    virtual void setValue(const int& v);
    virtual void setPaletteColor(const QColor& color);
    virtual QColor paletteColor() const { return m_color; }
    virtual void setPaletteThickness(const int& thickness);
    virtual int paletteThickness() const { return m_thickness; }
    virtual void setPalette(const QColor& color, const int& thickness);
    virtual void setVisableSlider(const bool& b);
    virtual void setVisableColorButton(const bool& b);

    const QList<IColorButton*>& swatches() const { return m_buttons; }
    ICustomSlider* slider() const { return m_slider; }
    IColorPanel* colorPanel() const;

signals:
    void sgChangeColor(QColor curCol, QColor preCol);
    void sgChangeThickness(int thickness);

public slots:
    virtual void slButtonClick(bool checked, QVariant id);

protected:
    virtual void CreateUI();

private:
    void showPanel();

    QSize m_swatchSize;
    bool m_checkable = true;
    int m_thickness = 1;
    QColor m_color;
    ICustomSlider* m_slider = nullptr;
    QWidget* m_swatchBox = nullptr;
    // A sibling rather than a child (so it is not clipped), yet the palette's own.
    QPointer<IColorPanel> m_panel;
    QList<QColor> m_colors;
    QList<IColorButton*> m_buttons;
};

#endif
