#ifndef IWIFITIMINGS_H
#define IWIFITIMINGS_H

// Time constants of the Wi-Fi camera link, in milliseconds. The defaults are the
// camera's; tests shorten them.
struct IWifiLinkTimings
{
    int connectMs = 30000;        // control connection attempt
    int photoGapMs = 4000;        // silence that ends a partial message
    int photoTimeoutMs = 10000;   // a photo request fails after this
    int photoResendGapMs = 1000;  // a failed photo is asked for again no sooner than this
    int photoResends = 3;         // ... and at most this often per request
    int noticeSettleMs = 100;     // a burst of resolution notices is applied once, its last
    int sendTickMs = 50;          // queued commands are written at this pace
    int reconnectMinMs = 500;     // first retry of a control link that could not connect
    int reconnectMaxMs = 30000;   // retries back off up to this
    int openSignalMs = 500;       // "opened" is reported this long after the stream opened
    int reopenAfterMs = 5001;     // no good frame for this long reopens the stream
    int probeUs = 500000;         // the stream's codec is announced: probing stays short
    int flushIntervalMs = 240000; // demuxer buffers are flushed at a key frame this often
    int socketTimeoutUs = 2000000; // RTSP socket time-out
};

#endif
