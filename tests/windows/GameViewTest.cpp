// The game as it looks in the main window: three Tchat windows in one process (the
// hosting player, the player in seat 2 and a spectator) in a game in progress. The board's
// controls must stay inside the board panel and clear of the chat, and each role must
// see its rows. With QUARN_SCREENSHOT_DIR set, the player's and the spectator's windows
// are saved there as game-player.png and game-spectator.png.
#include "GameWindowsTest.h"

#include "client/BoardHalf.h"
#include "client/BoardTile.h"
#include "client/ChatHalf.h"
#include "client/ConnectionHalf.h"
#include "host/GameRules.h"
#include "host/HostEngine.h"
#include "host/SeatTable.h"
#include "windows/Tchat.h"
#include "windows/Tgamestart.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class GameViewTest : public GameWindowsTest {
protected:
    void SetUp() override { startHost(QList<int>{C, A, T, S, O, D, O, G, S, N, E, I, U, E, I, R, T, L, E, I, U, E}); }

    void place(Tchat &window, int extra, int cell)
    {
        const int mover = host->rules().table().whoseTurn();
        clickTile(window.board().extraTile(extra));
        clickTile(window.board().ownTile(cell));
        settle([&] { return host->rules().table().whoseTurn() != mover; }, "placement");
    }

    void say(Tchat &window, const QString &text)
    {
        QLineEdit *input = window.chat().mychat();
        input->setFocus();
        input->setText(text);
        QTest::keyClick(input, Qt::Key_Return);
    }

    void save(Tchat &window, const QString &file)
    {
        const QString dir = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
        if (!dir.isEmpty())
            window.grab().save(QDir(dir).filePath(file));
    }
};

TEST_F(GameViewTest, PlayersAndSpectatorSeeTheGameInProgress)
{
    auto [ann, bob, cy] = openAnnBobAndCy();
    ASSERT_FALSE(HasFailure());

    // The game starts from the File menu's entry, through the dialog.
    ASSERT_TRUE(ann.startGameAction()->isEnabled());
    ann.startGameAction()->trigger();
    ASSERT_TRUE(dialog->isVisible());
    QTest::mouseClick(dialog->startButton(), Qt::LeftButton);
    settle([&] { return host->rules().table().gameInProgress() && host->rules().table().whoseTurn() == 1; }, "start");

    place(ann, 1, 1);  // c
    place(bob, 1, 1);  // d
    place(ann, 2, 2);  // a
    place(bob, 2, 2);  // o: "do"
    place(ann, 3, 3);  // t: "cat"
    place(bob, 3, 3);  // g: "dog"
    say(ann, QStringLiteral("Nice one, Bob!"));
    say(cy, QStringLiteral("Go Ann :)#10"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.chat().mainchat()->toPlainText().contains(QStringLiteral("Go Ann")); },
                                kGameStepWait));

    // The player's rows: own word below, the opponent's above; the spectator sees seat 1 below.
    EXPECT_EQ(ann.board().ownTile(3)->code(), T);
    EXPECT_EQ(ann.board().opponentTile(3)->code(), G);
    EXPECT_EQ(bob.board().ownTile(3)->code(), G);
    EXPECT_EQ(cy.board().ownTile(3)->code(), T);
    EXPECT_EQ(cy.board().opponentTile(3)->code(), G);
    EXPECT_EQ(ann.boardPanel()->findChild<QLabel *>(QStringLiteral("label_status"))->text(),
              QStringLiteral("Place a Letter"));
    EXPECT_EQ(cy.boardPanel()->findChild<QLabel *>(QStringLiteral("label_status"))->text(),
              QStringLiteral("Ann's turn."));

    // Every control of the board lies inside the panel and clear of the chat's controls.
    for (Tchat *window : {&ann, &cy}) {
        QWidget *panel = window->boardPanel();
        const QRect chatArea = panel->findChild<QWidget *>(QStringLiteral("mainchat"))->geometry();
        const QRect input = panel->findChild<QWidget *>(QStringLiteral("mychat"))->geometry();
        const QStringList names = {
            QStringLiteral("label_status"),      QStringLiteral("label_turntime"), QStringLiteral("image_timer"),
            QStringLiteral("listbox_mywords"),   QStringLiteral("label_mywords"),  QStringLiteral("label_playtoscore"),
            QStringLiteral("label_timeperturn"), QStringLiteral("label_steals"),   QStringLiteral("label_playername1"),
            QStringLiteral("label_playername2"), QStringLiteral("label_score1"),   QStringLiteral("label_score2"),
            QStringLiteral("label_status1"),     QStringLiteral("label_status2"),  QStringLiteral("panel_winner"),
            QStringLiteral("button_start"),      QStringLiteral("extra6"),         QStringLiteral("myletter10"),
            QStringLiteral("hisletter10")};
        for (const QString &name : names) {
            auto *control = panel->findChild<QWidget *>(name);
            ASSERT_NE(control, nullptr) << name.toStdString();
            const QRect at = control->geometry();
            EXPECT_TRUE(panel->rect().contains(at)) << name.toStdString();
            EXPECT_FALSE(at.intersects(chatArea)) << name.toStdString();
            EXPECT_FALSE(at.intersects(input)) << name.toStdString();
        }
    }

    // Some seconds into Ann's turn for the pictures, driven by the countdown's handler.
    for (auto &window : windows) {
        window->game().turntimer().stop();
        while (window->game().secondsLeft() > 22)
            window->game().processturntime();
    }

    save(ann, QStringLiteral("game-player.png"));
    save(cy, QStringLiteral("game-spectator.png"));
}

}  // namespace
