#include <QApplication>
#include <QtTest>

#include "icamera.h"
#include "iglobal.h"
#include "testenv.h"
#include "tst_camera.h"

void TestCamera::init()
{
    g_camera_info = ICameraInfo();
    g_camera_list.clear();
    g_wifi_camera = false;
    g_rtsp_url = QStringLiteral("rtsp://127.0.0.1/stream/main");
    // Nothing listens on this port unless a test opens it.
    qputenv("OCUMETRA_CAMERA_CONTROL_PORT", QByteArray::number(TestEnv::refusingLocalPort()));
    qunsetenv("OCUMETRA_USB_IDS");
}

void TestCamera::cleanup()
{
    ICamera::destroyInstance();
    IGSQUARERATE = 1.0;
}

OCUMETRA_TEST_MAIN(TestCamera)
