// The connection manager without sockets: slot assignment, login and presence, version
// notices, catch-up of a late joiner, removal, departure, relays, just watch, and the
// binding of every request to the slot it arrived from.
#include "CapturingSink.h"

#include "dictionary/TDictn.h"
#include "host/GameRules.h"
#include "host/HostSession.h"
#include "host/Random.h"
#include "host/SeatTable.h"
#include "host/TurnClock.h"
#include "net/Catalogue.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace net::toClient;
using Messages = QList<QByteArray>;

class HostSessionTest : public testing::Test {
protected:
    HostSessionTest()
    {
        sink.onClose = [this](int slot) { session.connectionClosed(slot); };
    }
    ~HostSessionTest() override { EXPECT_EQ(sink.strayMessages(), 0) << "messages to slots outside 1..9"; }

    // Accepts `count` connections; returns the slots they got.
    QList<int> accept(int count)
    {
        QList<int> slots;
        for (int i = 0; i < count; ++i) {
            const int slot = session.acceptParticipant();
            if (slot != 0)
                session.welcome(slot);
            slots.append(slot);
        }
        return slots;
    }

    // Hands a wire message to the dispatcher as the queue would: cut at the terminators.
    void deliver(int sender, const QByteArray &wire)
    {
        for (const QByteArray &message : wire.split('\xFF'))
            session.serveRequest(sender, message);
    }

    void login(int slot, const QString &name) { deliver(slot, net::toHost::logininfo(slot, net::kVersion, name)); }

    // Three participants logged in: "Host", "Ann", "Bob"; their messages so far forgotten.
    void threePresent()
    {
        accept(3);
        login(1, QStringLiteral("Host"));
        login(2, QStringLiteral("Ann"));
        login(3, QStringLiteral("Bob"));
        sink.clear();
    }

    void expectNothingSent()
    {
        for (int slot = 1; slot <= SeatTable::kHighestSlot; ++slot)
            EXPECT_TRUE(sink.take(slot).isEmpty()) << "slot " << slot;
    }

    QTemporaryDir dir;
    Random random{7};
    CapturingSink sink;
    TDictn dictionary{dir.path()};
    SeatTable table;
    TurnClock clock;
    GameRules rules{table, sink, random, dictionary, clock};
    qint64 now = 1000;  // the chat rate's clock, in ms
    HostSession session{table, rules, sink, [this] { return now; }};
};

