#include <QSvgRenderer>
#include <QtTest>

#include "customui/icaptureframe.h"
#include "customui/ifreezonewidget.h"
#include "iglobal.h"
#include "testenv.h"

namespace {

void sendMouse(QWidget* w, QEvent::Type type, const QPoint& pos)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Press at from, move in two steps to to, release.
void drag(QWidget* w, const QPoint& from, const QPoint& to)
{
    sendMouse(w, QEvent::MouseButtonPress, from);
    sendMouse(w, QEvent::MouseMove, from + (to - from) / 2);
    sendMouse(w, QEvent::MouseMove, to);
    sendMouse(w, QEvent::MouseButtonRelease, to);
}

}

class TestFreeZone : public QObject
{
    Q_OBJECT
private slots:
    void handlesResizeWithinTheFrame();
    void moveStopsAtEachEdgeAlone();
    void pressOutsideGrabsNothing();
    void fallbackFitsSmallFrames();
    void partialCaptureKeepsFrameCoordinates();
    void iconsLoad();
};

void TestFreeZone::handlesResizeWithinTheFrame()
{
    QWidget parent;
    parent.resize(1000, 800);
    IFreeZoneWidget zone(&parent);
    QCOMPARE(zone.size(), QSize(1000, 800));
    zone.setPainterState(true);
    zone.setSelectRect(QRect(100, 100, 400, 300));
    QCOMPARE(zone.getSelectRect(), QRect(100, 100, 400, 300));

    // Bottom-right corner: both sides follow.
    drag(&zone, zone.getSelectRect().bottomRight(), zone.getSelectRect().bottomRight() + QPoint(50, 30));
    QCOMPARE(zone.getSelectRect(), QRect(100, 100, 450, 330));
    QCOMPARE(zone.controlType(), 9);

    // Top-left dragged past the opposite side stops at the minimum width (200 at factor 1),
    // while the height, still large enough, follows.
    const QPoint tl = zone.getSelectRect().topLeft();
    drag(&zone, tl, tl + QPoint(400, 20));
    QRect r = zone.getSelectRect();
    QVERIFY2(r.right() - r.left() >= 200, qPrintable(QString::number(r.width())));
    QCOMPARE(r.left(), 100 + 200);  // the first step (+200) was taken, the second refused
    QCOMPARE(r.top(), 120);

    // Bottom-centre pulled far below the frame stays inside it.
    const QPoint bc = zone.bottomCenterRect().center();
    drag(&zone, bc, bc + QPoint(0, 2000));
    r = zone.getSelectRect();
    QVERIFY(QRect(0, 0, 1000, 800).contains(r));
    QCOMPARE(r.left(), 300);

    // The right-centre handle moves only the right side.
    zone.setSelectRect(QRect(100, 100, 400, 300));
    const QPoint cr = zone.centerRightRect().center();
    drag(&zone, cr, cr + QPoint(-60, 90));
    QCOMPARE(zone.getSelectRect(), QRect(100, 100, 340, 300));
}

void TestFreeZone::moveStopsAtEachEdgeAlone()
{
    QWidget parent;
    parent.resize(1000, 800);
    IFreeZoneWidget zone(&parent);
    zone.setPainterState(true);
    zone.setSelectRect(QRect(30, 100, 300, 200));
    const QPoint inside(150, 200);
    sendMouse(&zone, QEvent::MouseButtonPress, inside);
    QCOMPARE(zone.controlType(), 8);
    // Against the left edge: x refused, y taken.
    sendMouse(&zone, QEvent::MouseMove, inside + QPoint(-50, 40));
    QCOMPARE(zone.getSelectRect(), QRect(30, 140, 300, 200));
    sendMouse(&zone, QEvent::MouseMove, inside + QPoint(-70, 40));
    QCOMPARE(zone.getSelectRect(), QRect(10, 140, 300, 200));
    sendMouse(&zone, QEvent::MouseButtonRelease, inside + QPoint(-70, 40));
}

