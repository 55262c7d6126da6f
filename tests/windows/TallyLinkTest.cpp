// The tally fed by the client's game: a player's words and finished games reach the
// tally window's table, counted against the followed opponent of that game; a
// spectator's game never changes it.
#include "windows/TallyLink.h"
#include "client/model/ClientGame.h"
#include "tally/TallyTable.h"
#include "tally/Ttallylist.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct TalliedGame {
    explicit TalliedGame(const QString &folder, int ownSlot)
        : tally(folder)
        , link(tally, game)
    {
        game.setTally(&link);
        game.logIn(ownSlot);
        game.setSeatName(1, QStringLiteral("Ann"));
        game.setSeatName(2, QStringLiteral("Bob"));
        game.startthegame(QStringLiteral("Ann+30+50+3+"));
    }

    ClientGame game;
    Ttallylist tally;
    TallyLink link;
};

TEST(TallyLink, APlayersWordsAndLostGameCountAgainstTheFollowedOpponent)
{
    QTemporaryDir dir;
    TalliedGame ann(dir.path(), 1);
    ann.tally.table().follow(QStringLiteral("Bob"));
    EXPECT_EQ(ann.link.opponents(), QStringList{QStringLiteral("Bob")});

    ann.game.formedword(QStringLiteral("1+cat+5+5+"));
    ann.game.formedword(QStringLiteral("2+dog+5+5+"));  // the opponent's word is not ours
    ann.game.winner(QStringLiteral("2+"));

    const TallyTable &table = ann.tally.table();
    EXPECT_EQ(table.own().games, 1);
    EXPECT_EQ(table.own().wins, 0);
    EXPECT_EQ(table.own().words, 1);
    EXPECT_EQ(table.own().longestWord, QStringLiteral("cat"));
    EXPECT_EQ(table.own().bestPoints, 5);
    ASSERT_EQ(table.opponents().size(), 1);
    EXPECT_EQ(table.opponents().at(0).total, (TallyTable::Counts{1, 1, 0, 0}));
    EXPECT_EQ(table.opponents().at(0).session, (TallyTable::Counts{1, 1, 0, 0}));
}

TEST(TallyLink, ASpectatorsGameLeavesTheTallyAlone)
{
    QTemporaryDir dir;
    TalliedGame spy(dir.path(), 3);
    spy.tally.table().follow(QStringLiteral("Bob"));
    spy.game.formedword(QStringLiteral("1+cat+5+5+"));
    spy.game.winner(QStringLiteral("1+"));
    EXPECT_EQ(spy.tally.table().own(), TallyTable::OwnTotals{});
    EXPECT_EQ(spy.tally.table().opponents().at(0).total, TallyTable::Counts{});
}

}  // namespace
