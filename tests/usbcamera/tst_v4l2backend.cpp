// The V4L2 back end against the virtual USB camera: the streaming loop, its controls,
// a resolution change and the scripted faults, without the rest of the program.

#include <fcntl.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include "icamera.h"
#include "imaccapturethread.h"
#include "testenv.h"
#include "usbcameratest.h"
#include "virtualcamera.h"
#include "virtualcamera_scene.h"

namespace {

QString journal()
{
    QByteArray text(int(vcam_journal(nullptr, 0)) + 1, '\0');
    vcam_journal(text.data(), size_t(text.size()));
    return QString::fromUtf8(text.constData());
}

// Frames and error codes of one back end, recorded on its own thread as they are emitted.
struct FrameLog
{
    QMutex mutex;
    QList<QImage> frames;
    QList<qint64> times;
    QList<int> errors;
    QElapsedTimer clock;
    int count()
    {
        QMutexLocker lock(&mutex);
        return frames.size();
    }
    QImage last()
    {
        QMutexLocker lock(&mutex);
        return frames.isEmpty() ? QImage() : frames.last();
    }
};

struct Camera
{
    FrameLog log; // before the back end, whose thread writes into it until it stops
    IMacCaptureThread backend{UsbCameraTest::node()};

    explicit Camera(const QSize& size)
    {
        log.clock.start();
        // Recorded as they happen: an open may report before the test starts to wait.
        QObject::connect(
            &backend, &ICameraBackend::sgError, &backend,
            [this](int code) {
                QMutexLocker lock(&log.mutex);
                log.errors << code;
            },
            Qt::DirectConnection);
        QObject::connect(
            &backend, &ICameraBackend::sgCameraFrame, &backend,
            [this](QImage image) {
                QMutexLocker lock(&log.mutex);
                // Keep a few pictures only: a 4K stream would fill the memory.
                if (log.frames.size() > 4)
                    log.frames[log.frames.size() - 4] = QImage();
                log.frames << image;
                log.times << log.clock.elapsed();
            },
            Qt::DirectConnection);
        backend.setResolution(size);
    }
    QList<int> errors()
    {
        QMutexLocker lock(&log.mutex);
        return log.errors;
    }
    bool open()
    {
        backend.openCamera();
        return QTest::qWaitFor([this] { return !errors().isEmpty(); }, 10000) && errors().first() == 0;
    }
};

} // namespace

class TestV4l2Backend : public QObject
{
    Q_OBJECT

private slots:
    void init() { vcam_command("reset"); }

