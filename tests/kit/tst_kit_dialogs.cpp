#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include "board/widget/ibasewidget.h"
#include "customui/icustomwidget.h"
#include "customui/imacospermissionbox.h"
#include "customui/imsgbox.h"
#include "idialogseam.h"
#include "iglobal.h"
#include "testenv.h"
#include "tst_kit.h"

namespace {
void sendMouse(QWidget* w, QEvent::Type type, QPoint local)
{
    const bool release = type == QEvent::MouseButtonRelease;
    QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  release ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton), Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
}

void TestKit::msgBoxAnsweredBySeam()
{
    QString seenTitle;
    IDialogSeam::setMessageHook([&](const QString& text, const QString& title) {
        TestEnv::messages().append(text);
        seenTitle = title;
        return text == "cancel me" ? 0x400000 : 0x400;
    });
    QCOMPARE(IMsgBox::showMsg("Saved.", nullptr), 0x400);
    QCOMPARE(seenTitle, g_software_name);
    QCOMPARE(IMsgBox::showMsg("cancel me", IMsgBox::OkCancel, "Delete", nullptr), 0x400000);
    QCOMPARE(seenTitle, QStringLiteral("Delete"));
    QCOMPARE(TestEnv::messages(), (QStringList{"Saved.", "cancel me"}));
    TestEnv::afterApplication();  // the shared hook again

    TestEnv::setMessageAnswer(0x400000);
    QCOMPARE(IMsgBox::showMsg("Quit?", IMsgBox::OkCancel, "T", nullptr), 0x400000);
    QCOMPARE(TestEnv::messages().last(), QStringLiteral("Quit?"));
}

