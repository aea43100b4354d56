#include <QtTest>

#include "tst_board.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ipixmapitem.h"
#include "board/model/iinkbasemode.h"
#include "board/item/icommontextelementframe.h"
#include "board/model/imodemanage.h"
#include "board/model/iselectorpathmode.h"
#include "board/model/itextmode.h"
#include "board/model/itextmodes.h"
#include "board/path/ipatherasemode.h"
#include "board/path/ipathmodes.h"
#include "board/path/ipencilpathmode.h"
#include "service/iboardservice.h"

using namespace TX_IBOARD_ENUM;

namespace {

QStringList s_log;
QList<RecordingMode*> s_made;

void registerRecordingModes()
{
    s_log.clear();
    s_made.clear();
    auto factory = [](const QString& name) {
        return [name](IBoard* board) -> IModeBase* {
            auto* mode = new RecordingMode(board, name, &s_log);
            s_made.append(mode);
            return mode;
        };
    };
    IModeManage::registerMode(QStringLiteral("select"), {MODE_SELECT}, factory(QStringLiteral("select")));
    IModeManage::registerMode(QStringLiteral("eraser"), {MODE_ERASER_POINT}, factory(QStringLiteral("eraser")));
    IModeManage::registerMode(QStringLiteral("pen"), {MODE_PEN}, factory(QStringLiteral("pen")));
    IModeManage::registerMode(QStringLiteral("shape"),
                              {MODE_FIGURE_PATH_LINE, MODE_FIGURE_PATH_CIRCLE,
                               MODE_FIGURE_PATH_ELLIPSE, MODE_FIGURE_PATH_RECTANGLE,
                               MODE_FIGURE_PATH_TRIANGLE},
                              factory(QStringLiteral("shape")));
    IModeManage::registerMode(QStringLiteral("figure"), {MODE_FIGURE_REGULAR_TRIANGLE},
                              factory(QStringLiteral("figure")));
}

RecordingMode* made(const QString& name)
{
    for (RecordingMode* mode : qAsConst(s_made)) {
        if (mode->name() == name)
            return mode;
    }
    return nullptr;
}

QStringList takeLog()
{
    const QStringList log = s_log;
    s_log.clear();
    return log;
}

QtMessageHandler s_previousHandler = nullptr;
QStringList s_criticals;

void captureCriticals(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    if (type == QtCriticalMsg)
        s_criticals << msg;
    else if (s_previousHandler)
        s_previousHandler(type, context, msg);
}

} // namespace

void TestBoard::modeSwitchingOrder()
{
    registerRecordingModes();
    IBoard board(SCENE_DISPLAY_DEFAULT);
    IModeManage* modes = board.modeManage();
    QCOMPARE(s_made.size(), 5);   // one instance per registered mode, built up front
    QCOMPARE(modes->currentModeType(), MODE_SELECT);
    QCOMPARE(modes->currentMode()->name(), QStringLiteral("select"));
    QVERIFY(takeLog().isEmpty());   // starting does not switch anything on

    board.setMode(MODE_SELECT);     // already current: nothing
    QVERIFY(takeLog().isEmpty());
    board.setMode(MODE_ERASER_POINT);
    QCOMPARE(takeLog(), (QStringList{"select:off", "eraser:on"}));
    board.setMode(MODE_ERASER_POINT);
    QVERIFY(takeLog().isEmpty());

    board.setMode(MODE_PEN);
    QCOMPARE(takeLog(), (QStringList{"eraser:off", "pen:on"}));
    board.setMode(MODE_PEN);        // the pen alone switches on again
    QCOMPARE(takeLog(), (QStringList{"pen:on"}));

    for (int unchanged : {6, 7, 8, 10, 12, 14, 16, 18, 22, 31, 35, 40, 77}) {
        board.setMode(ModeType(unchanged));
        QCOMPARE(modes->currentModeType(), MODE_PEN);
    }
    QVERIFY(takeLog().isEmpty());

    // Shape types tell the shared mode its figure before switching it on.
    board.setMode(MODE_FIGURE_PATH_CIRCLE);
    QCOMPARE(takeLog(), (QStringList{"pen:off", "shape:figure:13", "shape:on"}));
    board.setMode(MODE_FIGURE_PATH_LINE);
    QCOMPARE(takeLog(), (QStringList{"shape:off", "shape:figure:1", "shape:on"}));
    board.setMode(MODE_FIGURE_PATH_TRIANGLE);
    QCOMPARE(takeLog(), (QStringList{"shape:off", "shape:figure:18", "shape:on"}));
    board.setMode(MODE_FIGURE_REGULAR_TRIANGLE);
    QCOMPARE(takeLog(), (QStringList{"shape:off", "figure:figure:19", "figure:on"}));
    QCOMPARE(s_made.size(), 5);

    // A type no mode serves (here: text) leaves everything as it was.
    board.setMode(MODE_TEXT);
    QCOMPARE(modes->currentModeType(), MODE_FIGURE_REGULAR_TRIANGLE);
    QVERIFY(takeLog().isEmpty());

    modes->setSwitchEnabled(false);
    board.setMode(MODE_SELECT);
    QCOMPARE(modes->currentModeType(), MODE_SELECT);
    QVERIFY(takeLog().isEmpty());

    // A mode registered after the board exists is built when first asked for.
    IModeManage::registerMode(QStringLiteral("select"), {MODE_TEXT},
                              [](IBoard* b) -> IModeBase* { return new RecordingMode(b, "late", &s_log); });
    modes->setSwitchEnabled(true);
    board.setMode(MODE_TEXT);
    QCOMPARE(modes->currentMode()->name(), QStringLiteral("select"));   // same name, same instance
}

