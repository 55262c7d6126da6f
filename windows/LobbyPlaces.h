// Where the separate lobby program lives and comes from: the download address of its
// installer with the SHA-256 digest that installer must have, the product's web address
// (the about window and the main window's logo open it) and the path of the lobby
// program itself. Each has a built-in default that the settings file's section "Quarn"
// can replace: keys "LobbyDownload", "LobbyDownloadSha256", "LobbyWebAddress" and
// "LobbyProgram".
//
// A digest is trusted only together with the address it was configured with: one from
// the settings file counts only when the settings file also gives the address, and the
// built-in digest goes with the built-in address alone. No digest means a downloaded
// file is kept but never run.
//
// The web address goes to the desktop's opener, which opens a file or starts a program
// just as readily as it shows a page: only an address that isWebPage() is ever opened.
//
// Also here: the folder the installer is downloaded into.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

class LobbyPlaces {
public:
    static inline const QString kSection = QStringLiteral("Quarn");
    static inline const QString kDownloadKey = QStringLiteral("LobbyDownload");
    static inline const QString kDownloadSha256Key = QStringLiteral("LobbyDownloadSha256");
    static inline const QString kWebAddressKey = QStringLiteral("LobbyWebAddress");
    static inline const QString kProgramKey = QStringLiteral("LobbyProgram");

    static inline const QString kDefaultDownload = QStringLiteral("http://www.korvex.com/lobby/KorvexLobbySetup.exe");
    // No installer is published at the built-in address yet, so no digest goes with it:
    // whatever is fetched from there is kept but never run. Put the published
    // installer's SHA-256 here (64 hexadecimal digits) when there is one.
    static inline const QString kDefaultDownloadSha256 = QString();
    static inline const QString kDefaultWebAddress = QStringLiteral("http://www.korvex.com/quarn");

    // The built-in places.
    LobbyPlaces();
    // `downloadSha256`: the raw 32 bytes, or empty for "never run".
    LobbyPlaces(QUrl downloadAddress, QByteArray downloadSha256, QUrl webAddress, QString lobbyProgram);

    // The built-in places, with whatever the settings file at `path` replaces. A missing
    // file or key, or an empty value, keeps the default.
    static LobbyPlaces fromSettingsFile(const QString &path);

    // Where the lobby program is looked for when nothing else is configured: on Windows
    // "C:\Program Files\Korvex\KorvexLobby.exe"; on macOS the program inside
    // "/Applications/Korvex Lobby.app"; elsewhere "korvex-lobby" found on the PATH, else
    // "/usr/games/korvex-lobby".
    static QString defaultLobbyProgram();

    // The raw digest written as 64 hexadecimal digits (either case, spaces around
    // allowed); nothing for any other text.
    static std::optional<QByteArray> parseSha256(const QString &text);

    const QUrl &downloadAddress() const { return m_downloadAddress; }
    const QByteArray &downloadSha256() const { return m_downloadSha256; }
    const QUrl &webAddress() const { return m_webAddress; }
    const QString &lobbyProgram() const { return m_lobbyProgram; }

    // True when `sha256` (raw bytes) is the download's digest; never when none is known.
    bool matchesDownload(const QByteArray &sha256) const;

    // True for an http or https address with a host: the only kind that is opened.
    static bool isWebPage(const QUrl &address);

    // The program's folder when it can be written there, else the user's download
    // folder, else the program's data folder.
    static QString defaultDownloadFolder();
    // The same rule for given folders: `programFolder` when it is a writable folder,
    // else `downloads` when it is one or can be made, else `appData` (made when missing).
    static QString chooseDownloadFolder(const QString &programFolder, const QString &downloads, const QString &appData);

private:
    QUrl m_downloadAddress;
    QByteArray m_downloadSha256;
    QUrl m_webAddress;
    QString m_lobbyProgram;
};
