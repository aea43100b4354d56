#ifndef ITRANSPARENTFRAME_H
#define ITRANSPARENTFRAME_H

#include "customui/ipanelframe.h"

class QLabel;
class ICustomSlider;

// Pen transparency 0..255 with a preview in the pen colour; stored when hidden.
class ITransparentFrame : public IPanelFrame
{
    Q_OBJECT
public:
    ITransparentFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    virtual void setTransparent(const int& value);
    virtual int transparent() const { return m_transparent; }

    ICustomSlider* slider() const { return m_slider; }
    QLabel* preview() const { return m_preview; }

protected:
    virtual void CreateUI();

private slots:
    void slChangeValue(int value);

private:
    ICustomSlider* m_slider = nullptr;
    QLabel* m_preview = nullptr;
    int m_transparent = 255;
};

#endif
