// State and services shared by the halves of the main window (connection, board,
// tile input, chat, settings and sounds). Each half owns its own controls and state;
// what more than one half reads lives here.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

// Sends one composed request to the host, only while logged in.
class RequestSender {
public:
    virtual ~RequestSender() = default;
    virtual void sendRequest(const QByteArray &message) = 0;
};

// Game sounds by name ("entered", "start", "turnnew", "tick", "place", "clear",
// "goodword", "badword", "roundover", "gameover"); plays only while Play Sounds is on.
class GameSounds {
public:
    virtual ~GameSounds() = default;
    virtual void playsounds(const QString &name) = 0;
};

// The chat view's entry for notices: a line beginning with "0+" and its colour.
class ChatLines {
public:
    virtual ~ChatLines() = default;
    virtual void addlinetochat(const QString &line, const QColor &colour) = 0;
};

// The tally's calls from the board.
class TallyRecorder {
public:
    virtual ~TallyRecorder() = default;
    virtual void addword(const QString &word, int value, int column) = 0;
    virtual void anotherword(int column) = 0;
    virtual void addgame(const QString &winner) = 0;
    virtual int longestWordLength() const = 0;
    virtual int bestWordPoints() const = 0;
};

// The ordinary colour of local notices.
inline const QColor kNoticeColour(27, 98, 131);

struct ClientContext {
    int ownSlot = 0;          // from CMD_sendlogininfo; 0 before
    bool loggedIn = false;    // set with the own slot; never cleared
    bool hostFlag = false;    // this process hosts the game
    QString playerName;
    QString hostAddress;
    int turnslot = 0;         // seat to move as the board shows it; 0 = no turn
    bool justWatchChecked = false;  // the "Just Watch" menu entry's check mark

    bool isPlayer() const { return ownSlot == 1 || ownSlot == 2; }
    bool isSpectator() const { return ownSlot > 2; }
};
