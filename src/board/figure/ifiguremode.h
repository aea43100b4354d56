#ifndef IFIGUREMODE_H
#define IFIGUREMODE_H

#include <QRectF>

#include "board/model/imodebase.h"

class IFigureElement;
class QGraphicsItem;

// Mirrors the item about its own axes, keeping the top-left corner of its scene
// bounding rectangle where it was.
void flip(QGraphicsItem* item, Qt::Orientation orientation);

// Gives a figure dragged left or up its normalised rectangle, mirrored so it still
// looks as it was drawn.
template <class Figure>
void setFigureRectWithFlip(Figure* figure)
{
    const QRectF r = figure->rect();
    const QRectF n = r.normalized();
    if (qFuzzyCompare(r.x(), n.x()) && qFuzzyCompare(r.y(), n.y())
        && qFuzzyCompare(r.width(), n.width()) && qFuzzyCompare(r.height(), n.height())) {
        figure->setRect(r);
        return;
    }
    figure->setRect(n);
    if (r.width() < 0)
        flip(figure, Qt::Horizontal);
    if (r.height() < 0)
        flip(figure, Qt::Vertical);
}

// The figure tool: a press creates a figure element of the current kind at the press
// point, moves stretch it, the release finishes it; a click without a drag leaves nothing.
class IFigureMode : public IMode, public IFigureTypedMode
{
public:
    explicit IFigureMode(IBoard* board);

    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;
    void switchOn() override;
    void switchOff() override;
    // The polygon kinds also set the vertex count.
    void setFigureType(TX_IBOARD_ENUM::FigureType type) override;
    TX_IBOARD_ENUM::FigureType figureType() const { return m_figureType; }

    // The figure for the current kind, coloured from the board state; it becomes current.
    IFigureElement* createGeometry();
    QRectF reverseRect(const QRectF& r) const;

    IFigureElement* currentElement() const { return m_current; }
    bool isPressed() const { return m_pressed; }
    bool hasMoved() const { return m_moved; }
    int vertexCount() const { return m_vertexCount; }

private:
    QPointF scenePoint(const IDeviceEventArgs* args) const;
    // The current figure while it is on the page and of the class the kind draws.
    IFigureElement* liveElement() const;
    bool onPage(IFigureElement* element) const;
    // Takes the figure off the page and deletes it (a locked one stays).
    void discard(IFigureElement* element);
    // The release steps: normalise, announce, or discard a click without a drag.
    void finishGesture();

    IFigureElement* m_current = nullptr;
    bool m_pressed = false;
    bool m_moved = false;
    // A value without a shape until the registry names one.
    TX_IBOARD_ENUM::FigureType m_figureType = TX_IBOARD_ENUM::FigureType(16);
    int m_vertexCount = 3;
};

#endif
