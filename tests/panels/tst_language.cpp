// A language change closes the program and starts it again; the new process must find
// the instance key free and keep running, not meet its predecessor's lock and quit.

#include <QComboBox>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QSettings>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

#include "camerarig.h"
#include "customui/isettingframe.h"
#include "iapplication.h"
#include "iglobal.h"
#include "isingleapplication.h"
#include "mainframe.h"
#include "service/iconfigureservice.h"
#include "testenv.h"

namespace {

QString ocumetraBinary()
{
    const QString dir = qEnvironmentVariable("OCUMETRA_RUNTIME_DIR", QCoreApplication::applicationDirPath());
    return dir + QStringLiteral("/ocumetra");
}

bool alive(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == 0;
}

// Ends the restarted program (ours: we started it) and waits until it is gone.
void endProcess(qint64 pid)
{
    if (!alive(pid))
        return;
    ::kill(pid_t(pid), SIGTERM);
    if (!QTest::qWaitFor([pid] { return !alive(pid); }, 8000))
        ::kill(pid_t(pid), SIGKILL);
    if (!QTest::qWaitFor([pid] { return !alive(pid); }, 3000))
        qWarning("the restarted program did not end");
}

}

class TestLanguageRestart : public QObject
{
    Q_OBJECT
private slots:
    void restartsIntoRunningProgram();
};

void TestLanguageRestart::restartsIntoRunningProgram()
{
    auto* app = qobject_cast<IApplication*>(qApp);
    MainFrame* frame = app->mainFrame();
    QVERIFY(frame);
    QTRY_VERIFY_WITH_TIMEOUT(frame->isVisible(), 10000);
    const QString key = app->id();
    const QString keyServer = ISingleInstance(key).serverName();

    QComboBox* box = frame->m_settingFrame->languageBox();
    const QString next = g_software_langid == QLatin1String("1031") ? QStringLiteral("1036") : QStringLiteral("1031");
    TestEnv::setMessageAnswer(0x400);
    box->setCurrentIndex(box->findData(next));

    // Stored, the window closed, and the restart left for after the exit.
    QCOMPARE(g_software_langid, next);
    const QSettings stored(IConfigureService::instance()->configureFilePath(), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("lang/langid")).toString(), next);
    QTRY_VERIFY_WITH_TIMEOUT(!frame->isVisible(), 5000);
    QVERIFY(app->restartRequested());

    // What main() does once the loop has ended.
    qputenv("OCUMETRA_RTSP_URL", g_rtsp_url.toLatin1());
    qint64 pid = 0;
    QVERIFY(app->restartNow(ocumetraBinary(), &pid));
    QVERIFY(pid > 0);

    // The new process takes the key: its socket answers, and it acknowledges a message.
    QLocalSocket socket;
    const bool listening = QTest::qWaitFor(
        [&] {
            socket.connectToServer(keyServer);
            return socket.waitForConnected(200);
        },
        15000);
    if (!listening)
        endProcess(pid);
    QVERIFY2(listening, "the restarted program never took the instance key");
    socket.abort();
    {
        ISingleInstance probe(key);
        QVERIFY(probe.isRunning());
        QVERIFY(probe.sendMessage(QStringLiteral("raise_window_noop"), 5000));
    }
    // Still running after having had time to meet a lock and quit.
    QTest::qWait(1500);
    const bool running = alive(pid);
    endProcess(pid);
    QVERIFY(running);
}

int main(int argc, char** argv)
{
    TestEnv::prepare();
    qputenv("OCUMETRA_USB_IDS", "ffff:fffe");
    IApplication app(QStringLiteral("Ocumetra"), argc, argv);
    TestEnv::afterApplication();
    CameraRig rig;
    if (!rig.start(QSize(640, 360), 60)) {
        qCritical("the simulated camera did not start");
        return 2;
    }
    TestLanguageRestart tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return runInsideApplication([&] { return QTest::qExec(&tc, argc, argv); });
}

#include "tst_language.moc"
