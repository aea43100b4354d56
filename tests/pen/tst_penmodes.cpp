#include <QtTest>

#include <QGraphicsEllipseItem>
#include <QGraphicsTextItem>

#include "tst_pen.h"

#include "board/figure/iclosedpathelements.h"
#include "board/figure/ifigurepathmode.h"
#include "board/figure/ilinepathelement.h"
#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ipixmapitem.h"
#include "board/model/imodemanage.h"
#include "board/path/ipatherasemode.h"
#include "board/path/ipathrenderwidget.h"
#include "board/path/ipencilpathelement.h"
#include "board/path/ipencilpathmode.h"
#include "service/iboardservice.h"

using namespace TX_IBOARD_ENUM;

namespace {

QList<IPathElement*> pathElements(ISlide* slide)
{
    QList<IPathElement*> out;
    for (IElement* element : slide->elements()) {
        if (auto* path = dynamic_cast<IPathElement*>(element))
            out << path;
    }
    return out;
}

int inkedPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 0;
    return n;
}

// A stroke that records its own deletion.
class ProbeStroke : public IPencilPathElement
{
public:
    ProbeStroke(const QVector<QPointF>& points, bool* deleted)
        : IPencilPathElement(points), m_deleted(deleted)
    {
        setThickness(6);
        setColor(Qt::black);
        addDrawPoints(points);
    }
    ~ProbeStroke() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

class RichText : public QGraphicsTextItem
{
public:
    using QGraphicsTextItem::QGraphicsTextItem;
    int type() const override { return UserType + 11; }
};

IPencilPathMode* penMode(IBoard* board)
{
    return dynamic_cast<IPencilPathMode*>(board->modeManage()->currentMode());
}

} // namespace

void TestPen::penStrokeBecomesElement()
{
    ShownBoard b;
    IBoardState* state = b.board->boardState();
    state->inkColor = QColor(0, 0, 255);
    state->inkOpacity = 128;
    state->inkThickness = 6.7;
    b.board->setMode(MODE_PEN);
    IPencilPathMode* pen = penMode(b.board);
    QVERIFY(pen);
    QSignalSpy added(b.slide, &ISlide::sgElementsAddedEvent);

    const QVector<QPointF> points{{100, 100}, {150, 120}, {200, 100}, {250, 150}};
    b.down(points[0]);
    QVERIFY(pathElements(b.slide).isEmpty());   // nothing is built while drawing
    b.move(points[1]);
    b.move(points[2]);
    b.up(points[3]);

    const QList<IPathElement*> elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 1);
    QCOMPARE(added.size(), 1);
    auto* stroke = dynamic_cast<IPencilPathElement*>(elements.first());
    QVERIFY(stroke);
    QCOMPARE(stroke->drawPoints(), points);
    QCOMPARE(stroke->path().elementCount(), points.size());
    QCOMPARE(stroke->zValue(), -8999999.99);
    QCOMPARE(stroke->color(), QColor(0, 0, 255));
    QCOMPARE(stroke->alpha(), 128);
    QCOMPARE(stroke->thickness(), 6);   // truncated
    QVERIFY(state->isTouchingBoard());
    // The overlay's covered area, with its margin, is the stroke's source region.
    const QRegion source = stroke->sourceRegion();
    for (const QPointF& p : points)
        QVERIFY(source.contains(p.toPoint() + QPoint(0, 7)));
    QVERIFY(!source.contains(QPoint(100, 140)));
    QVERIFY(!pen->overlay()->isVisible());

    // A later stroke stacks above the first.
    b.drag(QPointF(300, 300), QPointF(400, 300));
    const QList<IPathElement*> two = pathElements(b.slide);
    QCOMPARE(two.size(), 2);
    const QList<QGraphicsItem*> stacked = b.slide->items(Qt::DescendingOrder);
    QVERIFY(stacked.indexOf(two.at(1)) < stacked.indexOf(two.at(0)));
    QVERIFY(two.at(1)->getId() != two.at(0)->getId());
}

