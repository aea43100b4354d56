// Under a real X server: the program starts against the simulated camera and the
// screen shows its window with the live picture. The screenshot is kept as
// mainframe_smoke.png in the test's own home folder.

#include <QApplication>
#include <QScreen>
#include <QtTest>

#include "board/iboard.h"
#include "board/item/ipixmapitem.h"
#include "camerarig.h"
#include "iapplication.h"
#include "mainframe.h"
#include "testenv.h"

class TestMainFrameSmoke : public QObject
{
    Q_OBJECT

private slots:
    void screenshotShowsLivePicture()
    {
        MainFrame* frame = qobject_cast<IApplication*>(qApp)->mainFrame();
        QVERIFY(frame);
        QTRY_VERIFY_WITH_TIMEOUT(frame->isVisible(), 10000);
        IPixmapItem* item = frame->m_board->pixmapElement();
        QTRY_VERIFY_WITH_TIMEOUT(!item->image().isNull() && item->isVisible(), 10000);
        // The screen shows the picture once the server has painted it. The test pattern is
        // mostly black; the board around it is grey (105).
        QImage shot;
        int dark = 0;
        int total = 0;
        const auto picturePainted = [&] {
            shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
            const QRect picture = frame->m_board->pixmapEleGlobalBoundingRect().toAlignedRect() & shot.rect();
            dark = 0;
            total = 0;
            for (int y = picture.top(); y <= picture.bottom(); y += 4) {
                for (int x = picture.left(); x <= picture.right(); x += 4) {
                    ++total;
                    if (qGray(shot.pixel(x, y)) < 40)
                        ++dark;
                }
            }
            return picture.width() > 100 && picture.height() > 100 && dark > total / 2;
        };
        const bool painted = QTest::qWaitFor(picturePainted, 10000);
        QVERIFY(shot.save(TestEnv::homePath() + QStringLiteral("/mainframe_smoke.png")));
        QVERIFY2(painted, qPrintable(QStringLiteral("%1 of %2 dark").arg(dark).arg(total)));
        frame->close();
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    qputenv("OCUMETRA_USB_IDS", "ffff:fffe");
    IApplication app(QStringLiteral("OcumetraSmokeTest"), argc, argv);
    TestEnv::afterApplication();
    CameraRig rig;
    if (!rig.start(QSize(640, 360), 60)) {
        qCritical("the simulated camera did not start");
        return 2;
    }
    TestMainFrameSmoke tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return runInsideApplication([&] { return QTest::qExec(&tc, argc, argv); });
}

#include "tst_mainframe_smoke.moc"
