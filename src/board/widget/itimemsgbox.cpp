#include "itimemsgbox.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopWidget>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "board/widget/ibasewidget.h"
#include "customui/iwindowplace.h"
#include "iglobal.h"

namespace {
ITimeMsgBox* s_instance = nullptr;
const QPoint kCentred(-1000, -1000);
// Time to read one more line of a notice.
const int kMsPerLine = 1500;
// About what one wrapped line of the notice's large font holds.
const int kCharsPerLine = 28;
}

ITimeMsgBox::ITimeMsgBox(QWidget* parent)
    : QWidget(parent)
{
    setWindowFlags(Qt::WindowStaysOnTopHint | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    // A notice left on screen must not keep the program alive after its window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    keepWindowWhereShown(this);
    CreateUI();
}

ITimeMsgBox::~ITimeMsgBox()
{
    stopFade();
    if (s_instance == this)
        s_instance = nullptr;
}

ITimeMsgBox* ITimeMsgBox::instance()
{
    if (!s_instance) {
        s_instance = new ITimeMsgBox(nullptr);
        // Widgets must not outlive the application object.
        if (qApp)
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, &ITimeMsgBox::destroyInstance);
    }
    return s_instance;
}

void ITimeMsgBox::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

void ITimeMsgBox::CreateUI()
{
    const double s = GSQUARERATE;
    m_plate = new QWidget(this);
    setFixedHeight(int(50 * s));
    m_plate->setFixedHeight(int(50 * s));

    m_label = new QLabel(QString());
    m_label->setFont(scaledUiFont(10, 50));
    m_label->setFont(scaledUiFont(24, 75));
    m_label->setMaximumWidth(int(500 * GWIDTHRATE));
    m_label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_label->setStyleSheet(QStringLiteral("QLabel{background-color:transparent;color:white;}"));

    m_plate->setStyleSheet(
        QStringLiteral("QWidget{background-color:rgba(0,0,0,100);border-radius:%1px;}").arg(8 * s));

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    row->addWidget(m_label);
    row->addStretch();
    auto* column = new QVBoxLayout(m_plate);
    column->setContentsMargins(0, 0, 0, 0);
    column->addStretch();
    column->addLayout(row);
    column->addStretch();

    m_timer = new QTimer(this);
    // A coarse timer may end a notice up to 5 % before its reading time.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ITimeMsgBox::slTimeout);
}

void ITimeMsgBox::resizeToText(const QString& text)
{
    const double s = GSQUARERATE;
    const QFontMetrics fm(m_label->font());
    m_label->setWordWrap(fm.horizontalAdvance(text) > 500 * s);
    m_label->setText(text);
    m_label->adjustSize();

    const int w = int(2 * 20 * s + m_label->width());
    const int h = int(20 * s + m_label->height());
    setFixedSize(w, h);
    m_plate->setFixedSize(w, h);
}

void ITimeMsgBox::showMessageBox(const QString& text, int ms, QPoint pos)
{
    const Message message{text, ms, pos, false};
    // Short status lines replace one another; a notice in its time is not cut off.
    if (!busy() || (!m_shownMustRead && m_waiting.isEmpty()))
        present(message);
    else
        queue(message);
}

void ITimeMsgBox::showNotice(const QString& text, int ms)
{
    const Message message{text, ms, kCentred, true};
    if (busy())
        queue(message);
    else
        present(message);
}

bool ITimeMsgBox::busy() const
{
    return isVisible() && m_timer->isActive();
}

void ITimeMsgBox::queue(const Message& message)
{
    if (m_shownText == message.text)
        return;
    for (const Message& waiting : qAsConst(m_waiting)) {
        if (waiting.text == message.text)
            return;
    }
    // Of status lines waiting in a row only the latest is still true.
    if (!message.mustRead && !m_waiting.isEmpty() && !m_waiting.last().mustRead)
        m_waiting.last() = message;
    else
        m_waiting.append(message);
}

void ITimeMsgBox::present(const Message& message)
{
    // A fade still running from the previous message would close this one early.
    stopFade();
    m_shownText = message.text;
    m_shownMustRead = message.mustRead;
    resizeToText(message.text);
    QPoint pos = message.pos;
    if (pos == kCentred) {
        QDesktopWidget* desktop = QApplication::desktop();
        const QRect area = desktop->availableGeometry(desktop->screenNumber(QCursor::pos()));
        pos = QPoint(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    move(pos);
    setWindowOpacity(1.0);
    show();
    raise();
    m_timer->start(message.ms);
}

int ITimeMsgBox::readingTime(const QString& text, int ms)
{
    int lines = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines += qMax(1, (int(line.size()) + kCharsPerLine - 1) / kCharsPerLine);
    return ms + kMsPerLine * (lines - 1);
}

bool ITimeMsgBox::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()
        && static_cast<QWidget*>(watched)->isWindow()) {
        // The show event comes before the window is mapped: raise once it is.
        QMetaObject::invokeMethod(this, &QWidget::raise, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void ITimeMsgBox::showEvent(QShowEvent* event)
{
    if (isWindow() && qApp)
        qApp->installEventFilter(this);
    QWidget::showEvent(event);
}

void ITimeMsgBox::hideEvent(QHideEvent* event)
{
    if (qApp)
        qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

void ITimeMsgBox::showMessageBox(const QString& text, QPoint pos)
{
    resizeToText(text);
    move(pos);
    show();
}

void ITimeMsgBox::setFont(const QFont& font, QColor color)
{
    const QColor c = color.toRgb();
    // Closed with "}": Qt rejects the whole sheet without it and the colour is lost.
    m_label->setStyleSheet(QStringLiteral("QLabel{background-color:transparent;color:rgb(%1,%2,%3);}")
                               .arg(c.red())
                               .arg(c.green())
                               .arg(c.blue()));
    m_label->setFont(font);
}

void ITimeMsgBox::setBackgroundColor(const QColor& color, int radius)
{
    m_plate->setStyleSheet(QStringLiteral("QWidget{background-color:rgba(%1,%2,%3,%4);border-radius:%5px;}")
                               .arg(color.red())
                               .arg(color.green())
                               .arg(color.blue())
                               .arg(color.alpha())
                               .arg(radius));
    // Qt keeps the plate's old sheet parsed (its label read it when it was laid out)
    // until the plate is repolished; without this a new colour set before the first
    // show is ignored.
    m_plate->style()->unpolish(m_plate);
    m_plate->style()->polish(m_plate);
    m_plate->update();
}

bool ITimeMsgBox::isFading() const
{
    return m_fade && m_fade->state() == QAbstractAnimation::Running;
}

void ITimeMsgBox::slTimeout()
{
    m_timer->stop();
    if (!m_waiting.isEmpty()) {
        present(m_waiting.takeFirst());
        return;
    }
    m_shownText.clear();
    stopFade();
    auto* fade = new QPropertyAnimation(this, QByteArrayLiteral("windowOpacity"), this);
    fade->setDuration(1000);
    fade->setStartValue(1.0);
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, this, &QWidget::close);
    m_fade = fade;
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void ITimeMsgBox::stopFade()
{
    if (!m_fade)
        return;
    QPropertyAnimation* fade = m_fade;
    m_fade = nullptr;
    disconnect(fade, nullptr, this, nullptr);
    fade->stop();
    delete fade;
}
