#ifndef MEDIAPROBE_H
#define MEDIAPROBE_H

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QString>
#include <functional>

#include "ffmpeg/iavptr.h"
#include "ffmpeg/iavversion.h"

extern "C" {
#include <libswscale/swscale.h>
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
    // End of the last picture that decoded, in seconds.
    double decodedSeconds = 0.0;
};

// Whether the file is whole ISO boxes end to end: a write cut short leaves its last box
// (often a fragment's index) unfinished.
inline bool boxesEndWithFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 end = file.size();
    qint64 at = 0;
    while (at + 8 <= end) {
        file.seek(at);
        const QByteArray head = file.read(16);
        quint64 size = qFromBigEndian<quint32>(head.constData());
        if (size == 1 && head.size() == 16)
            size = qFromBigEndian<quint64>(head.constData() + 8);
        else if (size == 0)
            size = quint64(end - at);
        if (size < 8)
            return false;
        at += qint64(size);
    }
    return at == end;
}

// The recording opened for reading, its streams found; null when it cannot be read.
inline IAVInputPtr openMediaFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, name.constData(), nullptr, nullptr) < 0)
        return nullptr;
    IAVInputPtr input(raw);
    if (avformat_find_stream_info(input.get(), nullptr) < 0)
        return nullptr;
    return input;
}

// A decoder opened for the stream's codec; null when there is none or it cannot open.
inline IAVCodecContextPtr openStreamDecoder(const AVStream* stream)
{
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    IAVCodecContextPtr decoder(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!decoder || avcodec_parameters_to_context(decoder.get(), stream->codecpar) < 0
        || avcodec_open2(decoder.get(), codec, nullptr) < 0)
        return nullptr;
    return decoder;
}

// Hands each picture of the recording, in order, with its time (seconds) to take, as a
// grey image of size; false when the video cannot be decoded.
inline bool forEachGreyPicture(const QString& path, const QSize& size,
                               const std::function<void(double, const QImage&)>& take)
{
    const IAVInputPtr input = openMediaFile(path);
    const int video = input ? av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0) : -1;
    const IAVCodecContextPtr decoder = video >= 0 ? openStreamDecoder(input->streams[video]) : nullptr;
    if (!decoder)
        return false;
    const AVRational timeBase = input->streams[video]->time_base;
    IAVPacketPtr packet(av_packet_alloc());
    IAVFramePtr frame(av_frame_alloc());
    auto receive = [&] {
        while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
            // Rows to spare: swscale may write past a line's end.
            QImage grey(size.width(), size.height() + 4, QImage::Format_Grayscale8);
            SwsContext* sws = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), size.width(),
                                             size.height(), AV_PIX_FMT_GRAY8, SWS_AREA, nullptr, nullptr, nullptr);
            uint8_t* data[4] = {grey.bits(), nullptr, nullptr, nullptr};
            const int lines[4] = {int(grey.bytesPerLine()), 0, 0, 0};
            sws_scale(sws, frame->data, frame->linesize, 0, frame->height, data, lines);
            sws_freeContext(sws);
            take(frame->best_effort_timestamp * av_q2d(timeBase), grey.copy(QRect(QPoint(0, 0), size)));
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        if (packet->stream_index == video && avcodec_send_packet(decoder.get(), packet.get()) == 0)
            receive();
        av_packet_unref(packet.get());
    }
    avcodec_send_packet(decoder.get(), nullptr);
    receive();
    return true;
}

inline MediaProbe probeMedia(const QString& path)
{
    MediaProbe probe;
    const IAVInputPtr input = openMediaFile(path);
    if (!input)
        return probe;
    probe.opened = true;
    const int video = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    IAVCodecContextPtr decoder;
    if (video >= 0) {
        const AVCodecParameters* par = input->streams[video]->codecpar;
        probe.videoCodec = par->codec_id;
        probe.width = par->width;
        probe.height = par->height;
        decoder = openStreamDecoder(input->streams[video]);
    }
    if (audio >= 0)
        probe.audioCodec = input->streams[audio]->codecpar->codec_id;

    IAVPacketPtr packet(av_packet_alloc());
    IAVFramePtr frame(av_frame_alloc());
    const AVRational videoBase = video >= 0 ? input->streams[video]->time_base : AVRational{1, 1};
    auto drain = [&] {
        while (decoder && avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
            ++probe.decodedFrames;
            if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
                probe.decodedSeconds = qMax(probe.decodedSeconds,
                    double(frame->best_effort_timestamp + iavFrameDuration(frame.get())) * av_q2d(videoBase));
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        IAVPacketUnref release(packet.get());
        const AVStream* stream = input->streams[packet->stream_index];
        const double end = double(packet->pts + packet->duration) * av_q2d(stream->time_base);
        if (packet->stream_index == video) {
            ++probe.videoPackets;
            probe.videoSeconds = qMax(probe.videoSeconds, end);
            if (decoder && avcodec_send_packet(decoder.get(), packet.get()) >= 0)
                drain();
        } else if (packet->stream_index == audio) {
            ++probe.audioPackets;
            probe.audioSeconds = qMax(probe.audioSeconds, end);
        }
    }
    if (decoder && avcodec_send_packet(decoder.get(), nullptr) >= 0)
        drain();
    return probe;
}

#endif
