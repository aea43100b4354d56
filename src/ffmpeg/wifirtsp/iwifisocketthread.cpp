#include "ffmpeg/wifirtsp/iwifisocketthread.h"

#include <QDebug>
#include <QMutexLocker>
#include <QTimer>

#include "iglobal.h"
#include "itcpsocket.h"
#include "opencv/iopencvapi.h"

namespace {
const QList<QSizeF>& socketResolutions()
{
    static const QList<QSizeF> sizes{{320, 240},   {480, 272},   {640, 480},   {800, 600},
                                     {1024, 768},  {1280, 720},  {1280, 960},  {1600, 1200},
                                     {1920, 1080}, {2592, 1944}, {3264, 2440}};
    return sizes;
}

QString hex(const QByteArray& bytes)
{
    return IWifiProtocol::hexForLog(bytes);
}
}

IWifiSocketThread::IWifiSocketThread(QObject* parent, const IWifiLinkTimings& timings)
    : QThread(parent)
    , m_timings(timings)
{
    for (ParameterData CameraParameterData::*control :
         {&CameraParameterData::contrast, &CameraParameterData::saturation, &CameraParameterData::brightness}) {
        (m_cameraParameter.*control).minimum = 0;
        (m_cameraParameter.*control).maximum = 100;
    }
    m_supportResolution = socketResolutions();
    m_reconnectTimer = new QTimer(this);
    m_reconnectTimer->setSingleShot(true);
    connect(m_reconnectTimer, &QTimer::timeout, this, &IWifiSocketThread::initSocket);
    initSocket();
}

IWifiSocketThread::~IWifiSocketThread()
{
    delete m_tcpSocket;
    m_tcpSocket = nullptr;
    m_exit = true;
    wait();
}

QString IWifiSocketThread::rtspUrl()
{
    return g_rtsp_url;
}

void IWifiSocketThread::setRtspUrl(const QString& url)
{
    g_rtsp_url = url;
}

void IWifiSocketThread::openCamera()
{
    start(QThread::InheritPriority);
}

void IWifiSocketThread::run()
{
    m_running = true;
    // Opened means the camera answered: reported here only when it already has.
    if (m_bound)
        reportOpened();
    bool logged = false;
    while (!m_exit) {
        QThread::msleep(300);
        if (!logged) {
            qDebug() << "-----msleep(300)-----";
            logged = true;
        }
    }
    m_running = false;
    qDebug() << "exit rtsp stream.";
}

void IWifiSocketThread::reportOpened()
{
    if (!m_openedReported.exchange(true))
        emit sgError(0);
}

QByteArray IWifiSocketThread::clientId() const
{
    QMutexLocker lock(&m_mutex);
    return m_clientId;
}

void IWifiSocketThread::initSocket()
{
    if (m_tcpSocket) {
        m_tcpSocket->disconnect(this);
        delete m_tcpSocket;
        m_tcpSocket = nullptr;
    }
    {
        QMutexLocker lock(&m_mutex);
        m_clientId.clear();
        m_awaitingBind = true;
    }
    m_bound = false;
    const int generation = ++m_generation;
    m_tcpSocket = new ITcpSocket(cameraHost(), cameraControlPort(), m_timings);
    connect(m_tcpSocket, &ITcpSocket::sgError, this, &IWifiSocketThread::slTcpError);
    connect(m_tcpSocket, &ITcpSocket::sgDisconnect, this, [this, generation] {
        if (generation == m_generation)
            slTcpDisconnect();
    });
    connect(m_tcpSocket, &ITcpSocket::sgReceivePacket, this, &IWifiSocketThread::slTcpReceivePacket,
            Qt::DirectConnection);
    connect(m_tcpSocket, &ITcpSocket::sgReceivePhoto, this,
            [this](QByteArray header, QImage picture, bool) { onPhoto(header, picture); }, Qt::DirectConnection);
    // A link that never connected, bound badly or lost step is rebuilt with back-off,
    // so the camera is reached again once it answers.
    const auto retry = [this, generation] {
        if (generation == m_generation)
            scheduleReconnect();
    };
    connect(m_tcpSocket, &ITcpSocket::sgConnectFailed, this, retry);
    connect(m_tcpSocket, &ITcpSocket::sgBadBind, this, [this, retry](QByteArray message) {
        qDebug() << "bind port error." << hex(message);
        {
            QMutexLocker lock(&m_mutex);
            m_awaitingBind = false;
        }
        retry();
    });
    connect(m_tcpSocket, &ITcpSocket::sgOutOfStep, this, retry);
    m_tcpSocket->start(QThread::InheritPriority);
}

