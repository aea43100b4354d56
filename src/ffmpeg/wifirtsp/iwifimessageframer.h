#ifndef IWIFIMESSAGEFRAMER_H
#define IWIFIMESSAGEFRAMER_H

#include <QByteArray>

// Cuts the camera's byte stream into whole messages by their lengths: the link has no
// framing of its own, so one read may hold part of a reply, or several glued together.
class IWifiMessageFramer
{
public:
    enum Kind {
        Bind,       // the 2-byte client id, first message of a connection
        BadBind,    // first message of a connection that is no usable id (all its bytes)
        Reply,      // a whole reply (header and fixed body)
        Photo,      // 9-byte photo header followed by exactly the announced bytes
        PhotoCut,   // 9-byte header of a photo whose bytes stopped coming
        OutOfStep,  // photo header whose length is above the cap: the bytes that
                    // follow have no known end, so the buffer is dropped
        Invalid,    // bytes that start no message, skipped up to the next message start
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
    // Drops an incomplete message (the sender went silent, or a newer request makes it
    // stale); a cut-off photo comes back as PhotoCut so its request can be answered.
    bool dropPartial(Message* out);
    QByteArray clientId() const { return m_clientId; }

    // Whole length of the reply that starts the buffer: 0 while the header is incomplete,
    // -1 for an unknown code, -2 for a photo length above the cap or past INT_MAX.
    static int messageLength(const QByteArray& buffer);

private:
    bool takeBind(Message* out);
    // Where the next message can start after a bad one: the first later position holding
    // our id or the notice id (or a prefix of one at the end). -1: nowhere.
    int resyncPosition() const;
    bool startsMessage(int pos) const;

    QByteArray m_buffer;
    QByteArray m_clientId;
    bool m_awaitingBind = true;
};

#endif
