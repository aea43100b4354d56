#include "customui/ismallcameraframe.h"

#include <QCameraViewfinder>
#include <QCameraViewfinderSettings>
#include <QComboBox>
#include <QDebug>
#include <QGuiApplication>
#include <QMetaEnum>
#include <QScreen>
#include <QVBoxLayout>

#include "customui/iitoolbutton.h"
#include "customui/imsgbox.h"
#include "customui/ipanelframe.h"
#include "customui/iuihelper.h"
#include "customui/iwindowplace.h"
#include "icamera.h"
#include "iglobal.h"
#include "mainframe.h"

namespace {
QString errorName(QCamera::Error error)
{
    const QMetaObject& meta = QCamera::staticMetaObject;
    const QMetaEnum e = meta.enumerator(meta.indexOfEnumerator("Error"));
    return QStringLiteral("QCamera::") + QString::fromLatin1(e.valueToKey(error));
}

QCameraInfo platformCamera(int index)
{
    const QList<QCameraInfo> cameras = QCameraInfo::availableCameras();
    return index >= 0 && index < cameras.size() ? cameras.at(index) : QCameraInfo();
}
}

ISmallCameraFrame::ISmallCameraFrame(IApplication* app, QWidget* parent)
    : ICustomWidget(tr("Picture-in-picture"), true, parent)
    , m_app(app)
{
    CreateUI();
    setMoveState(true);
    setBackgroundLinearGradient(true);
}

ISmallCameraFrame::~ISmallCameraFrame()
{
    CloseCamera();
}

QPoint ISmallCameraFrame::cornerPosition() const
{
    const double s = IGSQUARERATE;
    // A window of its own: the corner is the main window's, in global coordinates.
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = owner ? owner->geometry() : (screen ? screen->availableGeometry() : QRect());
    return area.topLeft()
           + QPoint(static_cast<int>(area.width() - width() - 60 * s - 20 * s), static_cast<int>(40 * s + 20 * s));
}

void ISmallCameraFrame::moveToCorner()
{
    giveScreen(this, windowScreen(parentWidget()));
    placeOnWindowScreen(this, cornerPosition(), parentWidget());
}

bool ISmallCameraFrame::setFrameVisible(const bool& visible)
{
    if (!visible) {
        CloseCamera();
        setVisible(false);
        return false;
    }
    if (isVisible()) {
        moveToCorner();
        return true;
    }
    if (!InitCamera()) {
        IMsgBox::showMsg(tr("No camera device available"), IPanelPlacement::mainFrame(m_app));
        return false;
    }
    m_camera = CreateCamera(m_platformInfo);
    moveToCorner();
    show();
    return true;
}

void ISmallCameraFrame::hideCameraList()
{
    if (m_list)
        m_list->hide();
}

bool ISmallCameraFrame::stopCamera()
{
    const ICameraInfo kept = m_info;
    CloseCamera();
    m_info = kept;
    return false;
}

bool ISmallCameraFrame::startCamera()
{
    const QList<ICameraInfo> cameras = cameraInfos();
    for (const ICameraInfo& info : cameras) {
        if (info.devicePath != m_info.devicePath)
            continue;
        // A running camera is replaced, not leaked.
        stopCamera();
        m_info = info;
        const QCameraInfo platform = platformCamera(info.index);
        if (!platform.isNull())
            m_platformInfo = platform;
        m_camera = CreateCamera(m_platformInfo);
        return true;
    }
    return false;
}

QList<ICameraInfo> ISmallCameraFrame::cameraInfos() const
{
    return ICamera::instance()->validCameraInfo();
}

QList<ICameraInfo> ISmallCameraFrame::otherCameras(const QList<ICameraInfo>& all, const ICameraInfo& main)
{
    const bool mainHasIds = !main.vid.isEmpty() && !main.pid.isEmpty();
    QList<ICameraInfo> others;
    for (const ICameraInfo& info : all) {
        if (info.devicePath == main.devicePath)
            continue;
        if (mainHasIds && info.vid.compare(main.vid, Qt::CaseInsensitive) == 0
            && info.pid.compare(main.pid, Qt::CaseInsensitive) == 0)
            continue;
        others.append(info);
    }
    return others;
}

QSize ISmallCameraFrame::viewfinderResolution(const QList<QSize>& supported)
{
    for (const QSize& size : supported)
        if (size.width() >= 400)
            return size;
    return QSize(640, 480);
}

QSize ISmallCameraFrame::viewfinderSize(const QSize& resolution)
{
    const int side = static_cast<int>(400 * IGSQUARERATE);
    return resolution.scaled(side, side, Qt::KeepAspectRatio);
}