void TestFreeZone::pressOutsideGrabsNothing()
{
    QWidget parent;
    parent.resize(1000, 800);
    ICaptureFrame frame(nullptr, &parent);
    frame.setGeometryx(QRect(0, 0, 1000, 800));
    parent.show();
    g_freecapture_rect = QRect();
    frame.setFrameVisible(true);
    QWidget* bar = frame.findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(bar);
    QVERIFY(bar->isVisible());
    sendMouse(&frame, QEvent::MouseButtonPress, QPoint(5, 5));
    QCOMPARE(frame.controlType(), 9);
    QVERIFY(bar->isVisible());
    sendMouse(&frame, QEvent::MouseButtonRelease, QPoint(5, 5));

    // A drag inside hides the bar and shows it again at the selection's new corner.
    const QPoint inside = frame.getSelectRect().center();
    sendMouse(&frame, QEvent::MouseButtonPress, inside);
    QVERIFY(!bar->isVisible());
    sendMouse(&frame, QEvent::MouseMove, inside + QPoint(20, 10));
    sendMouse(&frame, QEvent::MouseButtonRelease, inside + QPoint(20, 10));
    QVERIFY(bar->isVisible());
    QVERIFY(frame.getSelectRect().contains(bar->geometry()));
}

void TestFreeZone::fallbackFitsSmallFrames()
{
    QWidget parent;
    parent.resize(500, 400);
    IFreeZoneWidget zone(&parent);
    // Smaller than the 800 x 600 default: the fallback is cut to the frame and the call ends.
    QCOMPARE(zone.getSelectRect(), QRect(0, 0, 500, 400));
    zone.setSelectRect(QRect(450, 10, 100, 100));
    QCOMPARE(zone.getSelectRect(), QRect(0, 0, 500, 400));
    zone.setSelectSize(QSize(200, 100));
    QCOMPARE(zone.getSelectRect(), QRect(150, 150, 200, 100));

    QWidget big;
    big.resize(1200, 900);
    IFreeZoneWidget wide(&big);
    wide.setSelectRect(QRect(1100, 10, 300, 300));
    QCOMPARE(wide.getSelectRect(), QRect(200, 150, 800, 600));
}

void TestFreeZone::partialCaptureKeepsFrameCoordinates()
{
    // Run at device pixel ratio 1 and (a second ctest entry) 2: the saved rectangle is in the
    // frame's own logical pixels, so it reopens unchanged and maps back onto the same spot.
    QWidget parent;
    parent.resize(1000, 800);
    ICaptureFrame frame(nullptr, &parent);
    frame.setGeometryx(QRect(40, 30, 900, 700));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    const qreal ratio = frame.devicePixelRatioF();
    QCOMPARE(ratio, qEnvironmentVariableIntValue("OCUMETRA_TEST_SCALE") == 2 ? 2.0 : 1.0);

    g_freecapture_rect = QRect();
    frame.setFrameVisible(true);
    frame.setSelectRect(QRect(10, 20, 300, 200));
    QMetaObject::invokeMethod(&frame, "onButtonClick", Q_ARG(bool, false), Q_ARG(QVariant, QVariant(1)));
    QCOMPARE(g_freecapture_rect, QRect(10, 20, 300, 200));
    QVERIFY(!frame.isVisible());

    frame.setFrameVisible(true);
    QCOMPARE(frame.getSelectRect(), QRect(10, 20, 300, 200));
    QCOMPARE(frame.mapTo(&parent, g_freecapture_rect.topLeft()), QPoint(50, 50));

    // Back leaves the saved rectangle alone.
    frame.setSelectRect(QRect(0, 0, 400, 400));
    QMetaObject::invokeMethod(&frame, "onButtonClick", Q_ARG(bool, false), Q_ARG(QVariant, QVariant(0)));
    QCOMPARE(g_freecapture_rect, QRect(10, 20, 300, 200));
}

void TestFreeZone::iconsLoad()
{
    const QStringList names = {"rdnormal", "rdclick", "rstartnormal", "rstartclick", "rpausenormal",
                               "rpauseclick", "rstopnormal", "rstopclick"};
    for (const QString& name : names) {
        QSvgRenderer svg(QStringLiteral(":/root/root/%1.svg").arg(name));
        QVERIFY2(svg.isValid(), qPrintable(name));
    }
}

OCUMETRA_TEST_MAIN(TestFreeZone)

#include "tst_freezone.moc"
