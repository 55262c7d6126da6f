// The connection half of the main window: start-up modes, the connection to the host,
// login and presence, just watching, removal, and the dispatch of the host's messages.
#include "client/ConnectionHalf.h"

#include "client/ChatMessages.h"
#include "client/HostControl.h"
#include "client/StartMode.h"
#include "client/model/BoardMessages.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"
#include "net/Catalogue.h"
#include "net/Connection.h"
#include "net/GameFacts.h"
#include "net/Message.h"
#include "net/MessageQueue.h"

#include <QTcpSocket>

Q_LOGGING_CATEGORY(lcClient, "quarn.client", QtWarningMsg)

namespace {
const QString kLocalAddress = QStringLiteral("127.0.0.1");
const QColor kNavy(0, 0, 128);
const QColor kGreen(0, 128, 0);
// A just-watch request names a seat below this; the name labels' menu only ever names
// seat 1 or 2, and the host refuses anything else.
constexpr int kJustWatchSeatLimit = 5;
}  // namespace

ConnectionHalf::ConnectionHalf(ClientContext &context, ClientGame &game, Roster &roster, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_game(game)
    , m_roster(roster)
    , m_received(std::make_unique<net::MessageQueue>(std::chrono::milliseconds(kDispatchIntervalMs)))
{
    connect(m_received.get(), &net::MessageQueue::messageTaken, this, [this](quint64, const QByteArray &message) {
        dispatchMessage(message);
        if (m_closePending && m_received->isEmpty())
            finishClose();
    });
    buildDispatchTable();
}

ConnectionHalf::~ConnectionHalf()
{
    // The queue's signal must not reach a half that is being taken apart.
    m_received->disconnect(this);
    if (m_sock)
        m_sock->disconnect(this);
}

quint16 ConnectionHalf::portFromEnvironment()
{
    const QString text = qEnvironmentVariable("QUARN_PORT");
    if (text.isEmpty())
        return kDefaultPort;
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port > 65535) {
        qCWarning(lcClient) << "QUARN_PORT" << text << "is not a port number; using" << kDefaultPort;
        return kDefaultPort;
    }
    return static_cast<quint16>(port);
}

void ConnectionHalf::buildDispatchTable()
{
    auto board = [this](void (BoardMessages::*handler)(const QString &)) -> Handler {
        return [this, handler](const QString &rest) {
            if (m_peers.board)
                (m_peers.board->*handler)(rest);
        };
    };
    auto chat = [this](void (ChatMessages::*handler)(const QString &)) -> Handler {
        return [this, handler](const QString &rest) {
            if (m_peers.chat)
                (m_peers.chat->*handler)(rest);
        };
    };
    auto own = [this](void (ConnectionHalf::*handler)(const QString &)) -> Handler {
        return [this, handler](const QString &rest) { (this->*handler)(rest); };
    };

    m_dispatch = {
        {QStringLiteral("CMD_sendlogininfo"), own(&ConnectionHalf::sendloginfo)},
        {QStringLiteral("CMD_chat"), chat(&ChatMessages::chatReceived)},
        {QStringLiteral("CMD_action"), chat(&ChatMessages::chatReceived)},
        {QStringLiteral("CMD_newplayerinfo"), own(&ConnectionHalf::newplayerinfo)},
        {QStringLiteral("CMD_havewrongversion"), own(&ConnectionHalf::havewrongversion)},
        {QStringLiteral("CMD_wrongversion"), own(&ConnectionHalf::wrongversion)},
        {QStringLiteral("CMD_existingplayers"), own(&ConnectionHalf::existingplayers)},
        {QStringLiteral("CMD_playerdisconnected"), own(&ConnectionHalf::playerdisconnected)},
        {QStringLiteral("CMD_justwatching"), own(&ConnectionHalf::justwatching)},
        {QStringLiteral("CMD_startgame"), board(&BoardMessages::startthegame)},
        {QStringLiteral("CMD_nextplayer"), board(&BoardMessages::getnextplayer)},
        {QStringLiteral("CMD_winner"), board(&BoardMessages::winner)},
        {QStringLiteral("CMD_full"), own(&ConnectionHalf::full)},
        {QStringLiteral("CMD_letters"), board(&BoardMessages::letters)},
        {QStringLiteral("CMD_newletter"), board(&BoardMessages::newletter)},
        {QStringLiteral("CMD_placemyletter"), board(&BoardMessages::placemyletter)},
        {QStringLiteral("CMD_discardextra"), board(&BoardMessages::discardextra)},
        {QStringLiteral("CMD_discardletter"), board(&BoardMessages::discardletter)},
        {QStringLiteral("CMD_tradingmyletter"), board(&BoardMessages::tradingmyletter)},
        {QStringLiteral("CMD_notvalid"), board(&BoardMessages::notvalid)},
        {QStringLiteral("CMD_formedword"), board(&BoardMessages::formedword)},
        {QStringLiteral("CMD_stoldletter"), board(&BoardMessages::stoldletter)},
        {QStringLiteral("CMD_timeup"), board(&BoardMessages::timeup)},
        {QStringLiteral("CMD_gamestats"), board(&BoardMessages::gamestats)},
        {QStringLiteral("CMD_toomany"), board(&BoardMessages::toomany)},
        {QStringLiteral("CMD_placetheletters"), board(&BoardMessages::placetheletters)},
        {QStringLiteral("CMD_playasound"), chat(&ChatMessages::playasound)},
    };
}

