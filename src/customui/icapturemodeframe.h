#ifndef ICAPTUREMODEFRAME_H
#define ICAPTUREMODEFRAME_H

#include <QMap>
#include <QVariant>

#include "customui/ipanelframe.h"

class QButtonGroup;
class QRadioButton;

// Chooses what the camera bar's "Snap" does, and switches the shutter sound.
class ICaptureModeFrame : public IPanelFrame
{
    Q_OBJECT
public:
    enum CaptureMode {
        Default = 0,
        ScreenCapture = 1,
        PartialScreenCapture = 2,
        TimingCapture = 3,
        TimeLapse = 4,
        ScreenCaptureToClipboard = 5,
        BlackWhiteCapture = 6,
        GrayCapture = 7,
    };
    Q_ENUM(CaptureMode)

    ICaptureModeFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    virtual CaptureMode captureMode() const { return m_mode; }
    // Ignored for a value that has no button.
    virtual void setCaptureMode(CaptureMode mode);

    QRadioButton* radio(const QVariant& id) const { return m_radios.value(id); }

signals:
    void sgButtonClick(ICaptureModeFrame::CaptureMode mode);

public slots:
    virtual void slButtonClick(bool checked);

protected:
    virtual void CreateUI();
    virtual QRadioButton* CreateIRadio(QVariant id, QString text);

private:
    CaptureMode m_mode = Default;
    QMap<QVariant, QRadioButton*> m_radios;
    QButtonGroup* m_group = nullptr;
};

Q_DECLARE_METATYPE(ICaptureModeFrame::CaptureMode)

#endif
