#include "ipicturevynthesisvideo.h"

#include "ffmpeg/ih264setup.h"

#include <QDebug>
#include <QFile>
#include <QMutexLocker>

#include <cerrno>
#include <unistd.h>

IPictureVynthesisVideo::IPictureVynthesisVideo(QObject* parent)
    : QThread(parent)
{
}

IPictureVynthesisVideo::~IPictureVynthesisVideo()
{
    int length = 0;
    stop(length);
}

bool IPictureVynthesisVideo::setConfigures(const QString& path, const int& width, const int& height,
                                           const int& fps)
{
    // The frame rate divides both the time step and the reported length.
    const int evenWidth = width & ~1;
    const int evenHeight = height & ~1;
    if (fps < 1 || evenWidth < 2 || evenHeight < 2) {
        qWarning() << "time-lapse refused: size" << width << "x" << height << "fps" << fps;
        return false;
    }
    m_filePath = path;
    m_width = evenWidth;
    m_height = evenHeight;
    m_fps = fps;
    return true;
}

void IPictureVynthesisVideo::addPicture(QImage picture)
{
    if (picture.isNull() || m_stop)
        return;
    if (m_firstPicture) {
        m_firstPicture = false;
        m_pictureCount = 1;
    } else {
        ++m_pictureCount;
    }
    QMutexLocker lock(&m_mutex);
    if (!m_failed)
        m_queue.append(picture);
}

int IPictureVynthesisVideo::pendingPictures() const
{
    QMutexLocker lock(&m_mutex);
    return m_queue.size();
}

QString IPictureVynthesisVideo::writeError() const
{
    QMutexLocker lock(&m_mutex);
    return m_writeError;
}

void IPictureVynthesisVideo::setWriteError(int code)
{
    const QString text = avErrorText(code);
    qCritical() << "time-lapse video write failed:" << m_filePath << text;
    QMutexLocker lock(&m_mutex);
    if (m_writeError.isEmpty())
        m_writeError = text;
}

QString IPictureVynthesisVideo::stop(int& length)
{
    {
        QMutexLocker lock(&m_mutex);
        m_stop = true;
        m_wake.wakeAll();
    }
    length = m_fps > 0 ? m_pictureCount / m_fps : 0;
    // Only a finished thread has written the trailer.
    wait();
    return m_written ? m_filePath : QString();
}

void IPictureVynthesisVideo::run()
{
    m_written = false;
    if (m_fps < 1 || !openOutputStream(m_filePath)) {
        qWarning() << "init ffmpeg error.";
        abandon();
        return;
    }

    IAVFramePtr target(av_frame_alloc());
    if (target) {
        target->format = AV_PIX_FMT_YUV420P;
        target->width = m_width;
        target->height = m_height;
    }
    if (!target || av_frame_get_buffer(target.get(), 0) < 0) {
        qWarning() << "init ffmpeg error.";
        abandon();
        return;
    }

    int64_t index = 0;
    for (;;) {
        QImage picture;
        {
            QMutexLocker lock(&m_mutex);
            if (m_queue.isEmpty()) {
                if (m_stop)
                    break;
                // Woken early only by stop(), so closing never waits a full poll.
                m_wake.wait(&m_mutex, 500);
                continue;
            }
            picture = m_queue.takeFirst();
        }
        encodePicture(picture, target.get(), index);
        // A failed picture still takes its slot, so the video keeps its timing.
        ++index;
        if (!writeError().isEmpty()) {
            // A full disk: what is in the file plays; later pictures have nowhere to go.
            QMutexLocker lock(&m_mutex);
            m_failed = true;
            m_queue.clear();
            continue;
        }
        if (m_syncFile.isOpen() && ::fsync(m_syncFile.handle()) != 0)
            setWriteError(AVERROR(errno));
        ++m_picturesWritten;
    }

    encodeFrame(nullptr);
    qInfo() << "exit IPictureVynthesisVideo." << (m_stop ? "true" : "false");
    closeOutputStream();
}

