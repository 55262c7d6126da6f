// The join address and invite link reader. The order of the checks gives each kind of
// bad input its own sentence: the whole text first (length, spaces, control characters),
// then the link's scheme, then anything that is not part of an address (a path, a query,
// user info), and last the host and the port themselves.
#include "net/JoinAddress.h"

#include <QHostAddress>
#include <QLatin1StringView>
#include <QStringList>

#include <algorithm>

namespace net {

namespace {

const QLatin1StringView kScheme("quarn:");
const QLatin1StringView kLinkStart("quarn://");

std::optional<JoinAddress> refuse(QString *error, const QString &sentence)
{
    if (error)
        *error = sentence;
    return std::nullopt;
}

bool isIpv6(const QString &text)
{
    // A scope ("%eth0") would be read by QHostAddress, but it names an interface of the
    // machine that wrote the address, not of the one reading it.
    if (text.contains(QLatin1Char('%')))
        return false;
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv6Protocol;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A host name of letters, digits and hyphens in dot-separated labels (a trailing dot
// allowed), or a dotted IPv4 address, which has the same characters. Letters beyond
// ASCII are let through for internationalised names; the resolver decides about them.
bool isHostName(const QString &text)
{
    if (text.isEmpty())
        return false;
    const QString name = text.endsWith(QLatin1Char('.')) ? text.chopped(1) : text;
    if (name.isEmpty())
        return false;
    for (const QString &label : name.split(QLatin1Char('.'))) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(QLatin1Char('-'))
            || label.endsWith(QLatin1Char('-')))
            return false;
        for (const QChar c : label) {
            const bool ascii = c.unicode() < 0x80;
            if (ascii ? !(c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
                      : !c.isLetterOrNumber())
                return false;
        }
    }
    // All digits and dots must be a whole IPv4 address: "192.0.2" or "7800" is a typing slip,
    // not a name to look up.
    const bool numeric =
        std::all_of(name.begin(), name.end(), [](QChar c) { return isAsciiDigit(c) || c == QLatin1Char('.'); });
    if (numeric) {
        const QStringList parts = name.split(QLatin1Char('.'));
        if (parts.size() != 4)
            return false;
        for (const QString &part : parts) {
            if (part.size() > 3 || part.toUInt() > 255)
                return false;
        }
    }
    return true;
}

std::optional<quint16> readPort(const QString &text)
{
    if (text.isEmpty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), isAsciiDigit))
        return std::nullopt;
    const uint value = text.toUInt();
    if (value == 0 || value > 65535)
        return std::nullopt;
    return quint16(value);
}

}  // namespace

bool isInviteLink(const QString &text)
{
    return text.trimmed().startsWith(kScheme, Qt::CaseInsensitive);
}

QString inviteLink(const JoinAddress &address)
{
    const QString host =
        address.host.contains(QLatin1Char(':')) ? QLatin1Char('[') + address.host + QLatin1Char(']') : address.host;
    return kLinkStart + host + QLatin1Char(':') + QString::number(address.port);
}

std::optional<JoinAddress> parseJoinAddress(const QString &text, quint16 defaultPort, QString *error)
{
    const QString whole = text.trimmed();
    if (whole.isEmpty())
        return refuse(error, QStringLiteral("Please enter an address, such as 192.0.2.10 or 192.0.2.10:7772."));
    if (whole.size() > kMaxJoinAddressLength)
        return refuse(error,
                      QStringLiteral("The address is too long: an address has at most %1 characters.")
                          .arg(kMaxJoinAddressLength));
    for (const QChar c : whole) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return refuse(error, QStringLiteral("An address cannot contain spaces or control characters."));
    }

    const bool link = isInviteLink(whole);
    QString rest = whole;
    if (link) {
        if (!whole.startsWith(kLinkStart, Qt::CaseInsensitive))
            return refuse(error,
                          QStringLiteral("This invite link is not complete: an invite link looks like "
                                         "quarn://192.0.2.10:7772."));
        rest = whole.mid(kLinkStart.size());
        if (rest.endsWith(QLatin1Char('/')))
            rest.chop(1);
    }
    const QString beyond = link ? QStringLiteral("An invite link holds only an address and a port, such as "
                                                 "quarn://192.0.2.10:7772; this one holds more.")
                                : QStringLiteral("An address holds only a host and a port, such as 192.0.2.10:7772.");
    for (const QChar c : rest) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char('?') || c == QLatin1Char('#')
            || c == QLatin1Char('@'))
            return refuse(error, beyond);
    }
    if (rest.isEmpty())
        return refuse(error, QStringLiteral("The invite link holds no address."));

    QString host;
    QString port;
    bool hasPort = false;
    if (rest.startsWith(QLatin1Char('['))) {
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 0)
            return refuse(error, QStringLiteral("The IPv6 address has no closing \"]\"."));
        host = rest.mid(1, close - 1);
        const QString after = rest.mid(close + 1);
        if (!after.isEmpty()) {
            if (!after.startsWith(QLatin1Char(':')))
                return refuse(error, beyond);
            hasPort = true;
            port = after.mid(1);
        }
        if (!isIpv6(host))
            return refuse(error, QStringLiteral("\"%1\" in brackets is not an IPv6 address.").arg(host));
    } else if (rest.count(QLatin1Char(':')) > 1) {
        // Two colons or more without brackets: a bare IPv6 address, which cannot carry a
        // port (its last group would be read as one).
        host = rest;
        if (!isIpv6(host))
            return refuse(error,
                          QStringLiteral("\"%1\" is not an IPv6 address. An IPv6 address with a port is "
                                         "written in brackets: [2001:db8::1]:7772.")
                              .arg(host));
    } else {
        const qsizetype colon = rest.indexOf(QLatin1Char(':'));
        host = colon < 0 ? rest : rest.left(colon);
        if (colon >= 0) {
            hasPort = true;
            port = rest.mid(colon + 1);
        }
        if (host.isEmpty())
            return refuse(error, QStringLiteral("The address has no host before its port."));
        if (!isHostName(host))
            return refuse(error, QStringLiteral("\"%1\" is not a host name or an IP address.").arg(host));
    }

    JoinAddress address{host, defaultPort};
    if (hasPort) {
        const std::optional<quint16> number = readPort(port);
        if (!number)
            return refuse(error, QStringLiteral("The port must be a number from 1 to 65535."));
        address.port = *number;
    }
    if (address.port == 0)
        return refuse(error, QStringLiteral("The address needs a port from 1 to 65535."));
    return address;
}

}  // namespace net
