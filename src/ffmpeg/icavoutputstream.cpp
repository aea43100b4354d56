#include "ffmpeg/icavoutputstream.h"

#include "ffmpeg/iavversion.h"
#include "ffmpeg/ih264setup.h"

#include <QDebug>
#include <QFile>
#include <QVarLengthArray>
#include <cmath>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/time.h>
}

namespace {
// Time between two fragments cut and flushed to the file: what a kill loses beyond the
// pictures still queued or being encoded.
const qint64 FRAGMENT_MICROSECONDS = 250000;
}

ICAVOutputStream::ICAVOutputStream(QObject* parent)
    : QObject(parent)
{
}

ICAVOutputStream::~ICAVOutputStream()
{
    releaseAll();
}

void ICAVOutputStream::setVideoCodecProp(AVCodecID codecId, int fps, int bitRate, int gop, int width, int height,
                                         AVPixelFormat format)
{
    m_videoCodecId = codecId;
    m_fps = qMax(1, fps);
    m_videoBitRate = bitRate;
    m_gop = gop;
    m_width = width;
    m_height = height;
    m_pixelFormat = format;
}

void ICAVOutputStream::setAudioCodecProp(AVCodecID codecId, int sampleRate, int channels, int bitRate)
{
    m_audioCodecId = codecId;
    m_sampleRate = sampleRate;
    m_channels = channels;
    m_audioBitRate = bitRate;
}

bool ICAVOutputStream::openOutputStream(const QString& path)
{
    releaseAll();
    m_path = path;
    m_stop = false;
    m_pictureSeen = false;
    m_soundEnded = false;
    m_writeFailed = false;
    m_whole.reset();
    m_audioSamples = 0;
    m_placedSamples = 0;
    m_lastVideoPts = -1;
    m_videoFramesWritten = 0;
    m_videoFramesDropped = 0;
    m_videoFramesMerged = 0;
    m_openError = 0;
    {
        QMutexLocker lock(&m_fifoMutex);
        m_gaps.clear();
        m_recordingEnd = -1;
    }

    auto fail = [this](const char* text) {
        if (text)
            qDebug() << text;
        releaseAll();
        QFile::remove(m_path);
        m_videoCodecId = AV_CODEC_ID_NONE;
        m_audioCodecId = AV_CODEC_ID_NONE;
        return false;
    };

    AVFormatContext* ctx = nullptr;
    if (avformat_alloc_output_context2(&ctx, nullptr, nullptr, path.toUtf8().constData()) < 0 || !ctx)
        return fail("Could not deduce the output format from the file name");
    m_format.reset(ctx);
    if (m_videoCodecId != AV_CODEC_ID_NONE && !openVideoEncoder())
        return fail(nullptr);
    if (m_audioCodecId != AV_CODEC_ID_NONE && !openAudioEncoder())
        return fail(nullptr);
    m_hasSound = m_audioEncoder != nullptr;

    AVIOContext* io = nullptr;
    m_openError = avio_open(&io, path.toUtf8().constData(), AVIO_FLAG_WRITE);
    if (m_openError < 0)
        return fail("Failed to open output file! (输出文件打开失败！)\n");
    m_io.reset(io);
    ctx->pb = io;
    av_dump_format(ctx, 0, path.toUtf8().constData(), 1);

    // Fragments are cut by the encoding loop (cutFragment), not by the muxer, which would
    // keep them in its buffers until they fill.
    AVDictionary* raw = nullptr;
    av_dict_set(&raw, "movflags", "empty_moov+default_base_moof+frag_custom", 0);
    const int ret = avformat_write_header(ctx, &raw);
    av_dict_free(&raw);
    avio_flush(io);
    if (ret < 0 || io->error < 0) {
        // The header reaches the file at the flush: the file's error holds the system's reason.
        m_openError = io->error < 0 ? io->error : ret;
        return fail("Could not write the file header");
    }
    m_whole.markFlushed(io);
    m_lastCut = av_gettime_relative();
    m_packetsSinceCut = 0;
    m_packet.reset(av_packet_alloc());
    m_heldVideo.reset(av_packet_alloc());
    if (!m_packet || !m_heldVideo)
        return fail("out of memory");
    m_open = true;
    return true;
}

