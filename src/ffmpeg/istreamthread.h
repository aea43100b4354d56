#ifndef ISTREAMTHREAD_H
#define ISTREAMTHREAD_H

#include <QThread>
#include <atomic>

// A tick thread: emits sgReadStream(), sleeps, and repeats until stopped. Receivers
// connect directly, so they run on this thread; a receiver may keep the tick for as long
// as its own loop runs.
class IStreamThread : public QThread
{
    Q_OBJECT
public:
    explicit IStreamThread(QObject* parent = nullptr);
    ~IStreamThread() override;

    virtual void setSleepTime(const int& ms);
    // Stops the ticks and waits for the thread.
    virtual void destroyThread();
    // Stops the ticks after the current one; does not wait.
    virtual void stopThread();
    // Starts ticking. At least one tick is emitted even when a stop follows at once, so a
    // receiver that finishes work on its tick always gets to run.
    void startThread();

signals:
    void sgReadStream();

protected:
    void run() override;

private:
    std::atomic<bool> m_running{false};
    std::atomic<int> m_sleepTime{0};
};

#endif
