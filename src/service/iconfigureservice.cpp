#include "service/iconfigureservice.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "board/iboard.h"
#include "board/widget/itimemsgbox.h"
#include "ifilewrite.h"
#include "iglobal.h"
#include "itranslation.h"
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

// The file QSaveFile replaces for path: a link's target, followed as QSaveFile follows it.
QString replacedFile(const QString& path)
{
    QFileInfo file(path);
    for (int depth = 0; depth < 128 && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.absoluteFilePath();
}

// Whether the file can be replaced, which QSaveFile does by renaming a file written in
// its folder (the folder of a link's target) over it. Asked for this thread's effective
// user and capabilities: access() asks for the real user, and for root ignores dropped
// capabilities. A folder not made yet is made in its nearest existing ancestor.
bool canReplaceFile(const QString& path)
{
    QString folder = QFileInfo(replacedFile(path)).absolutePath();
    struct stat st;
    while (::stat(QFile::encodeName(folder).constData(), &st) != 0 && errno == ENOENT) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

// Far beyond what this program writes (under 1 KiB).
const qint64 kMaxFileBytes = 1024 * 1024;

QString boolText(bool b)
{
    return b ? QStringLiteral("true") : QStringLiteral("false");
}

// Moves the file to the first free name of "<file>.bad", "<file>.bad.2", ...: a copy set
// aside before is never replaced. Returns the new name, or empty when it stayed; then
// *err is the system's reason (EEXIST when every name is taken).
QString setAside(const QString& path, int* err)
{
    const QByteArray from = QFile::encodeName(path);
    *err = EEXIST;
    for (int n = 1; n <= 1000; ++n) {
        const QString aside = path + QStringLiteral(".bad") + (n == 1 ? QString() : QStringLiteral(".%1").arg(n));
        const QByteArray to = QFile::encodeName(aside);
        if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
            return aside;
        if (errno == EINVAL || errno == ENOSYS) {
            // A file system that cannot rename without replacing: look first.
            struct stat st;
            if (::lstat(to.constData(), &st) == 0)
                continue;
            if (::rename(from.constData(), to.constData()) == 0)
                return aside;
        }
        if (errno != EEXIST) {
            *err = errno;
            break;
        }
    }
    return QString();
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
    const QByteArray name = QFile::encodeName(path);
    QByteArray data;
    bool readWhole = false;
    bool unreadable = false;
    bool oversized = false;
    QString aside;
    int asideError = 0;
    struct stat st;
    const bool exists = ::stat(name.constData(), &st) == 0;
    const bool readOnly = exists && isReadOnlyFile(path);
    if (!exists) {
        // Nothing there (a dangling link neither) is a first start; anything else that
        // cannot even be looked at (a link loop, a folder not open to us) is unreadable.
        unreadable = errno != ENOENT && errno != ENOTDIR;
        if (unreadable)
            qWarning() << Q_FUNC_INFO << "cannot look at settings:" << path << strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        // A pipe or a device would block or never end; a folder holds no settings.
        qWarning() << Q_FUNC_INFO << "settings path is not a file, ignored:" << path;
        unreadable = true;
    } else if (st.st_size > kMaxFileBytes) {
        // No settings file is ever this large: reading it would only slow every start.
        oversized = true;
        aside = readOnly ? QString() : setAside(path, &asideError);
        if (!aside.isEmpty())
            qWarning() << Q_FUNC_INFO << "oversized settings set aside:" << aside << qint64(st.st_size) << "bytes";
        else
            qWarning() << Q_FUNC_INFO << "oversized settings ignored:" << path << qint64(st.st_size) << "bytes"
                       << (readOnly ? "read-only" : strerror(asideError));
    } else {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            data = file.read(kMaxFileBytes + 1);
            readWhole = file.error() == QFileDevice::NoError && data.size() <= kMaxFileBytes;
        }
        if (!readWhole) {
            qWarning() << Q_FUNC_INFO << "cannot read settings:" << path << file.errorString();
            data.clear();
            unreadable = true;
        }
    }

    m_saved = ISettingsValues::load(data);
    m_held = ISettingsValues::current();
    // Replacing it would lose the user's only copy.
    m_keepFile = oversized && aside.isEmpty();
    // Whatever is told or written from here on (Qt's reasons for a failed write too)
    // reads in the user's language.
    ITranslation::install(g_software_langid);

    QStringList notices;
    if (oversized && !aside.isEmpty()) {
        notices << tr("The settings file was too large to read. It was set aside as %1 and the default "
                      "settings are used.")
                       .arg(QDir::toNativeSeparators(aside));
    } else if (oversized && readOnly) {
        notices << tr("The settings file is too large to read; the default settings are used.");
    } else if (oversized) {
        notices << tr("The settings file is too large to read and could not be set aside (%1). The default "
                      "settings are used, and the file is left as it is: changes to the settings will not be "
                      "kept until the program is started again.")
                       .arg(systemReasonText(qt_error_string(asideError)));
    } else if (unreadable) {
        notices << tr("The settings file %1 cannot be read; the default settings are used.")
                       .arg(QDir::toNativeSeparators(path));
    }
    if (readOnly) {
        qWarning() << Q_FUNC_INFO << "read-only settings file:" << path;
        if (!m_toldReadOnly)
            notices << tr("The settings file is read-only: changes to the settings will not be kept.");
        m_toldReadOnly = true;
    } else if (readWhole && ISettingsText::serialize(m_saved) != data) {
        // Damaged or unknown entries: write the values in use, so that what was
        // refused is neither read again nor carried on. Tidying is no change of the
        // user's: where it must fail it is not tried, and nothing is told.
        if (canReplaceFile(path)) {
            qWarning() << Q_FUNC_INFO << "settings cleaned of damaged or unknown entries:" << path;
            writeFile(m_held);
        } else {
            qWarning() << Q_FUNC_INFO << "settings folder not writable, damaged or unknown entries left:" << path;
        }
    }

    // Snapshots and recordings are saved straight into these folders.
    makeFolder(g_photo_savepath);
    makeFolder(g_video_savepath);

    if (!notices.isEmpty())
        showNotice(notices.join(QLatin1Char('\n')));
}

bool IConfigureService::writeConfigure()
{
    // A file that holds every value in use as it is is left alone, time stamp and all.
    const Entries values = ISettingsValues::current();
    if (values == m_saved)
        return true;
    // Only the file differs from what is in use (a key it lacks): no change of the
    // user's to lose where it cannot be written.
    if (values == m_held && !canReplaceFile(configureFilePath())) {
        qWarning() << Q_FUNC_INFO << "settings folder not writable, unchanged settings not saved";
        return true;
    }
    return writeFile(values);
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
    writeValues(ISettingsValues::freeCaptureEntries(rect));
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
    bool changed = false;
    for (auto it = values.cbegin(); it != values.cend() && !changed; ++it)
        changed = m_held.value(it.key()) != it.value();
    // Presetting a panel with the value in use is no change, even where the file holds
    // no value and the default is in use.
    return !changed || writeFile(values);
}

bool IConfigureService::writeFile(const Entries& values)
{
    const QString path = configureFilePath();
    if (m_keepFile) {
        qWarning() << Q_FUNC_INFO << "oversized settings file kept, not saved:" << path;
        return false;
    }
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

    // The folder the file is written in: a link's target may point into one not made yet.
    QDir().mkpath(QFileInfo(replacedFile(path)).absolutePath());
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
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            m_held.insert(it.key(), it.value());
    }
    m_writeFailed = !error.isEmpty();
    return error.isEmpty();
}

void IConfigureService::showNotice(const QString& text)
{
    ITimeMsgBox::instance()->showNotice(text, ITimeMsgBox::readingTime(text, 3000));
}
