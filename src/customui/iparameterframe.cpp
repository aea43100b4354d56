#include "customui/iparameterframe.h"

#include <QDebug>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "board/widget/islider.h"
#include "customui/iitoolbutton.h"
#include "customui/iuihelper.h"
#include "icamera.h"
#include "iglobal.h"

int valueToPercent(const ParameterData& range, const QVariant& value)
{
    const int min = range.minimum.toInt();
    const int max = range.maximum.toInt();
    if (max == min)
        return 0;
    return static_cast<int>(static_cast<float>(value.toInt() - min) / static_cast<float>(max - min) * 100.0f);
}

bool hasRange(const ParameterData& range)
{
    return range.maximum.toInt() != range.minimum.toInt();
}

int percentToValue(const ParameterData& range, const QVariant& percent)
{
    const int min = range.minimum.toInt();
    const int max = range.maximum.toInt();
    return static_cast<int>(static_cast<float>(percent.toInt()) / 100.0f * static_cast<float>(max - min)
                            + static_cast<float>(min));
}

namespace {
ICustomSlider* createPercentSlider()
{
    auto* slider = new ICustomSlider(Qt::Horizontal, 1);
    slider->setSingleStep(1);
    slider->setRange(0, 100);
    return slider;
}

QDebug operator<<(QDebug debug, const ParameterData& d)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << d.minimum << ", " << d.maximum << ", " << d.defaultValue << ", " << d.currentValue;
    return debug;
}
}

IParameterFrame::IParameterFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    const double s = IGSQUARERATE;
    setMinimumSize(static_cast<int>(400 * s), static_cast<int>(220 * s));
    setBackgroundLinearGradient(true);
}

void IParameterFrame::setFrameVisible(const bool& visible)
{
    if (visible)
        placeAboveCameraButton(ICameraToolBar::ColorAdjusting);
    setVisible(visible);
}

ICustomSlider* IParameterFrame::slider(SliderType type) const
{
    switch (type) {
    case Contrast:
        return m_contrast;
    case Brightness:
        return m_brightness;
    case Saturation:
        return m_saturation;
    }
    return nullptr;
}

void IParameterFrame::setSliderValue(SliderType type, const double& value)
{
    if (ICustomSlider* s = slider(type))
        s->setValue(static_cast<int>(value), true, true);
}

void IParameterFrame::initDefaultValues()
{
    m_parameter = getDefaultValues();
    qDebug() << "brightness--->:" << m_parameter.brightness;
    qDebug() << "contrast--->:" << m_parameter.contrast;
    qDebug() << "saturation--->:" << m_parameter.saturation;
    // Shown only: sending the percentage back would move the camera by the rounding.
    for (SliderType type : {Contrast, Brightness, Saturation}) {
        ICustomSlider* s = slider(type);
        s->setValue(valueToPercent(range(type), range(type).currentValue), true, false);
        s->setEnabled(hasRange(range(type)));
    }
}

CameraParameterData IParameterFrame::getDefaultValues()
{
    return ICamera::instance()->cameraParameter();
}

QVariant IParameterFrame::ValueConverPercent(SliderType type, QVariant value)
{
    return valueToPercent(range(type), value);
}

QVariant IParameterFrame::PercentConverValue(SliderType type, QVariant percent)
{
    return percentToValue(range(type), percent);
}

const ParameterData& IParameterFrame::range(SliderType type) const
{
    switch (type) {
    case Brightness:
        return m_parameter.brightness;
    case Saturation:
        return m_parameter.saturation;
    case Contrast:
        break;
    }
    return m_parameter.contrast;
}

void IParameterFrame::sendValue(SliderType type, int percent)
{
    if (!hasRange(range(type)))
        return;
    const QVariant value(percentToValue(range(type), percent));
    ICamera* camera = ICamera::instance();
    switch (type) {
    case Contrast:
        camera->setContrast(value);
        break;
    case Brightness:
        camera->setBrightness(value);
        break;
    case Saturation:
        camera->setSaturation(value);
        break;
    }
}

void IParameterFrame::restoreDefaults()
{
    for (SliderType type : {Contrast, Brightness, Saturation})
        slider(type)->setValue(valueToPercent(range(type), range(type).defaultValue), true, true);
}

void IParameterFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    m_contrast = createPercentSlider();
    m_brightness = createPercentSlider();
    m_saturation = createPercentSlider();

    auto* defaults = new IIToolButton(1, tr("Default"), QSize(120, 40), IIToolButton::AllRadius, false);
    auto* ok = new IIToolButton(2, tr("OK"), QSize(120, 40), IIToolButton::AllRadius, false);

    auto* form = new QFormLayout;
    form->setVerticalSpacing(static_cast<int>(30 * s));
    const QList<QPair<QString, ICustomSlider*>> rows = {
        {tr("Contrast "), m_contrast}, {tr("Brightness "), m_brightness}, {tr("Saturation "), m_saturation}};
    for (const auto& row : rows) {
        auto* line = new QHBoxLayout;
        line->addWidget(row.second);
        form->addRow(createLabel(row.first, this), line);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(defaults);
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * s);
    layout->setContentsMargins(m, static_cast<int>(15 * s), m, m);
    layout->addLayout(form);
    layout->addSpacing(m);
    layout->addLayout(buttons);
    adjustSize();

    connect(m_contrast, &ICustomSlider::sgValueChanged, this, [this](int p) { sendValue(Contrast, p); });
    connect(m_brightness, &ICustomSlider::sgValueChanged, this, [this](int p) { sendValue(Brightness, p); });
    connect(m_saturation, &ICustomSlider::sgValueChanged, this, [this](int p) { sendValue(Saturation, p); });
    connect(defaults, &QToolButton::clicked, this, [this] { restoreDefaults(); });
    connect(ok, &QToolButton::clicked, this, [this] { setFrameVisible(false); });
}
