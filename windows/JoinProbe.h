// Tries a game's address before this program gives way to the joining one, so that the
// join window can say what stands in the way while the user can still try again: a name
// that no computer has, nobody listening there, no answer at all (a router or firewall
// in between), or a game that is full. It connects and waits for the host's first
// message: the login offer means a place is free, the full notice that none is. It
// leaves before logging in, which the host passes over without a word to the others.
// A different version shows only after the login, so the joined program says that one.
#pragma once

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

class JoinProbe : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Open, NoSuchHost, Refused, NoAnswer, Full, Failed };
    static constexpr int kDefaultTimeoutMs = 10000;

    explicit JoinProbe(int timeoutMs = kDefaultTimeoutMs, QObject *parent = nullptr);
    ~JoinProbe() override;

    // Starts a try of `host` at `port`; a try under way is dropped. finished() follows once.
    void start(const QString &host, quint16 port);
    void cancel();
    bool running() const { return m_socket != nullptr; }

    // The sentence the window shows for `outcome` (empty for Open); `detail` is the
    // socket's own words for Failed.
    static QString describe(Outcome outcome, const QString &host, quint16 port, int timeoutMs,
                            const QString &detail = QString());

Q_SIGNALS:
    void finished(JoinProbe::Outcome outcome, const QString &detail);

private:
    void received();
    void failed(QAbstractSocket::SocketError error);
    void finish(Outcome outcome, const QString &detail = QString());

    int m_timeoutMs;
    QTimer m_timer;
    QTcpSocket *m_socket = nullptr;
    QByteArray m_pending;
};
