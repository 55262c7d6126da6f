// The keyboard input on the game alone: each key sequence sends exactly the request of
// the clicks it stands for and leaves their picks; the cursor moves over the three rows
// and stops at their ends; keys that are not the board's are left to the window.
#include "ModelFakes.h"

#include "client/model/ClientGame.h"
#include "client/model/KeyboardInput.h"
#include "client/model/TileInput.h"
#include "net/Catalogue.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Press = KeyboardInput::KeyPress;

Press key(Qt::Key code, const char *text = "", Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return Press{code, modifiers, QString::fromLatin1(text), 0};
}
Press shifted(Qt::Key code, const char *text)
{
    return key(code, text, Qt::ShiftModifier);
}

class KeyboardInputTest : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        // Extras c e a e t and an empty sixth; Ann's turn.
        game.letters(QStringLiteral("1+1+3+2+5+3+1+4+5+5+20+"));
        game.getnextplayer(QStringLiteral("1+5+"));
    }

    void type(const std::vector<Press> &presses)
    {
        for (const Press &press : presses)
            EXPECT_TRUE(keys.keyPress(press)) << press.key;
    }

    RequestRecorder sender;
    TileInput input{game, sender};
    KeyboardInput keys{game, input};
};

struct KeysRow {
    const char *name;
    std::vector<Press> presses;
    QList<QByteArray> sent;
    int pickedExtra;
    int pickedOwn;
    int pickedOpponent;
};

class KeySequenceTest : public KeyboardInputTest, public ::testing::WithParamInterface<KeysRow> { };

TEST_P(KeySequenceTest, KeysSendTheRequestOfTheClicksTheyStandFor)
{
    type(GetParam().presses);
    EXPECT_EQ(sender.requests, GetParam().sent);
    EXPECT_EQ(game.selection().pickedExtra, GetParam().pickedExtra);
    EXPECT_EQ(game.selection().pickedOwn, GetParam().pickedOwn);
    EXPECT_EQ(game.selection().pickedOpponent, GetParam().pickedOpponent);
}

using net::toHost::discardextra;
using net::toHost::discardletter;
using net::toHost::placemyletter;
using net::toHost::stealinghisletter;
using net::toHost::tradingmyletter;

const Press kE = key(Qt::Key_E, "e");

INSTANTIATE_TEST_SUITE_P(
    Table, KeySequenceTest,
    ::testing::Values(
        KeysRow{"letterPicksTheFirstExtraHoldingIt", {kE}, {}, 2, 0, 0},
        KeysRow{"capitalLetterToo", {shifted(Qt::Key_A, "A")}, {}, 3, 0, 0},
        KeysRow{"letterAgainPicksItsNextExtra", {kE, kE}, {}, 4, 0, 0},
        KeysRow{"letterAgainAfterItsLastExtraWrapsRound", {kE, kE, kE}, {}, 2, 0, 0},
        KeysRow{"letterHeldOnceIsPutBack", {key(Qt::Key_C, "c"), key(Qt::Key_C, "c")}, {}, 0, 0, 0},
        KeysRow{"letterNotHeldDoesNothing", {key(Qt::Key_Z, "z")}, {}, 0, 0, 0},
        KeysRow{"letterThenDigitPlaces", {kE, key(Qt::Key_5, "5")}, {placemyletter(1, 2, 5)}, 0, 0, 0},
        KeysRow{"zeroIsCellTen", {kE, key(Qt::Key_0, "0")}, {placemyletter(1, 2, 10)}, 0, 0, 0},
        KeysRow{"keypadDigit", {kE, key(Qt::Key_7, "7", Qt::KeypadModifier)}, {placemyletter(1, 2, 7)}, 0, 0, 0},
        KeysRow{"digitPicksAnOwnCell", {key(Qt::Key_3, "3")}, {}, 0, 3, 0},
        KeysRow{"twoDigitsSwap", {key(Qt::Key_3, "3"), key(Qt::Key_7, "7")}, {tradingmyletter(1, 3, 7)}, 0, 0, 0},
        KeysRow{"shiftDigitThenDigitSteals",
                {shifted(Qt::Key_1, "1"), key(Qt::Key_6, "6")},
                {stealinghisletter(1, 1, 6)},
                0,
                0,
                0},
        KeysRow{"exclamationMarkIsShiftOne",
                {key(Qt::Key_Exclam, "!"), key(Qt::Key_6, "6")},
                {stealinghisletter(1, 1, 6)},
                0,
                0,
                0},
        KeysRow{"shiftedSymbolWithoutText", {key(Qt::Key_ParenRight, "", Qt::ShiftModifier)}, {}, 0, 0, 10},
        KeysRow{"shiftDigitPicksWithoutSending", {shifted(Qt::Key_4, "$")}, {}, 0, 0, 4},
        KeysRow{"deleteDiscardsThePickedExtra", {kE, key(Qt::Key_Delete)}, {discardextra(1, 2)}, 2, 0, 0},
        KeysRow{
            "deleteDiscardsThePickedCell", {key(Qt::Key_4, "4"), key(Qt::Key_Delete)}, {discardletter(1, 4)}, 0, 4, 0},
        KeysRow{"deleteWithoutAPickDoesNothing", {key(Qt::Key_Delete)}, {}, 0, 0, 0},
        KeysRow{"deleteNeverDiscardsTheOpponents", {shifted(Qt::Key_2, "@"), key(Qt::Key_Delete)}, {}, 0, 0, 2},
        KeysRow{"escapeDropsThePick", {kE, key(Qt::Key_Escape)}, {}, 0, 0, 0},
        KeysRow{"escapeDropsAnOpponentPick", {shifted(Qt::Key_2, "@"), key(Qt::Key_Escape)}, {}, 0, 0, 0},
        // The cursor starts on extra 1; extras lie under cells 3 to 8.
        KeysRow{"arrowsAndEnterPlace",
                {key(Qt::Key_Right), key(Qt::Key_Return), key(Qt::Key_Up), key(Qt::Key_Enter)},
                {placemyletter(1, 2, 4)},
                0,
                0,
                0},
        KeysRow{"arrowsAndEnterSteal",
                {key(Qt::Key_Up), key(Qt::Key_Up), key(Qt::Key_Return), key(Qt::Key_Down), key(Qt::Key_Left),
                 key(Qt::Key_Return)},
                {stealinghisletter(1, 3, 2)},
                0,
                0,
                0},
        KeysRow{"enterOnThePickedExtraPutsItBack", {kE, key(Qt::Key_Return)}, {}, 0, 0, 0}),
    [](const ::testing::TestParamInfo<KeysRow> &info) { return std::string(info.param.name); });

