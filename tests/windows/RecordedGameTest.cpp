// Records of a whole game on loopback through the real host, as the hosting player, the
// other player and a spectator saw it, with every kind of event (placements, both
// discards, swaps, a refused and an accepted steal, a turn run out of time, words and the
// winner): each record, written, read back and replayed to its end, gives that window's
// live game again, board for board, score for score, word for word.
#include "GameWindowsTest.h"
#include "client_model/GameStateText.h"

#include "client/model/GameRecordReader.h"
#include "client/model/GameRecordWriter.h"
#include "client/model/GameRecorder.h"
#include "client/model/GameReplay.h"
#include "host/GameRules.h"
#include "host/SeatTable.h"
#include "net/Catalogue.h"

#include <gtest/gtest.h>

namespace {

class RecordedGameTest : public GameWindowsTest {
protected:
    void SetUp() override { startHost(QList<int>{C, A, T, S, O, D, O, G, S, N, E, I, U, E, I, R, T, L, E, I, U, E}); }

    int turn() const { return host->rules().table().whoseTurn(); }

    // The own extra holding `code`.
    int extraWith(Tchat &window, int code)
    {
        for (int e = 1; e <= 6; ++e) {
            if (window.game().extra(e) == code)
                return e;
        }
        ADD_FAILURE() << "no extra holds " << code;
        return 1;
    }

    void send(Tchat &window, const QByteArray &request) { window.connection().sendRequest(request); }

    void place(Tchat &window, int slot, int code, int cell)
    {
        const int mover = turn();
        send(window, net::toHost::placemyletter(slot, extraWith(window, code), cell));
        settle([&] { return turn() != mover; }, "placement");
    }
};

TEST_F(RecordedGameTest, EveryRecordReplaysToItsWindowsLiveGame)
{
    auto [ann, bob, cy] = openAnnBobAndCy();
    ASSERT_FALSE(HasFailure());
    for (auto &window : windows)
        window->board().setMessageBoxHook([](const QString &, std::function<void()> closed) { closed(); });

    // Three seconds a turn, to 10 points, two steals.
    send(ann, net::toHost::startgame(QStringLiteral("Ann"), 3, 10, 2));
    settle([&] { return host->rules().table().gameInProgress() && turn() == 1; }, "start");
    place(ann, 1, C, 1);
    place(bob, 2, D, 1);
    place(ann, 1, A, 2);
    place(bob, 2, O, 2);  // "do"
    place(ann, 1, T, 3);  // "cat"
    place(bob, 2, G, 3);  // "dog"

    // Swaps keep the turn; a discarded extra passes it.
    send(ann, net::toHost::tradingmyletter(1, 1, 3));
    settle([&] { return ann.game().cell(1, 1) == T; }, "swap");
    send(ann, net::toHost::tradingmyletter(1, 1, 3));
    settle([&] { return ann.game().cell(1, 1) == C; }, "swap back");
    send(ann, net::toHost::discardextra(1, 6));
    settle([&] { return turn() == 2; }, "discarded extra");

    // "dog" and a lone "a" are no word: refused. Then a discarded letter passes the turn.
    send(bob, net::toHost::stealinghisletter(2, 2, 5));
    send(bob, net::toHost::discardletter(2, 3));
    settle([&] { return turn() == 1; }, "refused steal, discarded letter");

    // Ann lets her time run out; Bob steals her "t" into "dot" and passes 10 points.
    settle([&] { return turn() == 2; }, "time up");
    send(bob, net::toHost::stealinghisletter(2, 3, 3));
    settle([&] { return !host->rules().table().gameInProgress(); }, "the winning steal");
    ASSERT_TRUE(QTest::qWaitFor([&] { return cy.game().winner() == 2 && ann.game().winner() == 2; }, kGameStepWait));

    // What each participant was told: the refusal goes to the stealer alone, the discarded
    // extra to its owner alone.
    using Kind = RecordEvent::Kind;
    const QList<Kind> everybody{Kind::Deal,  Kind::Turn,   Kind::Place, Kind::Swap,  Kind::DiscardLetter,
                                Kind::Steal, Kind::TimeUp, Kind::Word,  Kind::Winner};
    const std::vector<std::pair<Tchat *, QList<Kind>>> seen{{&ann, everybody + QList<Kind>{Kind::DiscardExtra}},
                                                            {&bob, everybody + QList<Kind>{Kind::Refused}},
                                                            {&cy, everybody}};
    for (const auto &[window, expected] : seen) {
        const GameRecord &record = window->recorder().current();
        EXPECT_TRUE(record.header.finished);
        QList<Kind> kinds;
        for (const RecordEvent &event : record.events) {
            if (!kinds.contains(event.kind))
                kinds << event.kind;
        }
        std::sort(kinds.begin(), kinds.end());
        QList<Kind> wanted = expected;
        std::sort(wanted.begin(), wanted.end());
        EXPECT_EQ(kinds, wanted) << GameRecordWriter::write(record).toStdString();

        const GameRecordReader::Result read = GameRecordReader::read(GameRecordWriter::write(record));
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        ClientGame replayed;
        GameReplay replay(replayed);
        replay.load(read.record);
        replay.stepTo(replay.length());
        EXPECT_EQ(gameStateText(replayed, false), gameStateText(window->game(), false))
            << "slot " << window->game().ownSlot();
    }
}

}  // namespace