void IWifiSocketThread::scheduleReconnect()
{
    m_reconnectDelayMs = m_reconnectDelayMs <= 0 ? m_timings.reconnectMinMs
                                                 : qMin(m_reconnectDelayMs * 2, m_timings.reconnectMaxMs);
    m_reconnectTimer->start(m_reconnectDelayMs);
}

void IWifiSocketThread::slTcpError(QString text)
{
    qDebug() << "wifi tcp socket error: " << text;
    emit sgError(1);
}

void IWifiSocketThread::slTcpDisconnect()
{
    initSocket();
}

void IWifiSocketThread::slTcpReceivePacket(QByteArray reply)
{
    Unpacket(reply);
}

QByteArray IWifiSocketThread::Packet(TCPCMD cmd, QVariant payload)
{
    return IWifiProtocol::packet(clientId(), cmd, payload);
}

void IWifiSocketThread::send(TCPCMD cmd, const QVariant& payload)
{
    if (m_tcpSocket)
        m_tcpSocket->sendMessageToServer(Packet(cmd, payload));
}

QByteArray IWifiSocketThread::resolutionToCmd(QVariant size)
{
    const int index = socketResolutions().indexOf(size.toSizeF());
    return index < 0 ? QByteArray() : QByteArray(1, char(index));
}

QVariant IWifiSocketThread::cmdToResolution(QByteArray index)
{
    if (index.size() != 1 || uchar(index.at(0)) >= uint(socketResolutions().size()))
        return QVariant();
    return socketResolutions().at(uchar(index.at(0)));
}

void IWifiSocketThread::onBound()
{
    m_bound = true;
    m_reconnectDelayMs = 0;
    send(IWifiProtocol::QueryEncode);
    send(IWifiProtocol::QueryDefaultImageQuality);
    if (m_running)
        reportOpened();
}

