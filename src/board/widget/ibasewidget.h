#ifndef IBASEWIDGET_H
#define IBASEWIDGET_H

#include <QDialog>
#include <QFont>
#include <QPoint>
#include <QRectF>
#include <QString>

// The board kit's font: "微软雅黑" scaled by GSQUARERATE (never below 1 point), given as
// the pixel size of that point size at the desktop's DPI.
QFont scaledUiFont(int size, int weight);
// The point size rule of scaledUiFont for a given DPI and factor.
int scaledUiPointSize(int size, int dpi, double factor);

// Base of the board's floating panels: a frameless, translucent dialog with a rounded
// light background and an optional title bar with a red close button, draggable by it.
class IBaseWidget : public QDialog
{
    Q_OBJECT
public:
    enum TitlePos : qint32 {
        Left = 0,
        Center = 1,
        Right = 2,
    };
    Q_ENUM(TitlePos)

    explicit IBaseWidget(QWidget* parent = nullptr);
    IBaseWidget(const QString& title, QWidget* parent = nullptr);
    IBaseWidget(const QString& title, const bool& closeButton, QWidget* parent = nullptr);

    QString titleTxt() const { return m_titleTxt; }
    TitlePos titlePos() const { return m_titlePos; }
    int titleFontSize() const { return m_titleFontSize; }
    bool closeButtonState() const { return m_closeButton; }
    bool moveState() const { return m_movable; }
    bool closePressed() const { return m_closePressed; }

    // The close icon's rectangle in widget coordinates.
    QRectF closeRect() const;

signals:
    void sgClose();

public slots:
    virtual void setTitlePos(TitlePos pos);
    virtual void setTitleTxt(const QString& text);
    virtual void setTitleFontSize(const int& size);
    virtual void setTitle(const QString& text, const int& size, TitlePos pos);
    virtual void setMoveState(const bool& b);
    virtual void setCloseButtonState(const bool& b);
    virtual void setMoveIcon(const bool& b);
    virtual bool isMoveIcon();
    virtual void InitData();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TitlePos m_titlePos = Left;
    QString m_titleTxt;
    int m_titleFontSize = 10;
    bool m_closeButton = false;
    bool m_closePressed = false;
    bool m_dragging = false;
    bool m_moveIcon = false;
    bool m_movable = false;
    QPoint m_anchor;
};

#endif
