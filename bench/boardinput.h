#ifndef BENCH_BOARDINPUT_H
#define BENCH_BOARDINPUT_H

#include <QMouseEvent>

#include "board/iboard.h"
#include "board/model/imodemanage.h"

// One pointer step straight to the board's current mode, as the board routes its mouse
// input: step 0 press, 1 move, 2 release, at p in board coordinates.
inline void sendToBoard(IBoard& board, int step, const QPointF& p)
{
    const QEvent::Type type = step == 0   ? QEvent::MouseButtonPress
                              : step == 1 ? QEvent::MouseMove
                                          : QEvent::MouseButtonRelease;
    QMouseEvent event(type, p, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    IDeviceEventArgs args(event, ISlidePoint(p), false, 0);
    IModeManage* modes = board.modeManage();
    if (step == 0)
        modes->deviceDown(&args);
    else if (step == 1)
        modes->deviceMove(&args);
    else
        modes->deviceUp(&args);
}

#endif
