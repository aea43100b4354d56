#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#include "coretests.h"
#include "iglobal.h"
#include "service/iconfigureservice.h"
#include "service/isettingstext.h"
#include "board/widget/itimemsgbox.h"
#include "testenv.h"

#include <QLabel>

#include <sys/stat.h>

class TestConfigure : public QObject
{
    Q_OBJECT

    IConfigureService* cfg() { return IConfigureService::instance(); }

    void writeFile(const QByteArray& content)
    {
        const QString path = cfg()->configureFilePath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    QByteArray fileContent()
    {
        QFile f(cfg()->configureFilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString noticeText()
    {
        QStringList notices;
        for (QLabel* label : ITimeMsgBox::instance()->findChildren<QLabel*>())
            notices << label->text();
        return notices.join(' ');
    }

    void checkDefaults()
    {
        QCOMPARE(g_software_langid, QStringLiteral("1033"));
        QCOMPARE(g_photo_format, QStringLiteral("jpeg"));
        QCOMPARE(g_video_format, QStringLiteral("mp4"));
        QCOMPARE(g_photo_savepath, IConfigureService::defaultPhotoPath());
        QCOMPARE(g_video_savepath, IConfigureService::defaultVideoPath());
        QCOMPARE(g_filedialog_path, IConfigureService::defaultPhotoPath());
        QCOMPARE(g_pencil_color, QColor(Qt::red));
        QCOMPARE(g_pencil_thickness, 3);
        QCOMPARE(g_pencil_transparent, 255);
        QCOMPARE(g_erase_size, 30);
        QCOMPARE(g_camera_resolution, QSize(1920, 1080));
        QCOMPARE(g_current_focus, -1);
        QCOMPARE(g_current_exposure, -1);
        QVERIFY(g_freecapture_rect.isNull());
        QCOMPARE(g_photo_sound_enable, false);
    }

private slots:
    void init()
    {
        QFile::remove(cfg()->configureFilePath());
        // No notice of an earlier test still in its time, which a new one would wait for.
        ITimeMsgBox::destroyInstance();
    }

    void defaultsWithoutFile()
    {
        cfg()->readConfigure();
        checkDefaults();
        // Default folders live under the user's Pictures and Videos, and exist.
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        const QString movies = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
        QCOMPARE(cfg()->photoPath(), pictures + "/Ocumetra/");
        QCOMPARE(cfg()->videoPath(), movies + "/Ocumetra/");
        QVERIFY(QFileInfo(cfg()->photoPath()).isDir());
        QVERIFY(QFileInfo(cfg()->videoPath()).isDir());
        QVERIFY(cfg()->configureFilePath().endsWith("/ini/application.ini"));
    }

    void roundTrip()
    {
        const QString photos = QDir::tempPath() + "/ocumetra-photos-" + QString::number(QCoreApplication::applicationPid());
        g_software_langid = "2052";
        g_photo_savepath = photos;  // no trailing slash: the getter adds it
        g_video_savepath = photos + "/videos/";
        g_filedialog_path = "/tmp/";
        g_photo_format = "png";
        g_video_format = "mov";
        g_pencil_color = QColor(10, 20, 30, 40);
        g_pencil_thickness = 7;
        g_pencil_transparent = 0;
        g_erase_size = 120;
        g_camera_resolution = QSize(1280, 720);
        g_current_focus = 70;
        g_current_exposure = 0;
        g_freecapture_rect = QRect(-5, 10, 300, 200);
        g_photo_sound_enable = true;
        cfg()->writeConfigure();

        g_software_langid.clear();
        g_photo_savepath.clear();
        g_pencil_color = QColor();
        g_freecapture_rect = QRect();
        cfg()->readConfigure();

        QCOMPARE(g_software_langid, QStringLiteral("2052"));
        QCOMPARE(cfg()->photoPath(), photos + "/");
        QCOMPARE(cfg()->videoPath(), photos + "/videos/");
        QCOMPARE(g_filedialog_path, QStringLiteral("/tmp/"));
        QCOMPARE(g_photo_format, QStringLiteral("png"));
        QCOMPARE(g_video_format, QStringLiteral("mov"));
        QCOMPARE(cfg()->pencilColor(), QColor(10, 20, 30, 40));
        QCOMPARE(cfg()->pencilThickness(), 7);
        QCOMPARE(cfg()->pencilTransparent(), 0);
        QCOMPARE(cfg()->eraseSize(), 120);
        QCOMPARE(cfg()->cameraResolution(), QSize(1280, 720));
        QCOMPARE(g_current_focus, 70);
        QCOMPARE(g_current_exposure, 0);
        QCOMPARE(g_freecapture_rect, QRect(-5, 10, 300, 200));
        QCOMPARE(g_photo_sound_enable, true);
        QDir(photos).removeRecursively();
    }

    // Each setter stores its global and writes its key at once.
    void settersWriteImmediately()
    {
        cfg()->setPhotoFormat("bmp");
        cfg()->setLang("1042");
        cfg()->setCameraResolution(QSize(3840, 2160));
        cfg()->setPencilColor(QColor(0, 0, 255));
        cfg()->setPenciThickness(10);
        cfg()->setPencilTransparent(128);
        cfg()->setEraseSize(60);
        cfg()->setFreeCaptureRect(QRect(1, 2, 3, 4));
        QCOMPARE(g_photo_format, QStringLiteral("bmp"));
        QCOMPARE(g_camera_resolution, QSize(3840, 2160));

        QSettings s(cfg()->configureFilePath(), QSettings::IniFormat);
        QCOMPARE(s.value("format/photo").toString(), QStringLiteral("bmp"));
        QCOMPARE(s.value("lang/langid").toString(), QStringLiteral("1042"));
        QCOMPARE(s.value("cameraresolution/width").toInt(), 3840);
        QCOMPARE(s.value("cameraresolution/height").toInt(), 2160);
        QCOMPARE(QColor(s.value("pencil/color").toString()), QColor(0, 0, 255));
        QCOMPARE(s.value("pencil/thickness").toInt(), 10);
        QCOMPARE(s.value("pencil/transparent").toInt(), 128);
        QCOMPARE(s.value("erase/size").toInt(), 60);
        QCOMPARE(s.value("other/freecapture_h").toInt(), 4);

        // Values that would break saving or drawing are refused.
        cfg()->setPhotoFormat("gif");
        cfg()->setCameraResolution(QSize(0, 1080));
        cfg()->setPencilColor(QColor());
        QCOMPARE(g_photo_format, QStringLiteral("bmp"));
        QCOMPARE(g_camera_resolution, QSize(3840, 2160));
        QCOMPARE(g_pencil_color, QColor(0, 0, 255));
    }

    void corruptFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary.append(char((i * 7919) & 0xff));
        QTest::newRow("binary") << binary;
        QTest::newRow("broken sections") << QByteArray("[lang\nlangid=\n[[[\n=== \n\\\\\\\n[format]photo");
        QTest::newRow("bad values") << QByteArray(
            "[lang]\nlangid=9999\n"
            "[format]\nphoto=gif\nvideo=../../x\n"
            "[path]\nphoto=relative/folder\nvideo=\nfiledialog=\n"
            "[pencil]\ncolor=notacolour\nthickness=-5\ntransparent=300\n"
            "[erase]\nsize=abc\n"
            "[cameraresolution]\nwidth=0\nheight=1080\n"
            "[other]\nfocus=101\nexposure=x\nfreecapture_x=1\nfreecapture_y=1\nfreecapture_w=-3\nfreecapture_h=5\n"
            "[photo]\nsound=maybe\n");
    }
    void corruptFile()
    {
        QFETCH(QByteArray, content);
        writeFile(content);
        cfg()->readConfigure();
        checkDefaults();
        // A file QSettings cannot parse is replaced at once, so later writes are kept.
        {
            QSettings check(cfg()->configureFilePath(), QSettings::IniFormat);
            check.value("format/photo");
            QCOMPARE(check.status(), QSettings::NoError);
        }
        cfg()->setPhotoFormat("png");
        g_photo_format = "jpeg";
        cfg()->readConfigure();
        QCOMPARE(g_photo_format, QStringLiteral("png"));
    }

    // A folder setting that names an existing file would make every snapshot fail.
    void folderThatIsAFile()
    {
        const QString file = QDir::tempPath() + "/ocumetra-not-a-folder-" + QString::number(QCoreApplication::applicationPid());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        writeFile("[path]\nphoto=" + file.toUtf8() + "\n");
        cfg()->readConfigure();
        QCOMPARE(g_photo_savepath, IConfigureService::defaultPhotoPath());
        QFile::remove(file);
    }

    // A full disk while the settings are written: the write is refused as a whole, the
    // user is told once, and the file keeps its previous values instead of being cut.
    void fullDiskKeepsSettings()
    {
        QVERIFY(cfg()->writeConfigure());
        cfg()->setPhotoFormat("png");
        cfg()->setPenciThickness(4);
        QFile file(cfg()->configureFilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        QVERIFY(before.size() > 200);

        for (const qint64 limit : {qint64(0), qint64(120)}) {
            TestEnv::FileSizeLimit full(limit);
            cfg()->setPenciThickness(9);
            QVERIFY(!cfg()->writeConfigure());
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();
        QCOMPARE(QDir(QFileInfo(file).path()).entryList(QDir::Files), QStringList{"application.ini"});
        QStringList notices;
        for (QLabel* label : ITimeMsgBox::instance()->findChildren<QLabel*>())
            notices << label->text();
        QVERIFY2(notices.join(' ').contains("The settings could not be saved"), qPrintable(notices.join(' ')));

        // Room again: the next write carries every value, the one refused included.
        QVERIFY(cfg()->writeConfigure());
        QSettings s(cfg()->configureFilePath(), QSettings::IniFormat);
        QCOMPARE(s.value("pencil/thickness").toInt(), 9);
        QCOMPARE(s.value("format/photo").toString(), QStringLiteral("png"));
    }

    // A damaged colour record made QSettings read a huge length through QDataStream
    // and crash at every start. Now the damaged value gives its default, the valid
    // values stay, and unknown keys are not carried into the file written back.
    void damagedFileNeverCrashes()
    {
        const QByteArray crash("[pencil]\ncolor=@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xf0)");
        writeFile(crash + "\nthickness=9\n[junk]\nkey=@Variant(\\0\\0\\0\\x47\\x7f\\xff\\xff\\xf0)\n"
                          "[format]\nphoto=png\nextra=1\n");
        cfg()->readConfigure();
        QCOMPARE(g_pencil_color, QColor(Qt::red));
        QCOMPARE(g_pencil_thickness, 9);
        QCOMPARE(g_photo_format, QStringLiteral("png"));
        const QByteArray written = fileContent();
        QVERIFY2(!written.contains("junk") && !written.contains("extra") && !written.contains("Variant"),
                 written.constData());
        QSettings check(cfg()->configureFilePath(), QSettings::IniFormat);
        QCOMPARE(check.value("pencil/thickness").toInt(), 9);
        QCOMPARE(check.value("format/photo").toString(), QStringLiteral("png"));
        cfg()->setEraseSize(44);
        QVERIFY(!fileContent().contains("junk"));

        // A colour record as QSettings writes it is still read, without QVariant's loader.
        QFile::remove(cfg()->configureFilePath());
        {
            QSettings old(cfg()->configureFilePath(), QSettings::IniFormat);
            old.setValue("pencil/color", QColor(10, 20, 30, 40));
        }
        cfg()->readConfigure();
        QCOMPARE(g_pencil_color, QColor(10, 20, 30, 40));
    }

    // Both ways between this reader and writer and QSettings' ini format: the same text.
    void textMatchesQSettings()
    {
        const QStringList values = {"/home/a b/Pictures/", " lead and trail ", "a,b;c=d", "quote\"back\\slash",
                                    "@at", "@@two", "ünï/日本/", "tab\there\nline", QString("nul") + QChar(0) + "1",
                                    "\\x41", ""};
        const QString path = QDir::tempPath() + "/ocumetra-settings-text-" + QString::number(QCoreApplication::applicationPid()) + ".ini";
        ISettingsText::Entries entries;
        for (int i = 0; i < values.size(); ++i)
            entries.insert(QStringLiteral("section/k%1").arg(i), values.at(i));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(ISettingsText::serialize(entries));
        }
        {
            QSettings s(path, QSettings::IniFormat);
            QCOMPARE(s.status(), QSettings::NoError);
            for (int i = 0; i < values.size(); ++i)
                QCOMPARE(s.value(QStringLiteral("section/k%1").arg(i)).toString(), values.at(i));
        }
        QFile::remove(path);
        {
            QSettings s(path, QSettings::IniFormat);
            for (int i = 0; i < values.size(); ++i)
                s.setValue(QStringLiteral("section/k%1").arg(i), values.at(i));
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const ISettingsText::Entries parsed = ISettingsText::parse(f.readAll());
        for (int i = 0; i < values.size(); ++i) {
            QString text;
            QVERIFY(ISettingsText::plainValue(parsed.value(QStringLiteral("section/k%1").arg(i)), &text));
            QCOMPARE(text, values.at(i));
        }
        QFile::remove(path);
    }

    // A 100 MB file made every start and exit take some 20 s and never shrank. An
    // oversized file is set aside whole, the user is told, and the defaults are used.
    void oversizedFileSetAside()
    {
        QByteArray big("[pencil]\nthickness=8\n");
        big.append(QByteArray(2 * 1024 * 1024, 'x'));
        writeFile(big);
        const QString aside = cfg()->configureFilePath() + ".bad";
        QFile::remove(aside);
        cfg()->readConfigure();
        QCOMPARE(g_pencil_thickness, 3);
        QCOMPARE(QFileInfo(aside).size(), qint64(big.size()));
        QVERIFY(!QFileInfo::exists(cfg()->configureFilePath()));
        QVERIFY2(noticeText().contains("application.ini.bad"), qPrintable(noticeText()));
        QVERIFY(ITimeMsgBox::instance()->isVisible());
        cfg()->setPenciThickness(6);
        QVERIFY(fileContent().size() < 4096);
        QFile::remove(aside);
    }

    // A pipe in place of the file: reading it waited for ever.
    void pipeInsteadOfFileDoesNotBlock()
    {
        const QString path = cfg()->configureFilePath();
        QFile::remove(path);
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        cfg()->readConfigure();
        checkDefaults();
        QFile::remove(path);
    }

    // A read-only settings file was silently replaced by a writable one. It is read,
    // never replaced nor made writable, and the user is told once.
    void readOnlyFileKept()
    {
        writeFile("[format]\nphoto=png\n[junk]\nkey=1\n");
        const QString path = cfg()->configureFilePath();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        const QByteArray before = fileContent();
        ITimeMsgBox::instance()->hide();
        cfg()->readConfigure();
        QCOMPARE(g_photo_format, QStringLiteral("png"));
        QVERIFY2(noticeText().contains("read-only"), qPrintable(noticeText()));
        ITimeMsgBox::destroyInstance();
        cfg()->setPhotoFormat("bmp");
        QVERIFY(!cfg()->writeConfigure());
        cfg()->readConfigure();
        QVERIFY2(!ITimeMsgBox::instance()->isVisible(), qPrintable(noticeText()));
        QCOMPARE(fileContent(), before);
        QCOMPARE(QFileInfo(path).permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther),
                 QFileDevice::Permissions());
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), QStringList{"application.ini"});
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }

    void cleanupTestCase()
    {
        QFile::remove(cfg()->configureFilePath());
        cfg()->readConfigure();
    }
};

OCUMETRA_CORE_TEST(TestConfigure);
#include "tst_configure.moc"
