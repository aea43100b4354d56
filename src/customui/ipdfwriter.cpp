#include "ipdfwriter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QSaveFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPdfWriter>
#include <QtMath>

#include "ifilewrite.h"
#include "iglobal.h"

namespace {
void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}
}

int pdfResolutionFor(const QSize& cameraResolution)
{
    // Single precision on purpose: 1920 x 1080 must give 292.
    const float w = float(cameraResolution.width()) / 8.27f;
    const float h = float(cameraResolution.height()) / 11.69f;
    return int(qMax(w, h) + 60.0f);
}

bool writePicturesToPdf(const QStringList& pictures, const QString& pdfPath, QString* error,
                        QStringList* unreadable)
{
    if (pictures.isEmpty()) {
        setError(error, QCoreApplication::translate("IPdfWriter", "No picture selected."));
        return false;
    }
    // Written beside the target and renamed at the end: a failed export never
    // replaces an earlier file of that name with a truncated one.
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "pdf open failed:" << pdfPath << file.errorString();
        setError(error, QCoreApplication::translate("IPdfWriter", "Cannot write %1: %2").arg(pdfPath, file.errorString()));
        return false;
    }

    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(qMax(1, pdfResolutionFor(g_camera_resolution)));
        writer.setPageMargins(QMarginsF(60, 60, 60, 60));

        QPainter painter;
        if (painter.begin(&writer)) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            const QSize area(writer.width(), writer.height());
            for (int i = 0; i < pictures.size(); ++i) {
                if (i > 0)
                    writer.newPage();
                QImageReader reader(pictures.at(i));
                reader.setAutoTransform(true);
                const QImage image = reader.read();
                if (image.isNull()) {
                    qWarning() << "pdf: picture not readable" << pictures.at(i) << reader.errorString();
                    if (unreadable)
                        unreadable->append(pictures.at(i));
                    continue;
                }
                QSize target = image.size();
                if (target.width() > area.width() || target.height() > area.height())
                    target.scale(area, Qt::KeepAspectRatio);
                painter.drawImage(QRect(QPoint(0, 0), target), image);
            }
            painted = painter.end();
        }
    }
    QString reason;
    if (!painted) {
        reason = writeFailureReason(file, file.errorString());
        file.cancelWriting();
    }
    if (!painted || !commitSaveFile(file, &reason)) {
        qWarning() << "pdf write failed:" << pdfPath << reason;
        setError(error, QCoreApplication::translate("IPdfWriter", "Cannot write %1: %2").arg(pdfPath, reason));
        return false;
    }
    return true;
}
