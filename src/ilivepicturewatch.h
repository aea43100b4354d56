#ifndef ILIVEPICTUREWATCH_H
#define ILIVEPICTUREWATCH_H

#include <QObject>
#include <QPointer>
#include <QThread>

#include <atomic>

class QWidget;
class QWindow;

// Listens on a connection of its own to the X server for VisibilityNotify on one window:
// Qt does not ask for it, and changing Qt's own selection would replace Qt's event mask.
class IWindowCoverThread : public QThread
{
    Q_OBJECT
public:
    IWindowCoverThread();
    ~IWindowCoverThread() override;
    // The window to watch (its native id may change when it is made again).
    void watch(quintptr window);

signals:
    void coveredChanged(uint window, bool covered);

protected:
    void run() override;

private:
    void wake();

    std::atomic<quintptr> m_window{0};
    std::atomic<bool> m_stop{false};
    int m_wakeFd = -1;
};

// Tells whether anyone can see the camera picture of a window: not while it is
// minimised, hidden or unmapped, nor while the X server reports it fully covered by
// other programs' windows (without a compositor). A running screen recording keeps the
// picture going. Until the window is first shown the picture counts as seen, so the
// first picture never waits for a key frame.
class ILivePictureWatch : public QObject
{
    Q_OBJECT
public:
    explicit ILivePictureWatch(QWidget* window);
    ~ILivePictureWatch() override;

    bool isSeen() const { return m_seen; }

public slots:
    // Looks again at the window and the recorder.
    void update();

signals:
    void seenChanged(bool seen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchCover();
    bool coveredByOwnWindow() const;

    QWidget* m_window;
    QPointer<QWindow> m_native;
    IWindowCoverThread* m_cover = nullptr;
    bool m_shown = false;
    bool m_obscured = false;
    bool m_seen = true;
};

#endif
