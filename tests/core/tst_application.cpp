#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QProcess>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "coretests.h"
#include "iapplication.h"
#include "iglobal.h"
#include "imachelper.h"
#include "itranslation.h"
#include "mainframe.h"
#include "board/widget/itimemsgbox.h"
#include "service/iboardservice.h"
#include "service/iconfigureservice.h"
#include "testenv.h"

class TestApplication : public QObject
{
    Q_OBJECT

    static IApplication* app() { return qobject_cast<IApplication*>(qApp); }

private slots:
    // Any mouse press or move delivered to any object reaches the global signals,
    // with the global position rounded.
    void globalMouseSignals()
    {
        QSignalSpy press(app(), &IApplication::sgGMousePressEvent);
        QSignalSpy move(app(), &IApplication::sgGMouseMoveEvent);
        QWidget w;
        QObject plain;
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), QPointF(10.6, 20.4),
                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent moved(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), QPointF(-3.5, 7.49),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), QPointF(10, 20),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &down);
        QApplication::sendEvent(&plain, &moved);
        QApplication::sendEvent(&w, &up);
        QCOMPARE(press.count(), 1);
        QCOMPARE(press.at(0).at(0).toPoint(), QPoint(11, 20));
        QCOMPARE(move.count(), 1);
        QCOMPARE(move.at(0).at(0).toPoint(), QPoint(-3, 7));
    }

    void framelessHint()
    {
        QWidget w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget child(&w);
        setFramelessWindowHintForMac(&child);
        QVERIFY(w.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!child.windowFlags().testFlag(Qt::FramelessWindowHint));
        // Re-creating the native window must not leave it hidden.
        QVERIFY(w.isVisible());
    }

    // Only a local display with its socket counts; other forms are never probed.
    void recordScreenPermission_data()
    {
        QTest::addColumn<QString>("display");
        QTest::newRow("unset") << QString();
        QTest::newRow("remote") << "camera.example:0";
        QTest::newRow("no socket") << ":98765";
    }
    void recordScreenPermission()
    {
        QFETCH(QString, display);
        const QByteArray saved = qgetenv("DISPLAY");
        qputenv("DISPLAY", display.toLocal8Bit());
        QVERIFY(!isValidRecordscreenPermission());
        applyRecordscreenPermission();
        qputenv("DISPLAY", saved);
    }

    // What the login manager says outweighs a WAYLAND_DISPLAY left over in an X11
    // session, where x11grab works and the portal would only be in the way.
    void waylandSession_data()
    {
        QTest::addColumn<QString>("sessionType");
        QTest::addColumn<QString>("waylandDisplay");
        QTest::addColumn<bool>("wayland");
        QTest::newRow("X11 session, WAYLAND_DISPLAY left over") << "x11" << "wayland-0" << false;
        QTest::newRow("X11 session") << "x11" << QString() << false;
        QTest::newRow("Wayland session") << "wayland" << "wayland-0" << true;
        QTest::newRow("compositor started from a console") << "tty" << "wayland-1" << true;
        QTest::newRow("nothing said, no compositor") << QString() << QString() << false;
    }
    void waylandSession()
    {
        QFETCH(QString, sessionType);
        QFETCH(QString, waylandDisplay);
        QFETCH(bool, wayland);
        const QByteArray savedType = qgetenv("XDG_SESSION_TYPE");
        const QByteArray savedDisplay = qgetenv("WAYLAND_DISPLAY");
        qputenv("XDG_SESSION_TYPE", sessionType.toLocal8Bit());
        qputenv("WAYLAND_DISPLAY", waylandDisplay.toLocal8Bit());
        const bool answer = isWaylandSession();
        qputenv("XDG_SESSION_TYPE", savedType);
        qputenv("WAYLAND_DISPLAY", savedDisplay);
        QCOMPARE(answer, wayland);
    }

    void translations()
    {
        QVERIFY(ITranslation::qmFilePath("2052").endsWith("/Resources/Lang/2052.qm"));
        if (QFileInfo::exists(ITranslation::qmFilePath("2052")))
            QVERIFY(ITranslation::install("2052"));
        // A missing file is not fatal.
        QVERIFY(!ITranslation::install("0000"));
    }

    // exec() builds the window, hands the application to the configuration service,
    // scales for the primary screen, and without a camera returns 0 after a second.
    void execWithoutCamera()
    {
        QVERIFY(!app()->mainFrame());
        QElapsedTimer timer;
        // The service's view is read while the loop runs: its end takes the services down.
        IApplication* handedApp = nullptr;
        MainFrame* handedFrame = nullptr;
        QTimer::singleShot(500, [&] {
            handedApp = IConfigureService::instance()->application();
            handedFrame = IConfigureService::instance()->mainFrame();
        });
        timer.start();
        QCOMPARE(app()->exec(), 0);
        QVERIFY(timer.elapsed() >= 1000);
        QVERIFY(app()->mainFrame());
        QVERIFY(app()->mainFrame()->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(handedApp, app());
        QCOMPARE(handedFrame, app()->mainFrame());
        const ScaleFactors expected = computeScaleFactors(QGuiApplication::primaryScreen()->size());
        QCOMPARE(IGSQUARERATE, expected.square);
        QCOMPARE(GWIDTHRATE, expected.width);
        applyScaleFactors(ScaleFactors{});
    }

    // Once the window exists exec() runs the plain loop; when that loop ends, the
    // singletons holding widgets and threads go while the application object lives.
    void singletonsGoWhenLoopEnds()
    {
        QVERIFY(app()->mainFrame());
        QPointer<ITimeMsgBox> notice = ITimeMsgBox::instance();
        QPointer<IConfigureService> config = IConfigureService::instance();
        QPointer<IBoardService> board = IBoardService::instance();
        QTimer::singleShot(0, app(), &QCoreApplication::quit);
        QCOMPARE(app()->exec(), 0);
        QVERIFY(notice.isNull());
        QVERIFY(config.isNull());
        QVERIFY(board.isNull());
        // Asked for again, they come back fresh.
        QVERIFY(IConfigureService::instance());
        IConfigureService::instance()->readConfigure();
    }
};

OCUMETRA_CORE_TEST(TestApplication);
#include "tst_application.moc"
