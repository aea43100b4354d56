#ifndef IVIDEORECORDFRAME_H
#define IVIDEORECORDFRAME_H

#include <QWidget>

class IApplication;
class ICameraToolBar;

// Screen-recording bar over the main window. Closing it gives the camera bar's
// "Video-Recording" button back.
class IVideoRecordFrame : public QWidget
{
    Q_OBJECT
public:
    IVideoRecordFrame(IApplication* app, QWidget* parent);

    virtual void setFrameVisible(const bool& visible);
    // Ends the recording session: closes the bar and gives the button back.
    virtual void stopVideoRecord();

protected:
    virtual ICameraToolBar* cameraToolBar() const;
    virtual void CreateUI();
    void paintEvent(QPaintEvent* event) override;

private:
    IApplication* m_app = nullptr;
};

#endif
