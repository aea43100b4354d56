#ifndef ICOLORPANEL_H
#define ICOLORPANEL_H

#include <QImage>
#include <QPoint>
#include <QVariant>
#include <QWidget>

#include "board/widget/ibasewidget.h"

class QToolButton;

// Paints the colour spectrum (hue band fading to white at the top and to black at the
// bottom) and renders it at any size. Never shown.
class IColorImage : public QWidget
{
    Q_OBJECT
public:
    explicit IColorImage(QWidget* parent = nullptr);
    ~IColorImage() override;

    // Created on first use, destroyed before the application object.
    static IColorImage* instance();
    static void destroyInstance();

    virtual QImage getRGBImage(const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A small board dialog titled "Color Panel" showing the spectrum; a click on the picture
// reports the clicked pixel's colour as sgChangeColor(true, colour). Shown non-modally;
// it stays open for further picks until its close button.
class IColorPanel : public IBaseWidget
{
    Q_OBJECT
public:
    explicit IColorPanel(QWidget* parent = nullptr);
    IColorPanel(const QSize& size, QWidget* parent = nullptr);

    virtual void setFrameVisible(const bool& b);

    QImage picture() const { return m_picture; }
    QToolButton* pictureButton() const { return m_button; }
    // Reports the colour under a point of the picture button; outside the picture nothing.
    void pickAt(const QPoint& buttonPos);

signals:
    void sgChangeColor(bool picked, QVariant color);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildButton(int left, int top, int right, int bottom);

    QImage m_picture;
    QToolButton* m_button = nullptr;
    QPoint m_lastPress;
    bool m_havePress = false;
};

#endif
