// libFuzzer target: any bytes as the Wi-Fi camera's photo, through the whole photo
// decoder (header, size bound, strict decode), and through the same decoder as live
// frames use it (damage tolerated, pixels decoded into a reused picture). The live
// decoder is kept from one input to the next, as in a stream: whatever came before, a
// frame must decode as the photo does. Seeded with real JPEGs in corpus/fuzz_wifi_photo,
// so the fuzzer starts inside the decoder.

#include <cstddef>
#include <cstdint>

#include <QCoreApplication>
#include <QImage>

#include "ffmpeg/wifirtsp/itcpsocket.h"
#include "ffmpeg/wifirtsp/iwifiprotocol.h"
#include "imjpegdecoder.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const QImage photo = ITcpSocket::decodePhoto(bytes);
    const QSize limit = IWifiProtocol::maxPhotoSize();
    if (!photo.isNull()
        && (photo.format() != QImage::Format_RGB32 || photo.width() > limit.width() || photo.height() > limit.height()))
        __builtin_trap();

    static IMjpegDecoder decoder;
    static QImage reuse;
    const QSize frameSize = decoder.frameSize(data, size);
    const bool within = frameSize.isValid() && frameSize.width() <= limit.width() && frameSize.height() <= limit.height();
    if (within && frameSize != reuse.size())
        reuse = QImage(frameSize, QImage::Format_RGB32);
    const QImage frame = decoder.decode(data, size, false, limit, &reuse);
    if (!frame.isNull() && frame.size() != frameSize)
        __builtin_trap();
    // A photo that decodes whole decodes the same as a frame.
    if (!photo.isNull() && frame != photo)
        __builtin_trap();
    return 0;
}
