// The client's game fed with the host's message texts: settings, seats, both boards by
// seat, the turn and its countdown, sounds by receiver, formed words, the winner, the
// tally, the boxes of a refused steal, and messages the decoders refuse.
#include "ModelFakes.h"
#include "client/WarningCounter.h"

#include "client/model/ClientGame.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <optional>

namespace {

class ClientGameTest : public GameFixture {
protected:
    // Everything the game keeps or did, to compare before and after a message.
    QStringList state() const
    {
        QStringList all = boards();
        for (int seat = 1; seat <= 2; ++seat) {
            const ClientGame::Seat &s = *game.seat(seat);
            all << QStringLiteral("%1 %2 %3 %4 %5")
                       .arg(s.name)
                       .arg(s.score)
                       .arg(int(s.stealsFrom))
                       .arg(s.stealsLeft)
                       .arg(s.justWatching);
        }
        const TileSelection &picked = game.selection();
        all << QStringLiteral("turn %1 %2 %3 %4")
                   .arg(game.whoseTurn())
                   .arg(game.mover())
                   .arg(game.secondsLeft())
                   .arg(game.turntimer().isActive());
        all << QStringLiteral("picked %1 %2 %3 %4")
                   .arg(picked.pickedExtra)
                   .arg(picked.pickedOwn)
                   .arg(picked.pickedOpponent)
                   .arg(picked.raised(TileKind::Extra, 2));
        if (const auto &settings = game.settings())
            all << QStringLiteral("settings %1 %2 %3")
                       .arg(settings->timePerTurn)
                       .arg(settings->playToScore)
                       .arg(settings->steals);
        all << QStringLiteral("words %1 winner %2").arg(game.ownWords().size()).arg(game.winner());
        return all + sounds.sounds + notices.notices + tally.calls + boxes;
    }
};

TEST(ClientGameFresh, WaitsForEverything)
{
    ClientGame game;
    EXPECT_FALSE(game.loggedIn());
    EXPECT_EQ(game.ownSlot(), 0);
    EXPECT_FALSE(game.hostFlag());
    for (int seat = 1; seat <= 2; ++seat) {
        EXPECT_EQ(game.seatName(seat), QStringLiteral("<Waiting>"));
        EXPECT_EQ(game.seat(seat)->score, 0);
        EXPECT_EQ(game.seat(seat)->stealsFrom, ClientGame::Seat::StealsFrom::Nothing);
        EXPECT_FALSE(game.seat(seat)->justWatching);
        for (int p = 1; p <= 10; ++p)
            EXPECT_EQ(game.cell(seat, p), 0);
    }
    EXPECT_EQ(game.seat(0), nullptr);
    EXPECT_EQ(game.seat(3), nullptr);
    EXPECT_EQ(game.seatName(7), QString());
    EXPECT_EQ(game.cell(1, 11), 0);
    EXPECT_EQ(game.extra(7), 0);
    EXPECT_EQ(game.whoseTurn(), 0);
    EXPECT_EQ(game.secondsLeft(), 0);
    EXPECT_FALSE(game.turntimer().isActive());
    EXPECT_EQ(game.turntimer().interval(), 1000);
    EXPECT_FALSE(game.settings().has_value());
    EXPECT_FALSE(game.gameInPlay());
    EXPECT_EQ(game.winner(), 0);
    EXPECT_EQ(game.selection(), TileSelection());
    // Without services nothing is heard or shown, and a box counts as seen at once.
    game.logIn(1);
    game.getnextplayer(QStringLiteral("1+5+"));
    game.toomany(QStringLiteral("1+"));
    EXPECT_EQ(game.whoseTurn(), 1);
}

TEST_F(ClientGameTest, LoginAndHostingAreAnnounced)
{
    ClientGame fresh;
    QSignalSpy changed(&fresh, &ClientGame::loginChanged);
    fresh.logIn(2);
    EXPECT_TRUE(fresh.loggedIn());
    EXPECT_TRUE(fresh.isPlayer());
    EXPECT_TRUE(fresh.isOwn(2));
    fresh.setHosting();
    EXPECT_TRUE(fresh.hostFlag());
    EXPECT_EQ(changed.count(), 2);
    fresh.logIn(3);
    EXPECT_TRUE(fresh.isSpectator());
    EXPECT_FALSE(fresh.isPlayer());
}

// Who leads: the slot a participant was given, and whether its own process hosts.
struct LeadRow {
    int slot;
    bool hosting;
    bool leads;
};

class ClientGameLeads : public ::testing::TestWithParam<LeadRow> { };

TEST_P(ClientGameLeads, SlotOneOrTheHostingProcessLeadsTheGame)
{
    ClientGame game;
    if (GetParam().slot != 0)
        game.logIn(GetParam().slot);
    if (GetParam().hosting)
        game.setHosting();
    EXPECT_EQ(game.leadsGame(), GetParam().leads);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClientGameLeads,
                         ::testing::Values(LeadRow{0, false, false}, LeadRow{1, false, true}, LeadRow{2, false, false},
                                           LeadRow{3, false, false}, LeadRow{0, true, true}, LeadRow{2, true, true}));

TEST_F(ClientGameTest, GameStartSetsSettingsStealsAndNotice)
{
    game.placemyletter(QStringLiteral("1+2+3+5+"));
    game.formedword(QStringLiteral("1+cat+5+12+"));
    sounds.sounds.clear();
    QSignalSpy started(&game, &ClientGame::gameStarted);
    QSignalSpy words(&game, &ClientGame::wordsChanged);
    game.startthegame(QStringLiteral("Ann+30+200+5+"));

    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(words.count(), 1);
    EXPECT_EQ(game.settings(), (ClientGame::Settings{30, 200, 5, false}));
    EXPECT_EQ(game.turnLength(), 30);
    EXPECT_TRUE(game.gameInPlay());
    for (int seat = 1; seat <= 2; ++seat) {
        EXPECT_EQ(game.seat(seat)->stealsFrom, ClientGame::Seat::StealsFrom::GameStart);
        EXPECT_EQ(game.seat(seat)->stealsLeft, 5);
        EXPECT_EQ(game.seat(seat)->score, 0);
    }
    EXPECT_TRUE(game.ownWords().isEmpty());
    EXPECT_EQ(notices.notices.last(), QStringLiteral("Ann has started a game."));
    EXPECT_EQ(game.cell(1, 3), 0);
    EXPECT_TRUE(sounds.sounds.isEmpty());
    EXPECT_EQ(game.seatName(2), QStringLiteral("Bob"));
}

TEST_F(ClientGameTest, GameStartClearsJustWatch)
{
    game.setJustWatching(1, true);
    game.setJustWatching(2, true);
    ASSERT_TRUE(game.justWatchChecked());
    QSignalSpy mark(&game, &ClientGame::justWatchChanged);
    game.startthegame(QStringLiteral("Ann+45+300+10000+"));

    EXPECT_FALSE(game.justWatchChecked());
    EXPECT_FALSE(game.seat(2)->justWatching);
    ASSERT_EQ(mark.count(), 1);
    EXPECT_FALSE(mark.first().at(0).toBool());
    EXPECT_EQ(game.seat(2)->stealsLeft, 10000);
}

// Seat 2 at a game's start: whoever holds it keeps it; nobody yet means the computer.
struct SeatTwoRow {
    const char *rule;
    std::optional<const char *> heldBy;  // nothing: nobody has held the seat
    const char *afterStart;
};

class SeatTwoAtGameStart : public ::testing::TestWithParam<SeatTwoRow> { };

TEST_P(SeatTwoAtGameStart, NamesTheSeatsHolderOrTheComputer)
{
    ClientGame game;
    if (GetParam().heldBy)
        game.setSeatName(2, QString::fromUtf8(*GetParam().heldBy));
    game.startthegame(QStringLiteral("Ann+45+300+10000+"));
    EXPECT_EQ(game.seatName(2), QString::fromUtf8(GetParam().afterStart));
    EXPECT_FALSE(game.seat(2)->waiting);
}

INSTANTIATE_TEST_SUITE_P(Rows, SeatTwoAtGameStart,
                         ::testing::Values(SeatTwoRow{"NobodyYet", std::nullopt, "Vumi"},
                                           SeatTwoRow{"APlayer", "Bob", "Bob"},
                                           // The label's text is a name like any other once a player logs in under it.
                                           SeatTwoRow{"APlayerNamedLikeTheWaitingLabel", "<Waiting>", "<Waiting>"}),
                         [](const auto &info) { return std::string(info.param.rule); });

TEST_F(ClientGameTest, GameStatsCatchUpAScoreAndTheSettings)
{
    QSignalSpy seats(&game, &ClientGame::seatChanged);
    game.gamestats(QStringLiteral("120+300+10000+12+7+"));
    EXPECT_EQ(game.settings(), (ClientGame::Settings{120, 300, 10000, true}));
    EXPECT_EQ(game.seat(1)->score, 12);
    EXPECT_EQ(game.seat(2)->score, 7);
    EXPECT_EQ(seats.count(), 2);
    EXPECT_EQ(game.turnLength(), 120);
    EXPECT_FALSE(game.gameInPlay()) << "a catch-up starts no game";
}

TEST_F(ClientGameTest, TurnChangeNamesTheMoverAndStartsTheClock)
{
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    TileSelection picked;
    picked.pickedExtra = 2;
    picked.setRaised(TileKind::Extra, 2, true);
    game.setSelection(picked);
    QSignalSpy turn(&game, &ClientGame::turnChanged);
    game.getnextplayer(QStringLiteral("2+-3+"));

    EXPECT_EQ(turn.count(), 1);
    EXPECT_EQ(game.whoseTurn(), 2);
    EXPECT_EQ(game.mover(), 2);
    EXPECT_EQ(game.seat(2)->stealsFrom, ClientGame::Seat::StealsFrom::TurnChange);
    EXPECT_EQ(game.seat(2)->stealsLeft, -3);  // as reported; the caption shows 0
    EXPECT_EQ(game.seat(1)->stealsFrom, ClientGame::Seat::StealsFrom::GameStart);
    EXPECT_TRUE(game.turntimer().isActive());
    EXPECT_EQ(game.secondsLeft(), 30);
    EXPECT_EQ(game.selection(), TileSelection());
}

TEST_F(ClientGameTest, TurnSoundFollowsTheChoice)
{
    game.getnextplayer(QStringLiteral("1+5+"));
    game.setTurnSoundChoice([] { return QStringLiteral("turnnew"); });
    game.getnextplayer(QStringLiteral("1+5+"));
    game.getnextplayer(QStringLiteral("2+5+"));
    EXPECT_EQ(sounds.sounds, (QStringList{QStringLiteral("start"), QStringLiteral("turnnew")}));
}

TEST_F(ClientGameTest, CountdownTicksAtTwentyFifteenAndTheLastTen)
{
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    game.getnextplayer(QStringLiteral("2+5+"));
    QSignalSpy ticked(&game, &ClientGame::clockTicked);
    QList<int> tickedAt;
    for (int left = 29; left >= -3; --left) {
        sounds.sounds.clear();
        game.processturntime();
        EXPECT_EQ(game.secondsLeft(), left);
        if (sounds.sounds.contains(QStringLiteral("tick")))
            tickedAt.append(left);
    }
    EXPECT_EQ(tickedAt, (QList<int>{20, 15, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(ticked.count(), 33);
}

TEST_F(ClientGameTest, CountdownRunsOnTheTimer)
{
    game.gamestats(QStringLiteral("2+300+5+0+0+"));
    game.getnextplayer(QStringLiteral("1+5+"));
    game.turntimer().setInterval(10);
    QSignalSpy ticked(&game, &ClientGame::clockTicked);
    ASSERT_TRUE(ticked.wait(5000));
    EXPECT_EQ(game.secondsLeft(), 1);
}

class TurnLengthTest : public ClientGameTest, public ::testing::WithParamInterface<int> { };

TEST_P(TurnLengthTest, TurnWithoutTimeNeverTicks)
{
    game.startthegame(QStringLiteral("Ann+%1+200+5+").arg(GetParam()));
    game.getnextplayer(QStringLiteral("1+5+"));
    sounds.sounds.clear();
    game.processturntime();
    EXPECT_EQ(game.secondsLeft(), GetParam() - 1);
    EXPECT_TRUE(sounds.sounds.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(ZeroOrNegative, TurnLengthTest, ::testing::Values(0, -5));

// Sounds by message and by who receives it; the mover is slot 1 in every message.
struct SoundRow {
    const char *name;
    void (ClientGame::*handler)(const QString &);
    const char *rest;
    const char *mover;
    const char *otherPlayer;
    const char *spectator;
};

class SoundTableTest : public ClientGameTest, public ::testing::WithParamInterface<SoundRow> {
protected:
    QString heardBy(int ownSlot)
    {
        game.logIn(ownSlot);
        sounds.sounds.clear();
        (game.*GetParam().handler)(QString::fromLatin1(GetParam().rest));
        return sounds.sounds.join(QLatin1Char(','));
    }
};

TEST_P(SoundTableTest, EachReceiverHearsItsSound)
{
    EXPECT_EQ(heardBy(1), QString::fromLatin1(GetParam().mover));
    EXPECT_EQ(heardBy(2), QString::fromLatin1(GetParam().otherPlayer));
    EXPECT_EQ(heardBy(3), QString::fromLatin1(GetParam().spectator));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, SoundTableTest,
    ::testing::Values(SoundRow{"nextplayer", &ClientGame::getnextplayer, "1+5+", "start", "", ""},
                      SoundRow{"placemyletter", &ClientGame::placemyletter, "1+2+3+5+", "place", "", ""},
                      SoundRow{"tradingmyletter", &ClientGame::tradingmyletter, "1+1+3+2+4+", "place", "place",
                               "place"},
                      SoundRow{"discardletter", &ClientGame::discardletter, "1+3+", "clear", "", "clear"},
                      SoundRow{"discardextra", &ClientGame::discardextra, "1+2+", "clear", "", ""},
                      SoundRow{"stoldletter", &ClientGame::stoldletter, "1+2+3+4+5+", "roundover", "", "roundover"},
                      SoundRow{"formedword", &ClientGame::formedword, "1+cat+5+12+", "goodword", "", "goodword"},
                      SoundRow{"notvalid", &ClientGame::notvalid, "1+", "badword", "", ""},
                      SoundRow{"toomany", &ClientGame::toomany, "1+", "badword", "", ""},
                      SoundRow{"timeup", &ClientGame::timeup, "", "", "", ""},
                      SoundRow{"winner", &ClientGame::winner, "1+", "gameover", "gameover", "gameover"}),
    [](const ::testing::TestParamInfo<SoundRow> &info) { return std::string(info.param.name); });

// The boards are kept by seat: whichever row a participant sees them in, every slot
// keeps the same cells.
class BoardsBySeatTest : public ClientGameTest, public ::testing::WithParamInterface<int> { };

TEST_P(BoardsBySeatTest, EverySlotKeepsTheSameCells)
{
    game.logIn(GetParam());
    game.placetheletters(QStringLiteral("1+1+8+2+2+9+1+10+26"));
    game.placemyletter(QStringLiteral("2+1+3+5+"));
    game.placemyletter(QStringLiteral("1+2+4+6+"));
    EXPECT_EQ(game.cell(1, 1), 8);
    EXPECT_EQ(game.cell(1, 10), 26);
    EXPECT_EQ(game.cell(1, 4), 6);
    EXPECT_EQ(game.cell(2, 2), 9);
    EXPECT_EQ(game.cell(2, 3), 5);
    EXPECT_EQ(game.cell(2, 4), 0);
}

INSTANTIATE_TEST_SUITE_P(Slots, BoardsBySeatTest, ::testing::Values(1, 2, 4));

TEST_F(ClientGameTest, SpectatorKeepsOnlyItsOwnSlotsExtras)
{
    game.logIn(4);
    game.letters(QStringLiteral("4+1+5+2+6"));  // never sent to a spectator but slot 3
    EXPECT_EQ(game.extra(1), 5);
    EXPECT_EQ(game.extra(2), 6);
    game.letters(QStringLiteral("3+1+7"));
    EXPECT_EQ(game.extra(1), 5);
    game.placemyletter(QStringLiteral("2+1+3+5+"));  // another seat's extra is no business of ours
    EXPECT_EQ(game.extra(1), 5);
}

TEST_F(ClientGameTest, OwnExtrasArriveAndOthersAreIgnored)
{
    QSignalSpy extras(&game, &ClientGame::extraChanged);
    game.letters(QStringLiteral("1+1+5+2+7+3+9+4+1+5+26"));
    EXPECT_EQ(extras.count(), 5);
    EXPECT_EQ(game.extra(1), 5);
    EXPECT_EQ(game.extra(5), 26);
    EXPECT_EQ(game.extra(6), 0);
    game.letters(QStringLiteral("2+1+3"));
    EXPECT_EQ(game.extra(1), 5);
    game.letters(QStringLiteral("1"));  // the slot alone: nothing dealt
    EXPECT_EQ(game.extra(2), 7);

    game.newletter(QStringLiteral("1+6+17+"));
    EXPECT_EQ(game.extra(6), 17);
    game.newletter(QStringLiteral("2+6+3+"));
    EXPECT_EQ(game.extra(6), 17);
    game.discardextra(QStringLiteral("1+6+"));
    EXPECT_EQ(game.extra(6), 0);
    game.discardextra(QStringLiteral("2+1+"));
    EXPECT_EQ(game.extra(1), 5);
    game.placemyletter(QStringLiteral("1+2+4+7+"));
    EXPECT_EQ(game.extra(2), 0);
    EXPECT_EQ(game.cell(1, 4), 7);
}

TEST_F(ClientGameTest, SwapDiscardAndStealFollowTheSeats)
{
    QSignalSpy cells(&game, &ClientGame::cellChanged);
    game.placetheletters(QStringLiteral("1+1+3+1+2+1+2+5+20"));
    EXPECT_EQ(cells.count(), 3);
    game.tradingmyletter(QStringLiteral("1+1+1+2+3+"));
    EXPECT_EQ(game.cell(1, 1), 1);
    EXPECT_EQ(game.cell(1, 2), 3);
    game.discardletter(QStringLiteral("1+2+"));
    EXPECT_EQ(game.cell(1, 2), 0);

    // Seat 1 steals seat 2's cell 5 into its cell 3.
    game.stoldletter(QStringLiteral("1+2+3+5+20+"));
    EXPECT_EQ(game.cell(1, 3), 20);
    EXPECT_EQ(game.cell(2, 5), 0);

    // Seat 2 steals seat 1's cell 1 into its cell 7.
    game.stoldletter(QStringLiteral("2+1+7+1+1+"));
    EXPECT_EQ(game.cell(2, 7), 1);
    EXPECT_EQ(game.cell(1, 1), 0);

    // The letter leaves the stealer's opponent, whatever seat the victim field names.
    game.placetheletters(QStringLiteral("2+4+9"));
    game.stoldletter(QStringLiteral("1+1+6+4+9+"));
    EXPECT_EQ(game.cell(1, 6), 9);
    EXPECT_EQ(game.cell(2, 4), 0);
}

TEST_F(ClientGameTest, HandlersThatStopTheClock)
{
    const QList<std::pair<void (ClientGame::*)(const QString &), const char *>> stopping = {
        {&ClientGame::placemyletter, "1+2+3+5+"}, {&ClientGame::tradingmyletter, "2+1+3+2+4+"},
        {&ClientGame::discardletter, "2+3+"},     {&ClientGame::discardextra, "2+2+"},
        {&ClientGame::formedword, "2+cat+5+5+"},  {&ClientGame::winner, "2+"}};
    for (const auto &[handler, rest] : stopping) {
        game.getnextplayer(QStringLiteral("2+5+"));
        (game.*handler)(QString::fromLatin1(rest));
        EXPECT_FALSE(game.turntimer().isActive()) << rest;
    }
    game.getnextplayer(QStringLiteral("2+5+"));
    game.stoldletter(QStringLiteral("2+1+3+4+5+"));  // a steal leaves the clock running
    EXPECT_TRUE(game.turntimer().isActive());
}

TEST_F(ClientGameTest, FormedWordsListNewestFirstWithNoticeAndTally)
{
    game.formedword(QStringLiteral("1+cat+5+5+"));
    game.formedword(QStringLiteral("1+quiz+12+17+"));
    game.formedword(QStringLiteral("2+dog+5+5+"));

    EXPECT_EQ(game.ownWords(), (QList<ClientGame::OwnWord>{{QStringLiteral("quiz"), 12}, {QStringLiteral("cat"), 5}}));
    EXPECT_EQ(game.seat(1)->score, 17);
    EXPECT_EQ(game.seat(2)->score, 5);
    EXPECT_TRUE(notices.notices.contains(QStringLiteral("For 12 points Ann formed QUIZ")));
    EXPECT_TRUE(notices.notices.contains(QStringLiteral("For 5 points Bob formed DOG")));
    // The fake tally's records stay at zero, so every word of the own seat beats them.
    EXPECT_TRUE(tally.calls.contains(QStringLiteral("longest cat 3")));
}

TEST_F(ClientGameTest, TallyRecordsOnlyBetterWords)
{
    tally.longest = 4;
    tally.best = 10;
    game.formedword(QStringLiteral("1+cat+5+5+"));
    game.formedword(QStringLiteral("1+zebra+15+20+"));
    EXPECT_EQ(tally.calls,
              (QStringList{QStringLiteral("word"), QStringLiteral("longest zebra 5"), QStringLiteral("best zebra 15"),
                           QStringLiteral("word")}));
}

TEST_F(ClientGameTest, WithoutTallyFormedWordsAndWinsStillCount)
{
    game.setTally(nullptr);
    game.formedword(QStringLiteral("1+cat+5+5+"));
    game.winner(QStringLiteral("1+"));
    EXPECT_EQ(game.ownWords().size(), 1);
    EXPECT_EQ(game.winner(), 1);
}

struct WinnerRow {
    int ownSlot;
    const char *tallyCall;  // empty: nothing recorded
};

class WinnerTest : public ClientGameTest, public ::testing::WithParamInterface<WinnerRow> { };

TEST_P(WinnerTest, WinnerEndsTheTurnWithNoticeTallyAndSound)
{
    game.logIn(GetParam().ownSlot);
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    game.getnextplayer(QStringLiteral("1+5+"));
    QSignalSpy won(&game, &ClientGame::winnerChanged);
    game.winner(QStringLiteral("1+"));

    EXPECT_EQ(won.count(), 1);
    EXPECT_EQ(game.whoseTurn(), 0);
    EXPECT_EQ(game.mover(), 1);
    EXPECT_EQ(game.secondsLeft(), 0);
    EXPECT_FALSE(game.turntimer().isActive());
    EXPECT_FALSE(game.gameInPlay());
    EXPECT_EQ(game.winner(), 1);
    EXPECT_EQ(game.winnerName(), QStringLiteral("Ann"));
    EXPECT_EQ(notices.notices.last(), QStringLiteral("Ann has Won the Game!"));
    const QString expected = QString::fromLatin1(GetParam().tallyCall);
    EXPECT_EQ(tally.calls, expected.isEmpty() ? QStringList() : QStringList{expected});
    EXPECT_EQ(sounds.sounds.last(), QStringLiteral("gameover"));

    // The name at the moment of the win stays, whoever takes the seat later.
    game.seatLeft(1);
    EXPECT_EQ(game.winnerName(), QStringLiteral("Ann"));
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    EXPECT_EQ(game.winner(), 0);
    EXPECT_TRUE(game.gameInPlay());
}

INSTANTIATE_TEST_SUITE_P(Receivers, WinnerTest,
                         ::testing::Values(WinnerRow{1, "own win"}, WinnerRow{2, "won by Ann"}, WinnerRow{3, ""}));

// The boxes of a refused steal stay open while the game goes on: what each releases when
// it closes is checked with a box that closes later.
TEST_F(ClientGameTest, RefusedStealBoxesReleaseTheOpponentPickWhenClosed)
{
    std::function<void()> close;
    game.setMessageBoxHook([&](const QString &text, std::function<void()> closed) {
        boxes.append(text);
        close = std::move(closed);
    });
    TileSelection picked;
    picked.pickedOpponent = 4;
    picked.setRaised(TileKind::Opponent, 4, true);
    const TileSelection repicked = picked;

    game.setSelection(picked);
    game.notvalid(QStringLiteral("1+"));
    EXPECT_EQ(boxes,
              QStringList{
                  QStringLiteral("You can steal a letter only if you can use it immediately to create a valid word.")});
    EXPECT_EQ(game.selection(), TileSelection());
    game.setSelection(repicked);
    close();
    EXPECT_EQ(game.selection(), TileSelection()) << "the opponent's cells are lowered too";

    game.toomany(QStringLiteral("1+"));
    EXPECT_EQ(boxes.last(), QStringLiteral("You have used all your steals."));
    game.setSelection(repicked);
    close();
    EXPECT_EQ(game.selection().pickedOpponent, 0);
    EXPECT_TRUE(game.selection().raised(TileKind::Opponent, 4)) << "only the pick is dropped";

    game.toomany(QStringLiteral("2+"));
    game.notvalid(QStringLiteral("2+"));
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_EQ(sounds.sounds, (QStringList{QStringLiteral("badword"), QStringLiteral("badword")}));
}

TEST_F(ClientGameTest, TimeUpIsANoticeOnly)
{
    const QStringList before = state();
    game.timeup(QString());
    EXPECT_EQ(notices.notices, QStringList{QStringLiteral("Time Up!")});
    EXPECT_EQ(state(), before + QStringList{QStringLiteral("Time Up!")});
}

TEST_F(ClientGameTest, SeatChangesAreAnnouncedOnlyWhenSomethingChanges)
{
    QSignalSpy seats(&game, &ClientGame::seatChanged);
    QSignalSpy mark(&game, &ClientGame::justWatchChanged);
    game.setSeatName(2, QStringLiteral("Bob"));
    game.setSeatName(3, QStringLiteral("Cy"));  // no seat
    EXPECT_EQ(seats.count(), 0);
    game.setJustWatching(2, true);
    EXPECT_TRUE(game.seat(2)->justWatching);
    EXPECT_EQ(mark.count(), 0) << "another seat's mark is not ours";
    game.setJustWatching(1, true);
    EXPECT_TRUE(game.justWatchChecked());
    EXPECT_EQ(mark.count(), 1);

    game.seatLeft(2);
    EXPECT_EQ(game.seatName(2), QStringLiteral("Vumi"));
    EXPECT_FALSE(game.seat(2)->justWatching);
    EXPECT_EQ(seats.count(), 4);
    ASSERT_EQ(seats.last().at(0).toInt(), 2);
}

TEST_F(ClientGameTest, ArrivingLetterLowersTheExtrasButKeepsThePick)
{
    TileSelection picked;
    picked.pickedExtra = 3;
    picked.setRaised(TileKind::Extra, 3, true);
    game.setSelection(picked);
    QSignalSpy changed(&game, &ClientGame::selectionChanged);
    game.newletter(QStringLiteral("1+6+17+"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(game.selection().raised(TileKind::Extra, 3));
    EXPECT_EQ(game.selection().pickedExtra, 3);
    game.resettiles();
    EXPECT_EQ(game.selection(), TileSelection());
    game.resettiles();
    EXPECT_EQ(changed.count(), 2);
}

// One row per message: a missing or malformed field, or a slot, seat, cell, extra or
// letter code outside what the message allows (the own slot is 1).
struct RefusedRow {
    const char *name;
    void (ClientGame::*handler)(const QString &);
    const char *rest;
};

void PrintTo(const RefusedRow &row, std::ostream *out)
{
    *out << row.rest;
}

class RefusedMessageTest : public ClientGameTest, public ::testing::WithParamInterface<RefusedRow> { };

TEST_P(RefusedMessageTest, MessageIsIgnoredWholeWithAWarning)
{
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    game.letters(QStringLiteral("1+1+5+2+7"));
    game.placetheletters(QStringLiteral("1+1+3+2+2+4"));
    game.getnextplayer(QStringLiteral("1+5+"));
    TileSelection picked;
    picked.pickedExtra = 2;
    picked.setRaised(TileKind::Extra, 2, true);  // a reset would show
    game.setSelection(picked);
    const QStringList before = state();

    WarningCounter warnings("quarn.board");
    (game.*GetParam().handler)(QString::fromLatin1(GetParam().rest));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(warnings.count(), 1);
}

using G = ClientGame;
const RefusedRow kRefused[] = {
    {"startgameNumber", &G::startthegame, "Ann+x+200+5+"},
    {"startgameMissing", &G::startthegame, "Ann+30+200"},
    {"statsMissing", &G::gamestats, "30+200+5+0"},
    {"statsNumber", &G::gamestats, "30+200+5+0+1x+"},
    {"nextplayerSeat", &G::getnextplayer, "5+0+"},
    {"nextplayerEmpty", &G::getnextplayer, ""},
    {"winnerSeat", &G::winner, "3+"},
    {"lettersSlot", &G::letters, "10+1+5"},
    {"lettersExtra", &G::letters, "1+3+5+7+6"},
    {"lettersCode", &G::letters, "1+3+5+4+27"},
    {"lettersNoLetter", &G::letters, "1+3+0"},
    {"lettersHalfPair", &G::letters, "1+1+5+2"},
    {"newletterSeat", &G::newletter, "3+3+5+"},
    {"newletterExtra", &G::newletter, "1+0+5+"},
    {"newletterCode", &G::newletter, "1+3+-1+"},
    {"placemyletterSeat", &G::placemyletter, "4+1+3+5+"},
    {"placemyletterExtra", &G::placemyletter, "1+7+3+5+"},
    {"placemyletterNoExtra", &G::placemyletter, "1+0+3+5+"},
    {"placemyletterNumber", &G::placemyletter, "1+x+3+5+"},
    {"placemyletterCell", &G::placemyletter, "1+1+11+5+"},
    {"placemyletterCode", &G::placemyletter, "1+1+3+27+"},
    {"discardextraSeat", &G::discardextra, "0+1+"},
    {"discardextraExtra", &G::discardextra, "1+7+"},
    {"discardletterSeat", &G::discardletter, "3+1+"},
    {"discardletterCell", &G::discardletter, "1+0+"},
    {"tradingSeat", &G::tradingmyletter, "3+1+3+2+4+"},
    {"tradingFirstCell", &G::tradingmyletter, "1+11+3+2+4+"},
    {"tradingFirstCode", &G::tradingmyletter, "1+1+27+2+4+"},
    {"tradingSecondCell", &G::tradingmyletter, "1+1+3+0+4+"},
    {"tradingSecondCode", &G::tradingmyletter, "1+1+3+2+-4+"},
    {"notvalidSeat", &G::notvalid, "3+"},
    {"toomanySeat", &G::toomany, "5+"},
    {"formedwordSeat", &G::formedword, "3+cat+5+5+"},
    {"formedwordPoints", &G::formedword, "1+cat+x+5+"},
    {"stolenStealer", &G::stoldletter, "3+2+3+2+4+"},
    {"stolenVictim", &G::stoldletter, "1+9+3+2+4+"},
    {"stolenStealerCell", &G::stoldletter, "1+2+11+2+4+"},
    {"stolenVictimCell", &G::stoldletter, "1+2+3+0+4+"},
    {"stolenCode", &G::stoldletter, "1+2+3+2+27+"},
    {"boardSeat", &G::placetheletters, "1+5+6+3+5+6"},
    {"boardCell", &G::placetheletters, "1+5+6+1+11+6"},
    {"boardCode", &G::placetheletters, "1+5+6+2+5+27"},
    {"boardNoLetter", &G::placetheletters, "1+5+6+2+5+0"},
    {"boardHalfTriple", &G::placetheletters, "1+5+6+2+5"},
};
INSTANTIATE_TEST_SUITE_P(Fields, RefusedMessageTest, ::testing::ValuesIn(kRefused),
                         [](const auto &info) { return std::string(info.param.name); });

}  // namespace
