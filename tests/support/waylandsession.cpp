#include "waylandsession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <csignal>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Runs in its own process group (timeout's); every daemon it starts stays in that group
// and keeps the test run's marker (OCUMETRA_RUN_TMP) in its environment.
// $1 sway's folder, $2 the folder of the rest, $3 "yes" for the portal, $4 the user sway
// runs as (empty: this one), $5 the library the portal's back end needs headless, $6 the
// process it serves.
const char* const SCRIPT = R"SH(
S=$1; R=$2; SHM=$5
as_sway() { if [ -n "$SWAY_USER" ]; then setpriv --reuid="$SWAY_USER" --regid="$(id -g "$SWAY_USER")" --clear-groups "$@"; else "$@"; fi; }
SWAY_USER=$4
as_sway env -i PATH="$PATH" OCUMETRA_RUN_TMP="$OCUMETRA_RUN_TMP" HOME="$S" XDG_RUNTIME_DIR="$S/run" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1 sway -c "$S/sway.conf" > "$S/sway.log" 2>&1 &
echo $! > "$R/sway.pid"
n=0; while [ ! -s "$S/env" ]; do sleep 0.05; n=$((n+1)); [ $n -gt 600 ] && exit 1; done
. "$S/env"
export DISPLAY WAYLAND_DISPLAY="$S/run/$WAYLAND_DISPLAY" XDG_RUNTIME_DIR="$R" XDG_CURRENT_DESKTOP=sway \
  XDG_SESSION_TYPE=wayland HOME="$R" XDG_CONFIG_HOME="$R/config" XDG_DATA_HOME="$R/data"
if [ -n "$SWAY_USER" ]; then
  as_sway env DISPLAY="$DISPLAY" xhost "+si:localuser:$(id -un)" > /dev/null || exit 1
fi
dbus-daemon --config-file="$R/bus.conf" --nofork > "$R/bus.log" 2>&1 &
n=0; while [ ! -S "$R/bus" ]; do sleep 0.05; n=$((n+1)); [ $n -gt 200 ] && exit 1; done
export DBUS_SESSION_BUS_ADDRESS="unix:path=$R/bus"
pipewire > "$R/pipewire.log" 2>&1 &
echo $! > "$R/pipewire.pid"
n=0; while [ ! -S "$R/pipewire-0" ]; do sleep 0.05; n=$((n+1)); [ $n -gt 200 ] && exit 1; done
WIREPLUMBER_DEBUG=3 wireplumber > "$R/wireplumber.log" 2>&1 &
has_name() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    "string:$1" 2>/dev/null | grep -q true
}
start_portal() {
  LD_PRELOAD="$SHM" /usr/libexec/xdg-desktop-portal-wlr -l DEBUG -c "$R/xdpw.conf" >> "$R/xdpw.log" 2>&1 &
  echo $! > "$R/portal.pids"
  # The portal reads what its back end offers when it starts: the back end is on the bus first.
  n=0
  until has_name org.freedesktop.impl.portal.desktop.wlr; do sleep 0.05; n=$((n+1)); [ $n -gt 400 ] && return 1; done
  /usr/libexec/xdg-desktop-portal >> "$R/portal.log" 2>&1 &
  echo $! >> "$R/portal.pids"
  n=0
  until has_name org.freedesktop.portal.Desktop; do sleep 0.05; n=$((n+1)); [ $n -gt 400 ] && return 1; done
  return 0
}
if [ "$3" = yes ]; then
  start_portal || exit 1
fi
{ echo "$DISPLAY"; echo "$WAYLAND_DISPLAY"; echo "$DBUS_SESSION_BUS_ADDRESS"; } > "$R/ready.tmp"
mv "$R/ready.tmp" "$R/ready"
# Ends with the process that started it, however that one ends.
# Starts the portal again when asked (restartPortal), in this process group.
while kill -0 "$6" 2>/dev/null; do
  if [ -e "$R/portal.restart" ]; then
    rm -f "$R/portal.restart"
    if start_portal; then touch "$R/portal.restarted"; else touch "$R/portal.failed"; fi
  fi
  sleep 0.1
done
# The compositor first, so that XWayland removes its socket and lock file as it ends.
sway=$(cat "$R/sway.pid"); n=0
kill -TERM "$sway"; while kill -0 "$sway" 2>/dev/null && [ $n -lt 60 ]; do sleep 0.05; n=$((n+1)); done
rm -rf "$S"
kill -KILL 0
)SH";

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text.toUtf8()) == text.toUtf8().size();
}

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool processGone(pid_t pid)
{
    return ::kill(pid, 0) != 0;
}
}

