#include "iimglistthumbnail.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QImageReader>

#include "imjpegdecoder.h"

namespace {
// Qt's JPEG reader fills what a cut-off file lacks with grey and reports success.
bool jpegDecodesWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    IMjpegDecoder decoder;
    const QByteArray data = file.readAll();
    // Sizes TurboJPEG refuses were read by Qt: nothing to judge them by.
    if (!decoder.frameSize(reinterpret_cast<const uchar*>(data.constData()), size_t(data.size())).isValid())
        return true;
    return decoder.decodesWhole(data);
}

// Qt's BMP reader, too, fills the rows a cut-off file lacks and reports success.
bool bmpIsWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray h = file.read(34);
    if (h.size() < 26)
        return false;
    const auto u16 = [&h](int at) { return quint32(uchar(h.at(at))) | quint32(uchar(h.at(at + 1))) << 8; };
    const auto u32 = [&u16](int at) { return u16(at) | u16(at + 2) << 16; };
    const bool core = u32(14) == 12; // the old header with 16-bit sizes
    const qint64 width = core ? u16(18) : qint32(u32(18));
    const qint64 height = qAbs(core ? qint64(u16(20)) : qint64(qint32(u32(22))));
    const qint64 bits = core ? u16(24) : (h.size() >= 30 ? u16(28) : 0);
    const quint32 compression = core || h.size() < 34 ? 0 : u32(30);
    // Compressed rows have no fixed size to check against.
    if ((compression != 0 && compression != 3) || width <= 0 || bits <= 0)
        return true;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return file.size() >= qint64(u32(10)) + stride * height;
}

QImage readScaled(const QString& path, const QSize& size, bool shrinkOnly, QString* reason, bool* whole = nullptr)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        qDebug() << "image read failed!" << path;
        if (reason)
            *reason = QCoreApplication::translate("IImgListThumbnail", "Not a readable picture.");
        return QImage();
    }
    // Known only before the read.
    const QByteArray format = reader.format();
    const QSize full = reader.size();
    if (full.isValid() && qint64(full.width()) * full.height() > kMaxImportPixels) {
        qDebug() << "image too large" << path << full;
        if (reason)
            *reason = QCoreApplication::translate("IImgListThumbnail", "The picture is too large (%1 x %2).")
                          .arg(full.width())
                          .arg(full.height());
        return QImage();
    }
    QSize target = size;
    if (shrinkOnly && full.isValid() && full.width() <= size.width() && full.height() <= size.height())
        target = full;
    if (target.isValid() && !target.isEmpty())
        reader.setScaledSize(target);
    QImage image;
    if (!reader.read(&image)) {
        qDebug() << "read Image failed" << path << reader.errorString();
        if (reason)
            *reason = reader.errorString();
        return QImage();
    }
    if (whole)
        *whole = format == "jpeg" ? jpegDecodesWhole(path) : format == "bmp" ? bmpIsWhole(path) : true;
    // Formats that cannot decode to a size come back full size.
    if (target.isValid() && !target.isEmpty() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}
}

QImage readThumbnail(const QString& path, const QSize& size, QString* reason, bool* whole)
{
    return readScaled(path, size, false, reason, whole);
}

QImage readPictureWithin(const QString& path, const QSize& limit, QString* reason)
{
    return readScaled(path, limit, true, reason);
}

IImgListThumbnailLoader::IImgListThumbnailLoader(QObject* parent)
    : QObject(parent)
{
}

void IImgListThumbnailLoader::load(const QStringList& paths, const QSize& size)
{
    for (const QString& path : paths) {
        if (m_cancelled)
            break;
        QString reason;
        bool whole = true;
        const QImage thumbnail = readThumbnail(path, size, &reason, &whole);
        if (thumbnail.isNull()) {
            emit sgRefused(path, reason);
            continue;
        }
        emit sgThumbnail(path, thumbnail);
        if (!whole)
            emit sgIncomplete(path);
    }
    emit sgFinished();
}
