#ifndef IMAGEVIEW_H
#define IMAGEVIEW_H

#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QImage>
#include <QSize>

class IApplication;
class MainFrame;

// A picture fitted into a box, keeping its aspect ratio.
class ImageItem : public QGraphicsPixmapItem
{
public:
    ImageItem(const QSize& box, QGraphicsItem* parent = nullptr);

    virtual void setImage(const QString& path);
    virtual void setImage(const QImage& image);
    void setImageSize(const QSize& box);
    QImage image() const { return m_image; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QImage m_image;
    QSize m_box;
};

// Split-screen viewer: the last marked gallery picture beside the live picture.
class ImageView : public QGraphicsView
{
    Q_OBJECT
public:
    ImageView(IApplication* app, QWidget* parent);

    virtual void setFrameVisible(const bool& visible);

    void resetTransformx();
    void scalex(double factor);
    double scaleValue() const;
    bool itemContains(QPoint globalPos) const;
    void translatex(double dx, double dy);
    void rotatex(double angle);
    double rotateValue() const { return m_rotation; }
    QPointF translateValue() const { return QPointF(0, 0); }

    ImageItem* imageItem() const { return m_item; }

protected:
    virtual MainFrame* mainFrame() const;
    virtual void CreateUI();
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void zoom(double factor);

    ImageItem* m_item = nullptr;
    bool m_pictureDrag = false;
    bool m_windowDrag = false;
    QPoint m_lastPos;
    double m_rotation = 0.0;
    IApplication* m_app = nullptr;
};

#endif
