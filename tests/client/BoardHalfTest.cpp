// The board view drawing the client's game: its controls at their designed places, the
// captions, the rows each participant sees, the countdown's caption and bar, the words
// list, the winner panel, the Start button, raised tiles and the boxes. The game's own
// rules are tested on the game alone (tests/client_model).
#include "BoardFakes.h"

#include "client/BoardHalf.h"
#include "client/BoardTile.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class BoardHalfTest : public BoardFixture {
protected:
    QString text(const char *name) const
    {
        auto *label = panel.findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }

    bool shown(const char *name) const
    {
        auto *control = panel.findChild<QWidget *>(QLatin1String(name));
        return control && control->isVisibleTo(&panel);
    }

    QLabel *timeBar() const { return panel.findChild<QLabel *>(QStringLiteral("image_timer")); }
};

// Names, scores and words come from the host or the settings file: never read as markup.
TEST_F(BoardHalfTest, EveryLabelTakesItsTextAsPlainText)
{
    game.setSeatName(2, QStringLiteral("<b>Bob</b>"));
    game.formedword(QStringLiteral("1+<i>cat</i>+5+5+"));
    game.winner(QStringLiteral("2+"));
    for (const QLabel *label : panel.findChildren<QLabel *>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    EXPECT_EQ(text("label_winner1"), QStringLiteral("<b>Bob</b> has won the game!"));
}

TEST_F(BoardHalfTest, WindowCreationShowsEmptyBoardAndHiddenMarkers)
{
    EXPECT_EQ(board->nameLabel(1)->text(), QStringLiteral("Ann"));
    EXPECT_EQ(board->nameLabel(2)->text(), QStringLiteral("Bob"));
    EXPECT_EQ(text("label_score1"), QStringLiteral("0"));
    EXPECT_EQ(text("label_score2"), QStringLiteral("0"));
    EXPECT_EQ(text("label_status1"), QString());
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 0:00"));
    EXPECT_EQ(timeBar()->width(), BoardHalf::kBarWidth);
    EXPECT_FALSE(shown("panel_winner"));
    // Slot 1 leads the game: the Start button is offered before the first game.
    EXPECT_TRUE(board->startButton()->isVisibleTo(&panel));
    EXPECT_EQ(board->startButton()->text(), QStringLiteral("Start Game"));
    for (int seat = 1; seat <= 2; ++seat) {
        EXPECT_FALSE(board->turnMarker(seat)->isVisibleTo(&panel));
        EXPECT_FALSE(board->eyesMarker(seat)->isVisibleTo(&panel));
    }
    EXPECT_EQ(board->nameLabel(7), nullptr);
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
        EXPECT_EQ(board->ownTile(p)->geometry(), QRect(44 + 40 * (p - 1), 115, 41, 41)) << p;
        EXPECT_EQ(board->opponentTile(p)->geometry(), QRect(45 + 40 * (p - 1), 32, 41, 41)) << p;
        EXPECT_EQ(board->ownTile(p)->tag(), p);
        EXPECT_EQ(board->ownTile(p)->objectName(), QStringLiteral("myletter%1").arg(p));
    }
    for (int e = 1; e <= 6; ++e)
        EXPECT_EQ(board->extraTile(e)->geometry(), QRect(104 + 48 * (e - 1), 173, 41, 41)) << e;
    EXPECT_EQ(board->ownTile(0), nullptr);
    EXPECT_EQ(board->opponentTile(11), nullptr);
    EXPECT_EQ(board->extraTile(7), nullptr);
}