bool ICAVOutputStream::try_hw_encode()
{
    const AVCodec* codec = avcodec_find_encoder_by_name("h264_nvenc");
    if (!codec) {
        qDebug() << "h264_nvenc avcodec_find_encoder failed";
        return false;
    }
    IAVCodecContextPtr ctx(avcodec_alloc_context3(codec));
    if (!ctx)
        return false;
    ctx->gop_size = m_gop;
    ctx->max_b_frames = 0;
    ctx->time_base = AVRational{1, m_fps};
    ctx->framerate = AVRational{m_fps, 1};
    ctx->bit_rate = m_videoBitRate;
    ctx->pix_fmt = iavPreferredPixelFormat(codec, AV_PIX_FMT_YUV420P);
    ctx->width = m_width;
    ctx->height = m_height;
    ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* raw = nullptr;
    av_dict_set(&raw, "delay", "0", 0);
    av_dict_set(&raw, "rc-lookahead", "0", 0);
    const int ret = avcodec_open2(ctx.get(), codec, &raw);
    av_dict_free(&raw);
    if (ret < 0) {
        qDebug() << "hw encode failed to open output video encoder!";
        return false;
    }
    qDebug() << "used hw encode";
    m_videoEncoder = std::move(ctx);
    return true;
}

bool ICAVOutputStream::openVideoEncoder()
{
    if (!try_hw_encode()) {
        const AVCodec* codec = avcodec_find_encoder(m_videoCodecId);
        if (!codec) {
            qDebug() << "Can not find output video encoder! (没有找到合适的编码器！)\n";
            return false;
        }
        IAVCodecContextPtr ctx(avcodec_alloc_context3(codec));
        if (!ctx)
            return false;
        ctx->pix_fmt = m_pixelFormat;
        ctx->width = m_width;
        ctx->height = m_height;
        ctx->time_base = AVRational{1, m_fps};
        ctx->framerate = AVRational{m_fps, 1};
        ctx->bit_rate = m_videoBitRate;
        ctx->gop_size = m_gop;
        if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
            ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        AVDictionary* raw = nullptr;
        if (m_videoCodecId == AV_CODEC_ID_H264)
            applyH264Setup(ctx.get(), &raw, IH264Setup::forScreen(m_width, m_height, m_fps));
        const int ret = avcodec_open2(ctx.get(), codec, &raw);
        av_dict_free(&raw);
        if (ret < 0) {
            qDebug() << "Failed to open output video encoder! (编码器打开失败！)\n";
            return false;
        }
        m_videoEncoder = std::move(ctx);
    }
    m_videoStream = avformat_new_stream(m_format.get(), nullptr);
    if (!m_videoStream)
        return false;
    m_videoStream->time_base = m_videoEncoder->time_base;
    if (avcodec_parameters_from_context(m_videoStream->codecpar, m_videoEncoder.get()) < 0)
        return false;
    m_target.reset(av_frame_alloc());
    if (!m_target)
        return false;
    m_target->format = m_videoEncoder->pix_fmt;
    m_target->width = m_width;
    m_target->height = m_height;
    return av_frame_get_buffer(m_target.get(), 0) >= 0;
}

