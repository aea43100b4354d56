#ifndef TST_CAMERA_H
#define TST_CAMERA_H

#include <QObject>

class TestCamera : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    // discovery
    void noDeviceMeansNoCameraAndFailedOpen();
    void wifiCameraFoundWhenControlPortAnswers();
    void switchToMissingCameraReportsFailure();
    void backendSignalsReachGuiThread();
    void failedOpenIsNotRunning();
    void supportedIdsAndEnvironmentOverride();
    void usbIdsReadFromSysfs();

    // filters
    void imageMatConversions();
    void grayscaleBlackWhiteAndSharpen();
    void sketchAndEmboss();
    void filterImageTable();
    void outlineFoundAroundDrawnRectangle();
    void outlineAbsentOnPlainPicture();
    void outlineUnchangedOnDocumentPictures();
    void softwareAdjustments();
    void softwareAdjustmentsMatchHls_data();
    void softwareAdjustmentsMatchHls();
    void softwareAdjustmentsSameInEveryBlock();

    // snapshot thread
    void composeCropsClipsAndRotates();
    void degenerateOutlineAndCropIgnored();
    void savesWithTimeNameAndCollisionSuffix();
    void thumbnailScaledBySquareFactor();
    void emptyFolderHandsBackFullPicture();
    void failedSaveReportedAsFailure();
    void queuedJobsSavedAtDestruction();
    void fullDiskSnapshotIsAFailure();
    void failedSaveNamesSystemReason();
    void idleSnapshotThreadSleepsUntilAJobComes();

    // devices
    void mjpegDecodesToSizeAndColours();
    void mjpegRejectsGarbage();
    void mjpegRecoversAfterDamagedFrame();
    void mjpegFramesDecodeAsWithAFreshDecoder();
    void yuyvConversion();
    void formatNegotiationWithFakeDevice();
    void descriptionFileParsing();
    void plugWatcherIds();
    void liveFramesWithOutlineKeepTheirPixels();
    void capturesWithinOneFrameAllAnswered();
};

#endif
