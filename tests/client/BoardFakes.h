// Recording stand-ins for the board's side effects (requests sent, sounds played,
// notices written, tally calls made) and the board half set up among them.
#pragma once

#include "client/BoardHalf.h"
#include "client/ClientContext.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

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

// A board half on a panel of the window's size, for the logged-in player of slot 1 with
// seat names Ann and Bob; message boxes are recorded in `boxes` and closed at once.
class BoardFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel.resize(724, 491);
        context.ownSlot = 1;
        context.loggedIn = true;
        board = std::make_unique<BoardHalf>(&panel, context, sender, sounds, chat, &tally);
        board->setMessageBoxHook([this](const QString &text, std::function<void()> closed) {
            boxes.append(text);
            if (closed)
                closed();
        });
        board->setSeatName(1, QStringLiteral("Ann"));
        board->setSeatName(2, QStringLiteral("Bob"));
    }

    QWidget panel;
    ClientContext context;
    BoardRequestRecorder sender;
    BoardSoundRecorder sounds;
    BoardChatRecorder chat;
    BoardTallyRecorder tally;
    QStringList boxes;
    std::unique_ptr<BoardHalf> board;
};
