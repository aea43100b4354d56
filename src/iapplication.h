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
    IApplication(const QString& appId, int& argc, char** argv);
    ~IApplication() override;

    // Computes the scaling factors, builds the main window and runs the event loop
    // (only while no main window exists). Returns the loop's result, or 0 when no
    // camera was found.
    int exec();
    MainFrame* mainFrame() const;

    bool notify(QObject* receiver, QEvent* event) override;

signals:
    void sgGMousePressEvent(QPoint globalPos);
    void sgGMouseMoveEvent(QPoint globalPos);

private:
    // Process-wide singletons own widgets and threads: they must go while the
    // application object still exists.
    void destroySingletons();

    QPointer<MainFrame> m_mainFrame;
};

#endif
