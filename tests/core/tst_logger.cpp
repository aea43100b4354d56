#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include "coretests.h"
#include "ilogger.h"

class TestLogger : public QObject
{
    Q_OBJECT

    static QStringList logLines()
    {
        QFile f(logFilePath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QString text = QString::fromUtf8(f.readAll());
        QStringList lines = text.split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    // Logs through the installed handler, then gives Qt Test its own handler back.
    template <typename F>
    static void withHandler(F log)
    {
        const QtMessageHandler previous = qInstallMessageHandler(outputMessage);
        log();
        qInstallMessageHandler(previous);
    }

private slots:
    void init()
    {
        QDir(logFolderPath()).removeRecursively();
    }

    void lineFormat_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("level");
        QTest::newRow("debug") << int(QtDebugMsg) << "Debug:";
        QTest::newRow("warning") << int(QtWarningMsg) << "Warning:";
        QTest::newRow("critical") << int(QtCriticalMsg) << "Critical:";
        QTest::newRow("fatal") << int(QtFatalMsg) << "Fatal:";
        QTest::newRow("info") << int(QtInfoMsg) << "";
    }
    void lineFormat()
    {
        QFETCH(int, type);
        QFETCH(QString, level);
        const QMessageLogContext context("board/iboard.cpp", 42, "void IBoard::reset()", "default");
        const QDateTime when(QDate(2024, 3, 7), QTime(9, 5, 4, 7));
        const QString line = formatLogLine(QtMsgType(type), context, "size 100%1 %2", when);
        QCOMPARE(line, "(2024-03-07 09:05:04 007) " + level + " size 100%1 %2    "
                       "File:(board/iboard.cpp) Line:(42) Function(void IBoard::reset())\r\n");
    }

    void dailyFileName()
    {
        QCOMPARE(QFileInfo(logFilePath(QDate(2023, 12, 31))).fileName(), QStringLiteral("log_20231231.txt"));
        QCOMPARE(QFileInfo(logFolderPath()).fileName(), QStringLiteral("other"));
        QVERIFY(logFolderPath().startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    }

    // The folder is made when missing; debug and warning lines both land in the file.
    void writesDebugAndWarnings()
    {
        QVERIFY(!QFileInfo::exists(logFolderPath()));
        withHandler([] {
            qDebug() << "first line";
            qWarning("a warning %d", 7);
            qInfo("some info");
        });
        const QStringList lines = logLines();
        QCOMPARE(lines.size(), 3);
        const QRegularExpression shape(QStringLiteral(
            "^\\(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d \\d{3}\\) (Debug:|Warning:|) .* {4}File:\\(.*\\) Line:\\(\\d+\\) Function\\(.*\\)$"));
        for (const QString& l : lines)
            QVERIFY2(shape.match(l).hasMatch(), qPrintable(l));
        QVERIFY(lines[0].contains(" Debug: first line    File:("));
        QVERIFY(lines[1].contains(" Warning: a warning 7    File:("));
        QVERIFY(lines[2].contains(")  some info    File:("));
        QVERIFY(lines[0].startsWith("(" + QDate::currentDate().toString("yyyy-MM-dd")));
    }

    // Threads logging at once never interleave within a line.
    void concurrentWriters()
    {
        const int threads = 4;
        const int perThread = 250;
        withHandler([&] {
            QList<QThread*> workers;
            for (int t = 0; t < threads; ++t) {
                workers << QThread::create([t] {
                    for (int i = 0; i < perThread; ++i)
                        qDebug("thread %d line %d end", t, i);
                });
                workers.last()->start();
            }
            for (QThread* w : workers) {
                w->wait();
                delete w;
            }
        });
        const QStringList lines = logLines();
        QCOMPARE(lines.size(), threads * perThread);
        const QRegularExpression shape(QStringLiteral("^\\(.{23}\\) Debug: thread \\d line \\d+ end    File:.*\\)$"));
        for (const QString& l : lines)
            QVERIFY2(shape.match(l).hasMatch(), qPrintable(l));
    }
};

OCUMETRA_CORE_TEST(TestLogger);
#include "tst_logger.moc"
