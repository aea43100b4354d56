#include "board/figure/ifigurepathmode.h"

#include <cmath>

#include "board/figure/iclosedpathelements.h"
#include "board/figure/ilinepathelement.h"
#include "board/iboard.h"
#include "board/islide.h"

using namespace TX_IBOARD_ENUM;

QString figureCursorFile(FigureType type)
{
    const char* file = nullptr;
    switch (type) {
    case FIGURE_LINE: case FIGURE_LINE_6: case FIGURE_LINE_8: case FIGURE_LINE_10:
    case FIGURE_WAVE_LINE:
        file = "fe_line_line.png";
        break;
    case FIGURE_LINE_2: case FIGURE_LINE_3: case FIGURE_LINE_4:
        file = "fe_line_dashline.png";
        break;
    case FIGURE_LINE_5: case FIGURE_LINE_9:
        file = "fe_line_startarrowline.png";
        break;
    case FIGURE_LINE_7:
        file = "fe_line_doublearrowline.png";
        break;
    case FIGURE_CIRCLE: case FIGURE_ELLIPSE:
        file = "fe_2d_circl.png";
        break;
    case FIGURE_RECTANGLE:
        file = "fe_2d_rectangle.png";
        break;
    case FIGURE_PARALLELOGRAM:
        file = "fe_2d_parallelquadrilateral.png";
        break;
    case FIGURE_ISOSCELES_TRIANGLE:
        file = "fe_2d_tri.png";
        break;
    case FIGURE_REGULAR_PENTAGON:
        file = "fe_2d_pentagon.png";
        break;
    case FIGURE_REGULAR_HEXAGON:
        file = "fe_2d_hexagon.png";
        break;
    case FIGURE_REGULAR_OCTAGON:
        file = "fe_2d_octagon.png";
        break;
    case FIGURE_STAR:
        file = "fe_2d_star.png";
        break;
    case FIGURE_CUBE:
        file = "fe_3d_cube.png";
        break;
    case FIGURE_CONE:
        file = "fe_3d_cone.png";
        break;
    case FIGURE_CYLINDER:
        file = "fe_3d_cylinder.png";
        break;
    case FIGURE_DIHEDRAL:
        file = "fe_3d_dihedral.png";
        break;
    case FIGURE_HEMISPHERE:
        file = "fe_3d_hemispheres.png";
        break;
    case FIGURE_TRIANGULAR_PYRAMID:
        file = "fe_3d_triangularpyramid.png";
        break;
    case FIGURE_BALL:
        file = "fe_3d_ball.png";
        break;
    default:
        return QString();
    }
    return QStringLiteral(":/cursors/cursors/") + QLatin1String(file);
}

IFigurePathMode::IFigurePathMode(IBoard* board) : IMode(board)
{
}

QPointF IFigurePathMode::scenePoint(const IDeviceEventArgs* args) const
{
    return m_board->mapToScene(args->position().toPoint());
}

IPathElement* IFigurePathMode::createGeometry()
{
    IPathElement* element = nullptr;
    switch (m_figureType) {
    case FIGURE_CIRCLE:
        element = new ICirclePathElement(nullptr);
        break;
    case FIGURE_ELLIPSE:
        element = new IEllipsePathElement(nullptr);
        break;
    case FIGURE_RECTANGLE:
        element = new IRectanglePathElement(nullptr);
        break;
    case FIGURE_ISOSCELES_TRIANGLE:
        element = new IIsoscelesTrianglePathElement(nullptr);
        break;
    default:
        element = new ILinePathElement(nullptr);
        break;
    }
    m_current = element;
    const IBoardState* ink = m_board->boardState();
    element->setColor(ink->inkColor);
    element->setAlpha(ink->inkOpacity);
    element->setThickness(static_cast<int>(ink->inkThickness));
    element->setFillColor(ink->inkColor);
    return element;
}

QRectF reverseDragRect(const QRectF& r)
{
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    if (w < 0 && h < 0)
        return QRectF(QPointF(x + w, y + h), QPointF(x, y));
    if (w > 0 && h < 0)
        return QRectF(QPointF(x, y + h), QPointF(x + w, y));
    if (w < 0 && h > 0)
        return QRectF(QPointF(x + w, y), QPointF(x, y + h));
    return r;
}

QRectF IFigurePathMode::reverseRect(const QRectF& r)
{
    return reverseDragRect(r);
}

