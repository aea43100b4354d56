#include <QtTest>

#include <QGraphicsItem>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include "tst_figure.h"
#include "testenv.h"

#include "board/path/ipathmodes.h"

static void paintTree(QPainter* painter, QGraphicsItem* item)
{
    QStyleOptionGraphicsItem option;
    painter->save();
    painter->setTransform(item->sceneTransform(), true);
    item->paint(painter, &option, nullptr);
    painter->restore();
    for (QGraphicsItem* child : item->childItems())
        paintTree(painter, child);
}

QImage paintFigure(QGraphicsItem* item, const QRect& area)
{
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(-area.topLeft());
    paintTree(&painter, item);
    return image;
}

bool inkNear(const QImage& image, const QRect& area, const QPointF& p)
{
    const QPoint c = p.toPoint() - area.topLeft();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q = c + QPoint(dx, dy);
            if (image.rect().contains(q) && qAlpha(image.pixel(q)) > 0)
                return true;
        }
    }
    return false;
}

QColor colorAt(const QImage& image, const QRect& area, const QPoint& p)
{
    return QColor::fromRgba(image.pixel(p - area.topLeft()));
}

void TestFigure::initTestCase()
{
    registerPathModes();
}

OCUMETRA_TEST_MAIN(TestFigure)
