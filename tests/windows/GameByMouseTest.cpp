// Whole games over loopback, played by mouse clicks on the board's tiles: two players and
// a spectator against the in-process host, and a solo game against the computer. After
// each action, once the host's answers are in, every participant's board must show the
// host's state.
#include "GameBoardCheck.h"
#include "GameClient.h"
#include "GameScriptedRandom.h"

#include "client/BoardTile.h"
#include "host/GameRules.h"
#include "host/HostEngine.h"
#include "host/SeatTable.h"
#include "windows/InProcessHost.h"
#include "windows/Tgamestart.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

QString difference(GameRules &rules, GameClient &client)
{
    return gameBoardDifference(rules, *client.board, client.game);
}

class GameByMouseTest : public ::testing::Test {
protected:
    void startHost(std::unique_ptr<Random> random)
    {
        ASSERT_TRUE(folder.isValid());
        host = std::make_unique<HostEngine>(folder.path(), nullptr, std::move(random));
        ASSERT_TRUE(host->listen(0, QHostAddress::LocalHost)) << host->errorString().toStdString();
    }

    GameClient &addClient()
    {
        clients.push_back(std::make_unique<GameClient>());
        GameClient &client = *clients.back();
        client.connection->setPort(host->serverPort());
        client.panel.show();
        return client;
    }

    // Waits until the host has done what `hostDone` checks and every board shows its state.
    void settle(const std::function<bool()> &hostDone, const char *step)
    {
        const bool agreed = QTest::qWaitFor(
            [&] {
                if (!hostDone())
                    return false;
                for (auto &client : clients) {
                    if (!difference(host->rules(), *client).isEmpty())
                        return false;
                }
                return true;
            },
            kGameStepWait);
        QString why = hostDone() ? QString() : QStringLiteral("host not done");
        for (auto &client : clients) {
            if (why.isEmpty())
                why = difference(host->rules(), *client);
        }
        ASSERT_TRUE(agreed) << step << ": " << why.toStdString();
    }

    // Starts the game from the hosting player's dialog, reached by its Start button.
    void startFromDialog(GameClient &hosting, const QString &playToScore)
    {
        dialog = std::make_unique<Tgamestart>(hosting.context, hosting, &hosting.panel);
        hosting.board->setGameStartDialog(dialog.get());
        dialog->restoreSaved(playToScore, QStringLiteral("30"), QStringLiteral("5"), true);
        ASSERT_TRUE(hosting.board->startButton()->isVisible());
        QTest::mouseClick(hosting.board->startButton(), Qt::LeftButton);
        ASSERT_TRUE(dialog->isVisible());
        QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
        settle([this] { return host->rules().table().gameInProgress() && host->rules().table().whoseTurn() != 0; },
               "game start");
    }

    GameRules &rules() { return host->rules(); }
    int board(int seat, int cell) { return rules().table().player(seat).board[static_cast<size_t>(cell)]; }

    QTemporaryDir folder;
    std::unique_ptr<HostEngine> host;
    std::vector<std::unique_ptr<GameClient>> clients;
    std::unique_ptr<Tgamestart> dialog;
};

