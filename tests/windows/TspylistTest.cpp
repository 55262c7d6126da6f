// The spectator list: showing the roster's spectators, following the mouse over the list,
// and, against a real host on loopback, every participant's roster as spectators come
// and go, and the hosting player's "Remove From Game".
#include "windows/Tspylist.h"

#include "GameBoardCheck.h"
#include "GameClient.h"

#include "client/ConnectionHalf.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"
#include "host/HostEngine.h"
#include "host/SeatTable.h"
#include "net/Catalogue.h"
#include "windows/InProcessHost.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace {

QStringList shownEntries(const Tspylist &spylist)
{
    QStringList entries;
    for (int row = 0; row < spylist.list()->count(); ++row)
        entries.append(spylist.list()->item(row)->text());
    return entries;
}

using Present = QList<Roster::Participant>;

// --- Showing the roster and following the mouse ------------------------------------------

// A list of two spectators and a seat's player in the roster; no connection.
class SpylistMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        roster.arrive(3, QStringLiteral("Cy"));
        roster.arrive(1, QStringLiteral("Ann"));
        roster.arrive(4, QStringLiteral("Dee"));
        spylist.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&spylist));
    }

    QPoint middleOf(int row) const { return spylist.list()->visualItemRect(spylist.list()->item(row)).center(); }
    QPoint belowTheEntries() const
    {
        const QWidget *viewport = spylist.list()->viewport();
        return QPoint(viewport->width() / 2, viewport->height() - 4);
    }

    ClientContext context;
    ClientGame game;
    Roster roster;
    ConnectionHalf connection{context, game, roster};
    Tspylist spylist{roster, game, connection};
};

TEST_F(SpylistMouse, EachSpectatorIsShownAsSlotAndNameInTheOrderTheyCame)
{
    EXPECT_EQ(shownEntries(spylist), (QStringList{QStringLiteral("3: Cy"), QStringLiteral("4: Dee")}));
    roster.leave(3, QStringLiteral("Cy"));
    roster.arrive(3, QStringLiteral("Eve"));
    EXPECT_EQ(shownEntries(spylist), (QStringList{QStringLiteral("4: Dee"), QStringLiteral("3: Eve")}));
}

TEST_F(SpylistMouse, EveryMovementOverTheListSetsTheEntryUnderTheMouse)
{
    QWidget *viewport = spylist.list()->viewport();
    EXPECT_EQ(spylist.entryUnderMouse(), -1);
    QTest::mouseMove(viewport, middleOf(1));
    EXPECT_EQ(spylist.entryUnderMouse(), 1);
    QTest::mouseMove(viewport, middleOf(0));
    EXPECT_EQ(spylist.entryUnderMouse(), 0);
    QTest::mouseMove(viewport, belowTheEntries());
    EXPECT_EQ(spylist.entryUnderMouse(), -1);
}

TEST_F(SpylistMouse, ARightClickOpensTheMenuOnTheEntryUnderIt)
{
    QWidget *viewport = spylist.list()->viewport();
    QTest::mouseMove(viewport, middleOf(0));
    QContextMenuEvent click(QContextMenuEvent::Mouse, middleOf(1), viewport->mapToGlobal(middleOf(1)));
    QApplication::sendEvent(viewport, &click);
    EXPECT_EQ(spylist.entryUnderMouse(), 1);
    EXPECT_TRUE(spylist.popupMenu()->isVisible());
    EXPECT_FALSE(spylist.removeFromGameAction()->isEnabled()) << "disabled until this copy hosts";
    spylist.popupMenu()->close();
    game.setHosting();
    EXPECT_TRUE(spylist.removeFromGameAction()->isEnabled());
}

// --- Against a real host -------------------------------------------------------------------

// One participant of the game with its own spectator list.
struct Participant {
    GameClient client;
    std::unique_ptr<InProcessHost> hostControl;
    std::unique_ptr<Tspylist> spylist;  // last: it goes before the connection it follows
};

class SpylistGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        host = std::make_unique<HostEngine>(folder.path());
        ASSERT_TRUE(host->listen(0, QHostAddress::LocalHost)) << host->errorString().toStdString();
        Participant &ann = join(QStringLiteral("Ann"), QStringLiteral("true"));
        ASSERT_EQ(ann.client.game.ownSlot(), 1);
        ASSERT_EQ(join(QStringLiteral("Bob")).client.game.ownSlot(), 2);
    }

    // Starts a participant ("true" hosts) and waits until it is logged in and announced.
    Participant &join(const QString &name, const QString &mode = QStringLiteral("false"))
    {
        participants.push_back(std::make_unique<Participant>());
        Participant &p = *participants.back();
        p.client.connection->setPort(host->serverPort());
        if (mode == QLatin1String("true")) {
            p.hostControl = std::make_unique<InProcessHost>(*host);
            p.client.connection->setHost(p.hostControl.get());
        }
        p.spylist = std::make_unique<Tspylist>(p.client.roster, p.client.game, *p.client.connection);
        p.client.connection->processparams({name, QStringLiteral("127.0.0.1"), mode});
        EXPECT_TRUE(QTest::qWaitFor([&p] { return p.client.lines.contains(QStringLiteral("0+You are Connected.")); },
                                    kGameStepWait))
            << name.toStdString();
        return p;
    }

    Participant &ann() { return *participants.at(0); }
    Participant &bob() { return *participants.at(1); }

    // Waits until Ann's and Bob's rosters hold `spectators`.
    void expectEveryRosterHolds(const Present &spectators)
    {
        const auto held = [&] {
            return ann().client.roster.spectators() == spectators && bob().client.roster.spectators() == spectators;
        };
        EXPECT_TRUE(QTest::qWaitFor(held, kGameStepWait))
            << "Ann: " << shownEntries(*ann().spylist).join(u'|').toStdString()
            << ", Bob: " << shownEntries(*bob().spylist).join(u'|').toStdString();
    }

    // Ann chats, and the line comes back to her: whatever she sent before has been handled.
    void roundTrip(const QString &text)
    {
        ann().client.sendRequest(net::toHost::chat(1, text, QStringLiteral("clBlack")));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                for (const QString &line : ann().client.lines)
                    if (line.contains(text))
                        return true;
                return false;
            },
            kGameStepWait));
    }

    void rightClickOn(Tspylist &spylist, const QPoint &at)
    {
        spylist.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&spylist));
        QWidget *viewport = spylist.list()->viewport();
        QTest::mouseMove(viewport, at);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &click);
        ASSERT_TRUE(spylist.popupMenu()->isVisible());
    }

    QTemporaryDir folder;
    std::unique_ptr<HostEngine> host;
    std::vector<std::unique_ptr<Participant>> participants;
};

