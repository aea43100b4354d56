#include "ffmpeg/iscreencastportal.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusUnixFileDescriptor>
#include <QDebug>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString SERVICE = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PATH = QStringLiteral("/org/freedesktop/portal/desktop");
const QString SCREENCAST = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString REQUEST = QStringLiteral("org.freedesktop.portal.Request");
const QString SESSION = QStringLiteral("org.freedesktop.portal.Session");
const uint SOURCE_MONITOR = 1;
const uint CURSOR_EMBEDDED = 2;
// Keep the grant while the program runs.
const uint PERSIST_WHILE_RUNNING = 1;
// Steps without a dialog answer at once; the desktop's dialog waits for the user.
const int QUICK_MS = 10000;
const int DIALOG_MS = 180000;

QString pathText(const QVariant& value)
{
    if (value.userType() == qMetaTypeId<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    return value.toString();
}

QPoint pairOf(const QVariant& value)
{
    if (value.userType() != qMetaTypeId<QDBusArgument>())
        return QPoint();
    const QDBusArgument arg = value.value<QDBusArgument>();
    int a = 0;
    int b = 0;
    arg.beginStructure();
    arg >> a >> b;
    arg.endStructure();
    return QPoint(a, b);
}

QVariant screenCastProperty(const QString& name)
{
    QDBusMessage call = QDBusMessage::createMethodCall(SERVICE, PATH, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                       QStringLiteral("Get"));
    call << SCREENCAST << name;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, QUICK_MS);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return reply.arguments().first().value<QDBusVariant>().variant();
}
}

IScreenCastPortal* IScreenCastPortal::instance()
{
    // Ends with the application object, while the bus's thread still runs: the bus holds
    // its signal connections to it, and a portal destroyed among the static objects
    // would wait for that thread forever.
    static QPointer<IScreenCastPortal> portal;
    if (!portal) {
        portal = new IScreenCastPortal;
        portal->setParent(QCoreApplication::instance());
    }
    return portal;
}

bool IScreenCastPortal::isAvailable()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_error = QStringLiteral("no session bus");
        return false;
    }
    if (!bus.interface() || !bus.interface()->isServiceRegistered(SERVICE).value()) {
        // The portal may be started on demand by the bus.
        QDBusMessage ping = QDBusMessage::createMethodCall(SERVICE, PATH, QStringLiteral("org.freedesktop.DBus.Peer"),
                                                           QStringLiteral("Ping"));
        if (bus.call(ping, QDBus::Block, QUICK_MS).type() != QDBusMessage::ReplyMessage) {
            m_error = QStringLiteral("no xdg-desktop-portal on the session bus");
            return false;
        }
    }
    const uint types = screenCastProperty(QStringLiteral("AvailableSourceTypes")).toUInt();
    if (!(types & SOURCE_MONITOR)) {
        m_error = QStringLiteral("the portal offers no screen cast of monitors");
        return false;
    }
    return true;
}

QString IScreenCastPortal::nextToken()
{
    return QStringLiteral("ocumetra%1_%2").arg(::getpid()).arg(++m_tokenCount);
}

IScreenCastPortal::Result IScreenCastPortal::callWithResponse(const QString& method, const QVariantList& arguments,
                                                              const QString& token, QVariantMap& results,
                                                              int timeoutMs)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The answer comes as a signal on a Request object whose path the caller knows in
    // advance; listening starts before the call, so a quick answer is not missed.
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString requestPath = QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    bus.connect(SERVICE, requestPath, REQUEST, QStringLiteral("Response"), this,
                SLOT(onResponse(uint, QVariantMap)));
    m_answered = false;
    QDBusMessage call = QDBusMessage::createMethodCall(SERVICE, PATH, SCREENCAST, method);
    call.setArguments(arguments);
    const QDBusMessage reply = bus.call(call, QDBus::Block, QUICK_MS);
    bool ok = reply.type() == QDBusMessage::ReplyMessage;
    if (!ok) {
        m_error = method + QStringLiteral(": ") + reply.errorMessage();
    } else if (!m_answered) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(this, &IScreenCastPortal::destroyed, &loop, &QEventLoop::quit);
        QTimer poll;
        connect(&poll, &QTimer::timeout, &loop, [&] {
            if (m_answered)
                loop.quit();
        });
        poll.start(10);
        timer.start(timeoutMs);
        loop.exec();
        if (!m_answered)
            m_error = method + QStringLiteral(": no answer from the portal");
        ok = m_answered;
    }
    bus.disconnect(SERVICE, requestPath, REQUEST, QStringLiteral("Response"), this,
                   SLOT(onResponse(uint, QVariantMap)));
    results = m_results;
    if (!ok)
        return Unavailable;
    if (m_response == 0)
        return Granted;
    m_error = QStringLiteral("%1 refused (%2)").arg(method).arg(m_response);
    return m_response == 1 ? Cancelled : Refused;
}

void IScreenCastPortal::onResponse(uint response, const QVariantMap& results)
{
    m_answered = true;
    m_response = response;
    m_results = results;
}

IScreenCastPortal::Result IScreenCastPortal::request(const QString& parentWindow)
{
    m_lastResult = ask(parentWindow);
    if (m_lastResult != Granted)
        qDebug() << "screen cast not granted:" << m_error;
    return m_lastResult;
}

