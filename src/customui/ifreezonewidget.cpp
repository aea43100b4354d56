#include "customui/ifreezonewidget.h"

#include <QApplication>
#include <QDebug>
#include <QDesktopWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "customui/iwindowplace.h"
#include "iglobal.h"

namespace {
const QSize FALLBACK_SIZE(800, 600);
}

IFreeZoneWidget::IFreeZoneWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_MouseTracking);
    setAttribute(Qt::WA_TranslucentBackground);
    initData();
}

IFreeZoneWidget* IFreeZoneWidget::instance()
{
    static IFreeZoneWidget* widget = nullptr;
    if (!widget) {
        widget = new IFreeZoneWidget;
        // A widget must go before the application object, never at static destruction.
        if (QCoreApplication* app = QCoreApplication::instance())
            QObject::connect(app, &QCoreApplication::aboutToQuit, [] {
                delete widget;
                widget = nullptr;
            });
    }
    return widget;
}

void IFreeZoneWidget::initData()
{
    m_painterState = false;
    m_pressed = 0;
    m_controlType = 9;
    const Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint;
    if (QWidget* parent = parentWidget()) {
        setWindowFlags(flags);
        setGeometryx(QRect(QPoint(0, 0), parent->size()));
    } else {
        setWindowFlags(flags);
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        setGeometryx(screen ? screen->availableGeometry() : QRect(0, 0, 800, 600));
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    }
    setSelectSize(FALLBACK_SIZE);
    keepWindowWhereShown(this);
}

void IFreeZoneWidget::setFrameVisible(const bool&) {}

void IFreeZoneWidget::setGeometryx(const QRect& rect)
{
    m_areaSize = rect.size();
    setFixedSize(m_areaSize);
    move(rect.topLeft());
}

void IFreeZoneWidget::setGeometryx(const int& x, const int& y, const int& w, const int& h)
{
    setGeometryx(QRect(x, y, w, h));
}

void IFreeZoneWidget::setSelectMaxSize()
{
    setSelectSize(m_areaSize);
}

void IFreeZoneWidget::setSelectSize(const QSize& size)
{
    setSelectRect(QRect(width() / 2 - size.width() / 2, height() / 2 - size.height() / 2, size.width(),
                        size.height()));
}

void IFreeZoneWidget::setSelectRect(const QRect& rect)
{
    const QRect area(0, 0, width(), height());
    if (rect.isValid() && rect == rect.intersected(area)) {
        qDebug() << "--->" << rect;
        m_select = rect;
    } else {
        // The fallback is cut to the widget, so it always fits and the call ends here.
        const QSize size = FALLBACK_SIZE.boundedTo(area.size());
        m_select = QRect(width() / 2 - size.width() / 2, height() / 2 - size.height() / 2, size.width(),
                         size.height());
        qDebug() << "enter--->" << m_select;
    }
    update();
}

void IFreeZoneWidget::placeSelectRect(const QRect& rect)
{
    m_select = rect;
    update();
}

QRect IFreeZoneWidget::getSelectRect() const
{
    return m_select;
}

QRect IFreeZoneWidget::selectRect() const
{
    return m_select;
}

QRect IFreeZoneWidget::getGlobalSelectRect() const
{
    return QRect(mapToGlobal(m_select.topLeft()), m_select.size());
}

void IFreeZoneWidget::setPainterState(const bool& state)
{
    m_painterState = state;
    update();
}

int IFreeZoneWidget::minimumSide()
{
    return int(200 * IGSQUARERATE);
}

QRect IFreeZoneWidget::handleAround(int cx, int cy) const
{
    const int d = int(16 * IGSQUARERATE);
    return QRect(cx - d / 2, cy - d / 2, d, d);
}

QRect IFreeZoneWidget::topLeftRect() const { return handleAround(m_select.left(), m_select.top()); }
QRect IFreeZoneWidget::topCenterRect() const
{
    return handleAround((m_select.left() + m_select.right()) / 2, m_select.top());
}
QRect IFreeZoneWidget::topRightRect() const { return handleAround(m_select.right(), m_select.top()); }
QRect IFreeZoneWidget::bottomLeftRect() const { return handleAround(m_select.left(), m_select.bottom()); }
QRect IFreeZoneWidget::bottomCenterRect() const
{
    return handleAround((m_select.left() + m_select.right()) / 2, m_select.bottom());
}
QRect IFreeZoneWidget::bottomRightRect() const { return handleAround(m_select.right(), m_select.bottom()); }
QRect IFreeZoneWidget::centerLeftRect() const
{
    return handleAround(m_select.left(), (m_select.top() + m_select.bottom()) / 2);
}
QRect IFreeZoneWidget::centerRightRect() const
{
    return handleAround(m_select.right(), (m_select.top() + m_select.bottom()) / 2);
}

void IFreeZoneWidget::adjustTopLeft(const QPoint& d)
{
    int x1, y1, x2, y2;
    m_select.getCoords(&x1, &y1, &x2, &y2);
    const int m = minimumSide();
    const int nx = x1 + d.x();
    if (nx >= 0 && x2 - nx >= m)
        x1 = nx;
    const int ny = y1 + d.y();
    if (ny >= 0 && y2 - ny >= m)
        y1 = ny;
    m_select.setCoords(x1, y1, x2, y2);
}

