// The received-message queue (`receivedlist`) and the timer that drains it.
//
// Messages are appended by a read handler, each with the source it came from (a
// connection id chosen by the owner; a client with one connection passes 0). The
// timer takes the first entry on each tick and hands it out through messageTaken(),
// one message per tick, in arrival order. The timer runs only while the queue holds
// messages: appending to an empty queue starts it, taking the last entry stops it, so
// an idle process does not wake up.
//
// Used by the host (10 ms, one source per accepted connection) and by the client
// (1 ms, source 0). Nothing here knows about slots or commands.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>

namespace net {

class MessageQueue : public QObject {
    Q_OBJECT
public:
    struct Entry {
        quint64 source = 0;
        QByteArray message;
    };

    explicit MessageQueue(std::chrono::milliseconds interval, QObject *parent = nullptr);
    ~MessageQueue() override;

    // Queues one whole message (terminator removed) from `source`; starts the timer.
    void append(quint64 source, const QByteArray &message);
    // What one tick does: takes the first entry and emits messageTaken(). Returns false
    // when the queue was empty. Callable directly by tests and benchmarks.
    bool processNext();
    // Drops every queued message of `source` (a connection that has gone).
    void removeFrom(quint64 source);
    void clear();

    qsizetype size() const { return static_cast<qsizetype>(m_entries.size()); }
    bool isEmpty() const { return m_entries.empty(); }
    // Messages of `source` still waiting.
    qsizetype countFrom(quint64 source) const { return m_perSource.value(source, 0); }
    bool timerActive() const { return m_timer.isActive(); }
    std::chrono::milliseconds interval() const { return m_timer.intervalAsDuration(); }

Q_SIGNALS:
    // One message leaves the queue; emitted after the entry is removed.
    void messageTaken(quint64 source, const QByteArray &message);

private:
    void forget(quint64 source);

    std::deque<Entry> m_entries;
    QHash<quint64, qsizetype> m_perSource;
    QTimer m_timer;
};

} // namespace net
