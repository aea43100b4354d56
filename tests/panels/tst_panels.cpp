#include <QLabel>
#include <QScreen>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include "board/iboard.h"
#include "board/iboardstate.h"
#include "board/widget/islider.h"
#include "customui/iboardtoolbar.h"
#include "customui/icameratoolbar.h"
#include "customui/icapturemodeframe.h"
#include "customui/icolorframe.h"
#include "customui/ifocusframe.h"
#include "customui/iparameterframe.h"
#include "customui/ipixrateframe.h"
#include "customui/ieraseframe.h"
#include "customui/ifigureframe.h"
#include "customui/iicolorbutton.h"
#include "customui/iitoolbutton.h"
#include "customui/ithicknessframe.h"
#include "customui/itimelapseframe.h"
#include "customui/itimercaptureframe.h"
#include "customui/itransparentframe.h"
#include "iglobal.h"
#include "service/iboardservice.h"
#include "service/iconfigureservice.h"
#include "testenv.h"

using namespace TX_IBOARD_ENUM;

namespace {

// Panels placed against bars the test owns instead of the main window's.
template <class Panel>
class PlacedPanel : public Panel
{
public:
    PlacedPanel(ICameraToolBar* camera, IBoardToolBar* board)
        : Panel(nullptr, nullptr)
        , m_camera(camera)
        , m_board(board)
    {
    }

protected:
    ICameraToolBar* cameraToolBar() const override { return m_camera; }
    IBoardToolBar* boardToolBar() const override { return m_board; }

private:
    ICameraToolBar* m_camera;
    IBoardToolBar* m_board;
};

// Records the snapshots the timed capture asks the main window for.
class CountingTimerCapture : public ITimerCaptureFrame
{
public:
    CountingTimerCapture()
        : ITimerCaptureFrame(nullptr, nullptr)
    {
    }
    QList<ImageType> requests;

protected:
    bool requestCapture(ImageType type) override
    {
        requests.append(type);
        return true;
    }
};

// The "..." button's colour dialog, answered by the test.
class AnsweredColorFrame : public IColorFrame
{
public:
    AnsweredColorFrame()
        : IColorFrame(nullptr, nullptr)
    {
    }
    QColor answer;
    int asked = 0;

protected:
    QColor chooseColor() override
    {
        ++asked;
        return answer;
    }
};

class RecordingBoard : public IBoard
{
public:
    RecordingBoard()
        : IBoard(SCENE_DISPLAY_DEFAULT)
    {
    }
    QList<ModeType> modes;
    void setMode(ModeType type) override
    {
        modes.append(type);
        IBoard::setMode(type);
    }
};

void click(QAbstractButton* button)
{
    QVERIFY(button);
    button->click();
}

}

class TestPanels : public QObject
{
    Q_OBJECT
private slots:
    void placementFormulas();
    void everyPanelStandsByItsButton();
    void captureModeChoice();
    void timelapseCommandsAndCounter();
    void timelapseStopWhilePaused();
    void timelapseRealCountdown();
    void timelapseGoesOnAfterFailedShot();
    void timelapseResumeWithShotInFlight();
    void timedCaptureSeries();
    void timedCaptureControlsAndRefusals();
    void timedCaptureRealTimer();
    void timedCaptureDialogStartsInFirstField();
    void figureSwitchesBoardMode();
    void penPanelSetters();
    void savedPenValuesReachBoardAtStart();
    void colourDialogChoice();
};

