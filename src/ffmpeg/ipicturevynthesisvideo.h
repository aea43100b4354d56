#ifndef IPICTUREVYNTHESISVIDEO_H
#define IPICTUREVYNTHESISVIDEO_H

#include <QFile>
#include <QImage>
#include <QMutex>
#include <QSize>
#include <QString>
#include <QThread>
#include <QVector>
#include <QWaitCondition>

#include <atomic>

#include "iavptr.h"

// Turns the pictures of a time-lapse into an H.264 video, one picture per frame at a
// fixed frame rate. Pictures are queued from the GUI thread and encoded on this thread,
// which polls its queue every 500 ms.
class IPictureVynthesisVideo : public QThread
{
    Q_OBJECT
public:
    explicit IPictureVynthesisVideo(QObject* parent = nullptr);
    // Stops and waits for the thread, so a running video is still finalised.
    ~IPictureVynthesisVideo() override;

    // Call once before start(). Sizes are rounded down to even (4:2:0 needs it). Refuses
    // a frame rate below 1 or a size smaller than 2x2, and then keeps nothing.
    bool setConfigures(const QString& path, const int& width, const int& height, const int& fps);
    // Queues one picture as the next frame; ignored once stopped or when null.
    void addPicture(QImage picture);
    // Encodes what is still queued, finalises the file and waits for that. Sets length to
    // the video's length in seconds; returns the file's path, or an empty path when no
    // video was written.
    QString stop(int& length);

    QSize videoSize() const { return QSize(m_width, m_height); }
    // Pictures queued but not yet encoded.
    int pendingPictures() const;
    // Pictures encoded and in the file on disk (synced), readable even after a kill.
    int writtenPictures() const { return m_picturesWritten; }
    // Why the file could not be written (a full disk), empty while all is well. The
    // pictures before the failure stay in the file; later ones are dropped.
    QString writeError() const;

protected:
    void run() override;

private:
    bool openOutputStream(const QString& path);
    bool closeOutputStream();
    // Ends a thread that could not open its output.
    void abandon();
    bool encodePicture(const QImage& picture, AVFrame* target, int64_t index);
    // A null frame drains the encoder.
    bool encodeFrame(AVFrame* frame);
    void setWriteError(int code);

    int m_pictureCount = 0;
    bool m_firstPicture = true;
    QString m_filePath;
    std::atomic<bool> m_stop{false};
    int m_width = 0;
    int m_height = 0;
    int m_fps = 0;
    mutable QMutex m_mutex;
    QWaitCondition m_wake;
    QVector<QImage> m_queue;
    bool m_failed = false; // guarded by m_mutex
    QString m_writeError;  // guarded by m_mutex
    std::atomic<int> m_picturesWritten{0};
    QFile m_syncFile;
    int m_videoStreamIndex = -1;

    const AVCodec* m_codec = nullptr;
    AVStream* m_stream = nullptr;
    AVCodecID m_codecId = AV_CODEC_ID_H264;
    IAVFormatPtr m_formatCtx;
    IAVIOPtr m_file;
    IAVCodecContextPtr m_codecCtx;
    IAVPacketPtr m_packet;
    ISwsContextPtr m_convert;
    QSize m_convertSize;

    bool m_fileCreated = false;
    bool m_headerWritten = false;
    int m_packetsWritten = 0;
    IWholeFragmentMark m_whole;
    // Set by the thread when the file holds a finished video; read after wait().
    std::atomic<bool> m_written{false};
};

#endif
