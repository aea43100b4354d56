#include "ffmpeg/ih264setup.h"

extern "C" {
#include <libavutil/opt.h>
}

IH264Setup IH264Setup::forScreen(int width, int height, int fps)
{
    IH264Setup setup;
    if (qint64(width) * height * fps > qint64(1280) * 720 * 30) {
        setup.preset = "ultrafast";
        setup.tune = nullptr;
        setup.thoroughSearch = false;
    }
    return setup;
}

void applyH264Setup(AVCodecContext* ctx, AVDictionary** options, const IH264Setup& setup)
{
    ctx->qmin = 10;
    ctx->qmax = 51;
    ctx->max_b_frames = 0;
    ctx->b_quant_factor = 1.0f;
    ctx->keyint_min = 25;
    if (setup.thoroughSearch) {
        ctx->refs = 3;
        ctx->me_subpel_quality = 7;
        ctx->trellis = 1;
    }
    av_dict_set(options, "preset", setup.preset, 0);
    if (setup.tune)
        av_dict_set(options, "tune", setup.tune, 0);
    av_dict_set(options, "profile", setup.profile, 0);
    if (setup.weightedPrediction) {
        av_dict_set(options, "weightp", "2", 0);
        av_dict_set(options, "mixed-refs", "1", 0);
    }
}
