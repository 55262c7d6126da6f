// The board from the keyboard, as the window gets it: keys on the board's keyboard area
// reach the host as requests, the cursor is drawn only while the board has the keyboard,
// Tab and F6 switch the keyboard between the chat line and the board, and the board's
// controls tell a screen reader what they hold. What each key means is tested on the
// keyboard input alone (tests/client_model).
#include "BoardFakes.h"

#include "client/BoardFocus.h"
#include "client/BoardHalf.h"
#include "client/BoardTile.h"
#include "client/ChatHalf.h"
#include "net/Catalogue.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

class BoardKeysTest : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        chat = std::make_unique<ChatHalf>(&panel, game, sender, [](const QString &) {});
        board->setChatLine(chat->mychat());
        // A game of 30 seconds a turn; extras c e a e t; Ann's turn.
        game.startthegame(QStringLiteral("Ann+30+100+5+"));
        game.letters(QStringLiteral("1+1+3+2+5+3+1+4+5+5+20+"));
        game.getnextplayer(QStringLiteral("1+5+"));
    }

    void TearDown() override
    {
        BoardFixture::TearDown();
        chat.reset();
    }

    // Shows the panel as the active window, the chat line holding the keyboard.
    void activate()
    {
        panel.show();
        panel.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
        chat->mychat()->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return chat->mychat()->hasFocus(); }));
    }

    QWidget *keys() const { return board->keyboardArea(); }
    // The tiles showing the cursor, as "e1 o3 h10" (extra, own, opponent).
    QString cursorTiles() const
    {
        QStringList shown;
        for (int p = 1; p <= 10; ++p) {
            if (p <= 6 && board->extraTile(p)->cursorShown())
                shown << QStringLiteral("e%1").arg(p);
            if (board->ownTile(p)->cursorShown())
                shown << QStringLiteral("o%1").arg(p);
            if (board->opponentTile(p)->cursorShown())
                shown << QStringLiteral("h%1").arg(p);
        }
        return shown.join(QLatin1Char(' '));
    }

    std::unique_ptr<ChatHalf> chat;
};

struct KeysRow {
    const char *name;
    std::function<void(QWidget *)> type;
    QList<QByteArray> sent;
};

class BoardKeySequenceTest : public BoardKeysTest, public ::testing::WithParamInterface<KeysRow> { };

TEST_P(BoardKeySequenceTest, KeysOnTheBoardReachTheHostAsTheirRequest)
{
    GetParam().type(keys());
    EXPECT_EQ(sender.requests, GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Table, BoardKeySequenceTest,
                         ::testing::Values(KeysRow{"letterThenDigitPlaces",
                                                   [](QWidget *w) {
                                                       QTest::keyClick(w, Qt::Key_E);
                                                       QTest::keyClick(w, Qt::Key_5);
                                                   },
                                                   {net::toHost::placemyletter(1, 2, 5)}},
                                           KeysRow{"shiftOneThenDigitSteals",
                                                   [](QWidget *w) {
                                                       QTest::keyClick(w, Qt::Key_1, Qt::ShiftModifier);
                                                       QTest::keyClick(w, Qt::Key_6);
                                                   },
                                                   {net::toHost::stealinghisletter(1, 1, 6)}},
                                           KeysRow{"exclamationMarkThenDigitSteals",
                                                   [](QWidget *w) {
                                                       QTest::keyClick(w, '!');
                                                       QTest::keyClick(w, '6');
                                                   },
                                                   {net::toHost::stealinghisletter(1, 1, 6)}},
                                           KeysRow{"heldKeyPicksOnce",
                                                   [](QWidget *w) {
                                                       QTest::keyClick(w, Qt::Key_C);
                                                       QKeyEvent repeated(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier,
                                                                          QStringLiteral("c"), true);
                                                       QApplication::sendEvent(w, &repeated);
                                                       QTest::keyClick(w, Qt::Key_4);
                                                   },
                                                   {net::toHost::placemyletter(1, 1, 4)}}),
                         [](const ::testing::TestParamInfo<KeysRow> &info) { return std::string(info.param.name); });

TEST_F(BoardKeysTest, TabAndF6SwitchTheKeyboardBetweenTheChatLineAndTheBoard)
{
    activate();
    // While the chat line has the keyboard, keys type chat.
    QTest::keyClicks(chat->mychat(), QStringLiteral("e5"));
    EXPECT_EQ(chat->mychat()->text(), QStringLiteral("e5"));
    EXPECT_TRUE(sender.requests.isEmpty());

    QTest::keyClick(chat->mychat(), Qt::Key_Tab);
    ASSERT_TRUE(keys()->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_E);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
    EXPECT_EQ(sender.requests, QList<QByteArray>{net::toHost::placemyletter(1, 2, 5)});
    EXPECT_EQ(chat->mychat()->text(), QStringLiteral("e5"));

    QTest::keyClick(keys(), Qt::Key_Tab);
    EXPECT_TRUE(chat->mychat()->hasFocus());
    QTest::keyClick(chat->mychat(), Qt::Key_F6);
    EXPECT_TRUE(keys()->hasFocus());
    QTest::keyClick(keys(), Qt::Key_F6);
    EXPECT_TRUE(chat->mychat()->hasFocus());
}

TEST_F(BoardKeysTest, TheCursorShowsOnlyWhileTheBoardHasTheKeyboard)
{
    activate();
    EXPECT_EQ(cursorTiles(), QString());
    QTest::keyClick(chat->mychat(), Qt::Key_Tab);
    EXPECT_EQ(cursorTiles(), QStringLiteral("e1"));
    QTest::keyClick(keys(), Qt::Key_Up);
    EXPECT_EQ(cursorTiles(), QStringLiteral("o3"));
    QTest::keyClick(keys(), Qt::Key_3, Qt::ShiftModifier);
    EXPECT_EQ(cursorTiles(), QStringLiteral("h3"));
    QTest::keyClick(keys(), Qt::Key_Tab);
    EXPECT_EQ(cursorTiles(), QString());
}

QString accessible(QWidget *widget, QAccessible::Text which)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(which) : QStringLiteral("<no interface>");
}

