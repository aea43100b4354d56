#include <QApplication>
#include <QtTest>

#include "coretests.h"
#include "iglobal.h"

class TestScaling : public QObject
{
    Q_OBJECT
private slots:
    void factors_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<double>("s");
        QTest::newRow("full hd") << QSize(1920, 1080) << 1.0 << 1.0 << 1.0;
        QTest::newRow("4k") << QSize(3840, 2160) << 2.0 << 2.0 << 2.0;
        // 16:10 is narrower than 16:9, so the width factor wins.
        QTest::newRow("wuxga") << QSize(2560, 1600) << 2560 / 1920.0 << 1600 / 1080.0 << 2560 / 1920.0;
        // Wider than 16:9: the height factor wins.
        QTest::newRow("ultrawide") << QSize(3440, 1440) << 3440 / 1920.0 << 1440 / 1080.0 << 1440 / 1080.0;
        QTest::newRow("laptop") << QSize(1600, 900) << 1.0 << 1.0 << 1.0;
        QTest::newRow("small") << QSize(1280, 800) << 1280 / 1420.0 << 1280 / 1420.0 << 1280 / 1420.0;
    }
    void factors()
    {
        QFETCH(QSize, screen);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(double, s);
        const ScaleFactors f = computeScaleFactors(screen);
        QCOMPARE(f.width, w);
        QCOMPARE(f.height, h);
        QCOMPARE(f.square, s);
        applyScaleFactors(f);
        QCOMPARE(IGSQUARERATE, s);
        QCOMPARE(GSQUARERATE, s);
        QCOMPARE(IGWIDTHRATE, GWIDTHRATE);
        applyScaleFactors(ScaleFactors{});
    }
};

OCUMETRA_CORE_TEST(TestScaling);
#include "tst_scaling.moc"