void IPictureVynthesisVideo::abandon()
{
    closeOutputStream();
    // Nothing will drain the queue any more: keep a long time-lapse from piling up
    // pictures in memory.
    QMutexLocker lock(&m_mutex);
    m_failed = true;
    m_queue.clear();
}

bool IPictureVynthesisVideo::openOutputStream(const QString& path)
{
    m_filePath = path;
    m_codecId = AV_CODEC_ID_H264;
    const QByteArray fileName = QFile::encodeName(path);

    AVFormatContext* format = nullptr;
    if (avformat_alloc_output_context2(&format, nullptr, nullptr, fileName.constData()) < 0 || !format) {
        qWarning() << "Can not guess output format for" << path;
        return false;
    }
    m_formatCtx.reset(format);

    m_codec = avcodec_find_encoder(m_codecId);
    if (!m_codec) {
        qWarning() << "Can not find output video encoder! (没有找到合适的编码器！)\n";
        return false;
    }

    m_codecCtx.reset(avcodec_alloc_context3(m_codec));
    if (!m_codecCtx)
        return false;
    AVCodecContext* ctx = m_codecCtx.get();
    ctx->codec_id = m_codecId;
    ctx->codec_type = AVMEDIA_TYPE_VIDEO;
    ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    ctx->width = m_width;
    ctx->height = m_height;
    ctx->time_base = AVRational{1, m_fps};
    ctx->framerate = AVRational{m_fps, 1};
    ctx->bit_rate = 4000000;
    ctx->gop_size = 100;
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    IH264Setup setup;
    setup.profile = "high";
    setup.weightedPrediction = false;
    applyH264Setup(ctx, &options, setup);
    const int opened = avcodec_open2(ctx, m_codec, &options);
    const IAVDictionaryPtr unused(options); // the entries the encoder did not take
    if (opened < 0) {
        qWarning() << "Failed to open output video encoder! (编码器打开失败！)\n";
        return false;
    }

    m_stream = avformat_new_stream(format, nullptr);
    if (!m_stream)
        return false;
    m_stream->time_base = ctx->time_base;
    if (avcodec_parameters_from_context(m_stream->codecpar, ctx) < 0)
        return false;
    m_videoStreamIndex = m_stream->index;

    // Write-only truncates: a stale longer file of the same name must not leave a tail.
    AVIOContext* io = nullptr;
    if (avio_open(&io, fileName.constData(), AVIO_FLAG_WRITE) < 0) {
        qWarning() << "Failed to open output file! (输出文件打开失败！)\n";
        return false;
    }
    m_file.reset(io);
    m_fileCreated = true;
    format->pb = io;
    // Synced after every picture through a descriptor of our own, so a power cut keeps
    // what was shot.
    m_syncFile.setFileName(path);
    if (!m_syncFile.open(QIODevice::ReadOnly))
        qWarning() << "time-lapse: cannot sync" << path << m_syncFile.errorString();

    // Fragmented, one fragment per picture, each flushed to the file at once: a run cut
    // short by a kill or a power cut still plays up to its last picture. The index at
    // the end is only a bonus.
    AVDictionary* muxOptions = nullptr;
    av_dict_set(&muxOptions, "movflags", "+empty_moov+default_base_moof+frag_custom", 0);
    format->flush_packets = 1;
    av_dump_format(format, 0, fileName.constData(), 1);
    const int header = avformat_write_header(format, &muxOptions);
    const IAVDictionaryPtr unusedMux(muxOptions);
    if (header < 0) {
        qWarning() << "Failed to write the header of" << path;
        return false;
    }
    m_headerWritten = true;
    m_whole.markFlushed(format->pb);

    m_packet.reset(av_packet_alloc());
    return m_packet != nullptr;
}