void TestPanels::placementFormulas()
{
    IGSQUARERATE = 1.0;
    // Above a camera-bar button: x = P.x + 42 - w/2 (integer halving), y = P.y - h - 10.
    QCOMPARE(IPanelPlacement::aboveButton(QPoint(500, 900), QSize(101, 50)), QPoint(492, 840));
    // Left of a board-bar button: x = P.x - w - 10, y = P.y + 25 - h/2.
    QCOMPARE(IPanelPlacement::leftOfButton(QPoint(1800, 300), QSize(60, 201)), QPoint(1730, 225));
    // The time-lapse bar's own offsets.
    QCOMPARE(IPanelPlacement::aboveButton(QPoint(500, 900), QSize(100, 40), 76, 30), QPoint(526, 830));

    IGSQUARERATE = 1.5;
    // 500 + 63 - 50 = 513; 900 - 50 - 15 = 835
    QCOMPARE(IPanelPlacement::aboveButton(QPoint(500, 900), QSize(101, 50)), QPoint(513, 835));
    // 1800 - 60 - 15 = 1725; 300 + 37.5 - 100 = 237.5 -> 237
    QCOMPARE(IPanelPlacement::leftOfButton(QPoint(1800, 300), QSize(60, 201)), QPoint(1725, 237));
    IGSQUARERATE = 1.0;
}

template <class Panel>
static void checkAbove(ICameraToolBar* camera, IBoardToolBar* board, ICameraToolBar::ButtonType type)
{
    const QPoint p = camera->buttonGlobslPos(type);
    QVERIFY(p != QPoint(0, 0));
    PlacedPanel<Panel> panel(camera, board);
    panel.setFrameVisible(true);
    QVERIFY(panel.isVisible());
    QCOMPARE(panel.pos(), QPoint(p.x() + 42 - panel.width() / 2, p.y() - panel.height() - 10));
    // Hiding keeps the place.
    const QPoint placed = panel.pos();
    panel.setFrameVisible(false);
    QVERIFY(!panel.isVisible());
    QCOMPARE(panel.pos(), placed);
}

template <class Panel>
static void checkLeftOf(ICameraToolBar* camera, IBoardToolBar* board, IBoardToolBar::ButtonType type)
{
    const QPoint p = board->buttonGlobslPos(type);
    QVERIFY(p != QPoint(0, 0));
    PlacedPanel<Panel> panel(camera, board);
    panel.setFrameVisible(true);
    QVERIFY(panel.isVisible());
    QCOMPARE(panel.pos(), QPoint(p.x() - panel.width() - 10, p.y() + 25 - panel.height() / 2));
    panel.setFrameVisible(false);
}

void TestPanels::everyPanelStandsByItsButton()
{
    ICameraToolBar cameraBar(nullptr, nullptr);
    IBoardToolBar boardBar(nullptr, nullptr);
    cameraBar.move(300, 900);
    boardBar.move(1700, 100);
    cameraBar.show();
    boardBar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&cameraBar));
    QVERIFY(QTest::qWaitForWindowExposed(&boardBar));

    checkAbove<ICaptureModeFrame>(&cameraBar, &boardBar, ICameraToolBar::PhotoMode);
    checkAbove<IPixRateFrame>(&cameraBar, &boardBar, ICameraToolBar::Resolution);
    checkAbove<IParameterFrame>(&cameraBar, &boardBar, ICameraToolBar::ColorAdjusting);
    checkAbove<IFocusFrame>(&cameraBar, &boardBar, ICameraToolBar::FocusExposure);
    checkLeftOf<IThicknessFrame>(&cameraBar, &boardBar, IBoardToolBar::Thickness);
    checkLeftOf<IColorFrame>(&cameraBar, &boardBar, IBoardToolBar::Color);
    checkLeftOf<ITransparentFrame>(&cameraBar, &boardBar, IBoardToolBar::Transparency);
    checkLeftOf<IFigureFrame>(&cameraBar, &boardBar, IBoardToolBar::Shape);
    checkLeftOf<IEraseFrame>(&cameraBar, &boardBar, IBoardToolBar::Eraser);

    // The focus panel never starts left of the screen's usable area.
    cameraBar.move(-200, 900);
    QTRY_VERIFY(cameraBar.buttonGlobslPos(ICameraToolBar::FocusExposure).x() < 0);
    PlacedPanel<IFocusFrame> focus(&cameraBar, &boardBar);
    focus.setFrameVisible(true);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(focus.x(), area.left());

    // Without a main window a panel still opens, where it stands.
    IThicknessFrame orphan(nullptr, nullptr);
    orphan.move(10, 20);
    orphan.setFrameVisible(true);
    QVERIFY(orphan.isVisible());
    QCOMPARE(orphan.pos(), QPoint(10, 20));
}

