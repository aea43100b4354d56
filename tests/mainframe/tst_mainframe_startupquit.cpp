// A quit in the program's first second, while it still waits for the camera to report,
// ends it: the wait does not swallow the quit and go on into a loop nothing ends.

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include "iapplication.h"
#include "iglobal.h"
#include "testenv.h"
#include "usbcameratest.h"
#include "virtualcamera.h"

class TestMainFrameStartupQuit : public QObject
{
    Q_OBJECT

private slots:
    void quitDuringStartupWaitEndsProgram()
    {
        auto* app = qobject_cast<IApplication*>(qApp);
        QVERIFY(app);

        // The quit comes in the first turn of the loop once the window is built, well
        // inside the second the program waits for the camera to report. The virtual
        // camera is found at once: the program would run on, its window showing.
        QElapsedTimer sinceStart;
        qint64 quitAfter = -1;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, app, [&] {
            if (!app->mainFrame())
                return;
            poll.stop();
            quitAfter = sinceStart.elapsed();
            QCoreApplication::quit();
        });
        // Ends a loop that would otherwise never end, and says so.
        bool watchdogFired = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, app, [&] {
            watchdogFired = true;
            QCoreApplication::quit();
        });
        sinceStart.start();
        poll.start();
        watchdog.start(10000);
        QCOMPARE(app->exec(), 0);
        qInfo("quit %lld ms after the start, the program ended %lld ms after it", quitAfter, sinceStart.elapsed());
        QVERIFY(quitAfter >= 0);
        QVERIFY2(!watchdogFired, "the program ran on after the quit");
        QCOMPARE(g_camera_info.devicePath, UsbCameraTest::node());
        // Ended in order: the camera was let go.
        QCOMPARE(vcam_counter("open"), 0L);
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    if (!UsbCameraTest::offerVirtualCamera())
        return 2;
    IApplication app(QStringLiteral("OcumetraStartupQuitTest"), argc, argv);
    TestEnv::afterApplication();
    TestMainFrameStartupQuit tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_mainframe_startupquit.moc"
