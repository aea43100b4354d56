#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

#include "ffmpeg/iffmpegapi.h"
#include "ffmpeg/ipicturevynthesisvideo.h"
#include "iimagetansformthread.h"
#include "mediaprobe.h"
#include "testenv.h"
#include "videoprobe.h"

namespace {

QImage solid(const QSize& size, QImage::Format format, const QColor& colour)
{
    QImage rgb(size, QImage::Format_RGB32);
    rgb.fill(colour);
    return rgb.convertToFormat(format);
}

QStringList videosIn(const QString& folder)
{
    return QDir(folder).entryList(QStringList() << "*.mp4", QDir::Files);
}

// Encoded colours drift a little through 4:2:0 and H.264; a wrong pixel layout does not.
QColor writerColour(int i)
{
    return QColor::fromHsv((i * 67) % 360, 255, 255);
}

bool near(const QColor& a, const QColor& b)
{
    const int tolerance = 24;
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

}

class TestTimelapse : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    int m_folders = 0;
    QString newFolder() { return m_dir.path() + QString("/v%1/").arg(++m_folders); }

private slots:
    void cleanup() { IFFmpegApi::destroyInstance(); }

    // Every picture format becomes the right colour, a picture of another size is scaled,
    // and an odd size is rounded down to even.
    void mixedPicturesGiveOneFramePerPicture()
    {
        const QString folder = newFolder();
        IFFmpegApi* api = IFFmpegApi::instance();
        QVERIFY(api->initData());
        QVERIFY(api->startPictureVynthesisVideo(folder, QSize(161, 121), 5));

        const QSize size(161, 121);
        const QVector<QPair<QImage, QColor>> pictures = {
            {solid(size, QImage::Format_RGB888, Qt::red), Qt::red},
            {solid(size, QImage::Format_ARGB32, Qt::green), Qt::green},
            {solid(size, QImage::Format_Grayscale8, QColor(128, 128, 128)), QColor(128, 128, 128)},
            {solid(size, QImage::Format_Indexed8, Qt::blue), Qt::blue},
            {solid(size, QImage::Format_RGB16, Qt::yellow), Qt::yellow},
            {solid(QSize(320, 240), QImage::Format_RGB32, Qt::magenta), Qt::magenta},
            {solid(size, QImage::Format_ARGB32_Premultiplied, Qt::cyan), Qt::cyan},
        };
        for (const auto& p : pictures)
            api->addPicture(p.first);

        int seconds = -1;
        const QString path = api->stopPictureVynthesisVideo(seconds);
        QCOMPARE(seconds, 7 / 5);
        QVERIFY(path.startsWith(folder));
        QVERIFY(QRegularExpression("^\\d{14}\\.mp4$").match(path.mid(folder.size())).hasMatch());

        const VideoProbe probe = probeVideo(path);
        QVERIFY(probe.opened);
        QCOMPARE(probe.codec, AV_CODEC_ID_H264);
        QCOMPARE(probe.width, 160);
        QCOMPARE(probe.height, 120);
        QCOMPARE(probe.packets, pictures.size());
        QCOMPARE(probe.colours.size(), pictures.size());
        for (int i = 0; i < pictures.size(); ++i)
            QVERIFY2(near(probe.colours[i], pictures[i].second),
                     qPrintable(QString("frame %1: %2 instead of %3").arg(i)
                                    .arg(probe.colours[i].name(), pictures[i].second.name())));
        QVERIFY(qAbs(probe.seconds - 7 / 5.0) < 0.05);
    }

    // A backlog queued right before stop is encoded, each picture lasting one frame.
    void queuedPicturesAreEncodedAtStop()
    {
        const QString path = newFolder() + "backlog.mp4";
        QDir().mkpath(QFileInfo(path).absolutePath());
        IPictureVynthesisVideo video;
        QVERIFY(video.setConfigures(path, 64, 48, 10));
        video.start();
        for (int i = 0; i < 25; ++i)
            video.addPicture(solid(QSize(64, 48), QImage::Format_RGB32, QColor::fromHsv(i * 14, 255, 255)));
        int seconds = -1;
        QCOMPARE(video.stop(seconds), path);
        QCOMPARE(seconds, 2);
        QVERIFY(video.isFinished());

        const VideoProbe probe = probeVideo(path);
        QCOMPARE(probe.packets, 25);
        QCOMPARE(probe.colours.size(), 25);
        QVERIFY(qAbs(probe.seconds - 2.5) < 0.05);
    }

