#ifndef IAVVERSION_H
#define IAVVERSION_H

// The one place where the FFmpeg releases the program builds on differ (Debian 12's 5.1,
// Debian 13's 7.1): callers ask here and stay free of version checks.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

// avcodec_get_supported_config() replaces AVCodec's format lists, which FFmpeg 8 removes.
#define IAV_HAS_SUPPORTED_CONFIG (LIBAVCODEC_VERSION_INT >= AV_VERSION_INT(61, 13, 100))

// The encoder's preferred pixel format, or fallback if it names none.
inline AVPixelFormat iavPreferredPixelFormat(const AVCodec* codec, AVPixelFormat fallback)
{
#if IAV_HAS_SUPPORTED_CONFIG
    const void* list = nullptr;
    int count = 0;
    if (avcodec_get_supported_config(nullptr, codec, AV_CODEC_CONFIG_PIX_FORMAT, 0, &list, &count) < 0 || count < 1)
        return fallback;
    return static_cast<const AVPixelFormat*>(list)[0];
#else
    return codec->pix_fmts ? codec->pix_fmts[0] : fallback;
#endif
}

// The encoder's preferred sample format, or fallback if it names none.
inline AVSampleFormat iavPreferredSampleFormat(const AVCodec* codec, AVSampleFormat fallback)
{
#if IAV_HAS_SUPPORTED_CONFIG
    const void* list = nullptr;
    int count = 0;
    if (avcodec_get_supported_config(nullptr, codec, AV_CODEC_CONFIG_SAMPLE_FORMAT, 0, &list, &count) < 0 || count < 1)
        return fallback;
    return static_cast<const AVSampleFormat*>(list)[0];
#else
    return codec->sample_fmts ? codec->sample_fmts[0] : fallback;
#endif
}

// How long a decoded frame lasts, in its stream's time base (FFmpeg 7 dropped pkt_duration).
inline int64_t iavFrameDuration(const AVFrame* frame)
{
#if LIBAVUTIL_VERSION_INT >= AV_VERSION_INT(57, 30, 100)
    return frame->duration;
#else
    return frame->pkt_duration;
#endif
}

#undef IAV_HAS_SUPPORTED_CONFIG

#endif
