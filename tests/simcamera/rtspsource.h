#ifndef RTSPSOURCE_H
#define RTSPSOURCE_H

#include <QStringList>

class QProcess;

namespace RtspSource {

// Starts the GStreamer RTSP test source (rtspsource.py) on 127.0.0.1 in source with the
// given options, and waits until it listens. Port 0 lets the source take a free port
// itself, so no other test can take it between the choice and the listen. Returns the
// port it listens on, 0 when it did not come up.
quint16 start(QProcess* source, quint16 port, const QStringList& options);

}

#endif