bool WaylandSession::start(const QString& folder, bool portal, int maxSeconds)
{
    stop();
    m_folder = folder;
    QDir().mkpath(folder);
    ::chmod(QFile::encodeName(folder).constData(), 0700);
    const bool root = ::geteuid() == 0;
    // Root's folders are closed to the compositor's user; it gets one of its own, beside
    // the test run's folder (removed with it, however the run ends) when there is one.
    const QByteArray runFolder = qgetenv("OCUMETRA_RUN_TMP");
    QByteArray swayTemplate = !root                ? QFile::encodeName(folder + QStringLiteral("/sway-XXXXXX"))
                              : runFolder.isEmpty() ? QByteArray("/tmp/ocumetra-wayland-XXXXXX")
                                                    : runFolder + "-wayland-XXXXXX";
    if (!::mkdtemp(swayTemplate.data()))
        return false;
    m_swayFolder = QFile::decodeName(swayTemplate);
    const QString swayRun = m_swayFolder + QStringLiteral("/run");
    QDir().mkpath(swayRun);

    // The session's bus: only what is started here answers on it, nothing is activated.
    writeFile(folder + QStringLiteral("/bus.conf"),
              QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
                             "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                             "<busconfig><type>session</type><listen>unix:path=%1/bus</listen>"
                             "<auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                             "<allow own=\"*\"/></policy></busconfig>\n")
                  .arg(folder));
    writePortalConfig(false);
    writeFile(m_swayFolder + QStringLiteral("/sway.conf"),
              QStringLiteral("output HEADLESS-1 resolution %2x%3 position 0 0\n"
                             "xwayland force\n"
                             "default_border none\n"
                             "exec sh -c 'echo WAYLAND_DISPLAY=$WAYLAND_DISPLAY > %1/env.tmp; "
                             "echo DISPLAY=$DISPLAY >> %1/env.tmp; echo SWAYSOCK=$SWAYSOCK >> %1/env.tmp; "
                             "mv %1/env.tmp %1/env'\n")
                  .arg(m_swayFolder)
                  .arg(outputSize().width())
                  .arg(outputSize().height()));
    QString swayUser;
    if (root) {
        swayUser = QStringLiteral("nobody");
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("nobody:"), m_swayFolder});
        ::chmod(swayTemplate.constData(), 0755);
    }
    ::chmod(QFile::encodeName(swayRun).constData(), 0700);

    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(folder + QStringLiteral("/session.log"));
    m_process.setWorkingDirectory(folder);
    m_process.start(QStringLiteral("timeout"),
                    {QStringLiteral("-s"), QStringLiteral("KILL"), QString::number(maxSeconds), QStringLiteral("sh"),
                     QStringLiteral("-c"), QString::fromUtf8(SCRIPT), QStringLiteral("sh"), m_swayFolder, folder,
                     portal ? QStringLiteral("yes") : QStringLiteral("no"), swayUser,
                     QStringLiteral(OCUMETRA_SCREENCOPY_SHM), QString::number(::getpid())});
    if (!m_process.waitForStarted(5000))
        return false;
    QElapsedTimer wait;
    wait.start();
    const QString ready = folder + QStringLiteral("/ready");
    while (!QFile::exists(ready)) {
        if (wait.elapsed() > 60000 || m_process.state() != QProcess::Running) {
            qWarning("the Wayland desktop did not start:\n%s", qPrintable(logTail()));
            stop();
            return false;
        }
        QThread::msleep(50);
    }
    const QStringList lines = readFile(ready).split(QLatin1Char('\n'));
    if (lines.size() < 3) {
        stop();
        return false;
    }
    m_display = lines.at(0);
    m_wayland = lines.at(1);
    const QStringList swayEnv = readFile(m_swayFolder + QStringLiteral("/env")).split(QLatin1Char('\n'));
    for (const QString& line : swayEnv)
        if (line.startsWith(QLatin1String("SWAYSOCK=")))
            m_swaySocket = line.mid(9);
    qputenv("DISPLAY", m_display.toLocal8Bit());
    qputenv("WAYLAND_DISPLAY", QFile::encodeName(m_wayland));
    qputenv("XDG_SESSION_TYPE", "wayland");
    qputenv("XDG_CURRENT_DESKTOP", "sway");
    qputenv("DBUS_SESSION_BUS_ADDRESS", lines.at(2).toLocal8Bit());
    return true;
}