    void streamsAtAnnouncedRateAndStopsOnClose()
    {
        {
            Camera camera(QSize(640, 480));
            QVERIFY(camera.open());
            QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 40, 10000);
            QMutexLocker lock(&camera.log.mutex);
            const double fps = 30.0 * 1000.0 / double(camera.log.times.at(39) - camera.log.times.at(9));
            QVERIFY2(fps > 12.0 && fps < 36.0, qPrintable(QString::number(fps)));
            const QImage frame = camera.log.frames.last();
            QCOMPARE(frame.size(), QSize(640, 480));
            QVERIFY2(UsbCameraTest::sceneMismatch(frame).isEmpty(), qPrintable(UsbCameraTest::sceneMismatch(frame)));
            QCOMPARE(vcam_counter("mapped"), 4L);
            QCOMPARE(vcam_counter("streaming"), 1L);
        }
        // Closed: the stream stopped, every mapping and the descriptor released.
        QCOMPARE(vcam_counter("streaming"), 0L);
        QCOMPARE(vcam_counter("mapped"), 0L);
        QCOMPARE(vcam_counter("open"), 0L);
        const QStringList log = UsbCameraTest::lines(journal());
        QVERIFY(log.contains(QStringLiteral("s_fmt MJPG 640x480")));
        QVERIFY(log.contains(QStringLiteral("s_parm 30")));
        QVERIFY(log.indexOf(QStringLiteral("streamoff")) > log.indexOf(QStringLiteral("streamon MJPG 640x480 30")));
        QCOMPARE(log.last(), QStringLiteral("close mapped=0"));
    }

    void movingPictureAndSnapshotAtCameraSize()
    {
        Camera camera(QSize(1280, 720));
        QSignalSpy captures(&camera.backend, &ICameraBackend::sgCaptureImage);
        QVERIFY(camera.open());
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 2, 10000);
        const QImage first = camera.log.last();
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.last() != first, 10000); // the square moves
        QVERIFY(camera.backend.setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(captures.count(), 1, 10000);
        const QImage shot = captures.first().first().value<QImage>();
        QCOMPARE(shot.size(), QSize(1280, 720));
        QVERIFY2(UsbCameraTest::sceneMismatch(shot).isEmpty(), qPrintable(UsbCameraTest::sceneMismatch(shot)));

        // Minimised: frames are taken from the camera but not decoded, except one that
        // a capture waits for; restored, the picture goes on.
        camera.backend.setLiveWanted(false);
        const long taken = vcam_counter("frames");
        QTRY_VERIFY_WITH_TIMEOUT(vcam_counter("frames") >= taken + 3, 10000);
        const int decoded = camera.log.count();
        QTRY_VERIFY_WITH_TIMEOUT(vcam_counter("frames") >= taken + 10, 10000);
        QCOMPARE(camera.log.count(), decoded);
        QVERIFY(camera.backend.setCaptureFalg(IMAGE_PLAIN));
        QTRY_COMPARE_WITH_TIMEOUT(captures.count(), 2, 10000);
        const QImage late = captures.last().first().value<QImage>();
        QVERIFY2(UsbCameraTest::sceneMismatch(late).isEmpty(), qPrintable(UsbCameraTest::sceneMismatch(late)));
        QVERIFY(late != shot); // a new frame, not the one from before
        camera.backend.setLiveWanted(true);
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() > decoded + 3, 10000);
    }

    void heldFramesKeepTheirPixels()
    {
        // Decoded pictures are written again only once nobody holds them.
        IMacCaptureThread backend(UsbCameraTest::node());
        QMutex mutex;
        QList<QImage> held;
        QList<int> squareAt; // where each kept frame showed the square when it arrived
        int seen = 0;
        auto square = [](const QImage& frame) {
            const int y = frame.height() - VirtualScene::squareSide(frame.height()) / 2 -
                          (frame.height() - VirtualScene::barsHeight(frame.height())) / 4;
            for (int x = 0; x < frame.width(); ++x)
                if (qGray(frame.pixel(x, y)) > 200)
                    return x;
            return -1;
        };
        connect(
            &backend, &ICameraBackend::sgCameraFrame, &backend,
            [&](QImage image) {
                QMutexLocker lock(&mutex);
                if (seen++ % 3)
                    return; // let go of the others, so their pictures are written again
                held << image;
                squareAt << square(image);
            },
            Qt::DirectConnection);
        backend.setResolution(QSize(640, 480));
        backend.openCamera();
        QTRY_VERIFY_WITH_TIMEOUT([&] { QMutexLocker lock(&mutex); return held.size() >= 16; }(), 15000);
        backend.closeCamera();
        QSet<int> positions;
        for (int i = 0; i < held.size(); ++i) {
            QCOMPARE(square(held.at(i)), squareAt.at(i));
            positions << squareAt.at(i);
        }
        QVERIFY(positions.size() >= 5); // the frames were different ones
    }

    void yuyvStream()
    {
        Camera camera(QSize(320, 240)); // offered in YUYV only
        QVERIFY(camera.open());
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 3, 10000);
        const QImage frame = camera.log.last();
        QCOMPARE(frame.size(), QSize(320, 240));
        QVERIFY2(UsbCameraTest::sceneMismatch(frame).isEmpty(), qPrintable(UsbCameraTest::sceneMismatch(frame)));
        QVERIFY(journal().contains(QStringLiteral("s_fmt YUYV 320x240")));
    }

    void resolutionChangeRestartsStream()
    {
        Camera camera(QSize(640, 480));
        QVERIFY(camera.open());
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 2, 10000);
        QCOMPARE(camera.backend.supportResolution(),
                 (QList<QSizeF>{QSizeF(640, 480), QSizeF(1280, 720), QSizeF(1920, 1080), QSizeF(3840, 2160),
                                QSizeF(320, 240)}));
        for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160), QSize(640, 480)}) {
            camera.backend.setResolution(size);
            QTRY_COMPARE_WITH_TIMEOUT(camera.log.last().size(), size, 15000);
            // The old buffers were unmapped before the new ones were mapped.
            QCOMPARE(vcam_counter("mapped"), 4L);
        }
        QCOMPARE(camera.errors().count(), 1); // the open only
        const QStringList log = UsbCameraTest::lines(journal());
        QCOMPARE(log.filter(QStringLiteral("streamon")).size(), 4);
        QVERIFY(!log.contains(QStringLiteral("reqbufs busy")));
    }

    void refusedSizeReportsFailureAndKeepsStream()
    {
        Camera camera(QSize(640, 480));
        QVERIFY(camera.open());
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 2, 10000);
        vcam_command("refuse 1920x1080");
        camera.backend.setResolution(QSize(1920, 1080));
        QTRY_COMPARE_WITH_TIMEOUT(camera.errors().count(), 2, 10000);
        QCOMPARE(camera.errors().at(1), 2);
        const int before = camera.log.count();
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() > before + 2, 10000);
        QCOMPARE(camera.log.last().size(), QSize(640, 480));
        QCOMPARE(camera.backend.resolution().toSize(), QSize(640, 480));
    }

    void deviceControls()
    {
        Camera camera(QSize(640, 480));
        QVERIFY(camera.open());
        const CameraParameterData p = camera.backend.cameraParameter();
        auto range = [](const ParameterData& d) {
            return QList<int>{d.minimum.toInt(), d.maximum.toInt(), d.defaultValue.toInt(), d.currentValue.toInt()};
        };
        QCOMPARE(range(p.brightness), (QList<int>{-64, 64, 0, 0}));
        QCOMPARE(range(p.contrast), (QList<int>{0, 95, 32, 32}));
        QCOMPARE(range(p.saturation), (QList<int>{0, 128, 64, 64}));
        QCOMPARE(range(p.exposure), (QList<int>{3, 2047, 250, 250}));
        QCOMPARE(range(p.focus), (QList<int>{0, 1023, 68, 68}));

        camera.backend.setBrightness(-21);
        camera.backend.setContrast(40);
        camera.backend.setSaturation(100);
        QCOMPARE(vcam_counter("ctrl:brightness"), -21L);
        QCOMPARE(vcam_counter("ctrl:contrast"), 40L);
        QCOMPARE(vcam_counter("ctrl:saturation"), 100L);
        QCOMPARE(camera.backend.brightness().toInt(), -21);

        camera.backend.setAutoFocusFlag(300);
        QCOMPARE(vcam_counter("ctrl:focus_auto"), 0L);
        QCOMPARE(vcam_counter("ctrl:focus"), 300L);
        camera.backend.setAutoFocusFlag(-999);
        QCOMPARE(vcam_counter("ctrl:focus_auto"), 1L);
        camera.backend.setAutoExposureFlag(500);
        QCOMPARE(vcam_counter("ctrl:exposure_auto"), 1L);
        QCOMPARE(vcam_counter("ctrl:exposure"), 500L);
        camera.backend.setAutoExposureFlag(-999);
        QCOMPARE(vcam_counter("ctrl:exposure_auto"), 3L);
    }

    void controlLessDeviceAdjustsInSoftware()
    {
        vcam_command("controls none");
        Camera camera(QSize(640, 480));
        QVERIFY(camera.open());
        const CameraParameterData p = camera.backend.cameraParameter();
        QCOMPARE(p.brightness.minimum.toInt(), 0);
        QCOMPARE(p.brightness.maximum.toInt(), 100);
        QCOMPARE(p.brightness.defaultValue.toInt(), 50);
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 2, 10000);
        const QPoint black(VirtualScene::barCentre(640, 7), 100);
        QVERIFY(qGray(camera.log.last().pixel(black)) < 30);
        camera.backend.setBrightness(90);
        QTRY_VERIFY_WITH_TIMEOUT(qGray(camera.log.last().pixel(black)) > 60, 10000);
        QCOMPARE(vcam_counter("sets"), 0L);
    }

    void truncatedFrameSkipped()
    {
        Camera camera(QSize(640, 480));
        QVERIFY(camera.open());
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 2, 10000);
        vcam_command("truncate 3");
        QTRY_COMPARE_WITH_TIMEOUT(vcam_counter("truncated"), 3L, 10000);
        const int seen = camera.log.count();
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() > seen + 3, 10000);
        camera.backend.closeCamera();
        // Every dequeued frame but the three cut ones reached the picture.
        QCOMPARE(long(camera.log.count()), vcam_counter("frames") - 3);
        QCOMPARE(camera.errors().count(), 1);
    }

    void unplugReportsLossAndReplugReopens()
    {
        Camera camera(QSize(640, 480));
        QVERIFY(camera.open());
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 2, 10000);
        vcam_command("unplug");
        QTRY_COMPARE_WITH_TIMEOUT(camera.errors().count(), 2, 10000);
        QCOMPARE(camera.errors().at(1), 3);
        QTRY_VERIFY_WITH_TIMEOUT(camera.backend.isFinished(), 10000);
        QCOMPARE(vcam_counter("mapped"), 0L);
        QCOMPARE(vcam_counter("open"), 0L);

        // Opening while it is away fails; once back it streams again.
        camera.backend.openCamera();
        QTRY_COMPARE_WITH_TIMEOUT(camera.errors().count(), 3, 10000);
        QCOMPARE(camera.errors().at(2), 1);
        QVERIFY(camera.backend.wait(10000));
        vcam_command("replug");
        const int before = camera.log.count();
        camera.backend.openCamera();
        QTRY_COMPARE_WITH_TIMEOUT(camera.errors().count(), 4, 10000);
        QCOMPARE(camera.errors().at(3), 0);
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() > before + 2, 10000);
    }

    void unplugWhileAFrameIsMadeThenClose()
    {
        // The camera makes its frames outside its lock; an unplug waits for the frame in
        // making while the program, told of the loss, closes its descriptor at once.
        vcam_command("fps 0");
        const int fd = ::open(UsbCameraTest::node().toLatin1().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        QVERIFY(fd >= 0);
        v4l2_format fmt{};
        fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        fmt.fmt.pix.width = 3840; // a first 4K frame takes long to make
        fmt.fmt.pix.height = 2160;
        fmt.fmt.pix.pixelformat = V4L2_PIX_FMT_MJPEG;
        v4l2_requestbuffers req{};
        req.count = 4;
        req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        req.memory = V4L2_MEMORY_MMAP;
        QCOMPARE(::ioctl(fd, VIDIOC_S_FMT, &fmt), 0);
        QCOMPARE(::ioctl(fd, VIDIOC_REQBUFS, &req), 0);
        for (quint32 i = 0; i < req.count; ++i) {
            v4l2_buffer buf{};
            buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
            buf.memory = V4L2_MEMORY_MMAP;
            buf.index = i;
            QCOMPARE(::ioctl(fd, VIDIOC_QBUF, &buf), 0);
        }
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        QCOMPARE(::ioctl(fd, VIDIOC_STREAMON, &type), 0);
        pollfd first{fd, POLLIN, 0};
        QCOMPARE(::poll(&first, 1, 20000), 1); // one frame done: the next is in making

        std::thread unplug([] { vcam_command("unplug"); });
        const bool seen = QTest::qWaitFor([] { return journal().contains(QStringLiteral("unplug")); }, 10000);
        ::close(fd);
        unplug.join();
        QVERIFY(seen);
        QCOMPARE(vcam_counter("open"), 0L);
        QCOMPARE(vcam_counter("streaming"), 0L);
    }

    void stallNeitherHangsNorEndsTheStream()
    {
        Camera camera(QSize(640, 480));
        QVERIFY(camera.open());
        QTRY_VERIFY_WITH_TIMEOUT(camera.log.count() >= 2, 10000);
        vcam_command("stall 1500");
        const int before = vcam_counter("frames");
        QTRY_VERIFY_WITH_TIMEOUT(vcam_counter("frames") > before + 5, 15000); // resumes by itself
        QCOMPARE(camera.errors().count(), 1);

        vcam_command("stall 60000");
        QTest::qWait(300);
        QElapsedTimer t;
        t.start();
        camera.backend.closeCamera();
        QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(vcam_counter("streaming"), 0L);
        QCOMPARE(vcam_counter("mapped"), 0L);
    }

    void missingDeviceFailsToOpen()
    {
        vcam_command("unplug");
        Camera camera(QSize(640, 480));
        QVERIFY(!camera.open());
        QCOMPARE(camera.errors().first(), 1);
    }

    void discoveryFindsTheVirtualCamera()
    {
        const QString root = TestEnv::homePath() + QStringLiteral("/sys");
        QVERIFY(UsbCameraTest::writeSysfs(root, UsbCameraTest::node(), QStringLiteral("f0c4"), QStringLiteral("0101")));
        qputenv("OCUMETRA_EXTRA_CAMERAS", UsbCameraTest::node().toLatin1());
        qputenv("OCUMETRA_SYSFS_ROOT", root.toLocal8Bit());
        const QList<ICameraInfo> cameras = ICamera::instance()->validCameraList();
        qunsetenv("OCUMETRA_EXTRA_CAMERAS");
        qunsetenv("OCUMETRA_SYSFS_ROOT");
        QCOMPARE(cameras.size(), 1);
        QCOMPARE(cameras.first().devicePath, UsbCameraTest::node());
        QCOMPARE(cameras.first().description, QStringLiteral("Ocumetra Virtual Camera"));
        QCOMPARE(cameras.first().vid, QStringLiteral("f0c4"));
        QCOMPARE(cameras.first().pid, QStringLiteral("0101"));
        QCOMPARE(vcam_counter("open"), 0L); // the name query closed what it opened
    }
};

OCUMETRA_TEST_MAIN(TestV4l2Backend)

#include "tst_v4l2backend.moc"
