#ifndef ICAMERATOOLBAR_H
#define ICAMERATOOLBAR_H

#include <QMap>
#include <QPoint>
#include <QSize>
#include <QVariant>

#include "customui/icustomwidget.h"
#include "customui/iitoolbutton.h"

class IApplication;

// The bar of camera and capture commands along the bottom of the main window.
class ICameraToolBar : public ICustomWidget
{
    Q_OBJECT
public:
    enum ButtonType {
        FocusExposure = 0,
        Magnifier = 1,
        Resolution = 2,
        ZoomIn = 3,
        ZoomOut = 4,
        Rotate = 5,
        Freeze = 6,
        ColorAdjusting = 7,
        SelfAdapting = 8,
        AutoEdge = 9,
        Snap = 10,
        PhotoMode = 11,
        VideoRecording = 12,
        Pdf = 14,
        Camera = 15,
        PictureInPicture = 16,
        SplitScreen = 17,
    };
    Q_ENUM(ButtonType)

    ICameraToolBar(IApplication* app, QWidget* parent = nullptr);

    // Global position of the button's top-left corner; (0, 0) for an id without a button.
    virtual QPoint buttonGlobslPos(ICameraToolBar::ButtonType type);
    virtual void setButtonEnable(ICameraToolBar::ButtonType type, bool b);
    // Sets the checked state without reporting a click.
    virtual void setButtonChecked(ICameraToolBar::ButtonType type, bool b);

    IIToolButton* button(const QVariant& id) const { return m_buttons.value(id); }

signals:
    void sgButtonClick(bool state, QVariant id);

protected:
    virtual void CreateUI();
    virtual IIToolButton* CreateButton(QVariant id, const QString& text, const QString& normalSvg,
                                       const QString& clickSvg, QSize size, IIToolButton::RadiusType radiusType);
    virtual IIToolButton* CreateButton(QVariant id, const QString& text, const QString& normalSvg,
                                       const QString& clickSvg, const bool& checkable, QSize size,
                                       const int& padding);

private:
    void registerButton(const QVariant& id, IIToolButton* button);

    IApplication* m_app = nullptr;
    QMap<QVariant, IIToolButton*> m_buttons;
};

#endif
