#include "simcamera.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTime>
#include <QTimer>

namespace {
QByteArray le32(quint32 v)
{
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i)
        b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}
// Payload bytes after the 2-byte id and 6-byte template, by command code.
int payloadLength(quint8 code)
{
    switch (code) {
    case 0x02: case 0x03: return 1;
    case 0x05: case 0x07: return 8;
    default: return 0;
    }
}
}

SimCamera::Fault SimCamera::faultFromName(const QString& name, bool* ok)
{
    const QStringList names = faultNames();
    const int i = names.indexOf(name);
    if (ok)
        *ok = i >= 0;
    return i < 0 ? NoFault : Fault(i);
}

QStringList SimCamera::faultNames()
{
    // In the enumeration's order.
    return {"NoFault", "SplitReplies", "GlueReplies", "PhotoInOneWrite", "PhotoTruncated",
            "PhotoOversized", "PhotoNotJpeg", "Silence", "DropAfterBind", "BadBind", "DropOnConnect",
            "BindNoticeByte", "BindPadded", "PaddingAfterReply", "PhotoEmpty", "PhotoHugeHeader",
            "PhotoCorrupt"};
}

SimCamera::SimCamera(QObject* parent)
    : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &SimCamera::onNewConnection);
    m_splitTimer = new QTimer(this);
    m_splitTimer->setInterval(15);
    connect(m_splitTimer, &QTimer::timeout, this, &SimCamera::writeSplitChunk);
}

void SimCamera::writeSplitChunk()
{
    if (m_splitChunks.isEmpty()) {
        m_splitTimer->stop();
        return;
    }
    const auto chunk = m_splitChunks.takeFirst();
    if (chunk.first)
        chunk.first->write(chunk.second);
}

SimCamera::~SimCamera()
{
    stop();
}

