// Start of a screen recording on a Wayland desktop (headless sway, the program an X
// client of XWayland): the start never blocks the window, each way it can fail is told
// as its own cause within a few seconds, a start that waits for the desktop's dialog
// says so and can be abandoned (Escape, Cancel), and no PipeWire descriptor is left
// behind by a recording. Where the desktop misbehaves, a stand-in portal (this program
// run with --fake-portal) answers on the desktop's bus instead of the real one.

#include <QAbstractButton>
#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include "camerarig.h"
#include "customui/icameratoolbar.h"
#include "customui/iitoolbutton.h"
#include "customui/imaintitlewidget.h"
#include "customui/ivideorecordframe.h"
#include "ffmpeg/iffmpegapi.h"
#include "ffmpeg/ipipewirecapture.h"
#include "ffmpeg/iscreencastportal.h"
#include "iapplication.h"
#include "idialogseam.h"
#include "mainframe.h"
#include "mediaprobe.h"
#include "service/iconfigureservice.h"
#include "testenv.h"
#include "waylandmain.h"
#include "waylandsession.h"

#include <gst/gst.h>
#include <gst/video/video-info.h>

namespace {
const QString PORTAL = QStringLiteral("org.freedesktop.portal.Desktop");

struct FakeStream
{
    uint node = 0;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& arg, const FakeStream& stream)
{
    arg.beginStructure();
    arg << stream.node << stream.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, FakeStream& stream)
{
    arg.beginStructure();
    arg >> stream.node >> stream.properties;
    arg.endStructure();
    return arg;
}
}
Q_DECLARE_METATYPE(FakeStream)

namespace {
// The stand-in portal. Modes: "silent" takes every call and never answers one;
// "dialog" answers until its dialog (Start), which stays open 20 s and is then refused
// (or at once, asked with EndDialog);
// "nopipewire" grants a stream but cannot connect it to PipeWire; "nopicture" grants one
// whose connection never says anything. Every call is printed.
class FakePortal : public QDBusVirtualObject
{
public:
    explicit FakePortal(const QString& mode) : m_mode(mode) {}

    QString introspect(const QString&) const override { return QString(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        QDBusConnection bus(connection);
        const QString member = message.member();
        std::printf("%s %s\n", qPrintable(member), qPrintable(message.path()));
        std::fflush(stdout);
        const QVariantMap properties{{QStringLiteral("AvailableSourceTypes"), 7u},
                                     {QStringLiteral("AvailableCursorModes"), 7u},
                                     {QStringLiteral("version"), 4u}};
        if (member == QLatin1String("GetAll")) {
            bus.send(message.createReply(QVariant(properties)));
            return true;
        }
        if (member == QLatin1String("Get")) {
            const QVariant value = properties.value(message.arguments().value(1).toString());
            bus.send(message.createReply(QVariant::fromValue(QDBusVariant(value))));
            return true;
        }
        if (member == QLatin1String("Close")) {
            bus.send(message.createReply());
            return true;
        }
        if (member == QLatin1String("EndDialog")) {
            // The desktop ends the open dialog and its session; its answers go out before
            // this call's reply.
            respond(bus, m_dialog, 2, {});
            bus.send(QDBusMessage::createSignal(m_dialogSession, QStringLiteral("org.freedesktop.portal.Session"),
                                                QStringLiteral("Closed")));
            bus.send(message.createReply());
            return true;
        }
        if (member == QLatin1String("OpenPipeWireRemote")) {
            // As the portal answers when it cannot reach PipeWire.
            if (m_mode == QLatin1String("nopipewire")) {
                bus.send(message.createErrorReply(QStringLiteral("org.freedesktop.portal.Error.Failed"),
                                                  QStringLiteral("Failed to open PipeWire remote")));
                return true;
            }
            // A connection whose other end never speaks (kept open).
            int pair[2];
            if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
                return false;
            bus.send(message.createReply(QVariant::fromValue(QDBusUnixFileDescriptor(pair[0]))));
            ::close(pair[0]);
            return true;
        }
        const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().last());
        QString sender = message.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString base = QStringLiteral("/org/freedesktop/portal/desktop/%1/") + sender + QLatin1Char('/');
        const QString request = base.arg(QStringLiteral("request")) + options.value(QStringLiteral("handle_token")).toString();
        bus.send(message.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        if (m_mode == QLatin1String("silent"))
            return true;
        uint response = 0;
        QVariantMap results;
        if (member == QLatin1String("CreateSession")) {
            results.insert(QStringLiteral("session_handle"),
                           base.arg(QStringLiteral("session"))
                               + options.value(QStringLiteral("session_handle_token")).toString());
        } else if (member == QLatin1String("Start")) {
            if (m_mode == QLatin1String("dialog")) {
                m_dialog = request;
                m_dialogSession = message.arguments().value(0).value<QDBusObjectPath>().path();
                QTimer::singleShot(20000, [bus, request]() mutable { respond(bus, request, 1, {}); });
                return true;
            }
            results.insert(QStringLiteral("streams"), QVariant::fromValue(QList<FakeStream>{{77, {}}}));
        }
        respond(bus, request, response, results);
        return true;
    }

private:
    static void respond(QDBusConnection bus, const QString& request, uint response, const QVariantMap& results)
    {
        QDBusMessage signal =
            QDBusMessage::createSignal(request, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        signal << response << results;
        bus.send(signal);
    }

    QString m_mode;
    QString m_dialog;
    QString m_dialogSession;
};

int runFakePortal(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qDBusRegisterMetaType<FakeStream>();
    qDBusRegisterMetaType<QList<FakeStream>>();
    FakePortal portal(QString::fromLatin1(argv[2]));
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerVirtualObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
                                   QDBusConnection::SubPath)
        || !bus.registerService(PORTAL))
        return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    return app.exec();
}

QStringList videoFiles()
{
    return QDir(IConfigureService::instance()->videoPath()).entryList(QDir::Files);
}

// The sockets this process's descriptors hold (a PipeWire connection is one), one entry
// a descriptor.
QStringList openSockets()
{
    QStringList sockets;
    for (const QString& fd : QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::System | QDir::NoDotAndDotDot)) {
        char target[256] = {};
        const QByteArray path = QByteArrayLiteral("/proc/self/fd/") + fd.toLatin1();
        if (::readlink(path.constData(), target, sizeof(target) - 1) > 0 && qstrncmp(target, "socket:", 7) == 0)
            sockets << QString::fromLatin1(target);
    }
    return sockets;
}

