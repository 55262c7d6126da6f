// The in-process game host as the connection half needs it: switched on to listen when
// this copy hosts a game. The program provides it over the real host; the client library
// itself never depends on the host's code.
#pragma once

#include <QString>
#include <QtGlobal>

class HostControl {
public:
    virtual ~HostControl() = default;
    // Listens on every local address (port 0 = a free port); false with errorString() set.
    virtual bool listen(quint16 port) = 0;
    // Listens on the loopback addresses only (a solo game: nobody else may join or watch);
    // when `port` is taken, on a free one, which serverPort() then gives.
    virtual bool listenOnLoopback(quint16 port) = 0;
    virtual bool isListening() const = 0;
    // The port actually bound.
    virtual quint16 serverPort() const = 0;
    virtual QString errorString() const = 0;
};
