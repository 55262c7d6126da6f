// How the host reaches its participants: the connected slots of the seat table, through
// the sink. The rules and the session both send here, so that everybody is told
// everything in one order (ascending slots) and nothing goes to a slot nobody holds.
#pragma once

#include <QByteArray>

class SeatTable;
class SlotSink;

class Participants {
public:
    Participants(const SeatTable &table, SlotSink &sink);

    // To every connected slot, ascending.
    void broadcast(const QByteArray &message) const;
    // The same, leaving out `slot` (e.g. the notice of its own departure).
    void broadcastExcept(int slot, const QByteArray &message) const;
    // To `slot` only if it is connected.
    void sendTo(int slot, const QByteArray &message) const;

private:
    const SeatTable &m_table;
    SlotSink &m_sink;
};
