#include "board/figure/ifiguremode.h"

#include <cmath>

#include "board/figure/ifigurepathmode.h"
#include "board/figure/ilinefigureelements.h"
#include "board/figure/isolidfigureelements.h"
#include "board/iboard.h"
#include "board/islide.h"

using namespace TX_IBOARD_ENUM;

void flip(QGraphicsItem* item, Qt::Orientation orientation)
{
    const double sx = orientation == Qt::Horizontal ? -1 : 1;
    const double sy = orientation == Qt::Horizontal ? 1 : -1;
    const QPointF a = item->sceneBoundingRect().topLeft();
    const QPointF b = item->boundingRect().topLeft();
    const QTransform st = item->sceneTransform();
    const double angle = std::atan2(-st.m21(), st.m11());
    item->setTransformOriginPoint(item->sceneBoundingRect().center());
    QTransform t = item->transform();
    t.translate(b.x(), b.y());
    t.rotateRadians(-angle, Qt::ZAxis);
    t.scale(sx, sy);
    t.rotateRadians(angle, Qt::ZAxis);
    t.translate(-b.x(), -b.y());
    item->setTransform(t, false);
    const QPointF moved = item->sceneBoundingRect().topLeft();
    item->setPos(item->pos() + (a - moved));
}

namespace {

bool isLineType(int type)
{
    return type >= FIGURE_LINE && type <= FIGURE_LINE_10;
}

bool isPolygonType(int type)
{
    return type >= FIGURE_REGULAR_TRIANGLE && type <= FIGURE_REGULAR_OCTAGON;
}

// Kinds placed and stretched by a rectangle.
bool isRectType(int type)
{
    switch (type) {
    case FIGURE_CIRCLE: case FIGURE_ELLIPSE: case FIGURE_RECTANGLE: case FIGURE_PARALLELOGRAM:
    case FIGURE_ISOSCELES_TRIANGLE: case FIGURE_STAR:
        return true;
    default:
        return IFigureElement::isSolidType(type);
    }
}

// The rectangle-placed figures have no common setter: each keeps its own geometry.
void setFigureRect(IFigureElement* e, const QRectF& r)
{
    if (auto* placed = dynamic_cast<IRectPlacedFigureElement*>(e))
        placed->setRect(r);
    else if (auto* rect = dynamic_cast<IRectangleFigureElement*>(e))
        rect->setRect(r);
    else if (auto* circle = dynamic_cast<ICircleFigureElement*>(e))
        circle->setRect(r);
    else if (auto* ellipse = dynamic_cast<IEllipseFigureElement*>(e))
        ellipse->setRect(r);
}

QRectF figureRect(IFigureElement* e)
{
    if (auto* placed = dynamic_cast<IRectPlacedFigureElement*>(e))
        return placed->rect();
    if (auto* rect = dynamic_cast<IRectangleFigureElement*>(e))
        return rect->rect();
    if (auto* circle = dynamic_cast<ICircleFigureElement*>(e))
        return circle->rect();
    if (auto* ellipse = dynamic_cast<IEllipseFigureElement*>(e))
        return ellipse->rect();
    return QRectF();
}

struct LineLook
{
    int style;
    int startArrow;   // -1: not set
    int endArrow;
};

LineLook lineLook(int type)
{
    switch (type) {
    case FIGURE_LINE_2: return {IFigureElement::DashLine, -1, -1};
    case FIGURE_LINE_3: return {IFigureElement::DotLine, -1, -1};
    case FIGURE_LINE_4: return {IFigureElement::DashDotDotLine, -1, -1};
    case FIGURE_LINE_5: return {IFigureElement::SolidLine, -1, ILineFigureElement::TriangleArrow};
    case FIGURE_LINE_6: return {IFigureElement::SolidLine, -1, ILineFigureElement::DotArrow};
    case FIGURE_LINE_7:
        return {IFigureElement::SolidLine, ILineFigureElement::TriangleArrow,
                ILineFigureElement::TriangleArrow};
    case FIGURE_LINE_8:
        return {IFigureElement::SolidLine, ILineFigureElement::DotArrow, ILineFigureElement::DotArrow};
    case FIGURE_LINE_9: return {IFigureElement::SolidLine, ILineFigureElement::TriangleArrow, -1};
    case FIGURE_LINE_10: return {IFigureElement::SolidLine, ILineFigureElement::DotArrow, -1};
    default: return {IFigureElement::SolidLine, -1, -1};
    }
}

} // namespace

IFigureMode::IFigureMode(IBoard* board) : IMode(board)
{
}

