#include "customui/ifocusframe.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDebug>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>

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
    if (visible && placeAboveCameraButton(ICameraToolBar::FocusExposure)) {
        // Never start left of the usable area of the screen under the pointer.
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen && x() < screen->availableGeometry().left())
            move(screen->availableGeometry().left(), y());
    }
    setVisible(visible);
}

void IFocusFrame::initDefaultValues()
{
    m_parameter = ICamera::instance()->cameraParameter();
    qDebug() << "focus--->:" << m_parameter.focus;
    qDebug() << "exposure--->:" << m_parameter.exposure;
    for (int type : {EXPOSURE, FOCUS}) {
        QSlider* slider = type == FOCUS ? m_focus : m_exposure;
        QCheckBox* automatic = type == FOCUS ? m_focusAuto : m_exposureAuto;
        const int saved = savedState(type);
        if (saved == -1) {
            setQuietly(type, valueToPercent(range(type), range(type).defaultValue), true);
            sendToCamera(type, AUTOMATIC);
        } else {
            // The camera receives the saved manual value only when the panel changes.
            const bool changed = slider->value() != saved || automatic->isChecked();
            setQuietly(type, saved, false);
            if (changed)
                onValueChanged(type, saved);
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

void IFocusFrame::onValueChanged(int type, int percent)
{
    sendToCamera(type, percentToValue(range(type), percent));
    savedState(type) = percent;
}

void IFocusFrame::onAutoChanged(int type, bool automatic)
{
    QSlider* slider = type == FOCUS ? m_focus : m_exposure;
    slider->setEnabled(!automatic);
    if (automatic) {
        sendToCamera(type, AUTOMATIC);
        savedState(type) = -1;
    } else {
        savedState(type) = slider->value();
        sendToCamera(type, percentToValue(range(type), slider->value()));
    }
}

void IFocusFrame::setQuietly(int type, int percent, bool automatic)
{
    QSlider* slider = type == FOCUS ? m_focus : m_exposure;
    QCheckBox* box = type == FOCUS ? m_focusAuto : m_exposureAuto;
    const QSignalBlocker sliderBlock(slider);
    const QSignalBlocker boxBlock(box);
    slider->setValue(percent);
    box->setChecked(automatic);
    slider->setEnabled(!automatic);
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
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setRange(0, 100);
        auto* box = new QCheckBox;
        auto* row = new QHBoxLayout;
        row->addWidget(slider, 1);
        row->addWidget(box);
        form->addRow(createLabel(type == FOCUS ? tr("Focus") : tr("Exposure"), this), row);
        (type == FOCUS ? m_focus : m_exposure) = slider;
        (type == FOCUS ? m_focusAuto : m_exposureAuto) = box;
        // Both start at 50 % on automatic.
        setQuietly(type, 50, true);
        connect(slider, &QSlider::valueChanged, this, [this, type](int p) { onValueChanged(type, p); });
        connect(box, &QCheckBox::toggled, this, [this, type](bool on) { onAutoChanged(type, on); });
    }
    adjustSize();
}
