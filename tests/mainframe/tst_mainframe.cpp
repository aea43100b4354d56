// The main window end to end: the program's own start-up against the simulated Wi-Fi
// camera on 127.0.0.1, then snapshots, screen captures, freeze, PDF export and
// time-lapse videos through the window's commands.

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QtTest>

#include <csignal>

#include "board/iboard.h"
#include "board/item/ipixmapitem.h"
#include "board/islide.h"
#include "board/item/itextelement.h"
#include "board/model/imodemanage.h"
#include "board/model/iselectorpathmode.h"
#include "board/widget/itimemsgbox.h"
#include "camerarig.h"
#include "customui/icameratoolbar.h"
#include "customui/icaptureframe.h"
#include "customui/icapturemodeframe.h"
#include "customui/iboardtoolbar.h"
#include "customui/iimglist.h"
#include "customui/iimglistitem.h"
#include "customui/iimglistwidget.h"
#include "customui/imaintitlewidget.h"
#include "customui/icolorframe.h"
#include "customui/imagnifierframe.h"
#include "customui/iparameterframe.h"
#include "customui/ipixrateframe.h"
#include "customui/irighttoolbar.h"
#include "customui/itimelapseframe.h"
#include "iapplication.h"
#include "icamera.h"
#include "iimagetansformthread.h"
#include "iglobal.h"
#include "customui/iitoolbutton.h"
#include "mainframe.h"
#include "service/iboardservice.h"
#include "service/iconfigureservice.h"
#include "ffmpeg/iavptr.h"
#include "testenv.h"
#include "../recorder/videoprobe.h"

namespace {
const QSize kStream(320, 240);
const QSize kPhoto(640, 480);

MainFrame* frame()
{
    return qobject_cast<IApplication*>(qApp)->mainFrame();
}

int galleryRows()
{
    return frame()->m_imgListWidget->list()->count();
}

QStringList photoFiles()
{
    return QDir(IConfigureService::instance()->photoPath()).entryList(QDir::Files, QDir::Name);
}

QStringList videoFiles()
{
    return QDir(IConfigureService::instance()->videoPath()).entryList({QStringLiteral("*.mp4")}, QDir::Files,
                                                                      QDir::Name);
}

void setCaptureMode(int mode)
{
    frame()->m_captureModeFrame->setCaptureMode(ICaptureModeFrame::CaptureMode(mode));
}

void timelapse(OperateType op)
{
    emit frame()->m_timelapseFrame->sgCaptureImage(op);
}

int timelapseShots()
{
    return frame()->m_timelapseFrame->counter()->shots();
}

// Share of pixels that are nearly black or nearly white.
double extremeShare(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    int extreme = 0;
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            if (line[x] < 40 || line[x] > 215)
                ++extreme;
    }
    return double(extreme) / (grey.width() * grey.height());
}

// The frame size the video file announces, read without decoding: the decoding probe
// converts into an unpadded picture, which portrait sizes overrun.
QSize videoFrameSize(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, name.constData(), nullptr, nullptr) < 0)
        return QSize();
    IAVInputPtr input(raw);
    if (avformat_find_stream_info(input.get(), nullptr) < 0)
        return QSize();
    const int index = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return QSize();
    const AVCodecParameters* codec = input->streams[index]->codecpar;
    return QSize(codec->width, codec->height);
}

// The text of the transient notice last shown.
QString noticeText()
{
    for (QLabel* label : ITimeMsgBox::instance()->findChildren<QLabel*>())
        if (!label->text().isEmpty())
            return label->text();
    return QString();
}

// Positions along one line (a row for Qt::Horizontal, else a column) where the colour
// jumps, one per edge despite the JPEG's soft transitions.
QList<int> edgesAlong(const QImage& image, Qt::Orientation along, int line)
{
    const bool row = along == Qt::Horizontal;
    const int length = row ? image.width() : image.height();
    auto at = [&](int i) { return row ? image.pixel(i, line) : image.pixel(line, i); };
    QList<int> edges;
    int best = 0;
    int bestAt = -1;
    for (int i = 1; i < length; ++i) {
        const QRgb a = at(i - 1);
        const QRgb b = at(i);
        const int jump = qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
        if (jump > 60 && jump > best) {
            best = jump;
            bestAt = i;
        }
        // An edge ends where the colour has settled for a few pixels.
        if (bestAt >= 0 && i - bestAt > 3) {
            edges << bestAt;
            best = 0;
            bestAt = -1;
        }
    }
    if (bestAt >= 0)
        edges << bestAt;
    return edges;
}

TX_IBOARD_ENUM::ModeType boardMode()
{
    return frame()->m_board->modeManage()->currentModeType();
}

int pdfPageCount(const QByteArray& pdf)
{
    return pdf.count("/Type /Page\n") + pdf.count("/Type /Page>") + pdf.count("/Type /Page\r");
}
}

