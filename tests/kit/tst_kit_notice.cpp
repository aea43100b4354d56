#include <QApplication>
#include <QDesktopWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include "board/widget/ibasewidget.h"
#include "board/widget/itimemsgbox.h"
#include "iglobal.h"
#include "noticelog.h"
#include "tst_kit.h"

namespace {
const QPoint kCentre(-1000, -1000);

QWidget* plateOf(ITimeMsgBox& box)
{
    for (QWidget* w : box.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QLabel*>(w))
            return w;
    return nullptr;
}
}

void TestKit::noticeTiming()
{
    ITimeMsgBox box;
    QElapsedTimer clock;
    clock.start();
    box.showMessageBox("Zoom 150%", 1000, kCentre);
    QVERIFY(box.isVisible());
    QCOMPARE(box.windowOpacity(), 1.0);

    // Opacity only changes through the fade, so a late fade start proves the hold.
    QTRY_VERIFY_WITH_TIMEOUT(box.isFading(), 2000);
    QVERIFY(clock.elapsed() >= 950);
    QTRY_VERIFY_WITH_TIMEOUT(box.windowOpacity() < 0.9, 2000);
    QVERIFY(box.isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(!box.isVisible(), 4000);
    QVERIFY(clock.elapsed() >= 1900);
    QVERIFY(!box.isFading());
}

void TestKit::noticeSecondMessageKeepsItsTime()
{
    ITimeMsgBox box;
    box.showMessageBox("first", 1000, kCentre);
    QTest::qWait(300);
    QElapsedTimer clock;
    clock.start();
    box.showMessageBox("second", 1000, kCentre);
    QCOMPARE(box.findChild<QLabel*>()->text(), QStringLiteral("second"));

    // The first message's timer would have started the fade 700 ms from here.
    QTRY_VERIFY_WITH_TIMEOUT(box.isFading(), 2000);
    QVERIFY(clock.elapsed() >= 950);
    QTRY_VERIFY_WITH_TIMEOUT(!box.isVisible(), 3000);
}

void TestKit::noticeShownDuringFadeIsNotCutOff()
{
    ITimeMsgBox box;
    box.showMessageBox("first", 300, kCentre);
    QTRY_VERIFY_WITH_TIMEOUT(box.isFading() && box.windowOpacity() < 0.9, 3000);

    QElapsedTimer clock;
    clock.start();
    box.showMessageBox("second", 1000, kCentre);
    QVERIFY(!box.isFading());
    QCOMPARE(box.windowOpacity(), 1.0);

    // Had the old fade kept running it would have closed the notice within 900 ms,
    // long before the second message's own fade begins.
    QTRY_VERIFY_WITH_TIMEOUT(box.isFading(), 2000);
    QVERIFY(clock.elapsed() >= 950);
    QVERIFY(box.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!box.isVisible(), 3000);
    QVERIFY(clock.elapsed() >= 1900);
}

// A notice given while another was on screen replaced its text before it was painted.
// Now each is shown for its own time in turn; status lines still replace one another,
// and a flood of the same notice is shown once.
void TestKit::noticesWaitTheirTurn()
{
    ITimeMsgBox box;
    NoticeLog log(&box);
    box.showNotice("first", 400);
    log.look();
    for (int i = 0; i < 50; ++i)
        box.showNotice("second", 400);
    box.showNotice("first", 400);
    box.showMessageBox("status 1", 300, kCentre);
    box.showMessageBox("status 2", 300, kCentre);
    box.showNotice("third", 400);
    QVERIFY(log.waitForQuiet(4, 8000));
    QCOMPARE(log.texts(), QStringList({"first", "second", "status 2", "third"}));
    const QList<int> times = {400, 400, 300, 400};
    for (int i = 0; i < times.size(); ++i)
        QVERIFY2(log.shown().at(i).ms >= times.at(i) - 50, qPrintable(log.shown().at(i).text));

    // A long sentence wraps to several lines, and is given the time to read them.
    const QString sentence = QString("The settings file is too large to read and could not be set aside. ").repeated(2);
    QVERIFY(ITimeMsgBox::readingTime(sentence, 3000) >= 3000 + 4 * 1500);

    // Status lines alone still replace one another at once.
    NoticeLog status(&box);
    box.showMessageBox("a", 1000, kCentre);
    box.showMessageBox("b", 300, kCentre);
    QVERIFY(status.waitForQuiet(1, 4000));
    QCOMPARE(status.texts(), QStringList{"b"});
}

void TestKit::noticePlateSize()
{
    for (double s : {1.0, 1.5}) {
        applyScaleFactors(ScaleFactors{s, s, s});
        ITimeMsgBox box;
        box.showMessageBox("Reset", 1000, kCentre);
        auto* label = box.findChild<QLabel*>();
        QWidget* plate = plateOf(box);
        QVERIFY(label && plate);
        QVERIFY(!label->wordWrap());
        const QSize hint = label->sizeHint();
        const QSize expected(int(40 * s + hint.width()), int(20 * s + hint.height()));
        QCOMPARE(box.size(), expected);
        QCOMPARE(plate->size(), expected);
        QVERIFY(plate->styleSheet().contains(QStringLiteral("border-radius:%1px").arg(8 * s)));
        // The label sits centred on the plate.
        const QRect g = label->geometry();
        QVERIFY(qAbs(g.center().x() - plate->width() / 2) <= 1);
        QVERIFY(qAbs(g.center().y() - plate->height() / 2) <= 1);
    }

    // Text wider than 500 px wraps, and the label stays within 500 px.
    applyScaleFactors(ScaleFactors{});
    ITimeMsgBox box;
    box.showMessageBox("Short", 1000, kCentre);
    const int oneLine = box.height();
    const QString longText = QString("The camera is not available, or it is caused by power failure, poor contact "
                                     "and being pulled out. Please check the equipment.");
    box.showMessageBox(longText, 1000, kCentre);
    auto* label = box.findChild<QLabel*>();
    QVERIFY(label->wordWrap());
    QVERIFY(label->width() <= 500);
    QVERIFY(box.width() <= 540);
    QVERIFY(box.height() > oneLine);
    box.showMessageBox("Short", 1000, kCentre);
    QVERIFY(!label->wordWrap());
}

void TestKit::noticePlacement()
{
    ITimeMsgBox box;
    box.showMessageBox("centred", 1000, kCentre);
    QDesktopWidget* desktop = QApplication::desktop();
    const QRect area = desktop->availableGeometry(desktop->screenNumber(QCursor::pos()));
    QCOMPARE(box.pos(), QPoint(area.left() + (area.width() - box.width()) / 2,
                               area.top() + (area.height() - box.height()) / 2));

    box.showMessageBox("there", 1000, QPoint(12, 34));
    QCOMPARE(box.pos(), QPoint(12, 34));

    // With a parent the notice is a child widget.
    QWidget parent;
    ITimeMsgBox child(&parent);
    QVERIFY(!child.isWindow());
}

void TestKit::noticeInstance()
{
    QPointer<ITimeMsgBox> first = ITimeMsgBox::instance();
    QVERIFY(first);
    QCOMPARE(ITimeMsgBox::instance(), first.data());
    QVERIFY(first->isWindow());
    first->showMessageBox("x", 1000, kCentre);
    ITimeMsgBox::destroyInstance();
    QVERIFY(first.isNull());
    ITimeMsgBox::destroyInstance();  // twice is harmless
    QPointer<ITimeMsgBox> second = ITimeMsgBox::instance();
    QVERIFY(second);
    ITimeMsgBox::destroyInstance();
    QVERIFY(second.isNull());
}

// The two restyling calls must actually change what the notice paints.
void TestKit::noticeRestyled()
{
    ITimeMsgBox box;
    QFont font = scaledUiFont(24, 75);
    box.setFont(font, QColor(Qt::red));
    box.setBackgroundColor(QColor(0, 0, 255, 255), 4);
    box.showMessageBox(QStringLiteral("WWWW"), 1000, QPoint(0, 0));
    auto* label = box.findChild<QLabel*>();
    QVERIFY(label);
    QCOMPARE(label->font().pixelSize(), font.pixelSize());

    // A thick glyph band through the label's middle row shows its colour.
    const QImage text = label->grab().toImage();
    bool red = false;
    for (int x = 0; x < text.width() && !red; ++x) {
        const QColor c = text.pixelColor(x, text.height() / 2);
        red = c.red() > 200 && c.green() < 60 && c.blue() < 60;
    }
    QVERIFY(red);

    // The plate's top edge, above the label, is blue now.
    const QImage plate = plateOf(box)->grab().toImage();
    QCOMPARE(plate.pixelColor(plate.width() / 2, 2), QColor(0, 0, 255));
}

// The default plate is the half-transparent black the notice is known by.
void TestKit::noticeDefaultPlate()
{
    ITimeMsgBox box;
    box.showMessageBox(QStringLiteral("Reset"), 1000, QPoint(0, 0));
    // Grabbed through the top-level: a grab of the translucent plate alone blends it twice.
    const QImage whole = box.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    const QColor c = whole.pixelColor(whole.width() / 2, 2);
    QCOMPARE(c.alpha(), 100);
    QCOMPARE(c.red() + c.green() + c.blue(), 0);
}

void TestKit::noticeDoesNotHoldTheProgramOpen()
{
    // The program ends when its window closes, whatever notice still stands.
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    ITimeMsgBox box;
    box.showMessageBox("Recording saved", 5000, kCentre);
    QVERIFY(box.isVisible());
    const bool quitOnClose = qApp->quitOnLastWindowClosed();
    qApp->setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, &window, &QWidget::close);
    // Bounds the loop should the close not end it.
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, qApp, &QCoreApplication::quit);
    bound.start(10000);
    QElapsedTimer clock;
    clock.start();
    QApplication::exec();
    const qint64 ms = clock.elapsed();
    qApp->setQuitOnLastWindowClosed(quitOnClose);
    QVERIFY2(ms < 1000, qPrintable(QStringLiteral("the loop ended %1 ms after the close").arg(ms)));
}
