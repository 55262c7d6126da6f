// Recording stand-ins for the game's services (requests sent, sounds played, notices
// written, tally calls made) and a game set up among them: the logged-in player of
// slot 1, seats held by Ann and Bob, boxes recorded and closed at once.
#pragma once

#include "client/model/ClientGame.h"
#include "client/model/GameServices.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

class RequestRecorder : public RequestSender {
public:
    void sendRequest(const QByteArray &message) override { requests.append(message); }
    QList<QByteArray> requests;
};

class SoundRecorder : public GameSounds {
public:
    void playsounds(const QString &name) override { sounds.append(name); }
    QStringList sounds;
};

class NoticeRecorder : public GameNotices {
public:
    void addnotice(const QString &text) override { notices.append(text); }
    QStringList notices;
};

class TallyCallRecorder : public TallyRecorder {
public:
    void recordLongestWord(const QString &word, int length) override
    {
        calls.append(QStringLiteral("longest %1 %2").arg(word).arg(length));
    }
    void recordBestWord(const QString &word, int points) override
    {
        calls.append(QStringLiteral("best %1 %2").arg(word).arg(points));
    }
    void countWord() override { calls.append(QStringLiteral("word")); }
    void countOwnWin() override { calls.append(QStringLiteral("own win")); }
    void countGameWonBy(const QString &winner) override { calls.append(QStringLiteral("won by ") + winner); }
    int longestWordLength() const override { return longest; }
    int bestWordPoints() const override { return best; }

    QStringList calls;
    int longest = 0;
    int best = 0;
};

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        game.setServices({&sounds, &notices, &tally});
        game.setMessageBoxHook([this](const QString &text, std::function<void()> closed) {
            boxes.append(text);
            if (closed)
                closed();
        });
        game.logIn(1);
        game.setSeatName(1, QStringLiteral("Ann"));
        game.setSeatName(2, QStringLiteral("Bob"));
    }

    // Every cell of both boards and the own extras, by seat: "seat 1: 0 3 0 ...".
    QStringList boards() const
    {
        QStringList rows;
        for (int seat = 1; seat <= 2; ++seat) {
            QString row = QStringLiteral("seat %1:").arg(seat);
            for (int p = 1; p <= 10; ++p)
                row += QLatin1Char(' ') + QString::number(game.cell(seat, p));
            rows << row;
        }
        QString extras = QStringLiteral("extras:");
        for (int e = 1; e <= 6; ++e)
            extras += QLatin1Char(' ') + QString::number(game.extra(e));
        return rows << extras;
    }

    ClientGame game;
    SoundRecorder sounds;
    NoticeRecorder notices;
    TallyCallRecorder tally;
    QStringList boxes;
};
