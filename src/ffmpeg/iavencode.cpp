#include "ffmpeg/iavencode.h"

#include "ffmpeg/iavversion.h"
#include "ffmpeg/ih264setup.h"

#include <QDebug>
#include <QFileInfo>
#include <QMutexLocker>
#include <QThread>

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace {
const char* const kPresets[] = {"ultrafast", "superfast", "veryfast", "faster", "fast",
                                "medium", "slow", "slower", "veryslow", "placebo"};
const char* const kTunes[] = {"film", "animation", "grain", "stillimage", "psnr", "ssim", "fastdecode", "zerolatency"};
const char* const kProfiles[] = {"baseline", "main", "high", "high10", "high422", "high444"};

template <size_t N>
const char* pick(const char* const (&table)[N], int index)
{
    return index >= 0 && size_t(index) < N ? table[index] : table[0];
}

constexpr int kIdleSleepMs = 5;
}

IAVEncode* IAVEncode::s_instance = nullptr;

IAVEncode* IAVEncode::instance()
{
    if (!s_instance)
        s_instance = new IAVEncode;
    return s_instance;
}

void IAVEncode::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

IAVEncode::IAVEncode(QObject* parent)
    : QObject(parent)
{
#if defined(Q_OS_MACOS)
    m_soundFormat = QStringLiteral("avfoundation");
    m_soundUrl = QStringLiteral(":0");
#else
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const bool pulse = !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/pulse/native"));
    m_soundFormat = pulse ? QStringLiteral("pulse") : QStringLiteral("alsa");
    m_soundUrl = QStringLiteral("default");
#endif
}

IAVEncode::~IAVEncode()
{
    CloseOutputFile();
}

void IAVEncode::setSoundInput(const QString& format, const QString& url)
{
    m_soundFormat = format;
    m_soundUrl = url;
}

int IAVEncode::queuedPictures()
{
    QMutexLocker lock(&m_pictureMutex);
    return int(m_pictures.size());
}

int IAVEncode::audioFrameSize() const
{
    return m_audioEncoder && m_audioEncoder->frame_size > 0 ? m_audioEncoder->frame_size : 1024;
}

