#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

#include <atomic>

#include "icamera.h"
#include "icamerabackend.h"
#include "iglobal.h"
#include "tst_camera.h"

namespace {

// A back end whose thread emits five frames, each greener, then the open code.
class FakeBackend : public ICameraBackend
{
public:
    QVariant lastContrast;
    bool lastRun = true;
    ImageType lastCapture = IMAGE_PLAIN;

    bool openCamera() override { start(); return true; }
    void closeCamera() override { wait(); }
    ~FakeBackend() override { wait(); }
    QImage captureImage(ImageType) override { return QImage(); }
    QVariant contrast() const override { return lastContrast; }
    QVariant saturation() const override { return 0; }
    QVariant brightness() const override { return 0; }
    QVariant resolution() const override { return QSize(640, 480); }
    AutoEdgeData autoEdgeData() const override { return AutoEdgeData(); }
    CameraParameterData cameraParameter() const override { return CameraParameterData(); }
    QList<QSizeF> supportResolution() const override { return {QSizeF(640, 480), QSizeF(1280, 720)}; }
    void setContrast(const QVariant& v) override { lastContrast = v; }
    void setSaturation(const QVariant&) override {}
    void setBrightness(const QVariant&) override {}
    void setResolution(const QVariant&) override {}
    void setRunFlag(const bool& run) override { lastRun = run; }
    bool setCaptureFalg(ImageType t) override { lastCapture = t; return true; }
    void setAutoEdgeFlag(const bool&) override {}
    void setAutoFocusFlag(const QVariant&) override {}
    void setAutoExposureFlag(const QVariant&) override {}

protected:
    void run() override
    {
        for (int i = 1; i <= 5; ++i) {
            QImage frame(32, 16, QImage::Format_RGB32);
            frame.fill(QColor(0, 50 * i, 0));
            emit sgCameraFrame(frame);
        }
        emit sgError(0);
    }
};

class TestableCamera : public ICamera
{
public:
    void adoptWifiBackend(ICameraBackend* b)
    {
        m_wifiBackend = b;
        connectBackend(b);
    }
};

} // namespace

void TestCamera::noDeviceMeansNoCameraAndFailedOpen()
{
    ICamera* camera = ICamera::instance();
    QSignalSpy errors(camera, &ICamera::sgError);
    camera->initData();
    QCOMPARE(g_camera_info.index, -1);
    QVERIFY(g_camera_list.isEmpty());
    QVERIFY(!g_wifi_camera);
    QVERIFY(!camera->isRuning());

    QVERIFY(!camera->openCamera(g_camera_info.index));
    QVERIFY(!camera->openCamera());
    // Without a back end every request is refused or answers empty, without a crash.
    QVERIFY(!camera->setCaptureFlag(IMAGE_PLAIN));
    QVERIFY(camera->supportResolution().isEmpty());
    QVERIFY(camera->captureImage(IMAGE_GRAYSCALE).isNull());
    QCOMPARE(camera->autoEdgeData().angle, -1.0);
    QCOMPARE(camera->cameraParameter().focus.maximum.toDouble(), 0.0);
    camera->setContrast(10);
    camera->setRunFlag(false);
    camera->setAutoFocusFlag(-999);
    camera->closeCamera();
    camera->destoryCamera();
    QVERIFY(camera->validCameraList().isEmpty());
    // The window raises code 1 itself for a refused open; the manager adds none.
    QCoreApplication::processEvents();
    QCOMPARE(errors.count(), 0);
}

void TestCamera::switchToMissingCameraReportsFailure()
{
    ICamera* camera = ICamera::instance();
    QSignalSpy errors(camera, &ICamera::sgError);
    camera->switchCamera(ICameraInfo());
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toInt(), 1);
    QCOMPARE(g_camera_info.index, -1);
    QVERIFY(!camera->isRuning());
}

