#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include "board/widget/itimemsgbox.h"
#include "customui/iimglistviewer.h"
#include "customui/iitoolbutton.h"
#include "customui/ivideorecordframe.h"
#include "ffmpeg/iaudioinputfromqt.h"
#include "ffmpeg/iffmpegapi.h"
#include "iglobal.h"
#include "service/iconfigureservice.h"
#include "contrast.h"
#include "mediaprobe.h"
#include "testenv.h"


class TestRecordBar : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void clockAndBracketsFollowTheSeconds();
    void presetsChooseTheRegion();
    void regionBarReadableOnAnyPicture();
    void recordsThroughTheBar();
    void finishedBoxOnlyWhenTheWindowIsEnabled();
    void abnormalEndOnlyMattersWhileShown();
    void finishedBoxNamesWhatCannotBeOpened();
    void abortedRecordingShowsTheErrorOnly();
    void missingMicrophoneIsToldAtTheStart();

private:
    // The bar over a shown window, recording 640x480 after its large "Start".
    void startThroughTheBar(IVideoRecordFrame& frame, QWidget& window);
};

void TestRecordBar::initTestCase()
{
    // No sound here: the recorder's own tests cover the microphone. Where sound is asked
    // for, there is no sound server to give it.
    qputenv("PULSE_SERVER", QFile::encodeName(TestEnv::homePath() + QStringLiteral("/run/none")));
    g_camera_info.description.clear();
    // Recordings go into the test's own folder, never where an empty path would put them.
    g_video_savepath = TestEnv::homePath() + QStringLiteral("/Videos/");
    QVERIFY(QDir().mkpath(g_video_savepath));
    IFFmpegApi::instance()->initData();
}

void TestRecordBar::clockAndBracketsFollowTheSeconds()
{
    QWidget window;
    window.resize(1200, 900);
    IVideoRecordFrame frame(nullptr, &window);
    QCOMPARE(frame.bracketColor(), QColor(255, 0, 0));
    frame.onClockTick();
    QCOMPARE(frame.bracketColor(), QColor(0, 0, 255));
    frame.onClockTick();
    QCOMPARE(frame.bracketColor(), QColor(0, 255, 0));
    frame.onClockTick();
    QCOMPARE(frame.bracketColor(), QColor(255, 0, 0));
    for (int i = 3; i < 3725; ++i)
        frame.onClockTick();
    QCOMPARE(frame.clockText(), QStringLiteral("01 : 02 : 05"));
}

void TestRecordBar::presetsChooseTheRegion()
{
    QWidget window;
    window.resize(1600, 1000);
    IVideoRecordFrame frame(nullptr, &window);
    window.show();
    frame.setFrameVisible(true);
    QVERIFY(frame.isVisible());
    QVERIFY(frame.painterState());
    QCOMPARE(frame.size(), QSize(1600, 1000));
    IIToolButton* automatic = nullptr;
    for (IIToolButton* b : frame.findChildren<IIToolButton*>()) {
        if (b->id() == QVariant(5) && b->isCheckable())
            automatic = b;
    }
    QVERIFY(automatic);
    QVERIFY(automatic->selectState());

    frame.onRegionClick(true, 2);
    QCOMPARE(frame.getSelectRect().size(), QSize(1080, 720));
    QCOMPARE(frame.getSelectRect().center(), QRect(0, 0, 1600, 1000).center());
    QVERIFY(!automatic->selectState());
    frame.onRegionClick(true, 0);
    QCOMPARE(frame.getSelectRect(), QRect(0, 0, 1600, 1000));

    // Showing again starts from the camera picture's preset, whatever was chosen before.
    frame.setFrameVisible(false);
    frame.setFrameVisible(true);
    QVERIFY(automatic->selectState());
    frame.onControlClick(false, 5);  // Quit
    QVERIFY(!frame.isVisible());
}