void TestPen::penOverlayPaintsLive()
{
    ShownBoard b;
    IBoardState* state = b.board->boardState();
    state->inkColor = QColor(255, 0, 0);
    state->inkOpacity = 51;
    state->inkThickness = 10.5;
    b.board->setMode(MODE_PEN);
    IPencilPathMode* pen = penMode(b.board);
    b.down(QPointF(100, 100));
    b.move(QPointF(300, 100));
    IPathRenderWidget* overlay = pen->overlay();
    QVERIFY(overlay->isVisible());
    QCOMPARE(overlay->scene(), static_cast<QGraphicsScene*>(b.slide));
    QCOMPARE(overlay->zValue(), 0.0);
    QCOMPARE(overlay->opacity(), 0.2);
    // Ink at full strength in the image (the opacity applies to the whole overlay), at the
    // exact, untruncated width.
    const QImage& image = overlay->image();
    QCOMPARE(image.size(), b.board->size());
    QCOMPARE(qAlpha(image.pixel(200, 100)), 255);
    QCOMPARE(qAlpha(image.pixel(200, 104)), 255);
    QCOMPARE(qAlpha(image.pixel(200, 110)), 0);
    QCOMPARE(qAlpha(image.pixel(400, 100)), 0);
    QVERIFY(overlay->dirtyRegion().contains(QPoint(200, 109)));

    b.up(QPointF(300, 100));
    QVERIFY(!overlay->isVisible());
    QCOMPARE(inkedPixels(overlay->image()), 0);
    // The stroke is now the element, drawn in the same place.
    const QRect area(0, 0, 800, 600);
    const QImage page = renderArea(b.slide, area);
    QVERIFY(inkAt(page, area, QPoint(200, 100)) > 0);
    QCOMPARE(inkAt(page, area, QPoint(200, 110)), 0);
}

void TestPen::penClickMakesDotAndIgnoresStrayIds()
{
    ShownBoard b;
    b.board->boardState()->inkThickness = 5;
    b.board->setMode(MODE_PEN);
    // Moves and releases without a press are ignored.
    b.move(QPointF(10, 10));
    b.up(QPointF(10, 10));
    QVERIFY(pathElements(b.slide).isEmpty());

    QTest::ignoreMessage(QtDebugMsg, "one point");
    b.down(QPointF(100, 100));
    b.down(QPointF(200, 200));   // a second press of a drawing id changes nothing
    b.up(QPointF(100, 100));
    QList<IPathElement*> elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 1);
    auto* dot = static_cast<IPencilPathElement*>(elements.first());
    QVERIFY(dot->isSinglePoint());
    QCOMPARE(dot->path().boundingRect(), QRectF(98, 98, 5, 5));

    // Two touch ids draw two elements.
    b.down(QPointF(300, 300), 1);
    b.down(QPointF(300, 400), 2);
    b.move(QPointF(350, 300), 1);
    b.move(QPointF(350, 400), 2);
    b.up(QPointF(400, 300), 1);
    b.up(QPointF(400, 400), 2);
    elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 3);
    QCOMPARE(static_cast<IPencilPathElement*>(elements.at(1))->drawPoints(),
             QVector<QPointF>({{300, 300}, {350, 300}, {400, 300}}));
    QCOMPARE(static_cast<IPencilPathElement*>(elements.at(2))->drawPoints(),
             QVector<QPointF>({{300, 400}, {350, 400}, {400, 400}}));
}

void TestPen::penThroughRealMouseInput()
{
    ShownBoard b;
    IBoardService* facade = IBoardService::instance();
    facade->setBoard(b.board);
    facade->switchPencil(QColor(10, 200, 10), 4.0, 200);
    QCOMPARE(b.board->modeManage()->currentModeType(), MODE_PEN);
    b.mouseGesture(QPointF(50, 60), QPointF(120, 80), QPointF(180, 60));
    const QList<IPathElement*> elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 1);
    QCOMPARE(static_cast<IPencilPathElement*>(elements.first())->drawPoints(),
             QVector<QPointF>({{50, 60}, {120, 80}, {180, 60}}));
    QCOMPARE(elements.first()->color(), QColor(10, 200, 10));
    QVERIFY(!b.board->cursor().pixmap().isNull());
    facade->setBoard(nullptr);
    IBoardService::destroyInstance();
}

