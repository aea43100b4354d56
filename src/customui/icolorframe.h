#ifndef ICOLORFRAME_H
#define ICOLORFRAME_H

#include <QColor>
#include <QMap>
#include <QVariant>

#include "customui/ipanelframe.h"

class IIColorButton;

// Pen colour: eight swatches and "..." for any colour.
class IColorFrame : public IPanelFrame
{
    Q_OBJECT
public:
    IColorFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    virtual void setColor(const QColor& color);
    virtual QColor color() const { return m_color; }

    IIColorButton* button(const QColor& color) const { return m_buttons.value(color.name(QColor::HexArgb)); }
    QList<IIColorButton*> buttons() const { return m_buttons.values(); }

public slots:
    void slButtonClick(bool checked, QVariant id);

protected:
    virtual void CreateUI();
    // Lets the user pick any colour; an invalid colour means cancelled.
    virtual QColor chooseColor();

private:
    IIColorButton* CreateButton(QVariant id, const QString& tip, const QColor& color);

    QColor m_color;
    // Keyed by the colour's #AARRGGBB name, which orders and compares reliably.
    QMap<QString, IIColorButton*> m_buttons;
};

#endif
