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
    uchar table[256];      // exact levels for the scalar path
    bool levels = false;
    bool saturate = false;
    float factor = 1.0f;   // saturation factor 0..2
    // The vector path, in 1/16 steps. The levels are c' = gain * c + lift; where none of
    // a pixel's channels is clipped by them, levels and saturation fold into one sum:
    // gain * factor * c + gain * (1 - factor) * (max + min) / 2 + lift.
    int gainQ12 = 4096;    // against c << 8
    int liftQ4 = 0;
    int foldedQ12 = 4096;  // gain * factor, against c << 8
    int lightQ14 = 0;      // gain * (1 - factor) / 2, against (max + min) << 6
    int factorQ13 = 8192;  // against clipped levels << 3
    int mixQ14 = 0;        // (1 - factor) / 2, against their (max + min) << 2
    uchar unclippedFrom = 255, unclippedTo = 0; // channel values the levels keep in range
    bool turnsWhite = false;
    uchar whiteFrom = 255; // first channel value the levels turn white
};

AdjustParams makeParams(int brightness, int contrast, int saturation)
{
    AdjustParams q;
    // The vector path's fixed-point steps hold for these ranges only.
    brightness = std::clamp(brightness, 0, 100);
    contrast = std::clamp(contrast, 0, 100);
    saturation = std::clamp(saturation, 0, 100);
    const double gain = contrast / 50.0; // contrast scales around mid-grey (0..2x)
    const double offset = (brightness - 50) * 255.0 / 100.0; // up to half the range
    const double lift = 128 + offset - 128 * gain;
    q.levels = brightness != 50 || contrast != 50;
    for (int i = 0; i < 256; ++i)
        q.table[i] = cv::saturate_cast<uchar>((i - 128) * gain + 128 + offset);
    q.saturate = saturation != 50;
    q.factor = saturation / 50.0f;
    const double k = q.factor;
    q.gainQ12 = cvRound(gain * 4096);
    q.liftQ4 = cvRound(lift * 16);
    q.foldedQ12 = cvRound(gain * k * 4096);
    q.lightQ14 = cvRound(gain * (1 - k) / 2 * 16384);
    q.factorQ13 = cvRound(k * 8192);
    q.mixQ14 = cvRound((1 - k) / 2 * 16384);
    for (int c = 255; c >= 0; --c) { // the levels rise with c, so these form one run
        const int level = ((c << 8) * q.gainQ12 >> 16) + q.liftQ4;
        if (level >= 0 && level <= 255 * 16) {
            q.unclippedFrom = uchar(c);
            q.unclippedTo = std::max(q.unclippedTo, uchar(c));
        }
    }
    const uchar* white = std::find(q.table, q.table + 256, 255);
    q.turnsWhite = white != q.table + 256;
    q.whiteFrom = uchar(q.turnsWhite ? white - q.table : 255);
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

// 16 pixels at a time: channels split into byte planes, widened to 16 bits, narrowed with
// saturation at the end.
template <int CN>
int adjustRowSimd(uchar* row, int width, const AdjustParams& q)
{
    using namespace cv;
    const v_uint8x16 zero8 = v_setzero_u8(), white8 = v_setall_u8(255), whiteFrom = v_setall_u8(q.whiteFrom),
                     unclippedFrom = v_setall_u8(q.unclippedFrom), unclippedTo = v_setall_u8(q.unclippedTo);
    const v_uint16x8 gain = v_setall_u16(ushort(q.gainQ12)), folded = v_setall_u16(ushort(q.foldedQ12)),
                     outside = v_setall_u16(0xff00), none = v_setzero_u16();
    const v_int16x8 zero = v_setzero_s16(), top = v_setall_s16(255 * 16), lift = v_setall_s16(short(q.liftQ4)),
                    round = v_setall_s16(8), liftRound = v_setall_s16(short(q.liftQ4 + 8)),
                    light = v_setall_s16(short(q.lightQ14)), factor = v_setall_s16(short(q.factorQ13)),
                    mix = v_setall_s16(short(q.mixQ14));
    const bool boost = q.factor > 1.0f; // only a boost can leave the range
    const bool whiteTest = q.levels && q.turnsWhite;
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        uchar* p = row + x * CN;
        v_uint8x16 b, g, r, a;
        if (CN == 4)
            v_load_deinterleave(p, b, g, r, a);
        else
            v_load_deinterleave(p, b, g, r);
        const v_uint8x16 hi = v_max(v_max(b, g), r), lo = v_min(v_min(b, g), r);
        if (whiteTest && v_check_all((whiteFrom - lo) == zero8)) {
            // Paper the levels turn white: grey, so saturation leaves it white too.
            b = g = r = white8;
        } else {
            // Channels times 256, in two halves of 8 pixels.
            auto widen = [&](const v_uint8x16& plane, v_uint16x8& lower, v_uint16x8& upper) {
                v_uint8x16 t0, t1;
                v_zip(zero8, plane, t0, t1);
                lower = v_reinterpret_as_u16(t0);
                upper = v_reinterpret_as_u16(t1);
            };
            v_uint16x8 b0, b1, g0, g1, r0, r1;
            widen(b, b0, b1);
            widen(g, g0, g1);
            widen(r, r0, r1);
            auto clippedLevels = [&](const v_uint16x8& c) {
                return v_min(v_max(v_reinterpret_as_s16(v_mul_hi(c, gain)) + lift, zero), top);
            };
            v_int16x8 ob0, ob1, og0, og1, or0, or1;
            if (!q.saturate) {
                // The narrowing clips what the levels push past black or white.
                auto level = [&](const v_uint16x8& c) {
                    return (v_reinterpret_as_s16(v_mul_hi(c, gain)) + liftRound) >> 4;
                };
                ob0 = level(b0), ob1 = level(b1), og0 = level(g0), og1 = level(g1), or0 = level(r0), or1 = level(r1);
            } else if (!q.levels || v_check_all(((hi - unclippedTo) | (unclippedFrom - lo)) == zero8)) {
                v_uint16x8 hi0, hi1, lo0, lo1;
                v_expand(hi, hi0, hi1);
                v_expand(lo, lo0, lo1);
                const v_int16x8 base0 = v_mul_hi(v_reinterpret_as_s16((hi0 + lo0) << 6), light) + liftRound;
                const v_int16x8 base1 = v_mul_hi(v_reinterpret_as_s16((hi1 + lo1) << 6), light) + liftRound;
                auto fold = [&](const v_uint16x8& c, const v_int16x8& base) {
                    return (v_reinterpret_as_s16(v_mul_hi(c, folded)) + base) >> 4;
                };
                ob0 = fold(b0, base0), og0 = fold(g0, base0), or0 = fold(r0, base0);
                ob1 = fold(b1, base1), og1 = fold(g1, base1), or1 = fold(r1, base1);
            } else {
                // Some channel is clipped by the levels: the lightness is that of the
                // clipped values.
                auto saturate = [&](const v_uint16x8& B, const v_uint16x8& G, const v_uint16x8& R, v_int16x8& oB,
                                    v_int16x8& oG, v_int16x8& oR) {
                    const v_int16x8 lb = clippedLevels(B), lg = clippedLevels(G), lr = clippedLevels(R);
                    const v_int16x8 most = v_max(v_max(lb, lg), lr), least = v_min(v_min(lb, lg), lr);
                    const v_int16x8 base = v_mul_hi((most + least) << 2, mix) + round;
                    oB = (v_mul_hi(lb << 3, factor) + base) >> 4;
                    oG = (v_mul_hi(lg << 3, factor) + base) >> 4;
                    oR = (v_mul_hi(lr << 3, factor) + base) >> 4;
                    if (boost) {
                        // A boost of a pixel the levels took to white or black stops at
                        // once: it keeps its levels.
                        const v_int16x8 kept = (most == top) | (least == zero);
                        oB = v_select(kept, (lb + round) >> 4, oB);
                        oG = v_select(kept, (lg + round) >> 4, oG);
                        oR = v_select(kept, (lr + round) >> 4, oR);
                    }
                };
                saturate(b0, g0, r0, ob0, og0, or0);
                saturate(b1, g1, r1, ob1, og1, or1);
            }
            if (boost && !v_check_all((v_reinterpret_as_u16(ob0 | ob1 | og0 | og1 | or0 | or1) & outside) == none)) {
                // A channel left the range: the levels in whole steps, then the boost
                // limited pixel by pixel.
                auto whole = [&](const v_uint16x8& c) {
                    return q.levels ? (clippedLevels(c) + round) >> 4 : v_reinterpret_as_s16(c >> 8);
                };
                ob0 = whole(b0), ob1 = whole(b1), og0 = whole(g0), og1 = whole(g1), or0 = whole(r0), or1 = whole(r1);
                saturateLimited(ob0, og0, or0, q.factor);
                saturateLimited(ob1, og1, or1, q.factor);
            }
            b = v_pack_u(ob0, ob1);
            g = v_pack_u(og0, og1);
            r = v_pack_u(or0, or1);
        }
        if (CN == 4)
            v_store_interleave(p, b, g, r, a);
        else
            v_store_interleave(p, b, g, r);
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
