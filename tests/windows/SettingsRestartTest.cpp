// The player's choices survive a restart: a window changes its options and is moved,
// closes, and a new window on the same settings file comes back with them at login.
#include "GameBoardCheck.h"

#include "client/ChatHalf.h"
#include "client/SettingsHalf.h"
#include "host/HostEngine.h"
#include "windows/Tchat.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SettingsRestartTest : public ::testing::Test {
protected:
    void TearDown() override { qunsetenv("QUARN_PORT"); }

    // A solo start on its own host, logged in with the settings of `file` applied.
    std::unique_ptr<Tchat> start(HostEngine &host, const QString &file)
    {
        EXPECT_TRUE(host.listen(0, QHostAddress::LocalHost));
        qputenv("QUARN_PORT", QByteArray::number(host.serverPort()));
        auto window = std::make_unique<Tchat>(file);
        window->setArguments({});
        window->setHostEngine(&host);
        window->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->settings().loaded(); }, kGameStepWait));
        return window;
    }

    QTemporaryDir folder;
};

TEST_F(SettingsRestartTest, OptionsAndPlacementComeBackAfterARestart)
{
    ASSERT_TRUE(folder.isValid());
    const QString file = folder.filePath(QStringLiteral("korvexlobby.ini"));
    QRect placed;
    {
        HostEngine host(folder.path());
        std::unique_ptr<Tchat> window = start(host, file);
        ASSERT_TRUE(window->settings().playSoundsAction()->isChecked());
        window->settings().playSoundsAction()->trigger();
        window->settings().newAction()->trigger();
        window->chat().textSizeClick(12);
        window->setGeometry(window->geometry().translated(40, 30));
        placed = window->geometry();
        window->close();
    }
    HostEngine host(folder.path());
    std::unique_ptr<Tchat> window = start(host, file);
    EXPECT_FALSE(window->settings().playSoundsAction()->isChecked());
    EXPECT_TRUE(window->settings().newAction()->isChecked());
    EXPECT_EQ(window->settings().turnSound(), 1);
    EXPECT_EQ(window->chat().textSize(), 12);
    EXPECT_EQ(window->geometry().topLeft(), placed.topLeft());
}

}  // namespace
