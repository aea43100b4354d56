#ifndef ITIMERCAPTUREFRAME_H
#define ITIMERCAPTUREFRAME_H

#include <QTimer>
#include <QVariant>

#include "customui/ipanelframe.h"

class IIToolButton;
class QLabel;
class QLineEdit;
class ITimerCaptureFrame;

// The panels' number field: small font, rounded, no border.
QLineEdit* createStyledLineEdit(QWidget* parent);

// Bar shown while a timed series runs: Start/Halt/Stop and the progress "taken / total".
class ITimerCaptureControlFrame : public IPanelFrame
{
    Q_OBJECT
public:
    ITimerCaptureControlFrame(IApplication* app, ITimerCaptureFrame* owner, QWidget* parent);

    using IPanelFrame::setFrameVisible;
    virtual void setFrameVisible(const bool& visible, const int& total);
    virtual void updateInfo();

    QString progressText() const;
    IIToolButton* button(int id) const;

protected:
    virtual void CreateUI();

private:
    void onButtonClick(const QVariant& id);

    ITimerCaptureFrame* m_owner = nullptr;
    int m_total = 0;
    int m_taken = 0;
    QLabel* m_progress = nullptr;
    IIToolButton* m_start = nullptr;
    IIToolButton* m_halt = nullptr;
    IIToolButton* m_stop = nullptr;
};

// Dialog for a timed series: interval in seconds and number of pictures; each tick of
// the timer asks the main window for a plain snapshot.
class ITimerCaptureFrame : public IPanelFrame
{
    Q_OBJECT
public:
    ITimerCaptureFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    virtual bool isRecording() const;
    virtual void start();
    virtual void pause();
    virtual void stop();

    // Starts a series when both fields hold a number; false otherwise.
    bool confirm();

    QLineEdit* intervalEdit() const { return m_interval; }
    QLineEdit* pagesEdit() const { return m_pages; }
    ITimerCaptureControlFrame* controlFrame() const { return m_control; }
    bool timerActive() const { return m_timer.isActive(); }

public slots:
    virtual void slTimerout();

protected:
    virtual void CreateUI();

private:
    QLineEdit* m_interval = nullptr;
    QLineEdit* m_pages = nullptr;
    QTimer m_timer;
    // From Confirm until Stop or the tick after the last picture, paused or not.
    bool m_series = false;
    ITimerCaptureControlFrame* m_control = nullptr;
};

#endif
