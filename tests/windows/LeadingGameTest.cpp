// Games on a host without a window: the participant in slot 1 leads (starts games,
// removes participants), and every participant, a spectator too, sees the mover's clock.
#include "GameWindowsTest.h"

#include "client/BoardHalf.h"
#include "host/GameRules.h"
#include "host/SeatTable.h"
#include "net/Catalogue.h"
#include "windows/Tchat.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LeadingGameTest : public GameWindowsTest {
protected:
    void SetUp() override { startHost(QList<int>{C, A, T, S, O, D, O, G, S, N, E, I, U, E, I, R, T, L, E}); }

    Tchat &joined(const QString &name, int slot)
    {
        Tchat &window = open(name, QStringLiteral("false"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.game().ownSlot() == slot; }, kGameStepWait)) << slot;
        return window;
    }
};

TEST_F(LeadingGameTest, TheFirstToJoinAHostWithoutAWindowStartsTheGame)
{
    Tchat &ann = joined(QStringLiteral("Ann"), 1);
    Tchat &bob = joined(QStringLiteral("Bob"), 2);
    EXPECT_TRUE(ann.startGameAction()->isEnabled());
    EXPECT_TRUE(ann.board().startButton()->isVisible());
    EXPECT_FALSE(bob.startGameAction()->isEnabled());
    EXPECT_FALSE(bob.board().startButton()->isVisible());

    ann.connection().sendRequest(net::toHost::startgame(QStringLiteral("Ann"), 30, 200, 5));
    settle([&] { return host->rules().table().gameInProgress(); }, "Ann starts");
}

TEST_F(LeadingGameTest, ASpectatorsClockCountsTheMoversTime)
{
    Tchat &ann = joined(QStringLiteral("Ann"), 1);
    // The host keeps 32 characters of a name; the board has room for fewer.
    joined(QStringLiteral("Bartholomew Featherstonehaugh-Smythe"), 2);
    Tchat &cy = joined(QStringLiteral("Cy"), 3);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return cy.game().seatName(1) == QStringLiteral("Ann") && !cy.game().seat(2)->waiting; }, kGameStepWait));
    ann.connection().sendRequest(net::toHost::startgame(QStringLiteral("Ann"), 30, 200, 10000));
    settle([&] { return host->rules().table().whoseTurn() == 1; }, "start");

    auto *clock = cy.findChild<QLabel *>(QStringLiteral("label_turntime"));
    ASSERT_TRUE(clock);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clock->text() == QStringLiteral("Time: 0:29"); }, kGameStepWait))
        << clock->text().toStdString();

    const QString dir = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        cy.grab().save(QDir(dir).filePath(QStringLiteral("game-spectator-clock.png")));
}

}  // namespace
