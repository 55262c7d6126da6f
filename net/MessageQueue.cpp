// The received-message queue and its draining timer; see MessageQueue.h.
#include "net/MessageQueue.h"

#include <algorithm>

namespace net {

MessageQueue::MessageQueue(std::chrono::milliseconds interval, QObject *parent)
    : QObject(parent)
{
    // Short intervals need a precise timer; a coarse one may slip by several ms.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, [this] { processNext(); });
}

MessageQueue::~MessageQueue() = default;

void MessageQueue::append(quint64 source, const QByteArray &message)
{
    m_entries.push_back(Entry{source, message});
    ++m_perSource[source];
    if (!m_timer.isActive())
        m_timer.start();
}

bool MessageQueue::processNext()
{
    if (m_entries.empty()) {
        m_timer.stop();
        return false;
    }
    Entry entry = std::move(m_entries.front());
    m_entries.pop_front();
    forget(entry.source);
    // Stopped before the handler runs, so a handler that queues restarts it cleanly.
    if (m_entries.empty())
        m_timer.stop();
    Q_EMIT messageTaken(entry.source, entry.message);
    return true;
}

void MessageQueue::removeFrom(quint64 source)
{
    if (!m_perSource.contains(source))
        return;
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(),
                                   [source](const Entry &entry) { return entry.source == source; }),
                    m_entries.end());
    m_perSource.remove(source);
    if (m_entries.empty())
        m_timer.stop();
}

void MessageQueue::clear()
{
    m_entries.clear();
    m_perSource.clear();
    m_timer.stop();
}

void MessageQueue::forget(quint64 source)
{
    const auto it = m_perSource.find(source);
    if (it == m_perSource.end())
        return;
    if (--it.value() <= 0)
        m_perSource.erase(it);
}

} // namespace net
