#ifndef ICAMERAFRAME_H
#define ICAMERAFRAME_H

#include <QList>
#include <QVariant>

#include "customui/ipanelframe.h"
#include "icameratypes.h"

class QRadioButton;

// Lists the cameras found at start-up; choosing another one switches to it and the
// camera panels read the camera's ranges again.
class ICameraFrame : public IPanelFrame
{
    Q_OBJECT
public:
    ICameraFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;

    // The cameras the chooser offers: g_camera_list, and the Wi-Fi camera when it is
    // the open one (it is never part of g_camera_list).
    static QList<ICameraInfo> chooserCameras();

public slots:
    virtual void slButtonClick();

protected:
    void followButton() override;
    virtual void CreateUI();
    virtual QRadioButton* CreateIRadio(const QVariant& id, const QString& text);
};

#endif
