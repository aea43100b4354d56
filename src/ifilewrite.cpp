#include "ifilewrite.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

bool commitSaveFile(QSaveFile& file, QString* error)
{
    QString reason;
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        reason = file.errorString();
    } else if (::fsync(file.handle()) != 0 && errno != EINVAL) {
        // Delayed allocation can leave a full disk to be found only here.
        reason = QString::fromLocal8Bit(std::strerror(errno));
    }
    if (reason.isEmpty() && file.commit())
        return true;
    if (reason.isEmpty())
        reason = file.errorString();
    else
        file.cancelWriting(); // the destructor then drops the temporary file
    if (error)
        *error = reason;
    return false;
}
