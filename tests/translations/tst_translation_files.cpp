// The translation sources: every text of the program is in every language's file, and
// every message there has a usable translation.

#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "tsfile.h"

namespace {
const QMap<QString, QString>& locales()
{
    static const QMap<QString, QString> m = {
        {"1033", "en_US"}, {"2052", "zh_CN"}, {"1028", "zh_TW"}, {"1034", "es_ES"}, {"1031", "de_DE"},
        {"1042", "ko_KR"}, {"1036", "fr_FR"}, {"1040", "it_IT"}, {"1043", "nl_NL"}, {"1055", "tr_TR"}};
    return m;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

QStringList placeholders(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("%(n|L?\\d+)"));
    QStringList out;
    for (auto it = re.globalMatch(text); it.hasNext();)
        out << it.next().captured(0);
    return sorted(out);
}

// File-dialog filters: the "(*.ext)" parts the program reads back.
QStringList filterPatterns(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("\\(\\*\\.\\w+\\)"));
    QStringList out;
    for (auto it = re.globalMatch(text); it.hasNext();)
        out << it.next().captured(0);
    return out;
}

bool hasHan(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x3400 && c.unicode() <= 0x9fff)
            return true;
    }
    return false;
}

QString describe(const TsMessage& m)
{
    return QStringLiteral("%1: \"%2\"").arg(m.context, m.source);
}

// What lupdate finds in the sources now, in a file of its own.
TsFile scanSources(const QString& dir, QString* error)
{
    const QString path = dir + QStringLiteral("/scan.ts");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n<TS version=\"2.1\">\n</TS>\n") < 0 ||
        !out.flush()) {
        *error = out.errorString();
        return {};
    }
    out.close();
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(OCUMETRA_LUPDATE),
                  {QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral(OCUMETRA_SOURCE_ROOT "/src"), QStringLiteral("-ts"), path});
    if (!lupdate.waitForFinished(120000) || lupdate.exitStatus() != QProcess::NormalExit || lupdate.exitCode() != 0) {
        *error = QStringLiteral("lupdate failed: ") + QString::fromLocal8Bit(lupdate.readAll());
        return {};
    }
    return readTsFile(path);
}
}

class TestTranslationFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void everyMessageTranslated_data();
    void everyMessageTranslated();
    void filesFollowSources();

private:
    TsFile m_scan;
};

void TestTranslationFiles::initTestCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString error;
    m_scan = scanSources(dir.path(), &error);
    QVERIFY2(error.isEmpty() && m_scan.error.isEmpty(), qPrintable(error + m_scan.error));
    // The program has well over a hundred texts; far fewer means lupdate missed the sources.
    QVERIFY2(m_scan.messages.size() > 100, qPrintable(QString::number(m_scan.messages.size())));
}

void TestTranslationFiles::everyMessageTranslated_data()
{
    QTest::addColumn<QString>("langid");
    for (const QString& id : languageIds())
        QTest::newRow(qPrintable(id)) << id;
}

void TestTranslationFiles::everyMessageTranslated()
{
    QFETCH(QString, langid);
    const TsFile file = readTsFile(tsPath(langid));
    QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
    QCOMPARE(file.language, locales().value(langid));
    QVERIFY(!file.messages.isEmpty());

    const bool chinese = langid == QLatin1String("2052") || langid == QLatin1String("1028");
    QStringList faults;
    for (const TsMessage& m : file.messages) {
        if (!m.type.isEmpty()) {
            faults << describe(m) + QStringLiteral(" is ") + m.type;
            continue;
        }
        if (m.translations.isEmpty())
            faults << describe(m) + QStringLiteral(" has no translation");
        for (const QString& t : m.translations) {
            if (t.trimmed().isEmpty())
                faults << describe(m) + QStringLiteral(" translates to nothing");
            if (placeholders(t) != placeholders(m.source))
                faults << describe(m) + QStringLiteral(" loses or adds a placeholder: ") + t;
            if (filterPatterns(t) != filterPatterns(m.source) || t.count(QLatin1String(";;")) != m.source.count(QLatin1String(";;")))
                faults << describe(m) + QStringLiteral(" changes the file filter: ") + t;
            if (t.count(QLatin1Char('\n')) != m.source.count(QLatin1Char('\n')))
                faults << describe(m) + QStringLiteral(" changes the line breaks: ") + t;
            // Labels such as "Contrast " are followed by a value.
            if (m.source.endsWith(QLatin1Char(' ')) != t.endsWith(QLatin1Char(' ')))
                faults << describe(m) + QStringLiteral(" changes the trailing space: ") + t;
            if (!chinese && hasHan(t))
                faults << describe(m) + QStringLiteral(" keeps Chinese text: ") + t;
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

// Stale files: a text added to or changed in the sources without running
// translations/update.py is missing here, a removed one is left over.
void TestTranslationFiles::filesFollowSources()
{
    QSet<QString> scanned;
    for (const TsMessage& m : m_scan.messages)
        scanned.insert(m.key());
    for (const QString& id : languageIds()) {
        const TsFile file = readTsFile(tsPath(id));
        QVERIFY2(file.error.isEmpty(), qPrintable(file.error));
        QSet<QString> present;
        for (const TsMessage& m : file.messages)
            present.insert(m.key());
        QStringList missing;
        for (const TsMessage& m : m_scan.messages) {
            if (!present.contains(m.key()))
                missing << describe(m);
        }
        QStringList leftOver;
        for (const TsMessage& m : file.messages) {
            if (!scanned.contains(m.key()))
                leftOver << describe(m);
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(id + QStringLiteral(".ts lacks (run translations/update.py):\n") + missing.join('\n')));
        QVERIFY2(leftOver.isEmpty(),
                 qPrintable(id + QStringLiteral(".ts holds texts no longer in the sources:\n") + leftOver.join('\n')));
        QCOMPARE(file.messages.size(), m_scan.messages.size());
    }
}

QTEST_GUILESS_MAIN(TestTranslationFiles)

#include "tst_translation_files.moc"