bool ICAVOutputStream::openAudioEncoder()
{
    const AVCodec* codec = avcodec_find_encoder(m_audioCodecId);
    if (!codec) {
        qDebug() << "Can not find output audio encoder! (没有找到合适的编码器！)\n";
        return false;
    }
    IAVCodecContextPtr ctx(avcodec_alloc_context3(codec));
    if (!ctx || m_channels <= 0 || m_sampleRate <= 0)
        return false;
    av_channel_layout_default(&ctx->ch_layout, m_channels);
    ctx->sample_rate = m_sampleRate;
    ctx->sample_fmt = iavPreferredSampleFormat(codec, AV_SAMPLE_FMT_FLTP);
    ctx->bit_rate = m_audioBitRate;
    ctx->time_base = AVRational{1, m_sampleRate};
    if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
        ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(ctx.get(), codec, nullptr) < 0) {
        qDebug() << "Failed to open ouput audio encoder! (编码器打开失败！)\n";
        return false;
    }
    m_audioStream = avformat_new_stream(m_format.get(), nullptr);
    if (!m_audioStream)
        return false;
    m_audioStream->time_base = ctx->time_base;
    if (avcodec_parameters_from_context(m_audioStream->codecpar, ctx.get()) < 0)
        return false;
    m_audioFrameSize = ctx->frame_size > 0 ? ctx->frame_size : 1024;
    m_audioLead = qMax(0, ctx->initial_padding);
    m_fifo.reset(av_audio_fifo_alloc(ctx->sample_fmt, m_channels, 1));
    if (!m_fifo)
        return false;
    m_audioEncoder = std::move(ctx);
    return true;
}

int ICAVOutputStream::write_video_frame(AVFrame* frame, qint64 stamp)
{
    if (!frame || !m_open)
        return 0;
    // A reference when the picture is reference-counted, else a copy of its pixels.
    IAVFramePtr copy(av_frame_clone(frame));
    if (!copy) {
        qDebug() << "av_frame_clone error";
        ++m_videoFramesDropped;
        return 0;
    }
    QMutexLocker lock(&m_queueMutex);
    m_pictures.push_back({std::move(copy), stamp});
    m_videoFramesDropped += thinQueue();
    m_pictureSeen = true;
    m_queueWake.wakeOne();
    return 1;
}

int ICAVOutputStream::thinQueue()
{
    int dropped = 0;
    // Past the kill budget the oldest pictures go: the queue holds the newest moments.
    while (m_pictures.size() > 1 && m_pictures.back().stamp - m_pictures.front().stamp > MAX_QUEUED_MICROSECONDS) {
        m_pictures.pop_front();
        ++dropped;
    }
    // Past the memory bound the picture whose loss leaves the shortest gap goes, never the
    // oldest or the newest: a held-up encoder then loses every other picture of a stretch,
    // spread over it, instead of a run of them that the viewer sees as a freeze.
    while (int(m_pictures.size()) > MAX_QUEUED_PICTURES && m_pictures.size() > 2) {
        size_t victim = 1;
        qint64 shortest = m_pictures[2].stamp - m_pictures[0].stamp;
        for (size_t i = 2; i + 1 < m_pictures.size(); ++i) {
            const qint64 gap = m_pictures[i + 1].stamp - m_pictures[i - 1].stamp;
            if (gap < shortest) {
                shortest = gap;
                victim = i;
            }
        }
        m_pictures.erase(m_pictures.begin() + std::ptrdiff_t(victim));
        ++dropped;
    }
    return dropped;
}

