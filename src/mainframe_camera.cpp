// The main window's side of the camera: state codes, live and captured pictures,
// snapshot jobs, time-lapse runs and plug notices.

#include "mainframe.h"

#include <QDebug>
#include <QGuiApplication>
#include <QScreen>
#include <QSound>

#include "board/iboard.h"
#include "iapplication.h"
#include "board/islide.h"
#include "board/widget/itimemsgbox.h"
#include "customui/iboardtoolbar.h"
#include "customui/icameratoolbar.h"
#include "customui/icaptureframe.h"
#include "customui/icapturemodeframe.h"
#include "customui/ifocusframe.h"
#include "customui/iimglistwidget.h"
#include "customui/imsgbox.h"
#include "customui/iparameterframe.h"
#include "customui/ipixrateframe.h"
#include "customui/irighttoolbar.h"
#include "customui/ismallcameraframe.h"
#include "customui/itimelapseframe.h"
#include "customui/iuihelper.h"
#include "customui/ivideorecordframe.h"
#include "ffmpeg/iffmpegapi.h"
#include "icamera.h"
#include "iglobal.h"
#include "iimagetansformthread.h"
#include "imachelper.h"
#include "service/iconfigureservice.h"

namespace {
// The Wi-Fi camera sends full-resolution photos slowly above this width.
constexpr int kWideWifiWidth = 1921;

bool wideWifiCamera()
{
    return g_wifi_camera && g_camera_resolution.width() >= kWideWifiWidth;
}
}

void MainFrame::showNotice(const QString& text)
{
    ITimeMsgBox::instance()->showMessageBox(text, 1000, QPoint(-1000, -1000));
}

void MainFrame::onCameraError(int code)
{
    if (code == 0 && m_firstOpen) {
        m_firstOpen = false;
        m_parameterFrame->initDefaultValues();
        m_pixRateFrame->initDefaultValues();
        m_focusFrame->initDefaultValues();
        showMaximized();
        m_imgListWidget->setScrollBarMax();
        // The window manager makes the window big later, in its own time: the board
        // fits and centres the picture on each of its size changes, this one included.
        m_board->resetTransformx();
        // A Wayland desktop's screen-sharing dialog waits for the first recording.
        if (!isWaylandSession())
            applyRecordscreenPermission();
        setEnabledApp(true);
        return;
    }

    setEnabledApp(true);
    switch (code) {
    case 3:
        showNotice(tr("The camera is not available, or it is caused by power failure, poor contact and being "
                      "pulled out. Please check the equipment."));
        break;
    case 2:
        showNotice(tr("Resolution settings failed, please re-select."));
        break;
    case 1:
        IMsgBox::showMsg(tr("No ocumetra device is found! The possible reasons could be: 1. Ocumetra is not "
                            "connected properly. 2. Driver program is not installed successfully. 3. The "
                            "device is damaged."),
                         IMsgBox::Ok, g_software_name, nullptr);
        g_camera_info.index = -1;
        // Never shown: nothing on screen would ever let the user end the process.
        if (!isVisible() && m_app)
            m_app->quitWithoutWindow();
        break;
    default:
        break;
    }
}

void MainFrame::onCameraFrame(const QImage& image, const QSize& fullSize, const IShownFrame& shown)
{
    m_board->setCameraImage(image, fullSize, shown);
}

void MainFrame::onRunCopyImage()
{
    m_board->runCopyImage();
}

void MainFrame::onChangeResolutionFromOtherApp(const QSize& size)
{
    m_pixRateFrame->setResolution(QSizeF(size.width(), size.height()), true);
}

void MainFrame::onCaptureImage(const QImage& image)
{
    ConvertCaptureImage(image);
}

void MainFrame::captureImage(ImageType type)
{
    requestCapture(type);
}

bool MainFrame::requestCapture(ImageType type, bool timelapseShot)
{
    const bool wide = wideWifiCamera();
    // Queued first: a back end may answer before setCaptureFlag returns.
    m_pendingShots.enqueue(timelapseShot ? Shot::Timelapse : Shot::Snapshot);
    const bool ok = ICamera::instance()->setCaptureFlag(type);
    if (!ok) {
        if (!m_pendingShots.isEmpty())
            m_pendingShots.removeLast();
        // A press that does nothing says why: the photo before is still on its way.
        if (wide || ICamera::instance()->isPhotoPending())
            showNotice(tr("Saving, please wait!"));
        else
            qDebug() << "capture request refused, type" << type;
    }
    return ok;
}

