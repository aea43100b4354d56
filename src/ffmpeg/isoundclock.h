#ifndef ISOUNDCLOCK_H
#define ISOUNDCLOCK_H

#include <QtGlobal>
#include <deque>

// When each sample of a microphone's stretch of sound was captured, from when its samples
// arrive. Every arrival bounds the capture of the samples in it: none was captured after
// it came. The capture clock is the lower envelope of those bounds over a sliding window,
// so the arrivals' jitter never moves it and a microphone clock that runs slow or fast
// (up to 0.5 %) is followed as it goes.
// An arrival well behind that envelope is either late sound or the end of a dropout, told
// apart by what follows: late sound is caught up (later arrivals come back to the
// envelope), a dropout is followed by sound at its own pace that stays behind it. Sound
// in question is held back until that is known, so each sample is handed on once, at
// its place.
class ISoundClock
{
public:
    explicit ISoundClock(int rate = 8000) : m_rate(qMax(1, rate)) {}

    // A new stretch: the next arrival starts it.
    void restart();
    // At monotonic time now, ready samples wait beyond those handed on. Returns how many
    // of them may be handed on now (all or none); settle decides at once on sound held
    // back (a stop or a pause). dropout tells the microseconds of sound the microphone
    // did not give, when this arrival ended a dropout.
    qint64 arrive(qint64 now, qint64 ready, bool settle, qint64* dropout = nullptr);
    // The samples were handed on: they are counted on the clock.
    void handOn(qint64 samples) { m_handed += samples; }
    // Capture time of the next sample to be handed on; valid once an arrival started the
    // stretch.
    qint64 next() const { return m_origin + m_handed * 1000000 / m_rate; }
    bool started() const { return m_started; }
    // Since when sound is held back (0: none is).
    qint64 holdingSince() const { return m_holdSince; }

private:
    struct Arrival
    {
        qint64 at;
        qint64 bound;  // latest capture time of sample 0 that this arrival allows
    };
    qint64 lowest(qint64 since) const;

    const qint64 m_rate;
    bool m_started = false;
    qint64 m_handed = 0;
    qint64 m_origin = 0;
    // Arrivals of the last window, and those since sound was held back.
    std::deque<Arrival> m_window;
    std::deque<Arrival> m_held;
    qint64 m_holdSince = 0;
    // Samples waiting at the last look, none of them handed on.
    qint64 m_waiting = 0;
};

#endif
