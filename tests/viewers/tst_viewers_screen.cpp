// Viewers that need a real X server: the magnifier grabs the screen, and (below) the
// OpenGL frame renderers need a GL context, which Xvfb's Mesa gives and the offscreen
// platform does not.

#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QtTest>

#include "customui/imagnifierframe.h"
#include "iapplication.h"
#include "testenv.h"

namespace {

// Every pixel tells where it is: red and green the low bytes of x and y, blue the rest.
QRgb positionColour(int x, int y)
{
    return qRgb(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8));
}

class PatternWindow : public QWidget
{
public:
    PatternWindow()
    {
        setWindowFlags(Qt::FramelessWindowHint);
        setAttribute(Qt::WA_OpaquePaintEvent);
        QImage image(600, 400, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, positionColour(x, y));
        m_image = image;
        setFixedSize(image.size());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_image);
    }

private:
    QImage m_image;
};

class CountingMagnifier : public IMagnifierFrame
{
public:
    explicit CountingMagnifier(IApplication* app)
        : IMagnifierFrame(app, nullptr)
    {
    }
    int moves = 0;
    void slGMouseMoveEvent(QPoint pos) override
    {
        ++moves;
        IMagnifierFrame::slGMouseMoveEvent(pos);
    }
};

}

class TestViewersScreen : public QObject
{
    Q_OBJECT

private slots:
    void magnifierShowsRegionAtTwiceItsSize()
    {
        PatternWindow pattern;
        pattern.move(100, 100);
        pattern.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pattern));
        QTest::qWait(200); // let the X server draw it

        IMagnifierFrame magnifier(nullptr, nullptr);
        QLabel* label = magnifier.pictureLabel();
        QCOMPARE(label->size(), QSize(500, 300));
        const QPoint origin = pattern.mapToGlobal(QPoint(0, 0));
        const QPoint pointer = origin + QPoint(300, 200);
        magnifier.slGMouseMoveEvent(pointer);
        const QImage shown = label->pixmap()->toImage();
        QCOMPARE(shown.size(), QSize(500, 300));
        // Shown pixel (i, j) is screen pixel (pointer - (125, 75) + (i, j) / 2).
        int wrong = 0;
        for (int j = 0; j < 300; ++j)
            for (int i = 0; i < 500; ++i) {
                const int x = 300 - 125 + i / 2;
                const int y = 200 - 75 + j / 2;
                if ((shown.pixel(i, j) & 0xffffff) != (positionColour(x, y) & 0xffffff))
                    ++wrong;
            }
        QCOMPARE(wrong, 0);

        // At the screen's corner the area reaches past the desktop: still 500 x 300.
        magnifier.slGMouseMoveEvent(QPoint(0, 0));
        QCOMPARE(label->pixmap()->size(), QSize(500, 300));
    }

    void magnifierFollowsPointerOnlyWhileShown()
    {
        auto* app = qobject_cast<IApplication*>(qApp);
        QVERIFY(app);
        CountingMagnifier magnifier(app);
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 0);

        magnifier.setFrameVisible(true);
        QVERIFY(magnifier.isVisible());
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 1);

        // Hidden and shown again: still one update per move.
        magnifier.setFrameVisible(false);
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 1);
        magnifier.setFrameVisible(true);
        magnifier.setFrameVisible(true);
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 2);
        QVERIFY(!magnifier.pictureLabel()->pixmap()->isNull());

        // Closing through the title's close icon lets go like the tool bar does.
        magnifier.close();
        QVERIFY(!magnifier.isVisible());
        emit app->sgGMouseMoveEvent(QPoint(10, 10));
        QCOMPARE(magnifier.moves, 2);
        // The last picture stays for the next showing.
        QVERIFY(!magnifier.pictureLabel()->pixmap()->isNull());
    }

    void magnifierStandsAtRightEdge()
    {
        IMagnifierFrame magnifier(nullptr, nullptr);
        magnifier.setFrameVisible(true);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(magnifier.pos(), QPoint(area.left() + area.width() - magnifier.width(), area.top() + 100));
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    IApplication app(QStringLiteral("OcumetraViewersScreenTest"), argc, argv);
    TestEnv::afterApplication();
    TestViewersScreen tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_viewers_screen.moc"
