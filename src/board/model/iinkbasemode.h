#ifndef IINKBASEMODE_H
#define IINKBASEMODE_H

#include <QColor>

#include "board/model/imodebase.h"

class IPolygonInkElement;

// Base of the ink-stroke modes.
class IInkBaseMode : public IMode
{
public:
    explicit IInkBaseMode(IBoard* board);

    virtual void initializePolygonElement(IPolygonInkElement* element, const QColor& color);
    void switchOn() override;
    // The stored cursor goes back to the arrow.
    void switchOff() override;
};

#endif
