// When the game calls the player back: each event of the game or the roster, with the
// window in front or not, calls (or not) with the words the player reads.
#include "client/model/AttentionRules.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct RecordingSink : AttentionSink {
    void callAttention(const QString &summary, const QString &body) override { calls << summary + " | " + body; }
    QStringList calls;
};

struct Case {
    const char *rule;
    int ownSlot;
    bool hosting;
    std::function<void(ClientGame &, Roster &)> event;
    QStringList expected;  // the calls with the window behind others
};

void PrintTo(const Case &row, std::ostream *out)
{
    *out << row.rule;
}

class AttentionRulesTest : public testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        const Case &row = GetParam();
        game.logIn(row.ownSlot);
        if (row.hosting)
            game.setHosting();
        game.setSeatName(1, QStringLiteral("Ann"));
        game.setSeatName(2, QStringLiteral("Bob"));
        roster.arrive(row.ownSlot, row.ownSlot == 1 ? QStringLiteral("Ann") : QStringLiteral("Bob"));
    }

    ClientGame game;
    Roster roster;
    RecordingSink sink;
    bool active = false;
    AttentionRules rules{game, roster, sink, [this] { return active; }};
};

TEST_P(AttentionRulesTest, CallsOnlyWhileTheWindowIsBehindAndCallsAreOn)
{
    const Case &row = GetParam();
    row.event(game, roster);
    EXPECT_EQ(sink.calls, row.expected);

    active = true;
    row.event(game, roster);
    EXPECT_EQ(sink.calls, row.expected) << "nothing while the window is active";

    active = false;
    rules.setEnabled(false);
    row.event(game, roster);
    EXPECT_EQ(sink.calls, row.expected) << "nothing while calls are off";
}

INSTANTIATE_TEST_SUITE_P(Events, AttentionRulesTest,
                         testing::Values(Case{"the turn passes to this player",
                                              1,
                                              false,
                                              [](ClientGame &g, Roster &) { g.getnextplayer(QStringLiteral("1+5+")); },
                                              {"Your turn | Bob is waiting for your move."}},
                                         Case{"the turn passes to the opponent",
                                              1,
                                              false,
                                              [](ClientGame &g, Roster &) { g.getnextplayer(QStringLiteral("2+5+")); },
                                              {}},
                                         Case{"a spectator has no turn",
                                              3,
                                              false,
                                              [](ClientGame &g, Roster &) { g.getnextplayer(QStringLiteral("1+5+")); },
                                              {}},
                                         Case{"a game starts",
                                              2,
                                              false,
                                              [](ClientGame &g, Roster &) {
                                                  g.startthegame(QStringLiteral("Ann+30+200+5+"));
                                              },
                                              {"The game has started | Ann against Bob."}},
                                         Case{"somebody joins the hosted game",
                                              1,
                                              true,
                                              [](ClientGame &, Roster &r) {
                                                  r.leave(2, QStringLiteral("Eve"));
                                                  r.arrive(2, QStringLiteral("Eve"));
                                              },
                                              {"A player joined | Eve joined your game."}},
                                         Case{"somebody joins a game hosted elsewhere",
                                              2,
                                              false,
                                              [](ClientGame &, Roster &r) {
                                                  r.leave(3, QStringLiteral("Eve"));
                                                  r.arrive(3, QStringLiteral("Eve"));
                                              },
                                              {}},
                                         Case{"the same participant announced again is nobody new",
                                              1,
                                              true,
                                              [](ClientGame &, Roster &r) { r.arrive(1, QStringLiteral("Ann")); },
                                              {}}));

}  // namespace