class TestMainFrame : public QObject
{
    Q_OBJECT

public:
    explicit TestMainFrame(CameraRig* rig) : m_rig(rig) {}

private:
    // Takes a snapshot through the Snap button and waits for its gallery row.
    // A left-button drag across the middle of the camera picture.
    void dragOnPicture()
    {
        IBoard* board = frame()->m_board;
        const QRectF picture = board->pixmapEleBoundingRect();
        const QPoint from = board->mapFromScene(picture.center());
        const QPoint to = board->mapFromScene(picture.center() + QPointF(picture.width() / 5, picture.height() / 8));
        QTest::mousePress(board->viewport(), Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(board->viewport(), &move);
        QMouseEvent end(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(board->viewport(), &end);
        QTest::mouseRelease(board->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    }

    QString snap()
    {
        const int rows = galleryRows();
        const QStringList before = photoFiles();
        frame()->slCameratoolbarClick(true, QVariant(ICameraToolBar::Snap));
        if (!QTest::qWaitFor([&] { return galleryRows() == rows + 1; }, 10000))
            return QString();
        QStringList after = photoFiles();
        for (const QString& f : before)
            after.removeAll(f);
        return after.size() == 1 ? IConfigureService::instance()->photoPath() + after.first() : QString();
    }

    // A time-lapse run with the panel's own timer paused, so the test sets the pace.
    bool startTimelapse()
    {
        // Videos are named by the second they start in.
        (void)QTest::qWaitFor([this] { return QDateTime::currentSecsSinceEpoch() > m_lastRun; }, 5000);
        m_lastRun = QDateTime::currentSecsSinceEpoch();
        setCaptureMode(ICaptureModeFrame::TimeLapse);
        frame()->slCameratoolbarClick(true, QVariant(ICameraToolBar::Snap));
        timelapse(OPERATE_START);
        timelapse(OPERATE_PAUSE);
        return frame()->m_timelapseFrame->isRecording();
    }
    bool timelapseShot()
    {
        // Right after a (re)connection the control link may still refuse photos, as
        // the panel's own timer would meet them: ask again.
        const int shots = timelapseShots();
        for (int attempt = 0; attempt < 10; ++attempt) {
            timelapse(OPERATE_PHOTO);
            if (QTest::qWaitFor([&] { return timelapseShots() == shots + 1; }, 1000))
                return true;
        }
        return false;
    }

    CameraRig* m_rig;
    qint64 m_lastRun = 0;  // the second the last run started in

private slots:
    void init()
    {
        TestEnv::clearMessages();
        m_rig->control().setPhotoDelay(0);
        m_rig->control().setFault(SimCamera::NoFault);
    }

    void startupShowsWindowWithLivePicture()
    {
        MainFrame* f = frame();
        QVERIFY(f);
        QVERIFY(g_wifi_camera);
        QCOMPARE(g_camera_info.index, 999);
        QTRY_VERIFY_WITH_TIMEOUT(f->isVisible(), 10000);
        QVERIFY(f->isEnabled());
        QVERIFY(TestEnv::messages().isEmpty());
        QVERIFY(f->m_rightToolBar->isVisible());
        QVERIFY(!f->m_boardToolBar->isVisible());
        QVERIFY(f->m_imageTansformThread && f->m_imageTansformThread->isRunning());
        IPixmapItem* item = f->m_board->pixmapElement();
        QVERIFY(item);
        QCOMPARE(item->zValue(), -9999999.0);
        QTRY_VERIFY(item->isVisible());

        // Live frames reach the board and keep coming.
        QTRY_COMPARE_WITH_TIMEOUT(item->image().size(), kStream, 10000);
        const qint64 first = item->image().cacheKey();
        QTRY_VERIFY_WITH_TIMEOUT(item->image().cacheKey() != first, 5000);
    }

    void snapByCaptureMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("default") << int(ICaptureModeFrame::Default);
        QTest::newRow("black and white") << int(ICaptureModeFrame::BlackWhiteCapture);
        QTest::newRow("grey") << int(ICaptureModeFrame::GrayCapture);
    }
    void snapByCaptureMode()
    {
        QFETCH(int, mode);
        setCaptureMode(mode);
        const int photos = m_rig->control().photosSent();
        const QString path = snap();
        QVERIFY2(!path.isEmpty(), "no gallery row and file");
        QCOMPARE(m_rig->control().photosSent(), photos + 1); // a full-resolution photo was fetched
        QCOMPARE(frame()->m_imgListWidget->getAllThumbnailPath(false).last(), path);

        const QImage saved(path);
        QCOMPARE(saved.size(), kPhoto);
        // The last of the scene's colour bars is blue.
        const QColor blue = saved.pixelColor(kPhoto.width() * 13 / 14, kPhoto.height() / 3);
        if (mode == ICaptureModeFrame::Default) {
            QVERIFY2(blue.blue() > blue.red() + 100, qPrintable(blue.name()));
        } else if (mode == ICaptureModeFrame::GrayCapture) {
            QVERIFY(qAbs(blue.red() - blue.blue()) < 8 && qAbs(blue.green() - blue.blue()) < 8);
            QVERIFY(extremeShare(saved) < 0.5);
        } else {
            QVERIFY(extremeShare(saved) > 0.97);
        }
    }

    void textAppearsInSnapshot()
    {
        setCaptureMode(ICaptureModeFrame::Default);
        const QString plainPath = snap();
        QVERIFY(!plainPath.isEmpty());
        IBoard* board = frame()->m_board;
        auto* text = new ITextElement(QStringLiteral("MMMM"));
        text->setFontSize(48);
        text->setDefaultTextColor(Qt::magenta);
        const QRectF picture = board->pixmapEleBoundingRect();
        text->setPos(picture.topLeft() + QPointF(picture.width() / 10, picture.height() / 10));
        board->currentSlide()->add(text, false);
        board->setSelected(text, true);
        const QString textPath = snap();
        IBoardService::instance()->clearCurrentSlidePathItems();
        QVERIFY(!textPath.isEmpty());

        const QImage plain(plainPath);
        const QImage written(textPath);
        QCOMPARE(written.size(), plain.size());
        // Magenta pixels where the text stands, none in the plain picture.
        auto magenta = [](const QImage& img) {
            int n = 0;
            for (int y = 0; y < img.height() / 2; ++y) {
                for (int x = 0; x < img.width() / 2; ++x) {
                    const QColor c = img.pixelColor(x, y);
                    if (c.red() > 200 && c.blue() > 200 && c.green() < 80)
                        ++n;
                }
            }
            return n;
        };
        QCOMPARE(magenta(plain), 0);
        QVERIFY2(magenta(written) > 200, qPrintable(QString::number(magenta(written))));
    }

    void spaceKeySnaps()
    {
        setCaptureMode(ICaptureModeFrame::Default);
        const int rows = galleryRows();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QApplication::sendEvent(frame(), &press);
        QTRY_COMPARE_WITH_TIMEOUT(galleryRows(), rows + 1, 10000);
    }

    void screenCaptureToGalleryAndClipboard()
    {
        setCaptureMode(ICaptureModeFrame::ScreenCapture);
        const int photos = m_rig->control().photosSent();
        const QString path = snap();
        QVERIFY(!path.isEmpty());
        QCOMPARE(m_rig->control().photosSent(), photos); // the camera is not asked
        QCOMPARE(QImageReader(path).size(), frame()->size());

        QApplication::clipboard()->clear();
        setCaptureMode(ICaptureModeFrame::ScreenCaptureToClipboard);
        const int rows = galleryRows();
        frame()->slCameratoolbarClick(true, QVariant(ICameraToolBar::Snap));
        QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("Succeed!")});
        const QImage copied = QApplication::clipboard()->image();
        QVERIFY(!copied.isNull());
        const QRectF picture = frame()->m_board->pixmapEleGlobalBoundingRect();
        QCOMPARE(copied.size(), QSize(qRound(picture.width()), qRound(picture.height())));
        QCOMPARE(galleryRows(), rows);
        setCaptureMode(ICaptureModeFrame::Default);
    }