// The presets and "Quit" float over the live picture: the picture must not show through
// them, and their white (the chosen preset's orange) must stand out from their own colour.
void TestRecordBar::regionBarReadableOnAnyPicture()
{
    QWidget window;
    window.resize(1600, 1000);
    window.setAutoFillBackground(true);
    IVideoRecordFrame frame(nullptr, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    frame.setFrameVisible(true);
    frame.onRegionClick(true, 2);
    QList<IIToolButton*> bar;
    for (IIToolButton* b : frame.findChildren<IIToolButton*>()) {
        if (b->parentWidget() != &frame && b->isVisible())
            bar << b;
    }
    QCOMPARE(bar.size(), 7);

    // The brightest and the darkest picture behind the same bar.
    auto over = [&window](const QColor& picture) {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, picture);
        window.setPalette(palette);
        return window.grab().toImage();
    };
    const QImage light = over(Qt::white);
    const QImage dark = over(Qt::black);
    for (IIToolButton* b : bar) {
        const QRect area(b->mapTo(&window, QPoint(0, 0)), b->size());
        const QString name = b->text().isEmpty() ? QStringLiteral("Quit") : b->text();
        int seeThrough = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb a = light.pixel(x, y);
                const QRgb c = dark.pixel(x, y);
                if (qAbs(qRed(a) - qRed(c)) + qAbs(qGreen(a) - qGreen(c)) + qAbs(qBlue(a) - qBlue(c)) > 30)
                    ++seeThrough;
            }
        }
        QVERIFY2(seeThrough == 0, qPrintable(QStringLiteral("%1: %2 pixels show the picture").arg(name).arg(seeThrough)));
        const QColor ink = b->selectState() ? QColor(235, 120, 7) : QColor(Qt::white);
        for (int y = area.top() + 1; y < area.bottom(); y += 2) {
            const QColor back = light.pixelColor(area.left() + 1, y);
            QVERIFY2(contrastRatio(ink, back) >= 4.5, qPrintable(QStringLiteral("%1 at row %2: %3")
                                                                      .arg(name).arg(y - area.top()).arg(back.name())));
        }
    }
}

void TestRecordBar::recordsThroughTheBar()
{
    QWidget window;
    window.resize(1200, 900);
    IVideoRecordFrame frame(nullptr, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TestEnv::clearMessages();
    QSignalSpy finished(IFFmpegApi::instance(), &IFFmpegApi::sgRecordVideo);

    frame.setFrameVisible(true);
    frame.onRegionClick(true, 4);
    frame.onControlClick(false, 6);  // Start
    QVERIFY(IFFmpegApi::instance()->isRecording());
    QVERIFY(!frame.painterState());
    QVERIFY(frame.testAttribute(Qt::WA_TransparentForMouseEvents));
    QTRY_COMPARE_WITH_TIMEOUT(frame.elapsedSeconds(), 1, 5000);

    frame.onControlClick(false, 8);  // Halt: the clock stands still
    const int halted = frame.elapsedSeconds();
    QTest::qWait(1300);
    QCOMPARE(frame.elapsedSeconds(), halted);
    frame.onControlClick(false, 7);  // resume
    QTRY_COMPARE_WITH_TIMEOUT(frame.elapsedSeconds(), halted + 1, 5000);

    frame.stopVideoRecord();
    QVERIFY(!frame.isVisible());
    QVERIFY(!frame.testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(frame.clockText(), QStringLiteral("00 : 00 : 00"));
    // Start again while the file is still being written: the bar says so and records
    // once it is done.
    IFFmpegApi* api = IFFmpegApi::instance();
    QVERIFY(api->isFinalising());
    frame.setFrameVisible(true);
    frame.onControlClick(false, 6);
    QVERIFY(!api->isRecording());
    QVERIFY(window.findChild<QWidget*>(QStringLiteral("recordWaitBar"))->isVisible());
    // The finished box shows the path once the file is complete.
    QVERIFY(finished.wait(60000));
    const QString path = finished.at(0).at(0).toString();
    QCOMPARE(TestEnv::messages().size(), 1);
    QCOMPARE(TestEnv::messages().at(0), QDir::toNativeSeparators(path));
    QCOMPARE(frame.finishedBox()->text(), QDir::toNativeSeparators(path));
    QTRY_VERIFY(api->isRecording());
    QVERIFY(api->outputPath() != path);
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0, 20000);
    frame.stopVideoRecord();
    QVERIFY(finished.wait(60000));
    const MediaProbe probe = probeMedia(path);
    QCOMPARE(probe.width, 640);
    QCOMPARE(probe.height, 480);
    QVERIFY(probe.videoPackets > 0);
}

void TestRecordBar::finishedBoxOnlyWhenTheWindowIsEnabled()
{
    QWidget window;
    IVideoRecordFrame frame(nullptr, &window);
    TestEnv::clearMessages();
    window.setEnabled(false);
    frame.onRecordFinished(QStringLiteral("/tmp/a.mp4"));
    QVERIFY(TestEnv::messages().isEmpty());
    window.setEnabled(true);
    frame.onRecordFinished(QStringLiteral("/tmp/a.mp4"));
    QCOMPARE(TestEnv::messages().size(), 1);
}

void TestRecordBar::abnormalEndOnlyMattersWhileShown()
{
    QWidget window;
    window.resize(1000, 800);
    IVideoRecordFrame frame(nullptr, &window);
    window.show();
    frame.onRecordMessage(4);  // hidden: nothing happens
    QVERIFY(!frame.isVisible());

    frame.setFrameVisible(true);
    frame.onRecordMessage(2);  // the recording state
    QVERIFY(frame.testAttribute(Qt::WA_TransparentForMouseEvents));
    frame.onRecordMessage(4);
    QVERIFY(!frame.isVisible());
    QVERIFY(!frame.testAttribute(Qt::WA_TransparentForMouseEvents));
}

OCUMETRA_TEST_MAIN(TestRecordBar)

void TestRecordBar::finishedBoxNamesWhatCannotBeOpened()
{
    IVideoRecordMsgBox box(nullptr);
    const QString file = QStringLiteral("/tmp/clips/lesson.mp4");
    box.setFrameVisible(true, file);
    TestEnv::clearMessages();
    QStringList opened;
    bool answer = true;
    IImgListViewer::setHook([&](const QString& path) {
        opened << path;
        return answer;
    });
    box.openFileOrFolder(false);
    QCOMPARE(opened, QStringList{file});
    QVERIFY(TestEnv::messages().isEmpty());

    // No player and no file manager: the user learns where the file and folder are.
    answer = false;
    box.openFileOrFolder(false);
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages().at(0).contains(file));
    box.openFileOrFolder(true);
    QCOMPARE(opened.last(), IConfigureService::instance()->videoPath());
    QCOMPARE(TestEnv::messages().size(), 2);
    QVERIFY(TestEnv::messages().at(1).contains(IConfigureService::instance()->videoPath()));
    IImgListViewer::setHook(nullptr);
}

