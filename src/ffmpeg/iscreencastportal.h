#ifndef ISCREENCASTPORTAL_H
#define ISCREENCASTPORTAL_H

#include <QObject>
#include <QRect>
#include <QString>
#include <QVariantMap>

class QDBusMessage;
class QDBusPendingCallWatcher;
class QTimer;

// The desktop's screen-cast portal (xdg-desktop-portal, ScreenCast) on the session bus:
// on Wayland the only way a program may see the screen. The user grants one monitor;
// the grant is a session whose PipeWire stream carries that monitor's pictures. The
// grant's restore token is kept for the program's run, so a later recording asks the
// desktop again without showing its dialog a second time.
//
// A request is a chain of calls driven by the event loop, each step bounded: it never
// blocks the caller, and its end comes as sgRequestFinished.
class IScreenCastPortal : public QObject
{
    Q_OBJECT
public:
    // TimedOut: the desktop did not answer within the step's bound. NoStream: it granted
    // a stream but gave no PipeWire connection for it. Failed: the portal answered, but
    // its service failed (its back end gone, say) without the user being asked.
    enum Result { Granted, Cancelled, Refused, Unavailable, TimedOut, NoStream, Failed };

    static IScreenCastPortal* instance();

    // Starts asking the desktop for a monitor (its dialog, where it shows one) and returns
    // at once; parentWindow is "x11:<id>" or empty. A request still running is abandoned
    // and a granted session ended first. sgRequestFinished follows.
    void request(const QString& parentWindow);
    bool isPending() const { return m_step != Idle; }
    // Abandons the running request: its dialog is dismissed, the session it made is
    // ended, and no sgRequestFinished follows.
    void cancel();
    // A granted session is open.
    bool hasGrant() const { return m_granted && !m_session.isEmpty(); }
    // The granted stream: its PipeWire node and where the monitor lies on the desktop
    // (an empty rectangle when the portal does not say).
    quint32 streamNode() const { return m_node; }
    QRect streamGeometry() const { return m_geometry; }
    // The descriptor of the PipeWire connection that carries the granted stream, handed
    // to the caller (who then owns it) once; -1 after that or without a grant.
    int takePipeWireRemote();
    // A second connection to the same stream, which sees only when its node comes and
    // goes; -1 when the portal gave none.
    int takeWatchRemote();
    // The granted session's handle (empty without a grant).
    QString sessionHandle() const { return hasGrant() ? m_session : QString(); }
    // Ends the granted session (the desktop stops sharing) or the running request.
    void close();
    // Ends the session only while it is still the granted one (a later grant stays).
    void close(const QString& session);
    // The last request's failure, for the log.
    QString lastError() const { return m_error; }

signals:
    // The request started by request() ended with this Result.
    void sgRequestFinished(int result);
    // The desktop ended the granted session (the user stopped sharing).
    void sgSessionClosed();

private slots:
    // Each takes only its own request's or session's signal: one of an earlier request may
    // still be on its way.
    void onResponse(uint response, const QVariantMap& results, const QDBusMessage& message);
    void onClosed(const QDBusMessage& message);

private:
    enum Step { Idle, Properties, CreateSession, SelectSources, Start, Remote, WatchRemote };

    IScreenCastPortal();
    // Also ends the grant when the portal leaves the bus (it ended or failed).
    void watchPortal();
    QString nextToken();
    QString objectPath(const QString& kind, const QString& token) const;
    // Sends a portal call for step; its answer (the reply, or the Response on the request
    // named by token when there is one) moves the request on. boundMs limits the wait.
    void call(Step step, const QString& interface, const QString& method, const QVariantList& arguments,
              const QString& token, int boundMs);
    void onReply(QDBusPendingCallWatcher* watcher);
    void onProperties(const QVariantMap& properties);
    void selectSources();
    bool takeStreams(const QVariantMap& results);
    void finish(Result result, const QString& error = QString());
    // Finishes granted; the watch connection is not needed for that.
    void grant();
    // Stops listening to the running step's answer.
    void dropStep();
    void closeSession();
    void onSessionClosed();

    Step m_step = Idle;
    QString m_parentWindow;
    QString m_session;
    bool m_granted = false;
    QString m_restoreToken;
    QString m_requestPath;
    QDBusPendingCallWatcher* m_watcher = nullptr;
    QTimer* m_bound = nullptr;
    uint m_cursorModes = 0;
    uint m_version = 0;
    quint32 m_node = 0;
    QRect m_geometry;
    int m_remote = -1;
    int m_watchRemote = -1;
    QString m_error;
    int m_tokenCount = 0;
    bool m_watching = false;
    // The portal's unique bus name, from its last reply.
    QString m_portalOwner;
};

#endif
