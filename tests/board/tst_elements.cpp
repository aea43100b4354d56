#include <cmath>

#include <QtTest>

#include "tst_board.h"

#include "board/iboardstate.h"
#include "board/iimageutils.h"
#include "board/islide.h"

using namespace TX_IBOARD_ENUM;

void TestBoard::layerAndStackingOrder()
{
    ISlide slide;
    QSignalSpy added(&slide, &ISlide::sgElementsAddedEvent);
    QSignalSpy removed(&slide, &ISlide::sgElementsRemovedEvent);
    QSignalSpy changed(&slide, &ISlide::sgSlideChangedEvent);

    auto* a = new TestPathElement;
    auto* b = new TestPathElement;
    auto* c = new TestPathElement;
    slide.add(a, false);
    slide.add(b, false);
    slide.add(c, true);   // quiet: no added event
    QCOMPARE(added.count(), 2);
    QCOMPARE(changed.count(), 3);
    QCOMPARE(added.at(0).at(0).toString(), slide.id());

    // Every pen stroke sits just above the camera picture, stacked in insertion order.
    for (TestPathElement* e : {a, b, c}) {
        QVERIFY(qFuzzyCompare(e->zValue(), -8999999.99));
        QVERIFY(qFuzzyCompare(e->getLayer(), -8999999.99));
    }
    QCOMPARE(slide.itemAt(QPointF(10, 10), QTransform()), c);
    QCOMPARE(slide.elements(), (QList<IElement*>{a, b, c}));

    slide.remove(c, false);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(slide.elements(), (QList<IElement*>{a, b}));
    QVERIFY(!c->scene());
    QCOMPARE(slide.currentLayer(), -8999999.0);   // highest left, truncated
    QCOMPARE(slide.itemAt(QPointF(10, 10), QTransform()), b);

    // Added again it goes on top, 0.01 above its previous layer.
    slide.add(c, false);
    QVERIFY(qFuzzyCompare(c->zValue(), -8999999.98));
    QCOMPARE(slide.itemAt(QPointF(10, 10), QTransform()), c);

    slide.remove(a, true);   // quiet: only the change event
    QCOMPARE(removed.count(), 1);
    QCOMPARE(slide.elements(), (QList<IElement*>{b, c}));
    delete a;   // the caller owns what it removed
}

void TestBoard::lockedElementStaysOnRemove()
{
    ISlide slide;
    auto* e = new TestPathElement;
    slide.add(e, false);
    e->setLocked(true);
    QSignalSpy removed(&slide, &ISlide::sgElementsRemovedEvent);
    slide.remove(e, false);
    QCOMPARE(removed.count(), 0);
    QCOMPARE(slide.elements().size(), 1);
    QCOMPARE(e->scene(), &slide);
    e->setLocked(false);
    slide.remove(e, false);
    QCOMPARE(removed.count(), 1);
    delete e;
}

void TestBoard::addingTwiceListsOnce()
{
    ISlide slide;
    auto* e = new TestPathElement;
    slide.add(e, true);
    slide.add(e, false);
    QCOMPARE(slide.elements().size(), 1);
    QCOMPARE(slide.items().size(), 1);
    slide.clearPathItems();   // would delete it twice if it were listed twice
    QCOMPARE(TestPathElement::alive, 0);
}

void TestBoard::clearPathItemsDeletesAndForgets()
{
    ISlide slide;
    auto* path = new TestPathElement;
    auto* text = new TestTextElement(QStringLiteral("hello"));
    auto* figure = new TestPathElement(QRectF(0, 0, 10, 10), 4);   // not a path type
    slide.add(path, false);
    slide.add(text, false);
    slide.add(figure, false);

    IBoardState state;
    state.setTextElement(text);
    QCOMPARE(state.textElement(), text);

    QSignalSpy removed(&slide, &ISlide::sgElementsRemovedEvent);
    slide.clearPathItems();
    QCOMPARE(removed.count(), 1);
    QCOMPARE(removed.at(0).at(1).value<QList<IElement*>>().size(), 2);
    QCOMPARE(TestPathElement::alive, 1);
    QCOMPARE(TestTextElement::alive, 0);
    QCOMPARE(slide.elements(), (QList<IElement*>{figure}));
    QVERIFY(!state.textElement());   // no dangling pointer to the deleted text

    slide.clearPathItems();   // nothing left to clear: no event
    QCOMPARE(removed.count(), 1);
}

