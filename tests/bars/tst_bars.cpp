#include <QComboBox>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSvgRenderer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QVBoxLayout>
#include <QtTest>

#include "customui/iboardtoolbar.h"
#include "customui/icameratoolbar.h"
#include "customui/iitoolbutton.h"
#include "customui/imaintitlewidget.h"
#include "customui/irighttoolbar.h"
#include "iglobal.h"
#include "testenv.h"

namespace {
QList<int> ids(const QList<IIToolButton*>& buttons)
{
    QList<int> out;
    for (IIToolButton* b : buttons)
        out << b->id().toInt();
    std::sort(out.begin(), out.end());
    return out;
}

QList<int> checkedIds(const QList<IIToolButton*>& buttons)
{
    QList<int> out;
    for (IIToolButton* b : buttons) {
        if (b->isChecked())
            out << b->id().toInt();
    }
    std::sort(out.begin(), out.end());
    return out;
}

ICameraInfo camera(int index, const QString& path, const QString& description)
{
    ICameraInfo info;
    info.index = index;
    info.devicePath = path;
    info.description = description;
    return info;
}

// A title bar offering a fixed set of cameras instead of the machine's.
class FakeCamerasTitle : public IMainTitleWidget
{
public:
    FakeCamerasTitle() : IMainTitleWidget(nullptr, nullptr) {}
    QList<ICameraInfo> cameras;

protected:
    QList<ICameraInfo> cameraList() const override { return cameras; }
    QList<ICameraInfo> cameraInfo() const override { return cameras; }
};

// A stand-in main window with the title bar as its top row.
struct Host
{
    QWidget window;
    IMainTitleWidget* title;
    explicit Host(IMainTitleWidget* bar = nullptr)
    {
        window.setWindowFlags(Qt::FramelessWindowHint);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        title = bar ? bar : new IMainTitleWidget(nullptr, nullptr);
        layout->addWidget(title);
        layout->addStretch();
        window.setGeometry(100, 100, 640, 400);
        window.show();
    }
};

void sendMouse(QWidget* w, QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}
}

class TestBars : public QObject
{
    Q_OBJECT

private slots:
    void rightToolBarButtons();
    void rightToolBarDisabledButton();
    void cameraToolBarButtons();
    void cameraToolBarCheckedState();
    void boardToolBarModeGroup();
    void boardToolBarOtherButtons();
    void titleBarButtons();
    void titleBarDrag();
    void titleBarDoubleClickFitsScreen();
    void titleBarWindowStates();
    void titleBarCameraList();
    void titleBarCameraListRows();
    void barIconsExist();
};

