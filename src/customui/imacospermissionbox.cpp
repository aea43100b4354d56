#include "imacospermissionbox.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "idialogseam.h"
#include "iglobal.h"
#include "iuihelper.h"

namespace {
// The system's sound settings program, or an empty list when none is installed.
QStringList soundSettingsCommand()
{
    const QString pavucontrol = QStandardPaths::findExecutable(QStringLiteral("pavucontrol"));
    if (!pavucontrol.isEmpty())
        return {pavucontrol};
    const QString gnome = QStandardPaths::findExecutable(QStringLiteral("gnome-control-center"));
    if (!gnome.isEmpty())
        return {gnome, QStringLiteral("sound")};
    return {};
}
}

IMacosPermissionBox::IMacosPermissionBox(QWidget* parent)
    : ICustomWidget(g_software_name, true, parent)
{
    CreateUI();
    setMoveState(true);
    setBackgroundLinearGradient(true);
    setModal(true);
    hide();
}

void IMacosPermissionBox::CreateUI()
{
    const double s = IGSQUARERATE;
    m_label = createLabel(QString(), nullptr);
    m_label->setWordWrap(true);
    m_label->setMaximumWidth(int(420 * s));

    m_button = new QPushButton;
    m_button->setFont(createFont(12, 50));
    m_button->setCursor(Qt::PointingHandCursor);
    m_button->setStyleSheet(QStringLiteral("QPushButton{border:none;color:white;border-radius:%1px;background-color:%2}"
                                           "QPushButton:hover{color:rgb(235,120,7);background-color:%3}"
                                           "QPushButton:pressed{color:rgb(235,120,7);background-color:%3}")
                                .arg(5 * s)
                                .arg(BUTTON_GRADIENT, BUTTON_HOVER_GRADIENT));
    connect(m_button, &QPushButton::clicked, this, &IMacosPermissionBox::openPreferences);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_button);
    row->addStretch();

    auto* layout = new QVBoxLayout(this);
    const int m = int(20 * s);
    layout->setContentsMargins(m, int(10 * s), m, m);
    layout->setSpacing(int(15 * s));
    layout->addWidget(m_label);
    layout->addLayout(row);
}

void IMacosPermissionBox::showPermissionBox(MacosPermission permission)
{
    m_permission = permission;
    const bool microphone = permission == Microphone;
    const QString text = microphone ? tr("The application requires microphone access to record the audio.")
                                    : tr("The application requires Screen Recording access to record the video.");
    const QString button = microphone ? tr("Microphone Preferences...") : tr("Screen Recording Preferences...");

    m_label->setText(text);
    m_button->setText(button);
    const QFontMetrics fm(m_button->font());
    m_button->setFixedSize(fm.horizontalAdvance(button) + int(30 * IGSQUARERATE),
                           fm.height() + int(16 * IGSQUARERATE));
    adjustSize();

    if (IDialogSeam::hasMessageHook()) {
        IDialogSeam::answerMessage(text, title());
        return;
    }
    // Qt's own centring shifts a frameless box by a guessed frame, and stops once dragged.
    centreOnWindow(this, parentWidget());
    exec();
}

void IMacosPermissionBox::openPreferences()
{
    // Linux has no privacy pane for screen capture; only the sound settings apply.
    if (m_permission == Microphone) {
        const QStringList command = soundSettingsCommand();
        if (!command.isEmpty())
            QProcess::startDetached(command.first(), command.mid(1));
    }
    accept();
}
