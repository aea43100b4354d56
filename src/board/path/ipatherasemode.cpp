#include "board/path/ipatherasemode.h"

#include <QDebug>
#include <QGraphicsEllipseItem>

#include "board/iboard.h"
#include "board/iimageutils.h"
#include "board/islide.h"
#include "board/path/ipathelement.h"

namespace {

constexpr int RichTextType = QGraphicsItem::UserType + 11;

} // namespace

IPathEraseMode::IPathEraseMode() : IMode(nullptr)
{
}

IPathEraseMode::IPathEraseMode(IBoard* board) : IMode(board)
{
}

IPathEraseMode::~IPathEraseMode()
{
    if (m_ghost) {
        if (QGraphicsScene* scene = m_ghost->scene())
            scene->removeItem(m_ghost);
        delete m_ghost;
    }
}

double IPathEraseMode::eraserSize() const
{
    return m_board ? m_board->boardState()->pointEraserSize.width() : 0.0;
}

double IPathEraseMode::zoom() const
{
    const double scale = m_board ? m_board->scaleValue() : 1.0;
    return scale > 0.0 ? scale : 1.0;
}

QPointF IPathEraseMode::scenePoint(const IDeviceEventArgs* args) const
{
    return m_board->mapToScene(args->position().toPoint());
}

void IPathEraseMode::deviceDown(IDeviceEventArgs* args)
{
    if (!args || !m_board)
        return;
    IMode::deviceDown(args);
    setPressFlag(false);
    showEraser(true);
    m_board->boardState()->setTouchingBoard(true);
    const QPointF p = scenePoint(args);
    if (m_pressed)
        return;
    m_pressed = true;
    eraseDown(p);
}

void IPathEraseMode::eraseDown(const QPointF& p, double)
{
    m_lastPoint = p;
    eraseTo(p, eraserSize());
    showEraser(true);
    placeGhost(p, static_cast<int>(eraserSize()) / zoom());
}

void IPathEraseMode::deviceMove(IDeviceEventArgs* args)
{
    if (!args || !m_pressed)
        return;
    IMode::deviceMove(args);
    m_board->boardState()->setTouchingBoard(true);
    const QPointF p = scenePoint(args);
    eraseTo(p, eraserSize());
    placeGhost(p, static_cast<int>(eraserSize()) / zoom());
}

void IPathEraseMode::deviceUp(IDeviceEventArgs* args)
{
    if (!args || !m_board)
        return;
    IMode::deviceUp(args);
    if (m_pressed) {
        m_pressed = false;
        eraseUp();
    }
    m_board->boardState()->setTouchingBoard(false);
}

void IPathEraseMode::eraseUp()
{
    if (currentSlide())
        showEraser(false);
}

void IPathEraseMode::eraseTo(const QPointF& p, const double& size)
{
    const QPointF prev = m_lastPoint;
    m_lastPoint = p;
    ISlide* slide = currentSlide();
    if (!slide)
        return;
    const double w = size / zoom();
    const QPolygonF capsule = Q_LINE_TO_POLYGON(QLineF(prev, p), w);
    const QRectF band = capsule.boundingRect();
    const QList<QGraphicsItem*> items =
        slide->items(band, Qt::IntersectsItemBoundingRect, Qt::DescendingOrder, QTransform());
    // Built once per step: every element near the band gets the same region.
    QRegion region;
    bool regionBuilt = false;
    for (QGraphicsItem* item : items) {
        if (item->type() == RichTextType) {
            qDebug() << "erase TX_RichText...";
            continue;
        }
        if (item->type() != IPathElement::Type)
            continue;
        auto* element = dynamic_cast<IPathElement*>(item);
        // The page keeps locked elements; so does the eraser, untouched.
        if (!element || element->isLocked())
            continue;
        if (!regionBuilt) {
            region = QRegion(capsule.toPolygon(), Qt::OddEvenFill);
            regionBuilt = true;
        }
        element->addErasePoint(p);
        if (element->addEraseRegion(region)) {
            slide->remove(element, false);
            delete element;
        } else {
            // Show the cut at once, also where the ghost never passed.
            element->update(band);
        }
    }
    // Finished strokes are drawn from the board's cache, which must hear of the cut.
    if (regionBuilt && m_board)
        m_board->refreshDrawings(band);
}

void IPathEraseMode::placeGhost(const QPointF& p, double diameter)
{
    if (!m_ghost)
        return;
    m_ghost->setRect(p.x() - diameter / 2.0, p.y() - diameter / 2.0, diameter, diameter);
}

void IPathEraseMode::showEraser(bool show)
{
    if (!m_ghost) {
        ISlide* slide = currentSlide();
        if (!slide)
            return;
        m_ghost = new QGraphicsEllipseItem(nullptr);
        m_ghost->setVisible(false);
        m_ghost->setZValue(GhostZ);
        slide->addItem(m_ghost);
    }
    if (show) {
        m_ghost->setVisible(true);
        return;
    }
    m_ghost->setVisible(false);
    if (QGraphicsScene* scene = m_ghost->scene())
        scene->removeItem(m_ghost);
    delete m_ghost;
    m_ghost = nullptr;
}

void IPathEraseMode::eraseMove(const QPointF& p, double)
{
    eraseTo(p, eraserSize());
    placeGhost(p, static_cast<int>(eraserSize()) / zoom());
}

void IPathEraseMode::drawEraser(const QPointF& p, bool show, int size)
{
    showEraser(true);
    placeGhost(p, size / zoom());
    if (m_ghost)
        m_ghost->setVisible(show);
}

void IPathEraseMode::switchOn()
{
    IMode::switchOn();
    if (m_board)
        m_board->setCursor(QStringLiteral(":/cursors/cursors/eraser.png"));
}

void IPathEraseMode::switchOff()
{
    // Leaving in the middle of a gesture must not leave the ghost on the page.
    if (m_pressed) {
        m_pressed = false;
        eraseUp();
    }
    IMode::switchOff();
}
