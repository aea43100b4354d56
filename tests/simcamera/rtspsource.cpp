#include "rtspsource.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>

namespace RtspSource {

quint16 start(QProcess* source, quint16 port, const QStringList& options)
{
    source->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    source->start(QStringLiteral("/usr/bin/python3"),
                  QStringList{QStringLiteral(OCUMETRA_SIMCAMERA_DIR "/rtspsource.py"), QStringLiteral("--port"),
                              QString::number(port)} + options);
    // A fresh HOME makes GStreamer scan its plugins first: seconds on a loaded machine.
    const QDeadlineTimer deadline(30000);
    if (!source->waitForStarted(int(deadline.remainingTime())))
        return 0;
    // It prints its URL once it listens.
    while (!source->canReadLine()) {
        if (deadline.hasExpired() || !source->waitForReadyRead(int(deadline.remainingTime())))
            return 0;
    }
    const QString url = QString::fromUtf8(source->readLine()).trimmed();
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^rtsp://127\\.0\\.0\\.1:(\\d+)/")).match(url);
    return m.hasMatch() ? quint16(m.captured(1).toUInt()) : 0;
}

}
