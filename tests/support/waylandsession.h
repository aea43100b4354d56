#ifndef WAYLANDSESSION_H
#define WAYLANDSESSION_H

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>

// A private headless Wayland desktop for tests: sway at 1920x1080 with XWayland, its own
// session bus, PipeWire with WirePlumber and, when asked for, the screen-cast portal
// (xdg-desktop-portal with its wlroots back end, sharing the one output without a
// dialog). sway refuses root, so for root it runs as the user nobody, who lets root's X
// clients in; everything else runs as this process's user.
//
// Everything is started by one child that ends by itself, with all it started, after
// maxSeconds; stop() (also the destructor) ends it at once and removes its folders.
// On success this process's DISPLAY, WAYLAND_DISPLAY, XDG_SESSION_TYPE,
// XDG_CURRENT_DESKTOP and DBUS_SESSION_BUS_ADDRESS point at the desktop: start it
// before the application object, so Qt's xcb platform opens its X display.
//
//     WaylandSession desktop;
//     if (!desktop.start(TestEnv::homePath() + "/wayland", true)) ...  // after TestEnv::prepare()
//     QApplication app(argc, argv);                                   // an X client of XWayland
//     QImage shot = desktop.screenshot(QRect(0, 0, 800, 600));        // what the desktop shows
class WaylandSession
{
public:
    WaylandSession() = default;
    ~WaylandSession() { stop(); }
    WaylandSession(const WaylandSession&) = delete;
    WaylandSession& operator=(const WaylandSession&) = delete;

    // The size of the desktop's one output.
    static QSize outputSize() { return QSize(1920, 1080); }

    // folder holds the desktop's bus, PipeWire and logs (created, this user's only).
    bool start(const QString& folder, bool portal, int maxSeconds = 300);
    // Ends the portal and its back end: from then on nothing offers screen casts.
    void stopPortal();
    // Ends the portal (if it runs) and starts it again, with its back end. When the user
    // refuses, the back end asks its output chooser, which the user closes choosing nothing.
    bool restartPortal(bool userRefuses = false);
    // Ends PipeWire, or the portal's back end alone, at once (as when they crash): the
    // screen-cast stream goes away while the portal stays.
    void killPipeWire();
    void killPortalBackend();
    // The portal's back end (xdg-desktop-portal-wlr) is alive, and what it logged so far.
    bool portalBackendRunning() const;
    QString portalBackendLog() const;
    // The desktop's picture of rect (logical pixels; the whole output when empty) as
    // grim takes it; a null image when it fails.
    QImage screenshot(const QRect& rect = QRect()) const;
    void stop();

    // Runs a sway command (as swaymsg does, e.g. "[con_id=4] move position 82 122");
    // false when sway did not do it.
    bool swayCommand(const QString& command) const;
    // sway's container of process pid's largest window and where it is (layout pixels);
    // -1 when pid shows none.
    int swayWindow(qint64 pid, QRect* rect = nullptr) const;

    bool isRunning() const { return m_process.state() == QProcess::Running; }
    QString display() const { return m_display; }
    QString waylandDisplay() const { return m_wayland; }
    // The last lines of the desktop's logs, for a failure message.
    QString logTail() const;

private:
    bool writePortalConfig(bool userRefuses) const;

    QProcess m_process;
    QString m_folder;
    QString m_swayFolder;
    QString m_swaySocket;
    QString m_display;
    QString m_wayland;
};

#endif
