#ifndef VIDEOPROBE_H
#define VIDEOPROBE_H

#include <QColor>
#include <QImage>
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
    // The last decoded frame.
    QImage lastFrame;
};

VideoProbe probeVideo(const QString& path);

// The time line of one stream as the demuxer reads it, packet by packet, in the stream's
// time base.
struct StreamTimes
{
    int packets = 0;
    // Packets whose decoding time is not after the one before them, or has none.
    int outOfOrder = 0;
    // Packets without a presentation time.
    int withoutTime = 0;
    // Presentation times off the video's frame slots, when the frame rate is given.
    int offGrid = 0;
    // Sound packets that do not start where the one before ends by its own duration (the
    // decoder's frame length).
    int notContiguous = 0;
    // The first decoding time, the last one and the end of the stream as the container
    // states it (the last packet's decoding time plus its duration).
    qint64 first = 0;
    qint64 last = 0;
    qint64 end = 0;
    // Sum of the sound packets' own durations, all but the last (whose end only the
    // container states).
    qint64 durations = 0;
    // Every decoding time, in the order read.
    QVector<qint64> times;
    int timeBaseDen = 1;
    QString firstFault;
};

struct PacketTimes
{
    bool opened = false;
    StreamTimes video;
    StreamTimes audio;
};

// With fps, every video presentation time must fall on a slot of 1/fps.
PacketTimes probePacketTimes(const QString& path, int fps = 0);

// The longest step from one decoding time to the next (for pictures: the longest a
// picture stays on screen but for the last), in the stream's time base.
qint64 longestStep(const StreamTimes& times);

#endif
