#include "customui/itimelapseframe.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTime>
#include <QVBoxLayout>

#include "board/widget/itimemsgbox.h"
#include "customui/ipanelframe.h"
#include "customui/iuihelper.h"
#include "customui/iwindowplace.h"
#include "iglobal.h"

namespace {
const int SHOT_ID = 0;
const int INTERVAL_ID = 1;
const int PAUSE_ID = 2;

int scaled(double v)
{
    return static_cast<int>(v * IGSQUARERATE);
}

QString operateIcon(OperateType type)
{
    switch (type) {
    case OPERATE_START:
        return QStringLiteral(":/android/timelapse1.svg");
    case OPERATE_STOP:
        return QStringLiteral(":/android/timelapse2.svg");
    case OPERATE_PAUSE:
        return QStringLiteral(":/root/root/rpausenormal.svg");
    case OPERATE_RESUME:
        return QStringLiteral(":/root/root/rpausered.svg");
    case OPERATE_PHOTO:
        break;
    }
    return QString();
}

QString operateText(OperateType type)
{
    switch (type) {
    case OPERATE_START:
        return ITimelapseFrame::tr("Start");
    case OPERATE_STOP:
        return ITimelapseFrame::tr("Stop");
    case OPERATE_PAUSE:
        return ITimelapseFrame::tr("Pause");
    case OPERATE_RESUME:
        return ITimelapseFrame::tr("Resume");
    case OPERATE_PHOTO:
        break;
    }
    return QString();
}

QString clockText(int seconds)
{
    return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("mm:ss"));
}
}

// ---- ITimelapseButton ----

ITimelapseButton::ITimelapseButton(QVariant id, QString text, int style, QSize size, QWidget* parent)
    : QToolButton(parent)
    , m_style(style)
    , m_size(scaled(size.width()), scaled(size.height()))
    , m_text(text)
    , m_id(id)
{
    if (m_style == 4) {
        auto* layout = new QVBoxLayout(this);
        layout->setSpacing(0);
        const int m = scaled(5);
        layout->setContentsMargins(m, m, m, m);
        m_valueLabel = createLabel(m_text, this);
        m_valueLabel->setAlignment(Qt::AlignCenter);
        m_valueLabel->setFont(createFont(14, 75));
        m_valueLabel->setStyleSheet(QStringLiteral("color:white;"));
        QLabel* unit = createLabel(tr("sec"), this);
        unit->setAlignment(Qt::AlignCenter);
        unit->setFont(createFont(10, 50));
        unit->setStyleSheet(QStringLiteral("color:white;"));
        for (QLabel* label : {m_valueLabel, unit}) {
            label->setAttribute(Qt::WA_TranslucentBackground);
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            layout->addWidget(label);
        }
    }
    refreshBackgroundPhoto();
    setFixedSize(m_size);
    connect(this, &QToolButton::clicked, this, [this](bool checked) { emit sgButtonClick(checked, m_id); });
}

void ITimelapseButton::setOperateType(OperateType type)
{
    if (type >= OPERATE_START && type <= OPERATE_RESUME) {
        m_text = operateIcon(type);
        setToolTip(operateText(type));
        m_type = type;
        refreshBackgroundPhoto();
        return;
    }
    m_type = type;
}

void ITimelapseButton::setTextx(const QString& text)
{
    m_text = text;
    if (m_valueLabel)
        m_valueLabel->setText(text);
}

void ITimelapseButton::refreshBackgroundPhoto()
{
    const double s = IGSQUARERATE;
    if (m_style == 4) {
        setStyleSheet(QStringLiteral("QToolButton{background-color:%1;border:none;border-radius:%3;padding:%4px;}"
                                     "QToolButton:hover{background-color:%2;}")
                          .arg(g_gradient_normal, g_gradient_hover)
                          .arg(8 * s)
                          .arg(8 * s));
        if (m_valueLabel)
            m_valueLabel->setText(m_text);
        return;
    }
    setStyleSheet(QStringLiteral("QToolButton{background-color:%4;border:none;border-radius:%1px;padding:%2px;"
                                 "image: url(%3);}")
                      .arg(8 * s)
                      .arg(8 * s)
                      .arg(m_text, g_gradient_normal));
}

