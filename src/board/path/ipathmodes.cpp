#include "board/path/ipathmodes.h"

#include "board/figure/ifigurepathmode.h"
#include "board/model/imodemanage.h"
#include "board/path/ipatherasemode.h"
#include "board/path/ipencilpathmode.h"

using namespace TX_IBOARD_ENUM;

void registerPathModes()
{
    IModeManage::registerMode(QStringLiteral("pencilPath"), {MODE_PEN},
                              [](IBoard* board) -> IModeBase* { return new IPencilPathMode(board); });
    IModeManage::registerMode(QStringLiteral("pathErase"), {MODE_ERASER_POINT},
                              [](IBoard* board) -> IModeBase* { return new IPathEraseMode(board); });
    IModeManage::registerMode(QStringLiteral("figurePath"),
                              {MODE_FIGURE_PATH_LINE, MODE_FIGURE_PATH_CIRCLE,
                               MODE_FIGURE_PATH_ELLIPSE, MODE_FIGURE_PATH_RECTANGLE,
                               MODE_FIGURE_PATH_TRIANGLE},
                              [](IBoard* board) -> IModeBase* { return new IFigurePathMode(board); });
}