    void freezeStopsPicture()
    {
        IPixmapItem* item = frame()->m_board->pixmapElement();
        frame()->slCameratoolbarClick(true, QVariant(ICameraToolBar::Freeze));
        // Frames already on their way may still show.
        QVERIFY(waitForStillPicture([item] { return item->image().cacheKey(); }));
        const qint64 frozen = item->image().cacheKey();
        QTest::qWait(1000);
        QCOMPARE(item->image().cacheKey(), frozen);
        QVERIFY(!item->image().isNull());

        frame()->slCameratoolbarClick(false, QVariant(ICameraToolBar::Freeze));
        QTRY_VERIFY_WITH_TIMEOUT(item->image().cacheKey() != frozen, 5000);
    }

    void panelHidingRule()
    {
        MainFrame* f = frame();
        f->slHideSecondWidget();
        f->slCameratoolbarClick(true, QVariant(ICameraToolBar::Resolution));
        QVERIFY(f->m_pixRateFrame->isVisible());

        // Another bar's panel: the open one closes first; the magnifier is not one of
        // the panels the rule closes.
        f->slRightToolBarClick(true, QVariant(IRightToolBar::Magnifier));
        QVERIFY(f->m_magnifierFrame->isVisible());
        QVERIFY(!f->m_pixRateFrame->isVisible());
        f->slCameratoolbarClick(true, QVariant(ICameraToolBar::ColorAdjusting));
        QVERIFY(f->m_parameterFrame->isVisible());
        QVERIFY(f->m_magnifierFrame->isVisible());

        // Clicking the button of the open panel closes only that one.
        f->m_colorFrame->setFrameVisible(true);
        f->slCameratoolbarClick(true, QVariant(ICameraToolBar::ColorAdjusting));
        QVERIFY(!f->m_parameterFrame->isVisible());
        QVERIFY(f->m_colorFrame->isVisible());

        // A press on the board closes the pop-up panels.
        emit f->m_board->sgClickOnBoard();
        QVERIFY(!f->m_colorFrame->isVisible());
        QVERIFY(f->m_magnifierFrame->isVisible());
        f->slRightToolBarClick(true, QVariant(IRightToolBar::Magnifier));
        QVERIFY(!f->m_magnifierFrame->isVisible());
    }

