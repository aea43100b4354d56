#ifndef ICAPTUREFRAME_H
#define ICAPTUREFRAME_H

#include <QVariant>

#include "customui/ifreezonewidget.h"

class IApplication;
class MainFrame;
class QSize;

// Partial capture: a selection rectangle over the camera picture with "Back" and
// "Select". While it is open the title bar and the three tool bars are disabled.
class ICaptureFrame : public IFreeZoneWidget
{
    Q_OBJECT
public:
    ICaptureFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    virtual void setButtonsVisible(const bool& visible);

public slots:
    // 0 "Back", 1 "Select": the selection is saved in frame coordinates (logical
    // pixels, the unit the snapshot reads it in) and a plain snapshot is taken.
    virtual void onButtonClick(bool state, QVariant id);

protected:
    virtual void CreateUI();
    virtual QWidget* CreateButton(QVariant id, const QString& text, const QString& first, const QString& second,
                                  int radius, bool checkable, QSize size, QWidget* parent);
    virtual MainFrame* mainFrame() const;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    IApplication* m_app = nullptr;
    QWidget* m_buttonBar = nullptr;
};

#endif