void MainFrame::ConvertCaptureImage(QImage picture)
{
    const Shot shot = m_pendingShots.isEmpty() ? Shot::Snapshot : m_pendingShots.dequeue();
    if (shot == Shot::Late) {
        qDebug() << "late time-lapse picture dropped: its run has ended";
        return;
    }
    const bool timelapse = shot == Shot::Timelapse;
    if (picture.isNull()) {
        // The camera answered the request without a picture (photo transfer failed).
        if (timelapse && m_timelapseFrame && m_timelapseFrame->isRecording())
            m_timelapseFrame->takePhotoFailedForTimed();
        else
            showNotice(tr("Taking the photo failed, please try again."));
        return;
    }

    // The photo shows what the live picture shows, whatever its own size and aspect:
    // scene units map onto it per axis, from the live picture's corner.
    QRectF area = m_board->pixmapEleBoundingRect();
    if (area.width() <= 0 || area.height() <= 0) {
        // No camera area yet (hidden or collapsed board): take the picture as it is.
        area = QRectF(QPointF(0, 0), QSizeF(picture.size()));
    }

    ImageData job;
    job.image = picture;
    job.scaleX = picture.width() / area.width();
    job.scaleY = picture.height() / area.height();
    job.rotation = m_board->rotateValue();
    if (ISlide* slide = m_board->currentSlide())
        job.elements = slide->elements();
    job.folder = timelapse ? QString() : IConfigureService::instance()->photoPath();

    const bool partial = m_captureModeFrame && int(m_captureModeFrame->captureMode()) == 2;
    if (partial && m_captureFrame) {
        const QRect region = g_freecapture_rect;
        const QPoint p = m_captureFrame->mapToGlobal(region.topLeft());
        const QPoint q = m_board->mapFromGlobal(p);
        const QRectF scene = m_board->mapToScene(QRect(q, region.size())).boundingRect();
        const QRectF onPhoto((scene.x() - area.x()) * job.scaleX, (scene.y() - area.y()) * job.scaleY,
                             scene.width() * job.scaleX, scene.height() * job.scaleY);
        job.cropRect = onPhoto.toRect();
    }
    if (m_autoEdge && !timelapse && !partial) {
        const AutoEdgeData edge = ICamera::instance()->autoEdgeData();
        job.angle = edge.angle;
        job.polygon = edge.polygon;
    }
    job.drawings = m_board->getCameraRectRender(job.scaleX, job.scaleY);

    if (m_imageTansformThread)
        m_imageTansformThread->pushImageData(job);
}

void MainFrame::slCaputerImage(QImage picture, QString path)
{
    if (!path.isEmpty()) {
        playPhotoSound();
        m_imgListWidget->insertItem(picture, path);
        return;
    }
    // A time-lapse shot that comes back after its run ended has no video to go to.
    if (!m_timelapseFrame || !m_timelapseFrame->isRecording()) {
        qDebug() << "time-lapse picture dropped: no time-lapse runs";
        return;
    }
    m_timelapseFrame->takePhotoSuccessForTimed();
    IFFmpegApi::instance()->addPicture(picture);
    // A full disk found by the encoder ends the run: later shots would go nowhere.
    if (!IFFmpegApi::instance()->timelapseError().isEmpty()) {
        stopTimelapse();
        if (m_timelapseFrame->isVisible()) {
            m_timelapseFrame->setFrameVisible(false);
            m_captureModeFrame->setCaptureMode(ICaptureModeFrame::CaptureMode(0));
        }
    }
}

void MainFrame::onCaptureFailed(const QString& path, const QString& reason)
{
    qWarning() << "snapshot not saved:" << path << reason;
    IMsgBox::showMsg(tr("The picture could not be saved: %1").arg(reason), this);
}

void MainFrame::playPhotoSound()
{
    if (g_photo_sound_enable)
        QSound::play(QStringLiteral(":/root/root/photoSound.wav"));
}

void MainFrame::onCaptureModeChanged(int mode)
{
    if (mode == 4 || !m_timelapseFrame || !m_timelapseFrame->isVisible())
        return;
    if (m_timelapseFrame->isRecording() && !stopTimelapse().isEmpty())
        showNotice(tr("Video is saved."));
    m_timelapseFrame->setFrameVisible(false);
}

