// Per-slot capture of the host's outgoing messages.
#include "CapturingSink.h"

void CapturingSink::sendToSlot(int slot, const QByteArray &message)
{
    if (slot < 1 || slot > quarn::kHighestSlot) {
        ++m_stray;
        return;
    }
    m_sent[static_cast<size_t>(slot)].append(message);
    m_log.append(message);
    m_deliveries.append({slot, message});
}

void CapturingSink::closeSlot(int slot)
{
    m_closed.append(slot);
    if (onClose)
        onClose(slot);
}

QList<QByteArray> CapturingSink::take(int slot)
{
    if (slot < 1 || slot > quarn::kHighestSlot)
        return {};
    QList<QByteArray> messages;
    messages.swap(m_sent[static_cast<size_t>(slot)]);
    return messages;
}

QByteArray CapturingSink::takeBytes(int slot)
{
    QByteArray bytes;
    for (const QByteArray &message : take(slot))
        bytes += message;
    return bytes;
}

void CapturingSink::clear()
{
    for (auto &messages : m_sent)
        messages.clear();
    m_log.clear();
    m_deliveries.clear();
}
