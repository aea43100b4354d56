#include "customui/ivideorecordframe.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTime>
#include <QVBoxLayout>

#include "board/iboard.h"
#include "board/widget/ibasewidget.h"
#include "board/widget/itimemsgbox.h"
#include "customui/icameratoolbar.h"
#include "customui/iimglistviewer.h"
#include "customui/iitoolbutton.h"
#include "customui/imsgbox.h"
#include "customui/imacospermissionbox.h"
#include "customui/ipanelframe.h"
#include "customui/iuihelper.h"
#include "ffmpeg/iffmpegapi.h"
#include "idialogseam.h"
#include "iglobal.h"
#include "imachelper.h"
#include "mainframe.h"
#include "service/iconfigureservice.h"

namespace {
const QString CLOCK_ZERO = QStringLiteral("00 : 00 : 00");
}

IVideoRecordMsgBox::IVideoRecordMsgBox(QWidget* parent)
    : ICustomWidget(tr("Screen recording"), true, parent)
{
    CreateUI();
    setMoveState(true);
    setBackgroundLinearGradient(true);
}

void IVideoRecordMsgBox::CreateUI()
{
    const double s = IGSQUARERATE;
    m_note = createLabel(QString(), this);
    m_note->setWordWrap(true);
    m_note->setMinimumWidth(int(400 * IGWIDTHRATE));
    m_note->hide();
    m_label = createLabel(QString(), this);
    m_label->setWordWrap(true);
    m_label->setMinimumWidth(int(400 * IGWIDTHRATE));
    m_label->setMinimumHeight(int(60 * IGWIDTHRATE));
    m_label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* openFile = new IIToolButton(0, tr("Open file"), QSize(150, 35), IIToolButton::AllRadius, false);
    auto* openDir = new IIToolButton(0, tr("Open directory"), QSize(150, 35), IIToolButton::AllRadius, false);
    auto* close = new IIToolButton(0, tr("Close"), QSize(150, 35), IIToolButton::AllRadius, false);
    connect(close, &IIToolButton::sgButtonClick, this, [this] { QWidget::close(); });
    connect(openFile, &IIToolButton::sgButtonClick, this, [this] { openFileOrFolder(false); });
    connect(openDir, &IIToolButton::sgButtonClick, this, [this] { openFileOrFolder(true); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(openFile);
    buttons->addWidget(openDir);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(int(20 * s), int(30 * IGHEIGHTRATE + 20 * s), int(20 * s), int(20 * s));
    layout->addWidget(m_note);
    layout->addWidget(m_label);
    layout->addSpacing(int(20 * s));
    layout->addLayout(buttons);
    adjustSize();
}

void IVideoRecordMsgBox::openFileOrFolder(bool folder)
{
    accept();
    const QString path =
        folder ? IConfigureService::instance()->videoPath() : QDir::fromNativeSeparators(m_label->text());
    // Without a player or file manager the opener fails unseen: name the place instead.
    if (!IImgListViewer::open(path))
        IMsgBox::showMsg(tr("No program to open it was found. It is at:\n%1").arg(QDir::toNativeSeparators(path)),
                         parentWidget());
}

QString IVideoRecordMsgBox::text() const
{
    return m_label->text();
}

QString IVideoRecordMsgBox::note() const
{
    return m_note->text();
}

void IVideoRecordMsgBox::setFrameVisible(const bool& visible, const QString& text, const QString& note)
{
    if (!visible) {
        accept();
        return;
    }
    m_label->setText(text);
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
    adjustSize();
    // A test answers the box instead of a person.
    if (IDialogSeam::hasMessageHook()) {
        IDialogSeam::answerMessage(note.isEmpty() ? text : note + QLatin1Char('\n') + text, title());
        return;
    }
    // Qt's own centring shifts a frameless box by a guessed frame, and stops once dragged.
    centreOnWindow(this, parentWidget());
    exec();
}

IVideoRecordFrame::IVideoRecordFrame(IApplication* app, QWidget* parent)
    : IFreeZoneWidget(parent)
    , m_app(app)
{
    m_bracketColor = QColor(255, 0, 0, 255);
    CreateUI();
    setButtonsVisible(false);
    setVideoButtonsVisible(false);
    setButtonsSelect(3);
    setWindowFlags(Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    // The recorded area stays where it was chosen on the screen when the window moves.
    if (QWidget* window = parentWidget())
        window->installEventFilter(this);
}

MainFrame* IVideoRecordFrame::mainFrame() const
{
    return IPanelPlacement::mainFrame(m_app);
}

IIToolButton* IVideoRecordFrame::CreateButton(QVariant id, const QString& text, const QSize& size)
{
    auto* button = new IIToolButton(id, text, size, IIToolButton::NoRadius, true, nullptr);
    button->setCursor(Qt::ArrowCursor);
    connect(button, &IIToolButton::sgButtonClick, this, &IVideoRecordFrame::onRegionClick, Qt::DirectConnection);
    m_regionButtons.append(button);
    return button;
}

IIToolButton* IVideoRecordFrame::CreateButton(QVariant id, const QString& text, const QString& a, const QString& b,
                                              int radius, bool checkable, QSize size, QWidget* parent)
{
    auto* button = new IIToolButton(id, text, a, b, int(radius * IGSQUARERATE), checkable, size, 8, parent);
    button->setCursor(Qt::ArrowCursor);
    connect(button, &IIToolButton::sgButtonClick, this, &IVideoRecordFrame::onControlClick, Qt::DirectConnection);
    return button;
}

void IVideoRecordFrame::CreateUI()
{
    const double s = IGSQUARERATE;
    IIToolButton* full = CreateButton(0, tr("Full screen"), QSize(150, 35));
    IIToolButton* automatic = CreateButton(5, tr("自动判断"), QSize(150, 35));
    IIToolButton* r1024 = CreateButton(1, QStringLiteral("1024*768"), QSize(100, 35));
    IIToolButton* r1080 = CreateButton(2, QStringLiteral("1080*720"), QSize(100, 35));
    IIToolButton* r800 = CreateButton(3, QStringLiteral("800*600"), QSize(100, 35));
    IIToolButton* r640 = CreateButton(4, QStringLiteral("640*480"), QSize(100, 35));
    IIToolButton* quit = CreateButton(5, tr("Quit"), QStringLiteral(":/title/title/tclosenormal.svg"),
                                      QStringLiteral(":/title/title/tcloseclick.svg"), 0, false, QSize(35, 35),
                                      nullptr);
    m_startButton = CreateButton(6, tr("Start"), QStringLiteral(":/root/root/rstartclick.svg"),
                                 QStringLiteral(":/root/root/rstartnormal.svg"), 40, false, QSize(80, 80), this);

    m_regionBar = new QWidget(this);
    auto* regions = new QHBoxLayout(m_regionBar);
    regions->setContentsMargins(0, 0, 0, 0);
    regions->setSpacing(0);
    regions->addStretch();
    for (QWidget* w : {static_cast<QWidget*>(full), static_cast<QWidget*>(automatic), static_cast<QWidget*>(r1024),
                       static_cast<QWidget*>(r1080), static_cast<QWidget*>(r800), static_cast<QWidget*>(r640),
                       static_cast<QWidget*>(quit)})
        regions->addWidget(w);
    m_regionBar->adjustSize();
    m_regionBar->raise();

    m_clockLabel = createLabel(CLOCK_ZERO, nullptr);
    m_clockLabel->setFixedSize(int(150 * s), int(80 * s));
    m_clockLabel->setAlignment(Qt::AlignCenter);
    m_clockLabel->setFont(createFont(20, 75));
    m_clockLabel->setStyleSheet(QStringLiteral("color:red;background-color:transparent;"));

    m_resumeButton = CreateButton(7, tr("Start"), QStringLiteral(":/root/root/rstartclick.svg"),
                                  QStringLiteral(":/root/root/rstartnormal.svg"), 20, false, QSize(50, 50), this);
    m_resumeButton->hide();
    m_haltButton = CreateButton(8, tr("Halt"), QStringLiteral(":/root/root/rpausenormal.svg"),
                                QStringLiteral(":/root/root/rpauseclick.svg"), 20, false, QSize(50, 50), this);
    m_stopButton = CreateButton(9, tr("Stop"), QStringLiteral(":/root/root/rstopnormal.svg"),
                                QStringLiteral(":/root/root/rstopclick.svg"), 20, false, QSize(50, 50), this);

    m_clockTimer = new QTimer(this);
    connect(m_clockTimer, &QTimer::timeout, this, &IVideoRecordFrame::onClockTick, Qt::DirectConnection);

    // On the parent, so it stays usable while the frame lets the mouse through.
    m_controlBar = new QWidget(parentWidget());
    auto* controls = new QHBoxLayout(m_controlBar);
    controls->addStretch();
    controls->addWidget(m_resumeButton);
    controls->addWidget(m_haltButton);
    controls->addWidget(m_stopButton);
    controls->addWidget(m_clockLabel);
    m_controlBar->adjustSize();
    m_controlBar->setFixedWidth(int(m_controlBar->width() * 1.2));
    // In the bar, beside the clock: the recorded area stays clear.
    m_microphoneAway = createLabel(tr("The microphone is gone: no sound is recorded until it is back"), nullptr);
    m_microphoneAway->setObjectName(QStringLiteral("microphoneAway"));
    m_microphoneAway->setStyleSheet(QStringLiteral("color:white;background-color:rgba(200,0,0,200);padding:4px;"));
    m_microphoneAway->hide();
    controls->insertWidget(1, m_microphoneAway);

    // On the parent too: the frame lets the mouse through while Start waits.
    m_waitBar = new QWidget(parentWidget());
    m_waitBar->setObjectName(QStringLiteral("recordWaitBar"));
    m_waitBar->setAttribute(Qt::WA_StyledBackground, true);
    m_waitBar->setStyleSheet(QStringLiteral("#recordWaitBar{background-color:rgba(0,0,0,200);border-radius:6px;}"));
    m_waitText = createLabel(tr("Waiting for the desktop's permission to share the screen..."), m_waitBar);
    m_waitText->setStyleSheet(QStringLiteral("color:white;background-color:transparent;padding:6px;"));
    auto* cancel = new IIToolButton(0, tr("Cancel"), QSize(150, 35), IIToolButton::AllRadius, false);
    connect(cancel, &IIToolButton::sgButtonClick, this, &IVideoRecordFrame::cancelStart);
    auto* waiting = new QHBoxLayout(m_waitBar);
    waiting->addWidget(m_waitText);
    waiting->addWidget(cancel);
    m_waitBar->adjustSize();
    m_waitBar->hide();
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), parentWidget() ? parentWidget() : this);
    m_escape->setContext(Qt::WindowShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &IVideoRecordFrame::cancelStart);

    m_permissionBox = new IMacosPermissionBox(parentWidget());
    m_permissionBox->hide();
    m_msgBox = new IVideoRecordMsgBox(parentWidget());
    m_msgBox->hide();

    IFFmpegApi* api = IFFmpegApi::instance();
    connect(api, &IFFmpegApi::sgRecordVideo, this, &IVideoRecordFrame::onRecordFinished, Qt::DirectConnection);
    connect(api, &IFFmpegApi::recordMessage, this, &IVideoRecordFrame::onRecordMessage, Qt::DirectConnection);
    connect(api, &IFFmpegApi::sgFinalised, this, [this] {
        if (m_startQueued && m_waiting)
            startRecording();
    });
}

void IVideoRecordFrame::setButtonsSelect(const QVariant& id)
{
    for (IIToolButton* button : qAsConst(m_regionButtons))
        button->setSelectState(button->id() == id);
}

void IVideoRecordFrame::setButtonsVisible(const bool& visible)
{
    if (visible) {
        setPainterState(true);
        const QRect select = getSelectRect();
        int x = select.right() - m_regionBar->width() - 2;
        if (x < 0)
            x = select.left() + 2;
        m_regionBar->move(x, select.bottom() - m_regionBar->height() - 2);
        m_startButton->move((select.left() + select.right()) / 2 - m_startButton->width() / 2,
                            (select.top() + select.bottom()) / 2 - m_startButton->height() / 2);
        m_regionBar->raise();
        m_startButton->raise();
    }
    m_regionBar->setVisible(visible);
    m_startButton->setVisible(visible);
}

void IVideoRecordFrame::setVideoButtonsVisible(const bool& visible)
{
    if (visible) {
        m_controlBar->move((width() - m_controlBar->width()) / 2,
                           int(height() - m_controlBar->height() - 120 * IGSQUARERATE));
        m_controlBar->raise();
    }
    m_controlBar->setVisible(visible);
}

void IVideoRecordFrame::giveButtonBack()
{
    if (ICameraToolBar* bar = IPanelPlacement::cameraToolBar(m_app)) {
        bar->setButtonEnable(ICameraToolBar::VideoRecording, true);
        bar->setButtonChecked(ICameraToolBar::VideoRecording, false);
    }
}

void IVideoRecordFrame::selectCameraPicture()
{
    MainFrame* frame = mainFrame();
    if (!frame || !frame->m_board) {
        setSelectSize(QSize(800, 600));
        return;
    }
    frame->m_board->resetScalex();
    const QRectF global = frame->m_board->pixmapEleGlobalBoundingRect();
    const QPoint topLeft = mapFromGlobal(QPoint(qRound(global.x()), qRound(global.y())));
    setSelectRect(QRect(topLeft, QSize(qRound(global.width()), qRound(global.height()))));
}

void IVideoRecordFrame::setFrameVisible(const bool& visible)
{
    if (!isValidMicrophonePermission()) {
        m_permissionBox->showPermissionBox(IMacosPermissionBox::Microphone);
        giveButtonBack();
        qDebug() << "access microphone premission: " << "false";
        return;
    }
    // A Wayland desktop is asked at Start, where a refusal is told.
    if (!isWaylandSession() && !isValidRecordscreenPermission()) {
        m_permissionBox->showPermissionBox(IMacosPermissionBox::ScreenRecording);
        giveButtonBack();
        qDebug() << "access screen recording premission: " << "false";
        return;
    }
    // Hidden while Start waits (the camera bar's button again): the start is abandoned.
    if (!visible && m_waiting)
        cancelStart();
    if (visible) {
        setAttribute(Qt::WA_TransparentForMouseEvents, false);
        if (QWidget* parent = parentWidget())
            setGeometryx(QRect(0, 0, parent->width(), parent->height()));
        selectCameraPicture();
        setButtonsSelect(5);
        if (!isWindowPlaceKnown())
            showPlaceNotice();
    } else {
        m_clockLabel->setText(CLOCK_ZERO);
        giveButtonBack();
    }
    setVisible(visible);
    if (visible)
        raise();
    setButtonsVisible(visible);
}

void IVideoRecordFrame::showPlaceNotice()
{
    if (!m_placeNotice) {
        m_placeNotice = new QLabel(this);
        m_placeNotice->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_placeNotice->setWordWrap(true);
        m_placeNotice->setAlignment(Qt::AlignCenter);
        m_placeNotice->setFont(scaledUiFont(14, 75));
        m_placeNotice->setStyleSheet(QStringLiteral("QLabel{background-color:rgba(0,0,0,160);color:white;"
                                                    "border-radius:8px;padding:8px;}"));
    }
    m_placeNotice->setText(tr("The desktop does not tell where this window is: the whole screen is recorded"));
    const int w = qMin(width() - 40, qMax(300, width() / 2));
    m_placeNotice->setFixedWidth(w);
    m_placeNotice->adjustSize();
    m_placeNotice->move((width() - w) / 2, 20);
    m_placeNotice->show();
    m_placeNotice->raise();
    QTimer::singleShot(5000, m_placeNotice, &QWidget::hide);
}

QRect IVideoRecordFrame::getGlobalSelectRect() const
{
    // Without the window's place the area could only be guessed in the screen cast.
    if (!isWindowPlaceKnown())
        return screen()->geometry();
    return IFreeZoneWidget::getGlobalSelectRect();
}

void IVideoRecordFrame::onRegionClick(bool, QVariant id)
{
    const double s = IGSQUARERATE;
    switch (id.toInt()) {
    case 0: setSelectMaxSize(); break;
    case 1: setSelectSize(QSize(int(1024 * s), int(768 * s))); break;
    case 2: setSelectSize(QSize(int(1080 * s), int(720 * s))); break;
    case 3: setSelectSize(QSize(int(800 * s), int(600 * s))); break;
    case 4: setSelectSize(QSize(int(640 * s), int(480 * s))); break;
    case 5: selectCameraPicture(); break;
    default: break;
    }
    setButtonsVisible(true);
    setButtonsSelect(id);
}

void IVideoRecordFrame::startVideoRecord()
{
    IFFmpegApi::instance()->startRecordVideo(IConfigureService::instance()->videoPath(), getGlobalSelectRect());
}

void IVideoRecordFrame::enterRecordingState()
{
    setPainterState(false);
    setButtonsVisible(false);
    setVideoButtonsVisible(true);
    m_clockTimer->start(1000);
    m_elapsed = 0;
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    m_recordArea = getGlobalSelectRect();
}

void IVideoRecordFrame::showMicrophoneAway(bool away)
{
    if (away == m_microphoneAway->isVisible())
        return;
    const int width = m_microphoneAway->sizeHint().width() + m_controlBar->layout()->spacing();
    m_microphoneAway->setVisible(away);
    m_controlBar->setFixedWidth(m_controlBar->width() + (away ? width : -width));
    if (m_controlBar->isVisible())
        setVideoButtonsVisible(true);
}

void IVideoRecordFrame::leaveRecordingState()
{
    showMicrophoneAway(false);
    m_clockTimer->stop();
    m_resumeButton->hide();
    m_haltButton->show();
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    m_recordArea = QRect();
}

bool IVideoRecordFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        followWindow();
    return IFreeZoneWidget::eventFilter(watched, event);
}

