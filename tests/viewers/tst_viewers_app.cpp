// The viewers inside the running program, against the simulated Wi-Fi camera on
// 127.0.0.1: the camera chooser switches cameras through the main window, the
// split-screen viewer shows the last marked gallery picture, and picture-in-picture
// refuses to open without a second camera.

#include <QDir>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "../mainframe/camerarig.h"
#include "board/iboard.h"
#include "board/item/ipixmapitem.h"
#include "customui/icameraframe.h"
#include "customui/icameratoolbar.h"
#include "customui/iimglist.h"
#include "customui/iimglistitem.h"
#include "customui/iimglistwidget.h"
#include "customui/imageview.h"
#include "customui/ipicturecompareframe.h"
#include "customui/ismallcameraframe.h"
#include "iapplication.h"
#include "icamera.h"
#include "iglobal.h"
#include "mainframe.h"
#include "testenv.h"

namespace {
const QSize kStream(320, 240);

MainFrame* frame()
{
    return qobject_cast<IApplication*>(qApp)->mainFrame();
}

QRadioButton* radioFor(ICameraFrame& chooser, const QString& text)
{
    const QList<QRadioButton*> radios = chooser.findChildren<QRadioButton*>();
    for (QRadioButton* radio : radios)
        if (radio->text() == text)
            return radio;
    return nullptr;
}

bool liveFramesArrive()
{
    IPixmapItem* item = frame()->m_board->pixmapElement();
    const qint64 key = item->image().cacheKey();
    return QTest::qWaitFor([&] { return !item->image().isNull() && item->image().cacheKey() != key; }, 15000);
}

// A picture of one colour in the photo folder, added to the gallery.
QString addPicture(const QColor& colour, const QString& name)
{
    const QString folder = TestEnv::homePath() + "/viewer-pictures/";
    QDir().mkpath(folder);
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folder + name;
    if (!image.save(path))
        return QString();
    frame()->m_imgListWidget->insertItem(image.scaled(80, 60), path);
    return path;
}
}

class TestViewersApp : public QObject
{
    Q_OBJECT
public:
    explicit TestViewersApp(CameraRig* rig)
        : m_rig(rig)
    {
    }

private:
    CameraRig* m_rig;

private slots:
    void init() { TestEnv::clearMessages(); }

    void chooserSwitchesCameras()
    {
        MainFrame* f = frame();
        QVERIFY(f);
        QTRY_VERIFY_WITH_TIMEOUT(f->isVisible() && f->isEnabled(), 15000);
        QCOMPARE(g_camera_info.index, 999);
        const QString wifiName = g_camera_info.description;

        // The window's own chooser offers the Wi-Fi camera it opened, checked.
        QList<QRadioButton*> own = f->m_cameraFrame->findChildren<QRadioButton*>();
        QCOMPARE(own.size(), 1);
        QCOMPARE(own.first()->text(), wifiName);
        QVERIFY(own.first()->isChecked());

        // A second (absent) USB camera beside it.
        ICameraInfo spare;
        spare.index = 0;
        spare.devicePath = QStringLiteral("/dev/video-absent");
        spare.description = QStringLiteral("Spare camera");
        spare.vid = QStringLiteral("ffff");
        spare.pid = QStringLiteral("fffe");
        g_camera_list = {spare};
        ICameraFrame chooser(qobject_cast<IApplication*>(qApp), f);
        QRadioButton* spareRadio = radioFor(chooser, spare.description);
        QRadioButton* wifiRadio = radioFor(chooser, wifiName);
        QVERIFY(spareRadio && wifiRadio);
        QVERIFY(wifiRadio->isChecked() && !spareRadio->isChecked());

        // The open camera again: the panel goes, nothing is switched.
        chooser.setFrameVisible(true);
        wifiRadio->click();
        QVERIFY(!chooser.isVisible());
        QVERIFY(f->isEnabled());
        QCOMPARE(g_camera_info.index, 999);

        // Another camera: the main window switches to it; it cannot be opened.
        spareRadio->click();
        QCOMPARE(g_camera_info.devicePath, spare.devicePath);
        QVERIFY(!g_wifi_camera);
        QTRY_VERIFY_WITH_TIMEOUT(!TestEnv::messages().isEmpty(), 15000);

        // And back to the Wi-Fi camera, whose picture comes back.
        TestEnv::clearMessages();
        wifiRadio->click();
        QVERIFY(g_wifi_camera);
        QCOMPARE(g_camera_info.index, 999);
        QTRY_VERIFY_WITH_TIMEOUT(f->isEnabled(), 15000);
        QVERIFY(liveFramesArrive());
        g_camera_list.clear();
    }

