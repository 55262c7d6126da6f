// The recorder between the connection and the game: what a player, a spectator and a late
// arrival record, and that a record played back gives the live game's state again.
#include "GameStateText.h"
#include "ModelFakes.h"
#include "RecordRests.h"

#include "client/model/GameRecordReader.h"
#include "client/model/GameRecordWriter.h"
#include "client/model/GameRecorder.h"
#include "client/model/GameReplay.h"

#include <QSignalSpy>

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

namespace host = net::toClient;
using Kind = RecordEvent::Kind;

class GameRecorderTest : public ::testing::Test {
protected:
    void join(int slot)
    {
        game.logIn(slot);
        game.setSeatName(1, QStringLiteral("Ann"));
        game.setSeatName(2, QStringLiteral("Bob"));
        recorder.setClock([] { return QDateTime(QDate(2026, 12, 8), QTime(20, 15), QTimeZone::utc()); });
    }

    // A short game with every kind of event the host sends; the deals go to slot 1 only.
    void playGame()
    {
        recorder.startthegame(rest(host::startgame(QStringLiteral("Ann"), 30, 12, 1)));
        recorder.letters(rest(host::letters(1, {{1, 3}, {2, 1}, {3, 20}, {4, 19}, {5, 5}, {6, 1}})));
        recorder.getnextplayer(rest(host::nextplayer(1, 1)));
        recorder.placemyletter(rest(host::placemyletter(1, 1, 1, 3)));
        recorder.newletter(rest(host::newletter(1, 1, 15)));
        recorder.getnextplayer(rest(host::nextplayer(2, 1)));
        recorder.placemyletter(rest(host::placemyletter(2, 4, 5, 24)));
        // A deal for the other seat never reaches this client; if one did, it is no
        // extra of this client's.
        recorder.newletter(rest(host::newletter(2, 4, 9)));
        recorder.getnextplayer(rest(host::nextplayer(1, 1)));
        recorder.tradingmyletter(rest(host::tradingmyletter(1, 1, 0, 2, 3)));
        recorder.placemyletter(rest(host::placemyletter(1, 2, 3, 1)));
        recorder.placemyletter(rest(host::placemyletter(1, 3, 4, 20)));
        recorder.formedword(rest(host::formedword(1, QStringLiteral("cat"), 5, 5)));
        recorder.newletter(rest(host::newletter(1, 2, 2)));
        recorder.getnextplayer(rest(host::nextplayer(2, 1)));
        recorder.notvalid(rest(host::notvalid(2)));
        recorder.stoldletter(rest(host::stoldletter(2, 1, 6, 4, 20)));
        recorder.formedword(rest(host::formedword(2, QStringLiteral("xt"), 9, 9)));
        recorder.getnextplayer(rest(host::nextplayer(1, 1)));
        recorder.discardletter(rest(host::discardletter(1, 3)));
        recorder.getnextplayer(rest(host::nextplayer(2, 0)));
        recorder.toomany(rest(host::toomany(2)));
        recorder.discardextra(rest(host::discardextra(2, 5)));
        recorder.getnextplayer(rest(host::nextplayer(1, 1)));
        recorder.timeup(rest(host::timeup()));
        recorder.getnextplayer(rest(host::nextplayer(2, 0)));
        game.seatLeft(2);
        recorder.placemyletter(rest(host::placemyletter(2, 1, 7, 1)));
        recorder.formedword(rest(host::formedword(2, QStringLiteral("at"), 4, 13)));
        recorder.winner(rest(host::winner(2)));
    }

    // The record through its text, played back into a game of its own.
    QStringList replayed(const GameRecord &record)
    {
        const GameRecordReader::Result read = GameRecordReader::read(GameRecordWriter::write(record));
        EXPECT_TRUE(read.ok()) << read.error.toStdString();
        ClientGame again;
        GameReplay replay(again);
        replay.load(read.record);
        replay.stepTo(replay.length());
        return gameStateText(again);
    }

