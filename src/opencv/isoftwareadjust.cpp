#include "opencv/isoftwareadjust.h"

#include <algorithm>
#include <opencv2/core/hal/intrin.hpp>
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
// Saturation with the per-pixel limit, in float as adjustPixel does it, for 8 pixels.
inline void saturateLimited(cv::v_int16x8& b, cv::v_int16x8& g, cv::v_int16x8& r, float factor)
{
    using namespace cv;
    v_int32x4 bi[2], gi[2], ri[2];
    v_expand(b, bi[0], bi[1]);
    v_expand(g, gi[0], gi[1]);
    v_expand(r, ri[0], ri[1]);
    const v_float32x4 k0 = v_setall_f32(factor), one = v_setall_f32(1.0f), full = v_setall_f32(510.0f),
                      half = v_setall_f32(0.5f);
    for (int i = 0; i < 2; ++i) {
        const v_float32x4 B = v_cvt_f32(bi[i]), G = v_cvt_f32(gi[i]), R = v_cvt_f32(ri[i]);
        const v_float32x4 hi = v_max(v_max(B, G), R), lo = v_min(v_min(B, G), R);
        const v_float32x4 sum = hi + lo;
        // Grey pixels (no spread) stay as they are whatever k is.
        const v_float32x4 k = v_min(k0, v_min(sum, full - sum) / v_max(hi - lo, one));
        const v_float32x4 l = sum * half;
        bi[i] = v_round(l + k * (B - l));
        gi[i] = v_round(l + k * (G - l));
        ri[i] = v_round(l + k * (R - l));
    }
    b = v_pack(bi[0], bi[1]);
    g = v_pack(gi[0], gi[1]);
    r = v_pack(ri[0], ri[1]);
}

// b, g and r of 8 BGRA pixels as 16-bit lanes, by shifting and masking within each
// pixel: cheaper than deinterleaving bytes, since byte shuffles are the scarce resource.
inline void loadBgra8(const uchar* p, cv::v_uint16x8& b, cv::v_uint16x8& g, cv::v_uint16x8& r)
{
    using namespace cv;
    const v_uint32x4 mask = v_setall_u32(0xff);
    const v_uint32x4 u0 = v_load(reinterpret_cast<const unsigned*>(p));
    const v_uint32x4 u1 = v_load(reinterpret_cast<const unsigned*>(p) + 4);
    b = v_reinterpret_as_u16(v_pack(v_reinterpret_as_s32(u0 & mask), v_reinterpret_as_s32(u1 & mask)));
    g = v_reinterpret_as_u16(v_pack(v_reinterpret_as_s32((u0 >> 8) & mask), v_reinterpret_as_s32((u1 >> 8) & mask)));
    r = v_reinterpret_as_u16(v_pack(v_reinterpret_as_s32((u0 >> 16) & mask), v_reinterpret_as_s32((u1 >> 16) & mask)));
}

// The inverse for values 0..255, keeping each pixel's alpha byte.
inline void storeBgra8(uchar* p, const cv::v_uint16x8& b, const cv::v_uint16x8& g, const cv::v_uint16x8& r)
{
    using namespace cv;
    v_uint16x8 lo, hi;
    v_zip(b | (g << 8), r, lo, hi);
    const v_uint32x4 alpha = v_setall_u32(0xff000000u);
    unsigned* q = reinterpret_cast<unsigned*>(p);
    v_store(q, v_reinterpret_as_u32(lo) | (v_load(q) & alpha));
    v_store(q + 4, v_reinterpret_as_u32(hi) | (v_load(q + 4) & alpha));
}

