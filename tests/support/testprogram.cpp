#include "testprogram.h"

#include <QCoreApplication>
#include <QProcess>

#include <sys/wait.h>

namespace TestProgram {

QString path()
{
    return qEnvironmentVariable("OCUMETRA_RUNTIME_DIR", QCoreApplication::applicationDirPath())
        + QStringLiteral("/ocumetra");
}

QString exitProblem(const QProcess& program, int code)
{
    if (program.state() != QProcess::NotRunning)
        return QStringLiteral("still running");
    if (program.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("crashed: %1").arg(program.errorString());
    if (program.exitCode() != code)
        return QStringLiteral("exit code %1, expected %2").arg(program.exitCode()).arg(code);
    return QString();
}

QString exitProblem(int waitStatus, int code)
{
    if (WIFSIGNALED(waitStatus))
        return QStringLiteral("killed by signal %1").arg(WTERMSIG(waitStatus));
    if (!WIFEXITED(waitStatus))
        return QStringLiteral("not ended");
    if (WEXITSTATUS(waitStatus) != code)
        return QStringLiteral("exit code %1, expected %2").arg(WEXITSTATUS(waitStatus)).arg(code);
    return QString();
}

}
