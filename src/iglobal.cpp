#include "iglobal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

const QString g_software_name = QStringLiteral("Ocumetra");
const QString g_software_version = QStringLiteral(OCUMETRA_VERSION);
const QString g_software_logoname = QStringLiteral("logo.svg");
const QString g_software_company = QStringLiteral("Ocumetra Team");

QString g_software_langid = QStringLiteral("1033");
QString g_photo_savepath;
QString g_video_savepath;
QString g_photo_format = QStringLiteral("jpeg");
QString g_video_format = QStringLiteral("mp4");
QColor g_pencil_color = QColor(Qt::red);
int g_pencil_thickness = 3;
int g_pencil_transparent = 255;
int g_erase_size = 30;
int g_current_exposure = -1;
int g_current_focus = -1;
QString g_filedialog_path;
QRect g_freecapture_rect;
QString g_ocr_lang;
bool g_photo_sound_enable = false;

ICameraInfo g_camera_info;
QList<ICameraInfo> g_camera_list;
bool g_wifi_camera = false;
QString g_rtsp_url = defaultRtspUrl();
QSize g_camera_resolution(1920, 1080);

double IGWIDTHRATE = 0.0;
double IGHEIGHTRATE = 0.0;
double IGSQUARERATE = 0.0;
double GWIDTHRATE = 1.0;
double GHEIGHTRATE = 1.0;
double GSQUARERATE = 1.0;

ScaleFactors computeScaleFactors(const QSize& screen)
{
    ScaleFactors f;
    const int w = screen.width();
    const int h = screen.height();
    if (w <= 0 || h <= 0)
        return f;
    if (w < 1420) {
        const double r = w / 1420.0;
        f.width = f.height = f.square = r;
    } else if (w < 1920) {
        f.width = f.height = f.square = 1.0;
    } else {
        f.width = w / 1920.0;
        f.height = h / 1080.0;
        f.square = (double(w) / h < 16.0 / 9.0) ? f.width : f.height;
    }
    return f;
}

void applyScaleFactors(const ScaleFactors& f)
{
    IGWIDTHRATE = GWIDTHRATE = f.width;
    IGHEIGHTRATE = GHEIGHTRATE = f.height;
    IGSQUARERATE = GSQUARERATE = f.square;
}

quint16 cameraControlPort()
{
    bool ok = false;
    const int port = qEnvironmentVariableIntValue("OCUMETRA_CAMERA_CONTROL_PORT", &ok);
    if (ok && port > 0 && port < 65536)
        return quint16(port);
    return 5324;
}

QString defaultRtspUrl()
{
    const QString env = qEnvironmentVariable("OCUMETRA_RTSP_URL");
    if (!env.isEmpty())
        return env;
    return QStringLiteral("rtsp://ruziz:ruziz@%1/stream/main").arg(QStringLiteral(OCUMETRA_CAMERA_HOST));
}

QString cameraHost()
{
    const QString host = QUrl(g_rtsp_url.isEmpty() ? defaultRtspUrl() : g_rtsp_url).host();
    return host.isEmpty() ? QStringLiteral(OCUMETRA_CAMERA_HOST) : host;
}

QString applicationResourcesPath()
{
    // The build tree keeps run-time files beside the executable; an installed tree
    // keeps them under <prefix>/share/ocumetra.
    const QString dir = QCoreApplication::applicationDirPath();
    const QString beside = dir + QStringLiteral("/Resources");
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(dir + QStringLiteral("/../share/ocumetra"));
}
