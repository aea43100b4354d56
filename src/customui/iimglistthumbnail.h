#ifndef IIMGLISTTHUMBNAIL_H
#define IIMGLISTTHUMBNAIL_H

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <atomic>

// Pictures larger than this are refused: decoding them would take seconds and
// hundreds of megabytes for a thumbnail.
constexpr qint64 kMaxImportPixels = 100LL * 1000 * 1000;

// Reads the picture at path straight to the given size (aspect ratio ignored), letting
// the content decide the format. Returns a null image and a reason when the file
// cannot be read or is too large. whole is false for a picture that decoded only in
// part (a cut-off JPEG or BMP).
QImage readThumbnail(const QString& path, const QSize& size, QString* reason = nullptr, bool* whole = nullptr);
// The same, but a picture that already fits within limit keeps its own size.
QImage readPictureWithin(const QString& path, const QSize& limit, QString* reason = nullptr);

// Decodes imported pictures to thumbnails on a worker thread, in the given order.
class IImgListThumbnailLoader : public QObject
{
    Q_OBJECT
public:
    explicit IImgListThumbnailLoader(QObject* parent = nullptr);

    // Called from any thread: the files not yet decoded are dropped.
    void cancel() { m_cancelled = true; }

public slots:
    void load(const QStringList& paths, const QSize& size);

signals:
    void sgThumbnail(const QString& path, const QImage& thumbnail);
    void sgRefused(const QString& path, const QString& reason);
    // Imported (sgThumbnail came first), but the picture could not be decoded whole.
    void sgIncomplete(const QString& path);
    void sgFinished();

private:
    std::atomic<bool> m_cancelled{false};
};

#endif
