// The camera panels against a camera manager whose back end records what reaches it:
// resolution list, colour sliders, focus and exposure.

#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QtTest>

#include "board/widget/islider.h"
#include "customui/ifocusframe.h"
#include "customui/iparameterframe.h"
#include "customui/ipixrateframe.h"
#include "icamera.h"
#include "icamerabackend.h"
#include "iglobal.h"
#include "service/iconfigureservice.h"
#include "contrast.h"
#include "testenv.h"

namespace {

ParameterData control(int min, int max, int def, int cur)
{
    ParameterData d;
    d.minimum = min;
    d.maximum = max;
    d.defaultValue = def;
    d.currentValue = cur;
    return d;
}

// What the panels send, as "name=value", in order.
class RecordingBackend : public ICameraBackend
{
public:
    QStringList sent;
    CameraParameterData parameter;
    QList<QSizeF> sizes;

    bool openCamera() override { return true; }
    void closeCamera() override {}
    QImage captureImage(ImageType) override { return QImage(); }
    QVariant contrast() const override { return parameter.contrast.currentValue; }
    QVariant saturation() const override { return parameter.saturation.currentValue; }
    QVariant brightness() const override { return parameter.brightness.currentValue; }
    QVariant resolution() const override { return QVariant(); }
    AutoEdgeData autoEdgeData() const override { return AutoEdgeData(); }
    CameraParameterData cameraParameter() const override { return parameter; }
    QList<QSizeF> supportResolution() const override { return sizes; }
    void setContrast(const QVariant& v) override { record("contrast", v); }
    void setSaturation(const QVariant& v) override { record("saturation", v); }
    void setBrightness(const QVariant& v) override { record("brightness", v); }
    void setResolution(const QVariant& v) override
    {
        const QSizeF s = v.toSizeF();
        sent.append(QStringLiteral("resolution=%1x%2").arg(s.width()).arg(s.height()));
    }
    void setRunFlag(const bool&) override {}
    bool setCaptureFalg(ImageType) override { return false; }
    void setAutoEdgeFlag(const bool&) override {}
    void setAutoFocusFlag(const QVariant& v) override { record("focus", v); }
    void setAutoExposureFlag(const QVariant& v) override { record("exposure", v); }

private:
    void record(const char* name, const QVariant& v)
    {
        sent.append(QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(v.toInt()));
    }
};

// Gives the manager a back end of the test's own as its Wi-Fi camera.
class CameraSeat : public ICamera
{
public:
    static void seat(ICameraBackend* backend)
    {
        // Reached through a member pointer: the manager is an ICamera, not one of these.
        ICamera* camera = ICamera::instance();
        camera->*(&CameraSeat::m_wifiBackend) = backend;
        g_wifi_camera = backend != nullptr;
    }
};

QStringList checkedCaptions(const IPixRateFrame& frame)
{
    QStringList out;
    for (QRadioButton* radio : frame.radios()) {
        if (radio->isChecked())
            out.append(radio->text());
    }
    return out;
}

}

class TestCameraPanels : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void percentConversions();
    void resolutionListFromCamera();
    void resolutionSilentAndApplied();
    void colourSlidersLoadSilently();
    void colourSliderWithoutRange();
    void focusRestoredAndSentAfterSwitch();
    void focusHandlers();
    void automaticBoxVisibleBothWays();

private:
    RecordingBackend* m_backend = nullptr;
};

void TestCameraPanels::init()
{
    m_backend = new RecordingBackend;
    m_backend->parameter.contrast = control(-64, 64, 0, 32);
    m_backend->parameter.brightness = control(0, 255, 128, 200);
    m_backend->parameter.saturation = control(0, 100, 50, 50);
    m_backend->parameter.focus = control(0, 1000, 500, 300);
    m_backend->parameter.exposure = control(-10, 10, 0, 2);
    CameraSeat::seat(m_backend);
    g_current_focus = -1;
    g_current_exposure = -1;
}

void TestCameraPanels::cleanup()
{
    CameraSeat::seat(nullptr);
    delete m_backend;
    m_backend = nullptr;
}

void TestCameraPanels::percentConversions()
{
    const ParameterData r = control(-64, 64, 0, 0);
    QCOMPARE(valueToPercent(r, 0), 50);
    QCOMPARE(percentToValue(r, 50), 0);
    // 0.33 * 128 - 64 = -21.76, truncated toward zero.
    QCOMPARE(percentToValue(r, 33), -21);
    QCOMPARE(valueToPercent(r, -64), 0);
    QCOMPARE(valueToPercent(r, 64), 100);
    // A round trip may move the value by up to one percent of the range, never more.
    for (int v = -64; v <= 64; ++v)
        QVERIFY(qAbs(percentToValue(r, valueToPercent(r, v)) - v) <= 2);

    // No range: 0 %, and no division by zero.
    const ParameterData flat = control(5, 5, 5, 5);
    QVERIFY(!hasRange(flat));
    QCOMPARE(valueToPercent(flat, 5), 0);
    QCOMPARE(percentToValue(flat, 0), 5);
    QVERIFY(hasRange(r));
}

