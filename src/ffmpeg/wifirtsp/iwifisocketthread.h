#ifndef IWIFISOCKETTHREAD_H
#define IWIFISOCKETTHREAD_H

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QSizeF>
#include <QThread>
#include <QVariant>

#include <atomic>

#include "icameraparameter.h"
#include "icameratypes.h"
#include "iwifiprotocol.h"
#include "iwifitimings.h"

#include <opencv2/core.hpp>

class ITcpSocket;
class QTimer;

// The Wi-Fi camera through its control link alone: no picture stream, only the
// full-resolution photos it sends over the link, its colour settings, resolution and
// autofocus. Nothing goes out before the camera has bound the link, and the back end
// reports itself opened only once it has.
class IWifiSocketThread : public QThread
{
    Q_OBJECT
public:
    using TCPCMD = IWifiProtocol::TCPCMD;

    explicit IWifiSocketThread(QObject* parent = nullptr,
                               const IWifiLinkTimings& timings = IWifiLinkTimings());
    ~IWifiSocketThread() override;

    virtual QString rtspUrl();
    virtual void setRtspUrl(const QString& url);
    virtual void openCamera();
    virtual QImage captureImage(ImageType type);
    virtual QVariant contrast();
    virtual QVariant saturation();
    virtual QVariant brightness();
    virtual QVariant resolution();
    virtual AutoEdgeData autoEdgeData();
    virtual CameraParameterData cameraParameter();
    virtual QList<QSizeF> supportResolution();
    virtual void setContrast(const QVariant& value);
    virtual void setSaturation(const QVariant& value);
    virtual void setBrightness(const QVariant& value);
    virtual void setResolution(const QVariant& value);
    virtual void setRunFlag(const bool& flag);
    // Asks the camera for a photo. Refused (answered with a null picture) until the
    // link is bound.
    virtual void setCaptureFalg(ImageType type);
    virtual void setAutoEdgeFlag(const bool& flag);
    virtual void setAutoFocusFlag(const bool& flag);
    virtual void initSocket();
    virtual QByteArray Packet(TCPCMD cmd, QVariant payload);
    virtual QByteArray Unpacket(QByteArray reply);
    // This camera's size table: index 0A is 3264 x 2440. Unmatched sizes give an
    // empty index, unmatched indexes an invalid size.
    virtual QByteArray resolutionToCmd(QVariant size);
    virtual QVariant cmdToResolution(QByteArray index);
    virtual QImage filterImage(ImageType type, cv::Mat mat);

    int byteAraryToInt(QByteArray bytes, bool bigEndian) { return IWifiProtocol::byteAraryToInt(bytes, bigEndian); }
    bool isBound() const { return m_bound.load(); }
    QByteArray clientId() const;

signals:
    void sgError(int code);
    void sgCameraFrame(QImage image);
    void sgCaptureImage(QImage image);

public slots:
    void slTcpError(QString text);
    void slTcpDisconnect();
    void slTcpReceivePacket(QByteArray reply);

protected:
    void run() override;

private:
    void send(TCPCMD cmd, const QVariant& payload = QVariant());
    void setQuality(QByteArray ImageQualityBlock::*field, ParameterData CameraParameterData::*control,
                    const QVariant& value);
    void onPhoto(const QByteArray& header, const QImage& picture);
    void onBound();
    void scheduleReconnect();
    void reportOpened();

    mutable QMutex m_mutex; // flags, capture type, parameters, blocks and client id
    bool m_runFlag = true;
    std::atomic<bool> m_exit{false};
    bool m_autoEdge = false;
    ImageType m_captureType = IMAGE_PLAIN;
    bool m_awaitingBind = true;
    QByteArray m_clientId;
    ITcpSocket* m_tcpSocket = nullptr;
    QVariant m_requestedResolution;
    AutoEdgeData m_autoEdgeData;
    CameraParameterData m_cameraParameter;
    QList<QSizeF> m_supportResolution;
    EncodeParamBlock m_encodeBlock;
    ImageQualityBlock m_imageQualityBlock;
    IWifiLinkTimings m_timings;
    QTimer* m_reconnectTimer = nullptr;
    int m_reconnectDelayMs = 0;
    int m_generation = 0;
    std::atomic<bool> m_bound{false};
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_openedReported{false};
};

#endif
