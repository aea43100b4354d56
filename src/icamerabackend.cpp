#include "icamerabackend.h"

#include <QMutexLocker>

#include "iglobal.h"
#include "opencv/iopencvapi.h"

IDeviceCameraThread::IDeviceCameraThread(QObject* parent)
    : ICameraBackend(parent), m_requestedSize(g_camera_resolution)
{
}

QImage IDeviceCameraThread::captureImage(ImageType type)
{
    QImage frame;
    {
        QMutexLocker lock(&m_mutex);
        frame = m_lastFrame;
    }
    if (frame.isNull())
        return QImage();
    return IOpencvApi::filterImage(type, IOpencvApi::cvImage2Mat(frame));
}

QVariant IDeviceCameraThread::contrast() const
{
    QMutexLocker lock(&m_mutex);
    return m_parameter.contrast.currentValue;
}

QVariant IDeviceCameraThread::saturation() const
{
    QMutexLocker lock(&m_mutex);
    return m_parameter.saturation.currentValue;
}

QVariant IDeviceCameraThread::brightness() const
{
    QMutexLocker lock(&m_mutex);
    return m_parameter.brightness.currentValue;
}

QVariant IDeviceCameraThread::resolution() const
{
    QMutexLocker lock(&m_mutex);
    return m_requestedSize;
}

AutoEdgeData IDeviceCameraThread::autoEdgeData() const
{
    QMutexLocker lock(&m_mutex);
    return m_edge;
}

CameraParameterData IDeviceCameraThread::cameraParameter() const
{
    QMutexLocker lock(&m_mutex);
    return m_parameter;
}
