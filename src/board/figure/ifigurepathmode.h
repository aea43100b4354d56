#ifndef IFIGUREPATHMODE_H
#define IFIGUREPATHMODE_H

#include <QRectF>
#include <QString>

#include "board/model/imodebase.h"

class IPathElement;

// The cursor image shown for a figure kind (empty: leave the cursor as it is).
QString figureCursorFile(TX_IBOARD_ENUM::FigureType type);
// A rectangle dragged left or up turned into the same one with non-negative width and
// height; a zero side keeps the other side's sign.
QRectF reverseDragRect(const QRectF& r);

// The live shape tool: a press anchors a line, circle, ellipse, rectangle or isosceles
// triangle, moves stretch it to the pointer, the release finishes it. One shape at a
// time, whatever device drives it.
class IFigurePathMode : public IMode, public IFigureTypedMode
{
public:
    explicit IFigurePathMode(IBoard* board);

    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;
    void switchOn() override;
    // Finishes a shape still being dragged.
    void switchOff() override;
    void setFigureType(TX_IBOARD_ENUM::FigureType type) override { m_figureType = type; }
    TX_IBOARD_ENUM::FigureType figureType() const { return m_figureType; }

    // The element for the figure type with the board state's ink; it becomes current.
    virtual IPathElement* createGeometry();
    // The same rectangle with non-negative width and height (a zero side keeps the other).
    virtual QRectF reverseRect(const QRectF& r);

    // The shape being dragged (null when idle).
    IPathElement* currentElement() const { return m_current; }
    bool isPressed() const { return m_pressed; }

private:
    QPointF scenePoint(const IDeviceEventArgs* args) const;
    // The current element, if it still is on the page and of the class the type draws.
    IPathElement* liveElement() const;
    void finishGesture();
    void clipCircleToPicture(IPathElement* circle);

    bool m_pressed = false;
    IPathElement* m_current = nullptr;
    // Draws nothing until the registry names a kind.
    TX_IBOARD_ENUM::FigureType m_figureType = TX_IBOARD_ENUM::FIGURE_NONE;
};

#endif
