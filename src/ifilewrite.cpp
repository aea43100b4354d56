#include "ifilewrite.h"

#include <QCoreApplication>
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
        *error = systemReasonText(reason);
    return false;
}

bool writeSaveFile(QSaveFile& file, const QByteArray& data, QString* error)
{
    qint64 done = 0;
    // A short write is retried: the retry fails with the system's reason.
    while (done < data.size()) {
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done != data.size()) {
        if (error)
            *error = systemReasonText(file.errorString());
        file.cancelWriting();
        return false;
    }
    return commitSaveFile(file, error);
}

QString writeFailureReason(QFileDevice& file, const QString& fallback)
{
    file.flush();
    if (file.error() == QFileDevice::NoError)
        return fallback;
    return systemReasonText(file.errorString());
}

QString systemReasonText(const QString& reason)
{
    // Qt's texts for these reasons live in its "QIODevice" context.
    return QCoreApplication::translate("QIODevice", reason.toUtf8().constData());
}
