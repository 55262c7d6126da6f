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

bool MessageQueue::append(quint64 source, const QByteArray &message)
{
    SourceQueue &queue = m_sources[source];
    if (queue.bytes + cost(message) > m_sourceLimit) {
        if (queue.messages.empty())
            m_sources.erase(source);
        return false;
    }
    if (queue.messages.empty())
        m_turns.push_back(source);
    queue.messages.push_back(message);
    queue.bytes += cost(message);
    ++m_size;
    if (!m_timer.isActive())
        m_timer.start();
    return true;
}

bool MessageQueue::processNext()
{
    if (m_turns.empty()) {
        m_timer.stop();
        return false;
    }
    const quint64 source = m_turns.front();
    m_turns.pop_front();
    const auto it = m_sources.find(source);
    SourceQueue &queue = it->second;
    const QByteArray message = std::move(queue.messages.front());
    queue.messages.pop_front();
    queue.bytes -= cost(message);
    --m_size;
    if (queue.messages.empty())
        m_sources.erase(it);
    else
        m_turns.push_back(source);  // its next message waits for the others' turns
    // Stopped before the handler runs, so a handler that queues restarts it cleanly.
    if (m_turns.empty())
        m_timer.stop();
    Q_EMIT messageTaken(source, message);
    return true;
}

void MessageQueue::removeFrom(quint64 source)
{
    const auto it = m_sources.find(source);
    if (it == m_sources.end())
        return;
    m_size -= static_cast<qsizetype>(it->second.messages.size());
    m_sources.erase(it);
    m_turns.erase(std::remove(m_turns.begin(), m_turns.end(), source), m_turns.end());
    if (m_turns.empty())
        m_timer.stop();
}

void MessageQueue::clear()
{
    m_sources.clear();
    m_turns.clear();
    m_size = 0;
    m_timer.stop();
}

qsizetype MessageQueue::countFrom(quint64 source) const
{
    const auto it = m_sources.find(source);
    return it == m_sources.end() ? 0 : static_cast<qsizetype>(it->second.messages.size());
}

qsizetype MessageQueue::bytesFrom(quint64 source) const
{
    const auto it = m_sources.find(source);
    return it == m_sources.end() ? 0 : it->second.bytes;
}

}  // namespace net
