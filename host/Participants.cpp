// Messages to the participants; see Participants.h.
#include "host/Participants.h"

#include "host/SeatTable.h"
#include "host/SlotSink.h"

Participants::Participants(const SeatTable &table, SlotSink &sink)
    : m_table(table)
    , m_sink(sink)
{
}

void Participants::broadcast(const QByteArray &message) const
{
    broadcastExcept(0, message);
}

void Participants::broadcastExcept(int slot, const QByteArray &message) const
{
    // Presence is read afresh for every slot: a sink may learn of a departure while it
    // delivers, and a slot that left is sent nothing more.
    for (int other = 1; other <= m_table.seatsUsed(); ++other) {
        if (other != slot && m_table.isConnected(other))
            m_sink.sendToSlot(other, message);
    }
}

void Participants::sendTo(int slot, const QByteArray &message) const
{
    if (m_table.isConnected(slot))
        m_sink.sendToSlot(slot, message);
}
