#include "iicolorbutton.h"

#include <QPainter>

#include "iglobal.h"

IIColorButton::IIColorButton(QVariant id, const QColor& color, const bool& checkable, const QSize& size,
                             QWidget* parent)
    : QToolButton(parent), m_id(id), m_color(color)
{
    setCheckable(checkable);
    setFixedSize(int(size.width() * IGSQUARERATE), int(size.height() * IGSQUARERATE));
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    connect(this, &QToolButton::clicked, this, [this](bool checked) { emit sgButtonClick(checked, m_id); });
}

void IIColorButton::setSelectState(const bool& b)
{
    m_selectState = b;
    setChecked(b);
    update();
}

void IIColorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal side = qMin(width(), height());
    const qreal ring = qMax<qreal>(1.0, 2.0 * IGSQUARERATE);
    const QRectF outer((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const QRectF swatch = outer.adjusted(2 * ring, 2 * ring, -2 * ring, -2 * ring);

    if (isChecked() || isDown() || underMouse()) {
        painter.setPen(QPen(QColor(235, 120, 7), ring));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(outer.adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2));
    }
    // A thin dark rim keeps white and black swatches visible on any background.
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(m_color);
    painter.drawEllipse(swatch);
}
