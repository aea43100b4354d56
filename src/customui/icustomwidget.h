#ifndef ICUSTOMWIDGET_H
#define ICUSTOMWIDGET_H

#include <QDialog>
#include <QPoint>
#include <QString>

class QToolButton;

// Frameless, translucent dialog base of the panels and bars. It paints its own dark
// background and can show a title strip with a close icon and be dragged by that strip.
class ICustomWidget : public QDialog
{
    Q_OBJECT
public:
    explicit ICustomWidget(QWidget* parent = nullptr);
    ICustomWidget(const QString& title, const bool& closeButton, QWidget* parent = nullptr);

    QString title() const { return m_title; }
    bool moveState() const { return m_movable; }
    bool backgroundLinearGradient() const { return m_gradient; }

    virtual void setMoveState(const bool& b);
    virtual void setBackgroundLinearGradient(const bool& b);

    // Height of the title strip (the drag area).
    static int titleHeight();

signals:
    void sgClose();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void init();
    void placeCloseButton();

    QString m_title;
    QToolButton* m_closeButton = nullptr;
    bool m_movable = false;
    bool m_gradient = false;
    bool m_dragging = false;
    QPoint m_dragOffset;  // cursor position relative to the window's top-left
};

#endif
