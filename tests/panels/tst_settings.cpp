// The settings dialog: language list and its question, folders and formats, all kept in
// the settings file "application.ini".

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "customui/iimglistviewer.h"
#include "customui/isettingframe.h"
#include "iglobal.h"
#include "service/iconfigureservice.h"
#include "testenv.h"

namespace {
const int kOk = 0x400;
const int kCancel = 0x400000;

QVariant storedValue(const QString& key)
{
    const QString path = IConfigureService::instance()->configureFilePath();
    return QSettings(path, QSettings::IniFormat).value(key);
}
}

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void languageList();
    void languageQuestion();
    void unknownSavedLanguage();
    void formats();
    void folders();
    void opensOnAboutPage();
    void showsValuesChangedElsewhere();
    void viewFolderWithoutFileManager();
};

void TestSettings::init()
{
    TestEnv::clearMessages();
    TestEnv::setMessageAnswer(kOk);
    IConfigureService::instance()->setLang(QStringLiteral("1033"));
}

void TestSettings::languageList()
{
    ISettingFrame dialog(nullptr, nullptr);
    QComboBox* box = dialog.languageBox();
    const QStringList ids = {"2052", "1028", "1033", "1034", "1031", "1042", "1036", "1040", "1043", "1055"};
    QCOMPARE(box->count(), ids.size());
    for (int i = 0; i < ids.size(); ++i)
        QCOMPARE(box->itemData(i).toString(), ids.at(i));
    QCOMPARE(box->itemText(5), QString::fromUtf8("한국어."));
    QCOMPARE(box->currentData().toString(), QStringLiteral("1033"));
    // Filling the list asked nothing.
    QVERIFY(TestEnv::messages().isEmpty());
}

void TestSettings::languageQuestion()
{
    ISettingFrame dialog(nullptr, nullptr);
    QComboBox* box = dialog.languageBox();

    // Cancel: the list returns to the current language and nothing is stored.
    TestEnv::setMessageAnswer(kCancel);
    box->setCurrentIndex(box->findData(QStringLiteral("1031")));
    QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("Restart the software, to activate the language setting.")});
    QCOMPARE(box->currentData().toString(), QStringLiteral("1033"));
    QCOMPARE(g_software_langid, QStringLiteral("1033"));
    QCOMPARE(storedValue(QStringLiteral("lang/langid")).toString(), QStringLiteral("1033"));
    // Going back asked nothing more.
    QCOMPARE(TestEnv::messages().size(), 1);

    // OK: stored at once.
    TestEnv::setMessageAnswer(kOk);
    box->setCurrentIndex(box->findData(QStringLiteral("1036")));
    QCOMPARE(TestEnv::messages().size(), 2);
    QCOMPARE(g_software_langid, QStringLiteral("1036"));
    QCOMPARE(storedValue(QStringLiteral("lang/langid")).toString(), QStringLiteral("1036"));
}

void TestSettings::unknownSavedLanguage()
{
    IConfigureService::instance()->setLang(QStringLiteral("9999"));
    ISettingFrame dialog(nullptr, nullptr);
    QComboBox* box = dialog.languageBox();
    QCOMPARE(box->currentIndex(), 0);
    QVERIFY(TestEnv::messages().isEmpty());
    TestEnv::setMessageAnswer(kCancel);
    box->setCurrentIndex(2);
    QCOMPARE(TestEnv::messages().size(), 1);
    // No entry to go back to: the choice stays shown, nothing is stored.
    QCOMPARE(box->currentIndex(), 2);
    QCOMPARE(g_software_langid, QStringLiteral("9999"));
    QCOMPARE(storedValue(QStringLiteral("lang/langid")).toString(), QStringLiteral("9999"));
}

void TestSettings::formats()
{
    // A saved format the dialog does not list exactly shows the first choice.
    g_photo_format = QStringLiteral("JPEG");
    g_video_format = QStringLiteral("avi");
    ISettingFrame dialog(nullptr, nullptr);
    QVERIFY(dialog.formatRadio(1)->isChecked());
    QVERIFY(!dialog.formatRadio(2)->isChecked());
    QVERIFY(dialog.formatRadio(7)->isChecked());
    QCOMPARE(g_photo_format, QStringLiteral("JPEG"));
    // Picture and video choices are separate groups.
    QVERIFY(dialog.formatRadio(1)->parentWidget() != dialog.formatRadio(5)->parentWidget());

    dialog.formatRadio(3)->click();
    QCOMPARE(g_photo_format, QStringLiteral("tiff"));
    QCOMPARE(storedValue(QStringLiteral("format/photo")).toString(), QStringLiteral("tiff"));
    QVERIFY(dialog.formatRadio(7)->isChecked());
    dialog.formatRadio(8)->click();
    QCOMPARE(g_video_format, QStringLiteral("mov"));
    QCOMPARE(storedValue(QStringLiteral("format/video")).toString(), QStringLiteral("mov"));
    QVERIFY(!dialog.formatRadio(7)->isChecked());
    QVERIFY(dialog.formatRadio(3)->isChecked());
}

