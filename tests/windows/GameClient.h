// One participant for whole-game tests: the client's game, the connection half and the
// board view on a board panel, with the chat, sounds and message boxes recorded.
#pragma once

#include "client/BoardHalf.h"
#include "client/ChatMessages.h"
#include "client/ClientContext.h"
#include "client/ConnectionHalf.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"

#include <QStringList>
#include <QWidget>

#include <memory>

class GameClient : public RequestSender, public ChatMessages, public ChatLines, public GameNotices, public GameSounds {
public:
    GameClient();
    ~GameClient() override;

    // RequestSender: through the connection half, which sends only while logged in.
    void sendRequest(const QByteArray &message) override;
    void chatReceived(const QString &rest) override;
    void playasound(const QString &) override { }
    void addlinetochat(const QString &line, const QColor &colour) override;
    void addnotice(const QString &text) override;
    void playsounds(const QString &name) override;

    QWidget panel;
    ClientContext context;
    ClientGame game;
    Roster roster;
    std::unique_ptr<ConnectionHalf> connection;
    std::unique_ptr<BoardHalf> board;
    QStringList lines;
    QStringList sounds;
    QStringList boxes;
};
