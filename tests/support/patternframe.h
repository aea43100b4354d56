#ifndef PATTERNFRAME_H
#define PATTERNFRAME_H

#include <QSize>

#include "ffmpeg/iavptr.h"

// A YUV 4:2:0 frame with every pixel unlike its neighbours, so a column or row picked
// wrongly shows. Null when it cannot be made.
inline IAVFramePtr patternFrame(const QSize& size)
{
    IAVFramePtr frame(av_frame_alloc());
    if (!frame)
        return frame;
    frame->width = size.width();
    frame->height = size.height();
    frame->format = AV_PIX_FMT_YUV420P;
    if (av_frame_get_buffer(frame.get(), 64) < 0)
        return IAVFramePtr();
    for (int p = 0; p < 3; ++p) {
        const int rows = p == 0 ? size.height() : (size.height() + 1) / 2;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < frame->linesize[p]; ++x)
                frame->data[p][y * frame->linesize[p] + x] = uint8_t((x * (p * 2 + 7) + y * (p + 13)) & 0xff);
    }
    return frame;
}

#endif
