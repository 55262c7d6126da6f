// A solo game against the computer from the program's start to its end by the keyboard
// alone: Escape leaves the lobby window, Alt+F and S open the game start dialog, Enter
// starts, Tab gives the board the keyboard, a letter and a digit place each turn, and
// Alt+F and X end the program once the game is won (nothing is asked then).
#include "GameWindowsTest.h"
#include "TdownloadFakes.h"

#include "client/BoardFocus.h"
#include "client/ChatHalf.h"
#include "host/GameRules.h"
#include "host/SeatTable.h"
#include "windows/LobbyPlaces.h"
#include "windows/Tdownload.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

namespace {

class KeyboardSoloGameTest : public GameWindowsTest {
protected:
    void SetUp() override { startHost(QList<int>{C, A, T, S, O, D, O, G, S, N, E, I, U, E, I, R, T, L, E}); }

    // Keys go where the keyboard is: the focus widget of the active window or popup.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
    }

    static Qt::Key digitKey(int cell) { return cell == 10 ? Qt::Key_0 : static_cast<Qt::Key>(Qt::Key_0 + cell); }
};

TEST_F(KeyboardSoloGameTest, ASoloGameIsPlayedToItsEndByTheKeyboardAlone)
{
    // Saved settings from an earlier start: a game to a single point, so the first word
    // formed ends it.
    const QString settingsFile = folder.filePath(QStringLiteral("You.ini"));
    QFile saved(settingsFile);
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    saved.write("[Quarn]\r\nPlaytoscore=1\r\nCreationtime=120\r\nUnlimited=t\r\n");
    saved.close();

    windows.push_back(std::make_unique<Tchat>(settingsFile));
    Tchat &you = *windows.back();
    you.setArguments({});
    you.setHostEngine(host.get());
    dialog = new Tgamestart(you.context(), you.connection(), &you);
    you.setGameStart(dialog);
    RecordingStarter starter;
    auto *lobby = new Tdownload(LobbyPlaces(), {}, starter, &you);
    you.setLobbyWindow(lobby);
    you.show();

    // The lobby window offers itself first; Escape leaves it and the solo game goes on.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return lobby->isVisible() && QApplication::activeWindow() == lobby; }, kGameStepWait));
    press(Qt::Key_Escape);
    EXPECT_FALSE(lobby->isVisible());
    // Logged in, and the saved settings read.
    ASSERT_TRUE(QTest::qWaitFor([&] { return you.game().seatName(1) == QStringLiteral("You"); }, kGameStepWait));
    ASSERT_EQ(dialog->playtoscoreText(), QStringLiteral("1"));

    // File > Start Game, then Enter in the dialog.
    you.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &you; }));
    you.chat().mychat()->setFocus();
    press(Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    press(Qt::Key_S);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->isVisible() && QApplication::activeWindow() == dialog; }));
    press(Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    settle([&] { return host->rules().table().gameInProgress(); }, "start");

    // Tab from the chat line gives the board the keyboard; every own turn places the first
    // letter in hand on the first empty cell, until somebody has formed a word.
    you.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &you; }));
    you.chat().mychat()->setFocus();
    press(Qt::Key_Tab);
    ASSERT_TRUE(you.board().keyboardArea()->hasFocus());
    const auto ownTurnOrWon = [&] { return you.game().winner() != 0 || host->rules().table().whoseTurn() == 1; };
    for (int turn = 0; turn < 10 && you.game().winner() == 0; ++turn) {
        settle(ownTurnOrWon, "own turn");
        if (you.game().winner() != 0)
            break;
        // "cat" on the first three cells when the hand allows, else the first letter in hand.
        const std::array<int, 3> plan = {C, A, T};
        int code = 0;
        for (int e = 1; e <= 6; ++e) {
            if (you.game().extra(e) != 0 && (code == 0 || (turn < 3 && you.game().extra(e) == plan[size_t(turn)])))
                code = you.game().extra(e);
        }
        int cell = 1;
        while (cell < 10 && you.game().cell(1, cell) != 0)
            ++cell;
        ASSERT_NE(code, 0);
        press(static_cast<Qt::Key>(Qt::Key_A + code - 1));
        press(digitKey(cell));
        settle([&] { return you.game().winner() != 0 || host->rules().table().whoseTurn() != 1; }, "placed");
    }
    ASSERT_NE(you.game().winner(), 0);
    EXPECT_FALSE(you.game().gameInPlay());

    // File > Exit: the game is over, so the window closes without a question.
    press(Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    press(Qt::Key_X);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !you.isVisible(); }));
}

}  // namespace
