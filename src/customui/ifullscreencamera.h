#ifndef IFULLSCREENCAMERA_H
#define IFULLSCREENCAMERA_H

#include <QImage>
#include <QLabel>

// A borderless always-on-top window for the camera picture, turned by the board's
// rotation with the board's drawings laid over it. A left double click closes it.
class IFullScreenCamera : public QLabel
{
    Q_OBJECT
public:
    explicit IFullScreenCamera(QWidget* parent = nullptr);

    // The board's drawings, rendered by the caller at the picture's scale.
    virtual void setBoardRenderImg(const QImage& image);
    // Shows picture rotated by angle degrees with the drawings over it.
    virtual void setPixmapx(const QImage& picture, const double& angle);

    QImage boardRenderImg() const { return m_boardRender; }

signals:
    void sgShutDown();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_boardRender;
};

#endif