void MainFrame::onTimelapseCommand(int op)
{
    switch (op) {
    case 0: {
        // A refused shot brings no picture to start the next countdown, unless an
        // earlier shot is still on its way.
        const bool inFlight = m_pendingShots.contains(Shot::Timelapse);
        if (!requestCapture(IMAGE_PLAIN, true) && !inFlight)
            m_timelapseFrame->takePhotoFailedForTimed();
        break;
    }
    case 1: {
        QSize size = g_camera_resolution;
        if (wideWifiCamera()) {
            // The camera changes its resolution asynchronously: the video is made at
            // the size asked for, and the encoder scales frames that still differ.
            m_pixRateFrame->setResolution(QSizeF(1920, 1080), false);
            size = QSize(1920, 1080);
            // By the top right corner of the monitor the window is on.
            const QScreen* screen = windowScreen(this);
            const QRect area = screen ? screen->geometry() : QRect();
            ITimeMsgBox::instance()->showMessageBox(tr("Current resolution: 1920*1080"), 1000,
                                                    area.topLeft() + QPoint(int(area.width() - 460 * IGSQUARERATE),
                                                                            int(25 * IGSQUARERATE)));
        }
        const int rotation = m_board->rotateValue();
        if (rotation == 90 || rotation == 270)
            size.transpose();
        if (!IFFmpegApi::instance()->startPictureVynthesisVideo(IConfigureService::instance()->videoPath(), size,
                                                                  30)) {
            IMsgBox::showMsg(tr("The time-lapse video could not be started."), this);
            return;
        }
        m_cameraToolBar->setButtonEnable(ICameraToolBar::Resolution, false);
        m_rightToolBar->setButtonEnable(IRightToolBar::Rotate, false);
        m_timelapseFrame->startTimerPhoto();
        break;
    }
    case 2: {
        const QString path = stopTimelapse();
        if (!IFFmpegApi::instance()->timelapseError().isEmpty())
            break; // stopTimelapse told the user
        if (path.isEmpty())
            IMsgBox::showMsg(tr("No video was written."), this);
        else
            showNotice(tr("Video is saved."));
        break;
    }
    case 3:
        m_timelapseFrame->pauseTimerPhoto();
        break;
    case 4:
        m_timelapseFrame->resumeTimerPhoto();
        break;
    default:
        break;
    }
}

void MainFrame::setBarsEnabled(bool enabled)
{
    if (m_boardToolBar)
        m_boardToolBar->setEnabled(enabled);
    if (m_imgListWidget)
        m_imgListWidget->setEnabled(enabled);
    if (m_rightToolBar)
        m_rightToolBar->setEnabled(enabled);
    if (m_cameraToolBar)
        m_cameraToolBar->setEnabled(enabled);
}

void MainFrame::onUsbConnectionChanged(bool connected, const QString& id)
{
    qDebug() << "usb device change " << (connected ? "true" : "false") << id << g_camera_info.devicePath;
    ICamera* camera = ICamera::instance();
    if (!connected && id.compare(g_camera_info.devicePath, Qt::CaseInsensitive) == 0) {
        slHideSecondWidget(0, QVariant(0));
        if (m_smallCameraFrame && m_smallCameraFrame->isVisible())
            m_smallCameraFrame->setFrameVisible(false);
        // Runs that depend on the camera end with it, as on a camera switch.
        if (m_timelapseFrame) {
            if (m_timelapseFrame->isRecording() && !stopTimelapse().isEmpty())
                showNotice(tr("Video is saved."));
            if (m_timelapseFrame->isVisible()) {
                m_timelapseFrame->setFrameVisible(false);
                m_captureModeFrame->setCaptureMode(ICaptureModeFrame::CaptureMode(0));
            }
        }
        stopTimedCapture();
        m_board->setCameraImage(QImage());
        camera->closeCamera();
        // Frames queued before the close may have been shown meanwhile.
        m_board->setCameraImage(QImage());
        if (m_videoRecordFrame && m_videoRecordFrame->isVisible())
            m_videoRecordFrame->stopVideoRecord();
        resetCameraToggles();
        setBarsEnabled(false);
    } else if (connected && !camera->isRuning()) {
        if (camera->openCamera()) {
            resetCameraToggles();
            setBarsEnabled(true);
            m_board->resetTransformx();
        }
    }
}