void TestPanels::captureModeChoice()
{
    ICaptureModeFrame frame(nullptr, nullptr);
    QSignalSpy spy(&frame, &ICaptureModeFrame::sgButtonClick);
    QCOMPARE(frame.captureMode(), ICaptureModeFrame::Default);
    QVERIFY(frame.radio(0)->isChecked());

    click(frame.radio(6));
    QCOMPARE(frame.captureMode(), ICaptureModeFrame::BlackWhiteCapture);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<ICaptureModeFrame::CaptureMode>(), ICaptureModeFrame::BlackWhiteCapture);
    QVERIFY(!frame.radio(0)->isChecked());

    // The checked mode clicked again stays checked and is announced again.
    click(frame.radio(6));
    QCOMPARE(spy.count(), 2);
    QVERIFY(frame.radio(6)->isChecked());

    // Values without a button change nothing.
    frame.setCaptureMode(static_cast<ICaptureModeFrame::CaptureMode>(9));
    frame.setCaptureMode(static_cast<ICaptureModeFrame::CaptureMode>(-1));
    QCOMPARE(frame.captureMode(), ICaptureModeFrame::BlackWhiteCapture);
    QVERIFY(frame.radio(6)->isChecked());

    frame.setCaptureMode(ICaptureModeFrame::TimeLapse);
    QCOMPARE(frame.captureMode(), ICaptureModeFrame::TimeLapse);
    QVERIFY(frame.radio(4)->isChecked());
    QCOMPARE(spy.count(), 2);

    // The sound switch toggles the setting and reports no mode.
    const bool before = g_photo_sound_enable;
    click(frame.radio(-1));
    QCOMPARE(g_photo_sound_enable, !before);
    click(frame.radio(-1));
    QCOMPARE(g_photo_sound_enable, before);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(frame.captureMode(), ICaptureModeFrame::TimeLapse);
}

