// Errors and leave-takings that used to end in a dead or lost window: a failed join
// offers to try again (and the window for finding others, when there is one), and
// File > Exit asks first while a game runs.
#include "GameWindowsTest.h"

#include "host/GameRules.h"
#include "host/SeatTable.h"
#include "net/Catalogue.h"
#include "windows/Tchat.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class DeadEndsTest : public GameWindowsTest {
protected:
    void SetUp() override { startHost(QList<int>{C, A, T, S, O, D, O, G, S, N, E, I, U, E, I, R, T, L, E}); }

    static QMessageBox *retryBox(Tchat &window)
    {
        QMessageBox *box = nullptr;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return (box = window.findChild<QMessageBox *>(QStringLiteral("box_connectFailed"))) != nullptr; },
            kGameStepWait));
        return box;
    }

    static QPushButton *buttonOf(QMessageBox *box, const QString &text)
    {
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == text)
                return qobject_cast<QPushButton *>(button);
        }
        return nullptr;
    }
};

TEST_F(DeadEndsTest, AFailedJoinOffersToTryAgainAndTryingAgainJoins)
{
    const quint16 port = host->serverPort();
    host->closeAll();
    host.reset();
    Tchat &ann = open(QStringLiteral("Ann"), QStringLiteral("false"));
    QMessageBox *box = retryBox(ann);
    ASSERT_TRUE(box);
    EXPECT_EQ(buttonOf(box, QStringLiteral("Play with Others")), nullptr) << "offered only when there is a window";
    QPushButton *retry = buttonOf(box, QStringLiteral("Try Again"));
    ASSERT_TRUE(retry);
    EXPECT_EQ(box->defaultButton(), retry);
    const QString dir = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        box->grab().save(QDir(dir).filePath(QStringLiteral("join-failed.png")));

    host = std::make_unique<HostEngine>(folder.path(), nullptr, std::make_unique<GameScriptedRandom>(QList<int>{C}));
    ASSERT_TRUE(host->listen(port, QHostAddress::LocalHost));
    QTest::mouseClick(retry, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ann.game().ownSlot() == 1; }, kGameStepWait));
}

TEST_F(DeadEndsTest, PlayWithOthersIsOfferedWhenSomethingOpensIt)
{
    host->closeAll();
    host.reset();
    windows.push_back(std::make_unique<Tchat>(folder.filePath(QStringLiteral("Ann.ini"))));
    Tchat &ann = *windows.back();
    QSignalSpy others(&ann, &Tchat::playWithOthersRequested);
    ann.setArguments({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    ann.show();
    QMessageBox *box = retryBox(ann);
    ASSERT_TRUE(box);
    QPushButton *button = buttonOf(box, QStringLiteral("Play with Others"));
    ASSERT_TRUE(button);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(others.count(), 1);
}

TEST_F(DeadEndsTest, ExitAsksFirstWhileAGameRuns)
{
    Tchat &ann = open(QStringLiteral("Ann"), QStringLiteral("true"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return ann.game().ownSlot() == 1; }, kGameStepWait));
    auto *exit = ann.findChild<QAction *>(QStringLiteral("Exit1"));
    ASSERT_TRUE(exit);
    ann.connection().sendRequest(net::toHost::startgame(QStringLiteral("Ann"), 30, 200, 5));
    settle([&] { return host->rules().table().gameInProgress(); }, "start");

    const auto answer = [](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_TRUE(box) << "no question was asked";
            box->button(button)->click();
        });
    };
    answer(QMessageBox::No);
    exit->trigger();
    EXPECT_TRUE(ann.isVisible());
    answer(QMessageBox::Yes);
    exit->trigger();
    EXPECT_FALSE(ann.isVisible());
}

}  // namespace
