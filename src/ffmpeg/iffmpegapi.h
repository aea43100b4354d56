#ifndef IFFMPEGAPI_H
#define IFFMPEGAPI_H

#include <QImage>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>

#include "ffmpeg/icavinputstream.h"
#include "ffmpeg/icavoutputstream.h"

class IPictureVynthesisVideo;
class ITcpServer;

// The recorder: the one entry point for recording the screen with microphone sound and
// for turning time-lapse shots into a video.
// Process-wide; created on first use and destroyed before the application object.
class IFFmpegApi : public QObject
{
    Q_OBJECT
public:
    static IFFmpegApi* instance();
    // Stops a running time-lapse (its file is finalised) and deletes the recorder.
    static void destroyInstance();

    virtual bool initData();
    // Finalises a running screen recording (waiting for its file) and releases the
    // microphone; the window's shutdown calls it.
    virtual void destoryRecord();
    virtual void setVideoCaptureDevice(const QString& name);
    virtual void setAudioCaptureDevice(const QString& name);
    // Records rect (global logical pixels) into a time-stamped file in path. Returns at
    // once: true when the recording runs or waits for the desktop's permission to share
    // the screen (isStarting()), false when it failed. Every start ends with recordMessage
    // 2 (recording) or 3 (not started; the user is told why), on X11 before this
    // returns. A start while another one runs, waits or is finalised is refused (false
    // and nothing else: that one's own messages stand).
    virtual bool startRecordVideo(const QString& path, const QRect& rect);
    // Abandons a start that still waits: nothing stays open, no file is made;
    // recordMessage 3 follows.
    void cancelStartRecord();
    bool isStarting() const { return m_starting; }
    // Asks for the end of the recording and returns at once; sgRecordVideo follows once
    // the file is complete.
    virtual bool stopRecordVideo();
    virtual bool pauseRecordVideo(const bool& pause);
    virtual bool ffmpegcmdGetDeviceInfo();
    // Recording through the companion recorder instead of in process. Nothing in the
    // program turns it on; the companion road stays ready for that recorder.
    virtual bool useCompanionRecorder() const { return m_useCompanion; }
    void setUseCompanionRecorder(bool on) { m_useCompanion = on; }
    ITcpServer* companionServer() const { return m_companion; }
    // Starts a time-lapse video of that frame size and rate in the folder. Returns false
    // when the frame rate is below 1 or the size is smaller than 2x2.
    virtual bool startPictureVynthesisVideo(const QString& path, const QSize& size, const int& fps);
    // Finalises the time-lapse video and returns its path (empty when nothing was
    // written); count becomes the video's length in seconds.
    virtual QString stopPictureVynthesisVideo(int& count);
    virtual void addPicture(QImage picture);
    // Why the time-lapse video could not be written whole (a full disk); empty while
    // all is well. The pictures before the failure stay in its file.
    QString timelapseError() const;

    bool isRecording() const { return !m_inputStream.isStopped(); }
    // The running recording has no sound because no microphone could be opened.
    bool microphoneMissing() const { return isRecording() && m_inputStream.microphoneMissing(); }
    // Still writing the end of the last recording.
    bool isFinalising() const { return m_finalising; }
    QString outputPath() const { return m_outputPath; }
    const ICAVInputStream& inputStream() const { return m_inputStream; }
    const ICAVOutputStream& outputStream() const { return m_outputStream; }

signals:
    // A recording is complete and playable at this path; note tells what the user should
    // know about it (the sound stopped midway), empty when nothing.
    void sgRecordVideo(QString path, QString note);
    // 2: the recording started; 3: it did not start (before the user is told why); 4: it
    // ended without a normal stop; 5: the microphone did not answer, the recording goes on
    // without sound; 6: the microphone went away during the recording; 7: it gives sound again.
    void recordMessage(int code);
    // The last recording's file is done with (and what it is was told): a new one may start.
    void sgFinalised();

public slots:
    void slWriteVideoFrame(AVFrame* pframe, qint64 lTimeStamp);
    void slWriteAudioFrame(AVFrame* pframe, qint64 lTimeStamp);
    void slAVEncode();

private slots:
    // The screen input of a start opened (or not): the file is opened and the capture
    // started, or the user told why not.
    void onInputOpened(bool ok);
    void onCaptureError();
    // The file could not be written (a full disk): the recording ends and the user is
    // told why, once.
    void onWriteFailed(int code);
    void onEncodeFinished(bool ok, QString path);
    void onCompanionMessage(int code, QString info);

protected:
    explicit IFFmpegApi(QObject* parent = nullptr);
    ~IFFmpegApi() override;

private:
    // Stops a running screen recording, waits for its file and releases the microphone.
    void finishScreenRecording();
    // Waits for the encoder to finalise the file; false when it did not end in time.
    bool waitForFinalised(int ms);
    // Tells how the finalised recording ended: its file, or why there is none or only part.
    void announceFinished(bool ok, const QString& path);
    // What the finished box tells about the recording's sound, empty when it lasted.
    QString soundGapText() const;
    // Tells the user that no recording could start into file's folder, with the
    // system's reason when there is one, and reports the failed start; returns false.
    bool startFailed(const QString& file, const QString& reason);
    // What the user is told when the screen input cannot be opened (an
    // ICAVInputStream::OpenError).
    QString openFailureText(int error) const;

    QString m_outputPath;
    ICAVInputStream m_inputStream;
    ICAVOutputStream m_outputStream;
    bool m_finalising = false;
    // A start waits for its screen input; the file it will record into.
    bool m_starting = false;
    QString m_startFile;
    // The recording being finalised ended by a capture error, not by the user's stop.
    bool m_aborted = false;
    // The user has been told that this recording's file could not be written.
    bool m_writeFailureTold = false;
    // While the window shuts down the finished file is not announced to the (closing) bar.
    bool m_shuttingDown = false;
    bool m_initialised = false;
    bool m_useCompanion = false;
    ITcpServer* m_companion = nullptr;

    // Kept after a stop, so a second stop reports the same video.
    std::unique_ptr<IPictureVynthesisVideo> m_pictureVideo;

    static IFFmpegApi* s_instance;
};

#endif
