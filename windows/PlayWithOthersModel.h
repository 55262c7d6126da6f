// The state of the "Play with Others" window without its widgets: the player's name as
// last used, the recent games, what the form's fields say (checked before anything is
// tried), the invite links while hosting, and the one error or progress line shown.
// The window draws it and turns clicks into its calls; hosting and joining end in a
// restart of the program with the command line the model composes.
#pragma once

#include "windows/RecentGames.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class PlayWithOthersModel : public QObject {
    Q_OBJECT
public:
    static inline const QString kNameKey = QStringLiteral("PlayerName");

    // What the program is restarted with: its arguments, and the port for QUARN_PORT.
    struct Restart {
        QStringList arguments;
        quint16 port = 0;
        bool operator==(const Restart &) const = default;
    };
    // A join that passed the form: the host and port to try, and the restart after it.
    struct Join {
        QString host;
        quint16 port = 0;
        QString address;  // "host:port" as the recent games keep it
        Restart restart;
    };

    // `settingsPath` is the settings file; the name and the recent games are read from it.
    explicit PlayWithOthersModel(QString settingsPath, QObject *parent = nullptr);

    const QString &playerName() const { return m_playerName; }
    const RecentGames &recent() const { return m_recent; }

    // The form's checks: the sentence that says what is wrong, or nothing.
    static std::optional<QString> nameProblem(const QString &name);
    static std::optional<QString> portProblem(const QString &port);

    // "Host": the restart as `quarn <name> 0.0.0.0 true` on `port`, or the error shown.
    std::optional<Restart> host(const QString &name, const QString &port);
    // "Join": the address read, or the error shown. The probe comes next.
    std::optional<Join> join(const QString &name, const QString &address);
    // The probe reached a host that takes players: the game goes first in the recent list
    // and the name is kept for next time.
    void joining(const Join &join);

    // The joined program saw the host under `hostName`: the recent game learns it.
    void hostSeen(const QString &address, const QString &hostName);

    // While hosting: the invite links others can use, the one through the router first.
    void setHosting(const QStringList &inviteLinks);
    bool hosting() const { return m_hosting; }
    const QStringList &inviteLinks() const { return m_inviteLinks; }
    // What the router answered, each answer a line; a mapping's link (empty when the
    // answer was not a mapping) becomes the first invite link, replacing an earlier one.
    void routerAnswered(const QString &text, const QString &inviteLink);
    const QStringList &routerLines() const { return m_routerLines; }

    // The line under the form: an error (the user can try again) or progress.
    const QString &status() const { return m_status; }
    bool statusIsError() const { return m_statusIsError; }
    void setStatus(const QString &text, bool error);
    bool busy() const { return m_busy; }
    void setBusy(bool busy);

Q_SIGNALS:
    void changed();

private:
    void keepName(const QString &name);
    bool fail(const QString &text);

    QString m_settingsPath;
    QString m_playerName;
    RecentGames m_recent;
    void composeLinks();

    bool m_hosting = false;
    QStringList m_localLinks;
    QString m_routerLink;
    QStringList m_inviteLinks;
    QStringList m_routerLines;
    QString m_status;
    bool m_statusIsError = false;
    bool m_busy = false;
};
