// The Wi-Fi camera's control protocol and the settings sent over it. Everything here
// runs on the thread that owns the back end; the socket thread delivers messages queued.

#include "iwifirtspthread.h"

#include <QDebug>
#include <QMutexLocker>
#include <QTimer>

#include "iglobal.h"
#include "itcpsocket.h"
#include "opencv/iopencvapi.h"

void IWifiRtspThread::initSocket()
{
    if (m_tcpSocket) {
        m_tcpSocket->disconnect(this);
        disconnect(this, &IWifiRtspThread::sgTcpDisconnect, this, &IWifiRtspThread::slTcpDisconnect);
        delete m_tcpSocket;
        m_tcpSocket = nullptr;
    }
    m_reconnectTimer->stop();
    m_clientId.clear();
    m_awaitingBind = true;
    // Photo commands of the old connection will never be answered.
    m_photosOnWire.clear();

    // Messages still queued from an old socket carry an old generation and are ignored.
    const int generation = ++m_socketGeneration;
    m_tcpSocket = new ITcpSocket(cameraHost(), cameraControlPort(), m_timings);
    connect(m_tcpSocket, &ITcpSocket::sgError, this, &IWifiRtspThread::slTcpError);
    connect(m_tcpSocket, &ITcpSocket::sgDisconnect, this, [this, generation] {
        if (generation == m_socketGeneration)
            slTcpDisconnect();
    });
    connect(m_tcpSocket, &ITcpSocket::sgConnectFailed, this, [this, generation] {
        if (generation == m_socketGeneration)
            slConnectFailed();
    });
    connect(m_tcpSocket, &ITcpSocket::sgReceivePacket, this, [this, generation](QByteArray message) {
        if (generation == m_socketGeneration)
            slTcpReceivePacket(message);
    });
    connect(m_tcpSocket, &ITcpSocket::sgReceivePhoto, this,
            [this, generation](QByteArray header, QImage picture) {
                if (generation == m_socketGeneration)
                    slTcpReceivePhoto(header, picture);
            });
    connect(this, &IWifiRtspThread::sgTcpDisconnect, this, &IWifiRtspThread::slTcpDisconnect,
            Qt::UniqueConnection);
    m_tcpSocket->start();
}

void IWifiRtspThread::reopentcp()
{
    initSocket();
}

bool IWifiRtspThread::isLinkReady() const
{
    return m_tcpSocket && !m_awaitingBind && !m_clientId.isEmpty();
}

void IWifiRtspThread::slTcpError(QString text)
{
    qDebug() << Q_FUNC_INFO << "wifi tcp socket error: " << text;
}

void IWifiRtspThread::slTcpDisconnect()
{
    // A bound link is rebuilt at once; a peer that drops us before binding would
    // otherwise be reconnected in a tight loop, so that backs off.
    if (m_clientId.isEmpty()) {
        scheduleReconnect();
        return;
    }
    initSocket();
}

void IWifiRtspThread::slConnectFailed()
{
    scheduleReconnect();
}

void IWifiRtspThread::scheduleReconnect()
{
    m_reconnectDelayMs = m_reconnectDelayMs <= 0
        ? m_timings.reconnectMinMs
        : qMin(m_reconnectDelayMs * 2, m_timings.reconnectMaxMs);
    qDebug() << Q_FUNC_INFO << "control link retry in ms: " << m_reconnectDelayMs;
    m_reconnectTimer->start(m_reconnectDelayMs);
}

QByteArray IWifiRtspThread::Packet(TCPCMD cmd, QVariant payload)
{
    return IWifiProtocol::packet(m_clientId, cmd, payload);
}

QByteArray IWifiRtspThread::resolutionToCmd(QVariant size)
{
    return IWifiProtocol::resolutionToCmd(size);
}

QVariant IWifiRtspThread::cmdToResolution(QByteArray index)
{
    return IWifiProtocol::cmdToResolution(index);
}

void IWifiRtspThread::sendCommand(TCPCMD cmd, const QVariant& payload)
{
    if (!m_tcpSocket)
        return;
    if (cmd == IWifiProtocol::TakePhoto)
        m_photosOnWire.enqueue({m_photoRequest, m_linkClock.elapsed()});
    m_tcpSocket->sendMessageToServer(Packet(cmd, payload));
}

void IWifiRtspThread::slTcpReceivePacket(QByteArray message)
{
    Unpacket(message);
}

