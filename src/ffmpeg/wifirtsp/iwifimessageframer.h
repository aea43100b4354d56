#ifndef IWIFIMESSAGEFRAMER_H
#define IWIFIMESSAGEFRAMER_H

#include <QByteArray>

// Cuts the camera's byte stream into whole messages by their lengths: the link has no
// framing of its own, so one read may hold part of a reply, or several glued together.
class IWifiMessageFramer
{
public:
    enum Kind {
        Bind,          // the 2-byte client id, first message of a connection
        BadBind,       // first message of a connection that is no 2-byte id (all bytes)
        Reply,         // a whole reply (header and fixed body)
        Photo,         // 9-byte photo header followed by exactly the announced bytes
        PhotoRejected, // photo header whose length is <= 0 or above the cap
        Invalid,       // bytes of an unknown reply code; the buffer is dropped
    };
    struct Message
    {
        Kind kind = Invalid;
        QByteArray bytes;
    };

    // A new connection: the next message is the bind reply.
    void reset();
    void append(const QByteArray& bytes);
    // Takes the next whole message; false while the buffer holds only part of one.
    bool next(Message* out);
    bool hasPartial() const { return !m_buffer.isEmpty(); }
    int buffered() const { return m_buffer.size(); }
    // Drops an incomplete message (the sender went silent); a cut-off photo comes back
    // as PhotoRejected so its request can be answered.
    bool dropPartial(Message* out);

    // Whole length of the reply that starts the buffer: 0 while the header is incomplete,
    // -1 for an unknown code, -2 for a photo length outside 1..cap.
    static int messageLength(const QByteArray& buffer);

private:
    QByteArray m_buffer;
    bool m_awaitingBind = true;
};

#endif
