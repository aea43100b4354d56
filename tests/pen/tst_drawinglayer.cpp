#include <QtTest>

#include <QGraphicsView>
#include <QScrollBar>

#include "tst_pen.h"

#include "board/figure/iclosedpathelements.h"
#include "board/iboard.h"
#include "board/idrawinglayer.h"
#include "board/islide.h"
#include "board/item/itextelement.h"
#include "board/path/ipencilpathelement.h"

using namespace TX_IBOARD_ENUM;

namespace {

// A stroke that counts how often it is painted.
class CountingStroke : public IPencilPathElement
{
public:
    explicit CountingStroke(const QVector<QPointF>& points)
    {
        setThickness(7);
        setColor(QColor(200, 30, 60));
        setAlpha(180);
        addDrawPoints(points);
    }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override
    {
        ++paints;
        IPencilPathElement::paint(painter, option, widget);
    }
    int paints = 0;
};

// A camera picture with detail under every stroke, so blending errors would show.
QImage cameraPicture()
{
    QImage image(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 3) % 256, (y * 5) % 256, ((x + y) * 2) % 256));
    return image;
}

QVector<QPointF> wave(double x0, double y0)
{
    QVector<QPointF> points;
    for (int i = 0; i < 60; ++i)
        points << QPointF(x0 + i * 8.0, y0 + 25.0 * qSin(i / 5.0));
    return points;
}

// Strokes of two opacities, a filled shape and a text, as finished elements of the page.
QList<CountingStroke*> annotate(ISlide* slide)
{
    QList<CountingStroke*> strokes;
    for (int i = 0; i < 4; ++i) {
        auto* stroke = new CountingStroke(wave(60.0 + i * 30.0, 120.0 + i * 90.0));
        if (i % 2)
            stroke->setAlpha(255);
        slide->add(stroke, false);
        strokes << stroke;
    }
    auto* rect = new IRectanglePathElement;
    rect->setColor(QColor(20, 120, 220));
    rect->setFillColor(QColor(20, 120, 220));
    rect->setAlpha(120);
    rect->setThickness(4);
    rect->setRect(QPointF(420, 80), QPointF(620, 260));
    slide->add(rect, false);
    auto* text = new ITextElement(QStringLiteral("Ocumetra 42"), nullptr);
    text->setDefaultTextColor(Qt::darkGreen);
    text->setPos(300, 420);
    slide->add(text, false);
    return strokes;
}

// The board's viewport as it is on screen (painting it settles the page first).
QImage onScreen(IBoard* board)
{
    return board->viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// The same page seen through a plain view with the board's transform and scrolling:
// every element paints itself there, as before any caching.
QImage plainView(IBoard* board)
{
    QGraphicsView view(board->scene());
    view.setFrameShape(QFrame::NoFrame);
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setAlignment(board->alignment());
    view.setRenderHints(board->renderHints());
    view.setSceneRect(board->sceneRect());
    view.resize(board->size());
    view.setTransform(board->transform());
    view.show();
    view.horizontalScrollBar()->setValue(board->horizontalScrollBar()->value());
    view.verticalScrollBar()->setValue(board->verticalScrollBar()->value());
    return view.viewport()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Largest difference of any channel of any pixel.
int maxDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 256;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            worst = qMax(worst, qAbs(qRed(pa[x]) - qRed(pb[x])));
            worst = qMax(worst, qAbs(qGreen(pa[x]) - qGreen(pb[x])));
            worst = qMax(worst, qAbs(qBlue(pa[x]) - qBlue(pb[x])));
            worst = qMax(worst, qAbs(qAlpha(pa[x]) - qAlpha(pb[x])));
        }
    }
    return worst;
}

// Blending the cached drawings over the picture rounds differently by a step or two.
constexpr int kBlendTolerance = 3;

} // namespace

