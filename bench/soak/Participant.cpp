// A soak participant's login, chat counting and close; see Participant.h.
#include "bench/soak/Participant.h"

#include "net/Catalogue.h"
#include "net/Message.h"

namespace soak {
namespace {

// The leading slot number of a message's rest; -1 when there is none.
int leadingSlot(const QString &rest)
{
    const qsizetype plus = rest.indexOf(QLatin1Char('+'));
    bool ok = false;
    const int slot = (plus < 0 ? rest : rest.left(plus)).toInt(&ok);
    return ok ? slot : -1;
}

}  // namespace

Participant::Participant(const QString &name, SoakCounters &counts, QObject *parent)
    : QObject(parent)
    , m_counts(counts)
    , m_name(name)
{
    connect(&m_connection, &net::Connection::messageReceived, this, &Participant::onMessage);
    connect(&m_connection, &net::Connection::closed, this, &Participant::onClosed);
    connect(&m_connection, &net::Connection::connectFailed, this,
            [this](const QString &reason) { onClosed(QStringLiteral("connect failed: ") + reason); });
    connect(&m_connection, &net::Connection::finished, this, [this] {
        if (m_finished)
            return;
        m_finished = true;
        Q_EMIT finished();
    });
}

void Participant::open(quint16 port)
{
    m_connection.connectToHost(QStringLiteral("127.0.0.1"), port);
}

void Participant::close()
{
    m_closing = true;
    if (m_connection.isClosed()) {
        if (!m_finished) {
            m_finished = true;
            Q_EMIT finished();
        }
        return;
    }
    m_connection.close(QStringLiteral("soak over"));
}

bool Participant::send(const QByteArray &message)
{
    return m_connection.send(message);
}

void Participant::onMessage(const QByteArray &bytes)
{
    const std::optional<net::Message> message = net::splitMessage(bytes);
    if (!message)
        return;
    const QString &command = message->command;
    if (command == QLatin1String("CMD_chat")) {
        onChat(message->rest);
    } else if (command == QLatin1String("CMD_sendlogininfo")) {
        m_slot = leadingSlot(message->rest);
        send(net::toHost::logininfo(m_slot, QString::fromLatin1(net::kVersion), m_name));
    } else if (command == QLatin1String("CMD_newplayerinfo")) {
        if (!m_loggedIn && m_slot > 0 && leadingSlot(message->rest) == m_slot) {
            m_loggedIn = true;
            Q_EMIT loggedIn();
        }
    } else if (command == QLatin1String("CMD_full") || command == QLatin1String("CMD_wrongversion")) {
        m_counts.unexpectedCloses.append(QStringLiteral("%1 turned away: %2").arg(m_name, command));
    } else {
        Q_EMIT received(command, message->rest);
    }
}

void Participant::onChat(const QString &rest)
{
    const int speaker = leadingSlot(rest);
    if (speaker == 0) {
        ++m_counts.chatDropNotices;
        return;
    }
    ++m_counts.chatRelayed;
    if (speaker == m_slot)
        ++m_counts.chatEchoed;
}

void Participant::onClosed(const QString &reason)
{
    if (m_closing)
        return;
    m_closing = true;
    const QString who = m_slot > 0 ? QStringLiteral("slot %1 (%2)").arg(m_slot).arg(m_name) : m_name;
    m_counts.unexpectedCloses.append(QStringLiteral("%1: %2").arg(who, reason));
    Q_EMIT lost(reason);
}

}  // namespace soak