void TestBoard::propertyKeysRoundTrip()
{
    TestTextElement e;
    QVERIFY(e.getId().isEmpty());
    QCOMPARE(e.tag(), 0);
    QVERIFY(!e.tagData().isValid());
    QVERIFY(e.filePath().isEmpty() && e.fileId().isEmpty());

    e.setElementProperty(ELEMENT_FILE_PATH, QStringLiteral("/tmp/a.png"));
    const QString derived = e.getElementProperty(ELEMENT_FILE_ID).toString();
    QVERIFY(!derived.isEmpty());
    e.setElementProperty(ELEMENT_FILE_ID, QStringLiteral("file-7"));
    e.setElementProperty(ELEMENT_TAG, QStringLiteral("12"));
    e.setElementProperty(ELEMENT_TAG_DATA, QVariant(QPointF(1.5, 2)));

    QCOMPARE(e.getElementProperty(ELEMENT_FILE_PATH).toString(), QStringLiteral("/tmp/a.png"));
    QCOMPARE(e.getElementProperty(ELEMENT_FILE_ID).toString(), QStringLiteral("file-7"));
    QCOMPARE(e.getElementProperty(ELEMENT_TAG).type(), QVariant::Int);
    QCOMPARE(e.getElementProperty(ELEMENT_TAG).toInt(), 12);
    QCOMPARE(e.getElementProperty(ELEMENT_TAG_DATA).toPointF(), QPointF(1.5, 2));

    // Item keys: id, lock, layer, matrix text and position.
    e.setElementProperty(ELEMENT_ID, QStringLiteral("x"));
    QCOMPARE(e.getId(), QStringLiteral("x"));
    e.setElementProperty(ELEMENT_LOCKED, true);
    QCOMPARE(e.getElementProperty(ELEMENT_LOCKED).toBool(), true);
    e.setElementProperty(ELEMENT_LAYER, 4.5);
    QCOMPARE(e.getElementProperty(ELEMENT_LAYER).toDouble(), 4.5);
    QCOMPARE(e.zValue(), 0.0);
    e.setElementProperty(ELEMENT_X, 12.0);
    e.setElementProperty(ELEMENT_Y, -3.0);
    QCOMPARE(e.pos(), QPointF(12, -3));
    QCOMPARE(e.getElementProperty(ELEMENT_Y).toDouble(), -3.0);
    e.setElementProperty(ELEMENT_MATRIX, QStringLiteral("matrix(2, 0, 0, 2, 1, 1)"));
    QCOMPARE(e.matrix(), QMatrix(2, 0, 0, 2, 1, 1));
    e.setElementProperty(ELEMENT_MATRIX, QStringLiteral("matrix(1, 1, 1, 1, 0, 0)"));   // not invertible
    QCOMPARE(stringToMatrix(e.getElementProperty(ELEMENT_MATRIX).toString()), QMatrix(2, 0, 0, 2, 1, 1));
    // Other keys: ignored on write, invalid on read.
    e.setElementProperty(ELEMENT_HTML, QStringLiteral("<b>x</b>"));
    QVERIFY(!e.getElementProperty(ELEMENT_HTML).isValid());
    QVERIFY(!e.getElementProperty(ELEMENT_FIGURE_TYPE).isValid());
    // The element's defaults: four things it is not, five it allows.
    QVERIFY(!e.isGroup() && !e.isBackground() && !e.isTemplate() && !e.isLinked());
    QVERIFY(e.isSelectable() && e.isMovable() && e.isScalable() && e.isRotatable() && e.isDeletable());
    e.setLocked(false);

    // Identity lives in the item data under keys 1, 24 and 25; the layer leaves z alone.
    e.setId(QStringLiteral("id-1"));
    e.setLocked(true);
    e.setLayer(42.5);
    QCOMPARE(e.data(1).toString(), QStringLiteral("id-1"));
    QCOMPARE(e.data(24).toBool(), true);
    QCOMPARE(e.data(25).toDouble(), 42.5);
    QCOMPARE(e.zValue(), 0.0);
}

