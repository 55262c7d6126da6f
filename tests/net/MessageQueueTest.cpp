// The received-message queue: one message per tick, sources served in turn each in its
// own order, a byte bound per source, and a timer that runs only while messages wait.
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

// A participant that floods the host must not hold up another's move behind its backlog.
TEST(MessageQueue, SourcesAreServedInTurnEachInItsOwnOrder)
{
    MessageQueue queue(10ms);
    QList<QByteArray> order;
    QObject::connect(&queue, &MessageQueue::messageTaken, &queue, [&](quint64 source, const QByteArray &message) {
        order.append(QByteArray::number(source) + message);
    });
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(queue.append(1, QByteArray::number(i)));
    ASSERT_TRUE(queue.append(2, "move"));
    ASSERT_TRUE(queue.append(3, "chat"));
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(queue.processNext());
    EXPECT_EQ(order, (QList<QByteArray>{"10", "2move", "3chat", "11", "12"}));
    EXPECT_EQ(queue.size(), 97);
}

TEST(MessageQueue, ASourceMayKeepOnlyItsLimitInBytesWaiting)
{
    MessageQueue queue(10ms);
    const QByteArray message(36, 'x');  // costs 100 bytes with the entry cost
    ASSERT_EQ(message.size() + MessageQueue::kEntryCost, 100);
    queue.setSourceLimit(1000);
    int accepted = 0;
    while (queue.append(1, message))
        ++accepted;
    EXPECT_EQ(accepted, 10);
    EXPECT_EQ(queue.bytesFrom(1), 1000);
    EXPECT_TRUE(queue.append(2, message)) << "the bound is per source";
    ASSERT_TRUE(queue.processNext());
    EXPECT_EQ(queue.bytesFrom(1), 900);
    EXPECT_TRUE(queue.append(1, message));
    EXPECT_FALSE(queue.append(1, QByteArray()));
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

}  // namespace
