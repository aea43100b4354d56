#ifndef WAYLANDMAIN_H
#define WAYLANDMAIN_H

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QtTest>

#include <functional>

#include "camerarig.h"
#include "iapplication.h"
#include "mainframe.h"
#include "testenv.h"
#include "waylandsession.h"

// The program's main window once the desktop has shown and placed it on the whole output:
// until then (long on a busy machine) it has the size it asked for. Its size then.
inline QSize placedMainWindowSize()
{
    const int timeout = 30000;
    // Exposure is only waited for once the window has its native one (a busy start-up
    // shows it late).
    MainFrame* window = nullptr;
    (void)QTest::qWaitFor(
        [&window] {
            window = qobject_cast<IApplication*>(qApp)->mainFrame();
            return window && window->windowHandle();
        },
        timeout);
    if (!window || !window->windowHandle() || !QTest::qWaitForWindowExposed(window, timeout))
        return QSize();
    (void)QTest::qWaitFor([window] { return window->size() == WaylandSession::outputSize(); }, timeout);
    return window->size();
}

// The desktop's portal back end still holds the screen-cast session (it refuses a new
// one while it ends one).
inline bool castSessionHeld(const QString& session)
{
    const QDBusMessage reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.impl.portal.desktop.wlr"), session,
                                       QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                       QStringLiteral("Introspect")),
        QDBus::Block, 5000);
    return reply.type() == QDBusMessage::ReplyMessage
           && reply.arguments().value(0).toString().contains(QLatin1String("org.freedesktop.impl.portal.Session"));
}

// Waits until the desktop has ended session (a recording's, none when empty), then
// forgets it: the next recording begins only then.
inline void waitForCastSessionEnd(QString& session)
{
    if (!session.isEmpty())
        QTRY_VERIFY2_WITH_TIMEOUT(!castSessionHeld(session), qPrintable(session), 30000);
    session.clear();
}

// The main of a test that records on the Wayland test desktop: the desktop (lifetime
// seconds at most), the program's application object (appName, on the platform
// platform, none named when empty) and the simulated camera, then tests(desktop) inside
// the program's event loop. 2 when the desktop or the camera did not start.
inline int runOnWaylandDesktop(const QString& appName, const QByteArray& platform, int lifetime, int argc,
                               char** argv, const std::function<int(WaylandSession&)>& tests)
{
    TestEnv::prepare();
    // No USB camera may be taken instead of the simulated one.
    qputenv("OCUMETRA_USB_IDS", "ffff:fffe");
    WaylandSession desktop;
    if (!desktop.start(TestEnv::homePath() + QStringLiteral("/wayland"), true, lifetime)) {
        qCritical("the Wayland desktop did not start");
        return 2;
    }
    if (platform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    else
        qputenv("QT_QPA_PLATFORM", platform);
    int result = 2;
    {
        IApplication app(appName, argc, argv);
        TestEnv::afterApplication();
        CameraRig rig;
        if (!rig.start(QSize(640, 480), lifetime - 40)) {
            qCritical("the simulated camera did not start");
            return 2;
        }
        app.handleTerminationSignals();
        result = runInsideApplication([&] { return tests(desktop); });
    }
    desktop.stop();
    return result;
}

#endif