QByteArray IWifiRtspThread::Unpacket(QByteArray message)
{
    if (m_awaitingBind) {
        m_awaitingBind = false;
        if (message.size() != 2) {
            qDebug() << Q_FUNC_INFO << "bind port error.";
            return message;
        }
        m_clientId = message;
        m_reconnectDelayMs = 0;
        qDebug() << Q_FUNC_INFO << "bind port success: " << message.toHex();
        if (!m_photoPending) {
            sendCommand(IWifiProtocol::QueryEncode);
            sendCommand(IWifiProtocol::QueryDefaultImageQuality);
        } else {
            qDebug() << Q_FUNC_INFO << "拍照超时：重连成功，发送拍照命令!";
            sendCommand(IWifiProtocol::TakePhoto);
        }
        return message;
    }

    const QByteArray id = IWifiProtocol::replyId(message);
    const QByteArray code = IWifiProtocol::replyCode(message);
    const QByteArray state = IWifiProtocol::replyState(message).toHex();
    if (!m_clientId.isEmpty() && id == m_clientId) {
        const int c = code.size() == 2 && code.at(1) == 0 ? quint8(code.at(0)) : -1;
        switch (c) {
        case 0x01: qDebug() << Q_FUNC_INFO << "autofocus state: " << state; break;
        case 0x02: qDebug() << Q_FUNC_INFO << "top lamp state: " << state; break;
        case 0x03: qDebug() << Q_FUNC_INFO << "wall lamp state: " << state; break;
        case 0x04:
            qDebug() << Q_FUNC_INFO << "lamp state: " << state;
            qDebug() << Q_FUNC_INFO << "top lamp: " << IWifiProtocol::field(message, 5, 1).toHex();
            break;
        case 0x05: qDebug() << Q_FUNC_INFO << "image encod state: " << state; break;
        case 0x06: handleEncodeReply(message); break;
        case 0x07: qDebug() << Q_FUNC_INFO << "image quality state: " << state; break;
        case 0x08: handleImageQualityReply(message); break;
        default:
            qDebug() << Q_FUNC_INFO << "invalid tcp packet. cmdindex: " << code.toHex()
                     << IWifiProtocol::hexForLog(message);
            break;
        }
    } else if (id == IWifiProtocol::otherAppClientId()) {
        if (code == QByteArray::fromHex("1000"))
            handleOtherAppResolution(message);
    } else {
        qDebug() << Q_FUNC_INFO << "invalid tcp packet. clientid: " << id.toHex()
                 << IWifiProtocol::hexForLog(message);
    }
    return message;
}

void IWifiRtspThread::handleEncodeReply(const QByteArray& m)
{
    const QByteArray rateCtrl = IWifiProtocol::field(m, 5, 1);
    const QByteArray idr = IWifiProtocol::field(m, 6, 1);
    const QByteArray frameRate = IWifiProtocol::field(m, 7, 1);
    const QByteArray resIndex = IWifiProtocol::field(m, 8, 1);
    const QByteArray bitRate = IWifiProtocol::field(m, 9, 4);
    qDebug() << Q_FUNC_INFO << "image encod state: " << IWifiProtocol::replyState(m).toHex();

    const QVariant reported = cmdToResolution(resIndex);
    if (!reported.isValid()) {
        qDebug() << Q_FUNC_INFO << "unknown resolution index ignored: " << resIndex.toHex();
    } else {
        const QSize size = reported.toSizeF().toSize();
        if (size != g_camera_resolution) {
            g_camera_resolution = size;
            emit sgChangeResolutionFromOtherApp(g_camera_resolution);
            qDebug() << Q_FUNC_INFO << "start app sync resolution: " << size;
        }
    }
    qDebug() << Q_FUNC_INFO << "RateCtrl: " << rateCtrl.toHex() << "IDR: " << idr.toHex()
             << "FrameRate: " << frameRate.toHex() << "ResIndex: " << resIndex.toHex()
             << "BitRate: " << bitRate.toHex();

    // Only a whole reply can fill the block, or command 5 would go out short.
    if (m_encodeBlock.BitRate.isEmpty() && m.size() >= 13 && reported.isValid()) {
        const QByteArray requested = resolutionToCmd(m_requestedResolution);
        m_encodeBlock.RateCtrl = rateCtrl;
        m_encodeBlock.IDR = idr;
        m_encodeBlock.FrameRate = QByteArray(1, char(0x1E));
        m_encodeBlock.ResIndex = requested.isEmpty() ? resIndex : requested;
        m_encodeBlock.BitRate = QByteArray(4, char(0xFF));
    }
}

