#include <QtTest>

#include <cmath>

#include <QPainter>

#include "tst_figure.h"

#include "board/figure/ifigure3dcontext.h"
#include "board/figure/ilinefigureelements.h"
#include "board/figure/isolidfigureelements.h"

using namespace TX_IBOARD_ENUM;

Q_DECLARE_METATYPE(QList<QPointF>)

namespace {

IFigureElement* makeFigure(int kind)
{
    switch (kind) {
    case FIGURE_CUBE: return new ICubeFigureElement;
    case FIGURE_CONE: return new IConeFigureElement;
    case FIGURE_CYLINDER: return new ICylinderFigureElement;
    case FIGURE_DIHEDRAL: return new IDihedralFigureElement;
    case FIGURE_HEMISPHERE: return new IHemisphereFigureElement;
    case FIGURE_TRIANGULAR_PYRAMID: return new ITriangularPyramidFigureElement;
    case FIGURE_BALL: return new IBallFigureElement;
    case FIGURE_STAR: return new IStarFigureElement;
    case FIGURE_PARALLELOGRAM: return new IParallelQuadrilateralFigureElement;
    case FIGURE_ISOSCELES_TRIANGLE: return new IIsoscelesTriangleFigureElement;
    default: return nullptr;
    }
}

// A pixel of the pen colour (blue) within one pixel of p.
bool penNear(const QImage& image, const QRect& area, const QPointF& p)
{
    const QPoint c = p.toPoint() - area.topLeft();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q = c + QPoint(dx, dy);
            if (!image.rect().contains(q))
                continue;
            const QRgb px = image.pixel(q);
            if (qAlpha(px) > 128 && qBlue(px) > 128 && qRed(px) < 128)
                return true;
        }
    }
    return false;
}

QList<QPointF> segment(const QPointF& a, const QPointF& b)
{
    QList<QPointF> out;
    const int n = int(QLineF(a, b).length());
    // Leave the ends out: other edges meet there.
    for (int i = 6; i < n - 6; ++i)
        out << a + (b - a) * (double(i) / n);
    return out;
}

QList<QPointF> arc(const QPointF& c, double rx, double ry, int fromDeg, int toDeg)
{
    QList<QPointF> out;
    for (int d = fromDeg; d <= toDeg; ++d) {
        const double t = d * M_PI / 180.0;
        out << QPointF(c.x() + rx * std::cos(t), c.y() - ry * std::sin(t));
    }
    return out;
}

} // namespace

void TestFigure::hiddenEdgesDashed_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QList<QPointF>>("dashed");
    QTest::addColumn<QList<QPointF>>("solid");
    QTest::newRow("cube") << int(FIGURE_CUBE) << QSizeF(300, 240)
                          << segment({100, 0}, {100, 160}) + segment({100, 160}, {300, 160})
                                 + segment({100, 160}, {0, 240})
                          << segment({0, 80}, {0, 240}) + segment({0, 80}, {200, 80})
                                 + segment({200, 80}, {200, 240});
    QTest::newRow("pyramid") << int(FIGURE_TRIANGULAR_PYRAMID) << QSizeF(240, 300)
                             << segment({0, 300}, {120, 200}) + segment({120, 200}, {120, 0})
                                    + segment({120, 200}, {240, 300})
                             << segment({0, 300}, {120, 0}) + segment({0, 300}, {240, 300});
    QTest::newRow("cylinder") << int(FIGURE_CYLINDER) << QSizeF(240, 280)
                              << arc({120, 240}, 120, 40, 25, 165)
                              << arc({120, 240}, 120, 40, -165, -25) + arc({120, 40}, 120, 40, 25, 165)
                                     + segment({0, 40}, {0, 240});
    QTest::newRow("cone") << int(FIGURE_CONE) << QSizeF(240, 280)
                          << arc({120, 240}, 120, 40, 25, 165)
                          << arc({120, 240}, 120, 40, -165, -25) + segment({120, 0}, {0, 240});
    QTest::newRow("hemisphere") << int(FIGURE_HEMISPHERE) << QSizeF(240, 160)
                                << arc({120, 80}, 120, 20, 20, 160)
                                << arc({120, 80}, 120, 20, -160, -20) + arc({120, 80}, 120, 80, 20, 160);
    QTest::newRow("ball") << int(FIGURE_BALL) << QSizeF(240, 200)
                          << arc({120, 120}, 120, 30, 20, 160)
                          << arc({120, 120}, 120, 30, -160, -20) + arc({120, 120}, 120, 120, 20, 160);
}

