// The lobby window, shown on a solo start: go on with the solo game, start the separate
// lobby program, or download its installer, check it and run it. A tool window that
// stays on top, centred on the desktop whenever it is shown; it lives as long as the
// main window and is only shown and hidden.
//
// The download itself (LobbyDownload) holds the state; the window turns the buttons
// into its start and stop and shows its stage on the two status lines. Message boxes
// are shown without blocking (the game goes on behind them); each has an objectName and
// deletes itself when closed.
#pragma once

#include "windows/LobbyDownload.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>

class ProgramStarter;
class QLabel;
class QPushButton;

class Tdownload : public QWidget {
    Q_OBJECT
public:
    using FolderChooser = LobbyDownload::FolderChooser;

    static constexpr int kClientWidth = 520;
    static constexpr int kClientHeight = 430;

    // objectNames of the message boxes.
    static inline const QString kNoLobbyBox = QStringLiteral("message_nolobby");
    static inline const QString kErrorBox = QStringLiteral("message_error");
    static inline const QString kDownloadFailedBox = QStringLiteral("message_downloadfailed");

    // An empty `downloadFolder` means LobbyPlaces::defaultDownloadFolder.
    Tdownload(LobbyPlaces places, FolderChooser downloadFolder, ProgramStarter &starter, QWidget *parent = nullptr);
    ~Tdownload() override;

    // Shows the window in front of the others (on a solo start).
    void present();

    // "Play Solo Game": hides the window; the solo game goes on.
    void button_soloClick();
    // "Play with Others": starts the lobby program (without arguments) and asks for the
    // end of this program. When it is not there, the window given here takes over (this
    // one hides), else a box says how to start the lobby.
    void button_lobbyClick();
    void setPlayWithOthers(std::function<void()> open) { m_playWithOthers = std::move(open); }
    // "Download And Install The Korvex Lobby Now".
    void button_downloadClick();
    // "Stop Download".
    void button_stopClick();

    LobbyDownload &download() { return *m_download; }

    // The window's picture: the lobby's tiles in front of a globe.
    static QPixmap lobbyPicture(qreal devicePixelRatio = 1.0);

Q_SIGNALS:
    // This program should close its main window and end: the lobby program or the
    // installer has been started.
    void programEndRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildDownloadPanel(QWidget *panel);
    void buildSoloPanel(QWidget *panel);
    void buildLobbyPanel(QWidget *panel);
    // The status lines and the buttons, from the download's state.
    void showDownload();
    void showMessage(const QString &objectName, const QString &text);

    ProgramStarter &m_starter;
    std::function<void()> m_playWithOthers;
    std::unique_ptr<LobbyDownload> m_download;

    QLabel *m_picture = nullptr;
    QPushButton *m_buttonDownload = nullptr;
    QPushButton *m_buttonStop = nullptr;
    QLabel *m_status1 = nullptr;
    QLabel *m_status2 = nullptr;
    QPushButton *m_buttonSolo = nullptr;
    QPushButton *m_buttonLobby = nullptr;
};
