#include <QtTest>

#include <QGraphicsPathItem>
#include <QPainter>

#include "tst_figure.h"

#include "board/figure/ilinefigureelements.h"
#include "board/figure/isolidfigureelements.h"

using namespace TX_IBOARD_ENUM;

namespace {

int moveCount(const QPainterPath& path)
{
    int n = 0;
    for (int i = 0; i < path.elementCount(); ++i)
        n += path.elementAt(i).isMoveTo();
    return n;
}

QLineF snappedLine(const QPointF& from, double degrees, double length, bool moveStart)
{
    ILineFigureElement line;
    QLineF target = QLineF::fromPolar(length, degrees).translated(from);
    if (moveStart) {
        // Drag the start so that the line from it to the fixed end has the angle.
        line.setLine(target.p1() + QPointF(1000, 1000), target.p2());
        line.setStartPoint(target.p1());
    } else {
        line.setLine(from, from + QPointF(5, 5));
        line.setEndPoint(target.p2());
    }
    return QLineF(line.startPoint(), line.endPoint());
}

} // namespace

void TestFigure::baseStyleRules()
{
    IRectangleFigureElement r;
    r.setThicness(0.5);
    QCOMPARE(r.pen().widthF(), 2.0);
    r.setThicness(1.0);
    QCOMPARE(r.pen().widthF(), 2.0);
    r.setThicness(1.5);
    QCOMPARE(r.pen().widthF(), 1.5);

    r.setLineStyle(IFigureElement::DotLine);
    QCOMPARE(r.pen().style(), Qt::DotLine);
    r.setLineStyle(0);
    QCOMPARE(r.pen().style(), Qt::SolidLine);
    r.setLineStyle(IFigureElement::DashDotDotLine);
    r.setLineStyle(6);
    QCOMPARE(r.pen().style(), Qt::SolidLine);

    // Integer half of the pen width on each side.
    r.setThicness(5);
    QCOMPARE(r.adjustBoundingRect(QRectF(10, 10, 20, 20)), QRectF(8, 8, 24, 24));
    r.setThicness(2);
    r.setRect(QRectF(0, 0, -40, -20));
    QCOMPARE(r.boundingRect(), QRectF(-41, -21, 42, 22));

    // Identity lives in the figure's own data slots; the layer is also the z value.
    r.setId(QStringLiteral("abc"));
    r.setLayer(12.5);
    r.setLocked(true);
    QCOMPARE(r.data(0).toString(), QStringLiteral("abc"));
    QCOMPARE(r.data(1).toDouble(), 12.5);
    QCOMPARE(r.data(3).toBool(), true);
    QCOMPARE(r.zValue(), 12.5);
    QCOMPARE(r.type(), QGraphicsItem::UserType + 4);

    IRectangleFigureElement fresh;
    fresh.initialize();
    QCOMPARE(fresh.pen().color(), QColor(Qt::black));
    QCOMPARE(fresh.pen().widthF(), 2.0);
    QCOMPARE(fresh.pen().capStyle(), Qt::RoundCap);
    QCOMPARE(fresh.brush().color().alpha(), 0);
}

void TestFigure::propertiesRoundTrip_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("rectangle") << int(FIGURE_RECTANGLE);
    QTest::newRow("line") << int(FIGURE_LINE);
    QTest::newRow("star") << int(FIGURE_STAR);
    QTest::newRow("pentagon") << int(FIGURE_REGULAR_PENTAGON);
}