void TestBoard::facadeSwitchesAndState()
{
    // The modes the program registers, not stand-ins.
    registerPathModes();
    registerTextModes();
    IBoardService* facade = IBoardService::instance();
    QVERIFY(facade == IBoardService::instance());
    facade->switchPencil(Qt::blue, 8.0, 128.0);   // no board yet: nothing happens

    auto* owned = new IBoard(SCENE_DISPLAY_DEFAULT);
    IBoard& board = *owned;
    facade->setBoard(&board);
    facade->switchPencil(QColor(Qt::green), 6.5, 200.0);
    QCOMPARE(board.boardState()->inkColor, QColor(Qt::green));
    QCOMPARE(board.boardState()->inkThickness, 6.5);
    QCOMPARE(board.boardState()->inkOpacity, 200);
    QCOMPARE(board.modeManage()->currentModeType(), MODE_PEN);
    QVERIFY(dynamic_cast<IPencilPathMode*>(board.modeManage()->currentMode()));

    facade->switchTextEdit();
    QCOMPARE(board.modeManage()->currentModeType(), MODE_TEXT);
    QVERIFY(dynamic_cast<ITextMode*>(board.modeManage()->currentMode()));
    facade->switchFigureEllipse();
    QCOMPARE(board.modeManage()->currentModeType(), MODE_FIGURE_PATH_ELLIPSE);
    facade->switchFigureRectangle();
    QCOMPARE(board.modeManage()->currentModeType(), MODE_FIGURE_PATH_RECTANGLE);
    facade->switchEraserPoint(20);
    QCOMPARE(board.modeManage()->currentModeType(), MODE_ERASER_POINT);
    QVERIFY(dynamic_cast<IPathEraseMode*>(board.modeManage()->currentMode()));
    facade->switchSelect();
    QCOMPARE(board.modeManage()->currentModeType(), MODE_SELECT);
    QVERIFY(dynamic_cast<ISelectorPathMode*>(board.modeManage()->currentMode()));

    // Every page has its text frame once the frame hook is set.
    auto* page = new ISlide;
    board.insert(page, true);
    QVERIFY(dynamic_cast<ICommonTextElementFrame*>(board.sceneElementFrame()));
    QCOMPARE(board.sceneElementFrame(), page->sceneElementFrame());

    facade->modifyPencilColor(Qt::yellow);
    facade->modifyPencilOpacity(90);
    facade->modifyPencilThickness(3);
    facade->modifyEraseSize(25);
    QCOMPARE(board.boardState()->inkColor, QColor(Qt::yellow));
    QCOMPARE(board.boardState()->inkOpacity, 90);
    QCOMPARE(board.boardState()->inkThickness, 3.0);
    QCOMPARE(board.boardState()->pointEraserSize.width(), 25.0);   // scaling factor 1 in tests

    auto* slide = new ISlide;
    board.insert(slide, true);
    slide->add(new TestPathElement, false);
    facade->clearCurrentSlidePathItems();
    QVERIFY(slide->elements().isEmpty());

    delete owned;   // a board that goes leaves no dangling pointer behind
    QVERIFY(!facade->board());
    facade->switchSelect();
}

