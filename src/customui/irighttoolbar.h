#ifndef IRIGHTTOOLBAR_H
#define IRIGHTTOOLBAR_H

#include <QMap>
#include <QPoint>
#include <QSize>
#include <QVariant>

#include "customui/icustomwidget.h"

class IApplication;
class IIToolButton;

// The column of view commands at the right edge, shown while the board tool bar is hidden.
class IRightToolBar : public ICustomWidget
{
    Q_OBJECT
public:
    enum ButtonType {
        Board = 0,
        Magnifier = 1,
        ZoomIn = 2,
        ZoomOut = 3,
        Rotate = 4,
        SelfAdapting = 5,
    };
    Q_ENUM(ButtonType)

    IRightToolBar(IApplication* app, QWidget* parent = nullptr);

    // Global position of the button's top-left corner; (0, 0) for an unknown id.
    virtual QPoint buttonGlobslPos(IRightToolBar::ButtonType type);
    virtual void setButtonSelectState(QVariant id, bool select);
    virtual void setButtonEnable(IRightToolBar::ButtonType type, bool enable);

    IIToolButton* button(const QVariant& id) const { return m_buttons.value(id); }

signals:
    void sgButtonClick(bool state, QVariant id);

protected:
    virtual void CreateUI();
    virtual IIToolButton* CreateButton(QVariant id, const QString& text, const QString& svg, const bool& checkable,
                                       QSize size);

private:
    IApplication* m_app = nullptr;
    QMap<QVariant, IIToolButton*> m_buttons;
};

#endif
