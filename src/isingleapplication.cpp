#include "isingleapplication.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>
#include <QTimer>
#include <QWidget>

#include <sys/un.h>
#include <unistd.h>

namespace {
// A frame is a 32-bit length followed by the UTF-8 text; the receiver answers one byte.
const char kAck = 'A';
// Anything longer than this is not one of our messages.
const quint32 kMaxMessageBytes = 64 * 1024;
// A client that stalls mid-message is dropped after this long.
const int kClientTimeoutMs = 10000;

QString safeFileName(const QString& key)
{
    QString name;
    for (const QChar c : key)
        name += (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) ? c : QLatin1Char('_');
    return name.isEmpty() ? QStringLiteral("app") : name;
}

int remaining(const QElapsedTimer& timer, int timeout)
{
    return int(qMax<qint64>(0, timeout - timer.elapsed()));
}
}

ISingleInstance::ISingleInstance(const QString& key, QObject* parent)
    : QObject(parent)
    , m_key(key)
{
    QDir().mkpath(runtimeFolder());
    m_lock.reset(new QLockFile(lockFilePath()));
    // Never stale by age: only a lock whose process is gone is taken over.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        startServer();
        return;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        m_running = true;
    } else {
        // Without a lock file we cannot tell; run rather than refuse to start.
        qWarning() << Q_FUNC_INFO << "cannot create the instance lock" << lockFilePath();
    }
}

ISingleInstance::~ISingleInstance()
{
    if (m_server)
        m_server->close();
}

QString ISingleInstance::runtimeFolder()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!dir.isEmpty())
        return dir;
    return QDir::tempPath() + QStringLiteral("/ocumetra-runtime-%1").arg(getuid());
}

QString ISingleInstance::lockFilePath() const
{
    return runtimeFolder() + QLatin1Char('/') + safeFileName(m_key) + QStringLiteral(".lock");
}

QString ISingleInstance::serverName() const
{
    const QString folder = runtimeFolder() + QLatin1Char('/');
    const QString named = folder + safeFileName(m_key) + QStringLiteral(".socket");
    if (QFile::encodeName(named).size() < int(sizeof(sockaddr_un::sun_path)))
        return named;
    // Too long for a local socket: a short digest of the key names it instead.
    return folder + QString::fromLatin1(QCryptographicHash::hash(m_key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16))
           + QStringLiteral(".socket");
}

void ISingleInstance::startServer()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Qt tells a path too long for a local socket by a stale errno ("Unknown error 17").
    if (QFile::encodeName(serverName()).size() >= int(sizeof(sockaddr_un::sun_path))) {
        qWarning() << Q_FUNC_INFO << "cannot listen on" << serverName()
                   << ": the runtime folder's path is too long for a local socket";
        return;
    }
    // A socket file left by a crashed holder would block listen().
    QLocalServer::removeServer(serverName());
    if (!m_server->listen(serverName())) {
        qWarning() << Q_FUNC_INFO << "cannot listen on" << serverName() << m_server->errorString();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &ISingleInstance::acceptConnections);
}

void ISingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        QTimer::singleShot(kClientTimeoutMs, socket, &QLocalSocket::abort);
        if (socket->bytesAvailable() > 0)
            readMessage(socket);
    }
}

void ISingleInstance::readMessage(QLocalSocket* socket)
{
    if (socket->property("done").toBool())
        return;
    if (socket->bytesAvailable() < qint64(sizeof(quint32)))
        return;
    quint32 length = 0;
    socket->peek(reinterpret_cast<char*>(&length), sizeof(length));
    length = qFromBigEndian(length);
    if (length > kMaxMessageBytes) {
        qWarning() << Q_FUNC_INFO << "dropping an oversized instance message";
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < qint64(sizeof(quint32) + length))
        return;
    socket->read(sizeof(quint32));
    const QString message = QString::fromUtf8(socket->read(length));
    socket->setProperty("done", true);
    socket->write(&kAck, 1);
    socket->flush();
    socket->disconnectFromServer();
    emit messageReceived(message);
}

bool ISingleInstance::sendMessage(const QString& message, int timeout)
{
    if (!m_running)
        return false;
    QElapsedTimer timer;
    timer.start();
    QLocalSocket socket;
    // The holder may still be setting up its server: keep trying until the time is up.
    for (;;) {
        socket.connectToServer(serverName());
        if (socket.waitForConnected(remaining(timer, timeout)))
            break;
        if (remaining(timer, timeout) == 0)
            return false;
        QThread::msleep(quint64(qMin(100, remaining(timer, timeout))));
    }
    const QByteArray text = message.toUtf8();
    QByteArray frame(sizeof(quint32), '\0');
    qToBigEndian(quint32(text.size()), frame.data());
    frame += text;
    socket.write(frame);
    if (!socket.waitForBytesWritten(remaining(timer, timeout)))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (remaining(timer, timeout) == 0 || !socket.waitForReadyRead(remaining(timer, timeout)))
            return false;
    }
    char ack = 0;
    socket.read(&ack, 1);
    return ack == kAck;
}

ISingleApplication::ISingleApplication(const QString& appId, int& argc, char** argv)
    : QApplication(argc, argv)
    , m_instance(new ISingleInstance(appId, this))
{
    connect(m_instance, &ISingleInstance::messageReceived, this, &ISingleApplication::messageReceived);
}

ISingleApplication::~ISingleApplication() = default;

bool ISingleApplication::isRunning() const
{
    return m_instance && m_instance->isRunning();
}

bool ISingleApplication::restartNow(const QString& program, qint64* pid)
{
    m_restartRequested = false;
    // Deleting the holder unlocks the key and closes its socket.
    delete m_instance;
    m_instance = nullptr;
    const QString path = program.isEmpty() ? QCoreApplication::applicationFilePath() : program;
    if (!QProcess::startDetached(path, QStringList(), QString(), pid)) {
        qWarning() << Q_FUNC_INFO << "cannot start" << path;
        return false;
    }
    return true;
}

QString ISingleApplication::id() const
{
    return m_instance ? m_instance->key() : QString();
}

bool ISingleApplication::sendMessage(const QString& message, int timeout)
{
    return m_instance && m_instance->sendMessage(message, timeout);
}

void ISingleApplication::setActivationWindow(QWidget* window)
{
    m_activationWindow = window;
}

QWidget* ISingleApplication::activationWindow() const
{
    return m_activationWindow;
}

void ISingleApplication::activateWindow()
{
    if (!m_activationWindow)
        return;
    m_activationWindow->setWindowState(m_activationWindow->windowState() & ~Qt::WindowMinimized);
    m_activationWindow->raise();
    m_activationWindow->activateWindow();
}
