#ifndef TST_BOARD_H
#define TST_BOARD_H

#include <QObject>
#include <QStringList>

#include "board/item/iabstractelements.h"
#include "board/model/imodebase.h"

// A path element as the pen makes it: layer -9000000 from its constructor.
class TestPathElement : public IAbstractPathElement
{
public:
    explicit TestPathElement(const QRectF& rect = QRectF(0, 0, 50, 50), int typeOffset = 15);
    ~TestPathElement() override;
    int type() const override { return UserType + m_typeOffset; }
    IElement* deepCopy() const override;

    static int alive;

private:
    int m_typeOffset;
};

class TestTextElement : public IAbstractGraphicsTextElement
{
public:
    explicit TestTextElement(const QString& text = QString());
    ~TestTextElement() override;
    int type() const override { return UserType + 11; }
    IElement* deepCopy() const override;

    static int alive;
};

// Writes every call into a shared log as "name:what".
class RecordingMode : public IMode, public IFigureTypedMode
{
public:
    RecordingMode(IBoard* board, const QString& name, QStringList* log);

    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;
    void switchOn() override;
    void switchOff() override;
    void setFigureType(TX_IBOARD_ENUM::FigureType type) override;

    bool throwOnDown = false;

private:
    QStringList* m_log;
};

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    // Elements and pages (tst_elements.cpp)
    void layerAndStackingOrder();
    void lockedElementStaysOnRemove();
    void addingTwiceListsOnce();
    void clearPathItemsDeletesAndForgets();
    void propertyKeysRoundTrip();
    void copyItemParameters();
    void matrixTextRoundTrip_data();
    void matrixTextRoundTrip();
    void lineToPolygonMatchesCapsule_data();
    void lineToPolygonMatchesCapsule();
    void adjustHueMovesOnlyMatchingPixels();

    // The board view (tst_boardview.cpp)
    void zoomClampsAndPercentage();
    void rotationCycle();
    void scaleValueUnderRotation();
    void atReturnsTopmost();
    void cameraImageFitsAndCentres();
    void shownFrameIsPaintedInPlace();
    void runCopyImageDetaches();
    void drawingsRenderWithoutPicture();
    void framesForgetRemovedElements();

    // Modes and input (tst_modes.cpp)
    void modeSwitchingOrder();
    void facadeSwitchesAndState();
    void pressOutsidePictureIgnored();
    void modeExceptionIsCaughtAndLogged();
    void imodeTracksDeviceIds();

    // Text elements (tst_textelement.cpp)
    void textElementProperties();
    void textElementMatrixText();
    void textElementFontAndGeometryTexts();
    void textElementSizing();
    void textElementDeepCopy();
    void textElementFormatting();
    void textElementEditingStates();
    void textElementPaintsWithoutQtOutline();

    // The text frame (tst_textframe.cpp)
    void textFrameGeometry();
    void textFrameLockAndSelection();
    void textFrameHandles();
    void textFrameCornerScale();
    void textFrameSelectInput();
    void textFrameForgetsRemovedText();
    void textFramePinch();

    // Select and text modes, the frame's menu and the text tool bar (tst_textmodes.cpp)
    void textModePlacesText();
    void textModeFollowsRotation();
    void selectModePicksTextsOnly();
    void frameMenuCopyAndDelete();
    void frameMenuFollowsRotation();
    void textToolBarAppliesToDelegate();
    void snapshotRendersTexts();
    void pagesFreeTheirTextWidgets();
};

#endif
