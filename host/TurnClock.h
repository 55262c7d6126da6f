// The turn clock: how many ticks the current turn has left, and a tag saying whose move
// its expiry triggers. The rules are handed a clock and count its ticks; TurnClock itself
// ticks only when its owner says so (tests drive the rules tick by tick), TimerTurnClock
// emits tick() once a second while it runs (the program).
#pragma once

#include <QObject>
#include <QTimer>

class TurnClock {
public:
    virtual ~TurnClock() = default;

    // (Re)starts the clock with `ticks` to go; the tag stays until the next start.
    void start(int tag, int ticks);
    void stop();
    bool isActive() const { return m_active; }
    int ticksLeft() const { return m_ticks; }
    int tag() const { return m_tag; }
    // Counts one tick off, saturating; returns the ticks left.
    int countDown();

protected:
    // Where a timed clock starts and stops its timer.
    virtual void startTicking() { }
    virtual void stopTicking() { }

private:
    int m_tag = 0;
    int m_ticks = 0;
    bool m_active = false;
};

class TimerTurnClock : public QObject, public TurnClock {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 1000;

    explicit TimerTurnClock(QObject *parent = nullptr);
    int interval() const { return m_timer.interval(); }

Q_SIGNALS:
    // One second of a running clock has passed.
    void tick();

protected:
    void startTicking() override { m_timer.start(); }
    void stopTicking() override { m_timer.stop(); }

private:
    QTimer m_timer;
};
