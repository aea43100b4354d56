#ifndef IPIXRATEFRAME_H
#define IPIXRATEFRAME_H

#include <QList>
#include <QSizeF>

#include "customui/ipanelframe.h"

class QRadioButton;

// The panels' radio button: white text, round indicator, blue when checked.
QRadioButton* createStyledRadio(const QString& text, QWidget* parent);

// One radio button per frame size of the open camera; a choice goes to the camera.
class IPixRateFrame : public IPanelFrame
{
    Q_OBJECT
public:
    IPixRateFrame(IApplication* app, QWidget* parent);

    void setFrameVisible(const bool& visible) override;
    // Checks the button of that size (or the first); unless silent, applies it too.
    virtual void setResolution(const QSizeF& size, bool silent);
    // Rebuilds the buttons from the camera's sizes, checking the configured one.
    virtual void initDefaultValues();

    QList<QRadioButton*> radios() const { return m_radios; }

public slots:
    virtual void slButtonClick();

protected:
    virtual void CreateUI();
    virtual QRadioButton* CreateIRadio(const QSizeF& size);
    // The open camera's sizes.
    virtual QList<QSizeF> supportedSizes() const;

private:
    QList<QRadioButton*> m_radios;
};

#endif
