#include "opencv/irecordvideo.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

namespace {
constexpr int kSegmentEndMs = 3000;

QString nowMs()
{
    return QString::number(QDateTime::currentMSecsSinceEpoch());
}

// The index in the last "[n]" of a listing line, all of its digits.
QString lastIndex(const QString& line)
{
    const QStringList fields = line.split(QLatin1Char('['), Qt::SkipEmptyParts);
    if (fields.isEmpty())
        return QString();
    const QString last = fields.last();
    int digits = 0;
    while (digits < last.size() && last.at(digits).isDigit())
        ++digits;
    return last.left(digits);
}
}

IRecordVideo* IRecordVideo::s_instance = nullptr;

IRecordVideo* IRecordVideo::instance()
{
    if (!s_instance)
        s_instance = new IRecordVideo;
    return s_instance;
}

void IRecordVideo::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

IRecordVideo::IRecordVideo(QObject* parent)
    : QObject(parent)
    , m_cacheFolder(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/videocache/"))
{
    if (QFileInfo(m_cacheFolder).isDir())
        deleteCacheFile();
    else
        QDir().mkpath(m_cacheFolder);
}

IRecordVideo::~IRecordVideo()
{
    destoryRecord();
}

QString IRecordVideo::ffmpegProgram()
{
    const QString bundled = QCoreApplication::applicationDirPath() + QStringLiteral("/ffmpeg/macx/ffmpeg");
    if (QFileInfo(bundled).isExecutable())
        return bundled;
    return QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
}

QString IRecordVideo::listFilePath() const
{
    return m_listFile ? m_listFile->fileName() : QString();
}

void IRecordVideo::initData()
{
    m_videoCodec = QStringLiteral("libx264");
    m_audioCodec.clear();
    m_videoInput = QStringLiteral("gdigrab");
    m_audioInput.clear();
    m_outputPath = QStringLiteral("%1.avi").arg(nowMs());
    m_frameRate = 15;
    m_x = m_y = 0;
    m_width = 640;
    m_height = 480;
#if defined(Q_OS_MACOS)
    auto* listing = new QProcess;
    connect(listing, &QProcess::readyReadStandardError, this,
            [this, listing] { m_deviceListText += QString::fromUtf8(listing->readAllStandardError()); });
    connect(listing, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this, [this, listing] {
        qDebug() << m_deviceListText;
        const Devices found = parseDeviceListing(m_deviceListText, {m_videoInput, m_audioInput});
        m_videoInput = found.video;
        m_audioInput = found.audio;
        listing->deleteLater();
    });
    listing->start(ffmpegProgram(),
                   {QStringLiteral("-f"), QStringLiteral("avfoundation"), QStringLiteral("-list_devices"),
                    QStringLiteral("true"), QStringLiteral("-i"), QStringLiteral("true")},
                   QIODevice::ReadWrite);
#else
    // Sound through the sound server when one runs, else the first ALSA card, else none.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QFile cards(QStringLiteral("/proc/asound/cards"));
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))) {
        m_audioFormat = QStringLiteral("pulse");
        m_audioInput = QStringLiteral("default");
    } else if (cards.open(QIODevice::ReadOnly) && cards.readAll().contains('[')) {
        m_audioFormat = QStringLiteral("alsa");
        m_audioInput = QStringLiteral("hw:0");
    } else {
        m_audioFormat.clear();
        m_audioInput.clear();
    }
#endif
}

IRecordVideo::Devices IRecordVideo::parseDeviceListing(const QString& text, const Devices& current)
{
    Devices found = current;
    QStringList kept;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (line.contains(QLatin1String("AVFoundation input device")))
            kept << line;
    for (const QString& line : qAsConst(kept)) {
        if (line.contains(QLatin1String("Capture screen"))) {
            const QString index = lastIndex(line);
            if (!index.isEmpty())
                found.video = index;
            qDebug() << "_videoDevice:" << found.video;
            break;
        }
    }
    bool audioSection = false;
    for (const QString& line : qAsConst(kept))
        audioSection = audioSection || line.contains(QLatin1String("AVFoundation audio devices"));
    if (audioSection) {
        const QString index = lastIndex(kept.last());
        if (!index.isEmpty())
            found.audio = index;
        qDebug() << "_audioDevice:" << found.audio;
    }
    return found;
}

