#include "board/item/ielement.h"

#include <QCryptographicHash>
#include <QLocale>
#include <QStringList>
#include <QUuid>

using namespace TX_IBOARD_ENUM;

void IElement::setElementProperty(ElementStype key, const QVariant& value)
{
    switch (key) {
    case ELEMENT_FILE_PATH:
        setFilePath(value.toString());
        break;
    case ELEMENT_FILE_ID:
        setFileId(value.toString());
        break;
    case ELEMENT_TAG:
        setTag(value.toInt());
        break;
    case ELEMENT_TAG_DATA:
        setTagData(value);
        break;
    default:
        break;
    }
}

QVariant IElement::getElementProperty(ElementStype key) const
{
    switch (key) {
    case ELEMENT_FILE_PATH:
        return filePath();
    case ELEMENT_FILE_ID:
        return fileId();
    case ELEMENT_TAG:
        return tag();
    case ELEMENT_TAG_DATA:
        return tagData();
    default:
        return QVariant();
    }
}

QString createUuidString()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

static QString numberText(double value)
{
    // Shortest text that reads back to the same double, so a matrix survives the trip.
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString matrixToString(const QMatrix& m)
{
    return QStringLiteral("matrix(%1, %2, %3, %4, %5, %6)")
        .arg(numberText(m.m11()), numberText(m.m12()), numberText(m.m21()),
             numberText(m.m22()), numberText(m.dx()), numberText(m.dy()));
}

QMatrix stringToMatrix(const QString& text)
{
    const QString t = text.trimmed();
    if (!t.startsWith(QLatin1String("matrix(")) || !t.endsWith(QLatin1Char(')')))
        return QMatrix();
    const QStringList parts = t.mid(7, t.size() - 8).split(QLatin1Char(','));
    if (parts.size() != 6)
        return QMatrix();
    double v[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        v[i] = parts.at(i).trimmed().toDouble(&ok);
        if (!ok)
            return QMatrix();
    }
    return QMatrix(v[0], v[1], v[2], v[3], v[4], v[5]);
}

QString fileIdFromPath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    return QString::fromLatin1(
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Md5).toHex());
}
