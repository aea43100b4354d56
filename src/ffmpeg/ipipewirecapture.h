#ifndef IPIPEWIRECAPTURE_H
#define IPIPEWIRECAPTURE_H

#include <QMutex>
#include <QSize>
#include <QString>
#include <atomic>

typedef struct _GstElement GstElement;
typedef struct _GstSample GstSample;

// The pictures of a screen-cast stream granted by the desktop's portal, read from
// PipeWire through GStreamer (pipewiresrc) as 32-bit BGRx. The stream sends a picture
// only when the screen changes; the latest one stays available until a newer comes.
class IPipeWireCapture
{
public:
    IPipeWireCapture() = default;
    ~IPipeWireCapture();
    IPipeWireCapture(const IPipeWireCapture&) = delete;
    IPipeWireCapture& operator=(const IPipeWireCapture&) = delete;

    // Starts reading node over the PipeWire connection fd (taken over, also on failure).
    // False, with why, when the stream cannot be opened.
    bool open(int fd, quint32 node, QString* why);
    // Waits up to ms for the first picture; its size is then known.
    bool waitFirstPicture(int ms);
    QSize pictureSize() const;
    // The latest picture, with a reference the caller gives back with gst_sample_unref;
    // null before the first one.
    GstSample* latest();
    // The stream ended or failed (the desktop stopped sharing, PipeWire went away).
    bool failed();
    void close();

private:
    static int onNewSample(GstElement* sink, void* self);

    GstElement* m_pipeline = nullptr;
    // pipewiresrc, owned by m_pipeline.
    GstElement* m_source = nullptr;
    mutable QMutex m_mutex;
    GstSample* m_latest = nullptr;
    QSize m_size;
    std::atomic<bool> m_failed{false};
};

#endif