void TestCamera::wifiCameraFoundWhenControlPortAnswers()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, 0));
    qputenv("OCUMETRA_CAMERA_CONTROL_PORT", QByteArray::number(server.serverPort()));

    ICamera* camera = ICamera::instance();
    QVERIFY(camera->hasValidRtspUrl());
    camera->initData();
    QCOMPARE(g_camera_info.index, 999);
    QCOMPARE(g_camera_info.description, QStringLiteral("Tarvenix WIFI"));
    QVERIFY(g_wifi_camera);

    // No Wi-Fi back end exists yet: the open is taken, and fails afterwards.
    QThread* errorThread = nullptr;
    QObject receiver; // the camera outlives this test: the connection must not
    connect(camera, &ICamera::sgError, &receiver, [&] { errorThread = QThread::currentThread(); });
    QSignalSpy errors(camera, &ICamera::sgError);
    QVERIFY(camera->openCamera(g_camera_info.index));
    QVERIFY(errors.wait(2000));
    QCOMPARE(errors.at(0).at(0).toInt(), 1);
    QCOMPARE(errorThread, QCoreApplication::instance()->thread());

    server.close();
    QVERIFY(!camera->hasValidRtspUrl());
    g_rtsp_url.clear();
    QVERIFY(!camera->hasValidRtspUrl());
}

void TestCamera::backendSignalsReachGuiThread()
{
    auto* camera = new TestableCamera;
    auto* backend = new FakeBackend;
    camera->adoptWifiBackend(backend);
    g_wifi_camera = true;
    g_camera_info.index = 999;

    QThread* frameThread = nullptr;
    QList<QImage> received;
    connect(camera, &ICamera::sgCameraFrame, this, [&](QImage image) {
        frameThread = QThread::currentThread();
        received << image;
    }, Qt::DirectConnection);
    QSignalSpy errors(camera, &ICamera::sgError);
    QVERIFY(!camera->isRuning()); // created, not streaming yet
    QVERIFY(camera->openCamera(999));
    // A window thread that lags gets the newest frame only, not the queue of them.
    QVERIFY(backend->wait(5000));
    QTRY_COMPARE(errors.count(), 1);
    QCOMPARE(errors.at(0).at(0).toInt(), 0);
    QTRY_VERIFY(!received.isEmpty());
    QCOMPARE(frameThread, QCoreApplication::instance()->thread());
    QCOMPARE(received.size(), 1);
    QCOMPARE(received.first().pixel(3, 3), QColor(0, 250, 0).rgb());

    // Requests go to the Wi-Fi back end while it is the camera in use.
    camera->setContrast(42);
    QCOMPARE(backend->lastContrast.toInt(), 42);
    QVERIFY(camera->setCaptureFlag(IMAGE_BLACKWHITE));
    QCOMPARE(backend->lastCapture, IMAGE_BLACKWHITE);
    camera->setRunFlag(false);
    QVERIFY(!backend->lastRun);
    // Nobody looks: the back end in use, and one made later, decode nothing.
    camera->setLiveWanted(false);
    QVERIFY(!backend->liveWanted());
    auto* later = new FakeBackend;
    camera->adoptWifiBackend(later);
    delete backend;
    QVERIFY(!later->liveWanted());
    camera->setLiveWanted(true);
    QVERIFY(later->liveWanted());
    QCOMPARE(camera->supportResolution().size(), 2);

    camera->closeCamera(); // deletes the back end and forgets the camera
    QVERIFY(!camera->isRuning());
    QCOMPARE(g_camera_info.index, -1);
    delete camera;
}

namespace {
// A back end that streams until it is closed, or fails its open like a camera that
// is not ready yet after being plugged in.
class PluggedBackend : public FakeBackend
{
public:
    std::atomic<bool> failOpen{true};
    bool openCamera() override
    {
        if (!isRunning())
            start();
        return true;
    }
    void closeCamera() override
    {
        requestInterruption();
        wait();
    }
    ~PluggedBackend() override { closeCamera(); }

protected:
    void run() override
    {
        if (failOpen) {
            emit sgError(1);
            return;
        }
        emit sgError(0);
        while (!isInterruptionRequested())
            msleep(5);
    }
};
}

