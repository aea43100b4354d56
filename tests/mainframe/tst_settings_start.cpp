// A start and close against the simulated Wi-Fi camera with the program's own settings
// file: the pen panels were preset from it and each preset rewrote it, so on a full
// disk (or in a read-only folder) every start told "could not be saved", and the file
// was replaced at each start and close although nothing had changed.

#include <QFile>
#include <QtTest>

#include <memory>

#include "camerarig.h"
#include "customui/icolorframe.h"
#include "customui/ieraseframe.h"
#include "customui/ithicknessframe.h"
#include "customui/itransparentframe.h"
#include "iapplication.h"
#include "iglobal.h"
#include "mainframe.h"
#include "noticelog.h"
#include "service/iconfigureservice.h"
#include "testenv.h"

namespace {

std::unique_ptr<TestEnv::FileSizeLimit> g_full;
NoticeLog* g_notices = nullptr;
QString g_stamp;
}

class TestSettingsStart : public QObject
{
    Q_OBJECT

private slots:
    void startAndCloseLeaveOwnFileAlone()
    {
        MainFrame* frame = qobject_cast<IApplication*>(qApp)->mainFrame();
        QVERIFY(frame);
        QTRY_VERIFY_WITH_TIMEOUT(frame->isVisible(), 10000);
        g_full.reset();
        IConfigureService* cfg = IConfigureService::instance();
        const QString path = cfg->configureFilePath();

        // The panels show the saved values, and nothing was written nor told.
        QCOMPARE(frame->m_colorFrame->color(), QColor(Qt::blue));
        QCOMPARE(frame->m_thicknessFrame->thickness(), 7);
        QCOMPARE(frame->m_transparentFrame->transparent(), 100);
        QCOMPARE(frame->m_eraseFrame->eraseSize(), 50);
        QCOMPARE(g_notices->texts(), QStringList());
        QCOMPARE(TestEnv::fileStamp(path), g_stamp);

        // Closing hides the panels, which store their values, and writes the settings.
        frame->close();
        QCOMPARE(TestEnv::fileStamp(path), g_stamp);
        QCOMPARE(g_notices->texts(), QStringList());

        // A change is still written.
        cfg->setPenciThickness(20);
        QVERIFY(TestEnv::fileStamp(path) != g_stamp);
        cfg->readConfigure();
        QCOMPARE(g_pencil_thickness, 20);
    }
};

int main(int argc, char** argv)
{
    TestEnv::prepare();
    qputenv("OCUMETRA_USB_IDS", "ffff:fffe");
    IApplication app(QStringLiteral("OcumetraSettingsStartTest"), argc, argv);
    TestEnv::afterApplication();

    // The file a session that changed the pen settings leaves behind.
    IConfigureService* cfg = IConfigureService::instance();
    cfg->readConfigure();
    cfg->setPencilColor(QColor(Qt::blue));
    cfg->setPenciThickness(7);
    cfg->setPencilTransparent(100);
    cfg->setEraseSize(50);
    if (!cfg->writeConfigure())
        qFatal("cannot write the settings");
    g_stamp = TestEnv::fileStamp(cfg->configureFilePath());
    IConfigureService::destroyInstance();

    CameraRig rig;
    if (!rig.start(QSize(320, 240), 60)) {
        qCritical("the simulated camera did not start");
        return 2;
    }
    NoticeLog notices;
    g_notices = &notices;
    // No room on the disk while the program starts: any write would fail and be told.
    g_full.reset(new TestEnv::FileSizeLimit(0));
    TestSettingsStart tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return runInsideApplication([&] { return QTest::qExec(&tc, argc, argv); });
}

#include "tst_settings_start.moc"
