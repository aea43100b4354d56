#ifndef ISETTINGFRAME_H
#define ISETTINGFRAME_H

#include "customui/ipanelframe.h"

class QLabel;

// The modal settings dialog opened from the title bar.
class ISettingFrame : public IPanelFrame
{
    Q_OBJECT
public:
    ISettingFrame(IApplication* app, QWidget* parent);

    // Showing runs the dialog modally, centred over the parent; hiding closes it.
    void setFrameVisible(const bool& visible) override;

protected:
    virtual void CreateUI();
    // Where the dialog stands when shown.
    QPoint centredPosition() const;
};

#endif
