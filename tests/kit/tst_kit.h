#ifndef TST_KIT_H
#define TST_KIT_H

#include <QObject>

class TestKit : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    // buttons and fonts
    void toolButtonForms_data();
    void toolButtonForms();
    void toolButtonSelectStateIsQuiet();
    void toolButtonScalesSizeAndPadding();
    void colorButton();
    void uiPointSizes_data();
    void uiPointSizes();
    void fontsAtZeroFactor();
    void labelAndComboBox();
    void buttonGradientsParse();

    // dialogs
    void msgBoxAnsweredBySeam();
    void customWidgetTitleAndClose();
    void customWidgetDrag();
    void permissionBoxTexts();
    void baseWidgetDefaults();
    void baseWidgetPainting();
    void baseWidgetCloseButton();
    void baseWidgetDrag();

    // transient notice
    void noticeTiming();
    void noticeSecondMessageKeepsItsTime();
    void noticeShownDuringFadeIsNotCutOff();
    void noticesWaitTheirTurn();
    void noticePlateSize();
    void noticePlacement();
    void noticeInstance();
    void noticeRestyled();
    void noticeDefaultPlate();
    // Runs the application's own loop: last.
    void noticeDoesNotHoldTheProgramOpen();
};

#endif
