#ifndef ICAVINPUTSTREAM_H
#define ICAVINPUTSTREAM_H

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QRect>
#include <QString>
#include <atomic>
#include <memory>
#include <vector>

#include "ffmpeg/iavptr.h"

class IStreamThread;
class IPipeWireCapture;
class QTimer;

// Capture side of the screen recorder: the screen region from x11grab on $DISPLAY (in a
// Wayland session from the desktop's screen-cast stream, granted through its portal) and
// the microphone, handed out as time-stamped frames (microseconds since the start, paused
// spans removed). Pictures and sound are stamped by the moment they were captured, both
// on the monotonic clock of av_gettime_relative(). A frame given to a signal is valid only
// during the emission.
class ICAVInputStream : public QObject
{
    Q_OBJECT
public:
    explicit ICAVInputStream(QObject* parent = nullptr);
    ~ICAVInputStream() override;

    // Connects the microphone once; always true.
    bool initData();
    void SetVideoCaptureDevice(const QString& name);
    void SetAudioCaptureDevice(const QString& name);

    // Begins opening the screen input for rect (global logical pixels) and, when a sound
    // device is named, starting the microphone; sgInputOpened tells the outcome. X11 opens
    // at once (the signal comes before this returns); a Wayland desktop is asked through
    // its portal and answers later. The picture does not wait for the microphone: its
    // sound joins the recording when it answers, or sgMicrophoneMissing follows and it
    // joins whenever it answers later.
    void OpenInputStream(const QRect& rect);
    // Abandons an open still under way: nothing stays open, no sgInputOpened follows.
    void cancelOpen();
    // Why the last OpenInputStream failed.
    enum OpenError {
        OpenFailed,
        NoScreenCastPortal,
        ScreenCastRefused,
        ScreenCastFailed,
        ScreenCastTimedOut,
        NoPipeWire,
        NoScreenCastPicture
    };
    OpenError openError() const { return m_openError; }
    bool StartCapture();
    // Tells the capture threads and the microphone to stop and returns at once; each
    // closes its own device. sgCaptureEnded follows once nothing more is captured. The
    // encoder tick thread is told to end once its loop returns.
    void CloseInputStream();
    // Waits until the capture of a closed recording has ended, at most ms; true when it has.
    bool waitCaptureEnded(int ms = CAPTURE_END_LIMIT_MS);
    // A stop waits for the microphone's late sound up to its own bound; then the rest ends.
    static const int CAPTURE_END_LIMIT_MS = 4000;
    void DestroyInputStream();
    // Pause and resume alternate; a repeated call changes nothing.
    void PauseInputStream(const bool& pause);

    bool GetVideoInputInfo(int& width, int& height, int& fps, AVPixelFormat& format) const;
    // True when the recording has a sound track: the microphone started for it or is
    // still starting.
    bool GetAudioInputInfo(AVSampleFormat& format, int& sampleRate, int& channels) const;

    bool isStopped() const { return m_stopped; }
    // Sound was asked for but no microphone answered: this recording has none of its sound
    // (yet: one that answers later joins it).
    bool microphoneMissing() const { return m_microphoneMissing && !m_microphoneHeard; }
    // The microphone started for this recording (its sound may still have gaps).
    bool microphoneStarted() const { return m_audioStarted && !m_microphoneAttempt && !microphoneMissing(); }
    bool isPaused() const { return m_paused; }
    // Waits for the encoder tick thread to end; true when it has (or never ran).
    bool waitEncoderThread(unsigned long ms);
    QRect captureRect() const { return QRect(m_cropX, m_cropY, m_cropWidth, m_cropHeight); }
    // The stamp of something captured at that moment (av_gettime_relative()), or -1 when
    // the moment lies outside the recording: before its start, in a pause, after its stop.
    qint64 stampAt(qint64 captured) const;