bool SimCamera::start(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

void SimCamera::stop()
{
    m_server->close();
    for (QTcpSocket* s : qAsConst(m_clients)) {
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    m_clients.clear();
    m_inbox.clear();
    m_photoQueue.clear();
    m_gluedTo = nullptr;
    m_glued.clear();
}

quint16 SimCamera::port() const
{
    return m_server->serverPort();
}

void SimCamera::onNewConnection()
{
    while (QTcpSocket* s = m_server->nextPendingConnection()) {
        ++m_connections;
        if (m_fault == DropOnConnect) {
            s->disconnectFromHost();
            s->deleteLater();
            continue;
        }
        m_clients.append(s);
        connect(s, &QTcpSocket::readyRead, this, [this, s] { onReadyRead(s); });
        connect(s, &QTcpSocket::disconnected, this, [this, s] {
            m_clients.removeAll(s);
            m_inbox.remove(s);
            m_photoQueue.remove(s);
            if (m_gluedTo == s)
                m_gluedTo = nullptr;
            s->deleteLater();
        });
    }
}

void SimCamera::onReadyRead(QTcpSocket* s)
{
    // A command may close the connection, which forgets the socket's inbox: work on a copy.
    QByteArray in = m_inbox.take(s) + s->readAll();
    while (!in.isEmpty() && m_clients.contains(s)) {
        QByteArray command;
        if (in.startsWith(QByteArray(4, char(0xFF)))) {
            command = in.left(4);
            in.remove(0, 4);
        } else {
            if (in.size() < 8)
                break;
            const int len = 8 + payloadLength(quint8(in.at(2)));
            if (in.size() < len)
                break;
            command = in.mid(2, len - 2);
            in.remove(0, len);
        }
        handleCommand(s, command);
    }
    if (m_clients.contains(s))
        m_inbox.insert(s, in);
}

QByteArray SimCamera::header(char code) const
{
    return m_clientId + QByteArray(1, code) + QByteArray(1, 0) + QByteArray(1, 0);
}

void SimCamera::handleCommand(QTcpSocket* s, const QByteArray& command)
{
    m_commands.append(command);
    emit commandReceived(command);
    if (command == QByteArray(4, char(0xFF))) {
        if (m_fault == BadBind) {
            s->write(m_clientId + QByteArray(1, 0x01));
            return;
        }
        if (m_fault == BindPadded) {
            s->write(m_clientId + QByteArray(2, 0));
            return;
        }
        if (m_fault == BindNoticeByte) {
            const QByteArray notice = QByteArray::fromHex("0f0f1000000101") + QByteArray(1, 0x1E)
                + QByteArray(1, char(m_resIndex)) + QByteArray::fromHex("00400000");
            s->write(m_clientId + notice.left(1));
            s->flush();
            QTimer::singleShot(30, s, [s, notice] { s->write(notice.mid(1)); });
            return;
        }
        s->write(m_clientId);
        s->flush();
        if (m_fault == DropAfterBind) {
            m_fault = NoFault; // once: the client must be able to come back
            s->disconnectFromHost();
        }
        return;
    }
    if (m_fault == Silence)
        return;
    const quint8 code = quint8(command.at(0));
    const quint8 templ3 = quint8(command.at(3));
    const QByteArray payload = command.mid(6);
    switch (code) {
    case 0x01: case 0x05: case 0x07: case 0x02: case 0x03:
        if (code == 0x02)
            m_topLamp = quint8(payload.at(0));
        if (code == 0x03)
            m_wallLamp = quint8(payload.at(0));
        if (code == 0x05)
            m_resIndex = quint8(payload.at(3));
        if (code == 0x07)
            m_quality = payload;
        reply(s, header(char(code)));
        break;
    case 0x04:
        reply(s, header(0x04) + QByteArray(1, char(m_topLamp)));
        break;
    case 0x06:
        reply(s, header(0x06) + QByteArray::fromHex("0101") + QByteArray(1, 0x1E)
                     + QByteArray(1, char(m_resIndex)) + QByteArray::fromHex("00400000"));
        break;
    case 0x08:
        reply(s, header(0x08) + (templ3 == 0xF4 ? m_defaults : m_quality));
        break;
    case 0x09:
        if (m_photoDelayMs > 0)
            QTimer::singleShot(m_photoDelayMs, s, [this, s] { sendPhoto(s); });
        else
            sendPhoto(s);
        break;
    default:
        break;
    }
}

void SimCamera::reply(QTcpSocket* s, const QByteArray& bytes)
{
    switch (m_fault) {
    case SplitReplies: {
        // Parts keep their order across replies; a tick between them splits the reads.
        m_splitChunks.append({QPointer<QTcpSocket>(s), bytes.left(3)});
        m_splitChunks.append({QPointer<QTcpSocket>(s), bytes.mid(3)});
        m_splitTimer->start();
        break;
    }
    case GlueReplies:
        m_glued += bytes;
        m_gluedTo = s;
        QTimer::singleShot(30, this, &SimCamera::flushGlued);
        break;
    case PaddingAfterReply:
        s->write(bytes + QByteArray(3, 0));
        break;
    default:
        s->write(bytes);
        break;
    }
}

void SimCamera::flushGlued()
{
    if (m_gluedTo && !m_glued.isEmpty())
        m_gluedTo->write(m_glued);
    m_glued.clear();
}

QImage SimCamera::scene(const QSize& size, const QTime& time)
{
    // The stream's "smpte" test pattern: seven bars, a thin strip of their reverses and a
    // dark bottom band, so that a photo shows what the live picture shows.
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    const int w = size.width();
    const int h = size.height();
    const QColor bars[7] = {{192, 192, 192}, {192, 192, 0}, {0, 192, 192}, {0, 192, 0},
                            {192, 0, 192},   {192, 0, 0},   {0, 0, 192}};
    const QColor strip[7] = {{0, 0, 192}, Qt::black, {192, 0, 192}, Qt::black, {0, 192, 192}, Qt::black,
                             {192, 192, 192}};
    const int barBottom = h * 2 / 3;
    const int stripBottom = h * 3 / 4;
    for (int i = 0; i < 7; ++i) {
        const int x0 = w * i / 7;
        const int x1 = w * (i + 1) / 7;
        painter.fillRect(x0, 0, x1 - x0, barBottom, bars[i]);
        painter.fillRect(x0, barBottom, x1 - x0, stripBottom - barBottom, strip[i]);
    }
    const QColor band[4] = {{0, 33, 76}, {255, 255, 255}, {50, 0, 106}, {19, 19, 19}};
    for (int i = 0; i < 4; ++i)
        painter.fillRect(w * i * 5 / 28, stripBottom, w * 5 / 28 + 1, h - stripBottom, band[i]);
    painter.fillRect(w * 20 / 28, stripBottom, w - w * 20 / 28, h - stripBottom, QColor(19, 19, 19));

    // A running clock, so that every photo differs from the one before.
    QFont font;
    font.setPixelSize(qMax(12, h / 12));
    font.setBold(true);
    painter.setFont(font);
    const QString text = time.toString(QStringLiteral("hh:mm:ss.zzz"));
    const QRect box = painter.fontMetrics().boundingRect(text).adjusted(-8, -4, 8, 4);
    const QRect plate(QPoint(w / 28, h - box.height() - h / 40), box.size());
    painter.fillRect(plate, QColor(0, 0, 0));
    painter.setPen(Qt::white);
    painter.drawText(plate, Qt::AlignCenter, text);
    return picture;
}

QByteArray SimCamera::photoData() const
{
    QByteArray data;
    if (m_fault == PhotoNotJpeg)
        return QByteArray(5000, 'x');
    if (m_fault == PhotoEmpty)
        return data;
    const QSize size = m_fault == PhotoHugeHeader ? QSize(16, 16) : photoSize();
    const QImage picture = scene(size, QTime::currentTime());
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 90);
    const int sof = data.indexOf(QByteArray::fromHex("FFC0"));
    if (m_fault == PhotoHugeHeader && sof > 0) {
        // Height and width of the frame header: 8192 each, over a few hundred bytes.
        data[sof + 5] = char(0x20); data[sof + 6] = 0;
        data[sof + 7] = char(0x20); data[sof + 8] = 0;
    }
    const int sos = data.indexOf(QByteArray::fromHex("FFDA"));
    if (m_fault == PhotoCorrupt && sos > 0) {
        // Restart markers in the middle of the entropy-coded data: the decoder reports it.
        for (int i = sos + 40; i + 1 < data.size() - 2; i += 97) {
            data[i] = char(0xFF);
            data[i + 1] = char(0xD3);
        }
    }
    return data;
}

void SimCamera::sendPhoto(QTcpSocket* s)
{
    QByteArray data = photoData();
    quint32 announced = quint32(data.size());
    if (m_fault == PhotoTruncated)
        data.chop(data.size() / 2);
    if (m_fault == PhotoOversized)
        announced = 0x7FFFFFF0;
    QByteArray head = header(0x09) + le32(announced);
    if (!m_photoClientId.isEmpty())
        head.replace(0, m_clientId.size(), m_photoClientId);
    ++m_photosSent;
    if (m_fault == PhotoInOneWrite) {
        s->write(head + data);
        return;
    }
    // The data follows its header 20 ms later; a photo asked for meanwhile waits for it,
    // as one photo never comes between another's header and data.
    QList<QByteArray>& queue = m_photoQueue[s];
    queue << head << data;
    if (queue.size() == 2)
        writeQueuedPhoto(s);
}

void SimCamera::writeQueuedPhoto(QTcpSocket* s)
{
    s->write(m_photoQueue.value(s).at(0));
    s->flush();
    QTimer::singleShot(20, s, [this, s] {
        auto queue = m_photoQueue.find(s);
        if (queue == m_photoQueue.end())
            return;  // the link was closed meanwhile
        s->write(queue->at(1));
        queue->erase(queue->begin(), queue->begin() + 2);
        if (!queue->isEmpty())
            writeQueuedPhoto(s);
    });
}

void SimCamera::sendNoticeBurst(int count, int index)
{
    m_resIndex = index;
    QByteArray burst;
    for (int i = 0; i < count; ++i) {
        const int shown = i == count - 1 ? index : i % 11;
        burst += QByteArray::fromHex("0f0f1000000101") + QByteArray(1, 0x1E) + QByteArray(1, char(shown))
            + QByteArray::fromHex("00400000");
    }
    for (QTcpSocket* s : qAsConst(m_clients))
        s->write(burst);
}

void SimCamera::changeResolutionFromOtherApp(int index)
{
    m_resIndex = index;
    const QByteArray notice = QByteArray::fromHex("0f0f1000000101") + QByteArray(1, 0x1E)
        + QByteArray(1, char(index)) + QByteArray::fromHex("00400000");
    for (QTcpSocket* s : qAsConst(m_clients))
        s->write(notice);
}