TEST_F(GameByMouseTest, TwoPlayersAndASpectatorPlayAWholeGame)
{
    // Ann: c a t s o, Bob: d o g s n, slot 3: e i u e i; then Ann's and Bob's sixth extras
    // (e, t) and the refills of each turn.
    startHost(std::make_unique<GameScriptedRandom>(
        QList<int>{C, A, T, S, O, D, O, G, S, N, E, I, U, E, I, E, T, E, I, U, E, I, U, E, I}));
    GameClient &ann = addClient();
    GameClient &bob = addClient();
    GameClient &cy = addClient();

    InProcessHost hostControl(*host);
    ann.connection->setHost(&hostControl);
    ann.connection->processparams({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("true")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.game.seatName(1) == QStringLiteral("Ann"); }, kGameStepWait));
    bob.connection->processparams({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.game.seatName(2) == QStringLiteral("Bob"); }, kGameStepWait));
    cy.connection->processparams({QStringLiteral("Cy"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return cy.game.seatName(2) == QStringLiteral("Bob") && cy.game.ownSlot() == 3; },
                                kGameStepWait));
    ASSERT_EQ(ann.game.ownSlot(), 1);
    ASSERT_EQ(bob.game.ownSlot(), 2);
    // Bob sees his own seat at the bottom.
    EXPECT_GT(bob.board->nameLabel(2)->y(), bob.board->nameLabel(1)->y());

    startFromDialog(ann, QStringLiteral("15"));
    EXPECT_TRUE(ann.lines.contains(QStringLiteral("0+Ann has started a game.")));
    EXPECT_EQ(cy.board->extraTile(1)->code(), E);  // slot 3 is dealt like a player
    ASSERT_EQ(rules().table().whoseTurn(), 1);

    // Ann places c on cell 1.
    clickTile(ann.board->extraTile(1));
    clickTile(ann.board->ownTile(1));
    settle([&] { return rules().table().whoseTurn() == 2; }, "Ann places c");
    EXPECT_EQ(board(1, 1), C);
    EXPECT_EQ(bob.board->opponentTile(1)->code(), C);
    EXPECT_EQ(cy.board->ownTile(1)->code(), C);

    // Bob places d, Ann a, Bob o: "do" scores for Bob.
    clickTile(bob.board->extraTile(1));
    clickTile(bob.board->ownTile(1));
    settle([&] { return rules().table().whoseTurn() == 1; }, "Bob places d");
    clickTile(ann.board->extraTile(2));
    clickTile(ann.board->ownTile(2));
    settle([&] { return rules().table().whoseTurn() == 2; }, "Ann places a");
    clickTile(bob.board->extraTile(2));
    clickTile(bob.board->ownTile(2));
    settle([&] { return rules().table().whoseTurn() == 1; }, "Bob forms do");
    EXPECT_EQ(rules().table().player(2).score, 2);
    auto *bobWords = bob.panel.findChild<QListWidget *>(QStringLiteral("listbox_mywords"));
    ASSERT_EQ(bobWords->count(), 1);
    EXPECT_EQ(bobWords->item(0)->text(), QStringLiteral("do : 2"));
    EXPECT_TRUE(cy.sounds.contains(QStringLiteral("goodword")));
    EXPECT_FALSE(ann.sounds.contains(QStringLiteral("goodword")));

    // Ann swaps cells 1 and 2 and back (the turn stays hers), then forms "cat".
    clickTile(ann.board->ownTile(1));
    clickTile(ann.board->ownTile(2));
    settle([&] { return board(1, 1) == A && board(1, 2) == C; }, "Ann swaps");
    EXPECT_EQ(rules().table().whoseTurn(), 1);
    EXPECT_TRUE(bob.sounds.contains(QStringLiteral("place")));
    clickTile(ann.board->ownTile(2));
    clickTile(ann.board->ownTile(1));
    settle([&] { return board(1, 1) == C && board(1, 2) == A; }, "Ann swaps back");
    clickTile(ann.board->extraTile(3));
    clickTile(ann.board->ownTile(3));
    settle([&] { return rules().table().whoseTurn() == 2; }, "Ann forms cat");
    EXPECT_EQ(rules().table().player(1).score, 5);

    // Bob forms "dog".
    clickTile(bob.board->extraTile(3));
    clickTile(bob.board->ownTile(3));
    settle([&] { return rules().table().whoseTurn() == 1; }, "Bob forms dog");

    // Ann tries to steal Bob's g into her cell 4: "catg" is refused; she discards an extra.
    clickTile(ann.board->opponentTile(3));
    EXPECT_EQ(ann.board->opponentTile(3)->y(), BoardHalf::kOpponentSelectedTop);
    clickTile(ann.board->ownTile(4));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ann.boxes.isEmpty(); }, kGameStepWait));
    EXPECT_EQ(ann.boxes.first(),
              QStringLiteral("You can steal a letter only if you can use it immediately to create a valid word."));
    EXPECT_EQ(ann.board->opponentTile(3)->y(), BoardHalf::kOpponentTop);
    EXPECT_TRUE(bob.boxes.isEmpty());
    settle([&] { return rules().table().whoseTurn() == 1; }, "refused steal");
    clickTile(ann.board->extraTile(5), Qt::RightButton);
    settle([&] { return rules().table().whoseTurn() == 2; }, "Ann discards an extra");

    // Bob forms "dogs"; Ann steals its s and forms "cats".
    clickTile(bob.board->extraTile(4));
    clickTile(bob.board->ownTile(4));
    settle([&] { return rules().table().whoseTurn() == 1; }, "Bob forms dogs");
    EXPECT_EQ(rules().table().player(2).score, 13);
    clickTile(ann.board->opponentTile(4));
    clickTile(ann.board->ownTile(4));
    settle([&] { return rules().table().whoseTurn() == 2; }, "Ann steals s");
    EXPECT_EQ(board(1, 4), S);
    EXPECT_EQ(board(2, 4), 0);
    EXPECT_EQ(rules().table().player(1).score, 11);
    EXPECT_TRUE(ann.sounds.contains(QStringLiteral("roundover")));
    EXPECT_TRUE(cy.sounds.contains(QStringLiteral("roundover")));

    // Bob discards his g by a right click.
    clickTile(bob.board->ownTile(3), Qt::RightButton);
    settle([&] { return rules().table().whoseTurn() == 1 && board(2, 3) == 0; }, "Bob discards g");

    // Ann's time runs out: the host's turn clock is driven tick by tick.
    for (int tick = 0; tick < 40 && rules().table().whoseTurn() == 1; ++tick)
        rules().turntimerTimer();
    settle([&] { return rules().table().whoseTurn() == 2; }, "time up");
    for (GameClient *client : {&ann, &bob, &cy})
        EXPECT_TRUE(client->lines.contains(QStringLiteral("0+Time Up!")));

    // Bob forms "dot" with his t and passes the play-to score of 15.
    int tExtra = 0;
    for (int e = 1; e <= 6; ++e) {
        if (bob.board->extraTile(e)->code() == T)
            tExtra = e;
    }
    ASSERT_NE(tExtra, 0);
    clickTile(bob.board->extraTile(tExtra));
    clickTile(bob.board->ownTile(3));
    settle([&] { return !rules().table().gameInProgress(); }, "Bob wins");
    EXPECT_EQ(rules().table().player(2).score, 16);
    for (GameClient *client : {&ann, &bob, &cy}) {
        EXPECT_EQ(client->panel.findChild<QLabel *>(QStringLiteral("label_winner1"))->text(),
                  QStringLiteral("Bob has won the game!"));
        EXPECT_TRUE(client->panel.findChild<QWidget *>(QStringLiteral("panel_winner"))->isVisible());
        EXPECT_EQ(client->sounds.last(), QStringLiteral("gameover"));
    }
    EXPECT_TRUE(ann.board->startButton()->isVisible());
    EXPECT_FALSE(bob.board->startButton()->isVisible());

    // After the win every click is ignored.
    clickTile(bob.board->extraTile(1));
    clickTile(bob.board->ownTile(5));
    clickTile(bob.board->ownTile(1), Qt::RightButton);
    EXPECT_EQ(bob.game.selection().pickedExtra, 0);
    settle([&] { return board(2, 5) == 0 && board(2, 1) == D; }, "clicks after the win");
}

