#ifndef IAVPTR_H
#define IAVPTR_H

// Owning holders for FFmpeg objects: every path out of a function frees what it made.

#include <QFile>
#include <QImage>
#include <QString>
#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/frame.h>
#include <libavutil/macros.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

struct IAVFormatInputDeleter
{
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct IAVFormatOutputDeleter
{
    void operator()(AVFormatContext* c) const { avformat_free_context(c); }
};
struct IAVCodecContextDeleter
{
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct IAVFrameDeleter
{
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct IAVPacketDeleter
{
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct ISwsContextDeleter
{
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
struct IAVDictionaryDeleter
{
    void operator()(AVDictionary* d) const { av_dict_free(&d); }
};
struct IAVBufferDeleter
{
    void operator()(uint8_t* b) const { av_free(b); }
};

struct IAVFilterGraphDeleter
{
    void operator()(AVFilterGraph* g) const { avfilter_graph_free(&g); }
};
struct IAVFilterInOutDeleter
{
    void operator()(AVFilterInOut* io) const { avfilter_inout_free(&io); }
};
struct IAVAudioFifoDeleter
{
    void operator()(AVAudioFifo* f) const { av_audio_fifo_free(f); }
};
struct ISwrContextDeleter
{
    void operator()(SwrContext* s) const { swr_free(&s); }
};

// An opened input (avformat_open_input); closed with avformat_close_input.
using IAVInputPtr = std::unique_ptr<AVFormatContext, IAVFormatInputDeleter>;
// An output or not-yet-opened context; freed with avformat_free_context.
using IAVFormatPtr = std::unique_ptr<AVFormatContext, IAVFormatOutputDeleter>;
using IAVCodecContextPtr = std::unique_ptr<AVCodecContext, IAVCodecContextDeleter>;
using IAVFramePtr = std::unique_ptr<AVFrame, IAVFrameDeleter>;
using IAVPacketPtr = std::unique_ptr<AVPacket, IAVPacketDeleter>;
using ISwsContextPtr = std::unique_ptr<SwsContext, ISwsContextDeleter>;
using IAVDictionaryPtr = std::unique_ptr<AVDictionary, IAVDictionaryDeleter>;
using IAVBufferPtr = std::unique_ptr<uint8_t, IAVBufferDeleter>;
using IAVFilterGraphPtr = std::unique_ptr<AVFilterGraph, IAVFilterGraphDeleter>;
using IAVFilterInOutPtr = std::unique_ptr<AVFilterInOut, IAVFilterInOutDeleter>;
using IAVAudioFifoPtr = std::unique_ptr<AVAudioFifo, IAVAudioFifoDeleter>;
using ISwrContextPtr = std::unique_ptr<SwrContext, ISwrContextDeleter>;

// Unreferences a packet when the scope ends, so every branch of a read loop releases it.
class IAVPacketUnref
{
public:
    explicit IAVPacketUnref(AVPacket* p) : m_packet(p) {}
    ~IAVPacketUnref() { av_packet_unref(m_packet); }
    IAVPacketUnref(const IAVPacketUnref&) = delete;
    IAVPacketUnref& operator=(const IAVPacketUnref&) = delete;

private:
    AVPacket* m_packet;
};

// The file behind an output context (avio_open); closed with avio_closep. Kept apart
// from the context because avformat_free_context leaves its file open.
struct IAVIOContextDeleter
{
    void operator()(AVIOContext* io) const { avio_closep(&io); }
};
using IAVIOPtr = std::unique_ptr<AVIOContext, IAVIOContextDeleter>;

// An RGB32 picture whose lines are padded for swscale, which writes whole SIMD blocks
// past the last pixel of a line (and of the buffer). The QImage owns the buffer.
inline QImage allocSwsTargetImage(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    const int stride = FFALIGN(width * 4, 64);
    auto* buffer = static_cast<uchar*>(av_mallocz(size_t(stride) * size_t(height) + 64));
    if (!buffer)
        return QImage();
    return QImage(buffer, width, height, stride, QImage::Format_RGB32, [](void* p) { av_free(p); }, buffer);
}

// Where a fragmented file's last fragment written whole ends. A write that fails part-way
// (a full disk) may stop inside a fragment's index, and such a file does not open at
// all; cut back to this mark, it plays up to its last whole fragment.
class IWholeFragmentMark
{
public:
    void reset() { m_bytes = 0; }
    // After the header or a fragment has gone to the file.
    void markFlushed(AVIOContext* io)
    {
        if (io && io->error >= 0)
            m_bytes = avio_tell(io);
    }
    // Once the file is closed. Never lengthens it.
    bool cutBack(const QString& path) const
    {
        QFile file(path);
        return file.size() <= m_bytes || file.resize(m_bytes);
    }

private:
    qint64 m_bytes = 0;
};

// FFmpeg's text for an error code (for AVERROR(errno) the system's reason).
inline QString avErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof(text));
    return QString::fromLocal8Bit(text);
}

#endif
