#ifndef IMAGNIFIERFRAME_H
#define IMAGNIFIERFRAME_H

#include <QPoint>

#include "customui/ipanelframe.h"

class QLabel;

// Shows the screen around the pointer at twice its size.
class IMagnifierFrame : public IPanelFrame
{
    Q_OBJECT
public:
    IMagnifierFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;

    QLabel* pictureLabel() const { return m_label; }

public slots:
    virtual void slGMouseMoveEvent(QPoint pos);

protected:
    virtual void CreateUI();

private:
    QLabel* m_label = nullptr;
};

#endif
