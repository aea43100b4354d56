// The real program under a window manager (openbox, on an X server of this test's own),
// against the simulated Wi-Fi camera on 127.0.0.1 streaming colour bars. What the user
// sees is checked in grabbed pixels of the screen and in the X server's window
// positions: the picture fitted and centred at start and after each size change the
// window manager or the title bar makes, and the panels beside their buttons wherever
// the window goes. OCUMETRA_WM_STARTS sets how many starts the first test makes.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

#include <csignal>

#include "barsonscreen.h"
#include "camerarig.h"
#include "customui/icameratoolbar.h"
#include "customui/icapturemodeframe.h"
#include "customui/imaintitlewidget.h"
#include "customui/itimercaptureframe.h"
#include "customui/itimelapseframe.h"
#include "iglobal.h"
#include "testenv.h"
#include "testprogram.h"

namespace {
const QSize kStream(640, 480);
constexpr double kAspect = 640.0 / 480.0;
// Pixels the picture may be off; rounding of the fitted size gives one or two.
constexpr int kTolerance = 4;
const QRect kNormal(60, 40, 1400, 850);

QString tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished(2000);
        return QString();
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

void xdotool(const QStringList& args)
{
    tool(QStringLiteral("xdotool"), args);
}

// Windows (X id and rectangle) from xdotool's getwindowgeometry --shell, one after another.
QList<QPair<QString, QRect>> parseGeometries(const QString& out)
{
    QList<QPair<QString, QRect>> list;
    QMap<QString, QString> v;
    const auto take = [&] {
        if (v.contains("WINDOW") && v.contains("WIDTH"))
            list.append({v["WINDOW"], QRect(v["X"].toInt(), v["Y"].toInt(), v["WIDTH"].toInt(), v["HEIGHT"].toInt())});
        v.clear();
    };
    for (const QString& line : out.split('\n')) {
        const int eq = line.indexOf('=');
        if (eq <= 0)
            continue;
        if (line.startsWith(QLatin1String("WINDOW=")))
            take();
        v[line.left(eq)] = line.mid(eq + 1).trimmed();
    }
    take();
    return list;
}

// The window's rectangle on the screen as the X server has it.
QRect geometryOf(const QString& id)
{
    return parseGeometries(tool(QStringLiteral("xdotool"), {"getwindowgeometry", "--shell", id})).value(0).second;
}

// The shown windows of a process, in one call: a notice that shows for a second is not
// missed between the calls of a busy machine.
// A window that closes while it is listed ends xdotool on an X error with the list unread:
// such a listing is taken again.
QList<QPair<QString, QRect>> windowsOf(qint64 pid)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        QProcess p;
        p.start(QStringLiteral("xdotool"), {"search", "--all", "--onlyvisible", "--pid", QString::number(pid), "--name", "",
                                            "getwindowgeometry", "--shell", "%@"});
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished(2000);
            continue;
        }
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        // xdotool search also fails, silently, when it finds nothing: a whole answer too.
        if (p.exitStatus() == QProcess::NormalExit && (p.exitCode() == 0 || p.readAllStandardError().trimmed().isEmpty()))
            return parseGeometries(out);
    }
    return {};
}

// The window under the pointer is one of process pid, or the window manager's frame of one.
bool pointerOn(qint64 pid)
{
    QString under;
    for (const QString& line : tool(QStringLiteral("xdotool"), {"getmouselocation", "--shell"}).split('\n'))
        if (line.startsWith(QLatin1String("WINDOW=")))
            under = line.mid(7).trimmed();
    if (under.isEmpty())
        return false;
    const QString tree = tool(QStringLiteral("xwininfo"), {"-tree", "-id", under});
    for (const auto& window : windowsOf(pid)) {
        if (window.first == under || tree.contains(QStringLiteral("0x%1 ").arg(window.first.toULongLong(), 0, 16)))
            return true;
    }
    return false;
}

// A window just shown may still be placed and stacked by the window manager: the press
// waits until the program's window is under the pointer.
void clickOn(const QPoint& p, qint64 pid)
{
    xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
    (void)QTest::qWaitFor([pid] { return pointerOn(pid); }, 10000);
    xdotool({"click", "1"});
}