void IVideoRecordFrame::followWindow()
{
    if (m_recordArea.isNull() || !isVisible())
        return;
    if (QWidget* window = parentWidget())
        setGeometryx(QRect(QPoint(0, 0), window->size()));
    placeSelectRect(QRect(mapFromGlobal(m_recordArea.topLeft()), m_recordArea.size()));
    setVideoButtonsVisible(true);
}

void IVideoRecordFrame::enterWaitingState()
{
    m_waiting = true;
    // The area asked for stays put if the window moves meanwhile, as it does while recording.
    m_recordArea = getGlobalSelectRect();
    m_waitCentre = m_startButton->geometry().center();
    setButtonsVisible(false);
    setAttribute(Qt::WA_TransparentForMouseEvents, true);
    m_waitBar->show();
    m_waitBar->raise();
    m_escape->setEnabled(true);
}

void IVideoRecordFrame::setWaitText(const QString& text)
{
    m_waitText->setText(text);
    m_waitBar->adjustSize();
    m_waitBar->move(qMax(0, m_waitCentre.x() - m_waitBar->width() / 2),
                    qMax(0, m_waitCentre.y() - m_waitBar->height() / 2));
}

void IVideoRecordFrame::leaveWaitingState()
{
    if (!m_waiting)
        return;
    m_waiting = false;
    m_startQueued = false;
    m_recordArea = QRect();
    m_waitBar->hide();
    m_escape->setEnabled(false);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void IVideoRecordFrame::cancelStart()
{
    if (m_startQueued) {
        leaveWaitingState();
        setFrameVisible(false);
        return;
    }
    // The recorder answers with "not started" (onRecordMessage), which puts the frame away.
    if (m_waiting)
        IFFmpegApi::instance()->cancelStartRecord();
}

void IVideoRecordFrame::startRecording()
{
    m_startQueued = false;
    setWaitText(tr("Waiting for the desktop's permission to share the screen..."));
    if (!IFFmpegApi::instance()->startRecordVideo(IConfigureService::instance()->videoPath(), m_recordArea)
        && m_waiting) {
        leaveWaitingState();
        setFrameVisible(false);
    }
}

void IVideoRecordFrame::onControlClick(bool, QVariant id)
{
    IFFmpegApi* api = IFFmpegApi::instance();
    switch (id.toInt()) {
    case 5: setFrameVisible(false); break;
    case 6:
        // A Wayland desktop may show its own dialog: the window stays usable meanwhile,
        // and the outcome comes as recordMessage (on X11 before the call returns).
        enterWaitingState();
        if (api->isFinalising()) {
            // The last file is still being written: this recording starts once it is.
            m_startQueued = true;
            setWaitText(tr("Saving the last recording..."));
        } else {
            startRecording();
        }
        break;
    case 7:
        api->pauseRecordVideo(false);
        m_clockTimer->start(1000);
        m_resumeButton->hide();
        m_haltButton->show();
        break;
    case 8:
        api->pauseRecordVideo(true);
        m_clockTimer->stop();
        m_haltButton->hide();
        m_resumeButton->show();
        break;
    case 9:
        setVideoButtonsVisible(false);
        setFrameVisible(false);
        api->stopRecordVideo();  // the finished box follows once the file is complete
        leaveRecordingState();
        break;
    default: break;
    }
}

void IVideoRecordFrame::stopVideoRecord()
{
    emit m_stopButton->clicked(false);
}

QString IVideoRecordFrame::clockText() const
{
    return m_clockLabel->text();
}

void IVideoRecordFrame::onClockTick()
{
    ++m_elapsed;
    m_bracketColor = QColor(m_bracketColor.green(), m_bracketColor.blue(), m_bracketColor.red(),
                            m_bracketColor.alpha());
    const QString text = QTime(0, 0).addSecs(m_elapsed % 86400).toString(QStringLiteral("hh : mm : ss"));
    m_clockLabel->setText(text);
    const int textWidth = m_clockLabel->fontMetrics().horizontalAdvance(text);
    if (textWidth != m_clockLabel->width()) {
        m_clockLabel->setFixedWidth(textWidth);
        m_controlBar->adjustSize();
    }
    update();
}

void IVideoRecordFrame::onRecordMessage(int code)
{
    switch (code) {
    case 2:
        leaveWaitingState();
        setVisible(true);
        enterRecordingState();
        if (IFFmpegApi::instance()->microphoneMissing())
            onRecordMessage(5);
        break;
    case 5:
        ITimeMsgBox::instance()->showMessageBox(tr("No microphone: recording without sound"), 3000,
                                                QPoint(-1000, -1000));
        break;
    case 6:
    case 7: showMicrophoneAway(code == 6); break;
    case 3:
        leaveWaitingState();
        setFrameVisible(false);
        break;
    case 4:
        if (!isVisible())
            return;
        setVideoButtonsVisible(false);
        setFrameVisible(false);
        leaveRecordingState();
        break;
    default: break;
    }
}

void IVideoRecordFrame::onRecordFinished(QString path, QString note)
{
    QWidget* window = parentWidget();
    if (window && !window->isEnabled())
        return;
    m_msgBox->setFrameVisible(true, QDir::toNativeSeparators(path), note);
}

void IVideoRecordFrame::paintEvent(QPaintEvent* event)
{
    if (!painterState()) {
        const double s = IGSQUARERATE;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(m_bracketColor, 20 * s, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        const QRect r = getSelectRect();
        const int a = int(-12 * s);
        const int b = int(12 * s);
        const int len = int(200 * s) / 2;
        const QPoint tl(r.left() + a, r.top() + a);
        const QPoint tRight(r.right() + b, r.top() + a);
        const QPoint br(r.right() + b, r.bottom() + b);
        const QPoint bl(r.left() + a, r.bottom() + b);
        painter.drawLine(tl, tl + QPoint(len, 0));
        painter.drawLine(tl, tl + QPoint(0, len));
        painter.drawLine(tRight, tRight - QPoint(len, 0));
        painter.drawLine(tRight, tRight + QPoint(0, len));
        painter.drawLine(br, br - QPoint(len, 0));
        painter.drawLine(br, br - QPoint(0, len));
        painter.drawLine(bl, bl + QPoint(len, 0));
        painter.drawLine(bl, bl - QPoint(0, len));
    }
    IFreeZoneWidget::paintEvent(event);
}

void IVideoRecordFrame::mousePressEvent(QMouseEvent* event)
{
    IFreeZoneWidget::mousePressEvent(event);
    if (painterState() && event->button() == Qt::LeftButton && controlType() != 9) {
        m_regionBar->hide();
        m_startButton->hide();
    }
}

void IVideoRecordFrame::mouseReleaseEvent(QMouseEvent* event)
{
    const bool dragged = painterState() && event->button() == Qt::LeftButton && controlType() != 9;
    IFreeZoneWidget::mouseReleaseEvent(event);
    if (dragged)
        setButtonsVisible(true);
}
