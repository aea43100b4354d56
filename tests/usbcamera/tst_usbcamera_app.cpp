// The whole program (its own start-up, main window and panels) against the virtual
// USB camera under a real X server: discovery, the live picture, snapshots, a
// resolution change, the colour and focus panels, and the scripted faults.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include <atomic>
#include <memory>

#include "board/iboard.h"
#include "board/item/ipixmapitem.h"
#include "board/widget/islider.h"
#include "board/widget/itimemsgbox.h"
#include "camerarig.h"
#include "customui/ifocusframe.h"
#include "customui/iparameterframe.h"
#include "customui/ipixrateframe.h"
#include "iapplication.h"
#include "icamera.h"
#include "icamerabackend.h"
#include "iglobal.h"
#include "mainframe.h"
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

QString noticeText()
{
    for (QLabel* label : ITimeMsgBox::instance()->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            return label->text();
    return QString();
}

MainFrame* mainFrame() { return qobject_cast<IApplication*>(qApp)->mainFrame(); }
QImage boardPicture() { return mainFrame()->m_board->pixmapElement()->image(); }

// The back end in use: it sends its frames from its own thread, ICamera passes them on
// through the window's.
struct CameraBackend : ICamera
{
    static ICameraBackend* inUse() { return static_cast<CameraBackend*>(ICamera::instance())->backendInUse(); }
};

// The plug watcher's notice, as udev would make it arrive.
void plugNotice(bool connected)
{
    QMetaObject::invokeMethod(mainFrame(), "onUsbConnectionChanged", Q_ARG(bool, connected),
                              Q_ARG(QString, UsbCameraTest::node()));
}

// The dark band under the bars holds only its grey and the white square; a frame
// decoded from cut data shows other greys there.
bool bandIntact(const QImage& frame)
{
    const int y = frame.height() - 2;
    for (int x = 0; x < frame.width(); x += 8) {
        const int g = qGray(frame.pixel(x, y));
        if (qAbs(g - VirtualScene::kBand) > 40 && g < 200)
            return false;
    }
    return true;
}

} // namespace

