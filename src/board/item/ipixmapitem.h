#ifndef IPIXMAPITEM_H
#define IPIXMAPITEM_H

#include <QGraphicsItem>
#include <QImage>

// The live camera picture, the bottom layer of the board. It keeps the frame as the
// QImage it was given (shared, not copied) and draws it fitted into its show size.
class IPixmapItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 1 };

    explicit IPixmapItem(const QSize& size, QGraphicsItem* parent = nullptr);

    // A null image clears the picture.
    void setImage(const QImage& image);
    const QImage& image() const { return m_image; }
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

    QImage m_image;
    QSizeF m_showSize;
    QRectF m_rect;
};

#endif
