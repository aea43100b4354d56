#ifndef ITEXTMODE_H
#define ITEXTMODE_H

#include <QCursor>

#include "board/model/imodebase.h"

class ITextElement;

// The text mode (mode type 2): a click on the board places a new text element at the
// release point in the pen colour and opacity, selects it in the page's text frame and
// starts editing it.
class ITextMode : public IMode
{
public:
    explicit ITextMode(IBoard* board);

    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;
    void switchOn() override;
    void switchOff() override;

    bool isPressed() const { return m_pressed; }

private:
    ITextElement* createText(const QPointF& viewPos);

    // Set by a press this mode received, cleared by its release: a stray release creates nothing.
    bool m_pressed = false;
    QCursor m_savedCursor;
};

#endif