void TestPanels::timelapseCommandsAndCounter()
{
    ITimelapseFrame bar(nullptr, nullptr);
    QSignalSpy spy(&bar, &ITimelapseFrame::sgCaptureImage);
    QCOMPARE(bar.shotButton()->operateType(), OPERATE_START);
    QCOMPARE(bar.pauseButton()->operateType(), OPERATE_PAUSE);
    QVERIFY(bar.pauseButton()->isHidden());
    QVERIFY(!bar.isRecording());
    QCOMPARE(bar.intervalButton()->textx(), QStringLiteral("3"));

    // The interval chooser: the button toggles it, a value is taken and hides it.
    click(bar.intervalButton());
    QVERIFY(bar.intervalChooser()->isVisible());
    click(bar.intervalButton());
    QVERIFY(!bar.intervalChooser()->isVisible());
    click(bar.intervalButton());
    const auto choices = bar.intervalChooser()->findChildren<ITimelapseButton*>();
    QCOMPARE(choices.size(), 6);
    ITimelapseButton* sixty = nullptr;
    for (ITimelapseButton* b : choices) {
        if (b->textx() == QLatin1String("60"))
            sixty = b;
    }
    click(sixty);
    QCOMPARE(bar.intervalButton()->textx(), QStringLiteral("60"));
    QVERIFY(!bar.intervalChooser()->isVisible());
    QCOMPARE(spy.count(), 0);

    // Shot button asks to start; the window answers with startTimerPhoto.
    click(bar.shotButton());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<OperateType>(), OPERATE_START);
    bar.startTimerPhoto();
    QVERIFY(bar.isRecording());
    QCOMPARE(bar.shotButton()->operateType(), OPERATE_STOP);
    QVERIFY(!bar.pauseButton()->isHidden());
    QVERIFY(bar.intervalButton()->isHidden());
    QVERIFY(bar.counter()->timerActive());
    QCOMPARE(bar.counter()->countdownText(), QStringLiteral("01:00"));

    click(bar.pauseButton());
    QCOMPARE(spy.last().at(0).value<OperateType>(), OPERATE_PAUSE);
    bar.pauseTimerPhoto();
    QCOMPARE(bar.pauseButton()->operateType(), OPERATE_RESUME);
    QVERIFY(!bar.counter()->timerActive());
    // A shot that returns during a pause keeps the countdown stopped but counts.
    bar.takePhotoSuccessForTimed();
    QCOMPARE(bar.counter()->shotText(), QStringLiteral("1"));
    QVERIFY(!bar.counter()->timerActive());

    click(bar.pauseButton());
    QCOMPARE(spy.last().at(0).value<OperateType>(), OPERATE_RESUME);
    bar.resumeTimerPhoto();
    QCOMPARE(bar.pauseButton()->operateType(), OPERATE_PAUSE);
    QVERIFY(bar.counter()->timerActive());

    click(bar.shotButton());
    QCOMPARE(spy.last().at(0).value<OperateType>(), OPERATE_STOP);
    bar.stopTimerPhoto();
    QVERIFY(!bar.isRecording());
    QCOMPARE(bar.shotButton()->operateType(), OPERATE_START);
    QVERIFY(bar.pauseButton()->isHidden());
    QVERIFY(!bar.intervalButton()->isHidden());
    QVERIFY(!bar.counter()->isVisible());
    QCOMPARE(bar.counter()->shotText(), QStringLiteral("0"));
    QCOMPARE(bar.counter()->countdownText(), QStringLiteral("00:00"));

    // A late picture after the stop neither counts nor restarts the countdown.
    bar.takePhotoSuccessForTimed();
    QVERIFY(!bar.counter()->timerActive());
    QCOMPARE(bar.counter()->shotText(), QStringLiteral("0"));
}

void TestPanels::timelapseStopWhilePaused()
{
    ITimelapseFrame bar(nullptr, nullptr);
    bar.startTimerPhoto();
    bar.pauseTimerPhoto();
    QCOMPARE(bar.pauseButton()->operateType(), OPERATE_RESUME);
    bar.stopTimerPhoto();
    // The next run must offer "pause", not "resume".
    bar.startTimerPhoto();
    QCOMPARE(bar.pauseButton()->operateType(), OPERATE_PAUSE);
    QVERIFY(bar.counter()->timerActive());
    // A repeated pause or resume does not flip the button out of step.
    bar.resumeTimerPhoto();
    QCOMPARE(bar.pauseButton()->operateType(), OPERATE_PAUSE);
    bar.pauseTimerPhoto();
    bar.pauseTimerPhoto();
    QCOMPARE(bar.pauseButton()->operateType(), OPERATE_RESUME);
    bar.stopTimerPhoto();
}

void TestPanels::timelapseRealCountdown()
{
    ITimelapseFrame bar(nullptr, nullptr);
    QSignalSpy spy(&bar, &ITimelapseFrame::sgCaptureImage);
    click(bar.intervalButton());
    for (ITimelapseButton* b : bar.intervalChooser()->findChildren<ITimelapseButton*>()) {
        if (b->textx() == QLatin1String("1"))
            click(b);
    }
    bar.startTimerPhoto();
    QCOMPARE(bar.counter()->countdownText(), QStringLiteral("00:01"));
    QVERIFY(spy.wait(3000));
    QCOMPARE(spy.last().at(0).value<OperateType>(), OPERATE_PHOTO);
    // No further request until the picture has come back.
    QVERIFY(!bar.counter()->timerActive());
    bar.takePhotoSuccessForTimed();
    QCOMPARE(bar.counter()->shotText(), QStringLiteral("1"));
    QVERIFY(bar.counter()->timerActive());
    bar.stopTimerPhoto();
}

