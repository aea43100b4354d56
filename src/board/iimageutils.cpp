#include "board/iimageutils.h"

#include <cmath>

#include <QPainterPath>
#include <QtMath>

namespace {

// Achromatic colours report hue -1; they count as hue 0.
double hueOf(const QColor& c)
{
    return qMax(0.0, c.hslHueF());
}

double clamp01(double v)
{
    return qBound(0.0, v, 1.0);
}

} // namespace

QImage IImageUtils::adjustHue(const QImage& image, const QColor& from, const QColor& to,
                              unsigned tolerance)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (out.isNull())
        return out;
    const double fromHue = hueOf(from);
    const double dh = hueOf(to) - fromHue;
    const double ds = to.hslSaturationF() - from.hslSaturationF();
    const double dl = to.lightnessF() - from.lightnessF();
    const double tol = tolerance / 360.0;

    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QColor c = QColor::fromRgba(line[x]);
            const double h = c.hslHueF();
            if (h < 0.0)
                continue;   // grey: no hue to match
            double distance = std::fabs(h - fromHue);
            distance = qMin(distance, 1.0 - distance);   // hue is a circle
            if (distance > tol)
                continue;
            // Hue wraps round the circle; clamping it would leave reds just below 360 red.
            double nh = std::fmod(h + dh, 1.0);
            if (nh < 0.0)
                nh += 1.0;
            const QColor moved = QColor::fromHslF(nh, clamp01(c.hslSaturationF() + ds),
                                                  clamp01(c.lightnessF() + dl), c.alphaF());
            line[x] = moved.rgba();
        }
    }
    return out;
}

QPolygonF Q_LINE_TO_POLYGON(const QLineF& line, const double& width)
{
    const double r = width / 2.0;
    QPainterPath path;
    if (line.p1() == line.p2()) {
        path.addEllipse(line.p1(), r, r);
        return path.toFillPolygon();
    }
    const double a = line.angle();
    const double rad = qDegreesToRadians(a);
    const QPointF o(r * std::sin(rad), r * std::cos(rad));
    const QSizeF diameter(width, width);
    path.moveTo(line.p1() - o);
    path.lineTo(line.p2() - o);
    path.arcTo(QRectF(line.p2() - QPointF(r, r), diameter), a + 90.0, -180.0);
    path.lineTo(line.p1() + o);
    path.arcTo(QRectF(line.p1() - QPointF(r, r), diameter), -(90.0 - a), -180.0);
    path.closeSubpath();
    return path.toFillPolygon();
}
