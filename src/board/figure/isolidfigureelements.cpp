#include "board/figure/isolidfigureelements.h"

#include <cmath>

#include <QPainter>

#include "board/figure/ifigure3dcontext.h"

using namespace TX_IBOARD_ENUM;

namespace {

// The item pen with another line style.
void styledPen(QPainter* painter, const QPen& itemPen, Qt::PenStyle style)
{
    QPen pen = itemPen;
    pen.setStyle(style);
    painter->setPen(pen);
}

// The far half of the equator dashed, the near half solid; starts at 0 degrees.
void drawEquator(QPainter* painter, const QPen& itemPen, const QRectF& r)
{
    styledPen(painter, itemPen, Qt::DashLine);
    painter->drawArc(r, 0, 2880);
    styledPen(painter, itemPen, Qt::SolidLine);
    painter->drawArc(r, 0, -2880);
}

} // namespace

void ISolidFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    setStyle(painter);
    if (m_rect.width() == 0 && m_rect.height() == 0)
        return;
    drawSolid(painter);
}

QRect ISolidFigureElement::solidRect() const
{
    const int iw = int(m_rect.width()), ih = int(m_rect.height());
    return QRect(qMin(iw, 0), qMin(ih, 0), std::abs(iw), std::abs(ih));
}

// ---- drawn by the 3D context ----

ICubeFigureElement::ICubeFigureElement(QGraphicsItem* parent)
    : ISolidFigureElement(FIGURE_CUBE, parent)
{
}

void ICubeFigureElement::drawSolid(QPainter* painter)
{
    IFigure3DContext::DrawCube(painter, solidRect());
}

IElement* ICubeFigureElement::deepCopy() const
{
    return copyOf(this, new ICubeFigureElement(nullptr));
}

IConeFigureElement::IConeFigureElement(QGraphicsItem* parent)
    : ISolidFigureElement(FIGURE_CONE, parent)
{
}

void IConeFigureElement::setDrawFlagLine(bool draw)
{
    m_drawFlagLine = draw;
    prepareGeometryChange();
}

void IConeFigureElement::drawSolid(QPainter* painter)
{
    const QRect r = solidRect();
    IFigure3DContext::DrawCone(painter, r);
    if (!m_drawFlagLine)
        return;
    QPen pen = painter->pen();
    pen.setStyle(Qt::DashDotLine);
    pen.setWidth(1);
    painter->setPen(pen);
    const int x0 = r.x(), y0 = r.y(), W = r.width(), H = r.height();
    const int yb = y0 + (5 * H) / 6;
    painter->drawLine(x0, yb, x0 + W, yb);
    painter->drawLine(x0 + W / 2, y0, x0 + W / 2, yb);
}

IElement* IConeFigureElement::deepCopy() const
{
    return copyOf(this, new IConeFigureElement(nullptr));
}

ICylinderFigureElement::ICylinderFigureElement(QGraphicsItem* parent)
    : ISolidFigureElement(FIGURE_CYLINDER, parent)
{
}

void ICylinderFigureElement::drawSolid(QPainter* painter)
{
    IFigure3DContext::DrawCylinder(painter, solidRect());
}

IElement* ICylinderFigureElement::deepCopy() const
{
    return copyOf(this, new ICylinderFigureElement(nullptr));
}

// ---- self-drawn ----

IDihedralFigureElement::IDihedralFigureElement(QGraphicsItem* parent)
    : ISolidFigureElement(FIGURE_DIHEDRAL, parent)
{
}

void IDihedralFigureElement::drawSolid(QPainter* painter)
{
    const QRect r = solidRect();
    const int x0 = r.x(), y0 = r.y(), W = r.width(), H = r.height();
    QPainterPath p;
    p.moveTo(x0, y0 + (2 * H) / 3);
    p.lineTo(x0, y0);
    p.lineTo(x0 + W / 2, y0 + H / 3);
    p.lineTo(x0 + W / 2, y0 + H);
    p.lineTo(x0 + W, y0 + (2 * H) / 3);
    p.lineTo(x0 + W, y0);
    p.lineTo(x0 + W / 2, y0 + H / 3);
    p.moveTo(x0 + W / 2, y0 + H);
    p.lineTo(x0, y0 + (2 * H) / 3);
    painter->drawPath(p);
}