void IWifiRtspThread::handleImageQualityReply(const QByteArray& m)
{
    QByteArray b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = IWifiProtocol::field(m, 5 + i, 1);
    qDebug() << Q_FUNC_INFO << "image quality state: " << IWifiProtocol::replyState(m).toHex();
    qDebug() << Q_FUNC_INFO << "brightness: " << b[0].toHex() << "saturation: " << b[1].toHex()
             << "contrast: " << b[2].toHex() << "definition: " << b[3].toHex()
             << "antiflash: " << b[4].toHex() << "exposure: " << b[5].toHex()
             << "focus: " << b[6].toHex() << "reserve: " << b[7].toHex();
    if (m.size() < 13) {
        qDebug() << Q_FUNC_INFO << "short image quality reply ignored: " << IWifiProtocol::hexForLog(m);
        return;
    }
    auto value = [&](int i) { return int(quint8(b[i].at(0))); };
    CameraParameterData& p = m_cameraParameter;
    if (m_imageQualityBlock.antiflash.isEmpty()) {
        ImageQualityBlock& q = m_imageQualityBlock;
        q.brightness = b[0]; q.saturation = b[1]; q.contrast = b[2]; q.definition = b[3];
        q.antiflash = b[4]; q.exposure = b[5]; q.focus = b[6]; q.reserve = b[7];
        p.brightness.defaultValue = value(0);
        p.saturation.defaultValue = value(1);
        p.contrast.defaultValue = value(2);
        p.exposure.defaultValue = value(5);
        p.focus.defaultValue = value(6);
        qDebug() << Q_FUNC_INFO << "获取摄像头默认参数: " << IWifiProtocol::hexForLog(m)
                 << value(0) << value(1) << value(2) << value(5) << value(6);
        sendCommand(IWifiProtocol::QueryImageQuality);
        return;
    }
    const bool untouched = p.brightness.currentValue.toDouble() == 0.0
        && p.saturation.currentValue.toDouble() == 0.0 && p.contrast.currentValue.toDouble() == 0.0
        && p.exposure.currentValue.toDouble() == 0.0 && p.focus.currentValue.toDouble() == 0.0;
    if (!untouched)
        return;
    p.brightness.currentValue = value(0);
    p.saturation.currentValue = value(1);
    p.contrast.currentValue = value(2);
    p.exposure.currentValue = value(5);
    p.focus.currentValue = value(6);
    qDebug() << Q_FUNC_INFO << "获取摄像头当前参数: " << IWifiProtocol::hexForLog(m)
             << value(0) << value(1) << value(2) << value(5) << value(6);
}

void IWifiRtspThread::handleOtherAppResolution(const QByteArray& m)
{
    const QVariant reported = cmdToResolution(IWifiProtocol::field(m, 8, 1));
    if (!reported.isValid()) {
        qDebug() << Q_FUNC_INFO << "unknown resolution index ignored: " << IWifiProtocol::hexForLog(m);
        return;
    }
    const QSize size = reported.toSizeF().toSize();
    if (size == g_camera_resolution)
        return;
    qDebug() << Q_FUNC_INFO << "other app chaneg resolution: " << g_camera_resolution << size;
    g_camera_resolution = size;
    emit sgChangeResolutionFromOtherApp(g_camera_resolution);
}

void IWifiRtspThread::slTcpReceivePhoto(QByteArray header, QImage picture)
{
    // Only a photo addressed to this client answers its photo command.
    const QByteArray id = IWifiProtocol::replyId(header);
    if (m_clientId.isEmpty() || id != m_clientId) {
        if (id != IWifiProtocol::otherAppClientId())
            qDebug() << Q_FUNC_INFO << "invalid tcp packet. clientid: " << id.toHex()
                     << IWifiProtocol::hexForLog(header);
        return;
    }
    // Photos answer photo commands in the order sent; one sent for an abandoned
    // request must not answer a newer one.
    // A command older than the photo time-out has had its chance: its reply was lost,
    // and counting it would make every later photo look late.
    const qint64 now = m_linkClock.elapsed();
    while (!m_photosOnWire.isEmpty() && now - m_photosOnWire.head().sentMs >= m_timings.photoTimeoutMs)
        m_photosOnWire.dequeue();
    const quint64 answers = m_photosOnWire.isEmpty() ? 0 : m_photosOnWire.dequeue().request;
    const bool current = m_photoPending && answers == m_photoRequest;
    if (!current) {
        qDebug() << Q_FUNC_INFO << "late photo dropped";
        return;
    }
    if (picture.isNull()) {
        sendCommand(IWifiProtocol::TakePhoto);
        qDebug() << Q_FUNC_INFO << "拍照超时：TCP接收数据包不全，重新发送拍照命令!";
        return;
    }
    ImageType type;
    {
        QMutexLocker lock(&m_stateMutex);
        type = m_captureType;
    }
    const QImage filtered = filterImage(type, IOpencvApi::cvImage2Mat(picture));
    if (filtered.isNull()) {
        // A photo that cannot be used is a failed photo, not a silent one.
        slPhotoTimeOut();
        return;
    }
    m_photoPending = false;
    qDebug() << Q_FUNC_INFO << "picture state: " << IWifiProtocol::replyState(header).toHex()
             << "data size: " << IWifiProtocol::byteAraryToInt(header.mid(5, 4), false);
    emit sgCaptureImage(filtered);
}

