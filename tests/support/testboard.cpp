#include "testboard.h"

#include <QtTest>

#include <QGraphicsScene>

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ipixmapitem.h"
#include "board/model/imodemanage.h"

ShownBoard::ShownBoard(const QSize& picture)
{
    board = new IBoard(TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    board->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    board->resize(800, 600);
    board->setSceneRect(0, 0, 800, 600);
    slide = new ISlide;
    board->insert(slide, true);
    auto* item = new IPixmapItem(picture);
    item->setZValue(-9999999);
    board->setPixmapElement(item);
    board->show();
    QVERIFY(QTest::qWaitForWindowExposed(board));
    // Showing fits the picture to the board; a smaller picture is asked for afterwards.
    board->setCameraShowsize(QSizeF(picture));
    // Tests speak in scene points; the view must not shift them.
    QCOMPARE(board->mapToScene(QPoint(123, 45)), QPointF(123, 45));
}

ShownBoard::~ShownBoard()
{
    delete board;
}

static QMouseEvent mouseEvent(QEvent::Type type, const QPointF& p)
{
    return QMouseEvent(type, p, Qt::LeftButton,
                       type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                       Qt::NoModifier);
}

void ShownBoard::down(const QPointF& p, int id)
{
    IDeviceEventArgs args(mouseEvent(QEvent::MouseButtonPress, p), ISlidePoint(p), false, id);
    board->modeManage()->deviceDown(&args);
}

void ShownBoard::move(const QPointF& p, int id)
{
    IDeviceEventArgs args(mouseEvent(QEvent::MouseMove, p), ISlidePoint(p), false, id);
    board->modeManage()->deviceMove(&args);
}

void ShownBoard::up(const QPointF& p, int id)
{
    IDeviceEventArgs args(mouseEvent(QEvent::MouseButtonRelease, p), ISlidePoint(p), false, id);
    board->modeManage()->deviceUp(&args);
}

void ShownBoard::drag(const QPointF& from, const QPointF& to, int steps)
{
    down(from);
    for (int i = 1; i < steps; ++i)
        move(from + (to - from) * (double(i) / steps));
    move(to);
    up(to);
}

void ShownBoard::mouseGesture(const QPointF& from, const QPointF& via, const QPointF& to)
{
    QWidget* viewport = board->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QMouseEvent move(QEvent::MouseMove, via, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(viewport, &release);
}

QImage renderArea(QGraphicsScene* scene, const QRect& area)
{
    QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    scene->render(&painter, QRectF(image.rect()), QRectF(area));
    return image;
}

QImage renderItem(QGraphicsItem* item, const QRect& area)
{
    QGraphicsScene scene;
    scene.addItem(item);
    const QImage image = renderArea(&scene, area);
    scene.removeItem(item);
    return image;
}

int inkAt(const QImage& image, const QRect& area, const QPoint& p)
{
    return qAlpha(image.pixel(p - area.topLeft()));
}

