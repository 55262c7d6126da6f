// Composition of a test participant, wired as the main window wires its halves.
#include "GameClient.h"

#include <QPushButton>

GameClient::GameClient()
{
    panel.setObjectName(QStringLiteral("panel_board"));
    panel.resize(724, 491);
    connection = std::make_unique<ConnectionHalf>(context);
    board = std::make_unique<BoardHalf>(&panel, context, *this, *this, *this, nullptr);
    board->setMessageBoxHook([this](const QString &text, std::function<void()> closed) {
        boxes.append(text);
        if (closed)
            closed();
    });
    ConnectionPeers peers;
    peers.board = board.get();
    peers.seats = board.get();
    peers.chat = this;
    peers.lines = this;
    peers.sounds = this;
    peers.loadinifile = [] {};
    connection->setPeers(peers);
    QObject::connect(connection.get(), &ConnectionHalf::hostingStarted, board.get(),
                     [this] { board->startButton()->show(); });
}

GameClient::~GameClient()
{
    // The board goes first: the connection may still dispatch while it closes.
    connection->setPeers(ConnectionPeers());
}

void GameClient::sendRequest(const QByteArray &message)
{
    connection->sendRequest(message);
}

void GameClient::chatrecieved(const QString &rest)
{
    lines.append(rest);
}

void GameClient::addlinetochat(const QString &line, const QColor &)
{
    lines.append(line);
}

void GameClient::playsounds(const QString &name)
{
    sounds.append(name);
}
