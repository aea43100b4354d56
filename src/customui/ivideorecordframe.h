#ifndef IVIDEORECORDFRAME_H
#define IVIDEORECORDFRAME_H

#include <QColor>
#include <QList>
#include <QTimer>
#include <QVariant>

#include "customui/icustomwidget.h"
#include "customui/ifreezonewidget.h"

class IApplication;
class IIToolButton;
class IMacosPermissionBox;
class MainFrame;
class QLabel;
class QShortcut;

// Tells where a finished screen recording is and offers to open it or its folder; above
// the path, what the user should know about the recording (the sound stopped midway).
class IVideoRecordMsgBox : public ICustomWidget
{
    Q_OBJECT
public:
    explicit IVideoRecordMsgBox(QWidget* parent);

    // Shows text (the file's path) and the note, if any, modally, or closes the box.
    virtual void setFrameVisible(const bool& visible, const QString& text, const QString& note = QString());
    // The file's path, which "Open file" opens.
    QString text() const;
    QString note() const;
    // "Open file" (false) and "Open directory" (true): closes the box and opens the
    // recording or the video folder, or names it when nothing can open it.
    void openFileOrFolder(bool folder);

protected:
    virtual void CreateUI();

private:
    QLabel* m_note = nullptr;
    QLabel* m_label = nullptr;
};

// Screen-recording bar: a selection rectangle over the main window with region presets
// and a large "Start"; while recording, coloured corner brackets mark the region, the rest
// of the window stays usable, and a control bar offers halt, resume, stop and a clock.
class IVideoRecordFrame : public IFreeZoneWidget
{
    Q_OBJECT
public:
    IVideoRecordFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    // The whole screen where the window's place is unknown (Qt's native Wayland).
    QRect getGlobalSelectRect() const override;
    virtual void setButtonsVisible(const bool& visible);
    virtual void setButtonsSelect(const QVariant& id);
    virtual void setVideoButtonsVisible(const bool& visible);
    virtual void startVideoRecord();
    // Ends the recording as the "Stop" button does.
    virtual void stopVideoRecord();

    // Abandons a Start that waits for the desktop's permission to share the screen, or for
    // the last recording's file to be written (the waiting bar's Cancel, and Escape).
    void cancelStart();

    int elapsedSeconds() const { return m_elapsed; }
    QString clockText() const;
    QColor bracketColor() const { return m_bracketColor; }
    IVideoRecordMsgBox* finishedBox() const { return m_msgBox; }

public slots:
    // 0 "Full screen", 5 the camera picture, 1..4 the fixed sizes.
    virtual void onRegionClick(bool state, QVariant id);
    // 5 "Quit", 6 the large "Start", 7 resume, 8 "Halt", 9 "Stop".
    virtual void onControlClick(bool state, QVariant id);
    void onClockTick();
    void onRecordMessage(int code);
    void onRecordFinished(QString path, QString note = QString());

protected:
    virtual void CreateUI();
    virtual IIToolButton* CreateButton(QVariant id, const QString& text, const QSize& size);
    virtual IIToolButton* CreateButton(QVariant id, const QString& text, const QString& a, const QString& b,
                                       int radius, bool checkable, QSize size, QWidget* parent);
    virtual MainFrame* mainFrame() const;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectCameraPicture();
    void enterRecordingState();
    void leaveRecordingState();
    // While Start waits, the frame lets the mouse through to the window (title bar and
    // all); only the waiting bar is its own.
    void enterWaitingState();
    void leaveWaitingState();
    // Asks the recorder for the area chosen at Start.
    void startRecording();
    // What the waiting bar says; it stays centred where Start was.
    void setWaitText(const QString& text);
    void giveButtonBack();
    // While recording: the frame covers the window again, the brackets go back onto the
    // recorded area wherever the window now is, and the control bar into the window.
    void followWindow();

    IApplication* m_app = nullptr;
    QWidget* m_regionBar = nullptr;
    QList<IIToolButton*> m_regionButtons;
    IIToolButton* m_startButton = nullptr;
    QLabel* m_clockLabel = nullptr;
    QTimer* m_clockTimer = nullptr;
    // Says the whole screen is recorded, along the frame's top edge: never over Start,
    // and clicks go through it.
    QLabel* m_placeNotice = nullptr;
    // Shown in the control bar while the microphone is gone during a recording.
    QLabel* m_microphoneAway = nullptr;
    void showMicrophoneAway(bool away);
    void showPlaceNotice();
    int m_elapsed = 0;
    QWidget* m_controlBar = nullptr;
    IIToolButton* m_resumeButton = nullptr;
    IIToolButton* m_haltButton = nullptr;
    IIToolButton* m_stopButton = nullptr;
    QColor m_bracketColor{255, 0, 0, 255};
    IVideoRecordMsgBox* m_msgBox = nullptr;
    IMacosPermissionBox* m_permissionBox = nullptr;
    QWidget* m_waitBar = nullptr;
    QLabel* m_waitText = nullptr;
    QPoint m_waitCentre;
    QShortcut* m_escape = nullptr;
    bool m_waiting = false;
    // Start was pressed while the last recording's file was still being written.
    bool m_startQueued = false;
    // The screen area being recorded (global); null when not recording.
    QRect m_recordArea;
};

#endif
