#ifndef ISERVICE_H
#define ISERVICE_H

#include <QObject>

class IApplication;
class MainFrame;
class IBoard;

// Base of the process-wide services: holds the application, its main window and the
// main window's board once they exist.
class IService : public QObject
{
    Q_OBJECT
public:
    explicit IService(QObject* parent = nullptr) : QObject(parent) {}
    ~IService() override = default;

    virtual void setApplication(IApplication* app) { m_app = app; }
    virtual void setBoard(IBoard* board) { m_board = board; }
    IApplication* application() const { return m_app; }
    // The application's main window (null before it exists).
    MainFrame* mainFrame() const;
    IBoard* board() const { return m_board; }

protected:
    IApplication* m_app = nullptr;
    IBoard* m_board = nullptr;
};

#endif
