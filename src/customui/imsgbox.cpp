#include "imsgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include "customui/iuihelper.h"
#include "customui/iwindowplace.h"
#include "idialogseam.h"
#include "iglobal.h"

int IMsgBox::showMsg(const QString& text, _ButtonsType buttons, const QString& title, QWidget* parent)
{
    if (IDialogSeam::hasMessageHook())
        return IDialogSeam::answerMessage(text, title);

    // Without an owner Qt centres the box on the screen under the pointer and the window
    // manager may put it behind the program: it belongs over the window the user works in.
    if (!parent)
        parent = QApplication::activeWindow();
    QMessageBox box(parent);
    // In pixels like the rest of the program: Qt's default point size keeps its unscaled
    // size on a monitor scaled on its own, beside buttons that grow.
    box.setFont(createFont(10, 50));
    box.setWindowTitle(title);
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    if (buttons == OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    // Our own captions: Qt's would stay English in every language.
    box.button(QMessageBox::Ok)->setText(tr("OK"));
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(tr("Cancel"));
    // The window manager's title bar is only as wide as the box: a short text would
    // leave no room for the whole title beside the bar's icon and buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const QFontMetrics metrics(titleFont);
        const int titleWidth = metrics.horizontalAdvance(title) + 6 * (metrics.height() + 8);
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    // Placed once its size is final, so that its window is made where it shows.
    settleSizeUnseen(&box);
    centreOnWindow(&box, parent);
    keepWindowWhereShown(&box);
    // exec() answers with the StandardButton value of the pressed button.
    return box.exec();
}

int IMsgBox::showMsg(const QString& text, QWidget* parent)
{
    return showMsg(text, Ok, g_software_name, parent);
}