void TestPen::penSwitchOffKeepsStroke()
{
    ShownBoard b;
    b.board->setMode(MODE_PEN);
    IPencilPathMode* pen = penMode(b.board);
    b.down(QPointF(100, 100));
    b.move(QPointF(200, 150));
    QVERIFY(pen->isDrawing());
    b.board->setMode(MODE_ERASER_POINT);
    // The stroke so far is kept and the overlay is gone.
    QVERIFY(!pen->isDrawing());
    QVERIFY(!pen->overlay()->isVisible());
    QList<IPathElement*> elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 1);
    QCOMPARE(static_cast<IPencilPathElement*>(elements.first())->drawPoints(),
             QVector<QPointF>({{100, 100}, {200, 150}}));
    // The release that follows reaches the eraser and builds nothing more.
    b.up(QPointF(220, 160));
    QCOMPARE(pathElements(b.slide).size(), 1);
}

void TestPen::penOverlayHasOneOwner()
{
    ShownBoard b;
    auto* pen = new IPencilPathMode(b.board);
    IDeviceEventArgs press(QMouseEvent(QEvent::MouseButtonPress, QPointF(10, 10), Qt::LeftButton,
                                       Qt::LeftButton, Qt::NoModifier),
                           ISlidePoint(10, 10), false, 0);
    IDeviceEventArgs release(QMouseEvent(QEvent::MouseButtonRelease, QPointF(60, 10),
                                         Qt::LeftButton, Qt::NoButton, Qt::NoModifier),
                             ISlidePoint(60, 10), false, 0);
    pen->deviceDown(&press);
    pen->deviceUp(&release);
    QCOMPARE(pen->overlay()->scene(), static_cast<QGraphicsScene*>(b.slide));
    // Something else deleting the overlay (its page going) leaves no dangling pointer,
    // and the next stroke gets a new overlay.
    delete pen->overlay();
    QVERIFY(!pen->overlay());
    pen->deviceDown(&press);
    QVERIFY(pen->overlay());
    QVERIFY(pen->overlay()->isVisible());
    pen->deviceUp(&release);
    QCOMPARE(pathElements(b.slide).size(), 2);
    // The mode takes its overlay off the page and deletes it once.
    IPathRenderWidget* overlay = pen->overlay();
    delete pen;
    QVERIFY(!b.slide->items().contains(overlay));
}

void TestPen::eraserSplitsStrokeVisibly()
{
    ShownBoard b;
    IBoardState* state = b.board->boardState();
    state->inkThickness = 8;
    state->inkColor = Qt::black;
    b.board->setMode(MODE_PEN);
    b.drag(QPointF(100, 300), QPointF(700, 300), 6);
    QCOMPARE(pathElements(b.slide).size(), 1);

    state->pointEraserSize = QSizeF(40, 40);
    b.board->setMode(MODE_ERASER_POINT);
    b.down(QPointF(400, 280));
    b.move(QPointF(400, 320));
    b.up(QPointF(400, 320));
    const QList<IPathElement*> elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 1);
    QVERIFY(elements.first()->erasePoints().contains(QPointF(400, 320)));
    const QRect area(0, 0, 800, 600);
    const QImage page = renderArea(b.slide, area);
    QCOMPARE(inkAt(page, area, QPoint(400, 300)), 0);
    QCOMPARE(inkAt(page, area, QPoint(385, 300)), 0);
    QCOMPARE(inkAt(page, area, QPoint(200, 300)), 255);
    QCOMPARE(inkAt(page, area, QPoint(600, 300)), 255);

    // Two far-apart steps erase the straight band between them.
    b.down(QPointF(150, 300));
    b.move(QPointF(650, 300));
    b.up(QPointF(650, 300));
    QCOMPARE(pathElements(b.slide).size(), 1);
    const QImage after = renderArea(b.slide, area);
    QCOMPARE(inkAt(after, area, QPoint(300, 300)), 0);
    QCOMPARE(inkAt(after, area, QPoint(110, 300)), 255);
}

