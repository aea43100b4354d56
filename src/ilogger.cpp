#include "ilogger.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

namespace {
QString levelText(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return QStringLiteral("Debug:");
    case QtWarningMsg:
        return QStringLiteral("Warning:");
    case QtCriticalMsg:
        return QStringLiteral("Critical:");
    case QtFatalMsg:
        return QStringLiteral("Fatal:");
    case QtInfoMsg:
        break;
    }
    return QString();
}

QMutex& logMutex()
{
    static QMutex mutex;
    return mutex;
}
}

QString formatLogLine(QtMsgType type, const QMessageLogContext& context, const QString& msg,
                      const QDateTime& when)
{
    const QString stamp = QStringLiteral("(%1)").arg(when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss zzz")));
    const QString where = QStringLiteral("File:(%1) Line:(%2) Function(%3)")
                              .arg(QString::fromUtf8(context.file), QString::number(context.line),
                                   QString::fromUtf8(context.function));
    // One multi-argument arg(): a "%1" inside the message stays as it is.
    return QStringLiteral("%1 %2 %3    %4").arg(stamp, levelText(type), msg, where) + QStringLiteral("\r\n");
}

QString logFolderPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/other");
}

QString logFilePath(const QDate& day)
{
    return logFolderPath() + QStringLiteral("/log_%1.txt").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

void outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray line = formatLogLine(type, context, msg, now).toUtf8();

    // A message raised while writing one would deadlock on the mutex: drop it.
    static thread_local bool writing = false;
    if (writing)
        return;
    writing = true;
    QMutexLocker lock(&logMutex());
    // Opened per line: a day change or a removed folder never loses messages.
    QDir().mkpath(logFolderPath());
    QFile file(logFilePath(now.date()));
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line);
    writing = false;
}
