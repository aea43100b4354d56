#include "board/model/iinkbasemode.h"

IInkBaseMode::IInkBaseMode(IBoard* board) : IMode(board)
{
}

void IInkBaseMode::initializePolygonElement(IPolygonInkElement*, const QColor&)
{
}

void IInkBaseMode::switchOn()
{
    IMode::switchOn();
}

void IInkBaseMode::switchOff()
{
    m_cursor = QCursor(Qt::ArrowCursor);
    IMode::switchOff();
}