void TestFigure::hiddenEdgesDashed()
{
    QFETCH(int, kind);
    QFETCH(QSizeF, size);
    QFETCH(QList<QPointF>, dashed);
    QFETCH(QList<QPointF>, solid);
    std::unique_ptr<IFigureElement> e(makeFigure(kind));
    // Flat ends keep the gaps between dashes as wide as drawn.
    e->setPen(QPen(QColor(0, 0, 255), 3, Qt::SolidLine, Qt::FlatCap));
    static_cast<IRectPlacedFigureElement*>(e.get())->setRect(QRectF(QPointF(0, 0), size));
    const QRect area(-10, -10, 340, 340);
    const QImage image = paintFigure(e.get(), area);
    for (const QPointF& p : solid)
        QVERIFY2(penNear(image, area, p), qPrintable(QStringLiteral("solid gap at %1,%2").arg(p.x()).arg(p.y())));
    int inked = 0;
    for (const QPointF& p : dashed)
        inked += penNear(image, area, p);
    // Dashes of 12 with gaps of 6 for a pen of 3: clearly both ink and gaps.
    QVERIFY2(inked > dashed.size() / 3, qPrintable(QString::number(inked)));
    QVERIFY2(inked < dashed.size() * 9 / 10, qPrintable(QString::number(inked)));
}

void TestFigure::solidsShowNoFill()
{
    const QRect area(-5, -5, 110, 110);
    for (int kind : {int(FIGURE_CUBE), int(FIGURE_CONE), int(FIGURE_CYLINDER), int(FIGURE_DIHEDRAL),
                     int(FIGURE_HEMISPHERE), int(FIGURE_TRIANGULAR_PYRAMID), int(FIGURE_BALL)}) {
        std::unique_ptr<IFigureElement> e(makeFigure(kind));
        e->setBackground(QColor(0, 200, 0));
        QCOMPARE(e->background(), QColor(255, 255, 255, 0));
        QCOMPARE(e->getElementProperty(ELEMENT_FILL_OPACITY).toDouble(), 0.0);
        e->setForeground(QColor(0, 0, 255));
        static_cast<IRectPlacedFigureElement*>(e.get())->setRect(QRectF(0, 0, 100, 100));
        const QImage image = paintFigure(e.get(), area);
        QVERIFY(penNear(image, area, QPointF(50, 0)) || penNear(image, area, QPointF(0, 50))
                || penNear(image, area, QPointF(100, 100)));
        // Inside, where no edge runs: the ball is red, the others show nothing.
        const QColor inside = colorAt(image, area, QPoint(60, 30));
        if (kind == FIGURE_BALL)
            QCOMPARE(inside, QColor(Qt::red));
        else
            QCOMPARE(inside.alpha(), 0);
        // Nothing for an empty rectangle.
        static_cast<IRectPlacedFigureElement*>(e.get())->setRect(QRectF(30, 30, 0, 0));
        QImage empty(area.size(), QImage::Format_ARGB32_Premultiplied);
        empty.fill(Qt::transparent);
        QCOMPARE(paintFigure(e.get(), area), empty);
    }
    // Plane figures keep their fill.
    IStarFigureElement star;
    star.setBackground(QColor(0, 200, 0));
    QCOMPARE(star.background(), QColor(0, 200, 0));
}

