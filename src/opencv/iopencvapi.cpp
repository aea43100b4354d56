#include "opencv/iopencvapi.h"

#include <QDebug>
#include <QVector>
#include <opencv2/core/hal/intrin.hpp>
#include <opencv2/core/utility.hpp>
#include <opencv2/imgproc.hpp>

#include <vector>

namespace {

cv::Mat toGray(const cv::Mat& mat)
{
    cv::Mat gray;
    switch (mat.channels()) {
    case 4:
        cv::cvtColor(mat, gray, cv::COLOR_BGRA2GRAY);
        break;
    case 3:
        cv::cvtColor(mat, gray, cv::COLOR_BGR2GRAY);
        break;
    case 1:
        gray = mat.clone();
        break;
    default:
        break;
    }
    return gray;
}

const QVector<QRgb>& grayTable()
{
    static const QVector<QRgb> table = [] {
        QVector<QRgb> t(256);
        for (int i = 0; i < 256; ++i)
            t[i] = qRgb(i, i, i);
        return t;
    }();
    return table;
}

// Detection runs on a copy no wider than this; the outline is scaled back afterwards.
constexpr int kEdgeWorkWidth = 640;

// Adds the grey value of each of n BGRA pixels to sums[i]; grey exactly as the colour
// conversion computes it, (3735 B + 19235 G + 9798 R + 2^14) >> 15.
void addGreyRow(const uchar* bgra, int n, ushort* sums)
{
    int x = 0;
#if CV_SIMD128
    using namespace cv;
    v_int16x8 bgCoeffs, rCoeffs, unused;
    v_zip(v_setall_s16(3735), v_setall_s16(19235), bgCoeffs, unused);
    v_zip(v_setall_s16(9798), v_setall_s16(1 << 14), rCoeffs, unused); // paired with r and 1
    const v_int16x8 one = v_setall_s16(1);
    auto grey8 = [&](const v_uint16x8& b, const v_uint16x8& g, const v_uint16x8& r) {
        v_int16x8 bg0, bg1, r0, r1;
        v_zip(v_reinterpret_as_s16(b), v_reinterpret_as_s16(g), bg0, bg1);
        v_zip(v_reinterpret_as_s16(r), one, r0, r1);
        const v_int32x4 y0 = (v_dotprod(bg0, bgCoeffs) + v_dotprod(r0, rCoeffs)) >> 15;
        const v_int32x4 y1 = (v_dotprod(bg1, bgCoeffs) + v_dotprod(r1, rCoeffs)) >> 15;
        return v_reinterpret_as_u16(v_pack(y0, y1));
    };
    for (; x + 16 <= n; x += 16) {
        v_uint8x16 b, g, r, a;
        v_load_deinterleave(bgra + 4 * x, b, g, r, a);
        v_uint16x8 b0, b1, g0, g1, r0, r1;
        v_expand(b, b0, b1);
        v_expand(g, g0, g1);
        v_expand(r, r0, r1);
        v_store(sums + x, v_load(sums + x) + grey8(b0, g0, r0));
        v_store(sums + x + 8, v_load(sums + x + 8) + grey8(b1, g1, r1));
    }
#endif
    for (; x < n; ++x) {
        const uchar* p = bgra + 4 * x;
        sums[x] = ushort(sums[x] + ((p[0] * 3735 + p[1] * 19235 + p[2] * 9798 + (1 << 14)) >> 15));
    }
}

// The grey picture of a BGRA frame shrunk by the whole factor k, in one pass over the
// frame on this thread: the same values as a grey conversion followed by an area resize
// (each k x k block's mean, rounded as that resize rounds it), without the full-size grey
// picture in between.
cv::Mat reducedGrey(const cv::Mat& bgra, int k)
{
    const int width = bgra.cols / k;
    cv::Mat out(bgra.rows / k, width, CV_8UC1);
    std::vector<ushort> sums(size_t(width) * size_t(k)); // k rows of at most 255 each per column
    const float scale = 1.0f / float(k * k);
    for (int y = 0; y < out.rows; ++y) {
        std::fill(sums.begin(), sums.end(), ushort(0));
        for (int r = 0; r < k; ++r)
            addGreyRow(bgra.ptr<uchar>(y * k + r), width * k, sums.data());
        uchar* row = out.ptr<uchar>(y);
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int j = 0; j < k; ++j)
                sum += sums[size_t(x * k + j)];
            row[x] = k == 2 ? uchar((sum + 2) >> 2) : cv::saturate_cast<uchar>(float(sum) * scale);
        }
    }
    return out;
}

