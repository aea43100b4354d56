#ifndef IWIFIRTSPTHREAD_H
#define IWIFIRTSPTHREAD_H

#include <atomic>

#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QQueue>
#include <QSize>
#include <QVariant>

#include <opencv2/core.hpp>

#include "ffmpeg/iavptr.h"
#include "icamerabackend.h"
#include "imjpegdecoder.h"
#include "ipictureconverter.h"
#include "irepeatlog.h"
#include "iwifiprotocol.h"
#include "iwifitimings.h"

class ITcpSocket;
class QTimer;

// The Wi-Fi document camera: its RTSP picture stream is read and decoded on this
// thread; its control link (settings, lamps, resolution, photos) runs on an ITcpSocket.
// All protocol state lives on the thread that owns this object (the GUI thread): the
// socket thread only cuts the byte stream into messages and decodes photos.
class IWifiRtspThread : public ICameraBackend
{
    Q_OBJECT
public:
    using TCPCMD = IWifiProtocol::TCPCMD;

    explicit IWifiRtspThread(QObject* parent = nullptr);
    ~IWifiRtspThread() override;

    // Replaces the time constants; call before openCamera().
    void setTimings(const IWifiLinkTimings& timings) { m_timings = timings; }
    const IWifiLinkTimings& timings() const { return m_timings; }

    virtual QString rtspUrl() const;
    virtual void setRtspUrl(const QString& url);
    bool openCamera() override;
    void closeCamera() override;
    // From the camera's full picture, also while the live one is shown smaller.
    QImage captureImage(ImageType type) override;

    QVariant contrast() const override;
    QVariant saturation() const override;
    QVariant brightness() const override;
    QVariant resolution() const override;
    AutoEdgeData autoEdgeData() const override;
    CameraParameterData cameraParameter() const override;
    QList<QSizeF> supportResolution() const override;

    void setContrast(const QVariant& value) override;
    void setSaturation(const QVariant& value) override;
    void setBrightness(const QVariant& value) override;
    void setResolution(const QVariant& value) override;
    virtual void setVideoStreamFilter(ImageType type);
    virtual void setVideoStreamImage(ImageMode mode);
    virtual void changeVideoStreamImage();
    ImageMode videoStreamImage() const;
    // New lamp state, or -1 while the control link is not ready.
    virtual int changeLamp();
    void setRunFlag(const bool& run) override;
    bool setCaptureFalg(ImageType type) override;
    void setAutoEdgeFlag(const bool& on) override;
    void setAutoFocusFlag(const QVariant& value) override;
    void setAutoExposureFlag(const QVariant& value) override;

    virtual int initrtsp();
    virtual int initconvertctx(const int& width, const int& height);
    virtual bool reopenrtsp();
    virtual void reopentcp();
    virtual void initSocket();
    virtual QByteArray Packet(TCPCMD cmd, QVariant payload);
    // Handles one whole message from the camera; returns it unchanged.
    virtual QByteArray Unpacket(QByteArray message);
    virtual QByteArray resolutionToCmd(QVariant size);
    virtual QVariant cmdToResolution(QByteArray index);
    virtual QImage filterImage(ImageType type, cv::Mat mat);

    static int byteAraryToInt(QByteArray bytes, bool bigEndian);
    // FFmpeg's blocking calls ask this whether to give up: yes once a stop is requested.
    static int interrupt_cb(void* opaque);

    // The camera answered the bind request and the link can carry commands.
    bool isLinkReady() const;
    bool isPhotoPending() const { return m_photoPending; }
    // Microseconds between the last frame's packet arriving and its emission.
    qint64 lastFrameLatencyUs() const { return m_lastLatencyUs.load(); }
    // Video packets read but not decoded because nobody looked at the picture.
    quint64 packetsDropped() const { return m_packetsDropped.load(); }

signals:
    void sgTcpDisconnect();
    void sgFrameLossRate(QString rate);
    void sgChangeResolutionFromOtherApp(QSize size);

public slots:
    void slTimeOut();
    void slTcpError(QString text);
    void slTcpDisconnect();
    void slTcpReceivePacket(QByteArray message);
    void slTcpReceivePhoto(QByteArray header, QImage picture, bool abandoned);

private slots:
    void slPhotoTimeOut();
    void slConnectFailed();
    void slBadBind(QByteArray message);
    void slOutOfStep(QByteArray header);

protected:
    void run() override;
    // The control link's socket thread for a new connection (not yet started).
    virtual ITcpSocket* createSocket();

private:
    void stopReader();
    void releaseStream();
    bool readerPass(AVFrame* frame);
    void emitFrame(AVFrame* frame, qint64 arrivalUs);
    void emitJpeg(const AVPacket* packet, qint64 arrivalUs);
    // Null with shown set when the planes are converted where they are painted.
    QImage shrinkJpeg(const AVPacket* packet, const QSize& size, IShownFrame* shown);
    // The size to make the live picture of a frame of fullSize in format.
    QSize liveSize(const QSize& fullSize, AVPixelFormat format) const;
    // What makes the full picture again, kept while the live one is smaller.
    void keepSource(const AVFrame* frame, const AVPacket* jpeg);
    void publishFrame(QImage image, const QSize& fullSize, qint64 arrivalUs, const IShownFrame& shown = IShownFrame());
    // The last picture at the camera's size (converted again from its kept source when
    // the live picture was smaller); null before the first frame.
    QImage fullPicture() const;
    QImage* framePicture(int width, int height);
    void sendCommand(TCPCMD cmd, const QVariant& payload = QVariant());
    void handleEncodeReply(const QByteArray& message);
    void handleImageQualityReply(const QByteArray& message);
    void handleOtherAppResolution(const QByteArray& message);
    bool setQualityField(QByteArray ImageQualityBlock::*field, ParameterData CameraParameterData::*control,
                         const QVariant& value, const char* name);
    void scheduleReconnect();
    // Asks again for a photo that came back broken, spaced and bounded (see timings).
    void resendPhoto();
    void applyOtherAppResolution();

