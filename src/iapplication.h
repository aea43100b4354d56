#ifndef IAPPLICATION_H
#define IAPPLICATION_H

#include <QPoint>
#include <QPointer>

#include "isingleapplication.h"

class MainFrame;

// The application object: single instance, screen-scaling factors, global mouse signals.
class IApplication : public ISingleApplication
{
    Q_OBJECT
public:
    // In a Wayland session with XWayland, runs on XWayland unless QT_QPA_PLATFORM (or
    // -platform) names a platform.
    IApplication(const QString& appId, int& argc, char** argv);
    ~IApplication() override;

    // Computes the scaling factors, builds the main window and runs the event loop
    // (only while no main window exists). Returns the loop's result, or 0 when no
    // camera was found.
    int exec();
    MainFrame* mainFrame() const;

    // Turns SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, kill, Ctrl+C) into an
    // orderly quit: the window's close shutdown runs (snapshots saved, a time-lapse
    // finalised, settings written), then the event loop ends. Call once, in main().
    void handleTerminationSignals();
    // What a termination signal does, also for callers on the GUI thread.
    void quitOrderly();
    // The camera failed for good before the window was ever shown: as at start-up, the
    // program ends instead of running on invisibly (holding the instance key, so that
    // every later start would only hand it a message and exit).
    void quitWithoutWindow();

    bool notify(QObject* receiver, QEvent* event) override;

signals:
    void sgGMousePressEvent(QPoint globalPos);
    void sgGMouseMoveEvent(QPoint globalPos);

private:
    // Process-wide singletons own widgets and threads: they must go while the
    // application object still exists.
    void destroySingletons();

    void onTerminationSignal();
    // The start-up wait is over: ends the loop when a quit came early or no camera was found.
    void endStartupWait();

    QPointer<MainFrame> m_mainFrame;
    bool m_quitRequested = false;
    bool m_startupOver = false;
};

#endif
