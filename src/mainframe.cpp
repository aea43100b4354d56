#include "mainframe.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ielementframe.h"
#include "board/item/ipixmapitem.h"
#include "board/model/itextmodes.h"
#include "board/path/ipathmodes.h"
#include "customui/iboardtoolbar.h"
#include "customui/icameraframe.h"
#include "customui/icameratoolbar.h"
#include "customui/icaptureframe.h"
#include "customui/icapturemodeframe.h"
#include "customui/icolorframe.h"
#include "customui/ieraseframe.h"
#include "customui/ifigureframe.h"
#include "customui/ifocusframe.h"
#include "customui/iimglistwidget.h"
#include "customui/imageview.h"
#include "customui/imagnifierframe.h"
#include "customui/imaintitlewidget.h"
#include "customui/iparameterframe.h"
#include "customui/ipixrateframe.h"
#include "customui/irighttoolbar.h"
#include "customui/isettingframe.h"
#include "customui/ismallcameraframe.h"
#include "customui/ithicknessframe.h"
#include "customui/itimelapseframe.h"
#include "customui/itimercaptureframe.h"
#include "customui/itransparentframe.h"
#include "customui/ivideorecordframe.h"
#include "customui/imsgbox.h"
#include "customui/iwindowplace.h"
#include "ffmpeg/iffmpegapi.h"
#include "icamera.h"
#include "iglobal.h"
#include "iimagetansformthread.h"
#include "ilivepicturewatch.h"
#include "imachelper.h"
#include "imacusbdevice.h"
#include "service/iboardservice.h"
#include "service/iconfigureservice.h"

