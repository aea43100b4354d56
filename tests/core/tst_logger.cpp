#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include "coretests.h"
#include "iglobal.h"
#include "ilogger.h"

extern "C" {
#include <libavutil/avutil.h>
}

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

    // Day files older than 30 days go at start; other files stay.
    void dailyFiles()
    {
        QCOMPARE(QFileInfo(logFilePath(QDate(2023, 12, 31))).fileName(), QStringLiteral("log_20231231.txt"));
        QCOMPARE(QFileInfo(logFolderPath()).fileName(), QStringLiteral("other"));
        QVERIFY(logFolderPath().startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));

        const QDate today(2024, 3, 1);
        QVERIFY(QDir().mkpath(logFolderPath()));
        const QStringList kept{logFilePath(today), logFilePath(today.addDays(-30)), logFolderPath() + "/notes.txt"};
        for (const QString& path : kept + QStringList{logFilePath(today.addDays(-31)), logFilePath(QDate(2023, 1, 1))}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        removeOldLogFiles(today);
        QStringList left;
        for (const QFileInfo& info : QDir(logFolderPath()).entryInfoList(QDir::Files, QDir::Name))
            left << info.filePath();
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(left, expected);
    }

    // The folder is made when missing; the start banner, debug and warning lines all land
    // in the file.
    void writesDebugAndWarnings()
    {
        QVERIFY(!QFileInfo::exists(logFolderPath()));
        withHandler([] {
            logStartBanner();
            qDebug() << "first line";
            qWarning("a warning %d", 7);
            qInfo("some info");
        });
        QStringList lines = logLines();
        const int bannerSize = startBanner().size();
        QCOMPARE(lines.size(), bannerSize + 3);
        // What ran, with the versions of the libraries loaded, not those built against.
        const QString banner = lines.mid(0, bannerSize).join('\n');
        for (const QString& part :
             QStringList{"Ocumetra " + g_software_version + " (build ", "Qt " + QString(qVersion()) + " (built with",
              "platform " + QGuiApplication::platformName(), "FFmpeg " + QString(av_version_info()) + ": libavutil",
              "OpenCV 4.", QSysInfo::prettyProductName(), "session ", "screen 0 \"", ", scale 1, ", "locale "})
            QVERIFY2(banner.contains(part), qPrintable(part + " not in:\n" + banner));
        lines = lines.mid(bannerSize);
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