// The sockets open now that were not open at before (a descriptor each).
QStringList socketsOpenedSince(const QStringList& before)
{
    QStringList held = before;
    QStringList opened;
    for (const QString& socket : openSockets())
        if (!held.removeOne(socket))
            opened << socket;
    return opened;
}

// How many pictures of the recording differ from the one before (the first counts), and
// the longest time (s) the file showed one picture: a stream that stuck repeats its last
// picture, frame after frame.
int distinctPictures(const QString& path, int* frames, double* longestStill)
{
    *frames = 0;
    *longestStill = 0;
    double changed = 0;
    QImage last;
    int distinct = 0;
    forEachGreyPicture(path, QSize(64, 48), [&](double at, const QImage& grey) {
        ++*frames;
        // Something small that moves (the camera's ball) changes a few pixels a lot; the
        // encoder's noise changes many a little.
        int difference = 0;
        for (int y = 0; y < grey.height() && !last.isNull(); ++y)
            for (int x = 0; x < grey.width(); ++x)
                difference = qMax(difference, qAbs(int(grey.constScanLine(y)[x]) - int(last.constScanLine(y)[x])));
        if (last.isNull() || difference > 24) {
            ++distinct;
            changed = at;
        }
        *longestStill = qMax(*longestStill, at - changed);
        last = grey;
    });
    return distinct;
}

GstSample* sampleOf(gsize bytes, bool corrupted)
{
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", "width", G_TYPE_INT, 64,
                                        "height", G_TYPE_INT, 48, "framerate", GST_TYPE_FRACTION, 30, 1, nullptr);
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, bytes, nullptr);
    if (corrupted)
        GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_CORRUPTED);
    GstSample* sample = gst_sample_new(buffer, caps, nullptr, nullptr);
    gst_buffer_unref(buffer);
    gst_caps_unref(caps);
    return sample;
}
}

class TestRecordStart : public QObject
{
    Q_OBJECT
public:
    explicit TestRecordStart(WaylandSession* desktop) : m_desktop(desktop) {}

private:
    MainFrame* window() const { return qobject_cast<IApplication*>(qApp)->mainFrame(); }

