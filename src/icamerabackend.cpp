#include "icamerabackend.h"

#include <QMutexLocker>

#include <cstring>
#include <opencv2/core.hpp>

#include "iglobal.h"
#include "opencv/iopencvapi.h"

IDeviceCameraThread::IDeviceCameraThread(QObject* parent)
    : ICameraBackend(parent), m_requestedSize(g_camera_resolution)
{
}

bool IDeviceCameraThread::openCamera()
{
    if (!isRunning()) {
        {
            // Requests left from a stream that ended belong to no frame of the new one.
            QMutexLocker lock(&m_mutex);
            m_pendingCaptures.clear();
        }
        start(QThread::InheritPriority);
    }
    return true;
}

void IDeviceCameraThread::closeCamera()
{
    requestInterruption();
    wait();
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

void IDeviceCameraThread::setRunFlag(const bool& run)
{
    m_runFlag = run;
}

void IDeviceCameraThread::setAutoEdgeFlag(const bool& on)
{
    m_autoEdge = on;
    if (!on) {
        QMutexLocker lock(&m_mutex);
        m_edge = AutoEdgeData();
    }
}

void IDeviceCameraThread::queueCapture(ImageType type)
{
    QMutexLocker lock(&m_mutex);
    m_pendingCaptures << type;
}

void IDeviceCameraThread::answerCaptures(const QImage& frame)
{
    QList<ImageType> pending;
    {
        QMutexLocker lock(&m_mutex);
        pending.swap(m_pendingCaptures);
    }
    for (ImageType type : qAsConst(pending))
        emit sgCaptureImage(IOpencvApi::filterImage(type, IOpencvApi::cvImage2Mat(frame)));
}

void IDeviceCameraThread::setResolution(const QVariant& value)
{
    const QSize size = value.toSize();
    if (size.isEmpty())
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_requestedSize = size;
    }
    m_resolutionPending = true;
}

void IDeviceCameraThread::publishFrame(const QImage& frame)
{
    QImage shown = frame;
    if (m_autoEdge) {
        // Captures take the clean frame; only the live picture carries the outline.
        QImage fresh;
        QImage* target = displayBuffer(frame);
        if (!target) {
            fresh = frame.copy();
            target = &fresh;
        }
        // Drawn while we hold the only reference, so bits() writes in place.
        cv::Mat view(target->height(), target->width(), CV_8UC4, target->bits(), size_t(target->bytesPerLine()));
        const AutoEdgeData edge = IOpencvApi::cvAutoEdge(view);
        shown = *target;
        QMutexLocker lock(&m_mutex);
        m_edge = edge;
    }
    {
        QMutexLocker lock(&m_mutex);
        m_lastFrame = frame;
    }
    if (m_runFlag)
        emit sgCameraFrame(shown);
}

QImage* IDeviceCameraThread::displayBuffer(const QImage& frame)
{
    for (QImage& buffer : m_displayPool) {
        // Detached: the GUI thread has let go of the last frame shown from it.
        if (buffer.isDetached() && buffer.size() == frame.size() && buffer.format() == frame.format()
            && buffer.bytesPerLine() == frame.bytesPerLine()) {
            memcpy(buffer.bits(), frame.constBits(), size_t(frame.sizeInBytes()));
            return &buffer;
        }
    }
    for (QImage& buffer : m_displayPool) {
        if (buffer.isNull() || buffer.isDetached()) {
            buffer = frame.copy();
            return &buffer;
        }
    }
    return nullptr;
}
