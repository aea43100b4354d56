#ifndef ITIMELAPSEFRAME_H
#define ITIMELAPSEFRAME_H

#include <QSize>
#include <QTimer>
#include <QToolButton>
#include <QVariant>
#include <QWidget>

#include "customui/icustomwidget.h"

class IApplication;
class IBarFollower;
class ICameraToolBar;
class QLabel;

// What the time-lapse bar asks the main window to do.
enum OperateType {
    OPERATE_PHOTO = 0,
    OPERATE_START = 1,
    OPERATE_STOP = 2,
    OPERATE_PAUSE = 3,
    OPERATE_RESUME = 4,
};
Q_DECLARE_METATYPE(OperateType)

// Button of the time-lapse bar: an icon for start/stop/pause/resume (style 2) or an
// interval value with "sec" under it (style 4).
class ITimelapseButton : public QToolButton
{
    Q_OBJECT
public:
    ITimelapseButton(QVariant id, QString text, int style, QSize size, QWidget* parent = nullptr);

    virtual void setOperateType(OperateType type);
    virtual OperateType operateType() const { return m_type; }
    virtual void setTextx(const QString& text);
    virtual QString textx() const { return m_text; }
    QVariant id() const { return m_id; }

signals:
    void sgButtonClick(bool checked, QVariant id);

private:
    void refreshBackgroundPhoto();

    int m_style = 2;
    QSize m_size;
    QString m_text;
    QVariant m_id;
    QLabel* m_valueLabel = nullptr;
    OperateType m_type = OPERATE_START;
};

// Counter panel: shots taken and the countdown to the next one.
class ITimelapseTimes : public ICustomWidget
{
    Q_OBJECT
public:
    explicit ITimelapseTimes(QWidget* parent);

    virtual void startTimer(int seconds);
    virtual void pauseTimer();
    virtual void resumeTimer();
    virtual void stopTimer();
    virtual void takePhotoSuccessForTimed();
    // A shot that was refused or brought no picture: counted as missed, and the
    // countdown starts again so the series goes on.
    virtual void takePhotoFailedForTimed();

    int shots() const { return m_shots; }
    int missed() const { return m_missed; }
    int remaining() const { return m_remaining; }
    bool paused() const { return m_paused; }
    bool timerActive() const { return m_timer.isActive(); }
    QString countdownText() const;
    QString shotText() const;
    QString missedText() const;

signals:
    void sgTimeout();

private:
    void tick();
    void rearm();

    QTimer m_timer;
    QLabel* m_countdown = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_missedLabel = nullptr;
    int m_interval = 0;
    int m_remaining = 0;
    int m_shots = 0;
    int m_missed = 0;
    bool m_paused = false;
};

// Floating bar over the "Snap" button that drives a time-lapse: interval, start/stop,
// pause/resume. The main window carries the commands out and calls back.
class ITimelapseFrame : public QWidget
{
    Q_OBJECT
public:
    ITimelapseFrame(IApplication* app, QWidget* parent);

    virtual void setFrameVisible(const bool& visible);
    virtual void takePhotoSuccessForTimed();
    // The main window reports a shot that was refused or failed; tells the user.
    virtual void takePhotoFailedForTimed();
    virtual void startTimerPhoto();
    virtual void pauseTimerPhoto();
    virtual void resumeTimerPhoto();
    virtual void stopTimerPhoto();
    virtual bool isRecording() const;

    ITimelapseButton* shotButton() const { return m_shotButton; }
    ITimelapseButton* intervalButton() const { return m_intervalButton; }
    ITimelapseButton* pauseButton() const { return m_pauseButton; }
    ICustomWidget* intervalChooser() const { return m_chooser; }
    ITimelapseTimes* counter() const { return m_times; }

signals:
    void sgCaptureImage(OperateType type);

public slots:
    void slButtonClick(bool checked, QVariant id);

protected:
    virtual ICameraToolBar* cameraToolBar() const;
    virtual void CreateUI();
    virtual ITimelapseButton* createButton(QVariant id, QString text, int style, QSize size);
    virtual void updateButtonUI(const int& id);

private:
    // Each places its window by its button, in screen coordinates.
    void placeBar();
    QPoint barPosition() const;
    void placeCounter();
    void placeChooser();
    // The window or its camera bar moved or changed size: the bar, the counter and the
    // chooser go with their buttons.
    void followBar();

    IApplication* m_app = nullptr;
    IBarFollower* m_follower = nullptr;
    ICustomWidget* m_chooser = nullptr;
    ITimelapseTimes* m_times = nullptr;
    ITimelapseButton* m_intervalButton = nullptr;
    ITimelapseButton* m_shotButton = nullptr;
    ITimelapseButton* m_pauseButton = nullptr;
    bool m_running = false;
};

#endif
