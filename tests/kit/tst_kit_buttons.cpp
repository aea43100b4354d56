#include <QApplication>
#include <QComboBox>
#include <QDesktopWidget>
#include <QLabel>
#include <QListView>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>
#include <memory>

#include "board/widget/ibasewidget.h"
#include "customui/iicolorbutton.h"
#include "customui/iitoolbutton.h"
#include "customui/iuihelper.h"
#include "iglobal.h"
#include "tst_kit.h"

namespace {
const QString kA = QStringLiteral(":/title/title/tclosenormal.svg");
const QString kB = QStringLiteral(":/title/title/tcloseclick.svg");

enum Form { Image, Picture, TitleKind, Corner, Text, Icon };

IIToolButton* makeButton(Form form, const QVariant& id, bool checkable)
{
    const QSize size(40, 30);
    switch (form) {
    case Image: return new IIToolButton(id, "tip", kA, checkable, size, 8, nullptr);
    case Picture: return new IIToolButton(id, "tip", kA, kB, 10, checkable, size, 8, nullptr);
    case TitleKind: return new IIToolButton(id, "tip", kA, kB, checkable, size, 8, nullptr);
    case Corner: return new IIToolButton(id, "tip", kA, kB, size, IIToolButton::LeftRadius, 8, nullptr);
    case Text: return new IIToolButton(id, "OK", size, IIToolButton::AllRadius, checkable, nullptr);
    case Icon: return new IIToolButton(id, "tip", size, kA, kB, nullptr);
    }
    return nullptr;
}

// Emitted (state, id) pairs of every click.
QList<QPair<bool, QVariant>> clicks(QSignalSpy& spy)
{
    QList<QPair<bool, QVariant>> out;
    for (const QList<QVariant>& args : spy)
        out.append({args.at(0).toBool(), args.at(1)});
    return out;
}
}

void TestKit::toolButtonForms_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<QVariant>("id");
    QTest::addColumn<QList<bool>>("states");  // state carried by two successive clicks
    QTest::newRow("image checkable") << int(Image) << true << QVariant(3) << QList<bool>{true, false};
    QTest::newRow("picture checkable") << int(Picture) << true << QVariant("snap") << QList<bool>{true, false};
    QTest::newRow("title kind") << int(TitleKind) << false << QVariant(5) << QList<bool>{false, false};
    QTest::newRow("text checkable") << int(Text) << true << QVariant(1) << QList<bool>{true, false};
    QTest::newRow("icon") << int(Icon) << false << QVariant(0) << QList<bool>{false, false};
    // Not checkable; the click reports the stored select flag instead.
    QTest::newRow("corner") << int(Corner) << false << QVariant(10) << QList<bool>{false, false};
}

void TestKit::toolButtonForms()
{
    QFETCH(int, form);
    QFETCH(bool, checkable);
    QFETCH(QVariant, id);
    QFETCH(QList<bool>, states);

    std::unique_ptr<IIToolButton> b(makeButton(Form(form), id, checkable));
    QCOMPARE(b->isCheckable(), checkable);
    QCOMPARE(b->id(), id);
    QCOMPARE(b->size(), QSize(40, 30));
    if (form == Text) {
        QCOMPARE(b->text(), QStringLiteral("OK"));
    } else {
        QCOMPARE(b->toolTip(), QStringLiteral("tip"));
    }
    b->show();

    QSignalSpy spy(b.get(), &IIToolButton::sgButtonClick);
    QSignalSpy clicked(b.get(), &QToolButton::clicked);
    QTest::mouseClick(b.get(), Qt::LeftButton);
    QTest::mouseClick(b.get(), Qt::LeftButton);
    QCOMPARE(clicks(spy), (QList<QPair<bool, QVariant>>{{states[0], id}, {states[1], id}}));
    QCOMPARE(clicked.count(), 2);
}

