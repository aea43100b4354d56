#include "service/iconfigureservice.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "board/iboard.h"
#include "board/widget/itimemsgbox.h"
#include "iglobal.h"
#include "service/iboardservice.h"

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

QString withSlash(const QString& path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

// A folder from the settings: absolute and not an existing file.
QString readFolder(const QSettings& s, const QString& key, const QString& fallback)
{
    const QString value = s.value(key).toString().trimmed();
    if (value.isEmpty() || QDir::isRelativePath(value))
        return fallback;
    const QFileInfo info(value);
    if (info.exists() && !info.isDir())
        return fallback;
    return withSlash(QDir::cleanPath(value));
}

int readInt(const QSettings& s, const QString& key, int min, int max, int fallback)
{
    bool ok = false;
    const int value = s.value(key).toString().trimmed().toInt(&ok);
    return (ok && value >= min && value <= max) ? value : fallback;
}

QString readChoice(const QSettings& s, const QString& key, const QStringList& choices, const QString& fallback)
{
    const QString value = s.value(key).toString().trimmed();
    return choices.contains(value) ? value : fallback;
}

QColor readColor(const QSettings& s, const QString& key, const QColor& fallback)
{
    const QVariant value = s.value(key);
    if (value.userType() == QMetaType::QColor) {
        const QColor c = value.value<QColor>();
        return c.isValid() ? c : fallback;
    }
    const QString name = value.toString().trimmed();
    // isValidColor first: QColor(name) warns about unknown names.
    return QColor::isValidColor(name) ? QColor(name) : fallback;
}

bool readBool(const QSettings& s, const QString& key, bool fallback)
{
    const QString value = s.value(key).toString().trimmed().toLower();
    if (value == QLatin1String("true") || value == QLatin1String("1"))
        return true;
    if (value == QLatin1String("false") || value == QLatin1String("0"))
        return false;
    return fallback;
}

void makeFolder(const QString& path)
{
    if (!path.isEmpty() && !QDir().mkpath(path))
        qWarning() << Q_FUNC_INFO << "cannot create folder" << path;
}

const int kMaxSide = 16384;
}

IConfigureService* IConfigureService::s_instance = nullptr;

IConfigureService::IConfigureService(QObject* parent)
    : IService(parent)
{
}

IConfigureService* IConfigureService::instance()
{
    if (!s_instance)
        s_instance = new IConfigureService;
    return s_instance;
}

void IConfigureService::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

QString IConfigureService::configureFilePath() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/ini/application.ini");
}

QString IConfigureService::defaultPhotoPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + QLatin1Char('/')
        + g_software_name + QLatin1Char('/');
}

QString IConfigureService::defaultVideoPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::MoviesLocation) + QLatin1Char('/')
        + g_software_name + QLatin1Char('/');
}

void IConfigureService::readConfigure()
{
    QSettings s(configureFilePath(), QSettings::IniFormat);
    g_software_langid = readChoice(s, QStringLiteral("lang/langid"), kLanguageIds, kDefaultLang);
    g_photo_savepath = readFolder(s, QStringLiteral("path/photo"), defaultPhotoPath());
    g_video_savepath = readFolder(s, QStringLiteral("path/video"), defaultVideoPath());
    g_filedialog_path = readFolder(s, QStringLiteral("path/filedialog"), g_photo_savepath);
    g_photo_format = readChoice(s, QStringLiteral("format/photo"), kPhotoFormats, kDefaultPhotoFormat);
    g_video_format = readChoice(s, QStringLiteral("format/video"), kVideoFormats, kDefaultVideoFormat);
    g_pencil_color = readColor(s, QStringLiteral("pencil/color"), kDefaultPencilColor);
    g_pencil_thickness = readInt(s, QStringLiteral("pencil/thickness"), 1, 100, kDefaultPencilThickness);
    g_pencil_transparent = readInt(s, QStringLiteral("pencil/transparent"), 0, 255, kDefaultPencilTransparent);
    g_erase_size = readInt(s, QStringLiteral("erase/size"), 1, 1000, kDefaultEraseSize);

    const int width = readInt(s, QStringLiteral("cameraresolution/width"), 1, kMaxSide, -1);
    const int height = readInt(s, QStringLiteral("cameraresolution/height"), 1, kMaxSide, -1);
    g_camera_resolution = (width > 0 && height > 0) ? QSize(width, height) : kDefaultResolution;

    g_current_focus = readInt(s, QStringLiteral("other/focus"), -1, 100, -1);
    g_current_exposure = readInt(s, QStringLiteral("other/exposure"), -1, 100, -1);

    const int x = readInt(s, QStringLiteral("other/freecapture_x"), -kMaxSide, kMaxSide, 0);
    const int y = readInt(s, QStringLiteral("other/freecapture_y"), -kMaxSide, kMaxSide, 0);
    const int w = readInt(s, QStringLiteral("other/freecapture_w"), 1, kMaxSide, 0);
    const int h = readInt(s, QStringLiteral("other/freecapture_h"), 1, kMaxSide, 0);
    g_freecapture_rect = (w > 0 && h > 0) ? QRect(x, y, w, h) : QRect();

    g_photo_sound_enable = readBool(s, QStringLiteral("photo/sound"), false);

    if (s.status() != QSettings::NoError) {
        // QSettings never writes over a file it could not parse: replace it with the
        // values now in use, or no change would be saved again.
        qWarning() << Q_FUNC_INFO << "corrupt settings replaced by defaults:" << configureFilePath();
        writeConfigure();
    }

    // Snapshots and recordings are saved straight into these folders.
    makeFolder(g_photo_savepath);
    makeFolder(g_video_savepath);
}

