#include "ipictureconverter.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

extern "C" {
#include <libavutil/pixdesc.h>
}

bool IPictureConverter::canShrink(AVPixelFormat format)
{
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
    if (!desc || (desc->flags & (AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_HWACCEL
                                 | AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_BE)))
        return false;
    // One byte per sample, each component in a plane of its own (not NV12's pairs).
    if (av_pix_fmt_count_planes(format) != desc->nb_components)
        return false;
    for (int i = 0; i < desc->nb_components; ++i) {
        const AVComponentDescriptor& c = desc->comp[i];
        if (c.depth != 8 || c.step != 1 || c.shift != 0 || c.offset != 0)
            return false;
    }
    return true;
}

bool IPictureConverter::convertsWholeRowsFast(AVPixelFormat format)
{
    // swscale's SIMD conversions to RGB32 at the same size; the others are several
    // times slower than the painter's scaling they would replace.
    switch (format) {
    case AV_PIX_FMT_YUV420P:
    case AV_PIX_FMT_YUVJ420P:
    case AV_PIX_FMT_YUV422P:
    case AV_PIX_FMT_YUVJ422P:
        return true;
    default:
        return false;
    }
}

namespace {
// Rows for the window's pixels go to memory past the cache: the window system reads them
// next, not this thread, and their lines need not be fetched first. A picture another
// thread of ours copies next is written through the cache.
void writeRow(uint32_t* to, const uint32_t* from, int count, bool stream)
{
    int x = 0;
#if defined(__SSE2__)
    for (; stream && x < count && (reinterpret_cast<uintptr_t>(to + x) & 15); ++x)
        to[x] = from[x];
    for (; stream && x + 4 <= count; x += 4)
        _mm_stream_si128(reinterpret_cast<__m128i*>(to + x), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x)));
#else
    Q_UNUSED(stream)
#endif
    std::memcpy(to + x, from + x, size_t(count - x) * sizeof(uint32_t));
}

// Measured with the whole program: shown at more than half its pixels, cutting the planes
// down costs what converting fewer pixels saves.
bool atMostHalf(const QSize& shown, const QSize& frameSize)
{
    return 2 * qint64(shown.width()) * shown.height() <= qint64(frameSize.width()) * frameSize.height();
}
}

bool IPictureConverter::drawsShown(const QSize& frameSize, const QSize& shown, AVPixelFormat format)
{
    return shown.width() <= frameSize.width() && shown.height() <= frameSize.height() && shown != frameSize
           && !shown.isEmpty() && !atMostHalf(shown, frameSize) && convertsWholeRowsFast(format);
}

QSize IPictureConverter::targetSize(const QSize& frameSize, const QSize& shown, AVPixelFormat format)
{
    if (shown.width() <= 0 || shown.height() <= 0 || shown.width() >= frameSize.width()
        || shown.height() >= frameSize.height())
        return frameSize;
    return (atMostHalf(shown, frameSize) ? canShrink(format) : convertsWholeRowsFast(format)) ? shown : frameSize;
}

