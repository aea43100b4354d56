#ifndef WIFITESTUTIL_H
#define WIFITESTUTIL_H

#include <QByteArray>
#include <QList>

#include "ffmpeg/wifirtsp/iwifitimings.h"

namespace WifiTest {

inline QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

// Short enough for tests, long enough for a loaded machine.
inline IWifiLinkTimings fastTimings()
{
    IWifiLinkTimings t;
    t.connectMs = 2000;
    t.photoGapMs = 300;
    t.photoTimeoutMs = 2000;
    t.photoResendGapMs = 300;
    t.photoResends = 3;
    t.sendTickMs = 20;
    t.reconnectMinMs = 100;
    t.reconnectMaxMs = 400;
    t.noticeSettleMs = 50;
    return t;
}

// Commands that start with the given bytes (for 08 00, include template byte 3).
inline int countCommands(const QList<QByteArray>& commands, const char* templ)
{
    const QByteArray t = hex(templ);
    int n = 0;
    for (const QByteArray& c : commands)
        n += c.startsWith(t) ? 1 : 0;
    return n;
}

}

#endif
