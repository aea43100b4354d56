#ifndef IPICTURECONVERTER_H
#define IPICTURECONVERTER_H

#include <QImage>
#include <QPair>
#include <QSize>

#include <vector>

#include "ffmpeg/iavptr.h"

// Turns decoded YUV frames into the RGB32 pictures the board shows, at the frame's own
// size or at the smaller size it is shown at. swscale's unscaled conversion is SIMD, its
// scaled paths are not: at most half the pixels, the planes are cut down first (nearest
// sample) and converted at that size; more, whole rows are converted and the shown ones
// picked as the screen would pick them. One per thread.
class IPictureConverter
{
public:
    // Writes frame into target, at target's size. False when the format has no
    // conversion, or cannot be made smaller than the frame.
    bool convert(const AVFrame* frame, QImage* target);
    // An 8-bit planar YUV or grey format whose planes can be cut down one by one.
    static bool canShrink(AVPixelFormat format);
    // A format converted fast at the frame's size, so that shown rows can be picked after.
    static bool convertsWholeRowsFast(AVPixelFormat format);
    // True when a frame of frameSize in format is shown at shown by picking whole
    // converted rows: drawShown() then writes it where it is painted.
    static bool drawsShown(const QSize& frameSize, const QSize& shown, AVPixelFormat format);
    // Writes frame as shown at shown (drawsShown() true), its corner at at in device (a
    // 32-bit picture), only within clip. False when it cannot.
    bool drawShown(const AVFrame* frame, const QSize& shown, QImage* device, const QPoint& at, const QRect& clip);
    // The size to make a picture of frameSize in format shown at shown: shown while it is
    // smaller both ways and convert() does that well for the format, else frameSize.
    static QSize targetSize(const QSize& frameSize, const QSize& shown, AVPixelFormat format);

private:
    struct Plane
    {
        std::vector<uint8_t> bytes;
        int stride = 0;
    };
    // A run of shown columns taken from neighbouring source columns.
    struct Run
    {
        int to = 0;
        int from = 0;
        int length = 0;
    };
    static constexpr int StripRows = 16;
    bool prepare(const QSize& size, AVPixelFormat format, int colorRange);
    // drawShown(), its rows streamed past the cache or not.
    bool pickRows(const AVFrame* frame, const QSize& shown, QImage* device, const QPoint& at, const QRect& clip,
                  bool stream);
    static std::vector<Run> nearestRuns(int inWidth, int outWidth);

    ISwsContextPtr m_scaler;
    QSize m_size;
    AVPixelFormat m_format = AV_PIX_FMT_NONE;
    int m_colorRange = -1;
    Plane m_planes[4];
    std::vector<uint8_t> m_strip;
    std::vector<uint32_t> m_row;
    std::vector<Run> m_runs;
    QPair<int, int> m_runsFor;
};

#endif