TEST_F(KeyboardInputTest, KeysOfTheMenusAndTheFocusAreLeftToTheWindow)
{
    for (const Press &press : {key(Qt::Key_Tab), key(Qt::Key_F6), key(Qt::Key_E, "e", Qt::ControlModifier),
                               key(Qt::Key_1, "1", Qt::AltModifier), key(Qt::Key_Space, " ")})
        EXPECT_FALSE(keys.keyPress(press)) << press.key;
    EXPECT_TRUE(sender.requests.isEmpty());
    EXPECT_EQ(game.selection(), TileSelection());
}

struct CursorRow {
    const char *name;
    std::vector<Press> presses;
    TileKind kind;
    int position;
};

class CursorTest : public KeyboardInputTest, public ::testing::WithParamInterface<CursorRow> { };

TEST_P(CursorTest, TheCursorStandsOnTheTileTheLastKeyNamed)
{
    type(GetParam().presses);
    EXPECT_EQ(keys.cursor(), (KeyboardInput::Cursor{GetParam().kind, GetParam().position}));
}

INSTANTIATE_TEST_SUITE_P(
    Moves, CursorTest,
    ::testing::Values(
        CursorRow{"startsOnTheFirstExtra", {}, TileKind::Extra, 1},
        CursorRow{"letterGoesToItsExtra", {kE, kE}, TileKind::Extra, 4},
        CursorRow{"digitGoesToTheOwnCell", {key(Qt::Key_0, "0")}, TileKind::Own, 10},
        CursorRow{"shiftDigitGoesToTheOpponentCell", {key(Qt::Key_Exclam, "!")}, TileKind::Opponent, 1},
        CursorRow{"leftStopsAtTheStart", {key(Qt::Key_Left)}, TileKind::Extra, 1},
        CursorRow{"rightStopsAtTheEnd", std::vector<Press>(12, key(Qt::Key_Right)), TileKind::Extra, 6},
        CursorRow{"downStopsAtTheExtras", {key(Qt::Key_Down)}, TileKind::Extra, 1},
        CursorRow{"upStopsAtTheOpponent", {key(Qt::Key_Up), key(Qt::Key_Up), key(Qt::Key_Up)}, TileKind::Opponent, 3},
        CursorRow{"ownEdgeCellGoesDownToTheNearestExtra", {key(Qt::Key_1, "1"), key(Qt::Key_Down)}, TileKind::Extra, 1},
        CursorRow{"lastExtraGoesUpToCellEight",
                  {key(Qt::Key_T, "t"), key(Qt::Key_Right), key(Qt::Key_Up)},
                  TileKind::Own,
                  8}),
    [](const ::testing::TestParamInfo<CursorRow> &info) { return std::string(info.param.name); });

TEST_F(KeyboardInputTest, CursorSignalsEachMoveAndOnlyAMove)
{
    QSignalSpy moved(&keys, &KeyboardInput::cursorChanged);
    type({key(Qt::Key_Left), key(Qt::Key_Right), key(Qt::Key_Right), key(Qt::Key_Up)});
    EXPECT_EQ(moved.count(), 3);
}

TEST_F(KeyboardInputTest, DigitRowKeysCountByTheirPlaceWhateverTheLayoutMakesOfThem)
{
    quint32 keyOfOne = 0;
    for (quint32 code = 1; code < 256 && keyOfOne == 0; ++code) {
        if (KeyboardInput::digitRowCell(code) == 1)
            keyOfOne = code;
    }
    if (keyOfOne == 0)
        GTEST_SKIP() << "no scan codes known on this platform";
    EXPECT_EQ(KeyboardInput::digitRowCell(keyOfOne + 9), 10);
    EXPECT_EQ(KeyboardInput::digitRowCell(keyOfOne + 10), 0);
    EXPECT_EQ(KeyboardInput::digitRowCell(keyOfOne - 1), 0);

    // AZERTY: the key of 1 gives "&" alone, the key of 0 "à", and the key of 5 "5" only
    // with Shift.
    type({Press{Qt::Key_Ampersand, Qt::NoModifier, QStringLiteral("&"), keyOfOne},
          Press{Qt::Key_Agrave, Qt::NoModifier, QStringLiteral("\u00e0"), keyOfOne + 9},
          Press{Qt::Key_5, Qt::ShiftModifier, QStringLiteral("5"), keyOfOne + 4}});
    EXPECT_EQ(sender.requests, QList<QByteArray>{tradingmyletter(1, 1, 10)});
    EXPECT_EQ(game.selection().pickedOpponent, 5);
}

}  // namespace
