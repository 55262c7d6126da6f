// A stand-in host on a free loopback port that answers every connection with
// "Game is full" and hangs up, as a host with both seats and every spectator place taken.
#pragma once

#include "net/Catalogue.h"

#include <QTcpServer>
#include <QTcpSocket>

class FullGameServer : public QTcpServer {
public:
    FullGameServer()
    {
        listen(QHostAddress::LocalHost, 0);
        QObject::connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = nextPendingConnection();
            socket->write(net::toClient::full());
            socket->disconnectFromHost();
        });
    }
};
