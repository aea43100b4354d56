#ifndef ISMALLCAMERAFRAME_H
#define ISMALLCAMERAFRAME_H

#include <QCamera>
#include <QCameraInfo>

#include "customui/icustomwidget.h"
#include "icameratypes.h"

class IApplication;
class IIToolButton;
class QCameraViewfinder;
class QComboBox;

// Picture-in-picture: a second camera in a small draggable window.
class ISmallCameraFrame : public ICustomWidget
{
    Q_OBJECT
public:
    ISmallCameraFrame(IApplication* app, QWidget* parent);
    ~ISmallCameraFrame() override;

    // True when the window is shown with a camera.
    virtual bool setFrameVisible(const bool& visible);
    virtual void hideCameraList();

    virtual QString cameraDescription() const { return m_info.description; }
    virtual QString cameraPid() const { return m_info.pid; }
    virtual QString cameraVid() const { return m_info.vid; }
    virtual int cameraIndex() const { return m_info.index; }
    virtual QString cameraDevicePath() const { return m_info.devicePath; }

    virtual bool stopCamera();
    virtual bool startCamera();

    QComboBox* cameraList() const { return m_list; }

    // The cameras of all that the window may show: every one but the main window's
    // camera. A device can appear under several paths (a USB camera's extra video
    // nodes), so the main camera is also known by its vendor and product ids.
    static QList<ICameraInfo> otherCameras(const QList<ICameraInfo>& all, const ICameraInfo& main);
    // The first resolution at least 400 wide, else 640 x 480.
    static QSize viewfinderResolution(const QList<QSize>& supported);
    // The resolution fitted into a square of 400 s.
    static QSize viewfinderSize(const QSize& resolution);

public slots:
    void changeCameraIndex(int index);
    void cameraError(QCamera::Error error);

protected:
    virtual void CreateUI();
    virtual bool InitCamera();
    virtual void CloseCamera();
    virtual QCamera* CreateCamera(QCameraInfo info);
    // Every camera of the platform's list (the camera manager's records).
    virtual QList<ICameraInfo> cameraInfos() const;

private:
    void onCameraButton();
    QPoint cornerPosition() const;
    // To the corner, on the main window's screen and wholly on it.
    void moveToCorner();

    IApplication* m_app = nullptr;
    ICameraInfo m_info;
    QCamera* m_camera = nullptr;
    QCameraInfo m_platformInfo;
    QCameraViewfinder* m_viewfinder = nullptr;
    QComboBox* m_list = nullptr;
    IIToolButton* m_cameraButton = nullptr;
};

#endif