int ICAVOutputStream::write_audio_frame(AVFrame* frame, qint64 stamp)
{
    if (!frame || !m_open || !m_hasSound || !m_pictureSeen || frame->sample_rate <= 0 || stamp < 0)
        return 0;
    if (m_soundEnded)
        return -1;
    if (!m_resampler) {
        SwrContext* swr = nullptr;
        AVChannelLayout in;
        av_channel_layout_default(&in, frame->ch_layout.nb_channels);
        int ret = swr_alloc_set_opts2(&swr, &m_audioEncoder->ch_layout, m_audioEncoder->sample_fmt,
                                      m_audioEncoder->sample_rate, &in, AVSampleFormat(frame->format),
                                      frame->sample_rate, 0, nullptr);
        ISwrContextPtr resampler(swr);
        if (ret < 0 || swr_init(swr) < 0) {
            endSound("Could not set up the sample converter");
            return -1;
        }
        m_resampler = std::move(resampler);
    }
    // Sound goes where its capture stamp puts it on the pictures' time line. A gap before
    // it (a dropout, a microphone away) becomes silence, samples that would overlap what
    // is already queued are left out; a smaller difference (a microphone clock a little
    // slow or fast) is taken up by libswresample stretching or squeezing the sound, at
    // most by MAX_STRETCH, without an audible step.
    // The encoder's lead-in takes the place of the recording's first moments, so its first
    // packet starts at 0 with the first picture (a file cannot start a stream before 0).
    const int outRate = m_audioEncoder->sample_rate;
    const qint64 due = av_rescale(stamp, outRate, 1000000) - m_audioLead;
    const qint64 at = m_placedSamples + swr_get_delay(m_resampler.get(), outRate);
    const qint64 step = outRate * STEP_MICROSECONDS / 1000000;
    const qint64 gap = due - at;
    int skip = 0;
    if (gap < -step) {
        const qint64 over = av_rescale(-gap, frame->sample_rate, outRate);
        if (over >= frame->nb_samples)
            return 0;
        skip = int(over);
    } else if (gap > step) {
        const qint64 from = av_rescale(at + m_audioLead, 1000000, outRate);
        const qint64 back = av_rescale(due + m_audioLead, 1000000, outRate);
        if (back - from >= SOUND_GAP_MICROSECONDS) {
            QMutexLocker lock(&m_fifoMutex);
            noteGap(from, back, false);
        }
        if (!writeSilence(gap))
            return -1;
        m_placedSamples += gap;
    } else {
        const int distance = int(qMax<qint64>(qAbs(gap) * 100 / MAX_STRETCH_PERCENT, outRate / 10));
        swr_set_compensation(m_resampler.get(), int(gap), distance);
    }
    const uint8_t* planes[AV_NUM_DATA_POINTERS] = {nullptr};
    const AVSampleFormat inFormat = AVSampleFormat(frame->format);
    const int planar = av_sample_fmt_is_planar(inFormat);
    const int planeCount = planar ? frame->ch_layout.nb_channels : 1;
    const int offset = skip * av_get_bytes_per_sample(inFormat) * (planar ? 1 : frame->ch_layout.nb_channels);
    for (int i = 0; i < planeCount && i < AV_NUM_DATA_POINTERS; ++i)
        planes[i] = frame->extended_data[i] + offset;
    const int inSamples = frame->nb_samples - skip;
    // From here on the samples have their place on the time line: any that cannot be
    // queued end the sound, or what follows would move into their place.
    const int capacity = swr_get_out_samples(m_resampler.get(), inSamples);
    if (capacity < 0) {
        endSound("Could not size the converted sound");
        return -1;
    }
    if (capacity == 0)
        return 0;
    uint8_t** converted = nullptr;
    if (av_samples_alloc_array_and_samples(&converted, nullptr, m_audioEncoder->ch_layout.nb_channels, capacity,
                                           m_audioEncoder->sample_fmt, 0)
        < 0) {
        endSound("Could not allocate the converted sound");
        return -1;
    }
    const int samples = swr_convert(m_resampler.get(), converted, capacity, planes, inSamples);
    const bool queued = samples >= 0 && queueSamples(converted, samples);
    if (queued)
        m_placedSamples += samples;
    av_freep(&converted[0]);
    av_freep(&converted);
    if (samples < 0)
        endSound("Could not convert the sound");
    m_queueWake.wakeOne();
    return queued ? 1 : -1;
}

bool ICAVOutputStream::writeSilence(qint64 samples)
{
    if (samples <= 0)
        return true;
    QMutexLocker lock(&m_fifoMutex);
    if (m_soundEnded)
        return false;
    if (!m_soundRuns.empty() && m_soundRuns.back().silent)
        m_soundRuns.back().samples += samples;
    else
        m_soundRuns.push_back({true, samples});
    m_soundQueued += samples;
    return true;
}

