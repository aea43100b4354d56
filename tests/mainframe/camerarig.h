#ifndef CAMERARIG_H
#define CAMERARIG_H

#include <QObject>
#include <QProcess>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

#include "simcamera.h"

class QTcpSocket;

// The simulated Wi-Fi camera on 127.0.0.1: its control port and the GStreamer RTSP
// source, pointed to by the program's camera settings.
class CameraRig
{
public:
    ~CameraRig();
    // Starts both and sets g_rtsp_url and OCUMETRA_CAMERA_CONTROL_PORT. The source ends
    // on its own after lifetime seconds even if this process dies. pattern: one of
    // GStreamer's videotestsrc patterns.
    bool start(const QSize& streamSize, int lifetime, const QString& pattern = QStringLiteral("ball"));
    void stop();
    SimCamera& control() { return m_control; }

private:
    SimCamera m_control;
    QProcess* m_source = nullptr;
    // Holds the source's stream described, so that it stays made: the source makes it on
    // the first request, which on a busy machine took longer than the program gives a
    // camera to answer.
    std::unique_ptr<QTcpSocket> m_described;
};

// Runs the program's own start-up (IApplication::exec) and, once its event loop runs,
// the test object inside it. Returns the test result, or -1 when exec returned
// without entering its loop.
int runInsideApplication(const std::function<int()>& tests);

// Waits until the picture (a key of it, such as QImage::cacheKey) has not changed for
// 500 ms, as a frozen camera picture does once the frames on their way have come.
bool waitForStillPicture(const std::function<qint64()>& picture, int timeout = 10000);

#endif