void TestKit::toolButtonSelectStateIsQuiet()
{
    IIToolButton checkable(QVariant(1), "tip", kA, true, QSize(40, 40), 8, nullptr);
    QSignalSpy spy(&checkable, &IIToolButton::sgButtonClick);
    QSignalSpy clicked(&checkable, &QToolButton::clicked);
    checkable.setSelectState(true);
    QVERIFY(checkable.isChecked());
    QVERIFY(checkable.selectState());
    checkable.setSelectState(false);
    QVERIFY(!checkable.isChecked());
    QCOMPARE(spy.count(), 0);
    QCOMPARE(clicked.count(), 0);

    // The corner form reports the select flag the owner stored.
    IIToolButton corner(QVariant(11), "tip", kA, kB, QSize(40, 40), IIToolButton::RightRadius, 8, nullptr);
    corner.show();
    QSignalSpy cornerSpy(&corner, &IIToolButton::sgButtonClick);
    corner.setSelectState(true);
    QCOMPARE(cornerSpy.count(), 0);
    QTest::mouseClick(&corner, Qt::LeftButton);
    QCOMPARE(cornerSpy.count(), 1);
    QCOMPARE(cornerSpy.at(0).at(0).toBool(), true);
    QCOMPARE(cornerSpy.at(0).at(1), QVariant(11));
    QVERIFY(!corner.isChecked());

    // The icon form shows its second icon while selected.
    IIToolButton icon(QVariant(0), "tip", QSize(30, 30), kA, kB, nullptr);
    icon.setSelectState(true);
    QCOMPARE(icon.property("selectState").toBool(), true);
}

void TestKit::toolButtonScalesSizeAndPadding()
{
    applyScaleFactors(ScaleFactors{1.5, 1.5, 1.5});
    IIToolButton image(QVariant(1), "tip", kA, false, QSize(41, 40), 8, nullptr);
    QCOMPARE(image.size(), QSize(61, 60));  // 61.5 truncated
    QVERIFY(image.styleSheet().contains("padding:12px"));

    // The corner radius is taken in pixels as given; padding 5 x 1.5 truncates to 7.
    IIToolButton picture(QVariant(2), "tip", kA, kB, 7, false, QSize(60, 60), 5, nullptr);
    QVERIFY(picture.styleSheet().contains("border-radius:7px;padding:7px;"));

    IIToolButton left(QVariant(3), "tip", kA, kB, QSize(10, 10), IIToolButton::LeftRadius, 8, nullptr);
    QVERIFY(left.styleSheet().contains("border-top-left-radius:15px;border-bottom-left-radius:15px;"));
    QVERIFY(!left.styleSheet().contains("right-radius"));
}

void TestKit::colorButton()
{
    applyScaleFactors(ScaleFactors{2.0, 2.0, 2.0});
    IIColorButton swatch(QVariant(QColor(Qt::red)), QColor(Qt::red), true, QSize(36, 36), nullptr);
    QCOMPARE(swatch.size(), QSize(72, 72));
    QCOMPARE(swatch.color(), QColor(Qt::red));
    swatch.show();

    QSignalSpy spy(&swatch, &IIColorButton::sgButtonClick);
    swatch.setSelectState(true);
    QVERIFY(swatch.isChecked());
    QCOMPARE(spy.count(), 0);
    QTest::mouseClick(&swatch, Qt::LeftButton);  // unchecks
    QTest::mouseClick(&swatch, Qt::LeftButton);  // checks again
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).toBool(), false);
    QCOMPARE(spy.at(1).at(0).toBool(), true);
    QCOMPARE(spy.at(1).at(1), QVariant(QColor(Qt::red)));

    // The swatch paints its colour in the middle.
    const QImage image = swatch.grab().toImage();
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::red));
}

void TestKit::uiPointSizes_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << 12 << 96 << 1.0 << 12;
    QTest::newRow("4k") << 12 << 96 << 2.0 << 24;
    QTest::newRow("truncated") << 10 << 96 << 1.25 << 12;
    QTest::newRow("high dpi") << 12 << 144 << 1.0 << 8;
    QTest::newRow("small screen") << 8 << 96 << 1280 / 1420.0 << 7;
    QTest::newRow("tiny factor") << 10 << 96 << 0.05 << 1;
    QTest::newRow("before start-up") << 24 << 96 << 0.0 << 1;
    QTest::newRow("no dpi") << 12 << 0 << 1.0 << 12;
}

void TestKit::uiPointSizes()
{
    QFETCH(int, size);
    QFETCH(int, dpi);
    QFETCH(double, factor);
    QFETCH(int, expected);
    QCOMPARE(uiPointSize(size, dpi, factor), expected);
    QCOMPARE(scaledUiPointSize(size, dpi, factor), expected);
}

