#include "HostRecordingSink.h"

#include <gtest/gtest.h>

void HostRecordingSink::sendToSlot(int slot, const QByteArray &message)
{
    ASSERT_TRUE(slot >= 1 && slot <= 11) << "message to slot " << slot;
    m_sent[static_cast<size_t>(slot)].append(message);
}

void HostRecordingSink::closeSlot(int slot)
{
    m_closed.append(slot);
    if (onClose)
        onClose(slot);
}

QList<QByteArray> HostRecordingSink::take(int slot)
{
    return std::exchange(m_sent[static_cast<size_t>(slot)], {});
}

void HostRecordingSink::forgetAll()
{
    for (auto &sent : m_sent)
        sent.clear();
}
