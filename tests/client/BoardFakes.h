// Recording stand-ins for the board's side effects: requests sent, sounds played,
// notices written and tally calls made.
#pragma once

#include "client/ClientContext.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class BoardRequestRecorder : public RequestSender {
public:
    void sendRequest(const QByteArray &message) override { requests.append(message); }
    QList<QByteArray> requests;
};

class BoardSoundRecorder : public GameSounds {
public:
    void playsounds(const QString &name) override { sounds.append(name); }
    QStringList sounds;
};

class BoardChatRecorder : public ChatLines {
public:
    void addlinetochat(const QString &line, const QColor &colour) override
    {
        lines.append(line);
        colours.append(colour);
    }
    QStringList lines;
    QList<QColor> colours;
};

class BoardTallyRecorder : public TallyRecorder {
public:
    void addword(const QString &word, int value, int column) override
    {
        calls.append(QStringLiteral("addword %1 %2 %3").arg(word).arg(value).arg(column));
    }
    void anotherword(int column) override { calls.append(QStringLiteral("anotherword %1").arg(column)); }
    void addgame(const QString &winner) override { calls.append(QStringLiteral("addgame ") + winner); }
    int longestWordLength() const override { return longest; }
    int bestWordPoints() const override { return best; }

    QStringList calls;
    int longest = 0;
    int best = 0;
};