// ---- ITimelapseTimes ----

ITimelapseTimes::ITimelapseTimes(QWidget* parent)
    : ICustomWidget(parent)
{
    setBackgroundLinearGradient(true);
    m_countdown = createLabel(QStringLiteral("00:00"), this);
    m_countdown->setFixedSize(scaled(50), scaled(40));
    m_count = createLabel(QStringLiteral("0"), this);
    m_count->setFixedSize(scaled(30), scaled(30));
    QLabel* shot = createLabel(tr("Shot"), this);
    QLabel* next = createLabel(tr("Next in"), this);
    // Shown only once a shot has been missed.
    m_missedLabel = createLabel(QString(), this);
    m_missedLabel->setStyleSheet(QStringLiteral("color:rgb(235,120,7);background-color:transparent;"));
    m_missedLabel->hide();
    for (QLabel* label : {shot, m_count, next, m_countdown, m_missedLabel}) {
        label->setAlignment(Qt::AlignCenter);
        label->setFont(createFont(12, 75));
    }
    for (QLabel* label : {m_count, m_countdown})
        label->setStyleSheet(QStringLiteral("color:white;background-color:transparent;"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(scaled(10), scaled(5), scaled(10), scaled(5));
    layout->addWidget(shot);
    layout->addWidget(m_count);
    layout->addWidget(next);
    layout->addWidget(m_countdown);
    layout->addWidget(m_missedLabel);
    adjustSize();

    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &ITimelapseTimes::tick, Qt::DirectConnection);
}

QString ITimelapseTimes::countdownText() const
{
    return m_countdown->text();
}

QString ITimelapseTimes::shotText() const
{
    return m_count->text();
}

QString ITimelapseTimes::missedText() const
{
    return m_missedLabel->isHidden() ? QString() : m_missedLabel->text();
}

void ITimelapseTimes::startTimer(int seconds)
{
    m_shots = 0;
    m_missed = 0;
    m_missedLabel->hide();
    adjustSize();
    m_interval = m_remaining = seconds;
    m_countdown->setText(clockText(seconds));
    m_count->setText(QStringLiteral("0"));
    m_timer.start();
    m_paused = false;
    show();
}

void ITimelapseTimes::pauseTimer()
{
    m_timer.stop();
    m_paused = true;
}

void ITimelapseTimes::resumeTimer()
{
    m_paused = false;
    // At 0 a shot is on its way: its return (or failure) starts the next countdown.
    if (m_remaining > 0)
        m_timer.start();
}

void ITimelapseTimes::stopTimer()
{
    m_count->setText(QStringLiteral("0"));
    m_countdown->setText(QStringLiteral("00:00"));
    m_timer.stop();
    m_paused = true;
    hide();
}

void ITimelapseTimes::takePhotoSuccessForTimed()
{
    ++m_shots;
    m_count->setText(QString::number(m_shots));
    rearm();
}

void ITimelapseTimes::takePhotoFailedForTimed()
{
    ++m_missed;
    m_missedLabel->setText(tr("Missed %1").arg(m_missed));
    if (m_missedLabel->isHidden()) {
        m_missedLabel->show();
        adjustSize();
    }
    rearm();
}

void ITimelapseTimes::rearm()
{
    m_remaining = m_interval;
    m_countdown->setText(clockText(m_remaining));
    if (!m_paused)
        m_timer.start();
}

void ITimelapseTimes::tick()
{
    m_remaining = qMax(0, m_remaining - 1);
    if (m_remaining == 0) {
        m_timer.stop();
        emit sgTimeout();
    }
    m_countdown->setText(clockText(m_remaining));
}

// ---- ITimelapseFrame ----

ITimelapseFrame::ITimelapseFrame(IApplication* app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
{
    qRegisterMetaType<OperateType>("OperateType");
    CreateUI();
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    keepWindowWhereShown(this);
}

ICameraToolBar* ITimelapseFrame::cameraToolBar() const
{
    return IPanelPlacement::cameraToolBar(m_app);
}

void ITimelapseFrame::setFrameVisible(const bool& visible)
{
    if (visible)
        placeBar();
    else if (m_chooser->isVisible())
        m_chooser->hide();
    setVisible(visible);
}

void ITimelapseFrame::placeBar()
{
    ICameraToolBar* bar = cameraToolBar();
    if (!bar)
        return;
    if (!m_follower)
        m_follower = new IBarFollower([this] { followBar(); }, this);
    m_follower->follow(bar);
    move(barPosition());
}

// Where the bar stands, worked out from the main window: a window just shown may not
// know its own place on the screen yet (the window manager tells it later).
QPoint ITimelapseFrame::barPosition() const
{
    ICameraToolBar* bar = cameraToolBar();
    if (!bar)
        return pos();
    return IPanelPlacement::aboveButton(bar->buttonGlobslPos(ICameraToolBar::Snap), size(), 76, 30);
}

// Centred over the shot button, its bottom 10 px above the button's top.
void ITimelapseFrame::placeCounter()
{
    const QPoint shotTop = barPosition() + m_shotButton->mapTo(this, QPoint(m_shotButton->width() / 2, 0));
    QPoint pos(shotTop.x() - m_times->width() / 2, shotTop.y() - m_times->height() - scaled(10));
    if (QWidget* top = m_times->parentWidget(); top && !m_times->isWindow())
        pos = top->mapFromGlobal(pos);
    m_times->move(pos);
}

void ITimelapseFrame::placeChooser()
{
    const QPoint pos = barPosition() + m_intervalButton->mapTo(this, QPoint(0, 0));
    m_chooser->move(pos.x() + m_intervalButton->width() / 2 - m_chooser->width() / 2,
                    static_cast<int>(pos.y() - m_chooser->height() - 10 * IGSQUARERATE));
}

void ITimelapseFrame::followBar()
{
    if (!isVisible() && !m_times->isVisible())
        return;
    placeBar();
    if (m_times->isVisible())
        placeCounter();
    if (m_chooser->isVisible())
        placeChooser();
}

void ITimelapseFrame::takePhotoSuccessForTimed()
{
    if (m_running)
        m_times->takePhotoSuccessForTimed();
}

void ITimelapseFrame::takePhotoFailedForTimed()
{
    if (!m_running)
        return;
    m_times->takePhotoFailedForTimed();
    ITimeMsgBox::instance()->showMessageBox(
        tr("A time-lapse picture could not be taken; the next one follows in %1 s.").arg(m_times->remaining()), 2000,
        QPoint(-1000, -1000));
}

void ITimelapseFrame::startTimerPhoto()
{
    if (m_shotButton->operateType() == OPERATE_START)
        updateButtonUI(SHOT_ID);
    m_running = true;
    placeCounter();
    m_times->startTimer(m_intervalButton->textx().toInt());
}

void ITimelapseFrame::pauseTimerPhoto()
{
    if (!m_running || m_pauseButton->operateType() != OPERATE_PAUSE)
        return;
    updateButtonUI(PAUSE_ID);
    m_times->pauseTimer();
}

void ITimelapseFrame::resumeTimerPhoto()
{
    if (!m_running || m_pauseButton->operateType() != OPERATE_RESUME)
        return;
    updateButtonUI(PAUSE_ID);
    m_times->resumeTimer();
}

void ITimelapseFrame::stopTimerPhoto()
{
    if (m_shotButton->operateType() == OPERATE_STOP)
        updateButtonUI(SHOT_ID);
    // A stopped run comes back without a pending pause.
    m_pauseButton->setOperateType(OPERATE_PAUSE);
    m_running = false;
    m_times->stopTimer();
}

bool ITimelapseFrame::isRecording() const
{
    return m_running;
}

void ITimelapseFrame::slButtonClick(bool checked, QVariant id)
{
    Q_UNUSED(checked)
    switch (id.toInt()) {
    case SHOT_ID:
        emit sgCaptureImage(m_shotButton->operateType());
        break;
    case PAUSE_ID:
        emit sgCaptureImage(m_pauseButton->operateType());
        break;
    case INTERVAL_ID:
        updateButtonUI(INTERVAL_ID);
        break;
    default:
        if (auto* choice = qobject_cast<ITimelapseButton*>(sender()))
            m_intervalButton->setTextx(choice->textx());
        m_chooser->hide();
        break;
    }
}

void ITimelapseFrame::CreateUI()
{
    const QSize size(45, 45);
    m_shotButton = createButton(SHOT_ID, QStringLiteral(":/android/camera.svg"), 2, size);
    m_intervalButton = createButton(INTERVAL_ID, QStringLiteral("3"), 4, size);
    m_pauseButton = createButton(PAUSE_ID, QStringLiteral(":/android/video_pause.svg"), 2, size);
    m_shotButton->setOperateType(OPERATE_START);
    m_pauseButton->setOperateType(OPERATE_PAUSE);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto* left = new QHBoxLayout;
    left->addWidget(m_intervalButton);
    left->addStretch();
    left->addSpacing(scaled(8));
    auto* right = new QHBoxLayout;
    right->addSpacing(scaled(8));
    right->addStretch();
    right->addWidget(m_pauseButton);
    grid->addLayout(left, 0, 0);
    grid->addWidget(m_shotButton, 0, 1);
    grid->addLayout(right, 0, 2);
    adjustSize();
    m_pauseButton->hide();

    m_chooser = new ICustomWidget(parentWidget());
    m_chooser->setBackgroundLinearGradient(true);
    auto* row = new QHBoxLayout(m_chooser);
    const int m = scaled(10);
    row->setContentsMargins(m, m, m, m);
    const QStringList values = {QStringLiteral("1"),  QStringLiteral("3"),  QStringLiteral("5"),
                                QStringLiteral("10"), QStringLiteral("30"), QStringLiteral("60")};
    for (int i = 0; i < values.size(); ++i)
        row->addWidget(createButton(i + 3, values.at(i), 4, size));
    m_chooser->adjustSize();
    m_chooser->hide();

    m_times = new ITimelapseTimes(parentWidget());
    m_times->hide();
    connect(m_times, &ITimelapseTimes::sgTimeout, this, [this] { emit sgCaptureImage(OPERATE_PHOTO); },
            Qt::DirectConnection);
}

ITimelapseButton* ITimelapseFrame::createButton(QVariant id, QString text, int style, QSize size)
{
    auto* button = new ITimelapseButton(id, text, style, size);
    connect(button, &ITimelapseButton::sgButtonClick, this, &ITimelapseFrame::slButtonClick);
    return button;
}

void ITimelapseFrame::updateButtonUI(const int& id)
{
    switch (id) {
    case SHOT_ID:
        if (m_shotButton->operateType() == OPERATE_STOP) {
            m_shotButton->setOperateType(OPERATE_START);
            m_pauseButton->hide();
            m_intervalButton->show();
        } else if (m_shotButton->operateType() == OPERATE_START) {
            m_shotButton->setOperateType(OPERATE_STOP);
            m_chooser->hide();
            m_intervalButton->hide();
            m_pauseButton->show();
        }
        break;
    case INTERVAL_ID:
        placeChooser();
        m_chooser->setVisible(!m_chooser->isVisible());
        break;
    case PAUSE_ID:
        if (m_pauseButton->operateType() == OPERATE_PAUSE)
            m_pauseButton->setOperateType(OPERATE_RESUME);
        else if (m_pauseButton->operateType() == OPERATE_RESUME)
            m_pauseButton->setOperateType(OPERATE_PAUSE);
        break;
    default:
        break;
    }
}
