#ifndef TESTENV_H
#define TESTENV_H

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Shared set-up for every test executable: settings, logs and pictures in a temporary
// HOME, Qt's test-mode standard paths, scaling factors of 1.0 (Qt's own factor is
// OCUMETRA_TEST_SCALE when set, else 1), and modal dialogs that answer at once (recorded
// in messages()).
namespace TestEnv {

// Call first in main(), before the application object exists.
void prepare();
// Call once the application object exists.
void afterApplication();

QString homePath();
// Texts of the message boxes shown so far; clearMessages() forgets them.
QStringList& messages();
void clearMessages();
// The code message boxes answer with (0x400 = OK by default).
void setMessageAnswer(int code);
// Paths the next file dialogs answer with, one list per dialog (empty = cancel).
void queueFileAnswer(const QStringList& paths, const QString& selectedFilter = QString());

// Changes with every replacement of the file, and with every write into it; empty when
// there is none.
QString fileStamp(const QString& path);

// A TCP port on 127.0.0.1 that refuses connections while this process lives: it is
// bound and never listens, so no server of a test run beside this one can take it.
quint16 refusingLocalPort();

// A full disk without privileges: while it lives, no file of this process grows past
// bytes (RLIMIT_FSIZE); writes beyond fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    qint64 m_savedSoft = 0;
    void (*m_savedHandler)(int) = nullptr;
};

// Root without its right to pass file permissions: while it lives, the calling thread
// is refused what a normal user is refused. For anyone else it changes nothing.
class PermissionsObeyed
{
public:
    PermissionsObeyed();
    ~PermissionsObeyed();
    PermissionsObeyed(const PermissionsObeyed&) = delete;
    PermissionsObeyed& operator=(const PermissionsObeyed&) = delete;

private:
    unsigned m_savedEffective = 0;
};

// A folder the calling thread cannot write into, as root too: while it lives the folder
// is read-only (0555) and permissions are obeyed. Creating a file in it fails with EACCES.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    QString m_path;
    PermissionsObeyed m_obeyed;
};

}

// Use instead of QTEST_MAIN: sets up the environment around the test object.
#define OCUMETRA_TEST_MAIN(TestObject)                                  \
    int main(int argc, char** argv)                                     \
    {                                                                   \
        TestEnv::prepare();                                             \
        QApplication app(argc, argv);                                   \
        TestEnv::afterApplication();                                    \
        TestObject tc;                                                  \
        QTEST_SET_MAIN_SOURCE_PATH                                      \
        return QTest::qExec(&tc, argc, argv);                           \
    }

#endif
