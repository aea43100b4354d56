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
// The shortest and the longest hold before a dropout is decided.
const qint64 CONFIRM_US = 400000;
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
    const Arrival arrival{now, now - (m_handed + ready) * 1000000 / m_rate};
    if (!m_started) {
        m_started = true;
        m_origin = arrival.bound;
        m_window.assign(1, arrival);
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
            return ready;
        }
        m_holdSince = now;
        m_held.clear();
    }
    m_held.push_back(arrival);
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
        return ready;
    }
    const qint64 held = now - m_holdSince;
    const bool catchingUp = older != NONE && recent < older - PACE_SLACK_US;
    if (!settle && held < HOLD_LIMIT_US && (held < CONFIRM_US || catchingUp))
        return 0;
    // Sound at its own pace behind the clock: the microphone gave none for that long.
    if (dropout)
        *dropout = low - m_origin;
    m_origin = low;
    m_window.assign(m_held.begin(), m_held.end());
    m_held.clear();
    m_holdSince = 0;
    return ready;
}
