#ifndef IRECORDVIDEO_H
#define IRECORDVIDEO_H

#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

class QFile;
class QProcess;

// Records the screen (or a rectangle of it) with sound by running the ffmpeg program:
// one segment file per stretch between start (or resume) and pause, listed in a text
// file and joined at the stop with ffmpeg's concat demuxer.
class IRecordVideo : public QObject
{
    Q_OBJECT
public:
    static IRecordVideo* instance();
    static void destroyInstance();

    // The macOS device listing: the screen's and the last audio device's index.
    struct Devices
    {
        QString video;
        QString audio;
    };
    static Devices parseDeviceListing(const QString& text, const Devices& current);
    // The ffmpeg program: the bundled one under the application folder, else the one on
    // the PATH; empty when there is none.
    static QString ffmpegProgram();

    virtual bool startRecordVideo(QString path, QRect rect);
    virtual void pauseRecordVideo();
    virtual void stopRecordVideo();
    virtual void initData();
    virtual void destoryRecord();
    virtual void deleteCacheFile();
    virtual void mergeVideo();
    virtual QProcess* createRecordQProcess();
    virtual QStringList getConcatVideoCommand(const QString& list, const QString& output);
    virtual QStringList getRecordVideoCommand(const QString& segment);
    virtual QStringList getRecordVideoCommandForUnix(const QString& segment);
    virtual QStringList getRecordVideoCommandForMacx(const QString& segment);

    bool isRecording() const { return m_recording; }
    QString cacheFolder() const { return m_cacheFolder; }
    QString listFilePath() const;
    QRect recordRect() const { return QRect(m_x, m_y, m_width, m_height); }

signals:
    void sgRecordVideo(QString path);
    // A segment or the join failed; nothing was saved.
    void sgRecordFailed(QString reason);

protected:
    explicit IRecordVideo(QObject* parent = nullptr);
    ~IRecordVideo() override;

private:
    bool endSegment();
    void failRecording(const QString& reason);

    bool m_recording = false;
    QFile* m_listFile = nullptr;
    QString m_deviceListText;
    QProcess* m_segmentProcess = nullptr;
    QString m_videoCodec;
    QString m_audioCodec;
    QString m_videoInput;
    QString m_audioInput;
    QString m_audioFormat; // Linux: "pulse" or "alsa"; empty records no sound
    QString m_outputPath;
    QString m_cacheFolder;
    int m_frameRate = 0;
    int m_x = 0;
    int m_y = 0;
    int m_width = -1;
    int m_height = -1;
    bool m_joining = false;

    static IRecordVideo* s_instance;
};

#endif
