// The "Play with Others" window: host a game (name and port) or join one (name, an
// address or a pasted invite link, or one of the recent games, which a double-click
// joins). Hosting and joining restart the program with the command line the lobby would
// give it (restartRequested); a join is tried first (JoinProbe), so that a wrong
// address, nobody hosting, no answer or a full game is said here and the user can try
// again. In a hosting program the window lists the invite links others can use, each
// with a Copy button, and what the router answered when asked to forward the port. The state is the model's (PlayWithOthersModel); every text from
// outside (host names, links) is shown as plain text.
#pragma once

#include "windows/HostingAddresses.h"
#include "windows/JoinProbe.h"
#include "windows/PlayWithOthersModel.h"

#include <QStringList>
#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

class Tplaywithothers : public QWidget {
    Q_OBJECT
public:
    // `settingsPath`: the settings file with the name and the recent games.
    explicit Tplaywithothers(const QString &settingsPath, QWidget *parent = nullptr,
                             int probeTimeoutMs = JoinProbe::kDefaultTimeoutMs);

    PlayWithOthersModel &model() { return m_model; }

    // Shows the window in front of the others.
    void present();
    // This program hosts on `port`: the invite links to the addresses of `interfaces`.
    void showHosting(const QList<HostingAddresses::Interface> &interfaces, quint16 port);

    // The buttons' actions.
    void hostClick();
    void joinClick();
    void copyLink(int index);

Q_SIGNALS:
    // The program should end and start again with these arguments and QUARN_PORT=port.
    void restartRequested(const QStringList &arguments, quint16 port);

private:
    void buildHostTab(QWidget *tab);
    void buildJoinTab(QWidget *tab);
    void buildHostingTab(QWidget *tab);
    void probed(JoinProbe::Outcome outcome, const QString &detail);
    void showModel();

    PlayWithOthersModel m_model;
    JoinProbe m_probe;
    int m_probeTimeoutMs;
    std::optional<PlayWithOthersModel::Join> m_pendingJoin;

    QLineEdit *m_name = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_port = nullptr;
    QPushButton *m_host = nullptr;
    QLineEdit *m_address = nullptr;
    QPushButton *m_join = nullptr;
    QListWidget *m_recent = nullptr;
    QWidget *m_hostingTab = nullptr;
    QVBoxLayout *m_linkRows = nullptr;
    QLabel *m_status = nullptr;
    std::optional<QStringList> m_shownHosting;  // the links and router lines the rows show
};
