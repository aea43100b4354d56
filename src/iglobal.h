#ifndef IGLOBAL_H
#define IGLOBAL_H

#include <QColor>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include "icameratypes.h"

// Fixed texts of the program.
extern const QString g_software_name;
extern const QString g_software_version;
extern const QString g_software_logoname;
extern const QString g_software_company;

// Mirrors of the settings file (filled by IConfigureService::readConfigure).
extern QString g_software_langid;
extern QString g_photo_savepath;
extern QString g_video_savepath;
extern QString g_photo_format;
extern QString g_video_format;
extern QColor g_pencil_color;
extern int g_pencil_thickness;
extern int g_pencil_transparent;
extern int g_erase_size;
extern int g_current_exposure;  // -1 automatic
extern int g_current_focus;     // -1 automatic
extern QString g_filedialog_path;
extern QRect g_freecapture_rect;
extern QString g_ocr_lang;
extern bool g_photo_sound_enable;

// Camera state (filled by the camera manager).
extern ICameraInfo g_camera_info;
extern QList<ICameraInfo> g_camera_list;
extern bool g_wifi_camera;
extern QString g_rtsp_url;
extern QSize g_camera_resolution;

// Screen-scaling factors. The IG set (0.0 until start-up) serves the program's own
// widgets, the G set (1.0 until start-up) the board's widget kit.
extern double IGWIDTHRATE;
extern double IGHEIGHTRATE;
extern double IGSQUARERATE;
extern double GWIDTHRATE;
extern double GHEIGHTRATE;
extern double GSQUARERATE;

struct ScaleFactors
{
    double width = 1.0;
    double height = 1.0;
    double square = 1.0;
};

// Factors for a primary screen of the given size.
ScaleFactors computeScaleFactors(const QSize& screen);
// Sets both sets of globals to the given factors.
void applyScaleFactors(const ScaleFactors& f);

// The Wi-Fi camera's control port; OCUMETRA_CAMERA_CONTROL_PORT overrides it.
quint16 cameraControlPort();
// The compiled-in RTSP address, or OCUMETRA_RTSP_URL when set.
QString defaultRtspUrl();
// The camera's host, taken from g_rtsp_url (or the compiled-in default).
QString cameraHost();

// Folder of run-time files (translations, logo): <application folder>/Resources.
QString applicationResourcesPath();

#endif
