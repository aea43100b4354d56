#include "imachelper.h"

#include <QApplication>
#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>

#include "ffmpeg/iscreencastportal.h"

void setFramelessWindowHintForMac(QWidget* widget)
{
    if (!widget)
        return;
    QWidget* window = widget->window();
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return;
    // Changing the flags re-creates the native window and hides it.
    const bool visible = window->isVisible();
    window->setWindowFlags(window->windowFlags() | Qt::FramelessWindowHint);
    if (visible)
        window->show();
}

bool isValidMicrophonePermission()
{
    // Asking Qt's device list would wait for the sound system on the window's thread, and
    // without a sound server it still names ALSA's plug-ins: the capture tells at Start.
    return true;
}

bool isWaylandSession()
{
    if (!isWindowPlaceKnown())
        return true;
    const QString session = qEnvironmentVariable("XDG_SESSION_TYPE");
    if (session == QLatin1String("wayland") || session == QLatin1String("x11"))
        return session == QLatin1String("wayland");
    // "tty" (a compositor started from a console) or nothing said.
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool isWindowPlaceKnown()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool hasLocalXDisplay()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    const QRegularExpression local(QStringLiteral("^(?:unix)?:(\\d+)(?:\\.\\d+)?$"));
    const QRegularExpressionMatch m = local.match(display);
    return m.hasMatch() && QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + m.captured(1));
}

bool isValidRecordscreenPermission()
{
    if (isWaylandSession())
        return IScreenCastPortal::instance()->hasGrant();
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return true;
    return hasLocalXDisplay();
}

void applyRecordscreenPermission()
{
    if (isWaylandSession()) {
        // The desktop's dialog belongs over the window that asked.
        QString parent;
        const QWidget* window = QApplication::activeWindow();
        if (window && QGuiApplication::platformName() == QLatin1String("xcb"))
            parent = QStringLiteral("x11:%1").arg(window->winId(), 0, 16);
        IScreenCastPortal::instance()->request(parent);
        return;
    }
    // X11 has no screen-recording permission to ask for.
    if (!isValidRecordscreenPermission())
        qDebug() << Q_FUNC_INFO << "no X display: the screen cannot be recorded";
}

