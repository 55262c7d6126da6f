// Assembly of the host; see HostEngine.h.
#include "host/HostEngine.h"

#include "dictionary/TDictn.h"
#include "host/HostNetwork.h"
#include "host/HostSession.h"
#include "host/Random.h"
#include "host/TServer.h"

HostEngine::HostEngine(const QString &dictionaryFolder, QObject *parent, std::unique_ptr<Random> random)
    : QObject(parent)
    , m_random(random ? std::move(random) : std::make_unique<Random>(Random::clockSeed()))
    , m_dictionary(std::make_unique<TDictn>(dictionaryFolder))
    , m_network(std::make_unique<HostNetwork>())
    , m_server(std::make_unique<TServer>(*m_network, *m_random, *m_dictionary))
    , m_session(std::make_unique<HostSession>(*m_server, *m_network))
{
    m_network->setSession(m_session.get());
    connect(m_network.get(), &HostNetwork::finished, this, &HostEngine::finished);
}

HostEngine::~HostEngine()
{
    // Closing sockets must not reach the session any more; the rules may still send
    // while they go, so the network (their sink) goes last.
    m_network->setSession(nullptr);
    m_server->turntimer.stop();
    m_session.reset();
    m_server.reset();
    m_network.reset();
}

bool HostEngine::listen(quint16 port)
{
    return listen(port, QHostAddress::Any);
}

bool HostEngine::listen(quint16 port, const QHostAddress &address)
{
    return m_network->listen(port, address);
}

bool HostEngine::isListening() const
{
    return m_network->isListening();
}

quint16 HostEngine::serverPort() const
{
    return m_network->serverPort();
}

QString HostEngine::errorString() const
{
    return m_network->errorString();
}

void HostEngine::closeAll()
{
    m_server->turntimer.stop();
    m_network->closeAll();
}

bool HostEngine::hasOpenSockets() const
{
    return m_network->hasOpenSockets();
}
