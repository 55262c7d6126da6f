// The recent games list and its keys in the settings file.
#include "windows/RecentGames.h"

#include "client/ProfileFile.h"
#include "net/JoinAddress.h"

#include <utility>

namespace {
// A host name comes from the network: it is kept on one line and without the separator.
QString oneLine(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text)
        line.append(c.isPrint() && c != QLatin1Char('|') ? c : QLatin1Char(' '));
    return line.trimmed();
}
}  // namespace

QString RecentGames::canonical(const QString &address, quint16 defaultPort)
{
    const std::optional<net::JoinAddress> parsed = net::parseJoinAddress(address, defaultPort);
    if (!parsed)
        return {};
    const QString host =
        parsed->host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(parsed->host) : parsed->host;
    return QStringLiteral("%1:%2").arg(host).arg(parsed->port);
}

qsizetype RecentGames::indexOf(const QString &address) const
{
    for (qsizetype i = 0; i < m_games.size(); ++i) {
        if (m_games.at(i).address.compare(address, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RecentGames::remember(const QString &address, const QString &hostName)
{
    const QString key = canonical(address);
    if (key.isEmpty())
        return;
    Game game{key, oneLine(hostName)};
    const qsizetype found = indexOf(key);
    if (found >= 0) {
        if (game.hostName.isEmpty())
            game.hostName = m_games.at(found).hostName;
        m_games.removeAt(found);
    }
    m_games.prepend(std::move(game));
    while (m_games.size() > kMax)
        m_games.removeLast();
}

void RecentGames::setHostName(const QString &address, const QString &hostName)
{
    const qsizetype found = indexOf(canonical(address));
    if (found >= 0 && !oneLine(hostName).isEmpty())
        m_games[found].hostName = oneLine(hostName);
}

RecentGames RecentGames::load(const QString &path)
{
    ProfileFile file(path);
    file.load();
    RecentGames recent;
    // Read oldest first, so that remember() leaves the newest on top.
    for (int i = kMax; i >= 1; --i) {
        const QString value = file.value(kSection, kKeyPrefix + QString::number(i));
        const qsizetype bar = value.indexOf(QLatin1Char('|'));
        const QString address = bar < 0 ? value : value.left(bar);
        if (!address.trimmed().isEmpty())
            recent.remember(address, bar < 0 ? QString() : value.mid(bar + 1));
    }
    return recent;
}

bool RecentGames::save(const QString &path) const
{
    QList<std::pair<QString, QString>> values;
    for (int i = 0; i < kMax; ++i) {
        QString value;
        if (i < m_games.size())
            value = m_games.at(i).address + QLatin1Char('|') + m_games.at(i).hostName;
        values.append({kKeyPrefix + QString::number(i + 1), value});
    }
    return ProfileFile::writeStrings(path, kSection, values);
}
