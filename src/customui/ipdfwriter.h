#ifndef IPDFWRITER_H
#define IPDFWRITER_H

#include <QSize>
#include <QString>
#include <QStringList>

// Dots per inch of the PDF pages: a camera picture of the given size just fits an A4
// page at 1:1, plus a fixed allowance for the margins.
int pdfResolutionFor(const QSize& cameraResolution);

// Writes the pictures into one A4 PDF file, one picture per page at the top left of the
// printable area: 1:1 when it fits, otherwise scaled down keeping its aspect ratio.
// The page resolution follows g_camera_resolution. A picture that cannot be read leaves
// an empty page and is listed in unreadable. Returns false, with a reason in error,
// when there is nothing to write or the file cannot be written.
bool writePicturesToPdf(const QStringList& pictures, const QString& pdfPath, QString* error = nullptr,
                        QStringList* unreadable = nullptr);

#endif
