#ifndef IREPEATLOG_H
#define IREPEATLOG_H

#include <QtGlobal>

// Keeps a failure that repeats many times a second from flooding the log: the first of
// a run of equal states is logged, the rest only counted, and the count is logged when
// the state changes or the failure ends.
class IRepeatLog
{
public:
    // Notes one occurrence of "state". True when it starts a new run: the caller logs it.
    // *ended receives how many unlogged repeats the run it replaces had.
    bool note(qint64 state, int* ended)
    {
        *ended = 0;
        if (m_active && state == m_state) {
            ++m_repeats;
            return false;
        }
        *ended = settle();
        m_active = true;
        m_state = state;
        return true;
    }
    // The failure is over: how many repeats of the last run went unlogged.
    int settle()
    {
        const int n = m_repeats;
        m_active = false;
        m_repeats = 0;
        return n;
    }
    bool active() const { return m_active; }

private:
    qint64 m_state = 0;
    int m_repeats = 0;
    bool m_active = false;
};

#endif