bool ICAVOutputStream::queueSamples(uint8_t** data, int samples)
{
    if (samples <= 0)
        return !m_soundEnded;
    {
        QMutexLocker lock(&m_fifoMutex);
        if (m_soundEnded)
            return false;
        if (av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(data), samples) == samples) {
            if (!m_soundRuns.empty() && !m_soundRuns.back().silent)
                m_soundRuns.back().samples += samples;
            else
                m_soundRuns.push_back({false, samples});
            m_soundQueued += samples;
            return true;
        }
    }
    endSound("Could not queue the microphone's sound");
    return false;
}

qint64 ICAVOutputStream::queuedSound()
{
    QMutexLocker lock(&m_fifoMutex);
    return m_soundQueued;
}

void ICAVOutputStream::endSound(const char* why)
{
    if (m_soundEnded.exchange(true))
        return;
    const qint64 at = m_audioEncoder ? av_rescale(soundEnd(), 1000000, m_audioEncoder->sample_rate) : 0;
    {
        QMutexLocker lock(&m_fifoMutex);
        noteGap(at, -1, true);
    }
    qWarning().nospace() << why << ": the sound of " << m_path << " ends here, at " << at / 1000 << " ms";
}

void ICAVOutputStream::noteGap(qint64 from, qint64 back, bool failed)
{
    // Nothing follows a gap to the end.
    if (m_gaps.isEmpty() || m_gaps.last().back >= 0)
        m_gaps.append(SoundGap{qMax<qint64>(0, from), back, failed});
}

QVector<ICAVOutputStream::SoundGap> ICAVOutputStream::soundGaps() const
{
    QMutexLocker lock(&m_fifoMutex);
    return m_gaps;
}

qint64 ICAVOutputStream::recordingEnd() const
{
    QMutexLocker lock(&m_fifoMutex);
    return m_recordingEnd;
}

qint64 ICAVOutputStream::soundEnd()
{
    QMutexLocker lock(&m_fifoMutex);
    return m_audioLead + m_audioSamples + m_soundQueued;
}

int ICAVOutputStream::stopEncode()
{
    m_stop = true;
    QMutexLocker lock(&m_queueMutex);
    m_queueWake.wakeAll();
    return 1;
}

int ICAVOutputStream::startEncode()
{
    if (!m_open)
        return 0;
    qDebug() << "startEncode ";
    for (;;) {
        bool worked = false;
        QueuedPicture picture;
        {
            QMutexLocker lock(&m_queueMutex);
            if (!m_pictures.empty()) {
                picture = std::move(m_pictures.front());
                m_pictures.pop_front();
            }
        }
        if (picture.frame) {
            encodeVideo(picture.frame.get(), picture.stamp);
            worked = true;
        }
        if (m_hasSound && queuedSound() >= m_audioFrameSize) {
            encodeAudio(m_audioFrameSize);
            worked = true;
        }
        if (av_gettime_relative() - m_lastCut >= FRAGMENT_MICROSECONDS)
            cutFragment();
        if (worked)
            continue;
        // The capture threads have ended before a stop is requested, so an empty queue
        // after the stop stays empty.
        const bool stopping = m_stop;
        QMutexLocker lock(&m_queueMutex);
        if (!m_pictures.empty())
            continue;
        if (stopping)
            break;
        m_queueWake.wait(&m_queueMutex, 10);
    }
    if (m_hasSound) {
        padSoundToLastPicture();
        for (;;) {
            const qint64 left = queuedSound();
            // Whole frames, then the last, short one.
            if (left <= 0 || !encodeAudio(int(qMin<qint64>(left, m_audioFrameSize))))
                break;
            // A long silence goes out in fragments as it is made, not held by the muxer.
            if (av_gettime_relative() - m_lastCut >= FRAGMENT_MICROSECONDS)
                cutFragment();
        }
    }
    qDebug() << "quit encode----->";
    const QString path = m_path;
    const bool ok = closeOutputStream();
    emit sgEncodeFinished(ok, path);
    return 1;
}

