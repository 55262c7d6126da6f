// The host's connection manager; see HostSession.h.
#include "host/HostSession.h"

#include "host/GameRules.h"
#include "host/ParticipantName.h"
#include "host/SeatTable.h"
#include "host/SlotSink.h"
#include "net/GameFacts.h"
#include "net/Message.h"

#include <chrono>

Q_LOGGING_CATEGORY(lcHostSession, "quarn.host.session", QtWarningMsg)

const char *const HostSession::kHostVersion = net::kVersion;
const QString HostSession::kTooFastNotice =
    QStringLiteral("Host: You are chatting too fast; lines beyond five a second are not sent.");

namespace {

// The slot a request speaks for, or the seat it acts on; nothing for a request that
// names neither (CMD_startgame).
template <typename Request> std::optional<int> claimedSlot(const Request &request)
{
    if constexpr (requires { request.slot; })
        return request.slot;
    else if constexpr (requires { request.seat; })
        return request.seat;
    else
        return std::nullopt;
}

qint64 steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

template <typename Request>
HostSession::Route HostSession::route(Binding binding, std::optional<Request> (*decode)(const QString &),
                                      std::function<void(int sender, const Request &)> handler)
{
    return [binding, decode, handler = std::move(handler)](int sender, const QString &rest) {
        const std::optional<Request> request = decode(rest);
        if (!request)
            return Outcome::Malformed;
        if (!allowed(binding, sender, claimedSlot(*request)))
            return Outcome::NotAllowed;
        handler(sender, *request);
        return Outcome::Served;
    };
}

HostSession::HostSession(SeatTable &table, GameRules &rules, SlotSink &sink, Clock clock)
    : m_table(table)
    , m_rules(rules)
    , m_sink(sink)
    , m_participants(table, sink)
    , m_clock(clock ? std::move(clock) : Clock(steadyMilliseconds))
{
    using namespace net::toHost;
    const auto own = [this](void (HostSession::*handler)(int, const Relay &)) {
        return route<Relay>(Binding::OwnSlot, &decode::relay,
                            [this, handler](int sender, const Relay &relay) { (this->*handler)(sender, relay); });
    };
    const auto rule = [this]<typename Request, typename Result>(Binding binding,
                                                                std::optional<Request> (*decode)(const QString &),
                                                                Result (GameRules::*handler)(const Request &)) {
        return route<Request>(binding, decode,
                              [this, handler](int, const Request &request) { (m_rules.*handler)(request); });
    };
    m_routes.insert(QStringLiteral("CMD_logininfo"),
                    route<Login>(Binding::OwnSlot, &decode::logininfo,
                                 [this](int, const Login &login) { receivedlogininfo(login); }));
    m_routes.insert(QStringLiteral("CMD_kickhim"),
                    route<Kick>(Binding::HostOnly, &decode::kickhim, [this](int, const Kick &kick) { kickhim(kick); }));
    m_routes.insert(QStringLiteral("CMD_chat"), own(&HostSession::chat));
    m_routes.insert(QStringLiteral("CMD_action"), own(&HostSession::action));
    m_routes.insert(QStringLiteral("CMD_justwatch"),
                    route<net::JustWatch>(Binding::SeatOrHost, &decode::justwatch,
                                          [this](int, const net::JustWatch &request) { justwatch(request); }));
    m_routes.insert(QStringLiteral("CMD_startgame"),
                    rule(Binding::HostOnly, &decode::startgame, &GameRules::startgame));
    m_routes.insert(QStringLiteral("CMD_placemyletter"),
                    rule(Binding::OwnSlot, &decode::placemyletter, &GameRules::placemyletter));
    m_routes.insert(QStringLiteral("CMD_discardextra"),
                    rule(Binding::OwnSlot, &decode::discardextra, &GameRules::discardextra));
    m_routes.insert(QStringLiteral("CMD_tradingmyletter"),
                    rule(Binding::OwnSlot, &decode::tradingmyletter, &GameRules::tradingmyletter));
    m_routes.insert(QStringLiteral("CMD_stealinghisletter"),
                    rule(Binding::OwnSlot, &decode::stealinghisletter, &GameRules::stealinghisletter));
    m_routes.insert(QStringLiteral("CMD_discardletter"),
                    rule(Binding::OwnSlot, &decode::discardletter, &GameRules::discardletter));
    m_routes.insert(QStringLiteral("CMD_playasound"), own(&HostSession::playasound));
}

int HostSession::acceptParticipant()
{
    const int slot = m_table.accept();
    if (slot != 0)
        resetChatRate(slot);
    return slot;
}

void HostSession::welcome(int slot)
{
    m_participants.sendTo(slot, net::toClient::sendlogininfo(slot));
}

void HostSession::resetChatRate(int slot)
{
    m_chatRate[static_cast<size_t>(slot)].reset();
    m_throttled[static_cast<size_t>(slot)] = false;
}

void HostSession::serveRequest(int sender, const QByteArray &message)
{
    const std::optional<net::Message> parsed = net::splitMessage(message);
    if (!parsed)
        return;  // empty, or no "+": e.g. the second terminator after a login
    const auto route = m_routes.constFind(parsed->command);
    if (route == m_routes.constEnd()) {
        qCInfo(lcHostSession) << "slot" << sender << "unknown command" << parsed->command;
        return;
    }
    if (!SeatTable::isSlot(sender)) {
        qCInfo(lcHostSession) << "slot" << sender << "is no participant's; dropped" << parsed->command;
        return;
    }
    // Remote input: logged, never shown on the host's screen.
    switch ((*route)(sender, parsed->rest)) {
    case Outcome::Served: break;
    case Outcome::Malformed:
        qCInfo(lcHostSession) << "slot" << sender << "malformed" << parsed->command << "dropped:" << parsed->rest;
        break;
    case Outcome::NotAllowed:
        qCInfo(lcHostSession) << "slot" << sender << "may not send" << parsed->command << parsed->rest;
        break;
    }
}

bool HostSession::allowed(Binding binding, int sender, std::optional<int> claimed)
{
    switch (binding) {
    case Binding::OwnSlot: return claimed == sender;
    // A slot the request names must be slot 1's own as well.
    case Binding::HostOnly: return sender == 1 && (!claimed || *claimed == sender);
    case Binding::SeatOrHost: return sender == 1 || claimed == sender;
    }
    return false;
}

void HostSession::receivedlogininfo(const net::toHost::Login &login)
{
    const int n = login.slot;  // the sender's own
    const QString name = ParticipantName::clean(login.name);
    m_table.login(n, name);

    m_participants.broadcast(net::toClient::newplayerinfo(n, name));
    for (const int other : m_table.connectedSlots()) {
        if (other != n)
            m_participants.sendTo(n, net::toClient::existingplayers(other, m_table.player(other).name));
    }
    if (login.version != QLatin1String(kHostVersion)) {
        m_participants.sendTo(1, net::toClient::havewrongversion(name));
        m_participants.sendTo(n, net::toClient::wrongversion());
    }
    if (m_table.gameInProgress())
        catchUp(n);
}

void HostSession::catchUp(int slot)
{
    if (quarn::isSeat(slot) && m_table.isConnected(slot)) {
        QList<net::ExtraLetter> pairs;
        const tplayer &seat = m_table.player(slot);
        for (int extra = 1; extra <= quarn::kExtras; ++extra) {
            const int code = seat.extras[static_cast<size_t>(extra)];
            if (code != 0)
                pairs.append({extra, code});
        }
        if (!pairs.isEmpty())
            m_participants.sendTo(slot, net::toClient::letters(slot, pairs));
    }
    QList<net::BoardLetter> triples;
    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        for (int position = 1; position <= quarn::kCells; ++position) {
            const int code = m_table.player(seat).board[static_cast<size_t>(position)];
            if (code != 0)
                triples.append({seat, position, code});
        }
    }
    // Sent even when both boards are empty: the bare command is dropped by the client.
    m_participants.sendTo(slot, net::toClient::placetheletters(triples));
    const GameSettings &settings = m_table.settings();
    m_participants.sendTo(slot,
                          net::toClient::gamestats(settings.timePerTurn, settings.playToScore, settings.stealsAllowed,
                                                   m_table.player(1).score, m_table.player(2).score));
}

