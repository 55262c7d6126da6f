// The main window's records: a game it sees is saved into the records' folder when it is
// left (the window closes), unless the settings' "RecordGames" turns recording off; View >
// "Game Records" opens the list.
#include "windows/GameRecordList.h"
#include "windows/Tchat.h"

#include "client/SettingsHalf.h"
#include "client/model/GameRecorder.h"
#include "net/Catalogue.h"
#include "net/Message.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString rest(QByteArray message)
{
    message.chop(1);
    return net::splitMessage(message)->rest;
}

struct SettingRow {
    const char *name;
    QByteArray settings;
    bool recorded;
};

class TchatRecords : public ::testing::TestWithParam<SettingRow> { };

TEST_P(TchatRecords, AGameLeftByClosingTheWindowIsSavedUnlessRecordingIsOff)
{
    QTemporaryDir folder;
    const QString settingsPath = folder.filePath(QStringLiteral("korvexlobby.ini"));
    QFile settings(settingsPath);
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(GetParam().settings);
    settings.close();

    Tchat window(settingsPath);
    window.settings().loadinifile();
    auto *records = new GameRecordList(GameRecordStore(folder.filePath(QStringLiteral("games"))), &window);
    window.setGameRecords(records);
    window.game().logIn(1);
    window.recorder().startthegame(rest(net::toClient::startgame(QStringLiteral("Ann"), 30, 50, 5)));
    window.recorder().getnextplayer(rest(net::toClient::nextplayer(1, 5)));
    window.close();

    const QList<GameRecordStore::Entry> saved = records->store().list();
    ASSERT_EQ(saved.size(), GetParam().recorded ? 1 : 0);
    if (GetParam().recorded) {
        EXPECT_FALSE(saved[0].header.finished);
        EXPECT_EQ(GameRecordStore::open(saved[0].path).record.events.size(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, TchatRecords,
                         ::testing::Values(SettingRow{"noKey", "[Quarn]\r\nTop=10\r\n", true},
                                           SettingRow{"on", "[Quarn]\r\nRecordGames=true\r\n", true},
                                           SettingRow{"off", "[Quarn]\r\nRecordGames=false\r\n", false}),
                         [](const ::testing::TestParamInfo<SettingRow> &info) { return std::string(info.param.name); });

TEST(TchatRecordsMenu, ViewGameRecordsOpensTheListOnceItIsGiven)
{
    QTemporaryDir folder;
    Tchat window(folder.filePath(QStringLiteral("korvexlobby.ini")));
    auto *records = new GameRecordList(GameRecordStore(folder.filePath(QStringLiteral("games"))), &window);
    window.setGameRecords(records);
    window.gameRecordsAction()->trigger();
    EXPECT_TRUE(records->isVisible());
}

}  // namespace
