#include <QPainter>
#include <QtTest>
#include <opencv2/imgproc.hpp>

#include "opencv/ihsl.h"
#include "opencv/iopencvapi.h"
#include "opencv/isoftwareadjust.h"
#include "tst_camera.h"

namespace {

cv::Mat grayField(int rows, int cols, int value)
{
    return cv::Mat(rows, cols, CV_8UC4, cv::Scalar(value, value, value, 255));
}

uchar at(const cv::Mat& m, int y, int x)
{
    return m.at<uchar>(y, x);
}

double distance(const QPointF& a, const QPointF& b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// Every expected corner has a detected one within tolerance.
bool cornersMatch(const QPolygonF& found, const QList<QPointF>& expected, double tolerance)
{
    if (found.size() != expected.size())
        return false;
    for (const QPointF& e : expected) {
        bool hit = false;
        for (const QPointF& f : found)
            hit = hit || distance(e, f) <= tolerance;
        if (!hit)
            return false;
    }
    return true;
}

} // namespace

void TestCamera::imageMatConversions()
{
    QImage rgb32(4, 3, QImage::Format_RGB32);
    rgb32.fill(QColor(10, 20, 30));
    const cv::Mat view = IOpencvApi::cvImage2Mat(rgb32);
    QCOMPARE(view.type(), CV_8UC4);
    QCOMPARE(view.data, rgb32.constBits()); // a view, no copy
    QCOMPARE(view.at<cv::Vec4b>(1, 1), cv::Vec4b(30, 20, 10, 255));

    QImage rgb888(2, 2, QImage::Format_RGB888);
    rgb888.fill(QColor(255, 0, 0));
    const cv::Mat bgr = IOpencvApi::cvImage2Mat(rgb888);
    QCOMPARE(bgr.type(), CV_8UC3);
    QCOMPARE(bgr.at<cv::Vec3b>(0, 0), cv::Vec3b(0, 0, 255));
    QVERIFY(IOpencvApi::cvImage2Mat(QImage()).empty());
    QVERIFY(IOpencvApi::cvImage2Mat(QImage(2, 2, QImage::Format_RGB16)).empty());

    const QImage back = IOpencvApi::cvMat2Image(bgr);
    QCOMPARE(back.format(), QImage::Format_RGB888);
    QCOMPARE(back.pixelColor(1, 1), QColor(255, 0, 0));
    cv::Mat gray(2, 3, CV_8UC1, cv::Scalar(77));
    const QImage indexed = IOpencvApi::cvMat2Image(gray);
    QCOMPARE(indexed.format(), QImage::Format_Indexed8);
    QCOMPARE(indexed.pixelColor(2, 1), QColor(77, 77, 77));
    QVERIFY(IOpencvApi::cvMat2Image(cv::Mat(2, 2, CV_8UC2)).isNull());
    QVERIFY(IOpencvApi::cvMat2Image(cv::Mat(2, 2, CV_32FC1)).isNull());
}

void TestCamera::grayscaleBlackWhiteAndSharpen()
{
    // BT.601 weights: red 76, green 150, blue 29.
    cv::Mat colours(1, 3, CV_8UC4);
    colours.at<cv::Vec4b>(0, 0) = cv::Vec4b(0, 0, 255, 255);
    colours.at<cv::Vec4b>(0, 1) = cv::Vec4b(0, 255, 0, 255);
    colours.at<cv::Vec4b>(0, 2) = cv::Vec4b(255, 0, 0, 255);
    const cv::Mat gray = IOpencvApi::cvGrayscaleImage(colours);
    QCOMPARE(gray.type(), CV_8UC1);
    QCOMPARE(int(at(gray, 0, 0)), 76);
    QCOMPARE(int(at(gray, 0, 1)), 150);
    QCOMPARE(int(at(gray, 0, 2)), 29);

    // Threshold at 145: 145 stays black, 146 turns white.
    cv::Mat levels = grayField(1, 2, 145);
    levels.at<cv::Vec4b>(0, 1) = cv::Vec4b(146, 146, 146, 255);
    const cv::Mat bw = IOpencvApi::cvBlackWhiteImage(levels);
    QCOMPARE(int(at(bw, 0, 0)), 0);
    QCOMPARE(int(at(bw, 0, 1)), 255);

    // Sharpen: 5 x centre - 4 neighbours. A spike of 100 in a field of 60 saturates,
    // its neighbours drop to 5*60 - (100 + 3*60) = 20, flat areas stay.
    cv::Mat field = grayField(9, 9, 60);
    field.at<cv::Vec4b>(4, 4) = cv::Vec4b(100, 100, 100, 255);
    const cv::Mat sharp = IOpencvApi::cvSharpenImage(field);
    QCOMPARE(int(at(sharp, 4, 4)), 255);
    QCOMPARE(int(at(sharp, 4, 5)), 20);
    QCOMPARE(int(at(sharp, 3, 4)), 20);
    QCOMPARE(int(at(sharp, 3, 3)), 60); // corners of the kernel are 0
    QCOMPARE(int(at(sharp, 0, 0)), 60);
}

void TestCamera::sketchAndEmboss()
{
    // A flat picture has no edges: the sketch is all white.
    const cv::Mat flat = IOpencvApi::cvSketchImage(grayField(20, 20, 90));
    QCOMPARE(cv::countNonZero(flat), 400);

    // A black/white step leaves dark lines beside it and white far from it.
    cv::Mat step = grayField(20, 40, 0);
    step(cv::Rect(20, 0, 20, 20)).setTo(cv::Scalar(255, 255, 255, 255));
    const cv::Mat sketch = IOpencvApi::cvSketchImage(step);
    QCOMPARE(int(at(sketch, 10, 2)), 255);
    QCOMPARE(int(at(sketch, 10, 37)), 255);
    int dark = 0;
    for (int x = 16; x < 24; ++x)
        dark += at(sketch, 10, x) == 0;
    QVERIFY(dark > 0);

    // Emboss: lower-right minus upper-left plus 128.
    cv::Mat rows = grayField(16, 16, 50);
    rows(cv::Rect(0, 8, 16, 8)).setTo(cv::Scalar(200, 200, 200, 255));
    const cv::Mat emboss = IOpencvApi::cvEmbossImage(rows);
    QCOMPARE(emboss.type(), CV_8UC1);
    QCOMPARE(int(at(emboss, 2, 5)), 128);
    QCOMPARE(int(at(emboss, 12, 5)), 128);
    QCOMPARE(int(at(emboss, 7, 5)), 255); // 200 - 50 + 128, clamped
    QCOMPARE(int(at(emboss, 0, 0)), 128); // border repeats itself

    cv::Mat reversed = grayField(16, 16, 200);
    reversed(cv::Rect(0, 8, 16, 8)).setTo(cv::Scalar(150, 150, 150, 255));
    QCOMPARE(int(at(IOpencvApi::cvEmbossImage(reversed), 7, 5)), 78); // 150 - 200 + 128
}

void TestCamera::filterImageTable()
{
    cv::Mat frame = grayField(6, 8, 160);
    const QImage plain = IOpencvApi::filterImage(IMAGE_PLAIN, frame);
    QCOMPARE(plain.format(), QImage::Format_RGB32);
    QCOMPARE(plain.size(), QSize(8, 6));
    frame.setTo(cv::Scalar(0, 0, 0, 255));
    QCOMPARE(plain.pixelColor(3, 3), QColor(160, 160, 160)); // owns its pixels

    frame.setTo(cv::Scalar(160, 160, 160, 255));
    const QImage bw = IOpencvApi::filterImage(IMAGE_BLACKWHITE, frame);
    QCOMPARE(bw.format(), QImage::Format_Indexed8);
    QCOMPARE(bw.pixelColor(0, 0), QColor(255, 255, 255));
    QCOMPARE(IOpencvApi::filterImage(IMAGE_GRAYSCALE, frame).pixelColor(1, 1), QColor(160, 160, 160));
    for (ImageType t : {IMAGE_SHARPEN, IMAGE_SKETCH, IMAGE_EMBOSS})
        QCOMPARE(IOpencvApi::filterImage(t, frame).size(), QSize(8, 6));
    QVERIFY(IOpencvApi::filterImage(ImageType(7), frame).isNull());
    QVERIFY(IOpencvApi::filterImage(IMAGE_GRAYSCALE, cv::Mat()).isNull());
}

void TestCamera::outlineFoundAroundDrawnRectangle()
{
    struct Case { QSize picture; QRect page; double tolerance; };
    const QList<Case> cases = {
        {QSize(640, 480), QRect(100, 80, 400, 320), 3.0},
        {QSize(1920, 1080), QRect(300, 200, 1200, 700), 3.0}, // detected on a reduced copy
    };
    for (const Case& c : cases) {
        QImage picture(c.picture, QImage::Format_RGB32);
        picture.fill(QColor(60, 60, 60));
        QPainter(&picture).fillRect(c.page, QColor(235, 235, 235));
        cv::Mat mat = IOpencvApi::cvImage2Mat(picture);

        const AutoEdgeData edge = IOpencvApi::cvAutoEdge(mat);
        const QRectF r(c.page);
        const QList<QPointF> corners = {r.topLeft(), r.topRight() - QPointF(1, 0), r.bottomLeft() - QPointF(0, 1),
                                        r.bottomRight() - QPointF(1, 1)};
        QVERIFY2(cornersMatch(edge.polygon, corners, c.tolerance),
                 qPrintable(QStringLiteral("size %1: %2 points").arg(c.picture.width()).arg(edge.polygon.size())));
        QVERIFY(edge.angle != -1.0);
        // The outline is drawn red into the frame itself.
        const QPoint mid((c.page.left() + c.page.right()) / 2, c.page.top());
        QCOMPARE(picture.pixelColor(mid), QColor(255, 0, 0));
    }
}

void TestCamera::outlineAbsentOnPlainPicture()
{
    QImage picture(320, 240, QImage::Format_RGB32);
    picture.fill(QColor(90, 120, 150));
    const QImage before = picture.copy();
    cv::Mat mat = IOpencvApi::cvImage2Mat(picture);
    const AutoEdgeData edge = IOpencvApi::cvAutoEdge(mat);
    QCOMPARE(edge.angle, -1.0);
    QVERIFY(edge.polygon.isEmpty());
    QCOMPARE(picture, before); // nothing drawn
    QCOMPARE(IOpencvApi::cvAutoEdge(cv::Mat()).angle, -1.0);
}

void TestCamera::softwareAdjustments()
{
    cv::Mat frame = grayField(4, 4, 100);
    SoftwareAdjustments neutral;
    QVERIFY(neutral.isNeutral());
    neutral.apply(frame);
    QCOMPARE(frame.at<cv::Vec4b>(0, 0), cv::Vec4b(100, 100, 100, 255));

    SoftwareAdjustments brighter;
    brighter.brightness = 70; // + 0.2 x 255 = 51
    brighter.apply(frame);
    QCOMPARE(frame.at<cv::Vec4b>(1, 1), cv::Vec4b(151, 151, 151, 255));

    cv::Mat contrast = grayField(2, 2, 100);
    SoftwareAdjustments stronger;
    stronger.contrast = 100; // twice the distance from 128
    stronger.apply(contrast);
    QCOMPARE(contrast.at<cv::Vec4b>(0, 0), cv::Vec4b(72, 72, 72, 255));

    cv::Mat colour(2, 2, CV_8UC4, cv::Scalar(50, 50, 200, 255));
    SoftwareAdjustments grey;
    grey.saturation = 0; // all colour removed
    grey.apply(colour);
    const cv::Vec4b p = colour.at<cv::Vec4b>(1, 0);
    QVERIFY(qAbs(p[0] - p[2]) <= 1 && qAbs(p[1] - p[2]) <= 1);
    QCOMPARE(int(p[3]), 255);

    // Sharpening leaves a flat picture flat.
    cv::Mat flat = grayField(8, 8, 77);
    SoftwareAdjustments sharp;
    sharp.sharpness = 80;
    sharp.apply(flat);
    QCOMPARE(flat.at<cv::Vec4b>(4, 4), cv::Vec4b(77, 77, 77, 255));

    // The HSL adjuster rejects what it cannot read and leaves neutral input alone.
    cv::HSL hsl;
    cv::Mat out;
    QCOMPARE(hsl.adjust(cv::Mat(2, 2, CV_8UC1), out), -1);
    QCOMPARE(hsl.adjust(colour, out), 0);
    QCOMPARE(out.at<cv::Vec4b>(1, 0), p);
    hsl.lightness = 100;
    QCOMPARE(hsl.adjust(colour, out), 0);
    QCOMPARE(out.at<cv::Vec4b>(0, 0), cv::Vec4b(255, 255, 255, 255));
}

namespace {
// The adjustments as a LUT and a round trip through 8-bit HLS: the reference the one-pass
// version must match.
cv::Mat referenceAdjust(const cv::Mat& src, int brightness, int contrast, int saturation)
{
    cv::Mat out = src.clone();
    const double gain = contrast / 50.0;
    const double offset = (brightness - 50) * 255.0 / 100.0;
    cv::Mat lut(1, 256, CV_8UC4);
    for (int i = 0; i < 256; ++i) {
        const uchar v = cv::saturate_cast<uchar>((i - 128) * gain + 128 + offset);
        lut.at<cv::Vec4b>(0, i) = cv::Vec4b(v, v, v, uchar(i));
    }
    cv::LUT(out, lut, out);
    cv::HSL hsl;
    hsl.saturation = (saturation - 50) * 2;
    hsl.adjust(out, out);
    return out;
}

cv::Mat colourSweep(int width, int height)
{
    cv::Mat m(height, width, CV_8UC4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            m.at<cv::Vec4b>(y, x) = cv::Vec4b(uchar((x * 7 + y * 3) & 255), uchar((x * 13) ^ (y * 5)),
                                              uchar((y * 11 + x) & 255), uchar(x & 255));
    return m;
}
} // namespace

// The one-pass adjustments give the same picture as levels followed by an HLS round trip,
// up to that round trip's own rounding, and leave alpha alone.
void TestCamera::softwareAdjustmentsMatchHls_data()
{
    QTest::addColumn<int>("brightness");
    QTest::addColumn<int>("contrast");
    QTest::addColumn<int>("saturation");
    QTest::newRow("live defaults raised") << 60 << 55 << 60;
    QTest::newRow("saturation only, boost") << 50 << 50 << 100;
    QTest::newRow("saturation only, grey") << 50 << 50 << 0;
    QTest::newRow("dark, hard, muted") << 20 << 80 << 25;
    QTest::newRow("bright, soft, vivid") << 90 << 30 << 75;
    QTest::newRow("levels only") << 35 << 65 << 50;
}
void TestCamera::softwareAdjustmentsMatchHls()
{
    QFETCH(int, brightness);
    QFETCH(int, contrast);
    QFETCH(int, saturation);
    const cv::Mat source = colourSweep(257, 129); // odd sizes: no stripe evenly divides them
    const cv::Mat expected = referenceAdjust(source, brightness, contrast, saturation);
    cv::Mat actual = source.clone();
    SoftwareAdjustments adjust;
    adjust.brightness = brightness;
    adjust.contrast = contrast;
    adjust.saturation = saturation;
    adjust.apply(actual);

    double total = 0;
    int worst = 0;
    for (int y = 0; y < source.rows; ++y)
        for (int x = 0; x < source.cols; ++x) {
            const cv::Vec4b a = actual.at<cv::Vec4b>(y, x);
            const cv::Vec4b e = expected.at<cv::Vec4b>(y, x);
            QCOMPARE(a[3], source.at<cv::Vec4b>(y, x)[3]);
            for (int c = 0; c < 3; ++c) {
                const int d = qAbs(int(a[c]) - int(e[c]));
                total += d;
                worst = qMax(worst, d);
            }
        }
    const double mean = total / (3.0 * source.rows * source.cols);
    QVERIFY2(mean < 1.0, qPrintable(QString::number(mean)));
    QVERIFY2(worst <= 8, qPrintable(QString::number(worst)));

    // A view into a larger frame changes only its own pixels.
    cv::Mat big = source.clone();
    cv::Mat view = big(cv::Rect(10, 5, 100, 60));
    adjust.apply(view);
    QCOMPARE(big.at<cv::Vec4b>(0, 0), source.at<cv::Vec4b>(0, 0));
    QCOMPARE(big.at<cv::Vec4b>(70, 120), source.at<cv::Vec4b>(70, 120));
    QCOMPARE(big.at<cv::Vec4b>(5, 10), actual.at<cv::Vec4b>(5, 10));
}

// Rows are adjusted 16 pixels at a time, with shortcuts for blocks the levels turn white,
// blocks they leave unclipped and blocks a boost pushes out of range; pixels adjusted one
// by one (a view one pixel wide) must come out the same, up to rounding.
void TestCamera::softwareAdjustmentsSameInEveryBlock()
{
    cv::RNG rng(27);
    cv::Mat bgra(6, 64, CV_8UC4);
    rng.fill(bgra.row(0), cv::RNG::UNIFORM, 0, 256);
    rng.fill(bgra.row(1), cv::RNG::NORMAL, cv::Scalar(225, 232, 235, 255), cv::Scalar::all(14)); // paper
    rng.fill(bgra.row(2), cv::RNG::NORMAL, cv::Scalar(70, 70, 75, 255), cv::Scalar::all(10));    // desk
    rng.fill(bgra.row(3), cv::RNG::NORMAL, cv::Scalar(40, 90, 220, 255), cv::Scalar::all(25));   // a colour
    bgra.row(4).setTo(cv::Scalar(250, 250, 250, 7));
    bgra.row(5).setTo(cv::Scalar(3, 3, 3, 200));
    cv::Mat bgr;
    cv::cvtColor(bgra, bgr, cv::COLOR_BGRA2BGR);
    const int levels[] = {0, 20, 45, 50, 55, 80, 100};
    for (const cv::Mat& source : {bgra, bgr})
        for (int brightness : levels)
            for (int contrast : levels)
                for (int saturation : levels) {
                    SoftwareAdjustments adjust;
                    adjust.brightness = brightness;
                    adjust.contrast = contrast;
                    adjust.saturation = saturation;
                    cv::Mat blocks = source.clone(), pixels = source.clone();
                    adjust.apply(blocks);
                    for (int x = 0; x < pixels.cols; ++x) {
                        cv::Mat column = pixels.col(x);
                        adjust.apply(column);
                    }
                    cv::Mat diff;
                    cv::absdiff(blocks, pixels, diff);
                    double worst = 0;
                    cv::minMaxLoc(diff.reshape(1), nullptr, &worst);
                    const cv::Scalar sums = cv::sum(diff);
                    const double mean = (sums[0] + sums[1] + sums[2]) / (3.0 * source.total());
                    const QByteArray where = QByteArray::number(brightness) + "/" + QByteArray::number(contrast) + "/"
                                             + QByteArray::number(saturation) + " worst "
                                             + QByteArray::number(worst) + " mean " + QByteArray::number(mean);
                    QVERIFY2(worst <= 3 && mean <= 1.0, where.constData()); // ties round apart
                    if (source.channels() == 4)
                        QCOMPARE(sums[3], 0.0); // alpha untouched by both
                }

    // Values past the ends act as the ends.
    SoftwareAdjustments beyond, ends;
    beyond.brightness = ends.brightness = 45;
    beyond.contrast = 130;
    ends.contrast = 100;
    beyond.saturation = 140;
    ends.saturation = 100;
    cv::Mat a = bgra.clone(), b = bgra.clone();
    beyond.apply(a);
    ends.apply(b);
    QCOMPARE(cv::norm(a, b, cv::NORM_INF), 0.0);
}

