// What the client's game model and tile input call out to: the request channel to the
// host, the game sounds, notices in the chat view and the tally. Pure interfaces, so the
// model runs without any widget and tests put recorders in their place.
#pragma once

#include <QByteArray>
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

// A local notice in the chat view, in the ordinary notice colour.
class GameNotices {
public:
    virtual ~GameNotices() = default;
    virtual void addnotice(const QString &text) = 0;
};

// The tally's calls from the game (the original tally's addword, anotherword, addgame): the
// player's own formed words and the end of a game the player played.
class TallyRecorder {
public:
    virtual ~TallyRecorder() = default;
    virtual void recordLongestWord(const QString &word, int length) = 0;
    virtual void recordBestWord(const QString &word, int points) = 0;
    virtual void countWord() = 0;
    // The player's own win is a call of its own, never a name: any name may be an
    // opponent's.
    virtual void countOwnWin() = 0;
    virtual void countGameWonBy(const QString &winner) = 0;
    virtual int longestWordLength() const = 0;
    virtual int bestWordPoints() const = 0;
};
