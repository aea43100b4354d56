#include "testenv.h"

#include <QFile>
#include <QQueue>
#include <QSet>
#include <QVector>
#include <QStandardPaths>
#include <QDir>

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <dirent.h>
#include <linux/capability.h>
#include <netinet/in.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "idialogseam.h"
#include "iglobal.h"

namespace {
QTemporaryDir* g_home = nullptr;
pid_t g_testPid = 0;
int g_answer = 0x400;
struct FileAnswer { QStringList paths; QString filter; };
QQueue<FileAnswer>& fileAnswers()
{
    static QQueue<FileAnswer> q;
    return q;
}

// The command line of a process, its arguments separated by spaces; empty once it is gone.
QByteArray commandLine(pid_t pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    QByteArray line = file.readAll();
    line.replace('\0', ' ');
    return line.trimmed();
}

// This process's children that have not ended yet (zombies are left to waitpid).
QVector<pid_t> liveChildren()
{
    QVector<pid_t> children;
    const pid_t self = ::getpid();
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return children;
    while (const dirent* entry = ::readdir(proc)) {
        const pid_t pid = pid_t(std::atoi(entry->d_name));
        if (pid <= 0)
            continue;
        QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold spaces and parentheses.
        const QByteArray stat = file.readAll();
        const QList<QByteArray> rest = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1 && rest[0] != "Z" && rest[1].toInt() == self)
            children.append(pid);
    }
    ::closedir(proc);
    return children;
}

// At exit: ends whatever the test started and left running, its orphans included (they
// came to this process, the subreaper), names each, and fails the test. A process left
// behind would otherwise outlive the run and could hold its output open.
void endLeftovers()
{
    if (::getpid() != g_testPid)
        return; // a child forked by a test that calls exit()
    QSet<pid_t> ended;
    const timespec pause{0, 20 * 1000 * 1000};
    for (int round = 0; round < 250; ++round) {
        // An ended process's own children come here as it dies, before it is a zombie.
        const QVector<pid_t> children = liveChildren();
        if (children.isEmpty())
            break;
        for (const pid_t pid : children) {
            if (!ended.contains(pid))
                std::fprintf(stderr, "FAIL: left running by the test, now ended: %d %s\n", int(pid),
                             commandLine(pid).constData());
            ::kill(pid, SIGKILL);
            ended.insert(pid);
        }
        ::nanosleep(&pause, nullptr);
    }
    while (::waitpid(-1, nullptr, WNOHANG) > 0) {
    }
    if (ended.isEmpty())
        return;
    delete g_home;
    g_home = nullptr;
    std::fflush(nullptr);
    ::_exit(1);
}
}

namespace TestEnv {

void prepare()
{
    g_testPid = ::getpid();
    g_home = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/ocumetra-test-XXXXXX"));
    std::atexit([] {
        if (::getpid() != g_testPid)
            return;
        delete g_home;
        g_home = nullptr;
    });
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    std::atexit(endLeftovers); // runs before the home goes
    qputenv("HOME", g_home->path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (g_home->path() + "/.config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (g_home->path() + "/.local/share").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (g_home->path() + "/run").toLocal8Bit());
    QDir().mkpath(g_home->path() + "/run");
    QFile::setPermissions(g_home->path() + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Temporary files of the test and of every process it starts go with the home: a
    // child the test kills on purpose cannot leave its own home behind in the system's
    // temporary folder.
    QDir().mkpath(g_home->path() + "/tmp");
    qputenv("TMPDIR", (g_home->path() + "/tmp").toLocal8Bit());
    // Buses that refuse at once: with none named, D-Bus would start a session bus of its
    // own, forking the program, and a test would reach the developer's desktop.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(g_home->path()) + "/run/no-session-bus");
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + QFile::encodeName(g_home->path()) + "/run/no-system-bus");
    qputenv("QT_AUTO_SCREEN_SCALE_FACTOR", "0");
    // Runs on a scaled screen name the factor in OCUMETRA_TEST_SCALE; others are pinned to 1.
    const QByteArray scale = qgetenv("OCUMETRA_TEST_SCALE");
    qputenv("QT_SCALE_FACTOR", scale.isEmpty() ? QByteArray("1") : scale);
    QStandardPaths::setTestModeEnabled(true);
}

void afterApplication()
{
    applyScaleFactors(ScaleFactors{});
    IDialogSeam::setMessageHook([](const QString& text, const QString&) {
        messages().append(text);
        return g_answer;
    });
    IDialogSeam::setFileHook([](const IDialogSeam::FileRequest&, QString* selectedFilter) {
        if (fileAnswers().isEmpty())
            return QStringList();
        const FileAnswer a = fileAnswers().dequeue();
        if (selectedFilter && !a.filter.isEmpty())
            *selectedFilter = a.filter;
        return a.paths;
    });
}

QString homePath() { return g_home ? g_home->path() : QString(); }

QStringList& messages()
{
    static QStringList list;
    return list;
}

void clearMessages() { messages().clear(); }
void setMessageAnswer(int code) { g_answer = code; }

void queueFileAnswer(const QStringList& paths, const QString& selectedFilter)
{
    fileAnswers().enqueue({paths, selectedFilter});
}

QString fileStamp(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    return QStringLiteral("%1 %2.%3").arg(st.st_ino).arg(st.st_mtim.tv_sec).arg(st.st_mtim.tv_nsec);
}

quint16 refusingLocalPort()
{
    static const quint16 port = [] {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            qFatal("no loopback port to hold");
        return quint16(ntohs(address.sin_port)); // the descriptor stays open until the process ends
    }();
    return port;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_savedSoft = qint64(limit.rlim_cur);
    limit.rlim_cur = rlim_t(bytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        qFatal("setrlimit(RLIMIT_FSIZE) failed");
}

ReadOnlyFolder::ReadOnlyFolder(const QString& path)
    : m_path(path)
{
    if (!QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                         QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther))
        qFatal("could not make %s read-only", qPrintable(path));
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_savedSoft);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_savedHandler);
}

namespace {
// Capabilities belong to a thread; these calls change the caller's only.
bool capabilities(__user_cap_data_struct (&data)[_LINUX_CAPABILITY_U32S_3], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}
const unsigned kPassPermissions = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
}

PermissionsObeyed::PermissionsObeyed()
{
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (!capabilities(data, false))
        qFatal("capget failed");
    m_savedEffective = data[0].effective;
    data[0].effective &= ~kPassPermissions;
    if (!capabilities(data, true))
        qFatal("capset failed");
}

PermissionsObeyed::~PermissionsObeyed()
{
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    capabilities(data, false);
    data[0].effective = m_savedEffective;
    capabilities(data, true);
}

}
