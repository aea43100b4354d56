#ifndef IPIPEWIRECAPTURE_H
#define IPIPEWIRECAPTURE_H

#include <QSize>
#include <QString>
#include <functional>
#include <memory>

typedef struct _GstSample GstSample;
typedef struct _GstVideoInfo GstVideoInfo;

// The pictures of a screen-cast stream granted by the desktop's portal, read from
// PipeWire through GStreamer (pipewiresrc) as 32-bit BGRx. The stream sends a picture
// only when the screen changes; the latest one stays available until a newer comes.
class IPipeWireCapture
{
public:
    enum State { Starting, Playing, StartFailed };

    IPipeWireCapture() = default;
    ~IPipeWireCapture();
    IPipeWireCapture(const IPipeWireCapture&) = delete;
    IPipeWireCapture& operator=(const IPipeWireCapture&) = delete;

    // Begins reading node over the PipeWire connection fd (taken over, also on failure)
    // and returns at once: pipewiresrc may wait long for a stream that never negotiates,
    // so the stream is started on a thread of its own (see state()). False, with why,
    // when the stream cannot be made.
    bool open(int fd, quint32 node, QString* why);
    State state() const;
    bool hasPicture() const;
    QSize pictureSize() const;
    // The latest picture, with a reference the caller gives back with gst_sample_unref;
    // null before the first one.
    GstSample* latest();
    // The stream ended or failed (the desktop stopped sharing, PipeWire went away).
    bool failed();
    // Returns at once; a start still under way ends the stream once it returns.
    // ended, when given, runs (on some thread) once a stream that was under way is gone,
    // at once for one that had not started.
    void close(std::function<void()> ended = nullptr);

    // A picture worth showing: a buffer that is not empty, not marked corrupted and
    // holds what its caps say; info, when given, gets what the caps say.
    static bool isWholePicture(GstSample* sample, GstVideoInfo* info = nullptr);

private:
    struct Stream;
    std::shared_ptr<Stream> m_stream;
};

#endif
