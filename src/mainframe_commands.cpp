// What the buttons of the three bars, the Space key and the board's requests do.

#include "mainframe.h"

#include <QClipboard>
#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>

#include "board/iboard.h"
#include "board/widget/itimemsgbox.h"
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
#include "customui/imsgbox.h"
#include "customui/iparameterframe.h"
#include "customui/ipdfwriter.h"
#include "customui/ipixrateframe.h"
#include "customui/irighttoolbar.h"
#include "customui/ismallcameraframe.h"
#include "customui/ithicknessframe.h"
#include "customui/itimelapseframe.h"
#include "customui/itimercaptureframe.h"
#include "customui/itransparentframe.h"
#include "customui/ivideorecordframe.h"
#include "icamera.h"
#include "idialogseam.h"
#include "iglobal.h"
#include "imachelper.h"
#include "service/iboardservice.h"
#include "service/iconfigureservice.h"

namespace {
template <typename Panel>
void toggle(Panel* panel)
{
    if (panel)
        panel->setFrameVisible(!panel->isVisible());
}
}

void MainFrame::slCameratoolbarClick(bool state, QVariant id)
{
    slHideSecondWidget(3, id);
    switch (id.toInt()) {
    case 0: toggle(m_focusFrame); break;
    case 2: toggle(m_pixRateFrame); break;
    case 3: m_board->scalex(1.1); break;
    case 4: m_board->scalex(0.9); break;
    case 5: m_board->rotatex(90); break;
    case 6: ICamera::instance()->setRunFlag(!state); break;
    case 7: toggle(m_parameterFrame); break;
    case 8: m_board->resetTransformx(); break;
    case 9:
        m_autoEdge = state;
        ICamera::instance()->setAutoEdgeFlag(state);
        break;
    case 10: snapByCaptureMode(); break;
    case 11: toggle(m_captureModeFrame); break;
    case 12:
        if (!m_videoRecordFrame)
            m_videoRecordFrame = new IVideoRecordFrame(m_app, this);
        m_cameraToolBar->setButtonEnable(ICameraToolBar::VideoRecording, false);
        m_videoRecordFrame->setFrameVisible(true);
        break;
    case 14: exportPdf(); break;
    case 15: toggle(m_cameraFrame); break;
    case 16: toggle(m_smallCameraFrame); break;
    case 17: toggle(m_imageView); break;
    default: break;
    }
}

void MainFrame::snapByCaptureMode()
{
    switch (int(m_captureModeFrame->captureMode())) {
    case 0: captureImage(IMAGE_PLAIN); break;
    case 1: captureWindowToGallery(); break;
    case 2: showPartialCapture(); break;
    case 3: m_timerCaptureFrame->setFrameVisible(true); break;
    case 4: m_timelapseFrame->setFrameVisible(true); break;
    case 5: capturePictureToClipboard(); break;
    case 6: captureImage(IMAGE_BLACKWHITE); break;
    case 7: captureImage(IMAGE_GRAYSCALE); break;
    default: break;
    }
}

QRect MainFrame::cameraPictureRect() const
{
    const QRectF global = m_board->pixmapEleGlobalBoundingRect();
    const QPoint topLeft = mapFromGlobal(QPoint(qRound(global.x()), qRound(global.y())));
    return QRect(topLeft, QSize(qRound(global.width()), qRound(global.height())));
}

void MainFrame::captureWindowToGallery()
{
    const QImage image = grab(rect()).toImage();
    // The gallery saves the grab first and adds the row only when that worked.
    if (m_imgListWidget->insertItem(image))
        playPhotoSound();
}

void MainFrame::capturePictureToClipboard()
{
    const QPixmap pixmap = grab(cameraPictureRect());
    if (pixmap.isNull()) {
        IMsgBox::showMsg(tr("There is no picture to copy."), this);
        return;
    }
    playPhotoSound();
    QGuiApplication::clipboard()->setPixmap(pixmap, QClipboard::Clipboard);
    IMsgBox::showMsg(tr("Succeed!"), this);
}

void MainFrame::showPartialCapture()
{
    m_board->resetScalex();
    const QRectF global = m_board->pixmapEleGlobalBoundingRect();
    if (!m_captureFrame)
        m_captureFrame = new ICaptureFrame(m_app, this);
    const QPoint topLeft = mapFromGlobal(QPoint(qRound(global.x()), qRound(global.y())));
    m_captureFrame->setGeometryx(QRect(topLeft, QSize(qRound(global.width()), qRound(global.height()))));
    m_captureFrame->setFrameVisible(true);
}

