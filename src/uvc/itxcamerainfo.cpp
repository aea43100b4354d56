#include "uvc/itxcamerainfo.h"

#include <QFile>
#include <QRegularExpression>
#include <QSize>
#include <QStandardPaths>

QString ITxCameraInfo::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/other/txcamerainfo");
}

QList<CameraResolution> ITxCameraInfo::parseMjpegResolutions(const QString& text)
{
    static const QRegularExpression formatHeader(QStringLiteral("^\\s*(\\w+)Format\\(\\d+\\)"));
    static const QRegularExpression sizeLine(QStringLiteral("^\\s*size:\\s*(\\d+)x(\\d+)"));
    static const QRegularExpression defaultInterval(QStringLiteral("^\\s*default interval:\\s*(\\d+)/(\\d+)"));
    static const QRegularExpression anyInterval(QStringLiteral("^\\s*(?:min )?interval\\[\\d+\\]\\s*[:=]\\s*(\\d+)/(\\d+)"));

    QList<CameraResolution> result;
    bool inMjpeg = false;
    bool frameOpen = false;
    QSize size;
    int fps = 0;

    auto closeFrame = [&] {
        if (frameOpen && size.isValid() && !size.isEmpty()) {
            CameraResolution r;
            r.size = size;
            r.fps = fps;
            result << r;
        }
        frameOpen = false;
        size = QSize();
        fps = 0;
    };
    // "1/30" in the dump means one frame per 1/30 s
    auto rate = [](const QRegularExpressionMatch& m) {
        const int num = m.captured(1).toInt();
        const int den = m.captured(2).toInt();
        return num > 0 ? den / num : 0;
    };

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QRegularExpressionMatch header = formatHeader.match(line);
        if (header.hasMatch()) {
            closeFrame();
            inMjpeg = header.captured(1) == QLatin1String("MJPEG");
            continue;
        }
        if (line.contains(QLatin1String("END DEVICE CONFIGURATION")) || line.contains(QLatin1String("VideoStreaming("))) {
            closeFrame();
            inMjpeg = false;
            continue;
        }
        if (!inMjpeg)
            continue;
        if (line.trimmed().startsWith(QLatin1String("FrameDescriptor("))) {
            closeFrame();
            frameOpen = true;
            continue;
        }
        if (!frameOpen)
            continue;
        QRegularExpressionMatch m = sizeLine.match(line);
        if (m.hasMatch()) {
            size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
            continue;
        }
        m = defaultInterval.match(line);
        if (m.hasMatch()) {
            fps = rate(m);
            continue;
        }
        m = anyInterval.match(line);
        if (m.hasMatch() && fps == 0)
            fps = rate(m);
    }
    closeFrame();
    return result;
}

QList<CameraResolution> ITxCameraInfo::readMjpegResolutions(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return parseMjpegResolutions(QString::fromUtf8(file.readAll()));
}
