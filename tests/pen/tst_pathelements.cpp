#include <QtTest>

#include <QGraphicsRectItem>

#include "tst_pen.h"

#include "board/figure/iclosedpathelements.h"
#include "board/figure/ilinepathelement.h"
#include "board/path/ipathelement.h"
#include "board/path/ipencilpathelement.h"

using namespace TX_IBOARD_ENUM;

namespace {

QPainterPath rectPath(const QRectF& r)
{
    QPainterPath p;
    p.addRect(r);
    return p;
}

QPolygonF corners(const QPainterPath& path)
{
    QPolygonF out;
    for (int i = 0; i < path.elementCount(); ++i)
        out << QPointF(path.elementAt(i).x, path.elementAt(i).y);
    return out;
}

} // namespace

void TestPen::pathElementRegionsAndErasing()
{
    IPathElement element(rectPath(QRectF(10.4, 20.6, 30.5, 40.2)));
    element.setThickness(3);
    // The source region is the bounding rectangle (thickness included), each number
    // rounded on its own, and it is kept once computed.
    QCOMPARE(element.boundingRect(), QRectF(7.4, 17.6, 36.5, 46.2));
    QCOMPARE(element.shape().boundingRect(), QRectF(10.4, 20.6, 30.5, 40.2));
    const QRegion source = element.sourceRegion();
    QCOMPARE(source, QRegion(QRect(7, 18, 37, 46)));
    element.setThickness(10);
    QCOMPARE(element.sourceRegion(), source);

    // Touching leaves it; covering it over several passes deletes it in the last pass.
    QVERIFY(!element.addEraseRegion(QRegion(0, 0, 20, 100)));
    QVERIFY(!element.addEraseRegion(QRegion(20, 0, 20, 100)));
    QTest::ignoreMessage(QtDebugMsg, "delete path item");
    QVERIFY(element.addEraseRegion(QRegion(40, 0, 20, 100)));
    QCOMPARE(element.eraseRegion(), QRegion(0, 0, 60, 100));

    // A stored region decides, not the bounding rectangle.
    IPathElement tight(rectPath(QRectF(0, 0, 100, 100)));
    tight.setSourceRegion(QRegion(40, 40, 10, 10));
    QTest::ignoreMessage(QtDebugMsg, "delete path item");
    QVERIFY(tight.addEraseRegion(QRegion(35, 35, 20, 20)));

    // Erased parts are not painted; the rest is.
    IPencilPathElement stroke(QVector<QPointF>{{10, 50}, {190, 50}});
    stroke.setThickness(10);
    stroke.setColor(Qt::black);
    stroke.addDrawPoints(stroke.drawPoints());
    stroke.addEraseRegion(QRegion(90, 0, 20, 100));
    const QRect area(0, 0, 200, 100);
    const QImage image = renderItem(&stroke, area);
    QCOMPARE(inkAt(image, area, QPoint(100, 50)), 0);
    QCOMPARE(inkAt(image, area, QPoint(50, 50)), 255);
    QCOMPARE(inkAt(image, area, QPoint(150, 50)), 255);
}

void TestPen::pathElementPropertiesAndDefaults()
{
    IPathElement element;
    QCOMPARE(element.getLayer(), -9000000.0);
    QCOMPARE(element.alpha(), 255);   // defined before any creator sets it

    // Only the file and tag keys go through the property operations.
    QVERIFY(!element.getElementProperty(ELEMENT_LAYER).isValid());
    element.setElementProperty(ELEMENT_LOCKED, true);
    QVERIFY(!element.isLocked());
    element.setElementProperty(ELEMENT_TAG, 7);
    QCOMPARE(element.tag(), 7);
    QCOMPARE(element.getElementProperty(ELEMENT_TAG).toInt(), 7);

    // Setting erase points replaces them; an empty list clears them.
    element.addErasePoint(QPointF(1, 2));
    element.addErasePoint(QPointF(3, 4));
    QCOMPARE(element.erasePoints().size(), 2);
    element.addErasePoints({QPointF(5, 6)});
    QCOMPARE(element.erasePoints(), QVector<QPointF>{QPointF(5, 6)});
    element.addErasePoints({});
    QVERIFY(element.erasePoints().isEmpty());
}

