// The host's connection manager; see HostSession.h.
#include "host/HostSession.h"

#include "host/ParticipantName.h"
#include "host/SeatTable.h"
#include "host/SlotSink.h"
#include "host/TServer.h"
#include "net/Catalogue.h"
#include "net/Message.h"

#include <chrono>
#include <optional>

Q_LOGGING_CATEGORY(lcHostSession, "quarn.host.session", QtWarningMsg)

const char *const HostSession::kHostVersion = net::kVersion;
const QString HostSession::kTooFastNotice =
    QStringLiteral("Host: You are chatting too fast; lines beyond five a second are not sent.");

namespace {

// The first field of a request, strictly converted; 0 when it is not a number.
int firstNumber(const QString &rest)
{
    try {
        return net::FieldReader(rest).takeInt();
    } catch (const net::ConversionError &) {
        return 0;
    }
}

// What follows the slot field of a relay request, when that slot is the sender's own.
std::optional<QString> ownText(int sender, const QString &rest)
{
    net::FieldReader fields(rest);
    const int slot = fields.takeInt();
    if (slot != sender || !SeatTable::isSlot(slot))
        return std::nullopt;
    return fields.rest();
}

qint64 steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

HostSession::HostSession(SeatTable &table, TServer &server, SlotSink &sink, Clock clock)
    : m_table(table)
    , m_server(server)
    , m_sink(sink)
    , m_participants(table, sink)
    , m_clock(clock ? std::move(clock) : Clock(steadyMilliseconds))
{
    const auto own = [this](void (HostSession::*handler)(int, const QString &)) {
        return Route{Binding::OwnSlot,
                     [this, handler](int sender, const QString &rest) { (this->*handler)(sender, rest); }};
    };
    const auto rule = [this](Binding binding, void (TServer::*handler)(const QString &)) {
        return Route{binding, [this, handler](int, const QString &rest) { (m_server.*handler)(rest); }};
    };
    m_routes.insert(QStringLiteral("CMD_logininfo"), own(&HostSession::receivedlogininfo));
    m_routes.insert(QStringLiteral("CMD_kickhim"),
                    Route{Binding::HostOnly, [this](int sender, const QString &rest) { kickhim(sender, rest); }});
    m_routes.insert(QStringLiteral("CMD_chat"), own(&HostSession::chat));
    m_routes.insert(QStringLiteral("CMD_action"), own(&HostSession::action));
    m_routes.insert(QStringLiteral("CMD_justwatch"),
                    Route{Binding::SeatOrHost, [this](int sender, const QString &rest) { justwatch(sender, rest); }});
    m_routes.insert(QStringLiteral("CMD_startgame"), rule(Binding::HostOnly, &TServer::startgame));
    m_routes.insert(QStringLiteral("CMD_placemyletter"), rule(Binding::OwnSlot, &TServer::placemyletter));
    m_routes.insert(QStringLiteral("CMD_discardextra"), rule(Binding::OwnSlot, &TServer::discardextra));
    m_routes.insert(QStringLiteral("CMD_tradingmyletter"), rule(Binding::OwnSlot, &TServer::tradingmyletter));
    m_routes.insert(QStringLiteral("CMD_stealinghisletter"),
                    Route{Binding::OwnSlot, [this](int, const QString &rest) { m_server.stealinghisletter(rest); }});
    m_routes.insert(QStringLiteral("CMD_discardletter"), rule(Binding::OwnSlot, &TServer::discardletter));
    m_routes.insert(QStringLiteral("CMD_playasound"), own(&HostSession::playasound));
}

int HostSession::Sock1Accept()
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

void HostSession::socktimerTimer(int sender, const QByteArray &message)
{
    const std::optional<net::Message> parsed = net::splitMessage(message);
    if (!parsed)
        return;  // empty, or no "+": e.g. the second terminator after a login
    const auto route = m_routes.constFind(parsed->command);
    if (route == m_routes.constEnd()) {
        qCInfo(lcHostSession) << "slot" << sender << "unknown command" << parsed->command;
        return;
    }
    if (!SeatTable::isSlot(sender) || !allowed(route->binding, sender, parsed->rest)) {
        qCInfo(lcHostSession) << "slot" << sender << "may not send" << parsed->command << parsed->rest;
        return;
    }
    try {
        route->handler(sender, parsed->rest);
    } catch (const std::exception &error) {
        // Remote input: logged, never shown on the host's screen.
        qCInfo(lcHostSession) << "slot" << sender << parsed->command << "dropped:" << error.what();
    }
}

bool HostSession::allowed(Binding binding, int sender, const QString &rest) const
{
    switch (binding) {
    case Binding::OwnSlot: return firstNumber(rest) == sender;
    case Binding::HostOnly: return sender == 1;
    case Binding::SeatOrHost: return sender == 1 || firstNumber(rest) == sender;
    }
    return false;
}

void HostSession::receivedlogininfo(int sender, const QString &rest)
{
    net::FieldReader fields(rest);
    const int n = fields.takeInt();
    const QString version = fields.takeField();
    if (n != sender || !SeatTable::isSlot(n))
        return;
    const QString name = ParticipantName::clean(fields.rest());
    m_table.login(n, name);

    m_participants.broadcast(net::toClient::newplayerinfo(n, name));
    for (const int other : m_table.connectedSlots()) {
        if (other != n)
            m_participants.sendTo(n, net::toClient::existingplayers(other, m_table.player(other).name));
    }
    if (version != QLatin1String(kHostVersion)) {
        m_participants.sendTo(1, net::toClient::havewrongversion(name));
        m_participants.sendTo(n, net::toClient::wrongversion());
    }
    if (m_table.gameInProgress())
        catchUp(n);
}

void HostSession::catchUp(int slot)
{
    if ((slot == 1 || slot == 2) && m_table.isConnected(slot)) {
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

void HostSession::kickhim(int sender, const QString &rest)
{
    net::FieldReader fields(rest);
    if (fields.takeInt() != 1 || sender != 1)
        return;
    disconnectsock(fields.takeInt());
}

void HostSession::disconnectsock(int slot)
{
    if (m_table.isConnected(slot))
        m_sink.closeSlot(slot);
}

void HostSession::tempsockInfo(int slot)
{
    if (!SeatTable::isSlot(slot))
        return;
    if (m_table.isConnected(slot))
        m_participants.broadcastExcept(slot, net::toClient::playerdisconnected(slot, m_table.player(slot).name));
    m_table.depart(slot);
    resetChatRate(slot);
    if (m_table.gameInProgress() && slot == m_table.whoseTurn() && slot != 1)
        m_server.findplayer();
}

void HostSession::chat(int sender, const QString &rest)
{
    if (const auto text = ownText(sender, rest)) {
        relay(sender, *text,
              [&](const QString &t) { return net::toClient::chat(sender, m_table.player(sender).name, t); });
    }
}

void HostSession::action(int sender, const QString &rest)
{
    if (const auto text = ownText(sender, rest)) {
        relay(sender, *text,
              [&](const QString &t) { return net::toClient::action(sender, m_table.player(sender).name, t); });
    }
}

void HostSession::playasound(int sender, const QString &rest)
{
    if (const auto text = ownText(sender, rest))
        relay(sender, *text, [&](const QString &t) { return net::toClient::playasound(sender, t); });
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

void HostSession::justwatch(int sender, const QString &rest)
{
    net::FieldReader fields(rest);
    const int seat = fields.takeInt();
    const QString flag = fields.rest();
    if (seat != 1 && seat != 2)
        return;
    if (sender != 1 && sender != seat)
        return;
    if (flag == QLatin1String("2")) {
        m_table.setWatching(seat, false);
        m_participants.broadcast(net::toClient::justwatching(seat, flag));
    } else if (flag == QLatin1String("1")) {
        m_table.setWatching(seat, true);
        m_participants.broadcast(net::toClient::justwatching(seat, flag));
        if (m_table.gameInProgress() && seat == m_table.whoseTurn())
            m_server.justWatchSwitched(seat);
    }
}
