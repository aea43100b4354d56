#ifndef ISELECTORPATHMODE_H
#define ISELECTORPATHMODE_H

#include <QPointer>

#include "board/model/imodebase.h"

class QGraphicsItem;

// The select mode (mode type 1): a press on a text element hands it to the page's text
// frame, presses on the frame go to the frame, and a press anywhere else hides both
// frames and ends text editing. Strokes, shapes and the camera picture are not selected.
class ISelectorPathMode : public IMode
{
public:
    explicit ISelectorPathMode(IBoard* board);
    ~ISelectorPathMode() override;

    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;
    QCursor cursor() const override;
    void switchOn() override;
    void switchOff() override;
    virtual bool isSelectionMode() const { return true; }

    // The item under the current press; null once it is gone.
    QGraphicsItem* hitItem() const;
    bool isTextPress() const { return m_textPress; }
    bool isFramePress() const { return m_framePress; }

private:
    static bool isTextElement(const QGraphicsItem* item);
    void reset();

    // Only between an accepted press and its release.
    QGraphicsItem* m_hitItem = nullptr;
    QPointer<QObject> m_hitGuard;
    bool m_hitIsObject = false;
    bool m_textPress = false;
    bool m_framePress = false;
    bool m_pressed = false;
};

#endif
