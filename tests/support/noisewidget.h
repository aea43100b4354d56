#ifndef NOISEWIDGET_H
#define NOISEWIDGET_H

#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>
#include <QWidget>

// A picture that changes all over every 20 ms: random squares of cell pixels, so every
// recorded frame differs from the one before. Without a parent it is a frameless window.
class NoiseWidget : public QWidget
{
public:
    explicit NoiseWidget(QWidget* parent = nullptr, int cell = 32)
        : QWidget(parent)
        , m_cell(cell)
    {
        if (!parent)
            setWindowFlags(Qt::FramelessWindowHint);
        connect(&m_timer, &QTimer::timeout, this, [this] { update(); });
        m_timer.start(20);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        for (int y = 0; y < height(); y += m_cell)
            for (int x = 0; x < width(); x += m_cell)
                p.fillRect(x, y, m_cell, m_cell, QColor::fromRgb(QRandomGenerator::global()->generate()));
    }

private:
    QTimer m_timer;
    int m_cell;
};

#endif