void IFigurePathMode::deviceDown(IDeviceEventArgs* args)
{
    if (!args || !m_board)
        return;
    IMode::deviceDown(args);
    setPressFlag(false);
    // A press while a shape is still being dragged starts a new one; the earlier shape
    // stays as it is, without the release steps.
    m_pressed = true;
    const QPointF p = scenePoint(args);
    ISlide* slide = currentSlide();
    if (!slide)
        return;
    IPathElement* element = nullptr;
    switch (m_figureType) {
    case FIGURE_LINE:
        element = createGeometry();
        static_cast<ILinePathElement*>(element)->setLine(p, p);
        break;
    case FIGURE_CIRCLE:
    case FIGURE_ELLIPSE:
    case FIGURE_RECTANGLE:
    case FIGURE_ISOSCELES_TRIANGLE:
        element = createGeometry();
        static_cast<IClosedPathElement*>(element)->setRect(p, p);
        break;
    default:
        return;
    }
    slide->add(element, true);
    element->setVisible(true);
}

IPathElement* IFigurePathMode::liveElement() const
{
    ISlide* slide = currentSlide();
    if (!m_current || !slide || !slide->elements().contains(static_cast<IElement*>(m_current)))
        return nullptr;
    switch (m_figureType) {
    case FIGURE_LINE:
        return dynamic_cast<ILinePathElement*>(m_current) ? m_current : nullptr;
    case FIGURE_CIRCLE:
        return dynamic_cast<ICirclePathElement*>(m_current) ? m_current : nullptr;
    case FIGURE_ELLIPSE:
        return dynamic_cast<IEllipsePathElement*>(m_current) ? m_current : nullptr;
    case FIGURE_RECTANGLE:
        return dynamic_cast<IRectanglePathElement*>(m_current) ? m_current : nullptr;
    case FIGURE_ISOSCELES_TRIANGLE:
        return dynamic_cast<IIsoscelesTrianglePathElement*>(m_current) ? m_current : nullptr;
    default:
        return nullptr;
    }
}

void IFigurePathMode::deviceMove(IDeviceEventArgs* args)
{
    if (!args || !m_pressed)
        return;
    IMode::deviceMove(args);
    IPathElement* element = liveElement();
    if (!element)
        return;
    const QPointF p = scenePoint(args);
    if (auto* line = dynamic_cast<ILinePathElement*>(element))
        line->setStopPos(p);
    else if (auto* shape = dynamic_cast<IClosedPathElement*>(element))
        shape->setBottomRightPos(p);
}

void IFigurePathMode::deviceUp(IDeviceEventArgs* args)
{
    if (!args || !m_pressed)
        return;
    IMode::deviceUp(args);
    finishGesture();
}

void IFigurePathMode::finishGesture()
{
    m_pressed = false;
    IPathElement* element = liveElement();
    m_current = nullptr;
    if (!element)
        return;
    switch (m_figureType) {
    case FIGURE_LINE: {
        auto* line = static_cast<ILinePathElement*>(element);
        const QPointF d = line->stopPos() - line->startPos();
        if (std::fabs(d.x()) <= 1e-12 && std::fabs(d.y()) <= 1e-12) {
            ISlide* slide = currentSlide();
            slide->remove(line, false);
            // The page gave it back: nobody else would delete it.
            if (!slide->elements().contains(static_cast<IElement*>(line)))
                delete line;
        }
        break;
    }
    case FIGURE_ELLIPSE:
    case FIGURE_RECTANGLE: {
        auto* shape = static_cast<IClosedPathElement*>(element);
        shape->setRect(reverseRect(shape->rect()));
        break;
    }
    case FIGURE_CIRCLE: {
        auto* shape = static_cast<IClosedPathElement*>(element);
        shape->setRect(reverseRect(shape->rect()));
        clipCircleToPicture(shape);
        break;
    }
    default:
        break;
    }
}

void IFigurePathMode::clipCircleToPicture(IPathElement* circle)
{
    auto* shape = static_cast<IClosedPathElement*>(circle);
    const double t = shape->thickness();
    const QRectF grown = shape->rect().adjusted(-t, -t, t, t);
    const QRectF inside = grown.intersected(m_board->pixmapEleBoundingRect());
    const QRect visible(qRound(inside.x()), qRound(inside.y()), qRound(inside.width()),
                        qRound(inside.height()));
    const QRegion outside = shape->sourceRegion().subtracted(QRegion(visible, QRegion::Rectangle));
    if (outside.isEmpty())
        return;
    // Wholly outside the picture it stays on the page, just invisible.
    shape->addEraseRegion(outside);
    shape->update(QRectF());
}

void IFigurePathMode::switchOn()
{
    IMode::switchOn();
    const QString file = figureCursorFile(m_figureType);
    if (m_board && !file.isEmpty())
        m_board->setCursor(file);
}

void IFigurePathMode::switchOff()
{
    // Leaving mid-drag finishes the shape rather than leaving it half-made and pointed to.
    if (m_pressed)
        finishGesture();
    IMode::switchOff();
}
