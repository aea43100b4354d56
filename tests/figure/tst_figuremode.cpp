#include <QtTest>

#include <QDir>

#include "tst_figure.h"

#include "board/figure/ifiguremode.h"
#include "board/figure/ifigurepathmode.h"
#include "board/figure/ilinefigureelements.h"
#include "board/figure/isolidfigureelements.h"
#include "board/iboard.h"
#include "board/islide.h"
#include "board/model/imodemanage.h"
#include "service/iboardservice.h"

using namespace TX_IBOARD_ENUM;

Q_DECLARE_METATYPE(QList<QPointF>)

namespace {

const QList<ModeType> figureModeTypes = {
    MODE_FIGURE_LINE_3, MODE_FIGURE_LINE_5, MODE_FIGURE_LINE_9, MODE_FIGURE_LINE_7,
    MODE_FIGURE_PARALLELOGRAM, MODE_FIGURE_REGULAR_TRIANGLE, MODE_FIGURE_PENTAGON,
    MODE_FIGURE_HEXAGON, MODE_FIGURE_OCTAGON, MODE_FIGURE_STAR, MODE_FIGURE_WAVE_LINE,
    MODE_FIGURE_CUBE, MODE_FIGURE_CONE, MODE_FIGURE_CYLINDER, MODE_FIGURE_DIHEDRAL,
    MODE_FIGURE_HEMISPHERE, MODE_FIGURE_TRIANGULAR_PYRAMID, MODE_FIGURE_BALL};

IFigureMode* figureMode(IBoard* board)
{
    return dynamic_cast<IFigureMode*>(board->modeManage()->currentMode());
}

// The figure mode made current through the registry, then set to any kind.
IFigureMode* useFigure(ShownBoard& b, int kind)
{
    b.board->setMode(MODE_FIGURE_PARALLELOGRAM);
    IFigureMode* mode = figureMode(b.board);
    if (mode)
        mode->setFigureType(FigureType(kind));
    return mode;
}

QList<IFigureElement*> figures(ISlide* slide)
{
    QList<IFigureElement*> out;
    for (IElement* e : slide->elements()) {
        if (auto* f = dynamic_cast<IFigureElement*>(e))
            out << f;
    }
    return out;
}

QImage emptyImage(const QSize& size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

} // namespace

void TestFigure::everyCursorLoads()
{
    int named = 0;
    for (int t = 1; t <= 32; ++t) {
        const QString file = figureCursorFile(FigureType(t));
        if (file.isEmpty())
            continue;
        ++named;
        const QPixmap pixmap(file);
        QVERIFY2(!pixmap.isNull(), qPrintable(file));
        QVERIFY2(pixmap.width() >= 24 && pixmap.width() <= 31, qPrintable(file));
        QVERIFY2(pixmap.height() >= 21 && pixmap.height() <= 30, qPrintable(file));
    }
    QCOMPARE(named, 27);
    // Every picture the cursor resources ship loads.
    const QStringList shipped = QDir(QStringLiteral(":/cursors/cursors")).entryList(QDir::Files);
    QCOMPARE(shipped.size(), 22);
    for (const QString& name : shipped)
        QVERIFY2(!QPixmap(QStringLiteral(":/cursors/cursors/") + name).isNull(), qPrintable(name));
}

void TestFigure::modeTypesReachFigureMode()
{
    ShownBoard b;
    IModeBase* shared = nullptr;
    for (ModeType type : figureModeTypes) {
        b.board->setMode(type);
        IFigureMode* mode = figureMode(b.board);
        QVERIFY2(mode, qPrintable(QString::number(type)));
        // One mode object serves every type.
        if (shared)
            QCOMPARE(static_cast<IModeBase*>(mode), shared);
        shared = mode;
        const FigureType kind = IModeManage::figureTypeFor(type);
        QCOMPARE(mode->figureType(), kind);
        const QString file = figureCursorFile(kind);
        if (!file.isEmpty())
            QCOMPARE(b.board->cursor().pixmap().toImage(), QPixmap(file).toImage());

        const int before = figures(b.slide).size();
        b.drag(QPointF(200, 200), QPointF(290, 260));
        const QList<IFigureElement*> drawn = figures(b.slide);
        QCOMPARE(drawn.size(), before + 1);
        const int expected = kind <= FIGURE_LINE_10 ? int(FIGURE_LINE) : int(kind);
        QCOMPARE(drawn.last()->figureType(), expected);
        QVERIFY(drawn.last()->isVisible());
        QCOMPARE(drawn.last()->scene(), static_cast<QGraphicsScene*>(b.slide));
    }
    // The regular triangle names no cursor: the previous one stays.
    const QImage before = b.board->cursor().pixmap().toImage();
    b.board->setMode(MODE_FIGURE_REGULAR_TRIANGLE);
    QCOMPARE(b.board->cursor().pixmap().toImage(), before);
}

void TestFigure::dragsInFourDirections_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSizeF>("anchor");   // extent from the press point
    QTest::addColumn<QSizeF>("drawn");    // size of what is drawn
    QTest::addColumn<bool>("mirrors");    // drawn mirrored when dragged left or up
    QTest::addColumn<QList<QPointF>>("points");   // from the drawn top-left, dragged right-down

