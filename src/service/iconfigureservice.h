#ifndef ICONFIGURESERVICE_H
#define ICONFIGURESERVICE_H

#include <QColor>
#include <QList>
#include <QPair>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVariant>

#include "service/iservice.h"

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
    bool writeValue(const QString& key, const QVariant& value);
    bool writeValues(const QList<QPair<QString, QVariant>>& values);
    static QList<QPair<QString, QVariant>> allValues();
    // Empty when the file at path holds keys complete values; otherwise why not.
    static QString checkWrittenSettings(const QString& path, int keys);

    bool m_writeFailed = false;

    static IConfigureService* s_instance;
};

#endif