class TestUsbCameraApp : public QObject
{
    Q_OBJECT

private slots:
    void startupOpensTheVirtualCamera()
    {
        MainFrame* frame = mainFrame();
        QVERIFY(frame);
        QTRY_VERIFY_WITH_TIMEOUT(frame->isVisible(), 10000);
        QCOMPARE(g_camera_info.devicePath, UsbCameraTest::node());
        QCOMPARE(g_camera_info.description, QStringLiteral("Ocumetra Virtual Camera"));
        QVERIFY(!g_wifi_camera);
        IPixmapItem* item = frame->m_board->pixmapElement();
        QTRY_VERIFY_WITH_TIMEOUT(!item->image().isNull() && item->isVisible(), 10000);
        QCOMPARE(item->image().size(), QSize(1920, 1080));
        QVERIFY2(UsbCameraTest::sceneMismatch(item->image()).isEmpty(),
                 qPrintable(UsbCameraTest::sceneMismatch(item->image())));

        // What the screen shows, once painted there.
        const QRect picture = frame->m_board->pixmapEleGlobalBoundingRect().toAlignedRect();
        QString mismatch;
        (void)QTest::qWaitFor([&] {
            const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            mismatch = shot.rect().contains(picture) ? UsbCameraTest::sceneMismatch(shot, picture)
                                                     : QStringLiteral("the picture lies off the screen");
            return mismatch.isEmpty();
        }, 10000);
        QVERIFY(picture.width() > 200);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    void liveFramesAtTheAnnouncedRate()
    {
        QList<qint64> arrivals;
        int shown = 0;
        QElapsedTimer clock;
        // The window's own handler was connected at start-up, so it has run by now: a
        // frame the board holds here is one the program shows.
        const QMetaObject::Connection c =
            connect(ICamera::instance(), &ICamera::sgCameraFrame, this, [&](QImage image) {
                arrivals << clock.elapsed();
                if (boardPicture().cacheKey() == image.cacheKey())
                    ++shown;
            });
        // Frames the camera made, taken or dropped for want of a free buffer. Read before
        // the counting starts: a frame sent after it was taken after this, or was the one
        // being decoded.
        const auto made = [] { return vcam_counter("frames") + vcam_counter("dropped"); };
        const long takenBefore = vcam_counter("frames");
        const long madeBefore = made();
        // Counted where they are sent: a busy window thread takes them in bursts.
        const auto sent = std::make_shared<std::atomic<int>>(0);
        const QMetaObject::Connection counter = connect(
            CameraBackend::inUse(), &ICameraBackend::sgCameraFrame, this, [sent](QImage) { ++*sent; },
            Qt::DirectConnection);
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(arrivals.size() >= 40, 30000);
        disconnect(counter);
        const long taken = vcam_counter("frames") - takenBefore;
        disconnect(c);
        const long madeInWindow = made() - madeBefore;
        // The camera runs at the rate 1920x1080 announces (30), not at its slow 5.
        const double cameraFps = 1000.0 * double(madeInWindow) / double(clock.elapsed());
        QVERIFY2(cameraFps > 12.0 && cameraFps < 36.0, qPrintable(QString::number(cameraFps)));
        // Never more pictures than the camera made (one may have been taken just before).
        QVERIFY2(*sent <= taken + 1, qPrintable(QStringLiteral("sent %1, taken %2").arg(int(*sent)).arg(taken)));
        // A busy machine decodes fewer of them, but most still reach the screen.
        QVERIFY2(shown * 3 >= madeInWindow, qPrintable(QStringLiteral("shown %1 of %2").arg(shown).arg(madeInWindow)));
    }

    void snapSavesThePictureAtCameraSize()
    {
        const QDir photos(g_photo_savepath);
        const int before = photos.entryList(QDir::Files).size();
        QTest::keyClick(mainFrame(), Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(QDir(g_photo_savepath).entryList(QDir::Files).size(), before + 1, 10000);
        const QString name = QDir(g_photo_savepath).entryList(QDir::Files, QDir::Time).first();
        QImage saved;
        QTRY_VERIFY_WITH_TIMEOUT(saved.load(photos.filePath(name)), 5000);
        QCOMPARE(saved.size(), QSize(1920, 1080));
        QVERIFY2(UsbCameraTest::sceneMismatch(saved).isEmpty(), qPrintable(UsbCameraTest::sceneMismatch(saved)));
    }

    void resolutionPanelRestartsTheStream()
    {
        IPixRateFrame* panel = mainFrame()->m_pixRateFrame;
        QStringList captions;
        for (QRadioButton* radio : panel->radios())
            captions << radio->text();
        QCOMPARE(captions, (QStringList{"640 x 480", "1280 x 720", "1920 x 1080", "3840 x 2160", "320 x 240"}));
        panel->setResolution(QSizeF(1280, 720), false);
        QTRY_COMPARE_WITH_TIMEOUT(boardPicture().size(), QSize(1280, 720), 10000);
        QCOMPARE(g_camera_resolution, QSize(1280, 720));
        QVERIFY(journal().contains(QStringLiteral("streamon MJPG 1280x720")));
        QCOMPARE(vcam_counter("mapped"), 4L);

        // A size the device refuses: the notice, and the stream stays as it was.
        vcam_command("refuse 1920x1080");
        panel->setResolution(QSizeF(1920, 1080), false);
        QTRY_COMPARE_WITH_TIMEOUT(noticeText(), QStringLiteral("Resolution settings failed, please re-select."), 10000);
        const qint64 key = boardPicture().cacheKey();
        QTRY_VERIFY_WITH_TIMEOUT(boardPicture().cacheKey() != key, 5000);
        QCOMPARE(boardPicture().size(), QSize(1280, 720));
    }

    void colourAndFocusPanelsSetTheDeviceControls()
    {
        MainFrame* frame = mainFrame();
        // 75 % of brightness -64..64 is 32; 40 % of contrast 0..95 is 38.
        frame->m_parameterFrame->setSliderValue(IParameterFrame::Brightness, 75);
        frame->m_parameterFrame->setSliderValue(IParameterFrame::Contrast, 40);
        QTRY_COMPARE_WITH_TIMEOUT(vcam_counter("ctrl:brightness"), 32L, 5000);
        QCOMPARE(vcam_counter("ctrl:contrast"), 38L);

        IFocusFrame* focus = frame->m_focusFrame;
        focus->focusSlider()->setValue(70, false, true); // manual, 70 % of 0..1023
        QTRY_COMPARE_WITH_TIMEOUT(vcam_counter("ctrl:focus"), 716L, 5000);
        QCOMPARE(vcam_counter("ctrl:focus_auto"), 0L);
        QCOMPARE(g_current_focus, 70);
        focus->focusSlider()->setValue(70, true, true);
        QTRY_COMPARE_WITH_TIMEOUT(vcam_counter("ctrl:focus_auto"), 1L, 5000);
        QCOMPARE(g_current_focus, -1);
    }

    void truncatedFramesAreSkipped()
    {
        QList<QImage> shown;
        const QMetaObject::Connection c =
            connect(ICamera::instance(), &ICamera::sgCameraFrame, this, [&](QImage image) { shown << image; });
        vcam_command("truncate 4");
        QTRY_COMPARE_WITH_TIMEOUT(vcam_counter("truncated"), 4L, 10000);
        const int after = shown.size();
        QTRY_VERIFY_WITH_TIMEOUT(shown.size() > after + 3, 10000);
        disconnect(c);
        for (const QImage& image : qAsConst(shown))
            QVERIFY(bandIntact(image));
        QVERIFY(bandIntact(boardPicture()));
    }

    void unplugShowsTheNoticeAndReplugReopens()
    {
        MainFrame* frame = mainFrame();
        vcam_command("unplug");
        QTRY_VERIFY_WITH_TIMEOUT(noticeText().startsWith(QStringLiteral("The camera is not available")), 10000);
        // udev tells of the removal: the picture goes and the bars are disabled.
        plugNotice(false);
        QTRY_VERIFY_WITH_TIMEOUT(boardPicture().isNull(), 5000);
        QVERIFY(!frame->m_cameraToolBar->isEnabled());
        QCOMPARE(vcam_counter("open"), 0L);
        QCOMPARE(vcam_counter("mapped"), 0L);

        vcam_command("replug");
        plugNotice(true);
        QTRY_VERIFY_WITH_TIMEOUT(!boardPicture().isNull(), 10000);
        QVERIFY(frame->m_cameraToolBar->isEnabled());
        QCOMPARE(g_camera_info.devicePath, UsbCameraTest::node());
    }

    void controlLessCameraAdjustsInSoftware()
    {
        MainFrame* frame = mainFrame();
        vcam_command("controls none");
        // Another camera: the same node, now without controls.
        frame->switchCamera(g_camera_info);
        QTRY_VERIFY_WITH_TIMEOUT(vcam_counter("streaming") == 1 && !boardPicture().isNull(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(frame->isEnabled(), 10000);
        QCOMPARE(ICamera::instance()->cameraParameter().brightness.maximum.toInt(), 100);
        const long sets = vcam_counter("sets");
        const QPoint black(VirtualScene::barCentre(boardPicture().width(), 7), 20);
        QTRY_VERIFY_WITH_TIMEOUT(qGray(boardPicture().pixel(black)) < 30, 5000);
        frame->m_parameterFrame->setSliderValue(IParameterFrame::Brightness, 95);
        QTRY_VERIFY_WITH_TIMEOUT(qGray(boardPicture().pixel(black)) > 60, 10000);
        QCOMPARE(vcam_counter("sets"), sets);
    }

    void closingReleasesTheDevice()
    {
        mainFrame()->close();
        QTRY_COMPARE_WITH_TIMEOUT(vcam_counter("streaming"), 0L, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(vcam_counter("open"), 0L, 10000);
        QCOMPARE(vcam_counter("mapped"), 0L);
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    if (!UsbCameraTest::offerVirtualCamera())
        return 2;
    IApplication app(QStringLiteral("OcumetraUsbCameraTest"), argc, argv);
    TestEnv::afterApplication();
    TestUsbCameraApp tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return runInsideApplication([&] { return QTest::qExec(&tc, argc, argv); });
}

#include "tst_usbcamera_app.moc"