// The grey copy the outline is looked for on, and the factor it was shrunk by.
cv::Mat detectionPicture(const cv::Mat& frame, double* scale)
{
    *scale = frame.cols > kEdgeWorkWidth ? double(kEdgeWorkWidth) / frame.cols : 1.0;
    const int k = frame.cols / kEdgeWorkWidth;
    if (*scale < 1.0 && frame.type() == CV_8UC4 && frame.cols == k * kEdgeWorkWidth && frame.rows % k == 0)
        return reducedGrey(frame, k);
    // Grey first: shrinking one channel costs a quarter of shrinking four.
    cv::Mat gray = toGray(frame);
    if (!gray.empty() && *scale < 1.0)
        cv::resize(gray, gray, cv::Size(), *scale, *scale, cv::INTER_AREA);
    return gray;
}

} // namespace

cv::Mat IOpencvApi::cvImage2Mat(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return cv::Mat(image.height(), image.width(), CV_8UC4, const_cast<uchar*>(image.constBits()),
                       size_t(image.bytesPerLine()));
    case QImage::Format_Indexed8:
        return cv::Mat(image.height(), image.width(), CV_8UC1, const_cast<uchar*>(image.constBits()),
                       size_t(image.bytesPerLine()));
    case QImage::Format_RGB888: {
        cv::Mat view(image.height(), image.width(), CV_8UC3, const_cast<uchar*>(image.constBits()),
                     size_t(image.bytesPerLine()));
        cv::Mat bgr;
        cv::cvtColor(view, bgr, cv::COLOR_RGB2BGR);
        return bgr;
    }
    default:
        return cv::Mat();
    }
}

QImage IOpencvApi::cvMat2Image(const cv::Mat& mat)
{
    if (mat.empty())
        return QImage();
    switch (mat.type()) {
    case CV_8UC4:
        return QImage(mat.data, mat.cols, mat.rows, int(mat.step), QImage::Format_RGB32);
    case CV_8UC3:
        return QImage(mat.data, mat.cols, mat.rows, int(mat.step), QImage::Format_RGB888).rgbSwapped();
    case CV_8UC1: {
        QImage image(mat.data, mat.cols, mat.rows, int(mat.step), QImage::Format_Indexed8);
        image.setColorTable(grayTable());
        return image.copy();
    }
    default:
        qDebug() << Q_FUNC_INFO << "ERROR: Mat could not be converted to QImage.";
        return QImage();
    }
}

namespace {

AutoEdgeData detectOutline(const cv::Mat& frame)
{
    AutoEdgeData result;
    if (frame.empty() || frame.cols < 8 || frame.rows < 8)
        return result;

    double scale = 1.0;
    cv::Mat gray = detectionPicture(frame, &scale);
    if (gray.empty())
        return result;
    cv::GaussianBlur(gray, gray, cv::Size(5, 5), 0);
    cv::Mat edges;
    cv::Canny(gray, edges, 50, 150);
    cv::dilate(edges, edges, cv::Mat());

    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(edges, contours, cv::RETR_LIST, cv::CHAIN_APPROX_SIMPLE);

    // A document covers a fair part of the picture; smaller quadrilaterals are noise.
    const double minArea = 0.05 * gray.cols * gray.rows;
    double bestArea = 0.0;
    std::vector<cv::Point> best;
    for (const auto& contour : contours) {
        std::vector<cv::Point> approx;
        cv::approxPolyDP(contour, approx, 0.02 * cv::arcLength(contour, true), true);
        if (approx.size() != 4 || !cv::isContourConvex(approx))
            continue;
        const double area = std::fabs(cv::contourArea(approx));
        if (area > minArea && area > bestArea) {
            bestArea = area;
            best = approx;
        }
    }
    if (best.empty())
        return result;

    // The reduced copy and the edge band leave the corners a few pixels off: refine
    // each one on a small full-resolution window around it.
    std::vector<cv::Point2f> corners;
    for (const cv::Point& p : best)
        corners.emplace_back(float(p.x / scale), float(p.y / scale));
    for (cv::Point2f& corner : corners) {
        const cv::Rect window = cv::Rect(cvRound(corner.x) - 16, cvRound(corner.y) - 16, 32, 32) &
                                cv::Rect(0, 0, frame.cols, frame.rows);
        if (window.width < 16 || window.height < 16)
            continue;
        const cv::Mat patch = toGray(frame(window));
        std::vector<cv::Point2f> local{corner - cv::Point2f(float(window.x), float(window.y))};
        cv::cornerSubPix(patch, local, cv::Size(6, 6), cv::Size(-1, -1),
                         cv::TermCriteria(cv::TermCriteria::EPS + cv::TermCriteria::COUNT, 20, 0.1));
        const cv::Point2f refined = local.front() + cv::Point2f(float(window.x), float(window.y));
        if (cv::norm(refined - corner) < 8.0)
            corner = refined;
    }
    result.angle = double(cv::minAreaRect(corners).angle);
    for (const cv::Point2f& p : corners)
        result.polygon << QPointF(p.x, p.y);
    return result;
}

} // namespace