QByteArray IWifiSocketThread::Unpacket(QByteArray reply)
{
    bool wasAwaiting = false;
    {
        QMutexLocker lock(&m_mutex);
        wasAwaiting = m_awaitingBind;
        m_awaitingBind = false;
        if (wasAwaiting && reply.size() == 2)
            m_clientId = reply;
    }
    if (wasAwaiting) {
        if (reply.size() != 2) {
            qDebug() << "bind port error.";
            QMetaObject::invokeMethod(this, [this] { scheduleReconnect(); }, Qt::QueuedConnection);
            return reply;
        }
        qDebug() << "bind port success: " << reply.toHex();
        onBound();
        return reply;
    }

    const QByteArray header = IWifiProtocol::field(reply, 0, 2);
    const QByteArray command = IWifiProtocol::field(reply, 2, 1);
    const QByteArray state = IWifiProtocol::field(reply, 4, 1);
    if (header != clientId()) {
        qDebug() << "invalid tcp packet. clientid: " << header.toHex() << hex(reply);
        return reply;
    }
    const char code = command.isEmpty() ? 0 : command.at(0);
    switch (code) {
    case 1: qDebug() << "autofocus state: " << state.toHex(); break;
    case 2: qDebug() << "top lamp state: " << state.toHex(); break;
    case 3: qDebug() << "wall lamp state: " << state.toHex(); break;
    case 4:
        qDebug() << "lamp state: " << state.toHex();
        qDebug() << "top lamp: " << IWifiProtocol::field(reply, 5, 1).toHex();
        break;
    case 5: qDebug() << "image encod state: " << state.toHex(); break;
    case 6: {
        const QByteArray rateCtrl = IWifiProtocol::field(reply, 5, 1);
        const QByteArray idr = IWifiProtocol::field(reply, 6, 1);
        qDebug() << "image encod state: " << state.toHex();
        qDebug() << "RateCtrl: " << rateCtrl.toHex() << "IDR: " << idr.toHex()
                 << "FrameRate: " << IWifiProtocol::field(reply, 7, 1).toHex()
                 << "ResIndex: " << IWifiProtocol::field(reply, 8, 1).toHex()
                 << "BitRate: " << IWifiProtocol::field(reply, 9, 4).toHex();
        QMutexLocker lock(&m_mutex);
        if (m_encodeBlock.BitRate.isEmpty()) {
            m_encodeBlock.RateCtrl = rateCtrl;
            m_encodeBlock.IDR = idr;
            m_encodeBlock.FrameRate = QByteArray::fromHex("1E");
            const QByteArray index = m_requestedResolution.isValid() ? resolutionToCmd(m_requestedResolution)
                                                                      : QByteArray();
            m_encodeBlock.ResIndex = index.isEmpty() ? QByteArray(1, '\0') : index;
            m_encodeBlock.BitRate = QByteArray::fromHex("3D060000");
        }
        break;
    }
    case 7: qDebug() << "image quality state: " << state.toHex(); break;
    case 8: {
        const QByteArray fields = IWifiProtocol::field(reply, 5, 8);
        qDebug() << "image quality state: " << state.toHex();
        qDebug() << "brightness: " << fields.mid(0, 1).toHex() << "saturation: " << fields.mid(1, 1).toHex()
                 << "contrast: " << fields.mid(2, 1).toHex() << "definition: " << fields.mid(3, 1).toHex()
                 << "antiflash: " << fields.mid(4, 1).toHex() << "reserve1: " << fields.mid(5, 1).toHex()
                 << "reserve2: " << fields.mid(6, 1).toHex() << "reserve3: " << fields.mid(7, 1).toHex();
        const auto value = [&fields](int i) { return QVariant(int(uchar(fields.mid(i, 1).isEmpty() ? 0 : fields.at(i)))); };
        bool queryCurrent = false;
        {
            QMutexLocker lock(&m_mutex);
            ImageQualityBlock& b = m_imageQualityBlock;
            if (b.antiflash.isEmpty()) {
                b.brightness = fields.mid(0, 1);
                b.saturation = fields.mid(1, 1);
                b.contrast = fields.mid(2, 1);
                b.definition = fields.mid(3, 1);
                b.antiflash = fields.mid(4, 1);
                b.exposure = fields.mid(5, 1);
                b.focus = fields.mid(6, 1);
                b.reserve = fields.mid(7, 1);
                m_cameraParameter.brightness.defaultValue = value(0);
                m_cameraParameter.saturation.defaultValue = value(1);
                m_cameraParameter.contrast.defaultValue = value(2);
                qDebug() << "获取摄像头默认参数: " << hex(reply) << value(0) << value(1) << value(2);
                queryCurrent = true;
            } else if (m_cameraParameter.brightness.currentValue.toDouble() == 0.0
                       && m_cameraParameter.contrast.currentValue.toDouble() == 0.0
                       && m_cameraParameter.saturation.currentValue.toDouble() == 0.0) {
                m_cameraParameter.brightness.currentValue = value(0);
                m_cameraParameter.saturation.currentValue = value(1);
                m_cameraParameter.contrast.currentValue = value(2);
                // The camera's current values are the base of every later change.
                b.brightness = fields.mid(0, 1);
                b.saturation = fields.mid(1, 1);
                b.contrast = fields.mid(2, 1);
                qDebug() << "获取摄像头当前参数: " << hex(reply) << value(0) << value(1) << value(2);
            }
        }
        if (queryCurrent)
            send(IWifiProtocol::QueryImageQuality);
        break;
    }
    case 9:
        // The photo itself is read and decoded by the socket thread (onPhoto).
        break;
    default:
        qDebug() << "invalid tcp packet. cmdindex: " << command.toHex() << hex(reply);
        break;
    }
    return reply;
}

void IWifiSocketThread::onPhoto(const QByteArray& header, const QImage& picture)
{
    qDebug() << "picture state: " << IWifiProtocol::field(header, 4, 1).toHex()
             << "data size: " << IWifiProtocol::byteAraryToInt(IWifiProtocol::field(header, 5, 4), false);
    if (picture.isNull()) {
        emit sgCaptureImage(QImage());
        return;
    }
    ImageType type;
    {
        QMutexLocker lock(&m_mutex);
        type = m_captureType;
    }
    emit sgCaptureImage(filterImage(type, IOpencvApi::cvImage2Mat(picture)));
}