void TestBoard::copyItemParameters()
{
    TestPathElement source;
    source.setId(QStringLiteral("src"));
    source.setLayer(3.25);
    source.setLocked(true);
    source.setPos(12, -4);
    source.setMatrix(QMatrix(2, 0, 0, 3, 5, 6));
    source.setFilePath(QStringLiteral("/pics/one.jpg"));
    source.setTagAll(9, QStringLiteral("data"));

    TestPathElement target;
    target.setId(QStringLiteral("dst"));
    source.copyItemParameters(&target);
    QCOMPARE(target.getId(), QStringLiteral("dst"));
    QCOMPARE(target.getLayer(), 3.25);
    QVERIFY(target.isLocked());
    QCOMPARE(target.pos(), QPointF(12, -4));
    QCOMPARE(target.matrix(), QMatrix(2, 0, 0, 3, 5, 6));
    QCOMPARE(target.filePath(), QStringLiteral("/pics/one.jpg"));
    QCOMPARE(target.fileId(), source.fileId());
    QCOMPARE(target.tag(), 9);
    QCOMPARE(target.tagData().toString(), QStringLiteral("data"));

    // Another base is left as it was.
    TestTextElement other;
    source.copyItemParameters(&other);
    QCOMPARE(other.getLayer(), -8990001.0);
    QVERIFY(other.filePath().isEmpty());

    QScopedPointer<IElement> copy(source.deepCopy());
    QVERIFY(copy);
    QCOMPARE(copy->getLayer(), 3.25);
    QVERIFY(!elementItem(copy.data())->scene());
}

void TestBoard::matrixTextRoundTrip_data()
{
    QTest::addColumn<QMatrix>("matrix");
    QTest::newRow("identity") << QMatrix();
    QTest::newRow("scale-move") << QMatrix(0.5, 0, 0, 2, 100.25, -7);
    QTest::newRow("rotation") << QMatrix().rotate(33.0);
    QTest::newRow("fine") << QMatrix(1.0 / 3.0, 0.1, -1e-7, 1234.5678901, 98765.4321, 0.000123);
}

void TestBoard::matrixTextRoundTrip()
{
    QFETCH(QMatrix, matrix);
    const QString text = matrixToString(matrix);
    QVERIFY(text.startsWith(QLatin1String("matrix(")));
    QCOMPARE(stringToMatrix(text), matrix);
    QCOMPARE(matrixToString(QMatrix(1, 0, 0, 1, 0, 0)), QStringLiteral("matrix(1, 0, 0, 1, 0, 0)"));
    // Anything else reads as the identity.
    QCOMPARE(stringToMatrix(QStringLiteral("matrix(1, 2)")), QMatrix());
    QCOMPARE(stringToMatrix(QStringLiteral("rotate(1, 2, 3, 4, 5, x)")), QMatrix());
}

static double polygonArea(const QPolygonF& p)
{
    double sum = 0.0;
    for (int i = 0; i < p.size(); ++i) {
        const QPointF& a = p.at(i);
        const QPointF& b = p.at((i + 1) % p.size());
        sum += a.x() * b.y() - b.x() * a.y();
    }
    return std::fabs(sum) / 2.0;
}

