// The address a player joins: what a person types or pastes ("host", "host:port",
// "[2001:db8::1]:7800", a bare IPv6 address) and the invite links that carry one
// ("quarn://192.0.2.10:7772"). The text comes from outside (the command line, a chat line,
// a browser handing over a link), so the reader accepts an address and a port and nothing
// else: no path, query, fragment or user info, nothing that could name a file or reach a
// shell. Pure functions, so that any text can be fed to them, and fuzzed.
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace net {

struct JoinAddress {
    QString host;  // host name, IPv4, or IPv6 without brackets
    quint16 port = 0;
    bool operator==(const JoinAddress &) const = default;
};

// The longest text read as an address or a link: a host name is at most 253 characters,
// and anything much longer is not an address.
inline constexpr qsizetype kMaxJoinAddressLength = 255;

// Reads "host", "host:port", "192.0.2.10:7800", "[2001:db8::1]:7800", "[2001:db8::1]", a bare
// IPv6 "2001:db8::1" (no port), or an invite link "quarn://<address>[:<port>]" (optional trailing "/").
// A missing port is defaultPort. On failure returns std::nullopt and sets *error to a clear,
// user-facing sentence (when error is not null). Refuses anything beyond an address and a port
// (paths, queries, fragments, user info, spaces, control characters, empty host, port 0 or > 65535, over 255 chars).
// White space around the whole text (a pasted line's end) is ignored.
std::optional<JoinAddress> parseJoinAddress(const QString &text, quint16 defaultPort, QString *error = nullptr);
bool isInviteLink(const QString &text);  // starts with "quarn:" (case-insensitive)
QString inviteLink(const JoinAddress &address);  // quarn://host:port, IPv6 in brackets

}  // namespace net
