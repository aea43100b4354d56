#include "ilogger.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>

#include <opencv2/core/utility.hpp>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavdevice/avdevice.h>
#include <libavfilter/avfilter.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "iglobal.h"

extern const char* const g_build_id;

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

QString libraryVersion(const char* name, unsigned version)
{
    return QStringLiteral("%1 %2.%3.%4")
        .arg(QLatin1String(name))
        .arg(AV_VERSION_MAJOR(version))
        .arg(AV_VERSION_MINOR(version))
        .arg(AV_VERSION_MICRO(version));
}

QString environmentText(const char* name)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QStringLiteral("(unset)") : value;
}

void ffmpegLogCallback(void* object, int levelAndTint, const char* format, va_list arguments)
{
    // The second byte may carry a colour for the terminal.
    const int level = levelAndTint & 0xff;
    if (level > av_log_get_level())
        return;
    // FFmpeg sends a line in pieces; each thread gathers its own up to the newline.
    static thread_local QByteArray pending;
    static thread_local int printPrefix = 1;
    char chunk[1024];
    av_log_format_line2(object, levelAndTint, format, arguments, chunk, sizeof(chunk), &printPrefix);
    pending += chunk;
    if (!pending.endsWith('\n'))
        return;
    const QString line = QString::fromUtf8(pending).trimmed();
    pending.clear();
    if (line.isEmpty())
        return;
    // Qt's fatal level would abort: FFmpeg's worst is logged as critical.
    if (level <= AV_LOG_ERROR)
        qCritical().noquote() << "ffmpeg:" << line;
    else
        qWarning().noquote() << "ffmpeg:" << line;
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

void removeOldLogFiles(const QDate& today)
{
    const QDate oldestKept = today.addDays(-30);
    const QRegularExpression dayFile(QStringLiteral("^log_(\\d{8})\\.txt$"));
    QDir folder(logFolderPath());
    for (const QString& name : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = dayFile.match(name);
        if (!match.hasMatch())
            continue;
        const QDate day = QDate::fromString(match.captured(1), QStringLiteral("yyyyMMdd"));
        if (day.isValid() && day < oldestKept)
            folder.remove(name);
    }
}

QStringList startBanner()
{
    QStringList lines;
    lines << QStringLiteral("%1 %2 (build %3) started, process %4")
                 .arg(g_software_name, g_software_version, QLatin1String(g_build_id))
                 .arg(QCoreApplication::applicationPid());
    lines << QStringLiteral("Qt %1 (built with %2), platform %3")
                 .arg(QLatin1String(qVersion()), QLatin1String(QT_VERSION_STR), QGuiApplication::platformName());
    lines << QStringLiteral("FFmpeg %1: %2, %3, %4, %5, %6, %7, %8")
                 .arg(QLatin1String(av_version_info()), libraryVersion("libavutil", avutil_version()),
                      libraryVersion("libavcodec", avcodec_version()),
                      libraryVersion("libavformat", avformat_version()),
                      libraryVersion("libavdevice", avdevice_version()),
                      libraryVersion("libavfilter", avfilter_version()),
                      libraryVersion("libswscale", swscale_version()),
                      libraryVersion("libswresample", swresample_version()));
    lines << QStringLiteral("OpenCV %1").arg(QString::fromStdString(cv::getVersionString()));
    lines << QStringLiteral("system %1, kernel %2, %3")
                 .arg(QSysInfo::prettyProductName(), QSysInfo::kernelVersion(), QSysInfo::currentCpuArchitecture());
    lines << QStringLiteral("session %1, desktop %2")
                 .arg(environmentText("XDG_SESSION_TYPE"), environmentText("XDG_CURRENT_DESKTOP"));
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i) {
        const QScreen* screen = screens.at(i);
        const QRect geometry = screen->geometry();
        lines << QStringLiteral("screen %1 \"%2\"%3: %4x%5 at %6,%7, scale %8, %9 dpi")
                     .arg(i)
                     .arg(screen->name(), screen == QGuiApplication::primaryScreen() ? QStringLiteral(" (primary)")
                                                                                     : QString())
                     .arg(geometry.width())
                     .arg(geometry.height())
                     .arg(geometry.x())
                     .arg(geometry.y())
                     .arg(screen->devicePixelRatio())
                     .arg(screen->logicalDotsPerInch());
    }
    lines << QStringLiteral("locale %1, LANG %2").arg(QLocale::system().name(), environmentText("LANG"));
    return lines;
}

void logStartBanner()
{
    for (const QString& line : startBanner())
        qInfo().noquote() << line;
}

void installFFmpegLogHandler()
{
    av_log_set_level(AV_LOG_WARNING);
    av_log_set_callback(ffmpegLogCallback);
}
