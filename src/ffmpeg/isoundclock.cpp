#include "ffmpeg/isoundclock.h"

#include <algorithm>
#include <limits>

namespace {
// The envelope's window: a slow microphone clock is followed this long behind, 10 ms at
// 0.5 %.
const qint64 WINDOW_US = 2000000;
// An arrival this far behind the envelope is late sound or the end of a dropout.
const qint64 JITTER_US = 30000;
// Sound held back is judged by its pace over this span: late sound comes faster than it
// was captured (more than PACE_SLACK faster), sound after a dropout at its own pace.
const qint64 PACE_US = 200000;
const qint64 PACE_SLACK_US = PACE_US / 10;
// The shortest and the longest hold before a dropout is decided; one hardly beyond the
// jitter needs longer to stand out from a run of late arrivals on a busy machine.
const qint64 CONFIRM_US = 400000;
const qint64 CONFIRM_SMALL_US = 1000000;
const qint64 HOLD_LIMIT_US = 3000000;
const qint64 NONE = std::numeric_limits<qint64>::max();
}

void ISoundClock::restart()
{
    m_started = false;
    m_handed = 0;
    m_origin = 0;
    m_window.clear();
    m_held.clear();
    m_holdSince = 0;
    m_waiting = 0;
}

qint64 ISoundClock::lowest(qint64 since) const
{
    qint64 low = NONE;
    for (const Arrival& a : m_window)
        if (a.at >= since)
            low = std::min(low, a.bound);
    return low;
}

qint64 ISoundClock::arrive(qint64 now, qint64 ready, bool settle, qint64* dropout)
{
    if (dropout)
        *dropout = 0;
    if (ready <= 0)
        return 0;
    // Only new sound is an arrival: a look that finds nothing more bounds nothing new.
    const bool fresh = ready > m_waiting;
    m_waiting = ready;
    if (fresh) {
        const Arrival arrival{now, now - (m_handed + ready) * 1000000 / m_rate};
        if (!m_started) {
            m_started = true;
            m_origin = arrival.bound;
            m_window.assign(1, arrival);
            m_waiting = 0;
            return ready;
        }
        m_window.push_back(arrival);
        while (!m_window.empty() && m_window.front().at < now - WINDOW_US)
            m_window.pop_front();
        if (m_holdSince == 0) {
            if (arrival.bound <= m_origin + JITTER_US) {
                // In step: earlier sound moves the clock back at once (a fast clock), the
                // envelope forward (a slow one).
                m_origin = arrival.bound < m_origin ? arrival.bound : std::max(m_origin, lowest(now - WINDOW_US));
                m_waiting = 0;
                return ready;
            }
            m_holdSince = now;
            m_held.clear();
        }
        m_held.push_back(arrival);
    }
    if (m_holdSince == 0) {
        m_waiting = 0;
        return ready;
    }
    qint64 low = NONE;
    qint64 older = NONE;
    qint64 recent = NONE;
    for (const Arrival& a : m_held) {
        low = std::min(low, a.bound);
        qint64& part = a.at < now - PACE_US ? older : recent;
        part = std::min(part, a.bound);
    }
    if (low <= m_origin + JITTER_US) {
        // Late sound, caught up: nothing was lost.
        m_holdSince = 0;
        m_held.clear();
        m_waiting = 0;
        return ready;
    }
    // A dropout is told by sound that follows at its own pace for long enough; sound still
    // catching up, or too little of it, is late sound once a decision is due. At a stop
    // a shorter pace tells: sound taken for late would carry what followed the click.
    const bool catchingUp = older != NONE && recent != NONE && recent < older - PACE_SLACK_US;
    const qint64 span = m_held.back().at - m_held.front().at;
    const qint64 confirm = low - m_origin < 2 * JITTER_US ? CONFIRM_SMALL_US : CONFIRM_US;
    const bool due = settle || now - m_holdSince >= HOLD_LIMIT_US;
    if (catchingUp || span < (due ? PACE_US : confirm)) {
        if (!due)
            return 0;
        m_holdSince = 0;
        m_held.clear();
        m_waiting = 0;
        return ready;
    }
    if (dropout)
        *dropout = low - m_origin;
    m_origin = low;
    m_window.assign(m_held.begin(), m_held.end());
    m_held.clear();
    m_holdSince = 0;
    m_waiting = 0;
    return ready;
}