void TestSettings::folders()
{
    const QString before = g_photo_savepath;
    ISettingFrame dialog(nullptr, nullptr);
    QCOMPARE(dialog.photoFolderField()->text(), before);
    QVERIFY(dialog.photoFolderField()->isReadOnly());

    // Cancelled directory choice: no question, nothing changes.
    TestEnv::queueFileAnswer({});
    dialog.chooseFolder(false);
    QVERIFY(TestEnv::messages().isEmpty());
    QCOMPARE(g_photo_savepath, before);

    const QString chosen = TestEnv::homePath() + QStringLiteral("/Chosen Pictures");
    QVERIFY(QDir().mkpath(chosen));
    // Not confirmed: kept.
    TestEnv::setMessageAnswer(kCancel);
    TestEnv::queueFileAnswer({chosen});
    dialog.chooseFolder(false);
    QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("Confirm modification?")});
    QCOMPARE(g_photo_savepath, before);

    // Confirmed: stored with a "/" and shown.
    TestEnv::setMessageAnswer(kOk);
    TestEnv::queueFileAnswer({chosen});
    dialog.chooseFolder(false);
    QCOMPARE(g_photo_savepath, chosen + QLatin1Char('/'));
    QCOMPARE(dialog.photoFolderField()->text(), chosen + QLatin1Char('/'));
    QCOMPARE(storedValue(QStringLiteral("path/photo")).toString(), chosen + QLatin1Char('/'));
    QCOMPARE(IConfigureService::instance()->photoPath(), chosen + QLatin1Char('/'));

    const QString videos = TestEnv::homePath() + QStringLiteral("/Clips");
    QVERIFY(QDir().mkpath(videos));
    TestEnv::queueFileAnswer({videos});
    dialog.chooseFolder(true);
    QCOMPARE(g_video_savepath, videos + QLatin1Char('/'));
    QCOMPARE(dialog.videoFolderField()->text(), videos + QLatin1Char('/'));
    QCOMPARE(storedValue(QStringLiteral("path/video")).toString(), videos + QLatin1Char('/'));
    QCOMPARE(g_photo_savepath, chosen + QLatin1Char('/'));
}

void TestSettings::opensOnAboutPage()
{
    QWidget parent;
    parent.resize(800, 600);
    ISettingFrame dialog(nullptr, &parent);
    dialog.tabButton(ISettingFrame::FormatPage)->click();
    QCOMPARE(dialog.pages()->currentIndex(), int(ISettingFrame::FormatPage));
    QVERIFY(dialog.tabButton(ISettingFrame::FormatPage)->isChecked());
    QVERIFY(!dialog.tabButton(ISettingFrame::AboutPage)->isChecked());

    bool seen = false;
    QTimer::singleShot(0, &dialog, [&] {
        seen = dialog.isVisible() && dialog.isModal();
        QCOMPARE(dialog.pages()->currentIndex(), int(ISettingFrame::AboutPage));
        QVERIFY(dialog.tabButton(ISettingFrame::AboutPage)->isChecked());
        QVERIFY(!dialog.tabButton(ISettingFrame::SavePage)->isChecked());
        QVERIFY(!dialog.tabButton(ISettingFrame::FormatPage)->isChecked());
        dialog.setFrameVisible(false);
    });
    dialog.setFrameVisible(true);
    QVERIFY(seen);
    QVERIFY(!dialog.isVisible());
}

void TestSettings::showsValuesChangedElsewhere()
{
    IConfigureService::instance()->setPhotoFormat(QStringLiteral("jpeg"));
    IConfigureService::instance()->setVideoFormat(QStringLiteral("mp4"));
    QWidget parent;
    ISettingFrame dialog(nullptr, &parent);
    QVERIFY(dialog.formatRadio(2)->isChecked());
    QVERIFY(dialog.formatRadio(5)->isChecked());

    // The gallery's Save As makes its format the snapshot format, and a folder can be
    // changed while the dialog is closed: the next opening shows what is in force.
    IConfigureService::instance()->setPhotoFormat(QStringLiteral("png"));
    IConfigureService::instance()->setVideoFormat(QStringLiteral("flv"));
    const QString videos = TestEnv::homePath() + QStringLiteral("/Elsewhere/");
    IConfigureService::instance()->setVideoPath(videos);

    bool checked = false;
    QTimer::singleShot(0, &dialog, [&] {
        QVERIFY(dialog.formatRadio(1)->isChecked());
        QVERIFY(!dialog.formatRadio(2)->isChecked());
        QVERIFY(dialog.formatRadio(6)->isChecked());
        QVERIFY(!dialog.formatRadio(5)->isChecked());
        QCOMPARE(dialog.videoFolderField()->text(), videos);
        checked = true;
        dialog.setFrameVisible(false);
    });
    dialog.setFrameVisible(true);
    QVERIFY(checked);
    // Showing only displays: nothing was written back.
    QCOMPARE(g_photo_format, QStringLiteral("png"));
    QCOMPARE(storedValue(QStringLiteral("format/video")).toString(), QStringLiteral("flv"));
}

void TestSettings::viewFolderWithoutFileManager()
{
    ISettingFrame dialog(nullptr, nullptr);
    QStringList opened;
    bool answer = true;
    IImgListViewer::setHook([&](const QString& path) {
        opened << path;
        return answer;
    });
    dialog.viewFolder(true);
    QCOMPARE(opened, QStringList{g_video_savepath});
    QVERIFY(TestEnv::messages().isEmpty());

    // Nothing can show the folder: the user is told where it is instead of nothing.
    answer = false;
    dialog.viewFolder(false);
    QCOMPARE(opened.last(), g_photo_savepath);
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages().first().contains(g_photo_savepath));
    IImgListViewer::setHook(nullptr);
}

OCUMETRA_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
