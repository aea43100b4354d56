#include "icamerabackend.h"

#include <QMutexLocker>
#include <QPainter>

#include <cmath>
#include <opencv2/core.hpp>

#include "iglobal.h"
#include "opencv/iopencvapi.h"

namespace {

// The pixels an outline drawn 4 px wide along the polygon covers, as small patches along
// each edge: a clean picture comes back from the drawn one by painting them over it.
QVector<QPair<QPoint, QImage>> underlayOf(const QImage& frame, const QPolygonF& outline)
{
    constexpr double kStep = 16.0; // edge length per patch: short, so slanted edges stay cheap
    constexpr int kMargin = 4;     // beyond the line's half width and its round ends
    QVector<QPair<QPoint, QImage>> patches;
    for (int i = 0; i < outline.size() && outline.size() >= 2; ++i) {
        const QPointF a = outline.at(i);
        const QPointF b = outline.at((i + 1) % outline.size());
        const int steps = std::max(1, int(std::ceil(std::hypot(b.x() - a.x(), b.y() - a.y()) / kStep)));
        for (int s = 0; s < steps; ++s) {
            const QPointF p = a + (b - a) * (double(s) / steps);
            const QPointF q = a + (b - a) * (double(s + 1) / steps);
            const QRect box = QRectF(p, q).normalized().toAlignedRect()
                                  .adjusted(-kMargin, -kMargin, kMargin, kMargin)
                                  .intersected(frame.rect());
            if (!box.isEmpty())
                patches.append({box.topLeft(), frame.copy(box)});
        }
    }
    return patches;
}

QImage withoutOutline(const QImage& drawn, const QVector<QPair<QPoint, QImage>>& underlay)
{
    if (underlay.isEmpty())
        return drawn;
    QImage clean = drawn.copy();
    QPainter painter(&clean);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const auto& patch : underlay)
        painter.drawImage(patch.first, patch.second);
    return clean;
}

} // namespace

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
    QVector<QPair<QPoint, QImage>> underlay;
    {
        QMutexLocker lock(&m_mutex);
        frame = m_lastFrame;
        underlay = m_lastUnderlay;
    }
    if (frame.isNull())
        return QImage();
    return IOpencvApi::filterImage(type, IOpencvApi::cvImage2Mat(withoutOutline(frame, underlay)));
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

bool IDeviceCameraThread::frameWanted() const
{
    if (m_liveWanted)
        return true;
    QMutexLocker lock(&m_mutex);
    return !m_pendingCaptures.isEmpty();
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

void IDeviceCameraThread::publishFrame(QImage& frame)
{
    QVector<QPair<QPoint, QImage>> underlay;
    const bool edging = m_autoEdge && frame.depth() == 32;
    AutoEdgeData edge;
    if (edging) {
        // Only the live picture carries the outline: what it covers is kept for captures,
        // so no clean copy of the whole frame is made. The frame is ours alone here, so
        // bits() draws in place.
        edge = IOpencvApi::findDocumentOutline(IOpencvApi::cvImage2Mat(frame));
        if (!edge.polygon.isEmpty()) {
            underlay = underlayOf(frame, edge.polygon);
            cv::Mat view(frame.height(), frame.width(), CV_8UC4, frame.bits(), size_t(frame.bytesPerLine()));
            IOpencvApi::drawOutline(view, edge.polygon);
        }
    }
    {
        QMutexLocker lock(&m_mutex);
        if (edging)
            m_edge = edge;
        m_lastFrame = frame;
        m_lastUnderlay = underlay;
    }
    if (m_runFlag)
        emit sgCameraFrame(frame);
}
