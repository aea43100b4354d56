#include "board/widget/itoolbutton.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

#include "board/widget/ibasewidget.h"
#include "iglobal.h"

namespace {

const QColor kAccent(197, 228, 249);
const QColor kPlate(250, 250, 250);
// The wheel's five slices of 72 degrees, counter-clockwise from three o'clock.
const Qt::GlobalColor kWheel[5] = {Qt::red, Qt::blue, Qt::yellow, Qt::magenta, Qt::green};

QSize scaled(const QSize& size)
{
    return QSize(int(size.width() * GSQUARERATE), int(size.height() * GSQUARERATE));
}

} // namespace

IToolButton::IToolButton(QVariant id, const QString& svg, RadiusType radius, QSize size, QWidget* parent)
    : QToolButton(parent), m_size(size), m_svg(svg), m_id(id), m_radius(radius)
{
    CreateUI();
}

IToolButton::IToolButton(const QString& text, RadiusType radius, QSize size, QWidget* parent)
    : QToolButton(parent), m_size(size), m_text(text), m_radius(radius)
{
    CreateUI();
}

IToolButton::IToolButton(const QString& svg, const QString& selectedSvg, QVariant id, RadiusType radius,
                         QSize size, QWidget* parent)
    : QToolButton(parent), m_size(size), m_svg(svg), m_selectedSvg(selectedSvg), m_id(id), m_radius(radius)
{
    CreateUI();
}

IToolButton::IToolButton(QVariant id, const QString& text, const QString& svg, RadiusType radius, QSize size,
                         QWidget* parent)
    : QToolButton(parent), m_size(size), m_text(text), m_svg(svg), m_id(id), m_radius(radius)
{
    CreateUI();
}

IToolButton::IToolButton(QVariant id, const QString& text, const QString& svg, const QString& selectedSvg,
                         QSize size, QWidget* parent)
    : QToolButton(parent), m_size(size), m_text(text), m_svg(svg), m_selectedSvg(selectedSvg), m_id(id)
{
    CreateUI();
}

IToolButton::IToolButton(QVariant id, const QString& text, const QString& svg, const QString& selectedSvg,
                         RadiusType radius, QSize size, QWidget* parent)
    : QToolButton(parent), m_size(size), m_text(text), m_svg(svg), m_selectedSvg(selectedSvg), m_id(id),
      m_radius(radius)
{
    CreateUI();
}

QString IToolButton::RadiusTypeQss(RadiusType type)
{
    QString pattern;
    switch (type) {
    case AllRadius:
        pattern = QStringLiteral("border-top-left-radius:%1px;border-bottom-left-radius:%1;"
                                 "border-top-right-radius:%1px;border-bottom-right-radius:%1");
        break;
    case LeftRadius:
        pattern = QStringLiteral("border-top-left-radius:%1px;border-bottom-left-radius:%1");
        break;
    case RightRadius:
        pattern = QStringLiteral("border-top-right-radius:%1px;border-bottom-right-radius:%1");
        break;
    case TopRadius:
        pattern = QStringLiteral("border-top-left-radius:%1px;border-top-right-radius:%1");
        break;
    case BottomRadius:
        pattern = QStringLiteral("border-bottom-left-radius:%1px;border-bottom-right-radius:%1");
        break;
    case TopLeftRadius:
        pattern = QStringLiteral("border-top-left-radius:%1px;");
        break;
    case TopRightRadius:
        pattern = QStringLiteral("border-top-right-radius:%1px;");
        break;
    case BottomLeftRadius:
        pattern = QStringLiteral("border-bottom-left-radius:%1px;");
        break;
    case BottomRightRadius:
        pattern = QStringLiteral("border-bottom-right-radius:%1px;");
        break;
    default:
        return QString();
    }
    return pattern.arg(10 * GSQUARERATE);
}

