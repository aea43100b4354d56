#ifndef ISHOWNFRAME_H
#define ISHOWNFRAME_H

#include <QMetaType>
#include <QSize>

#include <memory>

struct AVFrame;

// A decoded frame that is shown smaller than it is, handed to the GUI thread as it came
// from the decoder: it is converted where it is painted, straight into the window's
// pixels, so the shown picture is written once instead of made and then copied.
class IShownFrame
{
public:
    IShownFrame() = default;
    IShownFrame(std::shared_ptr<const AVFrame> frame, const QSize& size) : m_frame(std::move(frame)), m_size(size) {}

    bool isNull() const { return !m_frame; }
    const AVFrame* frame() const { return m_frame.get(); }
    // The size it is shown at, in device pixels.
    QSize size() const { return m_size; }

private:
    std::shared_ptr<const AVFrame> m_frame;
    QSize m_size;
};

Q_DECLARE_METATYPE(IShownFrame)

#endif
