#ifndef TESTPROGRAM_H
#define TESTPROGRAM_H

#include <QString>

class QProcess;

// The built program as the tests start it.
namespace TestProgram {

// The executable: in OCUMETRA_RUNTIME_DIR (set by ctest), else beside the test.
QString path();

// Empty when the program ended by itself with exit code code; otherwise how it ended. A
// program that only seems to end well fails here: a sanitizer report at exit (a leak)
// changes its exit code.
QString exitProblem(const QProcess& program, int code = 0);
// The same for a status from waitpid().
QString exitProblem(int waitStatus, int code = 0);

}

#endif
