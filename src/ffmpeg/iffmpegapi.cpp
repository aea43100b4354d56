#include "iffmpegapi.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include "ipicturevynthesisvideo.h"
#include "ffmpeg/wifirtsp/itcpserver.h"
#include "iimagetansformthread.h"

IFFmpegApi* IFFmpegApi::s_instance = nullptr;

IFFmpegApi* IFFmpegApi::instance()
{
    if (!s_instance) {
        s_instance = new IFFmpegApi;
        // The encoder thread must be joined while the application still exists.
        if (QCoreApplication* app = QCoreApplication::instance())
            connect(app, &QCoreApplication::aboutToQuit, s_instance, &IFFmpegApi::destroyInstance);
    }
    return s_instance;
}

void IFFmpegApi::destroyInstance()
{
    if (!s_instance)
        return;
    IFFmpegApi* api = s_instance;
    s_instance = nullptr;
    api->destoryRecord();
    delete api;
}

IFFmpegApi::IFFmpegApi(QObject* parent)
    : QObject(parent)
{
    connect(&m_inputStream, SIGNAL(sgWriteVideoFrame(AVFrame*, qint64)), this,
            SLOT(slWriteVideoFrame(AVFrame*, qint64)), Qt::DirectConnection);
    connect(&m_inputStream, SIGNAL(sgWriteAudioFrame(AVFrame*, qint64)), this,
            SLOT(slWriteAudioFrame(AVFrame*, qint64)), Qt::DirectConnection);
    connect(&m_inputStream, SIGNAL(sgAVEncode()), this, SLOT(slAVEncode()), Qt::DirectConnection);
    connect(&m_outputStream, &ICAVOutputStream::sgEncodeFinished, this, &IFFmpegApi::onEncodeFinished,
            Qt::QueuedConnection);
    connect(&m_outputStream, &ICAVOutputStream::sgWriteFailed, this, &IFFmpegApi::onWriteFailed,
            Qt::QueuedConnection);
    // The encoder drains its queues once the last picture and sound are in.
    connect(&m_inputStream, &ICAVInputStream::sgCaptureEnded, this, [this] { m_outputStream.stopEncode(); },
            Qt::DirectConnection);
    connect(&m_inputStream, &ICAVInputStream::sgInputOpened, this, &IFFmpegApi::onInputOpened,
            Qt::DirectConnection);
    connect(&m_inputStream, &ICAVInputStream::sgMicrophoneMissing, this, [this] { emit recordMessage(5); });
    connect(&m_inputStream, &ICAVInputStream::sgMicrophoneAway, this, [this](bool away) {
        if (isRecording())
            emit recordMessage(away ? 6 : 7);
    });
}

IFFmpegApi::~IFFmpegApi()
{
    // The encoder thread writes into m_outputStream, which is destroyed before
    // m_inputStream (its owner): the thread ends here, its file finalised.
    m_inputStream.cancelOpen();
    if (!m_inputStream.isStopped())
        m_inputStream.CloseInputStream();
    m_inputStream.waitCaptureEnded();
    m_outputStream.stopEncode();
    m_inputStream.waitEncoderThread(ULONG_MAX);
}

bool IFFmpegApi::initData()
{
    // A time-lapse opens its own output when it starts; the screen recorder names its
    // devices here and meets the microphone at its first recording, so start-up does not
    // wait for the sound system.
    if (m_initialised)
        return true;
    m_initialised = true;
    if (useCompanionRecorder()) {
        m_companion = new ITcpServer(this); // listens on loopback
        connect(m_companion, &ITcpServer::recordMessage, this, &IFFmpegApi::onCompanionMessage,
                Qt::DirectConnection);
        return true;
    }
    ffmpegcmdGetDeviceInfo();
    connect(&m_inputStream, &ICAVInputStream::sgAVError, this, &IFFmpegApi::onCaptureError, Qt::QueuedConnection);
    return true;
}

void IFFmpegApi::destoryRecord()
{
    if (useCompanionRecorder()) {
        if (m_companion && m_companion->isConnected()) {
            m_companion->stopRecordVideo();
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 3000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
        }
        // Only the companion this program started is ended, never one found by name.
        if (m_companion)
            m_companion->destoryRecord();
    }
    finishScreenRecording();
    if (m_pictureVideo && m_pictureVideo->isRunning()) {
        int length = 0;
        m_pictureVideo->stop(length);
    }
}

bool IFFmpegApi::startPictureVynthesisVideo(const QString& path, const QSize& size, const int& fps)
{
    // Deleting the previous encoder waits for its thread, so its file is finished first.
    m_pictureVideo.reset();

    // A second run within the same second must not overwrite the first video.
    const QString file = IImageTansformThread::uniqueFilePath(path, makeTimeFileName(QStringLiteral("mp4")));
    auto video = std::make_unique<IPictureVynthesisVideo>();
    if (!video->setConfigures(file, size.width(), size.height(), fps))
        return false;
    QDir().mkpath(QFileInfo(file).absolutePath());
    video->start();
    m_pictureVideo = std::move(video);
    return true;
}

QString IFFmpegApi::stopPictureVynthesisVideo(int& count)
{
    count = 0;
    if (!m_pictureVideo)
        return QString();
    return m_pictureVideo->stop(count);
}

void IFFmpegApi::addPicture(QImage picture)
{
    if (m_pictureVideo)
        m_pictureVideo->addPicture(picture.copy());
}

QString IFFmpegApi::timelapseError() const
{
    return m_pictureVideo ? m_pictureVideo->writeError() : QString();
}
