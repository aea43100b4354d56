#include <QApplication>
#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

#include "tst_board.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/icommontextelementframe.h"
#include "board/item/ielementframe.h"
#include "board/item/itextelement.h"
#include "board/item/itextelementtoolbar.h"
#include "board/item/ipixmapitem.h"
#include "board/model/imodemanage.h"
#include "board/model/iselectorpathmode.h"
#include "board/model/itextmode.h"
#include "board/model/itextmodes.h"
#include "board/path/ipathmodes.h"
#include "board/widget/icolorpalette.h"
#include "board/widget/icolorpanel.h"
#include "board/widget/itoolbutton.h"
#include "service/iboardservice.h"

using namespace TX_IBOARD_ENUM;

namespace {

// A shown board with a page and a camera picture of 600 x 400, modes as the program has them.
struct LiveBoard
{
    std::unique_ptr<IBoard> board;
    ISlide* slide = nullptr;

    LiveBoard()
    {
        registerPathModes();
        registerTextModes();
        board.reset(new IBoard(SCENE_DISPLAY_DEFAULT));
        board->resize(600, 400);
        board->setSceneRect(-100000, -100000, 200000, 200000);
        slide = new ISlide;
        board->insert(slide, true);
        auto* picture = new IPixmapItem(QSize(600, 400));
        picture->setZValue(-9999999);   // as the main window stacks it
        board->setPixmapElement(picture);
        board->show();
        board->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(board.get()));
        QImage frame(600, 400, QImage::Format_RGB32);
        frame.fill(Qt::darkGray);
        board->setCameraImage(frame);
        board->setCenterOn();
    }