TEST_F(BoardHalfTest, CaptionsShowANewGamesSettingsUntilAGameStartsAndThenItsSettings)
{
    // The game start dialog offers the same values before anything is chosen.
    EXPECT_EQ(text("label_playtoscore"), QStringLiteral("Play to Score: 200"));
    EXPECT_EQ(text("label_timeperturn"), QStringLiteral("Time per Turn: 30 "));
    EXPECT_EQ(text("label_steals"), QStringLiteral("# of Steals: 5"));
    EXPECT_EQ(text("label_mywords"), QStringLiteral("Your Words"));

    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    EXPECT_EQ(text("label_timeperturn"), QStringLiteral("Time per Turn: 30"));
    EXPECT_EQ(text("label_playtoscore"), QStringLiteral("Play to Score: 200"));
    EXPECT_EQ(text("label_steals"), QStringLiteral("# of Steals: 5"));
    EXPECT_EQ(text("label_status1"), QStringLiteral("Steals Left: 5"));
    EXPECT_EQ(text("label_status2"), QStringLiteral("Steal Left: 5"));
    EXPECT_EQ(text("label_mywords"), QStringLiteral("Your Words: (0)"));

    game.gamestats(QStringLiteral("120+300+10000+12+7+"));
    EXPECT_EQ(text("label_playtoscore"), QStringLiteral("Play to score: 300"));
    EXPECT_EQ(text("label_timeperturn"), QStringLiteral("Time per Turn: 120"));
    EXPECT_EQ(text("label_steals"), QStringLiteral("# of Steals: Unlimited"));
    EXPECT_EQ(text("label_score1"), QStringLiteral("12"));
    EXPECT_EQ(text("label_score2"), QStringLiteral("7"));
}

// Captions that come from the host fit their labels: smaller type for the settings, an
// ellipsis (and the whole text as a tip) for a name.
TEST_F(BoardHalfTest, LongCaptionsStayInsideTheirLabels)
{
    game.startthegame(QStringLiteral("Ann+30+200+10000+"));
    QLabel *steals = panel.findChild<QLabel *>(QStringLiteral("label_steals"));
    EXPECT_EQ(steals->text(), QStringLiteral("# of Steals: Unlimited"));
    EXPECT_LE(steals->fontMetrics().horizontalAdvance(steals->text()), steals->width());

    const QString longName(32, u'W');
    game.setSeatName(2, longName);
    QLabel *name = board->nameLabel(2);
    EXPECT_TRUE(name->text().endsWith(QChar(0x2026))) << name->text().toStdString();
    EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()), name->width());
    EXPECT_EQ(name->toolTip(), longName);
    game.setSeatName(2, QStringLiteral("Bob"));
    EXPECT_EQ(name->text(), QStringLiteral("Bob"));
    EXPECT_TRUE(name->toolTip().isEmpty());
}

TEST_F(BoardHalfTest, TurnChangeShowsMarkerAndStatusUntilTheNextGame)
{
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    game.getnextplayer(QStringLiteral("1+5+"));
    EXPECT_TRUE(board->turnMarker(1)->isVisibleTo(&panel));
    EXPECT_FALSE(board->turnMarker(2)->isVisibleTo(&panel));
    EXPECT_EQ(text("label_status"), QStringLiteral("Place a Letter"));

    game.getnextplayer(QStringLiteral("2+101+"));
    EXPECT_FALSE(board->turnMarker(1)->isVisibleTo(&panel));
    EXPECT_TRUE(board->turnMarker(2)->isVisibleTo(&panel));
    EXPECT_EQ(text("label_status"), QStringLiteral("Bob's turn."));
    EXPECT_EQ(board->statusLabel(2)->text(), QStringLiteral("Steals Left: Unlimited"));
    EXPECT_EQ(board->statusLabel(1)->text(), QStringLiteral("Steals Left: 5"));

    // A won game has no turn: neither marker nor status until the next turn change.
    game.winner(QStringLiteral("2+"));
    EXPECT_FALSE(board->turnMarker(2)->isVisibleTo(&panel));
    EXPECT_EQ(text("label_status"), QString());
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    EXPECT_FALSE(board->turnMarker(2)->isVisibleTo(&panel));
    EXPECT_EQ(text("label_status"), QString());
    game.getnextplayer(QStringLiteral("1+5+"));
    EXPECT_TRUE(board->turnMarker(1)->isVisibleTo(&panel));
}