void IFigureMode::setFigureType(FigureType type)
{
    m_figureType = type;
    switch (type) {
    case FIGURE_REGULAR_TRIANGLE: m_vertexCount = 3; break;
    case FIGURE_REGULAR_PENTAGON: m_vertexCount = 5; break;
    case FIGURE_REGULAR_HEXAGON: m_vertexCount = 6; break;
    case FIGURE_REGULAR_OCTAGON: m_vertexCount = 8; break;
    default: break;
    }
}

void IFigureMode::switchOn()
{
    IMode::switchOn();
    const QString file = figureCursorFile(m_figureType);
    if (m_board && !file.isEmpty())
        m_board->setCursor(file);
}

void IFigureMode::switchOff()
{
    // Leaving mid-drag finishes the figure: no later move may stretch it.
    if (m_pressed)
        finishGesture();
    IMode::switchOff();
}

QRectF IFigureMode::reverseRect(const QRectF& r) const
{
    return reverseDragRect(r);
}

QPointF IFigureMode::scenePoint(const IDeviceEventArgs* args) const
{
    return m_board->mapToScene(args->position().toPoint());
}

IFigureElement* IFigureMode::createGeometry()
{
    IFigureElement* created = nullptr;
    const int type = m_figureType;
    if (isLineType(type)) {
        created = new ILineFigureElement(nullptr);
    } else if (isPolygonType(type)) {
        created = new IVerticsPolygonFigureElement(m_vertexCount, QPointF(0, 0), nullptr);
    } else {
        switch (type) {
        case FIGURE_CIRCLE: created = new ICircleFigureElement(nullptr); break;
        case FIGURE_ELLIPSE: created = new IEllipseFigureElement(nullptr); break;
        case FIGURE_RECTANGLE: created = new IRectangleFigureElement(nullptr); break;
        case FIGURE_PARALLELOGRAM: created = new IParallelQuadrilateralFigureElement(nullptr); break;
        case FIGURE_ISOSCELES_TRIANGLE: created = new IIsoscelesTriangleFigureElement(nullptr); break;
        case FIGURE_STAR: created = new IStarFigureElement(nullptr); break;
        case FIGURE_CUBE: created = new ICubeFigureElement(nullptr); break;
        case FIGURE_CONE: created = new IConeFigureElement(nullptr); break;
        case FIGURE_CYLINDER: created = new ICylinderFigureElement(nullptr); break;
        case FIGURE_DIHEDRAL: created = new IDihedralFigureElement(nullptr); break;
        case FIGURE_HEMISPHERE: created = new IHemisphereFigureElement(nullptr); break;
        case FIGURE_TRIANGULAR_PYRAMID: created = new ITriangularPyramidFigureElement(nullptr); break;
        case FIGURE_BALL: created = new IBallFigureElement(nullptr); break;
        case FIGURE_WAVE_LINE: {
            auto* wave = new IWaveLineFigureElement(nullptr);
            if (m_board)
                wave->setThicness(m_board->boardState()->figureThickness);
            created = wave;
            break;
        }
        default:
            break;
        }
    }
    if (created)
        m_current = created;
    if (!m_current || !m_board)
        return m_current;
    const IBoardState* s = m_board->boardState();
    m_current->setForeground(s->inkColor);
    m_current->setThicness(double(s->figureThickness));
    m_current->setBackground(s->figureBackground);
    if (auto* line = dynamic_cast<ILineFigureElement*>(m_current)) {
        const LineLook look = lineLook(type);
        line->setLineStyle(look.style);
        if (look.startArrow >= 0)
            line->setStartArrow(ILineFigureElement::ArrowType(look.startArrow));
        if (look.endArrow >= 0)
            line->setEndArrow(ILineFigureElement::ArrowType(look.endArrow));
    }
    return m_current;
}

bool IFigureMode::onPage(IFigureElement* element) const
{
    ISlide* slide = currentSlide();
    return element && slide && slide->elements().contains(static_cast<IElement*>(element));
}

IFigureElement* IFigureMode::liveElement() const
{
    if (!onPage(m_current))
        return nullptr;
    const int type = m_figureType;
    const int kind = m_current->figureType();
    if (isLineType(type))
        return kind == FIGURE_LINE ? m_current : nullptr;
    if (isPolygonType(type))
        return isPolygonType(kind) ? m_current : nullptr;
    return kind == type ? m_current : nullptr;
}

void IFigureMode::discard(IFigureElement* element)
{
    ISlide* slide = currentSlide();
    slide->remove(element, false);
    // The page handed it back: nobody else would ever delete it.
    if (!onPage(element))
        delete element;
}

