#ifndef IIMAGETANSFORMTHREAD_H
#define IIMAGETANSFORMTHREAD_H

#include <QImage>
#include <QMutex>
#include <QQueue>
#include <QSize>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include "icameratypes.h"

class IApplication;

// The current local time as "yyyyMMddhhmmss", then "." and suffix when suffix is set.
QString makeTimeFileName(const QString& suffix);

// The snapshot thread: composes the drawings over a captured picture, clips it to the
// outline, crops and rotates it, saves it in the photo folder and answers with a
// thumbnail and the file's path. Jobs queue under a mutex; the thread sleeps until one
// arrives or it is told to end.
class IImageTansformThread : public QThread
{
    Q_OBJECT
public:
    explicit IImageTansformThread(IApplication* app, QObject* parent = nullptr);
    // Ends the thread after saving every job still queued (up to kDrainLimit).
    ~IImageTansformThread() override;

    // Queues a copy of the job; the photo format is taken now, on the caller's thread.
    virtual void pushImageData(const ImageData& data);
    int pendingCount() const;

    // Drawings over the picture, crop rectangle, outline clip, rotation.
    static QImage composeImage(const ImageData& data);
    // "<folder>/<fileName>", or with "_1", "_2", ... before the suffix when taken.
    static QString uniqueFilePath(const QString& folder, const QString& fileName);
    static QSize thumbnailSize();
    // Writes the picture (jpeg at quality 100); false with *error set on failure, and
    // no partial file is left behind.
    static bool saveImage(const QImage& image, const QString& path, const QString& format, QString* error);

    static constexpr int kDrainLimit = 100;

signals:
    // A thumbnail and the saved file's path; for a job without a folder, the whole
    // processed picture and an empty path.
    void sgCaptureImage(QImage picture, QString path);
    // The picture could not be saved (full disk, unwritable folder): nothing was added.
    void sgCaptureFailed(QString path, QString reason);

protected:
    void run() override;

private:
    struct Job
    {
        ImageData data;
        QString format;
    };
    bool takeJob(Job* job);
    // Blocks until a job is queued (true) or the thread is to end (false).
    bool waitForJob(Job* job);
    void processJob(const Job& job);
    void drainQueue();

    IApplication* m_app = nullptr;
    mutable QMutex m_mutex;
    QWaitCondition m_jobQueued; // a job arrived, or m_ending was set
    QQueue<Job> m_queue;
    bool m_ending = false;
};

#endif
