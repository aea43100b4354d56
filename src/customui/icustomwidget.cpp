#include "icustomwidget.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "iglobal.h"
#include "iuihelper.h"
#include "iwindowplace.h"

ICustomWidget::ICustomWidget(QWidget* parent)
    : QDialog(parent)
{
    init();
}

ICustomWidget::ICustomWidget(const QString& title, const bool& closeButton, QWidget* parent)
    : QDialog(parent), m_title(title)
{
    init();
    if (closeButton) {
        m_closeButton = new QToolButton(this);
        m_closeButton->setObjectName(QStringLiteral("closeButton"));
        m_closeButton->setCursor(Qt::PointingHandCursor);
        m_closeButton->setStyleSheet(QStringLiteral(
            "QToolButton{border:none;background-color:transparent;image:url(:/title/title/tclosenormal.svg);}"
            "QToolButton:pressed{image:url(:/title/title/tcloseclick.svg);}"));
        connect(m_closeButton, &QToolButton::clicked, this, &QWidget::close);
        placeCloseButton();
    }
    // Keep a subclass's layout below the title strip.
    if (!m_title.isEmpty() || m_closeButton)
        setContentsMargins(0, titleHeight(), 0, 0);
}

void ICustomWidget::init()
{
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);
    keepWindowWhereShown(this);
}

int ICustomWidget::titleHeight()
{
    return int(30 * IGHEIGHTRATE);
}

void ICustomWidget::setMoveState(const bool& b)
{
    m_movable = b;
    if (!b)
        m_dragging = false;
}

void ICustomWidget::setBackgroundLinearGradient(const bool& b)
{
    m_gradient = b;
    update();
}

void ICustomWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const qreal radius = 8 * IGSQUARERATE;
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), radius, radius);
    if (m_gradient) {
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0.0, QColor(80, 80, 80));
        gradient.setColorAt(1.0, QColor(40, 40, 40));
        painter.fillPath(shape, gradient);
    } else {
        painter.fillPath(shape, QColor(50, 50, 50));
    }

    if (!m_title.isEmpty()) {
        const int strip = titleHeight();
        const int margin = int(10 * IGSQUARERATE);
        int right = width() - margin;
        if (m_closeButton)
            right = m_closeButton->x() - margin;
        painter.setPen(Qt::white);
        painter.setFont(createFont(12, 75));
        painter.drawText(QRect(margin, 0, qMax(0, right - margin), strip), Qt::AlignVCenter | Qt::AlignLeft,
                         m_title);
    }
}

void ICustomWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_movable && event->button() == Qt::LeftButton && event->pos().y() <= 30 * IGHEIGHTRATE) {
        m_dragging = true;
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void ICustomWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && m_movable && (event->buttons() & Qt::LeftButton))
        move(event->globalPos() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void ICustomWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

void ICustomWidget::closeEvent(QCloseEvent* event)
{
    emit sgClose();
    QDialog::closeEvent(event);
}

void ICustomWidget::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placeCloseButton();
}

void ICustomWidget::placeCloseButton()
{
    if (!m_closeButton)
        return;
    const int side = int(20 * IGSQUARERATE);
    m_closeButton->setFixedSize(side, side);
    m_closeButton->move(width() - side - int(5 * IGSQUARERATE), (titleHeight() - side) / 2);
    m_closeButton->raise();
}
