// The games this player joined lately: the last kMax addresses, newest first, each with the
// hosting player's name as last seen. Kept in the settings file's section "Quarn" under
// "RecentGame1" (newest) to "RecentGame10", each "address|host name"; an address never
// holds "|", so the first one splits the two. Entries the address reader refuses (a file
// edited by hand, or by an older copy) are passed over when read.
#pragma once

#include <QList>
#include <QString>

class RecentGames {
public:
    static constexpr int kMax = 10;
    static inline const QString kSection = QStringLiteral("Quarn");
    static inline const QString kKeyPrefix = QStringLiteral("RecentGame");

    struct Game {
        QString address;  // as the join address reader writes it back: "host:port"
        QString hostName;  // empty while unknown
        bool operator==(const Game &) const = default;
    };

    // `address` was joined: it comes first (moved up when already listed, its host name
    // kept unless `hostName` gives one), the oldest beyond kMax goes.
    void remember(const QString &address, const QString &hostName = QString());
    // The host at `address` was seen under `hostName`; nothing when it is not listed.
    void setHostName(const QString &address, const QString &hostName);
    const QList<Game> &games() const { return m_games; }

    // Reading and writing the settings file at `path`; a missing file is an empty list.
    static RecentGames load(const QString &path);
    // False when the file could not be written.
    bool save(const QString &path) const;

    // The address in one form whatever way it was typed ("host:port", IPv6 in brackets),
    // so that one game is listed once; empty when it is no address.
    static QString canonical(const QString &address, quint16 defaultPort = 7772);

private:
    qsizetype indexOf(const QString &address) const;

    QList<Game> m_games;
};
