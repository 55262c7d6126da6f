// The tally fed by the client's game: a player's words and finished games reach the
// tally's table, counted against the followed opponent of that game whatever name they
// chose; a spectator's game never changes it.
#include "windows/TallyLink.h"
#include "client/model/ClientGame.h"
#include "tally/TallyTable.h"

#include <gtest/gtest.h>

namespace {

struct TalliedGame {
    TalliedGame(int ownSlot, const QString &seat1, const QString &seat2)
        : link(table, game)
    {
        game.setTally(&link);
        game.logIn(ownSlot);
        game.setSeatName(1, seat1);
        // A game's start seats the computer in an empty seat 2.
        if (!seat2.isEmpty()) {
            game.setSeatName(2, seat2);
            game.startthegame(QStringLiteral("Ann+30+50+3+"));
        }
    }

    ClientGame game;
    TallyTable table;
    TallyLink link;
};

TEST(TallyLink, APlayersWordsAndLostGameCountAgainstTheFollowedOpponent)
{
    TalliedGame ann(1, QStringLiteral("Ann"), QStringLiteral("Bob"));
    ann.table.follow(QStringLiteral("Bob"));

    ann.game.formedword(QStringLiteral("1+cat+5+5+"));
    ann.game.formedword(QStringLiteral("2+dog+5+5+"));  // the opponent's word is not ours
    ann.game.winner(QStringLiteral("2+"));

    EXPECT_EQ(ann.table.own(), (TallyTable::OwnTotals{1, 0, "cat", 3, "cat", 5, 1}));
    ASSERT_EQ(ann.table.opponents().size(), 1);
    EXPECT_EQ(ann.table.opponents().at(0).total, (TallyTable::Counts{1, 1, 0, 0}));
    EXPECT_EQ(ann.table.opponents().at(0).session, (TallyTable::Counts{1, 1, 0, 0}));
}

// An opponent who logs in under the name the own win once travelled as wins for nobody else.
TEST(TallyLink, AnOpponentNamedAddtomineWinsAsThemselves)
{
    TalliedGame ann(1, QStringLiteral("Ann"), QStringLiteral("addtomine"));
    ann.table.follow(QStringLiteral("addtomine"));
    ann.game.winner(QStringLiteral("2+"));
    EXPECT_EQ(ann.table.own().wins, 0);
    EXPECT_EQ(ann.table.opponents().at(0).total, (TallyTable::Counts{1, 1, 0, 0}));
}

TEST(TallyLink, ASpectatorsGameLeavesTheTallyAlone)
{
    TalliedGame spy(3, QStringLiteral("Ann"), QStringLiteral("Bob"));
    spy.table.follow(QStringLiteral("Bob"));
    spy.game.formedword(QStringLiteral("1+cat+5+5+"));
    spy.game.winner(QStringLiteral("1+"));
    EXPECT_EQ(spy.table.own(), TallyTable::OwnTotals{});
    EXPECT_EQ(spy.table.opponents().at(0).total, TallyTable::Counts{});
}

struct Seats {
    const char *name;
    int ownSlot;
    QString seat2;  // empty: nobody holds it
    QStringList opponents;
};

class TallyLinkOpponents : public ::testing::TestWithParam<Seats> { };

TEST_P(TallyLinkOpponents, AreTheOtherHeldSeats)
{
    TalliedGame game(GetParam().ownSlot, QStringLiteral("Ann"), GetParam().seat2);
    EXPECT_EQ(game.link.opponents(), GetParam().opponents);
}

INSTANTIATE_TEST_SUITE_P(Seats, TallyLinkOpponents,
                         ::testing::Values(Seats{"OwnSeat1", 1, "Bob", {"Bob"}}, Seats{"OwnSeat2", 2, "Bob", {"Ann"}},
                                           Seats{"EmptySeat", 1, "", {}}, Seats{"Spectator", 3, "Bob", {"Ann", "Bob"}}),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
