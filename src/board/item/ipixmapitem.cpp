#include "board/item/ipixmapitem.h"

#include <QPainter>

IPixmapItem::IPixmapItem(const QSize& size, QGraphicsItem* parent)
    : QGraphicsItem(parent), m_showSize(size), m_rect(QPointF(0, 0), QSizeF(size))
{
}

void IPixmapItem::setImage(const QImage& image, const QSize& fullSize)
{
    const QSize full = fullSize.isValid() ? fullSize : image.size();
    const bool sizeChanged = full != m_fullSize;
    m_image = image;
    m_fullSize = full;
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
    if (!m_fullSize.isEmpty() && !m_showSize.isEmpty()) {
        const QSizeF s = QSizeF(m_fullSize).scaled(m_showSize, Qt::KeepAspectRatio);
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
    // A picture made at the size it covers on screen, under zoom too, is copied as it
    // is: Qt would scale it pixel by pixel, even by 1.
    const QTransform toDevice = painter->deviceTransform();
    const QRectF onDevice = toDevice.mapRect(m_rect);
    if (toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m22() > 0
        && qAbs(onDevice.width() - m_image.width()) < 0.5 && qAbs(onDevice.height() - m_image.height()) < 0.5) {
        // What the painter adds after the world transform (the widget's place in the
        // window, the screen's pixel ratio) is undone, so the picture lands on whole
        // device pixels.
        const QTransform beyondWorld = painter->worldTransform().inverted() * toDevice;
        painter->save();
        painter->setWorldTransform(QTransform::fromTranslate(qRound(onDevice.x()), qRound(onDevice.y()))
                                   * beyondWorld.inverted());
        painter->drawImage(QPointF(0, 0), m_image);
        painter->restore();
    } else {
        painter->drawImage(m_rect, m_image);
    }
}