    const QSizeF box(60, 40);
    const QSizeF square(40, 40);
    QTest::newRow("rectangle") << int(FIGURE_RECTANGLE) << box << box << false
                               << QList<QPointF>{{0, 0}, {60, 0}, {60, 40}, {0, 40}};
    QTest::newRow("ellipse") << int(FIGURE_ELLIPSE) << box << box << false
                             << QList<QPointF>{{30, 0}, {0, 20}, {60, 20}, {30, 40}};
    QTest::newRow("circle") << int(FIGURE_CIRCLE) << QSizeF(60, 60) << QSizeF(60, 60) << false
                            << QList<QPointF>{{30, 0}, {0, 30}, {60, 30}, {30, 60}};
    QTest::newRow("triangle") << int(FIGURE_ISOSCELES_TRIANGLE) << box << box << true
                              << QList<QPointF>{{30, 0}, {60, 40}, {0, 40}};
    QTest::newRow("parallelogram") << int(FIGURE_PARALLELOGRAM) << box << box << true
                                   << QList<QPointF>{{0, 0}, {40, 0}, {60, 40}, {20, 40}};
    QTest::newRow("star") << int(FIGURE_STAR) << box << box << false
                          << QList<QPointF>{{30, 0}, {60, 15.3}, {48.5, 40}, {11.5, 40}, {0, 15.3}};
    QTest::newRow("regular triangle") << int(FIGURE_REGULAR_TRIANGLE) << square << square << false
                                      << QList<QPointF>{{20, 0}, {37.3, 30}, {2.7, 30}};
    QTest::newRow("pentagon") << int(FIGURE_REGULAR_PENTAGON) << square << square << false
                              << QList<QPointF>{{20, 0}, {39, 13.8}, {31.8, 36.2}, {8.2, 36.2}, {1, 13.8}};
    QTest::newRow("hexagon") << int(FIGURE_REGULAR_HEXAGON) << square << square << false
                             << QList<QPointF>{{10, 2.7}, {30, 2.7}, {40, 20}, {30, 37.3}, {10, 37.3}, {0, 20}};
    QTest::newRow("octagon") << int(FIGURE_REGULAR_OCTAGON) << square << square << false
                             << QList<QPointF>{{20, 0}, {40, 20}, {20, 40}, {0, 20}};
    QTest::newRow("arrow line") << int(FIGURE_LINE_5) << box << box << true
                                << QList<QPointF>{{0, 0}, {30, 20}, {60, 40}};
    QTest::newRow("cube") << int(FIGURE_CUBE) << box << box << false
                          << QList<QPointF>{{0, 13.3}, {0, 40}, {40, 40}, {60, 0}, {60, 26.7}, {20, 0}};
    QTest::newRow("cone") << int(FIGURE_CONE) << box << box << false
                          << QList<QPointF>{{30, 0}, {0, 34.3}, {60, 34.3}};
    QTest::newRow("cylinder") << int(FIGURE_CYLINDER) << box << box << false
                              << QList<QPointF>{{30, 0}, {0, 20}, {60, 20}};
    QTest::newRow("dihedral") << int(FIGURE_DIHEDRAL) << box << box << false
                              << QList<QPointF>{{0, 26}, {0, 0}, {30, 13}, {30, 40}, {60, 0}};
    QTest::newRow("hemisphere") << int(FIGURE_HEMISPHERE) << box << box << false
                                << QList<QPointF>{{30, 0}, {30, 25}, {0, 20}, {60, 20}};
    QTest::newRow("pyramid") << int(FIGURE_TRIANGULAR_PYRAMID) << box << box << false
                             << QList<QPointF>{{0, 40}, {30, 0}, {60, 40}};
    QTest::newRow("ball") << int(FIGURE_BALL) << box << QSizeF(60, 60) << false
                          << QList<QPointF>{{30, 0}, {0, 30}, {60, 30}, {30, 60}};
}

