#include "board/item/ipixmapitem.h"

#include <QPainter>

IPixmapItem::IPixmapItem(const QSize& size, QGraphicsItem* parent)
    : QGraphicsItem(parent), m_showSize(size), m_rect(QPointF(0, 0), QSizeF(size))
{
}

void IPixmapItem::setImage(const QImage& image)
{
    const bool sizeChanged = image.size() != m_image.size();
    m_image = image;
    if (sizeChanged)
        updateGeometry();
    update();
}

void IPixmapItem::copyImage()
{
    if (!m_image.isNull())
        m_image = m_image.copy();
}

void IPixmapItem::setShowSize(const QSizeF& size)
{
    if (size == m_showSize)
        return;
    m_showSize = size;
    updateGeometry();
    update();
}

// Fitted as the snapshot road fits it: keep the aspect ratio, round each side.
void IPixmapItem::updateGeometry()
{
    QSizeF fitted = m_showSize;
    if (!m_image.isNull() && !m_showSize.isEmpty()) {
        const QSizeF s = QSizeF(m_image.size()).scaled(m_showSize, Qt::KeepAspectRatio);
        fitted = QSizeF(qRound(s.width()), qRound(s.height()));
    }
    const QRectF rect(QPointF(0, 0), fitted);
    if (rect != m_rect) {
        prepareGeometryChange();
        m_rect = rect;
    }
}

QRectF IPixmapItem::boundingRect() const
{
    return m_rect;
}

void IPixmapItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (m_image.isNull())
        return;
    // Straight from the frame: no QPixmap conversion and no smooth scaling per frame.
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (m_rect.size() == QSizeF(m_image.size()))
        painter->drawImage(m_rect.topLeft(), m_image);
    else
        painter->drawImage(m_rect, m_image);
}
