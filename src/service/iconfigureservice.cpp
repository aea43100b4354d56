#include "service/iconfigureservice.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include "board/iboard.h"
#include "board/widget/itimemsgbox.h"
#include "ifilewrite.h"
#include "iglobal.h"
#include "service/iboardservice.h"
#include "service/isettingstext.h"
#include "service/isettingsvalues.h"

using Entries = ISettingsText::Entries;

namespace {
void makeFolder(const QString& path)
{
    if (!path.isEmpty() && !QDir().mkpath(path))
        qWarning() << Q_FUNC_INFO << "cannot create folder" << path;
}

// A file the user or an administrator made read-only: no write bit at all counts too,
// since access() lets root write anything.
bool isReadOnlyFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::stat(name.constData(), &st) != 0)
        return false;
    return (st.st_mode & 0222) == 0 || ::access(name.constData(), W_OK) != 0;
}

// Far beyond what this program writes (under 1 KiB).
const qint64 kMaxFileBytes = 1024 * 1024;

QString boolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}
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

QString IConfigureService::defaultPhotoPath()
{
    return ISettingsValues::defaultPhotoPath();
}

QString IConfigureService::defaultVideoPath()
{
    return ISettingsValues::defaultVideoPath();
}

QString IConfigureService::configureFilePath() const
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/ini/application.ini");
}

void IConfigureService::readConfigure()
{
    const QString path = configureFilePath();
    QStringList notices;
    QByteArray data;
    bool readWhole = false;
    const QFileInfo info(path);
    const bool readOnly = info.exists() && isReadOnlyFile(path);
    if (info.exists() && info.size() > kMaxFileBytes) {
        // No settings file is ever this large: reading it would only slow every start.
        const QString aside = path + QStringLiteral(".bad");
        if (!readOnly && ::rename(QFile::encodeName(path).constData(), QFile::encodeName(aside).constData()) == 0) {
            qWarning() << Q_FUNC_INFO << "oversized settings set aside:" << aside << info.size() << "bytes";
            notices << tr("The settings file was too large to read. It was set aside as %1 and the default "
                          "settings are used.")
                           .arg(QDir::toNativeSeparators(aside));
        } else {
            qWarning() << Q_FUNC_INFO << "oversized settings ignored:" << path << info.size() << "bytes";
            notices << tr("The settings file is too large to read; the default settings are used.");
        }
    } else if (info.exists() && !info.isFile()) {
        // A pipe or a device would block or never end.
        qWarning() << Q_FUNC_INFO << "settings path is not a file, ignored:" << path;
    } else if (info.exists()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            data = file.read(kMaxFileBytes + 1);
            readWhole = file.error() == QFileDevice::NoError && data.size() <= kMaxFileBytes;
        }
        if (!readWhole) {
            qWarning() << Q_FUNC_INFO << "cannot read settings:" << path << file.errorString();
            data.clear();
        }
    }

    m_saved = ISettingsValues::load(data);
    if (readOnly) {
        qWarning() << Q_FUNC_INFO << "read-only settings file:" << path;
        if (!m_toldReadOnly)
            notices << tr("The settings file is read-only: changes to the settings will not be kept.");
        m_toldReadOnly = true;
    } else if (readWhole && ISettingsText::serialize(m_saved) != data) {
        // Damaged or unknown entries: write the values in use, so that what was
        // refused is neither read again nor carried on.
        qWarning() << Q_FUNC_INFO << "settings cleaned of damaged or unknown entries:" << path;
        writeConfigure();
    }

    // Snapshots and recordings are saved straight into these folders.
    makeFolder(g_photo_savepath);
    makeFolder(g_video_savepath);

    if (!notices.isEmpty())
        showNotice(notices.join(QLatin1Char('\n')));
}

bool IConfigureService::writeConfigure()
{
    return writeValues(ISettingsValues::current());
}

QString IConfigureService::photoPath() const
{
    return ISettingsValues::withFolderSlash(g_photo_savepath);
}

QString IConfigureService::videoPath() const
{
    return ISettingsValues::withFolderSlash(g_video_savepath);
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
    g_photo_savepath = ISettingsValues::withFolderSlash(path);
    writeValue(QStringLiteral("path/photo"), g_photo_savepath);
}

