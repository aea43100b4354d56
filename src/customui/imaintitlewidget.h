#ifndef IMAINTITLEWIDGET_H
#define IMAINTITLEWIDGET_H

#include <QList>
#include <QPoint>
#include <QVariant>
#include <QWidget>
#include <functional>

#include "icameratypes.h"

class IApplication;
class IIToolButton;
class QComboBox;
class ISvgLogo;

// The frameless main window's own title bar: logo, drag to move, double click to fit
// the screen, and the window buttons. A hidden "Cameras" button opens a camera list.
class IMainTitleWidget : public QWidget
{
    Q_OBJECT
public:
    enum ButtonType {
        Cameras = 0,
        Settings = 1,
        Minimize = 2,
        Maximize = 3,
        Restore = 4,
        Close = 5,
    };
    Q_ENUM(ButtonType)

    IMainTitleWidget(IApplication* app, QWidget* parent = nullptr);

    virtual void hideCameraList();

    // The device path of the camera shown in the picture-in-picture window, which the
    // camera list leaves out.
    void setSmallCameraPathProvider(std::function<QString()> provider);

    IIToolButton* button(ButtonType id) const;
    QComboBox* camerasBox() const { return m_cameraBox; }

public slots:
    void changeCameraIndex(int index);

signals:
    // The window was moved by a drag.
    void sgMove();
    // Requests the main window acts on.
    void sgShowSettings();
    void sgCenterBoard();
    void sgHideSecondWidget();
    void sgSwitchCamera(ICameraInfo info);

protected:
    virtual void CreateUI();
    virtual QComboBox* CreateCamerasBox();
    virtual IIToolButton* CreateButton(QVariant id, const QString& text, const QString& normalIcon,
                                       const QString& pressedIcon);
    // The cameras the list offers, and the records a chosen row is looked up in.
    virtual QList<ICameraInfo> cameraList() const;
    virtual QList<ICameraInfo> cameraInfo() const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The main window, or the window this bar sits in while there is none.
    QWidget* mainWindow() const;
    void onButtonClick(bool state, const QVariant& id);
    void toggleCameraList();
    void rebuildCameraList();

    QPoint m_pressPos;
    bool m_dragging = false;
    IApplication* m_app = nullptr;
    QComboBox* m_cameraBox = nullptr;
    QList<ICameraInfo> m_cameraList;
    ISvgLogo* m_logo = nullptr;
    IIToolButton* m_buttons[6] = {};
    std::function<QString()> m_smallCameraPath;
};

#endif
