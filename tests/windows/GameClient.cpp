// Composition of a test participant, wired as the main window wires its halves.
#include "GameClient.h"

GameClient::GameClient()
{
    panel.setObjectName(QStringLiteral("panel_board"));
    panel.resize(724, 491);
    connection = std::make_unique<ConnectionHalf>(context, game, roster);
    ClientGame::Services services;
    services.sounds = this;
    services.notices = this;
    game.setServices(services);
    board = std::make_unique<BoardHalf>(&panel, game, *this);
    board->setMessageBoxHook([this](const QString &text, std::function<void()> closed) {
        boxes.append(text);
        if (closed)
            closed();
    });
    ConnectionPeers peers;
    peers.board = &game;
    peers.chat = this;
    peers.lines = this;
    peers.sounds = this;
    peers.loadinifile = [] {};
    connection->setPeers(peers);
}

GameClient::~GameClient()
{
    // The board goes first: the connection may still dispatch while it closes.
    connection->setPeers(ConnectionPeers());
    board.reset();
}

void GameClient::sendRequest(const QByteArray &message)
{
    connection->sendRequest(message);
}

void GameClient::chatReceived(const QString &rest)
{
    lines.append(rest);
}

void GameClient::addlinetochat(const QString &line, const QColor &)
{
    lines.append(line);
}

void GameClient::addnotice(const QString &text)
{
    lines.append(QStringLiteral("0+") + text);
}

void GameClient::playsounds(const QString &name)
{
    sounds.append(name);
}
