// The received-message queue (`receivedlist`) and the timer that drains it.
//
// Messages are appended by a read handler, each with the source it came from (a
// connection id chosen by the owner; a client with one connection passes 0). Every
// source has its own first-in first-out queue, and the timer serves the sources in
// turn: each tick takes the first message of the next source that has one and hands it
// out through messageTaken(). So one message is handled per tick, each source's order is
// kept, and a source that floods the queue delays another source's message by at most
// one tick per message round, never by the length of its own backlog.
//
// What a source may keep waiting is counted in bytes (each message costs its length
// plus kEntryCost), so that many tiny messages count too; append() refuses a message
// that would take a source beyond the limit, and the owner closes that connection.
//
// The timer runs only while the queue holds messages: appending to an empty queue
// starts it, taking the last entry stops it, so an idle process does not wake up.
//
// Used by the host (10 ms, one source per accepted connection) and by the client
// (1 ms, source 0). Nothing here knows about slots or commands.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>
#include <map>

namespace net {

class MessageQueue : public QObject {
    Q_OBJECT
public:
    // What one waiting message costs beyond its bytes (bookkeeping, allocation).
    static constexpr qsizetype kEntryCost = 64;
    // Default bound of what one source may keep waiting.
    static constexpr qsizetype kDefaultSourceLimit = 256 * 1024;

    explicit MessageQueue(std::chrono::milliseconds interval, QObject *parent = nullptr);
    ~MessageQueue() override;

    // Queues one whole message (terminator removed) from `source` and starts the timer.
    // Returns false, and queues nothing, when the source would then hold more than
    // sourceLimit() bytes.
    bool append(quint64 source, const QByteArray &message);
    // What one tick does: takes the first message of the next source in turn and emits
    // messageTaken(). Returns false when the queue was empty. Callable directly by tests
    // and benchmarks.
    bool processNext();
    // Drops every queued message of `source` (a connection that has gone).
    void removeFrom(quint64 source);
    void clear();

    void setSourceLimit(qsizetype bytes) { m_sourceLimit = bytes; }
    qsizetype sourceLimit() const { return m_sourceLimit; }

    // Messages waiting, from all sources.
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // Messages of `source` still waiting.
    qsizetype countFrom(quint64 source) const;
    // Bytes (with the per-entry cost) of `source` still waiting.
    qsizetype bytesFrom(quint64 source) const;
    bool timerActive() const { return m_timer.isActive(); }
    std::chrono::milliseconds interval() const { return m_timer.intervalAsDuration(); }

Q_SIGNALS:
    // One message leaves the queue; emitted after the entry is removed.
    void messageTaken(quint64 source, const QByteArray &message);

private:
    struct SourceQueue {
        std::deque<QByteArray> messages;
        qsizetype bytes = 0;
    };
    static qsizetype cost(const QByteArray &message) { return message.size() + kEntryCost; }

    // Sources with messages waiting; the front one is served next.
    std::deque<quint64> m_turns;
    std::map<quint64, SourceQueue> m_sources;
    qsizetype m_size = 0;
    qsizetype m_sourceLimit = kDefaultSourceLimit;
    QTimer m_timer;
};

}  // namespace net