bool IRecordVideo::startRecordVideo(QString path, QRect rect)
{
    if (m_recording || m_joining)
        return false;
    const QString program = ffmpegProgram();
    if (program.isEmpty()) {
        failRecording(tr("The ffmpeg program is not installed."));
        return false;
    }
    m_recording = true;

    if (!m_listFile) {
        m_outputPath = path;
        m_x = rect.x();
        m_y = rect.y();
        m_width = rect.width() + (rect.width() % 2);
        m_height = rect.height() + (rect.height() % 2);
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize screenSize = screen->size();
            if (m_x + m_width > screenSize.width())
                m_x = screenSize.width() - m_width;
            if (m_y + m_height > screenSize.height())
                m_y = screenSize.height() - m_height;
        }
        m_listFile = new QFile(m_cacheFolder + QStringLiteral("%1.txt").arg(nowMs()));
        if (!m_listFile->open(QIODevice::ReadWrite | QIODevice::Append)) {
            qWarning() << "RecordVideo cache file open error";
            delete m_listFile;
            m_listFile = nullptr;
            failRecording(tr("The recording cannot be written to its cache folder."));
            return false;
        }
    }

    const QString segment = QStringLiteral("%1.flv").arg(nowMs());
    const QByteArray line = "file '" + segment.toUtf8() + "'\n";
    if (m_listFile->write(line) != line.size() || !m_listFile->flush()) {
        failRecording(tr("The recording cannot be written to its cache folder."));
        return false;
    }

    delete m_segmentProcess;
    m_segmentProcess = createRecordQProcess();
#if defined(Q_OS_MACOS)
    const QStringList arguments = getRecordVideoCommandForMacx(segment);
#elif defined(Q_OS_WIN)
    const QStringList arguments = getRecordVideoCommand(segment);
#else
    const QStringList arguments = getRecordVideoCommandForUnix(segment);
#endif
    m_segmentProcess->start(program, arguments, QIODevice::ReadWrite);
    qDebug() << program << arguments.join(QLatin1Char(' '));
    if (!m_segmentProcess->waitForStarted(kSegmentEndMs)) {
        failRecording(tr("The screen recorder could not be started."));
        return false;
    }
    return true;
}

QProcess* IRecordVideo::createRecordQProcess()
{
    auto* process = new QProcess;
    connect(process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), process,
            [] { qDebug() << "成功录制临时视频"; }, Qt::DirectConnection);
    connect(process, &QProcess::readyReadStandardError, process,
            [process] { qDebug() << process->readAllStandardError(); }, Qt::DirectConnection);
    return process;
}

// Asks ffmpeg to close the segment and waits for it, so that a join never reads a
// segment that is still being written.
bool IRecordVideo::endSegment()
{
    if (!m_segmentProcess || m_segmentProcess->state() == QProcess::NotRunning)
        return true;
    m_segmentProcess->write("q");
    if (m_segmentProcess->waitForFinished(kSegmentEndMs))
        return true;
    qWarning() << m_segmentProcess->errorString() << "waitForFinished error";
    return false;
}

void IRecordVideo::pauseRecordVideo()
{
    if (!m_recording)
        return;
    if (!endSegment())
        m_segmentProcess->kill(); // its file may be cut short, but the others still join
    m_recording = false;
}

void IRecordVideo::stopRecordVideo()
{
    if (!m_recording && !m_listFile)
        return;
    if (m_segmentProcess)
        qDebug() << Q_FUNC_INFO << m_segmentProcess->state();
    if (!endSegment())
        return;
    mergeVideo();
}

void IRecordVideo::mergeVideo()
{
    if (!m_listFile) {
        m_recording = false;
        return;
    }
    const QString output = m_outputPath + QStringLiteral("%1.flv").arg(nowMs());
    const QStringList arguments = getConcatVideoCommand(m_listFile->fileName(), output);
    m_listFile->close();
    delete m_listFile;
    m_listFile = nullptr;

    auto* join = new QProcess(this);
    m_joining = true;
    connect(join, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, join, output](int code, QProcess::ExitStatus status) {
                m_joining = false;
                m_recording = false;
                join->deleteLater();
                const QFileInfo file(output);
                if (status == QProcess::NormalExit && code == 0 && file.isFile() && file.size() > 0) {
                    qDebug() << "成功合成视频" << output;
                    emit sgRecordVideo(output);
                } else {
                    failRecording(tr("The recording could not be saved."));
                }
            },
            Qt::DirectConnection);
    connect(join, &QProcess::errorOccurred, this, [this, join](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_joining = false;
        join->deleteLater();
        failRecording(tr("The recording could not be saved."));
    });
    join->start(ffmpegProgram(), arguments, QIODevice::ReadWrite);
}