void TestPen::pencilElementPathFromPoints()
{
    // A click is a dot of the thickness, its rectangle at (x - t/2, y - t/2).
    IPencilPathElement dot;
    dot.setThickness(5);
    QTest::ignoreMessage(QtDebugMsg, "one point");
    dot.addDrawPoints({QPointF(100, 100), QPointF(100, 100)});
    QVERIFY(dot.isSinglePoint());
    QCOMPARE(dot.path().boundingRect(), QRectF(98, 98, 5, 5));

    // Two different points are the line the overlay showed, not a dot.
    IPencilPathElement two;
    two.setThickness(5);
    two.addDrawPoints({QPointF(100, 100), QPointF(140, 100)});
    QVERIFY(!two.isSinglePoint());
    QCOMPARE(two.path().boundingRect(), QRectF(100, 100, 40, 0));

    // Three or more: the open polyline through them, no closing segment.
    const QVector<QPointF> points{{0, 0}, {10, 5}, {20, 0}, {30, 8}};
    IPencilPathElement poly(points);
    QCOMPARE(poly.drawPoints(), points);
    QCOMPARE(poly.path().elementCount(), points.size());
    QCOMPARE(corners(poly.path()), QPolygonF(points));

    // One point or none: nothing to paint.
    IPencilPathElement one({QPointF(5, 5)});
    QVERIFY(!one.isSinglePoint());
    QVERIFY(one.path().boundingRect().isEmpty());

    poly.addDrawPoint(QPointF(40, 0));
    QCOMPARE(poly.path().elementCount(), 5);
}

void TestPen::pencilElementPaintsStrokeAndDot()
{
    const QRect area(0, 0, 200, 100);
    IPencilPathElement stroke(QVector<QPointF>{{20, 50}, {100, 50}, {180, 50}});
    stroke.setThickness(8);
    stroke.setColor(QColor(0, 0, 255, 255));
    stroke.setAlpha(128);
    QImage image = renderItem(&stroke, area);
    // Colour at the element's alpha (not the colour's own), stroked not filled.
    const QRgb mid = image.pixel(100, 50);
    QVERIFY(qAbs(qAlpha(mid) - 128) <= 1);
    QCOMPARE(qRed(mid), 0);
    QCOMPARE(inkAt(image, area, QPoint(100, 56)), 0);
    QCOMPARE(stroke.pen().capStyle(), Qt::RoundCap);
    QCOMPARE(stroke.pen().width(), 8);

    IPencilPathElement dot;
    dot.setThickness(12);
    dot.setColor(Qt::red);
    dot.addDrawPoints({QPointF(50, 50), QPointF(50, 50)});
    image = renderItem(&dot, area);
    QCOMPARE(inkAt(image, area, QPoint(50, 50)), 255);
    QCOMPARE(inkAt(image, area, QPoint(50, 60)), 0);
    QCOMPARE(dot.pen().style(), Qt::NoPen);

    // Repainting part of a long stroke (only the segments reaching that part are stroked)
    // gives the pixels of the whole stroke there, also where the stroke crosses itself.
    QVector<QPointF> wave;
    for (int i = 0; i < 120; ++i)
        wave << QPointF(10 + i * 3.3, 100 + 60 * qSin(i / 7.0));
    wave << QPointF(200, 20) << QPointF(210, 190) << QPointF(60, 100);
    IPencilPathElement wavy(wave);
    wavy.setThickness(7);
    wavy.setColor(QColor(10, 120, 250));
    wavy.setAlpha(200);
    const QRect whole(0, 0, 420, 200);
    const QImage full = renderItem(&wavy, whole);
    for (const QRect part : {QRect(150, 60, 40, 30), QRect(195, 0, 30, 200), QRect(0, 90, 420, 8)}) {
        const QImage partial = renderItem(&wavy, part);
        QCOMPARE(partial, full.copy(part));
    }
}

