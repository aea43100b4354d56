#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QValidator>
#include <QtTest>

#include "board/widget/islider.h"
#include "board/widget/itoolbutton.h"
#include "iglobal.h"
#include "tst_boardkit.h"

namespace {

const QString kIcon = QStringLiteral(":/ui/ui/txtbold.svg");
const QString kIconSelected = QStringLiteral(":/ui/ui/txtitalic.svg");

void setSquare(double s)
{
    ScaleFactors f;
    f.square = s;
    applyScaleFactors(f);
}

QImage render(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void TestBoardKit::cornerSheets_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("none") << 1.0 << 0 << QString();
    QTest::newRow("unknown") << 1.0 << 10 << QString();
    QTest::newRow("top left 1.5") << 1.5 << 6 << QStringLiteral("border-top-left-radius:15px;");
    QTest::newRow("top left 0.74") << 0.74 << 6 << QStringLiteral("border-top-left-radius:7.4px;");
    QTest::newRow("left pair") << 1.0 << 2
                               << QStringLiteral("border-top-left-radius:10px;border-bottom-left-radius:10");
    QTest::newRow("bottom right") << 2.0 << 9 << QStringLiteral("border-bottom-right-radius:20px;");
}

void TestBoardKit::cornerSheets()
{
    QFETCH(double, factor);
    QFETCH(int, type);
    QFETCH(QString, sheet);
    setSquare(factor);
    IToolButton button(QVariant(1), kIcon, IToolButton::NoRadius, QSize(30, 30));
    QCOMPARE(button.RadiusTypeQss(IToolButton::RadiusType(type)), sheet);
    // The plain icon sheet ends with the corners and nothing else.
    IToolButton corner(QVariant(1), kIcon, IToolButton::RadiusType(type), QSize(30, 30));
    QCOMPARE(corner.styleSheet(),
             QStringLiteral("QToolButton{border:none;background-color:transparent;%1}").arg(sheet));
}

void TestBoardKit::toolButtonSizes()
{
    setSquare(1.5);
    IToolButton icon(QVariant("bold"), kIcon, IToolButton::NoRadius, QSize(30, 30));
    QCOMPARE(icon.size(), QSize(45, 45));
    QCOMPARE(icon.buttonSize(), QSize(45, 45));
    icon.setButtonSize(QSize(30, 20));   // later sizes are taken as they are
    QCOMPARE(icon.size(), QSize(30, 20));
    QCOMPARE(icon.iconSize(), QSize(30, 10));

    // Text and icon: the icon takes six tenths of the height, the text sits under it.
    IToolButton both(QVariant("Copy"), QStringLiteral("Copy"), kIcon, IToolButton::LeftRadius, QSize(40, 50));
    QCOMPARE(both.size(), QSize(60, 75));
    QCOMPARE(both.iconSize(), QSize(60, 42));
    QCOMPARE(both.toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    QVERIFY(!both.isCheckable());
    both.setTextVisible(false);
    QCOMPARE(both.toolButtonStyle(), Qt::ToolButtonIconOnly);

    // A text button of width 0 keeps its height and stretches sideways.
    setSquare(1.0);
    IToolButton wide(QStringLiteral("Lock"), IToolButton::AllRadius, QSize(0, 30));
    QCOMPARE(wide.minimumHeight(), 30);
    QCOMPARE(wide.maximumHeight(), 30);
    QCOMPARE(wide.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    IToolButton tall(QStringLiteral("Lock"), IToolButton::AllRadius, QSize(30, 0));
    QCOMPARE(tall.maximumWidth(), 30);
    QCOMPARE(tall.sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    IToolButton empty(QVariant(), kIcon, IToolButton::NoRadius, QSize(10, 10));
    empty.setTextVisible(false);   // no text: nothing changes
    QCOMPARE(empty.toolButtonStyle(), Qt::ToolButtonIconOnly);
}

void TestBoardKit::toolButtonSelection()
{
    IToolButton plain(QVariant("italic"), kIcon, IToolButton::NoRadius, QSize(30, 30));
    QSignalSpy plainClicks(&plain, &IToolButton::sgButtonClick);
    plain.click();
    plain.click();
    QCOMPARE(plainClicks.count(), 2);
    QCOMPARE(plainClicks.at(1).at(0).toBool(), false);
    QCOMPARE(plainClicks.at(1).at(1), QVariant("italic"));

    // With a selected icon the button is a selection button: a second click keeps it.
    IToolButton select(kIcon, kIconSelected, QVariant(7), IToolButton::AllRadius, QSize(30, 30));
    QVERIFY(select.isCheckable());
    QVERIFY(select.styleSheet().contains(QStringLiteral("QToolButton:checked{border:none;background-color:#c5e4f9;}")));
    QSignalSpy clicks(&select, &IToolButton::sgButtonClick);
    select.click();
    select.click();
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(clicks.at(0).at(0).toBool(), true);
    QCOMPARE(clicks.at(1).at(0).toBool(), true);
    QVERIFY(select.isChecked());
    QVERIFY(select.selectState());
    select.setSelectState(false);   // only the owner clears it
    QVERIFY(!select.isChecked());
    QVERIFY(!select.selectState());
}

void TestBoardKit::colorButtonKeepsSelection()
{
    IColorButton swatch(QVariant(QColor(Qt::red)), Qt::red, true, QSize(40, 40));
    QSignalSpy clicks(&swatch, &IColorButton::sgButtonClick);
    swatch.click();
    swatch.click();
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(clicks.at(0).at(0).toBool(), true);
    QCOMPARE(clicks.at(1).at(0).toBool(), true);
    QCOMPARE(clicks.at(1).at(1).value<QColor>(), QColor(Qt::red));
    QVERIFY(swatch.selectState());
    swatch.setSelectState(false);
    QVERIFY(!swatch.selectState());

    IColorButton fixed(QVariant(1), Qt::blue, false, QSize(40, 40));
    QSignalSpy fixedClicks(&fixed, &IColorButton::sgButtonClick);
    fixed.click();
    QCOMPARE(fixedClicks.at(0).at(0).toBool(), false);
}

void TestBoardKit::colorButtonPainting()
{
    // Transparent, not checkable: a black rim 2 pixels wide round the wheel.
    IColorButton wheel(QVariant(), Qt::transparent, false, QSize(40, 40));
    QCOMPARE(wheel.size(), QSize(40, 40));
    QImage img = render(wheel);
    QCOMPARE(QColor(img.pixel(20, 0)).rgb(), QColor(Qt::black).rgb());      // rim at the top edge
    QCOMPARE(QColor(img.pixel(30, 15)).rgb(), QColor(Qt::red).rgb());      // slice 0..72 degrees
    QCOMPARE(QColor(img.pixel(17, 30)).rgb(), QColor(Qt::magenta).rgb());  // slice 216..288
    QCOMPARE(qAlpha(img.pixel(0, 0)), 0);                                   // corner stays clear

    // A checkable swatch shows its ring only while selected.
    IColorButton red(QVariant(), Qt::red, true, QSize(40, 40));
    img = render(red);
    QCOMPARE(qAlpha(img.pixel(20, 1)), 0);
    QCOMPARE(QColor(img.pixel(20, 20)).rgb(), QColor(Qt::red).rgb());
    red.setSelectState(true);
    img = render(red);
    QCOMPARE(QColor(img.pixel(20, 1)).rgb(), QColor(Qt::red).rgb());
    QCOMPARE(qAlpha(img.pixel(20, 3)), 0);   // gap between ring and disc
}

void TestBoardKit::sliderStyle()
{
    ISlider slider(Qt::Horizontal);
    const QString sheet = slider.styleSheet();
    QVERIFY(sheet.startsWith(QStringLiteral("QSlider{background-color: transparent;}")));
    QVERIFY(sheet.contains(QStringLiteral("height: 6px;")));
    QVERIFY(sheet.contains(QStringLiteral("left: 10px; right: 10px;")));
    QVERIFY(sheet.contains(QStringLiteral("border-radius: 3px;")));
    QVERIFY(sheet.contains(QStringLiteral("width: 20px;        height: 20px;")));
    QVERIFY(sheet.contains(QStringLiteral("margin: -7px -7px -7px -7px;")));
    QVERIFY(sheet.contains(QStringLiteral("border-radius: 9px;")));
    // Filled on the left by default, on the right with the custom style.
    const int sub = sheet.indexOf(QStringLiteral("sub-page:horizontal"));
    QVERIFY(sheet.indexOf(QStringLiteral("#45c6d6"), sub) < sheet.indexOf(QStringLiteral("add-page:horizontal")));
    QVERIFY(sheet.contains(QStringLiteral("sub-page:Vertical")));
    slider.setCustomStyle(true);
    const QString right = slider.styleSheet();
    QVERIFY(!right.contains(QStringLiteral("Vertical            {")));
    QVERIFY(right.indexOf(QStringLiteral("gray")) < right.indexOf(QStringLiteral("#45c6d6")));

    ISlider doubled(2, Qt::Vertical);
    QVERIFY(doubled.styleSheet().contains(QStringLiteral("width: 12px;")));
}

void TestBoardKit::sliderFieldAndNotify()
{
    ICustomSlider s(Qt::Horizontal, 1);
    s.setRange(0, 50);
    QSignalSpy values(&s, &ICustomSlider::sgValueChanged);
    QVERIFY(s.slider()->isEnabled());
    QVERIFY(!s.checkBox()->isVisibleTo(&s));

    // Typing moves the slider once; the field is not written back.
    s.valueField()->setText(QStringLiteral("12"));
    QCOMPARE(s.value(), 12);
    QCOMPARE(values.count(), 1);
    QCOMPARE(values.at(0).at(0).toInt(), 12);
    QCOMPARE(s.slider()->toolTip(), QStringLiteral("12"));
    // Moving the slider writes the field.
    s.slider()->setValue(20);
    QCOMPARE(s.valueField()->text(), QStringLiteral("20"));
    QCOMPARE(values.count(), 2);
    // Clearing the field moves the slider to 0.
    s.valueField()->clear();
    QCOMPARE(s.value(), 0);
    QCOMPARE(values.count(), 3);

    // A quiet setValue moves silently ...
    s.setValue(5, true, false);
    QCOMPARE(s.value(), 5);
    QCOMPARE(s.valueField()->text(), QStringLiteral("5"));
    QCOMPARE(values.count(), 3);
    s.slider()->setValue(6);
    QCOMPARE(values.count(), 4);
    // ... and at the same value it silences nothing later: the user's next move counts.
    s.setValue(6, true, false);
    QCOMPARE(values.count(), 4);
    s.slider()->setValue(7);
    QCOMPARE(values.count(), 5);
    s.slider()->setValue(8);
    QCOMPARE(values.count(), 6);
    s.setValue(30, true, true);
    QCOMPARE(values.last().at(0).toInt(), 30);

    // The validator follows the range.
    s.setMaximum(40);
    int pos = 0;
    QString text = QStringLiteral("45");
    QCOMPARE(s.valueField()->validator()->validate(text, pos), QValidator::Intermediate);
    text = QStringLiteral("39");
    QCOMPARE(s.valueField()->validator()->validate(text, pos), QValidator::Acceptable);
}

void TestBoardKit::sliderCheckBox()
{
    ICustomSlider s(true, Qt::Vertical, 1);
    QVERIFY(s.checkBox()->isChecked());
    QVERIFY(!s.slider()->isEnabled());
    QVERIFY(!s.valueField()->isEnabled());
    QSignalSpy states(&s, &ICustomSlider::sgStateChanged);
    s.checkBox()->setChecked(false);
    QVERIFY(s.slider()->isEnabled());
    QVERIFY(s.valueField()->isEnabled());
    QCOMPARE(states.count(), 1);
    QCOMPARE(states.at(0).at(0).toInt(), 0);
    s.setValue(3, true, true);
    QVERIFY(!s.slider()->isEnabled());
    QCOMPARE(states.count(), 2);
    QCOMPARE(states.at(1).at(0).toInt(), 2);
}

void TestBoardKit::sliderWithoutCheckBoxStaysEnabled()
{
    ICustomSlider s(Qt::Horizontal, 1);
    s.setRange(1, 10);
    QSignalSpy states(&s, &ICustomSlider::sgStateChanged);
    s.setValue(4, true, true);
    QVERIFY(s.slider()->isEnabled());
    QVERIFY(s.valueField()->isEnabled());
    s.setValue(5, false, true);
    QVERIFY(s.slider()->isEnabled());
    QCOMPARE(states.count(), 0);
}
