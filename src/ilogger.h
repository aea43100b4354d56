#ifndef ILOGGER_H
#define ILOGGER_H

#include <QDate>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The message handler main() installs: every debug, info, warning, critical and fatal
// message is appended as one line to the day's log file.
void outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);

// The log line for a message, CR LF included.
QString formatLogLine(QtMsgType type, const QMessageLogContext& context, const QString& msg,
                      const QDateTime& when);

// "<application data>/other", where the daily files go.
QString logFolderPath();
// The log file of a day: "<folder>/log_yyyyMMdd.txt".
QString logFilePath(const QDate& day = QDate::currentDate());

// Removes the day files dated more than 30 days before today.
void removeOldLogFiles(const QDate& today = QDate::currentDate());

// What ran: program, libraries, system, session, screens and locale, one line each.
// Needs the application object.
QStringList startBanner();
void logStartBanner();

// Routes FFmpeg's own messages (warnings and worse) into the Qt message stream, so that
// a failure's reason reaches the log and not only stderr.
void installFFmpegLogHandler();

#endif