void HostSession::kickhim(const net::toHost::Kick &kick)
{
    disconnectsock(kick.target);
}

void HostSession::disconnectsock(int slot)
{
    if (m_table.isConnected(slot))
        m_sink.closeSlot(slot);
}

void HostSession::connectionClosed(int slot)
{
    if (!SeatTable::isSlot(slot))
        return;
    if (m_table.isConnected(slot))
        m_participants.broadcastExcept(slot, net::toClient::playerdisconnected(slot, m_table.player(slot).name));
    m_table.depart(slot);
    resetChatRate(slot);
    if (m_table.gameInProgress() && slot == m_table.whoseTurn() && slot != 1)
        m_rules.passTurnOrDeclareWinner();
}

void HostSession::chat(int sender, const net::toHost::Relay &line)
{
    relay(sender, line.rest,
          [&](const QString &t) { return net::toClient::chat(sender, m_table.player(sender).name, t); });
}

void HostSession::action(int sender, const net::toHost::Relay &line)
{
    relay(sender, line.rest,
          [&](const QString &t) { return net::toClient::action(sender, m_table.player(sender).name, t); });
}

void HostSession::playasound(int sender, const net::toHost::Relay &sound)
{
    relay(sender, sound.rest, [&](const QString &t) { return net::toClient::playasound(sender, t); });
}

void HostSession::relay(int sender, const QString &text, const std::function<QByteArray(const QString &)> &compose)
{
    // The client never composes more; a longer text is not ours to pass on.
    if (text.size() > kMaxRelayText || net::encodeText(text).size() > kMaxRelayText) {
        qCInfo(lcHostSession) << "slot" << sender << "relay of" << text.size() << "characters dropped";
        return;
    }
    const auto at = static_cast<size_t>(sender);
    if (!m_chatRate[at].allow(m_clock())) {
        qCInfo(lcHostSession) << "slot" << sender << "chats too fast; line dropped";
        if (!m_throttled[at])
            m_participants.sendTo(sender, net::toClient::hostnotice(kTooFastNotice));
        m_throttled[at] = true;
        return;
    }
    m_throttled[at] = false;
    m_participants.broadcast(compose(text));
}

void HostSession::justwatch(const net::JustWatch &request)
{
    const int seat = request.seat;
    m_table.setWatching(seat, request.watching);
    m_participants.broadcast(
        net::toClient::justwatching(seat, request.watching ? QStringLiteral("1") : QStringLiteral("2")));
    if (request.watching && m_table.gameInProgress() && seat == m_table.whoseTurn())
        m_rules.justWatchSwitched(seat);
}