QImage IWifiSocketThread::filterImage(ImageType type, cv::Mat mat)
{
    const bool filtered = type >= IMAGE_GRAYSCALE && type <= IMAGE_EMBOSS;
    return IOpencvApi::filterImage(filtered ? type : IMAGE_PLAIN, mat);
}

QImage IWifiSocketThread::captureImage(ImageType)
{
    return QImage(); // no live frame: photos come through the link only
}

QVariant IWifiSocketThread::contrast()
{
    QMutexLocker lock(&m_mutex);
    return m_cameraParameter.contrast.currentValue;
}

QVariant IWifiSocketThread::saturation()
{
    QMutexLocker lock(&m_mutex);
    return m_cameraParameter.saturation.currentValue;
}

QVariant IWifiSocketThread::brightness()
{
    QMutexLocker lock(&m_mutex);
    return m_cameraParameter.brightness.currentValue;
}

QVariant IWifiSocketThread::resolution()
{
    QMutexLocker lock(&m_mutex);
    return m_requestedResolution;
}

AutoEdgeData IWifiSocketThread::autoEdgeData()
{
    QMutexLocker lock(&m_mutex);
    return m_autoEdgeData;
}

CameraParameterData IWifiSocketThread::cameraParameter()
{
    QMutexLocker lock(&m_mutex);
    return m_cameraParameter;
}

QList<QSizeF> IWifiSocketThread::supportResolution()
{
    return m_supportResolution;
}

void IWifiSocketThread::setQuality(QByteArray ImageQualityBlock::*field, ParameterData CameraParameterData::*control,
                                   const QVariant& value)
{
    if (!m_tcpSocket || !m_bound)
        return;
    QByteArray byte;
    if (!IWifiProtocol::valueToBlockByte(value, &byte))
        return;
    QByteArray payload;
    {
        QMutexLocker lock(&m_mutex);
        // The block goes out whole: only once the camera has reported it.
        if (m_imageQualityBlock.antiflash.isEmpty())
            return;
        (m_cameraParameter.*control).currentValue = value;
        m_imageQualityBlock.*field = byte;
        payload = m_imageQualityBlock.payload();
    }
    send(IWifiProtocol::SetImageQuality, payload);
}

void IWifiSocketThread::setContrast(const QVariant& value)
{
    setQuality(&ImageQualityBlock::contrast, &CameraParameterData::contrast, value);
}

void IWifiSocketThread::setSaturation(const QVariant& value)
{
    setQuality(&ImageQualityBlock::saturation, &CameraParameterData::saturation, value);
}

void IWifiSocketThread::setBrightness(const QVariant& value)
{
    setQuality(&ImageQualityBlock::brightness, &CameraParameterData::brightness, value);
}

void IWifiSocketThread::setResolution(const QVariant& value)
{
    const QByteArray index = resolutionToCmd(value);
    if (index.isEmpty()) {
        qDebug() << Q_FUNC_INFO << "resolution the camera does not offer refused: " << value;
        emit sgError(2);
        return;
    }
    QByteArray payload;
    {
        QMutexLocker lock(&m_mutex);
        m_requestedResolution = value;
        if (!m_bound || m_encodeBlock.BitRate.isEmpty())
            return; // applied when the camera reports its encoder settings
        m_encodeBlock.ResIndex = index;
        payload = m_encodeBlock.payload();
    }
    send(IWifiProtocol::SetEncode, payload);
}

void IWifiSocketThread::setRunFlag(const bool& flag)
{
    QMutexLocker lock(&m_mutex);
    m_runFlag = flag;
}

void IWifiSocketThread::setCaptureFalg(ImageType type)
{
    {
        QMutexLocker lock(&m_mutex);
        m_captureType = type;
    }
    if (!m_bound) {
        // Sent before the bind it would carry no client id: refused, answered at once.
        qDebug() << Q_FUNC_INFO << "photo refused: the camera has not bound the link";
        emit sgCaptureImage(QImage());
        return;
    }
    send(IWifiProtocol::TakePhoto);
}

void IWifiSocketThread::setAutoEdgeFlag(const bool& flag)
{
    QMutexLocker lock(&m_mutex);
    m_autoEdge = flag;
}

void IWifiSocketThread::setAutoFocusFlag(const bool&)
{
    if (m_tcpSocket && m_bound)
        send(IWifiProtocol::AutoFocus);
}
