// The program on a Wayland desktop (headless sway, the platform Qt gets when none is
// named, the simulated camera): a screen recording holds what the desktop shows, to the
// pixel and wherever the window is, taken from the desktop's screen-cast portal (forced
// onto native Wayland: the whole screen, told), also when recordings follow each other; a recording
// whose picture source goes away ends with its file kept and the user told; without a
// portal, or when the user refuses to share the screen, the start is refused with a
// message that says why and what to do, and no file is made; the magnifier shows the picture under the pointer magnified.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include "board/iboard.h"
#include "board/item/ipixmapitem.h"
#include "camerarig.h"
#include "customui/icameratoolbar.h"
#include "customui/imagnifierframe.h"
#include "customui/ivideorecordframe.h"
#include "ffmpeg/iffmpegapi.h"
#include "ffmpeg/iscreencastportal.h"
#include "iapplication.h"
#include "iglobal.h"
#include "mainframe.h"
#include "mediaprobe.h"
#include "noticelog.h"
#include "service/iconfigureservice.h"
#include "testenv.h"
#include "waylandmain.h"
#include "waylandsession.h"

namespace {
// Pictures are compared as small grey images: the moving camera picture and the clock
// differ a little between a screenshot and the frame nearest to it, a black or a
// misplaced picture differs a lot.
const QSize kCompareSize(64, 48);

QImage greyOf(const QImage& image)
{
    return image.convertToFormat(QImage::Format_Grayscale8)
        .scaled(kCompareSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

double meanOf(const QImage& grey)
{
    double sum = 0;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            sum += qGray(grey.pixel(x, y));
    return sum / (grey.width() * grey.height());
}

// Tells when the desktop has answered a change of a window's state.
class StateAnswer : public QObject
{
public:
    explicit StateAnswer(QWindow* window) { window->installEventFilter(this); }
    bool answered = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        answered = answered || event->type() == QEvent::WindowStateChange;
        return false;
    }
};

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (a.width() * a.height());
}

struct DecodedFrame
{
    double seconds = 0;
    QImage grey;
};

// Every picture of the recording with its time, as grey compare images.
QVector<DecodedFrame> decodeFrames(const QString& path, QSize* size)
{
    QVector<DecodedFrame> frames;
    const IAVInputPtr input = openMediaFile(path);
    const int video = input ? av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0) : -1;
    if (video < 0)
        return frames;
    *size = QSize(input->streams[video]->codecpar->width, input->streams[video]->codecpar->height);
    forEachGreyPicture(path, kCompareSize, [&](double seconds, const QImage& grey) { frames.append({seconds, grey}); });
    return frames;
}

// The recording's picture at seconds, grey in its own size.
QImage greyFrameAt(const QString& path, const QSize& size, double seconds)
{
    QImage found;
    forEachGreyPicture(path, size, [&](double at, const QImage& grey) {
        if (qAbs(at - seconds) < 0.001)
            found = grey;
    });
    return found;
}

// How far the recorded picture lies from the desktop's (both grey, same size): the
// shift within reach pixels that makes them differ least.
QPoint misplacement(const QImage& shot, const QImage& recorded, int reach)
{
    QPoint best;
    double bestDifference = -1;
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            double sum = 0;
            for (int y = reach; y < shot.height() - reach; ++y) {
                const uchar* a = shot.constScanLine(y);
                const uchar* b = recorded.constScanLine(y + dy);
                for (int x = reach; x < shot.width() - reach; ++x)
                    sum += qAbs(int(a[x]) - int(b[x + dx]));
            }
            if (bestDifference < 0 || sum < bestDifference) {
                bestDifference = sum;
                best = QPoint(dx, dy);
            }
        }
    }
    return best;
}

QStringList videoFiles()
{
    return QDir(IConfigureService::instance()->videoPath()).entryList(QDir::Files);
}
}

class TestWaylandRecord : public QObject
{
    Q_OBJECT
public:
    enum Ending { PortalEnds, BackendDies, PipeWireDies };

    explicit TestWaylandRecord(WaylandSession* desktop) : m_desktop(desktop) {}

private:
    IVideoRecordFrame* openRecordFrame()
    {
        MainFrame* window = qobject_cast<IApplication*>(qApp)->mainFrame();
        window->slCameratoolbarClick(true, 12);  // "Video-Recording"
        return window->findChild<IVideoRecordFrame*>();
    }