    IVideoRecordFrame* openRecordFrame()
    {
        window()->slCameratoolbarClick(true, ICameraToolBar::VideoRecording);
        IVideoRecordFrame* frame = window()->findChild<IVideoRecordFrame*>();
        if (frame)
            frame->onRegionClick(true, 0);  // full screen
        return frame;
    }

    // What answers on the desktop's bus: the real portal ("real", "refusing" where the
    // user closes its chooser, "nobackend" without its back end), none ("none"), or the
    // stand-in in that mode.
    bool usePortal(const QString& mode)
    {
        stopFake();
        m_desktop->stopPortal();
        if (mode == QLatin1String("real") || mode == QLatin1String("refusing"))
            return m_desktop->restartPortal(mode == QLatin1String("refusing"));
        if (mode == QLatin1String("nobackend")) {
            if (!m_desktop->restartPortal())
                return false;
            m_desktop->killPortalBackend();
            return !m_desktop->portalBackendRunning();
        }
        if (mode == QLatin1String("none"))
            return true;
        m_fake.setProgram(QCoreApplication::applicationFilePath());
        m_fake.setArguments({QStringLiteral("--fake-portal"), mode});
        m_fake.start();
        return m_fake.waitForStarted(5000) && m_fake.waitForReadyRead(10000)
               && m_fake.readLine().startsWith("ready");
    }

    void stopFake()
    {
        if (m_fake.state() == QProcess::NotRunning)
            return;
        m_fake.terminate();
        if (!m_fake.waitForFinished(5000)) {
            m_fake.kill();
            m_fake.waitForFinished(5000);
        }
    }

    QString fakeLog()
    {
        m_fakeLog += QString::fromUtf8(m_fake.readAllStandardOutput());
        return m_fakeLog;
    }

    // Every trace of a start is gone: nothing records, the frame is put away and the
    // camera bar's button is back, no file was made.
    void verifyNothingStarted(IVideoRecordFrame* frame, const QStringList& filesBefore)
    {
        QVERIFY(!IFFmpegApi::instance()->isRecording());
        QVERIFY(!frame->isVisible());
        QCOMPARE(videoFiles(), filesBefore);
        IIToolButton* record = window()->findChild<ICameraToolBar*>()->button(ICameraToolBar::VideoRecording);
        QVERIFY(record->isEnabled() && !record->isChecked());
    }

    // Presses Start, which must be refused within boundMs with the one message saying
    // one of told, leaving nothing started; the waiting bar is gone when it is told.
    void startToldAsItself(IVideoRecordFrame* frame, const QStringList& told, qint64 boundMs)
    {
        const QStringList before = videoFiles();
        TestEnv::clearMessages();
        m_waitBarShownWhenTold = false;
        QElapsedTimer clock;
        clock.start();
        frame->onControlClick(false, 6);  // Start
        QTRY_VERIFY_WITH_TIMEOUT(!TestEnv::messages().isEmpty(), 30000);
        const qint64 answered = clock.elapsed();
        qInfo("%s: answered after %lld ms", QTest::currentDataTag(), answered);
        QCOMPARE(TestEnv::messages().size(), 1);
        const QString& message = TestEnv::messages().first();
        QVERIFY2(std::any_of(told.begin(), told.end(), [&](const QString& t) { return message.contains(t); }),
                 qPrintable(message));
        QVERIFY(!m_waitBarShownWhenTold);
        QVERIFY2(answered < boundMs, qPrintable(QString::number(answered)));
        QTRY_VERIFY(!frame->isVisible());
        verifyNothingStarted(frame, before);
    }

    // The visible button or text of the main window that says text.
    template<typename T>
    T* visibleWith(const QString& text)
    {
        for (T* w : window()->findChildren<T*>())
            if (w->isVisible() && w->text().contains(text))
                return w;
        return nullptr;
    }

