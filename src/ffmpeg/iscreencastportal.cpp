#include "ffmpeg/iscreencastportal.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusUnixFileDescriptor>
#include <QDebug>
#include <QPointer>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString SERVICE = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PATH = QStringLiteral("/org/freedesktop/portal/desktop");
const QString SCREENCAST = QStringLiteral("org.freedesktop.portal.ScreenCast");
const QString PROPERTIES = QStringLiteral("org.freedesktop.DBus.Properties");
const QString REQUEST = QStringLiteral("org.freedesktop.portal.Request");
const QString SESSION = QStringLiteral("org.freedesktop.portal.Session");
const uint SOURCE_MONITOR = 1;
const uint CURSOR_EMBEDDED = 2;
// Keep the grant while the program runs.
const uint PERSIST_WHILE_RUNNING = 1;
// Steps without a dialog answer at once; a restored grant shows none either; the
// desktop's dialog waits for the user, who may cancel any time.
const int QUICK_MS = 5000;
const int RESTORED_MS = 10000;
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

// A call that failed: a bus that gave up waiting is a desktop that did not answer, a
// missing service or method is no portal, a denied access the portal's refusal, anything
// else its failure.
IScreenCastPortal::Result resultOf(const QDBusError& error)
{
    if (error.name() == QLatin1String("org.freedesktop.portal.Error.NotAllowed"))
        return IScreenCastPortal::Refused;
    switch (error.type()) {
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut: return IScreenCastPortal::TimedOut;
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::UnknownProperty:
    case QDBusError::Disconnected: return IScreenCastPortal::Unavailable;
    case QDBusError::AccessDenied: return IScreenCastPortal::Refused;
    default: return IScreenCastPortal::Failed;
    }
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

IScreenCastPortal::IScreenCastPortal()
    : m_bound(new QTimer(this))
{
    m_bound->setSingleShot(true);
    connect(m_bound, &QTimer::timeout, this, [this] {
        if (m_step == WatchRemote) {
            qDebug() << "the portal gave no second PipeWire connection in" << m_bound->interval() << "ms";
            grant();
            return;
        }
        const QString step = QString::number(int(m_step));
        finish(TimedOut, QStringLiteral("step %1: no answer from the portal in %2 ms").arg(step).arg(m_bound->interval()));
    });
}

QString IScreenCastPortal::nextToken()
{
    return QStringLiteral("ocumetra%1_%2").arg(::getpid()).arg(++m_tokenCount);
}

QString IScreenCastPortal::objectPath(const QString& kind, const QString& token) const
{
    // The portal names a request and a session after the caller's bus name and the token
    // it chose, so both are known before the call.
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/%1/%2/%3").arg(kind, sender, token);
}

void IScreenCastPortal::request(const QString& parentWindow)
{
    cancel();
    close();
    m_error.clear();
    m_portalOwner.clear();
    m_parentWindow = parentWindow;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        m_step = Properties;
        finish(Unavailable, QStringLiteral("no session bus"));
        return;
    }
    call(Properties, PROPERTIES, QStringLiteral("GetAll"), {SCREENCAST}, QString(), QUICK_MS);
}

void IScreenCastPortal::call(Step step, const QString& interface, const QString& method,
                             const QVariantList& arguments, const QString& token, int boundMs)
{
    dropStep();
    m_step = step;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!token.isEmpty()) {
        // Listening starts before the call, so a quick answer is not missed.
        m_requestPath = objectPath(QStringLiteral("request"), token);
        bus.connect(SERVICE, m_requestPath, REQUEST, QStringLiteral("Response"), this,
                    SLOT(onResponse(uint, QVariantMap, QDBusMessage)));
    }
    QDBusMessage message = QDBusMessage::createMethodCall(SERVICE, PATH, interface, method);
    message.setArguments(arguments);
    m_watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, QUICK_MS), this);
    connect(m_watcher, &QDBusPendingCallWatcher::finished, this, &IScreenCastPortal::onReply);
    m_bound->start(boundMs);
}

