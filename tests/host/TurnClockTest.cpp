// The turn clock: what a start, a stop and a count leave behind, and the program's timed
// clock ticking once a second only while it runs.
#include "host/TurnClock.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(TurnClockTest, StopKeepsTagAndTicksAndAStartReplacesBoth)
{
    TurnClock clock;
    EXPECT_FALSE(clock.isActive());
    clock.start(1, 32);
    EXPECT_EQ(clock.countDown(), 31);
    clock.stop();
    EXPECT_FALSE(clock.isActive());
    EXPECT_EQ(clock.tag(), 1);
    EXPECT_EQ(clock.ticksLeft(), 31);
    clock.start(2, 2);
    EXPECT_TRUE(clock.isActive());
    EXPECT_EQ(clock.tag(), 2);
    EXPECT_EQ(clock.ticksLeft(), 2);
}

TEST(TurnClockTest, CountingDownSaturatesAtTheLowestInt)
{
    TurnClock clock;
    clock.start(1, std::numeric_limits<int>::min() + 1);
    EXPECT_EQ(clock.countDown(), std::numeric_limits<int>::min());
    EXPECT_EQ(clock.countDown(), std::numeric_limits<int>::min());
}

TEST(TimerTurnClockTest, TicksOnceASecondWhileRunning)
{
    TimerTurnClock clock;
    EXPECT_EQ(clock.interval(), 1000);
    QSignalSpy ticks(&clock, &TimerTurnClock::tick);
    QTest::qWait(50);
    EXPECT_EQ(ticks.count(), 0) << "a clock never started does not tick";

    clock.start(1, 5);
    EXPECT_TRUE(ticks.wait(2000));
    EXPECT_EQ(ticks.count(), 1);
    EXPECT_EQ(clock.ticksLeft(), 5) << "the rules count the ticks, not the timer";

    clock.stop();
    QTest::qWait(1200);
    EXPECT_EQ(ticks.count(), 1) << "a stopped clock does not tick";
}

}  // namespace