bool IPictureVynthesisVideo::closeOutputStream()
{
    bool ok = writeError().isEmpty();
    if (m_formatCtx && m_headerWritten && ok) {
        const int trailer = av_write_trailer(m_formatCtx.get());
        if (trailer < 0)
            setWriteError(trailer);
        else if (m_formatCtx->pb && m_formatCtx->pb->error < 0)
            setWriteError(m_formatCtx->pb->error);
        ok = writeError().isEmpty();
    }
    m_syncFile.close();
    m_convert.reset();
    if (m_formatCtx)
        m_formatCtx->pb = nullptr;
    m_file.reset();
    m_codecCtx.reset();
    m_formatCtx.reset();
    m_packet.reset();
    m_stream = nullptr;
    qInfo() << "closeOutputStream";

    // A file cut short by a failed write still plays up to there: it stays, and the
    // failure is reported beside it.
    const bool written = m_headerWritten && m_packetsWritten > 0;
    // A file without frames is no video; never leave it to be taken for one.
    if (!written && m_fileCreated)
        QFile::remove(m_filePath);
    if (written && !ok && !m_whole.cutBack(m_filePath))
        qWarning() << "time-lapse: could not cut" << m_filePath << "back to its last whole picture";
    m_written = written;
    return ok;
}

bool IPictureVynthesisVideo::encodePicture(const QImage& picture, AVFrame* target, int64_t index)
{
    // Read the pixels as B,G,R,A bytes only after making them that layout.
    const QImage source = picture.format() == QImage::Format_RGB32
        ? picture
        : picture.convertToFormat(QImage::Format_RGB32);
    if (source.isNull())
        return false;

    if (!m_convert || source.size() != m_convertSize) {
        m_convert.reset(sws_getContext(source.width(), source.height(), AV_PIX_FMT_RGB32,
                                       m_width, m_height, AV_PIX_FMT_YUV420P,
                                       SWS_BICUBIC, nullptr, nullptr, nullptr));
        m_convertSize = source.size();
        qInfo() << "init video_convert_ctx";
        if (!m_convert) {
            qWarning() << "Can not convert a picture of" << source.size();
            return false;
        }
    }

    // The encoder may still hold the previous frame's buffer.
    if (av_frame_make_writable(target) < 0)
        return false;
    const uint8_t* const planes[1] = {source.constBits()};
    const int strides[1] = {static_cast<int>(source.bytesPerLine())};
    sws_scale(m_convert.get(), planes, strides, 0, source.height(), target->data, target->linesize);
    target->pts = index;
    return encodeFrame(target);
}

bool IPictureVynthesisVideo::encodeFrame(AVFrame* frame)
{
    AVCodecContext* ctx = m_codecCtx.get();
    AVPacket* packet = m_packet.get();
    int status = avcodec_send_frame(ctx, frame);
    if (status < 0) {
        qWarning() << "h264 avcodec_encode_video2 error " << status;
        return false;
    }
    int got = 0;
    for (;;) {
        status = avcodec_receive_packet(ctx, packet);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF)
            break;
        if (status < 0) {
            qWarning() << "h264 avcodec_encode_video2 error " << status;
            return false;
        }
        IAVPacketUnref release(packet);
        ++got;
        if (packet->duration <= 0)
            packet->duration = 1;
        av_packet_rescale_ts(packet, ctx->time_base, m_stream->time_base);
        packet->stream_index = m_videoStreamIndex;
        const int64_t pts = packet->pts;
        int written = av_interleaved_write_frame(m_formatCtx.get(), packet);
        // Closes the picture's fragment and flushes it to the file.
        if (written >= 0 && frame)
            written = av_write_frame(m_formatCtx.get(), nullptr);
        if (written >= 0 && m_formatCtx->pb->error < 0)
            written = m_formatCtx->pb->error;
        if (written < 0) {
            qWarning() << "av_interleaved_write_frame error" << written;
            setWriteError(written);
            return false;
        }
        ++m_packetsWritten;
        if (frame)
            m_whole.markFlushed(m_formatCtx->pb);
        qDebug() << "encode video pts:" << pts;
    }
    if (frame && got == 0)
        qDebug() << " video --> got_picture != 1" << got;
    return true;
}