void TestPen::shapeLineGeometry()
{
    ILinePathElement line;
    line.setThickness(4);
    line.setStartPos(QPointF(10, 50));
    QVERIFY(line.path().isEmpty());   // the start alone builds nothing
    line.setStopPos(QPointF(110, 50));
    // A capsule 4 wide with round ends; its region 14 wide.
    QRectF r = line.path().boundingRect();
    QVERIFY(qAbs(r.left() - 8) < 0.01 && qAbs(r.right() - 112) < 0.01);
    QVERIFY(qAbs(r.top() - 48) < 0.01 && qAbs(r.bottom() - 52) < 0.01);
    const QRect region = line.sourceRegion().boundingRect();
    QVERIFY(qAbs(region.height() - 14) <= 1);
    QVERIFY(qAbs(region.left() - 3) <= 1);
    QCOMPARE(line.line(), QLineF(10, 50, 110, 50));

    line.setColor(QColor(0, 128, 0));
    line.setAlpha(255);
    const QRect area(0, 0, 200, 100);
    const QImage image = renderItem(&line, area);
    QCOMPARE(inkAt(image, area, QPoint(60, 50)), 255);
    QCOMPARE(inkAt(image, area, QPoint(60, 54)), 0);
    QCOMPARE(line.pen().style(), Qt::NoPen);
}

void TestPen::shapeCircleSquareAllDirections_data()
{
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QRectF>("square");
    QTest::newRow("right-down") << QPointF(30, 10) << QRectF(0, 0, 30, 30);
    QTest::newRow("right-up") << QPointF(30, -10) << QRectF(0, 0, 30, -30);
    QTest::newRow("left-down") << QPointF(-10, 30) << QRectF(0, 0, -30, 30);
    QTest::newRow("left-up") << QPointF(-30, -20) << QRectF(0, 0, -30, -30);
    // Straight drags: a zero component counts as positive.
    QTest::newRow("right") << QPointF(30, 0) << QRectF(0, 0, 30, 30);
    QTest::newRow("down") << QPointF(0, 30) << QRectF(0, 0, 30, 30);
    QTest::newRow("left") << QPointF(-30, 0) << QRectF(0, 0, -30, 30);
    QTest::newRow("up") << QPointF(0, -30) << QRectF(0, 0, 30, -30);
    QTest::newRow("none") << QPointF(0, 0) << QRectF(0, 0, 0, 0);
}

void TestPen::shapeCircleSquareAllDirections()
{
    QFETCH(QPointF, to);
    QFETCH(QRectF, square);
    ICirclePathElement circle;
    circle.setThickness(2);
    circle.setRect(QPointF(0, 0), to);
    QCOMPARE(circle.rect(), square);
    QCOMPARE(circle.bottomRightPos(), square.topLeft() + QPointF(square.width(), square.height()));
    QCOMPARE(circle.path().boundingRect(), square.normalized());
}

void TestPen::shapeTriangleAndRectGeometry()
{
    IIsoscelesTrianglePathElement tri;
    tri.setRect(QPointF(0, 0), QPointF(9, 10));
    QCOMPARE(corners(tri.path()).mid(0, 3), QPolygonF({{4, 0}, {9, 10}, {0, 10}}));
    tri.setRect(QPointF(0, 0), QPointF(-9, 10));
    QCOMPARE(corners(tri.path()).mid(0, 3), QPolygonF({{-4, 0}, {-9, 10}, {0, 10}}));
    // Dragged upward the apex points down, on the press row below the base.
    tri.setRect(QPointF(0, 0), QPointF(9.7, -10.2));
    QCOMPARE(corners(tri.path()).mid(0, 3), QPolygonF({{4, 0}, {9, -10}, {0, -10}}));

    IRectanglePathElement rect;
    rect.setThickness(2);
    rect.setTopLeftPos(QPointF(50, 50));
    rect.setBottomRightPos(QPointF(20, 10));
    QCOMPARE(rect.rect(), QRectF(50, 50, -30, -40));
    rect.setRect(QRectF(10, 10, 40, 20));
    QCOMPARE(rect.topLeftPos(), QPointF(10, 10));
    QCOMPARE(rect.bottomRightPos(), QPointF(50, 30));
    QCOMPARE(rect.sourceRegion(), QRegion(QRect(8, 8, 44, 24)));

    IEllipsePathElement ellipse;
    ellipse.setThickness(2);
    ellipse.setRect(QPointF(10, 10), QPointF(50, 30));
    QCOMPARE(ellipse.path().boundingRect(), QRectF(10, 10, 40, 20));
    // Elliptic region: the grown rectangle's corners are outside it.
    QVERIFY(ellipse.sourceRegion().contains(QPoint(30, 20)));
    QVERIFY(!ellipse.sourceRegion().contains(QPoint(9, 9)));

    // Closed shapes: outline in the colour, fill in the fill colour at the alpha.
    rect.setColor(QColor(255, 0, 0));
    rect.setFillColor(QColor(0, 0, 255));
    rect.setAlpha(100);
    const QRect area(0, 0, 60, 40);
    const QImage image = renderItem(&rect, area);
    QCOMPARE(image.pixel(10, 20), qRgba(255, 0, 0, 255));
    const QRgb inside = image.pixel(30, 20);
    QVERIFY(qAbs(qAlpha(inside) - 100) <= 1);
    QVERIFY(qBlue(inside) > 90 && qRed(inside) == 0);
}

