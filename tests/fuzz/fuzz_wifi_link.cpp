// libFuzzer target: the camera's byte stream through the message framer and every
// field parser that reads a message, in arbitrary read splits.

#include <cstddef>
#include <cstdint>

#include <QByteArray>

#include "ffmpeg/wifirtsp/iwifimessageframer.h"
#include "ffmpeg/wifirtsp/iwifiprotocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks how the stream is cut into reads.
    const int chunk = 1 + data[0] % 17;
    const QByteArray stream(reinterpret_cast<const char*>(data + 1), int(size - 1));
    IWifiMessageFramer framer;
    IWifiMessageFramer::Message m;
    qsizetype total = 0;
    for (int pos = 0; pos < stream.size(); pos += chunk) {
        framer.append(stream.mid(pos, chunk));
        while (framer.next(&m)) {
            total += m.bytes.size();
            IWifiProtocol::replyId(m.bytes);
            IWifiProtocol::replyCode(m.bytes);
            IWifiProtocol::replyState(m.bytes);
            IWifiProtocol::cmdToResolution(IWifiProtocol::field(m.bytes, 8, 1));
            IWifiProtocol::byteAraryToInt(IWifiProtocol::field(m.bytes, 5, 4), false);
            IWifiProtocol::hexForLog(m.bytes);
            if (m.kind == IWifiMessageFramer::Photo) {
                const int n = IWifiProtocol::byteAraryToInt(m.bytes.mid(5, 4), false);
                if (n < 0 || n > IWifiProtocol::MaxPhotoBytes || m.bytes.size() != 9 + n)
                    __builtin_trap(); // a photo must be exactly its announced length
            }
            // Skipped bytes never swallow the start of a message with our id.
            if (m.kind == IWifiMessageFramer::Invalid && !framer.clientId().isEmpty()
                && m.bytes.indexOf(framer.clientId(), 1) > 0) {
                const int at = m.bytes.indexOf(framer.clientId(), 1);
                if (IWifiMessageFramer::messageLength(m.bytes.mid(at, 5)) > 0)
                    __builtin_trap();
            }
        }
    }
    if (framer.dropPartial(&m))
        total += m.bytes.size();
    // Nothing is invented: every byte handed out came from the stream.
    if (total > stream.size())
        __builtin_trap();
    return 0;
}
