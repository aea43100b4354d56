#ifndef ICAPTUREFRAME_H
#define ICAPTUREFRAME_H

#include <QRect>
#include <QWidget>

class IApplication;
class MainFrame;
class QToolButton;

// Partial capture: a selection rectangle over the camera picture with "Select" and
// "Close". While it is open the title bar and the three tool bars are disabled.
class ICaptureFrame : public QWidget
{
    Q_OBJECT
public:
    ICaptureFrame(IApplication* app, QWidget* parent);

    virtual void setFrameVisible(const bool& visible);
    // The area the selection may cover, in the parent's coordinates.
    virtual void setGeometryx(const QRect& rect);
    virtual void setGeometryx(const int& x, const int& y, const int& w, const int& h);

    // Selection in the frame's own coordinates, kept inside the area.
    QRect selectRect() const { return m_select; }
    virtual void setSelectRect(const QRect& rect);
    // Saves the selection and asks the main window for a plain snapshot.
    virtual void select();

protected:
    virtual MainFrame* mainFrame() const;
    virtual void CreateUI();
    void setBarsEnabled(bool enabled);
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeButtons();

    IApplication* m_app = nullptr;
    QRect m_select;
    QPoint m_anchor;
    bool m_dragging = false;
    QToolButton* m_selectButton = nullptr;
    QToolButton* m_closeButton = nullptr;
};

#endif
