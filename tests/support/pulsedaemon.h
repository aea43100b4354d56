#ifndef PULSEDAEMON_H
#define PULSEDAEMON_H

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

// A private PulseAudio server with one microphone, for tests and benchmarks of sound
// capture: silent (a null source), or, with pipeSource, one that captures the 8000 Hz mono
// signed 16-bit samples written to the named pipe pipePath() (created by the server); while
// nobody writes into that pipe, the server never readies a new stream from it, as with a
// microphone that gives nothing. It lives in its own runtime folder, is started and stopped
// by this object (by its process id) and ends by itself after maxSeconds, or when the
// thread that started it ends, in any case.
// start() points this process's sound clients at it through PULSE_SERVER, so call it
// before the first audio device is listed.
class PulseDaemon
{
public:
    ~PulseDaemon() { stop(); }

    bool start(const QString& folder, int maxSeconds = 600, bool pipeSource = false)
    {
        m_pipe = folder + QStringLiteral("/microphone.pipe");
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString socket = folder + QStringLiteral("/native");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), folder);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
        env.remove(QStringLiteral("PULSE_SERVER"));
        // A bus that refuses at once: with none named, the server would start one.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=%1/no-session-bus").arg(folder));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{QStringLiteral("-s"), QStringLiteral("TERM"), QString::number(maxSeconds),
                              QStringLiteral("pulseaudio"), QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                              QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                              QStringLiteral("--disable-shm=yes"), QStringLiteral("--log-level=error"),
                              QStringLiteral("-L"),
                              QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=%1").arg(socket)};
        if (pipeSource) {
            // A listener of its own keeps the source reading the pipe all the time, as a
            // microphone captures all the time: nothing stale waits in the pipe for the
            // recorder.
            arguments << QStringLiteral("-L")
                      << QStringLiteral("module-pipe-source source_name=testmic file=%1 format=s16le rate=8000 "
                                        "channels=1")
                             .arg(m_pipe)
                      << QStringLiteral("-L") << QStringLiteral("module-null-sink sink_name=listener")
                      << QStringLiteral("-L") << QStringLiteral("module-loopback source=testmic sink=listener");
        } else {
            arguments << QStringLiteral("-L") << QStringLiteral("module-null-source source_name=testmic");
        }
        // timeout moves the server into a process group of its own, out of reach of a
        // kill of the test run's group: it ends with this process instead.
        m_process.start(QStringLiteral("setpriv"),
                        QStringList{QStringLiteral("--pdeathsig"), QStringLiteral("TERM"), QStringLiteral("timeout"),
                                    QStringLiteral("-k"), QStringLiteral("5")}
                            + arguments);
        if (!m_process.waitForStarted(5000))
            return false;
        // Ready once it answers: the socket file comes before the server accepts on it, and
        // every module named above (the pipe's reader too) is loaded before it answers.
        m_server = QStringLiteral("unix:") + socket;
        QElapsedTimer wait;
        wait.start();
        while (!QFileInfo::exists(socket) || !pactl({QStringLiteral("info")}, false)) {
            if (wait.elapsed() > 30000 || m_process.state() != QProcess::Running) {
                stop();
                return false;
            }
            QThread::msleep(20);
        }
        qputenv("PULSE_SERVER", QFile::encodeName(m_server));
        return true;
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();  // SIGTERM to our own child, by its id
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    // Runs pactl against this server (as a user changes its sound set-up); true when it
    // succeeded. Its standard output goes to output when given.
    bool pactl(const QStringList& arguments, bool showErrors = true, QByteArray* output = nullptr) const
    {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), m_server);
        tool.setProcessEnvironment(env);
        if (showErrors)
            tool.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        else
            tool.setStandardErrorFile(QProcess::nullDevice());
        if (!output)
            tool.setStandardOutputFile(QProcess::nullDevice());
        tool.start(QStringLiteral("pactl"), arguments);
        if (!tool.waitForFinished(10000)) {
            tool.kill();
            tool.waitForFinished(2000);
            return false;
        }
        if (output)
            *output = tool.readAllStandardOutput();
        return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    }

    qint64 pid() const { return m_process.processId(); }
    QString pipePath() const { return m_pipe; }

private:
    QProcess m_process;
    QString m_pipe;
    QString m_server;
};

#endif
