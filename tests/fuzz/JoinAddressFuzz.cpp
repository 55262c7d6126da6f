// Fuzz harness of the join address and invite link reader: the text a person types, a
// chat line's link or a browser's hand-over. Whatever the text, an address read from it
// has a host of at most 255 characters without spaces, control characters or anything
// that could start a path, a query or user info, a port from 1 to 65535, and its invite
// link reads back as the same address; a refusal always says why.
//
// Input: the text, as UTF-8.
#include "FuzzCheck.h"

#include "net/JoinAddress.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const std::optional<net::JoinAddress> address = net::parseJoinAddress(text, 7772, &error);
    if (!address) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    FUZZ_CHECK(error.isEmpty());
    FUZZ_CHECK(!address->host.isEmpty() && address->host.size() <= net::kMaxJoinAddressLength);
    FUZZ_CHECK(address->port != 0);
    for (const QChar c : address->host) {
        FUZZ_CHECK(!c.isSpace() && c.category() != QChar::Other_Control);
        FUZZ_CHECK(c != QLatin1Char('/') && c != QLatin1Char('\\') && c != QLatin1Char('?') && c != QLatin1Char('#')
                   && c != QLatin1Char('@') && c != QLatin1Char('[') && c != QLatin1Char(']'));
    }
    const QString link = net::inviteLink(*address);
    FUZZ_CHECK(net::isInviteLink(link));
    FUZZ_CHECK(net::parseJoinAddress(link, 1) == address);
    return 0;
}
