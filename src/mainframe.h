#ifndef MAINFRAME_H
#define MAINFRAME_H

#include <QImage>
#include <QQueue>
#include <QSize>
#include <QString>
#include <QVariant>
#include <QWidget>

#include "icameratypes.h"
#include "ishownframe.h"

class IApplication;
class IBoard;
class IBoardToolBar;
class ICameraFrame;
class ICameraToolBar;
class ICaptureFrame;
class ICaptureModeFrame;
class IColorFrame;
class IEraseFrame;
class IFigureFrame;
class IFocusFrame;
class IImageTansformThread;
class IImgListWidget;
class IMagnifierFrame;
class IMainTitleWidget;
class IParameterFrame;
class IPixRateFrame;
class IRightToolBar;
class ISettingFrame;
class ISmallCameraFrame;
class IThicknessFrame;
class ITimelapseFrame;
class ITimerCaptureFrame;
class ITransparentFrame;
class IVideoRecordFrame;
class ImageView;

// The program's frameless main window: it owns the board, the bars, the gallery, the
// panels and the snapshot thread, and wires them to the camera manager. The members are
// public: panels reach them through IApplication::mainFrame().
class MainFrame : public QWidget
{
    Q_OBJECT
public:
    explicit MainFrame(IApplication* app, QWidget* parent = nullptr);
    ~MainFrame() override;

    // Adds the first page and the camera picture, then opens the camera (InitData).
    virtual void InitFirstSlide();
    // Asks the camera for one picture of that type; it reaches the gallery, or the
    // time-lapse video for a time-lapse shot.
    virtual void captureImage(ImageType type);
    virtual void setEnabledApp(const bool& enabled);
    virtual void switchCamera(ICameraInfo info);

    IApplication* application() const { return m_app; }
    // True while the picture captured next belongs to the time-lapse video.
    bool isTimelapseShot() const { return !m_pendingShots.isEmpty() && m_pendingShots.head() == Shot::Timelapse; }

public slots:
    // Hides the tool-bar panels unless (barType, flag) names the one already open.
    // Bar types: 1 right tool bar, 2 board tool bar, 3 camera tool bar.
    virtual void slHideSecondWidget(const int& barType = 0, const QVariant& flag = QVariant(0));
    virtual void slRightToolBarClick(bool state, QVariant id);
    virtual void slBoardToolBarClick(bool state, QVariant id);
    virtual void slCameratoolbarClick(bool state, QVariant id);
    virtual void slCaputerImage(QImage picture, QString path);

public:
    // The shutter sound, when enabled in the settings.
    virtual void playPhotoSound();

protected:
    virtual void InitBorad();
    virtual void CreateUI();
    virtual void InitData();
    virtual void ConvertCaptureImage(QImage picture);

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Camera manager and plug watcher handlers.
    void onCameraError(int code);
    void onCameraFrame(const QImage& image, const QSize& fullSize, const IShownFrame& shown);
    void onRunCopyImage();
    void onCaptureImage(const QImage& image);
    void onChangeResolutionFromOtherApp(const QSize& size);
    void onCaptureFailed(const QString& path, const QString& reason);

private slots:
    void onUsbConnectionChanged(bool connected, const QString& id);

private:

    // Panel handlers.
    void onCaptureModeChanged(int mode);
    void onTimelapseCommand(int op);
    void onTitleMoved();
    void onBoardClicked();
    void onFullScreen(bool full);

    // Asks the camera manager for a picture; false when the request was refused.
    bool requestCapture(ImageType type, bool timelapseShot = false);

    // Snap by the capture mode, and the commands it leads to.
    void snapByCaptureMode();
    void captureWindowToGallery();
    void capturePictureToClipboard();
    void showPartialCapture();
    void exportPdf();
    // The camera picture's screen rectangle, rounded, in this window's coordinates.
    QRect cameraPictureRect() const;

    // Stops a running time-lapse and finalises its video; the path, empty when
    // nothing was written.
    QString stopTimelapse();
    // Stops a running timed capture.
    void stopTimedCapture();
    // Freeze and automatic edging back to off, button and flag together.
    void resetCameraToggles();
    void setBarsEnabled(bool enabled);
    static void showNotice(const QString& text);

public:
    bool m_firstOpen = true;
    IBoard* m_board = nullptr;
    IApplication* m_app = nullptr;
    bool m_autoEdge = false;
    // What a capture the camera still owes is for: a stop turns its time-lapse shots
    // into late ones, which go neither to the gallery nor to a later run.
    enum class Shot { Snapshot, Timelapse, Late };
    // One entry per capture the camera still owes, in request order.
    QQueue<Shot> m_pendingShots;
    bool m_boardBarShown = false;
    Qt::WindowStates m_windowState = Qt::WindowNoState;
    IMainTitleWidget* m_titleWidget = nullptr;
    IImgListWidget* m_imgListWidget = nullptr;
    IBoardToolBar* m_boardToolBar = nullptr;
    IRightToolBar* m_rightToolBar = nullptr;
    ICameraToolBar* m_cameraToolBar = nullptr;
    ImageView* m_imageView = nullptr;
    IFocusFrame* m_focusFrame = nullptr;
    IEraseFrame* m_eraseFrame = nullptr;
    IColorFrame* m_colorFrame = nullptr;
    ICameraFrame* m_cameraFrame = nullptr;
    IFigureFrame* m_figureFrame = nullptr;
    ISettingFrame* m_settingFrame = nullptr;
    ICaptureFrame* m_captureFrame = nullptr;
    IPixRateFrame* m_pixRateFrame = nullptr;
    ITimelapseFrame* m_timelapseFrame = nullptr;
    IMagnifierFrame* m_magnifierFrame = nullptr;
    IParameterFrame* m_parameterFrame = nullptr;
    IThicknessFrame* m_thicknessFrame = nullptr;
    ITransparentFrame* m_transparentFrame = nullptr;
    IVideoRecordFrame* m_videoRecordFrame = nullptr;
    ICaptureModeFrame* m_captureModeFrame = nullptr;
    ITimerCaptureFrame* m_timerCaptureFrame = nullptr;
    ISmallCameraFrame* m_smallCameraFrame = nullptr;
    IImageTansformThread* m_imageTansformThread = nullptr;

private:
    // A second close during the teardown's wait must not run it again.
    bool m_closing = false;
    bool m_closed = false;
};

#endif
