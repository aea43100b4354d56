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
    // valid ones are kept, unknown keys are dropped; an oversized file is set aside as
    // "application.ini.bad" (".bad.2" and on when that exists), a read-only one is read
    // and never written (the user is told once), and when something that cannot be read
    // stands in its place the user is told. Loads the translation of the language read
    // before anything is told or written.
    virtual void readConfigure();
    // Writes every value in use; false (logged, and a notice to the user) when the
    // file could not be written whole, and then the previous file is kept.
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
    bool writeValues(const ISettingsText::Entries& values);
    void showNotice(const QString& text);

    // What the file holds as far as this program knows: the base of every write.
    ISettingsText::Entries m_saved;
    bool m_writeFailed = false;
    bool m_toldReadOnly = false;

    static IConfigureService* s_instance;
};

#endif
