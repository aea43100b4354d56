#include "ffmpeg/wifirtsp/itcpserver.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>

#include "iglobal.h"

namespace {
// Text of a fixed-size field up to its first NUL byte.
QByteArray fieldText(const QByteArray& field)
{
    const int nul = field.indexOf('\0');
    return nul < 0 ? field : field.left(nul);
}
}

ITcpServer::ITcpServer(QObject* parent)
    : QTcpServer(parent)
    , m_program(QCoreApplication::applicationDirPath() + QStringLiteral("/Kapturo/Kapturo.exe"))
{
    starSocketListen();
}

ITcpServer::~ITcpServer()
{
    stopSocketListen();
    endCompanion();
}

bool ITcpServer::starSocketListen()
{
    if (!listen(QHostAddress(m_listenAddress), m_port)) {
        qWarning() << Q_FUNC_INFO << "listen" << m_listenAddress << m_port << errorString();
        emit error(QStringLiteral("server listen error!"));
        return false;
    }
    return true;
}

void ITcpServer::setSocketIP(const QString& ip)
{
    // Any local process may talk to the companion link; it never faces the network.
    const QHostAddress address(ip);
    if (address.isNull() || !address.isLoopback()) {
        qWarning() << Q_FUNC_INFO << "not a loopback address, kept" << m_listenAddress;
        return;
    }
    m_listenAddress = ip;
}

void ITcpServer::setSocketPort(const int& port)
{
    m_port = quint16(port);
}

void ITcpServer::stopSocketListen()
{
    dropClient();
    close();
    disconnect(this, nullptr, nullptr, nullptr);
}

bool ITcpServer::startRecordVideo(const QString& path, const QRect& rect)
{
    const QStringList arguments{path,
                                QString::number(rect.x()),
                                QString::number(rect.y()),
                                QString::number(rect.width()),
                                QString::number(rect.height()),
                                QString::number(m_firstStart ? 1 : 0)};
    m_firstStart = false;
    endCompanion();
    dropClient();

    m_process = new QProcess;
    m_process->start(m_program, arguments, QIODevice::ReadWrite);
    const bool started = m_process->waitForStarted(30000);
    qDebug() << Q_FUNC_INFO << (started ? "true" : "false") << arguments;
    if (!started) {
        // A companion that never ran will never connect: say so now.
        endCompanion();
        m_startPending = false;
        emit recordMessage(3);
        return false;
    }
    m_startPending = true;
    return true;
}

bool ITcpServer::stopRecordVideo()
{
    if (m_connected)
        SendMessageToClient(QByteArrayLiteral("1"));
    return true;
}

bool ITcpServer::pauseRecordVideo(const bool& pause)
{
    if (m_connected)
        SendMessageToClient(pause ? QByteArrayLiteral("2") : QByteArrayLiteral("3"));
    return true;
}

bool ITcpServer::isConnected()
{
    return m_connected;
}

bool ITcpServer::destoryRecord()
{
    endCompanion();
    return true;
}

void ITcpServer::endCompanion()
{
    if (!m_process)
        return;
    m_process->close(); // kills the process and waits for it
    delete m_process;
    m_process = nullptr;
}

bool ITcpServer::SendMessageToClient(const QByteArray& payload)
{
    if (!m_client)
        return false;
    const qint64 written = m_client->write(Packet(payload));
    qDebug() << Q_FUNC_INFO << payload << QStringLiteral("socket send data len:%1").arg(written);
    return true;
}

QByteArray ITcpServer::Packet(QByteArray payload)
{
    QByteArray packet("TSMT");
    QByteArray length = QByteArray::number(payload.size() + kTailSize + kLengthSize);
    length.append(QByteArray(kLengthSize - length.size(), '\0'));
    packet.append(length);
    packet.append(payload);
    packet.append("END");
    return packet;
}

QList<QByteArray> ITcpServer::Unpack(QByteArray data)
{
    return unpackPackets(data, &m_remainder, &m_malformed);
}

