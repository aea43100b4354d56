#include "opencv/ihsl.h"

#include <opencv2/imgproc.hpp>

namespace cv {

int HSL::adjust(const Mat& src, Mat& dst) const
{
    if (src.empty() || src.depth() != CV_8U || (src.channels() != 3 && src.channels() != 4))
        return -1;
    if (isNeutral()) {
        if (dst.data != src.data)
            src.copyTo(dst);
        return 0;
    }

    Mat bgr;
    if (src.channels() == 4)
        cvtColor(src, bgr, COLOR_BGRA2BGR);
    else
        bgr = src;
    Mat hls;
    cvtColor(bgr, hls, COLOR_BGR2HLS); // 8-bit: H 0..180, L and S 0..255

    const int hueShift = hue / 2;
    const float sFactor = 1.0f + saturation / 100.0f;
    const float lFactor = lightness / 100.0f;
    for (int y = 0; y < hls.rows; ++y) {
        Vec3b* row = hls.ptr<Vec3b>(y);
        for (int x = 0; x < hls.cols; ++x) {
            Vec3b& p = row[x];
            int h = p[0] + hueShift;
            h = ((h % 180) + 180) % 180;
            p[0] = uchar(h);
            // Lightness moves towards white or black; saturation scales.
            const float l = p[1];
            p[1] = saturate_cast<uchar>(lFactor >= 0 ? l + (255.0f - l) * lFactor : l * (1.0f + lFactor));
            p[2] = saturate_cast<uchar>(p[2] * sFactor);
        }
    }

    Mat out;
    cvtColor(hls, out, COLOR_HLS2BGR);
    if (src.channels() == 4)
        cvtColor(out, dst, COLOR_BGR2BGRA);
    else
        out.copyTo(dst); // copyTo keeps dst's buffer when the size matches
    return 0;
}

} // namespace cv
