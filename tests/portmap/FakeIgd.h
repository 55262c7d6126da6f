// A UPnP internet gateway device of the tests' own: on 127.0.0.1 and a free port it
// serves a device description and a WANIPConnection control point over HTTP, answers
// GetExternalIPAddress, AddPortMapping and DeletePortMapping as told, and records every
// action.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>

#include <functional>

struct IgdAction {
    QByteArray name;  // e.g. "AddPortMapping"
    quint16 externalPort = 0;
    QByteArray lease;
};

class FakeIgd : public QObject {
    Q_OBJECT
public:
    FakeIgd();
    QByteArray descriptionUrl() const;

    QByteArray externalAddress = "203.0.113.9";
    // The UPnP error code an AddPortMapping gets (0 for success).
    std::function<int(const IgdAction &)> addAnswer = [](const IgdAction &) { return 0; };
    QList<IgdAction> actions;
    int count(const QByteArray &name) const;

Q_SIGNALS:
    void actionSeen();

private:
    void serve(class QTcpSocket *socket);
    QByteArray answer(const QByteArray &path, const QByteArray &soapAction, const QByteArray &body, int *status);
    QTcpServer m_server;
};
