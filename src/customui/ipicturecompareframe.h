#ifndef IPICTURECOMPAREFRAME_H
#define IPICTURECOMPAREFRAME_H

#include <QLabel>
#include <QPixmap>
#include <QPoint>

class IApplication;
class MainFrame;

// A floating label with the last marked gallery picture, to hold beside the live
// picture: the wheel zooms it (0.1 to 7 times), the left button drags the window.
class IPictureCompareFrame : public QLabel
{
    Q_OBJECT
public:
    IPictureCompareFrame(IApplication* app, QWidget* parent);

    virtual void setFrameVisible(const bool& visible);
    // Multiplies the zoom by factor, within 0.1 and 7, and shows the picture at it.
    virtual void scale(double factor);

    double zoomFactor() const { return m_zoom; }
    QPixmap basePicture() const { return m_base; }

protected:
    virtual void CreateUI();
    virtual MainFrame* mainFrame() const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QPixmap m_base; // the picture fitted to the window; every zoom starts from it
    double m_zoom = 1.0;
    bool m_drag = false;
    QPoint m_press;
    IApplication* m_app = nullptr;
};

#endif