struct ReadRow {
    const char *name;
    std::function<QWidget *(BoardHalf &)> control;
    const char *before;  // name, then description, before the game changes
    const char *after;  // and after
};

class BoardReadingTest : public BoardKeysTest, public ::testing::WithParamInterface<ReadRow> { };

TEST_P(BoardReadingTest, ControlsTellAReaderWhatTheyHoldAsTheGameChanges)
{
    QWidget *control = GetParam().control(*board);
    ASSERT_NE(control, nullptr);
    const auto reading = [&] {
        return (accessible(control, QAccessible::Name) + QStringLiteral(" | ")
                + accessible(control, QAccessible::Description))
            .toStdString();
    };
    EXPECT_EQ(reading(), GetParam().before);

    // Ann places e on cell 3 and forms a word; Bob's turn runs for 8 seconds.
    QTest::keyClick(keys(), Qt::Key_E);
    game.placemyletter(QStringLiteral("1+2+3+5+"));
    game.formedword(QStringLiteral("1+be+4+12+"));
    game.stoldletter(QStringLiteral("2+1+4+5+17+"));
    game.getnextplayer(QStringLiteral("2+4+"));
    for (int tick = 0; tick < 22; ++tick)
        game.processturntime();
    EXPECT_EQ(reading(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Controls, BoardReadingTest,
                         ::testing::Values(ReadRow{"ownCell", [](BoardHalf &b) { return b.ownTile(3); },
                                                   "your board, cell 3 | empty", "your board, cell 3 | E, 1 point"},
                                           ReadRow{"opponentCell", [](BoardHalf &b) { return b.opponentTile(4); },
                                                   "Bob's board, cell 4 | empty", "Bob's board, cell 4 | Q, 10 points"},
                                           ReadRow{"extra", [](BoardHalf &b) { return b.extraTile(2); },
                                                   "your hand, tile 2 | E, 1 point", "your hand, tile 2 | empty"},
                                           ReadRow{"nameLabel", [](BoardHalf &b) { return b.nameLabel(2); },
                                                   "player 2 | Bob", "player 2 | Bob, to move"},
                                           ReadRow{"ownNameLabel", [](BoardHalf &b) { return b.nameLabel(1); },
                                                   "player 1 | Ann, you, to move", "player 1 | Ann, you"},
                                           ReadRow{"score", [](BoardHalf &b) { return b.scoreLabel(1); },
                                                   "your score | 0 points", "your score | 12 points"},
                                           ReadRow{"clock", [](BoardHalf &b) { return b.turnClock(); },
                                                   "turn clock | your turn, 30 seconds",
                                                   "turn clock | Bob's turn, 8 seconds"}),
                         [](const ::testing::TestParamInfo<ReadRow> &info) { return std::string(info.param.name); });

TEST_F(BoardKeysTest, TheKeyboardAreaTellsTheTileUnderTheCursor)
{
    QTest::keyClick(keys(), Qt::Key_E);
    EXPECT_EQ(accessible(keys(), QAccessible::Description), QStringLiteral("your hand, tile 2, E, 1 point, selected"));
    QTest::keyClick(keys(), Qt::Key_Up);
    EXPECT_EQ(accessible(keys(), QAccessible::Description), QStringLiteral("your board, cell 4, empty"));
}

}  // namespace
