#ifndef ICONFIGURESERVICE_H
#define ICONFIGURESERVICE_H

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

#include "service/iservice.h"
#include "service/isettingstext.h"

// The settings file "application.ini" under "ini/" in the application data folder,
// mirrored into the g_* globals. Each setter stores its global and writes the file.
class IConfigureService : public IService
{
    Q_OBJECT
public:
    static IConfigureService* instance();
    // Destroys the instance (before the application object goes).
    static void destroyInstance();

    QString configureFilePath() const;
    // Folders used when the settings name none (or an unusable one); each ends with "/".
    static QString defaultPhotoPath();
    static QString defaultVideoPath();

    // Never trusts the file: damaged or out-of-range values give their defaults, the
    // valid ones are kept, unknown keys are dropped (and the file tidied, unless its
    // folder cannot be written); an oversized file is set aside as "application.ini.bad"
    // (".bad.2" and on when that exists), and when it cannot be it is left alone for the
    // session like a read-only one: read (or not) and never written, the user told once.
    // When something that cannot be read stands in its place the user is told. Loads the
    // translation of the language read before anything is told or written.
    virtual void readConfigure();
    // Writes every value in use unless the file holds each of them as it is, or none
    // was changed since the file was read and its folder cannot be written; false
    // (logged, and a notice to the user) when the file could not be written whole or
    // is not to be written, and then the previous file is kept.
    virtual bool writeConfigure();

    QString photoPath() const;   // ends with "/"
    QString videoPath() const;   // ends with "/"
    QColor pencilColor() const;
    int pencilThickness() const;
    int pencilTransparent() const;
    int eraseSize() const;
    QSize cameraResolution() const;

    void setPhotoPath(const QString& path);
    void setVideoPath(const QString& path);
    void setPhotoFormat(const QString& suffix);
    void setVideoFormat(const QString& suffix);
    void setLang(const QString& langid);
    void setCameraResolution(const QSize& size);
    void setPenciThickness(const int& thickness);
    void setPencilColor(const QColor& color);
    void setPencilTransparent(const int& transparent);
    void setEraseSize(const int& size);
    void setFiledialogPath(const QString& path);
    void setFreeCaptureRect(const QRect& rect);
    void setCurrentFocus(const int& value);
    void setCurrentExposure(const int& value);
    void setPhotoSoundEnable(const bool& on);

private:
    explicit IConfigureService(QObject* parent = nullptr);
    bool writeValue(const QString& key, const QString& value);
    // Writes only when a value differs from the one in use as read or last saved.
    bool writeValues(const ISettingsText::Entries& values);
    bool writeFile(const ISettingsText::Entries& values);
    void showNotice(const QString& text);

    // What the file holds as far as this program knows: the base of every write.
    ISettingsText::Entries m_saved;
    // The values in use as the file gives them (its missing or refused ones at their
    // defaults), and as saved since.
    ISettingsText::Entries m_held;
    bool m_writeFailed = false;
    bool m_toldReadOnly = false;
    // An oversized file that could not be set aside: never replaced in this session.
    bool m_keepFile = false;

    static IConfigureService* s_instance;
};

#endif