void TestPen::finishedDrawingsAreNotRepaintedPerFrame()
{
    ShownBoard b;
    const QImage picture = cameraPicture();
    b.board->setCameraImage(picture);
    const QList<CountingStroke*> strokes = annotate(b.slide);
    // A snapshot's drawings before anything was cached: every element painted itself.
    const QImage snapshotBefore = b.board->getCameraRectRender(1.5, 1.5);
    const QImage plainBefore = plainView(b.board);

    QVERIFY(maxDifference(onScreen(b.board), plainBefore) <= kBlendTolerance);
    QCOMPARE(b.board->drawingLayer()->settledCount(), 6);
    QVector<int> paints;
    for (CountingStroke* s : strokes)
        paints << s->paints;

    // New camera frames repaint the picture; the finished drawings come from the cache.
    QImage frame = picture;
    for (int i = 0; i < 5; ++i) {
        frame.fill(QColor::fromHsv(i * 60, 200, 200));
        b.board->setCameraImage(frame);
        b.board->viewport()->repaint();
    }
    for (int i = 0; i < strokes.size(); ++i)
        QCOMPARE(strokes.at(i)->paints, paints.at(i));
    b.board->setCameraImage(picture);
    QVERIFY(maxDifference(onScreen(b.board), plainBefore) <= kBlendTolerance);

    // Snapshots paint the elements themselves: the same pixels as before caching.
    QCOMPARE(b.board->getCameraRectRender(1.5, 1.5), snapshotBefore);
    QCOMPARE(b.board->drawingLayer()->settledCount(), 6);
}

void TestPen::drawingsCacheFollowsEraseZoomRotateAndPage()
{
    ShownBoard b;
    b.board->setCameraImage(cameraPicture());
    const QList<CountingStroke*> strokes = annotate(b.slide);
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);
    QCOMPARE(b.board->drawingLayer()->settledCount(), 6);
    const QRgb under = onScreen(b.board).pixel(strokes.first()->drawPoints().at(30).toPoint());

    // An eraser pass cuts a settled stroke at once.
    b.board->boardState()->pointEraserSize = QSizeF(40, 40);
    b.board->setMode(MODE_ERASER_POINT);
    const QPointF cut = strokes.first()->drawPoints().at(30);
    b.down(cut);
    b.move(cut + QPointF(0, 10));
    QImage shown = onScreen(b.board);
    QVERIFY(shown.pixel(cut.toPoint()) != under);
    QVERIFY(maxDifference(shown, plainView(b.board)) <= kBlendTolerance);
    b.up(cut + QPointF(0, 10));

    // A stroke taken off the page leaves no trace.
    b.slide->remove(strokes.at(1), false);
    delete strokes.at(1);
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);

    // Zoom, rotation and a new window size draw the cache afresh, sharp.
    b.board->scalex(1.7);
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);
    b.board->rotatex(90);
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);
    b.board->resize(640, 700);
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);
    b.board->resetTransformx();
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);

    // Another page shows only its own drawings; coming back shows these again.
    auto* other = new ISlide;
    b.board->insert(other, true);
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);
    QCOMPARE(b.board->drawingLayer()->settledCount(), 0);
    b.board->setSlide(b.slide);
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);
    QCOMPARE(b.board->drawingLayer()->settledCount(), 5);

    // The shown page deleted with its cached drawings: the board carries on with another.
    delete b.slide;
    b.slide = nullptr;
    b.board->setSlide(other);
    auto* late = new CountingStroke(wave(100, 100));
    other->add(late, false);
    onScreen(b.board);
    QCOMPARE(b.board->drawingLayer()->settledCount(), 1);
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);
}

void TestPen::drawingsBeingEditedShowEveryMove()
{
    ShownBoard b;
    b.board->setCameraImage(cameraPicture());
    annotate(b.slide);
    onScreen(b.board);
    QCOMPARE(b.board->drawingLayer()->settledCount(), 6);

    // A rectangle dragged over the settled drawings follows the pointer on screen.
    IBoardState* state = b.board->boardState();
    state->inkColor = Qt::yellow;
    state->inkOpacity = 255;
    state->inkThickness = 6;
    b.board->setMode(MODE_FIGURE_PATH_RECTANGLE);
    b.down(QPointF(100, 100));
    for (const QPointF& p : {QPointF(300, 250), QPointF(500, 450), QPointF(250, 500)}) {
        b.move(p);
        const QImage shown = onScreen(b.board);
        QCOMPARE(shown.pixel(p.toPoint() - QPoint(1, 1)), qRgb(255, 255, 0));
        QVERIFY(maxDifference(shown, plainView(b.board)) <= kBlendTolerance);
    }
    // The text lies above the new shape in the stack: it paints itself meanwhile.
    QCOMPARE(b.board->drawingLayer()->settledCount(), 5);
    b.up(QPointF(250, 500));
    // Once released it joins the cache and looks the same.
    QVERIFY(maxDifference(onScreen(b.board), plainView(b.board)) <= kBlendTolerance);
    QCOMPARE(b.board->drawingLayer()->settledCount(), 7);
}