TEST_F(BoardHalfTest, CountdownOfThirtySecondsDrawsCaptionAndBar)
{
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    game.getnextplayer(QStringLiteral("2+5+"));
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 0:00")) << "nothing drawn before the first tick";
    game.processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 0:29"));
    EXPECT_EQ(timeBar()->width(), 6 * 29);
    EXPECT_EQ(timeBar()->x(), 128);  // anchored at the left edge
    EXPECT_EQ(timeBar()->height(), 21);
    while (game.secondsLeft() > -3)
        game.processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 0:00"));
    EXPECT_EQ(timeBar()->width(), 0);
}

TEST_F(BoardHalfTest, CountdownOfTwoMinutesLosesOnePixelASecond)
{
    game.gamestats(QStringLiteral("120+300+5+0+0+"));
    game.getnextplayer(QStringLiteral("1+5+"));
    game.processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 1:59"));
    EXPECT_EQ(timeBar()->width(), 119);
    for (int i = 0; i < 54; ++i)
        game.processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 1:05"));
}

class BoardTurnLengthTest : public BoardHalfTest, public ::testing::WithParamInterface<int> { };

TEST_P(BoardTurnLengthTest, TurnLengthWithoutTimeLeavesAnEmptyBar)
{
    game.startthegame(QStringLiteral("Ann+%1+200+5+").arg(GetParam()));
    game.getnextplayer(QStringLiteral("1+5+"));
    game.processturntime();
    EXPECT_EQ(text("label_turntime"), QStringLiteral("Time: 0:00"));
    EXPECT_EQ(timeBar()->width(), 0);
}

INSTANTIATE_TEST_SUITE_P(ZeroOrNegative, BoardTurnLengthTest, ::testing::Values(0, -5));

// Each participant's rows: a player's own seat at the bottom, seat 1 there for a spectator.
struct RowsRow {
    const char *name;
    int ownSlot;
    int bottomSeat;
};

class BoardRowsTest : public BoardHalfTest, public ::testing::WithParamInterface<RowsRow> { };

TEST_P(BoardRowsTest, BottomRowAndItsSeatControlsShowTheParticipantsSeat)
{
    // Letters drawn before the login move with it.
    game.placetheletters(QStringLiteral("1+1+8+2+2+9"));
    game.logIn(GetParam().ownSlot);
    game.placemyletter(QStringLiteral("2+1+3+5+"));
    game.stoldletter(QStringLiteral("1+2+4+5+17+"));
    game.formedword(QStringLiteral("2+quiz+12+30+"));
    game.getnextplayer(QStringLiteral("2+4+"));
    game.setJustWatching(2, true);

    const int bottom = GetParam().bottomSeat;
    const int top = 3 - bottom;
    EXPECT_EQ(board->seatShownIn(BoardHalf::Row::Bottom), bottom);
    EXPECT_EQ(board->rowOf(top), BoardHalf::Row::Top);
    const auto row = [this](int seat, int p) {
        return board->rowOf(seat) == BoardHalf::Row::Bottom ? board->ownTile(p)->code()
                                                            : board->opponentTile(p)->code();
    };
    EXPECT_EQ(row(1, 1), 8);
    EXPECT_EQ(row(2, 2), 9);
    EXPECT_EQ(row(2, 3), 5);
    EXPECT_EQ(row(1, 4), 17);
    EXPECT_EQ(row(2, 5), 0);
    EXPECT_EQ(board->ownTile(1)->code(), bottom == 1 ? 8 : 0);

    EXPECT_EQ(board->nameLabelIn(BoardHalf::Row::Bottom), board->nameLabel(bottom));
    EXPECT_EQ(board->nameLabel(bottom)->text(), bottom == 1 ? QStringLiteral("Ann") : QStringLiteral("Bob"));
    EXPECT_GT(board->nameLabel(bottom)->y(), board->nameLabel(top)->y());
    EXPECT_GT(board->scoreLabel(bottom)->y(), board->scoreLabel(top)->y());
    EXPECT_EQ(board->scoreLabel(2)->text(), QStringLiteral("30"));
    EXPECT_EQ(board->statusLabel(2)->text(), QStringLiteral("Steals Left: 4"));
    EXPECT_GT(board->statusLabel(bottom)->y(), board->statusLabel(top)->y());
    EXPECT_TRUE(board->turnMarker(2)->isVisibleTo(&panel));
    EXPECT_FALSE(board->turnMarker(1)->isVisibleTo(&panel));
    EXPECT_GT(board->turnMarker(bottom)->y(), board->turnMarker(top)->y());
    EXPECT_TRUE(board->eyesMarker(2)->isVisibleTo(&panel));
    EXPECT_FALSE(board->eyesMarker(1)->isVisibleTo(&panel));
    EXPECT_GT(board->eyesMarker(bottom)->y(), board->eyesMarker(top)->y());
}