QList<QByteArray> ITcpServer::unpackPackets(QByteArray data, QByteArray* remainder, bool* malformed)
{
    data.prepend(*remainder);
    remainder->clear();
    *malformed = false;
    QList<QByteArray> payloads;
    while (!data.isEmpty()) {
        if (data.size() < kHeadSize + kLengthSize) {
            if (!QByteArray("TSMT").startsWith(data.left(kHeadSize)))
                break; // not even the start of a head
            *remainder = data;
            return payloads;
        }
        if (data.left(kHeadSize) != "TSMT")
            break;
        bool ok = false;
        const QByteArray lengthText = fieldText(data.mid(kHeadSize, kLengthSize));
        const int length = lengthText.toInt(&ok);
        // The length covers at least its own field and the tail, and fits its 4 digits.
        if (!ok || length < kLengthSize + kTailSize || length > kMaxLength)
            break;
        if (data.size() < kHeadSize + length) {
            *remainder = data; // wait for the rest of this packet
            return payloads;
        }
        const QByteArray packet = data.mid(kHeadSize, length);
        if (packet.right(kTailSize) != "END")
            break;
        payloads << packet.mid(kLengthSize, length - kLengthSize - kTailSize);
        data.remove(0, kHeadSize + length);
    }
    if (!data.isEmpty()) {
        qWarning() << Q_FUNC_INFO << "malformed packet, dropped" << data.size() << "bytes";
        *malformed = true;
    }
    return payloads;
}

void ITcpServer::incomingConnection(qintptr handle)
{
    auto* socket = new QTcpSocket;
    if (!socket->setSocketDescriptor(handle, QAbstractSocket::ConnectedState, QIODevice::ReadWrite)) {
        emit error(socket->errorString());
        delete socket;
        return;
    }
    // Only the companion we started may connect, and only once per start.
    if (!m_startPending || m_client) {
        qWarning() << Q_FUNC_INFO << "connection refused: no companion expected";
        socket->abort();
        delete socket;
        return;
    }
    m_startPending = false;
    m_remainder.clear();
    m_client = socket;
    connect(socket, &QTcpSocket::readyRead, this, &ITcpServer::onReadMessageSlot);
    connect(socket, &QTcpSocket::disconnected, this, &ITcpServer::onDisconnectedSlot);
    qDebug() << "tcpsocket incomingConnection...";
}

void ITcpServer::onReadMessageSlot()
{
    if (!m_client)
        return;
    const QList<QByteArray> payloads = Unpack(m_client->readAll());
    for (const QByteArray& payload : payloads)
        handleReply(payload);
    if (m_malformed && m_client) {
        m_remainder.clear();
        m_client->abort(); // emits disconnected: code 4
    }
}

void ITcpServer::handleReply(const QByteArray& payload)
{
    const QString text = QString::fromLocal8Bit(fieldText(payload));
    const QStringList fields = text.split(QLatin1Char(';'));
    const int code = fields.value(0).toInt(); // not a number counts as 0
    switch (code) {
    case 0:
        m_connected = true;
        qDebug() << "连接成功：";
        emit recordMessage(0);
        break;
    case 1: {
        const QString path = fields.value(1);
        if (!isFinishedVideo(path)) {
            qWarning() << Q_FUNC_INFO << "finished reply names no video of ours:" << path;
            break;
        }
        qDebug() << "录屏成功：" + path;
        emit recordMessage(1, path);
        break;
    }
    case 2:
        qDebug() << "开始录屏";
        emit recordMessage(2);
        break;
    case 3:
        qDebug() << "开始录屏失败";
        emit recordMessage(3);
        break;
    default:
        break;
    }
}

bool ITcpServer::isFinishedVideo(const QString& path) const
{
    const QFileInfo file(path);
    if (path.isEmpty() || !file.isFile())
        return false;
    const QString folder = QFileInfo(g_video_savepath).canonicalFilePath();
    return !folder.isEmpty() && file.canonicalPath() == folder;
}

void ITcpServer::onDisconnectedSlot()
{
    if (m_client && sender() == m_client) {
        m_client->deleteLater();
        m_client = nullptr;
        m_connected = false;
        emit recordMessage(4);
    }
    qDebug() << "Kapturo disconnect.";
}

void ITcpServer::dropClient()
{
    if (!m_client)
        return;
    QTcpSocket* client = m_client;
    m_client = nullptr;
    m_connected = false;
    client->disconnect(this);
    client->abort();
    client->deleteLater();
}