TEST_F(HostSessionTest, ConnectionsTakeTheLowestFreeSlotAndATenthIsTurnedAway)
{
    EXPECT_EQ(accept(3), (QList<int>{1, 2, 3}));
    EXPECT_EQ(sink.take(1), Messages{sendlogininfo(1)});
    EXPECT_EQ(sink.take(3), Messages{sendlogininfo(3)});

    session.connectionClosed(2);
    EXPECT_EQ(accept(1), QList<int>{2});
    EXPECT_EQ(accept(6), (QList<int>{4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(accept(1), QList<int>{0});
    EXPECT_EQ(table.seatsUsed(), 9);
    EXPECT_FALSE(table.isConnected(10));
}

TEST_F(HostSessionTest, ALoginTellsEverybodyAndListsThoseAlreadyPresent)
{
    accept(2);
    login(1, QStringLiteral("Host"));
    sink.clear();
    login(2, QStringLiteral("Ann"));
    EXPECT_EQ(sink.take(1), Messages{newplayerinfo(2, QStringLiteral("Ann"))});
    EXPECT_EQ(sink.take(2),
              (Messages{newplayerinfo(2, QStringLiteral("Ann")), existingplayers(1, QStringLiteral("Host"))}));
    EXPECT_EQ(table.player(2).name, QStringLiteral("Ann"));
}

TEST_F(HostSessionTest, AnAcceptedSlotWithoutLoginAlreadyReceivesBroadcasts)
{
    accept(3);
    sink.clear();
    login(3, QStringLiteral("Bob"));
    EXPECT_EQ(sink.take(1), Messages{newplayerinfo(3, QStringLiteral("Bob"))});
    EXPECT_EQ(sink.take(3),
              (Messages{newplayerinfo(3, QStringLiteral("Bob")), existingplayers(1, QString()),
                        existingplayers(2, QString())}));
}

TEST_F(HostSessionTest, ADifferentVersionIsReportedToSlotOneAndTheNewcomerOnly)
{
    accept(3);
    login(1, QStringLiteral("Host"));
    sink.clear();
    deliver(3, net::toHost::logininfo(3, QStringLiteral("1.0.5"), QStringLiteral("Old")));
    EXPECT_EQ(sink.take(1),
              (Messages{newplayerinfo(3, QStringLiteral("Old")), havewrongversion(QStringLiteral("Old"))}));
    EXPECT_EQ(sink.take(2), Messages{newplayerinfo(3, QStringLiteral("Old"))});
    const Messages newcomer = sink.take(3);
    ASSERT_FALSE(newcomer.isEmpty());
    EXPECT_EQ(newcomer.last(), wrongversion());
    EXPECT_EQ(table.player(3).connected, 1);
}

TEST_F(HostSessionTest, ALateJoinerIntoSeatTwoGetsItsExtrasBothBoardsAndTheScores)
{
    accept(1);
    login(1, QStringLiteral("Host"));
    // Seat 2 was held before and left.
    ASSERT_EQ(table.accept(), 2);
    table.depart(2);
    table.setRunningGame({30, 100, 3});
    table.setBoard(1, {0, 3, 1});
    table.setBoard(2, {0, 0, 0, 0, 20});
    table.setExtras(2, {0, 5, 0, 9, 0, 0, 26});
    table.setScore(1, 12);
    table.setScore(2, 7);
    sink.clear();

    EXPECT_EQ(accept(1), QList<int>{2});
    login(2, QStringLiteral("Cy"));
    EXPECT_EQ(sink.take(2),
              (Messages{sendlogininfo(2), newplayerinfo(2, QStringLiteral("Cy")),
                        existingplayers(1, QStringLiteral("Host")), letters(2, {{1, 5}, {3, 9}, {6, 26}}),
                        placetheletters({{1, 1, 3}, {1, 2, 1}, {2, 4, 20}}), gamestats(30, 100, 3, 12, 7)}));
    EXPECT_EQ(sink.take(2).size(), 0);
}

TEST_F(HostSessionTest, ASpectatorJoiningAGameGetsNoLettersAndABareBoardMessage)
{
    accept(3);
    login(1, QStringLiteral("Host"));
    login(2, QStringLiteral("Ann"));
    table.setRunningGame({});
    table.setExtras(3, {0, 1, 2, 3, 4, 5, 0});
    sink.clear();
    login(3, QStringLiteral("Bob"));
    const Messages got = sink.take(3);
    ASSERT_EQ(got.size(), 5);
    EXPECT_EQ(got.at(3), QByteArray("CMD_placetheletters\xFF"));
    EXPECT_EQ(got.at(4), gamestats(0, 0, 0, 0, 0));
}

TEST_F(HostSessionTest, RelaysReachEverybodyTheSpeakerIncludedByteForByte)
{
    threePresent();
    const QByteArray rest = QStringLiteral("Grüße + hi|$00FF8000").toUtf8();
    deliver(3, QByteArray("CMD_chat+3+") + rest + '\xFF');
    deliver(2, "CMD_action+2+waves|clRed\xFF");
    deliver(1, "CMD_playasound+1+wave7+\xFF");
    const Messages expected{QByteArray("CMD_chat+3+Bob chats: ") + rest + '\xFF',
                            QByteArray("CMD_action+2+Ann waves|clRed\xFF"), QByteArray("CMD_playasound+1+wave7+\xFF")};
    for (int slot = 1; slot <= 3; ++slot)
        EXPECT_EQ(sink.take(slot), expected) << "slot " << slot;
}

TEST_F(HostSessionTest, ARelayedTextLongerThanTheBoundIsDropped)
{
    threePresent();
    const QString longest(HostSession::kMaxRelayText - 6, QLatin1Char('a'));  // with "|clRed"
    deliver(2, net::toHost::chat(2, longest + QLatin1Char('a'), QStringLiteral("clRed")));
    deliver(2, net::toHost::action(2, QString(HostSession::kMaxRelayText / 2, QChar(0x00E9)), QStringLiteral("clRed")));
    expectNothingSent();
    deliver(2, net::toHost::chat(2, longest, QStringLiteral("clRed")));
    EXPECT_EQ(sink.take(3), Messages{chat(2, QStringLiteral("Ann"), longest + QStringLiteral("|clRed"))});
}

// One participant chatting as fast as it can must not flood everybody else's connection.
TEST_F(HostSessionTest, ABurstThenFiveLinesASecondAreRelayedTheExcessDroppedWithOneNotice)
{
    threePresent();
    const auto chatLines = [&](int slot, int count) {
        for (int i = 0; i < count; ++i)
            deliver(slot, net::toHost::chat(slot, QStringLiteral("x"), QStringLiteral("clRed")));
    };
    const QByteArray relayed = chat(2, QStringLiteral("Ann"), QStringLiteral("x|clRed"));
    const QByteArray notice = hostnotice(HostSession::kTooFastNotice);

    chatLines(2, ChatRateLimit::kBurst + 10);
    EXPECT_EQ(sink.take(1), Messages(ChatRateLimit::kBurst, relayed));
    EXPECT_EQ(sink.take(2), Messages(ChatRateLimit::kBurst, relayed) << notice) << "one notice for the run";
    chatLines(3, 1);
    EXPECT_EQ(sink.take(1).size(), 1) << "the others chat on";
    sink.clear();

    now += 1000;
    chatLines(2, 10);
    EXPECT_EQ(sink.take(1), Messages(ChatRateLimit::kPerSecond, relayed));
    EXPECT_EQ(sink.take(2), Messages(ChatRateLimit::kPerSecond, relayed) << notice);

    // A new participant in the slot starts with a full burst.
    session.connectionClosed(2);
    ASSERT_EQ(session.acceptParticipant(), 2);
    login(2, QStringLiteral("Ann"));
    sink.clear();
    chatLines(2, ChatRateLimit::kBurst);
    EXPECT_EQ(sink.take(1), Messages(ChatRateLimit::kBurst, relayed));
}

struct RefusedRequest {
    const char *name;
    int sender;
    QByteArray wire;
};

class RefusedRequestTest : public HostSessionTest, public testing::WithParamInterface<RefusedRequest> { };

// Requests that name another slot, need the hosting player's rights, or that the
// catalogue's decoders refuse change nothing, are not answered and keep the connection.
TEST_P(RefusedRequestTest, ChangesNothingAndSendsNothing)
{
    threePresent();
    table.setRunningGame({});
    table.setMover(1);
    table.setExtras(1, {0, 4});
    const SeatTable before = table;
    deliver(GetParam().sender, GetParam().wire);
    expectNothingSent();
    EXPECT_TRUE(sink.closedSlots().isEmpty());
    for (int slot = 1; slot <= 3; ++slot) {
        EXPECT_EQ(table.player(slot).name, before.player(slot).name);
        EXPECT_EQ(table.player(slot).connected, before.player(slot).connected);
        EXPECT_EQ(table.player(slot).justwatching, before.player(slot).justwatching);
        EXPECT_EQ(table.player(slot).board, before.player(slot).board);
        EXPECT_EQ(table.player(slot).extras, before.player(slot).extras);
    }
    EXPECT_TRUE(table.gameInProgress());
}

INSTANTIATE_TEST_SUITE_P(
    Binding, RefusedRequestTest,
    testing::Values(RefusedRequest{"ChatInAnothersName", 3, "CMD_chat+1+I am the host|clBlack\xFF"},
                    RefusedRequest{"ActionInAnothersName", 2, "CMD_action+3+x|clBlack\xFF"},
                    RefusedRequest{"SoundInAnothersName", 2, "CMD_playasound+1+wave1+\xFF"},
                    RefusedRequest{"RelaySlotOutOfRange", 2, "CMD_chat+12+x|clBlack\xFF"},
                    RefusedRequest{"RelaySlotNotANumber", 2, "CMD_chat+two+x|clBlack\xFF"},
                    RefusedRequest{"MoveForTheMoverFromAnother", 2, "CMD_placemyletter+1+1+1+\xFF"},
                    RefusedRequest{"MoverSendsALetterForACell", 1, "CMD_placemyletter+1+1+x+\xFF"},
                    RefusedRequest{"StartWithATextForATime", 1, "CMD_startgame+Host+thirty+50+3+\xFF"},
                    RefusedRequest{"StartWithoutSteals", 1, "CMD_startgame+Host+30+50+\xFF"},
                    RefusedRequest{"RelayWithoutText", 2, "CMD_chat+2\xFF"},
                    RefusedRequest{"LoginWithoutName", 3, "CMD_logininfo+3+1.0.6\xFF"},
                    RefusedRequest{"KickFromSlotTwo", 2, "CMD_kickhim+2+3+\xFF"},
                    RefusedRequest{"KickClaimingSlotOne", 2, "CMD_kickhim+1+3+\xFF"},
                    RefusedRequest{"KickTargetNotANumber", 1, "CMD_kickhim+1+x+\xFF"},
                    RefusedRequest{"KickTargetOutOfRange", 1, "CMD_kickhim+1+40+\xFF"},
                    RefusedRequest{"StartFromASpectator", 3, "CMD_startgame+Bob+30+50+3+\xFF"},
                    RefusedRequest{"JustWatchForTheOtherSeat", 2, "CMD_justwatch+1+1\xFF"},
                    RefusedRequest{"JustWatchFromASpectator", 3, "CMD_justwatch+2+1\xFF"},
                    RefusedRequest{"JustWatchForASpectatorSeat", 1, "CMD_justwatch+3+1\xFF"},
                    RefusedRequest{"JustWatchUnknownFlag", 2, "CMD_justwatch+2+3\xFF"},
                    RefusedRequest{"LoginForAnotherSlot", 3, "CMD_logininfo+1+1.0.6+Mallory\xFF\xFF"},
                    RefusedRequest{"UnknownCommand", 1, "CMD_nonsense+1+\xFF"},
                    RefusedRequest{"NoPlusAtAll", 1, "CMD_chat\xFF"}, RefusedRequest{"EmptyMessage", 1, "\xFF"},
                    RefusedRequest{"FromNoSlot", 0, "CMD_chat+0+x|clBlack\xFF"}),
    [](const testing::TestParamInfo<RefusedRequest> &info) { return std::string(info.param.name); });

TEST_F(HostSessionTest, OnlySlotOneRemovesAParticipant)
{
    threePresent();
    deliver(1, net::toHost::kickhim(1, 3));
    EXPECT_EQ(sink.closedSlots(), QList<int>{3});
    EXPECT_EQ(sink.take(1), Messages{playerdisconnected(3, QStringLiteral("Bob"))});
    EXPECT_EQ(sink.take(2), Messages{playerdisconnected(3, QStringLiteral("Bob"))});
    EXPECT_TRUE(sink.take(3).isEmpty());
    EXPECT_EQ(table.player(3).connected, 0);
    deliver(1, net::toHost::kickhim(1, 3));
    EXPECT_EQ(sink.closedSlots(), QList<int>{3});
}

TEST_F(HostSessionTest, ADepartureTellsTheOthersAndFreesTheSlotButKeepsTheSeat)
{
    threePresent();
    table.setWatching(2, true);
    table.setBoard(2, {0, 8});
    table.setExtras(2, {0, 0, 3});
    table.setScore(2, 40);
    table.setSteals(2, 2);
    table.recordFormedWord(2, QStringLiteral("hi"));
    session.connectionClosed(2);
    EXPECT_EQ(sink.take(1), Messages{playerdisconnected(2, QStringLiteral("Ann"))});
    EXPECT_EQ(sink.take(3), Messages{playerdisconnected(2, QStringLiteral("Ann"))});
    EXPECT_TRUE(sink.take(2).isEmpty());
    EXPECT_EQ(table.player(2).connected, 0);
    EXPECT_TRUE(table.player(2).name.isEmpty());
    EXPECT_EQ(table.player(2).justwatching, 0);
    EXPECT_EQ(table.player(2).board[1], 8);
    EXPECT_EQ(table.player(2).extras[2], 3);
    EXPECT_EQ(table.player(2).score, 40);
    EXPECT_EQ(table.player(2).steals, 2);
    EXPECT_EQ(table.formedWords(2), QStringList{QStringLiteral("hi")});
    EXPECT_EQ(table.seatsUsed(), 3) << "a departure never lowers the seats used";

    // A second "Socket Closed" for the same close sends nothing more.
    session.connectionClosed(2);
    expectNothingSent();
}

// The rules and the session reach the same participants in the same order: every
// connected slot once, ascending, whoever left in between and whatever slot a newcomer took.
TEST_F(HostSessionTest, RulesAndSessionTellEveryConnectedSlotAscending)
{
    accept(SeatTable::kHighestSlot);
    session.connectionClosed(4);
    session.connectionClosed(7);
    session.connectionClosed(9);
    ASSERT_EQ(accept(1), QList<int>{4});
    EXPECT_EQ(table.seatsUsed(), 9);
    sink.clear();
    const QList<int> present{1, 2, 3, 4, 5, 6, 8};

    deliver(3, net::toHost::chat(3, QStringLiteral("hi"), QStringLiteral("clRed")));
    QList<int> reached;
    for (const auto &[slot, message] : sink.deliveries())
        reached.append(slot);
    EXPECT_EQ(reached, present) << "the session's relay";

    sink.clear();
    deliver(1, net::toHost::startgame(QStringLiteral("Host"), 30, 50, 3));
    reached.clear();
    for (const auto &[slot, message] : sink.deliveries()) {
        if (message == startgame(QStringLiteral("Host"), 30, 50, 3))
            reached.append(slot);
    }
    EXPECT_EQ(reached, present) << "the rules' announcement";
}

struct DepartureCase {
    int leaving;
    int whoseturn;
    bool turnPasses;
};

class MoverDepartureTest : public HostSessionTest, public testing::WithParamInterface<DepartureCase> { };

TEST_P(MoverDepartureTest, TheMoversDepartureOtherThanSeatOnePassesTheTurn)
{
    threePresent();
    table.setRunningGame({0, 0, 3});
    table.setMover(GetParam().whoseturn);
    session.connectionClosed(GetParam().leaving);
    const int expectedTurn = GetParam().turnPasses ? 3 - GetParam().whoseturn : GetParam().whoseturn;
    EXPECT_EQ(table.whoseTurn(), expectedTurn);
    const Messages third = sink.take(3);
    EXPECT_EQ(third.contains(nextplayer(expectedTurn, 3)), GetParam().turnPasses);
}

INSTANTIATE_TEST_SUITE_P(Departure, MoverDepartureTest,
                         testing::Values(DepartureCase{2, 2, true}, DepartureCase{1, 1, false},
                                         DepartureCase{2, 1, false}, DepartureCase{3, 2, false}));

TEST_F(HostSessionTest, JustWatchFromTheSeatOrSlotOneIsRelayedToAll)
{
    threePresent();
    deliver(2, net::toHost::justwatch(2, 1));
    EXPECT_EQ(table.player(2).justwatching, 1);
    deliver(1, net::toHost::justwatch(2, 2));
    EXPECT_EQ(table.player(2).justwatching, 0);
    for (int slot = 1; slot <= 3; ++slot)
        EXPECT_EQ(sink.take(slot),
                  (Messages{justwatching(2, QStringLiteral("1")), justwatching(2, QStringLiteral("2"))}));
}

TEST_F(HostSessionTest, JustWatchForTheMoverHandsTheMoveToTheComputerAtTheNextTick)
{
    threePresent();
    table.setRunningGame({});
    table.setMover(1);
    clock.start(GameRules::kTurnTag, 20);
    deliver(1, net::toHost::justwatch(1, 1));
    EXPECT_EQ(clock.tag(), GameRules::kComputerTag);
    EXPECT_EQ(clock.ticksLeft(), 1);
    EXPECT_TRUE(clock.isActive());
}

TEST_F(HostSessionTest, JustWatchOutsideTheMoversTurnLeavesTheClockAlone)
{
    threePresent();
    table.setRunningGame({});
    table.setMover(1);
    clock.start(GameRules::kTurnTag, 20);
    deliver(2, net::toHost::justwatch(2, 1));
    EXPECT_EQ(clock.tag(), GameRules::kTurnTag);
    EXPECT_EQ(clock.ticksLeft(), 20);
}

TEST_F(HostSessionTest, OnlySlotOneStartsAGame)
{
    threePresent();
    deliver(1, net::toHost::startgame(QStringLiteral("Host"), 30, 50, 3));
    EXPECT_TRUE(table.gameInProgress());
    EXPECT_EQ(sink.take(3).value(0), startgame(QStringLiteral("Host"), 30, 50, 3));
}

struct NameCase {
    const char *label;
    QString sent;
    QString kept;
};

class LoginNameTest : public HostSessionTest, public testing::WithParamInterface<NameCase> { };

TEST_P(LoginNameTest, NamesAreKeptShownSafeAndShort)
{
    accept(1);
    login(1, GetParam().sent);
    EXPECT_EQ(table.player(1).name, GetParam().kept);
    EXPECT_EQ(sink.take(1).value(1), newplayerinfo(1, GetParam().kept));
}

INSTANTIATE_TEST_SUITE_P(
    Names, LoginNameTest,
    testing::Values(
        NameCase{"Plain", QStringLiteral("Ann"), QStringLiteral("Ann")},
        NameCase{"WithPlus", QStringLiteral("A+B+C"), QStringLiteral("A+B+C")}, NameCase{"Empty", QString(), QString()},
        NameCase{"LineBreaks", QStringLiteral("a\nb\tc"), QStringLiteral("a b c")},
        NameCase{"UnicodeSeparators", QStringLiteral("a\u2028b\u2029c"), QStringLiteral("a b c")},
        NameCase{"BidiControlsRemoved", QStringLiteral("\u202Enna\u202C\u2066x\u2069\u200F"), QStringLiteral("nnax")},
        NameCase{"Long", QString(40, QLatin1Char('x')), QString(HostSession::kMaxNameLength, QLatin1Char('x'))},
        NameCase{"LongNonAscii", QString(40, QChar(0x00E9)), QString(HostSession::kMaxNameLength, QChar(0x00E9))},
        NameCase{"PairsNotSplit", QString::fromUtf8("\xF0\x9F\x98\x80").repeated(40),
                 QString::fromUtf8("\xF0\x9F\x98\x80").repeated(HostSession::kMaxNameLength)}),
    [](const testing::TestParamInfo<NameCase> &info) { return std::string(info.param.label); });

}  // namespace
