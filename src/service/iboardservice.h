#ifndef IBOARDSERVICE_H
#define IBOARDSERVICE_H

#include <QColor>
#include <QPoint>

#include "board/iboardenum.h"
#include "service/iservice.h"

// The board facade: the rest of the program switches modes and sets the pen through it.
// Every operation needs a board (setBoard); without one it does nothing.
class IBoardService : public IService
{
    Q_OBJECT
public:
    static IBoardService* instance();
    // Destroys the instance (before the application object goes).
    static void destroyInstance();

    // Connects the application's global mouse-press signal.
    void init();
    // The facade forgets the board when the board goes.
    void setBoard(IBoard* board) override;

    void switchSelect(TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchTextEdit(TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchEraserPoint(int size, TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchPencil(const QColor& color, double thickness, double transparency,
                      TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchFigureLine(TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchFigureCircle(TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchFigureEllipse(TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchFigureTriangle(TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchFigureRectangle(TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    void switchFigureRegularTriangle(TX_IBOARD_ENUM::SceneDisplayMode mode = TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);

    void modifyPencilColor(const QColor& color);
    void modifyPencilOpacity(int opacity);
    void modifyPencilThickness(double thickness);
    // The eraser diameter is the size times the square scaling factor.
    void modifyEraseSize(int size);
    void clearCurrentSlidePathItems();

private slots:
    void slGMousePress(QPoint globalPos);

private:
    explicit IBoardService(QObject* parent = nullptr);
    void setMode(TX_IBOARD_ENUM::ModeType type);
};

#endif
