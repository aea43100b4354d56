#ifndef IPARAMETERFRAME_H
#define IPARAMETERFRAME_H

#include <QVariant>

#include "customui/ipanelframe.h"
#include "icameraparameter.h"

class ICustomSlider;

// Percent of a control's range and back, truncated toward zero. A control without a
// range (max == min) reads as 0 % and 0 % maps to its minimum.
int valueToPercent(const ParameterData& range, const QVariant& value);
int percentToValue(const ParameterData& range, const QVariant& percent);
// False for a control the camera reports without a range: nothing can be set on it.
bool hasRange(const ParameterData& range);

// Contrast, brightness and saturation as 0..100 % sliders sent to the camera.
class IParameterFrame : public IPanelFrame
{
    Q_OBJECT
public:
    enum SliderType {
        Contrast = 0,
        Brightness = 1,
        Saturation = 2,
    };
    Q_ENUM(SliderType)

    IParameterFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    virtual void setSliderValue(SliderType type, const double& value);
    // Reads the camera's ranges and places the sliders; sends nothing to the camera.
    virtual void initDefaultValues();
    virtual CameraParameterData getDefaultValues();

    QVariant ValueConverPercent(SliderType type, QVariant value);
    QVariant PercentConverValue(SliderType type, QVariant percent);

    ICustomSlider* slider(SliderType type) const;

protected:
    virtual void CreateUI();

private:
    const ParameterData& range(SliderType type) const;
    void sendValue(SliderType type, int percent);
    void restoreDefaults();

    ICustomSlider* m_contrast = nullptr;
    ICustomSlider* m_brightness = nullptr;
    ICustomSlider* m_saturation = nullptr;
    CameraParameterData m_parameter;
};

#endif
