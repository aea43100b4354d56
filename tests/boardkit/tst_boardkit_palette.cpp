#include <QSignalSpy>
#include <QSvgRenderer>
#include <QToolButton>
#include <QtTest>

#include "board/widget/icolorpalette.h"
#include "board/widget/icolorpanel.h"
#include "board/widget/islider.h"
#include "board/widget/itoolbutton.h"
#include "tst_boardkit.h"

namespace {

// Indices of the selected swatches.
QList<int> selected(const IColorPalette& palette)
{
    QList<int> out;
    for (int i = 0; i < palette.swatches().size(); ++i) {
        if (palette.swatches().at(i)->selectState())
            out.append(i);
    }
    return out;
}

constexpr int kRed = 1;
constexpr int kWheel = 7;

} // namespace

void TestBoardKit::paletteStartsBlack()
{
    QWidget host;
    IColorPalette palette(&host);
    QCOMPARE(palette.swatches().size(), 8);
    QCOMPARE(palette.paletteColor(), QColor(Qt::black));
    QCOMPARE(selected(palette), QList<int>{0});
    QCOMPARE(palette.swatches().at(3)->buttonColor(), QColor(0, 176, 78));
    QCOMPARE(palette.swatches().at(kWheel)->buttonColor(), QColor(Qt::transparent));
    // The panel belongs to the palette's parent and starts hidden.
    QCOMPARE(palette.colorPanel()->parentWidget(), &host);
    QVERIFY(!palette.colorPanel()->isVisibleTo(&host));
}

void TestBoardKit::paletteSwatchClicks()
{
    QWidget host;
    IColorPalette palette(&host);
    QSignalSpy colours(&palette, &IColorPalette::sgChangeColor);
    palette.swatches().at(kRed)->click();
    QCOMPARE(colours.count(), 1);
    QCOMPARE(colours.at(0).at(0).value<QColor>(), QColor(Qt::red));
    QCOMPARE(colours.at(0).at(1).value<QColor>(), QColor(Qt::black));
    QCOMPARE(palette.paletteColor(), QColor(Qt::red));
    QCOMPARE(selected(palette), QList<int>{kRed});

    // The selected swatch again: nothing.
    palette.swatches().at(kRed)->click();
    QCOMPARE(colours.count(), 1);
    QCOMPARE(selected(palette), QList<int>{kRed});

    // A colour that no swatch has, then a swatch: reported as (new, new).
    palette.setPaletteColor(QColor(10, 20, 30));
    palette.swatches().at(2)->click();
    QCOMPARE(colours.count(), 2);
    QCOMPARE(colours.at(1).at(0).value<QColor>(), QColor(Qt::yellow));
    QCOMPARE(colours.at(1).at(1).value<QColor>(), QColor(Qt::yellow));
    QCOMPARE(selected(palette), QList<int>{2});
}

void TestBoardKit::paletteTransparentIsNotBlack()
{
    QWidget host;
    IColorPalette palette(&host);
    QSignalSpy colours(&palette, &IColorPalette::sgChangeColor);
    QVERIFY(!IColorPalette::sameSwatchColor(Qt::transparent, Qt::black));
    QVERIFY(IColorPalette::sameSwatchColor(QColor(255, 0, 0, 128), Qt::red));

    // With black current the wheel opens the panel (transparent is not black).
    palette.swatches().at(kWheel)->click();
    QVERIFY(palette.colorPanel()->isVisibleTo(&host));
    QCOMPARE(colours.count(), 0);
    QCOMPARE(palette.paletteColor(), QColor(Qt::transparent));
    QCOMPARE(selected(palette), QList<int>{kWheel});

    // A pick on the panel is reported against the previous colour and becomes current.
    const QColor picked(12, 200, 90);
    emit palette.colorPanel()->sgChangeColor(true, QVariant(picked));
    QCOMPARE(colours.count(), 1);
    QCOMPARE(colours.at(0).at(0).value<QColor>(), picked);
    QCOMPARE(colours.at(0).at(1).value<QColor>(), QColor(Qt::transparent));
    QCOMPARE(palette.paletteColor(), picked);
    // An invalid pick changes nothing.
    emit palette.colorPanel()->sgChangeColor(true, QVariant(QColor()));
    QCOMPARE(colours.count(), 1);

    // With transparent current, black is chosen, not the panel.
    palette.colorPanel()->setFrameVisible(false);
    palette.setPaletteColor(Qt::transparent);
    palette.swatches().at(0)->click();
    QVERIFY(!palette.colorPanel()->isVisibleTo(&host));
    QCOMPARE(colours.last().at(0).value<QColor>(), QColor(Qt::black));
    QCOMPARE(palette.paletteColor(), QColor(Qt::black));
}

