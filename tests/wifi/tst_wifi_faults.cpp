// The control link against a camera that misbehaves: odd bind replies, padding between
// replies, broken photos asked for again, links that go dead while connected, and
// bursts of notices.

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include "ffmpeg/wifirtsp/iwifirtspthread.h"
#include "iglobal.h"
#include "simcamera.h"
#include "testenv.h"
#include "wifitestutil.h"

using namespace WifiTest;

namespace {
// The link that notes when it sends each photo request: the gap between requests is
// kept where they are sent, not where a busy machine delivers them.
class PhotoSendClock : public IWifiRtspThread
{
public:
    PhotoSendClock() { m_clock.start(); }
    QByteArray Packet(TCPCMD cmd, QVariant payload) override
    {
        if (cmd == IWifiProtocol::TakePhoto)
            sentAt << m_clock.elapsed();
        return IWifiRtspThread::Packet(cmd, payload);
    }
    QList<qint64> sentAt;

private:
    QElapsedTimer m_clock;
};
}

class TestWifiFaults : public QObject
{
    Q_OBJECT

private:
    SimCamera* m_camera = nullptr;
    IWifiRtspThread* m_backend = nullptr;

    void startBackend(const IWifiLinkTimings& t = fastTimings(), IWifiRtspThread* backend = nullptr)
    {
        m_backend = backend ? backend : new IWifiRtspThread;
        m_backend->setTimings(t);
        m_backend->initSocket();
    }
    // Waits for the current values, the last step of the handshake.
    bool handshakeDone()
    {
        return QTest::qWaitFor(
            [this] { return m_backend->cameraParameter().contrast.currentValue.toInt() == 0x46; }, 5000);
    }

private slots:
    void init()
    {
        m_camera = startSimCamera();
        QVERIFY(m_camera);
    }
    void cleanup() { deleteLink(m_backend, m_camera); }

    // The command line names every fault mode, and only those.
    void faultsByName()
    {
        const QStringList names = SimCamera::faultNames();
        QCOMPARE(names.size(), int(SimCamera::PhotoCorrupt) + 1);
        for (int i = 0; i < names.size(); ++i) {
            bool ok = false;
            QCOMPARE(int(SimCamera::faultFromName(names.at(i), &ok)), i);
            QVERIFY(ok);
        }
        bool ok = true;
        QCOMPARE(int(SimCamera::faultFromName("NoSuchFault", &ok)), int(SimCamera::NoFault));
        QVERIFY(!ok);
    }