void TestFigure::dragsInFourDirections()
{
    QFETCH(int, kind);
    QFETCH(QSizeF, anchor);
    QFETCH(QSizeF, drawn);
    QFETCH(bool, mirrors);
    QFETCH(QList<QPointF>, points);
    const QPointF press(300, 300);
    const QRect area(150, 150, 300, 300);
    for (const QPointF& dir : {QPointF(1, 1), QPointF(-1, 1), QPointF(1, -1), QPointF(-1, -1)}) {
        ShownBoard b;
        IFigureMode* mode = useFigure(b, kind);
        QVERIFY(mode);
        b.drag(press, press + QPointF(dir.x() * 60, dir.y() * 40));
        const QList<IFigureElement*> made = figures(b.slide);
        QCOMPARE(made.size(), 1);
        IFigureElement* e = made.first();
        const QPointF topLeft(dir.x() < 0 ? press.x() - anchor.width() : press.x(),
                              dir.y() < 0 ? press.y() - anchor.height() : press.y());
        const QRectF expected(topLeft, drawn);
        const QRectF bounds = e->sceneBoundingRect();
        const QString where = QStringLiteral("direction %1,%2").arg(dir.x()).arg(dir.y());
        // Arrow heads reach past the line's end.
        const double margin = kind == FIGURE_LINE_5 ? 12 : 4;
        QVERIFY2(expected.adjusted(-margin, -margin, margin, margin).contains(bounds), qPrintable(where));
        const QImage image = paintFigure(e, area);
        for (QPointF p : points) {
            if (mirrors && dir.x() < 0)
                p.setX(drawn.width() - p.x());
            if (mirrors && dir.y() < 0)
                p.setY(drawn.height() - p.y());
            const QPointF scenePoint = topLeft + p;
            QVERIFY2(bounds.contains(scenePoint), qPrintable(where));
            QVERIFY2(inkNear(image, area, scenePoint),
                     qPrintable(where + QStringLiteral(" point %1,%2").arg(p.x()).arg(p.y())));
        }
        // Nothing far outside the figure.
        QCOMPARE(qAlpha(image.pixel(5, 5)), 0);
    }
}

void TestFigure::clickLeavesNothing()
{
    for (int kind : {int(FIGURE_LINE_5), int(FIGURE_RECTANGLE), int(FIGURE_CUBE),
                     int(FIGURE_REGULAR_PENTAGON), int(FIGURE_WAVE_LINE), int(FIGURE_CIRCLE)}) {
        ShownBoard b;
        useFigure(b, kind);
        QSignalSpy removed(b.slide, &ISlide::sgElementsRemovedEvent);
        QSignalSpy takenOff(b.slide, &ISlide::sgElementsTakenOff);
        b.down(QPointF(100, 100));
        QCOMPARE(figures(b.slide).size(), 1);
        b.up(QPointF(100, 100));
        QVERIFY2(figures(b.slide).isEmpty(), qPrintable(QString::number(kind)));
        // Taken off once; the page no longer shows it (and it is gone for good).
        QCOMPARE(removed.count(), 1);
        QCOMPARE(takenOff.count(), 1);
        QCOMPARE(b.slide->items().size(), 1);
        QVERIFY(!figureMode(b.board)->currentElement());
    }
    // A rectangle figure dragged from (10, 10) to (4, 2) ends as (4, 2, 6, 8).
    ShownBoard b;
    useFigure(b, FIGURE_RECTANGLE);
    b.drag(QPointF(10, 10), QPointF(4, 2));
    auto* rect = dynamic_cast<IRectangleFigureElement*>(figures(b.slide).value(0));
    QVERIFY(rect);
    QCOMPARE(rect->rect(), QRectF(4, 2, 6, 8));
}