    void boardAndHomeSwitchBarsAndModes()
    {
        MainFrame* f = frame();
        const TX_IBOARD_ENUM::ModeType atStart = boardMode();
        f->slRightToolBarClick(true, QVariant(IRightToolBar::Board));
        QVERIFY(f->m_boardToolBar->isVisible());
        QVERIFY(!f->m_rightToolBar->isVisible());
        QCOMPARE(boardMode(), atStart);

        f->slBoardToolBarClick(true, QVariant(1)); // Pencil
        QCOMPARE(boardMode(), TX_IBOARD_ENUM::MODE_PEN);
        const int strokes = f->m_board->currentSlide()->elements().size();
        dragOnPicture();   // the same drag draws with the pen
        QCOMPARE(f->m_board->currentSlide()->elements().size(), strokes + 1);
        IBoardService::instance()->clearCurrentSlidePathItems();
        f->slBoardToolBarClick(true, QVariant(7)); // Eraser, with its size panel
        QCOMPARE(boardMode(), TX_IBOARD_ENUM::MODE_ERASER_POINT);

        // Full screen hides the bar in use and leaves the window as it was.
        const Qt::WindowStates before = f->windowState();
        emit f->m_board->sgIsFullScreen(true);
        QVERIFY(f->windowState() & Qt::WindowFullScreen);
        QVERIFY(!f->m_titleWidget->isVisible());
        QVERIFY(!f->m_imgListWidget->isVisible());
        QVERIFY(!f->m_boardToolBar->isVisible());
        QVERIFY(!f->m_cameraToolBar->isVisible());
        emit f->m_board->sgIsFullScreen(false);
        QVERIFY(f->isVisible());
        QCOMPARE(f->windowState(), before);
        QVERIFY(f->m_titleWidget->isVisible());
        QVERIFY(f->m_boardToolBar->isVisible());
        QVERIFY(!f->m_rightToolBar->isVisible());

        f->slBoardToolBarClick(true, QVariant(9)); // Home
        QVERIFY(!f->m_boardToolBar->isVisible());
        QVERIFY(f->m_rightToolBar->isVisible());
        QVERIFY(!f->m_boardBarShown);
        // Home leaves the board in the select mode: a drag over the picture draws nothing.
        QCOMPARE(boardMode(), TX_IBOARD_ENUM::MODE_SELECT);
        QVERIFY(dynamic_cast<ISelectorPathMode*>(f->m_board->modeManage()->currentMode()));
        const int elements = f->m_board->currentSlide()->elements().size();
        dragOnPicture();
        QCOMPARE(f->m_board->currentSlide()->elements().size(), elements);
        // Full screen now leaves the right tool bar to hide and show.
        emit f->m_board->sgIsFullScreen(true);
        QVERIFY(!f->m_rightToolBar->isVisible());
        emit f->m_board->sgIsFullScreen(false);
        QVERIFY(f->m_rightToolBar->isVisible());
        QVERIFY(!f->m_boardToolBar->isVisible());
        f->slHideSecondWidget();
    }

    void cameraCodesEnableWindowWithNotice()
    {
        MainFrame* f = frame();
        f->setEnabledApp(false);
        emit ICamera::instance()->sgError(2);
        QVERIFY(f->isEnabled());
        QCOMPARE(noticeText(), QStringLiteral("Resolution settings failed, please re-select."));

        f->setEnabledApp(false);
        emit ICamera::instance()->sgError(3);
        QVERIFY(f->isEnabled());
        QVERIFY(noticeText().startsWith(QStringLiteral("The camera is not available")));

        // A later code 0 only enables: the window stays as it is.
        f->setEnabledApp(false);
        emit ICamera::instance()->sgError(0);
        QVERIFY(f->isEnabled());
        QVERIFY(f->isVisible());
        QVERIFY(TestEnv::messages().isEmpty());
    }

