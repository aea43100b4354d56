#include "imachelper.h"

#include <QAudioDeviceInfo>
#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>

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
    return !QAudioDeviceInfo::availableDevices(QAudio::AudioInput).isEmpty();
}

bool isValidRecordscreenPermission()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return true;
    // Only a local display counts: ":N", ":N.S" or "unix:N" with its socket present.
    // A remote display is never probed.
    const QString display = qEnvironmentVariable("DISPLAY");
    const QRegularExpression local(QStringLiteral("^(?:unix)?:(\\d+)(?:\\.\\d+)?$"));
    const QRegularExpressionMatch m = local.match(display);
    if (!m.hasMatch())
        return false;
    return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + m.captured(1));
}

void applyRecordscreenPermission()
{
    // X11 has no screen-recording permission to ask for.
    if (!isValidRecordscreenPermission())
        qDebug() << Q_FUNC_INFO << "no X display: the screen cannot be recorded";
}

bool isWaylandSession()
{
    return qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}
