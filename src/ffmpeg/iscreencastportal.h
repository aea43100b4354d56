#ifndef ISCREENCASTPORTAL_H
#define ISCREENCASTPORTAL_H

#include <QObject>
#include <QRect>
#include <QString>
#include <QVariantMap>

// The desktop's screen-cast portal (xdg-desktop-portal, ScreenCast) on the session bus:
// on Wayland the only way a program may see the screen. The user grants one monitor;
// the grant is a session whose PipeWire stream carries that monitor's pictures. The
// grant's restore token is kept for the program's run, so a later recording asks the
// desktop again without showing its dialog a second time.
class IScreenCastPortal : public QObject
{
    Q_OBJECT
public:
    enum Result { Granted, Cancelled, Refused, Unavailable };

    static IScreenCastPortal* instance();

    // True when the session bus has a portal offering screen casts of monitors.
    bool isAvailable();
    // Asks the desktop for a monitor (its dialog, where it shows one) and waits for the
    // answer; parentWindow is "x11:<id>" or empty. A grant replaces the last session.
    Result request(const QString& parentWindow);
    // A granted session is open.
    bool hasGrant() const { return !m_session.isEmpty(); }
    // What the last request ended with (Unavailable before the first).
    Result lastResult() const { return m_lastResult; }
    // The granted stream: its PipeWire node and where the monitor lies on the desktop
    // (an empty rectangle when the portal does not say).
    quint32 streamNode() const { return m_node; }
    QRect streamGeometry() const { return m_geometry; }
    // A descriptor of the PipeWire connection that carries the granted stream (the caller
    // owns it), or -1.
    int openPipeWireRemote();
    // The granted session's handle (empty without a grant).
    QString sessionHandle() const { return m_session; }
    // Ends the granted session: the desktop stops sharing the screen.
    void close();
    // Ends the session only while it is still the granted one (a later grant stays).
    void close(const QString& session);
    // The last request's failure, for the log.
    QString lastError() const { return m_error; }

signals:
    // The desktop ended the granted session (the user stopped sharing).
    void sgSessionClosed();

private slots:
    void onResponse(uint response, const QVariantMap& results);
    void onSessionClosed();

private:
    IScreenCastPortal() = default;
    // Also ends the grant when the portal leaves the bus (it ended or failed).
    void watchPortal();
    // Calls a portal method that answers through a Request object and waits for the
    // answer: Granted when it agreed, else what it said (with m_error), Unavailable when
    // there was no answer.
    Result callWithResponse(const QString& method, const QVariantList& arguments, const QString& token,
                            QVariantMap& results, int timeoutMs);
    QString nextToken();
    Result ask(const QString& parentWindow);

    QString m_session;
    QString m_restoreToken;
    quint32 m_node = 0;
    QRect m_geometry;
    QString m_error;
    Result m_lastResult = Unavailable;
    int m_tokenCount = 0;
    bool m_watching = false;
    // Filled by onResponse while a request waits.
    bool m_answered = false;
    uint m_response = 2;
    QVariantMap m_results;
};

#endif