void IScreenCastPortal::onReply(QDBusPendingCallWatcher* watcher)
{
    watcher->deleteLater();
    if (watcher != m_watcher)
        return;
    m_watcher = nullptr;
    const QDBusMessage reply = watcher->reply();
    if (reply.type() == QDBusMessage::ReplyMessage)
        m_portalOwner = reply.service();
    if (reply.type() != QDBusMessage::ReplyMessage) {
        const QDBusError error(reply);
        if (m_step == WatchRemote) {
            qDebug() << "the portal gave no second PipeWire connection:" << error.message();
            grant();
            return;
        }
        Result result = resultOf(error);
        // The portal reaches PipeWire only at this step.
        if (m_step == Remote && result != TimedOut)
            result = NoStream;
        finish(result, QStringLiteral("step %1: %2").arg(int(m_step)).arg(error.message()));
        return;
    }
    if (m_step == Properties) {
        onProperties(qdbus_cast<QVariantMap>(reply.arguments().value(0)));
    } else if (m_step == Remote) {
        const QDBusUnixFileDescriptor fd = qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().value(0));
        // The reply's descriptor closes with it; this one is ours.
        m_remote = fd.isValid() ? ::fcntl(fd.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
        if (m_remote < 0) {
            finish(NoStream, QStringLiteral("OpenPipeWireRemote gave no descriptor"));
            return;
        }
        // A connection of its own tells when the stream's node leaves PipeWire, which
        // the stream's reader does not always learn.
        call(WatchRemote, SCREENCAST, QStringLiteral("OpenPipeWireRemote"),
             {QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap()}, QString(), QUICK_MS);
    } else if (m_step == WatchRemote) {
        const QDBusUnixFileDescriptor fd = qdbus_cast<QDBusUnixFileDescriptor>(reply.arguments().value(0));
        m_watchRemote = fd.isValid() ? ::fcntl(fd.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
        grant();
    }
    // The other steps answer through their Response.
}

void IScreenCastPortal::onProperties(const QVariantMap& properties)
{
    if (!(properties.value(QStringLiteral("AvailableSourceTypes")).toUInt() & SOURCE_MONITOR)) {
        finish(Unavailable, QStringLiteral("the portal offers no screen cast of monitors"));
        return;
    }
    m_cursorModes = properties.value(QStringLiteral("AvailableCursorModes")).toUInt();
    m_version = properties.value(QStringLiteral("version")).toUInt();
    watchPortal();
    const QString token = nextToken();
    const QString sessionToken = nextToken();
    // Known before the answer, so an abandoned request still ends the session it made.
    m_session = objectPath(QStringLiteral("session"), sessionToken);
    QDBusConnection::sessionBus().connect(SERVICE, m_session, SESSION, QStringLiteral("Closed"), this,
                                          SLOT(onClosed(QDBusMessage)));
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("session_handle_token"), sessionToken}};
    call(CreateSession, SCREENCAST, QStringLiteral("CreateSession"), {options}, token, QUICK_MS);
}

void IScreenCastPortal::onResponse(uint response, const QVariantMap& results, const QDBusMessage& message)
{
    if (m_step == Idle || m_step == Properties || m_step == Remote || m_step == WatchRemote
        || message.path() != m_requestPath)
        return;
    // 1: the user cancelled; 2: the request ended otherwise, which is how the portal
    // answers when its back end failed or is gone (no dialog was shown).
    if (response != 0) {
        finish(response == 1 ? Cancelled : Failed,
               QStringLiteral("step %1 %2 (%3)").arg(int(m_step)).arg(response == 1 ? "cancelled" : "failed").arg(response));
        return;
    }
    // A restored grant shows no dialog: waiting long for it would only hide a stuck desktop.
    const int dialogMs = m_restoreToken.isEmpty() ? DIALOG_MS : RESTORED_MS;
    const QString token = nextToken();
    QVariantMap options{{QStringLiteral("handle_token"), token}};
    switch (m_step) {
    case CreateSession: {
        const QString session = pathText(results.value(QStringLiteral("session_handle")));
        if (!session.isEmpty() && session != m_session) {
            QDBusConnection bus = QDBusConnection::sessionBus();
            bus.disconnect(SERVICE, m_session, SESSION, QStringLiteral("Closed"), this, SLOT(onClosed(QDBusMessage)));
            m_session = session;
            bus.connect(SERVICE, m_session, SESSION, QStringLiteral("Closed"), this, SLOT(onClosed(QDBusMessage)));
        }
        options.insert(QStringLiteral("types"), SOURCE_MONITOR);
        options.insert(QStringLiteral("multiple"), false);
        // The pointer is part of the picture, as on X11.
        if (m_cursorModes & CURSOR_EMBEDDED)
            options.insert(QStringLiteral("cursor_mode"), CURSOR_EMBEDDED);
        if (m_version >= 4) {
            options.insert(QStringLiteral("persist_mode"), PERSIST_WHILE_RUNNING);
            if (!m_restoreToken.isEmpty())
                options.insert(QStringLiteral("restore_token"), m_restoreToken);
        }
        call(SelectSources, SCREENCAST, QStringLiteral("SelectSources"),
             {QVariant::fromValue(QDBusObjectPath(m_session)), options}, token, dialogMs);
        break;
    }
    case SelectSources:
        call(Start, SCREENCAST, QStringLiteral("Start"),
             {QVariant::fromValue(QDBusObjectPath(m_session)), m_parentWindow, options}, token, dialogMs);
        break;
    case Start:
        if (!takeStreams(results)) {
            finish(Refused, QStringLiteral("the portal granted no stream"));
            return;
        }
        call(Remote, SCREENCAST, QStringLiteral("OpenPipeWireRemote"),
             {QVariant::fromValue(QDBusObjectPath(m_session)), QVariantMap()}, QString(), QUICK_MS);
        break;
    default: break;
    }
}