// --- start-up ---------------------------------------------------------------------------

void ConnectionHalf::processparams(const QStringList &arguments)
{
    m_loginName.clear();
    const StartMode mode = startModeFrom(arguments, m_port);
    m_context.playerName = mode.playerName;
    m_context.hostAddress = mode.hostAddress;
    if (mode.kind == StartMode::Kind::Solo) {
        notice(QStringLiteral("0+Loading Solo Game..Please wait."));
        Q_EMIT soloStarted();  // the lobby download window offers itself
        startHost(HostReach::LoopbackOnly);
        return;
    }
    notice(QStringLiteral("0+Press CONTROL-I in order to see QUICK INSTRUCTIONS!"));
    notice(QStringLiteral("0+Loading Multi-player Game.. Please Wait."));
    if (mode.kind == StartMode::Kind::Incomplete)
        return;
    if (mode.kind == StartMode::Kind::Refused) {
        notice(QStringLiteral("0+Cannot join the game at ") + mode.hostAddress + QStringLiteral(": ") + mode.error);
        return;
    }
    if (mode.kind == StartMode::Kind::Host) {
        hostpress();
    } else {
        m_port = mode.port;
        joinpress();
    }
    openLobbyLink();
}

void ConnectionHalf::hostpress()
{
    startHost(HostReach::Everywhere);
}

void ConnectionHalf::startHost(HostReach reach)
{
    if (!m_host) {
        notice(QStringLiteral("0+This copy cannot host a game."));
        return;
    }
    const auto listen = [this, reach] {
        return reach == HostReach::LoopbackOnly ? m_host->listenOnLoopback(m_port) : m_host->listen(m_port);
    };
    if (!m_host->isListening() && !listen()) {
        qCWarning(lcClient) << "cannot listen:" << m_host->errorString();
        notice(QStringLiteral("0+Could not start the game on port ") + QString::number(m_port) + QStringLiteral(": ")
               + m_host->errorString());
        // The usual cause is another copy hosting on the same port.
        notice(QStringLiteral("0+Another copy may be hosting a game on this port: close it, or start this one with "
                              "QUARN_PORT set to another port."));
        return;
    }
    qCInfo(lcClient) << "hosting on port" << m_host->serverPort();
    m_loginName = m_context.playerName;
    m_game.setHosting();
    connectTo(kLocalAddress, m_host->serverPort());
    Q_EMIT hostingStarted();
}

void ConnectionHalf::joinpress()
{
    qCInfo(lcClient) << "joining" << m_context.hostAddress << "port" << m_port;
    m_loginName = m_context.playerName;
    connectTo(m_context.hostAddress, m_port);
}

