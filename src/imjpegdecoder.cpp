#include "imjpegdecoder.h"

#include <atomic>

#include <QDebug>
#include <turbojpeg.h>

IMjpegDecoder::IMjpegDecoder() = default;

IMjpegDecoder::~IMjpegDecoder()
{
    if (m_handle)
        tjDestroy(m_handle);
}

void* IMjpegDecoder::freshHandle()
{
    if (m_handle)
        tjDestroy(m_handle);
    m_handle = tjInitDecompress();
    if (!m_handle)
        qDebug() << Q_FUNC_INFO << "turbojpeg init failed:" << tjGetErrorStr2(nullptr);
    return m_handle;
}

QSize IMjpegDecoder::frameSize(const uchar* data, size_t size, int* subsampling)
{
    if (!freshHandle())
        return QSize();
    return readFrameSize(data, size, subsampling);
}

// The header of the frame the handle is fresh for.
QSize IMjpegDecoder::readFrameSize(const uchar* data, size_t size, int* subsampling)
{
    if (!data || size < 4 || size > 0x7fffffffUL)
        return QSize();
    int width = 0, height = 0, subsamp = 0, colorspace = 0;
    if (tjDecompressHeader3(m_handle, data, static_cast<unsigned long>(size), &width, &height, &subsamp,
                            &colorspace) != 0)
        return QSize();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return QSize();
    if (subsampling)
        *subsampling = subsamp;
    return QSize(width, height);
}

QImage IMjpegDecoder::decode(const uchar* data, size_t size, bool strict, QSize maxSize, QImage* reuse)
{
    if (!freshHandle())
        return QImage();
    const QSize frame = readFrameSize(data, size);
    if (!frame.isValid())
        return QImage();
    if (maxSize.isValid() && (frame.width() > maxSize.width() || frame.height() > maxSize.height())) {
        qDebug() << Q_FUNC_INFO << "jpeg larger than allowed refused:" << frame << maxSize;
        return QImage();
    }
    QImage fresh;
    QImage* target = reuse;
    // Written through bits() while it is not shared, so nothing is copied.
    if (!reuse || reuse->size() != frame || reuse->format() != QImage::Format_RGB32 || !reuse->isDetached()) {
        fresh = QImage(frame, QImage::Format_RGB32);
        target = &fresh;
    }
    QImage& image = *target;
    if (image.isNull())
        return QImage();
    // RGB32 is B, G, R, 0xff in memory on little-endian machines.
    const int rc = tjDecompress2(m_handle, data, static_cast<unsigned long>(size), image.bits(), frame.width(),
                                 image.bytesPerLine(), frame.height(), TJPF_BGRA, 0);
    // A truncated frame from the camera still gives a usable picture (a warning);
    // only real errors drop it, unless the caller wants the picture whole.
    const bool drop = rc != 0 && (strict || tjGetErrorCode(m_handle) != TJERR_WARNING);
    if (drop) {
        qDebug() << Q_FUNC_INFO << "mjpeg decode failed:" << tjGetErrorStr2(m_handle);
        return QImage();
    }
    return image;
}

bool IMjpegDecoder::decodesWhole(const QByteArray& data)
{
    if (!freshHandle())
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const QSize frame = readFrameSize(bytes, size_t(data.size()));
    if (!frame.isValid())
        return false;
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    tjscalingfactor smallest = {1, 1};
    for (int i = 0; factors && i < count; ++i) {
        if (factors[i].num * smallest.denom < smallest.num * factors[i].denom)
            smallest = factors[i];
    }
    const int width = TJSCALED(frame.width(), smallest);
    const int height = TJSCALED(frame.height(), smallest);
    QImage scratch(width, height, QImage::Format_RGB32);
    if (scratch.isNull())
        return false;
    return tjDecompress2(m_handle, bytes, static_cast<unsigned long>(data.size()), scratch.bits(), width,
                         scratch.bytesPerLine(), height, TJPF_BGRA, 0)
        == 0;
}

bool IMjpegDecoder::decodePlanes(const uchar* data, size_t size, const QSize& minSize, Planes* planes)
{
    if (!freshHandle())
        return false;
    const QSize frame = readFrameSize(data, size);
    int width = 0, height = 0, subsamp = -1, colorspace = 0;
    if (!frame.isValid()
        || tjDecompressHeader3(m_handle, data, static_cast<unsigned long>(size), &width, &height, &subsamp, &colorspace)
               != 0
        || subsamp < 0 || (colorspace != TJCS_YCbCr && colorspace != TJCS_GRAY))
        return false;
    tjscalingfactor scale = {1, 1};
    for (const int denom : {2, 4, 8}) {
        const tjscalingfactor smaller = {1, denom};
        if (TJSCALED(width, smaller) < minSize.width() || TJSCALED(height, smaller) < minSize.height())
            break;
        scale = smaller;
    }
    const int w = TJSCALED(width, scale);
    const int h = TJSCALED(height, scale);
    const int count = subsamp == TJSAMP_GRAY ? 1 : 3;
    std::shared_ptr<PlaneStore> store;
    for (const auto& candidate : m_planeStores)
        if (candidate.use_count() == 1)
            store = candidate;
    // What the last holder read of it comes before what is written now.
    std::atomic_thread_fence(std::memory_order_acquire);
    if (!store) {
        // A few alternate while a picture or two are still shown; more are let go.
        store = std::make_shared<PlaneStore>();
        if (m_planeStores.size() >= 4)
            m_planeStores.erase(m_planeStores.begin());
        m_planeStores.push_back(store);
    }
    unsigned char* out[3] = {nullptr, nullptr, nullptr};
    int strides[3] = {0, 0, 0};
    for (int i = 0; i < count; ++i) {
        const int pw = tjPlaneWidth(i, w, subsamp);
        const int ph = tjPlaneHeight(i, h, subsamp);
        if (pw <= 0 || ph <= 0)
            return false;
        strides[i] = (pw + 63) & ~63;
        store->bytes[i].resize(size_t(strides[i]) * size_t(ph) + 64);
        out[i] = store->bytes[i].data();
    }
    const int rc = tjDecompressToYUVPlanes(m_handle, data, static_cast<unsigned long>(size), out, w, strides, h, 0);
    // As decode(): a damaged live frame still shows.
    if (rc != 0 && tjGetErrorCode(m_handle) != TJERR_WARNING) {
        qDebug() << Q_FUNC_INFO << "mjpeg decode failed:" << tjGetErrorStr2(m_handle);
        return false;
    }
    planes->size = QSize(w, h);
    planes->subsampling = subsamp;
    planes->count = count;
    planes->keep = store;
    for (int i = 0; i < 3; ++i) {
        planes->data[i] = out[i];
        planes->stride[i] = strides[i];
    }
    return true;
}
