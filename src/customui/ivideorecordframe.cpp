#include "customui/ivideorecordframe.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

#include "customui/icameratoolbar.h"
#include "customui/ipanelframe.h"

IVideoRecordFrame::IVideoRecordFrame(IApplication* app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
{
    setAttribute(Qt::WA_TranslucentBackground);
    CreateUI();
    setWindowFlags(Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
}

ICameraToolBar* IVideoRecordFrame::cameraToolBar() const
{
    return IPanelPlacement::cameraToolBar(m_app);
}

void IVideoRecordFrame::setFrameVisible(const bool& visible)
{
    if (visible && parentWidget())
        setGeometry(parentWidget()->rect());
    setVisible(visible);
    if (visible) {
        raise();
    } else if (ICameraToolBar* bar = cameraToolBar()) {
        bar->setButtonEnable(ICameraToolBar::VideoRecording, true);
    }
}

void IVideoRecordFrame::stopVideoRecord()
{
    setFrameVisible(false);
}

void IVideoRecordFrame::CreateUI()
{
    auto* close = new QToolButton(this);
    close->setText(tr("Close"));
    close->setCursor(Qt::ArrowCursor);
    close->setStyleSheet(QStringLiteral("QToolButton{color:white;background-color:rgb(40,40,40);border:none;"
                                        "border-radius:4px;padding:6px;}QToolButton:hover{color:orange;}"));
    connect(close, &QToolButton::clicked, this, [this] { stopVideoRecord(); });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(row);
}

void IVideoRecordFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(QColor(255, 64, 64), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
