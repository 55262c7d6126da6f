// The UPnP-IGD calls through miniupnpc. Each one blocks on the network for up to a few
// seconds, so they run on a worker thread (PortMapper starts them with QtConcurrent) and
// touch nothing but their arguments.
#pragma once

#include "portmap/RouterAnswer.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <memory>

namespace portmap {

// The control point of a found gateway, enough to renew and delete a mapping later.
struct UpnpGateway {
    QByteArray controlUrl;
    QByteArray serviceType;
    QByteArray lanAddress;  // this computer's address as the gateway sees it
};

struct UpnpRequest {
    QByteArray descriptionUrl;  // empty: discover by multicast for `discoveryMs`
    int discoveryMs = 2000;
    quint16 internalPort = 0;
    quint16 lastExternalPort = 0;  // a held port (718) moves to the next one up to this
    quint32 leaseSeconds = 3600;
};

struct UpnpResult {
    UpnpAnswer answer;
    UpnpGateway gateway;
};

// Finds the gateway, reads its external address and, when that is a public one, maps
// the port: the next one on error 718, a permanent mapping on error 725. When `cancelled`
// is set by the time the mapping stands, the mapping is deleted again before returning.
UpnpResult upnpMap(const UpnpRequest &request, const std::shared_ptr<std::atomic_bool> &cancelled);
// Asks again for a mapping that stands; 0 or the error code.
int upnpRenew(const UpnpGateway &gateway, quint16 externalPort, quint16 internalPort, quint32 leaseSeconds);
// miniupnpc's words for a UPnP error code or one of its own.
QString upnpErrorText(int code);
// Deletes a mapping; 0 or the error code.
int upnpDelete(const UpnpGateway &gateway, quint16 externalPort);

}  // namespace portmap
