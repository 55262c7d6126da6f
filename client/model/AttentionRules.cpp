#include "client/model/AttentionRules.h"

#include "client/model/ClientGame.h"

AttentionRules::AttentionRules(const ClientGame &game, const Roster &roster, AttentionSink &sink,
                               std::function<bool()> windowActive, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_roster(roster)
    , m_sink(sink)
    , m_windowActive(std::move(windowActive))
    , m_known(roster.present())
{
    connect(&game, &ClientGame::turnChanged, this, &AttentionRules::turnChanged);
    connect(&game, &ClientGame::gameStarted, this, &AttentionRules::gameStarted);
    connect(&roster, &Roster::changed, this, &AttentionRules::rosterChanged);
}

void AttentionRules::setEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    Q_EMIT enabledChanged(on);
}

void AttentionRules::turnChanged()
{
    if (!m_game.isPlayer() || m_game.whoseTurn() != m_game.ownSlot())
        return;
    const QString opponent = m_game.seatName(m_game.ownSlot() == 1 ? 2 : 1);
    call(QStringLiteral("Your turn"), QStringLiteral("%1 is waiting for your move.").arg(opponent));
}

void AttentionRules::gameStarted()
{
    call(QStringLiteral("The game has started"),
         QStringLiteral("%1 against %2.").arg(m_game.seatName(1), m_game.seatName(2)));
}

void AttentionRules::rosterChanged()
{
    // Every change is remembered, even one that calls nobody, so a later change never
    // takes an old arrival for a new one.
    QList<Roster::Participant> newcomers;
    for (const Roster::Participant &participant : m_roster.present()) {
        if (!m_known.contains(participant) && !m_game.isOwn(participant.slot))
            newcomers.append(participant);
    }
    m_known = m_roster.present();
    if (!m_game.hostFlag())
        return;
    for (const Roster::Participant &newcomer : newcomers)
        call(QStringLiteral("A player joined"), QStringLiteral("%1 joined your game.").arg(newcomer.name));
}

void AttentionRules::call(const QString &summary, const QString &body)
{
    if (!m_enabled || (m_windowActive && m_windowActive()))
        return;
    m_sink.callAttention(summary, body);
}
