#ifndef ITHICKNESSFRAME_H
#define ITHICKNESSFRAME_H

#include <QMap>
#include <QVariant>

#include "customui/ipanelframe.h"

class IIColorButton;

// Pen thickness: seven swatches left of the board bar's "Thickness" button.
class IThicknessFrame : public IPanelFrame
{
    Q_OBJECT
public:
    IThicknessFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    virtual void setThickness(const int& thickness);
    virtual int thickness() const { return m_thickness; }

    IIColorButton* button(const QVariant& id) const { return m_buttons.value(id); }

public slots:
    void slButtonClick(bool checked, QVariant id);

protected:
    virtual void CreateUI();

private:
    IIColorButton* CreateButton(QVariant id, const QString& tip, QSize size);

    QMap<QVariant, IIColorButton*> m_buttons;
    int m_thickness = 0;
};

#endif
