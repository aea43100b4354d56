#ifndef IPIPEWIRECAPTURE_H
#define IPIPEWIRECAPTURE_H

#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <thread>

typedef struct _GstSample GstSample;
typedef struct _GstVideoInfo GstVideoInfo;

// The pictures of a screen-cast stream granted by the desktop's portal, read from
// PipeWire through GStreamer (pipewiresrc) as 32-bit BGRx. The stream sends a picture
// only when the screen changes; the latest one stays available until a newer comes.
//
// GStreamer's set-up (its plug-in registry, seconds when it is made anew), the stream's
// start and its end wait on things outside the program: all of them run on a worker of
// this object's own, which its destructor joins.
class IPipeWireCapture
{
public:
    // SettingUp: GStreamer and the pipeline are being made; Starting: pipewiresrc waits
    // for the stream.
    enum State { SettingUp, Starting, Playing, StartFailed };

    IPipeWireCapture() = default;
    // Ends the stream and waits for the worker: a stream still starting or ending after
    // CLOSE_GRACE_MS has its PipeWire connection cut.
    ~IPipeWireCapture();
    IPipeWireCapture(const IPipeWireCapture&) = delete;
    IPipeWireCapture& operator=(const IPipeWireCapture&) = delete;

    // Begins reading node over the PipeWire connection fd (taken over) and returns at once;
    // state() follows the start, failure() says why it failed. watchFd, when given (and
    // taken over), is a second connection to the same stream that tells when its node
    // leaves PipeWire. Once per object.
    void open(int fd, quint32 node, int watchFd = -1);
    State state() const;
    QString failure() const;
    bool hasPicture() const;
    QSize pictureSize() const;
    // The latest picture, with a reference the caller gives back with gst_sample_unref;
    // null before the first one.
    GstSample* latest();
    // The stream ended or failed (the desktop stopped sharing, its node left PipeWire,
    // PipeWire went away).
    bool failed();
    // Returns at once; a start still under way ends the stream once it returns.
    // ended, when given, runs (on some thread) once a stream that was under way is gone,
    // at once for one that had not started.
    void close(std::function<void()> ended = nullptr);
    // The worker is done: destroying this waits for nothing.
    bool isDone() const;

    // A picture worth showing: a buffer that is not empty, not marked corrupted and
    // holds what its caps say; info, when given, gets what the caps say.
    static bool isWholePicture(GstSample* sample, GstVideoInfo* info = nullptr);

    static const int CLOSE_GRACE_MS = 3000;
    // A playing stream without a picture this long is made anew, at most this often; the
    // first picture comes within 50 ms when it comes.
    static const int NO_PICTURE_RESTART_MS = 1200;
    static const int NO_PICTURE_RESTARTS = 2;

private:
    struct Stream;
    std::shared_ptr<Stream> m_stream;
    std::thread m_worker;
};

#endif
