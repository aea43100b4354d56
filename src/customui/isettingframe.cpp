#include "customui/isettingframe.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "customui/iuihelper.h"
#include "iglobal.h"

ISettingFrame::ISettingFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, tr("Settings"), true, parent)
{
    CreateUI();
    setMoveState(true);
    setBackgroundLinearGradient(true);
}

void ISettingFrame::setFrameVisible(const bool& visible)
{
    if (!visible) {
        accept();
        return;
    }
    move(centredPosition());
    exec();
}

QPoint ISettingFrame::centredPosition() const
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    const QSize outer = parentWidget() ? parentWidget()->size() : area.size();
    return QPoint(area.left() + (outer.width() - width()) / 2, area.top() + (outer.height() - height()) / 2);
}

void ISettingFrame::CreateUI()
{
    // The "About" page: name and version of the program.
    const double s = IGSQUARERATE;
    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(20 * s);
    layout->setContentsMargins(m, titleHeight() + m, m, m);
    layout->setSpacing(static_cast<int>(10 * s));
    QLabel* name = createLabel(g_software_name, this);
    name->setFont(createFont(16, 75));
    layout->addWidget(name);
    layout->addWidget(createLabel(tr("Version: %1").arg(g_software_version), this));
    layout->addStretch();
    adjustSize();
}
