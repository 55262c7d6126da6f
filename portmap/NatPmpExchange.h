// One conversation with a NAT-PMP gateway through libnatpmp, driven by the event loop:
// libnatpmp's socket is watched by a socket notifier, its retry time and our own overall
// limit are timers, so nothing here ever waits.
#pragma once

#include "portmap/RouterAnswer.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>

#include <memory>

class QSocketNotifier;

namespace portmap {

class NatPmpExchange : public QObject {
    Q_OBJECT
public:
    // A null `gateway` lets libnatpmp take the default route's gateway; libnatpmp always
    // speaks to the gateway's port 5351.
    explicit NatPmpExchange(const QHostAddress &gateway, QObject *parent = nullptr);
    ~NatPmpExchange() override;

    // Asks for the gateway's public address, then (when it is a public one) for a TCP
    // mapping of `internalPort` to `externalPort` for `leaseSeconds`. `finished` follows,
    // at the latest after `limitMs`.
    void map(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds, int limitMs);
    // Asks the gateway to delete the mapping of `internalPort` (a zero lifetime) and does
    // not wait for the answer: this runs on the way out.
    void release(quint16 internalPort);
    // Drops the request under way; no `finished` follows.
    void cancel();

Q_SIGNALS:
    void finished(const portmap::NatPmpAnswer &answer);

private:
    enum class Step { Idle, Address, Mapping };

    bool open();
    void sendCurrent();
    void onActivity();
    void armRetry();
    void finish(bool answered, int resultCode = 0);

    struct Handle;
    std::unique_ptr<Handle> m_handle;
    QHostAddress m_gateway;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_retry;
    QTimer m_limit;
    Step m_step = Step::Idle;
    quint16 m_internalPort = 0;
    quint16 m_externalPort = 0;
    quint32 m_lease = 0;
    NatPmpAnswer m_answer;
};

}  // namespace portmap
