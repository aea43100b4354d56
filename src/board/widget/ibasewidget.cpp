#include "ibasewidget.h"

#include <QApplication>
#include <QDesktopWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include "customui/iwindowplace.h"
#include "iglobal.h"

int scaledUiPointSize(int size, int dpi, double factor)
{
    if (dpi <= 0)
        dpi = 96;
    const float ratio = float(96.0 / dpi);
    const int points = int(double(float(size) * ratio) * factor);
    return qMax(1, points);
}

QFont scaledUiFont(int size, int weight)
{
    int dpi = QApplication::desktop()->logicalDpiX();
    if (dpi <= 0)
        dpi = 96;
    QFont font(QStringLiteral("微软雅黑"), -1, weight, false);
    // In pixels, so that a screen scaled on its own scales the text too.
    font.setPixelSize(qMax(1, qRound(scaledUiPointSize(size, dpi, GSQUARERATE) * dpi / 72.0)));
    return font;
}

IBaseWidget::IBaseWidget(QWidget* parent)
    : QDialog(parent)
{
    IBaseWidget::InitData();
}

IBaseWidget::IBaseWidget(const QString& title, QWidget* parent)
    : QDialog(parent), m_titleTxt(title)
{
    IBaseWidget::InitData();
}

IBaseWidget::IBaseWidget(const QString& title, const bool& closeButton, QWidget* parent)
    : QDialog(parent), m_titleTxt(title), m_closeButton(closeButton)
{
    IBaseWidget::InitData();
}

void IBaseWidget::InitData()
{
    m_closePressed = false;
    m_dragging = false;
    m_moveIcon = false;
    m_movable = false;
    m_titleFontSize = 10;
    m_titlePos = Left;
    setAttribute(Qt::WA_TranslucentBackground);
    // With a parent the panel lives inside it as a child widget.
    if (parentWidget())
        setWindowFlags(Qt::FramelessWindowHint);
    else
        setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    keepWindowWhereShown(this);
}

void IBaseWidget::setTitle(const QString& text, const int& size, TitlePos pos)
{
    m_titleTxt = text;
    m_titleFontSize = size;
    m_titlePos = pos;
    update();
}

void IBaseWidget::setTitlePos(TitlePos pos) { setTitle(m_titleTxt, m_titleFontSize, pos); }
void IBaseWidget::setTitleTxt(const QString& text) { setTitle(text, m_titleFontSize, Left); }
void IBaseWidget::setTitleFontSize(const int& size) { setTitle(m_titleTxt, size, Left); }
void IBaseWidget::setMoveState(const bool& b) { m_movable = b; }

void IBaseWidget::setCloseButtonState(const bool& b)
{
    m_closeButton = b;
    update();
}

void IBaseWidget::setMoveIcon(const bool& b)
{
    m_moveIcon = b;
    update();
}

bool IBaseWidget::isMoveIcon() { return m_moveIcon; }

QRectF IBaseWidget::closeRect() const
{
    const int i = int(16 * GWIDTHRATE);
    return QRectF(width() - 10 * GSQUARERATE - i, (30 * GHEIGHTRATE - i) / 2, i, i);
}

void IBaseWidget::paintEvent(QPaintEvent*)
{
    const double s = GSQUARERATE;
    const double h = GHEIGHTRATE;
    const int w = width();
    const int ht = height();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::transparent);

    painter.setBrush(QColor(230, 230, 230));
    painter.drawRoundedRect(QRectF(0, 0, w, ht), 10 * s, 10 * s);
    painter.setBrush(QColor(250, 250, 250));
    painter.drawRoundedRect(QRectF(int(s), int(s), int(w - 2 * s), int(ht - 2 * s)), 10 * s, 10 * s);

    if (m_titleTxt.isEmpty())
        return;

    const QColor bar(197, 228, 249);
    painter.setPen(Qt::NoPen);
    painter.setBrush(bar);
    painter.drawRoundedRect(QRectF(int(s), int(s), int(w - 2 * s), int(30 * h)), 10 * s, 10 * s);
    // Square off the bar's lower corners.
    painter.fillRect(QRect(int(s), int(s + 15 * h), int(w - 2 * s), int(15 * h)), bar);

    int align = -1;
    switch (m_titlePos) {
    case Left: align = Qt::AlignLeft; break;
    case Center: align = Qt::AlignHCenter; break;
    case Right: align = Qt::AlignRight; break;
    }
    if (align != -1) {
        painter.setFont(scaledUiFont(m_titleFontSize, 75));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(10 * s, s, w - 20 * s, 30 * h), Qt::AlignVCenter | align, m_titleTxt);
    }

    if (m_closeButton) {
        QRectF r = closeRect();
        if (m_closePressed) {
            const int shift = int(r.width()) / 10;
            r.translate(shift, shift);
        }
        QSvgRenderer renderer(QStringLiteral(":/itemframe/redclose.svg"));
        renderer.render(&painter, r);
    }
}

void IBaseWidget::mousePressEvent(QMouseEvent* event)
{
    if (!m_titleTxt.isEmpty() && event->button() == Qt::LeftButton) {
        const QPoint p = event->localPos().toPoint();
        if (m_closeButton && !m_moveIcon && closeRect().contains(p)) {
            m_closePressed = true;
            update();
        }
        if (m_movable && p.y() <= 30 * GHEIGHTRATE) {
            m_dragging = true;
            m_anchor = p;
        }
    }
    QWidget::mousePressEvent(event);
}

void IBaseWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_titleTxt.isEmpty() && m_movable && m_dragging && !m_closePressed) {
        const QPoint p = event->localPos().toPoint();
        move(pos() + p - m_anchor);
        if (m_moveIcon)
            setMoveIcon(false);
    }
    QWidget::mouseMoveEvent(event);
}

void IBaseWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_titleTxt.isEmpty()) {
        if (m_closePressed) {
            if (closeRect().contains(event->localPos().toPoint()))
                close();
            m_closePressed = false;
            update();
        }
        m_dragging = false;
    }
    QWidget::mouseReleaseEvent(event);
}

void IBaseWidget::closeEvent(QCloseEvent* event)
{
    emit sgClose();
    QDialog::closeEvent(event);
}
