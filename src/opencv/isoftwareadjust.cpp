#include "opencv/isoftwareadjust.h"

#include <algorithm>
#include <opencv2/core/hal/intrin.hpp>
#include <opencv2/core/utility.hpp>
#include <opencv2/imgproc.hpp>

// Levels and saturation run in one pass over the pixels. Saturation follows the HLS
// model: each channel moves away from (or towards) the pixel's lightness (max + min) / 2
// by the factor, and a boost stops where the first channel reaches black or white, so
// hue and lightness stay. That is the result of a round trip through HLS, without the
// conversion and its 2-degree hue steps.

namespace {

struct AdjustParams
{
    uchar table[256];     // exact levels for the scalar path
    bool levels = false;
    int gainQ7 = 128;     // contrast gain in 1/128
    int base = 128;       // mid-grey plus the brightness offset
    bool saturate = false;
    float factor = 1.0f;  // saturation factor 0..2
    int factorQ14 = 16384;
};

AdjustParams makeParams(int brightness, int contrast, int saturation)
{
    AdjustParams q;
    const double gain = contrast / 50.0; // contrast scales around mid-grey (0..2x)
    const double offset = (brightness - 50) * 255.0 / 100.0; // up to half the range
    q.levels = brightness != 50 || contrast != 50;
    for (int i = 0; i < 256; ++i)
        q.table[i] = cv::saturate_cast<uchar>((i - 128) * gain + 128 + offset);
    q.gainQ7 = cvRound(gain * 128);
    q.base = 128 + cvRound(offset);
    q.saturate = saturation != 50;
    q.factor = saturation / 50.0f;
    q.factorQ14 = std::min(32767, cvRound(q.factor * 16384));
    return q;
}

inline void adjustPixel(uchar* p, const AdjustParams& q)
{
    int b = p[0], g = p[1], r = p[2];
    if (q.levels) {
        b = q.table[b];
        g = q.table[g];
        r = q.table[r];
    }
    if (q.saturate) {
        const int hi = std::max(b, std::max(g, r));
        const int lo = std::min(b, std::min(g, r));
        const int spread = hi - lo;
        if (spread > 0) {
            const int sum = hi + lo; // twice the lightness
            float k = q.factor;
            if (k > 1.0f)
                k = std::min(k, float(std::min(sum, 510 - sum)) / float(spread));
            const float l = sum * 0.5f;
            b = cvRound(l + k * (b - l));
            g = cvRound(l + k * (g - l));
            r = cvRound(l + k * (r - l));
        }
    }
    p[0] = cv::saturate_cast<uchar>(b);
    p[1] = cv::saturate_cast<uchar>(g);
    p[2] = cv::saturate_cast<uchar>(r);
}

#if CV_SIMD128
// 16 pixels at a time in 16-bit fixed point. A block where a boost would push a channel
// past black or white takes the exact scalar path, which limits the boost per pixel.
template <int CN>
int adjustRowSimd(uchar* row, int width, const AdjustParams& q)
{
    using namespace cv;
    const v_int16x8 mid = v_setall_s16(128), gain = v_setall_s16(short(q.gainQ7)),
                    base = v_setall_s16(short(q.base)), half = v_setall_s16(64), zero = v_setzero_s16(),
                    white = v_setall_s16(255), k = v_setall_s16(short(q.factorQ14)), round16 = v_setall_s16(16);
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        uchar* p = row + x * CN;
        v_uint8x16 b8, g8, r8, a8;
        if (CN == 4)
            v_load_deinterleave(p, b8, g8, r8, a8);
        else
            v_load_deinterleave(p, b8, g8, r8);
        v_uint16x8 w[6];
        v_expand(b8, w[0], w[1]);
        v_expand(g8, w[2], w[3]);
        v_expand(r8, w[4], w[5]);
        v_int16x8 c[6];
        for (int i = 0; i < 6; ++i) {
            c[i] = v_reinterpret_as_s16(w[i]);
            if (q.levels)
                c[i] = v_min(v_max(((v_mul_wrap(c[i] - mid, gain) + half) >> 7) + base, zero), white);
        }
        bool clipped = false;
        if (q.saturate) {
            for (int h = 0; h < 2; ++h) {
                v_int16x8& B = c[h];
                v_int16x8& G = c[2 + h];
                v_int16x8& R = c[4 + h];
                const v_int16x8 sum = v_max(v_max(B, G), R) + v_min(v_min(B, G), R);
                const v_int16x8 sum16 = sum << 4;
                for (v_int16x8* ch : {&B, &G, &R}) {
                    // (sum + k * (2c - sum)) / 2, with k in 1/16384 through the high product
                    const v_int16x8 d = ((*ch + *ch) - sum) << 6;
                    *ch = (sum16 + v_mul_hi(d, k) + round16) >> 5;
                    clipped = clipped || v_check_any((*ch < zero) | (*ch > white));
                }
            }
        }
        if (clipped) {
            for (int i = 0; i < 16; ++i)
                adjustPixel(p + i * CN, q);
            continue;
        }
        b8 = v_pack_u(c[0], c[1]);
        g8 = v_pack_u(c[2], c[3]);
        r8 = v_pack_u(c[4], c[5]);
        if (CN == 4)
            v_store_interleave(p, b8, g8, r8, a8);
        else
            v_store_interleave(p, b8, g8, r8);
    }
    return x;
}
#endif

struct RowAdjuster : cv::ParallelLoopBody
{
    cv::Mat* frame;
    const AdjustParams* params;

    void operator()(const cv::Range& rows) const override
    {
        const int cn = frame->channels();
        for (int y = rows.start; y < rows.end; ++y) {
            uchar* row = frame->ptr<uchar>(y);
            int x = 0;
#if CV_SIMD128
            x = cn == 4 ? adjustRowSimd<4>(row, frame->cols, *params) : adjustRowSimd<3>(row, frame->cols, *params);
#endif
            for (; x < frame->cols; ++x)
                adjustPixel(row + x * cn, *params);
        }
    }
};

} // namespace

void SoftwareAdjustments::apply(cv::Mat& frame) const
{
    if (isNeutral() || frame.empty() || frame.depth() != CV_8U || (frame.channels() != 3 && frame.channels() != 4))
        return;

    if (brightness != 50 || contrast != 50 || saturation != 50) {
        const AdjustParams params = makeParams(brightness, contrast, saturation);
        RowAdjuster body;
        body.frame = &frame;
        body.params = &params;
        // Row stripes over the cores: the camera thread would otherwise carry it alone.
        cv::parallel_for_(cv::Range(0, frame.rows), body, std::max(1, frame.rows / 64));
    }

    if (sharpness > 0) {
        // Unsharp mask: the frame plus a share of its difference from a blurred copy.
        const double amount = sharpness / 50.0;
        cv::Mat blurred;
        cv::GaussianBlur(frame, blurred, cv::Size(0, 0), 1.5);
        cv::Mat sharpened;
        cv::addWeighted(frame, 1.0 + amount, blurred, -amount, 0, sharpened);
        if (frame.channels() == 4) {
            // keep the alpha bytes of the original
            const int fromTo[] = {3, 3};
            cv::mixChannels(&frame, 1, &sharpened, 1, fromTo, 1);
        }
        sharpened.copyTo(frame);
    }
}
