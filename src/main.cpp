#include "iapplication.h"
#include "ilogger.h"
#include "service/iconfigureservice.h"

namespace {
int runProgram(int& argc, char** argv)
{
    IApplication app(QStringLiteral("Ocumetra"), argc, argv);
    if (app.isRunning()) {
        app.sendMessage(QStringLiteral("raise_window_noop"), 5000);
        return 1;
    }
    // No activation window is set: a second start changes nothing visible.
    QObject::connect(&app, &ISingleApplication::messageReceived, &app, &ISingleApplication::activateWindow);

    qInstallMessageHandler(outputMessage);
    removeOldLogFiles();
    logStartBanner();
    installFFmpegLogHandler();
    app.handleTerminationSignals();
    // Also loads the user's language, before any notice about the settings file.
    IConfigureService::instance()->readConfigure();
    const int result = app.exec();
    // A language change asks for a new process once this one has let go of its key.
    if (app.restartRequested())
        app.restartNow();
    return result;
}
}

int main(int argc, char** argv)
{
    return runProgram(argc, argv);
}
