// Which addresses a hosting player is shown: LAN IPv4 and global IPv6 of interfaces that
// are up, as invite links, from a given set of interfaces.
#include "windows/HostingAddresses.h"

#include <gtest/gtest.h>

namespace {

using Interface = HostingAddresses::Interface;

Interface::Entry entry(const char *address, bool temporary = false)
{
    return {QHostAddress(QString::fromLatin1(address)), temporary};
}

TEST(HostingAddressesTest, ListsLanIPv4ThenGlobalIPv6OfInterfacesThatAreUpAsInviteLinks)
{
    const QList<Interface> interfaces{
        {true, true, true, {entry("127.0.0.1"), entry("::1")}},
        {true,
         true,
         false,
         {entry("192.168.1.20"), entry("fe80::1"), entry("2a01:4f8::20"), entry("2a01:4f8::99", true), entry("fd00::5"),
          entry("203.0.113.9")}},
        {true, false, false, {entry("10.0.0.5")}},  // not running
        {false, false, false, {entry("172.16.0.5")}},  // down
        {true, true, false, {entry("172.20.3.4"), entry("192.168.1.20"), entry("169.254.1.1")}},
    };
    EXPECT_EQ(HostingAddresses::inviteLinks(interfaces, 7800),
              (QStringList{QStringLiteral("quarn://192.168.1.20:7800"), QStringLiteral("quarn://172.20.3.4:7800"),
                           QStringLiteral("quarn://[2a01:4f8::20]:7800")}));
}

TEST(HostingAddressesTest, OnlyTheThreePrivateIPv4RangesCountAsLan)
{
    for (const char *inside : {"10.255.0.1", "172.31.255.1", "192.168.0.1"})
        EXPECT_TRUE(HostingAddresses::isPrivateIPv4(QHostAddress(QString::fromLatin1(inside)))) << inside;
    for (const char *outside : {"11.0.0.1", "172.32.0.1", "192.169.0.1", "100.64.0.1"})
        EXPECT_FALSE(HostingAddresses::isPrivateIPv4(QHostAddress(QString::fromLatin1(outside)))) << outside;
}

}  // namespace
