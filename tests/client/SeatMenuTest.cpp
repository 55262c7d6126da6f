// The name labels' menu: which entries a seat's menu offers, read from the game and the
// roster. What the entries send is checked against a real host in ConnectionHalfTest.
#include "client/SeatMenu.h"

#include "client/ClientContext.h"
#include "client/ConnectionHalf.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"

#include <QAction>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct MenuRow {
    const char *rule;
    bool hosting;
    int ownSlot;
    int seat;
    std::optional<const char *> present;  // who the roster has in the seat
    bool removal;
    bool justWatch;  // both just-watch entries
};

class SeatMenuEntries : public ::testing::TestWithParam<MenuRow> { };

TEST_P(SeatMenuEntries, FollowTheHostingFlagAndWhoIsInTheSeat)
{
    ClientContext context;
    ClientGame game;
    Roster roster;
    ConnectionHalf connection(context, game, roster);
    SeatMenu menu(game, roster, connection);
    game.logIn(GetParam().ownSlot);
    roster.arrive(GetParam().ownSlot, QStringLiteral("Ann"));
    if (GetParam().hosting)
        game.setHosting();
    if (GetParam().present) {
        // As the connection half records a player's arrival.
        roster.arrive(GetParam().seat, QString::fromUtf8(*GetParam().present));
        game.setSeatName(GetParam().seat, QString::fromUtf8(*GetParam().present));
    }

    menu.label_playername2ContextPopup(GetParam().seat);
    EXPECT_EQ(menu.seat(), GetParam().seat);
    EXPECT_EQ(menu.removeFromGameAction()->isEnabled(), GetParam().removal);
    EXPECT_EQ(menu.setToJustWatchAction()->isEnabled(), GetParam().justWatch);
    EXPECT_EQ(menu.unsetJustWatchAction()->isEnabled(), GetParam().justWatch);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SeatMenuEntries,
    ::testing::Values(MenuRow{"HostOnAnotherPlayersSeat", true, 1, 2, "Bob", true, true},
                      MenuRow{"HostOnAnEmptySeat", true, 1, 2, std::nullopt, false, true},
                      MenuRow{"HostOnItsOwnSeat", true, 1, 1, std::nullopt, false, true},
                      // The seat's state decides, not the text its label shows.
                      MenuRow{"HostOnAPlayerNamedLikeTheWaitingLabel", true, 1, 2, "<Waiting>", true, true},
                      // Slot 1 of a host without a window leads the game as a hosting copy does.
                      MenuRow{"SlotOneOfAHostWithoutAWindow", false, 1, 2, "Bob", true, true},
                      MenuRow{"NeitherHostingNorSlotOneOffersNothing", false, 2, 1, "Cy", false, false}),
    [](const auto &info) { return std::string(info.param.rule); });

}  // namespace