void TestRecordBar::startThroughTheBar(IVideoRecordFrame& frame, QWidget& window)
{
    window.resize(1200, 900);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    frame.setFrameVisible(true);
    frame.onRegionClick(true, 4);
    frame.onControlClick(false, 6);  // Start
    QVERIFY(IFFmpegApi::instance()->isRecording());
}

void TestRecordBar::abortedRecordingShowsTheErrorOnly()
{
    QWidget window;
    IVideoRecordFrame frame(nullptr, &window);
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    TestEnv::clearMessages();
    startThroughTheBar(frame, window);
    const QString path = api->outputPath();
    QTest::qWait(500);
    // The screen can no longer be captured (as when the X server goes away).
    QVERIFY(QMetaObject::invokeMethod(const_cast<ICAVInputStream*>(&api->inputStream()), "sgAVError"));
    QTRY_VERIFY_WITH_TIMEOUT(!api->isRecording() && !api->isFinalising(), 60000);
    QVERIFY(!frame.isVisible());
    // No "finished" box for the cut-off file: the error names where it is.
    QCOMPARE(finished.count(), 0);
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages().at(0).contains(QFileInfo(path).fileName()));
    QVERIFY(probeMedia(path).videoPackets > 0);
}

void TestRecordBar::missingMicrophoneIsToldAtTheStart()
{
    // Sound is asked for (a camera is named) but no microphone opens.
    g_camera_info.description = QStringLiteral("Test camera");
    IFFmpegApi::instance()->ffmpegcmdGetDeviceInfo();
    QWidget window;
    IVideoRecordFrame frame(nullptr, &window);
    QSignalSpy finished(IFFmpegApi::instance(), &IFFmpegApi::sgRecordVideo);
    startThroughTheBar(frame, window);
    // The picture is recorded at once; the microphone's answer comes a moment later.
    ITimeMsgBox* notice = ITimeMsgBox::instance();
    QTRY_VERIFY_WITH_TIMEOUT(notice->isVisible(), IAudioInputFromQt::START_LIMIT_MS + 2000);
    QCOMPARE(notice->findChild<QLabel*>()->text(), QStringLiteral("No microphone: recording without sound"));
    QTest::qWait(500);
    frame.stopVideoRecord();
    QVERIFY(finished.wait(60000));
    const MediaProbe probe = probeMedia(finished.at(0).at(0).toString());
    QVERIFY(probe.videoPackets > 0);
    QCOMPARE(finished.at(0).at(1).toString(), QStringLiteral("The recording has no sound: no microphone answered."));
    g_camera_info.description.clear();
    IFFmpegApi::instance()->ffmpegcmdGetDeviceInfo();
}

#include "tst_recordbar.moc"