MainFrame::MainFrame(IApplication* app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
{
    qRegisterMetaType<ICameraInfo>("ICameraInfo");
    IConfigureService::instance()->readConfigure();
    ICamera::instance()->initData();
    IFFmpegApi::instance()->initData();
    InitBorad();
    CreateUI();
    // The camera decodes only while its picture can be seen.
    auto* watch = new ILivePictureWatch(this);
    connect(watch, &ILivePictureWatch::seenChanged, ICamera::instance(), &ICamera::setLiveWanted);
    ICamera::instance()->setLiveWanted(watch->isSeen()); // not what an earlier window left
    // Nor more of it than the screen shows.
    ICamera::instance()->setShownSize(QSize());
    connect(m_board, &IBoard::sgPictureShownSize, ICamera::instance(), &ICamera::setShownSize);
    keepWindowWhereShown(this);
    keepWindowsOnScreens();
    qDebug() << "Windows MainFrame used!";
}

MainFrame::~MainFrame() = default;

void MainFrame::InitBorad()
{
    // The board builds its modes when it is created: the pen, eraser, shape, select and
    // text tools must be known to the registry by then.
    registerPathModes();
    registerTextModes();

    m_board = new IBoard(TX_IBOARD_ENUM::SceneDisplayMode(0), this);
    m_board->setStyleSheet(QStringLiteral("background-color:rgb(105,105,105)"));
    m_board->setSceneRect(-1073741824.0, -1073741824.0, 2147483647.0, 2147483647.0);

    auto* frame = new ICommonElementFrame(m_board);
    frame->showFrame(false);
    m_board->setElementFrame(frame);

    connect(m_board, &IBoard::sgClickOnBoard, this, &MainFrame::onBoardClicked);
    connect(m_board, &IBoard::sgIsFullScreen, this, &MainFrame::onFullScreen, Qt::DirectConnection);

    IBoardService::instance()->setBoard(m_board);
}

void MainFrame::CreateUI()
{
    setFramelessWindowHintForMac(this);

    m_imageView = new ImageView(m_app, this);
    m_imageView->hide();
    m_smallCameraFrame = new ISmallCameraFrame(m_app, this);
    m_smallCameraFrame->hide();

    m_rightToolBar = new IRightToolBar(m_app, nullptr);
    m_boardToolBar = new IBoardToolBar(m_app, nullptr);
    m_cameraToolBar = new ICameraToolBar(m_app, nullptr);
    m_titleWidget = new IMainTitleWidget(m_app, nullptr);
    m_imgListWidget = new IImgListWidget(m_app, nullptr);
    m_boardToolBar->hide();

    auto* middle = new QHBoxLayout;
    middle->addWidget(m_imgListWidget);
    middle->addWidget(m_board);
    middle->addWidget(m_rightToolBar);
    middle->addWidget(m_boardToolBar);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_titleWidget);
    layout->addLayout(middle);
    layout->addWidget(m_cameraToolBar);
    adjustSize();

    connect(m_rightToolBar, &IRightToolBar::sgButtonClick, this, &MainFrame::slRightToolBarClick);
    connect(m_boardToolBar, &IBoardToolBar::sgButtonClick, this, &MainFrame::slBoardToolBarClick);
    connect(m_cameraToolBar, &ICameraToolBar::sgButtonClick, this, &MainFrame::slCameratoolbarClick);
    connect(m_titleWidget, &IMainTitleWidget::sgMove, this, &MainFrame::onTitleMoved);

    m_pixRateFrame = new IPixRateFrame(m_app, this);
    m_pixRateFrame->hide();
    m_parameterFrame = new IParameterFrame(m_app, this);
    m_parameterFrame->hide();
    m_captureModeFrame = new ICaptureModeFrame(m_app, this);
    m_captureModeFrame->hide();
    m_timelapseFrame = new ITimelapseFrame(m_app, this);
    m_timelapseFrame->hide();
    m_timerCaptureFrame = new ITimerCaptureFrame(m_app, this);
    m_timerCaptureFrame->hide();
    m_figureFrame = new IFigureFrame(m_app, this);
    m_figureFrame->hide();
    m_colorFrame = new IColorFrame(m_app, this);
    m_colorFrame->hide();
    m_thicknessFrame = new IThicknessFrame(m_app, this);
    m_thicknessFrame->hide();
    m_transparentFrame = new ITransparentFrame(m_app, this);
    m_transparentFrame->hide();
    m_eraseFrame = new IEraseFrame(m_app, this);
    m_eraseFrame->hide();
    m_settingFrame = new ISettingFrame(m_app, this);
    m_settingFrame->hide();
    m_magnifierFrame = new IMagnifierFrame(m_app, this);
    m_magnifierFrame->hide();
    m_focusFrame = new IFocusFrame(m_app, this);
    m_focusFrame->hide();
    m_cameraFrame = new ICameraFrame(m_app, this);
    m_cameraFrame->hide();

    connect(m_captureModeFrame, &ICaptureModeFrame::sgButtonClick, m_captureModeFrame,
            [this](ICaptureModeFrame::CaptureMode mode) { onCaptureModeChanged(int(mode)); },
            Qt::DirectConnection);
    connect(m_timelapseFrame, &ITimelapseFrame::sgCaptureImage, m_timelapseFrame,
            [this](OperateType op) { onTimelapseCommand(int(op)); }, Qt::DirectConnection);

    // The title bar's requests.
    connect(m_titleWidget, &IMainTitleWidget::sgShowSettings, this,
            [this] { m_settingFrame->setFrameVisible(true); });
    connect(m_titleWidget, &IMainTitleWidget::sgCenterBoard, this, [this] { m_board->setCenterOn(); });
    connect(m_titleWidget, &IMainTitleWidget::sgHideSecondWidget, this, [this] { slHideSecondWidget(0, QVariant(0)); });
    connect(m_titleWidget, &IMainTitleWidget::sgSwitchCamera, this, &MainFrame::switchCamera);
    m_titleWidget->setSmallCameraPathProvider([this] { return m_smallCameraFrame->cameraDevicePath(); });
}