bool IPictureConverter::prepare(const QSize& size, AVPixelFormat format, int colorRange)
{
    if (m_scaler && size == m_size && format == m_format && colorRange == m_colorRange)
        return true;
    m_scaler.reset(sws_getContext(size.width(), size.height(), format, size.width(), size.height(),
                                  AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!m_scaler)
        return false;
    if (colorRange == AVCOL_RANGE_JPEG) {
        // A full-range frame in a plain YUV format (a JPEG's planes, or a stream that
        // says so) would otherwise come out washed out.
        int* inverse = nullptr;
        int* table = nullptr;
        int srcRange = 0, dstRange = 0, brightness = 0, contrast = 0, saturation = 0;
        if (sws_getColorspaceDetails(m_scaler.get(), &inverse, &srcRange, &table, &dstRange, &brightness,
                                     &contrast, &saturation) >= 0)
            sws_setColorspaceDetails(m_scaler.get(), inverse, 1, table, dstRange, brightness, contrast, saturation);
    }
    m_size = size;
    m_format = format;
    m_colorRange = colorRange;
    return true;
}

bool IPictureConverter::convert(const AVFrame* frame, QImage* target)
{
    const QSize in(frame->width, frame->height);
    const QSize out = target->size();
    const auto format = AVPixelFormat(frame->format);
    if (in.isEmpty() || out.isEmpty())
        return false;
    const uint8_t* src[4] = {frame->data[0], frame->data[1], frame->data[2], frame->data[3]};
    int srcStride[4] = {frame->linesize[0], frame->linesize[1], frame->linesize[2], frame->linesize[3]};
    if (out != in) {
        if (out.width() > in.width() || out.height() > in.height())
            return false;
        if (drawsShown(in, out, format))
            return pickRows(frame, out, target, QPoint(), target->rect(), false);
        if (!canShrink(format))
            return false;
        const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
        // As one task, which OpenCV runs on this thread with the calls nested in it:
        // handing the rows to its worker threads costs more than it saves here.
        cv::parallel_for_(cv::Range(0, 1), [&](const cv::Range&) {
        for (int p = 0; p < desc->nb_components; ++p) {
            const bool chroma = p == 1 || p == 2;
            const auto across = [&](int w) { return chroma ? AV_CEIL_RSHIFT(w, desc->log2_chroma_w) : w; };
            const auto down = [&](int h) { return chroma ? AV_CEIL_RSHIFT(h, desc->log2_chroma_h) : h; };
            Plane& plane = m_planes[p];
            plane.stride = FFALIGN(across(out.width()), 64);
            // swscale reads whole SIMD blocks, past a line's end and the last line's.
            plane.bytes.resize(size_t(plane.stride) * size_t(down(out.height())) + 64);
            const cv::Mat whole(down(in.height()), across(in.width()), CV_8UC1, const_cast<uint8_t*>(src[p]),
                                size_t(srcStride[p]));
            cv::Mat shown(down(out.height()), across(out.width()), CV_8UC1, plane.bytes.data(), size_t(plane.stride));
            cv::resize(whole, shown, shown.size(), 0, 0, cv::INTER_NEAREST_EXACT);
            src[p] = plane.bytes.data();
            srcStride[p] = plane.stride;
        }
        });
    }
    if (!prepare(out, format, frame->color_range))
        return false;
    uint8_t* dst[4] = {target->bits(), nullptr, nullptr, nullptr};
    int dstStride[4] = {int(target->bytesPerLine()), 0, 0, 0};
    sws_scale(m_scaler.get(), src, srcStride, 0, out.height(), dst, dstStride);
    return true;
}

// Whole rows are converted a few at a time into a strip that stays in the cache, and
// each shown row is picked from it as the painter's nearest scaling would pick it, into
// a row that stays in the cache too, and then written out where the clip allows: the
// whole-size frame is never written.
bool IPictureConverter::drawShown(const AVFrame* frame, const QSize& shown, QImage* device, const QPoint& at,
                                  const QRect& clip)
{
    return pickRows(frame, shown, device, at, clip, true);
}

bool IPictureConverter::pickRows(const AVFrame* frame, const QSize& shown, QImage* device, const QPoint& at,
                                 const QRect& clip, bool stream)
{
    const QSize in(frame->width, frame->height);
    const auto format = AVPixelFormat(frame->format);
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(format);
    if (!desc || !drawsShown(in, shown, format) || device->depth() != 32 || !prepare(in, format, frame->color_range))
        return false;
    const QRect area = clip & QRect(at, shown) & device->rect();
    if (area.isEmpty())
        return true;
    const int stripStride = FFALIGN(in.width() * 4, 64);
    // The runs read and write whole 8-pixel blocks, past a row's last run.
    m_strip.resize(size_t(stripStride) * StripRows + 64);
    if (m_runsFor != qMakePair(in.width(), shown.width())) {
        m_runs = nearestRuns(in.width(), shown.width());
        m_runsFor = qMakePair(in.width(), shown.width());
    }
    const int left = area.left() - at.x();
    const int width = area.width();
    const bool direct = !stream && width == shown.width();
    m_row.resize(size_t(shown.width()));
    uint8_t* dst[4] = {m_strip.data(), nullptr, nullptr, nullptr};
    int dstStride[4] = {stripStride, 0, 0, 0};
    const double sy = double(in.height()) / shown.height();
    const int iy = int(65536 * sy);
    int y = area.top() - at.y();
    const int end = y + area.height();
    quint32 srcY = quint32(std::ceil(0.5 * sy * 65536) - 1) + quint32(y) * quint32(iy);
    for (int top = 0; top < in.height() && y < end; top += StripRows) {
        const int rows = std::min(StripRows, in.height() - top);
        if (int(srcY >> 16) >= top + rows)
            continue;
        // Each strip as a picture of its own: the planes start at its first row.
        const uint8_t* src[4] = {};
        for (int p = 0; p < 4 && frame->data[p]; ++p) {
            const bool chroma = p == 1 || p == 2;
            const int row = chroma ? top >> desc->log2_chroma_h : top;
            src[p] = frame->data[p] + ptrdiff_t(row) * frame->linesize[p];
        }
        sws_scale(m_scaler.get(), src, frame->linesize, 0, rows, dst, dstStride);
        for (; y < end && int(srcY >> 16) < top + rows; ++y, srcY += quint32(iy)) {
            const int row = std::min(int(srcY >> 16), in.height() - 1) - top;
            const auto* from = reinterpret_cast<const uint32_t*>(m_strip.data() + size_t(row) * stripStride);
            auto* line = reinterpret_cast<uint32_t*>(device->scanLine(at.y() + y)) + at.x();
            // Picked straight into a picture's whole rows; for the window, aside first.
            uint32_t* to = direct ? line : m_row.data();
            for (const Run& run : m_runs) {
                if (run.length <= 8 && run.to + 8 <= shown.width())
                    std::memcpy(to + run.to, from + run.from, 8 * sizeof(uint32_t));
                else
                    std::memcpy(to + run.to, from + run.from, size_t(run.length) * sizeof(uint32_t));
            }
            if (!direct)
                writeRow(line + left, to + left, width, stream);
        }
    }
#if defined(__SSE2__)
    if (stream)
        _mm_sfence();
#endif
    return y == end;
}

// The source column of each shown column as Qt's raster engine picks it for a picture
// drawn scaled without smoothing (16.16 fixed point from the first pixel's centre),
// joined into runs of neighbouring columns.
std::vector<IPictureConverter::Run> IPictureConverter::nearestRuns(int inWidth, int outWidth)
{
    const double sx = double(inWidth) / outWidth;
    const int ix = int(65536 * sx);
    quint32 srcX = quint32(std::ceil(0.5 * sx * 65536) - 1);
    std::vector<Run> runs;
    for (int x = 0; x < outWidth; ++x, srcX += quint32(ix)) {
        const int from = std::min(int(srcX >> 16), inWidth - 1);
        if (!runs.empty() && runs.back().from + runs.back().length == from)
            ++runs.back().length;
        else
            runs.push_back({x, from, 1});
    }
    return runs;
}
