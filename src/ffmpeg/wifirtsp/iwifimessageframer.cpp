#include "iwifimessageframer.h"

#include "iwifiprotocol.h"

namespace {
constexpr int HeaderBytes = 5;      // client id, code, state
constexpr int PhotoHeaderBytes = 9; // ... and the 4-byte length
constexpr char NoticeByte = 0x0F;   // both bytes of the notice id

bool isPhotoCode(const QByteArray& buffer, int pos)
{
    return buffer.size() >= pos + 4 && quint8(buffer.at(pos + 2)) == 0x09 && buffer.at(pos + 3) == 0;
}
}

void IWifiMessageFramer::reset()
{
    m_buffer.clear();
    m_clientId.clear();
    m_awaitingBind = true;
}

void IWifiMessageFramer::append(const QByteArray& bytes)
{
    m_buffer.append(bytes);
}

int IWifiMessageFramer::messageLength(const QByteArray& buffer)
{
    if (buffer.size() < HeaderBytes)
        return 0;
    const quint8 lo = quint8(buffer.at(2));
    const quint8 hi = quint8(buffer.at(3));
    if (hi != 0)
        return -1;
    switch (lo) {
    case 0x01: case 0x02: case 0x03: case 0x05: case 0x07:
        return HeaderBytes;
    case 0x04:
        return HeaderBytes + 1;
    case 0x06: case 0x08: case 0x10:
        return HeaderBytes + 8;
    case 0x09: {
        if (buffer.size() < PhotoHeaderBytes)
            return 0;
        // An empty photo is still a whole message; only a length that cannot be true
        // leaves the stream without a known next message.
        if (buffer.mid(5, 4) == QByteArray(4, 0))
            return PhotoHeaderBytes;
        const int n = IWifiProtocol::byteAraryToInt(buffer.mid(5, 4), false);
        if (n <= 0 || n > IWifiProtocol::MaxPhotoBytes)
            return -2;
        return PhotoHeaderBytes + n;
    }
    default:
        return -1;
    }
}

bool IWifiMessageFramer::takeBind(Message* out)
{
    if (m_buffer.size() < 2)
        return false;
    const QByteArray id = m_buffer.left(2);
    // The id may be padded with zero bytes, and may arrive glued to a notice that the
    // camera sends unasked; wait while the bytes after it could still be either.
    int pos = 2;
    while (pos < m_buffer.size() && m_buffer.at(pos) == 0)
        ++pos;
    const QByteArray rest = m_buffer.mid(pos, 2);
    const QByteArray notice = IWifiProtocol::otherAppClientId();
    if (rest.size() == 1 && rest.at(0) == NoticeByte)
        return false;
    const bool usableId = id != notice && id != QByteArray(2, char(0xFF));
    m_awaitingBind = false;
    if (usableId && (rest.isEmpty() || rest == notice)) {
        out->kind = Bind;
        out->bytes = id;
        m_clientId = id;
        m_buffer.remove(0, pos);
    } else {
        out->kind = BadBind;
        out->bytes = m_buffer;
        m_buffer.clear();
    }
    return true;
}

bool IWifiMessageFramer::startsMessage(int pos) const
{
    const QByteArray notice = IWifiProtocol::otherAppClientId();
    const int left = m_buffer.size() - pos;
    if (left <= 0)
        return false;
    if (left == 1)
        return m_buffer.at(pos) == NoticeByte || (!m_clientId.isEmpty() && m_buffer.at(pos) == m_clientId.at(0));
    const QByteArray id = m_buffer.mid(pos, 2);
    if (id != notice && id != m_clientId)
        return false;
    // With the code in view, it must be one the camera sends.
    return messageLength(m_buffer.mid(pos, HeaderBytes)) != -1;
}

int IWifiMessageFramer::resyncPosition() const
{
    for (int pos = 1; pos < m_buffer.size(); ++pos) {
        if (startsMessage(pos))
            return pos;
    }
    return -1;
}

bool IWifiMessageFramer::next(Message* out)
{
    if (m_awaitingBind)
        return takeBind(out);
    if (m_buffer.isEmpty())
        return false;

    const QByteArray id = m_buffer.left(2);
    // A photo is framed by its length whoever it is for: skipping through its bytes would
    // find false message starts in the picture data.
    const bool ours = id.size() < 2 || id == m_clientId || id == IWifiProtocol::otherAppClientId()
        || isPhotoCode(m_buffer, 0);
    const int len = ours ? messageLength(m_buffer) : -1;
    if (len == 0)
        return false;
    if (len == -1) {
        // Skip to where the next message can start, never past a good one.
        const int pos = resyncPosition();
        out->kind = Invalid;
        out->bytes = pos < 0 ? m_buffer : m_buffer.left(pos);
        m_buffer.remove(0, out->bytes.size());
        return true;
    }
    if (len == -2) {
        out->kind = OutOfStep;
        out->bytes = m_buffer.left(PhotoHeaderBytes);
        m_buffer.clear();
        return true;
    }
    if (m_buffer.size() < len)
        return false;
    out->kind = quint8(m_buffer.at(2)) == 0x09 ? Photo : Reply;
    out->bytes = m_buffer.left(len);
    m_buffer.remove(0, len);
    return true;
}

bool IWifiMessageFramer::dropPartial(Message* out)
{
    if (m_buffer.isEmpty())
        return false;
    if (m_awaitingBind) {
        // Part of an id, or an id with a byte that never became a notice.
        m_awaitingBind = false;
        out->kind = BadBind;
        out->bytes = m_buffer;
        m_buffer.clear();
        return true;
    }
    const bool photo = isPhotoCode(m_buffer, 0);
    out->kind = photo ? PhotoCut : Invalid;
    out->bytes = photo ? m_buffer.left(PhotoHeaderBytes) : m_buffer;
    m_buffer.clear();
    return true;
}
