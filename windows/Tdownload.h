// The lobby window, shown on a solo start: go on with the solo game, start the separate
// lobby program, or download its installer, check it and run it. A tool window that
// stays on top, centred on the desktop whenever it is shown; it lives as long as the
// main window and is only shown and hidden.
//
// The download goes to a temporary file beside its final name (QSaveFile), which
// replaces an older file of that name only once the download is complete; a failed or
// stopped download leaves nothing under the final name. A downloaded installer is run
// only when its SHA-256 digest is the one configured with the address (LobbyPlaces);
// otherwise it is kept, and the second status line says where and why it was not run.
// Message boxes are shown without blocking (the game goes on behind them); each has an
// objectName and deletes itself when closed.
#pragma once

#include "windows/LobbyPlaces.h"

#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class ProgramStarter;
class QLabel;
class QPushButton;
class QSaveFile;

namespace net {
class HttpClient;
}

class Tdownload : public QWidget {
    Q_OBJECT
public:
    // Gives the folder to download into, asked when a download begins.
    using FolderChooser = std::function<QString()>;

    static constexpr int kClientWidth = 520;
    static constexpr int kClientHeight = 430;
    static inline const QStringList kInstallerArguments{QStringLiteral("/SP-"), QStringLiteral("/silent"),
                                                        QStringLiteral("/noicons")};
    // The file name when the download address ends in "/".
    static inline const QString kFallbackFileName = QStringLiteral("KorvexLobbySetup.exe");

    // objectNames of the message boxes.
    static inline const QString kNoLobbyBox = QStringLiteral("message_nolobby");
    static inline const QString kErrorBox = QStringLiteral("message_error");
    static inline const QString kDownloadFailedBox = QStringLiteral("message_downloadfailed");

    // An empty `downloadFolder` means defaultDownloadFolder.
    Tdownload(LobbyPlaces places, FolderChooser downloadFolder, ProgramStarter &starter, QWidget *parent = nullptr);
    ~Tdownload() override;

    // Shows the window in front of the others (on a solo start).
    void present();

    // "Play Solo Game": hides the window; the solo game goes on.
    void button_soloClick();
    // "Play with Others": starts the lobby program (without arguments) and asks for the
    // end of this program, or says how to start the lobby when it is not there.
    void button_lobbyClick();
    // "Download And Install The Korvex Lobby Now".
    void button_downloadClick();
    // "Stop Download".
    void button_stopClick();

    bool downloading() const;
    // The final path of the running or last download; empty before the first.
    const QString &targetPath() const { return m_targetPath; }
    const LobbyPlaces &places() const { return m_places; }
    // The HTTP client behind the download (its idle timeout can be changed).
    net::HttpClient &httpClient() { return *m_client; }

    // The last segment of the address's path, the name the download is saved under.
    static QString fileNameOf(const QUrl &address);
    // The program's folder when it can be written there, else the user's download
    // folder, else the program's data folder.
    static QString defaultDownloadFolder();
    // The same rule for given folders: `programFolder` when it is a writable folder,
    // else `downloads` when it is one or can be made, else `appData` (made when missing).
    static QString chooseDownloadFolder(const QString &programFolder, const QString &downloads, const QString &appData);
    // The window's picture: the lobby's tiles in front of a globe.
    static QPixmap lobbyPicture(qreal devicePixelRatio = 1.0);

Q_SIGNALS:
    // This program should close its main window and end: the lobby program or the
    // installer has been started.
    void programEndRequested();
    // A download is over; `received` when the whole file arrived and was saved.
    void downloadEnded(bool received);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildDownloadPanel(QWidget *panel);
    void buildSoloPanel(QWidget *panel);
    void buildLobbyPanel(QWidget *panel);
    void headerLine();
    void bodyStarted();
    void bytesReceived(qint64 total);
    void finished(bool ok, const QString &statusText);
    // Runs the saved file when its digest is the configured one.
    void install();
    void failDownload(const QString &text);
    void showMessage(const QString &objectName, const QString &text);
    void setDownloadButtons(bool running);

    LobbyPlaces m_places;
    FolderChooser m_downloadFolder;
    ProgramStarter &m_starter;
    std::unique_ptr<net::HttpClient> m_client;
    std::unique_ptr<QSaveFile> m_file;
    QString m_targetPath;
    QString m_fileName;
    bool m_stopping = false;

    QLabel *m_picture = nullptr;
    QPushButton *m_buttonDownload = nullptr;
    QPushButton *m_buttonStop = nullptr;
    QLabel *m_status1 = nullptr;
    QLabel *m_status2 = nullptr;
    QPushButton *m_buttonSolo = nullptr;
    QPushButton *m_buttonLobby = nullptr;
};
