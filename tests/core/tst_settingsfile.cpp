// The settings file at start: files of any shape read quickly, the program's own file
// and folders are taken as written, older colour records and odd key paths read as
// QSettings reads them, set-aside copies are kept, a link into a folder not made yet is
// followed, and what the user is told reads in their language.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSettings>
#include <QTranslator>
#include <QtTest>

#include "board/widget/itimemsgbox.h"
#include "coretests.h"
#include "iglobal.h"
#include "itranslation.h"
#include "noticelog.h"
#include "service/iconfigureservice.h"
#include "service/isettingstext.h"
#include "service/isettingsvalues.h"
#include "testenv.h"

#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QStringList g_log;
QtMessageHandler g_previousHandler = nullptr;

void collectLog(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    g_log << text;
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

// The log lines written while it lives.
class LogCapture
{
public:
    LogCapture()
    {
        g_log.clear();
        g_previousHandler = qInstallMessageHandler(collectLog);
    }
    ~LogCapture() { qInstallMessageHandler(g_previousHandler); }
    QString text() const { return g_log.join(QLatin1Char('\n')); }
};

ino_t inodeOf(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}
}

class TestSettingsFile : public QObject
{
    Q_OBJECT

    IConfigureService* cfg() { return IConfigureService::instance(); }
    QString iniPath() { return cfg()->configureFilePath(); }