void ICAVOutputStream::padSoundToLastPicture()
{
    if (m_lastVideoPts < 0)
        return;
    // The sound ends at the stop, but the last picture is shown until its slot ends, which
    // may be up to two slots later: its slot is rounded, and a late picture takes the next.
    const qint64 pictureEnd = av_rescale(m_lastVideoPts + 1, m_audioEncoder->sample_rate, m_fps);
    const qint64 end = soundEnd();
    QMutexLocker lock(&m_fifoMutex);
    m_recordingEnd = av_rescale(pictureEnd, 1000000, m_audioEncoder->sample_rate);
    // A recording that got no sound at all says so, however short it is.
    if (av_rescale(pictureEnd - end, 1000000, m_audioEncoder->sample_rate) >= SOUND_GAP_MICROSECONDS
        || m_placedSamples == 0)
        noteGap(av_rescale(qMin(end, pictureEnd), 1000000, m_audioEncoder->sample_rate), -1, false);
    lock.unlock();
    writeSilence(pictureEnd - end);
}

bool ICAVOutputStream::encodeVideo(AVFrame* frame, qint64 stamp)
{
    if (m_scalerWidth != frame->width || m_scalerHeight != frame->height || m_scalerFormat != frame->format) {
        m_scaler.reset(sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), m_width, m_height,
                                      AVPixelFormat(m_target->format), SWS_BICUBIC, nullptr, nullptr, nullptr));
        m_scalerWidth = frame->width;
        m_scalerHeight = frame->height;
        m_scalerFormat = frame->format;
        qDebug() << "init video_convert_ctx";
    }
    // Frame slots of 1/fps. A picture a little late for its slot takes the next one; one
    // that would land more than a slot after its time shows a moment already shown and is
    // left out, so the video's clock never runs ahead of the real one.
    const qint64 slot = std::llround(double(stamp) * m_fps / 1000000.0);
    qint64 pts = slot;
    if (m_lastVideoPts < 0) {
        // The first picture opens the file at 0, where the sound starts too: a later start
        // makes the muxer shift every stream back by it, the sound's start before 0.
        pts = 0;
    } else if (pts <= m_lastVideoPts) {
        pts = m_lastVideoPts + 1;
        if (pts - slot > 1) {
            ++m_videoFramesMerged;
            return false;
        }
    }
    if (!m_scaler || av_frame_make_writable(m_target.get()) < 0)
        return false;
    sws_scale(m_scaler.get(), frame->data, frame->linesize, 0, frame->height, m_target->data, m_target->linesize);
    m_lastVideoPts = pts;
    m_target->pts = pts;
    if (!sendAndWrite(m_videoEncoder.get(), m_videoStream, m_target.get()))
        return false;
    ++m_videoFramesWritten;
    return true;
}

bool ICAVOutputStream::encodeAudio(int samples)
{
    IAVFramePtr frame(av_frame_alloc());
    bool taken = false;
    if (frame) {
        frame->nb_samples = samples;
        av_channel_layout_copy(&frame->ch_layout, &m_audioEncoder->ch_layout);
        frame->format = m_audioEncoder->sample_fmt;
        frame->sample_rate = m_audioEncoder->sample_rate;
        if (av_frame_get_buffer(frame.get(), 0) >= 0) {
            QMutexLocker lock(&m_fifoMutex);
            taken = takeQueuedSound(frame.get());
            if (taken) {
                frame->pts = m_audioSamples + m_audioLead;
                m_audioSamples += samples;
            }
        }
    }
    if (!taken) {
        // What is queued can no longer be encoded in order: none of it is.
        endSound("Could not take the next frame of sound");
        QMutexLocker lock(&m_fifoMutex);
        m_soundRuns.clear();
        m_soundQueued = 0;
        if (m_fifo)
            av_audio_fifo_reset(m_fifo.get());
        return false;
    }
    return sendAndWrite(m_audioEncoder.get(), m_audioStream, frame.get());
}