void WaylandSession::stopPortal()
{
    const QStringList pids = readFile(m_folder + QStringLiteral("/portal.pids")).split(QLatin1Char('\n'),
                                                                                         Qt::SkipEmptyParts);
    for (const QString& pid : pids)
        ::kill(pid_t(pid.toInt()), SIGTERM);
    QElapsedTimer wait;
    wait.start();
    for (const QString& pid : pids) {
        while (!processGone(pid_t(pid.toInt())) && wait.elapsed() < 5000)
            QThread::msleep(20);
        if (!processGone(pid_t(pid.toInt())))
            ::kill(pid_t(pid.toInt()), SIGKILL);
    }
}

void WaylandSession::killPipeWire()
{
    const pid_t pid = pid_t(readFile(m_folder + QStringLiteral("/pipewire.pid")).trimmed().toInt());
    if (pid <= 0)
        return;
    ::kill(pid, SIGKILL);
    QElapsedTimer wait;
    wait.start();
    while (!processGone(pid) && wait.elapsed() < 5000)
        QThread::msleep(20);
}

void WaylandSession::killPortalBackend()
{
    const pid_t pid = pid_t(readFile(m_folder + QStringLiteral("/portal.pids")).section(QLatin1Char('\n'), 0, 0).toInt());
    if (pid <= 0)
        return;
    ::kill(pid, SIGKILL);
    QElapsedTimer wait;
    wait.start();
    while (portalBackendRunning() && wait.elapsed() < 5000)
        QThread::msleep(20);
}

QString WaylandSession::portalBackendLog() const
{
    return readFile(m_folder + QStringLiteral("/xdpw.log"));
}

bool WaylandSession::portalBackendRunning() const
{
    const pid_t pid = pid_t(readFile(m_folder + QStringLiteral("/portal.pids")).section(QLatin1Char('\n'), 0, 0).toInt());
    // A crashed back end stays a zombie of the desktop's script until it is collected.
    if (pid <= 0 || processGone(pid))
        return false;
    const QString state = readFile(QStringLiteral("/proc/%1/stat").arg(pid)).section(QLatin1Char(' '), 2, 2);
    return state != QLatin1String("Z");
}

// The back end's settings, read at each of its starts.
bool WaylandSession::writePortalConfig(bool userRefuses) const
{
    return writeFile(m_folder + QStringLiteral("/xdpw.conf"),
                     userRefuses ? QStringLiteral("[screencast]\nchooser_type=simple\nchooser_cmd=false\n")
                                 // Shares the one output without asking.
                                 : QStringLiteral("[screencast]\noutput_name=HEADLESS-1\nchooser_type=none\n"));
}

bool WaylandSession::restartPortal(bool userRefuses)
{
    stopPortal();
    if (!writePortalConfig(userRefuses))
        return false;
    const QString done = m_folder + QStringLiteral("/portal.restarted");
    const QString failed = m_folder + QStringLiteral("/portal.failed");
    QFile::remove(done);
    QFile::remove(failed);
    if (!isRunning() || !writeFile(m_folder + QStringLiteral("/portal.restart"), QString()))
        return false;
    QElapsedTimer wait;
    wait.start();
    while (!QFile::exists(done) && !QFile::exists(failed) && wait.elapsed() < 30000)
        QThread::msleep(50);
    return QFile::exists(done);
}

bool WaylandSession::swayCommand(const QString& command) const
{
    QProcess swaymsg;
    swaymsg.start(QStringLiteral("swaymsg"), {QStringLiteral("-s"), m_swaySocket, command});
    if (!swaymsg.waitForFinished(10000)) {
        swaymsg.kill();
        swaymsg.waitForFinished(1000);
        return false;
    }
    return swaymsg.exitCode() == 0;
}

