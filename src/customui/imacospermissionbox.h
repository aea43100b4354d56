#ifndef IMACOSPERMISSIONBOX_H
#define IMACOSPERMISSIONBOX_H

#include "icustomwidget.h"

class QLabel;
class QPushButton;

// Modal prompt that tells the user a capture permission is missing and offers the
// matching system settings.
class IMacosPermissionBox : public ICustomWidget
{
    Q_OBJECT
public:
    enum MacosPermission {
        Microphone = 0,
        ScreenRecording = 1,
    };

    explicit IMacosPermissionBox(QWidget* parent);

    virtual void showPermissionBox(MacosPermission permission);

protected:
    virtual void CreateUI();

private slots:
    void openPreferences();

private:
    QLabel* m_label = nullptr;
    QPushButton* m_button = nullptr;
    MacosPermission m_permission = Microphone;
};

#endif
