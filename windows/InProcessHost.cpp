// The host of this process as the client sees it; see InProcessHost.h.
#include "windows/InProcessHost.h"

#include "host/HostEngine.h"

InProcessHost::InProcessHost(HostEngine &engine)
    : m_engine(engine)
{
}

bool InProcessHost::listen(quint16 port)
{
    return m_engine.listen(port);
}

bool InProcessHost::listenOnLoopback(quint16 port)
{
    return m_engine.listenOnLoopback(port);
}

bool InProcessHost::isListening() const
{
    return m_engine.isListening();
}

quint16 InProcessHost::serverPort() const
{
    return m_engine.serverPort();
}

QString InProcessHost::errorString() const
{
    return m_engine.errorString();
}
