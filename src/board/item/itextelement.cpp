#include "board/item/itextelement.h"

#include <cmath>

#include <QApplication>
#include <QDebug>
#include <QDesktopWidget>
#include <QFontMetrics>
#include <QTextDocument>

using namespace TX_IBOARD_ENUM;

namespace {

// The desktop's horizontal resolution, read on each call: sizes are written in points.
double desktopDpiX()
{
    QWidget* screen = QApplication::desktop() ? QApplication::desktop()->screen(-1) : nullptr;
    const int dpi = screen ? screen->logicalDpiX() : 96;
    return dpi > 0 ? dpi : 96;
}

// The four comma fields of a font or geometry text, or nothing for any other shape.
QStringList fourFields(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','), Qt::KeepEmptyParts);
    return parts.size() == 4 ? parts : QStringList();
}

QString numberText(double v)
{
    return QString::number(v, 'g', 16);
}

} // namespace

ITextElement::ITextElement(QGraphicsItem* parent) : IStackedElement(parent)
{
    init();
}

ITextElement::ITextElement(const QString& text, QGraphicsItem* parent)
    : IStackedElement(text, parent)
{
    init();
}

void ITextElement::init()
{
    m_storedFont = font();
    m_placeholderShown = false;
    setFlag(ItemIsSelectable, true);
    setAcceptedMouseButtons(Qt::LeftButton);
    m_placeholderText.clear();
    m_placeholderHtml.clear();
    setId(createUuidString());
    setLocked(false);
    setLayer(DefaultLayer);
    m_selectedTextColor = QColor(Qt::black);
    m_backgroundColor = QColor(255, 255, 255, 0);
    m_alignment = Qt::AlignLeft;
}

QVariant ITextElement::getElementProperty(ElementStype key) const
{
    switch (key) {
    case ELEMENT_TYPE:
        return type();
    case ELEMENT_ID:
        return getId();
    case ELEMENT_LOCKED:
        return isLocked();
    case ELEMENT_LAYER:
        return getLayer();
    case ELEMENT_MATRIX:
        return matrixToString(getCurrentMatrix());
    case ELEMENT_X:
        return pos().x();
    case ELEMENT_Y:
        return pos().y();
    case ELEMENT_HTML:
        return toHtml();
    case ELEMENT_PLACEHOLDER:
        return m_placeholderShown;
    case ELEMENT_FONT: {
        const QFont f = font();
        return QStringLiteral("%1,%2,%3,%4")
            .arg(f.family())
            .arg(f.pointSize())
            .arg(f.weight())
            .arg(f.style() != QFont::StyleNormal ? 1 : 0);
    }
    case ELEMENT_GEOMETRY: {
        const double dpi = desktopDpiX();
        const QSizeF s = size();
        return QStringLiteral("%1,%2,%3,%4")
            .arg(numberText(textWidth() * 72.0 / dpi), numberText(m_textHeight),
                 numberText(s.width() * 72.0 / dpi), numberText(s.height() * 72.0 / dpi));
    }
    case ELEMENT_FILE_PATH:
    case ELEMENT_FILE_ID:
    case ELEMENT_TAG:
    case ELEMENT_TAG_DATA:
        return IElement::getElementProperty(key);
    default:
        return QVariant();
    }
}

void ITextElement::setElementProperty(ElementStype key, const QVariant& value)
{
    switch (key) {
    case ELEMENT_ID:
        setId(value.toString());
        break;
    case ELEMENT_LOCKED:
        setLocked(value.toBool());
        break;
    case ELEMENT_LAYER:
        setLayer(value.toDouble());
        setZValue(value.toDouble());
        break;
    case ELEMENT_MATRIX: {
        // A matrix that cannot be inverted would make the item vanish for good.
        const QMatrix m = stringToMatrix(value.toString());
        if (m.isInvertible())
            setMatrix(m, false);
        break;
    }
    case ELEMENT_X: {
        const QMatrix m = matrix();
        const double v = value.toDouble();
        if (m.dx() == 0.0 && std::fabs(v - m.dx()) > 1.0)
            setPos(v, pos().y());
        break;
    }
    case ELEMENT_Y: {
        const QMatrix m = matrix();
        const double v = value.toDouble();
        if (std::fabs(v - m.dy()) > 1.0 && m.dx() == 0.0)
            setPos(pos().x(), v);
        break;
    }
    case ELEMENT_PLACEHOLDER:
        m_placeholderShown = value.toBool();
        break;
    case ELEMENT_FONT:
        setFontFromText(value.toString());
        break;
    case ELEMENT_GEOMETRY:
        setGeometryFromText(value.toString());
        break;
    case ELEMENT_TAG:
    case ELEMENT_TAG_DATA:
        IElement::setElementProperty(key, value);
        break;
    default:
        break;
    }
}