void TestFigure::solidGeometry()
{
    const QRect area(-130, -130, 260, 260);
    ICubeFigureElement cube;
    cube.setForeground(QColor(0, 0, 255));
    cube.setRect(QRectF(0, 0, 90, 60));
    QImage image = paintFigure(&cube, area);
    for (const QPointF& p : {QPointF(0, 20), QPointF(60, 60), QPointF(30, 0), QPointF(90, 40),
                             QPointF(30, 40), QPointF(60, 20)})
        QVERIFY(penNear(image, area, p));
    QVERIFY(!penNear(image, area, QPointF(45, 50)));

    ICylinderFigureElement cylinder;
    cylinder.setForeground(QColor(0, 0, 255));
    cylinder.setRect(QRectF(0, 0, 80, 70));
    image = paintFigure(&cylinder, area);
    QVERIFY(penNear(image, area, QPointF(0, 11)));
    QVERIFY(penNear(image, area, QPointF(0, 59)));
    QVERIFY(penNear(image, area, QPointF(40, 70)));   // near half of the base
    QVERIFY(!penNear(image, area, QPointF(0, 66)));

    // Dragged leftwards: drawn in (-80, 0, 80, 70), apex at (-40, 0).
    IConeFigureElement cone;
    cone.setForeground(QColor(0, 0, 255));
    cone.setThicness(2);
    cone.setRect(QRectF(0, 0, -80, 70));
    QCOMPARE(cone.boundingRect(), QRectF(-81, -1, 82, 72));
    image = paintFigure(&cone, area);
    QVERIFY(penNear(image, area, QPointF(-40, 0)));
    QVERIFY(penNear(image, area, QPointF(-80, 60)));
    QVERIFY(!penNear(image, area, QPointF(-40, 45)));
    cone.setDrawFlagLine(true);
    image = paintFigure(&cone, area);
    // The dash-dot height line runs down the middle.
    int onAxis = 0;
    for (int y = 5; y < 55; ++y)
        onAxis += penNear(image, area, QPointF(-40, y));
    QVERIFY(onAxis > 10);

    IHemisphereFigureElement hemisphere;
    hemisphere.setForeground(QColor(0, 0, 255));
    hemisphere.setRect(QRectF(0, 0, 100, 80));
    image = paintFigure(&hemisphere, area);
    // Base ellipse (0, 30, 100, 20): its near half at y = 50.
    QVERIFY(penNear(image, area, QPointF(50, 50)));
    QVERIFY(penNear(image, area, QPointF(50, 0)));

    IBallFigureElement ball;
    ball.setForeground(QColor(0, 0, 255));
    ball.setThicness(2);
    ball.setRect(QRectF(0, 0, 50, -120));
    QCOMPARE(ball.boundingRect(), QRectF(-1, -121, 122, 122));
    image = paintFigure(&ball, area);
    QCOMPARE(colorAt(image, area, QPoint(60, -100)), QColor(Qt::red));
    QVERIFY(penNear(image, area, QPointF(60, -120)));
    QVERIFY(penNear(image, area, QPointF(60, 0)));

    ITriangularPyramidFigureElement pyramid;
    pyramid.setForeground(QColor(0, 0, 255));
    pyramid.setRect(QRectF(0, 0, 60, 90));
    image = paintFigure(&pyramid, area);
    QVERIFY(penNear(image, area, QPointF(30, 60)));
    QVERIFY(penNear(image, area, QPointF(30, 0)));

    IDihedralFigureElement dihedral;
    dihedral.setForeground(QColor(0, 0, 255));
    dihedral.setRect(QRectF(0, 0, 90, 60));
    image = paintFigure(&dihedral, area);
    for (const QPointF& p : {QPointF(0, 40), QPointF(0, 0), QPointF(45, 20), QPointF(45, 60),
                             QPointF(90, 40), QPointF(90, 0)})
        QVERIFY(penNear(image, area, p));

    // The frustum nothing calls: top face, slanted sides and the dashed far base.
    QImage direct(area.size(), QImage::Format_ARGB32_Premultiplied);
    direct.fill(Qt::transparent);
    {
        QPainter painter(&direct);
        painter.translate(-area.topLeft());
        painter.setPen(QPen(QColor(0, 0, 255), 2));
        IFigure3DContext::DrawRoundpillars(&painter, QRectF(0, 0, 100, 100));
        IFigure3DContext::DrawHemisphere(&painter, QRectF(-120, -120, 100, 100));
    }
    QVERIFY(penNear(direct, area, QPointF(50, 0)));
    QVERIFY(penNear(direct, area, QPointF(0, 90)));
    QVERIFY(penNear(direct, area, QPointF(50, 100)));
    QVERIFY(penNear(direct, area, QPointF(-70, -120)));
}

