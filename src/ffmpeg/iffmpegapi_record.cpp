// The screen-recording half of the recorder facade.
#include "ffmpeg/iffmpegapi.h"

#include <QCameraInfo>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <filesystem>
#include <system_error>

#include "customui/imsgbox.h"
#include "ffmpeg/iaudioinputfromqt.h"
#include "ffmpeg/wifirtsp/itcpserver.h"
#include "ifilewrite.h"
#include "iglobal.h"
#include "iimagetansformthread.h"
#include "imachelper.h"

namespace {
// Longest wait for the encoder to write the end of a file at shutdown.
const int FINALISE_WAIT_MS = 30000;

// The system's reason behind an FFmpeg error code, in the user's language.
QString avErrorReason(int code)
{
    return systemReasonText(avErrorText(code));
}

// A moment of the recording as its clock shows it: mm:ss, h:mm:ss from an hour on.
QString recordingTime(qint64 microseconds)
{
    const int seconds = int(microseconds / 1000000);
    const QTime time = QTime(0, 0).addSecs(seconds % 86400);
    return time.toString(seconds >= 3600 ? QStringLiteral("h:mm:ss") : QStringLiteral("mm:ss"));
}
}

void IFFmpegApi::setVideoCaptureDevice(const QString& name)
{
    if (!useCompanionRecorder())
        m_inputStream.SetVideoCaptureDevice(QString(name));
}

void IFFmpegApi::setAudioCaptureDevice(const QString& name)
{
    if (!useCompanionRecorder())
        m_inputStream.SetAudioCaptureDevice(QString(name));
}

bool IFFmpegApi::ffmpegcmdGetDeviceInfo()
{
    if (useCompanionRecorder())
        return true;
    // The screen is the X display this program runs on; x11grab reads the same one. A
    // Wayland desktop shares its screen through its screen-cast portal instead.
    g_camera_info.videoCaptureDevice =
        isWaylandSession() ? QStringLiteral("screencast") : QString::fromLocal8Bit(qgetenv("DISPLAY"));
    // A non-empty name switches the microphone on; the microphone itself is the system's
    // default input.
    g_camera_info.audioCaptureDevice = g_camera_info.description;
    qDebug() << "x11 record device:" << g_camera_info.videoCaptureDevice << g_camera_info.audioCaptureDevice;
    return true;
}

bool IFFmpegApi::startRecordVideo(const QString& path, const QRect& rect)
{
    setVideoCaptureDevice(g_camera_info.videoCaptureDevice);
    setAudioCaptureDevice(g_camera_info.audioCaptureDevice);
    // A running recording keeps its file name; a finalising one must finish first.
    if (!m_inputStream.isStopped() || m_finalising || m_starting) {
        qDebug() << "recording refused: the previous recording has not ended";
        return false;
    }
    // Same-second recordings get "_1", "_2", ... rather than overwriting each other.
    const QString file = IImageTansformThread::uniqueFilePath(path, makeTimeFileName(g_video_format));
    // Why a folder cannot be made (a read-only file system) is told as it stands; the
    // file's open would only find it missing.
    std::error_code folderError;
    std::filesystem::create_directories(QFile::encodeName(QFileInfo(file).absolutePath()).toStdString(), folderError);
    if (useCompanionRecorder()) {
        // The companion records; its replies tell whether and when (onCompanionMessage).
        m_outputPath = file;
        if (m_companion)
            m_companion->startRecordVideo(file, rect);
        return false;
    }

    if (folderError)
        return startFailed(file, systemReasonText(QString::fromLocal8Bit(folderError.message().c_str())));
    m_inputStream.initData();
    m_starting = true;
    m_startFile = file;
    // The outcome comes as onInputOpened, at once on X11, after the desktop answers on Wayland.
    m_inputStream.OpenInputStream(rect);
    return m_starting || isRecording();
}

