#ifndef SIMCAMERA_H
#define SIMCAMERA_H

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QTimer>
#include <QSize>
#include <QStringList>
#include <QTime>

class QTcpServer;
class QTcpSocket;

// A Wi-Fi document camera's control port on 127.0.0.1: keeps the camera's state,
// answers every command and can misbehave in the ways real links do.
class SimCamera : public QObject
{
    Q_OBJECT
public:
    enum Fault {
        NoFault,
        SplitReplies,       // every reply written in two parts
        GlueReplies,        // replies held back and written together
        PhotoInOneWrite,    // photo header and data in one write
        PhotoTruncated,     // fewer photo bytes than announced
        PhotoOversized,     // a length above any sane photo
        PhotoNotJpeg,       // the announced bytes are no picture
        Silence,            // nothing is answered after the bind
        DropAfterBind,      // the connection is closed right after the bind reply
        BadBind,            // a 3-byte bind reply
        DropOnConnect,      // every connection is closed before the bind reply
        BindNoticeByte,     // the bind reply with the first byte of a notice, the rest later
        BindPadded,         // the bind reply followed by two zero bytes
        PaddingAfterReply,  // every reply followed by three zero bytes in the same write
        PhotoEmpty,         // a photo of length 0
        PhotoHugeHeader,    // a small JPEG whose header claims 8192 x 8192
        PhotoCorrupt,       // a JPEG whose picture data is damaged
    };
    // Fault by its name in the enumeration ("PhotoCorrupt"); NoFault for an unknown name.
    static Fault faultFromName(const QString& name, bool* ok = nullptr);
    static QStringList faultNames();

    explicit SimCamera(QObject* parent = nullptr);
    ~SimCamera() override;

    // Listens on 127.0.0.1 (port 0: any free one).
    bool start(quint16 port = 0);
    void stop();
    quint16 port() const;

    void setFault(Fault fault) { m_fault = fault; }
    void setClientId(const QByteArray& id) { m_clientId = id; }
    void setResolutionIndex(int index) { m_resIndex = index; }
    int resolutionIndex() const { return m_resIndex; }
    // Photos are taken at the stream's size unless a photo size of their own is set
    // (an empty size: back to the stream's).
    void setStreamSize(const QSize& size) { m_streamSize = size; }
    void setPhotoSize(const QSize& size) { m_photoSize = size; }
    QSize photoSize() const { return m_photoSize.isEmpty() ? m_streamSize : m_photoSize; }
    // Photo data is written this long after the photo command arrived.
    void setPhotoDelay(int ms) { m_photoDelayMs = ms; }
    // Photo replies carry this client id instead of the bound one (empty: the bound one).
    void setPhotoClientId(const QByteArray& id) { m_photoClientId = id; }
    int photosSent() const { return m_photosSent; }
    // Another application changed the resolution: tell every client.
    void changeResolutionFromOtherApp(int index);
    // The same notice "count" times in one write, cycling through sizes, the last at "index".
    void sendNoticeBurst(int count, int index);

    // The picture a photo shows: the stream's bar pattern at that size, with the time.
    static QImage scene(const QSize& size, const QTime& time);

    // Every command received, without the client id, in arrival order.
    QList<QByteArray> commands() const { return m_commands; }
    void clearCommands() { m_commands.clear(); }
    int connectionCount() const { return m_connections; }
    QByteArray imageQuality() const { return m_quality; }
    QByteArray imageQualityDefaults() const { return m_defaults; }
    int topLamp() const { return m_topLamp; }
    int wallLamp() const { return m_wallLamp; }

signals:
    void commandReceived(QByteArray command);

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket);
    void handleCommand(QTcpSocket* socket, const QByteArray& command);
    void reply(QTcpSocket* socket, const QByteArray& bytes);
    void sendPhoto(QTcpSocket* socket);
    void writeQueuedPhoto(QTcpSocket* socket);
    void flushGlued();
    void writeSplitChunk();
    QByteArray header(char code) const;
    QByteArray photoData() const;

    QTcpServer* m_server;
    QList<QTcpSocket*> m_clients;
    QHash<QTcpSocket*, QByteArray> m_inbox;
    QHash<QTcpSocket*, QList<QByteArray>> m_photoQueue; // header, data, header, data...
    QByteArray m_glued;
    QTcpSocket* m_gluedTo = nullptr;
    QList<QPair<QPointer<QTcpSocket>, QByteArray>> m_splitChunks; // written one per tick
    QTimer* m_splitTimer;
    Fault m_fault = NoFault;
    QByteArray m_clientId = QByteArray::fromHex("1234");
    int m_resIndex = 8;
    QSize m_streamSize = QSize(1280, 720);
    QSize m_photoSize;
    QByteArray m_defaults = QByteArray::fromHex("3228401e01141e00");
    QByteArray m_quality = QByteArray::fromHex("3c2d461e01191e00");
    int m_topLamp = 0;
    int m_wallLamp = 0;
    int m_connections = 0;
    int m_photoDelayMs = 0;
    int m_photosSent = 0;
    QByteArray m_photoClientId;
    QList<QByteArray> m_commands;
};

#endif