AutoEdgeData IOpencvApi::findDocumentOutline(const cv::Mat& frame)
{
    // As one task, which OpenCV runs on this thread together with every call nested in
    // it: the small picture's steps are not worth handing to its worker threads and back.
    AutoEdgeData result;
    cv::parallel_for_(cv::Range(0, 1), [&](const cv::Range&) { result = detectOutline(frame); });
    return result;
}

void IOpencvApi::drawOutline(cv::Mat& frame, const QPolygonF& outline)
{
    if (frame.empty() || outline.size() < 2)
        return;
    std::vector<cv::Point> points;
    points.reserve(size_t(outline.size()));
    for (const QPointF& p : outline)
        points.emplace_back(cvRound(p.x()), cvRound(p.y()));
    const cv::Scalar red = frame.channels() == 1 ? cv::Scalar(255) : cv::Scalar(0, 0, 255, 255);
    cv::polylines(frame, points, true, red, 4, cv::LINE_8);
}

AutoEdgeData IOpencvApi::cvAutoEdge(cv::Mat frame)
{
    AutoEdgeData data = findDocumentOutline(frame);
    drawOutline(frame, data.polygon);
    return data;
}

cv::Mat IOpencvApi::cvGrayscaleImage(const cv::Mat& mat)
{
    return toGray(mat);
}

cv::Mat IOpencvApi::cvBlackWhiteImage(const cv::Mat& mat)
{
    cv::Mat gray = toGray(mat);
    if (gray.empty())
        return gray;
    cv::Mat bw;
    cv::threshold(gray, bw, 145, 255, cv::THRESH_BINARY);
    return bw;
}

cv::Mat IOpencvApi::cvSharpenImage(const cv::Mat& mat)
{
    cv::Mat gray = toGray(mat);
    if (gray.empty())
        return gray;
    const cv::Mat kernel = (cv::Mat_<float>(3, 3) << 0, -1, 0, -1, 5, -1, 0, -1, 0);
    cv::Mat out;
    cv::filter2D(gray, out, CV_8U, kernel);
    return out;
}

cv::Mat IOpencvApi::cvSketchImage(const cv::Mat& mat)
{
    cv::Mat gray = toGray(mat);
    if (gray.empty())
        return gray;
    cv::Mat blurred;
    cv::medianBlur(gray, blurred, 7);
    cv::Mat edges;
    cv::Laplacian(blurred, edges, CV_8U, 5);
    cv::Mat out;
    cv::threshold(edges, out, 127, 255, cv::THRESH_BINARY_INV);
    return out;
}

cv::Mat IOpencvApi::cvEmbossImage(const cv::Mat& mat)
{
    if (mat.empty() || mat.depth() != CV_8U)
        return cv::Mat();
    // Each pixel becomes its lower-right neighbour minus its upper-left one, lifted by
    // 128 and clamped; edges repeat the border pixels.
    const cv::Mat kernel = (cv::Mat_<float>(3, 3) << -1, 0, 0, 0, 0, 0, 0, 0, 1);
    cv::Mat embossed;
    cv::filter2D(mat, embossed, CV_8U, kernel, cv::Point(-1, -1), 128.0, cv::BORDER_REPLICATE);
    return toGray(embossed);
}

QImage IOpencvApi::filterImage(ImageType type, cv::Mat mat)
{
    switch (type) {
    case IMAGE_PLAIN:
        return cvMat2Image(mat).copy();
    case IMAGE_GRAYSCALE:
        return cvMat2Image(cvGrayscaleImage(mat));
    case IMAGE_BLACKWHITE:
        return cvMat2Image(cvBlackWhiteImage(mat));
    case IMAGE_SHARPEN:
        return cvMat2Image(cvSharpenImage(mat));
    case IMAGE_SKETCH:
        return cvMat2Image(cvSketchImage(mat));
    case IMAGE_EMBOSS:
        return cvMat2Image(cvEmbossImage(mat));
    }
    return QImage();
}