    // Presses Start on the full screen, expecting a refusal: nothing records, no file is
    // made, and the one message told is returned (empty when the test failed).
    QString refusedStartMessage()
    {
        IFFmpegApi* api = IFFmpegApi::instance();
        if (!QTest::qWaitFor([api] { return !api->isFinalising(); }, 30000))
            return QString();
        const QStringList before = videoFiles();
        IVideoRecordFrame* frame = openRecordFrame();
        if (!frame || !frame->isVisible())
            return QString();
        frame->onRegionClick(true, 0);  // full screen
        QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
        TestEnv::clearMessages();
        frame->onControlClick(false, 6);  // Start
        const bool answered = QTest::qWaitFor([api] { return !api->isStarting(); }, 30000);
        const QStringList messages = TestEnv::messages();
        const bool refused = answered && !api->isRecording() && !frame->isVisible() && messages.size() == 1;
        (void)QTest::qWaitFor([api] { return !api->isRecording() && !api->isFinalising(); }, 30000);
        if (!refused || finished.count() != 0 || videoFiles() != before) {
            qWarning() << "recording" << api->isRecording() << "bar shown" << frame->isVisible() << "messages"
                       << messages << "finished" << finished.count() << "files" << before << videoFiles();
            return QString();
        }
        return messages.first();
    }

    // Records the frame's selection for ms from Start to Stop, takes the desktop's
    // screenshots of region (where the selection is, unless given) at the given moments
    // and compares each with the file's picture nearest in time. Fails the test on any
    // difference.
    void recordAndCompare(IVideoRecordFrame* frame, int ms, const QVector<int>& shotsAt, QRect region = QRect())
    {
        IFFmpegApi* api = IFFmpegApi::instance();
        if (region.isEmpty())
            region = frame->getGlobalSelectRect();
        QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
        TestEnv::clearMessages();
        frame->onControlClick(false, 6);  // Start
        QTRY_VERIFY_WITH_TIMEOUT(!api->isStarting(), 30000);
        QElapsedTimer sinceStart;
        sinceStart.start();
        if (!api->isRecording())
            qWarning().noquote() << m_desktop->logTail();
        QVERIFY2(api->isRecording(), qPrintable(TestEnv::messages().join(QLatin1Char('\n'))));
        m_lastSession = IScreenCastPortal::instance()->sessionHandle();

        // What the desktop shows of the region, at moments of the recording.
        struct Shot
        {
            double seconds;
            QImage grey;
            QImage full;
        };
        QVector<Shot> shots;
        for (int at : shotsAt) {
            QTest::qWait(int(at - sinceStart.elapsed()));
            const double seconds = sinceStart.elapsed() / 1000.0;
            const QImage shot = m_desktop->screenshot(region);
            QVERIFY2(!shot.isNull(), qPrintable(m_desktop->logTail()));
            QCOMPARE(shot.size(), region.size());
            shots.append({(seconds + sinceStart.elapsed() / 1000.0) / 2, greyOf(shot),
                          shot.convertToFormat(QImage::Format_Grayscale8)});
        }
        QTest::qWait(int(ms - sinceStart.elapsed()));
        // A picture of the last moments, however few a busy compositor sends: a stream
        // that stuck sends none.
        const qint64 written = api->outputStream().videoFramesWritten();
        QVERIFY2(QTest::qWaitFor([&] { return api->outputStream().videoFramesWritten() > written; }, 10000),
                 "no picture came at the end of the recording");
        frame->stopVideoRecord();
        const double recorded = sinceStart.elapsed() / 1000.0;
        QVERIFY(finished.wait(60000));
        // Only the finished box, with the file: no error. This desktop has no microphone,
        // which the box tells.
        const QString path = finished.at(0).at(0).toString();
        QCOMPARE(TestEnv::messages(),
                 QStringList{QStringLiteral("The recording has no sound: no microphone answered.\n")
                             + QDir::toNativeSeparators(path)});

        QSize size;
        const QVector<DecodedFrame> frames = decodeFrames(path, &size);
        // 50 pictures a second asked; a software compositor on a busy machine delivers far
        // fewer (4 a second at a load of 36 on 8 cores), but a stream that stuck shows as a
        // handful, and its last picture early.
        QVERIFY2(frames.size() > recorded, qPrintable(QString::number(frames.size())));
        QCOMPARE(size, QSize(region.width() & ~1, region.height() & ~1));
        // Every picture the recorder took, the last one included, is in the file.
        QCOMPARE(qint64(frames.size()), api->outputStream().videoFramesWritten());
        for (const Shot& shot : shots) {
            // The desktop shows something: a black file cannot pass for it.
            QVERIFY2(meanOf(shot.grey) > 30, qPrintable(QString::number(meanOf(shot.grey))));
            // The file's clock starts at its first picture, a moment after Start, and the
            // desktop may change meanwhile: the picture that matches is looked for around it.
            const DecodedFrame* nearest = &frames.first();
            for (const DecodedFrame& f : frames)
                if (qAbs(f.seconds - shot.seconds) < qAbs(nearest->seconds - shot.seconds))
                    nearest = &f;
            double difference = meanDifference(shot.grey, nearest->grey);
            for (const DecodedFrame& f : frames) {
                const double d = qAbs(f.seconds - shot.seconds) <= 0.5 ? meanDifference(shot.grey, f.grey) : difference;
                if (d < difference) {
                    difference = d;
                    nearest = &f;
                }
            }
            qInfo("screenshot at %.2f s (mean %.1f), frame at %.2f s (mean %.1f): difference %.1f", shot.seconds,
                  meanOf(shot.grey), nearest->seconds, meanOf(nearest->grey), difference);
            QVERIFY2(difference < 12, qPrintable(QString::number(difference)));
            // Not a pixel off: the shift that matches the desktop best is none.
            const QImage recorded = greyFrameAt(path, size, nearest->seconds);
            QVERIFY(!recorded.isNull());
            const QPoint off = misplacement(shot.full.copy(QRect(QPoint(0, 0), recorded.size())), recorded, 3);
            qInfo("recorded picture off by %d,%d pixels", off.x(), off.y());
            QCOMPARE(off, QPoint());
        }
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(placedMainWindowSize(), WaylandSession::outputSize());
    }

