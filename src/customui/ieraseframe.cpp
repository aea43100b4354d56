#include "customui/ieraseframe.h"

#include <QVBoxLayout>

#include "board/widget/islider.h"
#include "iglobal.h"
#include "service/iboardservice.h"
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
    m_slider->setValue(size, true, true);
    // The slider clamps to 20..200 and emits nothing for its own value: follow it. The
    // board erases with it from now on, not only once the panel has been hidden.
    m_size = m_slider->value();
    IBoardService::instance()->modifyEraseSize(m_size);
}

void IEraseFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    setMinimumHeight(static_cast<int>(200 * s));
    setFixedWidth(static_cast<int>(50 * s));
    m_slider = new ICustomSlider(Qt::Vertical, 1);
    m_slider->setRange(20, 200);
    m_size = m_slider->value();

    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * s);
    layout->setContentsMargins(m, m, m, static_cast<int>(15 * s));
    layout->addWidget(m_slider);
    adjustSize();
    connect(m_slider, &ICustomSlider::sgValueChanged, this, &IEraseFrame::slChangeValue);
}

void IEraseFrame::slChangeValue(int value)
{
    m_slider->slider()->setToolTip(QString::number(value));
    m_size = value;
}
