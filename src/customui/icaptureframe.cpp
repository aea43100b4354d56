#include "customui/icaptureframe.h"

#include <QHBoxLayout>
#include <QMouseEvent>

#include "customui/iboardtoolbar.h"
#include "customui/icameratoolbar.h"
#include "customui/iitoolbutton.h"
#include "customui/imaintitlewidget.h"
#include "customui/ipanelframe.h"
#include "customui/irighttoolbar.h"
#include "iglobal.h"
#include "mainframe.h"
#include "service/iconfigureservice.h"

ICaptureFrame::ICaptureFrame(IApplication* app, QWidget* parent)
    : IFreeZoneWidget(parent)
    , m_app(app)
{
    CreateUI();
    setWindowFlags(Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
}

MainFrame* ICaptureFrame::mainFrame() const
{
    return IPanelPlacement::mainFrame(m_app);
}

QWidget* ICaptureFrame::CreateButton(QVariant id, const QString& text, const QString& first, const QString& second,
                                     int radius, bool checkable, QSize size, QWidget* parent)
{
    auto* button = new IIToolButton(id, text, first, second, radius, checkable, size, 8, parent);
    button->setCursor(Qt::ArrowCursor);
    connect(button, &IIToolButton::sgButtonClick, this, &ICaptureFrame::onButtonClick, Qt::DirectConnection);
    return button;
}

void ICaptureFrame::CreateUI()
{
    m_buttonBar = new QWidget(this);
    auto* layout = new QHBoxLayout(m_buttonBar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CreateButton(0, tr("Back"), QStringLiteral(":/title/title/tcloseclick.svg"),
                                   QStringLiteral(":/title/title/tclosenormal.svg"), 20, false, QSize(40, 40),
                                   m_buttonBar));
    layout->addWidget(CreateButton(1, tr("Select"), QStringLiteral(":/root/root/rdnormal.svg"),
                                   QStringLiteral(":/root/root/rdclick.svg"), 20, false, QSize(40, 40), m_buttonBar));
    m_buttonBar->adjustSize();
}

void ICaptureFrame::setFrameVisible(const bool& visible)
{
    if (MainFrame* frame = mainFrame()) {
        const QList<QWidget*> bars = {frame->m_titleWidget, frame->m_boardToolBar, frame->m_rightToolBar,
                                      frame->m_cameraToolBar};
        for (QWidget* bar : bars) {
            if (bar)
                bar->setEnabled(!visible);
        }
    }
    if (g_freecapture_rect.isNull())
        setSelectSize(QSize(800, 600));
    else
        setSelectRect(g_freecapture_rect);
    setVisible(visible);
    if (visible)
        raise();
    setButtonsVisible(visible);
}

void ICaptureFrame::setButtonsVisible(const bool& visible)
{
    if (visible) {
        setPainterState(true);
        const QRect select = getSelectRect();
        int x = select.right() - m_buttonBar->width() - 2;
        if (x < 0)
            x = select.left() + 2;
        m_buttonBar->move(x, select.bottom() - m_buttonBar->height() - 2);
        m_buttonBar->raise();
    }
    m_buttonBar->setVisible(visible);
}

void ICaptureFrame::onButtonClick(bool, QVariant id)
{
    switch (id.toInt()) {
    case 1: {
        // Frame coordinates, as the snapshot maps them back through this frame; a
        // device-pixel copy would be shifted and doubled on a high-density screen.
        const QRect select = parentWidget() ? getSelectRect() : getGlobalSelectRect();
        IConfigureService::instance()->setFreeCaptureRect(select);
        setFrameVisible(false);
        if (MainFrame* frame = mainFrame())
            frame->captureImage(IMAGE_PLAIN);
        break;
    }
    case 0: setFrameVisible(false); break;
    default: break;
    }
}

void ICaptureFrame::mousePressEvent(QMouseEvent* event)
{
    IFreeZoneWidget::mousePressEvent(event);
    if (painterState() && event->button() == Qt::LeftButton && controlType() != 9)
        m_buttonBar->setVisible(false);
}

void ICaptureFrame::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dragged = painterState() && event->button() == Qt::LeftButton && controlType() != 9;
    IFreeZoneWidget::mouseReleaseEvent(event);
    if (dragged)
        setButtonsVisible(true);
}
