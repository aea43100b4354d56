// The picture viewers and the camera chooser on their own, without a main window:
// the split-screen view's zoom, pan and rotation on a known picture, the chooser's
// list, and (further down) the picture-in-picture camera choice and the two labels.

#include <QCameraViewfinder>
#include <QComboBox>
#include <QCursor>
#include <QGestureEvent>
#include <QPinchGesture>
#include <QSwipeGesture>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <cmath>
#include <QtTest>

#include "customui/icameraframe.h"
#include "customui/icameratoolbar.h"
#include "customui/ifullscreencamera.h"
#include "customui/imageview.h"
#include "customui/ipicturecompareframe.h"
#include "customui/iitoolbutton.h"
#include "customui/ismallcameraframe.h"
#include "iglobal.h"
#include "testenv.h"

namespace {

// Left half red, right half blue: where the picture lands shows in the colours.
QImage twoColourPicture(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    for (int y = 0; y < size.height(); ++y)
        for (int x = size.width() / 2; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    return image;
}

void wheel(QWidget* view, const QPoint& angle)
{
    const QPointF at(view->width() / 2.0, view->height() / 2.0);
    QWheelEvent event(at, view->mapToGlobal(at.toPoint()), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

void mouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// Where the picture's centre is drawn, in viewer coordinates.
QPointF pictureCentre(ImageView& view)
{
    ImageItem* item = view.imageItem();
    return view.mapFromScene(item->mapToScene(item->boundingRect().center()));
}

class CameraChooser : public ICameraFrame
{
public:
    explicit CameraChooser(ICameraToolBar* bar = nullptr)
        : ICameraFrame(nullptr, nullptr)
        , m_bar(bar)
    {
    }
    QList<QRadioButton*> radios() const { return findChildren<QRadioButton*>(); }

protected:
    ICameraToolBar* cameraToolBar() const override { return m_bar; }

private:
    ICameraToolBar* m_bar;
};

ICameraInfo usbCamera(int index, const QString& path, const QString& name)
{
    ICameraInfo info;
    info.index = index;
    info.devicePath = path;
    info.description = name;
    info.vid = QStringLiteral("1d6b");
    info.pid = QStringLiteral("010%1").arg(index);
    return info;
}

// Picture-in-picture over a camera list the test sets; none of these cameras is in
// the platform's list, so no platform camera is ever opened.
class FakeCamerasFrame : public ISmallCameraFrame
{
public:
    FakeCamerasFrame()
        : ISmallCameraFrame(nullptr, nullptr)
    {
    }
    QList<ICameraInfo> cameras;
    IIToolButton* cameraButton() const { return findChild<IIToolButton*>(); }
    QStringList listed() const
    {
        QStringList texts;
        for (int i = 0; i < cameraList()->count(); ++i)
            texts << cameraList()->itemText(i);
        return texts;
    }

protected:
    QList<ICameraInfo> cameraInfos() const override { return cameras; }
};

QStringList paths(const QList<ICameraInfo>& cameras)
{
    QStringList list;
    for (const ICameraInfo& info : cameras)
        list << info.devicePath;
    return list;
}

}

class TestViewers : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        TestEnv::clearMessages();
        g_camera_list.clear();
        g_camera_info = ICameraInfo();
        g_wifi_camera = false;
    }

    // ---- split-screen viewer ----

    void pictureIsFittedIntoItsBox()
    {
        ImageItem item(QSize(270, 460));
        QVERIFY(item.boundingRect().isEmpty());
        item.setImage(twoColourPicture(QSize(400, 200)));
        QCOMPARE(item.boundingRect(), QRectF(0, 0, 270, 135));
        item.setImageSize(QSize(100, 100));
        QCOMPARE(item.boundingRect(), QRectF(0, 0, 100, 50));

        QTemporaryDir dir;
        const QString path = dir.filePath("tall.png");
        QVERIFY(twoColourPicture(QSize(50, 200)).save(path));
        item.setImage(path);
        QCOMPARE(item.boundingRect(), QRectF(0, 0, 25, 100));
        QCOMPARE(item.image().size(), QSize(50, 200));
        // An unreadable file leaves the viewer empty.
        item.setImage(dir.filePath("missing.png"));
        QVERIFY(item.image().isNull());
        QVERIFY(item.boundingRect().isEmpty());
    }

    void viewerShowsPictureCentredOnGrey()
    {
        ImageView view(nullptr, nullptr);
        // No main window: showing opens the viewer as it is.
        view.setFrameVisible(true);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(view.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(view.size(), QSize(270, 460)); // beside the bars on the 800 x 600 screen
        view.imageItem()->setImage(twoColourPicture(QSize(400, 200)));
        view.resetTransformx();
        QCOMPARE(pictureCentre(view), QPointF(135, 230));

        const QImage shot = view.grab().toImage();
        QCOMPARE(QColor(shot.pixel(5, 5)), QColor(105, 105, 105));
        QCOMPARE(QColor(shot.pixel(60, 230)), QColor(Qt::red));
        QCOMPARE(QColor(shot.pixel(210, 230)), QColor(Qt::blue));
        QCOMPARE(QColor(shot.pixel(135, 150)), QColor(105, 105, 105)); // above the 135 px high picture

        // The close button hides the viewer; the next toggle shows it again.
        auto* close = view.findChild<QToolButton*>();
        QVERIFY(close);
        QVERIFY(QFile::exists(QStringLiteral(":/root/root/tsclose.svg")));
        QVERIFY(!close->icon().pixmap(60, 60).isNull());
        QCOMPARE(close->iconSize(), QSize(60, 60));
        QVERIFY(close->geometry().right() < view.width() && close->x() > view.width() / 2);
        close->click();
        QVERIFY(!view.isVisible());
        view.setFrameVisible(true);
        QVERIFY(view.isVisible());
    }

    void wheelZoomStopsAtBounds()
    {
        ImageView view(nullptr, nullptr);
        view.setFrameVisible(true);
        view.imageItem()->setImage(twoColourPicture(QSize(400, 200)));
        view.resetTransformx();
        QCursor::setPos(view.mapToGlobal(QPoint(5, 5)));
        for (int i = 0; i < 60; ++i)
            wheel(view.viewport(), QPoint(0, 120));
        QCOMPARE(view.scaleValue(), 30.0);
        for (int i = 0; i < 100; ++i)
            wheel(view.viewport(), QPoint(0, -120));
        QVERIFY(qFuzzyCompare(view.scaleValue(), 0.05));

        // A sideways turn zooms out.
        view.resetTransformx();
        wheel(view.viewport(), QPoint(120, 0));
        QVERIFY(qFuzzyCompare(view.scaleValue(), 0.9));
        view.scalex(2.0 / 0.9);
        QVERIFY(qFuzzyCompare(view.scaleValue(), 2.0));
    }

    void pinchZooms()
    {
        ImageView view(nullptr, nullptr);
        view.imageItem()->setImage(twoColourPicture(QSize(400, 200)));
        QCursor::setPos(view.mapToGlobal(QPoint(5, 5)));
        QPinchGesture pinch;
        pinch.setLastScaleFactor(1.5);
        QGestureEvent event({&pinch});
        event.ignore();
        QVERIFY(QApplication::sendEvent(&view, &event));
        QVERIFY(qFuzzyCompare(view.scaleValue(), 1.5));
        // A gesture without a pinch is taken and changes nothing.
        QSwipeGesture swipe;
        QGestureEvent other({&swipe});
        QVERIFY(QApplication::sendEvent(&view, &other));
        QVERIFY(qFuzzyCompare(view.scaleValue(), 1.5));
    }

    void zoomKeepsPointUnderPointerOrCentre()
    {
        ImageView view(nullptr, nullptr);
        view.setFrameVisible(true);
        view.imageItem()->setImage(twoColourPicture(QSize(400, 200)));
        view.resetTransformx();

        // Over the picture: the picture point under the pointer stays under it.
        const QPoint over(175, 250);
        QCursor::setPos(view.mapToGlobal(over));
        QVERIFY(view.itemContains(QCursor::pos()));
        const QPointF before = view.mapToScene(over);
        wheel(view.viewport(), QPoint(0, 120));
        wheel(view.viewport(), QPoint(0, 120));
        QVERIFY(qFuzzyCompare(view.scaleValue(), 1.21));
        const QPointF after = view.mapToScene(over);
        QVERIFY2((after - before).manhattanLength() < 1.0, qPrintable(QString("%1,%2 -> %3,%4")
                 .arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
        QVERIFY(pictureCentre(view) != QPointF(135, 230));

        // Outside it: the picture's centre keeps its place.
        view.resetTransformx();
        QCursor::setPos(view.mapToGlobal(QPoint(5, 5)));
        QVERIFY(!view.itemContains(QCursor::pos()));
        const QPointF centre = pictureCentre(view);
        wheel(view.viewport(), QPoint(0, 120));
        wheel(view.viewport(), QPoint(0, -120));
        wheel(view.viewport(), QPoint(0, -120));
        QVERIFY(qFuzzyCompare(view.scaleValue(), 1.1 * 0.9 * 0.9));
        QVERIFY((pictureCentre(view) - centre).manhattanLength() <= 2.0);
    }

    void rotationWrapsToZero()
    {
        ImageView view(nullptr, nullptr);
        view.imageItem()->setImage(twoColourPicture(QSize(400, 200)));
        view.scalex(2.0);
        for (int i = 0; i < 3; ++i)
            view.rotatex(90);
        QCOMPARE(view.rotateValue(), 270.0);
        QVERIFY(qFuzzyCompare(view.scaleValue(), 2.0)); // read from the rotated transform
        view.rotatex(90);
        QCOMPARE(view.rotateValue(), 0.0);
        view.rotatex(100);
        view.rotatex(300);
        QCOMPARE(view.rotateValue(), 0.0);
        view.rotatex(100);
        view.rotatex(100);
        QCOMPARE(view.rotateValue(), 200.0);
        QCOMPARE(view.translateValue(), QPointF(0, 0));
        view.resetTransformx();
        QCOMPARE(view.rotateValue(), 0.0);
        QVERIFY(view.transform().isIdentity());
    }

    void dragPansPictureOrMovesViewer()
    {
        ImageView view(nullptr, nullptr);
        view.setFrameVisible(true);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.imageItem()->setImage(twoColourPicture(QSize(400, 200)));
        view.resetTransformx();
        QWidget* port = view.viewport();

        // On the picture: the picture follows the pointer, the window stays.
        const QPoint windowAt = view.pos();
        const QPointF centre = pictureCentre(view);
        QPoint at(150, 240);
        QCursor::setPos(view.mapToGlobal(at));
        mouse(port, QEvent::MouseButtonPress, at);
        mouse(port, QEvent::MouseMove, at + QPoint(30, 20));
        mouse(port, QEvent::MouseButtonRelease, at + QPoint(30, 20));
        QVERIFY((pictureCentre(view) - (centre + QPointF(30, 20))).manhattanLength() <= 1.0);
        QCOMPARE(view.pos(), windowAt);

        // On the grey: the whole viewer moves, the picture stays where it is in it.
        const QPointF panned = pictureCentre(view);
        at = QPoint(5, 5);
        QCursor::setPos(view.mapToGlobal(at));
        mouse(port, QEvent::MouseButtonPress, at);
        mouse(port, QEvent::MouseMove, at + QPoint(20, 10));
        QCOMPARE(view.pos(), windowAt + QPoint(20, 10));
        mouse(port, QEvent::MouseButtonRelease, at + QPoint(20, 10));
        QCOMPARE(pictureCentre(view), panned);
        // Released: moving drags nothing.
        mouse(port, QEvent::MouseMove, at + QPoint(60, 60), Qt::NoButton);
        QCOMPARE(view.pos(), windowAt + QPoint(20, 10));

        // A double click puts everything back.
        view.rotatex(30);
        view.scalex(3.0);
        QTest::mouseDClick(port, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QVERIFY(view.transform().isIdentity());
        QCOMPARE(view.rotateValue(), 0.0);
    }

    // ---- camera chooser ----

    void chooserListsCamerasWithOpenOneChecked()
    {
        g_camera_list = {usbCamera(0, "/dev/video0", "Desk camera"), usbCamera(2, "/dev/video2", "Spare camera")};
        g_camera_info = g_camera_list.at(1);
        CameraChooser chooser;
        const QList<QRadioButton*> radios = chooser.radios();
        QCOMPARE(radios.size(), 2);
        QCOMPARE(radios.at(0)->text(), QStringLiteral("Desk camera"));
        QCOMPARE(radios.at(0)->property("flag"), QVariant(0));
        QVERIFY(!radios.at(0)->isChecked());
        QCOMPARE(radios.at(1)->property("flag"), QVariant(2));
        QVERIFY(radios.at(1)->isChecked());

        // Without a main window a choice only hides the panel.
        chooser.setFrameVisible(true);
        radios.at(0)->click();
        QVERIFY(!chooser.isVisible());
        QVERIFY(radios.at(0)->isChecked());
        QCOMPARE(g_camera_info.devicePath, QStringLiteral("/dev/video2"));
    }

    void chooserOffersOpenWifiCamera()
    {
        ICameraInfo wifi;
        wifi.index = 999;
        wifi.description = QStringLiteral("Wi-Fi camera");
        g_camera_info = wifi;
        g_wifi_camera = true;
        CameraChooser chooser;
        QCOMPARE(chooser.radios().size(), 1);
        QCOMPARE(chooser.radios().first()->property("flag"), QVariant(999));
        QVERIFY(chooser.radios().first()->isChecked());

        g_wifi_camera = false;
        g_camera_info = ICameraInfo();
        CameraChooser empty;
        QVERIFY(empty.radios().isEmpty());
    }

    void chooserStandsAboveItsButton()
    {
        ICameraToolBar bar(nullptr, nullptr);
        bar.show();
        g_camera_list = {usbCamera(0, "/dev/video0", "A camera with a long name")};
        CameraChooser chooser(&bar);
        chooser.setFrameVisible(true);
        const QPoint p = bar.buttonGlobslPos(ICameraToolBar::Camera);
        QCOMPARE(chooser.pos(), QPoint(int(p.x() + 42 - chooser.width() / 2.0), p.y() - chooser.height() - 10));
        chooser.setFrameVisible(false);
        QVERIFY(!chooser.isVisible());
    }

    // ---- picture-in-picture ----

    void pictureInPictureNeverOffersMainCamera()
    {
        const ICameraInfo main = usbCamera(0, "/dev/video0", "Desk camera");
        ICameraInfo twin = main; // the same device's second video node
        twin.index = 1;
        twin.devicePath = QStringLiteral("/dev/video1");
        twin.vid = main.vid.toUpper();
        const ICameraInfo other = usbCamera(2, "/dev/video2", "Spare camera");
        ICameraInfo noIds = usbCamera(3, "/dev/video3", "Unknown camera");
        noIds.vid.clear();
        noIds.pid.clear();
        const QList<ICameraInfo> all = {main, twin, other, noIds};
        QCOMPARE(paths(ISmallCameraFrame::otherCameras(all, main)),
                 QStringList({"/dev/video2", "/dev/video3"}));
        // The Wi-Fi camera as main camera has neither path nor ids: every USB camera is free.
        ICameraInfo wifi;
        wifi.index = 999;
        QCOMPARE(ISmallCameraFrame::otherCameras(all, wifi).size(), 4);
        // A main camera without ids is known by its path alone.
        QCOMPARE(paths(ISmallCameraFrame::otherCameras(all, noIds)),
                 QStringList({"/dev/video0", "/dev/video1", "/dev/video2"}));
    }

    void pictureInPictureSizesItsViewfinder()
    {
        QCOMPARE(ISmallCameraFrame::viewfinderResolution({QSize(320, 240), QSize(352, 288)}), QSize(640, 480));
        QCOMPARE(ISmallCameraFrame::viewfinderResolution({}), QSize(640, 480));
        QCOMPARE(ISmallCameraFrame::viewfinderResolution({QSize(320, 240), QSize(1920, 1080), QSize(640, 480)}),
                 QSize(1920, 1080));
        QCOMPARE(ISmallCameraFrame::viewfinderSize(QSize(1920, 1080)), QSize(400, 225));
        QCOMPARE(ISmallCameraFrame::viewfinderSize(QSize(640, 480)), QSize(400, 300));
    }

    void pictureInPictureWithOnlyMainCameraStaysHidden()
    {
        g_camera_info = usbCamera(0, "/dev/video0", "Desk camera");
        ICameraInfo twin = g_camera_info;
        twin.devicePath = QStringLiteral("/dev/video1");
        FakeCamerasFrame pip;
        pip.cameras = {g_camera_info, twin};
        QVERIFY(!pip.setFrameVisible(true));
        QVERIFY(!pip.isVisible());
        QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("No camera device available")});
        QCOMPARE(pip.cameraIndex(), -1);
    }

    void pictureInPictureCameraList()
    {
        g_camera_info = usbCamera(0, "/dev/video0", "Desk camera");
        FakeCamerasFrame pip;
        pip.cameras = {usbCamera(1, "/dev/video4", "Spare camera"), g_camera_info,
                       usbCamera(2, "/dev/video6", "Third camera")};
        QVERIFY(pip.setFrameVisible(true));
        QVERIFY(pip.isVisible());
        QVERIFY(TestEnv::messages().isEmpty());
        // The first camera other than the main one.
        QCOMPARE(pip.cameraDevicePath(), QStringLiteral("/dev/video4"));
        QCOMPARE(pip.cameraDescription(), QStringLiteral("Spare camera"));
        QCOMPARE(pip.cameraIndex(), 1);
        QCOMPARE(pip.cameraVid(), QStringLiteral("1d6b"));
        QCOMPARE(pip.cameraPid(), QStringLiteral("0101"));
        QVERIFY(pip.findChild<QCameraViewfinder*>());

        // The camera button opens the list of the other cameras, the shown one current.
        QVERIFY(!pip.cameraList()->isVisible());
        pip.cameraButton()->click();
        QVERIFY(pip.cameraList()->isVisible());
        QCOMPARE(pip.listed(), QStringList({"Spare camera", "Third camera"}));
        QCOMPARE(pip.cameraList()->currentIndex(), 0);
        QCOMPARE(pip.cameraList()->currentData(Qt::UserRole).toString(), QStringLiteral("/dev/video4"));
        // A second click closes it without touching the camera.
        pip.cameraButton()->click();
        QVERIFY(!pip.cameraList()->isVisible());
        QCOMPARE(pip.cameraDevicePath(), QStringLiteral("/dev/video4"));

        // Choosing switches the remembered camera and closes the list.
        pip.cameraButton()->click();
        pip.cameraList()->setCurrentIndex(1);
        QVERIFY(!pip.cameraList()->isVisible());
        QCOMPARE(pip.cameraDevicePath(), QStringLiteral("/dev/video6"));
        QCOMPARE(pip.cameraIndex(), 2);

        // The shown camera gone from the list: nothing is selected.
        pip.cameras.removeLast();
        pip.cameraButton()->click();
        QCOMPARE(pip.listed(), QStringList({"Spare camera"}));
        QCOMPARE(pip.cameraList()->currentIndex(), -1);
        QCOMPARE(pip.cameraDevicePath(), QStringLiteral("/dev/video6"));
        pip.hideCameraList();
        QVERIFY(!pip.cameraList()->isVisible());

        // Stopping keeps the remembered camera; starting looks it up again.
        QVERIFY(!pip.stopCamera());
        QCOMPARE(pip.cameraDevicePath(), QStringLiteral("/dev/video6"));
        QVERIFY(!pip.startCamera()); // no longer listed
        pip.cameras.append(usbCamera(5, "/dev/video6", "Third camera, renumbered"));
        QVERIFY(pip.startCamera());
        QCOMPARE(pip.cameraIndex(), 5);

        // Showing again while shown only re-places the window.
        QVERIFY(pip.setFrameVisible(true));
        QCOMPARE(pip.cameraIndex(), 5);
        QVERIFY(!pip.setFrameVisible(false));
        QVERIFY(!pip.isVisible());
    }

    // ---- the two labels nothing opens ----

    void fullScreenCameraTurnsPictureUnderDrawings()
    {
        IFullScreenCamera label;
        QVERIFY(label.windowFlags() & Qt::Tool);
        QVERIFY(label.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(label.windowFlags() & Qt::WindowStaysOnTopHint);

        // 40 x 20, left half red: a quarter turn puts the red half on top.
        const QImage picture = twoColourPicture(QSize(40, 20));
        label.setPixmapx(picture, 90);
        QImage shown = label.pixmap()->toImage();
        QCOMPARE(shown.size(), QSize(20, 40));
        QCOMPARE(QColor(shown.pixel(10, 5)), QColor(Qt::red));
        QCOMPARE(QColor(shown.pixel(10, 35)), QColor(Qt::blue));

        // The drawings go over the turned picture at its top-left corner.
        QImage drawings(20, 40, QImage::Format_ARGB32_Premultiplied);
        drawings.fill(Qt::transparent);
        drawings.setPixel(3, 30, qRgb(0, 255, 0));
        label.setBoardRenderImg(drawings);
        QCOMPARE(label.boardRenderImg(), drawings);
        label.setPixmapx(picture, 90);
        shown = label.pixmap()->toImage();
        QCOMPARE(QColor(shown.pixel(3, 30)), QColor(Qt::green));
        QCOMPARE(QColor(shown.pixel(4, 30)), QColor(Qt::blue));
        QCOMPARE(QColor(shown.pixel(3, 5)), QColor(Qt::red));

        // A grey picture from the filters takes the drawings too.
        QImage grey = picture.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_Indexed8);
        label.setPixmapx(grey, 90);
        shown = label.pixmap()->toImage();
        QCOMPARE(QColor(shown.pixel(3, 30)), QColor(Qt::green));
    }

    void fullScreenCameraClosesOnLeftDoubleClick()
    {
        IFullScreenCamera label;
        label.setPixmapx(twoColourPicture(QSize(40, 20)), 0);
        label.show();
        QSignalSpy shutDown(&label, &IFullScreenCamera::sgShutDown);
        QTest::mouseDClick(&label, Qt::RightButton);
        QVERIFY(label.isVisible());
        QCOMPARE(shutDown.count(), 0);
        QTest::mouseDClick(&label, Qt::LeftButton);
        QVERIFY(!label.isVisible());
        QCOMPARE(shutDown.count(), 1);
    }

    void compareFrameZoomsWithinBounds()
    {
        IPictureCompareFrame frame(nullptr, nullptr);
        QVERIFY(frame.windowFlags() & Qt::Tool);
        QVERIFY(frame.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(frame.size(), QSize(270, 460));
        QCOMPARE(frame.pos(), QPoint(200, 40));
        QCOMPARE(frame.zoomFactor(), 1.0);
        for (int i = 0; i < 10; ++i)
            wheel(&frame, QPoint(0, 120));
        QVERIFY(qFuzzyCompare(frame.zoomFactor(), std::pow(1.1, 10)));
        for (int i = 0; i < 20; ++i)
            wheel(&frame, QPoint(0, 120));
        QCOMPARE(frame.zoomFactor(), 7.0);
        // Sideways counts as backwards.
        wheel(&frame, QPoint(120, 0));
        QVERIFY(qFuzzyCompare(frame.zoomFactor(), 6.3));
        for (int i = 0; i < 60; ++i)
            wheel(&frame, QPoint(0, -120));
        QCOMPARE(frame.zoomFactor(), 0.1);
    }

    void compareFrameDragsWithLeftButton()
    {
        IPictureCompareFrame frame(nullptr, nullptr);
        frame.setFrameVisible(true);
        QVERIFY(frame.isVisible());
        const QPoint start = frame.pos();
        mouse(&frame, QEvent::MouseButtonPress, QPoint(50, 50), Qt::RightButton);
        mouse(&frame, QEvent::MouseMove, QPoint(70, 60), Qt::RightButton);
        QCOMPARE(frame.pos(), start);
        mouse(&frame, QEvent::MouseButtonRelease, QPoint(70, 60), Qt::RightButton);

        mouse(&frame, QEvent::MouseButtonPress, QPoint(50, 50));
        mouse(&frame, QEvent::MouseMove, QPoint(70, 60));
        QCOMPARE(frame.pos(), start + QPoint(20, 10));
        mouse(&frame, QEvent::MouseButtonRelease, QPoint(70, 60));
        mouse(&frame, QEvent::MouseMove, QPoint(90, 90), Qt::NoButton);
        QCOMPARE(frame.pos(), start + QPoint(20, 10));

        // The close button stays where it was built; closing hides the window.
        auto* close = frame.findChild<QToolButton*>();
        QVERIFY(close);
        QCOMPARE(close->pos(), QPoint(270 - 62 - 20, 20));
        close->click();
        QVERIFY(!frame.isVisible());
        frame.setFrameVisible(true);
        QVERIFY(frame.isVisible());
        frame.setFrameVisible(false);
        QVERIFY(!frame.isVisible());
    }
};

OCUMETRA_TEST_MAIN(TestViewers)

#include "tst_viewers.moc"
