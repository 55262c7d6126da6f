// The board half fed with the host's message texts: captions, rows, the countdown,
// sounds by receiver, formed words, the winner and the tally.
#include "BoardFakes.h"
#include "WarningCounter.h"

#include "client/BoardHalf.h"
#include "client/BoardTile.h"
#include "net/Message.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class BoardHalfTest : public BoardFixture {
protected:
    QString text(const char *name) const
    {
        auto *label = panel.findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }

    // Everything the board shows or keeps, to compare before and after a message.
    QStringList boardState() const
    {
        QStringList state{QStringLiteral("%1 %2").arg(context.turnslot).arg(board->turntimer().isActive())};
        for (const QLabel *label : panel.findChildren<QLabel *>())
            state << label->text() + QString::number(label->isVisibleTo(&panel));
        for (const BoardTile *tile : panel.findChildren<BoardTile *>())
            state << QStringLiteral("%1 %2,%3").arg(tile->code()).arg(tile->x()).arg(tile->y());
        return state + sounds.sounds + chat.lines + tally.calls + boxes;
    }
};

// Names, scores and words come from the host or the settings file: never read as markup.
TEST_F(BoardHalfTest, EveryLabelTakesItsTextAsPlainText)
{
    for (const QLabel *label : panel.findChildren<QLabel *>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

TEST_F(BoardHalfTest, WindowCreationShowsEmptyBoardAndHiddenMarkers)
{
    EXPECT_EQ(text("label_score1"), QStringLiteral("0"));
    EXPECT_EQ(text("label_score2"), QStringLiteral("0"));
    EXPECT_EQ(context.turnslot, 0);
    EXPECT_EQ(board->secondsleft(), 0);
    EXPECT_FALSE(board->turntimer().isActive());
    EXPECT_FALSE(panel.findChild<QWidget *>(QStringLiteral("panel_winner"))->isVisibleTo(&panel));
    EXPECT_FALSE(board->startButton()->isVisibleTo(&panel));
    EXPECT_EQ(board->startButton()->text(), QStringLiteral("Start Game"));
    for (int seat = 1; seat <= 2; ++seat) {
        EXPECT_FALSE(board->turnMarker(seat)->isVisibleTo(&panel));
        EXPECT_FALSE(board->eyesMarker(seat)->isVisibleTo(&panel));
    }
    // The top word background takes the bottom one's picture.
    auto *back1 = panel.findChild<QLabel *>(QStringLiteral("wordback1"));
    auto *back2 = panel.findChild<QLabel *>(QStringLiteral("wordback2"));
    ASSERT_TRUE(back1 && back2);
    EXPECT_EQ(back1->pixmap().toImage(), back2->pixmap().toImage());
    EXPECT_EQ(back1->size(), QSize(406, 70));
}

TEST_F(BoardHalfTest, TilesStandAtTheirDesignedPlaces)
{
    for (int p = 1; p <= 10; ++p) {
        EXPECT_EQ(board->myletter(p)->geometry(), QRect(44 + 40 * (p - 1), 115, 41, 41)) << p;
        EXPECT_EQ(board->hisletter(p)->geometry(), QRect(45 + 40 * (p - 1), 32, 41, 41)) << p;
        EXPECT_EQ(board->myletter(p)->tag(), p);
        EXPECT_EQ(board->myletter(p)->objectName(), QStringLiteral("myletter%1").arg(p));
    }
    for (int e = 1; e <= 6; ++e)
        EXPECT_EQ(board->extra(e)->geometry(), QRect(104 + 48 * (e - 1), 173, 41, 41)) << e;
    EXPECT_EQ(board->myletter(0), nullptr);
    EXPECT_EQ(board->hisletter(11), nullptr);
    EXPECT_EQ(board->extra(7), nullptr);
}

TEST_F(BoardHalfTest, GameStartWritesSettingsCaptionsAndNotice)
{
    board->placemyletter(QStringLiteral("1+0+3+5+"));
    sounds.sounds.clear();
    board->startthegame(QStringLiteral("Ann+30+200+5+"));

    EXPECT_EQ(text("label_timeperturn"), QStringLiteral("Time per Turn: 30"));
    EXPECT_EQ(text("label_playtoscore"), QStringLiteral("Play to Score: 200"));
    EXPECT_EQ(text("label_steals"), QStringLiteral("# of Steals: 5"));
    EXPECT_EQ(text("label_status1"), QStringLiteral("Steals Left: 5"));
    EXPECT_EQ(text("label_status2"), QStringLiteral("Steal Left: 5"));
    EXPECT_EQ(text("label_mywords"), QStringLiteral("Your Words: (0)"));
    EXPECT_EQ(board->turnlength(), 30);
    EXPECT_EQ(board->barstep(), 6);
    ASSERT_FALSE(chat.lines.isEmpty());
    EXPECT_EQ(chat.lines.last(), QStringLiteral("0+Ann has started a game."));
    EXPECT_EQ(chat.colours.last(), QColor(27, 98, 131));
    EXPECT_EQ(board->myletter(3)->code(), 0);
    EXPECT_TRUE(sounds.sounds.isEmpty());
}

TEST_F(BoardHalfTest, GameStartWithUnlimitedStealsAndComputerInSeatTwo)
{
    board->setSeatName(2, QStringLiteral("<Waiting>"));
    context.justWatchChecked = true;
    QSignalSpy cleared(board.get(), &BoardHalf::justWatchCleared);
    board->startthegame(QStringLiteral("Ann+45+300+10000+"));

    EXPECT_EQ(text("label_steals"), QStringLiteral("# of Steals: Unlimited"));
    EXPECT_EQ(text("label_status1"), QStringLiteral("Steals Left: Unlimited"));
    EXPECT_EQ(text("label_status2"), QStringLiteral("Steals Left: Unlimited"));
    EXPECT_EQ(board->seatName(2), QStringLiteral("Vumi"));
    EXPECT_FALSE(context.justWatchChecked);
    EXPECT_EQ(cleared.count(), 1);
}

TEST_F(BoardHalfTest, GameStatsUsesLowerCaseScoreCaptionAndScoresAsReceived)
{
    board->gamestats(QStringLiteral("120+300+10000+12+7+"));
    EXPECT_EQ(text("label_playtoscore"), QStringLiteral("Play to score: 300"));
    EXPECT_EQ(text("label_timeperturn"), QStringLiteral("Time per Turn: 120"));
    EXPECT_EQ(text("label_steals"), QStringLiteral("# of Steals: Unlimited"));
    EXPECT_EQ(text("label_score1"), QStringLiteral("12"));
    EXPECT_EQ(text("label_score2"), QStringLiteral("7"));
    EXPECT_EQ(board->playtoscore(), 300);
    EXPECT_EQ(board->barstep(), 1);

    board->gamestats(QStringLiteral("30+200+3+0+0+"));
    EXPECT_EQ(text("label_steals"), QStringLiteral("# of Steals: 3"));
}

struct StealsRow {
    int stealsLeft;
    const char *shown;
};

class BoardStealsLeftTest : public BoardHalfTest, public ::testing::WithParamInterface<StealsRow> {};

TEST_P(BoardStealsLeftTest, TurnChangeRewritesTheMoversStealsLabel)
{
    board->startthegame(QStringLiteral("Ann+30+200+5+"));
    board->getnextplayer(QStringLiteral("2+%1+").arg(GetParam().stealsLeft));
    EXPECT_EQ(text("label_status2"), QString::fromLatin1(GetParam().shown));
    EXPECT_EQ(text("label_status1"), QStringLiteral("Steals Left: 5"));
}

INSTANTIATE_TEST_SUITE_P(Counts, BoardStealsLeftTest,
                         ::testing::Values(StealsRow{5, "Steals Left: 5"}, StealsRow{0, "Steals Left: 0"},
                                           StealsRow{100, "Steals Left: 100"},
                                           StealsRow{101, "Steals Left: Unlimited"},
                                           StealsRow{9998, "Steals Left: Unlimited"},
                                           StealsRow{-3, "Steals Left: 0"}));

TEST_F(BoardHalfTest, TurnChangeShowsMarkerStatusAndStartsTheClock)
{
    board->startthegame(QStringLiteral("Ann+30+200+5+"));
    board->getnextplayer(QStringLiteral("1+5+"));
    EXPECT_EQ(context.turnslot, 1);
    EXPECT_TRUE(board->turnMarker(1)->isVisibleTo(&panel));
    EXPECT_FALSE(board->turnMarker(2)->isVisibleTo(&panel));
    EXPECT_EQ(text("label_status"), QStringLiteral("Place a Letter"));
    EXPECT_TRUE(board->turntimer().isActive());
    EXPECT_EQ(board->secondsleft(), 30);

    board->getnextplayer(QStringLiteral("2+5+"));
    EXPECT_FALSE(board->turnMarker(1)->isVisibleTo(&panel));
    EXPECT_TRUE(board->turnMarker(2)->isVisibleTo(&panel));
    EXPECT_EQ(text("label_status"), QStringLiteral("Bob's turn."));
}

TEST_F(BoardHalfTest, TurnSoundFollowsTheChoice)
{
    board->getnextplayer(QStringLiteral("1+5+"));
    board->setTurnSoundChoice([] { return QStringLiteral("turnnew"); });
    board->getnextplayer(QStringLiteral("1+5+"));
    board->getnextplayer(QStringLiteral("2+5+"));
    EXPECT_EQ(sounds.sounds, (QStringList{QStringLiteral("start"), QStringLiteral("turnnew")}));
}

TEST_F(BoardHalfTest, CountdownOfThirtySecondsCaptionsBarAndTicks)
{
    board->startthegame(QStringLiteral("Ann+30+200+5+"));
    board->getnextplayer(QStringLiteral("2+5+"));
    auto *bar = panel.findChild<QLabel *>(QStringLiteral("image_timer"));
    ASSERT_TRUE(bar);

    board->processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 0:29"));
    EXPECT_EQ(bar->width(), 6 * 29);
    EXPECT_EQ(bar->x(), 128);  // anchored at the left edge
    EXPECT_EQ(bar->height(), 21);

    QList<int> tickedAt;
    for (int left = 28; left >= -3; --left) {
        sounds.sounds.clear();
        board->processturntime();
        if (sounds.sounds.contains(QStringLiteral("tick")))
            tickedAt.append(left);
    }
    EXPECT_EQ(tickedAt, (QList<int>{20, 15, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 0:00"));
    EXPECT_EQ(bar->width(), 0);
    EXPECT_TRUE(sender.requests.isEmpty());
}

TEST_F(BoardHalfTest, CountdownOfTwoMinutesLosesOnePixelASecond)
{
    board->gamestats(QStringLiteral("120+300+5+0+0+"));
    board->getnextplayer(QStringLiteral("1+5+"));
    board->processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 1:59"));
    EXPECT_EQ(panel.findChild<QLabel *>(QStringLiteral("image_timer"))->width(), 119);
    for (int i = 0; i < 54; ++i)
        board->processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 1:05"));
}

class BoardTurnLengthTest : public BoardHalfTest, public ::testing::WithParamInterface<int> {};

TEST_P(BoardTurnLengthTest, TurnLengthWithoutTimeLeavesAnEmptyBar)
{
    board->startthegame(QStringLiteral("Ann+%1+200+5+").arg(GetParam()));
    EXPECT_EQ(board->barstep(), 0);
    board->getnextplayer(QStringLiteral("1+5+"));
    board->processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 0:00"));
    EXPECT_EQ(panel.findChild<QLabel *>(QStringLiteral("image_timer"))->width(), 0);
    EXPECT_FALSE(sounds.sounds.contains(QStringLiteral("tick")));
}

INSTANTIATE_TEST_SUITE_P(ZeroOrNegative, BoardTurnLengthTest, ::testing::Values(0, -5));

// Sounds by message and by who receives it; the mover is slot 1 in every message.
struct SoundRow {
    const char *name;
    void (BoardHalf::*handler)(const QString &);
    const char *rest;
    const char *mover;
    const char *otherPlayer;
    const char *spectator;
};

class BoardSoundTableTest : public BoardHalfTest, public ::testing::WithParamInterface<SoundRow> {
protected:
    QString heardBy(int ownSlot)
    {
        context.ownSlot = ownSlot;
        sounds.sounds.clear();
        (board.get()->*GetParam().handler)(QString::fromLatin1(GetParam().rest));
        return sounds.sounds.join(QLatin1Char(','));
    }
};

TEST_P(BoardSoundTableTest, EachReceiverHearsItsSound)
{
    EXPECT_EQ(heardBy(1), QString::fromLatin1(GetParam().mover));
    EXPECT_EQ(heardBy(2), QString::fromLatin1(GetParam().otherPlayer));
    EXPECT_EQ(heardBy(3), QString::fromLatin1(GetParam().spectator));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, BoardSoundTableTest,
    ::testing::Values(SoundRow{"nextplayer", &BoardHalf::getnextplayer, "1+5+", "start", "", ""},
                      SoundRow{"placemyletter", &BoardHalf::placemyletter, "1+2+3+5+", "place", "", ""},
                      SoundRow{"tradingmyletter", &BoardHalf::tradingmyletter, "1+1+3+2+4+", "place", "place",
                               "place"},
                      SoundRow{"discardletter", &BoardHalf::discardletter, "1+3+", "clear", "", "clear"},
                      SoundRow{"discardextra", &BoardHalf::discardextra, "1+2+", "clear", "", ""},
                      SoundRow{"stoldletter", &BoardHalf::stoldletter, "1+2+3+4+5+", "roundover", "",
                               "roundover"},
                      SoundRow{"formedword", &BoardHalf::formedword, "1+cat+5+12+", "goodword", "", "goodword"},
                      SoundRow{"notvalid", &BoardHalf::notvalid, "1+", "badword", "", ""},
                      SoundRow{"toomany", &BoardHalf::toomany, "1+", "badword", "", ""},
                      SoundRow{"timeup", &BoardHalf::timeup, "", "", "", ""},
                      SoundRow{"winner", &BoardHalf::winner, "1+", "gameover", "gameover", "gameover"}),
    [](const ::testing::TestParamInfo<SoundRow> &info) { return std::string(info.param.name); });

TEST_F(BoardHalfTest, PlayerSeesOwnWordBelowAndOpponentAbove)
{
    context.ownSlot = 2;
    board->placemyletter(QStringLiteral("2+1+3+5+"));
    board->placemyletter(QStringLiteral("1+0+4+6+"));
    EXPECT_EQ(board->myletter(3)->code(), 5);
    EXPECT_EQ(board->hisletter(4)->code(), 6);
    EXPECT_EQ(board->myletter(4)->code(), 0);
}

TEST_F(BoardHalfTest, SpectatorSeesSlotOneBelowAndOnlyItsOwnExtras)
{
    context.ownSlot = 4;
    board->letters(QStringLiteral("4+1+5+2+6"));  // never sent to a spectator but slot 3
    board->placetheletters(QStringLiteral("1+1+8+2+2+9+1+10+26"));
    board->placemyletter(QStringLiteral("2+1+3+5+"));
    EXPECT_EQ(board->myletter(1)->code(), 8);
    EXPECT_EQ(board->myletter(10)->code(), 26);
    EXPECT_EQ(board->hisletter(2)->code(), 9);
    EXPECT_EQ(board->hisletter(3)->code(), 5);
    EXPECT_EQ(board->extra(1)->code(), 5);  // its own slot's letters are shown
    board->letters(QStringLiteral("3+1+7"));
    EXPECT_EQ(board->extra(1)->code(), 5);
}

TEST_F(BoardHalfTest, OwnExtrasArriveDrawnOverAndOthersAreIgnored)
{
    board->letters(QStringLiteral("1+1+5+2+7+3+9+4+1+5+26"));
    EXPECT_EQ(board->extra(1)->code(), 5);
    EXPECT_EQ(board->extra(5)->code(), 26);
    EXPECT_EQ(board->extra(6)->code(), 0);
    board->letters(QStringLiteral("2+1+3"));
    EXPECT_EQ(board->extra(1)->code(), 5);
    board->letters(QStringLiteral("1"));  // the slot alone: nothing to draw
    EXPECT_EQ(board->extra(2)->code(), 7);

    board->newletter(QStringLiteral("1+6+17+"));
    EXPECT_EQ(board->extra(6)->code(), 17);
    board->newletter(QStringLiteral("2+6+3+"));
    EXPECT_EQ(board->extra(6)->code(), 17);
    board->discardextra(QStringLiteral("1+6+"));
    EXPECT_EQ(board->extra(6)->code(), 0);
    board->placemyletter(QStringLiteral("1+2+4+7+"));
    EXPECT_EQ(board->extra(2)->code(), 0);
    EXPECT_EQ(board->myletter(4)->code(), 7);
}

TEST_F(BoardHalfTest, SwapDiscardAndStealFollowTheRows)
{
    board->placetheletters(QStringLiteral("1+1+3+1+2+1+2+5+20"));
    board->tradingmyletter(QStringLiteral("1+1+1+2+3+"));
    EXPECT_EQ(board->myletter(1)->code(), 1);
    EXPECT_EQ(board->myletter(2)->code(), 3);
    board->discardletter(QStringLiteral("1+2+"));
    EXPECT_EQ(board->myletter(2)->code(), 0);

    // Slot 1 steals slot 2's position 5 into its position 3.
    board->stoldletter(QStringLiteral("1+2+3+5+20+"));
    EXPECT_EQ(board->myletter(3)->code(), 20);
    EXPECT_EQ(board->hisletter(5)->code(), 0);

    // The opponent steals our position 1 into its position 7.
    board->stoldletter(QStringLiteral("2+1+7+1+1+"));
    EXPECT_EQ(board->hisletter(7)->code(), 1);
    EXPECT_EQ(board->myletter(1)->code(), 0);
}

TEST_F(BoardHalfTest, SpectatorSeesStealsOfSlotTwoInTheTopRow)
{
    context.ownSlot = 5;
    board->placetheletters(QStringLiteral("1+4+9"));
    board->stoldletter(QStringLiteral("2+1+3+4+9+"));
    EXPECT_EQ(board->hisletter(3)->code(), 9);
    EXPECT_EQ(board->myletter(4)->code(), 0);
}

TEST_F(BoardHalfTest, FormedWordsListNewestFirstWithNoticeAndTally)
{
    board->formedword(QStringLiteral("1+cat+5+5+"));
    board->formedword(QStringLiteral("1+quiz+12+17+"));
    board->formedword(QStringLiteral("2+dog+5+5+"));

    auto *list = panel.findChild<QListWidget *>(QStringLiteral("listbox_mywords"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("quiz : 12"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("cat : 5"));
    EXPECT_EQ(text("label_mywords"), QStringLiteral("Your Words: (2)"));
    EXPECT_EQ(text("label_score1"), QStringLiteral("17"));
    EXPECT_EQ(text("label_score2"), QStringLiteral("5"));
    EXPECT_TRUE(chat.lines.contains(QStringLiteral("0+For 12 points Ann formed QUIZ")));
    EXPECT_TRUE(chat.lines.contains(QStringLiteral("0+For 5 points Bob formed DOG")));
    // The fake tally's records stay at zero, so every word of the own seat beats them.
    EXPECT_TRUE(tally.calls.contains(QStringLiteral("addword cat 3 3")));
}

TEST_F(BoardHalfTest, TallyRecordsOnlyBetterWords)
{
    tally.longest = 4;
    tally.best = 10;
    board->formedword(QStringLiteral("1+cat+5+5+"));
    board->formedword(QStringLiteral("1+zebra+15+20+"));
    EXPECT_EQ(tally.calls, (QStringList{QStringLiteral("anotherword 7"), QStringLiteral("addword zebra 5 3"),
                                        QStringLiteral("addword zebra 15 5"), QStringLiteral("anotherword 7")}));
}

TEST_F(BoardHalfTest, WithoutTallyFormedWordsAndWinsStillShow)
{
    board->setTally(nullptr);
    board->formedword(QStringLiteral("1+cat+5+5+"));
    board->winner(QStringLiteral("1+"));
    EXPECT_EQ(text("label_mywords"), QStringLiteral("Your Words: (1)"));
    EXPECT_TRUE(panel.findChild<QWidget *>(QStringLiteral("panel_winner"))->isVisibleTo(&panel));
}

struct WinnerRow {
    int ownSlot;
    bool host;
    const char *tallyCall;  // empty: nothing recorded
};

class BoardWinnerTest : public BoardHalfTest, public ::testing::WithParamInterface<WinnerRow> {};

TEST_P(BoardWinnerTest, WinnerPanelNoticeTallyAndStartButton)
{
    context.ownSlot = GetParam().ownSlot;
    context.hostFlag = GetParam().host;
    board->startthegame(QStringLiteral("Ann+30+200+5+"));
    board->getnextplayer(QStringLiteral("1+5+"));
    board->winner(QStringLiteral("1+"));

    EXPECT_EQ(context.turnslot, 0);
    EXPECT_EQ(board->secondsleft(), 0);
    EXPECT_FALSE(board->turntimer().isActive());
    EXPECT_EQ(text("label_winner1"), QStringLiteral("Ann has won the game!"));
    EXPECT_EQ(text("label_winner2"), QStringLiteral("Ann has won the game!"));
    EXPECT_TRUE(panel.findChild<QWidget *>(QStringLiteral("panel_winner"))->isVisibleTo(&panel));
    EXPECT_EQ(chat.lines.last(), QStringLiteral("0+Ann has Won the Game!"));
    EXPECT_EQ(board->startButton()->isVisibleTo(&panel), GetParam().host);
    const QString expected = QString::fromLatin1(GetParam().tallyCall);
    EXPECT_EQ(tally.calls, expected.isEmpty() ? QStringList() : QStringList{expected});
    EXPECT_EQ(sounds.sounds.last(), QStringLiteral("gameover"));

    board->startthegame(QStringLiteral("Ann+30+200+5+"));
    EXPECT_FALSE(panel.findChild<QWidget *>(QStringLiteral("panel_winner"))->isVisibleTo(&panel));
    EXPECT_FALSE(board->startButton()->isVisibleTo(&panel));
}

INSTANTIATE_TEST_SUITE_P(Receivers, BoardWinnerTest,
                         ::testing::Values(WinnerRow{1, true, "addgame addtomine"}, WinnerRow{2, false, "addgame Ann"},
                                           WinnerRow{3, false, ""}));

TEST_F(BoardHalfTest, RefusedStealShowsBoxThenReleasesTheTile)
{
    board->hisletter(4)->move(board->hisletter(4)->x(), BoardHalf::kHisSelectedTop);
    board->selection().pickedhis = 4;
    board->notvalid(QStringLiteral("1+"));
    EXPECT_EQ(boxes, QStringList{QStringLiteral(
                         "You can steal a letter only if you can use it immediately to create a valid word.")});
    EXPECT_EQ(board->hisletter(4)->y(), BoardHalf::kHisTop);
    EXPECT_EQ(board->selection().pickedhis, 0);

    board->toomany(QStringLiteral("1+"));
    EXPECT_EQ(boxes.last(), QStringLiteral("You have used all your steals."));
    board->toomany(QStringLiteral("2+"));
    board->notvalid(QStringLiteral("2+"));
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_EQ(sounds.sounds, (QStringList{QStringLiteral("badword"), QStringLiteral("badword")}));
}

TEST_F(BoardHalfTest, TimeUpIsANoticeOnly)
{
    board->timeup(QString());
    EXPECT_EQ(chat.lines, QStringList{QStringLiteral("0+Time Up!")});
}

TEST_F(BoardHalfTest, SeatTwoSeesItsOwnSetAtTheBottomAfterTheSwap)
{
    context.ownSlot = 2;
    QLabel *bottomName = board->nameLabel(1);
    board->switchlabels();
    EXPECT_EQ(board->nameLabel(2), bottomName);
    EXPECT_EQ(bottomName->objectName(), QStringLiteral("label_playername2"));
    EXPECT_EQ(bottomName->property("tag").toInt(), 2);
    EXPECT_EQ(panel.findChild<QLabel *>(QStringLiteral("label_score2")), board->scoreLabel(2));
    EXPECT_EQ(panel.findChild<QLabel *>(QStringLiteral("image_Turn1")), board->turnMarker(1));

    board->formedword(QStringLiteral("2+quiz+12+30+"));
    EXPECT_EQ(board->scoreLabel(2)->text(), QStringLiteral("30"));
    EXPECT_GT(board->scoreLabel(2)->y(), board->scoreLabel(1)->y());
    board->placemyletter(QStringLiteral("2+0+1+17+"));
    EXPECT_EQ(board->myletter(1)->code(), 17);
    board->getnextplayer(QStringLiteral("2+4+"));
    EXPECT_GT(board->turnMarker(2)->y(), board->turnMarker(1)->y());
    EXPECT_EQ(board->statusLabel(2)->text(), QStringLiteral("Steals Left: 4"));
    EXPECT_GT(board->statusLabel(2)->y(), board->statusLabel(1)->y());
}

TEST_F(BoardHalfTest, SeatNameControlsShowNamesAndEyes)
{
    board->nameLabel(2)->hide();
    board->setSeatName(2, QStringLiteral("Cy"));
    EXPECT_EQ(board->seatName(2), QStringLiteral("Cy"));
    EXPECT_TRUE(board->nameLabel(2)->isVisibleTo(&panel));
    board->setEyesVisible(1, true);
    EXPECT_TRUE(board->eyesMarker(1)->isVisibleTo(&panel));
    board->setEyesVisible(7, true);  // no such seat: nothing happens
    EXPECT_EQ(board->seatName(7), QString());
}

TEST_F(BoardHalfTest, StartButtonNeedsALogin)
{
    QWidget dialog;
    board->setGameStartDialog(&dialog);
    context.loggedIn = false;
    board->button_startClick();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("You are not connected")});
    EXPECT_FALSE(dialog.isVisible());
    context.loggedIn = true;
    board->button_startClick();
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(BoardHalfTest, MalformedFieldsStopTheHandlerWithoutDamage)
{
    EXPECT_THROW(board->placemyletter(QStringLiteral("1+x+3+5+")), net::ConversionError);
    EXPECT_THROW(board->letters(QStringLiteral("1+1+5+2")), net::ConversionError);
    EXPECT_EQ(board->extra(1)->code(), 0);  // not even the pair before the bad field
    EXPECT_THROW(board->getnextplayer(QStringLiteral("")), net::ConversionError);
}

// One row per message and number: a slot, seat, position or letter code outside what the
// message allows (the own slot is 1).
struct OutOfRangeRow {
    const char *name;
    void (BoardHalf::*handler)(const QString &);
    const char *rest;
};

void PrintTo(const OutOfRangeRow &row, std::ostream *out) { *out << row.rest; }

class BoardOutOfRangeTest : public BoardHalfTest, public ::testing::WithParamInterface<OutOfRangeRow> {};

TEST_P(BoardOutOfRangeTest, MessageIsIgnoredWholeWithAWarning)
{
    board->startthegame(QStringLiteral("Ann+30+200+5+"));
    board->letters(QStringLiteral("1+1+5+2+7"));
    board->placetheletters(QStringLiteral("1+1+3+2+2+4"));
    board->getnextplayer(QStringLiteral("1+5+"));
    board->extra(2)->move(board->extra(2)->x(), BoardHalf::kExtraSelectedTop);  // a reset would show
    const QStringList before = boardState();

    WarningCounter warnings("quarn.board");
    (board.get()->*GetParam().handler)(QString::fromLatin1(GetParam().rest));
    EXPECT_EQ(boardState(), before);
    EXPECT_EQ(warnings.count(), 1);
}

using B = BoardHalf;
const OutOfRangeRow kOutOfRange[] = {
    {"nextplayerSeat", &B::getnextplayer, "5+0+"},             {"winnerSeat", &B::winner, "3+"},
    {"lettersSlot", &B::letters, "10+1+5"},                    {"lettersExtra", &B::letters, "1+3+5+7+6"},
    {"lettersCode", &B::letters, "1+3+5+4+27"},                {"newletterSeat", &B::newletter, "3+3+5+"},
    {"newletterExtra", &B::newletter, "1+0+5+"},               {"newletterCode", &B::newletter, "1+3+-1+"},
    {"placemyletterSeat", &B::placemyletter, "4+1+3+5+"},      {"placemyletterExtra", &B::placemyletter, "1+7+3+5+"},
    {"placemyletterCell", &B::placemyletter, "1+1+11+5+"},     {"placemyletterCode", &B::placemyletter, "1+1+3+27+"},
    {"discardextraSeat", &B::discardextra, "0+1+"},            {"discardextraExtra", &B::discardextra, "1+7+"},
    {"discardletterSeat", &B::discardletter, "3+1+"},          {"discardletterCell", &B::discardletter, "1+0+"},
    {"tradingSeat", &B::tradingmyletter, "3+1+3+2+4+"},        {"tradingFirstCell", &B::tradingmyletter, "1+11+3+2+4+"},
    {"tradingFirstCode", &B::tradingmyletter, "1+1+27+2+4+"},  {"tradingSecondCell", &B::tradingmyletter, "1+1+3+0+4+"},
    {"tradingSecondCode", &B::tradingmyletter, "1+1+3+2+-4+"}, {"notvalidSeat", &B::notvalid, "3+"},
    {"toomanySeat", &B::toomany, "5+"},                        {"formedwordSeat", &B::formedword, "3+cat+5+5+"},
    {"stolenStealer", &B::stoldletter, "3+2+3+2+4+"},          {"stolenVictim", &B::stoldletter, "1+9+3+2+4+"},
    {"stolenStealerCell", &B::stoldletter, "1+2+11+2+4+"},     {"stolenVictimCell", &B::stoldletter, "1+2+3+0+4+"},
    {"stolenCode", &B::stoldletter, "1+2+3+2+27+"},            {"boardSeat", &B::placetheletters, "1+5+6+3+5+6"},
    {"boardCell", &B::placetheletters, "1+5+6+1+11+6"},        {"boardCode", &B::placetheletters, "1+5+6+2+5+27"},
};
INSTANTIATE_TEST_SUITE_P(Fields, BoardOutOfRangeTest, ::testing::ValuesIn(kOutOfRange),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
