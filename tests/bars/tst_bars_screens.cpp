// The bars' texts and logos on two monitors scaled 1 and 2 (Qt sees one X screen split
// in two monitors as two screens through Xinerama): on the scaled one they are twice as
// large and as sharp as the screen allows.

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <QtTest>

#include "board/widget/ibasewidget.h"
#include "customui/icameratoolbar.h"
#include "customui/iimglistwidget.h"
#include "customui/iitoolbutton.h"
#include "customui/imaintitlewidget.h"
#include "customui/iuihelper.h"
#include "testenv.h"

namespace {

// Rows of the widget's picture holding light, opaque pixels: the height of its text.
int inkHeight(QWidget* widget)
{
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 128 && qGray(p) > 160) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
        }
    return top < 0 ? 0 : bottom - top + 1;
}

// Aligned 2 x 2 blocks of the picture whose pixels are not all the same: none when a
// picture of half the resolution was enlarged.
int detailedBlocks(const QImage& image)
{
    int count = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p)
                ++count;
        }
    return count;
}

void showOn(QWidget* widget, QScreen* screen)
{
    widget->move(screen->geometry().topLeft() + QPoint(50, 50));
    widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(widget));
    QCOMPARE(widget->windowHandle()->screen(), screen);
}

}

class TestBarsScreens : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        QCOMPARE(QGuiApplication::screens().at(0)->devicePixelRatio(), 1.0);
        QCOMPARE(QGuiApplication::screens().at(1)->devicePixelRatio(), 2.0);
    }

    void textsScaleWithTheirScreen()
    {
        QScreen* plain = QGuiApplication::screens().at(0);
        QScreen* scaled = QGuiApplication::screens().at(1);
        QList<int> heights[2];
        for (QScreen* screen : {plain, scaled}) {
            QList<int>& h = heights[screen == scaled];
            IImgListWidget gallery(nullptr);
            showOn(&gallery, screen);
            QLabel* heading = nullptr;
            for (QLabel* label : gallery.findChildren<QLabel*>())
                if (label->text() == QStringLiteral("Gallery"))
                    heading = label;
            QVERIFY(heading);
            h << inkHeight(heading);

            // A recording preset, and a label in the board kit's font.
            IIToolButton preset(QVariant(1), QStringLiteral("1024*768"), QSize(100, 35), IIToolButton::AllRadius,
                                false);
            showOn(&preset, screen);
            h << inkHeight(&preset);
            QLabel kit(QStringLiteral("Text"));
            kit.setStyleSheet(QStringLiteral("color:white;background-color:black;"));
            kit.setFont(scaledUiFont(14, 75));
            showOn(&kit, screen);
            h << inkHeight(&kit);
        }
        for (int i = 0; i < heights[0].size(); ++i) {
            QVERIFY2(heights[0].at(i) > 5, qPrintable(QString::number(i)));
            // Twice as many device pixels: the same size to the eye as the rest of the window.
            QVERIFY2(qAbs(heights[1].at(i) - 2 * heights[0].at(i)) <= 2,
                     qPrintable(QStringLiteral("text %1: %2 device pixels at ratio 2, %3 at ratio 1")
                                    .arg(i).arg(heights[1].at(i)).arg(heights[0].at(i))));
        }
    }

    void logosAreSharpAtRatioTwo()
    {
        QScreen* scaled = QGuiApplication::screens().at(1);
        IMainTitleWidget title(nullptr, nullptr);
        title.resize(1200, 40);
        showOn(&title, scaled);
        ICameraToolBar bar(nullptr);
        showOn(&bar, scaled);
        // The logos stand first in their bars.
        for (QWidget* logo : {title.childAt(31, title.height() / 2), bar.childAt(11, bar.height() / 2)}) {
            QVERIFY(logo);
            const QImage image = logo->grab().toImage();
            QCOMPARE(image.size(), logo->size() * 2);
            QVERIFY2(detailedBlocks(image) > 200, qPrintable(QString::number(detailedBlocks(image))));
        }
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    // The right-hand monitor scaled 2 (the server's monitors are set by the test's X server).
    qputenv("QT_XCB_NO_XRANDR", "1");
    qputenv("QT_SCREEN_SCALE_FACTORS", "1;2");
    QApplication app(argc, argv);
    TestEnv::afterApplication();
    TestBarsScreens tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_bars_screens.moc"
