#include "imsgbox.h"

#include <QMessageBox>

#include "idialogseam.h"
#include "iglobal.h"

int IMsgBox::showMsg(const QString& text, _ButtonsType buttons, const QString& title, QWidget* parent)
{
    if (IDialogSeam::hasMessageHook())
        return IDialogSeam::answerMessage(text, title);

    QMessageBox box(parent);
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
    // exec() answers with the StandardButton value of the pressed button.
    return box.exec();
}

int IMsgBox::showMsg(const QString& text, QWidget* parent)
{
    return showMsg(text, Ok, g_software_name, parent);
}