void TestFigure::deepCopyPaintsSamePixels_data()
{
    QTest::addColumn<int>("kind");
    for (int kind : {int(FIGURE_LINE), int(FIGURE_WAVE_LINE), int(FIGURE_CIRCLE),
                     int(FIGURE_ELLIPSE), int(FIGURE_RECTANGLE), int(FIGURE_PARALLELOGRAM),
                     int(FIGURE_ISOSCELES_TRIANGLE), int(FIGURE_REGULAR_HEXAGON), int(FIGURE_STAR),
                     int(FIGURE_CUBE), int(FIGURE_CONE), int(FIGURE_CYLINDER), int(FIGURE_DIHEDRAL),
                     int(FIGURE_HEMISPHERE), int(FIGURE_TRIANGULAR_PYRAMID), int(FIGURE_BALL)})
        QTest::newRow(qPrintable(QString::number(kind))) << kind;
}

void TestFigure::deepCopyPaintsSamePixels()
{
    QFETCH(int, kind);
    std::unique_ptr<IFigureElement> e;
    if (kind == FIGURE_LINE) {
        auto* line = new ILineFigureElement;
        line->setLine(QPointF(20, 30), QPointF(150, 90));
        line->setStartArrow(ILineFigureElement::TriangleArrow);
        line->setEndArrow(ILineFigureElement::DotArrow);
        e.reset(line);
    } else if (kind == FIGURE_WAVE_LINE) {
        auto* wave = new IWaveLineFigureElement;
        wave->setLine(QPointF(20, 60), QPointF(170, 80));
        e.reset(wave);
    } else if (kind == FIGURE_REGULAR_HEXAGON) {
        auto* hex = new IVerticsPolygonFigureElement(6, QPointF());
        hex->setStartPoint(QPointF(30, 30));
        hex->updatePath(QPointF(120, 150));
        e.reset(hex);
    } else if (kind == FIGURE_CIRCLE) {
        auto* circle = new ICircleFigureElement;
        circle->setRect(QRectF(150, 40, -70, 50));
        e.reset(circle);
    } else if (kind == FIGURE_ELLIPSE) {
        auto* ellipse = new IEllipseFigureElement;
        ellipse->setRect(QRectF(30, 20, 120, 70));
        e.reset(ellipse);
    } else if (kind == FIGURE_RECTANGLE) {
        auto* rect = new IRectangleFigureElement;
        rect->setRect(QRectF(160, 150, -110, -90));
        e.reset(rect);
    } else {
        e.reset(makeFigure(kind));
        static_cast<IRectPlacedFigureElement*>(e.get())->setRect(QRectF(30, 20, 130, 110));
    }
    e->setForeground(QColor(200, 30, 40));
    e->setThicness(4);
    e->setLineStyle(IFigureElement::DashLine);
    e->setBackground(QColor(20, 120, 200, 128));
    e->setLayer(5.5);
    e->setLocked(true);
    e->setMatrix(QMatrix(1, 0, 0.2, 1, 0, 0));
    e->setPos(e->pos() + QPointF(3, 4));

    std::unique_ptr<IElement> copy(e->deepCopy());
    auto* figure = dynamic_cast<IFigureElement*>(copy.get());
    QVERIFY(figure);
    QVERIFY(!figure->parentItem());
    QVERIFY(!figure->scene());
    QCOMPARE(typeid(*figure).name(), typeid(*e).name());
    QCOMPARE(figure->figureType(), e->figureType());
    QCOMPARE(figure->pen(), e->pen());
    QCOMPARE(figure->background(), e->background());
    QCOMPARE(figure->getLayer(), 5.5);
    QVERIFY(figure->isLocked());
    QCOMPARE(figure->pos(), e->pos());
    const QRect area(-20, -20, 260, 260);
    const QImage original = paintFigure(e.get(), area);
    const QImage copied = paintFigure(figure, area);
    QImage empty(area.size(), QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);
    QVERIFY(original != empty);
    QCOMPARE(copied, original);
}