void MainFrame::InitFirstSlide()
{
    m_board->insert(new ISlide(nullptr), true);
    auto* item = new IPixmapItem(m_board->size(), nullptr);
    item->setZValue(-9999999);
    m_board->setPixmapElement(item);
    m_board->setCameraResolution(QSizeF(g_camera_resolution));
    m_board->setCameraPadingMargin(0, 0, 0, 0, 0);
    InitData();
}

void MainFrame::InitData()
{
    ICamera* camera = ICamera::instance();
    connect(camera, &ICamera::sgError, camera, [this](int code) { onCameraError(code); }, Qt::DirectConnection);

    if (!camera->openCamera(g_camera_info.index)) {
        emit camera->sgError(1);
        return;
    }

    IBoardService::instance()->switchSelect(TX_IBOARD_ENUM::SceneDisplayMode(0));
    IConfigureService* config = IConfigureService::instance();
    m_colorFrame->setColor(config->pencilColor());
    m_thicknessFrame->setThickness(config->pencilThickness());
    m_transparentFrame->setTransparent(config->pencilTransparent());
    m_eraseFrame->setEraseSize(config->eraseSize());

    connect(camera, &ICamera::sgRunCopyImage, camera, [this] { onRunCopyImage(); }, Qt::DirectConnection);
    connect(camera, &ICamera::sgCameraFrame, camera,
            [this](const QImage& image, const QSize& fullSize, const IShownFrame& shown) {
                onCameraFrame(image, fullSize, shown);
            }, Qt::DirectConnection);
    connect(camera, &ICamera::sgCaptureImage, camera, [this](QImage image) { onCaptureImage(image); },
            Qt::DirectConnection);
    connect(camera, &ICamera::sgChangeResolutionFromOtherApp, camera,
            [this](QSize size) { onChangeResolutionFromOtherApp(size); }, Qt::DirectConnection);

    m_imageTansformThread = new IImageTansformThread(m_app, this);
    connect(m_imageTansformThread, &IImageTansformThread::sgCaptureImage, this, &MainFrame::slCaputerImage);
    connect(m_imageTansformThread, &IImageTansformThread::sgCaptureFailed, this, &MainFrame::onCaptureFailed);
    m_imageTansformThread->start(QThread::InheritPriority);

    // Owned by the window: its plug notices concern this window only.
    auto* usb = new IMacUsbDevice(this);
    usb->setUseAVFoundation(ICamera::hasUseAVFoundation());
    connect(usb, &IMacUsbDevice::connectionChanged, this, &MainFrame::onUsbConnectionChanged);
}

void MainFrame::setEnabledApp(const bool& enabled)
{
    setEnabled(enabled);
}

void MainFrame::slHideSecondWidget(const int& barType, const QVariant& flag)
{
    const int id = flag.toInt();
    QWidget* named = nullptr;
    if (barType == 3) {
        switch (id) {
        case 0: named = m_focusFrame; break;
        case 2: named = m_pixRateFrame; break;
        case 7: named = m_parameterFrame; break;
        case 11: named = m_captureModeFrame; break;
        case 15: named = m_cameraFrame; break;
        case 16: named = m_smallCameraFrame; break;
        case 17: named = m_imageView; break;
        default: break;
        }
    } else if (barType == 2) {
        switch (id) {
        case 2: named = m_thicknessFrame; break;
        case 3: named = m_colorFrame; break;
        case 4: named = m_transparentFrame; break;
        case 6: named = m_figureFrame; break;
        case 7: named = m_eraseFrame; break;
        default: break;
        }
    } else if (barType == 1 && id == 1) {
        named = m_magnifierFrame;
    }
    // The caller is about to toggle this very panel off.
    if (named && named->isVisible())
        return;
    if (!m_colorFrame)
        return;

    m_titleWidget->hideCameraList();
    m_smallCameraFrame->hideCameraList();
    m_focusFrame->setFrameVisible(false);
    m_eraseFrame->setFrameVisible(false);
    m_colorFrame->setFrameVisible(false);
    m_cameraFrame->setFrameVisible(false);
    m_figureFrame->setFrameVisible(false);
    m_pixRateFrame->setFrameVisible(false);
    m_thicknessFrame->setFrameVisible(false);
    m_parameterFrame->setFrameVisible(false);
    m_transparentFrame->setFrameVisible(false);
    m_captureModeFrame->setFrameVisible(false);
}

