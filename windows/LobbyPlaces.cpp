// The lobby program's places with their built-in defaults; see LobbyPlaces.h.
#include "windows/LobbyPlaces.h"

#include "client/ProfileFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace {

constexpr qsizetype kSha256Bytes = 32;

}  // namespace

LobbyPlaces::LobbyPlaces()
    : LobbyPlaces(QUrl(kDefaultDownload), parseSha256(kDefaultDownloadSha256).value_or(QByteArray()),
                  QUrl(kDefaultWebAddress), defaultLobbyProgram())
{
}

LobbyPlaces::LobbyPlaces(QUrl downloadAddress, QByteArray downloadSha256, QUrl webAddress, QString lobbyProgram)
    : m_downloadAddress(std::move(downloadAddress))
    , m_downloadSha256(std::move(downloadSha256))
    , m_webAddress(std::move(webAddress))
    , m_lobbyProgram(std::move(lobbyProgram))
{
}

LobbyPlaces LobbyPlaces::fromSettingsFile(const QString &path)
{
    ProfileFile file(path);
    static_cast<void>(file.load());  // an unreadable file gives the defaults
    const auto read = [&file](const QString &key) { return file.value(kSection, key).trimmed(); };

    LobbyPlaces places;
    const QString download = read(kDownloadKey);
    if (!download.isEmpty()) {
        // The configured address brings its own digest, or none: the built-in one
        // belongs to the built-in address.
        places.m_downloadAddress = QUrl(download);
        places.m_downloadSha256 = parseSha256(read(kDownloadSha256Key)).value_or(QByteArray());
    }
    const QString web = read(kWebAddressKey);
    if (!web.isEmpty())
        places.m_webAddress = QUrl(web);
    const QString program = read(kProgramKey);
    if (!program.isEmpty())
        places.m_lobbyProgram = program;
    return places;
}

QString LobbyPlaces::defaultLobbyProgram()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("C:\\Program Files\\Korvex\\KorvexLobby.exe");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("/Applications/Korvex Lobby.app/Contents/MacOS/KorvexLobby");
#else
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("korvex-lobby"));
    return onPath.isEmpty() ? QStringLiteral("/usr/games/korvex-lobby") : onPath;
#endif
}

std::optional<QByteArray> LobbyPlaces::parseSha256(const QString &text)
{
    const QString hex = text.trimmed();
    if (hex.size() != 2 * kSha256Bytes)
        return std::nullopt;
    const auto isHexDigit = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    };
    if (!std::all_of(hex.begin(), hex.end(), isHexDigit))
        return std::nullopt;
    return QByteArray::fromHex(hex.toLatin1());
}

bool LobbyPlaces::matchesDownload(const QByteArray &sha256) const
{
    return m_downloadSha256.size() == kSha256Bytes && sha256 == m_downloadSha256;
}

bool LobbyPlaces::isWebPage(const QUrl &address)
{
    const QString scheme = address.scheme();
    return address.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        && !address.host().isEmpty();
}

QString LobbyPlaces::defaultDownloadFolder()
{
    return chooseDownloadFolder(QCoreApplication::applicationDirPath(),
                                QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
                                QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString LobbyPlaces::chooseDownloadFolder(const QString &programFolder, const QString &downloads,
                                          const QString &appData)
{
    const auto writableFolder = [](const QString &path) {
        const QFileInfo info(path);
        return info.isDir() && info.isWritable();
    };
    if (!programFolder.isEmpty() && writableFolder(programFolder))
        return programFolder;
    if (!downloads.isEmpty() && (writableFolder(downloads) || (QDir().mkpath(downloads) && writableFolder(downloads))))
        return downloads;
    QDir().mkpath(appData);
    return appData;
}
