// The fake UPnP gateway; see FakeIgd.h.
#include "FakeIgd.h"

#include <QRegularExpression>
#include <QTcpSocket>

#include <memory>

namespace {

const QByteArray kService = "urn:schemas-upnp-org:service:WANIPConnection:1";

QByteArray description()
{
    return "<?xml version=\"1.0\"?>\r\n"
           "<root xmlns=\"urn:schemas-upnp-org:device-1-0\"><specVersion><major>1</major><minor>0</minor></specVersion>"
           "<device><deviceType>urn:schemas-upnp-org:device:InternetGatewayDevice:1</deviceType>"
           "<friendlyName>Fake gateway</friendlyName><deviceList>"
           "<device><deviceType>urn:schemas-upnp-org:device:WANDevice:1</deviceType><serviceList><service>"
           "<serviceType>urn:schemas-upnp-org:service:WANCommonInterfaceConfig:1</serviceType>"
           "<serviceId>urn:upnp-org:serviceId:WANCommonIFC1</serviceId><controlURL>/cif</controlURL>"
           "<eventSubURL>/evt</eventSubURL><SCPDURL>/cif.xml</SCPDURL></service></serviceList><deviceList>"
           "<device><deviceType>urn:schemas-upnp-org:device:WANConnectionDevice:1</deviceType><serviceList><service>"
           "<serviceType>"
        + kService
        + "</serviceType><serviceId>urn:upnp-org:serviceId:WANIPConn1</serviceId>"
          "<controlURL>/ctl</controlURL><eventSubURL>/evt</eventSubURL><SCPDURL>/ip.xml</SCPDURL>"
          "</service></serviceList></device></deviceList></device></deviceList></device></root>\r\n";
}

QByteArray envelope(const QByteArray &body)
{
    return "<?xml version=\"1.0\"?>\r\n<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\" "
           "s:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><s:Body>"
        + body + "</s:Body></s:Envelope>\r\n";
}

QByteArray element(const QByteArray &body, const char *name)
{
    const QRegularExpression pattern(QStringLiteral("<%1>([^<]*)</%1>").arg(QLatin1String(name)));
    return pattern.match(QString::fromLatin1(body)).captured(1).toLatin1();
}

}  // namespace

FakeIgd::FakeIgd()
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection())
            serve(socket);
    });
}

QByteArray FakeIgd::descriptionUrl() const
{
    return "http://127.0.0.1:" + QByteArray::number(m_server.serverPort()) + "/rootDesc.xml";
}

int FakeIgd::count(const QByteArray &name) const
{
    return int(std::count_if(actions.begin(), actions.end(), [&](const IgdAction &a) { return a.name == name; }));
}

void FakeIgd::serve(QTcpSocket *socket)
{
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    // One request a connection: the clients ask with "Connection: close".
    auto buffered = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffered] {
        QByteArray &buffer = *buffered;
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = buffer.left(end);
        const QByteArray length = QRegularExpression(QStringLiteral("(?i)content-length:\\s*(\\d+)"))
                                      .match(QString::fromLatin1(head))
                                      .captured(1)
                                      .toLatin1();
        const QByteArray body = buffer.mid(end + 4);
        if (body.size() < length.toInt())
            return;
        const QByteArray path = head.split(' ').value(1);
        const QByteArray soapAction = QRegularExpression(QStringLiteral("(?i)soapaction:\\s*\"?[^#\"]*#([A-Za-z]+)"))
                                          .match(QString::fromLatin1(head))
                                          .captured(1)
                                          .toLatin1();
        int status = 200;
        const QByteArray content = answer(path, soapAction, body, &status);
        socket->write("HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Error")
                      + "\r\nContent-Type: text/xml\r\nContent-Length: " + QByteArray::number(content.size())
                      + "\r\nConnection: close\r\n\r\n" + content);
        socket->disconnectFromHost();
    });
}

QByteArray FakeIgd::answer(const QByteArray &path, const QByteArray &soapAction, const QByteArray &body, int *status)
{
    if (path != "/ctl")
        return description();
    IgdAction action;
    action.name = soapAction;
    action.externalPort = quint16(element(body, "NewExternalPort").toUInt());
    action.lease = element(body, "NewLeaseDuration");
    actions.append(action);
    Q_EMIT actionSeen();

    const QByteArray open = "<u:" + soapAction + "Response xmlns:u=\"" + kService + "\">";
    const QByteArray close = "</u:" + soapAction + "Response>";
    if (soapAction == "GetExternalIPAddress")
        return envelope(open + "<NewExternalIPAddress>" + externalAddress + "</NewExternalIPAddress>" + close);
    const int error = soapAction == "AddPortMapping" ? addAnswer(action) : 0;
    if (error == 0)
        return envelope(open + close);
    *status = 500;
    return envelope("<s:Fault><faultcode>s:Client</faultcode><faultstring>UPnPError</faultstring><detail>"
                    "<UPnPError xmlns=\"urn:schemas-upnp-org:control-1-0\"><errorCode>"
                    + QByteArray::number(error) + "</errorCode><errorDescription>Refused</errorDescription>"
                    + "</UPnPError></detail></s:Fault>");
}
