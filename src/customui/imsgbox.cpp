#include "imsgbox.h"

#include <QAbstractButton>
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
    // Our own captions: Qt's would stay English in every language.
    box.button(QMessageBox::Ok)->setText(tr("OK"));
    if (QAbstractButton* cancel = box.button(QMessageBox::Cancel))
        cancel->setText(tr("Cancel"));
    // exec() answers with the StandardButton value of the pressed button.
    return box.exec();
}

int IMsgBox::showMsg(const QString& text, QWidget* parent)
{
    return showMsg(text, Ok, g_software_name, parent);
}