void TestBars::rightToolBarButtons()
{
    IRightToolBar bar(nullptr);
    bar.show();
    QCOMPARE(bar.width(), 60);
    const QList<IIToolButton*> buttons = bar.findChildren<IIToolButton*>();
    QCOMPARE(ids(buttons), QList<int>({0, 1, 2, 3, 4, 5}));
    QCOMPARE(bar.button(QVariant(0))->toolTip(), QStringLiteral("Board"));
    QCOMPARE(bar.button(QVariant(5))->toolTip(), QStringLiteral("Self-adapting"));

    QSignalSpy spy(&bar, &IRightToolBar::sgButtonClick);
    for (int id = 0; id < 6; ++id)
        QTest::mouseClick(bar.button(QVariant(id)), Qt::LeftButton);
    QCOMPARE(spy.count(), 6);
    for (int id = 0; id < 6; ++id) {
        QCOMPARE(spy.at(id).at(0).toBool(), false);
        QCOMPARE(spy.at(id).at(1).value<QVariant>().toInt(), id);
    }

    for (IIToolButton* b : buttons)
        QVERIFY(qAbs(b->geometry().center().x() - bar.width() / 2) <= 1);  // centred column

    QCOMPARE(bar.buttonGlobslPos(IRightToolBar::Rotate), bar.button(QVariant(4))->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(bar.buttonGlobslPos(IRightToolBar::ButtonType(7)), QPoint(0, 0));
}

void TestBars::rightToolBarDisabledButton()
{
    IRightToolBar bar(nullptr);
    bar.show();
    QSignalSpy spy(&bar, &IRightToolBar::sgButtonClick);
    bar.setButtonEnable(IRightToolBar::Rotate, false);
    QVERIFY(!bar.button(QVariant(4))->isEnabled());
    QVERIFY(bar.button(QVariant(3))->isEnabled());
    QTest::mouseClick(bar.button(QVariant(4)), Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    bar.setButtonEnable(IRightToolBar::Rotate, true);
    QTest::mouseClick(bar.button(QVariant(4)), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    bar.setButtonEnable(IRightToolBar::ButtonType(42), false);  // no button, no effect
}

void TestBars::cameraToolBarButtons()
{
    ICameraToolBar bar(nullptr);
    bar.show();
    QCOMPARE(bar.height(), 100);
    const QList<IIToolButton*> buttons = bar.findChildren<IIToolButton*>();
    QCOMPARE(ids(buttons), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15, 16, 17}));
    QVERIFY(!bar.button(QVariant(13)));

    for (int hidden : {1, 3, 4, 5, 8, 15})
        QVERIFY2(bar.button(QVariant(hidden))->isHidden(), qPrintable(QString::number(hidden)));
    for (int shown : {0, 2, 6, 7, 9, 10, 11, 12, 14, 16, 17})
        QVERIFY2(bar.button(QVariant(shown))->isVisible(), qPrintable(QString::number(shown)));

    // Left to right as the user sees them; "Snap" and its arrow touch.
    bar.resize(1800, bar.height());
    QCoreApplication::processEvents();
    QList<IIToolButton*> visible;
    for (IIToolButton* b : buttons)
        if (b->isVisible())
            visible << b;
    std::sort(visible.begin(), visible.end(), [](IIToolButton* l, IIToolButton* r) { return l->x() < r->x(); });
    QList<int> order;
    for (IIToolButton* b : qAsConst(visible))
        order << b->id().toInt();
    QCOMPARE(order, QList<int>({0, 2, 6, 7, 9, 16, 17, 10, 11, 12, 14}));
    QCOMPARE(bar.button(QVariant(11))->x(), bar.button(QVariant(10))->geometry().right() + 1);

    QCOMPARE(bar.button(QVariant(14))->toolTip(), QStringLiteral("PDF"));
    QCOMPARE(bar.button(QVariant(0))->toolTip(), QStringLiteral("Focus and Exposure"));
    QVERIFY(bar.button(QVariant(12))->isCheckable());
    QVERIFY(!bar.button(QVariant(10))->isCheckable());

    QSignalSpy spy(&bar, &ICameraToolBar::sgButtonClick);
    QTest::mouseClick(bar.button(QVariant(10)), Qt::LeftButton);
    QTest::mouseClick(bar.button(QVariant(17)), Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(1).value<QVariant>().toInt(), 10);
    QCOMPARE(spy.at(1).at(1).value<QVariant>().toInt(), 17);

    QCOMPARE(bar.buttonGlobslPos(ICameraToolBar::Pdf), bar.button(QVariant(14))->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(bar.buttonGlobslPos(ICameraToolBar::ButtonType(13)), QPoint(0, 0));
    QCOMPARE(bar.buttonGlobslPos(ICameraToolBar::ButtonType(99)), QPoint(0, 0));

    bar.setButtonEnable(ICameraToolBar::VideoRecording, false);
    QVERIFY(!bar.button(QVariant(12))->isEnabled());
    QTest::mouseClick(bar.button(QVariant(12)), Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
}

void TestBars::cameraToolBarCheckedState()
{
    ICameraToolBar bar(nullptr);
    bar.show();
    QSignalSpy spy(&bar, &ICameraToolBar::sgButtonClick);
    IIToolButton* freeze = bar.button(QVariant(6));

    QTest::mouseClick(freeze, Qt::LeftButton);
    QTest::mouseClick(freeze, Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(0).at(1).value<QVariant>().toInt(), 6);
    QCOMPARE(spy.at(1).at(0).toBool(), false);

    spy.clear();
    bar.setButtonChecked(ICameraToolBar::Freeze, false);
    QVERIFY(!freeze->isChecked());
    bar.setButtonChecked(ICameraToolBar::AutoEdge, true);
    QVERIFY(bar.button(QVariant(9))->isChecked());
    bar.setButtonChecked(ICameraToolBar::ButtonType(13), true);
    QCOMPARE(spy.count(), 0);
}

void TestBars::boardToolBarModeGroup()
{
    IBoardToolBar bar(nullptr);
    bar.show();
    QCOMPARE(bar.width(), 60);
    const QList<IIToolButton*> buttons = bar.findChildren<IIToolButton*>();
    QCOMPARE(ids(buttons), QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    QCOMPARE(checkedIds(buttons), QList<int>({0}));

    QSignalSpy spy(&bar, &IBoardToolBar::sgButtonClick);
    QTest::mouseClick(bar.button(QVariant(1)), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QCOMPARE(spy.at(0).at(1).value<QVariant>().toInt(), 1);
    QCOMPARE(checkedIds(buttons), QList<int>({1}));

    // A click on the checked mode button reports false but keeps it checked.
    QTest::mouseClick(bar.button(QVariant(1)), Qt::LeftButton);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    QCOMPARE(checkedIds(buttons), QList<int>({1}));

    QTest::mouseClick(bar.button(QVariant(7)), Qt::LeftButton);
    QCOMPARE(checkedIds(buttons), QList<int>({7}));

    bar.setButtonSelectState(QVariant(0), true);
    QCOMPARE(checkedIds(buttons), QList<int>({0}));
    bar.setButtonSelectState(QVariant(0), false);
    QCOMPARE(checkedIds(buttons), QList<int>());
}

void TestBars::boardToolBarOtherButtons()
{
    IBoardToolBar bar(nullptr);
    bar.show();
    QVERIFY(bar.button(QVariant(10))->isHidden());
    QCOMPARE(bar.button(QVariant(9))->toolTip(), QStringLiteral("Home"));
    QVERIFY(!bar.button(QVariant(2))->isCheckable());

    QSignalSpy spy(&bar, &IBoardToolBar::sgButtonClick);
    QTest::mouseClick(bar.button(QVariant(1)), Qt::LeftButton);
    QTest::mouseClick(bar.button(QVariant(2)), Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    QCOMPARE(spy.at(1).at(1).value<QVariant>().toInt(), 2);
    QCOMPARE(checkedIds(bar.findChildren<IIToolButton*>()), QList<int>({1}));

    QCOMPARE(bar.buttonGlobslPos(IBoardToolBar::Eraser), bar.button(QVariant(7))->mapToGlobal(QPoint(0, 0)));
    QCOMPARE(bar.buttonGlobslPos(IBoardToolBar::ButtonType(11)), QPoint(0, 0));
}

void TestBars::titleBarButtons()
{
    Host host;
    IMainTitleWidget* title = host.title;
    QCOMPARE(title->height(), 40);
    QCOMPARE(ids(title->findChildren<IIToolButton*>()), QList<int>({0, 1, 2, 3, 4, 5}));
    QVERIFY(title->button(IMainTitleWidget::Cameras)->isHidden());
    QVERIFY(title->button(IMainTitleWidget::Restore)->isHidden());
    QVERIFY(title->button(IMainTitleWidget::Maximize)->isVisible());
    QCOMPARE(title->button(IMainTitleWidget::Close)->toolTip(), QStringLiteral("Close"));

    QSignalSpy settings(title, &IMainTitleWidget::sgShowSettings);
    QTest::mouseClick(title->button(IMainTitleWidget::Settings), Qt::LeftButton);
    QCOMPARE(settings.count(), 1);

    QTest::mouseClick(title->button(IMainTitleWidget::Close), Qt::LeftButton);
    QVERIFY(!host.window.isVisible());
}

void TestBars::titleBarDrag()
{
    Host host;
    IMainTitleWidget* title = host.title;
    QSignalSpy moved(title, &IMainTitleWidget::sgMove);
    const QPoint start = host.window.pos();

    // The right button does not drag.
    sendMouse(title, QEvent::MouseButtonPress, QPoint(10, 10), Qt::RightButton, Qt::RightButton);
    sendMouse(title, QEvent::MouseMove, QPoint(40, 30), Qt::NoButton, Qt::RightButton);
    sendMouse(title, QEvent::MouseButtonRelease, QPoint(40, 30), Qt::RightButton, Qt::NoButton);
    QCOMPARE(host.window.pos(), start);
    QCOMPARE(moved.count(), 0);

    sendMouse(title, QEvent::MouseButtonPress, QPoint(10, 10), Qt::LeftButton, Qt::LeftButton);
    sendMouse(title, QEvent::MouseMove, QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(host.window.pos(), start + QPoint(30, 20));
    QCOMPARE(moved.count(), 1);
    sendMouse(title, QEvent::MouseButtonRelease, QPoint(40, 30), Qt::LeftButton, Qt::NoButton);

    // After the release moves do nothing.
    sendMouse(title, QEvent::MouseMove, QPoint(80, 30), Qt::NoButton, Qt::NoButton);
    QCOMPARE(host.window.pos(), start + QPoint(30, 20));
    QCOMPARE(moved.count(), 1);
}

void TestBars::titleBarDoubleClickFitsScreen()
{
    Host host;
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(host.window.geometry() != available);
    QTest::mouseDClick(host.title, Qt::LeftButton, Qt::NoModifier, QPoint(200, 10));
    QCOMPARE(host.window.geometry(), available);
    QCOMPARE(host.window.windowState(), Qt::WindowNoState);
}

void TestBars::titleBarWindowStates()
{
    Host host;
    IMainTitleWidget* title = host.title;
    QSignalSpy center(title, &IMainTitleWidget::sgCenterBoard);

    QTest::mouseClick(title->button(IMainTitleWidget::Maximize), Qt::LeftButton);
    QVERIFY(host.window.isFullScreen());
    QVERIFY(title->button(IMainTitleWidget::Maximize)->isHidden());
    QVERIFY(!title->button(IMainTitleWidget::Restore)->isHidden());
    QCOMPARE(center.count(), 1);

    QTest::mouseClick(title->button(IMainTitleWidget::Restore), Qt::LeftButton);
    QVERIFY(!host.window.isFullScreen());
    QVERIFY(host.window.isMaximized());
    QVERIFY(host.window.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!title->button(IMainTitleWidget::Maximize)->isHidden());
    QVERIFY(title->button(IMainTitleWidget::Restore)->isHidden());
    QCOMPARE(center.count(), 2);

    QTest::mouseClick(title->button(IMainTitleWidget::Minimize), Qt::LeftButton);
    QVERIFY(host.window.windowState().testFlag(Qt::WindowMinimized));
}

void TestBars::titleBarCameraList()
{
    qRegisterMetaType<ICameraInfo>();
    // The Wi-Fi camera's control port, on loopback only.
    QTcpServer camera;
    QVERIFY(camera.listen(QHostAddress::LocalHost, 0));
    qputenv("OCUMETRA_CAMERA_CONTROL_PORT", QByteArray::number(camera.serverPort()));
    g_rtsp_url = QStringLiteral("rtsp://127.0.0.1/stream/main");

    Host host;
    IMainTitleWidget* title = host.title;
    title->setSmallCameraPathProvider([] { return QStringLiteral("/dev/none"); });
    QSignalSpy hide(title, &IMainTitleWidget::sgHideSecondWidget);
    QSignalSpy switched(title, &IMainTitleWidget::sgSwitchCamera);

    title->button(IMainTitleWidget::Cameras)->click();
    QComboBox* box = title->camerasBox();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->parentWidget(), &host.window);
    QCOMPARE(hide.count(), 1);
    QVERIFY(box->count() >= 1);
    QCOMPARE(box->itemText(box->count() - 1), QStringLiteral("Tarvenix WIFI"));
    QCOMPARE(switched.count(), 0);  // the rebuild switches nothing

    // Choosing the Wi-Fi row asks for the Wi-Fi camera, whatever its row number.
    box->setCurrentIndex(box->count() - 1);
    QVERIFY(box->isHidden());
    QCOMPARE(switched.count(), 1);
    const ICameraInfo chosen = switched.at(0).at(0).value<ICameraInfo>();
    QCOMPARE(chosen.index, 999);
    QCOMPARE(chosen.description, QStringLiteral("Tarvenix WIFI"));

    // A second click closes the list again.
    title->button(IMainTitleWidget::Cameras)->click();
    QVERIFY(box->isVisible());
    title->button(IMainTitleWidget::Cameras)->click();
    QVERIFY(box->isHidden());

    // Without an answering camera the entry is left out.
    camera.close();
    title->button(IMainTitleWidget::Cameras)->click();
    for (int i = 0; i < box->count(); ++i)
        QVERIFY(box->itemText(i) != QStringLiteral("Tarvenix WIFI"));
    title->hideCameraList();
    QVERIFY(box->isHidden());
    qunsetenv("OCUMETRA_CAMERA_CONTROL_PORT");
}

void TestBars::titleBarCameraListRows()
{
    qRegisterMetaType<ICameraInfo>();
    g_rtsp_url.clear();  // no Wi-Fi camera
    const ICameraInfo savedOpen = g_camera_info;
    g_camera_info = camera(2, "/dev/c", "Cam C");

    auto* fake = new FakeCamerasTitle;
    fake->cameras = {camera(0, "/dev/a", "Cam A"), camera(1, "/dev/b", "Cam B"), camera(2, "/dev/c", "Cam C")};
    Host host(fake);
    fake->setSmallCameraPathProvider([] { return QStringLiteral("/dev/b"); });
    QSignalSpy switched(fake, &IMainTitleWidget::sgSwitchCamera);

    // The picture-in-picture camera is left out, the open camera is current.
    fake->button(IMainTitleWidget::Cameras)->click();
    QComboBox* box = fake->camerasBox();
    QCOMPARE(box->count(), 2);
    QCOMPARE(box->itemText(0), QStringLiteral("Cam A"));
    QCOMPARE(box->itemText(1), QStringLiteral("Cam C"));
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(box->itemData(1).toString(), QStringLiteral("/dev/c"));
    QCOMPARE(switched.count(), 0);

    box->setCurrentIndex(0);
    QVERIFY(box->isHidden());
    QCOMPARE(switched.count(), 1);
    const ICameraInfo chosen = switched.at(0).at(0).value<ICameraInfo>();
    QCOMPARE(chosen.index, 0);
    QCOMPARE(chosen.devicePath, QStringLiteral("/dev/a"));

    // With the open camera not offered, no row is current; a camera that vanished
    // between the rebuild and the choice is not switched to.
    g_camera_info = camera(7, "/dev/x", "Gone");
    fake->button(IMainTitleWidget::Cameras)->click();
    QCOMPARE(box->currentIndex(), -1);
    fake->cameras.removeFirst();
    box->setCurrentIndex(0);
    QCOMPARE(switched.count(), 1);

    g_camera_info = savedOpen;
}

void TestBars::barIconsExist()
{
    // Every button draws its icons through its style sheet; a wrong name leaves it blank.
    IRightToolBar right(nullptr);
    ICameraToolBar cameraBar(nullptr);
    IBoardToolBar board(nullptr);
    IMainTitleWidget title(nullptr, nullptr);
    QList<IIToolButton*> buttons;
    buttons << right.findChildren<IIToolButton*>() << cameraBar.findChildren<IIToolButton*>()
            << board.findChildren<IIToolButton*>() << title.findChildren<IIToolButton*>();
    QCOMPARE(buttons.size(), 6 + 17 + 11 + 6);

    const QRegularExpression url(QStringLiteral("url\\(([^)]+)\\)"));
    for (IIToolButton* b : qAsConst(buttons)) {
        QStringList icons;
        for (auto it = url.globalMatch(b->styleSheet()); it.hasNext();)
            icons << it.next().captured(1);
        QVERIFY2(!icons.isEmpty(), qPrintable(b->toolTip()));
        for (const QString& icon : qAsConst(icons)) {
            QSvgRenderer svg(icon);
            QVERIFY2(svg.isValid(), qPrintable(b->toolTip() + ": " + icon));
        }
    }
    for (const char* icon : {":/root/root/barlogo.svg", ":/root/root/rselect.svg", ":/root/root/rselectall.svg",
                             ":/root/root/runselectall.svg", ":/root/root/radd.svg"})
        QVERIFY2(!QPixmap(QString::fromLatin1(icon)).isNull(), icon);
}

OCUMETRA_TEST_MAIN(TestBars)
#include "tst_bars.moc"
