// A game played from the keyboard alone in two main windows against the in-process
// host: the keyboard goes to the board by Tab and F6, letters and digits place, Shift
// with a digit steals, two digits swap, Esc and Delete cancel and discard, and the arrows
// with Enter place; after each step the host holds the result and both boards show it.
// With QUARN_SCREENSHOT_DIR set, the hosting player's window, keyboard cursor showing, is
// saved there as keyboard.png.
#include "GameWindowsTest.h"

#include "client/BoardFocus.h"
#include "client/BoardHalf.h"
#include "client/BoardTile.h"
#include "client/ChatHalf.h"
#include "client/ConnectionHalf.h"
#include "host/GameRules.h"
#include "host/HostEngine.h"
#include "host/SeatTable.h"
#include "windows/Tchat.h"
#include "windows/Tgamestart.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

Qt::Key letterKey(int code)
{
    return static_cast<Qt::Key>(Qt::Key_A + code - 1);
}

class KeyboardGameTest : public GameWindowsTest {
protected:
    void SetUp() override { startHost(QList<int>{C, A, T, S, O, D, O, G, S, N, E, I, U, E, I, R, T, L, E}); }

    // Makes `window` the active one, as a player switching to it would.
    static void activate(Tchat &window)
    {
        // Not qWaitForWindowActive: the window counts as active while its own game start
        // dialog is, and the keys would go to the dialog.
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
    }

    // Keys go where the keyboard is: the focus widget of the active window.
    static void press(Tchat &window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        activate(window);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    static bool boardHasKeys(Tchat &window) { return window.board().keyboardArea()->hasFocus(); }

    void turnPassed(int to, const char *step)
    {
        settle([&] { return host->rules().table().whoseTurn() == to; }, step);
    }

    int cell(int seat, int position) { return host->rules().table().player(seat).board[size_t(position)]; }
};

TEST_F(KeyboardGameTest, PlayersPlayAGameFromTheKeyboard)
{
    Tchat &ann = open(QStringLiteral("Ann"), QStringLiteral("true"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.game().seatName(1) == QStringLiteral("Ann"); }, kGameStepWait));
    Tchat &bob = open(QStringLiteral("Bob"), QStringLiteral("false"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.game().seatName(2) == QStringLiteral("Bob"); }, kGameStepWait));
    ann.startGameAction()->trigger();
    ASSERT_TRUE(dialog->isVisible());
    QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
    settle([&] { return host->rules().table().gameInProgress() && host->rules().table().whoseTurn() == 1; }, "start");

    // Ann: Tab from the chat line gives the board the keyboard; C then 1 places c.
    activate(ann);
    ann.chat().mychat()->setFocus();
    press(ann, Qt::Key_Tab);
    ASSERT_TRUE(boardHasKeys(ann));
    press(ann, letterKey(C));
    press(ann, Qt::Key_1);
    turnPassed(2, "Ann places c");
    EXPECT_EQ(cell(1, 1), C);

    // Bob: F6 from the chat line; D then 1.
    activate(bob);
    bob.chat().mychat()->setFocus();
    press(bob, Qt::Key_F6);
    ASSERT_TRUE(boardHasKeys(bob));
    press(bob, letterKey(D));
    press(bob, Qt::Key_1);
    turnPassed(1, "Bob places d");

    // Ann: A then 2, then T then 3: "cat" over two turns, Bob placing o between by
    // arrows and Enter: from cell 1 down to the extras, right to extra 2, Enter, up to
    // cell 4, left twice to cell 2, Enter.
    press(ann, letterKey(A));
    press(ann, Qt::Key_2);
    turnPassed(2, "Ann places a");
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Return, Qt::Key_Up, Qt::Key_Left, Qt::Key_Left})
        press(bob, key);
    EXPECT_EQ(bob.game().selection().pickedExtra, 2);
    press(bob, Qt::Key_Return);
    turnPassed(1, "Bob places o by the arrows");
    EXPECT_EQ(cell(2, 2), O);
    press(ann, letterKey(T));
    press(ann, Qt::Key_3);
    turnPassed(2, "Ann places t");

    // Bob: Shift+3 then 3 steals Ann's t into "dot".
    press(bob, Qt::Key_3, Qt::ShiftModifier);
    press(bob, Qt::Key_3);
    turnPassed(1, "Bob steals t");
    EXPECT_EQ(cell(2, 3), T);
    EXPECT_EQ(cell(1, 3), 0);

    // Ann: 1 and 2 swap "ca" into "ac", keeping the turn; S and Esc drop a pick; S and
    // Delete discard the s and end the turn.
    press(ann, Qt::Key_1);
    press(ann, Qt::Key_2);
    settle([&] { return cell(1, 1) == A && cell(1, 2) == C; }, "Ann swaps");
    press(ann, letterKey(S));
    press(ann, Qt::Key_Escape);
    EXPECT_EQ(ann.game().selection(), TileSelection());
    press(ann, letterKey(S));
    const int discarded = ann.game().selection().pickedExtra;
    ASSERT_NE(discarded, 0);
    press(ann, Qt::Key_Delete);
    turnPassed(2, "Ann discards s");
    EXPECT_EQ(host->rules().table().player(1).extras[size_t(discarded)], 0);

    // Bob places his s; Ann's turn, a tile picked and the cursor on her board, for the picture.
    press(bob, letterKey(S));
    press(bob, Qt::Key_4);
    turnPassed(1, "Bob places s");
    press(ann, letterKey(O));
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left})
        press(ann, key);
    EXPECT_TRUE(ann.board().ownTile(3)->cursorShown());
    for (auto &window : windows) {
        window->game().turntimer().stop();
        while (window->game().secondsLeft() > 22)
            window->game().processturntime();
    }
    const QString dir = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        EXPECT_TRUE(ann.grab().save(QDir(dir).filePath(QStringLiteral("keyboard.png"))));
    }
}

}  // namespace
