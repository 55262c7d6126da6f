// The connection half of the main window: chooses solo, host or join mode from the
// command line, switches on the in-process host when hosting, keeps the one connection
// `sock` to the host, logs in, tracks who is present, and dispatches every message of
// the host to the half that handles it. Who sits in the seats and this participant's own
// slot it keeps in the client's game (ClientGame), which the board view draws. It owns no
// board or chat widgets; those are reached through the interfaces in ConnectionPeers.
// The only widget it owns is the name labels' pop-up menu `popup_kick`.
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
class QAction;
class QMenu;
class QTcpSocket;

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
    // Entries of a message queue are drained one per tick of this interval.
    static constexpr int kTimerInterval = 1;

    // The login and the seats' occupants go into `game`.
    ConnectionHalf(ClientContext &context, ClientGame &game, QObject *parent = nullptr);
    ~ConnectionHalf() override;

    // The other halves; set once they exist (they need this half as their RequestSender).
    void setPeers(ConnectionPeers peers) { m_peers = std::move(peers); }

    // QUARN_PORT when it holds a port number, else kDefaultPort.
    static quint16 portFromEnvironment();

    // The in-process host switched on by hostpress; may stay null in a joining copy.
    void setHost(HostControl *host) { m_host = host; }
    // Port the host listens on and the client connects to (0 = any free port when hosting).
    void setPort(quint16 port) { m_port = port; }
    quint16 port() const { return m_port; }

    // Start-up: no arguments = solo game; name, address, "true" = host; name, address,
    // anything else = join; one or two arguments = notices only.
    void processparams(const QStringList &arguments);
    void hostpress();
    void joinpress();

    // RequestSender: sends one composed request, only while logged in.
    void sendRequest(const QByteArray &message) override;

    // Dispatches one whole message (terminator removed) by its command word.
    void processsocktimer(const QByteArray &message);

    // Message handlers, each given the message's rest. A rest the typed decoder refuses
    // is ignored whole, with a warning on "quarn.client".
    void sendloginfo(const QString &rest);
    void newplayerinfo(const QString &rest);
    void existingplayers(const QString &rest);
    void playerdisconnected(const QString &rest);
    void justwatching(const QString &rest);

    // User actions.
    void kicking(int slot);
    void JustWatch1Click();
    // Prepares popup_kick for the name label of `seat` (entries enabled, seat remembered).
    void prepareSeatMenu(int seat);
    // The handler's historical name; every name label's menu calls it with its seat.
    void label_playername2ContextPopup(int seat) { prepareSeatMenu(seat); }
    void RemoveFromGame1Click();
    void SettoJustWatch1Click();
    void UnsetJustWatch1Click();

    QMenu *popupKick() const { return m_popupKick.get(); }
    QAction *removeFromGameAction() const { return m_removeFromGame; }
    QAction *setToJustWatchAction() const { return m_setToJustWatch; }
    QAction *unsetJustWatchAction() const { return m_unsetJustWatch; }
    int popupKickSeat() const { return m_popupKickSeat; }

    // Spectators present, each as slot, ": ", name (kept for the spectator list).
    const QStringList &spectators() const { return m_spectators; }
    bool connected() const;
    bool lobbyLinkStarted() const { return !m_sock11.isNull(); }
    QString loginName() const { return m_loginName; }

Q_SIGNALS:
    // Hosting started: the Start Game entry is enabled (the board's Start button follows
    // the game's hosting flag by itself).
    void hostingStarted();
    // Started without arguments: a solo game against the computer is on its way.
    void soloStarted();
    void spectatorsChanged();
    // The host said the game is full; the window closes once the user has seen it.
    void gameFull();
    // The connection to the host ended after it was open: the window closes.
    void connectionClosed();

private:
    void notice(const QString &text, const QColor &colour = kNoticeColour);
    void connectTo(const QString &address, quint16 port);
    void openLobbyLink();
    void connectionEnded(const QString &reason);
    void finishClose();
    void havewrongversion(const QString &rest);
    void wrongversion(const QString &rest);
    void full(const QString &rest);
    // A participant joined or was already there: notices, the spectator list or a seat.
    void participantPresent(int slot, const QString &name);
    // Warns when the decoder refused `command`'s rest; true then.
    bool refused(bool decoded, const char *command) const;
    void askJustWatch(int seat, int flag);
    using Handler = std::function<void(const QString &rest)>;
    void buildDispatchTable();

    ClientContext &m_context;
    ClientGame &m_game;
    ConnectionPeers m_peers;
    HostControl *m_host = nullptr;
    quint16 m_port = kDefaultPort;
    QString m_loginName;
    bool m_closePending = false;  // closed; ends once the messages that came before are handled
    bool m_ended = false;

    std::unique_ptr<net::Connection> m_sock;
    std::unique_ptr<net::MessageQueue> m_timer1;
    QPointer<QTcpSocket> m_sock11;  // lobby link, never written or read
    QHash<QString, Handler> m_dispatch;
    QStringList m_spectators;

    std::unique_ptr<QMenu> m_popupKick;
    QAction *m_removeFromGame = nullptr;
    QAction *m_setToJustWatch = nullptr;
    QAction *m_unsetJustWatch = nullptr;
    int m_popupKickSeat = 0;
};
