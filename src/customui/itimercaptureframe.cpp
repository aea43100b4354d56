#include "customui/itimercaptureframe.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegExpValidator>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include "customui/iitoolbutton.h"
#include "customui/iuihelper.h"
#include "iglobal.h"

QLineEdit* createStyledLineEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setFont(createFont(10, 50));
    edit->setStyleSheet(QStringLiteral("border:none;border-radius:%1px;").arg(6 * IGSQUARERATE));
    return edit;
}

namespace {
int scaled(double v)
{
    return static_cast<int>(v * IGSQUARERATE);
}

enum ControlId { StartId = 0, HaltId = 1, StopId = 2 };

// The field width whose text area holds text whole.
int widthShowing(QLineEdit* edit, const QString& text)
{
    edit->ensurePolished();
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = QRect(0, 0, 1000, edit->height());
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    const QRect area = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    const QMargins margins = edit->textMargins();
    // QLineEdit keeps 2 pixels free on each side of its text.
    const int chrome = option.rect.width() - area.width() + margins.left() + margins.right() + 2 * 2;
    return QFontMetrics(edit->font()).horizontalAdvance(text) + chrome + 1;
}
}

// ---- ITimerCaptureControlFrame ----

ITimerCaptureControlFrame::ITimerCaptureControlFrame(IApplication* app, ITimerCaptureFrame* owner, QWidget* parent)
    : IPanelFrame(app, parent)
    , m_owner(owner)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void ITimerCaptureControlFrame::setFrameVisible(const bool& visible, const int& total)
{
    if (!visible) {
        hide();
        return;
    }
    m_taken = -1;
    m_total = total;
    updateInfo();
    m_start->hide();
    m_halt->show();
    placeAboveCameraButton(ICameraToolBar::PhotoMode, 42, 30);
    show();
}

void ITimerCaptureControlFrame::updateInfo()
{
    ++m_taken;
    m_progress->setText(QStringLiteral("%1 / %2").arg(m_taken).arg(m_total));
}

QString ITimerCaptureControlFrame::progressText() const
{
    return m_progress->text();
}

IIToolButton* ITimerCaptureControlFrame::button(int id) const
{
    switch (id) {
    case StartId:
        return m_start;
    case HaltId:
        return m_halt;
    case StopId:
        return m_stop;
    }
    return nullptr;
}

void ITimerCaptureControlFrame::CreateUI()
{
    setFixedWidth(scaled(280));
    auto make = [this](int id, const QString& text, const QString& normal, const QString& click) {
        auto* b = new IIToolButton(id, text, normal, click, scaled(10), false, QSize(60, 60), 8, nullptr);
        connect(b, &IIToolButton::sgButtonClick, this,
                [this](bool, QVariant buttonId) { onButtonClick(buttonId); }, Qt::DirectConnection);
        return b;
    };
    m_start = make(StartId, tr("Start"), QStringLiteral(":/root/root/rstartnormal.svg"),
                   QStringLiteral(":/root/root/rstartclick.svg"));
    m_halt = make(HaltId, tr("Halt"), QStringLiteral(":/root/root/rpausenormal.svg"),
                  QStringLiteral(":/root/root/rpauseclick.svg"));
    m_stop = make(StopId, tr("Stop"), QStringLiteral(":/root/root/rstopnormal.svg"),
                  QStringLiteral(":/root/root/rstopclick.svg"));

    m_progress = createLabel(QStringLiteral(" 12 / 100 "), this);
    m_progress->setAlignment(Qt::AlignCenter);
    m_progress->setFont(createFont(20, 75));

    auto* layout = new QHBoxLayout(this);
    const int m = scaled(10);
    layout->setContentsMargins(m, m, m, m);
    layout->addWidget(m_start);
    layout->addWidget(m_halt);
    layout->addWidget(m_stop);
    layout->addSpacing(m);
    layout->addWidget(m_progress);
    m_start->hide();
    adjustSize();
}

void ITimerCaptureControlFrame::onButtonClick(const QVariant& id)
{
    if (!m_owner)
        return;
    switch (id.toInt()) {
    case StartId:
        m_start->hide();
        m_halt->show();
        m_owner->start();
        break;
    case HaltId:
        m_start->show();
        m_halt->hide();
        m_owner->pause();
        break;
    case StopId:
        m_owner->stop();
        break;
    }
}

// ---- ITimerCaptureFrame ----