void TestFigure::releaseAnnouncesOnce()
{
    ShownBoard b;
    b.board->setMode(MODE_FIGURE_CUBE);
    QSignalSpy added(b.slide, &ISlide::sgElementsAddedEvent);
    QSignalSpy changed(b.slide, &ISlide::sgSlideChangedEvent);
    b.down(QPointF(100, 100));
    b.move(QPointF(150, 160));
    // Placed quietly on the press.
    QCOMPARE(added.count(), 0);
    QCOMPARE(changed.count(), 1);
    IFigureElement* e = figureMode(b.board)->currentElement();
    QVERIFY(e);
    QVERIFY(b.board->boardState()->isTouchingBoard());
    b.up(QPointF(160, 170));
    QVERIFY(!b.board->boardState()->isTouchingBoard());
    QCOMPARE(added.count(), 1);
    QCOMPARE(added.first().at(0).toString(), b.slide->id());
    QCOMPARE(added.first().at(1).value<QList<IElement*>>(),
             QList<IElement*>{static_cast<IElement*>(e)});
    QCOMPARE(b.slide->elements().count(static_cast<IElement*>(e)), 1);
    QCOMPARE(figures(b.slide).size(), 1);
    QVERIFY(!figureMode(b.board)->currentElement());
}

void TestFigure::figureTakesBoardState()
{
    ShownBoard b;
    IBoardState* state = b.board->boardState();
    state->inkColor = QColor(10, 20, 30);
    state->figureThickness = 6;
    state->figureBackground = QColor(200, 100, 50);
    b.board->setMode(MODE_FIGURE_STAR);
    b.drag(QPointF(100, 100), QPointF(200, 180));
    b.board->setMode(MODE_FIGURE_LINE_7);
    b.drag(QPointF(300, 100), QPointF(400, 180));
    b.board->setMode(MODE_FIGURE_WAVE_LINE);
    b.drag(QPointF(100, 300), QPointF(400, 300));
    state->inkColor = Qt::green;
    state->figureThickness = 3;
    const QList<IFigureElement*> made = figures(b.slide);
    QCOMPARE(made.size(), 3);
    for (IFigureElement* e : made) {
        QCOMPARE(e->pen().color(), QColor(10, 20, 30));
        QCOMPARE(e->pen().widthF(), 6.0);
    }
    QCOMPARE(made.at(0)->background(), QColor(200, 100, 50));
    auto* line = dynamic_cast<ILineFigureElement*>(made.at(1));
    QVERIFY(line);
    QCOMPARE(line->pen().style(), Qt::SolidLine);
    QCOMPARE(line->startArrowType(), ILineFigureElement::TriangleArrow);
    QCOMPARE(line->endArrowType(), ILineFigureElement::TriangleArrow);
    auto* wave = dynamic_cast<IWaveLineFigureElement*>(made.at(2));
    QVERIFY(wave);
    QCOMPARE(wave->waveWidth(), 6.0);
    QVERIFY(!wave->wavePath().isEmpty());

    // Line looks by kind.
    IFigureMode* mode = figureMode(b.board);
    const struct { int kind; Qt::PenStyle style; int start; int end; } looks[] = {
        {FIGURE_LINE, Qt::SolidLine, 0, 0}, {FIGURE_LINE_2, Qt::DashLine, 0, 0},
        {FIGURE_LINE_3, Qt::DotLine, 0, 0}, {FIGURE_LINE_4, Qt::DashDotDotLine, 0, 0},
        {FIGURE_LINE_5, Qt::SolidLine, 0, 2}, {FIGURE_LINE_6, Qt::SolidLine, 0, 1},
        {FIGURE_LINE_8, Qt::SolidLine, 1, 1}, {FIGURE_LINE_9, Qt::SolidLine, 2, 0},
        {FIGURE_LINE_10, Qt::SolidLine, 1, 0}};
    for (const auto& look : looks) {
        mode->setFigureType(FigureType(look.kind));
        std::unique_ptr<IFigureElement> made(mode->createGeometry());
        auto* l = dynamic_cast<ILineFigureElement*>(made.get());
        QVERIFY(l);
        QCOMPARE(l->pen().style(), look.style);
        QCOMPARE(int(l->startArrowType()), look.start);
        QCOMPARE(int(l->endArrowType()), look.end);
    }
}

