#include "board/item/ipixmapitem.h"

#include <QPaintEngine>
#include <QPainter>

IPixmapItem::IPixmapItem(const QSize& size, QGraphicsItem* parent)
    : QGraphicsItem(parent), m_showSize(size), m_rect(QPointF(0, 0), QSizeF(size))
{
}

void IPixmapItem::setImage(const QImage& image, const QSize& fullSize, const IShownFrame& shown)
{
    const QSize full = fullSize.isValid() ? fullSize : image.size();
    const bool sizeChanged = full != m_fullSize;
    m_image = image;
    m_shown = shown;
    m_fullSize = full;
    if (sizeChanged)
        updateGeometry();
    update();
}

void IPixmapItem::copyImage()
{
    makeImage();
    if (!m_image.isNull())
        m_image = m_image.copy();
}

const QImage& IPixmapItem::image()
{
    makeImage();
    return m_image;
}

bool IPixmapItem::isOpaque() const
{
    return !m_shown.isNull() || (!m_image.isNull() && !m_image.hasAlphaChannel());
}

void IPixmapItem::makeImage()
{
    if (m_shown.isNull())
        return;
    QImage image = allocSwsTargetImage(m_shown.size().width(), m_shown.size().height());
    m_image = !image.isNull() && m_converter.convert(m_shown.frame(), &image) ? image : QImage();
    m_shown = IShownFrame();
}

// Written into the painter's own picture where nothing but its clip limits the item: a
// raster engine on a 32-bit image, drawing opaque pixels as they are.
bool IPixmapItem::drawShown(QPainter* painter, const QPoint& at)
{
    QPaintEngine* engine = painter->paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || painter->opacity() < 1.0
        || painter->compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return false;
    auto* pixels = static_cast<QImage*>(device);
    if (pixels->format() != QImage::Format_RGB32 && pixels->format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    QRegion clip = engine->systemClip().isEmpty() ? QRegion(pixels->rect()) : engine->systemClip();
    if (painter->hasClipping()) {
        const QTransform toDevice = painter->deviceTransform();
        if (toDevice.type() > QTransform::TxTranslate)
            return false;
        clip &= toDevice.map(painter->clipRegion());
    }
    clip &= QRect(at, m_shown.size());
    for (const QRect& rect : clip) {
        if (!m_converter.drawShown(m_shown.frame(), m_shown.size(), pixels, at, rect))
            return false;
    }
    return true;
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
    if (m_image.isNull() && m_shown.isNull())
        return;
    // Straight from the frame: no QPixmap conversion and no smooth scaling per frame.
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    // A picture made at the size it covers on screen, under zoom too, is copied as it
    // is: Qt would scale it pixel by pixel, even by 1.
    const QTransform toDevice = painter->deviceTransform();
    const QRectF onDevice = toDevice.mapRect(m_rect);
    const QSize size = m_shown.isNull() ? m_image.size() : m_shown.size();
    if (toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0 && toDevice.m22() > 0
        && qAbs(onDevice.width() - size.width()) < 0.5 && qAbs(onDevice.height() - size.height()) < 0.5) {
        const QPoint at(qRound(onDevice.x()), qRound(onDevice.y()));
        if (!m_shown.isNull() && drawShown(painter, at))
            return;
        makeImage();
        // What the painter adds after the world transform (the widget's place in the
        // window, the screen's pixel ratio) is undone, so the picture lands on whole
        // device pixels.
        const QTransform beyondWorld = painter->worldTransform().inverted() * toDevice;
        painter->save();
        painter->setWorldTransform(QTransform::fromTranslate(at.x(), at.y()) * beyondWorld.inverted());
        painter->drawImage(QPointF(0, 0), m_image);
        painter->restore();
    } else {
        makeImage();
        painter->drawImage(m_rect, m_image);
    }
}
