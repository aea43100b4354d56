// Under a real X server: the transient notice stays above a window shown after it
// (the main window appears maximized after a start-up notice).

#include <QApplication>
#include <QScreen>
#include <QtTest>

#include "board/widget/itimemsgbox.h"
#include "iapplication.h"
#include "testenv.h"

class TestKitStacking : public QObject
{
    Q_OBJECT

    static double redShare(const QRect& area)
    {
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        int red = 0;
        int total = 0;
        for (int y = area.top(); y <= area.bottom(); y += 2) {
            for (int x = area.left(); x <= area.right(); x += 2) {
                const QRgb p = shot.pixel(x, y);
                ++total;
                if (qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60)
                    ++red;
            }
        }
        return total ? double(red) / total : 1.0;
    }

private slots:
    // The "settings could not be saved" notice was drawn partly behind the window.
    void noticeStaysAboveWindowShownLater()
    {
        ITimeMsgBox* notice = ITimeMsgBox::instance();
        notice->showMessageBox(QStringLiteral("The settings could not be saved: No space left on device"), 10000,
                               QPoint(-1000, -1000));
        QVERIFY(QTest::qWaitForWindowExposed(notice));

        QWidget window;
        window.setWindowFlags(Qt::FramelessWindowHint);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, Qt::red);
        window.setPalette(palette);
        window.setAutoFillBackground(true);
        window.setGeometry(QGuiApplication::primaryScreen()->geometry());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QRect area = notice->geometry().adjusted(4, 4, -4, -4);
        QTRY_VERIFY_WITH_TIMEOUT(redShare(area) < 0.05, 5000);
        notice->hide();
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    IApplication app(QStringLiteral("OcumetraKitStackingTest"), argc, argv);
    TestEnv::afterApplication();
    TestKitStacking tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_kit_stacking.moc"
