#include "imaintitlewidget.h"

#include <QComboBox>
#include <QCursor>
#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "customui/iitoolbutton.h"
#include "customui/isvglogo.h"
#include "customui/iuihelper.h"
#include "iapplication.h"
#include "icamera.h"
#include "iglobal.h"
#include "imachelper.h"
#include "mainframe.h"

namespace {
int scaled(double v) { return int(v * IGSQUARERATE); }

const char* const kWifiCamera = "Tarvenix WIFI";
const int kWifiCameraIndex = 999;
}

IMainTitleWidget::IMainTitleWidget(IApplication* app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
{
    setFixedHeight(scaled(40));
    QPalette pal = palette();
    pal.setBrush(QPalette::All, QPalette::Window, QColor(30, 30, 30));
    setAutoFillBackground(true);
    setPalette(pal);
    CreateUI();
}

void IMainTitleWidget::setSmallCameraPathProvider(std::function<QString()> provider)
{
    m_smallCameraPath = std::move(provider);
}

IIToolButton* IMainTitleWidget::button(ButtonType id) const
{
    return (id >= Cameras && id <= Close) ? m_buttons[id] : nullptr;
}

void IMainTitleWidget::hideCameraList()
{
    if (m_cameraBox)
        m_cameraBox->hide();
}

void IMainTitleWidget::CreateUI()
{
    const QSize logoSize(scaled(40 * 5), scaled(40));
    const QString logoFile = applicationResourcesPath() + QStringLiteral("/logo/") + g_software_logoname;
    m_logo = new ISvgLogo(logoFile);
    if (!m_logo->isValid())
        qWarning() << "title bar: logo not found" << logoFile;
    m_logo->setFixedSize(logoSize);

    struct Row { ButtonType id; const char* text; const char* normal; const char* click; };
    static const Row rows[] = {
        {Cameras, QT_TR_NOOP("Cameras"), "tcameranormal", "tcameraclick"},
        {Settings, QT_TR_NOOP("Settings"), "tsettingnormal", "tsettingclick"},
        {Minimize, QT_TR_NOOP("Minimize"), "tminnormal", "tminclick"},
        {Maximize, QT_TR_NOOP("Maximize"), "tfullnormal", "tfullclick"},
        {Restore, QT_TR_NOOP("Restore"), "tmaxnormal", "tmaxclick"},
        {Close, QT_TR_NOOP("Close"), "tclosenormal", "tcloseclick"},
    };
    const QString prefix = QStringLiteral(":/title/title/");
    for (const Row& r : rows)
        m_buttons[r.id] = CreateButton(QVariant(int(r.id)), tr(r.text), prefix + r.normal + ".svg",
                                       prefix + r.click + ".svg");
    m_buttons[Restore]->hide();
    m_buttons[Cameras]->hide();

    auto* row = new QHBoxLayout;
    row->setSpacing(scaled(1));
    row->addSpacing(scaled(30));
    row->addWidget(m_logo);
    row->addStretch();
    for (IIToolButton* b : m_buttons)
        row->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    layout->addLayout(row);
    layout->addStretch();
}

IIToolButton* IMainTitleWidget::CreateButton(QVariant id, const QString& text, const QString& normalIcon,
                                             const QString& pressedIcon)
{
    const QSize size(40, 40);
    IIToolButton* b;
    if (id.toInt() == Cameras)
        b = new IIToolButton(id, text, size, normalIcon, pressedIcon, nullptr);
    else
        b = new IIToolButton(id, text, normalIcon, pressedIcon, false, size, 8, nullptr);
    connect(b, &IIToolButton::sgButtonClick, b,
            [this](bool state, QVariant buttonId) { onButtonClick(state, buttonId); }, Qt::DirectConnection);
    return b;
}

QWidget* IMainTitleWidget::mainWindow() const
{
    if (m_app && m_app->mainFrame())
        return m_app->mainFrame();
    QWidget* w = window();
    return w != this ? w : nullptr;
}

void IMainTitleWidget::onButtonClick(bool, const QVariant& id)
{
    QWidget* mf = mainWindow();
    switch (id.toInt()) {
    case Cameras:
        toggleCameraList();
        break;
    case Settings:
        emit sgShowSettings();
        break;
    case Minimize:
        if (mf)
            mf->showMinimized();
        break;
    case Maximize:
        if (mf)
            mf->showFullScreen();
        m_buttons[Maximize]->hide();
        m_buttons[Restore]->show();
        emit sgCenterBoard();
        break;
    case Restore:
        if (mf) {
            setFramelessWindowHintForMac(mf);
            mf->showMaximized();
        }
        m_buttons[Maximize]->show();
        m_buttons[Restore]->hide();
        emit sgCenterBoard();
        break;
    case Close:
        if (mf)
            mf->close();
        break;
    default:
        break;
    }
}

void IMainTitleWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressPos = QPoint(qRound(event->localPos().x()), qRound(event->localPos().y()));
    }
    QWidget::mousePressEvent(event);
}