    void cleanup()
    {
        // A case that failed leaves no recording running into the next one.
        IFFmpegApi* api = IFFmpegApi::instance();
        if (api->isRecording())
            api->stopRecordVideo();
        QTRY_VERIFY_WITH_TIMEOUT(!api->isRecording() && !api->isFinalising(), 60000);
        // The next case's recording begins once the desktop has ended this one's session.
        waitForCastSessionEnd(m_lastSession);
    }

    void recordingHoldsWhatTheDesktopShows()
    {
        MainFrame* window = qobject_cast<IApplication*>(qApp)->mainFrame();
        QVERIFY(window);
        IVideoRecordFrame* frame = openRecordFrame();
        QVERIFY(frame && frame->isVisible());
        // A region off the screen's corner over the gallery, the grey board, the camera
        // picture and the tool bar: a misplaced crop shows other things.
        frame->setSelectRect(QRect(60, 420, 1000, 600));
        recordAndCompare(frame, 5000, {2000, 3500});
    }

    void chosenAreaIsRecordedWhereverTheWindowIs_data()
    {
        QTest::addColumn<QPoint>("place");
        QTest::newRow("window at the origin") << QPoint();
        QTest::newRow("window at 82,122") << QPoint(82, 122);
    }

    // Qt's own choice of platform, or the one the user forced. A native Wayland window
    // never learns where it is: the whole screen is recorded then, and the user told so.
    void chosenAreaIsRecordedWhereverTheWindowIs()
    {
        QFETCH(QPoint, place);
        MainFrame* window = qobject_cast<IApplication*>(qApp)->mainFrame();
        QRect placed;
        int container = -1;
        QTRY_VERIFY2_WITH_TIMEOUT(
            (container = m_desktop->swayWindow(QCoreApplication::applicationPid(), &placed)) >= 0,
            "sway shows no window of this program", 10000);
        const QString moveTo = QStringLiteral("[con_id=%1] ").arg(container);
        // Wider than high, so the grey board beside the black camera picture shows. A
        // maximised native Wayland window keeps the screen's size.
        const QRect wanted(place, QSize(1800, 700));
        // Placed while the desktop still answers the un-maximising, a native window on
        // Debian 13 may never take the size sway then gives it.
        {
            StateAnswer answer(window->windowHandle());
            window->showNormal();
            (void)QTest::qWaitFor([&] { return answer.answered; }, 5000);
        }
        const QString placeIt = moveTo + QStringLiteral("floating enable, resize set %1 %2, move position %3 %4")
                                              .arg(wanted.width())
                                              .arg(wanted.height())
                                              .arg(place.x())
                                              .arg(place.y());
        QVERIFY(m_desktop->swayCommand(placeIt));
        const QRect screen(QPoint(), WaylandSession::outputSize());
        // Tiled again afterwards, for the cases that follow.
        auto tile = qScopeGuard([&] {
            m_desktop->swayCommand(moveTo + QStringLiteral("floating disable"));
            window->showMaximized();
            // Only a courtesy to the cases that follow: each checks its own window.
            (void)QTest::qWaitFor([&] { return window->geometry() == screen; }, 10000);
        });
        // Both sides agree: sway's tree, and the window, which learns its size from sway's
        // configure a while later (long on a busy machine).
        auto placedAsWanted = [&] {
            if (m_desktop->swayWindow(QCoreApplication::applicationPid(), &placed) != container || placed != wanted) {
                // A native window tiled a moment ago may keep its size the first time.
                m_desktop->swayCommand(placeIt);
                return false;
            }
            return window->size() == wanted.size();
        };
        QTRY_VERIFY2_WITH_TIMEOUT(placedAsWanted(),
                                  qPrintable(QStringLiteral("sway placed the window at %1,%2 %3x%4, the window has %5x%6 "
                                                            "(its native window %7x%8, state %9)")
                                                 .arg(placed.x())
                                                 .arg(placed.y())
                                                 .arg(placed.width())
                                                 .arg(placed.height())
                                                 .arg(window->width())
                                                 .arg(window->height())
                                                 .arg(window->windowHandle()->width())
                                                 .arg(window->windowHandle()->height())
                                                 .arg(int(window->windowState()))),
                                  30000);
        // An X client learns its new place a moment later; a native Wayland one never does.
        (void)QTest::qWaitFor([&] { return window->mapToGlobal(QPoint()) == place; }, 5000);

        NoticeLog notices;
        IVideoRecordFrame* frame = openRecordFrame();
        QVERIFY(frame && frame->isVisible());
        // Over the gallery, the grey board, the camera picture and the tool bar.
        const QRect chosen(0, 100, 1300, 590);
        frame->setSelectRect(chosen);
        const bool forcedNative = qgetenv("OCUMETRA_TEST_QT_PLATFORM") == "wayland";
        const QRect expected = forcedNative ? screen
                                            : QRect(placed.topLeft() + frame->mapTo(window, chosen.topLeft()),
                                                    chosen.size());
        // The notice that the whole screen is recorded stands clear of Start (in the middle
        // of the chosen area) and lets clicks through.
        const QString told = QStringLiteral("The desktop does not tell where this window is: the whole screen is recorded");
        QLabel* placeNotice = nullptr;
        for (QLabel* label : frame->findChildren<QLabel*>()) {
            if (label->isVisible() && label->text() == told)
                placeNotice = label;
        }
        QCOMPARE(placeNotice != nullptr, forcedNative);
        if (placeNotice) {
            QVERIFY(placeNotice->testAttribute(Qt::WA_TransparentForMouseEvents));
            QVERIFY2(!placeNotice->geometry().contains(chosen.center()), "the notice covers Start");
        }
        QVERIFY(!notices.texts().contains(told));
        recordAndCompare(frame, 3000, {1500}, expected);
    }

