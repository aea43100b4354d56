// A sound server that comes up after the program started (a login race, a restart of
// the sound system): the recording made before it is told to have no sound, the next
// one records the microphone.

#include <QSignalSpy>
#include <QtTest>

#include "avsync.h"
#include "ffmpeg/iffmpegapi.h"
#include "iglobal.h"
#include "pulsedaemon.h"
#include "testenv.h"

using namespace AvSync;

class TestRecordServer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void serverStartedLaterIsUsed();

private:
    // Records ms of the flash and returns what the file holds; note gets the box's text.
    Decoded record(int ms, QString* note, QList<int>* told);

    PulseDaemon m_pulse;
    ToneWriter m_writer;
    QTemporaryDir m_videos;
    Flash m_flash;
    QString m_folder;
};

void TestRecordServer::initTestCase()
{
    QVERIFY(m_videos.isValid());
    // Where the server will listen once it is up; nothing listens there yet.
    m_folder = TestEnv::homePath() + QStringLiteral("/run/pulse-later");
    qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:%1/native").arg(m_folder)));
    g_camera_info.description = QStringLiteral("Test camera");
    g_video_format = QStringLiteral("mp4");
    IFFmpegApi::instance()->initData();
    IFFmpegApi::instance()->ffmpegcmdGetDeviceInfo();
    m_flash.setGeometry(0, 0, 320, 240);
    m_flash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_flash));
}

void TestRecordServer::cleanupTestCase()
{
    IFFmpegApi::destroyInstance();
    m_writer.stop();
    m_pulse.stop();
}

Decoded TestRecordServer::record(int ms, QString* note, QList<int>* told)
{
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QSignalSpy messages(api, &IFFmpegApi::recordMessage);
    if (!api->startRecordVideo(m_videos.path(), QRect(0, 0, 320, 240))
        || !QTest::qWaitFor([api] { return api->isRecording(); }, 15000))
        return Decoded();
    QTest::qWait(ms);
    api->stopRecordVideo();
    if (!finished.wait(60000))
        return Decoded();
    *note = finished.at(0).at(1).toString();
    for (const QList<QVariant>& message : qAsConst(messages))
        *told << message.at(0).toInt();
    return decode(finished.at(0).at(0).toString());
}

void TestRecordServer::serverStartedLaterIsUsed()
{
    QString noteWithout;
    QList<int> toldWithout;
    const Decoded without = record(1500, &noteWithout, &toldWithout);

    QVERIFY2(m_pulse.start(m_folder, 120, true), "could not start the PulseAudio server");
    QVERIFY(m_writer.start(m_pulse.pipePath()));
    m_writer.toneAt(av_gettime_relative(), 0);
    QString note;
    QList<int> told;
    const Decoded with = record(2000, &note, &told);
    QVERIFY(!with.pictures.isEmpty());
    QVERIFY2(with.loudness(0.5, 1.5) > 0.2, "the microphone of the server that came up later was not recorded");
    QCOMPARE(note, QString());
    QCOMPARE(told, QList<int>{2});

    // Before the server: told at Start (2: recording, 5: without sound, 6: the bar's notice
    // while it is looked for) and in the box.
    QVERIFY(!without.pictures.isEmpty());
    QCOMPARE(toldWithout, (QList<int>{2, 5, 6}));
    QCOMPARE(noteWithout, QStringLiteral("The recording has no sound: no microphone answered."));
}

OCUMETRA_TEST_MAIN(TestRecordServer)

#include "tst_recordserver.moc"