void TestKit::customWidgetTitleAndClose()
{
    ICustomWidget plain(nullptr);
    QVERIFY(plain.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(plain.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(plain.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(plain.title().isEmpty());
    QVERIFY(!plain.findChild<QToolButton*>("closeButton"));
    QCOMPARE(plain.contentsMargins().top(), 0);

    ICustomWidget titled("Settings", true, nullptr);
    titled.resize(300, 200);
    titled.show();
    QCOMPARE(titled.title(), QStringLiteral("Settings"));
    QCOMPARE(titled.contentsMargins().top(), 30);
    auto* close = titled.findChild<QToolButton*>("closeButton");
    QVERIFY(close);
    QVERIFY(close->geometry().right() < 300 && close->geometry().bottom() <= 30);

    QSignalSpy spy(&titled, &ICustomWidget::sgClose);
    QTest::mouseClick(close, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!titled.isVisible());

    // Any close() emits it too.
    titled.show();
    titled.close();
    QCOMPARE(spy.count(), 2);

    ICustomWidget noClose("Title", false, nullptr);
    QVERIFY(!noClose.findChild<QToolButton*>("closeButton"));
}

void TestKit::customWidgetDrag()
{
    ICustomWidget w("Drag", false, nullptr);
    w.setGeometry(100, 100, 200, 150);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint start = w.pos();

    auto drag = [&](QPoint from, QPoint delta) {
        const QPoint g = w.mapToGlobal(from);
        QMouseEvent press(QEvent::MouseButtonPress, from, g, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &press);
        QMouseEvent move(QEvent::MouseMove, from + delta, g + delta, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, from + delta, g + delta, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(&w, &release);
    };

    drag(QPoint(50, 10), QPoint(30, 20));  // not movable yet
    QCOMPARE(w.pos(), start);

    w.setMoveState(true);
    drag(QPoint(50, 10), QPoint(30, 20));
    QCOMPARE(w.pos(), start + QPoint(30, 20));

    drag(QPoint(50, 60), QPoint(30, 20));  // below the title strip
    QCOMPARE(w.pos(), start + QPoint(30, 20));
}

void TestKit::permissionBoxTexts()
{
    QWidget parent;
    IMacosPermissionBox box(&parent);
    QVERIFY(!box.isVisible());
    QVERIFY(box.isModal());

    box.showPermissionBox(IMacosPermissionBox::Microphone);
    QCOMPARE(TestEnv::messages(),
             QStringList{"The application requires microphone access to record the audio."});
    auto* button = box.findChild<QPushButton*>();
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("Microphone Preferences..."));
    QVERIFY(button->width() > QFontMetrics(button->font()).horizontalAdvance(button->text()));
    const int micWidth = button->width();

    box.showPermissionBox(IMacosPermissionBox::ScreenRecording);
    QCOMPARE(TestEnv::messages().last(),
             QStringLiteral("The application requires Screen Recording access to record the video."));
    QCOMPARE(button->text(), QStringLiteral("Screen Recording Preferences..."));
    QVERIFY(button->width() > micWidth);  // sized to the longer text
    QVERIFY(!box.isVisible());
}

void TestKit::baseWidgetDefaults()
{
    IBaseWidget top("T", true, nullptr);
    QCOMPARE(top.windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    QVERIFY(top.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(top.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(!top.moveState());

    QWidget parent;
    IBaseWidget child(&parent);
    QVERIFY(!child.isWindow());

    // setTitleTxt and setTitleFontSize put the title back to the left.
    top.setTitlePos(IBaseWidget::Center);
    QCOMPARE(top.titlePos(), IBaseWidget::Center);
    top.setTitleTxt("New");
    QCOMPARE(top.titlePos(), IBaseWidget::Left);
    QCOMPARE(top.titleTxt(), QStringLiteral("New"));
    top.setTitle("X", 14, IBaseWidget::Right);
    top.setTitleFontSize(12);
    QCOMPARE(top.titlePos(), IBaseWidget::Left);
}

void TestKit::baseWidgetPainting()
{
    IBaseWidget w(nullptr);
    w.resize(200, 120);
    QImage img = w.grab().toImage();
    QCOMPARE(img.pixelColor(100, 10), QColor(250, 250, 250));  // no title: no bar
    QCOMPARE(img.pixelColor(100, 0), QColor(230, 230, 230));   // the border
    QCOMPARE(img.pixelColor(0, 0).alpha(), 0);                 // rounded corner

    w.setTitle("Tools", 10, IBaseWidget::TitlePos(3));  // bar but no text
    w.setCloseButtonState(true);
    img = w.grab().toImage();
    QCOMPARE(img.pixelColor(60, 5), QColor(197, 228, 249));
    QCOMPARE(img.pixelColor(60, 25), QColor(197, 228, 249));  // square lower edge of the bar
    QCOMPARE(img.pixelColor(100, 80), QColor(250, 250, 250));
    // The red close icon sits in the close rectangle.
    const QPointF c = w.closeRect().center();
    const QColor icon = img.pixelColor(int(c.x()) - 5, int(c.y()));
    QVERIFY(icon.red() > 200 && icon.green() < 100);
    QCOMPARE(w.closeRect(), QRectF(200 - 10 - 16, 7, 16, 16));
}

void TestKit::baseWidgetCloseButton()
{
    IBaseWidget w("Colour", true, nullptr);
    w.resize(200, 120);
    w.show();
    QSignalSpy spy(&w, &IBaseWidget::sgClose);
    const QPoint inside = w.closeRect().center().toPoint();

    // Press inside, release outside: only disarms.
    sendMouse(&w, QEvent::MouseButtonPress, inside);
    QVERIFY(w.closePressed());
    sendMouse(&w, QEvent::MouseButtonRelease, QPoint(20, 60));
    QVERIFY(!w.closePressed());
    QVERIFY(w.isVisible());
    QCOMPARE(spy.count(), 0);

    // The move-icon flag blocks the close button.
    w.setMoveIcon(true);
    sendMouse(&w, QEvent::MouseButtonPress, inside);
    QVERIFY(!w.closePressed());
    sendMouse(&w, QEvent::MouseButtonRelease, inside);
    QVERIFY(w.isVisible());
    w.setMoveIcon(false);

    sendMouse(&w, QEvent::MouseButtonPress, inside);
    sendMouse(&w, QEvent::MouseButtonRelease, inside);
    QVERIFY(!w.isVisible());
    QCOMPARE(spy.count(), 1);

    // Without a title there is no close button to press.
    IBaseWidget bare(nullptr);
    bare.setCloseButtonState(true);
    bare.resize(200, 120);
    bare.show();
    sendMouse(&bare, QEvent::MouseButtonPress, bare.closeRect().center().toPoint());
    QVERIFY(!bare.closePressed());
}

void TestKit::baseWidgetDrag()
{
    IBaseWidget w("Drag", true, nullptr);
    w.setGeometry(100, 100, 200, 120);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint start = w.pos();

    // Not movable: the bar does not drag.
    sendMouse(&w, QEvent::MouseButtonPress, QPoint(40, 10));
    sendMouse(&w, QEvent::MouseMove, QPoint(60, 20));
    sendMouse(&w, QEvent::MouseButtonRelease, QPoint(60, 20));
    QCOMPARE(w.pos(), start);

    w.setMoveState(true);
    w.setMoveIcon(true);
    sendMouse(&w, QEvent::MouseButtonPress, QPoint(40, 10));
    sendMouse(&w, QEvent::MouseMove, QPoint(60, 25));
    QCOMPARE(w.pos(), start + QPoint(20, 15));
    QVERIFY(!w.isMoveIcon());  // the first drag step clears it
    sendMouse(&w, QEvent::MouseButtonRelease, QPoint(40, 10));
    sendMouse(&w, QEvent::MouseMove, QPoint(80, 30));  // released: no more dragging
    QCOMPARE(w.pos(), start + QPoint(20, 15));

    // A press on the close button also arms dragging, but nothing moves while armed.
    const QPoint onClose = w.closeRect().center().toPoint();
    sendMouse(&w, QEvent::MouseButtonPress, onClose);
    QVERIFY(w.closePressed());
    sendMouse(&w, QEvent::MouseMove, onClose + QPoint(-50, 5));
    QCOMPARE(w.pos(), start + QPoint(20, 15));
    sendMouse(&w, QEvent::MouseButtonRelease, onClose + QPoint(-50, 5));
    QVERIFY(w.isVisible());

    // Below the bar nothing drags.
    sendMouse(&w, QEvent::MouseButtonPress, QPoint(40, 60));
    sendMouse(&w, QEvent::MouseMove, QPoint(60, 80));
    sendMouse(&w, QEvent::MouseButtonRelease, QPoint(60, 80));
    QCOMPARE(w.pos(), start + QPoint(20, 15));

    // Emptying the title turns the bar off entirely.
    w.setTitleTxt(QString());
    sendMouse(&w, QEvent::MouseButtonPress, QPoint(40, 10));
    sendMouse(&w, QEvent::MouseMove, QPoint(60, 20));
    sendMouse(&w, QEvent::MouseButtonRelease, QPoint(60, 20));
    QCOMPARE(w.pos(), start + QPoint(20, 15));
}