    void recordingsInARowEachHoldThePicture()
    {
        // A teacher records more than once in a run, the next one right after the last.
        IFFmpegApi* api = IFFmpegApi::instance();
        const int logFrom = m_desktop->portalBackendLog().size();
        for (int round = 0; round < 3; ++round) {
            QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 30000);
            IVideoRecordFrame* frame = openRecordFrame();
            QVERIFY(frame && frame->isVisible());
            frame->setSelectRect(QRect(100 + 40 * round, 300, 800, 500));
            recordAndCompare(frame, 3000, {1500});
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("recording %1 of 3 failed").arg(round + 1)));
        }
        // Each recording left its stream before it ended its grant: the desktop's back end
        // (xdg-desktop-portal-wlr 0.7) crashes, depending on timing, on a grant ended under
        // a stream still read, and from then on refuses every recording.
        const QLatin1String closed("dbus: session closed");
        QTRY_VERIFY_WITH_TIMEOUT(m_desktop->portalBackendLog().mid(logFrom).count(closed) == 3, 5000);
        const QStringList lines = m_desktop->portalBackendLog().mid(logFrom).split(QLatin1Char('\n'));
        bool streaming = false;
        int endedUnderStream = 0;
        for (const QString& line : lines) {
            if (line.contains(QLatin1String("stream state changed to \"streaming\"")))
                streaming = true;
            else if (line.contains(QLatin1String("stream state changed to")))
                streaming = false;
            else if (line.contains(closed) && streaming)
                ++endedUnderStream;
        }
        QVERIFY2(endedUnderStream == 0,
                 qPrintable(QStringLiteral("%1 of 3 grants ended while the stream was read").arg(endedUnderStream)));
        QVERIFY(m_desktop->portalBackendRunning());
    }

    void magnifierShowsThePictureMagnified()
    {
        // The X root window is empty under XWayland: what the magnifier shows is compared
        // with what the desktop itself shows, both taken by grim.
        IApplication* app = qobject_cast<IApplication*>(qApp);
        MainFrame* window = app->mainFrame();
        // The magnifier grabs when the pointer moves: the window must have its final size
        // by then, and the live picture must hold still until the desktop is shot.
        QTRY_COMPARE_WITH_TIMEOUT(window->size(), window->screen()->availableGeometry().size(), 30000);
        window->slCameratoolbarClick(true, QVariant(ICameraToolBar::Freeze));
        QVERIFY(waitForStillPicture([window] { return window->m_board->pixmapElement()->image().cacheKey(); }));
        window->slRightToolBarClick(true, 1);  // the magnifying glass
        auto* magnifier = window->findChild<IMagnifierFrame*>();
        QVERIFY(magnifier);
        QTRY_VERIFY(magnifier->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(magnifier->window()));
        const QSize area(250, 150);
        // Over the camera picture and the gallery, away from the magnifier on the right.
        const QPoint pointer = window->mapToGlobal(QPoint(380, 420));
        const QRect source(pointer - QPoint(area.width() / 2, area.height() / 2), area);
        emit app->sgGMouseMoveEvent(pointer);
        // Where the desktop placed the window (sway centres it), as its last configure said,
        // and what it shows there once it has drawn the magnified picture.
        QLabel* label = magnifier->pictureLabel();
        QRect shownRect;
        QImage shown;
        QImage original;
        double difference = 255;
        (void)QTest::qWaitFor(
            [&] {
                shownRect = QRect(magnifier->window()->geometry().topLeft()
                                      + label->mapTo(magnifier->window(), QPoint(0, 0)),
                                  label->size());
                shown = m_desktop->screenshot(shownRect);
                original = m_desktop->screenshot(source);
                if (shown.size() != QSize(500, 300) || original.isNull())
                    return false;
                difference = meanDifference(greyOf(shown), greyOf(original));
                return difference < 12;
            },
            15000);
        window->slRightToolBarClick(true, 1);
        window->slCameratoolbarClick(false, QVariant(ICameraToolBar::Freeze));
        QVERIFY2(!shownRect.intersects(source), "the magnifier covers what it magnifies");
        QVERIFY2(!shown.isNull() && !original.isNull(), qPrintable(m_desktop->logTail()));
        QCOMPARE(shown.size(), QSize(500, 300));
        const QImage magnified = greyOf(shown);
        const QImage expected = greyOf(original);
        QVERIFY2(meanOf(expected) > 30, qPrintable(QString::number(meanOf(expected))));
        qInfo("magnifier mean %.1f, desktop mean %.1f: difference %.1f", meanOf(magnified), meanOf(expected),
              difference);
        QVERIFY2(difference < 12, qPrintable(QString::number(difference)));
    }

    void refusedSharingIsToldAndNothingStarts()
    {
        // The desktop asks which screen to share; the user closes its chooser without
        // choosing, and the portal answers "cancelled".
        QVERIFY2(m_desktop->restartPortal(true), qPrintable(m_desktop->logTail()));
        const QString text = refusedStartMessage();
        QVERIFY2(text.contains(QStringLiteral("refused or cancelled")) && text.contains(QStringLiteral("allow")),
                 qPrintable(text));
        // Start again, and this time the user allows it: the refusal left nothing behind.
        QVERIFY2(m_desktop->restartPortal(), qPrintable(m_desktop->logTail()));
        IVideoRecordFrame* frame = openRecordFrame();
        QVERIFY(frame && frame->isVisible());
        frame->setSelectRect(QRect(100, 300, 800, 500));
        recordAndCompare(frame, 2500, {1500});
    }

    void pictureSourceEndingMidwayKeepsWhatWasRecorded_data()
    {
        QTest::addColumn<int>("ending");
        QTest::newRow("the portal ends") << int(PortalEnds);
        QTest::newRow("the portal's back end dies, its stream with it") << int(BackendDies);
        // Last: PipeWire is not started again.
        QTest::newRow("PipeWire dies") << int(PipeWireDies);
    }

    void pictureSourceEndingMidwayKeepsWhatWasRecorded()
    {
        QFETCH(int, ending);
        QVERIFY2(m_desktop->restartPortal(), qPrintable(m_desktop->logTail()));
        IFFmpegApi* api = IFFmpegApi::instance();
        QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 30000);
        IVideoRecordFrame* frame = openRecordFrame();
        QVERIFY(frame && frame->isVisible());
        frame->onRegionClick(true, 0);  // full screen
        QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
        TestEnv::clearMessages();
        frame->onControlClick(false, 6);  // Start
        QTRY_VERIFY_WITH_TIMEOUT(!api->isStarting(), 30000);
        QVERIFY2(api->isRecording(), qPrintable(TestEnv::messages().join(QLatin1Char('\n'))));
        const QString path = api->outputPath();
        // Two seconds recorded from the first picture, where the file starts: a busy desktop
        // hands it over a second or more after the start.
        QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0, 30000);
        QTest::qWait(2000);
        if (ending == PortalEnds)
            m_desktop->stopPortal();  // as when the user stops sharing the screen
        else if (ending == BackendDies)
            m_desktop->killPortalBackend();
        else
            m_desktop->killPipeWire();
        QTRY_VERIFY_WITH_TIMEOUT(!api->isRecording() && !api->isFinalising(), 30000);
        QVERIFY(!frame->isVisible());
        // No "finished" box: the user is told that the recording stopped, and where the
        // part that was recorded is.
        QCOMPARE(finished.count(), 0);
        QCOMPARE(TestEnv::messages().size(), 1);
        QVERIFY2(TestEnv::messages().first().contains(QFileInfo(path).fileName()),
                 qPrintable(TestEnv::messages().first()));
        // What was recorded is kept; how many pictures the software compositor delivered
        // in that time depends on the machine's load, their span does not.
        const MediaProbe probe = probeMedia(path);
        QVERIFY(probe.videoPackets > 0);
        QVERIFY2(probe.videoSeconds > 1.5, qPrintable(QString::number(probe.videoSeconds)));
    }

    void withoutPortalStartIsRefusedAndTold()
    {
        m_desktop->stopPortal();
        const QString text = refusedStartMessage();
        QVERIFY2(text.contains(QStringLiteral("xdg-desktop-portal")) && text.contains(QStringLiteral("X11 session")),
                 qPrintable(text));
    }

private:
    WaylandSession* m_desktop;
    // The screen-cast session of the last recording.
    QString m_lastSession;
};

int main(int argc, char** argv)
{
    // The platform as a user has it: none named, unless the run names one.
    return runOnWaylandDesktop(QStringLiteral("OcumetraWaylandRecordTest"), qgetenv("OCUMETRA_TEST_QT_PLATFORM"), 240,
                               argc, argv, [&](WaylandSession& desktop) {
                                   TestWaylandRecord tc(&desktop);
                                   QTEST_SET_MAIN_SOURCE_PATH
                                   return QTest::qExec(&tc, argc, argv);
                               });
}

#include "tst_waylandrecord.moc"
