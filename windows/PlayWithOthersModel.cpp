// The "Play with Others" window's state and checks.
#include "windows/PlayWithOthersModel.h"

#include "client/ProfileFile.h"
#include "net/GameFacts.h"
#include "net/JoinAddress.h"

#include <utility>

namespace {
// The host cuts longer names anyway; a shorter limit here says so before the restart.
constexpr qsizetype kMaxName = 40;
// Every interface: others must be able to reach the hosting program.
const QString kEveryInterface = QStringLiteral("0.0.0.0");
}  // namespace

PlayWithOthersModel::PlayWithOthersModel(QString settingsPath, QObject *parent)
    : QObject(parent)
    , m_settingsPath(std::move(settingsPath))
    , m_playerName(ProfileFile::readString(m_settingsPath, RecentGames::kSection, kNameKey).trimmed())
    , m_recent(RecentGames::load(m_settingsPath))
{
}

std::optional<QString> PlayWithOthersModel::nameProblem(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Type your name first.");
    if (trimmed.size() > kMaxName)
        return QStringLiteral("Your name can have at most %1 characters.").arg(kMaxName);
    for (const QChar c : trimmed) {
        if (!c.isPrint() || c == QLatin1Char('+') || c == QLatin1Char('|'))
            return QStringLiteral("Your name cannot hold \"+\", \"|\" or control characters.");
    }
    return std::nullopt;
}

std::optional<QString> PlayWithOthersModel::portProblem(const QString &port)
{
    bool ok = false;
    const uint value = port.trimmed().toUInt(&ok);
    if (!ok || value < 1 || value > 65535)
        return QStringLiteral("The port is a number from 1 to 65535 (%1 unless you chose another).").arg(quarn::kPort);
    return std::nullopt;
}

bool PlayWithOthersModel::fail(const QString &text)
{
    setStatus(text, true);
    return false;
}

std::optional<PlayWithOthersModel::Restart> PlayWithOthersModel::host(const QString &name, const QString &port)
{
    if (const auto problem = nameProblem(name)) {
        fail(*problem);
        return std::nullopt;
    }
    if (const auto problem = portProblem(port)) {
        fail(*problem);
        return std::nullopt;
    }
    keepName(name);
    return Restart{{name.trimmed(), kEveryInterface, QStringLiteral("true")},
                   static_cast<quint16>(port.trimmed().toUInt())};
}

std::optional<PlayWithOthersModel::Join> PlayWithOthersModel::join(const QString &name, const QString &address)
{
    if (const auto problem = nameProblem(name)) {
        fail(*problem);
        return std::nullopt;
    }
    QString error;
    const std::optional<net::JoinAddress> parsed = net::parseJoinAddress(address, quarn::kPort, &error);
    if (!parsed) {
        fail(error.isEmpty() ? QStringLiteral("That is not an address or an invite link.") : error);
        return std::nullopt;
    }
    Join join;
    join.host = parsed->host;
    join.port = parsed->port;
    join.address = RecentGames::canonical(address);
    // The address alone, and the port through QUARN_PORT: the form every version reads.
    join.restart = Restart{{name.trimmed(), parsed->host, QStringLiteral("false")}, parsed->port};
    return join;
}

void PlayWithOthersModel::joining(const Join &join)
{
    keepName(join.restart.arguments.value(0));
    m_recent.remember(join.address);
    if (!m_recent.save(m_settingsPath))
        qWarning("the recent games were not saved in %s", qUtf8Printable(m_settingsPath));
    Q_EMIT changed();
}

void PlayWithOthersModel::hostSeen(const QString &address, const QString &hostName)
{
    // A game joined from the command line is a recent game too.
    m_recent = RecentGames::load(m_settingsPath);
    m_recent.remember(address, hostName);
    if (!m_recent.save(m_settingsPath))
        qWarning("the recent games were not saved in %s", qUtf8Printable(m_settingsPath));
    Q_EMIT changed();
}

void PlayWithOthersModel::keepName(const QString &name)
{
    m_playerName = name.trimmed();
    if (!ProfileFile::writeStrings(m_settingsPath, RecentGames::kSection, {{kNameKey, m_playerName}}))
        qWarning("the player's name was not saved in %s", qUtf8Printable(m_settingsPath));
}

void PlayWithOthersModel::setHosting(const QStringList &inviteLinks)
{
    m_hosting = true;
    m_localLinks = inviteLinks;
    composeLinks();
    Q_EMIT changed();
}

void PlayWithOthersModel::routerAnswered(const QString &text, const QString &inviteLink)
{
    m_routerLines.append(text);
    m_routerLink = inviteLink;
    composeLinks();
    Q_EMIT changed();
}

void PlayWithOthersModel::composeLinks()
{
    m_inviteLinks = m_localLinks;
    // The router's link reaches across the internet: the one most players want.
    if (!m_routerLink.isEmpty() && !m_inviteLinks.contains(m_routerLink))
        m_inviteLinks.prepend(m_routerLink);
}

void PlayWithOthersModel::setStatus(const QString &text, bool error)
{
    m_status = text;
    m_statusIsError = error;
    Q_EMIT changed();
}

void PlayWithOthersModel::setBusy(bool busy)
{
    m_busy = busy;
    Q_EMIT changed();
}