static void chooseInterval(ITimelapseFrame& bar, const QString& value)
{
    click(bar.intervalButton());
    for (ITimelapseButton* b : bar.intervalChooser()->findChildren<ITimelapseButton*>()) {
        if (b->textx() == value)
            click(b);
    }
    QCOMPARE(bar.intervalButton()->textx(), value);
}

void TestPanels::timelapseGoesOnAfterFailedShot()
{
    ITimelapseFrame bar(nullptr, nullptr);
    QSignalSpy spy(&bar, &ITimelapseFrame::sgCaptureImage);
    chooseInterval(bar, QStringLiteral("1"));
    bar.startTimerPhoto();
    QVERIFY(spy.wait(3000));
    QCOMPARE(spy.last().at(0).value<OperateType>(), OPERATE_PHOTO);
    QVERIFY(!bar.counter()->timerActive());
    QCOMPARE(bar.counter()->missedText(), QString());

    // The shot was refused (or its photo timed out): the countdown starts again.
    bar.takePhotoFailedForTimed();
    QCOMPARE(bar.counter()->missed(), 1);
    QCOMPARE(bar.counter()->shots(), 0);
    QCOMPARE(bar.counter()->missedText(), QStringLiteral("Missed 1"));
    QCOMPARE(bar.counter()->countdownText(), QStringLiteral("00:01"));
    QVERIFY(bar.counter()->timerActive());
    const int requests = spy.count();
    QTRY_COMPARE_WITH_TIMEOUT(spy.count(), requests + 1, 3000);
    QCOMPARE(spy.last().at(0).value<OperateType>(), OPERATE_PHOTO);
    bar.takePhotoSuccessForTimed();
    QCOMPARE(bar.counter()->shots(), 1);
    QCOMPARE(bar.counter()->missed(), 1);

    // A failure while paused keeps the countdown stopped.
    bar.pauseTimerPhoto();
    bar.takePhotoFailedForTimed();
    QCOMPARE(bar.counter()->missed(), 2);
    QVERIFY(!bar.counter()->timerActive());

    // A new run starts with no misses; a failure after the stop changes nothing.
    bar.stopTimerPhoto();
    bar.takePhotoFailedForTimed();
    QVERIFY(!bar.counter()->timerActive());
    bar.startTimerPhoto();
    QCOMPARE(bar.counter()->missed(), 0);
    QCOMPARE(bar.counter()->missedText(), QString());
    bar.stopTimerPhoto();
}

void TestPanels::timelapseResumeWithShotInFlight()
{
    ITimelapseFrame bar(nullptr, nullptr);
    QSignalSpy spy(&bar, &ITimelapseFrame::sgCaptureImage);
    chooseInterval(bar, QStringLiteral("1"));
    bar.startTimerPhoto();
    QVERIFY(spy.wait(3000));
    QCOMPARE(bar.counter()->remaining(), 0);
    // Paused and resumed before the picture is back: no second request is made.
    bar.pauseTimerPhoto();
    bar.resumeTimerPhoto();
    QVERIFY(!bar.counter()->timerActive());
    QCOMPARE(bar.counter()->countdownText(), QStringLiteral("00:00"));
    bar.takePhotoSuccessForTimed();
    QVERIFY(bar.counter()->timerActive());
    QCOMPARE(bar.counter()->countdownText(), QStringLiteral("00:01"));
    QCOMPARE(spy.count(), 1);
    bar.stopTimerPhoto();
}

