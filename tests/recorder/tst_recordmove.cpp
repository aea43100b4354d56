// A screen recording while its window is moved and resized under a window manager
// (openbox, on an X server of this test's own): the recorded area stays where it was
// chosen on the screen, the corner brackets stay on it, and the file holds that area.

#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <atomic>

#include "customui/iitoolbutton.h"
#include "customui/ivideorecordframe.h"
#include "ffmpeg/iffmpegapi.h"
#include "iglobal.h"
#include "screenpattern.h"
#include "testenv.h"
#include "videoprobe.h"

namespace {

void xdotool(const QStringList& args)
{
    QProcess::execute(QStringLiteral("xdotool"), args);
}

QImage grabScreen(const QRect& area = QRect(0, 0, -1, -1))
{
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QString text(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The middle of each of the eight arms of the corner brackets drawn around area.
QVector<QPoint> bracketArms(const QRect& area)
{
    const int out = int(12 * IGSQUARERATE);
    const int half = int(200 * IGSQUARERATE) / 4;
    const QRect r = area.adjusted(-out, -out, out, out);
    return {r.topLeft() + QPoint(half, 0),      r.topLeft() + QPoint(0, half),
            r.topRight() - QPoint(half, 0),     r.topRight() + QPoint(0, half),
            r.bottomRight() - QPoint(half, 0),  r.bottomRight() - QPoint(0, half),
            r.bottomLeft() + QPoint(half, 0),   r.bottomLeft() - QPoint(0, half)};
}

// The brackets change between red, blue and green every second.
bool isBracketColour(QRgb p)
{
    const auto pure = [](int on, int a, int b) { return on > 200 && a < 55 && b < 55; };
    return pure(qRed(p), qGreen(p), qBlue(p)) || pure(qGreen(p), qRed(p), qBlue(p)) ||
           pure(qBlue(p), qRed(p), qGreen(p));
}

// Empty when the overlay covers the window with area as its selection, the control bar
// lies in the window, and the screen shows a bracket arm wherever one lies in the window
// (at least two); otherwise what is wrong.
QString bracketFault(const IVideoRecordFrame& frame, const QWidget& window, const QWidget& controls,
                     const QRect& area)
{
    if (frame.getGlobalSelectRect() != area)
        return QStringLiteral("the brackets frame %1, the recording %2")
            .arg(text(frame.getGlobalSelectRect()), text(area));
    if (frame.size() != window.size())
        return QStringLiteral("the overlay is %1x%2 on a window of %3x%4")
            .arg(frame.width()).arg(frame.height()).arg(window.width()).arg(window.height());
    if (!controls.isVisible() || !window.rect().contains(controls.geometry()))
        return QStringLiteral("the control bar at %1 is not in the window").arg(text(controls.geometry()));
    const QRect shown = QRect(window.mapToGlobal(QPoint(0, 0)), window.size()) &
                        QGuiApplication::primaryScreen()->geometry();
    const QRect bar(controls.mapToGlobal(QPoint(0, 0)), controls.size());
    const QImage screen = grabScreen();
    int seen = 0;
    for (const QPoint& p : bracketArms(area)) {
        if (!shown.contains(p) || bar.contains(p))
            continue;
        if (!isBracketColour(screen.pixel(p)))
            return QStringLiteral("no bracket on the screen at %1,%2 (window at %3)")
                .arg(p.x()).arg(p.y()).arg(text(shown));
        ++seen;
    }
    return seen >= 2 ? QString() : QStringLiteral("only %1 bracket arms in the window").arg(seen);
}

}

class TestRecordMove : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void bracketsStayOnTheRecordedArea();

private:
    QTemporaryDir m_videos;
};

void TestRecordMove::initTestCase()
{
    qputenv("PULSE_SERVER", QFile::encodeName(TestEnv::homePath() + QStringLiteral("/run/none")));
    g_camera_info.description.clear();
    g_video_savepath = m_videos.path() + QLatin1Char('/');
    IFFmpegApi::instance()->initData();
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool is needed");
}

void TestRecordMove::bracketsStayOnTheRecordedArea()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    // A still picture on the whole desktop, different wherever one looks.
    QLabel desktop;
    desktop.setWindowFlags(Qt::FramelessWindowHint);
    desktop.setGeometry(screen);
    desktop.setPixmap(blockPattern(screen.size(), 1));
    desktop.show();
    QVERIFY(QTest::qWaitForWindowExposed(&desktop));