    // Odd but usable bind replies give the id at once, on the first connection.
    void unusualBindRepliesBind_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("notice byte glued") << int(SimCamera::BindNoticeByte);
        QTest::newRow("padded id") << int(SimCamera::BindPadded);
    }
    void unusualBindRepliesBind()
    {
        QFETCH(int, fault);
        m_camera->setFault(SimCamera::Fault(fault));
        m_camera->setResolutionIndex(5);
        startBackend();
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
        m_camera->setFault(SimCamera::NoFault);
        QVERIFY(handshakeDone());
        QCOMPARE(m_camera->connectionCount(), 1);
        QCOMPARE(g_camera_resolution, QSize(1280, 720));
        m_backend->setBrightness(90);
        QTRY_COMPARE(m_camera->imageQuality().at(0), char(90));
    }

    // Padding after every reply: no reply is lost, the handshake completes and
    // settings are accepted on the one connection.
    void paddingBetweenRepliesLosesNothing()
    {
        m_camera->setFault(SimCamera::PaddingAfterReply);
        startBackend();
        QVERIFY(handshakeDone());
        const CameraParameterData p = m_backend->cameraParameter();
        QCOMPARE(p.contrast.defaultValue.toInt(), 0x40);
        QCOMPARE(p.brightness.currentValue.toInt(), 0x3c);
        QCOMPARE(countCommands(m_camera->commands(), "08000BF3F40C"), 1);
        m_backend->setSaturation(77);
        QTRY_COMPARE(m_camera->imageQuality(), hex("3c 4d 46 1e 01 19 1e 00"));
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 5000);
        QVERIFY(!photos.at(0).at(0).value<QImage>().isNull());
        QCOMPARE(m_camera->connectionCount(), 1);
    }

    // A camera that answers every photo request with rubbish at once is asked again,
    // but never sooner than the gap and only a few times, and never after the time-out.
    void brokenPhotosAreAskedAgainSparingly()
    {
        IWifiLinkTimings t = fastTimings();
        t.photoResendGapMs = 400;
        t.photoResends = 2;
        t.photoTimeoutMs = 3000;
        auto* link = new PhotoSendClock;
        startBackend(t, link);
        QVERIFY(handshakeDone());
        m_camera->setFault(SimCamera::PhotoNotJpeg);
        int asked = 0;
        connect(m_camera, &SimCamera::commandReceived, this, [&](QByteArray c) {
            if (c.startsWith(hex("09000BF5F40A")))
                ++asked;
        });
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 6000);
        QVERIFY(photos.at(0).at(0).value<QImage>().isNull());
        // Each request was sent before the time-out, and the camera got each.
        QCOMPARE(link->sentAt.size(), 1 + t.photoResends);
        QTRY_COMPARE_WITH_TIMEOUT(asked, link->sentAt.size(), 5000);
        // Both clocks count whole milliseconds.
        for (int i = 1; i < link->sentAt.size(); ++i)
            QVERIFY2(link->sentAt.at(i) - link->sentAt.at(i - 1) >= t.photoResendGapMs - 1,
                     qPrintable(QString::number(link->sentAt.at(i) - link->sentAt.at(i - 1))));
        QCOMPARE(m_camera->connectionCount(), 1);
    }

    // A photo length that cannot be true leaves the stream unreadable: the link is
    // rebuilt with a new bind, and photos work again afterwards.
    void impossiblePhotoLengthRebuildsTheLink()
    {
        startBackend();
        QVERIFY(handshakeDone());
        m_camera->setFault(SimCamera::PhotoOversized);
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_VERIFY_WITH_TIMEOUT(m_camera->connectionCount() >= 2, 5000);
        m_camera->setFault(SimCamera::NoFault);
        // The pending request is asked again on the new link and answered there.
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 5000);
        QVERIFY(!photos.at(0).at(0).value<QImage>().isNull());
        QVERIFY(m_backend->isLinkReady());
    }

    // A link that stays connected but says nothing after a photo request is dead:
    // the time-out reports the failure and the link is rebuilt.
    void silentLinkIsRebuiltAfterThePhotoTimeOut()
    {
        startBackend();
        QVERIFY(handshakeDone());
        m_camera->setFault(SimCamera::Silence);
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 5000);
        QVERIFY(photos.at(0).at(0).value<QImage>().isNull());
        QTRY_VERIFY_WITH_TIMEOUT(m_camera->connectionCount() == 2, 5000);
        m_camera->setFault(SimCamera::NoFault);
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 2, 5000);
        QVERIFY(!photos.at(1).at(0).value<QImage>().isNull());
    }

    // A link that answers in between but not the photo is alive: no reconnect.
    void slowCameraKeepsItsLink()
    {
        IWifiLinkTimings t = fastTimings();
        t.photoTimeoutMs = 500;
        startBackend(t);
        QVERIFY(handshakeDone());
        m_camera->setPhotoDelay(2000);
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        m_backend->changeLamp(); // answered at once
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 3000);
        QTest::qWait(300);
        QCOMPARE(m_camera->connectionCount(), 1);
        QVERIFY(m_backend->isLinkReady());
    }

    // Two hundred notices in one burst change the resolution once, to the last size.
    void noticeBurstIsAppliedOnce()
    {
        startBackend();
        QVERIFY(handshakeDone());
        QSignalSpy resolutions(m_backend, &IWifiRtspThread::sgChangeResolutionFromOtherApp);
        m_camera->sendNoticeBurst(200, 5);
        QTRY_COMPARE(resolutions.size(), 1);
        QTest::qWait(300);
        QCOMPARE(resolutions.size(), 1);
        QCOMPARE(resolutions.at(0).at(0).toSize(), QSize(1280, 720));
        QCOMPARE(g_camera_resolution, QSize(1280, 720));
    }
};

OCUMETRA_TEST_MAIN(TestWifiFaults)
#include "tst_wifi_faults.moc"
