#ifndef ITCPSOCKET_H
#define ITCPSOCKET_H

#include <atomic>

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>

#include "iwifimessageframer.h"
#include "iwifitimings.h"

class QTcpSocket;
class QTimer;

// The Wi-Fi camera's control connection on a thread of its own. It connects without
// blocking, sends the bind request, writes queued commands every send tick and hands
// on whole messages; a photo is decoded here so the GUI thread never waits for it.
class ITcpSocket : public QThread
{
    Q_OBJECT
public:
    ITcpSocket(const QString& address, const int& port,
               const IWifiLinkTimings& timings = IWifiLinkTimings());
    ~ITcpSocket() override;

    // Queues a message for the next send tick. Any thread.
    virtual void sendMessageToServer(const QByteArray& message);

    // A photo's bytes as a picture that owns its pixels (RGB32): null unless the bytes
    // are a JPEG that decodes without error and whose size is one the camera can take.
    static QImage decodePhoto(const QByteArray& data);

    // Bytes read from the camera so far. Any thread.
    quint64 bytesRead() const { return m_bytesRead.load(); }

signals:
    void sgError(QString text);
    // The connection could not be made (refused or timed out); the thread ends.
    void sgConnectFailed();
    void sgDisconnect();
    // One whole message: the bind reply first, then replies.
    void sgReceivePacket(QByteArray message);
    // The first message of the connection was no usable client id.
    void sgBadBind(QByteArray message);
    // A photo reply's 9-byte header with its picture; the picture is null when the bytes
    // stopped coming or did not decode. "abandoned": the photo was cut off because a newer
    // photo command went out, so it answers a command older than the newest one.
    void sgReceivePhoto(QByteArray header, QImage picture, bool abandoned);
    // The byte stream can no longer be followed (a photo length that cannot be true);
    // the connection is closed and the thread ends.
    void sgOutOfStep(QByteArray header);

protected:
    void run() override;
    // The read path after the socket: frames the bytes and hands on whole messages.
    void handleBytes(const QByteArray& bytes);
    // Drops an incomplete message; a cut-off photo is answered as a failed one.
    void dropPartialMessage(const char* reason, bool abandoned);
    // Takes the messages queued for this tick. A partial photo still waiting when a photo
    // command goes out belongs to an abandoned request and is dropped first.
    QList<QByteArray> takeQueue();

private slots:
    void slReadMessageSlot();
    void slDisconnectedSlot();
    void slSendMessageToServerSlot();
    void slErrorSlot();
    void slConnectedSlot();
    void slConnectTimeoutSlot();
    void slSilenceSlot();

private:
    void deliver(const IWifiMessageFramer::Message& message);

    QTcpSocket* m_socket = nullptr;
    QTimer* m_sendTimer = nullptr;
    QTimer* m_connectTimer = nullptr;
    QTimer* m_silenceTimer = nullptr;
    QMutex m_queueMutex;
    QList<QByteArray> m_queue;
    int m_port;
    QString m_address;
    IWifiLinkTimings m_timings;
    IWifiMessageFramer m_framer;
    bool m_connected = false;
    bool m_outOfStep = false;
    std::atomic<quint64> m_bytesRead{0};
};

#endif
