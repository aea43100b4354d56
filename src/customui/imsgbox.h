#ifndef IMSGBOX_H
#define IMSGBOX_H

#include <QCoreApplication>
#include <QString>

class QWidget;

// Modal message box returning the standard button codes (OK 0x400, Cancel 0x400000).
class IMsgBox
{
    Q_DECLARE_TR_FUNCTIONS(IMsgBox)

public:
    enum _ButtonsType {
        OkCancel = 2,
        Ok = 4,
    };

    static int showMsg(const QString& text, _ButtonsType buttons, const QString& title, QWidget* parent);
    // OK only, titled with the program's name.
    static int showMsg(const QString& text, QWidget* parent = nullptr);
};

#endif
