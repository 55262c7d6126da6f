// The probe of a game's address: one connect and the host's first message.
#include "windows/JoinProbe.h"

#include "net/Message.h"

#include <QTcpSocket>

namespace {
// The host's first message is short; more without a terminator is not a game.
constexpr qsizetype kMaxFirstMessage = 4096;
}  // namespace

JoinProbe::JoinProbe(int timeoutMs, QObject *parent)
    : QObject(parent)
    , m_timeoutMs(timeoutMs)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { finish(Outcome::NoAnswer); });
}

JoinProbe::~JoinProbe()
{
    cancel();
}

void JoinProbe::start(const QString &host, quint16 port)
{
    cancel();
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::readyRead, this, &JoinProbe::received);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &JoinProbe::failed);
    m_timer.start(m_timeoutMs);
    m_socket->connectToHost(host, port);
}

void JoinProbe::cancel()
{
    m_timer.stop();
    m_pending.clear();
    if (!m_socket)
        return;
    QTcpSocket *socket = std::exchange(m_socket, nullptr);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void JoinProbe::received()
{
    m_pending += m_socket->readAll();
    const qsizetype end = m_pending.indexOf(net::kTerminator);
    if (end < 0) {
        if (m_pending.size() > kMaxFirstMessage)
            finish(Outcome::Failed, QStringLiteral("the program there does not answer as a game does"));
        return;
    }
    const std::optional<net::Message> first = net::splitMessage(m_pending.left(end));
    const QString command = first ? first->command : QString();
    if (command == QLatin1String("CMD_full"))
        finish(Outcome::Full);
    else if (command == QLatin1String("CMD_sendlogininfo"))
        finish(Outcome::Open);
    else
        finish(Outcome::Failed, QStringLiteral("the program there does not answer as a game does"));
}

void JoinProbe::failed(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError: finish(Outcome::NoSuchHost); return;
    case QAbstractSocket::ConnectionRefusedError: finish(Outcome::Refused); return;
    case QAbstractSocket::SocketTimeoutError: finish(Outcome::NoAnswer); return;
    default: break;
    }
    // A full game's notice may come together with the close: read it first.
    if (m_socket && m_socket->bytesAvailable() > 0) {
        received();
        if (!m_socket)
            return;
    }
    finish(Outcome::Failed, m_socket ? m_socket->errorString() : QString());
}

void JoinProbe::finish(Outcome outcome, const QString &detail)
{
    cancel();
    Q_EMIT finished(outcome, detail);
}

QString JoinProbe::describe(Outcome outcome, const QString &host, quint16 port, int timeoutMs, const QString &detail)
{
    const QString where = host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]:%2").arg(host).arg(port)
                                                          : QStringLiteral("%1:%2").arg(host).arg(port);
    switch (outcome) {
    case Outcome::Open: return {};
    case Outcome::NoSuchHost:
        return QStringLiteral("No computer called \"%1\" was found. Check the address and try again.").arg(host);
    case Outcome::Refused:
        return QStringLiteral("Nobody is hosting a game at %1. Ask the hosting player to host first, and check the "
                              "port.")
            .arg(where);
    case Outcome::NoAnswer:
        return QStringLiteral("No answer from %1 in %2 seconds. A router or firewall is probably in between: the "
                              "hosting player must open TCP port %3 to their computer.")
            .arg(where)
            .arg((timeoutMs + 999) / 1000)
            .arg(port);
    case Outcome::Full: return QStringLiteral("The game at %1 is full: nine players are there already.").arg(where);
    case Outcome::Failed:
        return QStringLiteral("Could not join the game at %1: %2.")
            .arg(where, detail.isEmpty() ? QStringLiteral("no reason given") : detail);
    }
    return {};
}
