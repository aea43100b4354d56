#include "service/isettingsvalues.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRect>
#include <QSize>
#include <QStandardPaths>
#include <QStringList>

#include <functional>

#include "iglobal.h"

using Entries = ISettingsText::Entries;

namespace {
const QStringList kLanguageIds = {
    QStringLiteral("1033"), QStringLiteral("2052"), QStringLiteral("1028"), QStringLiteral("1034"),
    QStringLiteral("1031"), QStringLiteral("1042"), QStringLiteral("1036"), QStringLiteral("1040"),
    QStringLiteral("1043"), QStringLiteral("1055"),
};
const QStringList kPhotoFormats = {QStringLiteral("jpeg"), QStringLiteral("png"), QStringLiteral("tiff"),
                                   QStringLiteral("bmp")};
const QStringList kVideoFormats = {QStringLiteral("mp4"), QStringLiteral("flv"), QStringLiteral("avi"),
                                   QStringLiteral("mov")};

// Defaults of the settings file.
const QString kDefaultLang = QStringLiteral("1033");
const QString kDefaultPhotoFormat = QStringLiteral("jpeg");
const QString kDefaultVideoFormat = QStringLiteral("mp4");
const QColor kDefaultPencilColor = QColor(Qt::red);
const int kDefaultPencilThickness = 3;
const int kDefaultPencilTransparent = 255;
const int kDefaultEraseSize = 30;
const QSize kDefaultResolution(1920, 1080);

// Longer than any path the system opens (PATH_MAX).
const int kMaxPathBytes = 4096;

QString boolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

// The trimmed text of a key; empty when it is missing or no text.
QString textOf(const Entries& raw, const QString& key)
{
    const auto it = raw.constFind(key);
    QString text;
    if (it == raw.constEnd() || !ISettingsText::plainValue(*it, &text))
        return QString();
    return text.trimmed();
}

// Each reader below gives the value in use and, when the file's value was taken,
// records it in taken as it will be written back.

// A folder: absolute and not an existing file. Its name is kept as it is, whatever
// characters a file name may hold (a TAB, a line break, spaces at the end).
QString readFolder(const Entries& raw, const QString& key, const QString& fallback, Entries& taken)
{
    const auto it = raw.constFind(key);
    QString value;
    if (it == raw.constEnd() || !ISettingsText::plainValue(*it, &value))
        return fallback;
    // Also refused without a look at the disk: a name too long for any path, and NUL,
    // which no file name holds.
    if (value.isEmpty() || QDir::isRelativePath(value) || value.contains(QChar(0))
        || QFile::encodeName(value).size() >= kMaxPathBytes)
        return fallback;
    // Looked at without the final "/", which a file would fail on as missing.
    const QFileInfo info(QDir::cleanPath(value));
    if (info.exists() && !info.isDir())
        return fallback;
    const QString folder = ISettingsValues::withFolderSlash(value);
    taken.insert(key, folder);
    return folder;
}

int readInt(const Entries& raw, const QString& key, int min, int max, int fallback, Entries& taken)
{
    bool ok = false;
    const int value = textOf(raw, key).toInt(&ok);
    if (!ok || value < min || value > max)
        return fallback;
    taken.insert(key, QString::number(value));
    return value;
}

QString readChoice(const Entries& raw, const QString& key, const QStringList& choices, const QString& fallback,
                   Entries& taken)
{
    const QString value = textOf(raw, key);
    if (!choices.contains(value))
        return fallback;
    taken.insert(key, value);
    return value;
}

QColor readColor(const Entries& raw, const QString& key, const QColor& fallback, Entries& taken)
{
    QColor color;
    // Older files hold a colour record; only its fixed-size colour part is decoded, never
    // a QVariant, whose loader trusts lengths.
    if (!ISettingsText::variantColor(raw.value(key), &color)) {
        const QString name = textOf(raw, key);
        // isValidColor first: QColor(name) warns about unknown names.
        if (!QColor::isValidColor(name))
            return fallback;
        color = QColor(name);
    }
    // Stored as #aarrggbb: what is kept is what reads back.
    color = QColor::fromRgba(color.rgba());
    taken.insert(key, color.name(QColor::HexArgb));
    return color;
}

bool readBool(const Entries& raw, const QString& key, bool fallback, Entries& taken)
{
    const QString value = textOf(raw, key).toLower();
    bool b = fallback;
    if (value == QLatin1String("true") || value == QLatin1String("1"))
        b = true;
    else if (value == QLatin1String("false") || value == QLatin1String("0"))
        b = false;
    else
        return fallback;
    taken.insert(key, boolText(b));
    return b;
}



const int kMaxSide = 16384;
}

