#ifndef TSFILE_H
#define TSFILE_H

#include <QString>
#include <QStringList>
#include <QVector>

// One message of a translation source file (.ts), as lupdate writes it.
struct TsMessage
{
    QString context;
    QString source;
    QString comment;
    QString type; // empty when finished; "unfinished", "obsolete" or "vanished" otherwise
    QStringList translations; // one entry, or one per plural form
    QString key() const { return context + QLatin1Char('\x1f') + source + QLatin1Char('\x1f') + comment; }
    QString describe() const { return context + QStringLiteral(": \"") + source + QLatin1Char('"'); }
};

struct TsFile
{
    QString language;
    QVector<TsMessage> messages;
    QString error; // empty when the file was read completely
};

TsFile readTsFile(const QString& path);

// The language ids of the program, the default first.
QStringList languageIds();
// The checked-in translation source of a language id.
QString tsPath(const QString& langid);

// True when the text holds Chinese characters.
bool hasHan(const QString& text);

#endif