bool ICAVOutputStream::takeQueuedSound(AVFrame* frame)
{
    const int channels = m_audioEncoder->ch_layout.nb_channels;
    const AVSampleFormat format = m_audioEncoder->sample_fmt;
    const bool planar = av_sample_fmt_is_planar(format);
    const int planes = planar ? channels : 1;
    const int step = av_get_bytes_per_sample(format) * (planar ? 1 : channels);
    QVarLengthArray<void*, 8> at(planes);
    int done = 0;
    while (done < frame->nb_samples) {
        if (m_soundRuns.empty())
            return false;
        SoundRun& run = m_soundRuns.front();
        const int n = int(qMin<qint64>(run.samples, frame->nb_samples - done));
        if (run.silent) {
            av_samples_set_silence(frame->extended_data, done, n, channels, format);
        } else {
            for (int i = 0; i < planes; ++i)
                at[i] = frame->extended_data[i] + qsizetype(done) * step;
            if (av_audio_fifo_read(m_fifo.get(), at.data(), n) < n)
                return false;
        }
        done += n;
        run.samples -= n;
        m_soundQueued -= n;
        if (run.samples == 0)
            m_soundRuns.pop_front();
    }
    return true;
}

bool ICAVOutputStream::sendAndWrite(AVCodecContext* encoder, AVStream* stream, AVFrame* frame)
{
    int ret = avcodec_send_frame(encoder, frame);
    if (ret < 0 && ret != AVERROR_EOF) {
        qDebug() << "avcodec_send_frame error " << ret << "stream" << stream->index;
        return false;
    }
    while ((ret = avcodec_receive_packet(encoder, m_packet.get())) >= 0) {
        av_packet_rescale_ts(m_packet.get(), encoder->time_base, stream->time_base);
        m_packet->stream_index = stream->index;
        if (stream == m_videoStream)
            writeVideoPacket(m_packet.get());
        else
            writePacket(m_packet.get());  // the sound encoder gives each packet its duration
        av_packet_unref(m_packet.get());
    }
    return true;
}

void ICAVOutputStream::writeVideoPacket(AVPacket* packet)
{
    // Pictures are not evenly spaced (slots are skipped when the screen is late), and the
    // muxer must know where each one ends: when a fragment is cut it ends the fragment
    // there, and it starts the next fragment's first picture at that point whatever its
    // own time. A guessed end shifts or repeats times across the cut.
    if (m_heldVideo->data) {
        if (packet->dts <= m_heldVideo->dts) {
            qDebug() << "video packet out of order dropped" << packet->dts << "after" << m_heldVideo->dts;
            return;
        }
        writeHeldVideo(packet->dts - m_heldVideo->dts);
    }
    av_packet_move_ref(m_heldVideo.get(), packet);
}

void ICAVOutputStream::writeHeldVideo(qint64 duration)
{
    if (!m_heldVideo || !m_heldVideo->data)
        return;
    m_heldVideo->duration = duration;
    writePacket(m_heldVideo.get());
    av_packet_unref(m_heldVideo.get());
}

void ICAVOutputStream::writePacket(AVPacket* packet)
{
    noteWrite(av_interleaved_write_frame(m_format.get(), packet));
    ++m_packetsSinceCut;
}

void ICAVOutputStream::noteWrite(int ret)
{
    const int ioError = m_format->pb ? m_format->pb->error : 0;
    if (ret >= 0 && ioError >= 0)
        return;
    if (!m_writeFailed) {
        // The file's own error says why; a flush that fails reports only that it did.
        const int code = ioError < 0 ? ioError : ret;
        qDebug() << "write to the video file failed" << code;
        m_writeFailed = true;
        emit sgWriteFailed(code);
    }
}

