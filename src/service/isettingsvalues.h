#ifndef ISETTINGSVALUES_H
#define ISETTINGSVALUES_H

#include <QByteArray>
#include <QRect>
#include <QString>

#include "service/isettingstext.h"

// The values of the settings file and the g_* globals that mirror them, apart from the
// disk: every value read is checked, and a damaged, out-of-range or unknown one never
// reaches a global.
namespace ISettingsValues {

// Fills the g_* globals from settings text: each value the text holds well is taken,
// every other one gets its default. Returns the entries taken, as they are written.
ISettingsText::Entries load(const QByteArray& text);
// The entries written for the values in use.
ISettingsText::Entries current();

// The free-capture rectangle's four keys as they are written.
ISettingsText::Entries freeCaptureEntries(const QRect& rect);

// Folders used when the settings name none (or an unusable one); each ends with "/".
QString defaultPhotoPath();
QString defaultVideoPath();
// A folder as it is kept and written: clean, ending with "/" (empty stays empty).
QString withFolderSlash(const QString& path);
bool isPhotoFormat(const QString& suffix);
bool isVideoFormat(const QString& suffix);

}

#endif