void TestKit::fontsAtZeroFactor()
{
    const int dpi = QApplication::desktop()->logicalDpiX();
    const QFont f = createFont(12, 75);
    QCOMPARE(f.family(), QStringLiteral("微软雅黑"));
    QCOMPARE(f.weight(), 75);
    QVERIFY(!f.italic());
    // In pixels, the size of the point size at the desktop's DPI.
    QCOMPARE(f.pixelSize(), qRound(qMax(1, int(12 * 96.0 / dpi)) * dpi / 72.0));

    // The factors as they are before start-up: IG 0.0, G 1.0; both sets at 0.0 too.
    IGSQUARERATE = 0.0;
    QCOMPARE(createFont(12, 50).pixelSize(), qMax(1, qRound(dpi / 72.0)));
    GSQUARERATE = 0.0;
    const QFont k = scaledUiFont(24, 75);
    QCOMPARE(k.pixelSize(), qMax(1, qRound(dpi / 72.0)));
    QCOMPARE(k.family(), QStringLiteral("微软雅黑"));
    QCOMPARE(k.weight(), 75);
}

void TestKit::labelAndComboBox()
{
    QWidget parent;
    QLabel* label = createLabel("Shot", &parent);
    QCOMPARE(label->styleSheet(), QStringLiteral("color:white;background-color:transparent;"));
    QCOMPARE(label->font().toString(), createFont(12, 75).toString());

    applyScaleFactors(ScaleFactors{1.5, 1.5, 1.5});
    const QFont boxFont = createFont(8, 50);
    const QFont itemFont = createFont(10, 75);
    QComboBox* box = createComboBox({"one", "two"}, 25, boxFont, 20, itemFont, &parent);
    QCOMPARE(box->itemText(1), QStringLiteral("two"));
    QVERIFY(qobject_cast<QListView*>(box->view()));
    QCOMPARE(box->view()->font().toString(), itemFont.toString());
    QCOMPARE(box->font().toString(), boxFont.toString());
    const QString qss = box->styleSheet();
    QVERIFY(qss.contains("height: 37.5px"));  // 25 x 1.5, unrounded
    QVERIFY(qss.contains("height: 30px"));    // item height 20 x 1.5
    QVERIFY(qss.contains("image: url(:/ui/ui/downArrow.svg)"));
    QVERIFY(QFile::exists(":/ui/ui/downArrow.svg"));
    QVERIFY(!qss.contains('%'));
}

namespace {
QStringList g_styleWarnings;
void collectStyleWarnings(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (text.contains(QLatin1String("parse")))
        g_styleWarnings << text;
}
}

// The shared button backgrounds are valid style-sheet texts: no parse warning, and both
// gradients stay opaque from top to bottom.
void TestKit::buttonGradientsParse()
{
    g_styleWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collectStyleWarnings);
    QWidget parent;
    parent.setStyleSheet(QStringLiteral("QWidget#plain{background:white;}"));
    parent.setObjectName(QStringLiteral("plain"));
    parent.resize(60, 100);
    auto* normal = new QToolButton(&parent);
    normal->setGeometry(0, 0, 30, 100);
    normal->setStyleSheet(QStringLiteral("QToolButton{border:none;background:") + BUTTON_GRADIENT + "}");
    auto* hover = new QToolButton(&parent);
    hover->setGeometry(30, 0, 30, 100);
    hover->setStyleSheet(QStringLiteral("QToolButton{border:none;background:") + BUTTON_HOVER_GRADIENT + "}");
    const QImage shot = parent.grab().toImage();
    qInstallMessageHandler(previous);

    QVERIFY2(g_styleWarnings.isEmpty(), qPrintable(g_styleWarnings.join('\n')));
    QVERIFY(qAbs(qGray(shot.pixel(15, 0)) - 80) <= 3);
    QVERIFY(qAbs(qGray(shot.pixel(15, 99)) - 40) <= 6); // the white parent never shows through
    QVERIFY(qAbs(qGray(shot.pixel(45, 0)) - 40) <= 3);
    QVERIFY(qAbs(qGray(shot.pixel(45, 50)) - 30) <= 6);
    QVERIFY(qAbs(qGray(shot.pixel(45, 99)) - 40) <= 6);
}
