// The received-message queue: one message per tick in arrival order, the source kept
// with each message, and a timer that runs only while messages wait.
#include "net/MessageQueue.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using net::MessageQueue;

TEST(MessageQueue, TimerIsInactiveWhileTheQueueIsEmpty)
{
    MessageQueue queue(10ms);
    EXPECT_FALSE(queue.timerActive());
    EXPECT_EQ(queue.interval(), 10ms);
    queue.append(1, "CMD_a+1");
    EXPECT_TRUE(queue.timerActive());
    ASSERT_TRUE(queue.processNext());
    EXPECT_FALSE(queue.timerActive());
    EXPECT_FALSE(queue.processNext());
    EXPECT_FALSE(queue.timerActive());
}

TEST(MessageQueue, EachTickTakesOneMessageInArrivalOrderWithItsSource)
{
    MessageQueue queue(1ms);
    QList<qsizetype> leftAtEachTake;
    QObject::connect(&queue, &MessageQueue::messageTaken, &queue,
                     [&](quint64, const QByteArray &) { leftAtEachTake.append(queue.size()); });
    QSignalSpy taken(&queue, &MessageQueue::messageTaken);
    queue.append(7, "first");
    queue.append(3, "second");
    queue.append(7, "third");
    ASSERT_TRUE(QTest::qWaitFor([&] { return taken.count() == 3; }, 5000));
    EXPECT_EQ(leftAtEachTake, (QList<qsizetype>{2, 1, 0}));
    EXPECT_EQ(taken.at(0).at(0).toULongLong(), 7u);
    EXPECT_EQ(taken.at(0).at(1).toByteArray(), QByteArray("first"));
    EXPECT_EQ(taken.at(1).at(0).toULongLong(), 3u);
    EXPECT_EQ(taken.at(1).at(1).toByteArray(), QByteArray("second"));
    EXPECT_EQ(taken.at(2).at(1).toByteArray(), QByteArray("third"));
    EXPECT_FALSE(queue.timerActive());
}

TEST(MessageQueue, AHandlerThatQueuesRestartsTheTimer)
{
    MessageQueue queue(1ms);
    int handled = 0;
    QObject::connect(&queue, &MessageQueue::messageTaken, &queue, [&](quint64, const QByteArray &message) {
        ++handled;
        if (message == "again")
            queue.append(0, "done");
    });
    queue.append(0, "again");
    ASSERT_TRUE(QTest::qWaitFor([&] { return handled == 2; }, 5000));
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_FALSE(queue.timerActive());
}

TEST(MessageQueue, CountsAndRemovesPerSource)
{
    MessageQueue queue(10ms);
    queue.append(1, "a");
    queue.append(2, "b");
    queue.append(1, "c");
    EXPECT_EQ(queue.countFrom(1), 2);
    EXPECT_EQ(queue.countFrom(2), 1);
    EXPECT_EQ(queue.countFrom(9), 0);

    queue.removeFrom(1);
    EXPECT_EQ(queue.size(), 1);
    EXPECT_EQ(queue.countFrom(1), 0);
    EXPECT_TRUE(queue.timerActive());

    QSignalSpy taken(&queue, &MessageQueue::messageTaken);
    ASSERT_TRUE(queue.processNext());
    EXPECT_EQ(taken.at(0).at(1).toByteArray(), QByteArray("b"));
    EXPECT_EQ(queue.countFrom(2), 0);
    EXPECT_FALSE(queue.timerActive());
}

TEST(MessageQueue, RemovingTheLastSourceStopsTheTimer)
{
    MessageQueue queue(10ms);
    queue.append(4, "x");
    queue.removeFrom(4);
    EXPECT_TRUE(queue.isEmpty());
    EXPECT_FALSE(queue.timerActive());
    queue.append(5, "y");
    queue.clear();
    EXPECT_FALSE(queue.timerActive());
    EXPECT_EQ(queue.countFrom(5), 0);
}

} // namespace