void TestPen::eraserDeletesCoveredAndSkipsLocked()
{
    ShownBoard b;
    bool freeDeleted = false, lockedDeleted = false;
    auto* free = new ProbeStroke({{100, 100}, {120, 100}}, &freeDeleted);
    auto* locked = new ProbeStroke({{300, 100}, {320, 100}}, &lockedDeleted);
    locked->setLocked(true);
    b.slide->add(free, false);
    b.slide->add(locked, false);
    QSignalSpy removed(b.slide, &ISlide::sgElementsRemovedEvent);

    b.board->boardState()->pointEraserSize = QSizeF(80, 80);
    b.board->setMode(MODE_ERASER_POINT);
    b.down(QPointF(110, 100));
    // Wholly erased in the first step: off the page, announced and deleted.
    QVERIFY(freeDeleted);
    QCOMPARE(removed.size(), 1);
    b.move(QPointF(310, 100));
    b.up(QPointF(310, 100));
    // The locked stroke is neither erased nor deleted.
    QVERIFY(!lockedDeleted);
    QCOMPARE(pathElements(b.slide), QList<IPathElement*>{locked});
    QVERIFY(locked->eraseRegion().isEmpty());
    const QRect area(0, 0, 800, 600);
    QCOMPARE(inkAt(renderArea(b.slide, area), area, QPoint(310, 100)), 255);
}

void TestPen::eraserComputesRegionOfUnpaintedElement()
{
    ShownBoard b;
    bool deleted = false;
    // Added straight to the page and never painted: no stored source region yet.
    auto* stroke = new ProbeStroke({{100, 300}, {500, 300}}, &deleted);
    b.slide->add(stroke, false);
    b.board->boardState()->pointEraserSize = QSizeF(30, 30);
    b.board->setMode(MODE_ERASER_POINT);
    b.down(QPointF(110, 300));
    b.up(QPointF(110, 300));
    QVERIFY(!deleted);
    QCOMPARE(pathElements(b.slide).size(), 1);
    const QRect area(0, 0, 800, 600);
    const QImage page = renderArea(b.slide, area);
    QCOMPARE(inkAt(page, area, QPoint(110, 300)), 0);
    QCOMPARE(inkAt(page, area, QPoint(300, 300)), 255);
}

void TestPen::eraserSizeFollowsZoomAndGhost()
{
    ShownBoard b;
    b.board->boardState()->pointEraserSize = QSizeF(41.5, 41.5);
    b.board->setMode(MODE_ERASER_POINT);
    auto* eraser = dynamic_cast<IPathEraseMode*>(b.board->modeManage()->currentMode());
    QVERIFY(eraser);

    // The ghost follows the pointer above everything while pressed.
    b.down(QPointF(200, 200));
    QGraphicsEllipseItem* ghost = eraser->ghost();
    QVERIFY(ghost);
    QVERIFY(ghost->isVisible());
    QCOMPARE(ghost->zValue(), 10001000.0);
    QCOMPARE(ghost->rect(), QRectF(200 - 20.5, 200 - 20.5, 41, 41));
    b.move(QPointF(250, 220));
    QCOMPARE(ghost->rect().center(), QPointF(250, 220));
    b.down(QPointF(500, 500));   // a second press neither restarts nor moves the last point
    b.up(QPointF(250, 220));
    QVERIFY(!eraser->ghost());
    QVERIFY(!b.board->boardState()->isTouchingBoard());

    // At zoom 2 the band is half as wide in scene units; the ghost uses the whole size.
    IPencilPathElement* stroke = new IPencilPathElement({{0, 100}, {800, 100}});
    stroke->setThickness(4);
    b.slide->add(stroke, false);
    b.board->scale(2.0, 2.0);
    QCOMPARE(b.board->scaleValue(), 2.0);
    eraser->eraseDown(QPointF(400, 100));
    QCOMPARE(eraser->ghost()->rect().width(), 20.5);
    const QRect cut = stroke->eraseRegion().boundingRect();
    QVERIFY2(qAbs(cut.width() - 21) <= 1, qPrintable(QString::number(cut.width())));
    eraser->eraseUp();

    // Leaving mid-gesture takes the ghost off the page.
    b.down(QPointF(100, 100));
    QVERIFY(eraser->ghost());
    b.board->setMode(MODE_PEN);
    QVERIFY(!eraser->ghost());
    QVERIFY(!eraser->isPressed());
}

