// A SlotSink for the connection manager's tests: keeps what each slot was sent and which
// slots were closed, and can run the departure at once, as the socket layer does.
#pragma once

#include "host/SlotSink.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <functional>

class HostRecordingSink : public SlotSink {
public:
    void sendToSlot(int slot, const QByteArray &message) override;
    void closeSlot(int slot) override;

    // Messages sent to `slot` since the last take, in order; forgets them.
    QList<QByteArray> take(int slot);
    void forgetAll();
    const QList<int> &closed() const { return m_closed; }
    // Run for every closeSlot(), e.g. the session's departure.
    std::function<void(int slot)> onClose;

private:
    std::array<QList<QByteArray>, 12> m_sent;
    QList<int> m_closed;
};