void TestCameraPanels::resolutionListFromCamera()
{
    m_backend->sizes = {QSizeF(640, 480), QSizeF(1280, 720), QSizeF(1920, 1080)};
    IConfigureService::instance()->setCameraResolution(QSize(1280, 720));
    IPixRateFrame frame(nullptr, nullptr);
    QVERIFY(frame.radios().isEmpty());
    frame.initDefaultValues();
    QCOMPARE(frame.radios().size(), 3);
    QCOMPARE(frame.radios().at(0)->text(), QStringLiteral("640 x 480"));
    QCOMPARE(checkedCaptions(frame), QStringList{QStringLiteral("1280 x 720")});
    QVERIFY(m_backend->sent.isEmpty());

    // A camera without the configured size: all shown, none checked.
    m_backend->sizes = {QSizeF(800, 600), QSizeF(1024, 768)};
    frame.initDefaultValues();
    QCOMPARE(frame.radios().size(), 2);
    QCOMPARE(frame.radios().at(1)->text(), QStringLiteral("1024 x 768"));
    QVERIFY(checkedCaptions(frame).isEmpty());
    // Only the rebuilt buttons remain, in the panel too.
    QCOMPARE(frame.findChildren<QRadioButton*>().size(), 2);
}

void TestCameraPanels::resolutionSilentAndApplied()
{
    m_backend->sizes = {QSizeF(640, 480), QSizeF(1280, 720), QSizeF(1920, 1080)};
    IConfigureService::instance()->setCameraResolution(QSize(640, 480));
    IPixRateFrame frame(nullptr, nullptr);
    frame.initDefaultValues();
    frame.show();

    // Silent: only the check mark moves.
    frame.setResolution(QSizeF(1920, 1080), true);
    QCOMPARE(checkedCaptions(frame), QStringList{QStringLiteral("1920 x 1080")});
    QVERIFY(m_backend->sent.isEmpty());
    QVERIFY(frame.isVisible());

    // Not silent: applied like a click, stored, and the panel hides.
    frame.setResolution(QSizeF(1280, 720), false);
    QCOMPARE(m_backend->sent, QStringList{QStringLiteral("resolution=1280x720")});
    QCOMPARE(IConfigureService::instance()->cameraResolution(), QSize(1280, 720));
    QVERIFY(!frame.isVisible());

    // An unknown size falls back to the first button.
    frame.setResolution(QSizeF(333, 222), false);
    QCOMPARE(checkedCaptions(frame), QStringList{QStringLiteral("640 x 480")});
    QCOMPARE(m_backend->sent.last(), QStringLiteral("resolution=640x480"));

    // The user's click.
    frame.radios().at(2)->click();
    QCOMPARE(m_backend->sent.last(), QStringLiteral("resolution=1920x1080"));
    QCOMPARE(IConfigureService::instance()->cameraResolution(), QSize(1920, 1080));
}

void TestCameraPanels::colourSlidersLoadSilently()
{
    IParameterFrame frame(nullptr, nullptr);
    frame.initDefaultValues();
    // contrast 32 of -64..64 = 75 %, brightness 200 of 0..255 = 78 %.
    QCOMPARE(frame.slider(IParameterFrame::Contrast)->value(), 75);
    QCOMPARE(frame.slider(IParameterFrame::Brightness)->value(), 78);
    QCOMPARE(frame.slider(IParameterFrame::Saturation)->value(), 50);
    // Opening the panel twice writes nothing back (78 % would send 198, not 200).
    frame.initDefaultValues();
    QVERIFY2(m_backend->sent.isEmpty(), qPrintable(m_backend->sent.join(' ')));

    // The user's move sends only that control, in its own units.
    frame.slider(IParameterFrame::Brightness)->slider()->setValue(40);
    QCOMPARE(m_backend->sent, QStringList{QStringLiteral("brightness=102")});

    // "Default" sends the controls whose slider moves; saturation is already there.
    m_backend->sent.clear();
    QList<QToolButton*> buttons = frame.findChildren<QToolButton*>();
    QToolButton* defaults = nullptr;
    for (QToolButton* b : buttons) {
        if (b->text() == QLatin1String("Default"))
            defaults = b;
    }
    QVERIFY(defaults);
    defaults->click();
    QCOMPARE(m_backend->sent, (QStringList{QStringLiteral("contrast=0"), QStringLiteral("brightness=127")}));
    m_backend->sent.clear();
    defaults->click();
    QVERIFY(m_backend->sent.isEmpty());
}

void TestCameraPanels::colourSliderWithoutRange()
{
    m_backend->parameter.saturation = control(0, 0, 0, 0);
    IParameterFrame frame(nullptr, nullptr);
    frame.initDefaultValues();
    ICustomSlider* saturation = frame.slider(IParameterFrame::Saturation);
    QCOMPARE(saturation->value(), 0);
    QVERIFY(!saturation->isEnabled());
    QVERIFY(frame.slider(IParameterFrame::Contrast)->isEnabled());
    frame.setSliderValue(IParameterFrame::Saturation, 60);
    QVERIFY(m_backend->sent.isEmpty());
    QCOMPARE(frame.PercentConverValue(IParameterFrame::Saturation, 60).toInt(), 0);

    // A later camera with a range gets the slider back.
    m_backend->parameter.saturation = control(0, 100, 50, 20);
    frame.initDefaultValues();
    QVERIFY(saturation->isEnabled());
    QCOMPARE(saturation->value(), 20);
}