void ICAVOutputStream::cutFragment()
{
    m_lastCut = av_gettime_relative();
    if (m_packetsSinceCut == 0)
        return;
    m_packetsSinceCut = 0;
    // The packets held back for interleaving go to the muxer, the muxer closes its
    // fragment, and the I/O buffer goes to the file: a kill now loses nothing written.
    int ret = av_interleaved_write_frame(m_format.get(), nullptr);
    if (ret >= 0)
        ret = av_write_frame(m_format.get(), nullptr);
    if (m_format->pb)
        avio_flush(m_format->pb);
    noteWrite(ret);
    if (!m_writeFailed)
        m_whole.markFlushed(m_format->pb);
}

bool ICAVOutputStream::closeOutputStream()
{
    if (!m_format) {
        m_open = false;
        return !m_writeFailed;
    }
    bool ok = !m_writeFailed;
    if (m_open) {
        if (m_videoEncoder) {
            sendAndWrite(m_videoEncoder.get(), m_videoStream, nullptr);
            writeHeldVideo(av_rescale_q(1, m_videoEncoder->time_base, m_videoStream->time_base));
        }
        if (m_audioEncoder)
            sendAndWrite(m_audioEncoder.get(), m_audioStream, nullptr);
        noteWrite(av_write_trailer(m_format.get()));
        ok = ok && !m_writeFailed;
    }
    m_open = false;
    if (m_io) {
        avio_flush(m_io.get());
        if (m_io->error < 0)
            ok = false;
        AVIOContext* io = m_io.release();
        if (avio_closep(&io) < 0)
            ok = false;
        m_format->pb = nullptr;
        if (!ok && !m_whole.cutBack(m_path))
            qWarning() << "could not cut" << m_path << "back to its last whole fragment";
    }
    releaseAll();
    m_videoCodecId = AV_CODEC_ID_NONE;
    m_audioCodecId = AV_CODEC_ID_NONE;
    qDebug() << "closeOutputStream" << (ok ? "ok" : "failed");
    return ok;
}

void ICAVOutputStream::releaseAll()
{
    m_open = false;
    {
        QMutexLocker lock(&m_queueMutex);
        m_pictures.clear();
    }
    m_scaler.reset();
    m_scalerWidth = m_scalerHeight = 0;
    m_scalerFormat = -1;
    m_resampler.reset();
    {
        QMutexLocker lock(&m_fifoMutex);
        m_fifo.reset();
        m_soundRuns.clear();
        m_soundQueued = 0;
    }
    m_target.reset();
    m_videoEncoder.reset();
    m_audioEncoder.reset();
    m_videoStream = nullptr;
    m_audioStream = nullptr;
    m_format.reset();
    m_io.reset();
    m_packet.reset();
    m_heldVideo.reset();
    m_hasSound = false;
}

uint8_t* ICAVOutputStream::AVFrameSwicth(AVFrame* source, AVFrame* target, AVPixelFormat format)
{
    if (!source || !target || source->width <= 0 || source->height <= 0)
        return nullptr;
    const int size = av_image_get_buffer_size(format, source->width, source->height, 1);
    ISwsContextPtr scaler(sws_getContext(source->width, source->height, AVPixelFormat(source->format), source->width,
                                         source->height, format, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (size <= 0 || !scaler)
        return nullptr;
    // swscale writes whole SIMD blocks past the last pixel: room for that behind the end.
    auto* buffer = static_cast<uint8_t*>(av_mallocz(size_t(size) + 64));
    if (!buffer)
        return nullptr;
    av_image_fill_arrays(target->data, target->linesize, buffer, format, source->width, source->height, 1);
    target->width = source->width;
    target->height = source->height;
    target->format = format;
    sws_scale(scaler.get(), source->data, source->linesize, 0, source->height, target->data, target->linesize);
    return buffer;
}
