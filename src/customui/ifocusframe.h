#ifndef IFOCUSFRAME_H
#define IFOCUSFRAME_H

#include <QVariant>

#include "customui/ipanelframe.h"
#include "icameraparameter.h"

class ICustomSlider;

// Focus and exposure as 0..100 % sliders, each with an "Automatic" check box.
class IFocusFrame : public IPanelFrame
{
    Q_OBJECT
public:
    IFocusFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    // Reads the camera's ranges and restores the saved focus and exposure: each control
    // is sent once, automatic or the saved manual value, whatever the sliders showed.
    virtual void initDefaultValues();

    // type 1 focus, 2 exposure
    QVariant ValueConverPercent(int type, QVariant value);
    QVariant PercentConverValue(int type, QVariant percent);

    ICustomSlider* focusSlider() const { return m_focus; }
    ICustomSlider* exposureSlider() const { return m_exposure; }

protected:
    void followButton() override;
    virtual void CreateUI();

private:
    const ParameterData& range(int type) const;
    ICustomSlider* slider(int type) const;
    void onValueChanged(int type, int percent);
    void onStateChanged(int type, int state);
    // Slider and check box set without reaching the camera.
    void setQuietly(int type, int percent, bool automatic);

    CameraParameterData m_parameter;
    ICustomSlider* m_focus = nullptr;
    ICustomSlider* m_exposure = nullptr;
};

#endif
