#ifndef IH264SETUP_H
#define IH264SETUP_H

#include "ffmpeg/iavptr.h"

// The H.264 settings of every video this program writes (screen recordings, time-lapse
// videos, the older encoder), kept in one place so they cannot drift apart.
struct IH264Setup
{
    const char* preset = "superfast";
    // Null: none.
    const char* tune = "zerolatency";
    const char* profile = "main";
    // Weighted prediction of P pictures and references chosen per partition.
    bool weightedPrediction = true;
    // Three reference pictures, sub-pixel motion quality 7 and trellis; off, the
    // preset's own (cheaper) values apply.
    bool thoroughSearch = true;

    // For the screen recorder. Above 1280x720 at 30 pictures a second: the fastest
    // preset with its own search (the thorough one alone doubles the work), and no tune
    // (zerolatency splits each picture across threads instead of encoding pictures side
    // by side, which halves the pictures a second); the other settings stay.
    static IH264Setup forScreen(int width, int height, int fps);
};

// Sets the encoder context (not yet opened) and adds the private options that
// avcodec_open2 takes to options.
void applyH264Setup(AVCodecContext* ctx, AVDictionary** options, const IH264Setup& setup);

#endif
