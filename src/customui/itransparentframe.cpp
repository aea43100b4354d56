#include "customui/itransparentframe.h"

#include <QLabel>
#include <QVBoxLayout>

#include "board/widget/islider.h"
#include "iglobal.h"
#include "service/iboardservice.h"
#include "service/iconfigureservice.h"

ITransparentFrame::ITransparentFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void ITransparentFrame::setFrameVisible(const bool& visible)
{
    if (visible) {
        placeLeftOfBoardButton(IBoardToolBar::Transparency);
        slChangeValue(m_transparent);
    } else {
        IConfigureService::instance()->setPencilTransparent(m_transparent);
    }
    setVisible(visible);
}

void ITransparentFrame::setTransparent(const int& value)
{
    m_slider->setValue(value, true, true);
    // A value the slider already shows emits nothing; the panel still follows the slider,
    // and the board draws with it from now on, not only once the panel has been hidden.
    m_transparent = m_slider->value();
    IBoardService::instance()->modifyPencilOpacity(m_transparent);
}

void ITransparentFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    m_transparent = 255;
    m_slider = new ICustomSlider(Qt::Horizontal, 1);
    m_slider->setFixedWidth(static_cast<int>(260 * s));
    m_slider->setMaximum(255);
    // Start where the panel's value stands, so a first read agrees with the slider.
    m_slider->setValue(m_transparent, true, false);
    m_preview = new QLabel;
    m_preview->setFixedSize(static_cast<int>(260 * s), static_cast<int>(100 * s));

    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * s);
    layout->setContentsMargins(m, m, m, m);
    layout->addWidget(m_slider);
    layout->addWidget(m_preview);
    adjustSize();
    connect(m_slider, &ICustomSlider::sgValueChanged, this, &ITransparentFrame::slChangeValue);
}

void ITransparentFrame::slChangeValue(int value)
{
    m_slider->slider()->setToolTip(QString::number(value));
    m_transparent = value;
    QColor color = IConfigureService::instance()->pencilColor();
    color.setAlpha(value);
    m_preview->setStyleSheet(QStringLiteral("border:none;background-color:rgba(%1,%2,%3,%4);border-radius:10px;")
                                 .arg(color.red())
                                 .arg(color.green())
                                 .arg(color.blue())
                                 .arg(color.alpha()));
}
