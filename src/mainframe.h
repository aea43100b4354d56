#ifndef MAINFRAME_H
#define MAINFRAME_H

#include <QWidget>

class IApplication;

// The program's frameless main window.
class MainFrame : public QWidget
{
    Q_OBJECT
public:
    explicit MainFrame(IApplication* app, QWidget* parent = nullptr);
    ~MainFrame() override;

    // Sets up the first page of the board and opens the camera.
    virtual void InitFirstSlide();

    IApplication* application() const { return m_app; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    IApplication* m_app = nullptr;
};

#endif