    QWidget window;
    window.setAutoFillBackground(true);
    QPalette grey = window.palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    window.setPalette(grey);
    window.setGeometry(300, 200, 1000, 750);
    IVideoRecordFrame frame(nullptr, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE_WITH_TIMEOUT(grabScreen(QRect(window.geometry().center(), QSize(1, 1))).pixel(0, 0),
                              qRgb(128, 128, 128), 10000);

    frame.setFrameVisible(true);
    frame.onRegionClick(true, 4);   // 640 x 480 in the middle of the window
    frame.onControlClick(false, 6);  // Start
    QVERIFY(api->isRecording());
    const QRect area = frame.getGlobalSelectRect();
    QCOMPARE(api->inputStream().captureRect(), area);
    QWidget* controls = nullptr;
    for (IIToolButton* b : window.findChildren<IIToolButton*>())
        if (b->id() == QVariant(9))
            controls = b->parentWidget();
    QVERIFY(controls);
    const QPoint startedAt = window.geometry().topLeft();

    QString fault;
    const auto bracketsRight = [&] {
        return QTest::qWaitFor([&] { return (fault = bracketFault(frame, window, *controls, area)).isEmpty(); },
                               5000);
    };
    QVERIFY2(bracketsRight(), qPrintable(QStringLiteral("at the start: ") + fault));

    const QString id = QString::number(window.winId());
    xdotool({"windowmove", id, QString::number(startedAt.x() + 150), QString::number(startedAt.y() + 100)});
    QTRY_VERIFY_WITH_TIMEOUT((window.geometry().topLeft() - startedAt).manhattanLength() > 100, 5000);
    QVERIFY2(bracketsRight(), qPrintable(QStringLiteral("moved by the window manager: ") + fault));

    xdotool({"windowsize", id, "1200", "760"});
    QTRY_COMPARE_WITH_TIMEOUT(window.size(), QSize(1200, 760), 5000);
    QVERIFY2(bracketsRight(), qPrintable(QStringLiteral("made larger by the window manager: ") + fault));

    window.showMaximized();
    QTRY_VERIFY_WITH_TIMEOUT(window.isMaximized() && window.width() > screen.width() - 20, 5000);
    QVERIFY2(bracketsRight(), qPrintable(QStringLiteral("maximised: ") + fault));
    window.showNormal();
    QTRY_COMPARE_WITH_TIMEOUT(window.size(), QSize(1200, 760), 5000);
    QVERIFY2(bracketsRight(), qPrintable(QStringLiteral("restored: ") + fault));

    // As the program's own title bar drags it: the area's left part is now beside the
    // window, over the desktop.
    const QPoint before = window.geometry().topLeft();
    window.move(window.pos() + QPoint(500 - (before.x() - startedAt.x()), -150 - (before.y() - startedAt.y())));
    QTRY_COMPARE_WITH_TIMEOUT(window.geometry().topLeft(), startedAt + QPoint(500, -150), 5000);
    QVERIFY2(bracketsRight(), qPrintable(QStringLiteral("moved by the program: ") + fault));

    // The file holds the chosen area, not what the window now shows where the area was in it:
    // the area once the screen shows it still, and a picture of it taken after that.
    QImage shown;
    QElapsedTimer still;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            const QImage now = grabScreen(area);
            if (now != shown) {
                shown = now;
                still.start();
            }
            return still.elapsed() >= 300;
        }(),
        10000);
    std::atomic<int> taken{0};
    const QMetaObject::Connection counting = connect(
        &api->inputStream(), &ICAVInputStream::sgWriteVideoFrame, this, [&] { ++taken; }, Qt::DirectConnection);
    QTRY_VERIFY_WITH_TIMEOUT(taken >= 2, 10000);
    disconnect(counting);
    const QImage moved = grabScreen(area.translated(window.geometry().topLeft() - startedAt));
    frame.onControlClick(false, 8);  // Halt
    QVERIFY(api->inputStream().isPaused());
    window.resize(900, 600);
    QTRY_COMPARE_WITH_TIMEOUT(window.size(), QSize(900, 600), 5000);
    QVERIFY2(bracketsRight(), qPrintable(QStringLiteral("made smaller while halted: ") + fault));

    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    frame.stopVideoRecord();
    QVERIFY(finished.wait(60000));
    const VideoProbe probe = probeVideo(finished.at(0).at(0).toString());
    QVERIFY(probe.opened);
    const double off = meanDifference(probe.lastFrame, shown);
    const double offMoved = meanDifference(probe.lastFrame, moved);
    qInfo() << "last frame against the area:" << off << "against the window's old place in it:" << offMoved;
    QVERIFY2(off < 8.0, qPrintable(QStringLiteral("%1 of 255 off the recorded area").arg(off)));
    QVERIFY(offMoved > 3 * off + 10);
}

OCUMETRA_TEST_MAIN(TestRecordMove)

#include "tst_recordmove.moc"
