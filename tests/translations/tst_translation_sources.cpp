// Stale translation files: every text of the sources, as lupdate finds it, is in every
// language's file, and nothing else is. When this fails, run translations/update.py.

#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include "tsfile.h"

namespace {
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

class TestTranslationSources : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void filesFollowSources();

private:
    TsFile m_scan;
};

void TestTranslationSources::initTestCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString error;
    m_scan = scanSources(dir.path(), &error);
    QVERIFY2(error.isEmpty() && m_scan.error.isEmpty(), qPrintable(error + m_scan.error));
    // The program has well over a hundred texts; far fewer means lupdate missed the sources.
    QVERIFY2(m_scan.messages.size() > 100, qPrintable(QString::number(m_scan.messages.size())));
}

// Stale files: a text added to or changed in the sources without running
// translations/update.py is missing here, a removed one is left over.
void TestTranslationSources::filesFollowSources()
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
                missing << m.describe();
        }
        QStringList leftOver;
        for (const TsMessage& m : file.messages) {
            if (!scanned.contains(m.key()))
                leftOver << m.describe();
        }
        QVERIFY2(missing.isEmpty(),
                 qPrintable(id + QStringLiteral(".ts lacks (run translations/update.py):\n") + missing.join('\n')));
        QVERIFY2(leftOver.isEmpty(),
                 qPrintable(id + QStringLiteral(".ts holds texts no longer in the sources:\n") + leftOver.join('\n')));
        QCOMPARE(file.messages.size(), m_scan.messages.size());
    }
}

QTEST_GUILESS_MAIN(TestTranslationSources)

#include "tst_translation_sources.moc"