    // Records the full screen for ms, once the desktop has ended the last recording's
    // session; the file's path (empty when the test failed).
    QString recordBriefly(int ms = 1500)
    {
        IFFmpegApi* api = IFFmpegApi::instance();
        waitForCastSessionEnd(m_lastSession);
        if (QTest::currentTestFailed())
            return QString();
        QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
        IVideoRecordFrame* frame = openRecordFrame();
        if (!frame || !frame->isVisible())
            return QString();
        TestEnv::clearMessages();
        frame->onControlClick(false, 6);  // Start
        if (!QTest::qWaitFor([api] { return api->isRecording(); }, 20000)) {
            qWarning() << "not recording:" << TestEnv::messages();
            qWarning().noquote() << m_desktop->logTail();
            return QString();
        }
        m_lastSession = IScreenCastPortal::instance()->sessionHandle();
        QTest::qWait(ms);
        frame->stopVideoRecord();
        return finished.wait(60000) ? finished.at(0).at(0).toString() : QString();
    }

private slots:
    void initTestCase()
    {
        QCOMPARE(placedMainWindowSize(), WaylandSession::outputSize());
        // Answers OK, as the tests' own hook does, noting whether Start's waiting bar is
        // still shown beside the box.
        IDialogSeam::setMessageHook([this](const QString& text, const QString&) {
            const QWidget* bar = window()->findChild<QWidget*>(QStringLiteral("recordWaitBar"));
            m_waitBarShownWhenTold = bar && bar->isVisible();
            TestEnv::messages().append(text);
            return 0x400;
        });
    }

