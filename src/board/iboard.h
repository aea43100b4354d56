#ifndef IBOARD_H
#define IBOARD_H

#include <memory>

#include <QGraphicsView>
#include <QPointer>

#include "board/iboardenum.h"
#include "board/iboardstate.h"
#include "board/model/ideviceargs.h"
#include "board/widget/itimemsgbox.h"
#include "ishownframe.h"

class IDrawingLayer;
class IElement;
class IElementFrame;
class IModeManage;
class IPixmapItem;
class ISceneElementFrame;
class ISlide;

// The board: a view over the current page with the live camera picture at the bottom.
// Left-button input goes to the current interaction mode.
class IBoard : public QGraphicsView
{
    Q_OBJECT
public:
    static constexpr double MinScale = 0.05;
    static constexpr double MaxScale = 10.0;

    explicit IBoard(TX_IBOARD_ENUM::SceneDisplayMode mode, QWidget* parent = nullptr);
    ~IBoard() override;

    // Pages: the board owns them.
    virtual void insert(ISlide* slide, bool current = true);
    virtual void setSlide(ISlide* slide);
    ISlide* currentSlide() const { return m_slide; }
    const QList<ISlide*>& slides() const { return m_slides; }
    IBoardState* boardState() { return &m_state; }
    IModeManage* modeManage() const { return m_modeManage.get(); }

    // Camera picture.
    virtual void setPixmapElement(IPixmapItem* item);
    IPixmapItem* pixmapElement() const { return m_pixmapItem; }
    virtual void setCameraResolution(const QSizeF& size);
    QSizeF cameraResolution() const { return m_cameraResolution; }
    virtual void setCameraPadingMargin(int left, int top, int right, int bottom, int extra);
    // The area the camera picture is fitted into; follows the board's size.
    virtual void setCameraShowsize(const QSizeF& size);
    QSizeF cameraShowSize() const { return QSizeF(m_cameraShowWidth, m_cameraShowHeight); }
    // fullSize: the camera's picture size when image is a smaller copy of it.
    virtual void setCameraImage(const QImage& image, const QSize& fullSize = QSize(),
                                const IShownFrame& shown = IShownFrame());
    virtual void runCopyImage();

    // Zoom and rotation.
    virtual void scalex(double factor);
    virtual void resetScalex();
    double scaleValue() const;
    virtual void rotatex(double degrees);
    int rotateValue() const;
    virtual void resetTransformx();
    virtual void setCenterOn();
    // "125%" for the current zoom.
    QString zoomPercentText() const;

    QRectF pixmapEleBoundingRect() const;
    // The screen pixels the whole camera picture covers (zoom and the screen's pixel
    // ratio included), in the picture's own orientation; empty without a picture item.
    QSize pictureShownSize() const;
    QRectF pixmapEleGlobalBoundingRect() const;
    // The drawings over the camera picture's area, transparent elsewhere, scaled by sx, sy.
    QImage getCameraRectRender(double sx, double sy);
    // Finished elements in the scene area changed how they look (an eraser pass): the
    // board draws them again.
    void refreshDrawings(const QRectF& sceneArea);
    // The finished elements of the shown page, cached as one picture.
    IDrawingLayer* drawingLayer() { return drawings(); }
    QGraphicsItem* at(const QPointF& pos) const;
    QPointF convertToScenePointFromSlidePoint(const ISlidePoint& point) const;

    // Both release the mouse grab; an image that does not load leaves the cursor.
    void setCursor(const QCursor& cursor);
    void setCursor(const QString& file);

    virtual void setMode(TX_IBOARD_ENUM::ModeType type);

    // Selection frames.
    virtual void setElementFrame(IElementFrame* frame);
    IElementFrame* elementFrame();
    // The frame as it is, never creating one.
    IElementFrame* existingElementFrame() const;
    // Null while no text frame is available (see ISlide::setSceneFrameFactory).
    ISceneElementFrame* sceneElementFrame();
    virtual void setSelected(QGraphicsItem* item, bool selected);
    virtual void hideFrame();

    // The notice the board shows zoom changes in.
    ITimeMsgBox* zoomNotice() const { return m_zoomNotice.get(); }

signals:
    void sgClickOnBoard();
    void sgIsFullScreen(bool full);
    // pictureShownSize() changed; told when the board paints.
    void sgPictureShownSize(QSize size);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;

private slots:
    void onElementsTakenOff(const QList<IElement*>& elements);
    // A page deleted by its owner is forgotten (with the camera picture if it showed it).
    void onSlideDestroyed(QObject* slide);

private:
    friend class IDrawingLayer;
    IDrawingLayer* drawings();
    void forgetDrawingLayer(IDrawingLayer* layer);

    enum class Step { Down, Move, Up };
    void route(QMouseEvent* event, Step step);
    void showZoomNotice();
    // The viewport pixels the opaque camera picture covers whole; empty when none.
    QRect pictureCover() const;

    TX_IBOARD_ENUM::SceneDisplayMode m_displayMode;
    QList<ISlide*> m_slides;
    ISlide* m_slide = nullptr;
    IBoardState m_state;
    std::unique_ptr<IModeManage> m_modeManage;
    IPixmapItem* m_pixmapItem = nullptr;
    QSize m_imageSize;
    QSize m_shownSize;
    QSizeF m_cameraResolution;
    int m_padding[5] = {0, 0, 0, 0, 0};
    double m_cameraShowWidth = 0.0;
    double m_cameraShowHeight = 0.0;
    double m_rotate = 0.0;
    QPointer<IElementFrame> m_elementFrame;
    // Owned by the board; a page deleted while showing it deletes it with its items
    // (the layer then tells the board, which makes a new one when next needed).
    IDrawingLayer* m_drawings = nullptr;
    // A window of its own (it is placed in screen coordinates), owned by the board.
    std::unique_ptr<ITimeMsgBox> m_zoomNotice;
};

#endif
