// libFuzzer target: the camera's bytes and the user's requests, interleaved, through the
// whole reply handling of the Wi-Fi back end: the socket thread's framing and drop
// paths, bind and reconnect, the reply and photo handlers and the photo decoder.

#include <cstddef>
#include <cstdint>

#include <QCoreApplication>
#include <QMetaObject>

#include "ffmpeg/wifirtsp/itcpsocket.h"
#include "ffmpeg/wifirtsp/iwifirtspthread.h"

namespace {

// The socket thread without a connection: the fuzzer's input is what the camera says.
class FuzzSocket : public ITcpSocket
{
public:
    FuzzSocket() : ITcpSocket(QStringLiteral("127.0.0.1"), 0) {}
    using ITcpSocket::dropPartialMessage;
    using ITcpSocket::handleBytes;
    using ITcpSocket::takeQueue;

protected:
    void run() override {}
};

class FuzzBackend : public IWifiRtspThread
{
public:
    FuzzSocket* socket = nullptr;

protected:
    ITcpSocket* createSocket() override
    {
        socket = new FuzzSocket;
        return socket;
    }
};

// Reads the input one byte at a time; zeros once it is used up.
struct Input
{
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
    bool more() const { return pos < size; }
    uint8_t byte() { return pos < size ? data[pos++] : 0; }
};

}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBackend backend;
    IWifiLinkTimings t;
    // Timers fire at the next event pass, so one input can walk through all of them.
    t.reconnectMinMs = 0;
    t.reconnectMaxMs = 0;
    t.photoResendGapMs = 0;
    t.noticeSettleMs = 0;
    backend.setTimings(t);
    backend.initSocket();
    Input in{data, size};
    while (in.more()) {
        const uint8_t op = in.byte();
        switch (op & 7) {
        case 0: { // the camera speaks
            const int n = 1 + in.byte() % 48;
            QByteArray bytes;
            for (int i = 0; i < n && in.more(); ++i)
                bytes.append(char(in.byte()));
            backend.socket->handleBytes(bytes);
            break;
        }
        case 1:
            backend.setCaptureFalg(ImageType(1 + in.byte() % 6));
            break;
        case 2: // a send tick: a partial photo is dropped before a photo command
            backend.socket->takeQueue();
            break;
        case 3: // the camera went silent mid-message
            backend.socket->dropPartialMessage("fuzz: silence", false);
            break;
        case 4: // reconnects, resends and notices waiting on timers
            QCoreApplication::processEvents();
            break;
        case 5: {
            const uint8_t which = in.byte();
            const int value = in.byte();
            switch (which % 7) {
            case 0: backend.setBrightness(value); break;
            case 1: backend.setContrast(value); break;
            case 2: backend.setSaturation(value); break;
            case 3: backend.setAutoFocusFlag(value % 2 ? -999 : value); break;
            case 4: backend.setAutoExposureFlag(value % 2 ? -999 : value); break;
            case 5: backend.setResolution(IWifiProtocol::supportedResolutions().value(value % 12)); break;
            default: backend.changeLamp(); break;
            }
            break;
        }
        case 6:
            QMetaObject::invokeMethod(&backend, "slPhotoTimeOut");
            break;
        default: // the camera closed the connection
            backend.slTcpDisconnect();
            break;
        }
    }
    QCoreApplication::processEvents();
    return 0;
}