void TestBoardKit::paletteSetPalette()
{
    QWidget host;
    IColorPalette palette(&host);
    palette.setPalette(Qt::black, 3);
    QCOMPARE(selected(palette), QList<int>{0});   // black alone, not the wheel too
    palette.setPalette(QColor(255, 0, 0, 100), 3);   // a red text at opacity 100 is red
    QCOMPARE(selected(palette), QList<int>{kRed});
    palette.setPalette(QColor(1, 2, 3), 3);
    QCOMPARE(selected(palette), QList<int>{kWheel});
    palette.setPalette(Qt::yellow, 3);
    QCOMPARE(selected(palette), QList<int>{2});
    palette.setPalette(Qt::transparent, 3);
    QCOMPARE(selected(palette), QList<int>{kWheel});
    QCOMPARE(palette.paletteColor(), QColor(Qt::transparent));
}

void TestBoardKit::paletteThicknessSignal()
{
    QWidget host;
    IColorPalette palette(&host);
    palette.setRangeValue(1, 20);
    QSignalSpy thickness(&palette, &IColorPalette::sgChangeThickness);
    palette.setPaletteThickness(9);
    QCOMPARE(palette.paletteThickness(), 9);
    QCOMPARE(palette.slider()->value(), 9);
    QCOMPARE(thickness.count(), 1);
    QCOMPARE(thickness.at(0).at(0).toInt(), 9);
    palette.setPaletteColor(Qt::red);   // keeps the thickness
    QCOMPARE(palette.paletteThickness(), 9);
    palette.setValue(25);               // clamped by the slider
    QCOMPARE(palette.slider()->value(), 20);
    palette.setVisableSlider(false);
    QVERIFY(!palette.slider()->isVisibleTo(&palette));
    palette.setVisableColorButton(false);
    QVERIFY(!palette.swatches().first()->isVisibleTo(&palette));
}

void TestBoardKit::panelPicture()
{
    const QImage img = IColorImage::instance()->getRGBImage(QSize(500, 300));
    QCOMPARE(img.size(), QSize(500, 300));
    // Middle row: dark red on the left, red on the right.
    const QColor left = img.pixelColor(1, 150);
    const QColor right = img.pixelColor(498, 150);
    QVERIFY2(left.red() > 110 && left.red() < 160 && left.green() < 20 && left.blue() < 20,
             qPrintable(left.name()));
    QVERIFY2(right.red() > 230 && right.green() < 20 && right.blue() < 30, qPrintable(right.name()));
    // The top 60 rows fade to white, the bottom 60 to black.
    const QColor top = img.pixelColor(250, 0);
    const QColor bottom = img.pixelColor(250, 299);
    QVERIFY2(top.red() > 240 && top.green() > 240 && top.blue() > 240, qPrintable(top.name()));
    QVERIFY2(bottom.red() < 15 && bottom.green() < 15 && bottom.blue() < 15, qPrintable(bottom.name()));
    QCOMPARE(img.pixelColor(250, 61), img.pixelColor(250, 150));
    QVERIFY(IColorImage::instance()->getRGBImage(QSize()).isNull());
}

void TestBoardKit::panelPicks()
{
    QWidget host;
    host.resize(800, 600);
    IColorPanel panel(&host);
    QCOMPARE(panel.titleTxt(), QStringLiteral("Color Panel"));
    QCOMPARE(panel.picture().size(), QSize(500, 300));
    QSignalSpy picks(&panel, &IColorPanel::sgChangeColor);
    host.show();
    panel.setFrameVisible(true);
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QToolButton* button = panel.pictureButton();
    const QPoint origin((button->width() - 500) / 2, (button->height() - 300) / 2);

    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, origin + QPoint(2, 150));
    QCOMPARE(picks.count(), 1);
    QVERIFY(picks.at(0).at(0).toBool());
    QCOMPARE(picks.at(0).at(1).value<QColor>(), panel.picture().pixelColor(2, 150));
    QVERIFY(panel.isVisible());   // stays open for further picks

    // Outside the picture (the border area) nothing is reported.
    panel.pickAt(origin + QPoint(-1, 10));
    panel.pickAt(origin + QPoint(500, 10));
    QCOMPARE(picks.count(), 1);

    // Its close button closes it without a colour.
    QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, panel.closeRect().center().toPoint());
    QVERIFY(!panel.isVisible());
    QCOMPARE(picks.count(), 1);
}

void TestBoardKit::panelShowsWithoutBlocking()
{
    QWidget host;
    IColorPanel panel(&host);
    host.show();
    panel.setFrameVisible(true);   // returns at once: no nested loop
    QVERIFY(panel.isVisible());
    panel.setFrameVisible(false);
    QVERIFY(!panel.isVisible());
    QCOMPARE(panel.result(), 0);

    // Every icon the text tools name loads.
    for (const char* path : {":/ui/ui/txtcolor.svg", ":/ui/ui/txtbold.svg", ":/ui/ui/txtitalic.svg",
                             ":/ui/ui/txtunderline.svg", ":/ui/ui/txtcopy.svg", ":/ui/ui/txtdelete.svg",
                             ":/itemframe/lock.svg", ":/itemframe/resize.svg"}) {
        QSvgRenderer svg{QString::fromLatin1(path)};
        QVERIFY2(svg.isValid(), path);
    }
}
