#include "videoprobe.h"

#include <QFile>
#include <QImage>

#include "ffmpeg/iavptr.h"
#include "mediaprobe.h"

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
        probe.lastFrame = rgb;
        av_frame_unref(frame);
    }
}

}

VideoProbe probeVideo(const QString& path)
{
    VideoProbe probe;
    const IAVInputPtr input = openMediaFile(path);
    if (!input)
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

    const IAVCodecContextPtr decoder = openStreamDecoder(stream);
    if (!decoder)
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

namespace {

// lastDuration: the previous packet's own duration, 0 when it has none.
void notePacket(StreamTimes& times, const AVPacket* packet, qint64 gridStep, qint64 lastDuration)
{
    auto fault = [&times](const QString& text) {
        if (times.firstFault.isEmpty())
            times.firstFault = text;
    };
    const qint64 dts = packet->dts;
    if (dts == AV_NOPTS_VALUE || (times.packets > 0 && dts <= times.last)) {
        ++times.outOfOrder;
        fault(QStringLiteral("packet %1: dts %2 after %3").arg(times.packets).arg(dts).arg(times.last));
    } else if (lastDuration > 0 && times.packets > 0 && dts != times.last + lastDuration) {
        ++times.notContiguous;
    }
    if (packet->pts == AV_NOPTS_VALUE) {
        ++times.withoutTime;
        fault(QStringLiteral("packet %1: no pts").arg(times.packets));
    } else if (gridStep > 0 && packet->pts % gridStep != 0) {
        ++times.offGrid;
        fault(QStringLiteral("packet %1: pts %2 off the frame slots").arg(times.packets).arg(packet->pts));
    }
    if (times.packets == 0)
        times.first = dts;
    else
        times.durations += lastDuration;
    if (dts != AV_NOPTS_VALUE) {
        times.last = dts;
        times.times.append(dts);
    }
    ++times.packets;
}

}

PacketTimes probePacketTimes(const QString& path, int fps)
{
    PacketTimes times;
    const IAVInputPtr input = openMediaFile(path);
    if (!input)
        return times;
    times.opened = true;
    const int video = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    qint64 videoGridStep = 0;
    if (video >= 0) {
        const AVRational base = input->streams[video]->time_base;
        times.video.timeBaseDen = base.den;
        if (fps > 0 && base.num == 1 && base.den % fps == 0)
            videoGridStep = base.den / fps;
    }
    // A sound packet is one frame of the codec; the demuxer leaves the first one's duration
    // out.
    qint64 audioFrame = 0;
    if (audio >= 0) {
        const AVStream* stream = input->streams[audio];
        times.audio.timeBaseDen = stream->time_base.den;
        if (stream->codecpar->frame_size > 0 && stream->codecpar->sample_rate > 0)
            audioFrame = av_rescale_q(stream->codecpar->frame_size, AVRational{1, stream->codecpar->sample_rate},
                                      stream->time_base);
    }
    qint64 lastAudioDuration = 0;
    IAVPacketPtr packet(av_packet_alloc());
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        IAVPacketUnref release(packet.get());
        // A fragmented file's pictures carry no duration of their own (the demuxer makes
        // it up from the frame rate), so their time line is checked by the decoding times.
        if (packet->stream_index == video) {
            notePacket(times.video, packet.get(), videoGridStep, 0);
        } else if (packet->stream_index == audio) {
            notePacket(times.audio, packet.get(), 0, lastAudioDuration);
            lastAudioDuration = packet->duration > 0 ? packet->duration : audioFrame;
        }
    }
    // The container's end of each stream is known once every fragment has been read.
    if (video >= 0)
        times.video.end = input->streams[video]->duration;
    if (audio >= 0)
        times.audio.end = input->streams[audio]->duration;
    return times;
}

qint64 longestStep(const StreamTimes& times)
{
    qint64 longest = 0;
    for (int i = 1; i < times.times.size(); ++i)
        longest = qMax(longest, times.times[i] - times.times[i - 1]);
    return longest;
}