void TestFigure::vertexCountFollowsLastPolygonType()
{
    ShownBoard b;
    IFigureMode* mode = useFigure(b, FIGURE_REGULAR_HEXAGON);
    QCOMPARE(mode->vertexCount(), 6);
    mode->setFigureType(FIGURE_LINE_5);
    QCOMPARE(mode->vertexCount(), 6);
    mode->setFigureType(FIGURE_REGULAR_HEXAGON);
    b.drag(QPointF(100, 100), QPointF(160, 160));
    auto* hex = dynamic_cast<IVerticsPolygonFigureElement*>(figures(b.slide).value(0));
    QVERIFY(hex);
    QCOMPARE(hex->vertexCount(), 6);
    QCOMPARE(hex->figureType(), int(FIGURE_REGULAR_HEXAGON));
    b.board->setMode(MODE_FIGURE_OCTAGON);
    QCOMPARE(mode->vertexCount(), 8);
    QCOMPARE(mode->reverseRect(QRectF(10, 10, -6, -8)), QRectF(4, 2, 6, 8));
    QCOMPARE(mode->reverseRect(QRectF(10, 10, 0, -8)), QRectF(10, 10, 0, -8));
}

void TestFigure::polygonMirroredOnlyWhenDraggedLeft()
{
    ShownBoard b;
    b.board->setMode(MODE_FIGURE_PENTAGON);
    b.drag(QPointF(300, 300), QPointF(240, 340));
    b.drag(QPointF(500, 300), QPointF(500, 200));
    b.drag(QPointF(100, 100), QPointF(60, 200));
    const QList<IFigureElement*> made = figures(b.slide);
    QCOMPARE(made.size(), 3);
    QCOMPARE(made.at(0)->transform().m11(), -1.0);
    // Mirroring keeps the figure where it was drawn.
    auto* left = static_cast<IVerticsPolygonFigureElement*>(made.at(0));
    // Its square is (260, 300, 40, 40); the outline grown by 2 starts at the leftmost vertex.
    QCOMPARE(left->sceneBoundingRect().topLeft(), QPointF(280 - 20 * std::cos(M_PI / 10) - 2, 298));
    // Straight up has no width: the pentagon is empty but not mirrored.
    QCOMPARE(made.at(1)->transform().m11(), 1.0);
    QCOMPARE(made.at(2)->transform().m11(), -1.0);

    // A parallelogram dragged left and up is normalised and mirrored both ways.
    b.board->setMode(MODE_FIGURE_PARALLELOGRAM);
    b.drag(QPointF(400, 400), QPointF(340, 370));
    auto* para = dynamic_cast<IParallelQuadrilateralFigureElement*>(figures(b.slide).last());
    QVERIFY(para);
    QCOMPARE(para->rect(), QRectF(340, 370, 60, 30));
    QCOMPARE(para->transform().m11(), -1.0);
    QCOMPARE(para->transform().m22(), -1.0);
    QCOMPARE(para->sceneBoundingRect().topLeft(), QPointF(339, 369));

    // The free function mirrors any item in place.
    IRectangleFigureElement item;
    item.setRect(QRectF(20, 30, 50, 10));
    const QRectF before = item.sceneBoundingRect();
    flip(&item, Qt::Vertical);
    QCOMPARE(item.transform().m22(), -1.0);
    QCOMPARE(item.sceneBoundingRect(), before);
}

