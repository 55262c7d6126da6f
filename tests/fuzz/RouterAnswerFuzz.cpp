// Fuzz harness of the reading of a router's answers: whatever a NAT-PMP gateway or a UPnP
// device (through libnatpmp and miniupnpc) hands back, the outcome is a sentence, an
// address is advertised only when it is a public one and the link carries exactly the
// router's port.
//
// Input: byte 0 holds flags (bit 0 the NAT-PMP gateway answered, bit 1 a UPnP device was
// found); then, big-endian, the NAT-PMP result code (2 bytes), public address (4), mapped
// port (2) and lifetime (4); the UPnP error (4, signed), external port (2), lease (4); the
// game's port (2); everything after is the external address text a UPnP device sent.
#include "FuzzCheck.h"

#include "portmap/RouterAnswer.h"

#include <QtEndian>

#include <cstddef>
#include <cstdint>

namespace {

using portmap::AddressScope;
using portmap::PortMapping;

constexpr size_t kFixed = 1 + 2 + 4 + 2 + 4 + 4 + 2 + 4 + 2;

void checkOutcome(const PortMapping &mapping)
{
    const QString text = mapping.text();
    FUZZ_CHECK(!text.isEmpty());
    if (mapping.kind != PortMapping::Kind::Mapped) {
        FUZZ_CHECK(mapping.inviteLink().isEmpty());
        return;
    }
    FUZZ_CHECK(portmap::addressScope(mapping.externalAddress) == AddressScope::Public);
    FUZZ_CHECK(mapping.externalAddress.protocol() == QAbstractSocket::IPv4Protocol);
    FUZZ_CHECK(mapping.externalPort != 0);
    const QString link = mapping.inviteLink();
    FUZZ_CHECK(link
               == QStringLiteral("quarn://%1:%2").arg(mapping.externalAddress.toString()).arg(mapping.externalPort));
    FUZZ_CHECK(text.contains(link));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < kFixed)
        return 0;
    const uchar *p = data;
    const uint8_t flags = *p++;
    portmap::NatPmpAnswer natPmp;
    natPmp.answered = (flags & 1) != 0;
    natPmp.resultCode = qFromBigEndian<quint16>(p);
    natPmp.publicAddress = qFromBigEndian<quint32>(p + 2);
    natPmp.mappedPort = qFromBigEndian<quint16>(p + 6);
    natPmp.lifetime = qFromBigEndian<quint32>(p + 8);
    p += 12;
    portmap::UpnpAnswer upnp;
    upnp.found = (flags & 2) != 0;
    upnp.error = qFromBigEndian<qint32>(p);
    upnp.externalPort = qFromBigEndian<quint16>(p + 4);
    upnp.leaseSeconds = qFromBigEndian<quint32>(p + 6);
    p += 10;
    PortMapping base;
    base.internalPort = qFromBigEndian<quint16>(p);
    p += 2;
    upnp.externalAddress = QByteArray(reinterpret_cast<const char *>(p), qsizetype(size - kFixed));

    // An address is read only from a dotted quad, and reads back the same way.
    const std::optional<QHostAddress> address = portmap::readRouterAddress(upnp.externalAddress);
    if (address) {
        FUZZ_CHECK(address->protocol() == QAbstractSocket::IPv4Protocol);
        FUZZ_CHECK(QHostAddress(address->toString()) == *address);
    }

    const PortMapping fromNatPmp = portmap::readNatPmpAnswer(natPmp, base);
    checkOutcome(fromNatPmp);
    FUZZ_CHECK(natPmp.answered || fromNatPmp.kind == PortMapping::Kind::NoRouter);
    if (fromNatPmp.kind == PortMapping::Kind::Mapped)
        FUZZ_CHECK(fromNatPmp.externalPort == natPmp.mappedPort && fromNatPmp.leaseSeconds == natPmp.lifetime);

    const PortMapping fromUpnp = portmap::readUpnpAnswer(upnp, base);
    checkOutcome(fromUpnp);
    FUZZ_CHECK(upnp.found || fromUpnp.kind == PortMapping::Kind::NoRouter);
    if (fromUpnp.kind == PortMapping::Kind::Mapped) {
        FUZZ_CHECK(upnp.error == 0 && address && *address == fromUpnp.externalAddress);
        FUZZ_CHECK(fromUpnp.externalPort == upnp.externalPort);
    }
    // A refusal is told with its code.
    if (fromUpnp.kind == PortMapping::Kind::Refused && upnp.error != 0)
        FUZZ_CHECK(fromUpnp.text().contains(QString::number(upnp.error)));
    return 0;
}