void IRecordVideo::failRecording(const QString& reason)
{
    qWarning() << Q_FUNC_INFO << reason;
    m_recording = false;
    emit sgRecordFailed(reason);
}

void IRecordVideo::destoryRecord()
{
    stopRecordVideo();
    delete m_listFile;
    m_listFile = nullptr;
    delete m_segmentProcess;
    m_segmentProcess = nullptr;
}

void IRecordVideo::deleteCacheFile()
{
    const QDir folder(m_cacheFolder);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(name));
}

QStringList IRecordVideo::getConcatVideoCommand(const QString& list, const QString& output)
{
    return {QStringLiteral("-f"), QStringLiteral("concat"), QStringLiteral("-safe"), QStringLiteral("0"),
            QStringLiteral("-i"), list, QStringLiteral("-c"), QStringLiteral("copy"), output};
}

QStringList IRecordVideo::getRecordVideoCommand(const QString& segment)
{
    QStringList args{QStringLiteral("-video_size"), QStringLiteral("%1x%2").arg(m_width).arg(m_height),
                     QStringLiteral("-offset_x"), QString::number(m_x),
                     QStringLiteral("-offset_y"), QString::number(m_y),
                     QStringLiteral("-f"), m_videoInput, QStringLiteral("-i"), QStringLiteral("desktop")};
    if (!m_audioInput.isEmpty())
        args << QStringLiteral("-f") << QStringLiteral("dshow") << QStringLiteral("-i") << m_audioInput
             << QStringLiteral("-acodec") << m_audioCodec;
    args << QStringLiteral("-pix_fmt") << QStringLiteral("yuv420p") << QStringLiteral("-vcodec") << m_videoCodec
         << QStringLiteral("-framerate") << QString::number(m_frameRate) << QStringLiteral("-q")
         << QStringLiteral("10") << QStringLiteral("-ar") << QStringLiteral("44100") << QStringLiteral("-ac")
         << QStringLiteral("2") << QStringLiteral("-tune") << QStringLiteral("zerolatency")
         << QStringLiteral("-preset") << QStringLiteral("ultrafast") << QStringLiteral("-bufsize")
         << QStringLiteral("1024M") << QStringLiteral("-f") << QStringLiteral("avi") << m_cacheFolder + segment;
    return args;
}

QStringList IRecordVideo::getRecordVideoCommandForUnix(const QString& segment)
{
    QStringList args;
    if (!m_audioInput.isEmpty())
        args << QStringLiteral("-f") << m_audioFormat << QStringLiteral("-ac") << QStringLiteral("1")
             << QStringLiteral("-i") << m_audioInput;
    // The display this program runs on, never a fixed one.
    const QString display = qEnvironmentVariable("DISPLAY", QStringLiteral(":0"));
    args << QStringLiteral("-f") << QStringLiteral("x11grab") << QStringLiteral("-s")
         << QStringLiteral("%1x%2").arg(m_width).arg(m_height) << QStringLiteral("-r")
         << QString::number(m_frameRate) << QStringLiteral("-i")
         << QStringLiteral("%1+%2,%3").arg(display).arg(m_x).arg(m_y) << m_cacheFolder + segment;
    return args;
}

QStringList IRecordVideo::getRecordVideoCommandForMacx(const QString& segment)
{
    return {QStringLiteral("-f"), QStringLiteral("avfoundation"), QStringLiteral("-i"),
            QStringLiteral("%1:%2").arg(m_videoInput, m_audioInput), QStringLiteral("-vcodec"),
            QStringLiteral("libx264"), QStringLiteral("-preset"), QStringLiteral("ultrafast"),
            QStringLiteral("-acodec"), QStringLiteral("libmp3lame"), QStringLiteral("-ar"), QStringLiteral("44100"),
            QStringLiteral("-f"), QStringLiteral("flv"), QStringLiteral("-vf"),
            QStringLiteral("crop=%1:%2:%3:%4").arg(m_width).arg(m_height).arg(m_x).arg(m_y),
            m_cacheFolder + segment};
}