void IMainTitleWidget::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void IMainTitleWidget::mouseMoveEvent(QMouseEvent* event)
{
    QWidget* mf = mainWindow();
    if (m_dragging && mf) {
        const QPoint pos(qRound(event->localPos().x()), qRound(event->localPos().y()));
        mf->move(mf->pos() + (pos - m_pressPos));
        emit sgMove();
    }
    QWidget::mouseMoveEvent(event);
}

void IMainTitleWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (QWidget* mf = mainWindow()) {
        QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            mf->setGeometry(screen->availableGeometry());
    }
    QWidget::mouseDoubleClickEvent(event);
}

QComboBox* IMainTitleWidget::CreateCamerasBox()
{
    const QFont font = createFont(8, 50);
    QComboBox* box = createComboBox({QStringLiteral("Temp")}, 25, font, 25, font, mainWindow());
    box->setFixedSize(scaled(160), scaled(28));
    box->hide();
    connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &IMainTitleWidget::changeCameraIndex);
    return box;
}

QList<ICameraInfo> IMainTitleWidget::cameraList() const { return ICamera::instance()->validCameraList(); }

QList<ICameraInfo> IMainTitleWidget::cameraInfo() const { return ICamera::instance()->validCameraInfo(); }

void IMainTitleWidget::toggleCameraList()
{
    if (!m_cameraBox)
        m_cameraBox = CreateCamerasBox();
    if (m_cameraBox->isHidden())
        rebuildCameraList();
    m_cameraBox->setVisible(!m_cameraBox->isVisible());
}

void IMainTitleWidget::rebuildCameraList()
{
    emit sgHideSecondWidget();
    const QString smallCamera = m_smallCameraPath ? m_smallCameraPath() : QString();

    // Rebuilding must not switch cameras.
    disconnect(m_cameraBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
               &IMainTitleWidget::changeCameraIndex);
    m_cameraBox->clear();
    m_cameraList = cameraList();

    bool currentSet = false;
    for (const ICameraInfo& info : qAsConst(m_cameraList)) {
        if (info.devicePath == smallCamera)
            continue;
        m_cameraBox->addItem(info.description, info.devicePath);
        if (info.devicePath == g_camera_info.devicePath) {
            qDebug() << "current camera: " << info.devicePath << g_camera_info.devicePath;
            m_cameraBox->setCurrentIndex(m_cameraBox->count() - 1);
            currentSet = true;
        }
    }
    if (ICamera::instance()->hasValidRtspUrl())
        m_cameraBox->addItem(QString::fromLatin1(kWifiCamera), QString());
    // Adding to an empty box makes the first row current; only the open camera may be.
    if (!currentSet)
        m_cameraBox->setCurrentIndex(-1);

    m_cameraBox->move(int(width() - m_cameraBox->width() - 60 * IGSQUARERATE), height());
    connect(m_cameraBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &IMainTitleWidget::changeCameraIndex);
}

void IMainTitleWidget::changeCameraIndex(int index)
{
    if (!m_cameraBox)
        return;
    m_cameraBox->hide();
    if (index < 0)
        return;

    const QString key = m_cameraBox->currentData().toString();
    ICameraInfo info;
    if (key.isEmpty()) {
        // The Wi-Fi camera has its own index; the combo row says nothing about it.
        info.index = kWifiCameraIndex;
        info.description = m_cameraBox->currentText();
    } else {
        const QList<ICameraInfo> cameras = cameraInfo();
        for (const ICameraInfo& c : cameras) {
            if (c.devicePath == key) {
                info = c;
                break;
            }
        }
    }
    qDebug() << "chose camera: " << info.description << info.devicePath;
    if (mainWindow() && info.index >= 0)
        emit sgSwitchCamera(info);
}
