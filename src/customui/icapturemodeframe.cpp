#include "customui/icapturemodeframe.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include "customui/ipixrateframe.h"
#include "customui/iuihelper.h"
#include "iglobal.h"

namespace {
const int SOUND_ID = -1;
}

ICaptureModeFrame::ICaptureModeFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    qRegisterMetaType<ICaptureModeFrame::CaptureMode>("ICaptureModeFrame::CaptureMode");
    CreateUI();
    setBackgroundLinearGradient(true);
    m_mode = Default;
}

void ICaptureModeFrame::setFrameVisible(const bool& visible)
{
    if (visible)
        placeAboveCameraButton(ICameraToolBar::PhotoMode);
    setVisible(visible);
}

void ICaptureModeFrame::setCaptureMode(CaptureMode mode)
{
    QRadioButton* button = m_radios.value(QVariant(static_cast<int>(mode)));
    if (!button || static_cast<int>(mode) == SOUND_ID)
        return;
    button->setChecked(true);
    m_mode = mode;
}

void ICaptureModeFrame::slButtonClick(bool checked)
{
    auto* button = qobject_cast<QRadioButton*>(sender());
    if (!button)
        return;
    const int id = button->property("flag").toInt();
    if (id == SOUND_ID) {
        g_photo_sound_enable = checked;
        return;
    }
    m_mode = static_cast<CaptureMode>(id);
    emit sgButtonClick(m_mode);
}

void ICaptureModeFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    QRadioButton* sound = CreateIRadio(SOUND_ID, tr("拍照提示音"));
    const QStringList labels = {tr("Default"),
                                tr("Screen Capture"),
                                tr("Partial screen capture"),
                                tr("Timing capture"),
                                tr("Time-lapse"),
                                tr("Screen capture to clipboard"),
                                tr("Black white capture"),
                                tr("Gray capture")};

    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(20 * s);
    layout->setContentsMargins(m, m, m, m);
    layout->addWidget(sound);
    for (int id = 0; id < labels.size(); ++id) {
        QRadioButton* button = CreateIRadio(id, labels.at(id));
        m_group->addButton(button, id);
        layout->addWidget(button);
    }
    adjustSize();

    sound->setChecked(g_photo_sound_enable);
    m_radios.value(QVariant(0))->setChecked(true);
}

QRadioButton* ICaptureModeFrame::CreateIRadio(QVariant id, QString text)
{
    QRadioButton* button = createStyledRadio(text, this);
    button->setFont(createFont(14, 87));
    button->setProperty("flag", id);
    connect(button, &QRadioButton::clicked, this, &ICaptureModeFrame::slButtonClick);
    m_radios.insert(id, button);
    return button;
}
