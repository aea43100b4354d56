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
    m_resendTimer->stop();
    m_clientId.clear();
    m_awaitingBind = true;
    // Commands of the old connection will never be answered.
    m_photosOnWire.clear();
    m_qualityQueries.clear();

    // Messages still queued from an old socket carry an old generation and are ignored.
    const int generation = ++m_socketGeneration;
    m_tcpSocket = createSocket();
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
            [this, generation](QByteArray header, QImage picture, bool abandoned) {
                if (generation == m_socketGeneration)
                    slTcpReceivePhoto(header, picture, abandoned);
            });
    connect(m_tcpSocket, &ITcpSocket::sgBadBind, this, [this, generation](QByteArray message) {
        if (generation == m_socketGeneration)
            slBadBind(message);
    });
    connect(m_tcpSocket, &ITcpSocket::sgOutOfStep, this, [this, generation](QByteArray header) {
        if (generation == m_socketGeneration)
            slOutOfStep(header);
    });
    connect(this, &IWifiRtspThread::sgTcpDisconnect, this, &IWifiRtspThread::slTcpDisconnect,
            Qt::UniqueConnection);
    m_tcpSocket->start();
}

ITcpSocket* IWifiRtspThread::createSocket()
{
    return new ITcpSocket(cameraHost(), cameraControlPort(), m_timings);
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

void IWifiRtspThread::slBadBind(QByteArray message)
{
    // Without a client id every command would be refused: only a new bind heals that.
    m_awaitingBind = false;
    m_clientId.clear();
    qDebug() << Q_FUNC_INFO << "bind port error." << IWifiProtocol::hexForLog(message);
    scheduleReconnect();
}

void IWifiRtspThread::slOutOfStep(QByteArray header)
{
    qDebug() << Q_FUNC_INFO << "control link out of step, reconnecting: " << IWifiProtocol::hexForLog(header);
    m_awaitingBind = false;
    m_clientId.clear();
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
    if (cmd == IWifiProtocol::TakePhoto) {
        m_lastPhotoSendMs = m_linkClock.elapsed();
        m_photosOnWire.enqueue({m_photoRequest, m_lastPhotoSendMs});
    }
    if (cmd == IWifiProtocol::QueryImageQuality || cmd == IWifiProtocol::QueryDefaultImageQuality)
        m_qualityQueries.enqueue(cmd);
    m_tcpSocket->sendMessageToServer(Packet(cmd, payload));
}

void IWifiRtspThread::slTcpReceivePacket(QByteArray message)
{
    Unpacket(message);
}

QByteArray IWifiRtspThread::Unpacket(QByteArray message)
{
    if (m_awaitingBind) {
        if (message.size() != 2) {
            slBadBind(message);
            return message;
        }
        m_awaitingBind = false;
        m_clientId = message;
        m_reconnectDelayMs = 0;
        qDebug() << Q_FUNC_INFO << "bind port success: " << message.toHex();
        if (!m_photoPending) {
            sendCommand(IWifiProtocol::QueryEncode);
            sendCommand(IWifiProtocol::QueryDefaultImageQuality);
        } else {
            qDebug() << Q_FUNC_INFO << "拍照超时：重连成功，发送拍照命令!";
            // Counted as a resend: a camera that breaks the link at every photo must not
            // be asked again and again within one request.
            resendPhoto();
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
    // The replies to the two queries look alike: they answer in the order asked.
    const TCPCMD query = !m_qualityQueries.isEmpty() ? m_qualityQueries.dequeue()
        : m_currentQualityKnown ? IWifiProtocol::QueryImageQuality : IWifiProtocol::QueryDefaultImageQuality;
    CameraParameterData& p = m_cameraParameter;
    if (query == IWifiProtocol::QueryDefaultImageQuality) {
        p.brightness.defaultValue = value(0);
        p.saturation.defaultValue = value(1);
        p.contrast.defaultValue = value(2);
        p.exposure.defaultValue = value(5);
        p.focus.defaultValue = value(6);
        qDebug() << Q_FUNC_INFO << "获取摄像头默认参数: " << IWifiProtocol::hexForLog(m)
                 << value(0) << value(1) << value(2) << value(5) << value(6);
        if (!m_currentQualityKnown)
            sendCommand(IWifiProtocol::QueryImageQuality);
        return;
    }
    // Once known, the values are ours to keep: a user change made since would be undone.
    if (m_currentQualityKnown)
        return;
    // A change is sent on top of what the camera holds now, never on top of its defaults.
    ImageQualityBlock& q = m_imageQualityBlock;
    q.brightness = b[0]; q.saturation = b[1]; q.contrast = b[2]; q.definition = b[3];
    q.antiflash = b[4]; q.exposure = b[5]; q.focus = b[6]; q.reserve = b[7];
    p.brightness.currentValue = value(0);
    p.saturation.currentValue = value(1);
    p.contrast.currentValue = value(2);
    p.exposure.currentValue = value(5);
    p.focus.currentValue = value(6);
    m_currentQualityKnown = true;
    qDebug() << Q_FUNC_INFO << "获取摄像头当前参数: " << IWifiProtocol::hexForLog(m)
             << value(0) << value(1) << value(2) << value(5) << value(6);
}

void IWifiRtspThread::handleOtherAppResolution(const QByteArray& m)
{
    // A burst of notices is applied once, with its last size.
    m_noticeIndex = IWifiProtocol::field(m, 8, 1);
    if (!m_noticeTimer->isActive())
        m_noticeTimer->start(m_timings.noticeSettleMs);
}

void IWifiRtspThread::applyOtherAppResolution()
{
    const QVariant reported = cmdToResolution(m_noticeIndex);
    if (!reported.isValid()) {
        qDebug() << Q_FUNC_INFO << "unknown resolution index ignored: " << m_noticeIndex.toHex();
        return;
    }
    const QSize size = reported.toSizeF().toSize();
    if (size == g_camera_resolution)
        return;
    qDebug() << Q_FUNC_INFO << "other app chaneg resolution: " << g_camera_resolution << size;
    g_camera_resolution = size;
    emit sgChangeResolutionFromOtherApp(g_camera_resolution);
}

void IWifiRtspThread::slTcpReceivePhoto(QByteArray header, QImage picture, bool abandoned)
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
    if (abandoned) {
        // Cut off because a newer photo command went out: it answers an older command,
        // never the newest one, whose own reply is still to come.
        if (m_photosOnWire.size() > 1)
            m_photosOnWire.dequeue();
        qDebug() << Q_FUNC_INFO << "abandoned photo dropped";
        return;
    }
    const quint64 answers = m_photosOnWire.isEmpty() ? 0 : m_photosOnWire.dequeue().request;
    const bool current = m_photoPending && answers == m_photoRequest;
    if (!current) {
        qDebug() << Q_FUNC_INFO << "late photo dropped";
        return;
    }
    if (picture.isNull()) {
        resendPhoto();
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
    m_resendTimer->stop();
    qDebug() << Q_FUNC_INFO << "picture state: " << IWifiProtocol::replyState(header).toHex()
             << "data size: " << IWifiProtocol::byteAraryToInt(header.mid(5, 4), false);
    emit sgCaptureImage(filtered);
}

void IWifiRtspThread::resendPhoto()
{
    if (!m_photoPending || !isLinkReady() || m_resendTimer->isActive())
        return;
    if (m_photoResendsLeft <= 0) {
        qDebug() << Q_FUNC_INFO << "photo not asked again: resends used up, waiting for the time-out";
        return;
    }
    // A camera that answers at once with a broken photo would otherwise be asked again at
    // every send tick until the time-out.
    const qint64 now = m_linkClock.elapsed();
    const qint64 due = m_lastPhotoSendMs + m_timings.photoResendGapMs;
    if (due >= m_photoRequestMs + m_timings.photoTimeoutMs)
        return; // the time-out comes first
    if (due > now) {
        m_resendTimer->start(int(due - now));
        return;
    }
    --m_photoResendsLeft;
    sendCommand(IWifiProtocol::TakePhoto);
    qDebug() << Q_FUNC_INFO << "拍照超时：TCP接收数据包不全，重新发送拍照命令!";
}

void IWifiRtspThread::slPhotoTimeOut()
{
    qDebug() << Q_FUNC_INFO << "10秒定时器---------------->" << (m_photoPending ? "true" : "false");
    m_resendTimer->stop();
    if (m_photoPending) {
        m_photoPending = false;
        qDebug() << Q_FUNC_INFO << "一次拍照失败，提示!" << "false";
        // A link that has not said a word since the request is dead, though connected.
        if (m_tcpSocket && isLinkReady() && m_tcpSocket->bytesRead() == m_bytesAtPhotoRequest) {
            qDebug() << Q_FUNC_INFO << "control link silent since the photo request, reconnecting";
            m_awaitingBind = false;
            m_clientId.clear();
            scheduleReconnect();
        }
        emit sgCaptureImage(QImage());
    }
    m_photoTimer->stop();
}

bool IWifiRtspThread::setQualityField(QByteArray ImageQualityBlock::*field,
                                      ParameterData CameraParameterData::*control,
                                      const QVariant& value, const char* name)
{
    // The command carries the whole block: it goes out only on top of the camera's
    // current values, once they are known.
    if (!isLinkReady() || !m_currentQualityKnown)
        return false;
    QByteArray byte;
    if (!IWifiProtocol::valueToBlockByte(value, &byte)) {
        qDebug() << Q_FUNC_INFO << "value out of range refused: " << name << value;
        return false;
    }
    // Nothing changes: nothing is written to the camera.
    if (m_imageQualityBlock.*field == byte)
        return false;
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
    m_photoRequestMs = m_linkClock.elapsed();
    m_photoResendsLeft = m_timings.photoResends;
    m_bytesAtPhotoRequest = m_tcpSocket->bytesRead();
    m_resendTimer->stop();
    sendCommand(IWifiProtocol::TakePhoto);
    m_photoTimer->stop();
    m_photoTimer->start(m_timings.photoTimeoutMs);
    return true;
}