void ConnectionHalf::connectTo(const QString &address, quint16 port)
{
    if (m_sock) {
        qCWarning(lcClient) << "already connected or connecting; second connect ignored";
        return;
    }
    m_sock = std::make_unique<net::Connection>();
    connect(m_sock.get(), &net::Connection::messageReceived, this, [this](const QByteArray &message) {
        // A host that sends faster than we handle, without end, is cut off like a flooding peer.
        if (!m_received->append(0, message)) {
            qCWarning(lcClient) << "more than" << m_received->sourceLimit() << "bytes from the host waiting; closing";
            m_sock->abort(QStringLiteral("the host sends more than can be handled"));
        }
    });
    connect(m_sock.get(), &net::Connection::closed, this, &ConnectionHalf::connectionEnded);
    connect(m_sock.get(), &net::Connection::connectFailed, this, [this, address](const QString &reason) {
        qCWarning(lcClient) << "cannot connect to" << address << reason;
        notice(QStringLiteral("0+Could not connect to the game at ") + address + QStringLiteral(": ") + reason);
        // Nothing was ever open: a later join starts afresh.
        m_sock.release()->deleteLater();
        Q_EMIT connectFailed(reason);
    });
    m_sock->connectToHost(address, port);
}

void ConnectionHalf::openLobbyLink()
{
    // The lobby program may or may not be there; nothing is ever sent or read, and a
    // failure changes nothing.
    if (m_lobbyLink)
        return;
    m_lobbyLink = new QTcpSocket(this);
    m_lobbyLink->connectToHost(kLocalAddress, kLobbyPort);
}

bool ConnectionHalf::connected() const
{
    return m_sock && m_sock->isOpen();
}

void ConnectionHalf::connectionEnded(const QString &reason)
{
    qCInfo(lcClient) << "connection to the host closed:" << reason;
    // What the host sent before it closed (such as "Game is full") is still handled.
    m_closePending = true;
    if (m_received->isEmpty())
        finishClose();
}

void ConnectionHalf::finishClose()
{
    m_closePending = false;
    if (m_ended)
        return;  // "Game is full" is on the screen; the window closes when it is dismissed
    m_ended = true;
    Q_EMIT connectionClosed();
}

// --- sending ----------------------------------------------------------------------------

void ConnectionHalf::sendRequest(const QByteArray &message)
{
    if (!m_game.loggedIn() || !m_sock) {
        qCDebug(lcClient) << "not logged in; request dropped";
        return;
    }
    if (!m_sock->send(message))
        qCDebug(lcClient) << "connection not open; request dropped";
}

// --- receiving --------------------------------------------------------------------------

void ConnectionHalf::dispatchMessage(const QByteArray &message)
{
    if (message.isEmpty())
        return;
    QString command;
    QString rest;
    if (const std::optional<net::Message> split = net::splitMessage(message)) {
        command = split->command;
        rest = split->rest;
    } else {
        command = net::decodeText(message);  // a bare command word without fields
    }
    const auto handler = m_dispatch.constFind(command);
    if (handler == m_dispatch.constEnd()) {
        qCWarning(lcClient) << "unknown command from the host dropped:" << command.left(40);
        return;
    }
    try {
        (*handler)(rest);
    } catch (const net::ConversionError &error) {
        qCWarning(lcClient) << command << "dropped:" << error.what();
    } catch (const std::exception &error) {
        qCWarning(lcClient) << command << "failed:" << error.what();
    }
}

void ConnectionHalf::sendloginfo(const QString &rest)
{
    const auto assigned = net::toClient::decode::sendlogininfo(rest);
    if (refused(assigned.has_value(), "CMD_sendlogininfo"))
        return;
    if (m_game.loggedIn()) {
        qCWarning(lcClient) << "second login offer ignored; own slot stays" << m_game.ownSlot();
        return;
    }
    m_game.logIn(assigned->slot);
    qCInfo(lcClient) << "logged in as slot" << assigned->slot << "name" << m_loginName;
    sendRequest(net::toHost::logininfo(assigned->slot, QString::fromLatin1(net::kVersion), m_loginName));
}

void ConnectionHalf::newplayerinfo(const QString &rest)
{
    const auto joined = net::toClient::decode::newplayerinfo(rest);
    if (!refused(joined.has_value(), "CMD_newplayerinfo"))
        participantPresent(joined->slot, joined->name);
}

void ConnectionHalf::existingplayers(const QString &rest)
{
    const auto present = net::toClient::decode::existingplayers(rest);
    if (!refused(present.has_value(), "CMD_existingplayers"))
        participantPresent(present->slot, present->name);
}

