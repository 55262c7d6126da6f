// Invite links as the program meets them: as its only argument (a link clicked in a
// browser or a mail, through the menu entry's scheme handler) and clicked in the chat.
// A link becomes the joining command line `name link false`, under the name saved by the
// last game started with a name (the settings file's key "PlayerName" in section
// "Quarn"), or under a name asked for when none is saved. A link that is not only an
// address and a port is refused with the reader's sentence. The link is only ever read
// as an address: it is never handed to the desktop, a shell or the file system.
//
// The questions go through Prompts, so tests answer them; dialogs() asks the user.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

class InviteStart {
public:
    static inline const QString kSection = QStringLiteral("Quarn");
    static inline const QString kPlayerNameKey = QStringLiteral("PlayerName");

    struct Prompts {
        // The player's name, or nothing when the user would rather not go on.
        std::function<std::optional<QString>()> askName;
        // Tells the user why a link cannot be followed.
        std::function<void(const QString &sentence)> refuse;
        // Asks whether to leave the game running now for the one at `address`.
        std::function<bool(const QString &address)> confirmLeave;
    };

    enum class Outcome {
        NotAnInvite,  // the command line is not a lone link: it is read as it is
        Join,  // arguments() joins the link's game
        End,  // refused or not confirmed: the program ends (at start-up) or plays on (in a game)
    };
    struct Result {
        Outcome outcome = Outcome::NotAnInvite;
        QStringList arguments;
    };

    InviteStart(QString settingsPath, Prompts prompts);

    // The command line (without the program's name) as the program was started.
    Result fromCommandLine(const QStringList &arguments) const;
    // A link clicked in the chat while a game runs: asks before leaving it.
    Result fromChat(const QString &link) const;

    // Saves the name of a command line that hosts or joins as the one a link joins under.
    void rememberName(const QStringList &arguments) const;
    std::optional<QString> savedName() const;

    // Message boxes and an input dialog over `parent`.
    static Prompts dialogs(QWidget *parent);

private:
    Result join(const QString &link) const;

    QString m_settingsPath;
    Prompts m_prompts;
};
