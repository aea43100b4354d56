#ifndef IFOCUSFRAME_H
#define IFOCUSFRAME_H

#include <QVariant>

#include "customui/ipanelframe.h"
#include "icameraparameter.h"

class QCheckBox;
class QSlider;

// Focus and exposure as 0..100 % sliders, each with an "Automatic" check box.
class IFocusFrame : public IPanelFrame
{
    Q_OBJECT
public:
    IFocusFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    // Reads the camera's ranges and restores the saved focus and exposure.
    virtual void initDefaultValues();

    // type 1 focus, 2 exposure
    QVariant ValueConverPercent(int type, QVariant value);
    QVariant PercentConverValue(int type, QVariant percent);

    QSlider* focusSlider() const { return m_focus; }
    QSlider* exposureSlider() const { return m_exposure; }
    QCheckBox* focusAuto() const { return m_focusAuto; }
    QCheckBox* exposureAuto() const { return m_exposureAuto; }

protected:
    virtual void CreateUI();

private:
    const ParameterData& range(int type) const;
    void onValueChanged(int type, int percent);
    void onAutoChanged(int type, bool automatic);
    // Slider and check box set without reaching the camera.
    void setQuietly(int type, int percent, bool automatic);

    CameraParameterData m_parameter;
    QSlider* m_focus = nullptr;
    QSlider* m_exposure = nullptr;
    QCheckBox* m_focusAuto = nullptr;
    QCheckBox* m_exposureAuto = nullptr;
};

#endif