QList<QPair<QString, QVariant>> IConfigureService::allValues()
{
    return {
        {QStringLiteral("path/photo"), g_photo_savepath},
        {QStringLiteral("path/video"), g_video_savepath},
        {QStringLiteral("path/filedialog"), g_filedialog_path},
        {QStringLiteral("format/photo"), g_photo_format},
        {QStringLiteral("format/video"), g_video_format},
        {QStringLiteral("lang/langid"), g_software_langid},
        {QStringLiteral("pencil/color"), g_pencil_color.name(QColor::HexArgb)},
        {QStringLiteral("pencil/thickness"), g_pencil_thickness},
        {QStringLiteral("pencil/transparent"), g_pencil_transparent},
        {QStringLiteral("erase/size"), g_erase_size},
        {QStringLiteral("cameraresolution/width"), g_camera_resolution.width()},
        {QStringLiteral("cameraresolution/height"), g_camera_resolution.height()},
        {QStringLiteral("other/focus"), g_current_focus},
        {QStringLiteral("other/exposure"), g_current_exposure},
        {QStringLiteral("other/freecapture_x"), g_freecapture_rect.x()},
        {QStringLiteral("other/freecapture_y"), g_freecapture_rect.y()},
        {QStringLiteral("other/freecapture_w"), g_freecapture_rect.width()},
        {QStringLiteral("other/freecapture_h"), g_freecapture_rect.height()},
        {QStringLiteral("photo/sound"), g_photo_sound_enable},
    };
}

bool IConfigureService::writeConfigure()
{
    return writeValues(allValues());
}

QString IConfigureService::photoPath() const
{
    return withSlash(g_photo_savepath);
}

QString IConfigureService::videoPath() const
{
    return withSlash(g_video_savepath);
}

QColor IConfigureService::pencilColor() const
{
    return g_pencil_color;
}

int IConfigureService::pencilThickness() const
{
    return g_pencil_thickness;
}

int IConfigureService::pencilTransparent() const
{
    return g_pencil_transparent;
}

int IConfigureService::eraseSize() const
{
    return g_erase_size;
}

QSize IConfigureService::cameraResolution() const
{
    return g_camera_resolution;
}

void IConfigureService::setPhotoPath(const QString& path)
{
    g_photo_savepath = withSlash(path);
    writeValue(QStringLiteral("path/photo"), g_photo_savepath);
}

void IConfigureService::setVideoPath(const QString& path)
{
    g_video_savepath = withSlash(path);
    writeValue(QStringLiteral("path/video"), g_video_savepath);
}

void IConfigureService::setPhotoFormat(const QString& suffix)
{
    if (!kPhotoFormats.contains(suffix)) {
        qWarning() << Q_FUNC_INFO << "unknown picture format" << suffix;
        return;
    }
    g_photo_format = suffix;
    writeValue(QStringLiteral("format/photo"), g_photo_format);
}

void IConfigureService::setVideoFormat(const QString& suffix)
{
    if (!kVideoFormats.contains(suffix)) {
        qWarning() << Q_FUNC_INFO << "unknown video format" << suffix;
        return;
    }
    g_video_format = suffix;
    writeValue(QStringLiteral("format/video"), g_video_format);
}

void IConfigureService::setLang(const QString& langid)
{
    g_software_langid = langid;
    writeValue(QStringLiteral("lang/langid"), g_software_langid);
}

void IConfigureService::setCameraResolution(const QSize& size)
{
    if (size.width() <= 0 || size.height() <= 0) {
        qWarning() << Q_FUNC_INFO << "invalid resolution" << size;
        return;
    }
    g_camera_resolution = size;
    IBoard* shown = board() ? board() : IBoardService::instance()->board();
    if (shown)
        shown->setCameraResolution(QSizeF(size));
    writeValues({
        {QStringLiteral("cameraresolution/width"), size.width()},
        {QStringLiteral("cameraresolution/height"), size.height()},
    });
}