ITimerCaptureFrame::ITimerCaptureFrame(IApplication* app, QWidget* parent)
    : IPanelFrame(app, parent)
{
    CreateUI();
    setBackgroundLinearGradient(true);
}

void ITimerCaptureFrame::setFrameVisible(const bool& visible)
{
    if (!visible) {
        m_interval->clear();
        m_pages->clear();
        accept();
        return;
    }
    // Refused while a series runs or is paused. Escape and the window manager's close
    // leave the fields filled: they say nothing about a series.
    if (isRecording())
        return;
    m_interval->clear();
    m_pages->clear();
    // Typing starts in the first field every time, not where the last opening ended.
    m_interval->setFocus(Qt::OtherFocusReason);
    centreOnWindow(this, parentWidget());
    exec();
}

bool ITimerCaptureFrame::isRecording() const
{
    return m_series;
}

void ITimerCaptureFrame::start()
{
    m_timer.start();
}

void ITimerCaptureFrame::pause()
{
    m_timer.stop();
}

void ITimerCaptureFrame::stop()
{
    m_series = false;
    m_timer.stop();
    m_pages->setText(QStringLiteral("0"));
    m_control->setFrameVisible(false, 0);
}

bool ITimerCaptureFrame::confirm()
{
    const int interval = m_interval->text().toInt();
    const int pages = m_pages->text().toInt();
    // The validator lets a lone 0 through as an intermediate entry; it is not a value.
    if (interval < 1 || pages < 1)
        return false;
    accept();
    m_series = true;
    m_timer.setInterval(interval * 1000);
    m_timer.start();
    m_control->setFrameVisible(true, pages);
    return true;
}

void ITimerCaptureFrame::slTimerout()
{
    const int left = m_pages->text().toInt();
    if (left < 1) {
        m_series = false;
        m_control->setFrameVisible(false, 0);
        m_timer.stop();
        return;
    }
    m_pages->setText(QString::number(left - 1));
    m_control->updateInfo();
    requestCapture(IMAGE_PLAIN);
}

void ITimerCaptureFrame::CreateUI()
{
    auto* validator = new QRegExpValidator(QRegExp(QStringLiteral("^[1-9]+[0-9]+$")), this);
    auto makeField = [this, validator] {
        QLineEdit* edit = createStyledLineEdit(this);
        edit->setMaxLength(2);
        edit->setValidator(validator);
        edit->setPlaceholderText(tr("Please input integer greater than 0."));
        // Qt cuts a placeholder longer than the field's text area short; some
        // translations are longer than the field's design width.
        edit->setFixedSize(qMax(scaled(230), widthShowing(edit, edit->placeholderText())), scaled(35));
        return edit;
    };
    m_interval = makeField();
    m_pages = makeField();

    auto makeRow = [this](const QString& name, QLineEdit* edit, const QString& unit) {
        QLabel* label = createLabel(name, this);
        label->setFixedWidth(scaled(150));
        auto* row = new QHBoxLayout;
        row->addWidget(label);
        row->addWidget(edit);
        row->addWidget(createLabel(unit, this));
        return row;
    };

    auto* confirmButton = new IIToolButton(2, tr("Confirm"), QSize(100, 40), IIToolButton::AllRadius, false);
    auto* cancelButton = new IIToolButton(1, tr("Cancel"), QSize(100, 40), IIToolButton::AllRadius, false);
    const int textWidth = QFontMetrics(cancelButton->font()).horizontalAdvance(cancelButton->text()) + scaled(16);
    if (cancelButton->width() < textWidth)
        cancelButton->setFixedWidth(textWidth);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(confirmButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    const int m = scaled(20);
    layout->setContentsMargins(m, m, m, m);
    layout->setSpacing(m);
    layout->addLayout(makeRow(tr("Interval Time"), m_interval, QStringLiteral("S")));
    layout->addLayout(makeRow(tr("Capture Pages"), m_pages, QStringLiteral("P")));
    layout->addSpacing(m);
    layout->addLayout(buttons);
    adjustSize();

    connect(&m_timer, &QTimer::timeout, this, &ITimerCaptureFrame::slTimerout);
    connect(cancelButton, &QToolButton::clicked, this, [this] { setFrameVisible(false); }, Qt::DirectConnection);
    connect(confirmButton, &QToolButton::clicked, this, [this] { confirm(); }, Qt::DirectConnection);

    m_control = new ITimerCaptureControlFrame(m_app, this, parentWidget());
    m_control->hide();
}