void IWifiRtspThread::slPhotoTimeOut()
{
    qDebug() << Q_FUNC_INFO << "10秒定时器---------------->" << (m_photoPending ? "true" : "false");
    if (m_photoPending) {
        m_photoPending = false;
        qDebug() << Q_FUNC_INFO << "一次拍照失败，提示!" << "false";
        emit sgCaptureImage(QImage());
    }
    m_photoTimer->stop();
}

bool IWifiRtspThread::setQualityField(QByteArray ImageQualityBlock::*field,
                                      ParameterData CameraParameterData::*control,
                                      const QVariant& value, const char* name)
{
    // The command carries the whole block: before the camera reported it, it would be short.
    if (!isLinkReady() || m_imageQualityBlock.antiflash.isEmpty())
        return false;
    QByteArray byte;
    if (!IWifiProtocol::valueToBlockByte(value, &byte)) {
        qDebug() << Q_FUNC_INFO << "value out of range refused: " << name << value;
        return false;
    }
    (m_cameraParameter.*control).currentValue = value;
    m_imageQualityBlock.*field = byte;
    sendCommand(IWifiProtocol::SetImageQuality, m_imageQualityBlock.payload());
    return true;
}

void IWifiRtspThread::setContrast(const QVariant& value)
{
    setQualityField(&ImageQualityBlock::contrast, &CameraParameterData::contrast, value, "contrast");
}

void IWifiRtspThread::setSaturation(const QVariant& value)
{
    setQualityField(&ImageQualityBlock::saturation, &CameraParameterData::saturation, value, "saturation");
}

void IWifiRtspThread::setBrightness(const QVariant& value)
{
    setQualityField(&ImageQualityBlock::brightness, &CameraParameterData::brightness, value, "brightness");
}

void IWifiRtspThread::setAutoFocusFlag(const QVariant& value)
{
    if (!isLinkReady())
        return;
    if (value.toInt() == -999) {
        sendCommand(IWifiProtocol::AutoFocus);
        return;
    }
    if (setQualityField(&ImageQualityBlock::focus, &CameraParameterData::focus, value, "focus"))
        qDebug() << Q_FUNC_INFO << "focus-->" << value;
}

void IWifiRtspThread::setAutoExposureFlag(const QVariant& value)
{
    if (!isLinkReady() || value.toInt() == -999)
        return;
    if (setQualityField(&ImageQualityBlock::exposure, &CameraParameterData::exposure, value, "exposure"))
        qDebug() << Q_FUNC_INFO << "exposure-->" << value;
}

void IWifiRtspThread::setResolution(const QVariant& value)
{
    const QByteArray index = resolutionToCmd(value);
    if (index.isEmpty()) {
        qDebug() << Q_FUNC_INFO << "resolution the camera does not offer refused: " << value;
        return;
    }
    if (!m_requestedResolution.isValid())
        m_requestedResolution = value;
    if (!isLinkReady())
        return;
    m_requestedResolution = value;
    // Command 5 carries the whole encode block; until the camera reported it, the
    // request waits in the block's first filling instead of going out short.
    if (m_encodeBlock.BitRate.isEmpty())
        return;
    m_encodeBlock.ResIndex = index;
    sendCommand(IWifiProtocol::SetEncode, m_encodeBlock.payload());
}

int IWifiRtspThread::changeLamp()
{
    if (!isLinkReady())
        return -1;
    m_lampState = m_lampState > 3 ? 0 : m_lampState + 1;
    const auto lamp = [this](TCPCMD cmd, char setting) { sendCommand(cmd, QByteArray(1, setting)); };
    switch (m_lampState) {
    case 1: lamp(IWifiProtocol::TopLamp, 1); break;
    case 2: lamp(IWifiProtocol::WallLamp, 1); break;
    case 3: lamp(IWifiProtocol::WallLamp, 2); break;
    case 4: lamp(IWifiProtocol::WallLamp, 3); break;
    default:
        lamp(IWifiProtocol::TopLamp, 0);
        lamp(IWifiProtocol::WallLamp, 0);
        break;
    }
    return m_lampState;
}

bool IWifiRtspThread::setCaptureFalg(ImageType type)
{
    if (m_photoPending) {
        qDebug() << Q_FUNC_INFO << "上次拍照还未结束，不处理。。。";
        return false;
    }
    {
        QMutexLocker lock(&m_stateMutex);
        m_captureType = type;
    }
    if (!isLinkReady())
        return false;
    qDebug() << Q_FUNC_INFO << "tcp socket take image request.";
    ++m_photoRequest;
    m_photoPending = true;
    sendCommand(IWifiProtocol::TakePhoto);
    m_photoTimer->stop();
    m_photoTimer->start(m_timings.photoTimeoutMs);
    return true;
}
