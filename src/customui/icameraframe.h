#ifndef ICAMERAFRAME_H
#define ICAMERAFRAME_H

#include <QVariant>

#include "customui/ipanelframe.h"

class QRadioButton;

// Lists the cameras found at start-up; a choice re-reads the camera panels.
class ICameraFrame : public IPanelFrame
{
    Q_OBJECT
public:
    ICameraFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;

public slots:
    virtual void slButtonClick();

protected:
    virtual void CreateUI();
    virtual QRadioButton* CreateIRadio(const QVariant& id, const QString& text);
};

#endif
