#ifndef TST_BOARDKIT_H
#define TST_BOARDKIT_H

#include <QObject>

class TestBoardKit : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    // tool and colour buttons, sliders
    void cornerSheets_data();
    void cornerSheets();
    void toolButtonSizes();
    void toolButtonSelection();
    void colorButtonKeepsSelection();
    void colorButtonPainting();
    void sliderStyle();
    void sliderFieldAndNotify();
    void sliderCheckBox();
    void sliderWithoutCheckBoxStaysEnabled();

    // palette and colour panel
    void paletteStartsBlack();
    void paletteSwatchClicks();
    void paletteTransparentIsNotBlack();
    void paletteSetPalette();
    void paletteThicknessSignal();
    void panelPicture();
    void panelPicks();
    void panelShowsWithoutBlocking();
};

#endif