void TestBoard::pressOutsidePictureIgnored()
{
    registerRecordingModes();
    IBoard board(SCENE_DISPLAY_DEFAULT);
    board.resize(400, 300);
    board.setSceneRect(-100000, -100000, 200000, 200000);
    board.insert(new ISlide, true);
    auto* picture = new IPixmapItem(QSize(400, 300));
    board.setPixmapElement(picture);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QImage frame(200, 300, QImage::Format_RGB32);   // narrow: fitted 200x300 at the left
    frame.fill(Qt::gray);
    board.setCameraImage(frame);
    board.setCenterOn();
    QSignalSpy clicks(&board, &IBoard::sgClickOnBoard);

    QWidget* vp = board.viewport();
    const QPoint inside = board.mapFromScene(QPointF(100, 150));
    const QPoint outside = board.mapFromScene(QPointF(300, 150));
    takeLog();

    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, outside);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, outside);
    QCOMPARE(takeLog(), (QStringList{"select:up"}));   // the mode ignores the unpressed id
    QVERIFY(made(QStringLiteral("select"))->deviceIds().isEmpty());

    QTest::mousePress(vp, Qt::RightButton, Qt::NoModifier, inside);
    QVERIFY(takeLog().isEmpty());

    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, inside);
    QCOMPARE(made(QStringLiteral("select"))->deviceIds(), (QList<int>{IDeviceArgs::MouseDeviceId}));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, inside);
    QCOMPARE(takeLog(), (QStringList{"select:down", "select:up"}));
    QCOMPARE(clicks.count(), 3);   // every press is a click on the board
}

void TestBoard::modeExceptionIsCaughtAndLogged()
{
    registerRecordingModes();
    IBoard board(SCENE_DISPLAY_DEFAULT);
    board.resize(200, 200);
    board.insert(new ISlide, true);
    board.setPixmapElement(new IPixmapItem(QSize(200, 200)));
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    made(QStringLiteral("select"))->throwOnDown = true;

    s_criticals.clear();
    s_previousHandler = qInstallMessageHandler(captureCriticals);
    QTest::mousePress(board.viewport(), Qt::LeftButton, Qt::NoModifier,
                      board.mapFromScene(QPointF(100, 100)));
    qInstallMessageHandler(s_previousHandler);
    QCOMPARE(s_criticals.size(), 1);
    QVERIFY(s_criticals.first().startsWith(QLatin1String("[Exception]:")));
    QVERIFY(s_criticals.first().contains(QLatin1String("mode failed")));
}

void TestBoard::imodeTracksDeviceIds()
{
    qRegisterMetaType<IDeviceEventArgs*>();
    QStringList log;
    RecordingMode mode(nullptr, QStringLiteral("m"), &log);
    auto* handle = new IModeEventHandle;
    mode.setEventHandle(handle);
    QSignalSpy pressed(handle, &IModeEventHandle::sgDevicePressed);
    QSignalSpy moved(handle, &IModeEventHandle::sgDeviceMoved);
    QSignalSpy released(handle, &IModeEventHandle::sgDeviceReleased);

    QMouseEvent ev(QEvent::MouseButtonPress, QPointF(1, 2), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    IDeviceEventArgs first(ev, ISlidePoint(1, 2), false, 1);
    IDeviceEventArgs second(ev, ISlidePoint(3, 4), true, 2);
    QCOMPARE(first.position().toPoint(), QPoint(1, 2));
    QCOMPARE(second.position().toPointF(0.5, -1), QPointF(3.5, 3));
    QCOMPARE(first.mouseEvent()->button(), Qt::LeftButton);

    mode.deviceMove(&first);            // not pressed: ignored
    QCOMPARE(moved.count(), 0);
    mode.deviceDown(&first);
    mode.deviceDown(&first);            // already down: ignored
    mode.deviceDown(&second);
    QCOMPARE(mode.deviceIds(), (QList<int>{1, 2}));
    QCOMPARE(pressed.count(), 2);
    mode.deviceMove(&second);
    mode.deviceUp(&first);
    QCOMPARE(mode.deviceIds(), (QList<int>{2}));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(released.count(), 1);
    mode.switchOff();
    QVERIFY(mode.deviceIds().isEmpty());

    // The ink family puts its cursor back to the arrow when switched off.
    IInkBaseMode ink(nullptr);
    ink.setCursor(QCursor(Qt::CrossCursor));
    ink.switchOff();
    QCOMPARE(ink.cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(ink.name(), QStringLiteral("_unknonw_"));
    ink.setCursor(QStringLiteral("/nonexistent/cursor.png"), 1, 1);   // missing: unchanged
    QCOMPARE(ink.cursor().shape(), Qt::ArrowCursor);
}
