#ifndef IPENCILPATHMODE_H
#define IPENCILPATHMODE_H

#include <QMap>
#include <QPointF>
#include <QVector>

#include "board/model/iinkbasemode.h"

class IPathRenderWidget;
class IPencilPathElement;

// The pen: strokes are drawn live into an overlay and become one path element each
// when their pointer is lifted.
class IPencilPathMode : public IInkBaseMode
{
public:
    explicit IPencilPathMode(IBoard* board);
    ~IPencilPathMode() override;

    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;
    // Tints the pencil cursor with the ink colour.
    void switchOn() override;
    // Strokes still in progress are kept as elements, so nothing drawn is lost.
    void switchOff() override;

    // A new stroke element with the board state's ink, already on the current page.
    virtual IPencilPathElement* createElement();

    // The live overlay (the mode owns it; null only after its page deleted it).
    IPathRenderWidget* overlay() const { return m_overlay; }
    bool isDrawing() const { return !m_strokes.isEmpty(); }

private:
    IPathRenderWidget* ensureOverlay();
    QPointF scenePoint(const IDeviceEventArgs* args) const;
    void finishStroke(int id);

    QMap<int, QVector<QPointF>> m_strokes;
    IPathRenderWidget* m_overlay = nullptr;
};

#endif
