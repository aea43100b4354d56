#ifndef VIDEOPROBE_H
#define VIDEOPROBE_H

#include <QColor>
#include <QString>
#include <QVector>

extern "C" {
#include <libavcodec/codec_id.h>
}

// What FFmpeg's own demuxer and decoder find in a video file.
struct VideoProbe
{
    bool opened = false;
    AVCodecID codec = AV_CODEC_ID_NONE;
    int width = 0;
    int height = 0;
    int packets = 0;
    double seconds = 0.0;
    // Centre colour of every decoded frame, in order.
    QVector<QColor> colours;
};

VideoProbe probeVideo(const QString& path);

#endif
