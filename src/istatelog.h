#ifndef ISTATELOG_H
#define ISTATELOG_H

#include <QtGlobal>

// A state worth a log line when it changes (a microphone that gives no sound, then sound
// again), told once per change: a state that flaps under load gets one line per quiet
// span with how often it changed meanwhile, not a line at every flap.
class IStateLog
{
public:
    explicit IStateLog(qint64 quietUs = 10000000) : m_quiet(quietUs) {}

    // The state at monotonic time now (microseconds); true when a line is due, for it.
    bool note(bool on, qint64 now)
    {
        if (on != m_current) {
            m_current = on;
            ++m_changes;
        }
        if (m_current == m_logged || (m_loggedAt != 0 && now - m_loggedAt < m_quiet))
            return false;
        m_logged = m_current;
        m_loggedAt = now;
        m_told = m_changes;
        m_changes = 0;
        return true;
    }
    // How often the state changed up to the line that is due.
    int changes() const { return m_told; }
    // Back to off, as at the start, with nothing logged.
    void reset() { *this = IStateLog(m_quiet); }

private:
    qint64 m_quiet;
    bool m_current = false;
    bool m_logged = false;
    qint64 m_loggedAt = 0;
    int m_changes = 0;
    int m_told = 0;
};

#endif
