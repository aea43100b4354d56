#include "videoprobe.h"

#include <QFile>
#include <QImage>

#include "ffmpeg/iavptr.h"

namespace {

void collectFrames(AVCodecContext* decoder, AVFrame* frame, VideoProbe& probe)
{
    while (avcodec_receive_frame(decoder, frame) == 0) {
        QImage rgb = allocSwsTargetImage(frame->width, frame->height);
        ISwsContextPtr convert(sws_getContext(frame->width, frame->height,
                                              static_cast<AVPixelFormat>(frame->format),
                                              rgb.width(), rgb.height(), AV_PIX_FMT_RGB32,
                                              SWS_BILINEAR, nullptr, nullptr, nullptr));
        uint8_t* planes[4] = {rgb.bits(), nullptr, nullptr, nullptr};
        const int strides[4] = {static_cast<int>(rgb.bytesPerLine()), 0, 0, 0};
        sws_scale(convert.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
        probe.colours.append(rgb.pixelColor(rgb.width() / 2, rgb.height() / 2));
        av_frame_unref(frame);
    }
}

}

VideoProbe probeVideo(const QString& path)
{
    VideoProbe probe;
    const QByteArray name = QFile::encodeName(path);
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, name.constData(), nullptr, nullptr) < 0)
        return probe;
    IAVInputPtr input(raw);
    if (avformat_find_stream_info(input.get(), nullptr) < 0)
        return probe;
    const int index = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0)
        return probe;
    const AVStream* stream = input->streams[index];
    probe.opened = true;
    probe.codec = stream->codecpar->codec_id;
    probe.width = stream->codecpar->width;
    probe.height = stream->codecpar->height;
    if (stream->duration > 0)
        probe.seconds = stream->duration * av_q2d(stream->time_base);

    const AVCodec* codec = avcodec_find_decoder(probe.codec);
    IAVCodecContextPtr decoder(avcodec_alloc_context3(codec));
    if (!codec || !decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0
        || avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return probe;

    IAVPacketPtr packet(av_packet_alloc());
    IAVFramePtr frame(av_frame_alloc());
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        IAVPacketUnref release(packet.get());
        if (packet->stream_index != index)
            continue;
        ++probe.packets;
        if (avcodec_send_packet(decoder.get(), packet.get()) == 0)
            collectFrames(decoder.get(), frame.get(), probe);
    }
    avcodec_send_packet(decoder.get(), nullptr);
    collectFrames(decoder.get(), frame.get(), probe);
    return probe;
}
