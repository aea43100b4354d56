#ifndef IFILEWRITE_H
#define IFILEWRITE_H

#include <QString>

class QSaveFile;

// Finishes a QSaveFile only when every byte reached the disk: the buffered tail is
// flushed and synced first, because QSaveFile::commit() alone reports success after a
// failed final flush (a full disk) and puts the truncated file in place. On failure
// nothing replaces the target, the temporary file is discarded and error says why.
bool commitSaveFile(QSaveFile& file, QString* error);

#endif