void ConnectionHalf::participantPresent(int slot, const QString &name)
{
    const bool own = m_game.loggedIn() && m_game.isOwn(slot);
    if (own) {
        notice(QStringLiteral("0+You are Connected."));
        notice(QStringLiteral("0+View Quick Instructions by clicking Ctrl-i"));
        if (m_peers.loadinifile)
            m_peers.loadinifile();
    } else {
        notice(QStringLiteral("0+") + name + QStringLiteral(" is Connected."));
    }
    if (m_peers.sounds)
        m_peers.sounds->playsounds(QStringLiteral("entered"));

    qCInfo(lcClient) << "present: slot" << slot << "name" << name;
    m_roster.arrive(slot, name);
    if (slot > quarn::kSeats)
        notice(own ? QStringLiteral("0+You are spying.") : QStringLiteral("0+") + name + QStringLiteral(" is spying."));
    else
        m_game.setSeatName(slot, name);
}

void ConnectionHalf::playerdisconnected(const QString &rest)
{
    const auto gone = net::toClient::decode::playerdisconnected(rest);
    if (refused(gone.has_value(), "CMD_playerdisconnected"))
        return;
    const bool left = m_roster.leave(gone->slot, gone->name);
    if (gone->slot > quarn::kSeats) {
        // A spectator who was never listed (or whose slot a newcomer took) leaves no notice.
        if (left)
            notice(QStringLiteral("0+") + gone->name + QStringLiteral(" has left."), kNavy);
        return;
    }
    notice(QStringLiteral("0+") + m_game.seatName(gone->slot) + QStringLiteral(" disconnected."));
    m_game.seatLeft(gone->slot);
}

void ConnectionHalf::justwatching(const QString &rest)
{
    const auto mark = net::toClient::decode::justwatching(rest);
    if (refused(mark.has_value(), "CMD_justwatching"))
        return;
    notice(QStringLiteral("0+") + m_game.seatName(mark->seat)
               + (mark->watching ? QStringLiteral(" is just watching") : QStringLiteral(" is now playing again")),
           kGreen);
    // The own seat's mark is the "Just Watch" check mark too.
    m_game.setJustWatching(mark->seat, mark->watching);
}

void ConnectionHalf::havewrongversion(const QString &rest)
{
    notice(QStringLiteral("0+") + rest + QStringLiteral(" has a different version of the game then you."));
}

void ConnectionHalf::wrongversion(const QString &)
{
    notice(QStringLiteral("0+You have a differnt version of the game then the host."));
}

void ConnectionHalf::full(const QString &)
{
    if (m_ended)
        return;
    m_ended = true;  // the close that follows waits for the user to dismiss the box
    Q_EMIT gameFull();
}

// --- user actions -----------------------------------------------------------------------

void ConnectionHalf::kicking(int slot)
{
    if (!m_game.leadsGame() || !m_game.loggedIn())
        return;
    // Removing the own slot would end the hosting program and every other participant's.
    if (m_game.isOwn(slot))
        return;
    if (m_confirmRemoval) {
        QString name = QStringLiteral("slot %1").arg(slot);
        for (const Roster::Participant &present : m_roster.present()) {
            if (present.slot == slot)
                name = present.name;
        }
        if (!m_confirmRemoval(QStringLiteral("Remove %1 from the game?").arg(name)))
            return;
    }
    sendRequest(net::toHost::kickhim(m_game.ownSlot(), slot));
}

void ConnectionHalf::JustWatch1Click()
{
    if (!m_game.loggedIn() || !m_game.isPlayer())
        return;
    askJustWatch(m_game.ownSlot(), !m_game.justWatchChecked());
}

void ConnectionHalf::askJustWatch(int seat, bool watching)
{
    if (!m_game.loggedIn() || seat < 1 || seat >= kJustWatchSeatLimit)
        return;
    sendRequest(net::toHost::justwatch(seat, watching ? 1 : 2));
}

bool ConnectionHalf::refused(bool decoded, const char *command) const
{
    if (!decoded)
        qCWarning(lcClient) << command << "ignored: a field is missing, malformed or out of range";
    return !decoded;
}

void ConnectionHalf::notice(const QString &text, const QColor &colour)
{
    if (m_peers.lines)
        m_peers.lines->addlinetochat(text, colour);
}