    void init()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!IFFmpegApi::instance()->isFinalising(), 60000);
        waitForCastSessionEnd(m_lastSession);
        m_fakeLog.clear();
    }

    void cleanup()
    {
        IFFmpegApi* api = IFFmpegApi::instance();
        if (api->isRecording())
            api->stopRecordVideo();
        stopFake();
    }

    void everyFailureToStartIsToldAsItself_data()
    {
        QTest::addColumn<QString>("portal");
        QTest::addColumn<QString>("told");
        QTest::newRow("no portal") << "none" << "offers no screen-sharing service";
        QTest::newRow("the user refuses") << "refusing" << "refused or cancelled";
        // The portal stays; its back end is gone: no dialog is shown.
        QTest::newRow("the sharing service fails") << "nobackend" << "screen-sharing service (xdg-desktop-portal) failed";
        // Told as no portal after 10 s before.
        QTest::newRow("no answer") << "silent" << "did not answer the request to share the screen in time";
        QTest::newRow("no PipeWire") << "nopipewire" << "(PipeWire) cannot be opened";
        QTest::newRow("no picture") << "nopicture" << "sent no picture";
    }

    void everyFailureToStartIsToldAsItself()
    {
        QFETCH(QString, portal);
        QFETCH(QString, told);
        QVERIFY2(usePortal(portal), qPrintable(m_desktop->logTail()));
        IVideoRecordFrame* frame = openRecordFrame();
        QVERIFY(frame && frame->isVisible());
        // Within the few seconds of a step without a dialog (generous: a busy machine).
        startToldAsItself(frame, {told}, 15000);
        if (QTest::currentTestFailed())
            return;
        // The desktop's session of the failed start was ended.
        if (m_fake.state() == QProcess::Running)
            QTRY_VERIFY2(fakeLog().contains(QLatin1String("Close /org/freedesktop/portal/desktop/session/")),
                         qPrintable(fakeLog()));
    }

    void startWaitingForTheDesktopLeavesTheWindowUsable()
    {
        // The desktop's dialog stays open: the window says what it waits for, the title
        // bar still works, and Escape or Cancel abandon the start at once.
        QVERIFY(usePortal(QStringLiteral("dialog")));
        MainFrame* main = window();
        IIToolButton* minimise = main->findChild<IMainTitleWidget*>()->button(IMainTitleWidget::Minimize);
        QVERIFY(minimise && minimise->isVisible());
        for (const bool escape : {true, false}) {
            IVideoRecordFrame* frame = openRecordFrame();
            QVERIFY(frame && frame->isVisible());
            const QStringList before = videoFiles();
            TestEnv::clearMessages();
            m_fakeLog.clear();
            bool waitingTold = false;
            bool clickReached = false;
            bool minimised = false;
            qint64 clickAnswered = -1;
            qint64 abandoned = -1;
            QElapsedTimer clock;
            // While the start waits for the desktop's dialog (on the old code: inside it):
            // the title bar is clicked, then, once the window is active again, the start
            // is abandoned.
            QTimer waiting;
            waiting.setInterval(20);
            bool clicked = false;
            connect(&waiting, &QTimer::timeout, this, [&] {
                if (!clicked) {
                    if (!fakeLog().contains(QLatin1String("\nStart ")))
                        return;
                    clicked = true;
                    waitingTold = visibleWith<QLabel>(QStringLiteral("permission to share the screen")) != nullptr;
                    // Where the click lands is what lies on top there.
                    const QPoint at = main->mapFromGlobal(minimise->mapToGlobal(minimise->rect().center()));
                    QWidget* hit = main->childAt(at);
                    clickReached = hit == minimise || minimise->isAncestorOf(hit);
                    if (clickReached) {
                        QElapsedTimer click;
                        click.start();
                        QTest::mouseClick(minimise, Qt::LeftButton);
                        minimised = main->windowState() & Qt::WindowMinimized;
                        clickAnswered = click.elapsed();
                        main->showMaximized();
                    }
                    main->activateWindow();
                }
                // The key goes to the active window, as the user's does.
                if (!main->isActiveWindow())
                    return;
                waiting.stop();
                clock.start();
                if (escape) {
                    QTest::keyClick(main, Qt::Key_Escape);
                } else if (QAbstractButton* cancel = visibleWith<QAbstractButton>(QStringLiteral("Cancel"))) {
                    QTest::mouseClick(cancel, Qt::LeftButton);
                }
            });
            waiting.start();
            frame->onControlClick(false, 6);  // Start
            QTRY_VERIFY_WITH_TIMEOUT(clock.isValid() && !frame->isVisible(), 30000);
            abandoned = clock.elapsed();
            qInfo("%s: click on the title bar answered in %lld ms; start abandoned %lld ms after the key",
                  escape ? "Escape" : "Cancel", clickAnswered, abandoned);
            QVERIFY2(clickReached, "the click on the title bar did not reach it");
            QVERIFY(minimised);
            QVERIFY(waitingTold);
            QVERIFY2(abandoned < 2000, qPrintable(QString::number(abandoned)));
            // Abandoned by the user: nothing to tell, nothing left open at the desktop.
            QCOMPARE(TestEnv::messages(), QStringList());
            verifyNothingStarted(frame, before);
            QTRY_VERIFY2(fakeLog().contains(QLatin1String("Close /org/freedesktop/portal/desktop/request/"))
                             && fakeLog().contains(QLatin1String("Close /org/freedesktop/portal/desktop/session/")),
                         qPrintable(fakeLog()));
        }
    }

    void answersOfAnAbandonedStartEndNoNewOne()
    {
        // The desktop refuses the dialog and ends its session just as the user abandons
        // that start and starts again: both answers reach the new start.
        QVERIFY(usePortal(QStringLiteral("dialog")));
        IVideoRecordFrame* frame = openRecordFrame();
        QVERIFY(frame && frame->isVisible());
        const QStringList before = videoFiles();
        TestEnv::clearMessages();
        frame->onControlClick(false, 6);  // Start
        QTRY_VERIFY_WITH_TIMEOUT(fakeLog().contains(QLatin1String("\nStart ")), 30000);
        // The keys below go to the active window, as the user's do.
        window()->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(window()->isActiveWindow(), 10000);
        // Blocking: the answers, sent before the reply, wait in this thread's queue.
        const QDBusMessage ended = QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            PORTAL, QStringLiteral("/org/freedesktop/portal/desktop"), QStringLiteral("org.ocumetra.Test"),
            QStringLiteral("EndDialog")));
        QCOMPARE(ended.type(), QDBusMessage::ReplyMessage);
        QTest::keyClick(window(), Qt::Key_Escape);
        QVERIFY(!frame->isVisible());
        frame = openRecordFrame();
        QVERIFY(frame && frame->isVisible());
        frame->onControlClick(false, 6);
        QTRY_VERIFY_WITH_TIMEOUT(fakeLog().count(QLatin1String("\nStart ")) == 2 || !TestEnv::messages().isEmpty(),
                                 30000);
        QCOMPARE(TestEnv::messages(), QStringList());
        QVERIFY(frame->isVisible());
        QTest::keyClick(window(), Qt::Key_Escape);
        verifyNothingStarted(frame, before);
    }

    void recordingsLeaveNoPipeWireDescriptor()
    {
        // pipewiresrc connects through its own copy of the descriptor the portal gives.
        QVERIFY2(usePortal(QStringLiteral("real")), qPrintable(m_desktop->logTail()));
        QVERIFY(!recordBriefly().isEmpty());  // GStreamer's own set-up is not counted
        QTRY_VERIFY_WITH_TIMEOUT(!IFFmpegApi::instance()->isFinalising(), 30000);
        for (int i = 0; i < 3; ++i) {
            const QStringList before = openSockets();
            QVERIFY(!recordBriefly().isEmpty());
            QTRY_VERIFY_WITH_TIMEOUT(!IFFmpegApi::instance()->isFinalising(), 30000);
            // The stream's last holder may be its own thread, which lets go a moment later
            // (of the recording before too).
            QTRY_VERIFY2_WITH_TIMEOUT(socketsOpenedSince(before).isEmpty(),
                                      qPrintable(socketsOpenedSince(before).join(QLatin1Char(' '))), 10000);
        }
    }

    void recordedPicturesFollowTheScreen()
    {
        // The window shows the moving camera picture: the file must change with it, not
        // repeat one picture at the frame rate.
        QVERIFY2(usePortal(QStringLiteral("real")), qPrintable(m_desktop->logTail()));
        const QString path = recordBriefly(4000);
        QVERIFY(!path.isEmpty());
        int frames = 0;
        double still = 0;
        const int distinct = distinctPictures(path, &frames, &still);
        qInfo("%d distinct pictures in %d frames, one held at most %.2f s", distinct, frames, still);
        QVERIFY2(distinct >= 8, qPrintable(QStringLiteral("%1 of %2").arg(distinct).arg(frames)));
        // The ball moves all the time: a picture held long is a stream that stuck.
        QVERIFY2(still < 1.5, qPrintable(QString::number(still)));
    }

    void brokenBuffersAreNotPictures()
    {
        // 64 x 48 BGRx: 12288 bytes.
        const struct
        {
            gsize bytes;
            bool corrupted;
            bool whole;
        } cases[] = {{12288, false, true}, {0, false, false}, {12288, true, false}, {6000, false, false}};
        for (const auto& c : cases) {
            GstSample* sample = sampleOf(c.bytes, c.corrupted);
            const bool whole = IPipeWireCapture::isWholePicture(sample);
            gst_sample_unref(sample);
            QVERIFY2(whole == c.whole, qPrintable(QStringLiteral("%1 bytes, corrupted %2").arg(c.bytes).arg(c.corrupted)));
        }
    }

    void aFailedStreamKeepsItsConnectionNumber()
    {
        // pipewiresrc shares one PipeWire connection among elements given the same
        // descriptor number: a number let go while its stream lives comes back from the
        // next start's portal, whose stream then joins the old connection and gets no
        // picture (seen: "sent no picture" right after a failed start's stream ended).
        int pair[2];
        QVERIFY(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) == 0);
        ::close(pair[1]);  // nobody answers: the start fails, after pipewiresrc's own wait
        IPipeWireCapture capture;
        capture.open(pair[0], 77);
        QTRY_VERIFY_WITH_TIMEOUT(capture.state() == IPipeWireCapture::StartFailed, 60000);
        QTest::qWait(100);
        QVERIFY2(::fcntl(pair[0], F_GETFD) != -1, "the descriptor was closed while its stream lived");
    }

    // Last: PipeWire is not started again.
    void afterPipeWireDiedTheRestoredGrantIsNotAwaitedLong()
    {
        // The grant of the last recording is restored without a dialog; with PipeWire
        // gone the desktop never answers it (waited 180 s for, then told as no portal),
        // or, once its back end has noticed, fails it at once: either is told as itself.
        QVERIFY2(usePortal(QStringLiteral("real")), qPrintable(m_desktop->logTail()));
        QVERIFY(!recordBriefly().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!IFFmpegApi::instance()->isFinalising(), 30000);
        m_desktop->killPipeWire();
        IVideoRecordFrame* frame = openRecordFrame();
        QVERIFY(frame && frame->isVisible());
        startToldAsItself(frame, {QStringLiteral("did not answer"), QStringLiteral("screen-sharing service")}, 20000);
    }

private:
    WaylandSession* m_desktop;
    QProcess m_fake;
    QString m_fakeLog;
    // The session of the last recording.
    QString m_lastSession;
    bool m_waitBarShownWhenTold = false;
};

int main(int argc, char** argv)
{
    if (argc > 2 && qstrcmp(argv[1], "--fake-portal") == 0)
        return runFakePortal(argc, argv);
    return runOnWaylandDesktop(QStringLiteral("OcumetraRecordStartTest"), "xcb", 280, argc, argv,
                               [&](WaylandSession& desktop) {
                                   gst_init(nullptr, nullptr);
                                   TestRecordStart tc(&desktop);
                                   QTEST_SET_MAIN_SOURCE_PATH
                                   return QTest::qExec(&tc, argc, argv);
                               });
}

#include "tst_recordstart.moc"
