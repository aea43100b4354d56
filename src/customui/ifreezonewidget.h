#ifndef IFREEZONEWIDGET_H
#define IFREEZONEWIDGET_H

#include <QRect>
#include <QSize>
#include <QWidget>

class QPainter;

// Translucent selection rectangle with eight round handles: outside the rectangle is
// dimmed, the handles resize it and a drag inside moves it, always within the area.
class IFreeZoneWidget : public QWidget
{
    Q_OBJECT
public:
    explicit IFreeZoneWidget(QWidget* parent = nullptr);

    // A process-wide instance without parent; created on first use.
    static IFreeZoneWidget* instance();

    virtual void setFrameVisible(const bool& visible);
    virtual void setSelectMaxSize();
    // Centres a selection of that size in the widget.
    virtual void setSelectSize(const QSize& size);
    // Takes the rectangle when it lies inside the widget; otherwise a centred 800 x 600
    // rectangle, cut down to the widget when the widget is smaller.
    virtual void setSelectRect(const QRect& rect);
    virtual QRect getSelectRect() const;
    virtual QRect getGlobalSelectRect() const;
    virtual int controlType() const { return m_controlType; }
    virtual void setPainterState(const bool& state);
    virtual bool painterState() const { return m_painterState; }
    virtual void setGeometryx(const QRect& rect);
    virtual void setGeometryx(const int& x, const int& y, const int& w, const int& h);
    virtual void initData();
    virtual QRect selectRect() const;

    virtual QRect topLeftRect() const;
    virtual QRect topCenterRect() const;
    virtual QRect topRightRect() const;
    virtual QRect bottomLeftRect() const;
    virtual QRect bottomCenterRect() const;
    virtual QRect bottomRightRect() const;
    virtual QRect centerLeftRect() const;
    virtual QRect centerRightRect() const;

protected:
    // Takes the rectangle as it is, also where it reaches past the widget: an area kept
    // on the screen while the widget moves.
    void placeSelectRect(const QRect& rect);
    virtual void adjustTopLeft(const QPoint& delta);
    virtual void adjustBottomRight(const QPoint& delta);
    virtual void adjustControlType(const QPoint& pos);
    virtual void updateMouseCursor(const QPoint& pos);
    virtual void updateMoveRect(const QPoint& delta);
    virtual void drawControlRect(QPainter* painter);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QRect handleAround(int cx, int cy) const;
    // Smallest width and height a resize leaves.
    static int minimumSide();

    QSize m_areaSize{-1, -1};
    QPoint m_pressPoint;
    int m_pressed = 0;
    int m_controlType = 9;
    QRect m_select{QPoint(0, 0), QPoint(0, 0)};
    bool m_painterState = false;
};

#endif