void IFigureMode::deviceDown(IDeviceEventArgs* args)
{
    if (!args || !m_board)
        return;
    IMode::deviceDown(args);
    setPressFlag(false);
    state()->setTouchingBoard(true);
    m_pressed = true;
    m_moved = false;
    ISlide* slide = currentSlide();
    if (!slide)
        return;
    const QPointF p = scenePoint(args);
    const int type = m_figureType;
    const bool creates = isLineType(type) || isPolygonType(type) || isRectType(type)
                         || type == FIGURE_WAVE_LINE;
    if (!creates)
        return;
    IFigureElement* e = createGeometry();
    if (auto* line = dynamic_cast<ILineFigureElement*>(e)) {
        line->setLine(p, p);
    } else if (type == FIGURE_CIRCLE || type == FIGURE_ELLIPSE) {
        e->setPos(p);
    } else if (type == FIGURE_RECTANGLE) {
        setFigureRect(e, QRectF(int(p.x()), int(p.y()), 0, 0));
    } else if (auto* polygon = dynamic_cast<IVerticsPolygonFigureElement*>(e)) {
        polygon->setStartPoint(p);
    } else if (auto* wave = dynamic_cast<IWaveLineFigureElement*>(e)) {
        wave->setStartPoint(p);
    } else {
        setFigureRect(e, QRectF(p, QSizeF(0, 0)));
    }
    slide->add(e, true);
    e->setVisible(true);
}

void IFigureMode::deviceMove(IDeviceEventArgs* args)
{
    if (!args || !m_pressed)
        return;
    IMode::deviceMove(args);
    state()->setTouchingBoard(true);
    m_moved = true;
    IFigureElement* e = liveElement();
    if (!e)
        return;
    const QPointF p = scenePoint(args);
    const QPointF pos = e->pos();
    if (auto* line = dynamic_cast<ILineFigureElement*>(e)) {
        line->setEndPoint(p);
    } else if (auto* ellipse = dynamic_cast<IEllipseFigureElement*>(e)) {
        ellipse->setRadiusX((p.x() - pos.x()) * 0.5);
        ellipse->setRadiusY((p.y() - pos.y()) * 0.5);
    } else if (auto* polygon = dynamic_cast<IVerticsPolygonFigureElement*>(e)) {
        polygon->updatePath(p);
    } else if (auto* wave = dynamic_cast<IWaveLineFigureElement*>(e)) {
        wave->setLine(wave->startPoint(), p);
    } else {
        setFigureRect(e, QRectF(pos, QSizeF(p.x() - pos.x(), p.y() - pos.y())));
    }
}

void IFigureMode::deviceUp(IDeviceEventArgs* args)
{
    if (!args || !m_pressed)
        return;
    IMode::deviceUp(args);
    finishGesture();
}

void IFigureMode::finishGesture()
{
    if (IBoardState* s = state())
        s->setTouchingBoard(false);
    m_pressed = false;
    IFigureElement* e = liveElement();
    ISlide* slide = currentSlide();
    bool announce = e != nullptr;
    if (auto* line = dynamic_cast<ILineFigureElement*>(e)) {
        const QPointF d = line->endPoint() - line->startPoint();
        if (std::fabs(d.x()) <= 1e-12 && std::fabs(d.y()) <= 1e-12) {
            discard(line);
            announce = false;
        }
    } else if (e) {
        const int type = m_figureType;
        if (type == FIGURE_PARALLELOGRAM) {
            setFigureRectWithFlip(static_cast<IParallelQuadrilateralFigureElement*>(e));
        } else if (type == FIGURE_ISOSCELES_TRIANGLE) {
            setFigureRectWithFlip(static_cast<IIsoscelesTriangleFigureElement*>(e));
        } else if (auto* polygon = dynamic_cast<IVerticsPolygonFigureElement*>(e)) {
            const QRectF r(polygon->startPoint(), polygon->lastPoint());
            const QRectF n = r.normalized();
            const bool same = qFuzzyCompare(r.x(), n.x()) && qFuzzyCompare(r.y(), n.y())
                              && qFuzzyCompare(r.width(), n.width())
                              && qFuzzyCompare(r.height(), n.height());
            if (!same && r.width() < 0)
                flip(polygon, Qt::Horizontal);
        } else if (type != FIGURE_WAVE_LINE) {
            setFigureRect(e, reverseRect(figureRect(e)));
        }
    }
    // The press already put the figure on the page (quietly); listeners learn of it now,
    // without a second entry.
    if (announce && slide)
        emit slide->sgElementsAddedEvent(slide->id(), {static_cast<IElement*>(e)});
    if (!m_moved && onPage(m_current))
        discard(m_current);
    m_current = nullptr;
}
