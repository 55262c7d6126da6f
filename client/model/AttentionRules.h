// When the game calls the player back to a window that is not in front: the turn passes
// to this player, a game starts, or somebody joins the game this copy hosts. The rules
// listen to the game and the roster, and hand the words of the call to an
// AttentionSink (the desktop's notifications and the window's alert, or a fake in
// tests); nothing is called while the window is active or while the player has turned
// the calls off.
#pragma once

#include "client/model/Roster.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class ClientGame;

// Whoever tells the player: a short summary and a line of body text, both plain text.
class AttentionSink {
public:
    virtual ~AttentionSink() = default;
    virtual void callAttention(const QString &summary, const QString &body) = 0;
};

class AttentionRules : public QObject {
    Q_OBJECT
public:
    // `windowActive` says whether the player is looking at the game's window now.
    AttentionRules(const ClientGame &game, const Roster &roster, AttentionSink &sink,
                   std::function<bool()> windowActive, QObject *parent = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);

Q_SIGNALS:
    void enabledChanged(bool on);

private:
    void turnChanged();
    void gameStarted();
    void rosterChanged();
    void call(const QString &summary, const QString &body);

    const ClientGame &m_game;
    const Roster &m_roster;
    AttentionSink &m_sink;
    std::function<bool()> m_windowActive;
    bool m_enabled = true;
    // Who was present at the roster's last change, to tell a newcomer from the rest.
    QList<Roster::Participant> m_known;
};