bool IScreenCastPortal::takeStreams(const QVariantMap& results)
{
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
            if (properties.contains(QStringLiteral("size"))) {
                const QPoint size = pairOf(properties.value(QStringLiteral("size")));
                m_geometry = QRect(pairOf(properties.value(QStringLiteral("position"))), QSize(size.x(), size.y()));
            }
        }
        arg.endArray();
    }
    const QString restore = results.value(QStringLiteral("restore_token")).toString();
    if (!restore.isEmpty())
        m_restoreToken = restore;
    return m_node != 0;
}

void IScreenCastPortal::finish(Result result, const QString& error)
{
    if (m_step == Idle)
        return;
    dropStep();
    m_step = Idle;
    if (result == Granted) {
        qDebug() << "screen cast granted: node" << m_node << "geometry" << m_geometry;
    } else {
        m_error = error;
        qDebug() << "screen cast not granted:" << result << m_error;
        closeSession();
    }
    emit sgRequestFinished(result);
}

void IScreenCastPortal::dropStep()
{
    m_bound->stop();
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->deleteLater();
        m_watcher = nullptr;
    }
    if (!m_requestPath.isEmpty()) {
        QDBusConnection::sessionBus().disconnect(SERVICE, m_requestPath, REQUEST, QStringLiteral("Response"), this,
                                                 SLOT(onResponse(uint, QVariantMap, QDBusMessage)));
        m_requestPath.clear();
    }
}

void IScreenCastPortal::cancel()
{
    if (m_step == Idle)
        return;
    // A dialog still open is dismissed with its request.
    if (!m_requestPath.isEmpty())
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(SERVICE, m_requestPath, REQUEST,
                                                                          QStringLiteral("Close")),
                                           QDBus::NoBlock);
    dropStep();
    m_step = Idle;
    m_error = QStringLiteral("abandoned by the program");
    closeSession();
}

void IScreenCastPortal::grant()
{
    m_granted = true;
    finish(Granted);
}

int IScreenCastPortal::takePipeWireRemote()
{
    const int fd = m_remote;
    m_remote = -1;
    return fd;
}

int IScreenCastPortal::takeWatchRemote()
{
    const int fd = m_watchRemote;
    m_watchRemote = -1;
    return fd;
}

void IScreenCastPortal::closeSession()
{
    for (int* fd : {&m_remote, &m_watchRemote}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    m_granted = false;
    m_node = 0;
    if (m_session.isEmpty())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.disconnect(SERVICE, m_session, SESSION, QStringLiteral("Closed"), this, SLOT(onClosed(QDBusMessage)));
    bus.call(QDBusMessage::createMethodCall(SERVICE, m_session, SESSION, QStringLiteral("Close")), QDBus::NoBlock);
    m_session.clear();
}

void IScreenCastPortal::close()
{
    cancel();
    closeSession();
}

void IScreenCastPortal::close(const QString& session)
{
    if (!session.isEmpty() && session == sessionHandle())
        close();
}

void IScreenCastPortal::watchPortal()
{
    if (m_watching)
        return;
    m_watching = true;
    auto* watcher = new QDBusServiceWatcher(SERVICE, QDBusConnection::sessionBus(),
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    // Only the portal that answered counts: news of an earlier one may come late.
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, [this](const QString&, const QString& old) {
        if (old.isEmpty() || old != m_portalOwner)
            return;
        if (m_step != Idle)
            finish(Unavailable, QStringLiteral("the portal left the bus"));
        else if (!m_session.isEmpty())
            onSessionClosed();
    });
}

void IScreenCastPortal::onClosed(const QDBusMessage& message)
{
    if (!m_session.isEmpty() && message.path() == m_session)
        onSessionClosed();
}

void IScreenCastPortal::onSessionClosed()
{
    if (m_step != Idle) {
        finish(Refused, QStringLiteral("the desktop ended the session while asking"));
        return;
    }
    qDebug() << "the desktop ended the screen cast";
    QDBusConnection::sessionBus().disconnect(SERVICE, m_session, SESSION, QStringLiteral("Closed"), this,
                                             SLOT(onClosed(QDBusMessage)));
    m_session.clear();
    m_granted = false;
    m_node = 0;
    emit sgSessionClosed();
}
