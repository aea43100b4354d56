#include "customui/icaptureframe.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <cmath>

#include "customui/iboardtoolbar.h"
#include "customui/icameratoolbar.h"
#include "customui/imaintitlewidget.h"
#include "customui/ipanelframe.h"
#include "customui/irighttoolbar.h"
#include "iglobal.h"
#include "mainframe.h"

namespace {
const QSize FALLBACK_SIZE(800, 600);
}

ICaptureFrame::ICaptureFrame(IApplication* app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
{
    setAttribute(Qt::WA_MouseTracking);
    setAttribute(Qt::WA_TranslucentBackground);
    CreateUI();
    setWindowFlags(Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    if (parent)
        setGeometryx(parent->rect());
}

MainFrame* ICaptureFrame::mainFrame() const
{
    return IPanelPlacement::mainFrame(m_app);
}

void ICaptureFrame::setFrameVisible(const bool& visible)
{
    setBarsEnabled(!visible);
    setSelectRect(g_freecapture_rect);
    setVisible(visible);
    if (visible)
        raise();
}

void ICaptureFrame::setGeometryx(const QRect& rect)
{
    setFixedSize(rect.size());
    move(rect.topLeft());
    setSelectRect(m_select);
}

void ICaptureFrame::setGeometryx(const int& x, const int& y, const int& w, const int& h)
{
    setGeometryx(QRect(x, y, w, h));
}

void ICaptureFrame::setSelectRect(const QRect& rect)
{
    const QRect area(QPoint(0, 0), size());
    QRect chosen = rect;
    // A saved rectangle that no longer fits gives way to a centred one, cut to the frame.
    if (chosen.isEmpty() || !area.contains(chosen)) {
        chosen = QRect(QPoint(0, 0), FALLBACK_SIZE.boundedTo(area.size()));
        chosen.moveCenter(area.center());
    }
    m_select = chosen;
    placeButtons();
    update();
}

void ICaptureFrame::select()
{
    const int ratio = qMax(1, static_cast<int>(devicePixelRatioF()));
    const QRect device(m_select.x() * ratio, m_select.y() * ratio,
                       static_cast<int>(std::lround(m_select.width() * double(ratio))),
                       static_cast<int>(std::lround(m_select.height() * double(ratio))));
    g_freecapture_rect = device;
    setFrameVisible(false);
    if (MainFrame* frame = mainFrame())
        frame->captureImage(IMAGE_PLAIN);
}

void ICaptureFrame::setBarsEnabled(bool enabled)
{
    MainFrame* frame = mainFrame();
    if (!frame)
        return;
    const QList<QWidget*> bars = {frame->m_titleWidget, frame->m_boardToolBar, frame->m_rightToolBar,
                                  frame->m_cameraToolBar};
    for (QWidget* bar : bars) {
        if (bar)
            bar->setEnabled(enabled);
    }
}

void ICaptureFrame::CreateUI()
{
    auto make = [this](const QString& text) {
        auto* button = new QToolButton(this);
        button->setText(text);
        button->setCursor(Qt::ArrowCursor);
        button->setStyleSheet(QStringLiteral("QToolButton{color:white;background-color:rgb(40,40,40);"
                                             "border:none;border-radius:4px;padding:6px;}"
                                             "QToolButton:hover{color:orange;}"));
        button->adjustSize();
        return button;
    };
    m_closeButton = make(tr("Back"));
    m_selectButton = make(tr("Select"));
    connect(m_closeButton, &QToolButton::clicked, this, [this] { setFrameVisible(false); });
    connect(m_selectButton, &QToolButton::clicked, this, [this] { select(); });
}

void ICaptureFrame::placeButtons()
{
    if (!m_selectButton)
        return;
    const int gap = 2;
    int x = m_select.right() + 1 - m_selectButton->width() - m_closeButton->width() - gap * 2;
    if (x < 0)
        x = m_select.left() + gap;
    const int y = m_select.bottom() + 1 - m_selectButton->height() - gap;
    m_closeButton->move(x, y);
    m_selectButton->move(x + m_closeButton->width() + gap, y);
}

void ICaptureFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Dim everything outside the selection.
    QRegion outside(rect());
    outside -= QRegion(m_select);
    painter.setClipRegion(outside);
    painter.fillRect(rect(), QColor(0, 0, 0, 110));
    painter.setClipping(false);
    painter.setPen(QPen(QColor(51, 133, 255), 2));
    painter.drawRect(m_select.adjusted(1, 1, -1, -1));
}

void ICaptureFrame::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_select.contains(event->pos())) {
        m_dragging = true;
        m_anchor = event->pos();
        m_selectButton->hide();
        m_closeButton->hide();
    }
    QWidget::mousePressEvent(event);
}

void ICaptureFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging) {
        // Each axis moves alone and stops at the frame's edge.
        const QPoint d = event->pos() - m_anchor;
        QRect moved = m_select;
        if (moved.left() + d.x() >= 0 && moved.right() + d.x() < width())
            moved.translate(d.x(), 0);
        if (moved.top() + d.y() >= 0 && moved.bottom() + d.y() < height())
            moved.translate(0, d.y());
        m_anchor = event->pos();
        m_select = moved;
        update();
    }
    QWidget::mouseMoveEvent(event);
}

void ICaptureFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        placeButtons();
        m_selectButton->show();
        m_closeButton->show();
        }
    QWidget::mouseReleaseEvent(event);
}

void ICaptureFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeButtons();
}
