#include "tsfile.h"

#include <QFile>
#include <QXmlStreamReader>

namespace {
void readMessage(QXmlStreamReader& xml, const QString& context, TsFile& file)
{
    TsMessage message;
    message.context = context;
    const bool numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (numerus) {
                while (xml.readNextStartElement()) {
                    if (xml.name() == QLatin1String("numerusform"))
                        message.translations << xml.readElementText();
                    else
                        xml.skipCurrentElement();
                }
            } else {
                message.translations << xml.readElementText();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    file.messages << message;
}
}

TsFile readTsFile(const QString& path)
{
    TsFile file;
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        file.error = in.errorString();
        return file;
    }
    QXmlStreamReader xml(&in);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("TS")) {
        file.error = QStringLiteral("not a TS file");
        return file;
    }
    file.language = xml.attributes().value(QLatin1String("language")).toString();
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("context")) {
            xml.skipCurrentElement();
            continue;
        }
        QString context;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("message"))
                readMessage(xml, context, file);
            else
                xml.skipCurrentElement();
        }
    }
    if (xml.hasError())
        file.error = xml.errorString();
    return file;
}

QStringList languageIds()
{
    return {QStringLiteral("1033"), QStringLiteral("2052"), QStringLiteral("1028"), QStringLiteral("1034"),
            QStringLiteral("1031"), QStringLiteral("1042"), QStringLiteral("1036"), QStringLiteral("1040"),
            QStringLiteral("1043"), QStringLiteral("1055")};
}

QString tsPath(const QString& langid)
{
    return QStringLiteral(OCUMETRA_SOURCE_ROOT "/translations/%1.ts").arg(langid);
}

bool hasHan(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x3400 && c.unicode() <= 0x9fff)
            return true;
    }
    return false;
}