int IAVEncode::OpenOutputFile(char* filename, int fps, int width, int height, int x264Options, int bitRateKbps,
                              bool withSound, int sampleRate, int channels, int bitsPerSample, int)
{
    QWriteLocker lifetime(&m_lifetime);
    closeLocked();
    m_fileComplete = true;
    if (!filename || fps < 1 || width < 2 || height < 2 || sampleRate < 1 || channels < 1) {
        qWarning() << Q_FUNC_INFO << "bad arguments";
        return 1;
    }
    width &= ~1; // 4:2:0 needs even sizes
    height &= ~1;
    m_fps = fps;

    AVFormatContext* output = nullptr;
    if (avformat_alloc_output_context2(&output, nullptr, nullptr, filename) < 0 || !output) {
        qWarning() << "avformat_alloc_output_context2()退出";
        return 1;
    }
    m_output.reset(output);
    // The codecs are chosen here, never written into the shared output format.
    const bool avi = qstrcmp(output->oformat->name, "avi") == 0;
    const AVCodecID audioCodec = avi ? AV_CODEC_ID_MP2 : AV_CODEC_ID_AAC;

    const AVCodec* videoCodec = avcodec_find_encoder(AV_CODEC_ID_H264);
    m_videoStream = avformat_new_stream(output, nullptr);
    if (!m_videoStream) {
        qWarning() << "Could not alloc stream";
        return 1;
    }
    if (!videoCodec) {
        qWarning() << "codec not found";
        return 1;
    }
    m_videoEncoder.reset(avcodec_alloc_context3(videoCodec));
    AVCodecContext* v = m_videoEncoder.get();
    v->codec_id = AV_CODEC_ID_H264;
    v->gop_size = 250;
    v->pix_fmt = AV_PIX_FMT_YUV420P;
    v->bit_rate = qint64(bitRateKbps) * 1000;
    v->width = width;
    v->height = height;
    v->time_base = AVRational{1, fps};
    v->framerate = AVRational{fps, 1};
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        v->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVDictionary* options = nullptr;
    IH264Setup setup;
    setup.preset = pick(kPresets, (x264Options >> 16) & 0xff);
    setup.tune = pick(kTunes, (x264Options >> 8) & 0xff);
    setup.profile = pick(kProfiles, x264Options & 0xff);
    applyH264Setup(v, &options, setup);
    av_dict_set(&options, "coder", "cabac", 0);
    const int opened = avcodec_open2(v, videoCodec, &options);
    av_dict_free(&options);
    if (opened < 0 || avcodec_parameters_from_context(m_videoStream->codecpar, v) < 0) {
        qWarning() << "could not open codec";
        return 1;
    }
    m_videoStream->time_base = v->time_base;
    m_videoIndex = m_videoStream->index;

    m_pictureSize = av_image_get_buffer_size(AV_PIX_FMT_YUV420P, width, height, 1);
    m_pictureEntrySize = m_pictureSize + m_stampSize;
    m_encodeFrame.reset(av_frame_alloc());
    if (!m_encodeFrame) {
        qWarning() << "av_frame_alloc()退出";
        return 1;
    }

    m_sound = withSound;
    if (withSound && !openSound(sampleRate, channels))
        return 1;

    const AVCodec* soundCodec = avcodec_find_encoder(audioCodec);
    m_audioStream = avformat_new_stream(output, nullptr);
    if (!soundCodec || !m_audioStream) {
        qWarning() << "avcodec_open2(pOutputCodecCtx)退出";
        return 1;
    }
    m_audioEncoder.reset(avcodec_alloc_context3(soundCodec));
    AVCodecContext* a = m_audioEncoder.get();
    // The encoder takes its own sample format; the device's is converted to it.
    a->sample_fmt = iavPreferredSampleFormat(soundCodec, bitsPerSample >= 32 ? AV_SAMPLE_FMT_S32 : AV_SAMPLE_FMT_S16);
    a->bit_rate = 64000;
    a->sample_rate = sampleRate;
    av_channel_layout_default(&a->ch_layout, channels == 1 ? 1 : 2);
    a->time_base = AVRational{1, sampleRate};
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        a->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (avcodec_open2(a, soundCodec, nullptr) < 0
        || avcodec_parameters_from_context(m_audioStream->codecpar, a) < 0) {
        qWarning() << "avcodec_open2(pOutputCodecCtx)退出";
        return 1;
    }
    m_audioStream->time_base = a->time_base;
    m_audioStream->codecpar->codec_tag = 0;
    m_audioIndex = m_audioStream->index;
    qDebug() << "avcodec_open2(音频打开……)";
    m_samples = av_audio_fifo_alloc(a->sample_fmt, a->ch_layout.nb_channels, audioFrameSize());
    m_audioSamples = 0;

    if (m_soundDecoder) {
        AVCodecContext* in = m_soundDecoder.get();
        if (swr_alloc_set_opts2(&m_resampler, &a->ch_layout, a->sample_fmt, a->sample_rate, &in->ch_layout,
                                in->sample_fmt, in->sample_rate, 0, nullptr) < 0
            || swr_init(m_resampler) < 0) {
            qWarning() << Q_FUNC_INFO << "cannot convert the sound";
            return 1;
        }
    }

    if (!(output->oformat->flags & AVFMT_NOFILE)) {
        AVIOContext* io = nullptr;
        if (avio_open(&io, filename, AVIO_FLAG_WRITE) < 0) {
            fprintf(stderr, "Could not open '%s'\n", filename);
            qWarning() << "avio_open()退出";
            return 1;
        }
        m_file.reset(io);
        output->pb = io;
    }
    m_quit = false;
    av_dump_format(output, 0, filename, 1);
    if (avformat_write_header(output, nullptr) < 0) {
        qWarning() << Q_FUNC_INFO << "cannot write the header";
        return 1;
    }
    m_firstPicture = 0;
    m_videoFrames = 0;
    m_opened = true;
    qDebug() << "OpenOutputFile(结束……)";
    return 0;
}

