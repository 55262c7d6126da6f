// The "Play with Others" state without widgets: the recent games list and its keys in the
// settings file, and the form's checks before a host or a join is tried.
#include "windows/PlayWithOthersModel.h"
#include "client/ProfileFile.h"
#include "windows/RecentGames.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Game = RecentGames::Game;

TEST(RecentGamesTest, NewestComesFirstAndARepeatedAddressMovesUpKeepingItsName)
{
    RecentGames recent;
    recent.remember(QStringLiteral("192.0.2.1"), QStringLiteral("Ann"));
    recent.remember(QStringLiteral("host.example:7800"));
    recent.remember(QStringLiteral("quarn://192.0.2.1:7772"));  // the first again, as a link
    const QList<Game> expected{{QStringLiteral("192.0.2.1:7772"), QStringLiteral("Ann")},
                               {QStringLiteral("host.example:7800"), QString()}};
    EXPECT_EQ(recent.games(), expected);
}

TEST(RecentGamesTest, KeepsTheLastTenAddresses)
{
    RecentGames recent;
    for (int i = 1; i <= 12; ++i)
        recent.remember(QStringLiteral("192.0.2.%1").arg(i));
    ASSERT_EQ(recent.games().size(), RecentGames::kMax);
    EXPECT_EQ(recent.games().first().address, QStringLiteral("192.0.2.12:7772"));
    EXPECT_EQ(recent.games().last().address, QStringLiteral("192.0.2.3:7772"));
}

TEST(RecentGamesTest, SurvivesTheSettingsFileAndPassesOverEntriesThatAreNoAddress)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("korvexlobby.ini"));
    RecentGames recent;
    recent.remember(QStringLiteral("[2001:db8::1]:7800"), QStringLiteral("Bob"));
    recent.remember(QStringLiteral("192.0.2.7"), QStringLiteral("Eve\n|[x]"));  // one line, no separator
    ASSERT_TRUE(recent.save(path));
    ASSERT_TRUE(ProfileFile::writeStrings(path, RecentGames::kSection,
                                          {{QStringLiteral("RecentGame3"), QStringLiteral("quarn://x/../etc|Mal")}}));

    const QList<Game> expected{{QStringLiteral("192.0.2.7:7772"), QStringLiteral("Eve  [x]")},
                               {QStringLiteral("[2001:db8::1]:7800"), QStringLiteral("Bob")}};
    EXPECT_EQ(RecentGames::load(path).games(), expected);
    EXPECT_EQ(ProfileFile::readString(path, QStringLiteral("Quarn"), QStringLiteral("RecentGame2")),
              QStringLiteral("[2001:db8::1]:7800|Bob"));
}

struct FormCase {
    const char *name;
    const char *port;
    const char *address;
    bool hosts;
    bool joins;
};

class PlayWithOthersFormTest : public testing::TestWithParam<FormCase> { };

TEST_P(PlayWithOthersFormTest, HostsAndJoinsOnlyWithANameAndAValidPortOrAddress)
{
    QTemporaryDir folder;
    PlayWithOthersModel model(folder.filePath(QStringLiteral("korvexlobby.ini")));
    const FormCase &c = GetParam();
    const auto host = model.host(QString::fromUtf8(c.name), QString::fromUtf8(c.port));
    EXPECT_EQ(host.has_value(), c.hosts);
    const auto join = model.join(QString::fromUtf8(c.name), QString::fromUtf8(c.address));
    EXPECT_EQ(join.has_value(), c.joins);
    EXPECT_EQ(model.statusIsError(), !c.hosts || !c.joins);
    EXPECT_EQ(model.status().isEmpty(), c.hosts && c.joins);
}

INSTANTIATE_TEST_SUITE_P(Rows, PlayWithOthersFormTest,
                         testing::Values(FormCase{"Ann", "7772", "192.0.2.1", true, true},
                                         FormCase{"  ", "7772", "192.0.2.1", false, false},
                                         FormCase{"A+b", "7772", "192.0.2.1", false, false},
                                         FormCase{"Ann", "0", "quarn://[2001:db8::1]:7800", false, true},
                                         FormCase{"Ann", "65536", "host.example:7800", false, true},
                                         FormCase{"Ann", "port", "quarn://192.0.2.1/x", false, false},
                                         FormCase{"Ann", "7800", "", true, false}));

TEST(PlayWithOthersModelTest, HostingAndJoiningRestartAsTheLobbyWouldAndKeepTheName)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("korvexlobby.ini"));
    PlayWithOthersModel model(path);
    const auto host = model.host(QStringLiteral(" Ann "), QStringLiteral("7800"));
    ASSERT_TRUE(host);
    EXPECT_EQ(*host,
              (PlayWithOthersModel::Restart{{QStringLiteral("Ann"), QStringLiteral("0.0.0.0"), QStringLiteral("true")},
                                            7800}));

    const auto join = model.join(QStringLiteral("Ann"), QStringLiteral("quarn://[2001:db8::1]:7801"));
    ASSERT_TRUE(join);
    EXPECT_EQ(join->restart,
              (PlayWithOthersModel::Restart{
                  {QStringLiteral("Ann"), QStringLiteral("2001:db8::1"), QStringLiteral("false")}, 7801}));
    model.joining(*join);
    model.hostSeen(QStringLiteral("[2001:db8::1]:7801"), QStringLiteral("Bob"));

    const PlayWithOthersModel again(path);
    EXPECT_EQ(again.playerName(), QStringLiteral("Ann"));
    EXPECT_EQ(again.recent().games(), (QList<Game>{{QStringLiteral("[2001:db8::1]:7801"), QStringLiteral("Bob")}}));
}

TEST(PlayWithOthersModelTest, EveryRouterAnswerIsALineAndOnlyTheLatestMappingLeadsTheInviteLinks)
{
    QTemporaryDir folder;
    PlayWithOthersModel model(folder.filePath(QStringLiteral("korvexlobby.ini")));
    const QString local = QStringLiteral("quarn://192.168.1.20:7772");
    model.setHosting({local});
    model.routerAnswered(QStringLiteral("mapped"), QStringLiteral("quarn://203.0.113.9:40001"));
    EXPECT_EQ(model.inviteLinks(), (QStringList{QStringLiteral("quarn://203.0.113.9:40001"), local}));
    // A renewal the router refused: the link through it no longer works.
    model.routerAnswered(QStringLiteral("refused"), QString());
    EXPECT_EQ(model.inviteLinks(), QStringList{local});
    EXPECT_EQ(model.routerLines(), (QStringList{QStringLiteral("mapped"), QStringLiteral("refused")}));
}

}  // namespace
