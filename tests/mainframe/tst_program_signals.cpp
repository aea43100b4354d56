// The real program against the simulated camera on 127.0.0.1: a termination signal
// (a logout, kill, Ctrl+C, a closed terminal) runs the window's close shutdown, so the
// settings are written and the program exits normally instead of dying on the spot.

#include <QApplication>
#include <QDirIterator>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <csignal>

#include "camerarig.h"
#include "iglobal.h"
#include "testenv.h"
#include "testprogram.h"

namespace {
// The program's own files below the private HOME: it does not run in Qt's test mode.
QString findUnderHome(const QString& pattern)
{
    QDirIterator it(TestEnv::homePath(), {pattern}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    return it.hasNext() ? it.next() : QString();
}
}

class TestProgramSignals : public QObject
{
    Q_OBJECT
public:
    explicit TestProgramSignals(CameraRig* rig) : m_rig(rig) {}

private slots:
    void signalClosesProgramOrderly_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void signalClosesProgramOrderly()
    {
        QFETCH(int, number);
        // A copy of the program running on this machine is never met nor taken over:
        // its single-instance lock lives in the user's runtime folder, ours in HOME.
        QVERIFY(qEnvironmentVariable("XDG_RUNTIME_DIR").startsWith(TestEnv::homePath()));
        const QString oldSettings = findUnderHome(QStringLiteral("application.ini"));
        if (!oldSettings.isEmpty())
            QVERIFY(QFile::remove(oldSettings));

        QSignalSpy commands(&m_rig->control(), &SimCamera::commandReceived);
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("OCUMETRA_RTSP_URL"), g_rtsp_url);
        program.setProcessEnvironment(env);
        program.start(TestProgram::path(), QStringList());
        QVERIFY2(program.waitForStarted(5000), qPrintable(TestProgram::path()));
        // The control link comes up once the picture streams; the window follows.
        QVERIFY(commands.wait(30000));
        QTest::qWait(1500);
        QCOMPARE(program.state(), QProcess::Running);

        QCOMPARE(::kill(pid_t(program.processId()), number), 0);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(TestProgram::exitProblem(program), QString());

        // The close shutdown ran: the settings were written on the way out.
        const QString settings = findUnderHome(QStringLiteral("application.ini"));
        QVERIFY(!settings.isEmpty());
        QFile log(findUnderHome(QStringLiteral("log_*.txt")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("termination signal " + QByteArray::number(number) + " received: closing."));
        log.close();
        QVERIFY(log.remove());
    }

private:
    CameraRig* m_rig;
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    // No USB camera may be taken instead of the simulated one.
    qputenv("OCUMETRA_USB_IDS", "ffff:fffe");
    QApplication app(argc, argv);
    TestEnv::afterApplication();
    CameraRig rig;
    if (!rig.start(QSize(320, 240), 150)) {
        qCritical("the simulated camera did not start");
        return 2;
    }
    TestProgramSignals tc(&rig);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_program_signals.moc"
