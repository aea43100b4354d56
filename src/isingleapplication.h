#ifndef ISINGLEAPPLICATION_H
#define ISINGLEAPPLICATION_H

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QScopedPointer>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QLockFile;
class QWidget;

// One instance per key and user: the first holder of a lock file in the runtime folder
// owns the key and listens on a local socket next to it; later starts find the lock
// taken and can hand the holder a text message.
class ISingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit ISingleInstance(const QString& key, QObject* parent = nullptr);
    ~ISingleInstance() override;

    // True when another process holds the key.
    bool isRunning() const { return m_running; }
    // Delivers a message to the holder of the key; true once the holder acknowledged it
    // within timeout milliseconds.
    bool sendMessage(const QString& message, int timeout);

    QString key() const { return m_key; }
    QString lockFilePath() const;
    QString serverName() const;

    // Folder of the lock file and the socket: the user's runtime folder.
    static QString runtimeFolder();

signals:
    void messageReceived(const QString& message);

private:
    void startServer();
    void acceptConnections();
    void readMessage(QLocalSocket* socket);

    QString m_key;
    QScopedPointer<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    bool m_running = false;
};

// The single-instance application base.
class ISingleApplication : public QApplication
{
    Q_OBJECT
public:
    ISingleApplication(const QString& appId, int& argc, char** argv);
    ~ISingleApplication() override;

    bool isRunning() const;
    QString id() const;
    bool sendMessage(const QString& message, int timeout = 5000);

    // A restart waits for the exit: a new process started while this one still holds
    // the key would only find it taken and quit.
    void restartAfterExit() { m_restartRequested = true; }
    bool restartRequested() const { return m_restartRequested; }
    // Lets go of the key, then starts program (this executable when empty) without
    // arguments as a process of its own; its id goes to pid. False when it did not start.
    bool restartNow(const QString& program = QString(), qint64* pid = nullptr);

    // The window activateWindow() raises; none by default.
    void setActivationWindow(QWidget* window);
    QWidget* activationWindow() const;

public slots:
    // Restores, raises and activates the activation window, if one is set.
    void activateWindow();

signals:
    void messageReceived(const QString& message);

private:
    ISingleInstance* m_instance = nullptr;
    QPointer<QWidget> m_activationWindow;
    bool m_restartRequested = false;
};

#endif