void IConfigureService::setPenciThickness(const int& thickness)
{
    g_pencil_thickness = thickness;
    IBoardService::instance()->modifyPencilThickness(thickness);
    writeValue(QStringLiteral("pencil/thickness"), thickness);
}

void IConfigureService::setPencilColor(const QColor& color)
{
    if (!color.isValid()) {
        qWarning() << Q_FUNC_INFO << "invalid colour";
        return;
    }
    g_pencil_color = color;
    IBoardService::instance()->modifyPencilColor(color);
    writeValue(QStringLiteral("pencil/color"), color.name(QColor::HexArgb));
}

void IConfigureService::setPencilTransparent(const int& transparent)
{
    g_pencil_transparent = transparent;
    IBoardService::instance()->modifyPencilOpacity(transparent);
    writeValue(QStringLiteral("pencil/transparent"), transparent);
}

void IConfigureService::setEraseSize(const int& size)
{
    g_erase_size = size;
    IBoardService::instance()->modifyEraseSize(size);
    writeValue(QStringLiteral("erase/size"), size);
}

void IConfigureService::setFiledialogPath(const QString& path)
{
    g_filedialog_path = withSlash(path);
    writeValue(QStringLiteral("path/filedialog"), g_filedialog_path);
}

void IConfigureService::setFreeCaptureRect(const QRect& rect)
{
    g_freecapture_rect = rect;
    writeValues({
        {QStringLiteral("other/freecapture_x"), rect.x()},
        {QStringLiteral("other/freecapture_y"), rect.y()},
        {QStringLiteral("other/freecapture_w"), rect.width()},
        {QStringLiteral("other/freecapture_h"), rect.height()},
    });
}

void IConfigureService::setCurrentFocus(const int& value)
{
    g_current_focus = value;
    writeValue(QStringLiteral("other/focus"), value);
}

void IConfigureService::setCurrentExposure(const int& value)
{
    g_current_exposure = value;
    writeValue(QStringLiteral("other/exposure"), value);
}

void IConfigureService::setPhotoSoundEnable(const bool& on)
{
    g_photo_sound_enable = on;
    writeValue(QStringLiteral("photo/sound"), on);
}

bool IConfigureService::writeValue(const QString& key, const QVariant& value)
{
    return writeValues({{key, value}});
}

bool IConfigureService::writeValues(const QList<QPair<QString, QVariant>>& values)
{
    const QString path = configureFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    // QSettings commits its file even when the final flush failed (a full disk), which
    // would put a truncated file in place of the settings. So the whole file is written
    // beside it, checked, and only then renamed over it.
    const QString next = path + QStringLiteral(".new");
    QFile::remove(next);
    int keys = 0;
    QString error;
    {
        const QSettings current(path, QSettings::IniFormat);
        QSettings s(next, QSettings::IniFormat);
        if (current.status() == QSettings::NoError) {
            for (const QString& key : current.allKeys())
                s.setValue(key, current.value(key));
        } else {
            // Unreadable: start afresh from every value in use.
            for (const auto& kv : allValues())
                s.setValue(kv.first, kv.second);
        }
        for (const auto& kv : values)
            s.setValue(kv.first, kv.second);
        s.sync();
        keys = s.allKeys().size();
        if (s.status() != QSettings::NoError)
            error = tr("cannot write %1").arg(next);
    }
    if (error.isEmpty())
        error = checkWrittenSettings(next, keys);
    if (error.isEmpty() && ::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()) != 0)
        error = QString::fromLocal8Bit(std::strerror(errno));
    if (!error.isEmpty()) {
        QFile::remove(next);
        qCritical() << Q_FUNC_INFO << "settings not saved:" << path << error;
        if (!m_writeFailed)
            ITimeMsgBox::instance()->showMessageBox(tr("The settings could not be saved: %1").arg(error), 3000,
                                                    QPoint(-1000, -1000));
    }
    m_writeFailed = !error.isEmpty();
    return error.isEmpty();
}

QString IConfigureService::checkWrittenSettings(const QString& path, int keys)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    // Durable before it replaces the old file.
    if (::fsync(file.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const QByteArray data = file.readAll();
    // One "key=value" line per key, the last one ended: anything less is a cut-off file.
    int lines = 0;
    for (const QByteArray& line : data.split('\n')) {
        const QByteArray t = line.trimmed();
        if (!t.isEmpty() && !t.startsWith('[') && !t.startsWith(';') && t.contains('='))
            ++lines;
    }
    if (lines != keys || (keys > 0 && !data.endsWith('\n')))
        return QStringLiteral("the file was cut off (%1 of %2 values written)").arg(lines).arg(keys);
    return QString();
}
