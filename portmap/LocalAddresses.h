// This computer's addresses as the port mapping names them: the LAN address a router
// forwards to, and the global IPv6 addresses others may reach without a router's help.
#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

namespace portmap {

// The first private IPv4 address of an interface that is up (not loopback), else its first
// other usable IPv4 address; empty when none.
QString lanAddress();
// Every global IPv6 address of an interface that is up.
QList<QHostAddress> globalIpv6Addresses();

}  // namespace portmap
