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

// The tally's calls from the game.
class TallyRecorder {
public:
    virtual ~TallyRecorder() = default;
    virtual void addword(const QString &word, int value, int column) = 0;
    virtual void anotherword(int column) = 0;
    virtual void addgame(const QString &winner) = 0;
    virtual int longestWordLength() const = 0;
    virtual int bestWordPoints() const = 0;
};
