#ifndef ITEXTPATHMODE_H
#define ITEXTPATHMODE_H

#include <QCursor>
#include <QPointer>

#include "board/item/itextelement.h"
#include "board/model/imodebase.h"

// Typing on the board into a rich-text element whose text becomes a path element
// (glyph outlines) at the next press, when editing ends and when the mode is left.
class ITextPathMode : public IMode
{
public:
    explicit ITextPathMode(IBoard* board);

    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;
    void switchOn() override;
    void switchOff() override;
    virtual void endTextEdit();
    // Turns the text typed so far into a path element, clipped to the camera picture.
    virtual void createTextPathElement();

    ITextElement* textElement() const { return m_textElement.data(); }
    bool isPressed() const { return m_pressed; }

private:
    bool m_pressed = false;
    QCursor m_savedCursor;
    // Owned by the page; forgotten by itself when the page deletes it.
    QPointer<ITextElement> m_textElement;
};

#endif
