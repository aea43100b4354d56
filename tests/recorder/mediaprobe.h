#ifndef MEDIAPROBE_H
#define MEDIAPROBE_H

#include <QString>

extern "C" {
#include <libavcodec/codec_id.h>
}

// What FFmpeg's demuxer finds in a recording, read packet by packet (so a file without
// its end still gives what it holds).
struct MediaProbe
{
    bool opened = false;
    AVCodecID videoCodec = AV_CODEC_ID_NONE;
    AVCodecID audioCodec = AV_CODEC_ID_NONE;
    int width = 0;
    int height = 0;
    int videoPackets = 0;
    int audioPackets = 0;
    // End of the last video / audio packet, in seconds.
    double videoSeconds = 0.0;
    double audioSeconds = 0.0;
    int decodedFrames = 0;
};

MediaProbe probeMedia(const QString& path);

#endif