void IConfigureService::setVideoPath(const QString& path)
{
    g_video_savepath = ISettingsValues::withFolderSlash(path);
    writeValue(QStringLiteral("path/video"), g_video_savepath);
}

void IConfigureService::setPhotoFormat(const QString& suffix)
{
    if (!ISettingsValues::isPhotoFormat(suffix)) {
        qWarning() << Q_FUNC_INFO << "unknown picture format" << suffix;
        return;
    }
    g_photo_format = suffix;
    writeValue(QStringLiteral("format/photo"), g_photo_format);
}

void IConfigureService::setVideoFormat(const QString& suffix)
{
    if (!ISettingsValues::isVideoFormat(suffix)) {
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
        {QStringLiteral("cameraresolution/width"), QString::number(size.width())},
        {QStringLiteral("cameraresolution/height"), QString::number(size.height())},
    });
}

void IConfigureService::setPenciThickness(const int& thickness)
{
    g_pencil_thickness = thickness;
    IBoardService::instance()->modifyPencilThickness(thickness);
    writeValue(QStringLiteral("pencil/thickness"), QString::number(thickness));
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
    writeValue(QStringLiteral("pencil/transparent"), QString::number(transparent));
}

void IConfigureService::setEraseSize(const int& size)
{
    g_erase_size = size;
    IBoardService::instance()->modifyEraseSize(size);
    writeValue(QStringLiteral("erase/size"), QString::number(size));
}

void IConfigureService::setFiledialogPath(const QString& path)
{
    g_filedialog_path = ISettingsValues::withFolderSlash(path);
    writeValue(QStringLiteral("path/filedialog"), g_filedialog_path);
}

void IConfigureService::setFreeCaptureRect(const QRect& rect)
{
    g_freecapture_rect = rect;
    writeValues({
        {QStringLiteral("other/freecapture_x"), QString::number(rect.x())},
        {QStringLiteral("other/freecapture_y"), QString::number(rect.y())},
        {QStringLiteral("other/freecapture_w"), QString::number(rect.width())},
        {QStringLiteral("other/freecapture_h"), QString::number(rect.height())},
    });
}

void IConfigureService::setCurrentFocus(const int& value)
{
    g_current_focus = value;
    writeValue(QStringLiteral("other/focus"), QString::number(value));
}

void IConfigureService::setCurrentExposure(const int& value)
{
    g_current_exposure = value;
    writeValue(QStringLiteral("other/exposure"), QString::number(value));
}

void IConfigureService::setPhotoSoundEnable(const bool& on)
{
    g_photo_sound_enable = on;
    writeValue(QStringLiteral("photo/sound"), boolText(on));
}

bool IConfigureService::writeValue(const QString& key, const QString& value)
{
    return writeValues({{key, value}});
}

bool IConfigureService::writeValues(const Entries& values)
{
    const QString path = configureFilePath();
    // Only the values this program knows go out; nothing else in the file is kept.
    Entries next = m_saved;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        next.insert(it.key(), it.value());

    if (isReadOnlyFile(path)) {
        // The user's choice: the file is neither replaced nor made writable.
        qWarning() << Q_FUNC_INFO << "read-only settings file, not saved:" << path;
        if (!m_toldReadOnly)
            showNotice(tr("The settings file is read-only: changes to the settings will not be kept."));
        m_toldReadOnly = true;
        return false;
    }

    QDir().mkpath(QFileInfo(path).absolutePath());
    const QByteArray text = ISettingsText::serialize(next);
    QString error;
    // Written beside the file and renamed over it once it is whole on the disk.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        error = systemReasonText(file.errorString());
    else
        writeSaveFile(file, text, &error);
    if (!error.isEmpty()) {
        qCritical() << Q_FUNC_INFO << "settings not saved:" << path << error;
        if (!m_writeFailed)
            showNotice(tr("The settings could not be saved: %1").arg(error));
    } else {
        m_saved = next;
    }
    m_writeFailed = !error.isEmpty();
    return error.isEmpty();
}

void IConfigureService::showNotice(const QString& text)
{
    ITimeMsgBox::instance()->showMessageBox(text, ITimeMsgBox::readingTime(text, 3000), QPoint(-1000, -1000));
}
