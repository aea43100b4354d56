#include "ipictureconverter.h"

#include <opencv2/imgproc.hpp>

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

QSize IPictureConverter::targetSize(const QSize& frameSize, const QSize& shown)
{
    // Measured with the whole program: shown at three quarters of its pixels, cutting
    // the planes down costs what converting and copying fewer pixels saves.
    const bool smaller = shown.width() > 0 && shown.height() > 0 && shown.width() < frameSize.width()
                         && shown.height() < frameSize.height()
                         && 2 * qint64(shown.width()) * shown.height() <= qint64(frameSize.width()) * frameSize.height();
    return smaller ? shown : frameSize;
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
        if (out.width() > in.width() || out.height() > in.height() || !canShrink(format))
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