    void capturedPictureEdgeCases()
    {
        MainFrame* f = frame();
        ICamera* camera = ICamera::instance();

        // A failed photo: no job, the user is told, a pending time-lapse mark goes.
        const int rows = galleryRows();
        f->m_pendingShots.enqueue(MainFrame::Shot::Timelapse);
        emit camera->sgCaptureImage(QImage());
        QVERIFY(f->m_pendingShots.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(galleryRows(), rows);

        // No camera area to fit into: the picture is taken 1:1 instead of with
        // infinite scales.
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QSizeF show = f->m_board->cameraShowSize();
        f->m_board->setCameraShowsize(QSizeF(0, 0));
        emit camera->sgCaptureImage(picture);
        f->m_board->setCameraShowsize(show);
        QTRY_COMPARE_WITH_TIMEOUT(galleryRows(), rows + 1, 5000);
        QImage saved(f->m_imgListWidget->getAllThumbnailPath(false).last());
        QCOMPARE(saved.size(), picture.size());

        // Partial capture chosen but its frame never opened: the whole picture.
        QVERIFY(!f->m_captureFrame);
        setCaptureMode(ICaptureModeFrame::PartialScreenCapture);
        emit camera->sgCaptureImage(picture);
        setCaptureMode(ICaptureModeFrame::Default);
        QTRY_COMPARE_WITH_TIMEOUT(galleryRows(), rows + 2, 5000);
        saved.load(f->m_imgListWidget->getAllThumbnailPath(false).last());
        QCOMPARE(saved.size(), picture.size());
    }

    // A partial capture saves the region selected over the live picture (320x240) at
    // the photo's scale, for a photo of the stream's aspect and for one of another.
    void partialCaptureSavesTheSelectedRegion()
    {
        MainFrame* f = frame();
        // Drawings would be saved over the picture: a clean, unrotated page.
        IBoardService::instance()->clearCurrentSlidePathItems();
        QCOMPARE(f->m_board->rotateValue(), 0);
        for (const QSize& photo : {kPhoto, QSize(800, 450)}) {
            m_rig->control().setPhotoSize(photo);
            setCaptureMode(ICaptureModeFrame::PartialScreenCapture);
            f->slCameratoolbarClick(true, QVariant(ICameraToolBar::Snap));
            QVERIFY(f->m_captureFrame && f->m_captureFrame->isVisible());
            // The frame covers the live picture on screen; the region crosses four bar
            // edges and the bars' lower edge, clear of the clock.
            const QSize screen = f->m_captureFrame->size();
            const QRect region(screen.width() / 4, screen.height() / 2, screen.width() / 2, screen.height() / 5);
            f->m_captureFrame->setSelectRect(region);
            QCOMPARE(f->m_captureFrame->getSelectRect(), region);
            const int rows = galleryRows();
            f->m_captureFrame->onButtonClick(true, QVariant(1));
            QTRY_COMPARE_WITH_TIMEOUT(galleryRows(), rows + 1, 10000);
            const QImage saved(f->m_imgListWidget->getAllThumbnailPath(false).last());

            const double sx = double(photo.width()) / screen.width();
            const double sy = double(photo.height()) / screen.height();
            const QRectF expected(region.x() * sx, region.y() * sy, region.width() * sx, region.height() * sy);
            const QString shape = QStringLiteral("photo %1x%2, saved %3x%4")
                                      .arg(photo.width()).arg(photo.height()).arg(saved.width()).arg(saved.height());
            QVERIFY2(qAbs(saved.width() - expected.width()) <= 2, qPrintable(shape));
            QVERIFY2(qAbs(saved.height() - expected.height()) <= 2, qPrintable(shape));
            // Where the photo's bar edges fall inside the saved picture gives its offset.
            QList<double> across;
            for (int i = 1; i < 7; ++i) {
                const double x = photo.width() * i / 7 - expected.x();
                if (x > 3 && x < saved.width() - 3)
                    across << x;
            }
            QCOMPARE(across.size(), 4);
            const QList<int> edges = edgesAlong(saved, Qt::Horizontal, 4);
            QCOMPARE(edges.size(), across.size());
            for (int i = 0; i < across.size(); ++i)
                QVERIFY2(qAbs(edges.at(i) - across.at(i)) <= 2, qPrintable(shape));
            const QList<int> down = edgesAlong(saved, Qt::Vertical, qRound(across.first()) + 6);
            QCOMPARE(down.size(), 1);
            QVERIFY2(qAbs(down.first() - (photo.height() * 2 / 3 - expected.y())) <= 2, qPrintable(shape));
        }
        m_rig->control().setPhotoSize(kPhoto);
        setCaptureMode(ICaptureModeFrame::Default);
    }

    void pdfOfMarkedPictures()
    {
        // Nothing marked: a notice, no dialog.
        IImgList* list = frame()->m_imgListWidget->list();
        list->selectAllSatte(false);
        frame()->slCameratoolbarClick(true, QVariant(ICameraToolBar::Pdf));
        QVERIFY(TestEnv::messages().isEmpty());

        QVERIFY(list->count() >= 2);
        list->rowWidget(0)->setSlideSelect(true);
        list->rowWidget(1)->setSlideSelect(true);
        QCOMPARE(frame()->m_imgListWidget->getAllThumbnailPath(true).size(), 2);

        // A name without suffix gets ".pdf".
        QDir().mkpath(TestEnv::homePath() + "/out");
        TestEnv::clearMessages();
        TestEnv::queueFileAnswer({TestEnv::homePath() + "/out/pictures"});
        frame()->slCameratoolbarClick(true, QVariant(ICameraToolBar::Pdf));
        QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("Save Successful.")});
        QFile pdf(TestEnv::homePath() + "/out/pictures.pdf");
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QCOMPARE(pdfPageCount(bytes), 2);
        const int at = bytes.indexOf("/MediaBox [");
        QVERIFY(at >= 0);
        const QByteArray box = bytes.mid(at + 11, bytes.indexOf(']', at) - at - 11);
        const QList<QByteArray> numbers = box.simplified().split(' ');
        QCOMPARE(numbers.size(), 4);
        QVERIFY2(qAbs(numbers.at(2).toDouble() - 595.0) < 1.5, box.constData()); // A4 in points
        QVERIFY2(qAbs(numbers.at(3).toDouble() - 842.0) < 1.5, box.constData());
        QCOMPARE(g_filedialog_path, TestEnv::homePath() + "/out/");