void TestPanels::timedCaptureSeries()
{
    CountingTimerCapture dialog;
    dialog.intervalEdit()->setText(QStringLiteral("5"));
    dialog.pagesEdit()->setText(QStringLiteral("3"));
    QVERIFY(dialog.confirm());
    QVERIFY(dialog.isRecording());
    QVERIFY(dialog.timerActive());
    QCOMPARE(dialog.controlFrame()->progressText(), QStringLiteral("0 / 3"));

    for (int k = 1; k <= 3; ++k) {
        dialog.slTimerout();
        QCOMPARE(dialog.requests.size(), k);
        QCOMPARE(dialog.controlFrame()->progressText(), QStringLiteral("%1 / 3").arg(k));
        QVERIFY(dialog.isRecording());
    }
    QCOMPARE(dialog.pagesEdit()->text(), QStringLiteral("0"));
    // The tick after the last picture ends the series without another snapshot.
    dialog.slTimerout();
    QCOMPARE(dialog.requests.size(), 3);
    QVERIFY(!dialog.isRecording());
    QVERIFY(!dialog.timerActive());
    for (ImageType type : qAsConst(dialog.requests))
        QCOMPARE(type, IMAGE_PLAIN);
}

void TestPanels::timedCaptureControlsAndRefusals()
{
    CountingTimerCapture dialog;
    // One field empty: nothing starts.
    dialog.intervalEdit()->setText(QStringLiteral("2"));
    QVERIFY(!dialog.confirm());
    QVERIFY(!dialog.isRecording());
    QVERIFY(!dialog.timerActive());

    // The fields refuse 0 and a leading 0.
    QLineEdit* pages = dialog.pagesEdit();
    pages->clear();
    QTest::keyClicks(pages, QStringLiteral("0"));
    QCOMPARE(pages->text(), QString());
    QTest::keyClicks(pages, QStringLiteral("07"));
    QCOMPARE(pages->text(), QStringLiteral("7"));

    pages->setText(QStringLiteral("10"));
    QVERIFY(dialog.confirm());
    ITimerCaptureControlFrame* bar = dialog.controlFrame();
    click(bar->button(1)); // Halt
    QVERIFY(!dialog.timerActive());
    QVERIFY(dialog.isRecording());
    QVERIFY(!bar->button(0)->isHidden());
    click(bar->button(0)); // Start
    QVERIFY(dialog.timerActive());
    dialog.slTimerout();
    QCOMPARE(dialog.requests.size(), 1);

    click(bar->button(2)); // Stop
    QVERIFY(!dialog.isRecording());
    QVERIFY(!dialog.timerActive());
    QCOMPARE(pages->text(), QStringLiteral("0"));
    dialog.slTimerout();
    QCOMPARE(dialog.requests.size(), 1);
}

void TestPanels::timedCaptureRealTimer()
{
    CountingTimerCapture dialog;
    dialog.intervalEdit()->setText(QStringLiteral("1"));
    dialog.pagesEdit()->setText(QStringLiteral("2"));
    QVERIFY(dialog.confirm());
    QTRY_COMPARE_WITH_TIMEOUT(dialog.requests.size(), 2, 4000);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isRecording(), 2500);
    QCOMPARE(dialog.requests.size(), 2);
}

// On its second opening the cursor stood in "Capture Pages", where the user had left it,
// while "Interval Time" was empty: typed digits went to the wrong field.
void TestPanels::timedCaptureDialogStartsInFirstField()
{
    CountingTimerCapture dialog;
    QList<QWidget*> focusAtOpening;
    int activeOpenings = 0;
    for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, &dialog, [&] {
            // Where typed keys go: the focus once the dialog is the active window. A window
            // manager activates the dialog shown; the offscreen platform does only the first
            // time.
            QApplication::setActiveWindow(&dialog);
            if (QTest::qWaitFor([&] { return dialog.isActiveWindow() && QApplication::focusWidget(); }, 1000))
                ++activeOpenings;
            focusAtOpening.append(QApplication::focusWidget());
            // The user moves to the second field, then cancels.
            dialog.pagesEdit()->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(dialog.pagesEdit(), QStringLiteral("4"));
            dialog.setFrameVisible(false);
        });
        dialog.setFrameVisible(true);
    }
    QCOMPARE(focusAtOpening.size(), 2);
    QCOMPARE(activeOpenings, 2);
    QCOMPARE(focusAtOpening.at(0), static_cast<QWidget*>(dialog.intervalEdit()));
    QCOMPARE(focusAtOpening.at(1), static_cast<QWidget*>(dialog.intervalEdit()));
}