void MainFrame::switchCamera(ICameraInfo info)
{
    setEnabledApp(false);
    if (m_timelapseFrame) {
        if (m_timelapseFrame->isRecording())
            stopTimelapse();
        if (m_timelapseFrame->isVisible()) {
            m_timelapseFrame->setFrameVisible(false);
            m_captureModeFrame->setCaptureMode(ICaptureModeFrame::CaptureMode(0));
        }
    }
    stopTimedCapture();
    if (m_videoRecordFrame && m_videoRecordFrame->isVisible())
        m_videoRecordFrame->stopVideoRecord();

    ICamera::instance()->switchCamera(info);
    m_firstOpen = true;
    IBoardService::instance()->clearCurrentSlidePathItems();
    resetCameraToggles();
}

QString MainFrame::stopTimelapse()
{
    for (Shot& shot : m_pendingShots) {
        if (shot == Shot::Timelapse)
            shot = Shot::Late;
    }
    if (m_timelapseFrame)
        m_timelapseFrame->stopTimerPhoto();
    int count = 0;
    const QString path = IFFmpegApi::instance()->stopPictureVynthesisVideo(count);
    if (!path.isEmpty())
        qDebug() << "video times: " << count << path;
    const QString error = IFFmpegApi::instance()->timelapseError();
    // No box while the window closes: a logout must not wait for an answer.
    if (!error.isEmpty() && !m_closing)
        IMsgBox::showMsg(tr("The time-lapse video could not be written completely: %1").arg(error), this);
    // Resolution and rotation were locked for the run.
    if (m_cameraToolBar)
        m_cameraToolBar->setButtonEnable(ICameraToolBar::Resolution, true);
    if (m_rightToolBar)
        m_rightToolBar->setButtonEnable(IRightToolBar::Rotate, true);
    return path;
}

void MainFrame::stopTimedCapture()
{
    if (m_timerCaptureFrame && m_timerCaptureFrame->isRecording()) {
        m_timerCaptureFrame->stop();
        m_captureModeFrame->setCaptureMode(ICaptureModeFrame::CaptureMode(0));
    }
}

void MainFrame::resetCameraToggles()
{
    // A new back end starts unfrozen and without edging: buttons and flag follow it.
    // It owes none of the old one's pictures.
    m_autoEdge = false;
    m_pendingShots.clear();
    if (m_cameraToolBar) {
        m_cameraToolBar->setButtonChecked(ICameraToolBar::Freeze, false);
        m_cameraToolBar->setButtonChecked(ICameraToolBar::AutoEdge, false);
    }
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        QWidget::closeEvent(event);
        return;
    }
    // A close request arriving during the wait below: the first one finishes the job.
    if (m_closing) {
        event->ignore();
        return;
    }
    m_closing = true;

    if (m_magnifierFrame)
        m_magnifierFrame->setFrameVisible(false);
    slHideSecondWidget(0, QVariant(0));
    IConfigureService::instance()->writeConfigure();
    delete m_imageTansformThread;
    m_imageTansformThread = nullptr;
    if (m_timelapseFrame && m_timelapseFrame->isRecording())
        stopTimelapse();
    IFFmpegApi::instance()->destoryRecord();
    ICamera::instance()->destoryCamera();
    if (m_smallCameraFrame && m_smallCameraFrame->isVisible())
        m_smallCameraFrame->setFrameVisible(false);

    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() <= 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);

    m_closed = true;
    m_closing = false;
    QWidget::closeEvent(event);
}

void MainFrame::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
}

void MainFrame::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
}