// Running means streaming: a back end whose open failed counts as stopped, so the next
// plug-in notice reopens it instead of being ignored until the camera is unplugged.
void TestCamera::failedOpenIsNotRunning()
{
    auto* camera = new TestableCamera;
    auto* backend = new PluggedBackend;
    camera->adoptWifiBackend(backend);
    g_wifi_camera = true;
    g_camera_info.index = 999;
    QSignalSpy errors(camera, &ICamera::sgError);

    for (int attempt = 0; attempt < 2; ++attempt) {
        QVERIFY(!camera->isRuning());
        QVERIFY(camera->openCamera(999));
        QTRY_COMPARE(errors.count(), attempt + 1);
        QCOMPARE(errors.last().at(0).toInt(), 1);
        QTRY_VERIFY(backend->isFinished());
        QVERIFY(!camera->isRuning());
    }

    backend->failOpen = false;
    QVERIFY(camera->openCamera(999));
    QTRY_COMPARE(errors.count(), 3);
    QCOMPARE(errors.last().at(0).toInt(), 0);
    QVERIFY(camera->isRuning());
    backend->closeCamera();
    QVERIFY(!camera->isRuning());
    delete camera;
}

void TestCamera::supportedIdsAndEnvironmentOverride()
{
    const auto builtIn = ICamera::supportedIds();
    QVERIFY(!builtIn.isEmpty());
    // Ids of common webcams are not in our table.
    QVERIFY(!ICamera::isSupportedCamera(QStringLiteral("046d"), QStringLiteral("0825")));
    QVERIFY(ICamera::isSupportedCamera(builtIn.first().first.toUpper(), builtIn.first().second));

    qputenv("OCUMETRA_USB_IDS", " 46D:825 , bogus, 1234:5678,12345:1");
    const auto ids = ICamera::supportedIds();
    QCOMPARE(ids.size(), 2);
    QCOMPARE(ids.at(0), qMakePair(QStringLiteral("046d"), QStringLiteral("0825")));
    QVERIFY(ICamera::isSupportedCamera(QStringLiteral("046d"), QStringLiteral("0825")));
    QVERIFY(!ICamera::isSupportedCamera(builtIn.first().first, builtIn.first().second));
}

void TestCamera::usbIdsReadFromSysfs()
{
    QTemporaryDir root;
    // Mirrors the real layout: class/video4linux/video2 -> devices/.../video4linux/video2,
    // whose device link points at the USB interface below the USB device.
    const QString usbDevice = root.path() + "/devices/pci0000:00/usb1/1-4";
    const QString iface = usbDevice + "/1-4:1.0";
    QVERIFY(QDir().mkpath(iface + "/video4linux/video2"));
    QVERIFY(QDir().mkpath(root.path() + "/class/video4linux"));
    QVERIFY(QFile::link(iface + "/video4linux/video2", root.path() + "/class/video4linux/video2"));
    QVERIFY(QFile::link(iface, iface + "/video4linux/video2/device"));
    auto write = [](const QString& path, const QByteArray& text) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write(usbDevice + "/idVendor", "F0C4\n");
    write(usbDevice + "/idProduct", "0102\n");

    QString vid, pid;
    QVERIFY(ICamera::readUsbIds("/dev/video2", &vid, &pid, root.path()));
    QCOMPARE(vid, QStringLiteral("f0c4"));
    QCOMPARE(pid, QStringLiteral("0102"));
    QVERIFY(!ICamera::readUsbIds("/dev/video7", &vid, &pid, root.path()));
    QVERIFY(!ICamera::readUsbIds("/dev/sda", &vid, &pid, root.path()));

    write(usbDevice + "/idProduct", "zz\n");
    QVERIFY(!ICamera::readUsbIds("/dev/video2", &vid, &pid, root.path()));
}
