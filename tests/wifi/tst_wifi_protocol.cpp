// The control link's bytes, its framing, and the back end against the simulated camera.

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

#include "ffmpeg/wifirtsp/itcpsocket.h"
#include "ffmpeg/wifirtsp/iwifimessageframer.h"
#include "ffmpeg/wifirtsp/iwifiprotocol.h"
#include "ffmpeg/wifirtsp/iwifirtspthread.h"
#include "iglobal.h"
#include "simcamera.h"
#include "testenv.h"
#include "wifitestutil.h"

using namespace WifiTest;

class TestWifiProtocol : public QObject
{
    Q_OBJECT

private:
    SimCamera* m_camera = nullptr;
    IWifiRtspThread* m_backend = nullptr;

    // A back end whose control link is bound to the simulated camera.
    void bindBackend(IWifiLinkTimings t = fastTimings())
    {
        m_backend = new IWifiRtspThread;
        m_backend->setTimings(t);
        m_backend->initSocket();
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
    }
    void waitForBlocks()
    {
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->cameraParameter().brightness.currentValue.toInt() == 0x3c, 5000);
    }

private slots:
    void init()
    {
        m_camera = startSimCamera();
        QVERIFY(m_camera);
    }
    void cleanup() { deleteLink(m_backend, m_camera); }

    void packetsAndTables()
    {
        QCOMPARE(IWifiProtocol::packet(hex("1234"), 2, QByteArray(1, 1)), hex("1234020002F9FD0601"));
        QCOMPARE(IWifiProtocol::packet(QByteArray(), 6, QVariant()), hex("06000BF1F40E"));
        QCOMPARE(IWifiProtocol::packet(hex("1234"), 9, QByteArray(1, 1)), hex("123408000BF4F40B"));
        QCOMPARE(IWifiProtocol::packet(hex("1234"), 10, QVariant()), hex("123409000BF5F40A"));
        QCOMPARE(IWifiProtocol::packet(hex("1234"), 11, hex("abcd")), hex("abcd"));

        QCOMPARE(IWifiProtocol::resolutionToCmd(QSizeF(1920, 1080)), hex("08"));
        QCOMPARE(IWifiProtocol::resolutionToCmd(QSize(320, 240)), hex("00"));
        QVERIFY(IWifiProtocol::resolutionToCmd(QSizeF(1920, 1200)).isEmpty());
        QVERIFY(IWifiProtocol::resolutionToCmd(QVariant()).isEmpty());
        QCOMPARE(IWifiProtocol::cmdToResolution(hex("0A")).toSizeF(), QSizeF(3264, 2448));
        QVERIFY(!IWifiProtocol::cmdToResolution(QByteArray()).isValid());
        QVERIFY(!IWifiProtocol::cmdToResolution(hex("0B")).isValid());
        QVERIFY(!IWifiProtocol::cmdToResolution(hex("0800")).isValid());
        QCOMPARE(IWifiProtocol::supportedResolutions().size(), 11);

        QCOMPARE(IWifiProtocol::byteAraryToInt(hex("10000000"), false), 16);
        QCOMPARE(IWifiProtocol::byteAraryToInt(hex("10000000"), true), 268435456);
        QCOMPARE(IWifiProtocol::byteAraryToInt(hex("00000100"), false), 65536);
        QCOMPARE(IWifiProtocol::byteAraryToInt(hex("FFFFFFFF"), false), 0);
        QCOMPARE(IWifiProtocol::byteAraryToInt(QByteArray(), false), 0);

        QByteArray b;
        QVERIFY(IWifiProtocol::valueToBlockByte(5, &b) && b == hex("05"));
        QVERIFY(IWifiProtocol::valueToBlockByte(255, &b) && b == hex("FF"));
        QVERIFY(!IWifiProtocol::valueToBlockByte(256, &b));
        QVERIFY(!IWifiProtocol::valueToBlockByte(-1, &b));
        QVERIFY(!IWifiProtocol::valueToBlockByte(QStringLiteral("x"), &b));
        QCOMPARE(b, hex("FF"));

        const QString log = IWifiProtocol::hexForLog(QByteArray(1000, 'a'));
        QVERIFY(log.startsWith(QString(128, 'a').replace("aa", "61").left(128)));
        QVERIFY(log.size() < 160);
    }

    void framerCutsWholeMessages()
    {
        IWifiMessageFramer f;
        IWifiMessageFramer::Message m;
        // Bind reply split over two reads.
        f.append(hex("12"));
        QVERIFY(!f.next(&m));
        f.append(hex("34"));
        QVERIFY(f.next(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::Bind));
        QCOMPARE(m.bytes, hex("1234"));
        // Two replies glued, the second cut short.
        f.append(hex("1234010000") + hex("1234060000 0101 1E08 00400000") + hex("123408"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes, hex("1234010000"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes.size(), 13);
        QVERIFY(!f.next(&m));
        f.append(hex("0000 3228401e01141e00"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes, hex("1234080000 3228401e01141e00"));
        QVERIFY(!f.hasPartial());
        // Photo header with its first bytes in one read, the rest later.
        f.append(hex("1234090000 05000000 AABB"));
        QVERIFY(!f.next(&m));
        f.append(hex("CCDDEE 1234070000"));
        QVERIFY(f.next(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::Photo));
        QCOMPARE(m.bytes, hex("1234090000 05000000 AABBCCDDEE"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes, hex("1234070000"));
        // A length above the cap leaves the stream out of step: the buffer is dropped.
        for (const char* len : {"FFFFFFFF", "01000002"}) {
            f.append(hex("1234090000") + hex(len) + hex("FFD8"));
            QVERIFY(f.next(&m));
            QCOMPARE(int(m.kind), int(IWifiMessageFramer::OutOfStep));
            QVERIFY(!f.hasPartial());
        }
        // An empty photo is a whole message, and the reply after it survives.
        f.append(hex("1234090000 00000000 1234070000"));
        QVERIFY(f.next(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::Photo));
        QCOMPARE(m.bytes.size(), 9);
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes, hex("1234070000"));
        // A photo cut off by silence comes back as cut.
        f.append(hex("1234090000 10000000 FFD8"));
        QVERIFY(!f.next(&m));
        QVERIFY(f.dropPartial(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::PhotoCut));
        QCOMPARE(m.bytes.size(), 9);
    }

    // Bytes that start no message are skipped up to the next one, never past it.
    void framerResynchronises()
    {
        IWifiMessageFramer f;
        IWifiMessageFramer::Message m;
        f.append(hex("1234"));
        QVERIFY(f.next(&m));
        const QByteArray encode = hex("1234060000 0101 1E08 00400000");
        const QByteArray quality = hex("1234080000 3228401e01141e00");
        // Three padding bytes after a reply, glued to the next two.
        f.append(hex("1234010000 000000") + encode + quality);
        QList<QByteArray> replies;
        QByteArray skipped;
        while (f.next(&m)) {
            if (m.kind == IWifiMessageFramer::Reply)
                replies << m.bytes;
            else if (m.kind == IWifiMessageFramer::Invalid)
                skipped += m.bytes;
        }
        QCOMPARE(replies, QList<QByteArray>({hex("1234010000"), encode, quality}));
        QCOMPARE(skipped, hex("000000"));
        // An unknown code from our id: only its header bytes go, the notice behind stays.
        const QByteArray notice = hex("0F0F100000 0101 1E05 00400000");
        f.append(hex("1234770000 99") + notice);
        QVERIFY(f.next(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::Invalid));
        QCOMPARE(m.bytes, hex("1234770000 99"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes, notice);
        // Garbage whose last byte may begin our id waits for the next read.
        f.append(hex("AABBCC12"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes, hex("AABBCC"));
        QVERIFY(!f.next(&m));
        f.append(hex("34070000"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes, hex("1234070000"));
        // Nothing usable at all: everything goes, nothing is held back.
        f.append(hex("5566778899AA"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes.size(), 6);
        QVERIFY(!f.hasPartial());
    }

    void framerBindVariants()
    {
        IWifiMessageFramer f;
        IWifiMessageFramer::Message m;
        f.append(hex("123401"));
        QVERIFY(f.next(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::BadBind));
        QCOMPARE(m.bytes.size(), 3);
        // The notice id and the bind request's bytes are no client id.
        for (const char* id : {"0F0F", "FFFF"}) {
            f.reset();
            f.append(hex(id));
            QVERIFY(f.next(&m));
            QCOMPARE(int(m.kind), int(IWifiMessageFramer::BadBind));
        }
        f.reset();
        f.append(hex("1234 0F0F100000 0101 1E05 00400000"));
        QVERIFY(f.next(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::Bind));
        QVERIFY(f.next(&m));
        QCOMPARE(IWifiProtocol::replyId(m.bytes), hex("0F0F"));
        // One byte of a notice after the id: wait for the rest rather than call it bad.
        f.reset();
        f.append(hex("1234 0F"));
        QVERIFY(!f.next(&m));
        f.append(hex("0F100000 0101 1E05 00400000"));
        QVERIFY(f.next(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::Bind));
        QCOMPARE(m.bytes, hex("1234"));
        QVERIFY(f.next(&m));
        QCOMPARE(m.bytes.size(), 13);
        // An id padded with zero bytes is that id; the padding is not a message.
        f.reset();
        f.append(hex("1234 0000"));
        QVERIFY(f.next(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::Bind));
        QCOMPARE(m.bytes, hex("1234"));
        QVERIFY(!f.hasPartial());
        // Silence after an id and a lone notice byte: a bad bind, so the link is rebuilt.
        f.reset();
        f.append(hex("1234 0F"));
        QVERIFY(!f.next(&m));
        QVERIFY(f.dropPartial(&m));
        QCOMPARE(int(m.kind), int(IWifiMessageFramer::BadBind));
    }

    void photoDecodingChecksContent()
    {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::green);
        QByteArray jpeg, png;
        QBuffer jb(&jpeg), pb(&png);
        jb.open(QIODevice::WriteOnly);
        pb.open(QIODevice::WriteOnly);
        picture.save(&jb, "JPEG");
        picture.save(&pb, "PNG");
        const QImage decoded = ITcpSocket::decodePhoto(jpeg);
        QCOMPARE(decoded.size(), QSize(64, 48));
        QCOMPARE(decoded.format(), QImage::Format_RGB32);
        QVERIFY(ITcpSocket::decodePhoto(png).isNull());
        QVERIFY(ITcpSocket::decodePhoto(jpeg.left(20)).isNull());
        QVERIFY(ITcpSocket::decodePhoto(QByteArray(100, 'x')).isNull());
        // A JPEG header announcing 60000 x 60000 is refused before any pixel is allocated.
        QByteArray huge = jpeg;
        const int sof = huge.indexOf(hex("FFC0"));
        QVERIFY(sof > 0);
        huge[sof + 5] = char(0xEA); huge[sof + 6] = char(0x60);
        huge[sof + 7] = char(0xEA); huge[sof + 8] = char(0x60);
        QVERIFY(ITcpSocket::decodePhoto(huge).isNull());
        // The largest size the camera offers decodes; a little past its margin does not.
        const QSize cap = IWifiProtocol::maxPhotoSize();
        QVERIFY(cap.width() >= 3264 && cap.width() < 3264 + 200);
        QVERIFY(cap.height() >= 2448 && cap.height() < 2448 + 200);
        auto jpegOf = [](const QSize& size) {
            QImage p(size, QImage::Format_RGB32);
            p.fill(Qt::darkCyan);
            QByteArray data;
            QBuffer b(&data);
            b.open(QIODevice::WriteOnly);
            p.save(&b, "JPEG", 50);
            return data;
        };
        QCOMPARE(ITcpSocket::decodePhoto(jpegOf(QSize(3264, 2448))).size(), QSize(3264, 2448));
        QVERIFY(ITcpSocket::decodePhoto(jpegOf(QSize(cap.width() + 8, 100))).isNull());
        QVERIFY(ITcpSocket::decodePhoto(jpegOf(QSize(100, cap.height() + 8))).isNull());
    }

    void freshBackend()
    {
        IWifiRtspThread backend;
        const CameraParameterData p = backend.cameraParameter();
        for (const ParameterData& d : {p.contrast, p.saturation, p.brightness, p.exposure, p.focus}) {
            QCOMPARE(d.minimum.toInt(), 0);
            QCOMPARE(d.maximum.toInt(), 100);
            QCOMPARE(d.defaultValue.toDouble(), 0.0);
            QVERIFY(!d.currentValue.isNull());
        }
        QCOMPARE(backend.supportResolution().size(), 11);
        QCOMPARE(backend.supportResolution().at(8), QSizeF(1920, 1080));
        QVERIFY(backend.captureImage(IMAGE_PLAIN).isNull());
        cv::Mat mat(4, 4, CV_8UC4, cv::Scalar(1, 2, 3, 255));
        QVERIFY(backend.filterImage(ImageType(0), mat).isNull());
        QVERIFY(backend.filterImage(ImageType(7), mat).isNull());
        QVERIFY(!backend.filterImage(IMAGE_GRAYSCALE, mat).isNull());
        backend.setVideoStreamImage(IMAGE_MODE_2);
        backend.changeVideoStreamImage();
        QCOMPARE(backend.videoStreamImage(), IMAGE_MODE_0);
        backend.changeVideoStreamImage();
        QCOMPARE(backend.videoStreamImage(), IMAGE_MODE_1);
        // Nothing goes out without a bound link; only the first resolution is remembered.
        backend.setSaturation(40);
        QCOMPARE(backend.saturation().toDouble(), 0.0);
        QCOMPARE(backend.changeLamp(), -1);
        QVERIFY(!backend.setCaptureFalg(IMAGE_PLAIN));
        backend.setResolution(QSizeF(1280, 720));
        backend.setResolution(QSizeF(640, 480));
        QCOMPARE(backend.resolution().toSizeF(), QSizeF(1280, 720));
        backend.setResolution(QSizeF(1000, 1000));
        QCOMPARE(backend.resolution().toSizeF(), QSizeF(1280, 720));
    }

    void bindAndBlocks()
    {
        bindBackend();
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        const QList<QByteArray> c = m_camera->commands();
        QCOMPARE(c.value(0), hex("FFFFFFFF"));
        QCOMPARE(countCommands(c, "06000BF1F40E"), 1);
        QCOMPARE(countCommands(c, "08000BF4F40B"), 1);
        QCOMPARE(countCommands(c, "08000BF3F40C"), 1);
        const CameraParameterData p = m_backend->cameraParameter();
        QCOMPARE(p.brightness.defaultValue.toInt(), 0x32);
        QCOMPARE(p.saturation.defaultValue.toInt(), 0x28);
        QCOMPARE(p.contrast.defaultValue.toInt(), 0x40);
        QCOMPARE(p.exposure.defaultValue.toInt(), 0x14);
        QCOMPARE(p.focus.defaultValue.toInt(), 0x1e);
        QCOMPARE(m_backend->contrast().toInt(), 0x46);
        QCOMPARE(g_camera_resolution, QSize(1920, 1080));
    }

    void settersSendTheirBytes()
    {
        bindBackend();
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        m_camera->clearCommands();
        // Values the camera already holds are not written again.
        m_backend->setBrightness(0x3c);
        m_backend->setContrast(0x46);
        m_backend->setAutoFocusFlag(0x1e);
        m_backend->setAutoExposureFlag(0x19);
        // A change goes out on top of the camera's current values, not its defaults.
        m_backend->setBrightness(100);
        QTRY_COMPARE(m_camera->imageQuality(), hex("64 2d 46 1e 01 19 1e 00"));
        QCOMPARE(m_backend->brightness().toInt(), 100);
        m_backend->setContrast(256); // refused: one byte per field
        m_backend->setSaturation(-3);
        QCOMPARE(m_backend->contrast().toInt(), 0x46);
        m_backend->setAutoFocusFlag(-999);
        m_backend->setAutoExposureFlag(-999);
        m_backend->setAutoFocusFlag(31);
        m_backend->setAutoExposureFlag(7);
        QTRY_COMPARE(m_camera->imageQuality(), hex("64 2d 46 1e 01 07 1f 00"));
        QList<QByteArray> c = m_camera->commands();
        QCOMPARE(countCommands(c, "010002F3FD0C"), 1);
        QCOMPARE(countCommands(c, "07000BF2F40D"), 3);
        QCOMPARE(c.size(), 4);

        m_camera->clearCommands();
        QList<int> states;
        for (int i = 0; i < 5; ++i)
            states << m_backend->changeLamp();
        QCOMPARE(states, QList<int>({1, 2, 3, 4, 0}));
        QTRY_COMPARE(m_camera->commands().size(), 6);
        c = m_camera->commands();
        QCOMPARE(c.at(0), hex("020002F9FD06 01"));
        QCOMPARE(c.at(3), hex("030002FAFD05 03"));
        QCOMPARE(c.at(4), hex("020002F9FD06 00"));
        QCOMPARE(c.at(5), hex("030002FAFD05 00"));

        m_camera->clearCommands();
        m_backend->setResolution(QSizeF(1600, 1000)); // not offered
        m_backend->setResolution(QSizeF(1280, 720));
        QTRY_COMPARE(m_camera->resolutionIndex(), 5);
        QCOMPARE(m_camera->commands().size(), 1);
        QCOMPARE(m_camera->commands().at(0), hex("05000BF0F40F 01 01 1E 05 FFFFFFFF"));
        QCOMPARE(m_backend->resolution().toSizeF(), QSizeF(1280, 720));
    }

    void repliesSplitOrGlued_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("split") << int(SimCamera::SplitReplies);
        QTest::newRow("glued") << int(SimCamera::GlueReplies);
    }
    void repliesSplitOrGlued()
    {
        QFETCH(int, fault);
        m_camera->setFault(SimCamera::Fault(fault));
        bindBackend();
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(m_backend->cameraParameter().contrast.defaultValue.toInt(), 0x40);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 5000);
        QCOMPARE(photos.at(0).at(0).value<QImage>().size(), m_camera->photoSize());
    }

    void resolutionFromOtherApp()
    {
        bindBackend();
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        QSignalSpy spy(m_backend, &IWifiRtspThread::sgChangeResolutionFromOtherApp);
        m_camera->changeResolutionFromOtherApp(8); // the current size: nothing
        m_camera->changeResolutionFromOtherApp(0x0B); // no such index: ignored
        m_camera->changeResolutionFromOtherApp(5);
        QTRY_COMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toSize(), QSize(1280, 720));
        QCOMPARE(g_camera_resolution, QSize(1280, 720));
        m_camera->changeResolutionFromOtherApp(5);
        m_camera->changeResolutionFromOtherApp(2);
        QTRY_COMPARE(spy.size(), 2);
        QCOMPARE(g_camera_resolution, QSize(640, 480));
    }

    void photos_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("arrives");
        QTest::newRow("plain") << int(SimCamera::NoFault) << int(IMAGE_PLAIN) << true;
        QTest::newRow("grey") << int(SimCamera::NoFault) << int(IMAGE_GRAYSCALE) << true;
        QTest::newRow("one write") << int(SimCamera::PhotoInOneWrite) << int(IMAGE_PLAIN) << true;
        QTest::newRow("truncated") << int(SimCamera::PhotoTruncated) << int(IMAGE_PLAIN) << false;
        QTest::newRow("oversized") << int(SimCamera::PhotoOversized) << int(IMAGE_PLAIN) << false;
        QTest::newRow("not jpeg") << int(SimCamera::PhotoNotJpeg) << int(IMAGE_PLAIN) << false;
        QTest::newRow("empty") << int(SimCamera::PhotoEmpty) << int(IMAGE_PLAIN) << false;
        QTest::newRow("huge header") << int(SimCamera::PhotoHugeHeader) << int(IMAGE_PLAIN) << false;
        QTest::newRow("corrupt data") << int(SimCamera::PhotoCorrupt) << int(IMAGE_PLAIN) << false;
        QTest::newRow("silence") << int(SimCamera::Silence) << int(IMAGE_PLAIN) << false;
    }
    void photos()
    {
        QFETCH(int, fault);
        QFETCH(int, type);
        QFETCH(bool, arrives);
        bindBackend();
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        m_camera->setFault(SimCamera::Fault(fault));
        m_camera->clearCommands();
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QVERIFY(m_backend->setCaptureFalg(ImageType(type)));
        QVERIFY(!m_backend->setCaptureFalg(ImageType(type))); // one at a time
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 6000);
        const QImage picture = photos.at(0).at(0).value<QImage>();
        QCOMPARE(picture.isNull(), !arrives);
        if (arrives) {
            QCOMPARE(picture.size(), m_camera->photoSize());
            QCOMPARE(picture.isGrayscale(), type == IMAGE_GRAYSCALE);
            QCOMPARE(countCommands(m_camera->commands(), "09000BF5F40A"), 1);
        } else if (fault != SimCamera::Silence) {
            // A broken photo is asked for again, but spaced: a handful per request at most.
            const int asked = countCommands(m_camera->commands(), "09000BF5F40A");
            QVERIFY2(asked >= 2 && asked <= 1 + fastTimings().photoResends, qPrintable(QString::number(asked)));
        }
        QVERIFY(!m_backend->isPhotoPending());
        // Let the replies to the last re-asks finish arriving: bytes of a broken photo
        // glued to the next reply would take it down with them.
        for (int sent = -1, rounds = 0; sent != m_camera->photosSent() && rounds < 10; ++rounds) {
            sent = m_camera->photosSent();
            QTest::qWait(400);
        }
        QCOMPARE(photos.size(), 1); // never a second answer
        // A failed photo, even one whose reply never came, does not spoil the next.
        m_camera->setFault(SimCamera::NoFault);
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 2, 4000);
        QVERIFY(!photos.at(1).at(0).value<QImage>().isNull());
    }

    // A cut-off photo still waiting for its bytes when the next photo is asked for must
    // not swallow the new reply, however long the silence timer would take.
    void incompletePhotoDroppedBeforeNextRequest()
    {
        IWifiLinkTimings t = fastTimings();
        t.photoGapMs = 60000;
        t.photoTimeoutMs = 500;
        bindBackend(t);
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        m_camera->setFault(SimCamera::PhotoTruncated);
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 3000);
        QVERIFY(photos.at(0).at(0).value<QImage>().isNull());
        QTRY_COMPARE(m_camera->photosSent(), 1);

        m_camera->setFault(SimCamera::NoFault);
        t.photoTimeoutMs = 4000;
        m_backend->setTimings(t);
        m_camera->clearCommands();
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 2, 5000);
        QVERIFY(!photos.at(1).at(0).value<QImage>().isNull());
        // The dropped partial answered its own request: the new one was asked for once.
        QTest::qWait(300);
        QCOMPARE(countCommands(m_camera->commands(), "09000BF5F40A"), 1);
        QCOMPARE(photos.size(), 2);
    }

    void latePhotoAnswersNoNewerRequest()
    {
        IWifiLinkTimings t = fastTimings();
        t.photoTimeoutMs = 300;
        // Only a photo late as a whole is at stake: a busy machine that holds up the
        // camera between a photo's header and its data must not cut it off here.
        t.photoGapMs = 2000;
        bindBackend(t);
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        m_camera->setPhotoDelay(600);
        QList<int> sentAtEmission;
        QList<bool> nullAtEmission;
        connect(m_backend, &IWifiRtspThread::sgCaptureImage, this, [&](QImage picture) {
            sentAtEmission << m_camera->photosSent();
            nullAtEmission << picture.isNull();
        });
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        // The camera is slow, not dead: it speaks while the photo is on its way.
        m_camera->changeResolutionFromOtherApp(8);
        QTRY_COMPARE(nullAtEmission.size(), 1);
        QVERIFY(nullAtEmission.at(0));
        QVERIFY(m_backend->isLinkReady());
        QCOMPARE(m_camera->photosSent(), 0);
        // The next request waits longer; the camera answers both, in order.
        t.photoTimeoutMs = 4000;
        m_backend->setTimings(t);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(nullAtEmission.size(), 2, 4000);
        QVERIFY(!nullAtEmission.at(1));
        QCOMPARE(sentAtEmission.at(1), 2); // the first photo was not taken as the second
    }

    void reconnectsAfterDrop()
    {
        m_camera->setFault(SimCamera::DropAfterBind);
        m_backend = new IWifiRtspThread;
        m_backend->setTimings(fastTimings());
        m_backend->initSocket();
        QTRY_VERIFY_WITH_TIMEOUT(m_camera->connectionCount() >= 2, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        // The blocks survive a later drop: the new bind asks for them without re-reading defaults.
        m_camera->clearCommands();
        m_camera->setFault(SimCamera::DropAfterBind);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        m_camera->stop();
        QVERIFY(m_camera->start(quint16(qEnvironmentVariableIntValue("OCUMETRA_CAMERA_CONTROL_PORT"))));
        QTRY_VERIFY_WITH_TIMEOUT(m_camera->connectionCount() >= 3, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 5000);
        QVERIFY(!photos.at(0).at(0).value<QImage>().isNull());
        QCOMPARE(countCommands(m_camera->commands(), "08000BF3F40C"), 0);
    }

    void refusedConnectionIsRetried()
    {
        const quint16 port = m_camera->port();
        m_camera->stop();
        m_backend = new IWifiRtspThread;
        m_backend->setTimings(fastTimings());
        m_backend->initSocket();
        QTest::qWait(600);
        QVERIFY(!m_backend->isLinkReady());
        QVERIFY(m_camera->start(port));
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
    }

    void photoForAnotherClientAnswersNothing_data()
    {
        QTest::addColumn<QByteArray>("id");
        QTest::newRow("other client") << hex("5678");
        QTest::newRow("notice id") << hex("0F0F");
    }
    void photoForAnotherClientAnswersNothing()
    {
        QFETCH(QByteArray, id);
        IWifiLinkTimings t = fastTimings();
        t.photoTimeoutMs = 800;
        bindBackend(t);
        waitForBlocks();
        if (QTest::currentTestFailed())
            return;
        m_camera->setPhotoClientId(id);
        QSignalSpy photos(m_backend, &IWifiRtspThread::sgCaptureImage);
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE(m_camera->photosSent(), 1);
        // Not ours: the request stays open until its time-out reports the failure.
        QTest::qWait(200);
        QVERIFY(m_backend->isPhotoPending());
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 1, 3000);
        QVERIFY(photos.at(0).at(0).value<QImage>().isNull());
        // The link still serves photos addressed to it.
        m_camera->setPhotoClientId(QByteArray());
        QVERIFY(m_backend->setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(photos.size(), 2, 3000);
        QVERIFY(!photos.at(1).at(0).value<QImage>().isNull());
    }

    void dropBeforeBindBacksOff()
    {
        m_camera->setFault(SimCamera::DropOnConnect);
        m_backend = new IWifiRtspThread;
        m_backend->setTimings(fastTimings()); // retries 100, 200, 400, 400 ... ms
        m_backend->initSocket();
        QTest::qWait(1200);
        QVERIFY(m_camera->connectionCount() >= 2);
        QVERIFY2(m_camera->connectionCount() <= 8, qPrintable(QString::number(m_camera->connectionCount())));
        m_camera->setFault(SimCamera::NoFault);
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
        waitForBlocks();
    }

    void resolutionAskedBeforeEncoderSettingsIsKept()
    {
        m_camera->setFault(SimCamera::Silence); // binds, then answers nothing
        m_backend = new IWifiRtspThread;
        m_backend->setTimings(fastTimings());
        m_backend->setResolution(QSizeF(1280, 720)); // before the link: remembered
        m_backend->initSocket();
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
        m_backend->setResolution(QSizeF(640, 480));
        QCOMPARE(m_backend->resolution().toSizeF(), QSizeF(640, 480));
        QTest::qWait(150);
        // The camera's encoder settings are unknown: no short command 5 goes out.
        QCOMPARE(countCommands(m_camera->commands(), "05000BF0F40F"), 0);
    }

    // A bind reply that is no id leaves no client id: nothing is sent on that link, and
    // it is rebuilt with a new bind, backing off while the camera keeps failing.
    void badBindReconnects()
    {
        m_camera->setFault(SimCamera::BadBind);
        m_backend = new IWifiRtspThread;
        m_backend->setTimings(fastTimings()); // retries 100, 200, 400, 400 ... ms
        m_backend->initSocket();
        QTRY_COMPARE(m_camera->commands().size(), 1);
        QVERIFY(!m_backend->isLinkReady());
        QCOMPARE(m_backend->changeLamp(), -1);
        QVERIFY(!m_backend->setCaptureFalg(IMAGE_PLAIN));
        m_backend->setBrightness(10);
        QTest::qWait(1200);
        const QList<QByteArray> c = m_camera->commands();
        QCOMPARE(countCommands(c, "FFFFFFFF"), c.size()); // binds only
        QVERIFY(m_camera->connectionCount() >= 2);
        QVERIFY2(m_camera->connectionCount() <= 8, qPrintable(QString::number(m_camera->connectionCount())));
        m_camera->setFault(SimCamera::NoFault);
        QTRY_VERIFY_WITH_TIMEOUT(m_backend->isLinkReady(), 5000);
        waitForBlocks();
    }
};

OCUMETRA_TEST_MAIN(TestWifiProtocol)
#include "tst_wifi_protocol.moc"
