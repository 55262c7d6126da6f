// The join address and invite link reader: what it reads, what it refuses (with a
// sentence), and that a link it writes reads back as the same address.
#include "net/JoinAddress.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using net::JoinAddress;

constexpr quint16 kDefault = 7772;

struct Accepted {
    const char *text;
    const char *host;
    quint16 port;
};

class JoinAddressAccepts : public testing::TestWithParam<Accepted> { };

TEST_P(JoinAddressAccepts, AnAddressOrLinkReadsAsItsHostAndPortWithTheDefaultPortWhenNoneIsGiven)
{
    const Accepted row = GetParam();
    QString error;
    const std::optional<JoinAddress> address = net::parseJoinAddress(QString::fromUtf8(row.text), kDefault, &error);
    ASSERT_TRUE(address) << row.text << ": " << error.toStdString();
    EXPECT_EQ(*address, (JoinAddress{QString::fromUtf8(row.host), row.port}));
    EXPECT_TRUE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JoinAddressAccepts,
    testing::Values(Accepted{"example.org", "example.org", kDefault}, Accepted{"localhost:7800", "localhost", 7800},
                    Accepted{"192.0.2.10:7800", "192.0.2.10", 7800}, Accepted{"192.0.2.10", "192.0.2.10", kDefault},
                    Accepted{"[2001:db8::1]:7800", "2001:db8::1", 7800},
                    Accepted{"[2001:db8::1]", "2001:db8::1", kDefault},
                    Accepted{"2001:db8::1", "2001:db8::1", kDefault}, Accepted{"::1", "::1", kDefault},
                    Accepted{"quarn://192.0.2.10:7772", "192.0.2.10", 7772},
                    Accepted{"QUARN://host.example/", "host.example", kDefault},
                    Accepted{"quarn://[2001:db8::1]:65535/", "2001:db8::1", 65535},
                    Accepted{"  quarn://192.0.2.10:1\n", "192.0.2.10", 1},
                    Accepted{"my-pc.local.:7800", "my-pc.local.", 7800},
                    Accepted{"bücher.example", "bücher.example", kDefault}));

struct Refused {
    const char *text;
    const char *why;
};

class JoinAddressRefuses : public testing::TestWithParam<Refused> { };

TEST_P(JoinAddressRefuses, AnythingButAnAddressAndAPortIsRefusedWithASentence)
{
    const Refused row = GetParam();
    QString error;
    EXPECT_EQ(net::parseJoinAddress(QString::fromUtf8(row.text), kDefault, &error), std::nullopt) << row.why;
    EXPECT_TRUE(error.endsWith(QLatin1Char('.'))) << row.why << ": " << error.toStdString();
    // A caller that does not want the sentence may pass no place for it.
    EXPECT_EQ(net::parseJoinAddress(QString::fromUtf8(row.text), kDefault), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JoinAddressRefuses,
    testing::Values(Refused{"", "empty"}, Refused{"   ", "only spaces"}, Refused{":7800", "no host"},
                    Refused{"quarn://", "link without address"}, Refused{"quarn://:7800", "link without host"},
                    Refused{"quarn:192.0.2.10", "link without slashes"}, Refused{"quarn://192.0.2.10/path", "path"},
                    Refused{"quarn://192.0.2.10:7772//", "two slashes"}, Refused{"quarn://192.0.2.10?x=1", "query"},
                    Refused{"quarn://192.0.2.10#top", "fragment"}, Refused{"quarn://bob@192.0.2.10", "user info"},
                    Refused{"quarn://../../etc/passwd", "file path"}, Refused{"/tmp/game", "file name"},
                    Refused{"C:\\game", "windows path"}, Refused{"http://192.0.2.10", "other scheme"},
                    Refused{"192.0.2.10 7800", "inner space"}, Refused{"host\tname", "tab"},
                    Refused{"host\x01name", "control character"}, Refused{"host;rm -rf", "shell text"},
                    Refused{"$(reboot)", "shell substitution"}, Refused{"host:0", "port 0"},
                    Refused{"host:65536", "port too large"}, Refused{"host:", "empty port"},
                    Refused{"host:+80", "signed port"}, Refused{"host:07a", "port not a number"},
                    Refused{"[2001:db8::1", "no closing bracket"}, Refused{"[192.0.2.10]:7800", "IPv4 in brackets"},
                    Refused{"[2001:db8::1]7800", "no colon after bracket"}, Refused{"2001:db8::zz", "bad bare IPv6"},
                    Refused{"fe80::1%eth0", "IPv6 scope"}, Refused{"192.0.2", "short IPv4"},
                    Refused{"192.0.2.300", "IPv4 part over 255"}, Refused{"-host", "label starting with a hyphen"},
                    Refused{"a..b", "empty label"}));

TEST(JoinAddress, TextOverTwoHundredFiftyFiveCharactersIsRefused)
{
    const QString longest = QString(251, QLatin1Char('a'))
                                .insert(63, QLatin1Char('.'))
                                .insert(127, QLatin1Char('.'))
                                .insert(191, QLatin1Char('.'));
    ASSERT_EQ(longest.size(), 254);
    EXPECT_TRUE(net::parseJoinAddress(longest + QLatin1Char('.'), kDefault));
    EXPECT_FALSE(net::parseJoinAddress(longest + QStringLiteral(".a"), kDefault));
}

TEST(JoinAddress, TheDefaultPortZeroMeansAPortMustBeGiven)
{
    EXPECT_FALSE(net::parseJoinAddress(QStringLiteral("192.0.2.10"), 0));
    EXPECT_TRUE(net::parseJoinAddress(QStringLiteral("192.0.2.10:1"), 0));
}

TEST(JoinAddress, AnInviteLinkIsTextStartingWithTheSchemeInAnyCase)
{
    EXPECT_TRUE(net::isInviteLink(QStringLiteral("Quarn:anything")));
    EXPECT_FALSE(net::isInviteLink(QStringLiteral("quarn.example:7772")));
    EXPECT_FALSE(net::isInviteLink(QStringLiteral("http://quarn:7772")));
}

TEST(JoinAddress, AWrittenLinkReadsBackAsTheSameAddressWithIpv6InBrackets)
{
    for (const JoinAddress &address :
         {JoinAddress{QStringLiteral("192.0.2.10"), 7772}, JoinAddress{QStringLiteral("2001:db8::1"), 7800},
          JoinAddress{QStringLiteral("host.example"), 1}}) {
        const QString link = net::inviteLink(address);
        EXPECT_EQ(net::parseJoinAddress(link, 9), address) << link.toStdString();
    }
    EXPECT_EQ(net::inviteLink({QStringLiteral("2001:db8::1"), 7800}), QStringLiteral("quarn://[2001:db8::1]:7800"));
}

}  // namespace
