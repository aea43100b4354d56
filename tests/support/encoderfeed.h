#ifndef ENCODERFEED_H
#define ENCODERFEED_H

#include <QSize>
#include <QString>
#include <cstring>

#include "ffmpeg/iavptr.h"
#include "ffmpeg/icavoutputstream.h"

extern "C" {
#include <libavutil/channel_layout.h>
}

// A screen recording's encoder fed straight, as its capture threads feed it: H.264
// pictures and AAC sound into the file; the frames to hand over are a grey BGR0 picture
// and a block of S16 samples for the test to fill.
struct EncoderFeed
{
    IAVFramePtr picture;
    IAVFramePtr sound;

    bool open(ICAVOutputStream& output, const QString& path, QSize size, int fps, int rate, int channels,
              int blockSamples, int grey)
    {
        output.setVideoCodecProp(AV_CODEC_ID_H264, fps, size.width() * size.height(), 100, size.width(),
                                 size.height(), AV_PIX_FMT_YUV420P);
        output.setAudioCodecProp(AV_CODEC_ID_AAC, rate, channels, 64000);
        if (!output.openOutputStream(path))
            return false;
        picture.reset(av_frame_alloc());
        sound.reset(av_frame_alloc());
        if (!picture || !sound)
            return false;
        picture->format = AV_PIX_FMT_BGR0;
        picture->width = size.width();
        picture->height = size.height();
        sound->format = AV_SAMPLE_FMT_S16;
        sound->sample_rate = rate;
        sound->nb_samples = blockSamples;
        av_channel_layout_default(&sound->ch_layout, channels);
        if (av_frame_get_buffer(picture.get(), 0) < 0 || av_frame_get_buffer(sound.get(), 0) < 0)
            return false;
        memset(picture->data[0], grey, size_t(picture->linesize[0]) * size_t(size.height()));
        return true;
    }
};

#endif