void TestBoard::lineToPolygonMatchesCapsule_data()
{
    QTest::addColumn<QLineF>("line");
    QTest::addColumn<double>("width");
    QTest::newRow("horizontal") << QLineF(0, 0, 100, 0) << 10.0;
    QTest::newRow("vertical-up") << QLineF(5, 50, 5, -30) << 6.0;
    QTest::newRow("diagonal") << QLineF(10, 10, 70, 90) << 24.0;
    QTest::newRow("short-wide") << QLineF(0, 0, 3, -4) << 40.0;
    QTest::newRow("dot") << QLineF(20, 20, 20, 20) << 16.0;
}

void TestBoard::lineToPolygonMatchesCapsule()
{
    QFETCH(QLineF, line);
    QFETCH(double, width);
    const double r = width / 2.0;
    const QPolygonF polygon = Q_LINE_TO_POLYGON(line, width);
    const double expected = 2.0 * r * line.length() + M_PI * r * r;
    // Flattening the arcs into chords loses a little area, never more than a few percent.
    const double area = polygonArea(polygon);
    QVERIFY2(area <= expected && area >= 0.97 * expected,
             qPrintable(QStringLiteral("area %1, capsule %2").arg(polygonArea(polygon)).arg(expected)));

    // Every corner lies on the capsule's outline: r from the segment.
    const QPointF d = line.p2() - line.p1();
    const double len2 = QPointF::dotProduct(d, d);
    for (const QPointF& p : polygon) {
        double t = len2 > 0 ? QPointF::dotProduct(p - line.p1(), d) / len2 : 0.0;
        t = qBound(0.0, t, 1.0);
        const QPointF q = line.p1() + t * d;
        QVERIFY(std::fabs(QLineF(p, q).length() - r) < 0.01 * r + 1e-9);
    }
}

void TestBoard::adjustHueMovesOnlyMatchingPixels()
{
    QImage image(5, 1, QImage::Format_RGB888);
    image.setPixelColor(0, 0, QColor(255, 0, 0));            // red
    image.setPixelColor(1, 0, QColor::fromHsl(350, 255, 128)); // red, just below 360
    image.setPixelColor(2, 0, QColor(0, 255, 0));            // green, far from red
    image.setPixelColor(3, 0, QColor(128, 128, 128));        // grey: no hue
    image.setPixelColor(4, 0, QColor::fromHsl(20, 255, 128));
    QImage alpha(1, 1, QImage::Format_ARGB32);
    alpha.setPixelColor(0, 0, QColor(255, 0, 0, 100));

    const QColor blue(0, 0, 255);
    const QImage out = IImageUtils::adjustHue(image, QColor(Qt::red), blue, 40);
    QCOMPARE(out.format(), QImage::Format_ARGB32);
    QCOMPARE(out.size(), image.size());
    QCOMPARE(out.pixelColor(0, 0).rgb(), blue.rgb());
    QVERIFY(qAbs(out.pixelColor(1, 0).hslHue() - 230) <= 1);   // wraps round, stays bluish
    QCOMPARE(out.pixelColor(2, 0).rgb(), QColor(0, 255, 0).rgb());
    QCOMPARE(out.pixelColor(3, 0).rgb(), QColor(128, 128, 128).rgb());
    QVERIFY(qAbs(out.pixelColor(4, 0).hslHue() - 260) <= 1);

    const QImage outAlpha = IImageUtils::adjustHue(alpha, QColor(Qt::red), blue, 10);
    QCOMPARE(outAlpha.pixelColor(0, 0).alpha(), 100);
    QCOMPARE(outAlpha.pixelColor(0, 0).hslHue(), 240);

    // Lightness moves with the target: red to black darkens.
    const QImage dark = IImageUtils::adjustHue(image, QColor(Qt::red), QColor(Qt::black), 40);
    QCOMPARE(dark.pixelColor(0, 0).lightness(), 0);
}
