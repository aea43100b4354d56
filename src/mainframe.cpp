#include "mainframe.h"

#include <QCloseEvent>

#include "imachelper.h"
#include "service/iconfigureservice.h"

MainFrame::MainFrame(IApplication* app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
{
    IConfigureService::instance()->readConfigure();
    setFramelessWindowHintForMac(this);
}

MainFrame::~MainFrame() = default;

void MainFrame::InitFirstSlide()
{
    // No board and no camera manager yet: the window stays hidden and g_camera_info
    // keeps index -1, so start-up ends with "not find device".
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    IConfigureService::instance()->writeConfigure();
    QWidget::closeEvent(event);
}
