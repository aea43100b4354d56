#ifndef IERASEFRAME_H
#define IERASEFRAME_H

#include "customui/ipanelframe.h"

class ICustomSlider;

// Eraser size 20..200; stored when hidden.
class IEraseFrame : public IPanelFrame
{
    Q_OBJECT
public:
    IEraseFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    virtual void setEraseSize(const int& size);
    virtual int eraseSize() const { return m_size; }

    ICustomSlider* slider() const { return m_slider; }

protected:
    virtual void CreateUI();

private slots:
    void slChangeValue(int value);

private:
    ICustomSlider* m_slider = nullptr;
    int m_size = 20;
};

#endif