// "family,points,weight,italic"; anything else is ignored.
void ITextElement::setFontFromText(const QString& text)
{
    const QStringList parts = fourFields(text);
    if (parts.isEmpty() || parts.at(0).isEmpty())
        return;
    bool okSize = false;
    bool okWeight = false;
    bool okItalic = false;
    const int points = parts.at(1).toInt(&okSize);
    const int weight = parts.at(2).toInt(&okWeight);
    const int italic = parts.at(3).toInt(&okItalic);
    if (!okSize || !okWeight || !okItalic || points <= 0 || weight < 0 || weight > 99)
        return;
    setFont(QFont(parts.at(0), points, weight, italic != 0));
    m_storedFont = font();
}

// "width pt,height px,scene width pt,scene height pt"; -1 leaves a value; the last two are
// not applied. Anything but four numbers is ignored.
void ITextElement::setGeometryFromText(const QString& text)
{
    const QStringList parts = fourFields(text);
    if (parts.isEmpty())
        return;
    double v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return;
    }
    if (v[0] != -1.0)
        setTextWidth(v[0] * desktopDpiX() / 72.0);
    if (v[1] != -1.0)
        setTextHeight(v[1]);
}

void ITextElement::setTextWidth(double width)
{
    const QFontMetrics metrics(font());
    double w = width > metrics.height() ? width : metrics.height();
    if (toPlainText().isEmpty())
        w = qMax(w, double(metrics.horizontalAdvance(m_placeholderText) + 20));
    QGraphicsTextItem::setTextWidth(w);
}

void ITextElement::setTextHeight(double height)
{
    prepareGeometryChange();
    const double least = QFontMetrics(font()).height() + 2 * document()->documentMargin();
    m_textHeight = height > least ? height : least;
}

QRectF ITextElement::boundingRect() const
{
    if (m_textHeight > 0)
        return QRectF(0, 0, textWidth(), m_textHeight);
    return QGraphicsTextItem::boundingRect();
}

QSizeF ITextElement::size() const
{
    return sceneBoundingRect().size();
}

void ITextElement::resize(double width, double)
{
    const QRectF r = sceneBoundingRect();
    if (r.width() == width || r.width() <= 0.0)
        return;
    const double tw = textWidth();
    setTextWidth(tw * (width - r.width()) / r.width() + tw);
}

void ITextElement::resizeFit(double width, double height)
{
    const QRectF r = sceneBoundingRect();
    qDebug() << "current textWidth,brWidth,brHeight:" << textWidth() << r.width() << r.height();
    qDebug() << "new item width,height" << width << height;
}

void ITextElement::setInitialScale(double sx, double sy)
{
    const QMatrix s = QMatrix().scale(sx, sy);
    m_initialMatrix = s;
    setMatrix(s * matrix(), false);
}

QMatrix ITextElement::getCurrentMatrix() const
{
    bool invertible = false;
    const QMatrix inverse = m_initialMatrix.inverted(&invertible);
    return invertible ? inverse * sceneMatrix() : sceneMatrix();
}

IElement* ITextElement::deepCopy() const
{
    auto* copy = new ITextElement(nullptr);
    copyItemParameters(copy);
    return copy;
}

void ITextElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<ITextElement*>(target);
    if (!other)
        return;
    IAbstractGraphicsTextElement::copyItemParameters(other);
    other->setPlainText(toPlainText());
    other->m_placeholderShown = m_placeholderShown;
    other->setFont(font());
    other->m_storedFont = font();
    other->setDefaultTextColor(defaultTextColor());
    if (textWidth() != -1.0)
        other->setTextWidth(textWidth());
    if (m_textHeight != -1.0)
        other->setTextHeight(m_textHeight);
    const QSizeF s = size();
    other->resize(s.width(), s.height());
    other->m_backgroundColor = QColor(255, 255, 255, 0);
}
