#include "board/widget/icolorpalette.h"

#include <QBoxLayout>
#include <QGridLayout>

#include "board/widget/icolorpanel.h"
#include "board/widget/islider.h"
#include "board/widget/itoolbutton.h"
#include "iglobal.h"

IColorPalette::IColorPalette(QWidget* parent)
    : IColorPalette(defaultColors(), true, QSize(40, 40), parent)
{
}

IColorPalette::IColorPalette(QList<QColor> colours, const bool& checkable, const QSize& size, QWidget* parent)
    : QWidget(parent), m_swatchSize(size), m_checkable(checkable), m_colors(std::move(colours))
{
    CreateUI();
}

IColorPalette::~IColorPalette()
{
    delete m_panel;
}

IColorPanel* IColorPalette::colorPanel() const
{
    return m_panel;
}

QList<QColor> IColorPalette::defaultColors()
{
    return {QColor(Qt::black),    QColor(Qt::red),      QColor(Qt::yellow),    QColor(0, 176, 78),
            QColor(0, 108, 185), QColor(112, 48, 160), QColor(102, 50, 0), QColor(Qt::transparent)};
}

bool IColorPalette::sameSwatchColor(const QColor& a, const QColor& b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.rgb() == b.rgb() && (a.alpha() == 0) == (b.alpha() == 0);
}

void IColorPalette::CreateUI()
{
    // The panel belongs to the palette's parent so that it is not clipped by the palette.
    m_panel = new IColorPanel(parentWidget());
    m_panel->hide();

    m_swatchBox = new QWidget(this);
    auto* grid = new QGridLayout(m_swatchBox);
    const int margin = int(5 * GSQUARERATE);
    grid->setContentsMargins(margin, margin, margin, margin);
    for (int i = 0; i < m_colors.size(); ++i) {
        const QColor colour = m_colors.at(i);
        auto* swatch = new IColorButton(QVariant(colour), colour, m_checkable, m_swatchSize, nullptr);
        connect(swatch, &IColorButton::sgButtonClick, this, &IColorPalette::slButtonClick);
        m_buttons.append(swatch);
        grid->addWidget(swatch, 1 + i / 4, i % 4, Qt::AlignCenter);
    }

    m_slider = new ICustomSlider(Qt::Horizontal, 1, nullptr);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_slider);
    layout->addWidget(m_swatchBox);
    adjustSize();

    connect(m_slider, &ICustomSlider::sgValueChanged, this, &IColorPalette::sgChangeThickness);
    connect(m_panel, &IColorPanel::sgChangeColor, this, [this](bool, const QVariant& value) {
        const QColor picked = value.value<QColor>();
        if (!picked.isValid())
            return;
        emit sgChangeColor(picked, m_color);
        m_color = picked;
    });

    if (!m_buttons.isEmpty()) {
        m_buttons.first()->setSelectState(true);
        m_color = m_colors.first();
    }
}

void IColorPalette::showPanel()
{
    if (m_panel)
        m_panel->setFrameVisible(true);
}

void IColorPalette::slButtonClick(bool checked, QVariant id)
{
    if (!checked)
        return;
    const QColor next = id.value<QColor>();
    const QColor previous = m_color;
    const QColor transparent(Qt::transparent);
    if (sameSwatchColor(next, previous)) {
        if (previous == transparent)
            showPanel();
        return;
    }
    IColorButton* current = nullptr;
    for (IColorButton* swatch : qAsConst(m_buttons)) {
        if (sameSwatchColor(swatch->buttonColor(), previous)) {
            current = swatch;
            break;
        }
    }
    if (current) {
        current->setSelectState(false);
        m_color = next;
        if (next == transparent)
            showPanel();
        else
            emit sgChangeColor(next, current->buttonColor());
        return;
    }
    if (next == transparent) {
        // The panel is not modal: the wheel stays selected while colours are picked.
        showPanel();
        if (!m_buttons.isEmpty())
            m_buttons.last()->setSelectState(true);
        return;
    }
    m_color = next;
    emit sgChangeColor(next, next);
    if (!m_buttons.isEmpty())
        m_buttons.last()->setSelectState(false);
}

void IColorPalette::setPalette(const QColor& color, const int& thickness)
{
    // One swatch shows the colour: a match, else the wheel.
    bool matched = false;
    for (IColorButton* swatch : qAsConst(m_buttons)) {
        const bool same = sameSwatchColor(swatch->buttonColor(), color);
        if (swatch->selectState() != same)
            swatch->setSelectState(same);
        matched = matched || same;
    }
    if (!matched && !m_buttons.isEmpty() && m_buttons.last()->buttonColor() == QColor(Qt::transparent))
        m_buttons.last()->setSelectState(true);
    m_color = color;
    m_thickness = thickness;
    m_slider->setValue(thickness, true, true);
}

void IColorPalette::setRangeValue(const int& min, const int& max)
{
    m_slider->setRange(min, max);
}

void IColorPalette::setValue(const int& v)
{
    m_slider->setValue(v, true, true);
}

void IColorPalette::setPaletteColor(const QColor& color)
{
    setPalette(color, m_thickness);
}

void IColorPalette::setPaletteThickness(const int& thickness)
{
    setPalette(m_color, thickness);
}

void IColorPalette::setVisableSlider(const bool& b)
{
    m_slider->setVisible(b);
    adjustSize();
}

void IColorPalette::setVisableColorButton(const bool& b)
{
    m_swatchBox->setVisible(b);
    adjustSize();
}
