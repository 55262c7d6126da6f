// The host's connection manager without sockets: slot assignment on accept, login and
// presence, catch-up of a late joiner, removal, departure, the chat/action/sound relays,
// the just-watch mark and the dispatch table of received requests. It changes the seat
// table only through its named operations, speaks to the participants through
// Participants (and closes slots through the SlotSink) and reaches the rules through GameRules.
//
// Every request is read by the catalogue's decoder for its command (net/Catalogue.h), so
// the host and the clients share one grammar; a request the decoder refuses is dropped.
// Every request is bound to the slot of the connection it arrived on (`sender`): a
// request that names another slot is dropped, so a participant can act only for itself.
// CMD_kickhim and CMD_startgame are honoured only from slot 1 (the hosting player);
// CMD_justwatch from slot 1 for either seat, or from the seat itself.
//
// What one participant can make the host send is bounded: a relayed chat or action text
// is at most kMaxRelayText bytes, and relays beyond a fair rate (ChatRateLimit) are
// dropped, with one notice to that participant for each run of dropped lines.
#pragma once

#include "host/ChatRateLimit.h"
#include "host/ParticipantName.h"
#include "host/Participants.h"
#include "net/Catalogue.h"
#include "net/GameFacts.h"

#include <QByteArray>
#include <QHash>
#include <QLoggingCategory>
#include <QString>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

class SeatTable;
class SlotSink;
class GameRules;

Q_DECLARE_LOGGING_CATEGORY(lcHostSession)

class HostSession {
public:
    static constexpr int kMaxSlot = quarn::kHighestSlot;
    // Names are cut to this many characters (control characters become spaces).
    static constexpr int kMaxNameLength = ParticipantName::kMaxLength;
    // Longest chat, action or sound text relayed, in bytes as sent.
    static constexpr qsizetype kMaxRelayText = 4096;
    // The host's version text; a login with another version gets the two notices.
    static const char *const kHostVersion;
    // What a participant whose lines were dropped for chatting too fast is told.
    static const QString kTooFastNotice;

    // A monotonic clock in milliseconds (the chat rate); the steady clock when empty.
    using Clock = std::function<qint64()>;

    HostSession(SeatTable &table, GameRules &rules, SlotSink &sink, Clock clock = {});

    // A new connection (`Sock1Accept`): takes the lowest free slot (1..9) and marks it
    // connected; 0 when all nine are taken (the caller sends "CMD_full+" and closes). Call
    // welcome() once the connection is reachable through the sink.
    int acceptParticipant();
    // Sends CMD_sendlogininfo to a freshly accepted slot.
    void welcome(int slot);

    // One message from the received-message queue (terminator removed), from `sender`
    // (the queue's tick, `socktimerTimer`): decoded, checked against the sender's rights
    // and handed to its handler.
    void serveRequest(int sender, const QByteArray &message);

    // The connection of `slot` has closed (`tempsockInfo`, "Socket Closed"): presence
    // notice, slot freed, and the turn passed when the departed seat (not seat 1) was to move.
    void connectionClosed(int slot);

    // Handlers of decoded requests that the sender may make; `sender` is the slot the
    // request arrived from. Public for tests; serveRequest() is the way in.
    void receivedlogininfo(const net::toHost::Login &login);
    void kickhim(const net::toHost::Kick &kick);
    void disconnectsock(int slot);
    void chat(int sender, const net::toHost::Relay &line);
    void action(int sender, const net::toHost::Relay &line);
    void playasound(int sender, const net::toHost::Relay &sound);
    void justwatch(const net::JustWatch &request);

private:
    enum class Binding { OwnSlot, HostOnly, SeatOrHost };
    enum class Outcome { Served, Malformed, NotAllowed };
    // Decodes a request's rest, checks the binding and runs the handler.
    using Route = std::function<Outcome(int sender, const QString &rest)>;

    template <typename Request>
    Route route(Binding binding, std::optional<Request> (*decode)(const QString &),
                std::function<void(int sender, const Request &)> handler);
    // `claimed` is the slot or seat the request names, if it names one.
    static bool allowed(Binding binding, int sender, std::optional<int> claimed);
    // A fresh participant in `slot` chats with a full burst and no pending notice.
    void resetChatRate(int slot);
    // Relays a chat, action or sound text of `sender`, within the size and the rate.
    void relay(int sender, const QString &text, const std::function<QByteArray(const QString &)> &compose);
    void catchUp(int slot);

    SeatTable &m_table;
    GameRules &m_rules;
    SlotSink &m_sink;
    Participants m_participants;
    QHash<QString, Route> m_routes;
    Clock m_clock;
    std::array<ChatRateLimit, kMaxSlot + 1> m_chatRate{};
    // Slots told that they chat too fast, until a line of theirs goes through again.
    std::array<bool, kMaxSlot + 1> m_throttled{};
};