// Screenshots go to the test's own folder.
QString shotPath(const char* name)
{
    return TestEnv::homePath() + '/' + QLatin1String(name);
}

QImage grabScreen()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// Share of the pixels of a that b shows (each channel within 24) at the same place.
double sameShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 0.0;
    int same = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) <= 24 && std::abs(qGreen(p) - qGreen(q)) <= 24 &&
                std::abs(qBlue(p) - qBlue(q)) <= 24)
                ++same;
        }
    }
    return double(same) / (a.width() * a.height());
}

// Centre of a child widget of a copy of one of the program's panels or bars, laid out at
// the given width: where to click on the real one.
QPoint centreIn(QWidget* top, QWidget* child)
{
    return child->mapTo(top, child->rect().center());
}

QWidget* childWithText(QWidget* top, const QString& text)
{
    for (QAbstractButton* b : top->findChildren<QAbstractButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

void layOut(QWidget* w, int width)
{
    w->setAttribute(Qt::WA_DontShowOnScreen);
    if (width > 0)
        w->resize(width, w->height());
    w->show();
    QApplication::processEvents();
}

QString describe(const QList<QRect>& rects)
{
    QStringList parts;
    for (const QRect& r : rects)
        parts << QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    return parts.join(QStringLiteral("; "));
}

const QRect& screenRect()
{
    static const QRect r = QGuiApplication::primaryScreen()->geometry();
    return r;
}

class Program
{
public:
    ~Program() { stop(); }

    bool start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("OCUMETRA_RTSP_URL"), g_rtsp_url);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(TestProgram::path(), QStringList());
        return m_process.waitForStarted(5000);
    }

    // The main window: the largest shown window of the program.
    QString mainWindow()
    {
        QString best;
        int area = 0;
        for (const auto& w : windowsOf(m_process.processId())) {
            if (w.second.width() * w.second.height() > area) {
                area = w.second.width() * w.second.height();
                best = w.first;
            }
        }
        return area >= 600 * 400 ? best : QString();
    }

    // A window of the program shown since before was taken, once it has stood still for
    // 400 ms; invalid after 20 s without. The program's notices stand centred on the
    // screen, where none of the windows looked for does (the main window is not
    // centred): one that comes late on a busy machine is not taken for them. A panel is
    // placed from where the program last saw its window: on a busy machine it learns of
    // a move by the window manager late, shows the panel by the old place and then moves
    // it by its button, where a click must go.
    QRect newWindow(const QList<QRect>& before)
    {
        QRect found;
        QElapsedTimer still;
        const bool shown = QTest::qWaitFor([&] {
            QRect now;
            for (const QRect& r : windows()) {
                if (!before.contains(r) && (r.center() - screenRect().center()).manhattanLength() > 4) {
                    now = r;
                    break;
                }
            }
            if (!now.isValid() || now != found) {
                found = now;
                still.start();
                return false;
            }
            return still.elapsed() >= 400;
        }, 20000);
        if (!shown) {
            qWarning().noquote() << "shown:" << describe(windows());
            return QRect();
        }
        return found;
    }

    QList<QRect> windows()
    {
        QList<QRect> all;
        for (const auto& w : windowsOf(m_process.processId()))
            all.append(w.second);
        return all;
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), SIGTERM);
        if (!m_process.waitForFinished(20000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

    QString exitProblem() const { return TestProgram::exitProblem(m_process); }
    void click(const QPoint& p) { clickOn(p, m_process.processId()); }

private:
    QProcess m_process;
};

// The bars once they stand still: unchanged in the grabs of 400 ms. With fitted, until
// they are also fitted and centred: a busy program fits the picture late.
BarsOnScreen settledBars(const std::function<bool(const BarsOnScreen&)>& fitted = nullptr)
{
    BarsOnScreen last;
    QElapsedTimer still;
    (void)QTest::qWaitFor([&] {
        const BarsOnScreen now = findBarsOnScreen(grabScreen());
        if (!now.found || now.picture != last.picture || now.left != last.left || now.top != last.top ||
            now.right != last.right || now.bottom != last.bottom) {
            last = now;
            still.start();
            return false;
        }
        return still.elapsed() >= 400 && (!fitted || fitted(now));
    }, 15000);
    return last;
}

// Until the picture shows the same in rect for 400 ms: drawn, not still being drawn.
QImage settledLook(const QRect& rect)
{
    QImage last;
    QElapsedTimer still;
    (void)QTest::qWaitFor([&] {
        const QImage now = grabScreen().copy(rect);
        if (now != last) {
            last = now;
            still.start();
            return false;
        }
        return still.elapsed() >= 400;
    }, 15000);
    return last;
}

// Until the screen shows look at rect.
bool showsAt(const QImage& look, const QRect& rect)
{
    return QTest::qWaitFor([&] { return sameShare(look, grabScreen().copy(rect)) > 0.9; }, 15000);
}

bool waitForGeometry(const QString& id, const std::function<bool(const QRect&)>& ok)
{
    return QTest::qWaitFor([&] { return ok(geometryOf(id)); }, 15000);
}

// Out of maximised or full screen, then moved and resized to rect by the window manager.
bool placeWindow(const QString& id, const QRect& rect)
{
    tool("wmctrl", {"-i", "-r", id, "-b", "remove,maximized_vert,maximized_horz"});
    tool("wmctrl", {"-i", "-r", id, "-b", "remove,fullscreen"});
    if (!waitForGeometry(id, [](const QRect& r) { return r.size() != screenRect().size(); }))
        return false;
    tool("wmctrl", {"-i", "-r", id, "-e",
                    QStringLiteral("0,%1,%2,%3,%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height())});
    return waitForGeometry(id, [&](const QRect& r) { return r == rect; });
}

}

class TestMainFrameWm : public QObject
{
    Q_OBJECT
public:
    explicit TestMainFrameWm(CameraRig* rig) : m_rig(rig) {}

private:
    CameraRig* m_rig;
    QStringList m_failures;
    int m_worst = 0;

    // Records what is wrong with the picture now; false when something is.
    bool checkBars(const QString& when)
    {
        const BarsOnScreen bars =
            settledBars([](const BarsOnScreen& now) { return now.problem(kAspect, kTolerance).isEmpty(); });
        const QString problem = bars.problem(kAspect, kTolerance);
        if (bars.found)
            m_worst = qMax(m_worst, qMax(bars.centreOffset(), bars.fitSlack()));
        qInfo().noquote() << when << ":" << (problem.isEmpty() ? bars.describe() : problem);
        if (!problem.isEmpty())
            m_failures << when + ": " + problem;
        return problem.isEmpty();
    }

    QPoint titleButton(const QRect& window, IMainTitleWidget::ButtonType id)
    {
        IMainTitleWidget title(nullptr, nullptr);
        // Restore stands where Maximize does, shown in its place in full screen.
        title.button(IMainTitleWidget::Maximize)->setVisible(id != IMainTitleWidget::Restore);
        title.button(IMainTitleWidget::Restore)->setVisible(id == IMainTitleWidget::Restore);
        layOut(&title, window.width());
        return window.topLeft() + centreIn(&title, title.button(id));
    }

    // A button of the camera tool bar, which spans the bottom of the window.
    QPoint cameraButton(const QRect& window, ICameraToolBar::ButtonType id)
    {
        ICameraToolBar bar(nullptr, nullptr);
        layOut(&bar, window.width());
        return QPoint(window.left(), window.bottom() + 1 - bar.height()) + centreIn(&bar, bar.button(int(id)));
    }

private slots:
    // At start, and after un-maximising, a resize by the window manager, full screen from
    // a normal window and back, the picture is fitted into the board and centred.
    void pictureFittedAndCentred()
    {
        bool ok = false;
        int starts = qEnvironmentVariableIntValue("OCUMETRA_WM_STARTS", &ok);
        if (!ok || starts < 1)
            starts = 4;
        int fittedAtStart = 0;
        int fittedAfterResize = 0;
        for (int i = 0; i < starts; ++i) {
            Program program;
            QVERIFY(program.start());
            QString id;
            QVERIFY(QTest::qWaitFor([&] { return !(id = program.mainWindow()).isEmpty(); }, 30000));
            QVERIFY2(waitForGeometry(id, [](const QRect& r) { return r.size() == screenRect().size(); }),
                     "the window was never maximised");
            if (checkBars(QStringLiteral("start %1").arg(i + 1)))
                ++fittedAtStart;
            if (i == 0)
                QVERIFY(grabScreen().save(shotPath("wm-start.png")));

            tool("wmctrl", {"-i", "-r", id, "-b", "remove,maximized_vert,maximized_horz"});
            QVERIFY2(waitForGeometry(id, [](const QRect& r) { return r.width() < screenRect().width(); }),
                     "un-maximising changed nothing");
            bool resized = checkBars(QStringLiteral("start %1 un-maximised").arg(i + 1));
            if (i == 0)
                QVERIFY(grabScreen().save(shotPath("wm-unmaximised.png")));

            QVERIFY2(placeWindow(id, kNormal), "the window manager did not resize the window");
            resized = checkBars(QStringLiteral("start %1 at 1400x850").arg(i + 1)) && resized;
            if (resized)
                ++fittedAfterResize;

            if (i == 0) {
                // Full screen from the normal window with the title bar's button, and back.
                const QRect normal = geometryOf(id);
                program.click(titleButton(normal, IMainTitleWidget::Maximize));
                QVERIFY2(waitForGeometry(id, [](const QRect& r) { return r.size() == screenRect().size(); }),
                         "full screen changed nothing");
                checkBars(QStringLiteral("full screen from normal"));
                QVERIFY(grabScreen().save(shotPath("wm-fullscreen.png")));
                program.click(titleButton(geometryOf(id), IMainTitleWidget::Restore));
                QVERIFY2(QTest::qWaitFor(
                             [&] {
                                 return !tool(QStringLiteral("xprop"), {"-id", id, "_NET_WM_STATE"})
                                             .contains(QLatin1String("_NET_WM_STATE_FULLSCREEN"));
                             },
                             15000),
                         "restoring changed nothing");
                checkBars(QStringLiteral("restored"));
                // Fit to screen (a double click on the title bar) from the normal size.
                QVERIFY(placeWindow(id, kNormal));
                const QRect before = geometryOf(id);
                xdotool({"mousemove", "--sync", QString::number(before.center().x()),
                         QString::number(before.top() + 12), "click", "--repeat", "2", "--delay", "80", "1"});
                QVERIFY2(waitForGeometry(id, [](const QRect& r) { return r.size() == screenRect().size(); }),
                         "fit to screen changed nothing");
                checkBars(QStringLiteral("fit to screen"));
            }
            program.stop();
            QCOMPARE(program.exitProblem(), QString());
        }
        qInfo("fitted and centred: %d of %d starts, %d of %d after un-maximise and 1400x850; largest offset %d px",
              fittedAtStart, starts, fittedAfterResize, starts, m_worst);
        QVERIFY2(m_failures.isEmpty(), qPrintable(m_failures.join('\n')));
    }

    // The time-lapse counter stands over the shot button, on the screen; the time-lapse
    // bar, its counter, the capture-mode panel and the timed-capture bar go with the
    // window when the window manager or the title bar moves it.
    void panelsStayByTheirButtons()
    {
        Program program;
        QVERIFY(program.start());
        QString id;
        QVERIFY(QTest::qWaitFor([&] { return !(id = program.mainWindow()).isEmpty(); }, 30000));
        QVERIFY(waitForGeometry(id, [](const QRect& r) { return r.size() == screenRect().size(); }));
        QVERIFY(placeWindow(id, kNormal));
        QVERIFY(settledBars().found);

        // Copies laid out as the program's: where their buttons are inside them.
        ICaptureModeFrame modeCopy(nullptr, nullptr);
        layOut(&modeCopy, 0);
        ITimerCaptureFrame timedCopy(nullptr, nullptr);
        layOut(&timedCopy, 0);

        // Photo mode "Time-lapse", then Snap: the time-lapse bar.
        QRect window = geometryOf(id);
        QList<QRect> before = program.windows();
        program.click(cameraButton(window, ICameraToolBar::PhotoMode));
        QRect panel = program.newWindow(before);
        QVERIFY2(panel.isValid(), "the capture-mode panel did not open");
        program.click(panel.topLeft() + centreIn(&modeCopy, modeCopy.radio(int(ICaptureModeFrame::TimeLapse))));
        before = program.windows();
        program.click(cameraButton(window, ICameraToolBar::Snap));
        const QRect bar = program.newWindow(before);
        QVERIFY2(bar.isValid(), "the time-lapse bar did not open");
        const QImage beforeStart = grabScreen();

        // Start: the counter, centred over the shot button (the bar's middle), its
        // bottom 10 px above the button's top, on the screen.
        before = program.windows();
        program.click(bar.center());
        const QRect counter = program.newWindow(before);
        QVERIFY2(counter.isValid(), "no time-lapse counter was shown");
        // On the screen: the pixels there changed when it appeared.
        QImage running;
        const bool counterShown = QTest::qWaitFor(
            [&] { return sameShare(beforeStart.copy(counter), (running = grabScreen()).copy(counter)) < 0.5; }, 15000);
        QVERIFY(running.save(shotPath("wm-timelapse.png")));
        const QString where = QStringLiteral("counter %1,%2 %3x%4, time-lapse bar %5,%6 %7x%8")
                                  .arg(counter.x()).arg(counter.y()).arg(counter.width()).arg(counter.height())
                                  .arg(bar.x()).arg(bar.y()).arg(bar.width()).arg(bar.height());
        QVERIFY2(screenRect().contains(counter), qPrintable(where));
        QVERIFY2(std::abs(counter.center().x() - bar.center().x()) <= 2, qPrintable(where));
        QVERIFY2(std::abs(counter.bottom() + 1 + int(10 * IGSQUARERATE) - bar.top()) <= 2, qPrintable(where));
        QVERIFY2(counterShown, qPrintable(where));

        // The window manager moves the window: bar and counter go with it.
        const QPoint shift(200, 90);
        const QImage barLook = running.copy(bar);
        tool("wmctrl", {"-i", "-r", id, "-e",
                        QStringLiteral("0,%1,%2,-1,-1").arg(kNormal.x() + shift.x()).arg(kNormal.y() + shift.y())});
        QVERIFY(waitForGeometry(id, [&](const QRect& r) { return r.topLeft() == kNormal.topLeft() + shift; }));
        QVERIFY2(showsAt(barLook, bar.translated(shift)), "the time-lapse bar did not follow the window");
        QVERIFY2(QTest::qWaitFor([&] { return program.windows().contains(counter.translated(shift)); }, 15000),
                 "the time-lapse counter did not follow the window");
        QImage moved = grabScreen();
        // Stop it once a picture was taken, as its shot count shows: with none, a message
        // box would say that no video was written.
        ITimelapseTimes countCopy(nullptr);
        layOut(&countCopy, 0);
        QLabel* count = nullptr;
        for (QLabel* label : countCopy.findChildren<QLabel*>())
            if (label->text() == QStringLiteral("0"))
                count = label;
        QVERIFY(count);
        const QRect countAt(counter.translated(shift).topLeft() + count->mapTo(&countCopy, QPoint()), count->size());
        const QImage noShot = moved.copy(countAt);
        QVERIFY2(QTest::qWaitFor([&] { return sameShare(noShot, grabScreen().copy(countAt)) < 0.99; }, 30000),
                 "no time-lapse picture was counted");
        const QList<QRect> beforeStop = program.windows();
        program.click(bar.translated(shift).center());
        // The notice "Video is saved." shows for a second once the video is finished,
        // which on a busy machine takes a while: until it has come and gone it could be
        // taken for the panel opened next, or cover it.
        QRect notice;
        QVERIFY2(QTest::qWaitFor([&] {
                     for (const QRect& r : program.windows())
                         if (!beforeStop.contains(r))
                             notice = r;
                     return notice.isValid();
                 }, 15000),
                 "no notice after the stop");
        QVERIFY2(QTest::qWaitFor([&] { return !program.windows().contains(notice); }, 10000),
                 "the message after the stop stayed (no video written?)");

        // The capture-mode panel, open, follows a move back.
        window = geometryOf(id);
        before = program.windows();
        program.click(cameraButton(window, ICameraToolBar::PhotoMode));
        panel = program.newWindow(before);
        QVERIFY2(panel.isValid(), "the capture-mode panel did not open again");
        const QImage panelLook = settledLook(panel);
        tool("wmctrl", {"-i", "-r", id, "-e", QStringLiteral("0,%1,%2,-1,-1").arg(kNormal.x()).arg(kNormal.y())});
        QVERIFY(waitForGeometry(id, [&](const QRect& r) { return r.topLeft() == kNormal.topLeft(); }));
        const bool panelFollowed =
            QTest::qWaitFor([&] { return program.windows().contains(panel.translated(-shift)); }, 15000) &&
            showsAt(panelLook, panel.translated(-shift));
        QVERIFY(grabScreen().save(shotPath("wm-panel-moved.png")));
        QVERIFY2(panelFollowed, "the capture-mode panel did not follow the window");

        // Timed capture: 9 pictures 9 s apart; its bar follows the window manager's move
        // and the title bar's drag.
        program.click(panel.translated(-shift).topLeft() +
              centreIn(&modeCopy, modeCopy.radio(int(ICaptureModeFrame::TimingCapture))));
        window = geometryOf(id);
        before = program.windows();
        program.click(cameraButton(window, ICameraToolBar::Snap));
        const QRect dialog = program.newWindow(before);
        QVERIFY2(dialog.isValid(), "the timed-capture dialog did not open");
        xdotool({"type", "--delay", "50", "9"});
        xdotool({"key", "Tab"});
        xdotool({"type", "--delay", "50", "9"});
        before = program.windows();
        program.click(dialog.topLeft() + centreIn(&timedCopy, childWithText(&timedCopy, QStringLiteral("Confirm"))));
        const QRect control = program.newWindow(before);
        QVERIFY2(control.isValid(), "the timed-capture bar did not open");
        const QImage controlLook = settledLook(control);
        tool("wmctrl", {"-i", "-r", id, "-e",
                        QStringLiteral("0,%1,%2,-1,-1").arg(kNormal.x() + shift.x()).arg(kNormal.y() + shift.y())});
        QVERIFY(waitForGeometry(id, [&](const QRect& r) { return r.topLeft() == kNormal.topLeft() + shift; }));
        const bool controlFollowed = showsAt(controlLook, control.translated(shift));
        QVERIFY(grabScreen().save(shotPath("wm-timed-moved.png")));
        QVERIFY2(controlFollowed, "the timed-capture bar did not follow the window manager's move");

        // The title bar's own drag.
        const QPoint grip = kNormal.topLeft() + shift + QPoint(kNormal.width() / 2, 15);
        const QPoint drag(-120, -50);
        xdotool({"mousemove", "--sync", QString::number(grip.x()), QString::number(grip.y()), "mousedown", "1"});
        for (int step = 1; step <= 4; ++step) {
            const QPoint p = grip + drag * step / 4;
            xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
        }
        xdotool({"mouseup", "1"});
        QVERIFY(waitForGeometry(id, [&](const QRect& r) { return r.topLeft() == kNormal.topLeft() + shift + drag; }));
        QVERIFY2(showsAt(controlLook, control.translated(shift + drag)),
                 "the timed-capture bar did not follow the title bar's drag");

        program.stop();
        QCOMPARE(program.exitProblem(), QString());
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    // No USB camera may be taken instead of the simulated one.
    qputenv("OCUMETRA_USB_IDS", "ffff:fffe");
    QApplication app(argc, argv);
    TestEnv::afterApplication();
    CameraRig rig;
    if (!rig.start(kStream, 900, QStringLiteral("smpte100"))) {
        qCritical("the simulated camera did not start");
        return 2;
    }
    TestMainFrameWm tc(&rig);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_mainframe_wm.moc"