bool IAVEncode::openSound(int sampleRate, int channels)
{
    avdevice_register_all();
    const AVInputFormat* format = av_find_input_format(m_soundFormat.toUtf8().constData());
    AVDictionary* options = nullptr;
    av_dict_set(&options, "channels", QByteArray::number(channels).constData(), 0);
    av_dict_set(&options, "sample_rate", QByteArray::number(sampleRate).constData(), 0);
    AVFormatContext* input = nullptr;
    const int opened = format ? avformat_open_input(&input, m_soundUrl.toUtf8().constData(), format, &options) : -1;
    av_dict_free(&options);
    if (opened < 0) {
        qWarning() << "avformat_open_input()退出" << m_soundFormat << m_soundUrl;
        return false;
    }
    m_soundInput.reset(input);
    if (avformat_find_stream_info(input, nullptr) < 0) {
        qWarning() << "avformat_find_stream_info()退出";
        return false;
    }
    const int stream = av_find_best_stream(input, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    const AVCodec* decoder = stream >= 0 ? avcodec_find_decoder(input->streams[stream]->codecpar->codec_id) : nullptr;
    if (decoder)
        m_soundDecoder.reset(avcodec_alloc_context3(decoder));
    if (!decoder || !m_soundDecoder
        || avcodec_parameters_to_context(m_soundDecoder.get(), input->streams[stream]->codecpar) < 0
        || avcodec_open2(m_soundDecoder.get(), decoder, nullptr) < 0) {
        qWarning() << "avcodec_open2(pFmtCtx->streams[i]->codec)退出";
        return false;
    }
    av_dump_format(input, 0, m_soundUrl.toUtf8().constData(), 0);
    return true;
}

int IAVEncode::Add_video_frame(AVFrame* frame, qint64 stamp)
{
    QReadLocker lifetime(&m_lifetime);
    // After a stop the file ends with what is queued: the loop's drain must not chase
    // feeders that go on.
    if (!m_opened || m_quit)
        return 1;
    if (!m_firstPicture.exchange(1)) {
        QMutexLocker lock(&m_pictureMutex);
        m_pictures.clear();
    }
    if (!frame || frame->width <= 0 || frame->height <= 0) {
        qWarning() << "video frame is empty";
        return 1;
    }
    if (queuedPictures() >= kPictureCapacity) {
        qWarning() << "Shortage of video buffer space";
        return 1;
    }
    // Every picture is scaled to the encoder's size, whatever its own.
    const int width = m_videoEncoder->width;
    const int height = m_videoEncoder->height;
    ISwsContextPtr scaler(sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format), width, height,
                                         AV_PIX_FMT_YUV420P, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler)
        return 1;
    std::vector<uint8_t> entry(static_cast<size_t>(m_pictureEntrySize));
    uint8_t* planes[4] = {};
    int strides[4] = {};
    av_image_fill_arrays(planes, strides, entry.data(), AV_PIX_FMT_YUV420P, width, height, 1);
    sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides);
    memcpy(entry.data() + m_pictureSize, &stamp, sizeof stamp);
    QMutexLocker lock(&m_pictureMutex);
    m_pictures.push_back(std::move(entry));
    return 0;
}

int IAVEncode::Add_audio_frame(AVFrame*, qint64)
{
    // A stop waits for the device read in progress.
    QReadLocker lifetime(&m_lifetime);
    if (!m_opened || m_quit || !m_sound || !m_soundInput)
        return 1;
    if (!m_firstPicture) {
        qDebug() << "video first frame not come";
        return 0;
    }
    IAVPacketPtr packet(av_packet_alloc());
    if (av_read_frame(m_soundInput.get(), packet.get()) < 0) {
        qWarning() << "TAG: -----av_read_frame error ----";
        return 0;
    }
    if (avcodec_send_packet(m_soundDecoder.get(), packet.get()) < 0) {
        printf("can not decoder a frame\n");
        return 1;
    }
    IAVFramePtr decoded(av_frame_alloc());
    while (avcodec_receive_frame(m_soundDecoder.get(), decoded.get()) == 0) {
        // Converted to the encoder's format and rate before it is queued.
        const int room = swr_get_out_samples(m_resampler, decoded->nb_samples);
        uint8_t** converted = nullptr;
        if (room <= 0
            || av_samples_alloc_array_and_samples(&converted, nullptr, m_audioEncoder->ch_layout.nb_channels, room,
                                                  m_audioEncoder->sample_fmt, 0) < 0)
            return 1;
        const int got = swr_convert(m_resampler, converted, room, const_cast<const uint8_t**>(decoded->extended_data),
                                    decoded->nb_samples);
        if (got > 0) {
            QMutexLocker lock(&m_soundMutex);
            av_audio_fifo_write(m_samples, reinterpret_cast<void**>(converted), got);
        }
        av_freep(&converted[0]);
        av_freep(&converted);
        av_frame_unref(decoded.get());
    }
    return 0;
}

bool IAVEncode::drainEncoder(AVCodecContext* encoder, AVStream* stream)
{
    IAVPacketPtr packet(av_packet_alloc());
    bool ok = true;
    for (;;) {
        const int got = avcodec_receive_packet(encoder, packet.get());
        if (got == AVERROR(EAGAIN) || got == AVERROR_EOF)
            break;
        if (got < 0)
            return false;
        packet->stream_index = stream->index;
        // One picture lasts one frame; without it the last picture falls outside the
        // track's length and players drop it.
        if (packet->duration == 0 && encoder->codec_type == AVMEDIA_TYPE_VIDEO)
            packet->duration = 1;
        av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
        if (av_interleaved_write_frame(m_output.get(), packet.get()) < 0)
            ok = false;
    }
    return ok;
}

bool IAVEncode::encodeVideo(AVFrame* frame)
{
    if (avcodec_send_frame(m_videoEncoder.get(), frame) < 0)
        return frame != nullptr; // a frame that fails to encode is skipped
    return drainEncoder(m_videoEncoder.get(), m_videoStream);
}

