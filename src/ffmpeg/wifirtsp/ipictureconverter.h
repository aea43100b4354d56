#ifndef IPICTURECONVERTER_H
#define IPICTURECONVERTER_H

#include <QImage>
#include <QSize>

#include <vector>

#include "ffmpeg/iavptr.h"

// Turns decoded YUV frames into the RGB32 pictures the board shows, at the frame's own
// size or at the smaller size it is shown at. Smaller, the planes are cut down first
// (nearest sample, as the screen scaled the picture before) and converted at that size:
// swscale's unscaled conversion is SIMD, its scaled paths are not. One per thread.
class IPictureConverter
{
public:
    // Writes frame into target, at target's size. False when the format has no
    // conversion, or cannot be made smaller than the frame.
    bool convert(const AVFrame* frame, QImage* target);
    // An 8-bit planar YUV or grey format whose planes can be cut down one by one.
    static bool canShrink(AVPixelFormat format);
    // The size to make a picture of frameSize shown at shown: shown while it holds at
    // most half the frame's pixels, else the frame's own size.
    static QSize targetSize(const QSize& frameSize, const QSize& shown);

private:
    struct Plane
    {
        std::vector<uint8_t> bytes;
        int stride = 0;
    };
    bool prepare(const QSize& size, AVPixelFormat format, int colorRange);

    ISwsContextPtr m_scaler;
    QSize m_size;
    AVPixelFormat m_format = AV_PIX_FMT_NONE;
    int m_colorRange = -1;
    Plane m_planes[4];
};

#endif