void IFreeZoneWidget::adjustBottomRight(const QPoint& d)
{
    int x1, y1, x2, y2;
    m_select.getCoords(&x1, &y1, &x2, &y2);
    const int m = minimumSide();
    const int nx = x2 + d.x();
    if (nx < m_areaSize.width() && nx - x1 >= m)
        x2 = nx;
    const int ny = y2 + d.y();
    if (ny < m_areaSize.height() && ny - y1 >= m)
        y2 = ny;
    m_select.setCoords(x1, y1, x2, y2);
}

void IFreeZoneWidget::updateMoveRect(const QPoint& d)
{
    QRect moved = m_select;
    if (moved.left() + d.x() >= 0 && moved.right() + d.x() < m_areaSize.width())
        moved.translate(d.x(), 0);
    if (moved.top() + d.y() >= 0 && moved.bottom() + d.y() < m_areaSize.height())
        moved.translate(0, d.y());
    m_select = moved;
}

void IFreeZoneWidget::adjustControlType(const QPoint& pos)
{
    const QRect handles[] = {topLeftRect(),    topCenterRect(),    topRightRect(),   bottomLeftRect(),
                             bottomCenterRect(), bottomRightRect(), centerLeftRect(), centerRightRect()};
    for (int i = 0; i < 8; ++i) {
        if (handles[i].contains(pos)) {
            m_controlType = i;
            return;
        }
    }
    m_controlType = m_select.contains(pos) ? 8 : 9;
}

void IFreeZoneWidget::updateMouseCursor(const QPoint& pos)
{
    const struct {
        QRect rect;
        Qt::CursorShape shape;
    } order[] = {
        {topLeftRect(), Qt::SizeFDiagCursor},   {bottomRightRect(), Qt::SizeFDiagCursor},
        {topRightRect(), Qt::SizeBDiagCursor},  {bottomLeftRect(), Qt::SizeBDiagCursor},
        {topCenterRect(), Qt::SizeVerCursor},   {bottomCenterRect(), Qt::SizeVerCursor},
        {centerLeftRect(), Qt::SizeHorCursor},  {centerRightRect(), Qt::SizeHorCursor},
        {m_select, Qt::SizeAllCursor},
    };
    for (const auto& entry : order) {
        if (entry.rect.contains(pos)) {
            setCursor(entry.shape);
            return;
        }
    }
    setCursor(Qt::ArrowCursor);
}

void IFreeZoneWidget::drawControlRect(QPainter* painter)
{
    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::white);
    const QRect handles[] = {topLeftRect(),    topCenterRect(),    topRightRect(),   bottomLeftRect(),
                             bottomCenterRect(), bottomRightRect(), centerLeftRect(), centerRightRect()};
    for (const QRect& r : handles)
        painter->drawEllipse(r);
}

void IFreeZoneWidget::paintEvent(QPaintEvent*)
{
    if (!m_painterState)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::transparent);
    QPainterPath whole;
    whole.addRect(rect());
    QPainterPath inner;
    inner.addRect(m_select);
    painter.fillPath(whole.subtracted(inner), QColor(0, 0, 0, 100));
    painter.setPen(QPen(Qt::white, IGSQUARERATE, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(QColor(0, 0, 0, 1));
    painter.drawRect(m_select);
    drawControlRect(&painter);
}

void IFreeZoneWidget::mousePressEvent(QMouseEvent* event)
{
    if (m_painterState && event->button() == Qt::LeftButton) {
        m_pressPoint = event->pos();
        m_pressed = 1;
        adjustControlType(event->pos());
    }
    QWidget::mousePressEvent(event);
}

void IFreeZoneWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_painterState) {
        if (!m_pressed) {
            updateMouseCursor(event->pos());
        } else {
            const QPoint d = event->pos() - m_pressPoint;
            switch (m_controlType) {
            case 0: adjustTopLeft(d); break;
            case 1: adjustTopLeft(QPoint(0, d.y())); break;
            case 2:
                adjustTopLeft(QPoint(0, d.y()));
                adjustBottomRight(QPoint(d.x(), 0));
                break;
            case 3:
                adjustTopLeft(QPoint(d.x(), 0));
                adjustBottomRight(QPoint(0, d.y()));
                break;
            case 4: adjustBottomRight(QPoint(0, d.y())); break;
            case 5: adjustBottomRight(d); break;
            case 6: adjustTopLeft(QPoint(d.x(), 0)); break;
            case 7: adjustBottomRight(QPoint(d.x(), 0)); break;
            case 8: updateMoveRect(d); break;
            default: break;
            }
            m_pressPoint = event->pos();
            update();
        }
    }
    QWidget::mouseMoveEvent(event);
}

void IFreeZoneWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_painterState && event->button() == Qt::LeftButton) {
        m_pressed = 0;
        m_controlType = 9;
        setCursor(Qt::ArrowCursor);
    }
    QWidget::mouseReleaseEvent(event);
}

void IFreeZoneWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    QWidget::mouseDoubleClickEvent(event);
}