        // A file that cannot be written is reported, not announced as saved.
        TestEnv::clearMessages();
        TestEnv::queueFileAnswer({TestEnv::homePath() + "/missing/folder/x.pdf"});
        frame()->slCameratoolbarClick(true, QVariant(ICameraToolBar::Pdf));
        QCOMPARE(TestEnv::messages().size(), 1);
        QVERIFY(TestEnv::messages().first() != QStringLiteral("Save Successful."));
        QCOMPARE(g_filedialog_path, TestEnv::homePath() + "/out/");
        list->selectAllSatte(false);
    }

    void timelapseMakesVideo()
    {
        const QStringList before = videoFiles();
        const int rows = galleryRows();
        const int photos = photoFiles().size();
        QVERIFY(startTimelapse());
        // Resolution and rotation are locked during the run.
        QVERIFY(!frame()->m_cameraToolBar->button(ICameraToolBar::Resolution)->isEnabled());
        QVERIFY(!frame()->m_rightToolBar->button(IRightToolBar::Rotate)->isEnabled());
        const int shots = 3;
        for (int i = 0; i < shots; ++i)
            QVERIFY(timelapseShot());
        timelapse(OPERATE_STOP);
        QVERIFY(!frame()->m_timelapseFrame->isRecording());
        QVERIFY(frame()->m_cameraToolBar->button(ICameraToolBar::Resolution)->isEnabled());
        QVERIFY(frame()->m_rightToolBar->button(IRightToolBar::Rotate)->isEnabled());
        QVERIFY(TestEnv::messages().isEmpty());

        // Time-lapse shots never reach the gallery or the photo folder.
        QCOMPARE(galleryRows(), rows);
        QCOMPARE(photoFiles().size(), photos);

        QStringList after = videoFiles();
        for (const QString& f : before)
            after.removeAll(f);
        QCOMPARE(after.size(), 1);
        const VideoProbe probe = probeVideo(IConfigureService::instance()->videoPath() + after.first());
        QVERIFY(probe.opened);
        QCOMPARE(probe.codec, AV_CODEC_ID_H264);
        QCOMPARE(probe.packets, shots);
        QCOMPARE(QSize(probe.width, probe.height), g_camera_resolution);
    }

    void emptyTimelapseIsNotAnnounced()
    {
        const QStringList before = videoFiles();
        QVERIFY(startTimelapse());
        timelapse(OPERATE_STOP);
        QCOMPARE(videoFiles(), before);
        QCOMPARE(TestEnv::messages().size(), 1); // the failure, not a success
        frame()->m_timelapseFrame->setFrameVisible(false);
    }

    void leavingTimelapseModeFinalisesRun()
    {
        MainFrame* f = frame();
        const QStringList before = videoFiles();
        QVERIFY(startTimelapse());
        QVERIFY(timelapseShot());

        // Choosing Time-lapse again keeps the run.
        emit f->m_captureModeFrame->sgButtonClick(ICaptureModeFrame::TimeLapse);
        QVERIFY(f->m_timelapseFrame->isRecording());

        emit f->m_captureModeFrame->sgButtonClick(ICaptureModeFrame::Default);
        QVERIFY(!f->m_timelapseFrame->isRecording());
        QVERIFY(!f->m_timelapseFrame->isVisible());
        QCOMPARE(videoFiles().size(), before.size() + 1);
        QCOMPARE(noticeText(), QStringLiteral("Video is saved."));
        QVERIFY(f->m_cameraToolBar->button(ICameraToolBar::Resolution)->isEnabled());
        QVERIFY(f->m_rightToolBar->button(IRightToolBar::Rotate)->isEnabled());
        setCaptureMode(ICaptureModeFrame::Default);
    }

    void timelapseAtQuarterTurnIsUpright()
    {
        MainFrame* f = frame();
        f->slRightToolBarClick(true, QVariant(IRightToolBar::Rotate));
        QCOMPARE(f->m_board->rotateValue(), 90);
        const QStringList before = videoFiles();
        QVERIFY(startTimelapse());
        QVERIFY(timelapseShot());
        timelapse(OPERATE_STOP);
        for (int i = 0; i < 3; ++i)
            f->slRightToolBarClick(true, QVariant(IRightToolBar::Rotate));
        QCOMPARE(f->m_board->rotateValue(), 0);
        f->m_timelapseFrame->setFrameVisible(false);
        setCaptureMode(ICaptureModeFrame::Default);

        QStringList after = videoFiles();
        for (const QString& name : before)
            after.removeAll(name);
        QCOMPARE(after.size(), 1);
        QCOMPARE(videoFrameSize(IConfigureService::instance()->videoPath() + after.first()),
                 g_camera_resolution.transposed());
    }

    void wideWifiTimelapseIsMadeAt1920()
    {
        const QSize original = g_camera_resolution;
        const QStringList before = videoFiles();
        // The camera reports a width above 1920: the video is made at 1920 x 1080 at
        // once, whatever size the first frames still arrive in.
        g_camera_resolution = QSize(2560, 1440);
        QVERIFY(startTimelapse());
        QCOMPARE(noticeText(), QStringLiteral("Current resolution: 1920*1080"));

        // While a full-resolution photo is on its way, a further request is refused
        // and the user asked to wait.
        m_rig->control().setPhotoDelay(600);
        g_camera_resolution = QSize(2560, 1440);
        timelapse(OPERATE_PHOTO);
        timelapse(OPERATE_PHOTO);
        QCOMPARE(noticeText(), QStringLiteral("Saving, please wait!"));
        QTRY_COMPARE_WITH_TIMEOUT(timelapseShots(), 1, 10000);
        timelapse(OPERATE_STOP);
        frame()->m_timelapseFrame->setFrameVisible(false);
        setCaptureMode(ICaptureModeFrame::Default);
        g_camera_resolution = original;

        QStringList after = videoFiles();
        for (const QString& name : before)
            after.removeAll(name);
        QCOMPARE(after.size(), 1);
        QCOMPARE(videoFrameSize(IConfigureService::instance()->videoPath() + after.first()), QSize(1920, 1080));
    }

    void refusedTimelapseShotDoesNotTakeNextSnapshot()
    {
        QVERIFY(startTimelapse());
        // The first shot is still being transferred when the second is asked for.
        m_rig->control().setPhotoDelay(600);
        const int sent = m_rig->control().photosSent();
        timelapse(OPERATE_PHOTO);
        timelapse(OPERATE_PHOTO);
        QTRY_COMPARE_WITH_TIMEOUT(timelapseShots(), 1, 10000);
        QCOMPARE(m_rig->control().photosSent(), sent + 1);
        QVERIFY(!frame()->isTimelapseShot());

        // A shot in flight at the stop belongs to the finished run: it reaches neither
        // the gallery, nor the photo folder, nor a run started before it arrives.
        const int rows = galleryRows();
        const QStringList files = photoFiles();
        m_rig->control().setPhotoDelay(3000);
        timelapse(OPERATE_PHOTO);
        timelapse(OPERATE_STOP);
        const QStringList videos = videoFiles();
        QVERIFY(startTimelapse());
        QTRY_COMPARE_WITH_TIMEOUT(m_rig->control().photosSent(), sent + 2, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(frame()->m_pendingShots.isEmpty(), 10000);

        // The next ordinary snapshot is the only new gallery row and file; pictures
        // are handled in order, so the late one has been dealt with by then.
        m_rig->control().setPhotoDelay(0);
        frame()->captureImage(IMAGE_PLAIN);
        QTRY_COMPARE_WITH_TIMEOUT(galleryRows(), rows + 1, 10000);
        QCOMPARE(photoFiles().size(), files.size() + 1);
        // The run started meanwhile got no picture, so it writes no video.
        TestEnv::clearMessages();
        timelapse(OPERATE_STOP);
        QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("No video was written.")});
        QCOMPARE(videoFiles(), videos);
        frame()->m_timelapseFrame->setFrameVisible(false);
        setCaptureMode(ICaptureModeFrame::Default);
    }

    // A shot the camera refuses, or whose photo fails, counts as missed and the run goes
    // on to the next shot instead of waiting for a picture that never comes.
    // Below 1921 wide a Snap refused while the photo before was still on its way did
    // nothing visible (7 of 100 quick presses).
    void snapRefusedWhilePhotoOnItsWaySaysSo()
    {
        QVERIFY(g_camera_resolution.width() < 1921);
        m_rig->control().setPhotoDelay(800);
        const int rows = galleryRows();
        ITimeMsgBox::instance()->hide();
        frame()->captureImage(IMAGE_PLAIN);
        QVERIFY(!ITimeMsgBox::instance()->isVisible());
        frame()->captureImage(IMAGE_PLAIN);
        QVERIFY(ITimeMsgBox::instance()->isVisible());
        QCOMPARE(noticeText(), QStringLiteral("Saving, please wait!"));
        QTRY_COMPARE_WITH_TIMEOUT(galleryRows(), rows + 1, 10000);
        m_rig->control().setPhotoDelay(0);
    }

    void failedTimelapseShotKeepsRunGoing()
    {
        QVERIFY(startTimelapse());
        ITimelapseTimes* counter = frame()->m_timelapseFrame->counter();
        const int interval = frame()->m_timelapseFrame->intervalButton()->textx().toInt();
        // An ordinary photo on its way makes the camera refuse the shot.
        m_rig->control().setPhotoDelay(1500);
        const int rows = galleryRows();
        frame()->captureImage(IMAGE_PLAIN);
        timelapse(OPERATE_PHOTO);
        QCOMPARE(counter->missed(), 1);
        QCOMPARE(counter->shots(), 0);
        QVERIFY(!frame()->isTimelapseShot());
        // Re-armed for the next shot (the run is paused, so it waits).
        QCOMPARE(counter->remaining(), interval);
        // The ordinary photo still reaches the gallery.
        QTRY_COMPARE_WITH_TIMEOUT(galleryRows(), rows + 1, 10000);
        m_rig->control().setPhotoDelay(0);
        QVERIFY(timelapseShot());
        QCOMPARE(counter->shots(), 1);
        QCOMPARE(counter->missed(), 1);
        timelapse(OPERATE_STOP);
        frame()->m_timelapseFrame->setFrameVisible(false);
    }

    void switchCameraResetsTogglesAndStopsRuns()
    {
        MainFrame* f = frame();
        f->slCameratoolbarClick(true, QVariant(ICameraToolBar::AutoEdge));
        QVERIFY(f->m_autoEdge);
        const QStringList before = videoFiles();
        QVERIFY(startTimelapse());
        QVERIFY(timelapseShot());

        f->switchCamera(g_camera_info);
        QVERIFY(!f->m_timelapseFrame->isRecording());
        QVERIFY(!f->m_timelapseFrame->isVisible());
        QCOMPARE(int(f->m_captureModeFrame->captureMode()), int(ICaptureModeFrame::Default));
        QCOMPARE(videoFiles().size(), before.size() + 1); // the run was finalised
        QVERIFY(!f->m_autoEdge);
        QVERIFY(!f->m_cameraToolBar->button(ICameraToolBar::AutoEdge)->isChecked());
        QVERIFY(f->m_cameraToolBar->button(ICameraToolBar::Resolution)->isEnabledTo(f));
        QVERIFY(!f->isEnabled());
        // The new back end reports and the window comes back.
        QTRY_VERIFY_WITH_TIMEOUT(f->isEnabled(), 15000);
        QVERIFY(!f->m_firstOpen);
        const qint64 key = f->m_board->pixmapElement()->image().cacheKey();
        QTRY_VERIFY_WITH_TIMEOUT(f->m_board->pixmapElement()->image().cacheKey() != key, 10000);
    }

    void unplugEndsRunsAndReplugReopens()
    {
        MainFrame* f = frame();
        const QStringList before = videoFiles();
        QVERIFY(startTimelapse());
        QVERIFY(timelapseShot());
        f->slCameratoolbarClick(true, QVariant(ICameraToolBar::Freeze));
        // The plug watcher reports devices by path; give the open camera one.
        g_camera_info.devicePath = QStringLiteral("/dev/video7");

        // Another device going away changes nothing.
        QVERIFY(QMetaObject::invokeMethod(f, "onUsbConnectionChanged", Q_ARG(bool, false),
                                          Q_ARG(QString, QStringLiteral("/dev/video3"))));
        QVERIFY(f->m_timelapseFrame->isRecording());
        QVERIFY(ICamera::instance()->isRuning());

        QVERIFY(QMetaObject::invokeMethod(f, "onUsbConnectionChanged", Q_ARG(bool, false),
                                          Q_ARG(QString, QStringLiteral("/DEV/VIDEO7"))));
        QVERIFY(!f->m_timelapseFrame->isRecording());
        QCOMPARE(videoFiles().size(), before.size() + 1);
        QVERIFY(!ICamera::instance()->isRuning());
        QVERIFY(f->m_board->pixmapElement()->image().isNull());
        QVERIFY(!f->m_cameraToolBar->isEnabled());
        QVERIFY(!f->m_imgListWidget->isEnabled());
        QVERIFY(!f->m_cameraToolBar->button(ICameraToolBar::Freeze)->isChecked());

        QVERIFY(QMetaObject::invokeMethod(f, "onUsbConnectionChanged", Q_ARG(bool, true),
                                          Q_ARG(QString, QStringLiteral("/dev/video7"))));
        QVERIFY(ICamera::instance()->isRuning());
        QVERIFY(f->m_cameraToolBar->isEnabled());
        QVERIFY(f->m_imgListWidget->isEnabled());
        // Not frozen: live frames come back.
        QTRY_VERIFY_WITH_TIMEOUT(!f->m_board->pixmapElement()->image().isNull(), 15000);
        setCaptureMode(ICaptureModeFrame::Default);
    }

    // Last: a termination signal (a logout, kill) closes the window the way its close
    // button does, and the running time-lapse keeps every shot.
    void terminationSignalFinalisesRunningTimelapse()
    {
        const QStringList before = videoFiles();
        QVERIFY(startTimelapse());
        QVERIFY(timelapseShot());
        QVERIFY(timelapseShot());
        QFile::remove(IConfigureService::instance()->configureFilePath());
        // A second close request while the first one waits is turned away.
        int nested = -1;
        QTimer::singleShot(50, frame(), [&nested] {
            QCloseEvent again;
            QApplication::sendEvent(frame(), &again);
            nested = again.isAccepted() ? 1 : 0;
        });
        QVERIFY(::raise(SIGTERM) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(!frame()->isVisible(), 10000);
        QTRY_COMPARE(nested, 0);
        QVERIFY(QFile::exists(IConfigureService::instance()->configureFilePath()));
        QVERIFY(!ICamera::instance()->isRuning());
        QStringList after = videoFiles();
        for (const QString& f : before)
            after.removeAll(f);
        QCOMPARE(after.size(), 1);
        const VideoProbe probe = probeVideo(IConfigureService::instance()->videoPath() + after.first());
        QVERIFY(probe.opened);
        QCOMPARE(probe.packets, 2);
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    // No USB camera may be taken instead of the simulated one.
    qputenv("OCUMETRA_USB_IDS", "ffff:fffe");
    IApplication app(QStringLiteral("OcumetraMainFrameTest"), argc, argv);
    TestEnv::afterApplication();
    CameraRig rig;
    if (!rig.start(kStream, 80)) {
        qCritical("the simulated camera did not start");
        return 2;
    }
    rig.control().setPhotoSize(kPhoto);
    app.handleTerminationSignals();
    TestMainFrame tc(&rig);
    QTEST_SET_MAIN_SOURCE_PATH
    return runInsideApplication([&] { return QTest::qExec(&tc, argc, argv); });
}

#include "tst_mainframe.moc"
