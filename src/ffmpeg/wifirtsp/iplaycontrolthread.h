#ifndef IPLAYCONTROLTHREAD_H
#define IPLAYCONTROLTHREAD_H

#include <QImage>
#include <QList>
#include <QMutex>
#include <QThread>

class QTimer;

// Smooths a bursty picture stream: producers add frames from any thread, and a timer on
// this thread's event loop plays them out one by one, once ten have gathered, faster as
// the queue grows. The queue is bounded: past the limit the oldest frame is dropped.
class IPlayControlThread : public QThread
{
    Q_OBJECT
public:
    static constexpr int kMaxQueuedFrames = 120;

    explicit IPlayControlThread(QObject* parent = nullptr);
    ~IPlayControlThread() override;

    void addFrame(const QImage& frame);
    int queuedFrames() const;
    int droppedFrames() const;
    // The interval the play timer runs at after a frame was played with d frames left.
    static int intervalFor(int framesLeft);

signals:
    void sgCameraFrame(QImage frame);

public slots:
    void slPlay();

protected:
    void run() override;

private:
    QTimer* m_playTimer = nullptr;
    mutable QMutex m_mutex;
    bool m_filling = true;
    QList<QImage> m_frames;
    int m_dropped = 0;
};

#endif