void TestCameraPanels::focusRestoredAndSentAfterSwitch()
{
    IFocusFrame frame(nullptr, nullptr);
    QCOMPARE(frame.focusSlider()->value(), 50);
    QVERIFY(frame.focusSlider()->checkBox()->isChecked());

    // Automatic saved: default shown, -999 sent once for each.
    frame.initDefaultValues();
    QCOMPARE(m_backend->sent, (QStringList{QStringLiteral("exposure=-999"), QStringLiteral("focus=-999")}));
    QCOMPARE(frame.focusSlider()->value(), 50);
    QCOMPARE(g_current_focus, -1);

    // A saved manual focus: check box cleared, slider at it, the camera told once.
    m_backend->sent.clear();
    g_current_focus = 70;
    frame.initDefaultValues();
    QCOMPARE(m_backend->sent, (QStringList{QStringLiteral("exposure=-999"), QStringLiteral("focus=700")}));
    QVERIFY(!frame.focusSlider()->checkBox()->isChecked());
    QCOMPARE(frame.focusSlider()->value(), 70);
    QVERIFY(frame.focusSlider()->slider()->isEnabled());

    // After a camera switch the panel already shows it; the new camera still gets it.
    m_backend->sent.clear();
    m_backend->parameter.focus = control(0, 200, 100, 0);
    frame.initDefaultValues();
    QCOMPARE(m_backend->sent, (QStringList{QStringLiteral("exposure=-999"), QStringLiteral("focus=140")}));
    QCOMPARE(g_current_focus, 70);

    // A camera without a focus range: disabled, nothing sent for it.
    m_backend->sent.clear();
    m_backend->parameter.focus = control(0, 0, 0, 0);
    frame.initDefaultValues();
    QCOMPARE(m_backend->sent, QStringList{QStringLiteral("exposure=-999")});
    QVERIFY(!frame.focusSlider()->isEnabled());
}

void TestCameraPanels::focusHandlers()
{
    IFocusFrame frame(nullptr, nullptr);
    frame.initDefaultValues();
    m_backend->sent.clear();

    // Clearing "Automatic" stores and sends the slider's value.
    ICustomSlider* exposure = frame.exposureSlider();
    exposure->checkBox()->setChecked(false);
    QCOMPARE(g_current_exposure, exposure->value());
    QCOMPARE(m_backend->sent, QStringList{QStringLiteral("exposure=%1").arg(percentToValue(control(-10, 10, 0, 0), exposure->value()))});
    exposure->slider()->setValue(80);
    QCOMPARE(g_current_exposure, 80);
    QCOMPARE(m_backend->sent.last(), QStringLiteral("exposure=6"));
    // Ticking it stores -1 whatever the slider shows.
    exposure->checkBox()->setChecked(true);
    QCOMPARE(g_current_exposure, -1);
    QCOMPARE(m_backend->sent.last(), QStringLiteral("exposure=-999"));
    QCOMPARE(exposure->value(), 80);
}

// "Automatic" must be seen to be clicked back: its box stands out from the dark panel,
// ticked or not.
void TestCameraPanels::automaticBoxVisibleBothWays()
{
    IFocusFrame frame(nullptr, nullptr);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCheckBox* box = frame.focusSlider()->checkBox();
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()
                                ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box)
                                .translated(box->mapTo(&frame, QPoint(0, 0)));
    QVERIFY(indicator.width() >= 8);
    for (bool ticked : {false, true}) {
        box->setChecked(ticked);
        const QImage shot = frame.grab().toImage();
        // The panel just right of the box, at the same height.
        const QColor panel = shot.pixelColor(indicator.right() + 3, indicator.center().y());
        int standing = 0;
        for (int y = indicator.top(); y <= indicator.bottom(); ++y)
            for (int x = indicator.left(); x <= indicator.right(); ++x)
                if (contrastRatio(shot.pixelColor(x, y), panel) >= 3.0)
                    ++standing;
        // At least an outline's worth of the box can be seen.
        QVERIFY2(standing >= 2 * indicator.width(),
                 qPrintable(QStringLiteral("ticked %1: %2 pixels of %3x%4 on %5")
                                .arg(ticked).arg(standing).arg(indicator.width()).arg(indicator.height())
                                .arg(panel.name())));
    }
}

int main(int argc, char** argv)
{
    TestEnv::prepare();
    QApplication app(argc, argv);
    TestEnv::afterApplication();
    TestCameraPanels tc;
    QTEST_SET_MAIN_SOURCE_PATH
    const int result = QTest::qExec(&tc, argc, argv);
    ICamera::destroyInstance();
    return result;
}

#include "tst_camerapanels.moc"