    // Two runs in the same second, the second one empty: both keep their own file, and
    // the empty run removes nothing of the first.
    void runsInTheSameSecondKeepTheirVideos()
    {
        const QString folder = newFolder();
        IFFmpegApi* api = IFFmpegApi::instance();
        int seconds = 0;
        QString first;
        QString second;
        // Retry across a second boundary so both starts share one time stamp.
        for (int attempt = 0; attempt < 3; ++attempt) {
            const QString stamp = makeTimeFileName(QString());
            QVERIFY(api->startPictureVynthesisVideo(folder, QSize(64, 48), 10));
            api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::red));
            first = api->stopPictureVynthesisVideo(seconds);
            QVERIFY(!first.isEmpty());
            QVERIFY(api->startPictureVynthesisVideo(folder, QSize(64, 48), 10));
            if (makeTimeFileName(QString()) == stamp)
                break;
            api->stopPictureVynthesisVideo(seconds);
        }
        second = api->stopPictureVynthesisVideo(seconds);
        QCOMPARE(second, QString());
        QVERIFY(QFileInfo::exists(first));
        QCOMPARE(probeVideo(first).packets, 1);

        QVERIFY(api->startPictureVynthesisVideo(folder, QSize(64, 48), 10));
        api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::blue));
        second = api->stopPictureVynthesisVideo(seconds);
        QVERIFY(!second.isEmpty());
        if (QFileInfo(second).fileName().left(14) == QFileInfo(first).fileName().left(14))
            QVERIFY(second != first);
        QVERIFY(QFileInfo::exists(first));
        QVERIFY(QFileInfo::exists(second));
    }

    void nothingWrittenGivesEmptyPath()
    {
        // No pictures at all: no file is left behind to be taken for a video.
        const QString folder = newFolder();
        IFFmpegApi* api = IFFmpegApi::instance();
        QVERIFY(api->startPictureVynthesisVideo(folder, QSize(64, 48), 10));
        int seconds = -1;
        QCOMPARE(api->stopPictureVynthesisVideo(seconds), QString());
        QCOMPARE(seconds, 0);
        QVERIFY(videosIn(folder).isEmpty());

        // The output cannot be opened (the folder is a plain file): nothing is saved, and
        // later pictures are not hoarded by a thread that will never encode them.
        const QString blocker = m_dir.path() + "/blocker";
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        IPictureVynthesisVideo video;
        QVERIFY(video.setConfigures(blocker + "/x.mp4", 64, 48, 1));
        video.start();
        QTRY_VERIFY(video.isFinished());
        video.addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::red));
        QCOMPARE(video.pendingPictures(), 0);
        QCOMPARE(video.stop(seconds), QString());
        QCOMPARE(seconds, 1);
    }

    void invalidSettingsRefused_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("fps");
        QTest::newRow("fps 0") << QSize(64, 48) << 0;
        QTest::newRow("negative fps") << QSize(64, 48) << -5;
        QTest::newRow("1x1") << QSize(1, 1) << 10;
        QTest::newRow("empty") << QSize() << 10;
    }
    void invalidSettingsRefused()
    {
        QFETCH(QSize, size);
        QFETCH(int, fps);
        const QString folder = newFolder();
        IFFmpegApi* api = IFFmpegApi::instance();
        QVERIFY(!api->startPictureVynthesisVideo(folder, size, fps));
        api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::red));
        int seconds = -1;
        QCOMPARE(api->stopPictureVynthesisVideo(seconds), QString());
        QCOMPARE(seconds, 0);
        QVERIFY(videosIn(folder).isEmpty());
    }

    void stopBeforeFirstAndStopTwice()
    {
        IFFmpegApi* api = IFFmpegApi::instance();
        int seconds = -1;
        api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::red));
        QCOMPARE(api->stopPictureVynthesisVideo(seconds), QString());
        QCOMPARE(seconds, 0);

        QVERIFY(api->startPictureVynthesisVideo(newFolder(), QSize(64, 48), 1));
        api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::red));
        api->addPicture(QImage()); // nothing to encode: not counted
        api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::blue));
        const QString path = api->stopPictureVynthesisVideo(seconds);
        QVERIFY(!path.isEmpty());
        QCOMPARE(seconds, 2);

        // Late pictures change neither the finished file nor the reported length.
        api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::green));
        int again = -1;
        QCOMPARE(api->stopPictureVynthesisVideo(again), path);
        QCOMPARE(again, 2);
        QCOMPARE(probeVideo(path).packets, 2);
    }

    // Every picture is in the file as soon as it is encoded: no look-ahead holds it
    // back, and its fragment is flushed and synced at once.
    void picturesReachTheFileAtOnce()
    {
        const QString path = newFolder() + "live.mp4";
        QDir().mkpath(QFileInfo(path).absolutePath());
        IPictureVynthesisVideo video;
        QVERIFY(video.setConfigures(path, 64, 48, 10));
        video.start();
        const QList<QColor> colours = {Qt::red, Qt::green, Qt::blue};
        for (const QColor& c : colours)
            video.addPicture(solid(QSize(64, 48), QImage::Format_RGB32, c));
        QTRY_COMPARE(video.writtenPictures(), 3);
        QVERIFY(video.isRunning());
        const VideoProbe probe = probeVideo(path);
        QCOMPARE(probe.packets, 3);
        QCOMPARE(probe.colours.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(near(probe.colours[i], colours[i]));
        int seconds = 0;
        QCOMPARE(video.stop(seconds), path);
        QCOMPARE(probeVideo(path).packets, 3);
    }

    // A writer killed outright (SIGKILL, a power cut) leaves a video that plays every
    // picture it had written.
    void killedWriterLeavesPlayableVideo()
    {
        const QString path = newFolder() + "killed.mp4";
        QDir().mkpath(QFileInfo(path).absolutePath());
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("OCUMETRA_TIMELAPSE_WRITER", path);
        writer.setProcessEnvironment(env);
        writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        writer.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(writer.waitForStarted(5000));
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += writer.readAllStandardOutput()).contains("written 4"), 20000);
        writer.kill();
        QVERIFY(writer.waitForFinished(5000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        const VideoProbe probe = probeVideo(path);
        QVERIFY(probe.opened);
        QCOMPARE(probe.codec, AV_CODEC_ID_H264);
        QVERIFY2(probe.packets >= 4, qPrintable(QString::number(probe.packets)));
        QCOMPARE(probe.colours.size(), probe.packets);
        for (int i = 0; i < probe.packets; ++i)
            QVERIFY(near(probe.colours[i], writerColour(i)));
    }

    // A full disk part-way: the pictures before it stay playable, the failure is
    // reported, and later pictures are dropped instead of piling up.
    void fullDiskKeepsEarlierPictures()
    {
        const QString folder = newFolder();
        IFFmpegApi* api = IFFmpegApi::instance();
        QVERIFY(api->startPictureVynthesisVideo(folder, QSize(160, 120), 10));
        api->addPicture(solid(QSize(160, 120), QImage::Format_RGB32, Qt::red));
        api->addPicture(solid(QSize(160, 120), QImage::Format_RGB32, Qt::green));
        QTRY_COMPARE(videosIn(folder).size(), 1);
        const QString path = folder + videosIn(folder).first();
        QTRY_COMPARE(probeVideo(path).packets, 2);
        QString error;
        {
            // Stops the next picture inside its fragment's index.
            TestEnv::FileSizeLimit full(QFileInfo(path).size() + 40);
            QImage noise(160, 120, QImage::Format_RGB32);
            QRandomGenerator random(3);
            for (int i = 0; i < 6; ++i) {
                for (int y = 0; y < noise.height(); ++y)
                    for (int x = 0; x < noise.width(); ++x)
                        noise.setPixel(x, y, random.generate());
                api->addPicture(noise);
            }
            QTRY_VERIFY(!api->timelapseError().isEmpty());
            error = api->timelapseError();
        }
        api->addPicture(solid(QSize(160, 120), QImage::Format_RGB32, Qt::blue));
        int seconds = 0;
        QCOMPARE(api->stopPictureVynthesisVideo(seconds), path);
        QCOMPARE(api->timelapseError(), error);
        QVERIFY(boxesEndWithFile(path));
        const VideoProbe probe = probeVideo(path);
        QVERIFY(probe.opened);
        QCOMPARE(probe.packets, 2);
        QCOMPARE(probe.colours.size(), 2);
        QVERIFY(near(probe.colours.at(0), Qt::red));
        QVERIFY(near(probe.colours.at(1), Qt::green));
    }

    // Leaving the program or starting anew while a time-lapse runs still finishes its file.
    void runningVideoIsFinalised()
    {
        const QString first = newFolder();
        IFFmpegApi* api = IFFmpegApi::instance();
        QVERIFY(api->startPictureVynthesisVideo(first, QSize(64, 48), 10));
        for (int i = 0; i < 3; ++i)
            api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::red));

        const QString second = newFolder();
        QVERIFY(api->startPictureVynthesisVideo(second, QSize(64, 48), 10));
        for (int i = 0; i < 4; ++i)
            api->addPicture(solid(QSize(64, 48), QImage::Format_RGB32, Qt::blue));
        IFFmpegApi::destroyInstance();

        const QStringList firstFiles = videosIn(first);
        QCOMPARE(firstFiles.size(), 1);
        QCOMPARE(probeVideo(first + firstFiles.first()).packets, 3);
        const QStringList secondFiles = videosIn(second);
        QCOMPARE(secondFiles.size(), 1);
        const VideoProbe probe = probeVideo(second + secondFiles.first());
        QCOMPARE(probe.packets, 4);
        QCOMPARE(probe.width, 64);
    }
};

// The killed writer: encodes a picture every 100 ms into the file it is given and says
// how many are written, until it is killed.
int runWriter(const QString& path)
{
    IPictureVynthesisVideo video;
    if (!video.setConfigures(path, 64, 48, 10))
        return 2;
    video.start();
    for (int i = 0;; ++i) {
        video.addPicture(solid(QSize(64, 48), QImage::Format_RGB32, writerColour(i)));
        QElapsedTimer t;
        t.start();
        while (video.writtenPictures() <= i && t.elapsed() < 10000)
            QThread::msleep(5);
        printf("written %d\n", video.writtenPictures());
        fflush(stdout);
        QThread::msleep(100);
    }
}

int main(int argc, char** argv)
{
    TestEnv::prepare();
    QApplication app(argc, argv);
    const QString writerPath = qEnvironmentVariable("OCUMETRA_TIMELAPSE_WRITER");
    if (!writerPath.isEmpty())
        return runWriter(writerPath);
    TestEnv::afterApplication();
    TestTimelapse tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_timelapse.moc"
