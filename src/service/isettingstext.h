#ifndef ISETTINGSTEXT_H
#define ISETTINGSTEXT_H

#include <QByteArray>
#include <QColor>
#include <QMap>
#include <QString>

// The settings file's ini text, read and written without QSettings: QSettings decodes
// "@Variant(...)" values through QDataStream, which a damaged file can crash. Files
// written here read back the same through QSettings' ini format, and files written by
// QSettings read the same here.
namespace ISettingsText {

// Key path ("section/key") to the value's text with the file's escapes undone. Values
// that QSettings marks with "@" keep their mark; plainValue() takes them apart.
using Entries = QMap<QString, QString>;

// The keys QSettings finds by their path once it has read the whole file, each with the
// value QSettings reads for it. Lines that cannot be read are skipped, and so are list
// values ("a, b"), which QSettings reads as no text.
Entries parse(const QByteArray& data);
// One "[section]" group a key path's first part, in key order.
QByteArray serialize(const Entries& entries);

// The text a value stands for; false for a value QSettings would not read as text
// ("@Variant(...)" and the other marked forms).
bool plainValue(const QString& value, QString* text);
// A colour stored by QSettings as "@Variant(...)" in any of QColor's models, the
// colour QColor itself reads from it; false when it is not exactly a colour record or
// holds no valid colour.
bool variantColor(const QString& value, QColor* color);

}

#endif