    // The region x11grab is asked for, in device pixels: rect (global, logical) on the
    // screen of geometry screen (logical) and pixel ratio ratio, taken off the screen's
    // origin, scaled and put back at it; sides rounded up to even, cut to the desktop
    // (device pixels) and moved inside it.
    static QRect normaliseRect(const QRect& rect, const QRect& screen, qreal ratio, const QRect& desktop);
    // Every screen together, in device pixels: the X root window.
    static QRect deviceDesktop();

signals:
    void sgWriteVideoFrame(AVFrame* pframe, qint64 lTimeStamp);
    void sgWriteAudioFrame(AVFrame* pframe, qint64 lTimeStamp);
    void sgAVEncode();
    void sgAVError();
    // After CloseInputStream, from whichever thread is the last to end its capture: no
    // frame of the recording is still to come.
    void sgCaptureEnded();
    // The open begun by OpenInputStream ended: true when the capture can start.
    void sgInputOpened(bool ok);
    // The microphone did not start for the recording: it goes on without sound.
    void sgMicrophoneMissing();
    // The microphone went away during the recording (true), or gives sound again.
    void sgMicrophoneAway(bool away);

public slots:
    void slReadVideoPackets();
    void slReadAudioData(QByteArray data, int size, int channels, int sampleFormat, int sampleRate);

private:
    bool openScreenInput();
    // The desktop's screen cast, step by step: asks its portal (onCastAnswer), opens the
    // stream and waits for its first picture (checkFirstPicture), then places the region
    // on it (placeOnStream).
    void openScreenCast();
    void onCastAnswer(int result);
    void checkFirstPicture();
    bool placeOnStream();
    // Ends an open: starts the microphone when it succeeded and tells the outcome.
    void finishOpen(bool ok);
    // The microphone's answer to the start of this recording (false: none within its bound).
    void onMicrophoneStarted(quint64 attempt, bool ok);
    void abandonMicrophoneStart();
    int readScreenCast();
    int InitFilters(AVRational pixelAspect, AVPixelFormat format, AVRational timeBase, int width, int height,
                    const char* filters);
    int ReadVideoPackets();
    void noteCaptureEnd();
    // Closes the screen-cast stream, then ends its grant.
    void endScreenCast();

    // The recording's own time line on the monotonic clock; read by the capture threads.
    struct Timeline
    {
        bool running = false;
        qint64 start = 0;
        qint64 stop = 0;  // while running: no stop yet
        std::vector<std::pair<qint64, qint64>> pauses;  // [begin, end); an open one ends at max
    };
    static qint64 stampOn(const Timeline& line, qint64 captured);
    Timeline timeline() const;

    QString m_videoDevice;
    QString m_audioDevice;
    int m_videoIndex = -1;
    // The screen is grabbed every 20 ms.
    int m_frameRate = 50;
    IAVInputPtr m_videoInput;
    IAVCodecContextPtr m_videoDecoder;
    std::unique_ptr<IStreamThread> m_videoThread;
    std::unique_ptr<IStreamThread> m_encodeThread;
    std::atomic<bool> m_stopped{true};
    std::atomic<bool> m_paused{false};
    // Capture still running after a close, and whether its end was announced.
    std::atomic<bool> m_videoRunning{false};
    std::atomic<bool> m_audioStopping{false};
    std::atomic<bool> m_endAnnounced{true};
    // Threads still to report their end (waitCaptureEnded waits for them).
    std::atomic<int> m_endReporters{0};
    mutable QMutex m_timelineMutex;
    Timeline m_timeline;
    bool m_audioStarted = false;
    bool m_microphoneMissing = false;
    // Some of the microphone's sound is in the recording (taken on the microphone's worker).
    std::atomic<bool> m_microphoneHeard{false};
    // The microphone's start this recording waits for (0: none), bounded by m_microphoneTimer.
    quint64 m_microphoneAttempt = 0;
    QTimer* m_microphoneTimer = nullptr;
    // The microphone was given up for this recording: what it still hands on is not taken.
    std::atomic<bool> m_microphoneGivenUp{false};
    IAVFilterGraphPtr m_filterGraph;
    QRect m_desktop;  // device pixels, found once when the input opens
    int m_cropX = 0;
    int m_cropY = 0;
    int m_cropWidth = 0;
    int m_cropHeight = 0;
    OpenError m_openError = OpenFailed;
    // Pictures come from the screen cast, not from x11grab.
    bool m_screenCast = false;
    bool m_opening = false;
    // The region (device pixels) and its screen (device pixels and ratio) while the
    // screen cast opens.
    QRect m_castRegion;
    QRect m_castScreen;
    int m_castRatio = 1;
    QTimer* m_pictureTimer = nullptr;
    qint64 m_pictureWaitStart = 0;
    std::unique_ptr<IPipeWireCapture> m_pipeWire;
    // Streams closed and still ending on their workers; joined at the latest when this
    // object is destroyed.
    QMutex m_endingCastsMutex;
    std::vector<std::unique_ptr<IPipeWireCapture>> m_endingCasts;
    // The portal session whose stream m_pipeWire reads.
    QString m_castSession;
    // The desktop stopped sharing the screen during the recording.
    std::atomic<bool> m_castEnded{false};
    bool m_castWatched = false;
    const bool m_crop = true;
    const bool m_qtMicrophone = true;
};

#endif