IElement* IDihedralFigureElement::deepCopy() const
{
    return copyOf(this, new IDihedralFigureElement(nullptr));
}

IHemisphereFigureElement::IHemisphereFigureElement(QGraphicsItem* parent)
    : ISolidFigureElement(FIGURE_HEMISPHERE, parent)
{
}

void IHemisphereFigureElement::drawSolid(QPainter* painter)
{
    const QRect r = solidRect();
    const int x0 = r.x(), y0 = r.y(), W = r.width(), H = r.height();
    painter->drawArc(QRectF(x0, y0, W, H), 0, 2880);
    painter->save();
    drawEquator(painter, pen(), QRectF(x0, y0 + (3 * H) / 8, W, H / 4));
    painter->restore();
}

IElement* IHemisphereFigureElement::deepCopy() const
{
    return copyOf(this, new IHemisphereFigureElement(nullptr));
}

ITriangularPyramidFigureElement::ITriangularPyramidFigureElement(QGraphicsItem* parent)
    : ISolidFigureElement(FIGURE_TRIANGULAR_PYRAMID, parent)
{
}

QRectF ITriangularPyramidFigureElement::boundingRect() const
{
    const double w = m_rect.width(), h = m_rect.height();
    return adjustBoundingRect(QRectF(qMin(w, 0.0), qMin(h, 0.0), std::abs(w), std::abs(h)));
}

void ITriangularPyramidFigureElement::drawSolid(QPainter* painter)
{
    const double w = m_rect.width(), h = m_rect.height();
    const double x0 = qMin(w, 0.0), y0 = qMin(h, 0.0), W = std::abs(w), H = std::abs(h);
    QPainterPath outline;
    outline.moveTo(x0, y0 + H);
    outline.lineTo(x0 + W / 2, y0);
    outline.lineTo(x0 + W, y0 + H);
    outline.closeSubpath();
    painter->drawPath(outline);
    painter->save();
    styledPen(painter, painter->pen(), Qt::DashLine);
    const QPointF hidden(x0 + W / 2, y0 + 2 * H / 3);
    QPainterPath back;
    back.moveTo(x0, y0 + H);
    back.lineTo(hidden);
    back.lineTo(x0 + W / 2, y0);
    back.moveTo(hidden);
    back.lineTo(x0 + W, y0 + H);
    painter->drawPath(back);
    painter->restore();
}

IElement* ITriangularPyramidFigureElement::deepCopy() const
{
    return copyOf(this, new ITriangularPyramidFigureElement(nullptr));
}

IBallFigureElement::IBallFigureElement(QGraphicsItem* parent)
    : ISolidFigureElement(FIGURE_BALL, parent)
{
}

QRectF IBallFigureElement::boundingRect() const
{
    const double w = m_rect.width(), h = m_rect.height();
    const double d = qMax(std::abs(w), std::abs(h));
    return adjustBoundingRect(QRectF(qMin(w, 0.0), qMin(h, 0.0), d, d));
}

void IBallFigureElement::drawSolid(QPainter* painter)
{
    const double w = m_rect.width(), h = m_rect.height();
    const double x0 = qMin(w, 0.0), y0 = qMin(h, 0.0), d = qMax(std::abs(w), std::abs(h));
    painter->setBrush(QBrush(Qt::red, Qt::SolidPattern));
    painter->drawEllipse(QRectF(x0, y0, d, d));
    drawEquator(painter, pen(), QRectF(x0, y0 + 3 * d / 8, d, d / 4));
}

IElement* IBallFigureElement::deepCopy() const
{
    return copyOf(this, new IBallFigureElement(nullptr));
}