TEST_F(GameByMouseTest, SoloGameAgainstTheComputerPlaysToTheWinner)
{
    startHost(std::make_unique<Random>(20261207));
    GameClient &you = addClient();
    InProcessHost hostControl(*host);
    you.connection->setHost(&hostControl);
    you.connection->processparams({});
    ASSERT_TRUE(QTest::qWaitFor([&] { return you.game.loggedIn() && you.game.seatName(1) == QStringLiteral("You"); },
                                kGameStepWait));
    startFromDialog(you, QStringLiteral("40"));
    EXPECT_EQ(you.game.seatName(2), QStringLiteral("Vumi"));

    int turns = 0;
    while (rules().table().gameInProgress() && turns < 400) {
        ++turns;
        const int mover = rules().table().whoseTurn();
        if (mover == 2) {
            // The computer's move comes at the end of its two-tick clock.
            for (int tick = 0; tick < 3 && rules().table().whoseTurn() == 2 && rules().table().gameInProgress(); ++tick)
                rules().turntimerTimer();
        } else {
            // The player places the first extra it holds on the first empty cell, or, with
            // the board full, discards the first letter.
            int extra = 0;
            int cell = 0;
            for (int e = 6; e >= 1; --e) {
                if (you.board->extraTile(e)->code() != 0)
                    extra = e;
            }
            for (int p = 10; p >= 1; --p) {
                if (you.board->ownTile(p)->code() == 0)
                    cell = p;
            }
            if (extra != 0 && cell != 0) {
                clickTile(you.board->extraTile(extra));
                clickTile(you.board->ownTile(cell));
            } else {
                clickTile(you.board->ownTile(1), Qt::RightButton);
            }
        }
        settle([&] { return !rules().table().gameInProgress() || rules().table().whoseTurn() != mover; }, "solo turn");
        if (HasFatalFailure())
            return;
    }
    ASSERT_FALSE(rules().table().gameInProgress()) << "no winner after " << turns << " turns";
    const QString winnerName = you.game.seatName(rules().table().whoseTurn());
    EXPECT_EQ(you.panel.findChild<QLabel *>(QStringLiteral("label_winner1"))->text(),
              winnerName + QStringLiteral(" has won the game!"));
    EXPECT_GE(rules().table().player(static_cast<size_t>(rules().table().whoseTurn())).score, 40);
    EXPECT_EQ(you.game.whoseTurn(), 0);
}

}  // namespace
