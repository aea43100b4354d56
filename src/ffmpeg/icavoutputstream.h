#ifndef ICAVOUTPUTSTREAM_H
#define ICAVOUTPUTSTREAM_H

#include <QMutex>
#include <QObject>
#include <QString>
#include <QVector>
#include <QWaitCondition>
#include <atomic>
#include <deque>

#include "ffmpeg/iavptr.h"

// Encoder and muxer of the screen recorder: H.264 pictures and AAC sound into one file
// (mp4 by default). The file is fragmented: four times a second the loop cuts a fragment
// and flushes it to the file, which plays from its first fragment on, so a recording whose
// process is killed loses at most the last second or two, whatever is on screen.
// Pictures and sound are queued by the capture threads and encoded by one loop
// (startEncode) on the encoder thread; pictures never wait for sound.
class ICAVOutputStream : public QObject
{
    Q_OBJECT
public:
    explicit ICAVOutputStream(QObject* parent = nullptr);
    ~ICAVOutputStream() override;

    // A codec id of AV_CODEC_ID_NONE leaves that stream out. Both are cleared when the
    // file is closed, so each recording states its own.
    void setVideoCodecProp(AVCodecID codecId, int fps, int bitRate, int gop, int width, int height,
                           AVPixelFormat format);
    void setAudioCodecProp(AVCodecID codecId, int sampleRate, int channels, int bitRate);
    // Opens the file and writes its header; on failure releases everything and removes
    // the file.
    bool openOutputStream(const QString& path);
    // Why the last openOutputStream could not make the file or write its header (an
    // AVERROR such as AVERROR(EACCES)); 0 when it opened or failed for another cause.
    int openError() const { return m_openError; }
    bool try_hw_encode();
    // Flushes, writes the trailer and closes; false when any write of the file failed.
    bool closeOutputStream();

    // Video thread: queues a reference to the picture; what the queue's bounds drop is
    // counted.
    int write_video_frame(AVFrame* frame, qint64 stamp);
    // Microphone thread: converts the samples into the sound queue at the place their
    // stamp gives them, after silence for any gap. -1 once the sound has ended: samples
    // that could not be queued end it (logged), so none that follow are moved.
    int write_audio_frame(AVFrame* frame, qint64 stamp);
    // Encoder thread: the whole encoding loop of one recording; returns once the file is
    // finalised, after a stop.
    int startEncode();
    int stopEncode();
    // The source converted into a new buffer in that pixel format, laid over target; the
    // caller frees the buffer with av_free. Null when it cannot be converted.
    static uint8_t* AVFrameSwicth(AVFrame* source, AVFrame* target, AVPixelFormat format);

    // Where the sound of the recording is missing while the picture goes on, in
    // microseconds of the recording: from to back (-1: to the end). failed: the recorder
    // itself could not take it on. In order; complete once startEncode has returned.
    struct SoundGap
    {
        qint64 from = -1;
        qint64 back = -1;
        bool failed = false;
    };
    QVector<SoundGap> soundGaps() const;
    // The end of the recording's last picture (microseconds), once startEncode has
    // returned; -1 before.
    qint64 recordingEnd() const;
    // Sound missing for this long is told; shorter gaps are the microphone's hiccups,
    // silence at their place all the same.
    static const qint64 SOUND_GAP_MICROSECONDS = 500000;
    // Sound this far from its place is moved there (silence, or samples left out); less
    // is taken up by stretching or squeezing the sound by at most MAX_STRETCH_PERCENT.
    static const qint64 STEP_MICROSECONDS = 20000;
    static const int MAX_STRETCH_PERCENT = 1;

    bool hasSound() const { return m_hasSound; }
    QString outputPath() const { return m_path; }
    // For this recording so far.
    qint64 videoFramesWritten() const { return m_videoFramesWritten; }
    qint64 videoFramesDropped() const { return m_videoFramesDropped; }
    // Pictures left out because they came more than a frame after their time.
    qint64 videoFramesMerged() const { return m_videoFramesMerged; }

    // Bounds of the picture queue. At most MAX_QUEUED_MICROSECONDS of recording wait there,
    // which a kill loses on top of the encoder's delay and the last fragment (2 s in all
    // at most). MAX_QUEUED_PICTURES bounds the memory (about 130 MB at 1920x1080) and what
    // waits while the encoder lags behind for long; a full queue thins itself out, so a
    // held-up encoder loses pictures spread over the stall, not a run of them.
    static const qint64 MAX_QUEUED_MICROSECONDS = 1000000;
    static const int MAX_QUEUED_PICTURES = 16;

signals:
    // From the encoder thread once the file is closed.
    void sgEncodeFinished(bool ok, QString path);
    // From the encoder thread at the first failed write of the file, with its AVERROR
    // (the system's reason, e.g. AVERROR(ENOSPC)); sgEncodeFinished comes later.
    void sgWriteFailed(int code);

private:
    struct QueuedPicture
    {
        IAVFramePtr frame;
        qint64 stamp = 0;
    };