    ClientGame game;
    GameRecorder recorder{game};
    QSignalSpy ready{&recorder, &GameRecorder::recordReady};
};

TEST_F(GameRecorderTest, APlayersRecordReplaysToItsLiveGameWithOnlyItsOwnExtras)
{
    join(1);
    playGame();
    ASSERT_EQ(ready.size(), 1);
    const GameRecord record = ready.at(0).at(0).value<GameRecord>();
    EXPECT_TRUE(record.header.finished);
    EXPECT_EQ(record.header.winner, 2);
    EXPECT_EQ(record.header.finalScores, (std::array<int, 2>{5, 13}));
    QList<int> dealt;
    for (const RecordEvent &e : record.events) {
        if (e.kind == Kind::Deal)
            dealt << e.letter;
    }
    EXPECT_EQ(dealt, (QList<int>{3, 1, 20, 19, 5, 1, 15, 2}));
    EXPECT_EQ(replayed(record), gameStateText(game));
}

TEST_F(GameRecorderTest, ASpectatorsRecordHoldsNoDealToAnotherSlotAndReplaysToItsLiveGame)
{
    join(3);
    playGame();
    ASSERT_EQ(ready.size(), 1);
    const GameRecord record = ready.at(0).at(0).value<GameRecord>();
    EXPECT_EQ(record.header.viewer, 3);
    for (const RecordEvent &e : record.events)
        EXPECT_NE(e.kind, Kind::Deal);
    EXPECT_EQ(replayed(record), gameStateText(game));
}

TEST_F(GameRecorderTest, AGameLeftBeforeItsWinnerIsHandedOutUnfinished)
{
    join(1);
    recorder.startthegame(rest(host::startgame(QStringLiteral("Ann"), 30, 12, 1)));
    recorder.getnextplayer(rest(host::nextplayer(1, 1)));
    EXPECT_TRUE(ready.isEmpty());
    recorder.leave();
    ASSERT_EQ(ready.size(), 1);
    const GameRecord record = ready.at(0).at(0).value<GameRecord>();
    EXPECT_FALSE(record.header.finished);
    EXPECT_EQ(record.events.size(), 1);
    recorder.leave();
    EXPECT_EQ(ready.size(), 1);
}

TEST_F(GameRecorderTest, ANewStartEndsTheGameBeforeItUnfinished)
{
    join(1);
    recorder.startthegame(rest(host::startgame(QStringLiteral("Ann"), 30, 12, 1)));
    recorder.startthegame(rest(host::startgame(QStringLiteral("Ann"), 30, 12, 1)));
    ASSERT_EQ(ready.size(), 1);
    EXPECT_FALSE(ready.at(0).at(0).value<GameRecord>().header.finished);
    EXPECT_TRUE(recorder.recording());
}

TEST_F(GameRecorderTest, ALateArrivalRecordsFromTheCatchUpAndReplaysToItsLiveGame)
{
    join(4);
    recorder.placetheletters(rest(host::placetheletters({{1, 1, 3}, {1, 2, 1}, {2, 5, 24}})));
    recorder.gamestats(rest(host::gamestats(30, 40, 3, 7, 2)));
    recorder.getnextplayer(rest(host::nextplayer(2, 3)));
    recorder.winner(rest(host::winner(1)));
    ASSERT_EQ(ready.size(), 1);
    const GameRecord record = ready.at(0).at(0).value<GameRecord>();
    EXPECT_FALSE(record.header.fromStart);
    EXPECT_EQ(record.header.playToScore, 40);
    EXPECT_EQ(replayed(record), gameStateText(game));
}

TEST_F(GameRecorderTest, MessagesTheGameRefusesAreNotRecorded)
{
    join(1);
    recorder.startthegame(rest(host::startgame(QStringLiteral("Ann"), 30, 12, 1)));
    recorder.placemyletter(QStringLiteral("1+1+11+3"));
    recorder.formedword(QStringLiteral("1+cat"));
    EXPECT_TRUE(recorder.current().events.isEmpty());
}

}  // namespace
