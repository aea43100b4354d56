#ifndef CONTRAST_H
#define CONTRAST_H

#include <QColor>

#include <cmath>

// Readability of one colour on another as the WCAG measures it: 1 (none) to 21
// (black on white); text wants 4.5, large text and outlines 3.
inline double relativeLuminance(const QColor& c)
{
    auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

inline double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

#endif
