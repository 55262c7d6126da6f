// Asks the router to forward the hosted game's TCP port: NAT-PMP first (libnatpmp on the
// event loop), then UPnP-IGD (miniupnpc on a worker thread), and reports every outcome as
// a PortMapping value through `outcome`. A mapping is leased for an hour and renewed at
// half its lease; it is deleted by stop() and by the destructor. The thread that owns the
// mapper never waits on the router.
#pragma once

#include "portmap/PortMapping.h"
#include "portmap/RouterAnswer.h"
#include "portmap/UpnpCalls.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <memory>
#include <optional>

namespace portmap {

class NatPmpExchange;

struct PortMapperSettings {
    bool useNatPmp = true;
    QHostAddress natPmpGateway;  // null: the default route's gateway (port 5351 always)
    int natPmpLimitMs = 1000;  // NAT-PMP's share of the three seconds
    bool useUpnp = true;
    QByteArray igdDescriptionUrl;  // empty: multicast discovery for upnpDiscoveryMs
    int upnpDiscoveryMs = 2000;
    quint32 leaseSeconds = 3600;
    quint16 lastPort = 7781;  // a held port moves up to this one
    QString lanAddress;  // empty: found from the interfaces
    std::optional<QList<QHostAddress>> ipv6;  // unset: this computer's global IPv6 addresses

    // The defaults, with the gateways named by the environment for routers that
    // discovery misses (and for tests): QUARN_NATPMP_GATEWAY (an IPv4 address, or "off")
    // and QUARN_UPNP_IGD (the gateway's description address, or "off").
    static PortMapperSettings fromEnvironment();
};

class PortMapper : public QObject {
    Q_OBJECT
public:
    explicit PortMapper(PortMapperSettings settings = PortMapperSettings::fromEnvironment(), QObject *parent = nullptr);
    // Deletes a standing mapping: NAT-PMP at once, UPnP on a worker that the application's
    // thread pool lets finish before the process ends.
    ~PortMapper() override;

    // Asks for a mapping of TCP `port`; `outcome` follows within about three seconds.
    void start(quint16 port);
    // Ends hosting: deletes the mapping (or the one being asked for). `released` follows
    // once the router has been told.
    void stop();
    bool isMapped() const { return m_state == State::Mapped; }

Q_SIGNALS:
    void outcome(const portmap::PortMapping &mapping);
    // The lease was renewed; the mapping may carry a new lease length.
    void renewed(const portmap::PortMapping &mapping);
    void released();

private:
    enum class State { Idle, AskingNatPmp, AskingUpnp, Mapped };

    void onNatPmp(const NatPmpAnswer &answer);
    void askUpnp();
    void onUpnp(const UpnpResult &result);
    void onUpnpRenewed(int error);
    void settle(const PortMapping &mapping);
    void renew();
    void renewalFailed(const PortMapping &failure);
    void scheduleRenewal();

    PortMapperSettings m_settings;
    NatPmpExchange *m_natPmp = nullptr;
    State m_state = State::Idle;
    PortMapping m_base;
    PortMapping m_current;
    std::optional<PortMapping> m_natPmpRefusal;
    UpnpGateway m_gateway;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    QTimer m_renewal;
};

}  // namespace portmap

Q_DECLARE_METATYPE(portmap::PortMapping)
