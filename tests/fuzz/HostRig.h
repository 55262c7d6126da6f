// One host session without sockets, driven by the operations that the host fuzz harness
// decodes from its input, with the host's invariants checked after every step. The seed
// writer drives the same rig, so that its recorded games replay exactly.
//
// Encoding of an input, operation after operation (the low three bits of a code byte):
//   0  a new connection is accepted (and welcomed)
//   1  slot byte % 9 + 1: that connection closes (nothing when it is not open)
//   2  count byte % 16 + 1: that many ticks of the turn clock, a second each
//   3..7  sender byte % 9 + 1, then the message up to the next 0xFF (or the end): one
//      request from that slot; dropped, as by the network, when the slot is not open
// Random is seeded with kRandomSeed for every input, and the session's clock (the chat
// rate) is the rig's own: a request takes 10 ms, as the network serves one per 10 ms
// tick, and a tick of the turn clock a second.
#pragma once

#include "host/ComputerPlayer.h"
#include "host/GameRules.h"
#include "host/HostSession.h"
#include "host/Random.h"
#include "host/SeatTable.h"
#include "host/SlotSink.h"
#include "host/TurnClock.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

class TDictn;

namespace hostfuzz {

enum class Op : uint8_t { Accept = 0, Depart = 1, Tick = 2, Request = 3 };

inline constexpr quint32 kRandomSeed = 20240611;
inline constexpr int kMaxSlot = HostSession::kMaxSlot;

// The process-wide parts, made on first use and kept until exit: silenced Qt messages,
// the word list written to a temporary folder, and the computer's vocabulary.
TDictn &sharedDictionary();
const QStringList &sharedVocabulary();

// The host as HostEngine assembles it, with the rig as its sockets and a turn clock that
// ticks only when told.
class Rig : public SlotSink {
public:
    Rig();
    ~Rig() override;
    Rig(const Rig &) = delete;
    Rig &operator=(const Rig &) = delete;

    void accept();
    void depart(int slot);
    void tick(int count);
    void request(int sender, const QByteArray &message);
    // Decodes a whole input (see above) and runs it.
    void run(const uint8_t *data, size_t size);

    const SeatTable &table() const { return m_table; }
    bool isOpen(int slot) const { return slot >= 1 && slot <= kMaxSlot && m_open[size_t(slot)]; }
    // Every message sent so far, with its slot.
    const QList<std::pair<int, QByteArray>> &sent() const { return m_sent; }

    // SlotSink: every message is checked as it leaves; closing is the network's job and
    // is answered with the departure once the current step is over.
    void sendToSlot(int slot, const QByteArray &message) override;
    void closeSlot(int slot) override;

private:
    // Departures of closed connections, then the state checks.
    void settle();
    void checkState() const;

    Random m_random{kRandomSeed};
    qint64 m_clockMs = 0;
    SeatTable m_table;
    TurnClock m_turnClock;
    GameRules m_rules;
    ComputerPlayer m_computer;
    HostSession m_session;
    std::array<bool, kMaxSlot + 1> m_open{};
    QList<int> m_closing;
    QList<std::pair<int, QByteArray>> m_sent;
};

}  // namespace hostfuzz