bool IAVEncode::encodeAudio(AVFrame* frame)
{
    if (avcodec_send_frame(m_audioEncoder.get(), frame) < 0) {
        qWarning() << "can not decoder a frame";
        return frame != nullptr;
    }
    return drainEncoder(m_audioEncoder.get(), m_audioStream);
}

bool IAVEncode::audioFrameFromFifo(int samples)
{
    IAVFramePtr frame(av_frame_alloc());
    frame->nb_samples = samples;
    frame->format = m_audioEncoder->sample_fmt;
    frame->sample_rate = m_audioEncoder->sample_rate;
    av_channel_layout_copy(&frame->ch_layout, &m_audioEncoder->ch_layout);
    if (av_frame_get_buffer(frame.get(), 0) < 0) {
        qWarning() << "av_frame_get_buffer";
        return true;
    }
    {
        QMutexLocker lock(&m_soundMutex);
        av_audio_fifo_read(m_samples, reinterpret_cast<void**>(frame->data), samples);
    }
    frame->pts = m_audioSamples; // in 1/sample rate, the encoder's time base
    m_audioSamples += samples;
    return encodeAudio(frame.get());
}

int IAVEncode::StartAvEncode(const bool&)
{
    if (!m_opened)
        return 1;
    m_videoFrames = 0;
    m_audioSamples = 0;
    const int width = m_videoEncoder->width;
    const int height = m_videoEncoder->height;
    bool ok = true;
    std::vector<uint8_t> picture;

    auto videoTurn = [&]() -> bool {
        {
            QMutexLocker lock(&m_pictureMutex);
            if (m_pictures.empty())
                return false;
            picture = std::move(m_pictures.front());
            m_pictures.pop_front();
        }
        AVFrame* frame = m_encodeFrame.get();
        av_frame_unref(frame);
        frame->width = width;
        frame->height = height;
        frame->format = AV_PIX_FMT_YUV420P;
        av_image_fill_arrays(frame->data, frame->linesize, picture.data(), AV_PIX_FMT_YUV420P, width, height, 1);
        frame->pts = m_videoFrames++; // in 1/fps, the encoder's time base
        ok = encodeVideo(frame) && ok;
        return true;
    };
    auto audioTurn = [&](bool last) -> bool {
        int available = 0;
        {
            QMutexLocker lock(&m_soundMutex);
            available = av_audio_fifo_size(m_samples);
        }
        const int size = audioFrameSize();
        if (available < size && !(last && available > 0))
            return false;
        ok = audioFrameFromFifo(qMin(available, size)) && ok;
        return true;
    };
    auto videoAhead = [&] {
        // The next picture is due no later than the next sound frame.
        return !m_sound
            || av_compare_ts(m_videoFrames, m_videoEncoder->time_base, m_audioSamples, m_audioEncoder->time_base) <= 0;
    };

    while (!m_quit) {
        const bool worked = videoAhead() ? videoTurn() : audioTurn(false);
        if (!worked)
            QThread::msleep(kIdleSleepMs);
    }
    // Everything queued at the stop is written, then both encoders are flushed.
    for (;;) {
        const bool worked = videoAhead() ? (videoTurn() || audioTurn(true)) : (audioTurn(true) || videoTurn());
        if (!worked)
            break;
    }
    ok = encodeVideo(nullptr) && ok;
    ok = encodeAudio(nullptr) && ok;
    qDebug() << "exit audio video encode....";
    m_fileComplete = ok;
    return CloseOutputFile();
}

int IAVEncode::StopAvEncode()
{
    m_quit = true;
    return 1;
}

int IAVEncode::CloseOutputFile()
{
    QWriteLocker lifetime(&m_lifetime);
    return closeLocked();
}

int IAVEncode::closeLocked()
{
    int result = 0;
    if (m_opened) {
        if (av_write_trailer(m_output.get()) < 0)
            result = 1;
        if (m_file && (avio_flush(m_file.get()), m_file->error < 0))
            result = 1;
    }
    m_opened = false;
    if (result != 0)
        m_fileComplete = false;
    release();
    qDebug() << "CloseOutputFile";
    return m_fileComplete ? result : 1;
}

void IAVEncode::release()
{
    {
        QMutexLocker lock(&m_pictureMutex);
        m_pictures.clear();
    }
    if (m_samples) {
        av_audio_fifo_free(m_samples);
        m_samples = nullptr;
    }
    swr_free(&m_resampler);
    m_encodeFrame.reset();
    m_file.reset();
    m_soundDecoder.reset();
    m_soundInput.reset();
    m_audioEncoder.reset();
    m_videoEncoder.reset();
    m_output.reset();
    m_videoStream = nullptr;
    m_audioStream = nullptr;
}
