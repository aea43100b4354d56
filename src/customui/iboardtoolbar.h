#ifndef IBOARDTOOLBAR_H
#define IBOARDTOOLBAR_H

#include <QMap>
#include <QPoint>
#include <QSize>
#include <QVariant>

#include "customui/icustomwidget.h"

class IApplication;
class IIToolButton;

// The vertical bar of drawing tools. The mode buttons act as one radio group that a
// click cannot empty.
class IBoardToolBar : public ICustomWidget
{
    Q_OBJECT
public:
    enum ButtonType {
        Move = 0,
        Pencil = 1,
        Thickness = 2,
        Color = 3,
        Transparency = 4,
        Text = 5,
        Shape = 6,
        Eraser = 7,
        Clear = 8,
        Home = 9,
        Desktop = 10,
    };
    Q_ENUM(ButtonType)

    IBoardToolBar(IApplication* app, QWidget* parent = nullptr);

    // Global position of the button's top-left corner; (0, 0) for an unknown id.
    virtual QPoint buttonGlobslPos(IBoardToolBar::ButtonType type);
    // Unchecks every button, then gives the button with that id the state b.
    virtual void setButtonSelectState(const QVariant& id, bool b);

    IIToolButton* button(const QVariant& id) const { return m_buttons.value(id); }

signals:
    void sgButtonClick(bool state, QVariant id);

protected:
    virtual void CreateUI();
    virtual IIToolButton* CreateButton(const QVariant& id, const QString& text, const QString& svg,
                                       const bool& checkable, QSize size);

private:
    void onButtonClick(bool checked, const QVariant& id);

    IApplication* m_app = nullptr;
    QMap<QVariant, IIToolButton*> m_buttons;
};

#endif
