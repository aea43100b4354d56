#include "iwifimessageframer.h"

#include "iwifiprotocol.h"

namespace {
constexpr int HeaderBytes = 5;      // client id, code, state
constexpr int PhotoHeaderBytes = 9; // ... and the 4-byte length
}

void IWifiMessageFramer::reset()
{
    m_buffer.clear();
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
        const int n = IWifiProtocol::byteAraryToInt(buffer.mid(5, 4), false);
        if (n <= 0 || n > IWifiProtocol::MaxPhotoBytes)
            return -2;
        return PhotoHeaderBytes + n;
    }
    default:
        return -1;
    }
}

bool IWifiMessageFramer::next(Message* out)
{
    if (m_awaitingBind) {
        if (m_buffer.size() < 2)
            return false;
        // The id may arrive glued to a notice the camera sends unasked; anything else
        // after it means the first message was no id.
        const bool alone = m_buffer.size() == 2;
        const bool noticeFollows = m_buffer.size() >= 4
            && m_buffer.mid(2, 2) == IWifiProtocol::otherAppClientId();
        m_awaitingBind = false;
        if (alone || noticeFollows) {
            out->kind = Bind;
            out->bytes = m_buffer.left(2);
            m_buffer.remove(0, 2);
        } else {
            out->kind = BadBind;
            out->bytes = m_buffer;
            m_buffer.clear();
        }
        return true;
    }

    const int len = messageLength(m_buffer);
    if (len == 0)
        return false;
    if (len == -1) {
        // Nothing tells where the next message starts: resynchronise on the next read.
        out->kind = Invalid;
        out->bytes = m_buffer;
        m_buffer.clear();
        return true;
    }
    if (len == -2) {
        // The photo bytes that follow have no trustworthy end either.
        out->kind = PhotoRejected;
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
    const bool photo = !m_awaitingBind && m_buffer.size() >= 4 && quint8(m_buffer.at(2)) == 0x09
        && m_buffer.at(3) == 0;
    out->kind = photo ? PhotoRejected : Invalid;
    out->bytes = photo ? m_buffer.left(PhotoHeaderBytes) : m_buffer;
    m_buffer.clear();
    return true;
}
