#include "iapplication.h"

#include <QDebug>
#include <QEventLoop>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include "board/widget/itimemsgbox.h"
#include "ffmpeg/iffmpegapi.h"
#include "icamera.h"
#include "service/iboardservice.h"
#include "iglobal.h"
#include "mainframe.h"
#include "service/iconfigureservice.h"

IApplication::IApplication(const QString& appId, int& argc, char** argv)
    : ISingleApplication(appId, argc, argv)
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
    qDebug() << "auto adjsize: " << factors.width << factors.height << factors.square << screenSize;

    m_mainFrame = new MainFrame(this);
    IBoardService::instance()->setApplication(this);
    IBoardService::instance()->init();
    IConfigureService::instance()->setApplication(this);
    m_mainFrame->InitFirstSlide();

    // Give the camera back end a second to report before deciding whether to run;
    // a local loop waits without spinning the processor.
    QEventLoop wait;
    QTimer::singleShot(1000, &wait, &QEventLoop::quit);
    wait.exec();

    if (g_camera_info.index == -1) {
        qDebug() << "not find device quit app.";
        return 0;
    }
    return QApplication::exec();
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
