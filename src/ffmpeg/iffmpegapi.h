#ifndef IFFMPEGAPI_H
#define IFFMPEGAPI_H

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <memory>

class IPictureVynthesisVideo;

// The recorder: the one entry point for turning time-lapse shots into a video.
// Process-wide; created on first use and destroyed before the application object.
class IFFmpegApi : public QObject
{
    Q_OBJECT
public:
    static IFFmpegApi* instance();
    // Stops a running time-lapse (its file is finalised) and deletes the recorder.
    static void destroyInstance();

    virtual bool initData();
    virtual void destoryRecord();
    // Starts a time-lapse video of that frame size and rate in the folder. Returns false
    // when the frame rate is below 1 or the size is smaller than 2x2.
    virtual bool startPictureVynthesisVideo(const QString& path, const QSize& size, const int& fps);
    // Finalises the time-lapse video and returns its path (empty when nothing was
    // written); count becomes the video's length in seconds.
    virtual QString stopPictureVynthesisVideo(int& count);
    virtual void addPicture(QImage picture);

protected:
    explicit IFFmpegApi(QObject* parent = nullptr);
    ~IFFmpegApi() override;

private:
    // Kept after a stop, so a second stop reports the same video.
    std::unique_ptr<IPictureVynthesisVideo> m_pictureVideo;

    static IFFmpegApi* s_instance;
};

#endif
