#ifndef WIFITESTUTIL_H
#define WIFITESTUTIL_H

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QSize>
#include <QStringList>

#include "ffmpeg/wifirtsp/iwifirtspthread.h"
#include "ffmpeg/wifirtsp/iwifitimings.h"
#include "iglobal.h"
#include "rtspsource.h"
#include "simcamera.h"

namespace WifiTest {

inline QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

// Short enough for tests, long enough for a loaded machine.
inline IWifiLinkTimings fastTimings()
{
    IWifiLinkTimings t;
    t.connectMs = 2000;
    t.photoGapMs = 300;
    t.photoTimeoutMs = 2000;
    t.photoResendGapMs = 300;
    t.photoResends = 3;
    t.sendTickMs = 20;
    t.reconnectMinMs = 100;
    t.reconnectMaxMs = 400;
    t.noticeSettleMs = 50;
    return t;
}

// Commands that start with the given bytes (for 08 00, include template byte 3).
inline int countCommands(const QList<QByteArray>& commands, const char* templ)
{
    const QByteArray t = hex(templ);
    int n = 0;
    for (const QByteArray& c : commands)
        n += c.startsWith(t) ? 1 : 0;
    return n;
}

// The GStreamer RTSP test source on 127.0.0.1, listening once this returns true; it
// ends by itself after "lifetime" seconds at the latest. port 0: a free one, written back.
inline bool startRtspSource(QProcess* source, quint16& port, const QString& codec, const QSize& size,
                            int lifetime, const QStringList& extra = QStringList())
{
    port = RtspSource::start(source, port,
                             QStringList{"--codec", codec, "--width", QString::number(size.width()), "--height",
                                         QString::number(size.height()), "--pattern", "ball", "--lifetime",
                                         QString::number(lifetime)} + extra);
    return port != 0;
}

// A simulated camera listening on the control port the back end will use; null when it
// cannot listen. The camera's resolution starts as the program's default.
inline SimCamera* startSimCamera()
{
    g_camera_resolution = QSize(1920, 1080);
    auto* camera = new SimCamera;
    if (!camera->start()) {
        delete camera;
        return nullptr;
    }
    qputenv("OCUMETRA_CAMERA_CONTROL_PORT", QByteArray::number(camera->port()));
    return camera;
}

// The back end goes first: its link must not outlive the camera's end of it.
inline void deleteLink(IWifiRtspThread*& backend, SimCamera*& camera)
{
    delete backend;
    backend = nullptr;
    delete camera;
    camera = nullptr;
}

}

#endif
