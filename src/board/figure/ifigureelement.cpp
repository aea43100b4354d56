#include "board/figure/ifigureelement.h"

#include <QLinearGradient>
#include <QPainter>

using namespace TX_IBOARD_ENUM;

namespace {

Qt::PenStyle penStyleFor(int style)
{
    switch (style) {
    case IFigureElement::DashLine:
        return Qt::DashLine;
    case IFigureElement::DotLine:
        return Qt::DotLine;
    case IFigureElement::DashDotLine:
        return Qt::DashDotLine;
    case IFigureElement::DashDotDotLine:
        return Qt::DashDotDotLine;
    default:
        return Qt::SolidLine;
    }
}

QColor colorFrom(const QVariant& value)
{
    if (value.userType() == QMetaType::QColor)
        return value.value<QColor>();
    return QColor(value.toString());
}

} // namespace

IFigureElement::IFigureElement(QGraphicsItem* parent) : IStackedElement(parent)
{
}

bool IFigureElement::isSolidType(int figureType)
{
    switch (figureType) {
    case FIGURE_CUBE: case FIGURE_CONE: case FIGURE_CYLINDER: case FIGURE_DIHEDRAL:
    case FIGURE_HEMISPHERE: case FIGURE_TRIANGULAR_PYRAMID: case FIGURE_BALL:
        return true;
    default:
        return false;
    }
}

void IFigureElement::initialize()
{
    setBrush(QBrush(QColor(Qt::transparent)));
    QPen p(QColor(Qt::black), 2.0);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    changePen(p);
}

void IFigureElement::changePen(const QPen& p)
{
    setPen(p);
    penChanged();
}

void IFigureElement::setLineStyle(int style)
{
    QPen p = pen();
    p.setStyle(penStyleFor(style));
    changePen(p);
}

void IFigureElement::setForeground(const QColor& color)
{
    QPen p = pen();
    p.setColor(color);
    changePen(p);
}

void IFigureElement::setBackground(const QColor& color)
{
    m_background = isSolidType(m_figureType) ? QColor(255, 255, 255, 0) : color;
    m_fillMode = FillBackground;
    setBrush(QBrush(m_background));
}

void IFigureElement::setGradientBackground(const QColor& start, const QColor& end,
                                           Qt::BrushStyle style)
{
    m_gradientStart = start;
    m_gradientEnd = end;
    m_gradientStyle = style;
    m_fillMode = FillGradient;
}

void IFigureElement::setThicness(double width)
{
    prepareGeometryChange();
    QPen p = pen();
    p.setWidthF(width > 1.0 ? width : 2.0);
    changePen(p);
}

void IFigureElement::setFigureOpacity(double alpha)
{
    QPen p = pen();
    QColor c = p.color();
    c.setAlphaF(alpha);
    p.setColor(c);
    QBrush b = brush();
    QColor fill = b.color();
    fill.setAlphaF(alpha);
    b.setColor(fill);
    setBrush(b);
    changePen(p);
}

QRectF IFigureElement::adjustBoundingRect(const QRectF& r) const
{
    const int half = pen().width() / 2;
    return r.adjusted(-half, -half, half, half);
}

QPainterPath IFigureElement::rectShape() const
{
    QPainterPath p;
    p.addRect(boundingRect());
    return p;
}

void IFigureElement::setStyle(QPainter* painter) const
{
    if (m_fillMode == FillGradient) {
        const QRectF r = boundingRect();
        QPointF s, e;
        bool known = true;
        switch (m_gradientStyle) {
        case Qt::HorPattern:
            s = QPointF(int(r.x()), int(r.y() + r.height() * 0.5));
            e = QPointF(int(r.x() + r.width()), int(r.y() + r.height() * 0.5));
            break;
        case Qt::VerPattern:
            s = QPointF(int(r.x() + r.width() * 0.5), int(r.y()));
            e = QPointF(int(r.x() + r.width() * 0.5), int(r.y() + r.height()));
            break;
        case Qt::BDiagPattern:
            s = QPointF(r.x() + r.width(), r.y());
            e = QPointF(r.x(), r.y() + r.height());
            break;
        case Qt::FDiagPattern:
            s = r.topLeft();
            e = r.topLeft() + QPointF(r.width(), r.height());
            break;
        default:
            known = false;
            break;
        }
        if (known) {
            QLinearGradient g(s, e);
            g.setColorAt(0.0, m_gradientStart);
            g.setColorAt(1.0, m_gradientEnd);
            painter->setBrush(QBrush(g));
        }
    } else if (m_fillMode == FillBackground) {
        painter->setBrush(m_background.alpha() != 0 ? QBrush(m_background, Qt::SolidPattern)
                                                    : QBrush());
    }
    painter->setPen(pen());
}

QVariant IFigureElement::getElementProperty(ElementStype key) const
{
    switch (key) {
    case ELEMENT_TYPE:
        return type();
    case ELEMENT_ID:
        return getId();
    case ELEMENT_FIGURE_TYPE:
        return m_figureType;
    case ELEMENT_LINE_COLOR:
        return pen().color().name();
    case ELEMENT_LINE_OPACITY:
        return pen().color().alphaF();
    case ELEMENT_FILL_COLOR:
        return m_background.name();
    case ELEMENT_FILL_OPACITY:
        return m_background.alphaF();
    case ELEMENT_LINE_THICKNESS:
        return pen().widthF();
    case ELEMENT_LINE_STYLE:
        return int(pen().style());
    case ELEMENT_LOCKED:
        return isLocked();
    case ELEMENT_LAYER:
        return getLayer();
    case ELEMENT_MATRIX:
        return matrixToString(sceneMatrix());
    case ELEMENT_X:
        return pos().x();
    case ELEMENT_Y:
        return pos().y();
    default:
        return IElement::getElementProperty(key);
    }
}

void IFigureElement::setElementProperty(ElementStype key, const QVariant& value)
{
    switch (key) {
    case ELEMENT_ID:
        setId(value.toString());
        break;
    case ELEMENT_LINE_COLOR:
        setForeground(colorFrom(value));
        break;
    case ELEMENT_FILL_COLOR:
        setBackground(colorFrom(value));
        break;
    case ELEMENT_LINE_THICKNESS:
        setThicness(value.toDouble());
        break;
    case ELEMENT_LINE_STYLE:
        setLineStyle(value.toInt());
        break;
    case ELEMENT_LOCKED:
        setLocked(value.toBool());
        break;
    case ELEMENT_LAYER:
        setLayer(value.toDouble());
        break;
    case ELEMENT_MATRIX:
        setMatrix(stringToMatrix(value.toString()), false);
        break;
    case ELEMENT_X:
        setPos(value.toDouble(), pos().y());
        break;
    case ELEMENT_Y:
        setPos(pos().x(), value.toDouble());
        break;
    case ELEMENT_TAG:
    case ELEMENT_TAG_DATA:
        IElement::setElementProperty(key, value);
        break;
    default:
        break;
    }
    update();
}

void IFigureElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<IFigureElement*>(target);
    if (!other)
        return;
    IAbstractGraphicsShapeElement::copyItemParameters(target);
    other->setLineStyle(pen().style());
    other->setBackground(m_background);
    other->setForeground(pen().color());
    other->setThicness(pen().widthF());
    other->m_fillMode = m_fillMode;
    other->m_gradientStart = m_gradientStart;
    other->m_gradientEnd = m_gradientEnd;
    other->m_gradientStyle = m_gradientStyle;
}
