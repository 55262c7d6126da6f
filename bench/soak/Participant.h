// One soak participant: a net::Connection to the host that logs in the way the game's
// client does, counts the chat it receives and hands every other message on.
// Whether it plays or watches follows from the slot the host gives it.
#pragma once

#include "bench/soak/SoakFigures.h"
#include "net/Connection.h"

#include <QObject>
#include <QString>

namespace soak {

class Participant : public QObject {
    Q_OBJECT
public:
    Participant(const QString &name, SoakCounters &counts, QObject *parent = nullptr);

    void open(quint16 port);
    // An expected close: nothing is counted as lost from here on.
    void close();

    // The slot the host gave; 0 before CMD_sendlogininfo.
    int slot() const { return m_slot; }
    const QString &name() const { return m_name; }
    bool isLoggedIn() const { return m_loggedIn; }
    bool isFinished() const { return m_finished; }
    bool send(const QByteArray &message);

Q_SIGNALS:
    // The host announced this participant under its own slot.
    void loggedIn();
    // Any message but the login exchange and chat; `rest` follows the command's "+".
    void received(const QString &command, const QString &rest);
    // The connection ended without close(), or could not be opened.
    void lost(const QString &reason);
    // The socket is gone after close().
    void finished();

private:
    void onMessage(const QByteArray &bytes);
    void onChat(const QString &rest);
    void onClosed(const QString &reason);

    net::Connection m_connection;
    SoakCounters &m_counts;
    QString m_name;
    int m_slot = 0;
    bool m_loggedIn = false;
    bool m_closing = false;
    bool m_finished = false;
};

}  // namespace soak
