#ifndef SCREENPATTERN_H
#define SCREENPATTERN_H

#include <QImage>
#include <QPixmap>
#include <QtGlobal>

// Blocks of 32 device pixels whose colours do not repeat nearby: a picture taken from
// anywhere else differs from it nearly everywhere.
inline QPixmap blockPattern(const QSize& size, qreal ratio)
{
    QImage image((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const quint32 h = quint32(x / 32) * 73856093u ^ quint32(y / 32) * 19349663u;
            image.setPixel(x, y, qRgb((h >> 4) & 255, (h >> 12) & 255, (h >> 20) & 255));
        }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

// Mean difference of the colour channels, 0..255; 255 when the sizes differ.
inline double meanDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 255.0;
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return double(sum) / (3.0 * a.width() * a.height());
}

#endif
