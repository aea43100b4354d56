#ifndef IFIGURE3DCONTEXT_H
#define IFIGURE3DCONTEXT_H

#include <QPointF>
#include <QRectF>
#include <QSizeF>

class QPainter;

// Dashed drawing with the painter's own pen, for the hidden edges of solids.
class IFakePainter
{
public:
    // 1 sweeps with a positive span (the far half), anything else with a negative one.
    enum SweepDiretction { Negative = 0, Positive = 1 };

    // An arc of the ellipse whose left end is p, s.width wide and s.height half high.
    static void ArcTo(QPainter* painter, const QPointF& p, const QSizeF& s, double angle,
                      SweepDiretction d);
    static void ArcDashTo(QPainter* painter, const QPointF& p, const QSizeF& s, double angle,
                          SweepDiretction d);
    static void DrawDashLine(QPainter* painter, const QPointF& a, const QPointF& b);
};

// Line drawings of solids in a rectangle: visible edges solid, hidden edges dashed.
class IFigure3DContext
{
public:
    static void DrawCube(QPainter* painter, const QRectF& r);
    static void DrawCylinder(QPainter* painter, const QRectF& r);
    static void DrawCone(QPainter* painter, const QRectF& r);
    static void DrawHemisphere(QPainter* painter, const QRectF& r);
    // A frustum.
    static void DrawRoundpillars(QPainter* painter, const QRectF& r);
};

#endif
