#include "service/iboardservice.h"

#include "board/iboard.h"
#include "board/islide.h"
#include "iapplication.h"
#include "iglobal.h"

using namespace TX_IBOARD_ENUM;

namespace {
IBoardService* s_instance = nullptr;
}

IBoardService* IBoardService::instance()
{
    if (!s_instance)
        s_instance = new IBoardService();
    return s_instance;
}

void IBoardService::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

IBoardService::IBoardService(QObject* parent) : IService(parent)
{
}

void IBoardService::init()
{
    if (!m_app)
        return;
    connect(m_app, &IApplication::sgGMousePressEvent, this, &IBoardService::slGMousePress,
            Qt::UniqueConnection);
}

void IBoardService::setBoard(IBoard* board)
{
    if (m_board)
        disconnect(m_board, nullptr, this, nullptr);
    IService::setBoard(board);
    if (board)
        connect(board, &QObject::destroyed, this, [this]() { m_board = nullptr; });
}

// The board reacts to its own presses; a press elsewhere needs nothing from the facade.
void IBoardService::slGMousePress(QPoint)
{
}

void IBoardService::setMode(ModeType type)
{
    if (m_board)
        m_board->setMode(type);
}

void IBoardService::switchSelect(SceneDisplayMode)
{
    setMode(MODE_SELECT);
}

void IBoardService::switchTextEdit(SceneDisplayMode)
{
    setMode(MODE_TEXT);
}

void IBoardService::switchEraserPoint(int, SceneDisplayMode)
{
    setMode(MODE_ERASER_POINT);
}

void IBoardService::switchPencil(const QColor& color, double thickness, double transparency,
                                 SceneDisplayMode)
{
    if (!m_board)
        return;
    IBoardState* state = m_board->boardState();
    state->inkColor = color;
    state->inkThickness = thickness;
    state->inkOpacity = qBound(0, static_cast<int>(transparency), 255);
    setMode(MODE_PEN);
}

void IBoardService::switchFigureLine(SceneDisplayMode)
{
    setMode(MODE_FIGURE_PATH_LINE);
}

void IBoardService::switchFigureCircle(SceneDisplayMode)
{
    setMode(MODE_FIGURE_PATH_CIRCLE);
}

void IBoardService::switchFigureEllipse(SceneDisplayMode)
{
    setMode(MODE_FIGURE_PATH_ELLIPSE);
}

void IBoardService::switchFigureTriangle(SceneDisplayMode)
{
    setMode(MODE_FIGURE_PATH_TRIANGLE);
}

void IBoardService::switchFigureRectangle(SceneDisplayMode)
{
    setMode(MODE_FIGURE_PATH_RECTANGLE);
}

void IBoardService::switchFigureRegularTriangle(SceneDisplayMode)
{
    setMode(MODE_FIGURE_REGULAR_TRIANGLE);
}

void IBoardService::modifyPencilColor(const QColor& color)
{
    if (m_board)
        m_board->boardState()->inkColor = color;
}

void IBoardService::modifyPencilOpacity(int opacity)
{
    if (m_board)
        m_board->boardState()->inkOpacity = qBound(0, opacity, 255);
}

void IBoardService::modifyPencilThickness(double thickness)
{
    if (m_board)
        m_board->boardState()->inkThickness = thickness;
}

void IBoardService::modifyEraseSize(int size)
{
    if (!m_board)
        return;
    const double diameter = size * GSQUARERATE;
    m_board->boardState()->pointEraserSize = QSizeF(diameter, diameter);
}

void IBoardService::clearCurrentSlidePathItems()
{
    if (m_board && m_board->currentSlide())
        m_board->currentSlide()->clearPathItems();
}