    bool openVideoEncoder();
    bool openAudioEncoder();
    void releaseAll();
    // Drops queued pictures (under the queue's mutex) until the queue is within its
    // bounds; returns how many.
    int thinQueue();
    bool encodeVideo(AVFrame* frame, qint64 stamp);
    // Encodes the next samples queued for the sound; false ends the sound.
    bool encodeAudio(int samples);
    // Queues that many samples of silence (the encoder's rate) for the sound. Only their
    // count is kept: they are made a frame at a time as they are encoded, so a silence of
    // any length costs no memory.
    bool writeSilence(qint64 samples);
    // Fills the frame from the front of the queue (under m_fifoMutex).
    bool takeQueuedSound(AVFrame* frame);
    // Queues converted samples (the encoder's format) behind what is queued.
    bool queueSamples(uint8_t** data, int samples);
    // Samples queued for the sound, silence included.
    qint64 queuedSound();
    // After a failure: the sound stops where it got to, and what would have followed is
    // dropped, not queued after a hole that would shift it.
    void endSound(const char* why);
    // At the end: silence after the sound up to the end of the last picture, so the sound
    // does not stop before the picture does. A long one is noted as the sound's gap.
    void padSoundToLastPicture();
    // Adds a gap of the sound (under m_fifoMutex).
    void noteGap(qint64 from, qint64 back, bool failed);
    // The end of what the sound encoder has taken and has queued, in its samples.
    qint64 soundEnd();
    // Sends frame (null = flush) and writes every packet that comes out.
    bool sendAndWrite(AVCodecContext* encoder, AVStream* stream, AVFrame* frame);
    // A picture's packet is written once the next one is out, with the time up to it as
    // its duration; the last one (flush) gets a frame slot.
    void writeVideoPacket(AVPacket* packet);
    void writeHeldVideo(qint64 duration);
    void writePacket(AVPacket* packet);
    // Puts everything written so far into the file as one complete fragment.
    void cutFragment();
    void noteWrite(int ret);

    AVPixelFormat m_pixelFormat = AV_PIX_FMT_YUV420P;
    int m_fps = 0;
    int m_videoBitRate = 0;
    int m_gop = 0;
    int m_width = 0;
    int m_height = 0;
    int m_sampleRate = 0;
    int m_channels = 0;
    int m_audioBitRate = 0;
    AVCodecID m_videoCodecId = AV_CODEC_ID_NONE;
    AVCodecID m_audioCodecId = AV_CODEC_ID_NONE;

    QString m_path;
    IAVFormatPtr m_format;
    IAVIOPtr m_io;
    IAVCodecContextPtr m_videoEncoder;
    IAVCodecContextPtr m_audioEncoder;
    AVStream* m_videoStream = nullptr;
    AVStream* m_audioStream = nullptr;
    IAVFramePtr m_target;
    ISwsContextPtr m_scaler;
    int m_scalerWidth = 0;
    int m_scalerHeight = 0;
    int m_scalerFormat = -1;
    ISwrContextPtr m_resampler;
    IAVAudioFifoPtr m_fifo;
    // What the sound encoder takes next, in order: runs of silence and runs of samples
    // waiting in m_fifo (under m_fifoMutex).
    struct SoundRun
    {
        bool silent = false;
        qint64 samples = 0;
    };
    std::deque<SoundRun> m_soundRuns;
    qint64 m_soundQueued = 0;
    QVector<SoundGap> m_gaps;
    qint64 m_recordingEnd = -1;
    IAVPacketPtr m_packet;
    IAVPacketPtr m_heldVideo;  // empty (no data) when none is held
    int m_audioFrameSize = 0;
    // Samples taken by the sound encoder (under m_fifoMutex: a failure on the microphone
    // thread reads it).
    qint64 m_audioSamples = 0;
    // The sound encoder's lead-in (encoder samples): its first packet starts that much
    // before the first sample given to it.
    qint64 m_audioLead = 0;
    // Samples (the encoder's rate) put on the time line before the converter's delay, from
    // the start (microphone thread only).
    qint64 m_placedSamples = 0;
    qint64 m_lastVideoPts = -1;
    // Monotonic time of the last fragment cut, and packets written since.
    qint64 m_lastCut = 0;
    int m_packetsSinceCut = 0;

    std::atomic<bool> m_open{false};
    std::atomic<bool> m_stop{false};
    // Sound is taken only after the first picture, so the file starts with a picture.
    std::atomic<bool> m_pictureSeen{false};
    std::atomic<bool> m_hasSound{false};
    std::atomic<bool> m_soundEnded{false};
    bool m_writeFailed = false;
    IWholeFragmentMark m_whole;
    int m_openError = 0;
    std::atomic<qint64> m_videoFramesWritten{0};
    std::atomic<qint64> m_videoFramesDropped{0};
    std::atomic<qint64> m_videoFramesMerged{0};

    QMutex m_queueMutex;
    QWaitCondition m_queueWake;
    std::deque<QueuedPicture> m_pictures;
    mutable QMutex m_fifoMutex;
};

#endif