    void splitScreenShowsLastMarkedPicture()
    {
        MainFrame* f = frame();
        IImgList* list = f->m_imgListWidget->list();
        list->selectAllSatte(false);
        ImageView* view = f->m_imageView;

        // Nothing marked: told so, nothing opens.
        f->slCameratoolbarClick(true, QVariant(ICameraToolBar::SplitScreen));
        QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("Please select a picture first")});
        QVERIFY(!view->isVisible());

        const int first = list->count();
        QVERIFY(!addPicture(Qt::red, "red.png").isEmpty());
        QVERIFY(!addPicture(Qt::green, "green.png").isEmpty());
        QVERIFY(!addPicture(Qt::blue, "blue.png").isEmpty());
        list->rowWidget(first)->setSlideSelect(true);
        list->rowWidget(first + 1)->setSlideSelect(true);
        const QStringList marked = f->m_imgListWidget->getAllThumbnailPath(true);
        QCOMPARE(marked.size(), 2);
        QVERIFY(marked.last().endsWith("green.png"));

        TestEnv::clearMessages();
        f->slCameratoolbarClick(true, QVariant(ICameraToolBar::SplitScreen));
        QVERIFY(view->isVisible());
        QVERIFY(TestEnv::messages().isEmpty());
        QCOMPARE(QColor(view->imageItem()->image().pixel(10, 10)), QColor(Qt::green));
        const double sq = IGSQUARERATE;
        QCOMPARE(view->size(), QSize(int(f->width() - 260 * sq) / 2, int(f->height() - 140 * sq)));
        // Centred in the shown viewer, with the close button in its top-right corner.
        ImageItem* item = view->imageItem();
        const QPointF centre = view->mapFromScene(item->mapToScene(item->boundingRect().center()));
        QVERIFY2((centre - QPointF(view->width() / 2.0, view->height() / 2.0)).manhattanLength() <= 2.0,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        auto* close = view->findChild<QToolButton*>();
        QVERIFY(close);
        QVERIFY(view->rect().contains(close->geometry()));
        QVERIFY(qAbs(close->x() + close->width() + 20 * sq - view->width()) < 1.0);
        // Hiding the tool-bar panels leaves the viewer open.
        f->slHideSecondWidget(0, QVariant(0));
        QVERIFY(view->isVisible());
        // The button toggles it away again.
        f->slCameratoolbarClick(true, QVariant(ICameraToolBar::SplitScreen));
        QVERIFY(!view->isVisible());

        // The compare label shows the same picture, fitted and then zoomed.
        IPictureCompareFrame compare(qobject_cast<IApplication*>(qApp), f);
        TestEnv::clearMessages();
        compare.setFrameVisible(true);
        QVERIFY(compare.isVisible());
        QVERIFY(TestEnv::messages().isEmpty());
        QCOMPARE(compare.size(), view->size());
        const QSize fitted = QSize(160, 120).scaled(compare.size(), Qt::KeepAspectRatio);
        QCOMPARE(compare.basePicture().size(), fitted);
        QCOMPARE(compare.pixmap()->size(), fitted);
        QCOMPARE(QColor(compare.pixmap()->toImage().pixel(5, 5)), QColor(Qt::green));
        compare.scale(0.5);
        QCOMPARE(compare.pixmap()->size(), fitted / 2);
        // Shown again while shown: picture and zoom stay.
        list->rowWidget(first + 2)->setSlideSelect(true);
        compare.setFrameVisible(true);
        QCOMPARE(compare.zoomFactor(), 0.5);
        QCOMPARE(QColor(compare.pixmap()->toImage().pixel(5, 5)), QColor(Qt::green));
        // Hidden and shown: the newly marked last picture at zoom 1.
        compare.setFrameVisible(false);
        compare.setFrameVisible(true);
        QCOMPARE(compare.zoomFactor(), 1.0);
        QCOMPARE(QColor(compare.pixmap()->toImage().pixel(5, 5)), QColor(Qt::blue));

        list->selectAllSatte(false);
        compare.setFrameVisible(false);
        compare.setFrameVisible(true);
        QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("Please select a picture first")});
        QVERIFY(!compare.isVisible());
    }

    void pictureInPictureNeedsSecondCamera()
    {
        // The only camera is the main window's: nothing to show beside it.
        MainFrame* f = frame();
        QVERIFY(!f->m_smallCameraFrame->setFrameVisible(true));
        QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("No camera device available")});
        QVERIFY(!f->m_smallCameraFrame->isVisible());
        QCOMPARE(f->m_smallCameraFrame->cameraIndex(), -1);
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    // No USB camera may be taken instead of the simulated one.
    qputenv("OCUMETRA_USB_IDS", "ffff:fffe");
    IApplication app(QStringLiteral("OcumetraViewersAppTest"), argc, argv);
    TestEnv::afterApplication();
    CameraRig rig;
    if (!rig.start(kStream, 100)) {
        qCritical("the simulated camera did not start");
        return 2;
    }
    TestViewersApp tc(&rig);
    QTEST_SET_MAIN_SOURCE_PATH
    return runInsideApplication([&] { return QTest::qExec(&tc, argc, argv); });
}

#include "tst_viewers_app.moc"