int WaylandSession::swayWindow(qint64 pid, QRect* rect) const
{
    QProcess swaymsg;
    swaymsg.start(QStringLiteral("swaymsg"),
                  {QStringLiteral("-s"), m_swaySocket, QStringLiteral("-r"), QStringLiteral("-t"), QStringLiteral("get_tree")});
    if (!swaymsg.waitForFinished(10000) || swaymsg.exitCode() != 0) {
        swaymsg.kill();
        swaymsg.waitForFinished(1000);
        return -1;
    }
    int found = -1;
    QRect foundRect;
    QList<QJsonObject> nodes{QJsonDocument::fromJson(swaymsg.readAllStandardOutput()).object()};
    while (!nodes.isEmpty()) {
        const QJsonObject node = nodes.takeLast();
        for (const char* key : {"nodes", "floating_nodes"})
            for (const QJsonValue& child : node.value(QLatin1String(key)).toArray())
                nodes.append(child.toObject());
        if (node.value(QLatin1String("pid")).toInt() != pid)
            continue;
        const QJsonObject r = node.value(QLatin1String("rect")).toObject();
        const QRect at(r.value(QLatin1String("x")).toInt(), r.value(QLatin1String("y")).toInt(),
                       r.value(QLatin1String("width")).toInt(), r.value(QLatin1String("height")).toInt());
        if (found < 0 || at.width() * at.height() > foundRect.width() * foundRect.height()) {
            found = node.value(QLatin1String("id")).toInt();
            foundRect = at;
        }
    }
    if (rect)
        *rect = foundRect;
    return found;
}

QImage WaylandSession::screenshot(const QRect& rect) const
{
    if (!isRunning())
        return QImage();
    const QString file = m_folder + QStringLiteral("/screenshot.png");
    QFile::remove(file);
    QProcess grim;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), m_wayland);
    grim.setProcessEnvironment(env);
    QStringList arguments;
    if (!rect.isEmpty())
        arguments << QStringLiteral("-g")
                  << QStringLiteral("%1,%2 %3x%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
    grim.start(QStringLiteral("grim"), arguments << file);
    if (!grim.waitForFinished(10000) || grim.exitCode() != 0) {
        grim.kill();
        grim.waitForFinished(1000);
        return QImage();
    }
    return QImage(file);
}

void WaylandSession::stop()
{
    if (m_process.state() != QProcess::NotRunning) {
        // The compositor first, so XWayland removes its socket and lock file as it ends.
        const pid_t sway = pid_t(readFile(m_folder + QStringLiteral("/sway.pid")).trimmed().toInt());
        if (sway > 0) {
            ::kill(sway, SIGTERM);
            QElapsedTimer wait;
            wait.start();
            while (!processGone(sway) && wait.elapsed() < 3000)
                QThread::msleep(20);
        }
        // Then timeout's process group: the script and every daemon it started. Those
        // whose parent died first came to this process (a subreaper in the tests): it
        // collects them, so nothing of the group is left, not even a zombie.
        const pid_t group = pid_t(m_process.processId());
        if (group > 0)
            ::kill(-group, SIGKILL);
        m_process.waitForFinished(5000);
        QElapsedTimer wait;
        wait.start();
        while (group > 0 && ::kill(-group, 0) == 0 && wait.elapsed() < 5000) {
            ::kill(-group, SIGKILL);
            while (::waitpid(-group, nullptr, WNOHANG) > 0) {
            }
            QThread::msleep(10);
        }
    }
    if (!m_swayFolder.isEmpty()) {
        QDir(m_swayFolder).removeRecursively();
        m_swayFolder.clear();
    }
    // The compositor, run as another user, leaves its X display's lock file and socket
    // behind: this session's own, removed once the server they name has ended.
    if (m_display.startsWith(QLatin1Char(':'))) {
        const QString number = m_display.mid(1).section(QLatin1Char('.'), 0, 0);
        const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(number);
        const pid_t owner = pid_t(readFile(lock).remove(QChar(0)).trimmed().toInt());
        if (owner > 0 && processGone(owner)) {
            QFile::remove(lock);
            QFile::remove(QStringLiteral("/tmp/.X11-unix/X%1").arg(number));
        }
    }
    m_display.clear();
    m_wayland.clear();
    m_swaySocket.clear();
}

QString WaylandSession::logTail() const
{
    QString text;
    for (const QString& log : {m_folder + QStringLiteral("/session.log"), m_swayFolder + QStringLiteral("/sway.log"),
                               m_folder + QStringLiteral("/xdpw.log"), m_folder + QStringLiteral("/portal.log"),
                               m_folder + QStringLiteral("/pipewire.log"), m_folder + QStringLiteral("/wireplumber.log")}) {
        const QStringList lines = readFile(log).split(QLatin1Char('\n'));
        text += QStringLiteral("== %1\n%2\n").arg(log, lines.mid(qMax(0, lines.size() - 40)).join(QLatin1Char('\n')));
    }
    return text;
}
