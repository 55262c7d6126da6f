// UPnP-IGD through miniupnpc; see UpnpCalls.h.
#include "portmap/UpnpCalls.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>

namespace portmap {

namespace {

const char kProtocol[] = "TCP";
const char kDescription[] = "Quarn game";

int addMapping(const UpnpGateway &gateway, quint16 externalPort, quint16 internalPort, quint32 lease)
{
    const QByteArray external = QByteArray::number(externalPort);
    const QByteArray internal = QByteArray::number(internalPort);
    const QByteArray duration = QByteArray::number(lease);
    return UPNP_AddPortMapping(gateway.controlUrl.constData(), gateway.serviceType.constData(), external.constData(),
                               internal.constData(), gateway.lanAddress.constData(), kDescription, kProtocol, nullptr,
                               duration.constData());
}

// Fills the gateway from a description address or from discovery; false when none.
bool findGateway(const UpnpRequest &request, UpnpGateway *gateway)
{
    UPNPUrls urls = {};
    IGDdatas data = {};
    char lan[64] = {};
    int found = 0;
    if (!request.descriptionUrl.isEmpty()) {
        found = UPNP_GetIGDFromUrl(request.descriptionUrl.constData(), &urls, &data, lan, sizeof lan);
    } else {
        int error = 0;
        // One search for gateways (second versions answer it too): upnpDiscover would wait
        // the whole delay again for each of four kinds of device.
        UPNPDev *devices = upnpDiscoverDevice("urn:schemas-upnp-org:device:InternetGatewayDevice:1",
                                              request.discoveryMs, nullptr, nullptr, 0, 0, 2, &error);
        if (devices) {
            // 1 is a connected gateway; 2 (not connected) and 3 (not a gateway) cannot map.
            found = UPNP_GetValidIGD(devices, &urls, &data, lan, sizeof lan) == 1 ? 1 : 0;
            freeUPNPDevlist(devices);
        }
    }
    if (found == 1 && urls.controlURL) {
        gateway->controlUrl = QByteArray(urls.controlURL);
        gateway->serviceType = QByteArray(data.first.servicetype);
        gateway->lanAddress = QByteArray(lan);
    }
    FreeUPNPUrls(&urls);  // frees only what was filled in
    return !gateway->controlUrl.isEmpty();
}

}  // namespace

UpnpResult upnpMap(const UpnpRequest &request, const std::shared_ptr<std::atomic_bool> &cancelled)
{
    UpnpResult result;
    if (!findGateway(request, &result.gateway))
        return result;
    UpnpAnswer &answer = result.answer;
    answer.found = true;

    char external[40] = {};
    const int addressError = UPNP_GetExternalIPAddress(result.gateway.controlUrl.constData(),
                                                       result.gateway.serviceType.constData(), external);
    if (addressError != UPNPCOMMAND_SUCCESS) {
        answer.error = addressError;
        answer.errorText = upnpErrorText(addressError);
        return result;
    }
    answer.externalAddress = QByteArray(external);
    const std::optional<QHostAddress> address = readRouterAddress(answer.externalAddress);
    if (!address || addressScope(*address) != AddressScope::Public)
        return result;

    quint32 lease = request.leaseSeconds;
    const quint16 last = qMax(request.internalPort, request.lastExternalPort);
    quint16 port = request.internalPort;
    int error = UPNPCOMMAND_UNKNOWN_ERROR;
    while (true) {
        answer.lastPortTried = port;
        error = addMapping(result.gateway, port, request.internalPort, lease);
        if (error == kUpnpOnlyPermanentLeases && lease != 0) {
            lease = 0;
            continue;
        }
        if (error == kUpnpConflict && port < last) {
            ++port;
            continue;
        }
        break;
    }
    if (error != UPNPCOMMAND_SUCCESS) {
        answer.error = error;
        answer.errorText = upnpErrorText(error);
        return result;
    }
    answer.externalPort = port;
    answer.leaseSeconds = lease;
    if (cancelled && cancelled->load()) {
        upnpDelete(result.gateway, port);
        answer.externalPort = 0;
    }
    return result;
}

QString upnpErrorText(int code)
{
    const char *text = strupnperror(code);
    return text ? QString::fromLatin1(text) : QString();
}

int upnpRenew(const UpnpGateway &gateway, quint16 externalPort, quint16 internalPort, quint32 leaseSeconds)
{
    return addMapping(gateway, externalPort, internalPort, leaseSeconds);
}

int upnpDelete(const UpnpGateway &gateway, quint16 externalPort)
{
    const QByteArray external = QByteArray::number(externalPort);
    return UPNP_DeletePortMapping(gateway.controlUrl.constData(), gateway.serviceType.constData(), external.constData(),
                                  kProtocol, nullptr);
}

}  // namespace portmap
