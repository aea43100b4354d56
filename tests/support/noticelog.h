#ifndef NOTICELOG_H
#define NOTICELOG_H

#include <QElapsedTimer>
#include <QLabel>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include "board/widget/itimemsgbox.h"

// What a notice actually put on screen, in order: each text with how long it stood
// fully visible, sampled every 10 ms while the event loop runs. The time runs from the
// sample before it was seen to the first that no longer saw it: a sample taken late on
// a busy machine lengthens it, never cuts it short.
class NoticeLog
{
public:
    struct Shown
    {
        QString text;
        qint64 ms = 0;
    };

    // The process-wide notice unless box is given.
    explicit NoticeLog(ITimeMsgBox* box = nullptr)
        : m_box(box)
    {
        m_clock.start();
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { look(); });
        m_timer.start();
    }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const
    {
        QStringList list;
        for (const Shown& s : m_shown)
            list << s.text;
        return list;
    }

    // Takes a sample now: right after a notice was given outside the event loop, its
    // time is counted from there.
    void look()
    {
        ITimeMsgBox* box = m_box ? m_box.data() : ITimeMsgBox::instance();
        const QLabel* label = box->findChild<QLabel*>();
        const bool up = box->isVisible() && box->windowOpacity() >= 1.0 && label;
        const qint64 now = m_clock.elapsed();
        const bool sameText = up && m_up && !m_shown.isEmpty() && m_shown.last().text == label->text();
        if (m_up)
            m_shown.last().ms = now - m_since;
        if (up && !sameText) {
            m_shown.append({label->text(), 0});
            m_since = m_lastLook;
        }
        m_up = up;
        m_lastLook = now;
    }

    // Runs the event loop until count texts were shown and nothing is on screen.
    bool waitForQuiet(int count, int timeoutMs)
    {
        return QTest::qWaitFor([&] { return m_shown.size() >= count && !m_up; }, timeoutMs);
    }

private:
    QPointer<ITimeMsgBox> m_box;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QList<Shown> m_shown;
    qint64 m_since = 0;
    qint64 m_lastLook = 0;
    bool m_up = false;
};

#endif
