#include "iimagetansformthread.h"

#include <QBuffer>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QTransform>

#include "ifilewrite.h"
#include "iglobal.h"

namespace {

// Shoelace formula; the absolute area in square pixels.
double polygonArea(const QPolygonF& polygon)
{
    double twice = 0.0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF& a = polygon.at(i);
        const QPointF& b = polygon.at((i + 1) % polygon.size());
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return qAbs(twice) / 2.0;
}

} // namespace

QString makeTimeFileName(const QString& suffix)
{
    QString name = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
    if (!suffix.isEmpty())
        name += QLatin1Char('.') + suffix;
    return name;
}

IImageTansformThread::IImageTansformThread(IApplication* app, QObject* parent) : QThread(parent), m_app(app) {}

IImageTansformThread::~IImageTansformThread()
{
    {
        QMutexLocker lock(&m_mutex);
        m_ending = true;
        m_jobQueued.wakeAll();
    }
    if (isRunning())
        wait(); // run() drains the queue before it returns
    else
        drainQueue(); // never started, or jobs pushed after it ended
}

void IImageTansformThread::pushImageData(const ImageData& data)
{
    Job job{data, g_photo_format};
    // The element pointers belong to the GUI thread; they never travel.
    job.data.elements.clear();
    QMutexLocker lock(&m_mutex);
    m_queue.enqueue(job);
    m_jobQueued.wakeOne();
}

int IImageTansformThread::pendingCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_queue.size();
}

bool IImageTansformThread::takeJob(Job* job)
{
    QMutexLocker lock(&m_mutex);
    if (m_queue.isEmpty())
        return false;
    *job = m_queue.dequeue();
    return true;
}

bool IImageTansformThread::waitForJob(Job* job)
{
    QMutexLocker lock(&m_mutex);
    while (m_queue.isEmpty() && !m_ending)
        m_jobQueued.wait(&m_mutex);
    if (m_ending)
        return false; // what is left is drained, with its limit
    *job = m_queue.dequeue();
    return true;
}

void IImageTansformThread::run()
{
    Job job;
    while (waitForJob(&job))
        processJob(job);
    drainQueue();
}

void IImageTansformThread::drainQueue()
{
    Job job;
    int done = 0;
    while (done < kDrainLimit && takeJob(&job)) {
        processJob(job);
        ++done;
    }
    QMutexLocker lock(&m_mutex);
    if (!m_queue.isEmpty()) {
        qCritical() << Q_FUNC_INFO << "snapshots dropped at shutdown:" << m_queue.size();
        m_queue.clear();
    }
}

QImage IImageTansformThread::composeImage(const ImageData& data)
{
    if (data.image.isNull())
        return QImage();
    QImage picture = data.image.convertToFormat(QImage::Format_ARGB32_Premultiplied);

    if (!data.drawings.isNull()) {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(picture.rect(), data.drawings);
    }

    QPolygonF outline = data.polygon;
    if (data.cropRect.isValid()) {
        const QRect crop = data.cropRect.intersected(picture.rect());
        if (!crop.isEmpty()) {
            picture = picture.copy(crop);
            outline.translate(-crop.topLeft());
        }
    }

    // An outline needs an area; fewer than three points, points on one line or an
    // outline outside the picture mean there is none.
    if (outline.size() >= 3 && polygonArea(outline) >= 1.0) {
        const QRect bounds = outline.boundingRect().toAlignedRect().intersected(picture.rect());
        if (!bounds.isEmpty()) {
            QImage clipped(picture.size(), QImage::Format_ARGB32_Premultiplied);
            clipped.fill(Qt::transparent);
            QPainter painter(&clipped);
            QPainterPath path;
            path.addPolygon(outline);
            path.closeSubpath();
            painter.setClipPath(path);
            painter.drawImage(0, 0, picture);
            painter.end();
            picture = clipped.copy(bounds);
        }
    }

    if (data.rotation % 360 != 0)
        picture = picture.transformed(QTransform().rotate(data.rotation), Qt::SmoothTransformation);
    return picture;
}

QString IImageTansformThread::uniqueFilePath(const QString& folder, const QString& fileName)
{
    QString dir = folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    QString candidate = dir + fileName;
    if (!QFileInfo::exists(candidate))
        return candidate;
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? fileName : fileName.left(dot);
    const QString suffix = dot < 0 ? QString() : fileName.mid(dot);
    for (int n = 1;; ++n) {
        candidate = dir + base + QStringLiteral("_%1").arg(n) + suffix;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QSize IImageTansformThread::thumbnailSize()
{
    const double s = IGSQUARERATE > 0.0 ? IGSQUARERATE : 1.0;
    return QSize(int(139 * s), int(94 * s));
}

bool IImageTansformThread::saveImage(const QImage& image, const QString& path, const QString& format,
                                     QString* error)
{
    if (image.isNull()) {
        if (error)
            *error = tr("empty picture");
        return false;
    }
    QByteArray encoded;
    {
        QBuffer buffer(&encoded);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format.toLatin1());
        const QString f = format.toLower();
        if (f == QLatin1String("jpeg") || f == QLatin1String("jpg"))
            writer.setQuality(100);
        // jpeg and bmp have no alpha: flatten what the outline left transparent onto
        // black explicitly rather than leaving it to the writer.
        const bool keepsAlpha =
            f == QLatin1String("png") || f == QLatin1String("tiff") || f == QLatin1String("tif");
        if (!writer.write(keepsAlpha ? image : image.convertToFormat(QImage::Format_RGB32))) {
            if (error)
                *error = writer.errorString();
            return false;
        }
    }
    // QSaveFile writes beside the target and renames on commit, so a full disk or a
    // failed write never leaves a half-written file that looks like a snapshot.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = systemReasonText(file.errorString());
        return false;
    }
    return writeSaveFile(file, encoded, error);
}

void IImageTansformThread::processJob(const Job& job)
{
    const QImage picture = composeImage(job.data);
    if (picture.isNull()) {
        qDebug() << Q_FUNC_INFO << "empty picture dropped.";
        return;
    }
    if (job.data.folder.isEmpty()) {
        emit sgCaptureImage(picture, QString());
        return;
    }

    QDir().mkpath(job.data.folder);
    const QString path = uniqueFilePath(job.data.folder, makeTimeFileName(job.format));
    QString error;
    if (!saveImage(picture, path, job.format, &error)) {
        qCritical() << Q_FUNC_INFO << "save picture failed:" << path << error;
        emit sgCaptureFailed(path, error);
        return;
    }
    const QImage thumbnail =
        picture.scaled(thumbnailSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    emit sgCaptureImage(thumbnail, path);
}