// 16 pixels at a time in 16-bit fixed point. A block where a boost would push a channel
// past black or white limits the boost per pixel, in float.
template <int CN>
int adjustRowSimd(uchar* row, int width, const AdjustParams& q)
{
    using namespace cv;
    // Levels as (c * gain + lift) >> 7 in unsigned saturating steps, which stop at 0 on the
    // way down; lift (rounding, offset, and -128 * gain for contrast about mid-grey) is
    // added or taken off by its sign.
    const int lift = 64 + (q.base << 7) - 128 * q.gainQ7;
    const v_uint16x8 gain = v_setall_u16(ushort(q.gainQ7)), up = v_setall_u16(ushort(std::max(0, lift))),
                     down = v_setall_u16(ushort(std::max(0, -lift))), white16 = v_setall_u16(255);
    const int exact = (q.base << 7) - 128 * q.gainQ7; // the same without the rounding
    const v_uint16x8 upExact = v_setall_u16(ushort(std::max(0, exact))),
                     downExact = v_setall_u16(ushort(std::max(0, -exact))), white128 = v_setall_u16(255 << 7);
    const v_int16x8 zero = v_setzero_s16(), white = v_setall_s16(255), k = v_setall_s16(short(q.factorQ14)),
                    round16 = v_setall_s16(16), half = v_setall_s16(64);
    const bool boost = q.factorQ14 > 16384; // only a boost can leave the range
    const v_uint16x8 whiteFrom = v_setall_u16(ushort(std::find(q.table, q.table + 256, 255) - q.table));
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        uchar* p = row + x * CN;
        v_uint16x8 w[6];
        if (CN == 4) {
            loadBgra8(p, w[0], w[2], w[4]);
            loadBgra8(p + 32, w[1], w[3], w[5]);
        } else {
            v_uint8x16 b8, g8, r8;
            v_load_deinterleave(p, b8, g8, r8);
            v_expand(b8, w[0], w[1]);
            v_expand(g8, w[2], w[3]);
            v_expand(r8, w[4], w[5]);
        }
        if (q.levels && v_check_all(v_min(v_min(v_min(w[0], w[1]), v_min(w[2], w[3])), v_min(w[4], w[5])) >= whiteFrom)) {
            // Paper the levels turn white: grey, so saturation leaves it white too.
            for (v_uint16x8& c : w)
                c = white16;
        } else if (q.saturate) {
            // Channels in 1/128 steps: the levels before their rounding, or c << 7.
            v_int16x8 c[6], out[6];
            for (int i = 0; i < 6; ++i)
                c[i] = v_reinterpret_as_s16(q.levels ? v_min((v_mul_wrap(w[i], gain) + upExact) - downExact, white128)
                                                     : w[i] << 7);
            v_int16x8 lowest = zero, highest = zero;
            for (int h = 0; h < 2; ++h) {
                const v_int16x8 B = c[h], G = c[2 + h], R = c[4 + h];
                // Twice the lightness in 1/64 steps.
                const v_int16x8 sum64 = v_reinterpret_as_s16(
                    v_add_wrap(v_reinterpret_as_u16(v_max(v_max(B, G), R)), v_reinterpret_as_u16(v_min(v_min(B, G), R)))
                    >> 1);
                // 32 x (sum + k * (2c - sum)) / 2 = 16 sum (1 - k) + 32 k c, k in 1/16384
                // through the high product.
                const v_int16x8 base = (sum64 >> 2) + round16 - v_mul_hi(sum64, k);
                for (int ch = 0; ch < 3; ++ch) {
                    v_int16x8& o = out[2 * ch + h];
                    o = (base + v_mul_hi(c[2 * ch + h], k)) >> 5;
                    if (boost) {
                        lowest = v_min(lowest, o);
                        highest = v_max(highest, o);
                    }
                }
            }
            if (boost && v_check_any((lowest < zero) | (highest > white))) {
                for (int i = 0; i < 6; ++i)
                    c[i] = (c[i] + half) >> 7;
                saturateLimited(c[0], c[2], c[4], q.factor);
                saturateLimited(c[1], c[3], c[5], q.factor);
                for (int i = 0; i < 6; ++i)
                    out[i] = c[i];
            }
            for (int i = 0; i < 6; ++i)
                w[i] = v_reinterpret_as_u16(out[i]);
        } else if (q.levels) {
            for (v_uint16x8& c : w)
                c = v_min(((v_mul_wrap(c, gain) + up) - down) >> 7, white16);
        }
        if (CN == 4) {
            storeBgra8(p, w[0], w[2], w[4]);
            storeBgra8(p + 32, w[1], w[3], w[5]);
        } else {
            v_store_interleave(p, v_pack(w[0], w[1]), v_pack(w[2], w[3]), v_pack(w[4], w[5]));
        }
    }
    return x;
}
#endif

void adjustRows(cv::Mat& frame, const AdjustParams& params)
{
    const int cn = frame.channels();
    for (int y = 0; y < frame.rows; ++y) {
        uchar* row = frame.ptr<uchar>(y);
        int x = 0;
#if CV_SIMD128
        x = cn == 4 ? adjustRowSimd<4>(row, frame.cols, params) : adjustRowSimd<3>(row, frame.cols, params);
#endif
        for (; x < frame.cols; ++x)
            adjustPixel(row + x * cn, params);
    }
}

} // namespace

void SoftwareAdjustments::apply(cv::Mat& frame) const
{
    if (isNeutral() || frame.empty() || frame.depth() != CV_8U || (frame.channels() != 3 && frame.channels() != 4))
        return;

    if (brightness != 50 || contrast != 50 || saturation != 50) {
        // On the calling thread: spread over worker threads, the pass cost more CPU in
        // hand-offs and idle spinning than it saved in time.
        adjustRows(frame, makeParams(brightness, contrast, saturation));
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