    QWidget* viewport() const { return board->viewport(); }
    ICommonTextElementFrame* frame() const
    {
        return dynamic_cast<ICommonTextElementFrame*>(board->sceneElementFrame());
    }
    QList<ITextElement*> texts() const
    {
        QList<ITextElement*> out;
        for (IElement* e : slide->elements()) {
            if (auto* t = dynamic_cast<ITextElement*>(e))
                out.append(t);
        }
        return out;
    }
    QPoint onPicture(double x, double y) const
    {
        return board->mapFromScene(board->pixmapEleBoundingRect().topLeft() + QPointF(x, y));
    }
    void click(const QPoint& at) const
    {
        QTest::mousePress(viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
};

} // namespace

void TestBoard::textModePlacesText()
{
    LiveBoard live;
    QVERIFY(dynamic_cast<ISelectorPathMode*>(live.board->modeManage()->currentMode()));
    live.board->boardState()->inkColor = Qt::red;
    live.board->boardState()->inkOpacity = 128;
    live.board->setCursor(QCursor(Qt::PointingHandCursor));
    IBoardService::instance()->setBoard(live.board.get());
    IBoardService::instance()->switchTextEdit();
    auto* mode = dynamic_cast<ITextMode*>(live.board->modeManage()->currentMode());
    QVERIFY(mode);
    QCOMPARE(live.board->cursor().shape(), Qt::IBeamCursor);

    // A release without a press of this mode creates nothing.
    QTest::mouseRelease(live.viewport(), Qt::LeftButton, Qt::NoModifier, live.onPicture(50, 50));
    QVERIFY(live.texts().isEmpty());

    const QPoint at = live.onPicture(60, 70);
    live.click(at);
    QCOMPARE(live.texts().size(), 1);
    ITextElement* text = live.texts().first();
    QCOMPARE(text->pos(), live.board->mapToScene(at));
    QCOMPARE(text->textWidth(), 500.0);
    QCOMPARE(text->font().family(), QStringLiteral("Arial"));
    QCOMPARE(text->font().pointSize(), 24);
    QCOMPARE(text->defaultTextColor(), QColor(255, 0, 0, 128));
    QVERIFY(text->hasFocus());
    QVERIFY(text->isEditable());
    QVERIFY(text->isSelected());
    QCOMPARE(live.board->boardState()->textElement(), text);
    QCOMPARE(live.frame()->delegated(), text);
    QVERIFY(live.frame()->isVisible());
    QVERIFY(live.frame()->textToolBar()->isVisible());
    QVERIFY(!live.frame()->menu()->isVisible());

    // The release was used up: a second stray release creates nothing.
    QTest::mouseRelease(live.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(live.texts().size(), 1);

    QTest::keyClicks(live.viewport(), QStringLiteral("Board"));
    QCOMPARE(text->toPlainText(), QStringLiteral("Board"));

    // Leaving the mode ends editing, hides the frame and gives the cursor back.
    IBoardService::instance()->switchSelect();
    QVERIFY(!text->isEditable());
    QVERIFY(text->textWidth() < 500.0);
    QVERIFY(!live.frame()->isVisible());
    QVERIFY(!live.frame()->textToolBar()->isVisible());
    QCOMPARE(live.board->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!mode->isPressed());
}

void TestBoard::textModeFollowsRotation()
{
    LiveBoard live;
    live.board->rotatex(90);
    live.board->setMode(MODE_TEXT);
    live.click(live.board->mapFromScene(live.board->pixmapEleBoundingRect().center()));
    QCOMPARE(live.texts().size(), 1);
    QCOMPARE(live.texts().first()->rotation(), -90.0);

    // A new text elsewhere takes the frame; the empty one left behind goes.
    QPointer<ITextElement> first = live.texts().first();
    live.click(live.board->mapFromScene(live.board->pixmapEleBoundingRect().center() + QPointF(50, 50)));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QCOMPARE(live.texts().size(), 1);

    // Going to another page ends the editing on this one.
    ITextElement* editing = live.texts().first();
    QTest::keyClicks(live.viewport(), QStringLiteral("page"));
    QVERIFY(editing->isEditable());
    ICommonTextElementFrame* pageFrame = live.frame();
    QVERIFY(pageFrame->isVisible());
    live.board->insert(new ISlide, true);
    QVERIFY(!editing->isEditable());
    QVERIFY(!pageFrame->isVisible());
    QVERIFY(!pageFrame->textToolBar()->isVisible());
    QCOMPARE(editing->toPlainText(), QStringLiteral("page"));
}

void TestBoard::selectModePicksTextsOnly()
{
    LiveBoard live;
    auto* stroke = new TestPathElement(QRectF(300, 200, 100, 80));
    stroke->setPos(live.board->pixmapEleBoundingRect().topLeft());
    live.slide->add(stroke, false);
    auto* text = new ITextElement(QStringLiteral("select me"));
    text->setPos(live.board->pixmapEleBoundingRect().topLeft() + QPointF(40, 40));
    live.slide->add(text, false);
    const int before = live.slide->elements().size();

    // A click on the text selects it; nothing is drawn.
    const QPoint onText = live.board->mapFromScene(text->sceneBoundingRect().center());
    live.click(onText);
    ICommonTextElementFrame* frame = live.frame();
    QCOMPARE(frame->delegated(), text);
    QVERIFY(frame->isVisible());
    QVERIFY(frame->isSelected());
    QVERIFY(frame->menu()->isVisible());
    QVERIFY(frame->copyButton()->isVisibleTo(frame->menu()));
    QVERIFY(!frame->lockButton()->isVisibleTo(frame->menu()));
    QCOMPARE(live.slide->elements().size(), before);
    QVERIFY(!text->isEditable());
    auto* mode = dynamic_cast<ISelectorPathMode*>(live.board->modeManage()->currentMode());
    QVERIFY(mode);
    QVERIFY(!mode->hitItem());   // nothing kept after the release

    // A drag moves it.
    const QPointF was = text->pos();
    QTest::mousePress(live.viewport(), Qt::LeftButton, Qt::NoModifier, onText);
    QMouseEvent move(QEvent::MouseMove, onText + QPoint(20, 10), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(live.viewport(), &move);
    QTest::mouseRelease(live.viewport(), Qt::LeftButton, Qt::NoModifier, onText + QPoint(20, 10));
    QCOMPARE(text->pos(), was + live.board->mapToScene(QPoint(20, 10)) - live.board->mapToScene(QPoint(0, 0)));

    // A second short click puts it into editing; a click on the stroke ends it and hides the frame.
    const QPoint again = live.board->mapFromScene(text->sceneBoundingRect().center());
    live.click(again);   // a double click by Qt's timing: the board still takes it as a press
    QVERIFY(text->isEditable());
    QVERIFY(text->hasFocus());
    QVERIFY(frame->textToolBar()->isVisible());
    QTest::keyClick(live.viewport(), Qt::Key_End);
    QTest::keyClicks(live.viewport(), QStringLiteral("!"));
    QCOMPARE(text->toPlainText(), QStringLiteral("select me!"));
    live.click(live.board->mapFromScene(stroke->sceneBoundingRect().center()));
    QVERIFY(!text->isEditable());
    QVERIFY(!frame->isVisible());
    QVERIFY(!frame->textToolBar()->isVisible());
    QCOMPARE(stroke->pos(), live.board->pixmapEleBoundingRect().topLeft());
    QCOMPARE(live.slide->elements().size(), before);

    // A stroke removed while pressed is forgotten: the release must not reach it.
    const QPoint onStroke = live.board->mapFromScene(stroke->sceneBoundingRect().center());
    QTest::mousePress(live.viewport(), Qt::LeftButton, Qt::NoModifier, onStroke);
    QCOMPARE(mode->hitItem(), static_cast<QGraphicsItem*>(stroke));
    const int alive = TestPathElement::alive;
    live.slide->clearPathItems();
    QCOMPARE(TestPathElement::alive, alive - 1);
    QVERIFY(!mode->hitItem());
    QTest::mouseRelease(live.viewport(), Qt::LeftButton, Qt::NoModifier, onStroke);
    QVERIFY(!mode->hitItem());
}

void TestBoard::frameMenuCopyAndDelete()
{
    LiveBoard live;
    auto* text = new ITextElement(QStringLiteral("copy me"));
    text->setPos(20, 30);
    live.slide->add(text, false);
    live.board->setSelected(text, true);
    ICommonTextElementFrame* frame = live.frame();
    QCOMPARE(frame->delegated(), text);
    QVERIFY(frame->menu()->isVisible());
    // The menu sits under the frame.
    QVERIFY(frame->menu()->y() >= live.board->mapFromScene(frame->mapToScene(frame->outlineRect().bottomLeft())).y());

    frame->copyButton()->click();
    QCOMPARE(live.texts().size(), 2);
    ITextElement* copy = live.texts().last();
    QCOMPARE(copy->pos(), QPointF(35, 45));
    QCOMPARE(copy->toPlainText(), QStringLiteral("copy me"));
    QCOMPARE(frame->delegated(), copy);

    QPointer<ITextElement> gone = copy;
    frame->deleteButton()->click();
    QVERIFY(gone.isNull());
    QCOMPARE(live.texts().size(), 1);
    QVERIFY(!frame->delegated());
    QVERIFY(!frame->isVisible());
    QVERIFY(!frame->menu()->isVisible());

    // Locked: the menu hides, Delete cannot take the element.
    live.board->setSelected(text, true);
    frame->onLock();
    QVERIFY(text->isLocked());
    QVERIFY(!frame->menu()->isVisible());
    frame->onDelete();
    QCOMPARE(live.texts().size(), 1);
    frame->unlock(true);
    QVERIFY(frame->menu()->isVisible());

    // Another kind of item: Delete alone, no width handles.
    auto* widgetItem = new TestPathElement(QRectF(0, 0, 30, 30), 12);
    widgetItem->setPos(300, 300);
    live.slide->add(widgetItem, false);
    frame->setSelect({widgetItem}, true);
    QVERIFY(!frame->copyButton()->isVisibleTo(frame->menu()));
    QVERIFY(frame->deleteButton()->isVisibleTo(frame->menu()));
    QVERIFY(!frame->handle(ITextElementFrame::Left)->isVisible());
    QVERIFY(!frame->handle(ITextElementFrame::Right)->isVisible());
    frame->onDelete();
    QCOMPARE(TestPathElement::alive, 0);
}

void TestBoard::frameMenuFollowsRotation()
{
    LiveBoard live;
    auto* text = new ITextElement(QStringLiteral("turn"));
    text->setPos(100, 100);
    live.slide->add(text, false);
    live.board->rotatex(180);
    live.board->setSelected(text, true);
    ICommonTextElementFrame* frame = live.frame();
    // Above the frame in scene terms, under it on the screen.
    const QPointF topLeftScene = frame->mapToScene(frame->getTopLeftArea().topLeft());
    QCOMPARE(frame->menuPosition().y(), live.board->mapFromScene(QPointF(0, int(topLeftScene.y()))).y());
    QVERIFY(frame->menuPosition().y() > live.board->mapFromScene(frame->mapToScene(frame->outlineRect().center())).y());
    const QPoint kept = frame->menuPosition();
    live.board->rotatex(-135);   // 45 degrees: the menu keeps its place
    frame->updateFrame();
    frame->onSelectionChanged(true);
    QCOMPARE(frame->menuPosition(), kept);
}

void TestBoard::textToolBarAppliesToDelegate()
{
    LiveBoard live;
    live.board->setMode(MODE_TEXT);
    live.click(live.onPicture(80, 80));
    ITextElement* text = live.texts().first();
    QTest::keyClicks(live.viewport(), QStringLiteral("style"));
    ITextElementToolBar* bar = live.frame()->textToolBar();
    QCOMPARE(bar->delegate(), text);
    QCOMPARE(bar->sizeBox()->currentText(), QStringLiteral("24"));
    QCOMPARE(ITextElementToolBar::fontSizes().size(), 52);
    QCOMPARE(ITextElementToolBar::fontSizes().at(8), QStringLiteral("8.8"));

    bar->sizeBox()->setCurrentText(QStringLiteral("6.5"));
    QCOMPARE(text->font().pointSize(), 6);
    bar->sizeBox()->setCurrentText(QStringLiteral("36"));
    QCOMPARE(text->font().pointSize(), 36);
    QVERIFY(text->isEditable());   // the focus came back without ending the editing
    const QString family = bar->familyBox()->itemText(bar->familyBox()->count() - 1);
    bar->familyBox()->setCurrentText(family);
    QCOMPARE(text->font().family(), family);

    auto button = [bar](const char* id) { return bar->findChild<IToolButton*>(QString::fromLatin1(id)); };
    QFont bold = text->font();
    bold.setWeight(75);
    text->setFont(bold);
    button("bold")->click();
    QCOMPARE(text->font().weight(), 50);
    button("italic")->click();
    QCOMPARE(text->font().style(), QFont::StyleItalic);
    button("underline")->click();
    QVERIFY(text->font().underline());

    // The colour button shows and hides the palette; while it shows, editing survives focus loss.
    button("color")->click();
    QVERIFY(bar->palette()->isVisible());
    QVERIFY(!text->canFocusOut());
    button("color")->click();
    QVERIFY(!bar->palette()->isVisible());
    QVERIFY(text->canFocusOut());
    button("color")->click();
    bar->palette()->swatches().at(4)->click();
    QCOMPARE(text->defaultTextColor(), QColor(0, 108, 185));
    QVERIFY(!bar->palette()->isVisible());
    QVERIFY(text->hasFocus());

    // A text of a size not in the list leaves the size box as it was.
    auto* other = new ITextElement(QStringLiteral("21"));
    other->setFontSize(21);
    live.slide->add(other, false);
    bar->setDelegate(other);
    QCOMPARE(bar->sizeBox()->currentText(), QStringLiteral("36"));
    // Not selected: choosing a colour leaves it.
    bar->palette()->swatches().at(2)->click();
    QCOMPARE(other->defaultTextColor(), QGraphicsTextItem().defaultTextColor());

    // The tool bar forgets a text that is deleted.
    delete other;
    QVERIFY(!bar->delegate());
    bar->onTextBold();
    bar->onChangeFontSize(QStringLiteral("12"));
}

void TestBoard::snapshotRendersTexts()
{
    LiveBoard live;
    auto* text = new ITextElement(QStringLiteral("WWWW"));
    text->setFontSize(40);
    text->setDefaultTextColor(Qt::red);
    text->setPos(live.board->pixmapEleBoundingRect().topLeft() + QPointF(100, 100));
    live.slide->add(text, false);
    live.board->setSelected(text, true);
    QVERIFY(live.frame()->isVisible());
    const QImage drawn = live.board->getCameraRectRender(1.0, 1.0);
    QCOMPARE(drawn.size(), QSize(600, 400));
    int red = 0;
    int outline = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QColor c = drawn.pixelColor(x, y);
            if (c.alpha() > 200 && c.red() > 200 && c.green() < 60)
                ++red;
            if (c.alpha() > 200 && c.blue() > 180 && c.red() < 120)
                ++outline;
        }
    }
    QVERIFY(red > 50);        // the text is in the picture
    QCOMPARE(outline, 0);     // its selection outline is not
    QVERIFY(live.frame()->isVisible());
}

void TestBoard::pagesFreeTheirTextWidgets()
{
    LiveBoard live;
    live.board->hideFrame(); // builds the first page's frame, menu and tool bar
    const int widgets = live.board->findChildren<QWidget*>().size();

    // A second page brings its own menu, tool bar, palette and colour panel...
    auto* second = new ISlide;
    live.board->insert(second, true);
    live.board->hideFrame();
    QVERIFY(live.board->findChildren<QWidget*>().size() > widgets);
    QPointer<IBaseWidget> menu = live.frame()->menu();
    QPointer<ITextElementToolBar> bar = live.frame()->textToolBar();
    QPointer<IColorPanel> panel = bar->palette()->colorPanel();
    QVERIFY(menu && panel);

    // ...and they go with it.
    live.board->insert(live.slide, true);
    delete second;
    QVERIFY(menu.isNull());
    QVERIFY(bar.isNull());
    QVERIFY(panel.isNull());
    QCOMPARE(live.board->findChildren<QWidget*>().size(), widgets);
    QCOMPARE(live.board->slides(), QList<ISlide*>{live.slide});

    // A frame without a board owns the same widgets as windows of their own.
    const int windows = QApplication::topLevelWidgets().size();
    {
        ICommonTextElementFrame frame(false, nullptr);
        frame.showFrame(false);
        QVERIFY(QApplication::topLevelWidgets().size() > windows);
    }
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
}
