// The lobby installer's download, without a window: fetch the download address
// (LobbyPlaces) into the download folder, check the file's SHA-256 digest, keep it, and
// start it as the installer when the digest is the expected one. The lobby window
// (Tdownload) shows its state and turns its buttons into start() and stop().
//
// What is kept where, so that "<name>" only ever holds a checked installer:
// - a whole download whose digest matches replaces "<name>" in one rename, executable;
// - any other whole download (digest unknown, different, or unreadable) is kept as
//   "<name>.unverified", never executable, and never written over "<name>";
// - a failed or stopped download leaves nothing (it is written to a temporary file
//   beside the final one until it is whole).
// The HTTP client bounds the size and the time with its defaults (a body of at most
// 256 MB, at least 16 KiB in every 30 s); "<name>" is the address's last segment, and a
// segment that decodes to a control character or a separator is refused before any
// request is sent.
#pragma once

#include "windows/LobbyPlaces.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class ProgramStarter;
class QTemporaryFile;

namespace net {
class HttpClient;
}

class LobbyDownload : public QObject {
    Q_OBJECT
public:
    // Gives the folder to download into, asked when a download begins.
    using FolderChooser = std::function<QString()>;

    enum class Stage {
        Idle,  // nothing yet
        Loading,  // the request is out; headerLines() counts the answer's header lines
        Receiving,  // the body is arriving; bytes() so far
        Stopped,  // stopped by the user
        Failed,  // failure() says why
        Kept,  // whole, saved at savedPath() but not run: notRunBecause() says why
        Installing,  // whole, checked, and handed to the installer
    };
    enum class NotRun { NoDigestKnown, DigestDiffers, Unreadable };

    static inline const QStringList kInstallerArguments{QStringLiteral("/SP-"), QStringLiteral("/silent"),
                                                        QStringLiteral("/noicons")};
    // The file name when the download address ends in "/".
    static inline const QString kFallbackFileName = QStringLiteral("KorvexLobbySetup.exe");
    // Added to the name of a file whose digest was not the expected one.
    static inline const QString kUnverifiedSuffix = QStringLiteral(".unverified");

    // An empty `folder` means LobbyPlaces::defaultDownloadFolder.
    LobbyDownload(LobbyPlaces places, FolderChooser folder, ProgramStarter &starter, QObject *parent = nullptr);
    ~LobbyDownload() override;

    // Begins a download unless one runs. A name that cannot be used, or a folder that
    // cannot be written, fails it at once.
    void start();
    // Ends the running download; nothing is kept and nothing run.
    void stop();
    bool running() const;

    Stage stage() const { return m_stage; }
    int headerLines() const { return m_headerLines; }
    // Body bytes received so far; once the download is whole, the file's size.
    qint64 bytes() const { return m_bytes; }
    // The whole body's size when the server tells it; empty before the body or without it.
    std::optional<qint64> total() const { return m_total; }
    // The name the download is saved under; empty before the first download.
    const QString &fileName() const { return m_fileName; }
    // Where the last whole download was kept; empty before it.
    const QString &savedPath() const { return m_savedPath; }
    NotRun notRunBecause() const { return m_notRun; }
    const QString &failure() const { return m_failure; }
    const LobbyPlaces &places() const { return m_places; }

    // The last segment of the address's path, the name the download is saved under:
    // the fallback name when the address ends in "/", nothing when the segment holds a
    // control character, a "/" or a "\" (encoded or not), or is "." or "..".
    static std::optional<QString> fileNameOf(const QUrl &address);

Q_SIGNALS:
    // Any of the state above changed.
    void changed();
    // The download failed (not stopped); `why` is failure().
    void failed(const QString &why);
    // A download is over; `received` when the whole file arrived and was kept.
    void ended(bool received);
    // The checked installer was started: this program should end.
    void installerStarted();
    // The checked installer could not be started.
    void installerNotStarted();

private:
    void onHeaderLine();
    void onBodyStarted();
    void onBytesReceived(qint64 total);
    void onFinished(bool ok, const QString &statusText);
    // The whole download is in the temporary file: check it, keep it, run it.
    void keep();
    void install();
    void fail(const QString &why);
    void setStage(Stage stage);

    LobbyPlaces m_places;
    FolderChooser m_folder;
    ProgramStarter &m_starter;
    std::unique_ptr<net::HttpClient> m_client;
    std::unique_ptr<QTemporaryFile> m_file;
    Stage m_stage = Stage::Idle;
    int m_headerLines = 0;
    qint64 m_bytes = 0;
    std::optional<qint64> m_total;
    QString m_fileName;
    QString m_targetPath;
    QString m_savedPath;
    NotRun m_notRun = NotRun::NoDigestKnown;
    QString m_failure;
    bool m_stopping = false;
};