void TestPanels::figureSwitchesBoardMode()
{
    RecordingBoard board;
    IBoardService::instance()->setBoard(&board);
    IFigureFrame frame(nullptr, nullptr);
    QVERIFY(board.modes.isEmpty()); // building the panel switches nothing

    const QList<ModeType> expected = {MODE_FIGURE_PATH_LINE, MODE_FIGURE_PATH_CIRCLE, MODE_FIGURE_PATH_ELLIPSE,
                                      MODE_FIGURE_PATH_TRIANGLE, MODE_FIGURE_PATH_RECTANGLE};
    for (int id = 0; id < 5; ++id)
        frame.setFigure(id);
    QCOMPARE(board.modes, expected);

    board.modes.clear();
    frame.setFigure(5);
    frame.setFigure(-1);
    frame.setFigure(QStringLiteral("circle"));
    frame.setFigure(QVariant());
    QVERIFY(board.modes.isEmpty());

    // A click selects only that button and switches at once; showing re-applies it.
    click(frame.button(2));
    QCOMPARE(board.modes, QList<ModeType>{MODE_FIGURE_PATH_ELLIPSE});
    QVERIFY(frame.button(2)->selectState());
    QVERIFY(!frame.button(0)->selectState());
    frame.setFrameVisible(true);
    QCOMPARE(board.modes.last(), MODE_FIGURE_PATH_ELLIPSE);
    QCOMPARE(board.modes.size(), 2);
    IBoardService::instance()->setBoard(nullptr);
}

void TestPanels::penPanelSetters()
{
    IConfigureService* config = IConfigureService::instance();

    IThicknessFrame thickness(nullptr, nullptr);
    thickness.setThickness(7);
    QCOMPARE(thickness.thickness(), 7);
    QCOMPARE(config->pencilThickness(), 7);
    QVERIFY(thickness.button(7)->selectState());
    QVERIFY(!thickness.button(1)->selectState());
    click(thickness.button(20));
    QCOMPARE(thickness.thickness(), 20);
    QVERIFY(!thickness.button(7)->selectState());

    IColorFrame color(nullptr, nullptr);
    QVERIFY(!color.color().isValid());
    color.setColor(QColor(0, 0, 255));
    QCOMPARE(color.color(), QColor(0, 0, 255));
    QCOMPARE(config->pencilColor(), QColor(0, 0, 255));
    QVERIFY(color.button(QColor(0, 0, 255))->selectState());
    // A colour off the swatches deselects them all and is still stored.
    color.setColor(QColor(12, 34, 56));
    QCOMPARE(config->pencilColor(), QColor(12, 34, 56));
    for (IIColorButton* b : color.buttons())
        QVERIFY(!b->selectState());

    ITransparentFrame transparent(nullptr, nullptr);
    QCOMPARE(transparent.transparent(), 255);
    transparent.setTransparent(100);
    QCOMPARE(transparent.transparent(), 100);
    config->setPencilTransparent(255);
    // Stored only when the panel hides.
    transparent.setFrameVisible(true);
    QVERIFY(transparent.preview()->styleSheet().contains(QStringLiteral("rgba(12,34,56,100)")));
    QCOMPARE(config->pencilTransparent(), 255);
    transparent.setFrameVisible(false);
    QCOMPARE(config->pencilTransparent(), 100);
    transparent.setTransparent(0);
    transparent.setFrameVisible(true);
    QVERIFY(transparent.preview()->styleSheet().contains(QStringLiteral("rgba(12,34,56,0)")));
    transparent.setFrameVisible(false);

    IEraseFrame erase(nullptr, nullptr);
    erase.setEraseSize(80);
    QCOMPARE(erase.eraseSize(), 80);
    erase.setEraseSize(500);
    QCOMPARE(erase.eraseSize(), 200);
    erase.setEraseSize(3);
    QCOMPARE(erase.eraseSize(), 20);
    erase.setEraseSize(120);
    erase.setFrameVisible(true);
    erase.setFrameVisible(false);
    QCOMPARE(config->eraseSize(), 120);
}

