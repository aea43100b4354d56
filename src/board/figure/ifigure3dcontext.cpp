#include "board/figure/ifigure3dcontext.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Arcs of the context start at 180 sixteenths of a degree and span half a turn.
constexpr int ArcStart = 180;
constexpr int HalfTurn = 2880;

QRectF arcRect(const QPointF& p, const QSizeF& s)
{
    return QRectF(p.x(), p.y() - s.height(), s.width(), 2 * s.height());
}

void dashedPen(QPainter* painter)
{
    QPen pen = painter->pen();
    pen.setStyle(Qt::DashLine);
    painter->setPen(pen);
}

// The far half of an ellipse dashed, the near half solid.
void drawBaseEllipse(QPainter* painter, double x, double y, double w, double e)
{
    IFakePainter::ArcDashTo(painter, QPointF(x, y), QSizeF(w, e), ArcStart, IFakePainter::Positive);
    painter->drawArc(QRectF(x, y - e, w, 2 * e), ArcStart, -HalfTurn);
}

} // namespace

void IFakePainter::ArcTo(QPainter* painter, const QPointF& p, const QSizeF& s, double angle,
                         SweepDiretction d)
{
    const int k = d == Positive ? 16 : -16;
    painter->drawArc(arcRect(p, s), int(angle), int(angle * k));
}

void IFakePainter::ArcDashTo(QPainter* painter, const QPointF& p, const QSizeF& s, double angle,
                             SweepDiretction d)
{
    painter->save();
    dashedPen(painter);
    ArcTo(painter, p, s, angle, d);
    painter->restore();
}

void IFakePainter::DrawDashLine(QPainter* painter, const QPointF& a, const QPointF& b)
{
    painter->save();
    dashedPen(painter);
    const QLineF line(a, b);
    painter->drawLines(&line, 1);
    painter->restore();
}

void IFigure3DContext::DrawCube(QPainter* painter, const QRectF& r)
{
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    QPainterPath p;
    p.moveTo(x, y + h / 3);
    p.lineTo(x, y + h);
    p.lineTo(x + 2 * w / 3, y + h);
    p.lineTo(x + w, y + 2 * h / 3);
    p.lineTo(x + w, y);
    p.lineTo(x + 2 * w / 3, y + h / 3);
    p.lineTo(x, y + h / 3);
    p.lineTo(x + w / 3, y);
    p.lineTo(x + w, y);
    p.moveTo(x + 2 * w / 3, y + h / 3);
    p.lineTo(x + 2 * w / 3, y + h);
    painter->drawPath(p);
    const QPointF hidden(x + w / 3, y + 2 * h / 3);
    IFakePainter::DrawDashLine(painter, QPointF(x + w / 3, y), hidden);
    IFakePainter::DrawDashLine(painter, hidden, QPointF(x + w, y + 2 * h / 3));
    IFakePainter::DrawDashLine(painter, hidden, QPointF(x, y + h));
}

void IFigure3DContext::DrawCylinder(QPainter* painter, const QRectF& r)
{
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    const double e = h / 7, top = y + e, bottom = y + 6 * h / 7;
    QPainterPath p;
    p.moveTo(x, top);
    p.lineTo(x, bottom);
    p.moveTo(x + w, top);
    p.lineTo(x + w, bottom);
    painter->drawPath(p);
    painter->drawArc(QRectF(x, y, w, 2 * e), ArcStart, HalfTurn);
    painter->drawArc(QRectF(x, y, w, 2 * e), ArcStart, -HalfTurn);
    drawBaseEllipse(painter, x, bottom, w, e);
}

void IFigure3DContext::DrawCone(QPainter* painter, const QRectF& r)
{
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    const double yb = y + 6 * h / 7, e = h / 7;
    const QPointF apex(x + w / 2, y);
    QPainterPath p;
    p.moveTo(apex);
    p.lineTo(x, yb);
    p.moveTo(apex);
    p.lineTo(x + w, yb);
    painter->drawPath(p);
    drawBaseEllipse(painter, x, yb, w, e);
}

void IFigure3DContext::DrawHemisphere(QPainter* painter, const QRectF& r)
{
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    painter->drawArc(QRectF(x, y, w, 1.5 * h), ArcStart, HalfTurn);
    drawBaseEllipse(painter, x, y + 0.75 * h, w, h / 4);
}

void IFigure3DContext::DrawRoundpillars(QPainter* painter, const QRectF& r)
{
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    const double a = x + w / 4, b = x + 3 * w / 4, e = h / 10;
    const double top = y + e, bottom = y + 9 * h / 10;
    QPainterPath p;
    p.addEllipse(QRectF(a, y, b - a, h / 5));
    p.moveTo(a, top);
    p.lineTo(x, bottom);
    p.moveTo(x + w, bottom);
    p.lineTo(b, top);
    painter->drawPath(p);
    drawBaseEllipse(painter, x, bottom, w, e);
}
