#ifndef IAPPLICATION_H
#define IAPPLICATION_H

#include <QPoint>

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
    // (only while no main window exists). Returns the loop's result.
    int exec();
    MainFrame* mainFrame() const { return m_mainFrame; }

    bool notify(QObject* receiver, QEvent* event) override;

signals:
    void sgGMousePressEvent(QPoint globalPos);
    void sgGMouseMoveEvent(QPoint globalPos);

private:
    MainFrame* m_mainFrame = nullptr;
};

#endif