void TestPanels::savedPenValuesReachBoardAtStart()
{
    IConfigureService* config = IConfigureService::instance();
    IBoard board(SCENE_DISPLAY_DEFAULT);
    IBoardService::instance()->setBoard(&board);

    // Saved values equal to the sliders' own start values emit nothing; the panels must
    // still hold them (not 255, not an unset size) and hand them to the board.
    ITransparentFrame transparent(nullptr, nullptr);
    QCOMPARE(transparent.slider()->value(), 255);
    transparent.setTransparent(255);
    board.boardState()->inkOpacity = 7;
    config->setPencilTransparent(0);
    ITransparentFrame fresh(nullptr, nullptr);
    fresh.slider()->setValue(0, true, false);
    fresh.setTransparent(0);
    QCOMPARE(fresh.transparent(), 0);
    QCOMPARE(board.boardState()->inkOpacity, 0);
    fresh.setFrameVisible(true);
    fresh.setFrameVisible(false);
    QCOMPARE(config->pencilTransparent(), 0);

    IEraseFrame erase(nullptr, nullptr);
    board.boardState()->pointEraserSize = QSizeF(1, 1);
    erase.setEraseSize(20);
    QCOMPARE(erase.eraseSize(), 20);
    QCOMPARE(board.boardState()->pointEraserSize, QSizeF(20, 20));
    erase.setEraseSize(150);
    QCOMPARE(board.boardState()->pointEraserSize, QSizeF(150, 150));
    // Without being hidden once, the file still gets the value only on hiding.
    erase.setFrameVisible(true);
    erase.setFrameVisible(false);
    QCOMPARE(config->eraseSize(), 150);

    // A user's move after a silent load is not swallowed.
    erase.slider()->setValue(150, true, false);
    erase.slider()->slider()->setValue(90);
    QCOMPARE(erase.eraseSize(), 90);
    IBoardService::instance()->setBoard(nullptr);
}

void TestPanels::colourDialogChoice()
{
    IConfigureService* config = IConfigureService::instance();
    AnsweredColorFrame frame;
    frame.setColor(QColor(0, 255, 0));
    QToolButton* more = nullptr;
    for (QToolButton* b : frame.findChildren<QToolButton*>()) {
        if (b->text() == QLatin1String("..."))
            more = b;
    }
    QVERIFY(more);

    // Cancelled: neither the swatches nor the stored colour change.
    frame.answer = QColor();
    more->click();
    QCOMPARE(frame.asked, 1);
    QCOMPARE(frame.color(), QColor(0, 255, 0));
    QCOMPARE(config->pencilColor(), QColor(0, 255, 0));
    QVERIFY(frame.button(QColor(0, 255, 0))->selectState());

    // Red from the dialog selects the "Red" swatch.
    frame.answer = QColor(255, 0, 0);
    more->click();
    QCOMPARE(config->pencilColor(), QColor(255, 0, 0));
    QVERIFY(frame.button(QColor(255, 0, 0))->selectState());
    QVERIFY(!frame.button(QColor(0, 255, 0))->selectState());
    QCOMPARE(frame.button(QColor(255, 0, 0))->toolTip(), QStringLiteral("Red"));
}

OCUMETRA_TEST_MAIN(TestPanels)
#include "tst_panels.moc"
