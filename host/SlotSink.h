// Where the host's rules hand their messages: one connection per slot.
// The program implements it over sockets; tests capture the bytes per slot.
#pragma once

#include <QByteArray>

class SlotSink {
public:
    virtual ~SlotSink() = default;
    // Sends one composed message (terminator included) to the connection of `slot`.
    virtual void sendToSlot(int slot, const QByteArray &message) = 0;
    // Closes the connection of `slot`; the departure handling follows.
    virtual void closeSlot(int slot) = 0;
};
