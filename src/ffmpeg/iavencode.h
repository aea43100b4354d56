#ifndef IAVENCODE_H
#define IAVENCODE_H

#include <QMutex>
#include <QObject>
#include <QReadWriteLock>
#include <QString>

#include <atomic>
#include <deque>
#include <vector>

#include "ffmpeg/iavptr.h"

struct AVAudioFifo;
struct SwrContext;

// A single-class encoder: pictures and microphone sound are queued from their own
// threads, and one loop on the encoding thread interleaves, encodes and writes them into
// one video file (H.264 with AAC, MP2 in avi) until it is told to stop; then it drains
// what is queued, flushes both encoders and finalises the file.
class IAVEncode : public QObject
{
    Q_OBJECT
public:
    static constexpr int kPictureCapacity = 200;

    static IAVEncode* instance();
    static void destroyInstance();

    // Where sound comes from: an FFmpeg input device and its address. By default the
    // platform's microphone (PulseAudio, else ALSA, on Linux).
    void setSoundInput(const QString& format, const QString& url);

    virtual int OpenOutputFile(char* filename, int fps, int width, int height, int x264Options, int bitRateKbps,
                               bool withSound, int sampleRate, int channels, int bitsPerSample, int);
    virtual int CloseOutputFile();
    virtual int Add_video_frame(AVFrame* frame, qint64 stamp);
    virtual int Add_audio_frame(AVFrame*, qint64);
    virtual int StartAvEncode(const bool&);
    virtual int StopAvEncode();

    bool isOpened() const { return m_opened; }
    int queuedPictures();
    // False when a write, a flush or the trailer failed for the last file.
    bool lastFileComplete() const { return m_fileComplete; }

protected:
    explicit IAVEncode(QObject* parent = nullptr);
    ~IAVEncode() override;

private:
    bool openSound(int sampleRate, int channels);
    bool encodeVideo(AVFrame* frame);
    bool encodeAudio(AVFrame* frame);
    bool drainEncoder(AVCodecContext* encoder, AVStream* stream);
    bool audioFrameFromFifo(int samples);
    int audioFrameSize() const;
    void release();
    int closeLocked();

    // Held shared by the feeding calls while they use the encoder's objects, and
    // exclusively while those are made or freed, so a stop never frees them under a feed.
    QReadWriteLock m_lifetime;
    QMutex m_pictureMutex;
    QMutex m_soundMutex;
    qint64 m_pictureSize = -1;
    qint64 m_pictureEntrySize = -1;

    IAVFramePtr m_encodeFrame;
    IAVInputPtr m_soundInput;
    IAVCodecContextPtr m_soundDecoder;
    IAVFormatPtr m_output;
    IAVIOPtr m_file;
    AVStream* m_videoStream = nullptr;
    AVStream* m_audioStream = nullptr;
    IAVCodecContextPtr m_videoEncoder;
    IAVCodecContextPtr m_audioEncoder;
    SwrContext* m_resampler = nullptr;
    std::deque<std::vector<uint8_t>> m_pictures; // YUV 4:2:0 planes + 8-byte stamp
    AVAudioFifo* m_samples = nullptr;
    int m_videoIndex = 0;
    int m_audioIndex = 1;
    qint64 m_videoFrames = 0;
    qint64 m_audioSamples = 0;
    int m_fps = 25;
    std::atomic<bool> m_opened{false};
    std::atomic<int> m_firstPicture{0};
    int m_stampSize = 8;
    std::atomic<bool> m_sound{true};
    std::atomic<bool> m_quit{false};
    bool m_fileComplete = true;
    QString m_soundFormat;
    QString m_soundUrl;

    static IAVEncode* s_instance;
};

#endif
