// Recording stand-ins for the chat and settings halves' tests: the request sender, the
// sound player's play and the game start dialog's values; and reading a menu's checks.
#pragma once

#include "client/ClientContext.h"
#include "client/GameStartSettings.h"

#include <QAction>
#include <QByteArray>
#include <QList>
#include <QMenu>
#include <QString>
#include <QStringList>

class ChatRecordingSender : public RequestSender {
public:
    void sendRequest(const QByteArray &message) override { requests.append(message); }
    QList<QByteArray> requests;
};

// Sounds the halves asked to play, by name, in order.
struct ChatSoundLog {
    QStringList played;
    auto player()
    {
        return [this](const QString &name) { played.append(name); };
    }
};

class ChatFakeGameStart : public GameStartSettings {
public:
    QString playtoscoreText() const override { return playtoscore; }
    QString creationtimeText() const override { return creationtime; }
    QString stealsText() const override { return steals; }
    bool unlimitedChecked() const override { return unlimited; }
    void restoreSaved(const QString &p, const QString &c, const QString &s, bool u) override
    {
        playtoscore = p;
        creationtime = c;
        steals = s;
        unlimited = u;
        ++restoreCount;
    }

    QString playtoscore = QStringLiteral("350");
    QString creationtime = QStringLiteral("45");
    QString steals = QStringLiteral("7");
    bool unlimited = true;
    int restoreCount = 0;
};

// Object names of the menu's checked entries, in menu order.
inline QStringList checkedEntries(const QMenu *menu)
{
    QStringList names;
    for (const QAction *entry : menu->actions())
        if (entry->isChecked())
            names.append(entry->objectName());
    return names;
}
