#include "customui/ieraseframe.h"

#include <QSlider>
#include <QVBoxLayout>

#include "iglobal.h"
#include "service/iconfigureservice.h"

IEraseFrame::IEraseFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void IEraseFrame::setFrameVisible(const bool& visible)
{
    if (visible) {
        placeLeftOfBoardButton(IBoardToolBar::Eraser);
        slChangeValue(m_size);
    } else {
        IConfigureService::instance()->setEraseSize(m_size);
    }
    setVisible(visible);
}

void IEraseFrame::setEraseSize(const int& size)
{
    m_slider->setValue(size);
    // The slider clamps to 20..200 and emits nothing for its own value: follow it.
    m_size = m_slider->value();
}

void IEraseFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    setMinimumHeight(static_cast<int>(200 * s));
    setFixedWidth(static_cast<int>(50 * s));
    m_slider = new QSlider(Qt::Vertical);
    m_slider->setRange(20, 200);
    m_size = m_slider->value();

    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * s);
    layout->setContentsMargins(m, m, m, static_cast<int>(15 * s));
    layout->addWidget(m_slider);
    adjustSize();
    connect(m_slider, &QSlider::valueChanged, this, &IEraseFrame::slChangeValue);
}

void IEraseFrame::slChangeValue(int value)
{
    m_slider->setToolTip(QString::number(value));
    m_size = value;
}