INSTANTIATE_TEST_SUITE_P(Participants, BoardRowsTest,
                         ::testing::Values(RowsRow{"seatOne", 1, 1}, RowsRow{"seatTwo", 2, 2},
                                           RowsRow{"spectator", 4, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(BoardHalfTest, OwnExtrasAreDrawnAsTheyCome)
{
    game.letters(QStringLiteral("1+1+5+2+7+6+26"));
    EXPECT_EQ(board->extraTile(1)->code(), 5);
    EXPECT_EQ(board->extraTile(2)->code(), 7);
    EXPECT_EQ(board->extraTile(3)->code(), 0);
    EXPECT_EQ(board->extraTile(6)->code(), 26);
    game.placemyletter(QStringLiteral("1+2+4+7+"));
    EXPECT_EQ(board->extraTile(2)->code(), 0);
    EXPECT_EQ(board->ownTile(4)->code(), 7);
}

TEST_F(BoardHalfTest, FormedWordsListNewestFirst)
{
    game.formedword(QStringLiteral("1+cat+5+5+"));
    game.formedword(QStringLiteral("1+quiz+12+17+"));
    game.formedword(QStringLiteral("2+dog+5+5+"));

    auto *list = panel.findChild<QListWidget *>(QStringLiteral("listbox_mywords"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("quiz : 12"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("cat : 5"));
    EXPECT_EQ(text("label_mywords"), QStringLiteral("Your Words: (2)"));
    EXPECT_EQ(text("label_score1"), QStringLiteral("17"));
    EXPECT_EQ(text("label_score2"), QStringLiteral("5"));

    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(text("label_score1"), QStringLiteral("0"));
}

struct WinnerRow {
    int ownSlot;
    bool host;
};

class BoardWinnerTest : public BoardHalfTest, public ::testing::WithParamInterface<WinnerRow> { };

TEST_P(BoardWinnerTest, WinnerPanelAndTheHostsStartButton)
{
    game.logIn(GetParam().ownSlot);
    if (GetParam().host)
        game.setHosting();
    EXPECT_EQ(board->startButton()->isVisibleTo(&panel), GetParam().host) << "offered before the first game";
    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    EXPECT_FALSE(board->startButton()->isVisibleTo(&panel));
    game.getnextplayer(QStringLiteral("1+5+"));
    game.winner(QStringLiteral("1+"));

    EXPECT_EQ(text("label_winner1"), QStringLiteral("Ann has won the game!"));
    EXPECT_EQ(text("label_winner2"), QStringLiteral("Ann has won the game!"));
    EXPECT_TRUE(shown("panel_winner"));
    EXPECT_EQ(board->startButton()->isVisibleTo(&panel), GetParam().host);
    EXPECT_EQ(text("label_status"), QString()) << "no \"Place a Letter\" after the winner's last turn";
    EXPECT_FALSE(board->turnMarker(1)->isVisibleTo(&panel));

    game.startthegame(QStringLiteral("Ann+30+200+5+"));
    EXPECT_FALSE(shown("panel_winner"));
    EXPECT_FALSE(board->startButton()->isVisibleTo(&panel));
}

INSTANTIATE_TEST_SUITE_P(Receivers, BoardWinnerTest,
                         ::testing::Values(WinnerRow{1, true}, WinnerRow{2, false}, WinnerRow{3, false},
                                           WinnerRow{2, true}));

TEST_F(BoardHalfTest, RaisedTilesAreDrawnFromTheSelection)
{
    TileSelection selection;
    selection.setRaised(TileKind::Extra, 2, true);
    selection.setRaised(TileKind::Own, 3, true);
    selection.setRaised(TileKind::Own, 7, true);
    selection.setRaised(TileKind::Opponent, 4, true);
    game.setSelection(selection);
    for (int p = 1; p <= 10; ++p) {
        EXPECT_EQ(board->ownTile(p)->y(), p == 3 || p == 7 ? BoardHalf::kOwnSelectedTop : BoardHalf::kOwnTop) << p;
        EXPECT_EQ(board->opponentTile(p)->y(), p == 4 ? BoardHalf::kOpponentSelectedTop : BoardHalf::kOpponentTop) << p;
        EXPECT_EQ(board->ownTile(p)->x(), 44 + 40 * (p - 1));
    }
    for (int e = 1; e <= 6; ++e)
        EXPECT_EQ(board->extraTile(e)->y(), e == 2 ? BoardHalf::kExtraSelectedTop : BoardHalf::kExtraTop) << e;

    game.resettiles();
    EXPECT_EQ(board->ownTile(3)->y(), BoardHalf::kOwnTop);
    EXPECT_EQ(board->opponentTile(4)->y(), BoardHalf::kOpponentTop);
    EXPECT_EQ(board->extraTile(2)->y(), BoardHalf::kExtraTop);
}

TEST_F(BoardHalfTest, RefusedStealShowsItsBoxThroughTheView)
{
    game.notvalid(QStringLiteral("1+"));
    EXPECT_EQ(boxes,
              QStringList{
                  QStringLiteral("You can steal a letter only if you can use it immediately to create a valid word.")});
    EXPECT_EQ(sounds.sounds, QStringList{QStringLiteral("badword")});

    // Once the view is gone, the game's boxes count as seen at once.
    board.reset();
    game.toomany(QStringLiteral("1+"));
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(sounds.sounds.size(), 2);
}

TEST_F(BoardHalfTest, StartButtonNeedsALogin)
{
    ClientGame offline;
    QWidget otherPanel;
    BoardHalf view(&otherPanel, offline, sender);
    QStringList shownBoxes;
    view.setMessageBoxHook([&](const QString &text, std::function<void()>) { shownBoxes.append(text); });
    QWidget dialog;
    view.setGameStartDialog(&dialog);
    view.openGameStart();
    EXPECT_EQ(shownBoxes, QStringList{QStringLiteral("You are not connected")});
    EXPECT_FALSE(dialog.isVisible());

    board->setGameStartDialog(&dialog);
    board->openGameStart();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(BoardHalfTest, SeatNamesAndEyesFollowTheGame)
{
    game.setSeatName(2, QStringLiteral("Cy"));
    EXPECT_EQ(board->nameLabel(2)->text(), QStringLiteral("Cy"));
    game.setJustWatching(1, true);
    EXPECT_TRUE(board->eyesMarker(1)->isVisibleTo(&panel));
    EXPECT_EQ(board->eyesMarker(1)->toolTip(), QStringLiteral("Just watching"));
    game.seatLeft(2);
    EXPECT_EQ(board->nameLabel(2)->text(), QStringLiteral("Vumi"));
}

}  // namespace