void IToolButton::CreateUI()
{
    m_size = scaled(m_size);
    const QString corners = RadiusTypeQss(m_radius);
    if (m_text.isEmpty()) {
        if (m_selectedSvg.isEmpty()) {
            setStyleSheet(QStringLiteral("QToolButton{border:none;background-color:transparent;%1}").arg(corners));
        } else {
            setCheckable(true);
            setStyleSheet(QStringLiteral("QToolButton{border:none;background-color:transparent;%2}"
                                         "QToolButton:checked{border:none;background-color:%1;}")
                              .arg(kAccent.name(), corners));
        }
        setIcon(QIcon(m_svg));
        setIconSize(m_size);
        setFixedSize(m_size);
    } else {
        setText(m_text);
        setFont(scaledUiFont(8, 50));
        if (!m_svg.isEmpty()) {
            setIcon(QIcon(m_svg));
            setIconSize(QSize(m_size.width(), (m_size.height() / 10) * 6));
            setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            if (m_selectedSvg.isEmpty()) {
                setStyleSheet(QStringLiteral("QToolButton{border:none;color:%1;background-color:rgb(250,250,250);%2}")
                                  .arg(QColor(Qt::black).name(), corners));
            } else {
                setCheckable(true);
                setStyleSheet(QStringLiteral("QToolButton{border:none;color:%1;background-color:rgb(250,250,250);%4}"
                                             "QToolButton:checked{border:none;color:%2;background-color:%3;}")
                                  .arg(QColor(Qt::black).name(), QColor(Qt::black).name(), kAccent.name(),
                                       corners));
            }
            setFixedSize(m_size);
        } else {
            setStyleSheet(QStringLiteral("QToolButton{border:none;color:%1;background-color:%2;%3}"
                                         "QToolButton::hover{background-color:%4;}")
                              .arg(QColor(Qt::black).name(), kPlate.name(), corners, kAccent.name()));
            if (m_size.width() == 0) {
                setFixedHeight(m_size.height());
                setSizePolicy(QSizePolicy::Expanding, sizePolicy().verticalPolicy());
            } else if (m_size.height() == 0) {
                setFixedWidth(m_size.width());
                setSizePolicy(sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
            } else {
                setFixedSize(m_size);
            }
        }
    }
    connect(this, &QToolButton::clicked, this, &IToolButton::onClicked);
}

void IToolButton::onClicked(bool checked)
{
    if (!checked && !m_selectedSvg.isEmpty()) {
        // A selection button stays selected; only its owner clears it.
        setChecked(true);
        m_selected = true;
    } else {
        m_selected = checked;
        setIcon(QIcon(!m_selectedSvg.isEmpty() && checked ? m_selectedSvg : m_svg));
    }
    emit sgButtonClick(m_selected, m_id);
}

void IToolButton::setSelectState(const bool& b)
{
    m_selected = b;
    setChecked(b);
    setIcon(QIcon(b ? m_selectedSvg : m_svg));
}

void IToolButton::setButtonSize(const QSize& size)
{
    m_size = size;
    setFixedSize(size);
    setIconSize(QSize(size.width(), size.height() / 2));
}

void IToolButton::setButtonTxt(const QString& text)
{
    m_text = text;
    setText(text);
}

void IToolButton::setButtonBgSvg(const QString& svg)
{
    m_svg = svg;
    if (!isChecked())
        setIcon(QIcon(svg));
}

void IToolButton::setButtonSelcSvg(const QString& svg)
{
    m_selectedSvg = svg;
    if (isChecked())
        setIcon(QIcon(svg));
}

void IToolButton::setTextVisible(const bool& b)
{
    if (m_text.isEmpty())
        return;
    m_textVisible = b;
    setToolButtonStyle(b ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

IColorButton::IColorButton(QVariant id, const QColor& color, const bool& checkable, const QSize& size,
                           QWidget* parent)
    : QToolButton(parent), m_size(size), m_color(color), m_checkable(checkable), m_id(id)
{
    CreateUI();
}

void IColorButton::CreateUI()
{
    setAttribute(Qt::WA_TranslucentBackground);
    m_size = scaled(m_size);
    setFixedSize(m_size);
    if (m_checkable)
        setCheckable(true);
    connect(this, &QToolButton::clicked, this, &IColorButton::onClicked);
}

void IColorButton::onClicked(bool checked)
{
    if (!checked && m_selected) {
        // Clicking a selected swatch keeps it selected and reports it as such.
        if (m_checkable)
            setChecked(true);
    } else {
        m_selected = checked;
        update();
    }
    emit sgButtonClick(m_selected, m_id);
}

void IColorButton::setSelectState(const bool& b)
{
    m_selected = b;
    setChecked(b);
    update();
}

void IColorButton::setButtonSize(const QSize& size)
{
    m_size = size;
    setFixedSize(size);
}

void IColorButton::setButtonColor(const QColor& color)
{
    m_color = color;
    update();
}

void IColorButton::gradientSector(QPainter* painter, int r, int start, int sweep, int, QColor color)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.arcTo(QRectF(-r, -r, 2 * r, 2 * r), start, sweep);
    painter->setBrush(QBrush(color));
    painter->drawPath(path);
}

void IColorButton::gradientArc(QPainter* painter, int r, int start, int sweep, int width, QColor color)
{
    QPainterPath slice;
    slice.moveTo(0, 0);
    slice.arcTo(QRectF(-r, -r, 2 * r, 2 * r), start, sweep);
    QPainterPath inner;
    inner.addEllipse(QRectF(-r + width, -r + width, 2 * r - 2 * width, 2 * r - 2 * width));
    painter->setBrush(QBrush(color));
    painter->drawPath(slice.subtracted(inner));
}

void IColorButton::drawWheel(QPainter* painter, int r)
{
    for (int i = 0; i < 5; ++i)
        gradientSector(painter, r, i * 72, 72, 0, kWheel[i]);
}

void IColorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const int b = int(2 * GSQUARERATE);
    const int w = width();
    const int h = height();
    const int r = w / 2;
    const bool wheel = m_color == QColor(Qt::transparent);

    if (!m_checkable) {
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRect(0, 0, w, h));
    }
    if (wheel) {
        painter.save();
        painter.translate(w / 2, h / 2);
        drawWheel(&painter, m_checkable ? r - 2 * b : r - b);
        if (m_checkable && m_selected) {
            for (int i = 0; i < 5; ++i)
                gradientArc(&painter, r, i * 72, 72, b, kWheel[i]);
        }
        painter.restore();
        return;
    }
    painter.setBrush(m_color);
    if (m_checkable) {
        painter.drawEllipse(QRect(2 * b, 2 * b, w - 4 * b, h - 4 * b));
        if (m_selected) {
            painter.translate(w / 2, h / 2);
            gradientArc(&painter, r, 0, 360, b, m_color);
        }
    } else {
        painter.drawEllipse(QRect(b, b, w - 2 * b, h - 2 * b));
    }
}
