#include "itcpsocket.h"

#include <QDebug>
#include <QMutexLocker>
#include <QTcpSocket>
#include <QTimer>

#include "imjpegdecoder.h"
#include "iwifiprotocol.h"

ITcpSocket::ITcpSocket(const QString& address, const int& port, const IWifiLinkTimings& timings)
    : m_port(port), m_address(address), m_timings(timings)
{
}

ITcpSocket::~ITcpSocket()
{
    requestInterruption();
    quit();
    wait();
}

void ITcpSocket::sendMessageToServer(const QByteArray& message)
{
    QMutexLocker lock(&m_queueMutex);
    m_queue.append(message);
}

void ITcpSocket::run()
{
    qDebug() << Q_FUNC_INFO << "ip: " << m_address << " port: " << m_port;
    if (isInterruptionRequested())
        return;
    m_framer.reset();
    m_socket = new QTcpSocket;
    connect(m_socket, &QTcpSocket::disconnected, this, &ITcpSocket::slDisconnectedSlot, Qt::DirectConnection);
    connect(m_socket, &QTcpSocket::readyRead, this, &ITcpSocket::slReadMessageSlot, Qt::DirectConnection);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ITcpSocket::slErrorSlot, Qt::DirectConnection);
    connect(m_socket, &QTcpSocket::connected, this, &ITcpSocket::slConnectedSlot, Qt::DirectConnection);

    m_sendTimer = new QTimer;
    m_sendTimer->setInterval(m_timings.sendTickMs);
    connect(m_sendTimer, &QTimer::timeout, this, &ITcpSocket::slSendMessageToServerSlot, Qt::DirectConnection);
    m_connectTimer = new QTimer;
    m_connectTimer->setSingleShot(true);
    connect(m_connectTimer, &QTimer::timeout, this, &ITcpSocket::slConnectTimeoutSlot, Qt::DirectConnection);
    m_silenceTimer = new QTimer;
    m_silenceTimer->setSingleShot(true);
    m_silenceTimer->setInterval(m_timings.photoGapMs);
    connect(m_silenceTimer, &QTimer::timeout, this, &ITcpSocket::slSilenceSlot, Qt::DirectConnection);

    // Connecting without blocking keeps the thread able to quit at once.
    m_connectTimer->start(m_timings.connectMs);
    m_socket->connectToHost(m_address, quint16(m_port), QIODevice::ReadWrite);

    exec();

    delete m_silenceTimer;
    m_silenceTimer = nullptr;
    delete m_connectTimer;
    m_connectTimer = nullptr;
    m_sendTimer->stop();
    delete m_sendTimer;
    m_sendTimer = nullptr;
    m_socket->disconnect(this);
    m_socket->abort();
    delete m_socket;
    m_socket = nullptr;
    qDebug() << Q_FUNC_INFO << "socket thread exit.";
}

void ITcpSocket::slConnectedSlot()
{
    m_connectTimer->stop();
    m_connected = true;
    qDebug() << Q_FUNC_INFO << "connect tcp server successful!";
    sendMessageToServer(IWifiProtocol::bindRequest());
    m_sendTimer->start();
}

void ITcpSocket::slConnectTimeoutSlot()
{
    if (m_connected)
        return;
    qDebug() << Q_FUNC_INFO << "tcp connect server error: " << "connection timed out";
    m_socket->abort();
    emit sgConnectFailed();
    quit();
}

QList<QByteArray> ITcpSocket::takeQueue()
{
    QList<QByteArray> messages;
    {
        QMutexLocker lock(&m_queueMutex);
        messages.swap(m_queue);
    }
    for (const QByteArray& message : qAsConst(messages)) {
        // Requests go one at a time, so a photo still incomplete when the next photo is
        // asked for belongs to an abandoned request; left in place, the new reply would
        // be glued onto it and lost too.
        if (IWifiProtocol::isPhotoCommand(message)) {
            dropPartialMessage("incomplete tcp packet dropped before a new photo: ", true);
            break;
        }
    }
    return messages;
}

void ITcpSocket::slSendMessageToServerSlot()
{
    for (const QByteArray& message : takeQueue()) {
        const qint64 written = m_socket->write(message);
        const bool flushed = m_socket->flush();
        qDebug() << Q_FUNC_INFO << (flushed ? "true" : "false")
                 << QStringLiteral("socket send data len:%1").arg(written)
                 << IWifiProtocol::hexForLog(message);
    }
}

void ITcpSocket::slReadMessageSlot()
{
    handleBytes(m_socket->readAll());
}

void ITcpSocket::handleBytes(const QByteArray& bytes)
{
    if (m_outOfStep)
        return;
    m_bytesRead += quint64(bytes.size());
    m_framer.append(bytes);
    IWifiMessageFramer::Message message;
    while (!m_outOfStep && m_framer.next(&message))
        deliver(message);
    if (m_outOfStep || !m_silenceTimer)
        return;
    if (m_framer.hasPartial())
        m_silenceTimer->start();
    else
        m_silenceTimer->stop();
}

void ITcpSocket::slSilenceSlot()
{
    dropPartialMessage("incomplete tcp packet dropped after silence: ", false);
}

void ITcpSocket::dropPartialMessage(const char* reason, bool abandoned)
{
    IWifiMessageFramer::Message message;
    if (!m_framer.dropPartial(&message))
        return;
    if (m_silenceTimer)
        m_silenceTimer->stop();
    qDebug() << Q_FUNC_INFO << reason << IWifiProtocol::hexForLog(message.bytes);
    if (message.kind == IWifiMessageFramer::PhotoCut)
        emit sgReceivePhoto(message.bytes, QImage(), abandoned);
    else if (message.kind == IWifiMessageFramer::BadBind)
        emit sgBadBind(message.bytes);
}

void ITcpSocket::deliver(const IWifiMessageFramer::Message& message)
{
    switch (message.kind) {
    case IWifiMessageFramer::Photo: {
        const QByteArray header = message.bytes.left(9);
        emit sgReceivePhoto(header, decodePhoto(message.bytes.mid(9)), false);
        break;
    }
    case IWifiMessageFramer::BadBind:
        emit sgBadBind(message.bytes);
        break;
    case IWifiMessageFramer::OutOfStep:
        // Whatever follows has no known end: only a new connection brings the link back.
        qDebug() << Q_FUNC_INFO << "photo length refused: " << IWifiProtocol::hexForLog(message.bytes);
        m_outOfStep = true;
        m_connected = false;
        if (m_socket) {
            m_sendTimer->stop();
            m_silenceTimer->stop();
            m_socket->abort();
        }
        emit sgOutOfStep(message.bytes);
        quit();
        break;
    default:
        emit sgReceivePacket(message.bytes);
        break;
    }
}

void ITcpSocket::slErrorSlot()
{
    const QString text = m_socket->errorString();
    emit sgError(text);
    qDebug() << Q_FUNC_INFO << text;
    if (!m_connected) {
        m_connectTimer->stop();
        qDebug() << Q_FUNC_INFO << "tcp connect server error: " << text;
        emit sgConnectFailed();
        quit();
    }
}

void ITcpSocket::slDisconnectedSlot()
{
    if (!m_connected)
        return;
    m_connected = false;
    m_sendTimer->stop();
    qDebug() << Q_FUNC_INFO << "disconnect from server.";
    emit sgDisconnect();
    quit();
}

QImage ITcpSocket::decodePhoto(const QByteArray& data)
{
    // A decoder per photo: photos are rare and the handle is not shared between threads.
    IMjpegDecoder decoder;
    return decoder.decode(data, true, IWifiProtocol::maxPhotoSize());
}
