#include "board/path/ipathmodes.h"

#include "board/figure/ifiguremode.h"
#include "board/figure/ifigurepathmode.h"
#include "board/model/imodemanage.h"
#include "board/model/itextpathmode.h"
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
    IModeManage::registerMode(QStringLiteral("figure"),
                              {MODE_FIGURE_LINE_3, MODE_FIGURE_LINE_5, MODE_FIGURE_LINE_9,
                               MODE_FIGURE_LINE_7, MODE_FIGURE_PARALLELOGRAM,
                               MODE_FIGURE_REGULAR_TRIANGLE, MODE_FIGURE_PENTAGON,
                               MODE_FIGURE_HEXAGON, MODE_FIGURE_OCTAGON, MODE_FIGURE_STAR,
                               MODE_FIGURE_WAVE_LINE, MODE_FIGURE_CUBE, MODE_FIGURE_CONE,
                               MODE_FIGURE_CYLINDER, MODE_FIGURE_DIHEDRAL, MODE_FIGURE_HEMISPHERE,
                               MODE_FIGURE_TRIANGULAR_PYRAMID, MODE_FIGURE_BALL},
                              [](IBoard* board) -> IModeBase* { return new IFigureMode(board); });
    // No mode type selects it: built with every board, made current by nothing.
    IModeManage::registerMode(QStringLiteral("textPath"), {},
                              [](IBoard* board) -> IModeBase* { return new ITextPathMode(board); });
}
