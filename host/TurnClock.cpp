// The turn clock; see TurnClock.h.
#include "host/TurnClock.h"

#include <limits>

void TurnClock::start(int tag, int ticks)
{
    stop();
    m_tag = tag;
    m_ticks = ticks;
    m_active = true;
    startTicking();
}

void TurnClock::stop()
{
    m_active = false;
    stopTicking();
}

int TurnClock::countDown()
{
    if (m_ticks > std::numeric_limits<int>::min())
        --m_ticks;
    return m_ticks;
}

TimerTurnClock::TimerTurnClock(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(kIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &TimerTurnClock::tick);
}
