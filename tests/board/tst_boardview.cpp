#include <QtTest>

#include "tst_board.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ielementframe.h"
#include "board/item/ipixmapitem.h"
#include "ffmpeg/wifirtsp/ipictureconverter.h"
#include "patternframe.h"

using namespace TX_IBOARD_ENUM;

namespace {

// A board of the given size with one page and a camera picture item, as the window sets it up.
struct BoardFixture
{
    IBoard board{SCENE_DISPLAY_DEFAULT};
    ISlide* slide = new ISlide;
    IPixmapItem* picture = nullptr;

    explicit BoardFixture(const QSize& size = QSize(400, 300))
    {
        board.resize(size);
        board.setSceneRect(-1073741824.0, -1073741824.0, 2147483647.0, 2147483647.0);
        board.insert(slide, true);
        picture = new IPixmapItem(size);
        picture->setZValue(-9999999);
        board.setPixmapElement(picture);
        board.show();
        if (!QTest::qWaitForWindowExposed(&board))
            qWarning("board window not exposed");
    }
};

// The scene point shown at the middle of the board.
QPointF viewCentre(const IBoard& board)
{
    return board.mapToScene(board.viewport()->rect().center());
}

bool near(const QPointF& a, const QPointF& b)
{
    return (a - b).manhattanLength() <= 2.0;
}

QImage filled(const QSize& size, const QColor& color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

} // namespace

void TestBoard::zoomClampsAndPercentage()
{
    BoardFixture f;
    QCOMPARE(f.board.scaleValue(), 1.0);
    f.board.scalex(1.1);
    f.board.scalex(1.1);
    QCOMPARE(f.board.zoomPercentText(), QStringLiteral("121%"));
    QVERIFY(f.board.zoomNotice() && f.board.zoomNotice()->isVisible());

    f.board.scalex(1000);
    QCOMPARE(f.board.scaleValue(), IBoard::MaxScale);
    QCOMPARE(f.board.zoomPercentText(), QStringLiteral("1000%"));
    f.board.scalex(1.1);
    QCOMPARE(f.board.scaleValue(), IBoard::MaxScale);

    f.board.scalex(1e-6);
    QCOMPARE(f.board.scaleValue(), IBoard::MinScale);
    QCOMPARE(f.board.zoomPercentText(), QStringLiteral("5%"));
    f.board.scalex(0.0);   // meaningless factors change nothing
    f.board.scalex(-2.0);
    QCOMPARE(f.board.scaleValue(), IBoard::MinScale);

    // Reset to 1 keeps the rotation.
    f.board.rotatex(90);
    f.board.resetScalex();
    QCOMPARE(f.board.scaleValue(), 1.0);
    QCOMPARE(f.board.rotateValue(), 90);
    QCOMPARE(f.board.transform(), QTransform().rotate(90));

    f.board.scalex(3);
    f.board.resetTransformx();
    QCOMPARE(f.board.rotateValue(), 0);
    QVERIFY(f.board.transform().isIdentity());
    QCOMPARE(f.board.zoomPercentText(), QStringLiteral("100%"));
}

void TestBoard::rotationCycle()
{
    BoardFixture f;
    QList<int> seen;
    for (int i = 0; i < 5; ++i) {
        f.board.rotatex(90);
        seen << f.board.rotateValue();
    }
    QCOMPARE(seen, (QList<int>{90, 180, 270, 0, 90}));
    f.board.rotatex(270);
    QCOMPARE(f.board.rotateValue(), 0);
    QVERIFY(f.board.transform().isIdentity());
}

void TestBoard::scaleValueUnderRotation()
{
    BoardFixture f;
    f.board.scalex(2.0);
    for (int expectedAngle : {90, 180, 270, 0}) {
        f.board.rotatex(90);
        QCOMPARE(f.board.rotateValue(), expectedAngle);
        QVERIFY(qFuzzyCompare(f.board.scaleValue(), 2.0));
    }
    // Zoom under rotation keeps counting from the true scale.
    f.board.rotatex(90);
    f.board.scalex(2.0);
    QVERIFY(qFuzzyCompare(f.board.scaleValue(), 4.0));
    // Neither a pure scale nor a quarter turn.
    f.board.rotate(45);
    QCOMPARE(f.board.scaleValue(), 1.0);
}

void TestBoard::atReturnsTopmost()
{
    BoardFixture f;
    f.board.setCameraImage(filled(QSize(400, 300), Qt::gray));
    auto* low = new TestPathElement(QRectF(100, 100, 100, 100));
    auto* high = new TestPathElement(QRectF(150, 150, 100, 100));
    f.slide->add(low, false);
    f.slide->add(high, false);

    auto viewPoint = [&](const QPointF& scene) { return QPointF(f.board.mapFromScene(scene)); };
    QCOMPARE(f.board.at(viewPoint(QPointF(175, 175))), high);
    QCOMPARE(f.board.at(viewPoint(QPointF(120, 120))), low);
    QCOMPARE(f.board.at(viewPoint(QPointF(20, 20))), f.picture);
    QCOMPARE(f.board.at(viewPoint(QPointF(5000, 5000))), nullptr);

    f.board.rotatex(90);   // the view transform is honoured
    QCOMPARE(f.board.at(viewPoint(QPointF(175, 175))), high);

    const QPointF scene = f.board.convertToScenePointFromSlidePoint(ISlidePoint(10.9, 20.2));
    QCOMPARE(scene, f.board.mapToScene(QPoint(10, 20)));
}

void TestBoard::cameraImageFitsAndCentres()
{
    BoardFixture f(QSize(800, 600));
    f.board.setCameraImage(filled(QSize(1920, 1080), Qt::darkGreen));
    QCOMPARE(f.board.pixmapEleBoundingRect(), QRectF(0, 0, 800, 450));
    QVERIFY(near(viewCentre(f.board), QPointF(400, 225)));

    // A frame of the same size moves nothing; another size re-fits and re-centres.
    f.board.centerOn(0, 0);
    f.board.setCameraImage(filled(QSize(1920, 1080), Qt::darkRed));
    QVERIFY(near(viewCentre(f.board), QPointF(0, 0)));
    f.board.setCameraImage(filled(QSize(640, 480), Qt::darkRed));
    QCOMPARE(f.board.pixmapEleBoundingRect(), QRectF(0, 0, 800, 600));
    QVERIFY(near(viewCentre(f.board), QPointF(400, 300)));

    // The picture area follows the board's size.
    f.board.resize(400, 600);
    QCOMPARE(f.board.cameraShowSize(), QSizeF(400, 600));
    QCOMPARE(f.board.pixmapEleBoundingRect(), QRectF(0, 0, 400, 300));

    // A copy made at the size it is shown at takes the camera picture's place, and is
    // painted there pixel for pixel, under zoom too; the board tells that size.
    f.board.resize(800, 600);
    QSignalSpy told(&f.board, &IBoard::sgPictureShownSize);
    f.board.setCameraImage(filled(QSize(800, 450), Qt::darkGreen), QSize(1920, 1080));
    QCOMPARE(f.board.pixmapEleBoundingRect(), QRectF(0, 0, 800, 450));
    QCOMPARE(f.board.pictureShownSize(), QSize(800, 450));
    f.board.scalex(0.5);
    QCOMPARE(f.board.pictureShownSize(), QSize(400, 225));
    QImage small = filled(QSize(400, 225), Qt::darkGreen);
    small.setPixel(399, 224, qRgb(255, 0, 0));
    f.board.setCameraImage(small, QSize(1920, 1080));
    // Rendered where a window would have the board: not at its own origin.
    const QPoint place(30, 20);
    QImage painted(f.board.viewport()->size() + QSize(place.x(), place.y()), QImage::Format_RGB32);
    painted.fill(Qt::black);
    f.board.viewport()->render(&painted, place);
    QVERIFY(!told.isEmpty());
    QCOMPARE(told.last().at(0).toSize(), QSize(400, 225));
    const QPoint corner =
        place + f.board.viewportTransform().map(f.board.pixmapEleBoundingRect().topLeft()).toPoint();
    QCOMPARE(painted.pixel(corner), QColor(Qt::darkGreen).rgb());
    QCOMPARE(painted.pixel(corner + QPoint(399, 224)), qRgb(255, 0, 0));
    QVERIFY(painted.pixel(corner + QPoint(400, 225)) != qRgb(255, 0, 0));
    f.board.resetScalex();
    f.board.resize(400, 600);

    f.board.setCameraImage(QImage());   // a null frame clears the picture
    QVERIFY(f.picture->image().isNull());

    f.board.setCameraImage(filled(QSize(400, 300), Qt::blue));
    const QRectF global = f.board.pixmapEleGlobalBoundingRect();
    QCOMPARE(global.size(), QSizeF(400, 300));
    QCOMPARE(global.topLeft(), QPointF(f.board.viewport()->mapToGlobal(
                                   f.board.mapFromScene(QPointF(0, 0)))));
}

// A decoded frame shown at more than half its pixels is written straight into the
// painter's picture, as the painter's nearest scaling of the whole frame shows it, and
// only inside what is being painted; anything else that needs it gets the same image.
void TestBoard::shownFrameIsPaintedInPlace()
{
    BoardFixture f(QSize(800, 600));
    const QSize full(960, 540), shown(800, 450);
    const IAVFramePtr frame = patternFrame(full);
    QVERIFY(frame);
    // What the painter showed of the whole frame converted: nearest pixel, no smoothing.
    const auto expected = [&] {
        QImage whole = allocSwsTargetImage(full.width(), full.height());
        QImage scaled(shown, QImage::Format_RGB32);
        if (IPictureConverter().convert(frame.get(), &whole))
            QPainter(&scaled).drawImage(QRectF(QPointF(0, 0), QSizeF(shown)), whole);
        return scaled;
    };
    std::shared_ptr<const AVFrame> ref(av_frame_clone(frame.get()), IAVFrameDeleter());
    f.board.setCameraImage(QImage(), full, IShownFrame(ref, shown));
    QCOMPARE(f.board.pixmapEleBoundingRect(), QRectF(QPointF(0, 0), QSizeF(shown)));

    // A part of the board rendered where a window would have it: the part's corner lands
    // at place.
    const QPoint place(30, 20);
    const QRect part(100, 80, 300, 200);
    const QRgb untouched = qRgb(1, 2, 3);
    QImage painted(f.board.viewport()->size() + QSize(place.x(), place.y()), QImage::Format_RGB32);
    const QPoint corner = place - part.topLeft()
                          + f.board.viewportTransform().map(f.board.pixmapEleBoundingRect().topLeft()).toPoint();
    const auto paintAndCompare = [&] {
        painted.fill(untouched);
        f.board.viewport()->render(&painted, place, QRegion(part));
        const QImage want = expected();
        int wrong = 0, spilled = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QPoint at = corner + QPoint(x, y);
                if (!painted.rect().contains(at))
                    continue;
                if (QRect(place, part.size()).contains(at))
                    wrong += painted.pixel(at) != want.pixel(x, y);
                else
                    spilled += painted.pixel(at) != untouched;
            }
        return qMakePair(wrong, spilled);
    };
    QCOMPARE(paintAndCompare(), qMakePair(0, 0));
    // Converted each time it is painted, from the frame's own pixels.
    std::fill(frame->data[0], frame->data[0] + frame->linesize[0] * full.height(), uint8_t(200));
    QCOMPARE(paintAndCompare(), qMakePair(0, 0));