void TestPen::eraserLeavesOtherItems()
{
    ShownBoard b;
    auto* text = new RichText(QStringLiteral("hello"));
    text->setPos(100, 100);
    b.slide->addItem(text);
    auto* plain = b.slide->addRect(QRectF(300, 100, 40, 40));
    b.board->setMode(MODE_ERASER_POINT);
    QTest::ignoreMessage(QtDebugMsg, "erase TX_RichText...");
    b.down(QPointF(110, 110));
    b.move(QPointF(320, 120));
    b.up(QPointF(320, 120));
    QVERIFY(b.slide->items().contains(text));
    QVERIFY(b.slide->items().contains(plain));
    QVERIFY(b.board->pixmapElement()->scene() == b.slide);
}

void TestPen::shapeModeTypesAndCursors()
{
    ShownBoard b;
    const QList<QPair<ModeType, FigureType>> table{{MODE_FIGURE_PATH_LINE, FIGURE_LINE},
                                                   {MODE_FIGURE_PATH_CIRCLE, FIGURE_CIRCLE},
                                                   {MODE_FIGURE_PATH_ELLIPSE, FIGURE_ELLIPSE},
                                                   {MODE_FIGURE_PATH_TRIANGLE, FIGURE_ISOSCELES_TRIANGLE},
                                                   {MODE_FIGURE_PATH_RECTANGLE, FIGURE_RECTANGLE}};
    IFigurePathMode* first = nullptr;
    for (const auto& row : table) {
        b.board->setMode(row.first);
        auto* mode = dynamic_cast<IFigurePathMode*>(b.board->modeManage()->currentMode());
        QVERIFY(mode);
        if (!first)
            first = mode;
        QCOMPARE(mode, first);   // one mode object serves all five
        QCOMPARE(mode->figureType(), row.second);
        QVERIFY(!b.board->cursor().pixmap().isNull());
    }
    // The facade's shape switches land on the same mode.
    IBoardService* facade = IBoardService::instance();
    facade->setBoard(b.board);
    facade->switchFigureCircle();
    QCOMPARE(first->figureType(), FIGURE_CIRCLE);
    QCOMPARE(b.board->cursor().pixmap().size(), QSize(28, 28));
    facade->switchFigureLine();
    QCOMPARE(b.board->cursor().pixmap().size(), QSize(26, 26));
    facade->setBoard(nullptr);
    IBoardService::destroyInstance();

    // A mode with no figure kind yet draws nothing.
    IFigurePathMode fresh(b.board);
    QCOMPARE(fresh.figureType(), FIGURE_NONE);
    IDeviceEventArgs press(QMouseEvent(QEvent::MouseButtonPress, QPointF(10, 10), Qt::LeftButton,
                                       Qt::LeftButton, Qt::NoModifier),
                           ISlidePoint(10, 10), false, 0);
    fresh.deviceDown(&press);
    fresh.deviceUp(&press);
    QVERIFY(pathElements(b.slide).isEmpty());
}

