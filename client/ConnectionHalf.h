// The connection half of the main window: starts the mode the command line chose (solo,
// host or join), switches on the in-process host when hosting, keeps the one connection
// `sock` to the host, logs in, and dispatches every message of the host to the half that
// handles it. Who is present it keeps in the roster; who sits in the seats and this
// participant's own slot in the client's game (ClientGame), which the board view draws.
// It owns no widgets; the board and chat are reached through the interfaces in
// ConnectionPeers, and the name labels' menu is a view of its own (SeatMenu).
#pragma once

#include "client/ClientContext.h"
#include "net/GameFacts.h"

#include <QByteArray>
#include <QHash>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class BoardMessages;
class ChatMessages;
class ClientGame;
class HostControl;
class QTcpSocket;
class Roster;

namespace net {
class Connection;
class MessageQueue;
}  // namespace net

Q_DECLARE_LOGGING_CATEGORY(lcClient)

// The other halves of the main window, as the connection half calls them.
struct ConnectionPeers {
    BoardMessages *board = nullptr;
    ChatMessages *chat = nullptr;
    ChatLines *lines = nullptr;
    GameSounds *sounds = nullptr;
    // Reads the settings file; run once per own login.
    std::function<void()> loadinifile;
};

class ConnectionHalf : public QObject, public RequestSender {
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = quarn::kPort;
    static constexpr quint16 kLobbyPort = 9001;
    // The received messages are dispatched one per tick of this interval.
    static constexpr int kDispatchIntervalMs = 1;

    // The login and the seats' occupants go into `game`, who is present into `roster`.
    ConnectionHalf(ClientContext &context, ClientGame &game, Roster &roster, QObject *parent = nullptr);
    ~ConnectionHalf() override;

    // The other halves; set once they exist (they need this half as their RequestSender).
    void setPeers(ConnectionPeers peers) { m_peers = std::move(peers); }

    // QUARN_PORT when it holds a port number, else kDefaultPort.
    static quint16 portFromEnvironment();

    // The in-process host switched on by hostpress; may stay null in a joining copy.
    void setHost(HostControl *host) { m_host = host; }
    // Port the host listens on and the client connects to when the address names none
    // (0 = any free port when hosting).
    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }

    // Start-up in the mode `arguments` choose (see StartMode): solo and host switch on the
    // host and connect to it (a solo game's host listens on loopback only, on a free port
    // when the port is taken), join connects to the address and its port (or port());
    // one or two arguments, or an address that cannot be joined, give notices only.
    void processparams(const QStringList &arguments);
    void hostpress();
    void joinpress();

    // RequestSender: sends one composed request, only while logged in.
    void sendRequest(const QByteArray &message) override;

    // Dispatches one whole received message (terminator removed) by its command word.
    void dispatchMessage(const QByteArray &message);

    // Message handlers, each given the message's rest. A rest the typed decoder refuses
    // is ignored whole, with a warning on "quarn.client".
    void sendloginfo(const QString &rest);
    void newplayerinfo(const QString &rest);
    void existingplayers(const QString &rest);
    void playerdisconnected(const QString &rest);
    void justwatching(const QString &rest);

    // Requests, each sent only while logged in. Removal only from the hosting copy, and
    // never of the own slot (that would end every participant's program).
    void kicking(int slot);
    // Asked before a removal is sent, with the question to put; true goes ahead. Without
    // one every removal goes ahead (the main window asks the user in a box).
    void setRemovalConfirm(std::function<bool(const QString &question)> confirm)
    {
        m_confirmRemoval = std::move(confirm);
    }
    void JustWatch1Click();
    // Asks the host to set (or clear) just watching for `seat`.
    void askJustWatch(int seat, bool watching);

    bool connected() const;
    bool lobbyLinkStarted() const { return !m_lobbyLink.isNull(); }
    QString loginName() const { return m_loginName; }

Q_SIGNALS:
    // Hosting started: the Start Game entry is enabled (the board's Start button and the
    // spectator list's removal entry follow the game's hosting flag by themselves).
    void hostingStarted();
    // Started without arguments: a solo game against the computer is on its way.
    void soloStarted();
    // The host said the game is full; the window closes once the user has seen it.
    void gameFull();
    // The connection to the host ended after it was open: the window closes.
    void connectionClosed();
    // The host could not be reached (for example "Connection refused"); joinpress() or
    // hostpress() may try again.
    void connectFailed(const QString &reason);

private:
    // Who may reach the in-process host: a solo game is for this machine alone.
    enum class HostReach { Everywhere, LoopbackOnly };
    void startHost(HostReach reach);
    void notice(const QString &text, const QColor &colour = kNoticeColour);
    void connectTo(const QString &address, quint16 port);
    void openLobbyLink();
    void connectionEnded(const QString &reason);
    void finishClose();
    void havewrongversion(const QString &rest);
    void wrongversion(const QString &rest);
    void full(const QString &rest);
    // A participant joined or was already there: notices, the roster and, for a seat, the
    // seat's name.
    void participantPresent(int slot, const QString &name);
    // Warns when the decoder refused `command`'s rest; true then.
    bool refused(bool decoded, const char *command) const;
    using Handler = std::function<void(const QString &rest)>;
    void buildDispatchTable();

    ClientContext &m_context;
    ClientGame &m_game;
    Roster &m_roster;
    std::function<bool(const QString &)> m_confirmRemoval;
    ConnectionPeers m_peers;
    HostControl *m_host = nullptr;
    quint16 m_port = kDefaultPort;
    QString m_loginName;
    bool m_closePending = false;  // closed; ends once the messages that came before are handled
    bool m_ended = false;

    std::unique_ptr<net::Connection> m_sock;
    // What the host sent, waiting to be dispatched one message per tick.
    std::unique_ptr<net::MessageQueue> m_received;
    QPointer<QTcpSocket> m_lobbyLink;  // never written or read
    QHash<QString, Handler> m_dispatch;
};
