#ifndef IPIXMAPITEM_H
#define IPIXMAPITEM_H

#include <QGraphicsItem>
#include <QImage>

#include "ffmpeg/wifirtsp/ipictureconverter.h"
#include "ishownframe.h"

// The live camera picture, the bottom layer of the board. It keeps the frame as the
// QImage it was given (shared, not copied) and draws it fitted into its show size. The
// picture may be a smaller copy of the camera's, made at the size it is shown at: its
// place follows the camera's size, and it is drawn pixel for pixel. A decoded frame given
// instead is converted as it is painted, straight into the window's pixels where the
// painter allows, else into an image first.
class IPixmapItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 1 };

    explicit IPixmapItem(const QSize& size, QGraphicsItem* parent = nullptr);

    // A null image and no shown frame clear the picture. fullSize: the camera's picture
    // size when image (or shown) is smaller than it.
    void setImage(const QImage& image, const QSize& fullSize = QSize(), const IShownFrame& shown = IShownFrame());
    // The picture as an image; a shown frame is converted first.
    const QImage& image();
    // True when the picture covers its whole rectangle.
    bool isOpaque() const;
    // The camera's picture size (the image's own unless it was given).
    QSize fullSize() const { return m_fullSize; }
    // Detaches the picture from whatever buffer it shares (the last frame outlives its source).
    void copyImage();

    // The area the picture is fitted into.
    void setShowSize(const QSizeF& size);
    QSizeF showSize() const { return m_showSize; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    int type() const override { return Type; }

private:
    void updateGeometry();
    // Converts the shown frame into m_image.
    void makeImage();
    bool drawShown(QPainter* painter, const QPoint& at);

    QImage m_image;
    IShownFrame m_shown;
    IPictureConverter m_converter;
    QSize m_fullSize;
    QSizeF m_showSize;
    QRectF m_rect;
};

#endif
