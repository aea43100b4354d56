#ifndef IIMAGEUTILS_H
#define IIMAGEUTILS_H

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QPolygonF>

namespace IImageUtils {

// A new ARGB32 image in which pixels whose hue lies within tolerance degrees of from's
// hue are moved by (to - from) in hue, saturation and lightness; alpha is kept.
QImage adjustHue(const QImage& image, const QColor& from, const QColor& to, unsigned tolerance);

}

// The segment widened to width with half-round ends (a circle for a point).
QPolygonF Q_LINE_TO_POLYGON(const QLineF& line, const double& width);

#endif