void TestPen::copiesPaintTheSamePixels_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("stroke") << 0;
    QTest::newRow("dot") << 1;
    QTest::newRow("line") << 2;
    QTest::newRow("circle") << 3;
    QTest::newRow("ellipse") << 4;
    QTest::newRow("rectangle") << 5;
    QTest::newRow("triangle") << 6;
}

void TestPen::copiesPaintTheSamePixels()
{
    QFETCH(int, kind);
    std::unique_ptr<IPathElement> source;
    const QPointF a(40, 30), b(150, 110);
    switch (kind) {
    case 0: source.reset(new IPencilPathElement); break;
    case 1: source.reset(new IPencilPathElement); break;
    case 2: source.reset(new ILinePathElement); break;
    case 3: source.reset(new ICirclePathElement); break;
    case 4: source.reset(new IEllipsePathElement); break;
    case 5: source.reset(new IRectanglePathElement); break;
    case 6: source.reset(new IIsoscelesTrianglePathElement); break;
    }
    source->setThickness(9);
    source->setAlpha(140);
    source->setColor(QColor(200, 30, 60));
    source->setFillColor(QColor(30, 200, 60));
    source->setTag(4);
    if (auto* stroke = dynamic_cast<IPencilPathElement*>(source.get())) {
        if (kind == 1)
            stroke->addDrawPoints({a, a});
        else
            stroke->addDrawPoints({a, QPointF(90, 100), b});
    } else if (auto* line = dynamic_cast<ILinePathElement*>(source.get())) {
        line->setLine(a, b);
    } else {
        static_cast<IClosedPathElement*>(source.get())->setRect(a, b);
    }
    source->addEraseRegion(QRegion(80, 0, 15, 200));

    std::unique_ptr<IElement> copy(source->deepCopy());
    auto* copied = dynamic_cast<IPathElement*>(copy.get());
    QVERIFY(copied);
    QCOMPARE(typeid(*copied).name(), typeid(*source).name());
    QVERIFY(copied->getId() != source->getId() || source->getId().isEmpty());
    QCOMPARE(copied->thickness(), 9);
    QCOMPARE(copied->alpha(), 140);
    QCOMPARE(copied->tag(), 4);
    QCOMPARE(copied->eraseRegion(), source->eraseRegion());
    QCOMPARE(copied->path(), source->path());

    const QRect area(0, 0, 220, 200);
    const QImage original = renderItem(source.get(), area);
    const QImage duplicate = renderItem(copied, area);
    QVERIFY(original != QImage());
    int inked = 0;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x)
            inked += qAlpha(original.pixel(x, y)) > 0;
    QVERIFY2(inked > 20, "the original paints something");
    QCOMPARE(duplicate, original);
}

void TestPen::copyKeepsClassBoundaries()
{
    // Copying onto an element of another class changes nothing.
    ICirclePathElement circle;
    circle.setThickness(6);
    circle.setTag(3);
    IRectanglePathElement rect;
    circle.copyItemParameters(&rect);
    QCOMPARE(rect.thickness(), 0);
    QCOMPARE(rect.tag(), 0);
    IPencilPathElement stroke;
    stroke.setThickness(6);
    ILinePathElement line;
    stroke.copyItemParameters(&line);
    QCOMPARE(line.thickness(), 0);
    circle.copyItemParameters(nullptr);

    // The base copies onto any path element, also the alpha and item opacity.
    IPathElement base;
    stroke.setAlpha(33);
    stroke.setOpacity(0.5);
    stroke.setLocked(true);
    static_cast<const IPathElement&>(stroke).IPathElement::copyItemParameters(&base);
    QCOMPARE(base.alpha(), 33);
    QCOMPARE(base.opacity(), 0.5);
    QVERIFY(base.isLocked());
    QCOMPARE(base.pathStyle(), 0);
}
