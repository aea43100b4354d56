// A language change closes the program and starts it again; the new process must find
// the instance key free and keep running, not meet its predecessor's lock and quit.

#include <QComboBox>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QSettings>
#include <QtTest>

#include <csignal>
#include <sys/types.h>
#include <sys/wait.h>

#include "camerarig.h"
#include "customui/isettingframe.h"
#include "iapplication.h"
#include "iglobal.h"
#include "isingleapplication.h"
#include "mainframe.h"
#include "service/iconfigureservice.h"
#include "testenv.h"
#include "testprogram.h"

namespace {

// The restarted program. It is this test's grandchild, and this process is the
// subreaper of its descendants (every test is), so it becomes our child once its first parent is
// gone: its exit status can be read.
class RestartedProgram
{
public:
    explicit RestartedProgram(qint64 pid)
        : m_pid(pid_t(pid))
    {
    }
    bool running()
    {
        if (!m_ended && ::waitpid(m_pid, &m_status, WNOHANG) == m_pid)
            m_ended = true;
        return !m_ended;
    }
    // Ends it (ours: we started it); empty when it closed orderly on SIGTERM.
    QString end()
    {
        if (running()) {
            ::kill(m_pid, SIGTERM);
            if (!QTest::qWaitFor([this] { return !running(); }, 8000)) {
                ::kill(m_pid, SIGKILL);
                const bool killed = QTest::qWaitFor([this] { return !running(); }, 3000);
                return QStringLiteral("the restarted program did not end on SIGTERM%1")
                    .arg(killed ? QString() : QStringLiteral(", nor on SIGKILL"));
            }
        }
        return TestProgram::exitProblem(m_status);
    }

private:
    pid_t m_pid;
    int m_status = 0;
    bool m_ended = false;
};

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
    QVERIFY(app->restartNow(TestProgram::path(), &pid));
    QVERIFY(pid > 0);
    RestartedProgram program(pid);

    // The new process takes the key: its socket answers, and it acknowledges a message.
    QLocalSocket socket;
    const bool listening = QTest::qWaitFor(
        [&] {
            socket.connectToServer(keyServer);
            return socket.waitForConnected(200);
        },
        15000);
    if (!listening)
        program.end();
    QVERIFY2(listening, "the restarted program never took the instance key");
    socket.abort();
    {
        ISingleInstance probe(key);
        QVERIFY(probe.isRunning());
        QVERIFY(probe.sendMessage(QStringLiteral("raise_window_noop"), 5000));
    }
    // Still running after having had time to meet a lock and quit.
    QTest::qWait(1500);
    const bool running = program.running();
    const QString ended = program.end();
    QVERIFY(running);
    QVERIFY2(ended.isEmpty(), qPrintable(ended));
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
