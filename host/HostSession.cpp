// The host's connection manager; see HostSession.h.
#include "host/HostSession.h"

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

bool isSlot(int slot)
{
    return slot >= 1 && slot <= HostSession::kMaxSlot;
}

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
    if (slot != sender || !isSlot(slot))
        return std::nullopt;
    return fields.rest();
}

qint64 steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Characters that reorder the text around them (embeddings, overrides, isolates, marks):
// in a name they could make the lines that show it read differently.
bool isBidiFormatting(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F
        || c == 0x061C;
}

} // namespace

HostSession::HostSession(TServer &server, SlotSink &sink, Clock clock)
    : m_server(server)
    , m_sink(sink)
    , m_clock(clock ? std::move(clock) : Clock(steadyMilliseconds))
{
    const auto own = [this](void (HostSession::*handler)(int, const QString &)) {
        return Route{Binding::OwnSlot, [this, handler](int sender, const QString &rest) { (this->*handler)(sender, rest); }};
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
    int &seatsused = m_server.seatsused;
    int slot = 0;
    if (seatsused == 0) {
        seatsused = 1;
        slot = 1;
    } else {
        slot = seatsused;
        for (int i = 1; i <= seatsused; ++i) {
            if (!isConnected(i)) {
                slot = i;
                break;
            }
        }
        if (isConnected(slot)) {
            if (slot >= kMaxSlot)
                return 0;
            slot = ++seatsused;
        }
    }
    m_server.players[slot].connected = 1;
    m_chatRate[slot].reset();
    m_throttled[slot] = false;
    return slot;
}

void HostSession::welcome(int slot)
{
    m_sink.sendToSlot(slot, net::toClient::sendlogininfo(slot));
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
    if (!isSlot(sender) || !allowed(route->binding, sender, parsed->rest)) {
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
    case Binding::OwnSlot:
        return firstNumber(rest) == sender;
    case Binding::HostOnly:
        return sender == 1;
    case Binding::SeatOrHost:
        return sender == 1 || firstNumber(rest) == sender;
    }
    return false;
}

void HostSession::receivedlogininfo(int sender, const QString &rest)
{
    net::FieldReader fields(rest);
    const int n = fields.takeInt();
    const QString version = fields.takeField();
    if (n != sender || !isSlot(n))
        return;
    const QString name = cleanName(fields.rest());
    tplayer &player = m_server.players[n];
    player.name = name;
    player.connected = 1;

    broadcast(net::toClient::newplayerinfo(n, name));
    for (int i = 1; i <= m_server.seatsused; ++i) {
        if (i != n && isConnected(i))
            sendTo(n, net::toClient::existingplayers(i, m_server.players[i].name));
    }
    if (version != QLatin1String(kHostVersion)) {
        sendTo(1, net::toClient::havewrongversion(name));
        sendTo(n, net::toClient::wrongversion());
    }
    if (m_server.gameinprogress)
        catchUp(n);
}

void HostSession::catchUp(int slot)
{
    if ((slot == 1 || slot == 2) && isConnected(slot)) {
        QList<net::ExtraLetter> pairs;
        const tplayer &seat = m_server.players[slot];
        for (int extra = 1; extra <= 6; ++extra) {
            if (seat.extras[extra] != 0)
                pairs.append({extra, seat.extras[extra]});
        }
        if (!pairs.isEmpty())
            sendTo(slot, net::toClient::letters(slot, pairs));
    }
    QList<net::BoardLetter> triples;
    for (int seat = 1; seat <= 2; ++seat) {
        for (int position = 1; position <= 10; ++position) {
            const int code = m_server.players[seat].board[position];
            if (code != 0)
                triples.append({seat, position, code});
        }
    }
    // Sent even when both boards are empty: the bare command is dropped by the client.
    m_sink.sendToSlot(slot, net::toClient::placetheletters(triples));
    sendTo(slot, net::toClient::gamestats(m_server.timeperturn, m_server.playtoscore, m_server.stealsallowed,
                                          m_server.players[1].score, m_server.players[2].score));
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
    if (isConnected(slot))
        m_sink.closeSlot(slot);
}

void HostSession::tempsockInfo(int slot)
{
    if (!isSlot(slot))
        return;
    tplayer &player = m_server.players[slot];
    if (player.connected == 1) {
        const QByteArray notice = net::toClient::playerdisconnected(slot, player.name);
        for (int i = 1; i <= m_server.seatsused; ++i) {
            if (i != slot && isConnected(i))
                m_sink.sendToSlot(i, notice);
        }
    }
    player.connected = 0;
    player.name.clear();
    player.justwatching = 0;
    m_chatRate[slot].reset();
    m_throttled[slot] = false;
    if (m_server.gameinprogress && slot == m_server.whoseturn && slot != 1)
        m_server.findplayer();
}

void HostSession::chat(int sender, const QString &rest)
{
    if (const auto text = ownText(sender, rest)) {
        relay(sender, *text,
              [&](const QString &t) { return net::toClient::chat(sender, m_server.players[sender].name, t); });
    }
}

void HostSession::action(int sender, const QString &rest)
{
    if (const auto text = ownText(sender, rest)) {
        relay(sender, *text,
              [&](const QString &t) { return net::toClient::action(sender, m_server.players[sender].name, t); });
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
    if (!m_chatRate[sender].allow(m_clock())) {
        qCInfo(lcHostSession) << "slot" << sender << "chats too fast; line dropped";
        if (!m_throttled[sender])
            sendTo(sender, net::toClient::hostnotice(kTooFastNotice));
        m_throttled[sender] = true;
        return;
    }
    m_throttled[sender] = false;
    broadcast(compose(text));
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
        m_server.players[seat].justwatching = 0;
        broadcast(net::toClient::justwatching(seat, flag));
    } else if (flag == QLatin1String("1")) {
        m_server.players[seat].justwatching = 1;
        broadcast(net::toClient::justwatching(seat, flag));
        if (m_server.gameinprogress && seat == m_server.whoseturn)
            m_server.justWatchSwitched(seat);
    }
}

QString HostSession::cleanName(const QString &name)
{
    QString clean;
    clean.reserve(std::min<qsizetype>(name.size(), kMaxNameLength));
    int characters = 0;
    for (qsizetype i = 0; i < name.size() && characters < kMaxNameLength; ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            clean += c;
            clean += name.at(++i);
        } else if (c.isSurrogate() || isBidiFormatting(c.unicode())) {
            continue;  // a lone half of a pair cannot be shown; reordering marks are not wanted
        } else {
            const bool breaksLine = c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
                || c.category() == QChar::Separator_Paragraph;
            clean += breaksLine ? QLatin1Char(' ') : c;
        }
        ++characters;
    }
    return clean;
}

bool HostSession::isConnected(int slot) const
{
    return isSlot(slot) && m_server.players[slot].connected == 1;
}

void HostSession::broadcast(const QByteArray &message)
{
    for (int i = 1; i <= m_server.seatsused && i <= kMaxSlot; ++i) {
        if (isConnected(i))
            m_sink.sendToSlot(i, message);
    }
}

void HostSession::sendTo(int slot, const QByteArray &message)
{
    if (isConnected(slot))
        m_sink.sendToSlot(slot, message);
}