    // Anything else that needs the picture gets the same image.
    std::fill(frame->data[0], frame->data[0] + frame->linesize[0] * full.height(), uint8_t(40));
    QCOMPARE(f.picture->image(), expected());
    QVERIFY(f.picture->isOpaque());
}

void TestBoard::runCopyImageDetaches()
{
    BoardFixture f;
    QVector<uchar> buffer(64 * 48 * 4, 0x40);
    const QImage borrowed(buffer.data(), 64, 48, QImage::Format_RGB32);
    f.board.setCameraImage(borrowed);
    QCOMPARE(f.picture->image().constBits(), buffer.constData());
    f.board.runCopyImage();
    QVERIFY(f.picture->image().constBits() != buffer.constData());
    std::fill(buffer.begin(), buffer.end(), uchar(0xff));   // the source goes away
    QCOMPARE(f.picture->image().pixel(5, 5), qRgb(0x40, 0x40, 0x40));
}

void TestBoard::drawingsRenderWithoutPicture()
{
    BoardFixture f(QSize(400, 300));
    f.board.setCameraImage(filled(QSize(400, 300), Qt::white));
    auto* stroke = new TestPathElement(QRectF(100, 50, 50, 50));
    f.slide->add(stroke, false);

    const QImage drawings = f.board.getCameraRectRender(2.0, 2.0);
    QCOMPARE(drawings.size(), QSize(800, 600));
    QCOMPARE(qAlpha(drawings.pixel(10, 10)), 0);           // no camera picture in it
    QCOMPARE(drawings.pixelColor(250, 150).rgba(), QColor(Qt::black).rgba());
    QVERIFY(f.picture->isVisible());                       // shown again afterwards
}

void TestBoard::framesForgetRemovedElements()
{
    BoardFixture f;
    auto* a = new TestPathElement(QRectF(10, 10, 20, 20));
    auto* b = new TestPathElement(QRectF(50, 10, 20, 20));
    f.slide->add(a, false);
    f.slide->add(b, true);
    f.board.setSelected(a, true);
    IElementFrame* frame = f.board.elementFrame();
    QVERIFY(frame->isItemGroup(a));

    f.slide->remove(a, true);   // quiet or not, the frame lets go
    QVERIFY(!frame->isItemGroup(a));
    delete a;

    f.board.setSelected(b, true);
    f.slide->clearPathItems();
    QVERIFY(frame->items().isEmpty());
    QVERIFY(!frame->isVisible());
    // Without a text frame provider there is no scene frame, and that is not an error.
    QVERIFY(!f.board.sceneElementFrame());
    f.board.hideFrame();
}