TEST_F(SpylistGame, SpectatorsAreListedInTheOrderTheyCameAndLeaveTheirPlace)
{
    join(QStringLiteral("Cy"));
    expectEveryRosterHolds({{3, "Cy"}});
    join(QStringLiteral("Dee"));
    expectEveryRosterHolds({{3, "Cy"}, {4, "Dee"}});

    participants.erase(participants.begin() + 2);  // Cy closes her program
    expectEveryRosterHolds({{4, "Dee"}});
    join(QStringLiteral("Eve"));  // takes the freed slot 3, and comes last
    expectEveryRosterHolds({{4, "Dee"}, {3, "Eve"}});
}

// The host announces the newcomer to itself before those already there.
TEST_F(SpylistGame, ASpectatorListsItselfFirstThenThoseAlreadyThere)
{
    join(QStringLiteral("Cy"));
    Participant &dee = join(QStringLiteral("Dee"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dee.client.roster.spectators().size() == 2; }, kGameStepWait));
    EXPECT_EQ(dee.client.roster.spectators(), (Present{{4, "Dee"}, {3, "Cy"}}));
    EXPECT_TRUE(dee.client.lines.contains(QStringLiteral("0+You are spying.")));
}

TEST_F(SpylistGame, RemoveFromGameIsEnabledOnlyInTheHostingCopy)
{
    Participant &cy = join(QStringLiteral("Cy"));
    EXPECT_TRUE(ann().spylist->removeFromGameAction()->isEnabled());
    EXPECT_FALSE(bob().spylist->removeFromGameAction()->isEnabled());
    EXPECT_FALSE(cy.spylist->removeFromGameAction()->isEnabled());
}

TEST_F(SpylistGame, RemoveFromGameOnTheHostsListRemovesTheSpectatorUnderTheMouse)
{
    Participant &cy = join(QStringLiteral("Cy"));
    join(QStringLiteral("Dee"));
    expectEveryRosterHolds({{3, "Cy"}, {4, "Dee"}});
    QSignalSpy cyClosed(cy.client.connection.get(), &ConnectionHalf::connectionClosed);

    Tspylist &list = *ann().spylist;
    rightClickOn(list, list.list()->visualItemRect(list.list()->item(0)).center());
    list.removeFromGameAction()->trigger();
    list.popupMenu()->close();

    EXPECT_TRUE(cyClosed.wait(kGameStepWait)) << "the host closed Cy's connection";
    EXPECT_FALSE(host->table().isConnected(3));
    expectEveryRosterHolds({{4, "Dee"}});
    EXPECT_TRUE(host->table().isConnected(4));
}

TEST_F(SpylistGame, RemoveFromGameOverNoEntryDoesNothing)
{
    Participant &cy = join(QStringLiteral("Cy"));
    expectEveryRosterHolds({{3, "Cy"}});
    QSignalSpy cyClosed(cy.client.connection.get(), &ConnectionHalf::connectionClosed);

    Tspylist &list = *ann().spylist;
    ASSERT_TRUE(list.removeFromGameAction()->isEnabled());
    const QWidget *viewport = list.list()->viewport();
    rightClickOn(list, QPoint(viewport->width() / 2, viewport->height() - 4));
    ASSERT_EQ(list.entryUnderMouse(), -1);
    list.removeFromGameAction()->trigger();
    list.popupMenu()->close();

    roundTrip(QStringLiteral("after the click"));
    EXPECT_EQ(cyClosed.count(), 0);
    EXPECT_TRUE(host->table().isConnected(3));
}

// The menu was opened on Cy; Cy left and Eve took slot 3 before the click.
TEST_F(SpylistGame, RemoveFromGameSparesANewcomerInTheSlotOfOneWhoLeftMeanwhile)
{
    join(QStringLiteral("Cy"));
    expectEveryRosterHolds({{3, "Cy"}});
    Tspylist &list = *ann().spylist;
    rightClickOn(list, list.list()->visualItemRect(list.list()->item(0)).center());

    participants.erase(participants.begin() + 2);  // Cy closes her program
    expectEveryRosterHolds({});
    Participant &eve = join(QStringLiteral("Eve"));
    expectEveryRosterHolds({{3, "Eve"}});
    QSignalSpy eveClosed(eve.client.connection.get(), &ConnectionHalf::connectionClosed);
    list.removeFromGameAction()->trigger();
    list.popupMenu()->close();

    roundTrip(QStringLiteral("after the click"));
    EXPECT_EQ(eveClosed.count(), 0);
    EXPECT_TRUE(host->table().isConnected(3));
}

}  // namespace
