#ifndef ILOGGER_H
#define ILOGGER_H

#include <QDate>
#include <QString>
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

#endif
