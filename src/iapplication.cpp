#include "iapplication.h"

#include <QDebug>
#include <QMouseEvent>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>

#include "board/widget/itimemsgbox.h"
#include "ffmpeg/iffmpegapi.h"
#include "icamera.h"
#include "service/iboardservice.h"
#include "iglobal.h"
#include "imachelper.h"
#include "mainframe.h"
#include "service/iconfigureservice.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {
// The self-pipe: the signal handler only writes the signal number into it; the event
// loop reads it and does the work outside the handler.
int g_signalPipe[2] = {-1, -1};

void onSignal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    if (::write(g_signalPipe[1], &byte, 1) < 0) {
        // Full pipe: a quit is already pending.
    }
    errno = saved;
}

// On a Wayland desktop other than GNOME, Qt 5 runs as a native Wayland client, whose
// window never learns where it is on the screen: a chosen area could not be found in
// the screen cast. XWayland tells it, so the program runs there when it is available
// and the user named no platform. The arguments Qt is made with: the program's own, with
// "-platform xcb;wayland" then; Qt keeps both for its life, and the environment is left
// to the programs this one starts.
struct QtArguments
{
    int* count;
    char** values;
};

const QtArguments& qtArguments(int& argc, char** argv)
{
    static int count = 0;
    static std::vector<char*> values;
    static const QtArguments chosen = [&]() -> QtArguments {
        const bool named = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
            || std::any_of(argv, argv + argc, [](const char* a) { return std::strcmp(a, "-platform") == 0; });
        if (named || !isWaylandSession() || !hasLocalXDisplay())
            return {&argc, argv};
        // Natively after all, should XWayland refuse the connection.
        static char option[] = "-platform";
        static char platforms[] = "xcb;wayland";
        values.assign(argv, argv + argc);
        values.insert(values.begin() + (argc > 0 ? 1 : 0), {option, platforms});
        count = int(values.size());
        values.push_back(nullptr);
        return {&count, values.data()};
    }();
    return chosen;
}
}

IApplication::IApplication(const QString& appId, int& argc, char** argv)
    : ISingleApplication(appId, *qtArguments(argc, argv).count, qtArguments(argc, argv).values)
{
    // The data folder (settings, logs) is named after the program, not the binary.
    setApplicationName(g_software_name);
    connect(this, &QCoreApplication::aboutToQuit, this, &IApplication::destroySingletons);
}

IApplication::~IApplication()
{
    delete m_mainFrame;
    destroySingletons();
}

MainFrame* IApplication::mainFrame() const
{
    return m_mainFrame;
}

int IApplication::exec()
{
    if (m_mainFrame)
        return QApplication::exec();

    QScreen* screen = primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize();
    const ScaleFactors factors = computeScaleFactors(screenSize);
    applyScaleFactors(factors);
    qDebug() << "auto adjsize: " << factors.width << factors.height << factors.square << screenSize << "platform"
             << platformName();

    m_mainFrame = new MainFrame(this);
    IBoardService::instance()->setApplication(this);
    IBoardService::instance()->init();
    IConfigureService::instance()->setApplication(this);
    m_mainFrame->InitFirstSlide();

    // Give the camera back end a second to report before deciding whether to run. The
    // wait is the main loop's own: a quit during it ends the program, where a loop of
    // its own would take the quit for its end and the main loop would then run on.
    QTimer::singleShot(1000, this, &IApplication::endStartupWait);
    return QApplication::exec();
}

void IApplication::endStartupWait()
{
    m_startupOver = true;
    // A quit asked for before the loop ran was lost: it is repeated here.
    if (m_quitRequested) {
        qDebug() << "quit requested during start-up.";
        quit();
    } else if (g_camera_info.index == -1) {
        qDebug() << "not find device quit app.";
        quit();
    }
}

void IApplication::handleTerminationSignals()
{
    if (g_signalPipe[0] >= 0)
        return;
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        qWarning() << Q_FUNC_INFO << "no signal pipe:" << strerror(errno);
        return;
    }
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &IApplication::onTerminationSignal);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
}

void IApplication::onTerminationSignal()
{
    char bytes[16];
    const ssize_t n = ::read(g_signalPipe[0], bytes, sizeof(bytes));
    qWarning() << "termination signal" << (n > 0 ? int(bytes[0]) : 0) << "received: closing.";
    quitOrderly();
}

void IApplication::quitOrderly()
{
    if (m_quitRequested)
        return;
    m_quitRequested = true;
    // The same shutdown as the window's close button, also for a window not shown yet.
    if (m_mainFrame)
        m_mainFrame->close();
    quit();
}

void IApplication::quitWithoutWindow()
{
    // At the end of the start-up wait the missing camera is seen and the loop ends.
    if (!m_startupOver)
        return;
    qDebug() << "no camera and no window: quit app.";
    quit();
}

bool IApplication::notify(QObject* receiver, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        emit sgGMousePressEvent(static_cast<QMouseEvent*>(event)->globalPos());
        break;
    case QEvent::MouseMove:
        emit sgGMouseMoveEvent(static_cast<QMouseEvent*>(event)->globalPos());
        break;
    default:
        break;
    }
    return ISingleApplication::notify(receiver, event);
}

void IApplication::destroySingletons()
{
    // Threads first (recorder, camera back ends), then the services and widgets.
    IFFmpegApi::destroyInstance();
    ICamera::destroyInstance();
    IBoardService::destroyInstance();
    ITimeMsgBox::destroyInstance();
    IConfigureService::destroyInstance();
}
