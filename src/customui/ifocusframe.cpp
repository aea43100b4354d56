#include "customui/ifocusframe.h"

#include <QApplication>
#include <QDebug>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>

#include "board/widget/islider.h"
#include "customui/iparameterframe.h"
#include "customui/iuihelper.h"
#include "icamera.h"
#include "iglobal.h"

namespace {
const int FOCUS = 1;
const int EXPOSURE = 2;
const int AUTOMATIC = -999;

QDebug operator<<(QDebug debug, const ParameterData& d)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << d.minimum << ", " << d.maximum << ", " << d.defaultValue << ", " << d.currentValue;
    return debug;
}

void sendToCamera(int type, int value)
{
    if (type == FOCUS)
        ICamera::instance()->setAutoFocusFlag(value);
    else
        ICamera::instance()->setAutoExposureFlag(value);
}

int& savedState(int type)
{
    return type == FOCUS ? g_current_focus : g_current_exposure;
}
}

IFocusFrame::IFocusFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void IFocusFrame::setFrameVisible(const bool& visible)
{
    if (visible)
        followButton();
    setVisible(visible);
}

void IFocusFrame::followButton()
{
    if (!placeAboveCameraButton(ICameraToolBar::FocusExposure))
        return;
    // Never start left of the usable area of the window's screen, even with the window
    // partly off every screen.
    const QScreen* screen = windowScreen(cameraToolBar());
    if (screen && x() < screen->availableGeometry().left())
        move(screen->availableGeometry().left(), y());
}

void IFocusFrame::initDefaultValues()
{
    m_parameter = ICamera::instance()->cameraParameter();
    qDebug() << "focus--->:" << m_parameter.focus;
    qDebug() << "exposure--->:" << m_parameter.exposure;
    for (int type : {EXPOSURE, FOCUS}) {
        const bool usable = hasRange(range(type));
        slider(type)->setEnabled(usable);
        const int saved = savedState(type);
        if (saved == -1) {
            setQuietly(type, valueToPercent(range(type), range(type).defaultValue), true);
            if (usable)
                sendToCamera(type, AUTOMATIC);
        } else {
            // Sent even when the panel already shows it: a camera just switched to has
            // not had it yet.
            setQuietly(type, saved, false);
            if (usable)
                sendToCamera(type, percentToValue(range(type), saved));
        }
    }
}

QVariant IFocusFrame::ValueConverPercent(int type, QVariant value)
{
    return valueToPercent(range(type), value);
}

QVariant IFocusFrame::PercentConverValue(int type, QVariant percent)
{
    return percentToValue(range(type), percent);
}

const ParameterData& IFocusFrame::range(int type) const
{
    return type == FOCUS ? m_parameter.focus : m_parameter.exposure;
}

ICustomSlider* IFocusFrame::slider(int type) const
{
    return type == FOCUS ? m_focus : m_exposure;
}

void IFocusFrame::onValueChanged(int type, int percent)
{
    savedState(type) = percent;
    if (hasRange(range(type)))
        sendToCamera(type, percentToValue(range(type), percent));
}

void IFocusFrame::onStateChanged(int type, int state)
{
    if (state == Qt::Checked) {
        savedState(type) = -1;
        if (hasRange(range(type)))
            sendToCamera(type, AUTOMATIC);
    } else if (state == Qt::Unchecked) {
        onValueChanged(type, slider(type)->value());
    }
}

void IFocusFrame::setQuietly(int type, int percent, bool automatic)
{
    ICustomSlider* s = slider(type);
    const QSignalBlocker block(s);
    s->setValue(percent, automatic, false);
}

void IFocusFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    const int m = static_cast<int>(20 * s);
    auto* form = new QFormLayout(this);
    form->setVerticalSpacing(m);
    form->setContentsMargins(m, m, m, m);

    auto* header = new QHBoxLayout;
    header->addStretch();
    header->addWidget(createLabel(tr("Automatic"), this));
    form->addRow(header);

    for (int type : {FOCUS, EXPOSURE}) {
        auto* slider = new ICustomSlider(true, Qt::Horizontal, 1);
        slider->setRange(0, 100);
        // Both start at 50 % on automatic.
        slider->setValue(50, true, true);
        form->addRow(createLabel(type == FOCUS ? tr("Focus") : tr("Exposure"), this), slider);
        (type == FOCUS ? m_focus : m_exposure) = slider;
        connect(slider, &ICustomSlider::sgValueChanged, this, [this, type](int p) { onValueChanged(type, p); });
        connect(slider, &ICustomSlider::sgStateChanged, this, [this, type](int st) { onStateChanged(type, st); });
    }
    adjustSize();
}