IScreenCastPortal::Result IScreenCastPortal::ask(const QString& parentWindow)
{
    close();
    m_error.clear();
    if (!isAvailable())
        return Unavailable;
    QVariantMap results;

    QString token = nextToken();
    QVariantMap options{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("session_handle_token"), nextToken()}};
    Result result = callWithResponse(QStringLiteral("CreateSession"), {options}, token, results, QUICK_MS);
    if (result != Granted)
        return result;
    const QString session = pathText(results.value(QStringLiteral("session_handle")));
    if (session.isEmpty()) {
        m_error = QStringLiteral("CreateSession gave no session");
        return Unavailable;
    }
    m_session = session;
    watchPortal();
    QDBusConnection::sessionBus().connect(SERVICE, m_session, SESSION, QStringLiteral("Closed"), this,
                                          SLOT(onSessionClosed()));

    token = nextToken();
    options = {{QStringLiteral("handle_token"), token},
               {QStringLiteral("types"), SOURCE_MONITOR},
               {QStringLiteral("multiple"), false}};
    // The pointer is part of the picture, as on X11.
    if (screenCastProperty(QStringLiteral("AvailableCursorModes")).toUInt() & CURSOR_EMBEDDED)
        options.insert(QStringLiteral("cursor_mode"), CURSOR_EMBEDDED);
    if (screenCastProperty(QStringLiteral("version")).toUInt() >= 4) {
        options.insert(QStringLiteral("persist_mode"), PERSIST_WHILE_RUNNING);
        if (!m_restoreToken.isEmpty())
            options.insert(QStringLiteral("restore_token"), m_restoreToken);
    }
    result = callWithResponse(QStringLiteral("SelectSources"),
                              {QVariant::fromValue(QDBusObjectPath(m_session)), options}, token, results, DIALOG_MS);
    if (result == Granted) {
        token = nextToken();
        options = {{QStringLiteral("handle_token"), token}};
        result = callWithResponse(QStringLiteral("Start"),
                                  {QVariant::fromValue(QDBusObjectPath(m_session)), parentWindow, options}, token,
                                  results, DIALOG_MS);
    }
    if (result != Granted) {
        close();
        return result;
    }
    m_node = 0;
    m_geometry = QRect();
    const QVariant streams = results.value(QStringLiteral("streams"));
    if (streams.userType() == qMetaTypeId<QDBusArgument>()) {
        const QDBusArgument arg = streams.value<QDBusArgument>();
        arg.beginArray();
        bool first = true;
        while (!arg.atEnd()) {
            quint32 node = 0;
            QVariantMap properties;
            arg.beginStructure();
            arg >> node >> properties;
            arg.endStructure();
            if (!first)
                continue;
            first = false;
            m_node = node;
            if (properties.contains(QStringLiteral("size")))
                m_geometry = QRect(pairOf(properties.value(QStringLiteral("position"))),
                                   QSize(pairOf(properties.value(QStringLiteral("size"))).x(),
                                         pairOf(properties.value(QStringLiteral("size"))).y()));
        }
        arg.endArray();
    }
    if (m_node == 0) {
        m_error = QStringLiteral("the portal granted no stream");
        close();
        return Refused;
    }
    const QString restore = results.value(QStringLiteral("restore_token")).toString();
    if (!restore.isEmpty())
        m_restoreToken = restore;
    qDebug() << "screen cast granted: node" << m_node << "geometry" << m_geometry;
    return Granted;
}

int IScreenCastPortal::openPipeWireRemote()
{
    if (m_session.isEmpty())
        return -1;
    QDBusMessage call = QDBusMessage::createMethodCall(SERVICE, PATH, SCREENCAST, QStringLiteral("OpenPipeWireRemote"));
    call << QVariant::fromValue(QDBusObjectPath(m_session)) << QVariantMap();
    const QDBusReply<QDBusUnixFileDescriptor> reply = QDBusConnection::sessionBus().call(call, QDBus::Block, QUICK_MS);
    if (!reply.isValid() || !reply.value().isValid()) {
        m_error = QStringLiteral("OpenPipeWireRemote: ") + reply.error().message();
        return -1;
    }
    // The reply's descriptor closes with it; the caller gets its own.
    return ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0);
}

void IScreenCastPortal::close()
{
    if (m_session.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.disconnect(SERVICE, m_session, SESSION, QStringLiteral("Closed"), this, SLOT(onSessionClosed()));
    bus.call(QDBusMessage::createMethodCall(SERVICE, m_session, SESSION, QStringLiteral("Close")), QDBus::NoBlock);
    m_session.clear();
    m_node = 0;
}

void IScreenCastPortal::close(const QString& session)
{
    if (!session.isEmpty() && session == m_session)
        close();
}

void IScreenCastPortal::watchPortal()
{
    if (m_watching)
        return;
    m_watching = true;
    auto* watcher = new QDBusServiceWatcher(SERVICE, QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForUnregistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        if (!m_session.isEmpty())
            onSessionClosed();
    });
}

void IScreenCastPortal::onSessionClosed()
{
    qDebug() << "the desktop ended the screen cast";
    QDBusConnection::sessionBus().disconnect(SERVICE, m_session, SESSION, QStringLiteral("Closed"), this,
                                             SLOT(onSessionClosed()));
    m_session.clear();
    m_node = 0;
    emit sgSessionClosed();
}
