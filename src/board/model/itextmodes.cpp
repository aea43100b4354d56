#include "board/model/itextmodes.h"

#include "board/islide.h"
#include "board/item/icommontextelementframe.h"
#include "board/model/imodemanage.h"
#include "board/model/iselectorpathmode.h"
#include "board/model/itextmode.h"

using namespace TX_IBOARD_ENUM;

void registerTextModes()
{
    ISlide::setSceneFrameFactory(
        [](IBoard* board) -> ISceneElementFrame* { return new ICommonTextElementFrame(false, board, nullptr); });
    IModeManage::registerMode(QStringLiteral("selectorPath"), {MODE_SELECT},
                              [](IBoard* board) -> IModeBase* { return new ISelectorPathMode(board); });
    IModeManage::registerMode(QStringLiteral("text"), {MODE_TEXT},
                              [](IBoard* board) -> IModeBase* { return new ITextMode(board); });
}