void TestFigure::noShapeTypesAndStrayInput()
{
    ShownBoard b;
    IFigureMode* mode = useFigure(b, FIGURE_CUBE);
    // Moves and releases without a press do nothing.
    b.move(QPointF(10, 10));
    b.up(QPointF(10, 10));
    QVERIFY(!mode->isPressed());
    QVERIFY(figures(b.slide).isEmpty());
    for (int kind : {11, 12, 16, 27, 40}) {
        mode->setFigureType(FigureType(kind));
        b.down(QPointF(100, 100));
        QVERIFY(mode->isPressed());
        b.move(QPointF(150, 150));
        QVERIFY(mode->hasMoved());
        b.up(QPointF(150, 150));
        QVERIFY(!mode->isPressed());
        QVERIFY(figures(b.slide).isEmpty());
    }
    // A second press while drawing starts another figure; the first stays as drawn.
    mode->setFigureType(FIGURE_CUBE);
    b.down(QPointF(100, 100));
    b.move(QPointF(160, 150));
    IFigureElement* first = mode->currentElement();
    b.down(QPointF(300, 300));
    b.move(QPointF(360, 350));
    b.up(QPointF(360, 350));
    const QList<IFigureElement*> made = figures(b.slide);
    QCOMPARE(made.size(), 2);
    QCOMPARE(made.first(), first);
    QCOMPARE(static_cast<ICubeFigureElement*>(first)->rect(), QRectF(100, 100, 60, 50));
    // A kind changed mid-drag leaves the figure alone.
    b.down(QPointF(200, 200));
    mode->setFigureType(FIGURE_STAR);
    b.move(QPointF(260, 260));
    IFigureElement* cube = mode->currentElement();
    QCOMPARE(static_cast<ICubeFigureElement*>(cube)->rect(), QRectF(200, 200, 0, 0));
    b.up(QPointF(260, 260));
    QCOMPARE(static_cast<ICubeFigureElement*>(cube)->rect(), QRectF(200, 200, 0, 0));

    // Leaving the mode mid-drag ends the gesture: a later stray move stretches nothing.
    mode->setFigureType(FIGURE_CUBE);
    b.down(QPointF(400, 100));
    b.move(QPointF(460, 150));
    auto* left = static_cast<ICubeFigureElement*>(mode->currentElement());
    b.board->setMode(MODE_PEN);
    QVERIFY(!b.board->boardState()->isTouchingBoard());
    b.board->setMode(MODE_FIGURE_CUBE);
    QCOMPARE(figureMode(b.board), mode);
    b.move(QPointF(600, 400));
    b.up(QPointF(600, 400));
    QCOMPARE(left->rect(), QRectF(400, 100, 60, 50));
    QCOMPARE(figures(b.slide).size(), 4);
}

void TestFigure::figureThroughRealMouseInput()
{
    ShownBoard b;
    IBoardService* facade = IBoardService::instance();
    facade->setBoard(b.board);
    facade->switchFigureRegularTriangle();
    QCOMPARE(b.board->modeManage()->currentModeType(), MODE_FIGURE_REGULAR_TRIANGLE);
    b.mouseGesture(QPointF(100, 100), QPointF(200, 200), QPointF(200, 200));
    const QList<IFigureElement*> made = figures(b.slide);
    QCOMPARE(made.size(), 1);
    auto* tri = dynamic_cast<IVerticsPolygonFigureElement*>(made.first());
    QVERIFY(tri);
    QCOMPARE(tri->vertexCount(), 3);
    // Shown on the board: the scene renders the apex.
    const QRect area(0, 0, 400, 400);
    const QImage image = paintFigure(tri, area);
    QVERIFY(inkNear(image, area, QPointF(150, 100)));
    QVERIFY(image != emptyImage(area.size()));
    facade->setBoard(nullptr);
    IBoardService::destroyInstance();
}