void MainFrame::exportPdf()
{
    const QStringList paths = m_imgListWidget->getAllThumbnailPath(true);
    if (paths.isEmpty()) {
        ITimeMsgBox::instance()->showMessageBox(tr("请先选择左边列表文件"), 1000, QPoint(-1000, -1000));
        return;
    }
    QString file = IDialogSeam::getSaveFileName(
        nullptr, tr("Save"), g_filedialog_path + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss")),
        tr("PDF File (*.pdf)"));
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".pdf");

    QString error;
    QStringList unreadable;
    if (!writePicturesToPdf(paths, file, &error, &unreadable)) {
        IMsgBox::showMsg(tr("Save failed. %1").arg(error), nullptr);
        return;
    }
    IConfigureService::instance()->setFiledialogPath(file.left(file.lastIndexOf(QLatin1Char('/')) + 1));
    if (!unreadable.isEmpty()) {
        IMsgBox::showMsg(tr("Saved, but these pictures could not be read and left empty pages:\n%1")
                             .arg(unreadable.join(QLatin1Char('\n'))),
                         nullptr);
        return;
    }
    IMsgBox::showMsg(tr("Save Successful."), nullptr);
}

void MainFrame::slBoardToolBarClick(bool, QVariant id)
{
    slHideSecondWidget(2, id);
    IBoardService* board = IBoardService::instance();
    IConfigureService* config = IConfigureService::instance();
    switch (id.toInt()) {
    case 0: board->switchSelect(TX_IBOARD_ENUM::SceneDisplayMode(0)); break;
    case 1:
        board->switchPencil(config->pencilColor(), double(config->pencilThickness()),
                            double(config->pencilTransparent()), TX_IBOARD_ENUM::SceneDisplayMode(0));
        break;
    case 2: toggle(m_thicknessFrame); break;
    case 3: toggle(m_colorFrame); break;
    case 4: toggle(m_transparentFrame); break;
    case 5: board->switchTextEdit(TX_IBOARD_ENUM::SceneDisplayMode(0)); break;
    case 6: toggle(m_figureFrame); break;
    case 7:
        board->switchEraserPoint(100, TX_IBOARD_ENUM::SceneDisplayMode(0));
        toggle(m_eraseFrame);
        break;
    case 8: board->clearCurrentSlidePathItems(); break;
    case 9:
        m_boardToolBar->hide();
        m_rightToolBar->show();
        m_boardToolBar->setButtonSelectState(QVariant(0), true);
        board->switchSelect(TX_IBOARD_ENUM::SceneDisplayMode(0));
        m_boardBarShown = false;
        break;
    default: break;
    }
}

void MainFrame::slRightToolBarClick(bool, QVariant id)
{
    slHideSecondWidget(1, id);
    switch (id.toInt()) {
    case 0:
        m_rightToolBar->hide();
        m_boardToolBar->show();
        m_boardBarShown = true;
        break;
    case 1: toggle(m_magnifierFrame); break;
    case 2: m_board->scalex(1.1); break;
    case 3: m_board->scalex(0.9); break;
    case 4: m_board->rotatex(90); break;
    case 5: m_board->resetTransformx(); break;
    default: break;
    }
}

void MainFrame::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space)
        slCameratoolbarClick(true, QVariant(10));
    QWidget::keyPressEvent(event);
}

void MainFrame::onTitleMoved()
{
    slHideSecondWidget(0, QVariant(0));
    // A running time-lapse keeps its panel while the window is dragged.
    if (m_timelapseFrame && !m_timelapseFrame->isRecording() && m_timelapseFrame->isVisible())
        m_timelapseFrame->setFrameVisible(false);
}

void MainFrame::onBoardClicked()
{
    slHideSecondWidget(0, QVariant(0));
}

void MainFrame::onFullScreen(bool full)
{
    m_titleWidget->setVisible(!full);
    m_imgListWidget->setVisible(!full);
    if (m_boardBarShown)
        m_boardToolBar->setVisible(!full);
    else
        m_rightToolBar->setVisible(!full);
    m_cameraToolBar->setVisible(!full);
    if (full) {
        m_windowState = windowState();
        showFullScreen();
    } else {
        setFramelessWindowHintForMac(this);
        setWindowState(m_windowState);
    }
}