bool ISmallCameraFrame::InitCamera()
{
    const QList<ICameraInfo> others = otherCameras(cameraInfos(), g_camera_info);
    if (others.isEmpty())
        return false;
    m_info = others.first();
    const QCameraInfo platform = platformCamera(m_info.index);
    if (!platform.isNull())
        m_platformInfo = platform;
    return true;
}

void ISmallCameraFrame::CloseCamera()
{
    if (!m_camera)
        return;
    m_camera->stop();
    delete m_camera;
    m_camera = nullptr;
    m_info = ICameraInfo();
}

QCamera* ISmallCameraFrame::CreateCamera(QCameraInfo info)
{
    qDebug() << "small camera: " << info.description() << info.deviceName();
    // A null description would open the system's default camera, which may well be
    // the main window's.
    if (info.isNull())
        return nullptr;
    auto* camera = new QCamera(info);
    camera->setViewfinder(m_viewfinder);
    connect(camera, QOverload<QCamera::Error>::of(&QCamera::error), this, &ISmallCameraFrame::cameraError);
    camera->start();

    const QSize resolution = viewfinderResolution(camera->supportedViewfinderResolutions());
    QCameraViewfinderSettings settings;
    settings.setPixelFormat(QVideoFrame::Format_Jpeg);
    settings.setResolution(resolution);
    camera->setViewfinderSettings(settings);

    m_viewfinder->setFixedSize(viewfinderSize(resolution));
    adjustSize();
    m_cameraButton->move(static_cast<int>(width() - 60 * IGSQUARERATE), 0);
    return camera;
}

void ISmallCameraFrame::changeCameraIndex(int index)
{
    Q_UNUSED(index)
    CloseCamera();
    m_list->hide();
    const QString path = m_list->currentData(Qt::UserRole).toString();
    const QList<ICameraInfo> cameras = cameraInfos();
    for (const ICameraInfo& info : cameras) {
        if (info.devicePath != path)
            continue;
        m_info = info;
        const QCameraInfo platform = platformCamera(info.index);
        if (!platform.isNull()) {
            m_platformInfo = platform;
            m_camera = CreateCamera(m_platformInfo);
        }
        moveToCorner();
        return;
    }
}

void ISmallCameraFrame::cameraError(QCamera::Error error)
{
    qDebug() << "qcamera error code: " << errorName(error);
    if (auto* camera = qobject_cast<QCamera*>(sender()))
        qDebug() << "qcamera error string: " << errorName(camera->error()) << camera->errorString();
}

void ISmallCameraFrame::onCameraButton()
{
    if (m_list->isVisible()) {
        m_list->hide();
        return;
    }
    if (MainFrame* frame = IPanelPlacement::mainFrame(m_app))
        frame->slHideSecondWidget(0, QVariant(0));
    disconnect(m_list, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
               &ISmallCameraFrame::changeCameraIndex);
    m_list->clear();
    int current = -1;
    const QList<ICameraInfo> others = otherCameras(cameraInfos(), g_camera_info);
    for (const ICameraInfo& info : others) {
        m_list->addItem(info.description, info.devicePath);
        if (info.devicePath == m_info.devicePath)
            current = m_list->count() - 1;
    }
    m_list->setCurrentIndex(current);
    m_list->move(width() - m_list->width(), static_cast<int>(30 * IGHEIGHTRATE));
    connect(m_list, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ISmallCameraFrame::changeCameraIndex);
    m_list->show();
    m_list->raise();
}

void ISmallCameraFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    m_viewfinder = new QCameraViewfinder(this);
    auto* layout = new QVBoxLayout(this);
    const int m = static_cast<int>(10 * s);
    layout->setContentsMargins(m, static_cast<int>(30 * IGHEIGHTRATE + 10 * s), m, m);
    layout->addWidget(m_viewfinder);
    adjustSize();
    connect(this, &ICustomWidget::sgClose, this, &ISmallCameraFrame::CloseCamera, Qt::DirectConnection);

    const QFont font = createFont(8, 50);
    m_list = createComboBox(QStringList{QStringLiteral("Temp")}, 25, font, 25, font, this);
    m_list->setFixedSize(static_cast<int>(160 * s), static_cast<int>(28 * s));
    m_list->hide();
    connect(m_list, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ISmallCameraFrame::changeCameraIndex);

    m_cameraButton = new IIToolButton(0, tr("Cameras"), QSize(30, 30), QStringLiteral(":/title/title/tcameranormal.svg"),
                                      QStringLiteral(":/title/title/tcameraclick.svg"), this);
    m_cameraButton->move(static_cast<int>(width() - 60 * s), 0);
    connect(m_cameraButton, &IIToolButton::sgButtonClick, this, [this](bool, QVariant) { onCameraButton(); },
            Qt::DirectConnection);
}
