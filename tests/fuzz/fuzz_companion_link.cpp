// libFuzzer target: the companion recorder's bytes through the link's packet parser,
// cut into arbitrary reads. Reads cut anywhere give the packets of the whole stream,
// and every payload, packed again, unpacks to itself.

#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QCoreApplication>
#include <QList>

#include "ffmpeg/wifirtsp/itcpserver.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    qSetMessagePattern(QStringLiteral("%{if-critical}%{message}%{endif}"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks how the stream is cut into reads.
    const int chunk = 1 + data[0] % 23;
    const QByteArray stream(reinterpret_cast<const char*>(data + 1), int(size - 1));

    QByteArray remainder;
    bool malformed = false;
    const QList<QByteArray> whole = ITcpServer::unpackPackets(stream, &remainder, &malformed);
    if (!malformed && !stream.endsWith(remainder))
        __builtin_trap();

    QList<QByteArray> split;
    QByteArray pending;
    bool splitMalformed = false;
    for (int pos = 0; pos < stream.size() && !splitMalformed; pos += chunk)
        split += ITcpServer::unpackPackets(stream.mid(pos, chunk), &pending, &splitMalformed);
    if (!malformed && (splitMalformed || split != whole || pending != remainder))
        __builtin_trap();

    qsizetype total = 0;
    for (const QByteArray& payload : whole) {
        total += payload.size();
        if (payload.size() > ITcpServer::kMaxLength - ITcpServer::kLengthSize - ITcpServer::kTailSize)
            __builtin_trap();
        QByteArray none;
        bool bad = false;
        if (ITcpServer::unpackPackets(ITcpServer::Packet(payload), &none, &bad) != QList<QByteArray>{payload} || bad
            || !none.isEmpty())
            __builtin_trap();
    }
    // Nothing is invented.
    if (total > stream.size())
        __builtin_trap();
    return 0;
}
