// Assembly of the host; see HostEngine.h.
#include "host/HostEngine.h"

#include "dictionary/TDictn.h"
#include "dictionary/Vocabulary.h"
#include "host/AnagramIndex.h"
#include "host/ComputerPlayer.h"
#include "host/GameRules.h"
#include "host/HostNetwork.h"
#include "host/HostSession.h"
#include "host/Random.h"
#include "host/SeatTable.h"
#include "host/StrongPlayer.h"
#include "host/TurnClock.h"

Q_LOGGING_CATEGORY(lcHost, "quarn.host", QtWarningMsg)

HostEngine::HostEngine(const QString &dictionaryFolder, QObject *parent, std::unique_ptr<Random> random)
    : QObject(parent)
    , m_random(random ? std::move(random) : std::make_unique<Random>(Random::clockSeed()))
    , m_dictionary(std::make_unique<TDictn>(dictionaryFolder))
    , m_network(std::make_unique<HostNetwork>())
    , m_table(std::make_unique<SeatTable>())
    , m_clock(std::make_unique<TimerTurnClock>())
    , m_rules(std::make_unique<GameRules>(*m_table, *m_network, *m_random, *m_dictionary, *m_clock))
    , m_computer(std::make_unique<ComputerPlayer>(*m_table, *m_rules, &loadVocabulary))
    , m_session(std::make_unique<HostSession>(*m_table, *m_rules, *m_network))
{
    m_rules->setComputer(m_computer.get());
    connect(m_clock.get(), &TimerTurnClock::tick, this, [this] { m_rules->turntimerTimer(); });
    m_network->setSession(m_session.get());
    connect(m_network.get(), &HostNetwork::finished, this, &HostEngine::finished);
}

HostEngine::~HostEngine()
{
    // Closing sockets must not reach the session any more; the rules may still send
    // while they go, so the network (their sink) goes last.
    m_network->setSession(nullptr);
    m_clock->stop();
    m_session.reset();
    m_rules->setComputer(nullptr);
    m_computer.reset();
    m_strong.reset();
    m_words.reset();
    m_rules.reset();
    m_clock.reset();
    m_table.reset();
    m_network.reset();
}

bool HostEngine::setComputerLevel(ComputerLevel level)
{
    if (level == ComputerLevel::Strong && !m_strong) {
        QString error;
        std::optional<AnagramIndex> words = AnagramIndex::load(m_dictionary->filePath(), &error);
        if (!words) {
            qCWarning(lcHost).noquote() << "the Strong computer cannot read the word list:" << error;
            m_level = ComputerLevel::Classic;
            m_rules->setComputer(m_computer.get());
            return false;
        }
        m_words = std::make_unique<AnagramIndex>(std::move(*words));
        m_strong = std::make_unique<StrongPlayer>(*m_table, *m_rules, *m_words);
    }
    m_level = level;
    if (level == ComputerLevel::Strong)
        m_rules->setComputer(m_strong.get());
    else
        m_rules->setComputer(m_computer.get());
    return true;
}

ComputerPlayer &HostEngine::computer()
{
    m_computer->readVocabulary();
    return *m_computer;
}

TurnClock &HostEngine::clock()
{
    return *m_clock;
}

bool HostEngine::listen(quint16 port)
{
    return listen(port, QHostAddress::Any);
}

bool HostEngine::listen(quint16 port, const QHostAddress &address)
{
    return m_network->listen(port, address);
}

bool HostEngine::listenOnLoopback(quint16 port)
{
    return m_network->listenOnLoopback(port);
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
    m_clock->stop();
    m_network->closeAll();
}

bool HostEngine::hasOpenSockets() const
{
    return m_network->hasOpenSockets();
}