    IWifiLinkTimings m_timings;

    // Reader state: flags read by the reader thread without the lock.
    mutable QMutex m_stateMutex;
    std::atomic<bool> m_runFlag{true};
    std::atomic<bool> m_stopFlag{false};
    std::atomic<bool> m_autoEdgeFlag{false};
    std::atomic<bool> m_flushPending{false};
    std::atomic<bool> m_freezePending{false}; // a frozen picture still to be shown whole
    std::atomic<qint64> m_lastLatencyUs{0};
    std::atomic<quint64> m_packetsDropped{0};
    bool m_awaitKeyFrame = false;      // reader thread only
    QImage m_currentImage;             // last emitted frame at full size (guarded)
    bool m_lastShrunk = false;         // it was smaller: its source is kept (guarded)
    IAVFramePtr m_lastFrame;           // guarded
    IAVPacketPtr m_lastJpeg;           // guarded
    AutoEdgeData m_autoEdgeData;       // guarded
    ImageType m_captureType = IMAGE_PLAIN; // guarded
    ImageType m_streamFilter = IMAGE_PLAIN; // guarded
    ImageMode m_imageMode = IMAGE_MODE_0;  // guarded
    QTimer* m_flushTimer = nullptr;

    // The reopen rule runs from the last good frame, and the interrupt callback applies it
    // while a read blocks, so a stall is noticed without waiting for a read to time out.
    void markGoodFrame() { m_lastGoodMs = m_streamClock.elapsed(); }
    qint64 msSinceGoodFrame() const { return m_streamClock.elapsed() - m_lastGoodMs.load(); }
    QElapsedTimer m_streamClock;       // started by the constructor, read by both threads
    std::atomic<qint64> m_lastGoodMs{0};
    std::atomic<bool> m_watchingRead{false}; // a packet read is blocking right now
    IRepeatLog m_readErrorLog;
    IRepeatLog m_otherStreamLog;
    int m_streamWidth = 0;
    int m_streamHeight = 0;
    int m_videoStreamIndex = -1;
    IAVInputPtr m_input;
    IAVCodecContextPtr m_decoder;
    IPictureConverter m_converter;     // reader thread only
    IAVFramePtr m_jpegPlanes;          // reader thread only: a header over the decoder's planes
    IAVPacketPtr m_packet;
    static constexpr int FramePoolSize = 4;
    QList<QImage> m_framePool;         // reader thread only
    IMjpegDecoder m_jpegDecoder;       // reader thread only

    // Protocol state: GUI thread only.
    ITcpSocket* m_tcpSocket = nullptr;
    int m_socketGeneration = 0;
    QTimer* m_photoTimer = nullptr;
    QTimer* m_reconnectTimer = nullptr;
    QTimer* m_resendTimer = nullptr;
    QTimer* m_noticeTimer = nullptr;
    QByteArray m_noticeIndex;          // resolution index of the last notice not yet applied
    int m_reconnectDelayMs = 0;
    bool m_awaitingBind = false;
    bool m_photoPending = false;
    quint64 m_photoRequest = 0;        // number of the pending photo request
    qint64 m_photoRequestMs = 0;       // when it was made, on m_linkClock
    qint64 m_lastPhotoSendMs = 0;      // when its last photo command was queued
    int m_photoResendsLeft = 0;
    quint64 m_bytesAtPhotoRequest = 0; // bytes the link had read when the request went out
    // Which query each outstanding 08 00 reply answers (defaults or current values).
    QQueue<TCPCMD> m_qualityQueries;
    bool m_currentQualityKnown = false;
    struct PhotoOnWire
    {
        quint64 request;               // the request a sent photo command answers
        qint64 sentMs;                 // on m_linkClock
    };
    QQueue<PhotoOnWire> m_photosOnWire;
    QElapsedTimer m_linkClock;
    QByteArray m_clientId;
    QVariant m_requestedResolution;
    CameraParameterData m_cameraParameter;
    QList<QSizeF> m_supportResolution;
    EncodeParamBlock m_encodeBlock;
    ImageQualityBlock m_imageQualityBlock;
    int m_lampState = 0;
};

#endif
