// The host of this process offered to the client as a HostControl: the one place where
// the program's client code meets the host's.
#pragma once

#include "client/HostControl.h"

class HostEngine;

class InProcessHost : public HostControl {
public:
    explicit InProcessHost(HostEngine &engine);

    bool listen(quint16 port) override;
    bool listenOnLoopback(quint16 port) override;
    bool isListening() const override;
    quint16 serverPort() const override;
    QString errorString() const override;

private:
    HostEngine &m_engine;
};
