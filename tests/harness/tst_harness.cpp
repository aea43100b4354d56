// What every test promises the run: it ends what it started. A test that leaves a
// process behind (one that ignores SIGTERM and holds the test's output, as a stuck child
// of the program can) fails at its exit, naming it, and the process is ended; before,
// such a process kept ctest waiting on the output until the time-out and then ran on.

#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "testenv.h"

extern char** environ;

namespace {

const char kLeaveProcesses[] = "--leave-processes";

void say(const char* format, long value)
{
    std::printf(format, value);
    std::fflush(stdout);
}

// The misbehaving test: a grandchild that ignores SIGTERM and is orphaned, and a child
// still running, both holding the output; then main ends as a passing test would.
int leaveProcesses()
{
    TestEnv::prepare();
    const pid_t first = ::fork();
    if (first == 0) {
        // The orphan is orphaned only once it has told its pid: ended before, it would
        // go uncounted.
        int told[2];
        if (::pipe(told) != 0)
            ::_exit(1);
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            ::close(told[0]);
            std::signal(SIGTERM, SIG_IGN);
            say("orphan %ld\n", long(::getpid()));
            ::close(told[1]);
            for (;;)
                ::pause();
        }
        ::close(told[1]);
        char byte;
        while (::read(told[0], &byte, 1) < 0 && errno == EINTR) {
        }
        ::_exit(grandchild > 0 ? 0 : 1);
    }
    int status = 0;
    if (first < 0 || ::waitpid(first, &status, 0) != first || status != 0)
        return 2;
    // The sleeper's command line is its own once the exec has closed this pipe.
    int exec[2];
    if (::pipe2(exec, O_CLOEXEC) != 0)
        return 2;
    const pid_t sleeper = ::fork();
    if (sleeper == 0) {
        ::execlp("sleep", "sleep", "600", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(exec[1]);
    char byte;
    while (::read(exec[0], &byte, 1) < 0 && errno == EINTR) {
    }
    say("sleeper %ld\n", long(sleeper));
    return 0;
}

bool gone(pid_t pid)
{
    // Whatever the misbehaving test did not reap came to this process.
    ::waitpid(pid, nullptr, WNOHANG);
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

} // namespace

class TestHarness : public QObject
{
    Q_OBJECT

private slots:
    void leftProcessesEndedAndTold()
    {
        int out[2];
        QVERIFY(::pipe2(out, O_CLOEXEC) == 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
        const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
        char* argv[] = {const_cast<char*>(self.constData()), const_cast<char*>(kLeaveProcesses), nullptr};
        pid_t test = 0;
        const int spawned = posix_spawn(&test, self.constData(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        QCOMPARE(spawned, 0);

        // Read as ctest does: until every holder of the output has closed it.
        QByteArray output;
        QElapsedTimer clock;
        clock.start();
        bool closed = false;
        while (!closed && clock.elapsed() < 20000) {
            pollfd p{out[0], POLLIN, 0};
            if (::poll(&p, 1, 200) <= 0)
                continue;
            char chunk[4096];
            const ssize_t n = ::read(out[0], chunk, sizeof chunk);
            closed = n <= 0;
            if (n > 0)
                output.append(chunk, int(n));
        }
        ::close(out[0]);
        int status = 0;
        const bool ended = ::waitpid(test, &status, 0) == test;

        const QRegularExpression pids(QStringLiteral("^(orphan|sleeper) (\\d+)$"),
                                      QRegularExpression::MultilineOption);
        QMap<QString, pid_t> started;
        for (auto it = pids.globalMatch(QString::fromLocal8Bit(output)); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            started.insert(m.captured(1), pid_t(m.captured(2).toInt()));
        }
        const auto endAll = [&] {
            for (const pid_t pid : started)
                ::kill(pid, SIGKILL);
        };
        auto cleanup = qScopeGuard(endAll); // a failing check here leaves nothing either

        QVERIFY2(closed, "the test's output stayed open: a process it left holds it");
        QVERIFY(ended);
        QCOMPARE(started.size(), 2);
        // Told as a failure, each process named.
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 1);
        for (const pid_t pid : started)
            QVERIFY2(output.contains("left running by the test, now ended: " + QByteArray::number(pid)),
                     output.constData());
        QVERIFY2(output.contains(QByteArray::number(started.value(QStringLiteral("sleeper"))) + " sleep 600"),
                 output.constData());
        for (const pid_t pid : started)
            QTRY_VERIFY_WITH_TIMEOUT(gone(pid), 5000);
    }
};

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kLeaveProcesses) == 0)
        return leaveProcesses();
    TestEnv::prepare();
    QCoreApplication app(argc, argv);
    TestHarness tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_harness.moc"
