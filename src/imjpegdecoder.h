#ifndef IMJPEGDECODER_H
#define IMJPEGDECODER_H

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <memory>
#include <vector>

// Decodes MJPEG frames with TurboJPEG straight into an RGB32 QImage that owns its
// pixels. One decoder per thread: the TurboJPEG handle is not shared. Each frame
// decodes as with a new decoder: nothing of an earlier frame is used.
class IMjpegDecoder
{
public:
    IMjpegDecoder();
    ~IMjpegDecoder();
    IMjpegDecoder(const IMjpegDecoder&) = delete;
    IMjpegDecoder& operator=(const IMjpegDecoder&) = delete;

    // A null picture when the data is no decodable JPEG or its size is unreasonable.
    // A live frame with damaged data still decodes (the damage is one frame's); with
    // "strict", any damage the decoder reports gives a null picture, and a size beyond
    // maxSize is refused before any pixel is allocated.
    // When reuse is an RGB32 picture of the frame's size that nothing else shares, the
    // frame is decoded into its pixels instead of a new allocation.
    QImage decode(const uchar* data, size_t size, bool strict = false, QSize maxSize = QSize(),
                  QImage* reuse = nullptr);
    QImage decode(const QByteArray& data, bool strict = false, QSize maxSize = QSize())
    {
        return decode(reinterpret_cast<const uchar*>(data.constData()), size_t(data.size()), strict, maxSize);
    }
    // Reads the frame size (and TurboJPEG's TJSAMP_* subsampling) from the JPEG header;
    // an invalid size on failure.
    QSize frameSize(const uchar* data, size_t size, int* subsampling = nullptr);
    // False when the decoder reports any damage, a cut-off file above all (other
    // decoders fill the missing part with grey and say nothing). Decoded at the
    // smallest scale: every byte is still read, but few pixels are made.
    bool decodesWhole(const QByteArray& data);

    // The frame's planes as the JPEG holds them (Y, Cb, Cr or one grey plane), without
    // the conversion to RGB, decoded at 1/1, 1/2, 1/4 or 1/8 of its size (the scales
    // TurboJPEG does fast): the smallest of these still at least minSize. The planes
    // stay valid, and are not written again, while keep is held; their lines are padded
    // for SIMD readers. False also for a JPEG that holds no YCbCr or grey picture.
    struct Planes
    {
        QSize size;
        int subsampling = -1; // TurboJPEG's TJSAMP_*
        int count = 0;
        const uint8_t* data[3] = {nullptr, nullptr, nullptr};
        int stride[3] = {0, 0, 0};
        std::shared_ptr<const void> keep;
    };
    bool decodePlanes(const uchar* data, size_t size, const QSize& minSize, Planes* planes);

    // Largest frame we accept, to refuse absurd headers before allocating.
    static constexpr int kMaxSide = 16384;

private:
    // A TurboJPEG handle keeps what earlier headers defined (Huffman and quantisation
    // tables, a failed header's state): a camera frame without its own tables would use
    // an earlier frame's instead of the standard ones. Every frame gets a new handle.
    void* freshHandle();
    QSize readFrameSize(const uchar* data, size_t size, int* subsampling = nullptr);

    void* m_handle = nullptr;
    // Plane stores, each written again once no caller keeps it.
    struct PlaneStore
    {
        std::vector<uint8_t> bytes[3];
    };
    std::vector<std::shared_ptr<PlaneStore>> m_planeStores;
};

#endif
