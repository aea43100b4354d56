#include "iimglistthumbnail.h"

#include <QCoreApplication>
#include <QDebug>
#include <QImageReader>

namespace {
QString tr(const char* text) { return QCoreApplication::translate("IImgListThumbnail", text); }
}

QImage readThumbnail(const QString& path, const QSize& size, QString* reason)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        qDebug() << "image read failed!" << path;
        if (reason)
            *reason = tr("Not a readable picture.");
        return QImage();
    }
    const QSize full = reader.size();
    if (full.isValid() && qint64(full.width()) * full.height() > kMaxImportPixels) {
        qDebug() << "image too large" << path << full;
        if (reason)
            *reason = tr("The picture is too large (%1 x %2).").arg(full.width()).arg(full.height());
        return QImage();
    }
    if (size.isValid() && !size.isEmpty())
        reader.setScaledSize(size);
    QImage image;
    if (!reader.read(&image)) {
        qDebug() << "read Image failed" << path << reader.errorString();
        if (reason)
            *reason = reader.errorString();
        return QImage();
    }
    // Formats that cannot decode to a size come back full size.
    if (size.isValid() && !size.isEmpty() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
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
        const QImage thumbnail = readThumbnail(path, size, &reason);
        if (thumbnail.isNull())
            emit sgRefused(path, reason);
        else
            emit sgThumbnail(path, thumbnail);
    }
    emit sgFinished();
}