void TestPen::shapeModeDragsAllDirections_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QRectF>("expected");   // the shape's rect() after release
    const struct { const char* name; QPointF to; } drags[] = {
        {"right-down", {360, 340}}, {"right-up", {360, 260}},
        {"left-down", {240, 340}}, {"left-up", {240, 260}}};
    for (const auto& d : drags) {
        const QRectF spanned = QRectF(QPointF(300, 300), d.to).normalized();
        QTest::newRow(qPrintable(QStringLiteral("rectangle ") + d.name))
            << int(MODE_FIGURE_PATH_RECTANGLE) << d.to << spanned;
        QTest::newRow(qPrintable(QStringLiteral("ellipse ") + d.name))
            << int(MODE_FIGURE_PATH_ELLIPSE) << d.to << spanned;
        const double s = 60;
        const QPointF corner(d.to.x() < 300 ? 300 - s : 300 + s, d.to.y() < 300 ? 300 - s : 300 + s);
        QTest::newRow(qPrintable(QStringLiteral("circle ") + d.name))
            << int(MODE_FIGURE_PATH_CIRCLE) << d.to << QRectF(QPointF(300, 300), corner).normalized();
        // The triangle is left as dragged.
        QTest::newRow(qPrintable(QStringLiteral("triangle ") + d.name))
            << int(MODE_FIGURE_PATH_TRIANGLE) << d.to
            << QRectF(300, 300, d.to.x() - 300, d.to.y() - 300);
        QTest::newRow(qPrintable(QStringLiteral("line ") + d.name))
            << int(MODE_FIGURE_PATH_LINE) << d.to << QRectF(QPointF(300, 300), d.to);
    }
}

void TestPen::shapeModeDragsAllDirections()
{
    QFETCH(int, mode);
    QFETCH(QPointF, to);
    QFETCH(QRectF, expected);
    ShownBoard b;
    IBoardState* state = b.board->boardState();
    state->inkColor = QColor(20, 40, 220);
    state->inkOpacity = 90;
    state->inkThickness = 3.9;
    b.board->setMode(ModeType(mode));
    QSignalSpy added(b.slide, &ISlide::sgElementsAddedEvent);
    QSignalSpy changed(b.slide, &ISlide::sgSlideChangedEvent);
    b.drag(QPointF(300, 300), to);
    QCOMPARE(added.size(), 0);   // added quietly
    QVERIFY(changed.size() >= 1);

    const QList<IPathElement*> elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 1);
    IPathElement* shape = elements.first();
    QCOMPARE(shape->color(), QColor(20, 40, 220));
    QCOMPARE(shape->fillColor(), QColor(20, 40, 220));
    QCOMPARE(shape->alpha(), 90);
    QCOMPARE(shape->thickness(), 3);
    // Later pen changes leave a drawn shape alone.
    state->inkColor = Qt::yellow;
    QCOMPARE(shape->color(), QColor(20, 40, 220));

    if (auto* line = dynamic_cast<ILinePathElement*>(shape)) {
        QCOMPARE(QRectF(line->startPos(), line->stopPos()), expected);
    } else {
        auto* closed = dynamic_cast<IClosedPathElement*>(shape);
        QVERIFY(closed);
        QCOMPARE(closed->rect(), expected);
    }
    // The shape paints where it was dragged.
    const QRect area(0, 0, 800, 600);
    QVERIFY(inkedPixels(renderArea(b.slide, area)) > 30);
}

void TestPen::shapeModeLineClickIsDeleted()
{
    ShownBoard b;
    b.board->setMode(MODE_FIGURE_PATH_LINE);
    QSignalSpy removed(b.slide, &ISlide::sgElementsRemovedEvent);
    QSignalSpy takenOff(b.slide, &ISlide::sgElementsTakenOff);
    b.down(QPointF(100, 100));
    b.up(QPointF(100, 100));
    // A click leaves no line: it is taken off the page, announced and not kept.
    QVERIFY(pathElements(b.slide).isEmpty());
    QCOMPARE(removed.size(), 1);
    auto* mode = dynamic_cast<IFigurePathMode*>(b.board->modeManage()->currentMode());
    QVERIFY(!mode->currentElement());

    // The other shapes keep a zero-size element.
    b.board->setMode(MODE_FIGURE_PATH_RECTANGLE);
    b.down(QPointF(100, 100));
    b.up(QPointF(100, 100));
    QCOMPARE(pathElements(b.slide).size(), 1);
}

