#ifndef IFIGUREFRAME_H
#define IFIGUREFRAME_H

#include <QMap>
#include <QVariant>

#include "customui/ipanelframe.h"

class IIToolButton;

// Shape tool: line, circle, oval, triangle, rectangle.
class IFigureFrame : public IPanelFrame
{
    Q_OBJECT
public:
    IFigureFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    // Makes the shape with that id (0..4) the board's mode; other ids do nothing.
    virtual void setFigure(QVariant id);
    virtual void setButtonSelectState(QVariant id, bool select);

    QVariant currentFigure() const { return m_current; }
    IIToolButton* button(const QVariant& id) const { return m_buttons.value(id); }

protected:
    virtual void CreateUI();
    virtual IIToolButton* CreateButton(QVariant id, const QString& tip, const QString& image,
                                       const bool& checkable, QSize size);

private:
    QMap<QVariant, IIToolButton*> m_buttons;
    QVariant m_current = QVariant(0);
};

#endif
