#ifndef ITCPSERVER_H
#define ITCPSERVER_H

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

class QProcess;

// The link to a companion screen recorder: the server starts the companion with the
// output path and the rectangle, accepts its one connection on loopback, sends it
// stop, pause and resume in "TSMT" packets and turns its replies into recordMessage.
class ITcpServer : public QTcpServer
{
    Q_OBJECT
public:
    // A packet is "TSMT", a 4-byte decimal length, the payload and "END"; the length
    // counts itself, the payload and the tail.
    static constexpr int kHeadSize = 4;
    static constexpr int kLengthSize = 4;
    static constexpr int kTailSize = 3;
    static constexpr int kMaxLength = 9999;

    explicit ITcpServer(QObject* parent = nullptr);
    ~ITcpServer() override;

    virtual bool startRecordVideo(const QString& path, const QRect& rect);
    virtual bool stopRecordVideo();
    virtual bool pauseRecordVideo(const bool& pause);
    virtual bool isConnected();
    // Ends the companion this server started, and only that one.
    virtual bool destoryRecord();

    bool starSocketListen();
    // Only loopback addresses are taken; the change applies at the next listen.
    void setSocketIP(const QString& ip);
    void setSocketPort(const int& port);
    void stopSocketListen();
    bool SendMessageToClient(const QByteArray& payload);

    static QByteArray Packet(QByteArray payload);
    // Payloads of the complete packets; an incomplete packet is kept for the next read.
    // Malformed input empties the buffer and sets malformed().
    QList<QByteArray> Unpack(QByteArray data);
    // The same without a server: remainder holds the bytes of an incomplete packet
    // between reads.
    static QList<QByteArray> unpackPackets(QByteArray data, QByteArray* remainder, bool* malformed);
    bool malformed() const { return m_malformed; }

    // The companion program; by default "Kapturo/Kapturo.exe" beside the executable.
    void setCompanionProgram(const QString& program) { m_program = program; }
    QString companionProgram() const { return m_program; }
    QTcpSocket* clientSocket() const { return m_client; }

signals:
    void error(QString message);
    void recordMessage(int code, QString info = QString());

protected:
    void incomingConnection(qintptr handle) override;

private slots:
    void onReadMessageSlot();
    void onDisconnectedSlot();

private:
    void handleReply(const QByteArray& payload);
    bool isFinishedVideo(const QString& path) const;
    void dropClient();
    void endCompanion();

    QString m_listenAddress = QStringLiteral("127.0.0.1");
    quint16 m_port = 308;
    QByteArray m_remainder;
    QPointer<QTcpSocket> m_client;
    bool m_connected = false;
    bool m_firstStart = true;
    QProcess* m_process = nullptr;
    QString m_program;
    bool m_startPending = false;
    bool m_malformed = false;
};

#endif