void TestPen::shapeModeCircleClippedToPicture()
{
    ShownBoard b(QSize(400, 300));
    QCOMPARE(b.board->pixmapEleBoundingRect(), QRectF(0, 0, 400, 300));
    b.board->boardState()->inkThickness = 4;
    b.board->boardState()->inkColor = Qt::black;
    b.board->setMode(MODE_FIGURE_PATH_CIRCLE);
    // Presses outside the picture never reach the mode; drive the mode directly.
    b.drag(QPointF(340, 100), QPointF(440, 200));
    QList<IPathElement*> elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 1);
    const QRect area(0, 0, 800, 600);
    QImage page = renderArea(b.slide, area);
    // Outline at x 340 is drawn, the part beyond the picture's edge is not.
    QVERIFY(inkAt(page, area, QPoint(340, 150)) > 0);
    QCOMPARE(inkAt(page, area, QPoint(440, 150)), 0);
    QCOMPARE(inkAt(page, area, QPoint(405, 150)), 0);
    QVERIFY(inkAt(page, area, QPoint(395, 150)) > 0);

    // Wholly outside: invisible, but still on the page.
    b.drag(QPointF(500, 400), QPointF(560, 460));
    elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 2);
    page = renderArea(b.slide, QRect(480, 380, 120, 120));
    QCOMPARE(inkedPixels(page), 0);
}

void TestPen::shapeModeSwitchOffMidDrag()
{
    ShownBoard b;
    b.board->setMode(MODE_FIGURE_PATH_ELLIPSE);
    auto* mode = dynamic_cast<IFigurePathMode*>(b.board->modeManage()->currentMode());
    b.down(QPointF(300, 300));
    b.move(QPointF(200, 250));
    QVERIFY(mode->isPressed());
    QVERIFY(mode->currentElement());
    b.board->setMode(MODE_PEN);
    // The shape is finished (normalised) and the mode holds no pointer to it.
    QVERIFY(!mode->isPressed());
    QVERIFY(!mode->currentElement());
    auto* ellipse = dynamic_cast<IEllipsePathElement*>(pathElements(b.slide).value(0));
    QVERIFY(ellipse);
    QCOMPARE(ellipse->rect(), QRectF(200, 250, 100, 50));

    // The page clearing the shape mid-drag does not leave the mode stretching a ghost.
    b.board->setMode(MODE_FIGURE_PATH_RECTANGLE);
    b.down(QPointF(100, 100));
    b.slide->clearPathItems();
    b.move(QPointF(150, 150));
    b.up(QPointF(150, 150));
    QVERIFY(pathElements(b.slide).isEmpty());
    QVERIFY(!mode->currentElement());
}

void TestPen::shapeModeSecondPressStartsNewShape()
{
    ShownBoard b;
    b.board->boardState()->inkColor = Qt::black;
    b.board->setMode(MODE_FIGURE_PATH_RECTANGLE);
    auto* mode = dynamic_cast<IFigurePathMode*>(b.board->modeManage()->currentMode());
    QVERIFY(mode);
    b.down(QPointF(300, 300));
    b.move(QPointF(250, 260));
    // A press whose predecessor never saw its release.
    b.down(QPointF(100, 100));
    b.move(QPointF(160, 140));
    b.up(QPointF(160, 140));
    QVERIFY(!mode->isPressed());

    const QList<IPathElement*> elements = pathElements(b.slide);
    QCOMPARE(elements.size(), 2);
    auto* first = dynamic_cast<IRectanglePathElement*>(elements.at(0));
    auto* second = dynamic_cast<IRectanglePathElement*>(elements.at(1));
    QVERIFY(first && second);
    // The earlier shape keeps the corners of its last move, without the release steps;
    // only the later one is normalised, and moves after the second press leave the first.
    QCOMPARE(first->rect(), QRectF(300, 300, -50, -40));
    QCOMPARE(second->rect(), QRectF(100, 100, 60, 40));
    // Both are drawn.
    QVERIFY(inkedPixels(renderArea(b.slide, QRect(240, 250, 70, 60))) > 0);
    QVERIFY(inkedPixels(renderArea(b.slide, QRect(90, 90, 80, 60))) > 0);
}
