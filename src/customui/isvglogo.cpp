#include "customui/isvglogo.h"

#include <QPainter>
#include <QSvgRenderer>

ISvgLogo::ISvgLogo(const QString& file, QWidget* parent)
    : QWidget(parent), m_renderer(new QSvgRenderer(file, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
}

bool ISvgLogo::isValid() const
{
    return m_renderer->isValid();
}

void ISvgLogo::paintEvent(QPaintEvent*)
{
    if (!m_renderer->isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, QRectF(rect()));
}
