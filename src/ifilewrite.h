#ifndef IFILEWRITE_H
#define IFILEWRITE_H

#include <QString>

class QFileDevice;
class QSaveFile;

// Finishes a QSaveFile only when every byte reached the disk: the buffered tail is
// flushed and synced first, because QSaveFile::commit() alone reports success after a
// failed final flush (a full disk) and puts the truncated file in place. On failure
// nothing replaces the target, the temporary file is discarded and error says why, in
// the words of systemReasonText().
bool commitSaveFile(QSaveFile& file, QString* error);

// Writes data whole into an open QSaveFile and commits it (commitSaveFile). Bytes an
// image writer sends straight to the file can be lost unseen: a failed buffered write
// whose error a later seek clears leaves a cut-off TIFF that commits; encoding into
// memory first and writing here leaves no such gap.
bool writeSaveFile(QSaveFile& file, const QByteArray& data, QString* error);

// Why a write into file failed. After a failed write the file often only knows
// "Unknown error"; flushing it brings out the system's reason ("No space left on
// device"). fallback when the file has none.
QString writeFailureReason(QFileDevice& file, const QString& fallback);

// A reason Qt or the system gave for a failed file operation, in the user's language
// where Qt's own translation has it.
QString systemReasonText(const QString& reason);

#endif