    void writeFile(const QByteArray& content)
    {
        QDir().mkpath(QFileInfo(iniPath()).absolutePath());
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(content), qint64(content.size()));
    }

    QByteArray fileContent()
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A fresh notice: afterwards it shows what was told since, not a notice still in its time.
    void markNotice() { ITimeMsgBox::destroyInstance(); }

    QString noticeText()
    {
        QStringList notices;
        for (QLabel* label : ITimeMsgBox::instance()->findChildren<QLabel*>())
            notices << label->text();
        return notices.join(QLatin1Char(' '));
    }

    // QSettings keeps what it read of a path while its size and time stamp stay: each
    // look at a text gets a file of its own.
    static QString freshCopy(const QByteArray& content)
    {
        static int count = 0;
        const QString path = TestEnv::homePath() + QStringLiteral("/qsettings-%1.ini").arg(++count);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // What QSettings reads for key from the file as it is now.
    QVariant readBack(const QString& key)
    {
        const QString path = freshCopy(fileContent());
        const QVariant value = QSettings(path, QSettings::IniFormat).value(key);
        QFile::remove(path);
        return value;
    }

    // QSettings' own reading of a text, every section parsed, as a plain key-to-text map:
    // the keys that value() can reach and that hold text.
    static ISettingsText::Entries readByQSettings(const QByteArray& content)
    {
        const QString path = freshCopy(content);
        ISettingsText::Entries texts;
        {
            QSettings s(path, QSettings::IniFormat);
            for (const QString& key : s.allKeys()) {
                // Asked for by its path without empty parts, as every caller asks.
                const QString path = key.split('/', Qt::SkipEmptyParts).join('/');
                const QVariant v = s.value(path);
                if (v.isValid() && v.type() == QVariant::String)
                    texts.insert(path, v.toString());
            }
        }
        QFile::remove(path);
        return texts;
    }

    static ISettingsText::Entries plainTexts(const QByteArray& text)
    {
        ISettingsText::Entries texts;
        const ISettingsText::Entries raw = ISettingsText::parse(text);
        for (auto it = raw.cbegin(); it != raw.cend(); ++it) {
            QString value;
            if (ISettingsText::plainValue(it.value(), &value))
                texts.insert(it.key(), value);
        }
        return texts;
    }

private slots:
    void init()
    {
        QDir().rmdir(iniPath());
        QFile::remove(iniPath());
        QDir dir(QFileInfo(iniPath()).absolutePath());
        for (const QString& name : dir.entryList(QDir::Files | QDir::System | QDir::Hidden))
            QFile::remove(dir.filePath(name));
    }

    // A file of one unclosed "[" per line searched the rest of the file for every line:
    // 127 s before the window appeared. Damaged files just under the size cap, read as
    // at start, each well within a second on an idle machine (bounded generously here).
    void damagedFullSizeFileReadsQuickly_data()
    {
        const int cap = 1024 * 1024;
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("unclosed sections") << QByteArray("[\n").repeated(cap / 2);
        QByteArray longSection = "[" + QByteArray(cap / 2, 'a') + "]\n";
        while (longSection.size() + 4 <= cap)
            longSection += "k=\n";
        QTest::newRow("long section, many keys") << longSection;
        QTest::newRow("open quote") << "[a]\nk=\"" + QByteArray(cap - 8, 'x');
        QTest::newRow("commas") << "[a]\nk=" + QByteArray(",").repeated(cap - 6);
        QTest::newRow("continued lines") << "[a]\nk=" + QByteArray("\\\n").repeated((cap - 6) / 2);
        QTest::newRow("dot folders") << "[path]\nphoto=/" + QByteArray("../").repeated((cap - 14) / 3);
    }
    void damagedFullSizeFileReadsQuickly()
    {
        QFETCH(QByteArray, content);
        QVERIFY(content.size() <= 1024 * 1024 && content.size() > 1024 * 1024 - 16);
        writeFile(content);
        QElapsedTimer timer;
        timer.start();
        cfg()->readConfigure();
        const qint64 ms = timer.elapsed();
        QVERIFY2(ms < 5000, qPrintable(QStringLiteral("%1 ms").arg(ms)));
        // Read, not set aside, and the defaults in use.
        QVERIFY(!QFileInfo::exists(iniPath() + ".bad"));
        QCOMPARE(g_pencil_thickness, 3);
        QCOMPARE(g_photo_savepath, IConfigureService::defaultPhotoPath());
    }

    // The unset partial-capture rectangle was written as width and height 0 and refused
    // on reading: every start logged a clean-up and rewrote the file, and in a folder
    // where nothing can be written told the user the settings could not be saved.
    void ownFileTakenAsWritten()
    {
        cfg()->readConfigure();
        QVERIFY(g_freecapture_rect.isNull());
        QVERIFY(cfg()->writeConfigure());
        const ISettingsText::Entries written = ISettingsValues::current();
        QCOMPARE(ISettingsValues::load(ISettingsText::serialize(written)), written);

        const QByteArray before = fileContent();
        const ino_t inode = inodeOf(iniPath());
        LogCapture log;
        markNotice();
        {
            // Nothing can be written: as a read-only folder, also for root.
            TestEnv::FileSizeLimit full(0);
            cfg()->readConfigure();
            cfg()->readConfigure();
        }
        QVERIFY2(!ITimeMsgBox::instance()->isVisible(), qPrintable(noticeText()));
        QVERIFY2(!log.text().contains("cleaned"), qPrintable(log.text()));
        QCOMPARE(inodeOf(iniPath()), inode);
        QCOMPARE(fileContent(), before);
        QVERIFY(g_freecapture_rect.isNull());

        // A rectangle set and then one the user left empty: each read back as it was.
        cfg()->setFreeCaptureRect(QRect(4, 5, 60, 70));
        cfg()->readConfigure();
        QCOMPARE(g_freecapture_rect, QRect(4, 5, 60, 70));
        cfg()->setFreeCaptureRect(QRect(4, 5, 0, 70));
        const QByteArray emptied = fileContent();
        cfg()->readConfigure();
        QVERIFY(g_freecapture_rect.isNull());
        QCOMPARE(fileContent(), emptied);
    }

    // A folder whose name holds a TAB or another control character was written escaped,
    // read back exactly by QSettings, but refused here: snapshots went to the default
    // folder and the file was overwritten.
    void foldersWithControlCharactersKept()
    {
        const QString base = TestEnv::homePath() + "/control-folders";
        const QStringList names = {"tab\there", "bell\x07", "new\nline", "cr\rx", "esc\x1b[1m", "del\x7f", "\x01lead",
                                   "trail\x1f", "space "};
        for (const QString& name : names) {
            const QString photos = base + "/" + name;
            const QString videos = base + "/v-" + name;
            QVERIFY(QDir().mkpath(photos));
            cfg()->setPhotoPath(photos);
            cfg()->setVideoPath(videos);
            cfg()->setFiledialogPath(photos + "/");
            QCOMPARE(readBack("path/photo").toString(), photos + "/");
            QCOMPARE(readBack("path/video").toString(), videos + "/");
            const QByteArray before = fileContent();
            g_photo_savepath.clear();
            cfg()->readConfigure();
            QCOMPARE(cfg()->photoPath(), photos + "/");
            QCOMPARE(cfg()->videoPath(), videos + "/");
            QCOMPARE(g_filedialog_path, photos + "/");
            QVERIFY(QFileInfo(videos).isDir());
            QCOMPARE(fileContent(), before);
        }
        QDir(base).removeRecursively();
    }

    // Colour records QSettings stored in another model than 8-bit RGB fell back to red
    // (HSV, HSL, CMYK, extended RGB), and 16-bit RGB came out a step off. Each reads
    // as QColor itself reads the record.
    void colourRecordsOfEveryModel_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::newRow("hsv") << QColor::fromHsv(200, 150, 100);
        QTest::newRow("hsv fractions") << QColor::fromHsvF(0.6181, 0.333, 0.777, 0.5);
        QTest::newRow("hsv achromatic") << QColor::fromHsv(-1, 0, 77, 200);
        QTest::newRow("hsl") << QColor::fromHsl(120, 200, 50, 128);
        QTest::newRow("hsl fractions") << QColor::fromHslF(0.9, 0.51, 0.49);
        QTest::newRow("cmyk") << QColor::fromCmyk(10, 20, 30, 40, 200);
        QTest::newRow("cmyk fractions") << QColor::fromCmykF(0.123, 0.456, 0.789, 0.1);
        QTest::newRow("extended rgb") << QColor::fromRgbF(0.1, 0.25, 0.7, 0.9).toExtendedRgb();
        QTest::newRow("extended rgb beyond") << QColor::fromRgbF(1.5, -0.25, 0.5);
        // Components whose top byte alone is one step below QColor's rounding.
        QTest::newRow("rgb 16-bit") << QColor::fromRgba64(0x12ff, 200, 448, 0xfe90);
        QTest::newRow("rgb 16-bit exact") << QColor::fromRgba64(0x1280, 0x5680, 0x9a7f, 0xde80);
        QTest::newRow("rgb") << QColor(10, 20, 30, 40);
    }
    void colourRecordsOfEveryModel()
    {
        QFETCH(QColor, color);
        QVERIFY(color.isValid());
        {
            QSettings s(iniPath(), QSettings::IniFormat);
            s.setValue("pencil/color", color);
            s.setValue("pencil/thickness", 9);
        }
        QVERIFY(fileContent().contains("@Variant("));
        const QColor expected = readBack("pencil/color").value<QColor>();
        QVERIFY(expected.isValid());
        cfg()->readConfigure();
        QCOMPARE(g_pencil_color.name(QColor::HexArgb), expected.name(QColor::HexArgb));
        QCOMPARE(g_pencil_thickness, 9);
        // Kept in the program's own form from now on.
        QCOMPARE(QColor(readBack("pencil/color").toString()), g_pencil_color);

        // An invalid colour record gives the default pen colour.
        QFile::remove(iniPath());
        {
            QSettings s(iniPath(), QSettings::IniFormat);
            s.setValue("pencil/color", QColor());
        }
        QVERIFY(fileContent().contains("@Variant("));
        cfg()->readConfigure();
        QCOMPARE(g_pencil_color, QColor(Qt::red));
    }

    // "[pencil/]" made a second "pencil" section whose keys overrode the first one's
    // (50 where QSettings reads 5). Key paths read as QSettings reads them once it has
    // read the whole file: a path with an empty part is its own key that no reader asks
    // for, and sections apply in the order QSettings applies them.
    void keyPathsReadAsQSettings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty part after") << QByteArray("[pencil]\nthickness=5\n[pencil/]\nthickness=50\n");
        QTest::newRow("empty part first") << QByteArray("[pencil/]\nthickness=50\n[pencil]\nthickness=5\n");
        QTest::newRow("empty part only") << QByteArray("[pencil/]\nthickness=50\n");
        QTest::newRow("leading slash") << QByteArray("[/pencil]\nthickness=50\n");
        QTest::newRow("slash in key") << QByteArray("[pencil]\n/thickness=50\nthickness/=40\n");
        QTest::newRow("double slash") << QByteArray("[pencil//]\nthickness=50\n[pencil\\\\]\nthickness=40\n");
        QTest::newRow("general after") << QByteArray("[pencil]\nthickness=5\n[General]\npencil/thickness=7\n");
        QTest::newRow("general only") << QByteArray("[General]\npencil/thickness=7\n");
        QTest::newRow("deeper section later")
            << QByteArray("[erase]\nsize/x=1\n[pencil]\nthickness=6\n[erase/size]\nx=2\n[erase]\nsize/x=3\n");
        QTest::newRow("escaped sections") << QByteArray("[a%2Fb]\nc=1\n[a/b]\nc=2\n[a]\nb\\c=3\n[a\\b]\nc=4\n");
        QTest::newRow("keys before sections") << QByteArray("pencil/thickness=8\n[pencil]\nthickness=9\n");
        QTest::newRow("list then text") << QByteArray("[pencil]\nthickness=1,2\n[General]\npencil/thickness=4\n");
    }
    void keyPathsReadAsQSettings()
    {
        QFETCH(QByteArray, content);
        writeFile(content);
        const ISettingsText::Entries expected = readByQSettings(content);
        QCOMPARE(plainTexts(content), expected);

        cfg()->readConfigure();
        const int thickness = expected.value("pencil/thickness").toInt();
        QCOMPARE(g_pencil_thickness, thickness > 0 ? thickness : 3);
    }

    // A second oversized file was set aside over the first one's copy.
    void setAsideCopiesAllKept()
    {
        const QString dir = QFileInfo(iniPath()).absolutePath();
        QList<QByteArray> files;
        for (const char fill : {'x', 'y', 'z'}) {
            files << "[pencil]\nthickness=8\n" + QByteArray(1024 * 1024, fill);
            writeFile(files.last());
            markNotice();
            cfg()->readConfigure();
            QVERIFY(!QFileInfo::exists(iniPath()));
            QCOMPARE(g_pencil_thickness, 3);
            // The notice names the copy just made, and it holds this file.
            const QString notice = noticeText();
            QFile named;
            for (const QString& name : QDir(dir).entryList({"application.ini*"}, QDir::Files)) {
                if (notice.contains(QDir::toNativeSeparators(dir + "/" + name) + " "))
                    named.setFileName(dir + "/" + name);
            }
            QVERIFY2(!named.fileName().isEmpty(), qPrintable(notice));
            QVERIFY(named.open(QIODevice::ReadOnly));
            QCOMPARE(named.readAll(), files.last());
        }
        // Every copy is still there, each whole.
        QList<QByteArray> kept;
        for (const QString& name : QDir(dir).entryList({"application.ini*"}, QDir::Files)) {
            QFile f(dir + "/" + name);
            QVERIFY(f.open(QIODevice::ReadOnly));
            kept << f.readAll();
        }
        std::sort(kept.begin(), kept.end());
        QCOMPARE(kept, files);
    }

    // A user set to Chinese got the notices raised while the settings were read in
    // English: the translation was loaded after them.
    void noticesInUsersLanguage()
    {
        QTranslator chinese;
        QVERIFY(chinese.load(ITranslation::qmFilePath("2052")));
        const QString readOnly = chinese.translate(
            "IConfigureService", "The settings file is read-only: changes to the settings will not be kept.");
        QString notSaved = chinese.translate("IConfigureService", "The settings could not be saved: %1");
        QVERIFY(!readOnly.isEmpty() && !notSaved.isEmpty() && !readOnly.startsWith("The"));
        notSaved = notSaved.left(notSaved.indexOf("%1"));

        // Read-only: told at once.
        writeFile("[lang]\nlangid=2052\n");
        QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        IConfigureService::destroyInstance();
        markNotice();
        cfg()->readConfigure();
        QCOMPARE(g_software_langid, QStringLiteral("2052"));
        QVERIFY2(noticeText().contains(readOnly), qPrintable(noticeText()));
        QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::WriteOwner));

        // A damaged entry to clean up, and no room to write the file.
        writeFile("[lang]\nlangid=2052\n[junk]\nk=1\n");
        IConfigureService::destroyInstance();
        markNotice();
        {
            TestEnv::FileSizeLimit full(0);
            cfg()->readConfigure();
        }
        QVERIFY2(noticeText().contains(notSaved), qPrintable(noticeText()));

        // Back to the source language for the tests that follow.
        QFile::remove(iniPath());
        cfg()->readConfigure();
        QCOMPARE(g_software_langid, QStringLiteral("1033"));
        QVERIFY(ITranslation::install("1033"));
    }

    // A FIFO, a folder or a symbolic link loop in place of the file was skipped without
    // a word; the user is told, as for a file too large to read.
    void unreadableInPlaceOfFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("link loop") << "loop";
        QTest::newRow("no read permission") << "unreadable";
    }
    void unreadableInPlaceOfFile()
    {
        QFETCH(QString, kind);
        const QString path = iniPath();
        const QByteArray name = QFile::encodeName(path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (kind == "fifo") {
            QVERIFY(::mkfifo(name.constData(), 0600) == 0);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "loop") {
            QVERIFY(::symlink("application.ini.loop", name.constData()) == 0);
            QVERIFY(::symlink("application.ini", QFile::encodeName(path + ".loop").constData()) == 0);
        } else {
            writeFile("[pencil]\nthickness=9\n");
            QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        }
        g_pencil_thickness = 50;
        markNotice();
        {
            const TestEnv::PermissionsObeyed asUser;
            cfg()->readConfigure();
        }
        QCOMPARE(g_pencil_thickness, 3);
        QVERIFY2(noticeText().contains("cannot be read") && noticeText().contains(QDir::toNativeSeparators(path)),
                 qPrintable(noticeText()));
        if (kind == "folder")
            QDir().rmdir(path);
        QFile::remove(path + ".loop");
        QFile::remove(path);
    }

    // A later notice replaced an earlier one before it was painted: the user never saw
    // that the file could not be read, nor where an oversized one was set aside. Each
    // is shown in turn for its reading time, then the failed save of a change.
    void noticesShownInTurn_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("folder in place") << "folder" << QStringList{"cannot be read", "could not be saved"};
        QTest::newRow("oversized, disk full")
            << "oversized" << QStringList{"too large", "could not be saved"};
    }
    void noticesShownInTurn()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, expected);
        if (kind == "folder")
            QVERIFY(QDir().mkpath(iniPath()));
        else
            writeFile(QByteArray(1024 * 1024 + 1, 'x'));
        IConfigureService::destroyInstance();
        markNotice();
        NoticeLog log;
        cfg()->readConfigure();
        log.look();
        {
            TestEnv::FileSizeLimit full(0);
            cfg()->setPenciThickness(9);
        }
        QVERIFY(log.waitForQuiet(2, 40000));
        QCOMPARE(log.shown().size(), 2);
        for (int i = 0; i < 2; ++i) {
            const NoticeLog::Shown& shown = log.shown().at(i);
            QVERIFY2(shown.text.contains(expected.at(i)), qPrintable(shown.text));
            QVERIFY2(shown.ms >= ITimeMsgBox::readingTime(shown.text, 3000) - 50,
                     qPrintable(QStringLiteral("%1 ms: %2").arg(shown.ms).arg(shown.text)));
        }
        if (kind == "oversized")
            QVERIFY(log.shown().first().text.contains(QDir::toNativeSeparators(iniPath() + ".bad")));
        QDir().rmdir(iniPath());
    }

    // With every name from ".bad" to ".bad.1000" taken an oversized file stayed in place,
    // and the first change of a setting replaced it: the user's only copy was lost. It
    // is kept for the session now, whatever is changed, and the user is told so.
    void oversizedKeptWhenNotSetAside()
    {
        const QString path = iniPath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        for (int n = 1; n <= 1000; ++n) {
            QFile taken(path + ".bad" + (n == 1 ? QString() : QStringLiteral(".%1").arg(n)));
            QVERIFY(taken.open(QIODevice::WriteOnly));
        }
        const QByteArray big = "[pencil]\nthickness=8\n" + QByteArray(1024 * 1024, 'x');
        writeFile(big);
        const ino_t inode = inodeOf(path);
        IConfigureService::destroyInstance();
        markNotice();
        cfg()->readConfigure();
        QCOMPARE(g_pencil_thickness, 3);

        cfg()->setPenciThickness(9);
        cfg()->setPencilColor(QColor(Qt::blue));
        cfg()->setFreeCaptureRect(QRect(1, 2, 3, 4));
        QVERIFY(!cfg()->writeConfigure());
        QCOMPARE(g_pencil_thickness, 9);
        QCOMPARE(inodeOf(path), inode);
        QCOMPARE(fileContent(), big);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList({"application.ini*"}, QDir::Files).size(), 1001);
        // Told once, with the reason, and nothing more when the changes were not kept.
        QVERIFY2(noticeText().contains("could not be set aside (File exists)")
                     && noticeText().contains("will not be kept"),
                 qPrintable(noticeText()));
        IConfigureService::destroyInstance();
    }

    // In a settings folder that cannot be written (the file itself writable), a file not
    // byte for byte as this program writes it was tidied at every start, or written at
    // close for a key it lacked, and each time the user was told "could not be saved"
    // though they had changed nothing. Only a real change is tried, and told once.
    void unwritableFolderTellsOnlyChanges_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("blank line at end") << "blank";
        QTest::newRow("unknown key") << "unknown";
        QTest::newRow("key missing") << "missing";
    }
    void unwritableFolderTellsOnlyChanges()
    {
        QFETCH(QString, kind);
        IConfigureService::destroyInstance();
        cfg()->readConfigure();
        QVERIFY(cfg()->writeConfigure());
        const QByteArray own = fileContent();
        QByteArray content = own;
        if (kind == "blank")
            content += "\n";
        else if (kind == "unknown")
            content.replace("[pencil]\n", "[pencil]\nshape=round\n");
        else {
            // As kept before the exposure was.
            const int at = content.indexOf("\nexposure=");
            QVERIFY(at >= 0);
            content.remove(at + 1, content.indexOf('\n', at + 1) - at);
        }
        QVERIFY(content != own);
        writeFile(content);
        const QString stamp = TestEnv::fileStamp(iniPath());

        IConfigureService::destroyInstance();
        markNotice();
        NoticeLog log;
        {
            const TestEnv::ReadOnlyFolder readOnly(QFileInfo(iniPath()).absolutePath());
            cfg()->readConfigure();
            const bool closed = cfg()->writeConfigure();
            log.look();
            QVERIFY2(log.texts().isEmpty(), qPrintable(log.texts().join('\n')));
            QVERIFY(closed);
            QCOMPARE(TestEnv::fileStamp(iniPath()), stamp);
            QCOMPARE(fileContent(), content);

            cfg()->setPenciThickness(g_pencil_thickness + 1);
            log.look();
            QCOMPARE(log.texts(), QStringList{"The settings could not be saved: Permission denied"});
            // A fresh notice, on which a repeat would show instead of being dropped as one.
            markNotice();
            log.look();
            cfg()->setPenciThickness(g_pencil_thickness + 1);
            QVERIFY(!cfg()->writeConfigure());
            log.look();
            QCOMPARE(log.texts().size(), 1);
        }
        QCOMPARE(TestEnv::fileStamp(iniPath()), stamp);
        QCOMPARE(fileContent(), content);
        IConfigureService::destroyInstance();
    }

    // With the settings file a link to a file in a folder that did not exist, a start and a
    // close with nothing changed told "The settings could not be saved: No such file or
    // directory": the link's own folder was made, not its target's. The target's folder is
    // made where it can be; where it cannot, only a change is tried, and told.
    void linkIntoMissingFolder_data()
    {
        QTest::addColumn<bool>("canMake");
        QTest::newRow("folder can be made") << true;
        QTest::newRow("folder cannot be made") << false;
    }
    void linkIntoMissingFolder()
    {
        QFETCH(bool, canMake);
        const QString outside = TestEnv::homePath() + QStringLiteral("/linked");
        QVERIFY(QDir(outside).removeRecursively());
        QVERIFY(QDir().mkpath(outside));
        const QString target = outside + QStringLiteral("/missing/application.ini");
        QDir().mkpath(QFileInfo(iniPath()).absolutePath());
        QVERIFY(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(iniPath()).constData()) == 0);

        IConfigureService::destroyInstance();
        markNotice();
        NoticeLog log;
        {
            std::unique_ptr<TestEnv::ReadOnlyFolder> readOnly;
            if (!canMake)
                readOnly.reset(new TestEnv::ReadOnlyFolder(outside));
            QString stamp;
            for (int start = 0; start < 2; ++start) {
                cfg()->readConfigure();
                const bool closed = cfg()->writeConfigure();
                log.look();
                QVERIFY2(log.texts().isEmpty(), qPrintable(log.texts().join('\n')));
                QVERIFY(closed);
                IConfigureService::destroyInstance();
                QVERIFY(QFileInfo(iniPath()).isSymLink());
                QCOMPARE(QFileInfo(target).isFile(), canMake);
                // Written once, at the first close; the second start finds it as written.
                if (start == 0)
                    stamp = TestEnv::fileStamp(target);
                QCOMPARE(TestEnv::fileStamp(target), stamp);
            }
            if (!canMake) {
                cfg()->readConfigure();
                cfg()->setPenciThickness(g_pencil_thickness + 1);
                log.look();
                QCOMPARE(log.texts().size(), 1);
                QVERIFY2(log.texts().first().startsWith("The settings could not be saved: "),
                         qPrintable(log.texts().first()));
                IConfigureService::destroyInstance();
            }
        }
        QVERIFY(QFile::remove(iniPath()));
        QVERIFY(QDir(outside).removeRecursively());
    }

    void cleanupTestCase()
    {
        init();
        cfg()->readConfigure();
    }
};

OCUMETRA_CORE_TEST(TestSettingsFile);
#include "tst_settingsfile.moc"
