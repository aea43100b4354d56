// The camera manager's Wi-Fi operations: reconnecting, forwarding to the back end,
// and freezing and deleting it, against the simulated camera and a recorded stream.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "ffmpeg/wifirtsp/iwifirtspthread.h"
#include "icamera.h"
#include "iglobal.h"
#include "simcamera.h"
#include "testenv.h"

class TestWifiCamera : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    SimCamera m_camera;
    QString m_file;

    QString makeFile()
    {
        const QString path = m_dir.filePath("stream.mkv");
        const QString pipeline = QStringLiteral(
            "videotestsrc num-buffers=150 pattern=ball ! video/x-raw,width=320,height=240,framerate=30/1 ! "
            "x264enc key-int-max=10 ! h264parse ! matroskamux ! filesink location=%1").arg(path);
        QProcess gst;
        gst.start("gst-launch-1.0", QStringList() << "-q" << QProcess::splitCommand(pipeline));
        if (!gst.waitForFinished(20000) || gst.exitCode() != 0)
            return QString();
        return path;
    }
    void useCameraPort(quint16 port)
    {
        qputenv("OCUMETRA_CAMERA_CONTROL_PORT", QByteArray::number(port));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(m_camera.start());
        m_file = makeFile();
        QVERIFY(!m_file.isEmpty());
    }
    void init()
    {
        g_wifi_camera = false;
        g_camera_info = ICameraInfo();
        g_camera_resolution = QSize(1920, 1080);
        g_rtsp_url = m_file;
        useCameraPort(m_camera.port());
    }
    void cleanup()
    {
        ICamera::destroyInstance();
        g_wifi_camera = false;
    }

    void reConnectWithoutCameraReportsNoCamera()
    {
        useCameraPort(TestEnv::refusingLocalPort()); // nothing listens there
        ICamera* camera = ICamera::instance();
        QSignalSpy errors(camera, &ICamera::sgError);
        QVERIFY(camera->reConnectRtsp());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), 1);
        QVERIFY(!g_wifi_camera);
        QCOMPARE(g_camera_info.index, -1);
    }

    void reConnectOpensAndForwards()
    {
        ICamera* camera = ICamera::instance();
        QSignalSpy errors(camera, &ICamera::sgError);
        QSignalSpy frames(camera, &ICamera::sgCameraFrame);
        QSignalSpy photos(camera, &ICamera::sgCaptureImage);
        QSignalSpy resolutions(camera, &ICamera::sgChangeResolutionFromOtherApp);
        QVERIFY(camera->reConnectRtsp());
        QVERIFY(g_wifi_camera);
        QCOMPARE(g_camera_info.index, 999);
        QCOMPARE(g_camera_info.description, QStringLiteral("Tarvenix WIFI"));
        QTRY_VERIFY_WITH_TIMEOUT(errors.size() >= 1, 5000);
        QCOMPARE(errors.at(0).at(0).toInt(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= 5, 5000);
        QCOMPARE(frames.last().at(0).value<QImage>().size(), QSize(320, 240));

        // The control link came up: settings, lamps, photos and notices pass through.
        QTRY_VERIFY_WITH_TIMEOUT(camera->cameraParameter().brightness.currentValue.toInt() == 0x3c, 5000);
        QCOMPARE(camera->supportResolution().size(), 11);
        camera->setContrast(QVariant(30));
        QCOMPARE(camera->contrast().toInt(), 30);
        QTRY_COMPARE(m_camera.imageQuality().at(2), char(30));
        QCOMPARE(camera->changeLamp(), 1);
        QTRY_COMPARE(m_camera.topLamp(), 1);
        QVERIFY(camera->setCaptureFlag(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 5000);
        QCOMPARE(photos.at(0).at(0).value<QImage>().size(), m_camera.photoSize());
        m_camera.changeResolutionFromOtherApp(5);
        QTRY_COMPARE(resolutions.size(), 1);
        QCOMPARE(resolutions.at(0).at(0).toSize(), QSize(1280, 720));

        // A second reconnect replaces the back end; the lamp cycle starts again.
        QVERIFY(camera->reConnectRtsp());
        QCOMPARE(camera->cameraParameter().brightness.currentValue.toInt(), 0);
        // The contrast command carried the camera's current values for the other fields,
        // never its defaults.
        QTRY_VERIFY_WITH_TIMEOUT(camera->cameraParameter().brightness.currentValue.toInt() == 0x3c, 5000);
        QCOMPARE(camera->contrast().toInt(), 30);
        QCOMPARE(camera->changeLamp(), 1);
    }

    void destroyFreezesTheWifiPictureFirst()
    {
        ICamera* camera = ICamera::instance();
        IWifiRtspThread* wifi = camera->createWifiRtspThread();
        IWifiLinkTimings t;
        t.reopenAfterMs = 100; // the recorded stream starts again at once when it ends
        wifi->setTimings(t);
        QPointer<IWifiRtspThread> alive(wifi);
        QSignalSpy frames(camera, &ICamera::sgCameraFrame);
        wifi->openCamera();
        QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= 5, 5000);

        // g_wifi_camera is not set: the freeze must still reach the Wi-Fi back end.
        int copies = 0;
        int framesAfterFreeze = -1;
        connect(camera, &ICamera::sgRunCopyImage, this, [&] {
            ++copies;
            QVERIFY(alive); // the last frame can still be copied
            const int before = frames.size();
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 300)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            framesAfterFreeze = frames.size() - before;
        });
        camera->destoryRtspThread();
        QCOMPARE(copies, 1);
        QCOMPARE(framesAfterFreeze, 0);
        QVERIFY(!alive);
        camera->destoryRtspThread(); // nothing left: no second copy
        QCOMPARE(copies, 1);
    }

    void disConnectDeletesTheBackend()
    {
        ICamera* camera = ICamera::instance();
        QPointer<IWifiRtspThread> alive(camera->createWifiRtspThread());
        QSignalSpy copies(camera, &ICamera::sgRunCopyImage);
        QVERIFY(camera->disConnectRtsp());
        QVERIFY(!alive);
        QCOMPARE(copies.size(), 0);
        g_wifi_camera = true;
        QCOMPARE(camera->changeLamp(), -1);
        QVERIFY(!camera->setCaptureFlag(IMAGE_PLAIN));
    }
};

OCUMETRA_TEST_MAIN(TestWifiCamera)
#include "tst_wifi_camera.moc"
