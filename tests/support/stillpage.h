#ifndef STILLPAGE_H
#define STILLPAGE_H

#include <QLabel>
#include <QPainter>
#include <QPixmap>

// An unchanging page (a frameless window over region) for recordings of a still screen.
inline void showStillPage(QLabel& page, const QRect& region)
{
    QPixmap picture(region.size());
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.fillRect(region.width() / 16, region.height() / 12, region.width() / 3, region.height() / 3, Qt::darkBlue);
    p.drawText(region.width() / 8, region.height() * 2 / 3, QStringLiteral("A still page"));
    p.end();
    page.setPixmap(picture);
    page.setWindowFlags(Qt::FramelessWindowHint);
    page.setGeometry(region);
    page.show();
}

#endif