void IFFmpegApi::onInputOpened(bool ok)
{
    if (!m_starting)
        return;
    m_starting = false;
    const QString file = m_startFile;
    if (!ok) {
        m_inputStream.CloseInputStream();
        // The bar (and its waiting Cancel) goes before the box tells why.
        emit recordMessage(3);
        IMsgBox::showMsg(openFailureText(m_inputStream.openError()), IMsgBox::Ok, g_software_name, nullptr);
        return;
    }
    int width = 0;
    int height = 0;
    int fps = 0;
    AVPixelFormat pixelFormat = AV_PIX_FMT_NONE;
    if (m_inputStream.GetVideoInputInfo(width, height, fps, pixelFormat))
        m_outputStream.setVideoCodecProp(AV_CODEC_ID_H264, fps, width * height, qMin(100, 2 * fps), width, height,
                                         AV_PIX_FMT_YUV420P);
    AVSampleFormat sampleFormat = AV_SAMPLE_FMT_NONE;
    int sampleRate = 0;
    int channels = 0;
    if (m_inputStream.GetAudioInputInfo(sampleFormat, sampleRate, channels))
        m_outputStream.setAudioCodecProp(AV_CODEC_ID_AAC, sampleRate, channels, 64000);
    if (!m_outputStream.openOutputStream(file)) {
        m_inputStream.CloseInputStream();
        const int code = m_outputStream.openError();
        startFailed(file, code < 0 ? avErrorReason(code) : QString());
        return;
    }
    if (!m_inputStream.StartCapture()) {
        m_inputStream.CloseInputStream();
        m_outputStream.closeOutputStream();
        QFile::remove(file);
        emit recordMessage(3);
        return;
    }
    m_outputPath = file;
    m_aborted = false;
    m_writeFailureTold = false;
    qDebug() << "recording to" << file << "sound" << m_outputStream.hasSound();
    emit recordMessage(2);
}

void IFFmpegApi::cancelStartRecord()
{
    if (!m_starting)
        return;
    m_starting = false;
    // The file is opened only once the input is: nothing was written yet.
    m_inputStream.cancelOpen();
    qDebug() << "recording start abandoned";
    emit recordMessage(3);
}

QString IFFmpegApi::openFailureText(int error) const
{
    // On Wayland the desktop decides what may be recorded: say which part of it failed and
    // what the user can do.
    switch (error) {
    case ICAVInputStream::NoScreenCastPortal:
        return tr("The screen cannot be recorded: this Wayland desktop offers no screen-sharing service "
                  "(xdg-desktop-portal). Install the portal of your desktop, or log in with an X11 session "
                  "to record the screen.");
    case ICAVInputStream::ScreenCastTimedOut:
        return tr("The screen cannot be recorded: the desktop did not answer the request to share the screen in "
                  "time. Press Start to try again; if it still does not answer, log out and in again, or log in "
                  "with an X11 session to record the screen.");
    case ICAVInputStream::ScreenCastRefused:
        return tr("The screen cannot be recorded: the desktop's request to share the screen was refused or "
                  "cancelled. Press Start again and allow sharing the screen to record it.");
    case ICAVInputStream::ScreenCastFailed:
        return tr("The screen cannot be recorded: the desktop's screen-sharing service (xdg-desktop-portal) "
                  "failed without asking. Press Start to try again; if it fails again, log out and in again, or "
                  "log in with an X11 session to record the screen.");
    case ICAVInputStream::NoPipeWire:
        return tr("The screen cannot be recorded: the desktop's screen stream (PipeWire) cannot be opened. "
                  "Install PipeWire and gstreamer1.0-pipewire, or log in with an X11 session to record the "
                  "screen.");
    case ICAVInputStream::NoScreenCastPicture:
        return tr("The screen cannot be recorded: the desktop shared the screen but sent no picture. Log in "
                  "with an X11 session to record the screen.");
    default: return tr("Failed to open acquisition device");
    }
}