void TestFigure::propertiesRoundTrip()
{
    QFETCH(int, kind);
    std::unique_ptr<IFigureElement> e;
    switch (kind) {
    case FIGURE_RECTANGLE: e.reset(new IRectangleFigureElement); break;
    case FIGURE_LINE: e.reset(new ILineFigureElement); break;
    case FIGURE_STAR: e.reset(new IStarFigureElement); break;
    default: e.reset(new IVerticsPolygonFigureElement(5, QPointF())); break;
    }
    e->setPos(10, 20);
    QCOMPARE(e->getElementProperty(ELEMENT_TYPE).toInt(), 65540);
    QCOMPARE(e->getElementProperty(ELEMENT_FIGURE_TYPE).toInt(), kind);

    e->setElementProperty(ELEMENT_LINE_COLOR, QColor(Qt::green));
    QCOMPARE(e->getElementProperty(ELEMENT_LINE_COLOR).toString(), QStringLiteral("#00ff00"));
    QCOMPARE(e->pos(), QPointF(10, 20));
    e->setElementProperty(ELEMENT_LINE_COLOR, QStringLiteral("#123456"));
    QCOMPARE(e->pen().color(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(e->getElementProperty(ELEMENT_LINE_OPACITY).toDouble(), 1.0);
    // Opacity keys are read-only.
    e->setElementProperty(ELEMENT_LINE_OPACITY, 0.25);
    QCOMPARE(e->getElementProperty(ELEMENT_LINE_OPACITY).toDouble(), 1.0);

    e->setElementProperty(ELEMENT_FILL_COLOR, QStringLiteral("#abcdef"));
    QCOMPARE(e->getElementProperty(ELEMENT_FILL_COLOR).toString(), QStringLiteral("#abcdef"));
    QCOMPARE(e->getElementProperty(ELEMENT_FILL_OPACITY).toDouble(), 1.0);
    e->setElementProperty(ELEMENT_FILL_COLOR, QColor(0, 0, 255, 51));
    QCOMPARE(e->getElementProperty(ELEMENT_FILL_OPACITY).toDouble(), 0.2);
    e->setElementProperty(ELEMENT_FILL_COLOR, QStringLiteral("not a colour"));
    QVERIFY(!e->background().isValid());

    e->setElementProperty(ELEMENT_LINE_THICKNESS, 6.5);
    QCOMPARE(e->getElementProperty(ELEMENT_LINE_THICKNESS).toDouble(), 6.5);
    e->setElementProperty(ELEMENT_LINE_THICKNESS, 0.3);
    QCOMPARE(e->getElementProperty(ELEMENT_LINE_THICKNESS).toDouble(), 2.0);
    e->setElementProperty(ELEMENT_LINE_STYLE, 2);
    QCOMPARE(e->getElementProperty(ELEMENT_LINE_STYLE).toInt(), int(Qt::DashLine));
    QCOMPARE(e->pen().style(), Qt::DashLine);

    // The kind never changes.
    e->setElementProperty(ELEMENT_FIGURE_TYPE, 99);
    QCOMPARE(e->figureType(), kind);

    e->setElementProperty(ELEMENT_X, 40.0);
    QCOMPARE(e->pos(), QPointF(40, 20));
    e->setElementProperty(ELEMENT_Y, -7.5);
    QCOMPARE(e->pos(), QPointF(40, -7.5));
    e->setElementProperty(ELEMENT_ID, QStringLiteral("id-1"));
    QCOMPARE(e->getElementProperty(ELEMENT_ID).toString(), QStringLiteral("id-1"));
    e->setElementProperty(ELEMENT_LOCKED, true);
    QCOMPARE(e->getElementProperty(ELEMENT_LOCKED).toBool(), true);
    e->setElementProperty(ELEMENT_LAYER, 3.25);
    QCOMPARE(e->getElementProperty(ELEMENT_LAYER).toDouble(), 3.25);
    QCOMPARE(e->zValue(), 3.25);
    e->setElementProperty(ELEMENT_MATRIX, QStringLiteral("matrix(2, 0, 0, 3, 0, 0)"));
    QCOMPARE(e->matrix(), QMatrix(2, 0, 0, 3, 0, 0));
    QCOMPARE(e->getElementProperty(ELEMENT_MATRIX).toString(),
             QStringLiteral("matrix(2, 0, 0, 3, 40, -7.5)"));
    e->setElementProperty(ELEMENT_TAG, 7);
    QCOMPARE(e->getElementProperty(ELEMENT_TAG).toInt(), 7);
    // File attributes are answered but not set through a figure.
    e->setElementProperty(ELEMENT_FILE_PATH, QStringLiteral("/tmp/x"));
    QCOMPARE(e->getElementProperty(ELEMENT_FILE_PATH).toString(), QString());
}

void TestFigure::gradientAndPlainFill()
{
    const QRect area(0, 0, 120, 60);
    IRectangleFigureElement r;
    r.setForeground(Qt::black);
    r.setRect(QRectF(10, 10, 100, 40));
    r.setGradientBackground(QColor(255, 0, 0), QColor(0, 0, 255), Qt::HorPattern);
    QImage image = paintFigure(&r, area);
    const QColor left = colorAt(image, area, QPoint(15, 30));
    const QColor right = colorAt(image, area, QPoint(105, 30));
    QVERIFY(left.red() > 200 && left.blue() < 50);
    QVERIFY(right.blue() > 200 && right.red() < 50);

    r.setGradientBackground(QColor(255, 0, 0), QColor(0, 0, 255), Qt::VerPattern);
    image = paintFigure(&r, area);
    QVERIFY(colorAt(image, area, QPoint(60, 14)).red() > 200);
    QVERIFY(colorAt(image, area, QPoint(60, 46)).blue() > 200);

    // A style without a direction paints the outline only.
    r.setGradientBackground(QColor(255, 0, 0), QColor(0, 0, 255), Qt::CrossPattern);
    image = paintFigure(&r, area);
    QCOMPARE(qAlpha(image.pixel(60, 30)), 0);
    QVERIFY(inkNear(image, area, QPointF(10, 30)));

    r.setBackground(QColor(0, 255, 0));
    QCOMPARE(r.fillMode(), int(IFigureElement::FillBackground));
    image = paintFigure(&r, area);
    QCOMPARE(colorAt(image, area, QPoint(60, 30)), QColor(0, 255, 0));
    r.setBackground(QColor(0, 255, 0, 0));
    image = paintFigure(&r, area);
    QCOMPARE(qAlpha(image.pixel(60, 30)), 0);
}

void TestFigure::lineAngleSnapping_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<bool>("moveStart");
    QTest::addColumn<double>("expected");   // -1: not snapped
    QTest::newRow("44.5 snaps to 45") << 44.5 << false << 45.0;
    QTest::newRow("46.9 snaps to 45") << 46.9 << false << 45.0;
    QTest::newRow("43 stays") << 43.0 << false << -1.0;
    QTest::newRow("47.3 stays") << 47.3 << false << -1.0;
    QTest::newRow("359.5 snaps to 0") << 359.5 << false << 0.0;
    QTest::newRow("90.7 snaps to 90") << 90.7 << false << 90.0;
    QTest::newRow("start 134.2 snaps to 135") << 134.2 << true << 135.0;
    QTest::newRow("start 200 stays") << 200.0 << true << -1.0;
}

void TestFigure::lineAngleSnapping()
{
    QFETCH(double, degrees);
    QFETCH(bool, moveStart);
    QFETCH(double, expected);
    const QPointF from(100, 100);
    const QLineF target = QLineF::fromPolar(80, degrees).translated(from);
    const QLineF got = snappedLine(from, degrees, 80, moveStart);
    QVERIFY(qAbs(got.length() - 80) < 1e-3);
    if (expected < 0) {
        QVERIFY(qAbs(got.angle() - degrees) < 1e-6);
        QCOMPARE(got.p1(), target.p1());
        QCOMPARE(got.p2(), target.p2());
        return;
    }
    QVERIFY2(qAbs(std::remainder(got.angle() - expected, 360.0)) < 1e-4,
             qPrintable(QString::number(got.angle())));
    // The fixed end stays where it was.
    if (moveStart)
        QCOMPARE(got.p2(), target.p2());
    else
        QCOMPARE(got.p1(), from);
}

void TestFigure::lineArrowsFollowLineAndPen()
{
    ILineFigureElement line;
    line.setThicness(5);
    line.setForeground(Qt::blue);
    line.setLine(QPointF(0, 0), QPointF(100, 0));
    QVERIFY(!line.endArrowItem());
    line.setEndArrow(ILineFigureElement::TriangleArrow);
    QGraphicsPathItem* arrow = line.endArrowItem();
    QVERIFY(arrow);
    // Built at once, not at the next paint: 8 to each side, tip 16 beyond the end.
    const QRectF spread = line.mapFromItem(arrow, arrow->path()).boundingRect();
    QCOMPARE(spread, QRectF(100, -8, 16, 16));
    QCOMPARE(arrow->brush().color(), QColor(Qt::blue));
    QVERIFY(line.boundingRect().contains(QRectF(100, -8, 16, 16)));

    // The arrow follows the line and the pen without a paint in between.
    line.setLine(QPointF(0, 0), QPointF(0, 100));
    QCOMPARE(line.endArrowItem(), arrow);
    QCOMPARE(arrow->pos(), QPointF(0, 100));
    QCOMPARE(line.mapFromItem(arrow, arrow->path()).boundingRect(), QRectF(-8, 100, 16, 16));
    line.setForeground(Qt::red);
    QCOMPARE(arrow->brush().color(), QColor(Qt::red));
    line.setThicness(2);
    QCOMPARE(line.mapFromItem(arrow, arrow->path()).boundingRect(), QRectF(-5, 100, 10, 10));

    // Painting leaves the arrow alone.
    const QRect area(-20, -20, 60, 140);
    const QImage image = paintFigure(&line, area);
    QCOMPARE(line.endArrowItem(), arrow);
    QCOMPARE(colorAt(image, area, QPoint(0, 105)), QColor(Qt::red));

    line.setEndArrow(ILineFigureElement::TriangleArrow);
    QCOMPARE(line.endArrowItem(), arrow);
    line.setEndArrow(ILineFigureElement::DotArrow);
    QVERIFY(line.endArrowItem());
    QCOMPARE(line.endArrowItem()->path().boundingRect(), QRectF(-2, -2, 4, 4));
    line.setStartArrow(ILineFigureElement::DotArrow);
    QCOMPARE(line.startArrowItem()->pos(), QPointF(0, 0));
    line.setEndArrow(ILineFigureElement::NoArrow);
    QVERIFY(!line.endArrowItem());
}

void TestFigure::lineCopyKeepsTargetArrows()
{
    ILineFigureElement plain;
    plain.setLine(QPointF(10, 10), QPointF(90, 10));
    ILineFigureElement arrowed;
    arrowed.setLine(QPointF(0, 0), QPointF(0, 50));
    arrowed.setStartArrow(ILineFigureElement::TriangleArrow);
    arrowed.setEndArrow(ILineFigureElement::DotArrow);
    plain.copyItemParameters(&arrowed);
    QCOMPARE(arrowed.startPoint(), QPointF(10, 10));
    QCOMPARE(arrowed.endPoint(), QPointF(90, 10));
    QCOMPARE(arrowed.startArrowType(), ILineFigureElement::TriangleArrow);
    QCOMPARE(arrowed.endArrowType(), ILineFigureElement::DotArrow);
    // The kept arrows sit on the copied line.
    QCOMPARE(arrowed.endArrowItem()->pos(), QPointF(90, 10));

    ILineFigureElement other;
    arrowed.copyItemParameters(&other);
    QCOMPARE(other.startArrowType(), ILineFigureElement::TriangleArrow);
    QVERIFY(other.startArrowItem());

    // Another class is left alone.
    IRectangleFigureElement rect;
    rect.setPos(5, 5);
    arrowed.copyItemParameters(&rect);
    QCOMPARE(rect.pos(), QPointF(5, 5));
}

void TestFigure::waveSegmentsAndTrim()
{
    IWaveLineFigureElement wave;
    QCOMPARE(wave.waveWidth(), 5.0);
    wave.setLine(QPointF(10, 50), QPointF(110, 50));
    QPainterPath path = wave.wavePath();
    // Four whole waves of 20 and a fifth trimmed at the end point's x.
    QCOMPARE(moveCount(path), 5);
    QVERIFY(path.boundingRect().right() <= 110.0);
    QVERIFY(path.boundingRect().right() > 105.0);
    QCOMPARE(path.elementAt(0).x, 10.0);
    // Amplitude 4.56 w above and below the line.
    QVERIFY(qAbs(path.boundingRect().top() - 50) > 5 && qAbs(path.boundingRect().top() - 50) < 23);
    QVERIFY(qAbs(path.boundingRect().bottom() - 50) > 5);
    const int grow = wave.pen().width();
    QCOMPARE(wave.boundingRect(),
             path.toFillPolygon(QTransform()).boundingRect().adjusted(-grow, -grow, grow, grow));

    // Length 105: total 120, the sixth segment is the trimmed one.
    wave.setLine(QPointF(10, 50), QPointF(115, 50));
    QCOMPARE(moveCount(wave.wavePath()), 6);
    QVERIFY(wave.wavePath().boundingRect().right() <= 115.0);

    // Drawn leftwards the trimmed last segment is dropped whole.
    wave.setLine(QPointF(110, 50), QPointF(10, 50));
    QCOMPARE(moveCount(wave.wavePath()), 4);

    wave.setThicness(8);
    QCOMPARE(wave.waveWidth(), 8.0);
    QCOMPARE(wave.pen().widthF(), 8.0);
    wave.setLine(QPointF(10, 50), QPointF(170, 50));
    QCOMPARE(moveCount(wave.wavePath()), 5);
    wave.setThicness(0.5);
    QCOMPARE(wave.waveWidth(), 0.5);
    QCOMPARE(wave.pen().widthF(), 2.0);

    // Painted: ink on the wave, none far off it.
    wave.setThicness(5);
    wave.setForeground(Qt::black);
    const QRect area(0, 0, 200, 100);
    const QImage image = paintFigure(&wave, area);
    QVERIFY(inkNear(image, area, QPointF(10, 50)));
    QCOMPARE(qAlpha(image.pixel(100, 5)), 0);

    // A null end has no wave.
    wave.setLine(QPointF(0, 0), QPointF(100, 100));
    QVERIFY(wave.wavePath().isEmpty());
    QVERIFY(wave.boundingRect().isEmpty());
    wave.setLine(QPointF(10, 10), QPointF(0, 0));
    QVERIFY(wave.wavePath().isEmpty());
    QCOMPARE(getNear(101, 20), 120);
    QCOMPARE(getNear(100, 20), 100);
}

void TestFigure::waveDegenerateWidthsAreEmpty()
{
    IWaveLineFigureElement wave;
    wave.setLine(QPointF(10, 10), QPointF(300, 10));
    QVERIFY(!wave.wavePath().isEmpty());
    // Under a quarter pixel the whole-wave step is zero: no division, no wave.
    const QRect area(0, 0, 320, 40);
    QImage empty(area.size(), QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    for (double w : {0.2, 0.0, -3.0, std::nan("")}) {
        wave.setWaveWidth(w);
        QVERIFY(wave.wavePath().isEmpty());
        QCOMPARE(paintFigure(&wave, area), empty);
    }
    wave.setWaveWidth(0.25);
    QVERIFY(!wave.wavePath().isEmpty());
    QCOMPARE(moveCount(wave.wavePath()), 290);
}

void TestFigure::planeShapesDrawnPoints()
{
    const QRect area(-60, -60, 200, 200);
    IIsoscelesTriangleFigureElement tri;
    tri.setThicness(2);
    tri.setRect(QRectF(20, 30, 7, 10));
    QCOMPARE(tri.pos(), QPointF(20, 30));
    QImage image = paintFigure(&tri, area);
    for (const QPointF& p : {QPointF(23, 30), QPointF(27, 40), QPointF(20, 40)})
        QVERIFY(inkNear(image, area, p));
    QCOMPARE(tri.boundingRect(), QRectF(-1, -1, 9, 12));

    IParallelQuadrilateralFigureElement para;
    para.setRect(QRectF(0, 0, 60, 30));
    image = paintFigure(&para, area);
    for (const QPointF& p : {QPointF(0, 0), QPointF(40, 0), QPointF(60, 30), QPointF(20, 30)})
        QVERIFY(inkNear(image, area, p));
    QVERIFY(!inkNear(image, area, QPointF(50, 0)));
    QVERIFY(!inkNear(image, area, QPointF(10, 30)));

    ICircleFigureElement circle;
    circle.setThicness(2);
    circle.setRect(QRectF(0, 0, -30, 12));
    QCOMPARE(circle.radius(), 15.0);
    QVERIFY(circle.flipX());
    QVERIFY(!circle.flipY());
    QCOMPARE(circle.rect(), QRectF(0, 0, -30, 30));
    QCOMPARE(circle.boundingRect(), QRectF(-31, -1, 32, 32));
    image = paintFigure(&circle, area);
    QVERIFY(inkNear(image, area, QPointF(-15, 0)));
    QVERIFY(inkNear(image, area, QPointF(-30, 15)));
    QVERIFY(inkNear(image, area, QPointF(0, 15)));
    QVERIFY(!inkNear(image, area, QPointF(15, 15)));

    IRectangleFigureElement rect;
    rect.setRect(QRectF(10, 10, -40, -20));
    QCOMPARE(rect.rect(), QRectF(10, 10, -40, -20));
    image = paintFigure(&rect, area);
    QVERIFY(inkNear(image, area, QPointF(-30, -10)));
    QVERIFY(inkNear(image, area, QPointF(10, 0)));
    QVERIFY(!inkNear(image, area, QPointF(20, 20)));

    IEllipseFigureElement ellipse;
    ellipse.setPos(50, 50);
    ellipse.setRadiusX(-20);
    ellipse.setRadiusY(10);
    QCOMPARE(ellipse.rect(), QRectF(50, 50, -40, 20));
    QCOMPARE(ellipse.center(), QPointF(30, 60));
    image = paintFigure(&ellipse, area);
    QVERIFY(inkNear(image, area, QPointF(10, 60)));
    QVERIFY(inkNear(image, area, QPointF(30, 50)));
    QVERIFY(inkNear(image, area, QPointF(30, 70)));

    IStarFigureElement star;
    star.setRect(QRectF(0, 0, 100, 80));
    const QList<QPointF> v = IStarFigureElement::getVertexPoints(100, 80, 5);
    QCOMPARE(v.first(), QPointF(50, 0));
    double minX = 1e9, maxX = -1e9, maxY = -1e9;
    for (const QPointF& p : v) {
        minX = qMin(minX, p.x());
        maxX = qMax(maxX, p.x());
        maxY = qMax(maxY, p.y());
    }
    QVERIFY(qFuzzyIsNull(minX));
    QCOMPARE(maxX, 100.0);
    QCOMPARE(maxY, 80.0);
    QCOMPARE(IStarFigureElement::getIntersection(QPointF(0, 0), QPointF(10, 10), QPointF(0, 10),
                                                 QPointF(10, 0)),
             QPointF(5, 5));
    const QRect starArea(-5, -5, 110, 90);
    image = paintFigure(&star, starArea);
    for (const QPointF& p : v)
        QVERIFY(inkNear(image, starArea, p));
    // The middle is not filled without a background; the star has ten corners.
    QCOMPARE(qAlpha(image.pixel(QPoint(50, 45) - starArea.topLeft())), 0);
    QCOMPARE(IStarFigureElement::starPath(100, 80).elementCount(), 11);

    // Nothing at all for an empty rectangle.
    for (IRectPlacedFigureElement* e :
         std::initializer_list<IRectPlacedFigureElement*>{&tri, &para, &star}) {
        e->setRect(QRectF(5, 5, 0, 0));
        const QImage blank = paintFigure(e, area);
        QImage empty(area.size(), QImage::Format_ARGB32_Premultiplied);
        empty.fill(Qt::transparent);
        QCOMPARE(blank, empty);
    }
}

void TestFigure::starWithOneZeroSidePaintsNothing()
{
    IStarFigureElement star;
    star.setForeground(Qt::black);
    const QRect area(-10, -10, 140, 140);
    QImage empty(area.size(), QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    for (const QRectF& r : {QRectF(0, 0, 0, 80), QRectF(0, 0, 100, 0), QRectF(0, 0, 0.5, 60)}) {
        star.setRect(r);
        QCOMPARE(paintFigure(&star, area), empty);
    }
    // A thin star still paints.
    star.setRect(QRectF(0, 0, 2, 100));
    QVERIFY(paintFigure(&star, area) != empty);
}

void TestFigure::polygonVertexLayout()
{
    // Dragged from (0, 0) to (30, -10): s = 10, centre (5, -5), radius 5.
    IVerticsPolygonFigureElement tri(3, QPointF(99, 99));
    QCOMPARE(tri.figureType(), int(FIGURE_REGULAR_TRIANGLE));
    tri.setStartPoint(QPointF(0, 0));
    tri.updatePath(QPointF(30, -10));
    QCOMPARE(tri.center(), QPointF(5, -5));
    QCOMPARE(tri.radius(), 5.0);
    QCOMPARE(tri.correctStartPoint(), QPointF(0, -10));
    // Vertex 0 on top.
    QCOMPARE(QPointF(tri.outline().elementAt(0)), QPointF(5, -10));

    IVerticsPolygonFigureElement hex(6, QPointF());
    hex.setThicness(2);
    hex.setStartPoint(QPointF(0, 0));
    hex.updatePath(QPointF(40, 40));
    const QRectF hb = hex.outline().boundingRect();
    QCOMPARE(hb.left(), 0.0);
    QCOMPARE(hb.right(), 40.0);
    // Flat top and bottom edges.
    int onTop = 0;
    for (int i = 0; i < 6; ++i)
        onTop += qFuzzyCompare(hex.outline().elementAt(i).y + 1, hb.top() + 1);
    QCOMPARE(onTop, 2);
    QCOMPARE(hex.boundingRect(), hb.adjusted(-1, -1, 1, 1).adjusted(-1, -1, 1, 1));

    IVerticsPolygonFigureElement oct(8, QPointF());
    oct.setStartPoint(QPointF(0, 0));
    oct.updatePath(QPointF(40, 40));
    QList<QPointF> corners;
    for (int i = 0; i < 8; ++i)
        corners << QPointF(oct.outline().elementAt(i));
    auto has = [&corners](const QPointF& p) {
        for (const QPointF& c : corners) {
            if (QLineF(c, p).length() < 1e-9)
                return true;
        }
        return false;
    };
    QVERIFY(has(QPointF(20, 0)) && has(QPointF(20, 40)) && has(QPointF(0, 20)) && has(QPointF(40, 20)));

    IVerticsPolygonFigureElement pentagon(5, QPointF());
    pentagon.setStartPoint(QPointF(100, 100));
    pentagon.updatePath(QPointF(60, 160));
    QCOMPARE(QPointF(pentagon.outline().elementAt(0)), QPointF(80, 100));

    // Counts without a kind of their own get none; no vertices draw nothing.
    IVerticsPolygonFigureElement odd(7, QPointF());
    QCOMPARE(odd.figureType(), 0);
    IVerticsPolygonFigureElement none(0, QPointF());
    none.setStartPoint(QPointF(0, 0));
    none.updatePath(QPointF(20, 20));
    QVERIFY(none.outline().isEmpty());
}
