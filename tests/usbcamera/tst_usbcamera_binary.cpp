// The program as a user starts it: the built executable with the virtual USB camera
// preloaded, a private HOME and runtime folder, under a real X server. The test
// watches the screen, the photo folder and the camera's journal, and presses keys.

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include "testenv.h"
#include "testprogram.h"
#include "usbcameratest.h"
#include "virtualcamera_scene.h"

namespace {

// Index of the bar colour c is close to, or -1.
int barOf(QRgb c)
{
    for (int i = 0; i < VirtualScene::kBars; ++i) {
        const QRgb want = VirtualScene::kBarColours[i];
        if (qAbs(qRed(c) - qRed(want)) < 48 && qAbs(qGreen(c) - qGreen(want)) < 48 && qAbs(qBlue(c) - qBlue(want)) < 48)
            return i;
    }
    return -1;
}

// A point on the last bar where some row of shot crosses the eight bars in their
// order; (-1, -1) when none does.
QPoint findColourBars(const QImage& shot)
{
    for (int y = 0; y < shot.height(); y += 8) {
        int expected = 0;
        int run = 0;
        int current = -2;
        for (int x = 0; x < shot.width(); ++x) {
            const int bar = barOf(shot.pixel(x, y));
            run = bar == current ? run + 1 : 1;
            current = bar;
            if (run != 8 || bar < 0)
                continue;
            if (bar == expected) {
                if (++expected == VirtualScene::kBars)
                    return QPoint(x, y);
            } else {
                expected = bar == 0 ? 1 : 0; // out of order: start over
            }
        }
    }
    return QPoint(-1, -1);
}

QImage grabScreen() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }

} // namespace

class TestUsbCameraBinary : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    QProcess m_program;

    QString journal() const
    {
        QFile file(m_home.filePath(QStringLiteral("journal.txt")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    bool command(const QByteArray& line)
    {
        QFile file(m_home.filePath(QStringLiteral("control.txt")));
        return file.open(QIODevice::Append) && file.write(line + '\n') == line.size() + 1 && file.flush();
    }
    QStringList photos() const
    {
        QStringList found;
        QDirIterator it(m_home.filePath(QStringLiteral("Pictures")), {QStringLiteral("*.jpeg")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
        return found;
    }
    QString programLog() const
    {
        QString text;
        QDirIterator it(m_home.path(), {QStringLiteral("log_*.txt")}, QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            if (file.open(QIODevice::ReadOnly))
                text += QString::fromUtf8(file.readAll());
        }
        return text;
    }
    QPoint m_picture{-1, -1}; // where the screen showed the camera picture

    void key(const char* name)
    {
        // Without a window manager the keyboard follows the pointer: over the picture.
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QString::number(m_picture.x()),
                           QString::number(m_picture.y()), QStringLiteral("key"), QLatin1String(name)});
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        const QString sys = m_home.filePath(QStringLiteral("sys"));
        QVERIFY(UsbCameraTest::writeSysfs(sys, UsbCameraTest::node(), QStringLiteral("f0c4"), QStringLiteral("0101")));
        QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("run"))));
        QFile::setPermissions(m_home.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(command("reset"));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral(".config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral(".local/share")));
        env.remove(QStringLiteral("OCUMETRA_USB_IDS"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        // Preloads of the run stay: the sanitizer run keeps Mesa's driver loaded so that
        // what it holds at exit is not reported as a leak without frames.
        QStringList preload{QStringLiteral(OCUMETRA_VCAM_LIBRARY)};
        if (env.contains(QStringLiteral("LD_PRELOAD")))
            preload << env.value(QStringLiteral("LD_PRELOAD"));
        env.insert(QStringLiteral("LD_PRELOAD"), preload.join(QLatin1Char(':')));
        // A sanitized program accepts a library ahead of its runtime.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
        env.insert(QStringLiteral("OCUMETRA_VCAM_JOURNAL"), m_home.filePath(QStringLiteral("journal.txt")));
        env.insert(QStringLiteral("OCUMETRA_VCAM_CONTROL"), m_home.filePath(QStringLiteral("control.txt")));
        env.insert(QStringLiteral("OCUMETRA_EXTRA_CAMERAS"), UsbCameraTest::node());
        env.insert(QStringLiteral("OCUMETRA_SYSFS_ROOT"), sys);
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.start(TestProgram::path(), QStringList());
        QVERIFY(m_program.waitForStarted(10000));
    }

    void startupShowsTheCameraPicture()
    {
        QTRY_VERIFY_WITH_TIMEOUT(journal().contains(QStringLiteral("streamon MJPG 1920x1080 30")), 20000);
        QTRY_VERIFY_WITH_TIMEOUT((m_picture = findColourBars(grabScreen())).x() >= 0, 20000);
        QCOMPARE(m_program.state(), QProcess::Running);
    }

    void spaceSnapsAPictureAtCameraSize()
    {
        QVERIFY(photos().isEmpty());
        QVERIFY(m_picture.x() >= 0);
        key("space");
        QTRY_COMPARE_WITH_TIMEOUT(photos().size(), 1, 15000);
        QImage saved;
        QTRY_VERIFY_WITH_TIMEOUT(saved.load(photos().first()), 5000);
        QCOMPARE(saved.size(), QSize(1920, 1080));
        QVERIFY2(UsbCameraTest::sceneMismatch(saved).isEmpty(), qPrintable(UsbCameraTest::sceneMismatch(saved)));
    }

    void unplugLeavesTheProgramRunning()
    {
        QVERIFY(command("unplug"));
        // The program lets go of the buffers and the device by itself.
        QTRY_VERIFY_WITH_TIMEOUT(journal().endsWith(QStringLiteral("unplug\nstreamoff\nclose mapped=0\n")) ||
                                     journal().contains(QStringLiteral("unplug\nclose mapped=0\n")),
                                 15000);
        QTRY_VERIFY_WITH_TIMEOUT(programLog().contains(QStringLiteral("camera lost")), 10000);
        key("space"); // a snap without a camera changes nothing
        QTest::qWait(500);
        QCOMPARE(m_program.state(), QProcess::Running);
        QCOMPARE(photos().size(), 1);
    }

    void terminationEndsTheProgram()
    {
        ::kill(pid_t(m_program.processId()), SIGTERM);
        QVERIFY(m_program.waitForFinished(20000));
        // An orderly close, and nothing (no sanitizer report either) spoiling its end.
        QCOMPARE(TestProgram::exitProblem(m_program), QString());
    }

    void cleanupTestCase()
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(5000);
        }
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    QGuiApplication app(argc, argv);
    TestUsbCameraBinary tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_usbcamera_binary.moc"