bool IFFmpegApi::startFailed(const QString& file, const QString& reason)
{
    emit recordMessage(3);
    if (reason.isEmpty()) {
        IMsgBox::showMsg(tr("Initialization output failed"), IMsgBox::Ok, g_software_name, nullptr);
        return false;
    }
    // A folder that cannot be written is the user's to mend: say which and why.
    qCritical() << "screen recording could not be started:" << file << reason;
    IMsgBox::showMsg(tr("Initialization output failed: %1. The recording cannot be saved in:\n%2")
                         .arg(reason, QDir::toNativeSeparators(QFileInfo(file).absolutePath())),
                     IMsgBox::Ok, g_software_name, nullptr);
    return false;
}

bool IFFmpegApi::stopRecordVideo()
{
    if (useCompanionRecorder())
        return !m_companion || m_companion->stopRecordVideo();
    if (m_inputStream.isStopped())
        return true;
    m_finalising = true;
    // The encoder is stopped once the capture has ended (sgCaptureEnded).
    m_inputStream.CloseInputStream();
    return true;
}

bool IFFmpegApi::pauseRecordVideo(const bool& pause)
{
    if (useCompanionRecorder())
        return !m_companion || m_companion->pauseRecordVideo(pause);
    m_inputStream.PauseInputStream(pause);
    return true;
}

void IFFmpegApi::slWriteVideoFrame(AVFrame* pframe, qint64 lTimeStamp)
{
    m_outputStream.write_video_frame(pframe, lTimeStamp);
}

void IFFmpegApi::slWriteAudioFrame(AVFrame* pframe, qint64 lTimeStamp)
{
    m_outputStream.write_audio_frame(pframe, lTimeStamp);
}

void IFFmpegApi::slAVEncode()
{
    m_outputStream.startEncode();
}

void IFFmpegApi::onCompanionMessage(int code, QString info)
{
    // 1: the companion finished the file; 2 started, 3 failed to start, 4 link lost.
    if (code == 1)
        emit sgRecordVideo(info, QString());
    else if (code >= 2 && code <= 4)
        emit recordMessage(code);
}

void IFFmpegApi::onCaptureError()
{
    if (m_inputStream.isStopped())
        return;
    m_aborted = true;
    stopRecordVideo();
    emit recordMessage(4);
}

void IFFmpegApi::onWriteFailed(int code)
{
    if (m_writeFailureTold)
        return;
    m_writeFailureTold = true;
    const QString reason = avErrorReason(code);
    qCritical() << "screen recording could not be written:" << m_outputPath << reason;
    // The clock and the brackets stop before the box waits for the user.
    if (!m_inputStream.isStopped()) {
        stopRecordVideo();
        emit recordMessage(4);
    }
    // Fragments written before the failure still play; the file is not called saved.
    IMsgBox::showMsg(tr("The recording could not be written completely: %1. What was written is kept in:\n%2")
                         .arg(reason, QDir::toNativeSeparators(m_outputPath)),
                     IMsgBox::Ok, g_software_name, nullptr);
}

void IFFmpegApi::onEncodeFinished(bool ok, QString path)
{
    if (!m_finalising)
        return;  // already handled by a wait at shutdown
    m_inputStream.waitEncoderThread(ULONG_MAX);
    m_finalising = false;
    announceFinished(ok, path);
    emit sgFinalised();
}

void IFFmpegApi::announceFinished(bool ok, const QString& path)
{
    const bool aborted = m_aborted;
    m_aborted = false;
    if (!ok) {
        // A failure is told as soon as it happens; one found only while closing, now.
        if (!m_writeFailureTold)
            onWriteFailed(AVERROR(EIO));
        qDebug() << "recording not saved completely" << path;
        return;
    }
    if (m_outputStream.videoFramesWritten() == 0) {
        // Sound is taken from the first picture on: the file holds nothing to play.
        QFile::remove(path);
        qWarning() << "no picture was recorded: removed" << path;
        if (!m_shuttingDown)
            IMsgBox::showMsg(aborted ? tr("The recording stopped because the screen could no longer be captured, "
                                          "before any picture was recorded. No file was kept.")
                                     : tr("No picture of the screen arrived before the recording was stopped. "
                                          "Nothing was recorded, and no file was kept."),
                             IMsgBox::Ok, g_software_name, nullptr);
        return;
    }
    if (aborted) {
        // Not a finished recording: the user hears of the error, not of a success.
        qDebug() << "recording aborted" << path;
        if (!m_shuttingDown)
            IMsgBox::showMsg(tr("The recording stopped because the screen could no longer be captured. "
                                "What was recorded is kept in:\n%1")
                                 .arg(QDir::toNativeSeparators(path)),
                             IMsgBox::Ok, g_software_name, nullptr);
        return;
    }
    const QString note = soundGapText();
    qDebug() << "recording finished" << path << note;
    if (!m_shuttingDown)
        emit sgRecordVideo(path, note);
}

