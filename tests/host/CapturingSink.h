// A SlotSink that keeps every message sent to each slot and which slots were closed, for
// tests of the host's rules and its connection manager.
#pragma once

#include "host/SlotSink.h"
#include "net/GameFacts.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <functional>
#include <utility>

class CapturingSink : public SlotSink {
public:
    void sendToSlot(int slot, const QByteArray &message) override;
    void closeSlot(int slot) override;

    // Messages sent to `slot` since the last take, in order; forgets them.
    QList<QByteArray> take(int slot);
    // Everything sent to `slot` since the last take, joined.
    QByteArray takeBytes(int slot);
    // Every message to any slot, in the order sent, since the last clear.
    const QList<QByteArray> &log() const { return m_log; }
    // The same with the slot each message went to.
    const QList<std::pair<int, QByteArray>> &deliveries() const { return m_deliveries; }
    void clear();
    // Messages to slots outside 1..9, which hold no participant.
    int strayMessages() const { return m_stray; }
    const QList<int> &closedSlots() const { return m_closed; }
    // Run for every closeSlot(), e.g. the session's departure, as the socket layer does.
    std::function<void(int slot)> onClose;

private:
    std::array<QList<QByteArray>, quarn::kHighestSlot + 1> m_sent;
    QList<QByteArray> m_log;
    QList<std::pair<int, QByteArray>> m_deliveries;
    QList<int> m_closed;
    int m_stray = 0;
};
