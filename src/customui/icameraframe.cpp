#include "customui/icameraframe.h"

#include <QDebug>
#include <QRadioButton>
#include <QVBoxLayout>

#include "customui/ifocusframe.h"
#include "customui/iparameterframe.h"
#include "customui/ipixrateframe.h"
#include "customui/iuihelper.h"
#include "iglobal.h"
#include "mainframe.h"

namespace {
// Each radio keeps the whole record it stands for, so a choice can be switched to.
const char* const kCameraProperty = "camera";

bool sameCamera(const ICameraInfo& a, const ICameraInfo& b)
{
    return a.index == b.index && a.devicePath == b.devicePath;
}
}

ICameraFrame::ICameraFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

QList<ICameraInfo> ICameraFrame::chooserCameras()
{
    QList<ICameraInfo> cameras = g_camera_list;
    if (g_wifi_camera && g_camera_info.index == 999)
        cameras.append(g_camera_info);
    return cameras;
}

void ICameraFrame::setFrameVisible(const bool& visible)
{
    if (visible)
        followButton();
    setVisible(visible);
}

void ICameraFrame::followButton()
{
    ICameraToolBar* bar = cameraToolBar();
    if (!bar)
        return;
    followWindowOf(bar);
    // Centred on the exact half of the width here.
    const double s = IGSQUARERATE;
    const QPoint p = bar->buttonGlobslPos(ICameraToolBar::Camera);
    move(static_cast<int>(p.x() + 42 * s - width() / 2.0), static_cast<int>(p.y() - height() - 10 * s));
}

void ICameraFrame::slButtonClick()
{
    auto* radio = qobject_cast<QRadioButton*>(sender());
    if (!radio)
        return;
    const int index = radio->property("flag").toInt();
    setFrameVisible(false);
    qDebug() << "switch camera index: " << index;
    MainFrame* frame = mainFrame();
    if (index < 0 || !frame)
        return;
    const ICameraInfo chosen = radio->property(kCameraProperty).value<ICameraInfo>();
    if (!sameCamera(chosen, g_camera_info))
        frame->switchCamera(chosen);
    if (frame->m_focusFrame)
        frame->m_focusFrame->initDefaultValues();
    if (frame->m_pixRateFrame)
        frame->m_pixRateFrame->initDefaultValues();
    if (frame->m_parameterFrame)
        frame->m_parameterFrame->initDefaultValues();
}

void ICameraFrame::CreateUI()
{
    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(20 * IGSQUARERATE);
    layout->setContentsMargins(m, m, m, m);
    const QList<ICameraInfo> cameras = chooserCameras();
    for (const ICameraInfo& info : cameras) {
        QRadioButton* radio = CreateIRadio(QVariant(info.index), info.description);
        radio->setProperty(kCameraProperty, QVariant::fromValue(info));
        radio->setParent(this);
        layout->addWidget(radio);
        if (sameCamera(info, g_camera_info))
            radio->setChecked(true);
    }
    adjustSize();
}

QRadioButton* ICameraFrame::CreateIRadio(const QVariant& id, const QString& text)
{
    QRadioButton* radio = createStyledRadio(text, nullptr);
    radio->setFont(createFont(14, 87));
    radio->setProperty("flag", id);
    connect(radio, &QRadioButton::clicked, this, &ICameraFrame::slButtonClick);
    return radio;
}