QString IFFmpegApi::soundGapText() const
{
    // Asked for, but no microphone took part: the track, if any, is silence.
    if (m_inputStream.microphoneMissing())
        return tr("The recording has no sound: no microphone answered.");
    const QVector<ICAVOutputStream::SoundGap> gaps = m_outputStream.soundGaps();
    if (gaps.isEmpty())
        return QString();
    const ICAVOutputStream::SoundGap& last = gaps.last();
    QString when;
    if (gaps.size() == 1) {
        when = last.back < 0 ? tr("The sound stopped at %1 of the recording.").arg(recordingTime(last.from))
                             : tr("The sound is missing from %1 to %2 of the recording.")
                                   .arg(recordingTime(last.from), recordingTime(last.back));
    } else {
        // The first few where they are, the rest as a count; the total tells how much.
        const int SHOWN = 3;
        const qint64 end = qMax(m_outputStream.recordingEnd(), last.from);
        qint64 missing = 0;
        QStringList places;
        for (const ICAVOutputStream::SoundGap& gap : gaps) {
            missing += (gap.back < 0 ? end : gap.back) - gap.from;
            if (places.size() < SHOWN)
                places << (gap.back < 0 ? tr("%1 to the end").arg(recordingTime(gap.from))
                                        : recordingTime(gap.from) + QLatin1Char('-') + recordingTime(gap.back));
        }
        QString list = places.join(QStringLiteral(", "));
        if (gaps.size() > SHOWN)
            list = tr("%1 and %2 more").arg(list).arg(gaps.size() - SHOWN);
        const qint64 seconds = qMax<qint64>(1, (missing + 500000) / 1000000);
        const QString total = seconds < 60 ? tr("%1 s").arg(seconds) : recordingTime(seconds * 1000000);
        when = tr("The sound is missing in %1 places, %2 in all: %3.").arg(gaps.size()).arg(total, list);
    }
    bool failed = false;
    for (const ICAVOutputStream::SoundGap& gap : gaps)
        failed = failed || gap.failed;
    if (failed)
        return when + QLatin1Char(' ') + tr("The recorder could not process the sound.");
    // A loss to the end has the cause the microphone tells now; gaps that ended, the
    // cause of the first silence.
    IAudioInputFromQt* mic = IAudioInputFromQt::instance();
    switch (last.back < 0 ? mic->loss() : mic->firstLoss()) {
    case IAudioInputFromQt::Disconnected: return when + QLatin1Char(' ') + tr("The microphone was disconnected.");
    case IAudioInputFromQt::NoMoreSound: return when + QLatin1Char(' ') + tr("The microphone sent no sound.");
    case IAudioInputFromQt::SoundSystemError:
        return when + QLatin1Char(' ') + tr("The sound system reported an error.");
    default: return when;
    }
}

bool IFFmpegApi::waitForFinalised(int ms)
{
    if (!m_finalising)
        return true;
    if (!m_inputStream.waitEncoderThread(ulong(ms))) {
        qDebug() << "the recording's encoder did not end in time";
        return false;
    }
    // The finished report is queued to this thread; take it now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    return !m_finalising;
}

void IFFmpegApi::finishScreenRecording()
{
    m_shuttingDown = true;
    cancelStartRecord();
    if (!m_inputStream.isStopped())
        stopRecordVideo();
    waitForFinalised(FINALISE_WAIT_MS);
    m_inputStream.DestroyInputStream();
    m_shuttingDown = false;
}
