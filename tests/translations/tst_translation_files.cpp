// The translation sources: every message in every language has a usable translation.

#include <QRegularExpression>
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


}

class TestTranslationFiles : public QObject
{
    Q_OBJECT
private slots:
    void everyMessageTranslated_data();
    void everyMessageTranslated();
};

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
            faults << m.describe() + QStringLiteral(" is ") + m.type;
            continue;
        }
        if (m.translations.isEmpty())
            faults << m.describe() + QStringLiteral(" has no translation");
        for (const QString& t : m.translations) {
            if (t.trimmed().isEmpty())
                faults << m.describe() + QStringLiteral(" translates to nothing");
            if (placeholders(t) != placeholders(m.source))
                faults << m.describe() + QStringLiteral(" loses or adds a placeholder: ") + t;
            if (filterPatterns(t) != filterPatterns(m.source) || t.count(QLatin1String(";;")) != m.source.count(QLatin1String(";;")))
                faults << m.describe() + QStringLiteral(" changes the file filter: ") + t;
            if (t.count(QLatin1Char('\n')) != m.source.count(QLatin1Char('\n')))
                faults << m.describe() + QStringLiteral(" changes the line breaks: ") + t;
            // Labels such as "Contrast " are followed by a value.
            if (m.source.endsWith(QLatin1Char(' ')) != t.endsWith(QLatin1Char(' ')))
                faults << m.describe() + QStringLiteral(" changes the trailing space: ") + t;
            if (!chinese && hasHan(t))
                faults << m.describe() + QStringLiteral(" keeps Chinese text: ") + t;
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslationFiles)

#include "tst_translation_files.moc"