namespace ISettingsValues {

bool isPhotoFormat(const QString& suffix)
{
    return kPhotoFormats.contains(suffix);
}

bool isVideoFormat(const QString& suffix)
{
    return kVideoFormats.contains(suffix);
}

QString withFolderSlash(const QString& path)
{
    if (path.isEmpty())
        return path;
    const QString clean = QDir::cleanPath(path);
    return clean.endsWith(QLatin1Char('/')) ? clean : clean + QLatin1Char('/');
}

QString defaultPhotoPath()
{
    return withFolderSlash(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + QLatin1Char('/')
                           + g_software_name);
}

QString defaultVideoPath()
{
    return withFolderSlash(QStandardPaths::writableLocation(QStandardPaths::MoviesLocation) + QLatin1Char('/')
                           + g_software_name);
}

Entries freeCaptureEntries(const QRect& rect)
{
    // An empty selection is none: written as the unset rectangle, all four zero.
    const QRect kept = rect.isEmpty() ? QRect(0, 0, 0, 0) : rect;
    return {
        {QStringLiteral("other/freecapture_x"), QString::number(kept.x())},
        {QStringLiteral("other/freecapture_y"), QString::number(kept.y())},
        {QStringLiteral("other/freecapture_w"), QString::number(kept.width())},
        {QStringLiteral("other/freecapture_h"), QString::number(kept.height())},
    };
}

Entries load(const QByteArray& text)
{
    const Entries raw = ISettingsText::parse(text);
    Entries taken;
    g_software_langid = readChoice(raw, QStringLiteral("lang/langid"), kLanguageIds, kDefaultLang, taken);
    g_photo_savepath = readFolder(raw, QStringLiteral("path/photo"), defaultPhotoPath(), taken);
    g_video_savepath = readFolder(raw, QStringLiteral("path/video"), defaultVideoPath(), taken);
    g_filedialog_path = readFolder(raw, QStringLiteral("path/filedialog"), g_photo_savepath, taken);
    g_photo_format = readChoice(raw, QStringLiteral("format/photo"), kPhotoFormats, kDefaultPhotoFormat, taken);
    g_video_format = readChoice(raw, QStringLiteral("format/video"), kVideoFormats, kDefaultVideoFormat, taken);
    g_pencil_color = readColor(raw, QStringLiteral("pencil/color"), kDefaultPencilColor, taken);
    g_pencil_thickness = readInt(raw, QStringLiteral("pencil/thickness"), 1, 100, kDefaultPencilThickness, taken);
    g_pencil_transparent =
        readInt(raw, QStringLiteral("pencil/transparent"), 0, 255, kDefaultPencilTransparent, taken);
    g_erase_size = readInt(raw, QStringLiteral("erase/size"), 1, 1000, kDefaultEraseSize, taken);

    // Pairs of keys count only together: half a size or rectangle is none.
    const auto takePair = [&](std::initializer_list<const char*> keys, std::function<bool(Entries&)> read) {
        Entries pair;
        if (read(pair)) {
            for (const char* key : keys)
                taken.insert(QLatin1String(key), pair.value(QLatin1String(key)));
        }
    };
    takePair({"cameraresolution/width", "cameraresolution/height"}, [&](Entries& pair) {
        const int width = readInt(raw, QStringLiteral("cameraresolution/width"), 1, kMaxSide, -1, pair);
        const int height = readInt(raw, QStringLiteral("cameraresolution/height"), 1, kMaxSide, -1, pair);
        const bool ok = width > 0 && height > 0;
        g_camera_resolution = ok ? QSize(width, height) : kDefaultResolution;
        return ok;
    });

    g_current_focus = readInt(raw, QStringLiteral("other/focus"), -1, 100, -1, taken);
    g_current_exposure = readInt(raw, QStringLiteral("other/exposure"), -1, 100, -1, taken);

    takePair({"other/freecapture_x", "other/freecapture_y", "other/freecapture_w", "other/freecapture_h"},
             [&](Entries& pair) {
                 const int x = readInt(raw, QStringLiteral("other/freecapture_x"), -kMaxSide, kMaxSide, 0, pair);
                 const int y = readInt(raw, QStringLiteral("other/freecapture_y"), -kMaxSide, kMaxSide, 0, pair);
                 const int w = readInt(raw, QStringLiteral("other/freecapture_w"), 0, kMaxSide, -1, pair);
                 const int h = readInt(raw, QStringLiteral("other/freecapture_h"), 0, kMaxSide, -1, pair);
                 // All four zero is the unset rectangle, as it is written.
                 const bool none = x == 0 && y == 0 && w == 0 && h == 0;
                 const bool ok = pair.size() == 4 && ((w > 0 && h > 0) || none);
                 g_freecapture_rect = ok && !none ? QRect(x, y, w, h) : QRect();
                 return ok;
             });

    g_photo_sound_enable = readBool(raw, QStringLiteral("photo/sound"), false, taken);
    return taken;
}

Entries current()
{
    Entries entries{
        {QStringLiteral("path/photo"), g_photo_savepath},
        {QStringLiteral("path/video"), g_video_savepath},
        {QStringLiteral("path/filedialog"), g_filedialog_path},
        {QStringLiteral("format/photo"), g_photo_format},
        {QStringLiteral("format/video"), g_video_format},
        {QStringLiteral("lang/langid"), g_software_langid},
        {QStringLiteral("pencil/color"), g_pencil_color.name(QColor::HexArgb)},
        {QStringLiteral("pencil/thickness"), QString::number(g_pencil_thickness)},
        {QStringLiteral("pencil/transparent"), QString::number(g_pencil_transparent)},
        {QStringLiteral("erase/size"), QString::number(g_erase_size)},
        {QStringLiteral("cameraresolution/width"), QString::number(g_camera_resolution.width())},
        {QStringLiteral("cameraresolution/height"), QString::number(g_camera_resolution.height())},
        {QStringLiteral("other/focus"), QString::number(g_current_focus)},
        {QStringLiteral("other/exposure"), QString::number(g_current_exposure)},
        {QStringLiteral("photo/sound"), boolText(g_photo_sound_enable)},
    };
    entries.insert(freeCaptureEntries(g_freecapture_rect));
    return entries;
}

}
