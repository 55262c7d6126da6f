// Stepping through a recorded game: any position reached forwards or backwards gives the
// same game, and positions stay within the record.
#include "ModelFakes.h"

#include "client/model/GameRecordReader.h"
#include "client/model/GameReplay.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kRecord = "Quarn game record 1\n"
                           "Date: 2026-12-08T20:15:00Z\n"
                           "Seat1: Ann\n"
                           "Seat2: Vumi\n"
                           "Viewer: 1\n"
                           "PlayTo: 8\n"
                           "TimePerTurn: 30\n"
                           "Steals: 2\n"
                           "Begins: start\n"
                           "Result: won 1\n"
                           "Scores: 5 0\n"
                           "\n"
                           "deal 1 C | 0 0\n"
                           "deal 2 A | 0 0\n"
                           "turn 1 2 | 0 0\n"
                           "place 1 1 C 1 | 0 0\n"
                           "turn 2 2 | 0 0\n"
                           "place 2 3 X 4 | 0 0\n"
                           "turn 1 2 | 0 0\n"
                           "place 1 2 A 2 | 0 0\n"
                           "steal 1 3 3 X | 0 0\n"
                           "word 1 CAX 5 | 5 0\n"
                           "winner 1 | 5 0\n";

QStringList stateOf(const ClientGame &game)
{
    QStringList state;
    for (int seat = 1; seat <= 2; ++seat) {
        QString row = QStringLiteral("%1:").arg(game.seat(seat)->score);
        for (int p = 1; p <= 10; ++p)
            row += QLatin1Char(' ') + QString::number(game.cell(seat, p));
        state << row;
    }
    for (int e = 1; e <= 6; ++e)
        state << QString::number(game.extra(e));
    state << QString::number(game.ownWords().size()) << QString::number(game.whoseTurn())
          << QString::number(game.winner());
    return state;
}

class GameReplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const GameRecordReader::Result read = GameRecordReader::read(kRecord);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        replay.load(read.record);
    }
    ClientGame game;
    GameReplay replay{game};
};

TEST_F(GameReplayTest, EveryPositionReachedBackwardsEqualsThatPositionReachedFromTheStart)
{
    QList<QStringList> forwards;
    for (int n = 0; n <= replay.length(); ++n) {
        replay.stepTo(n);
        forwards << stateOf(game);
    }
    for (int n = replay.length(); n >= 0; --n) {
        replay.stepTo(n);
        EXPECT_EQ(stateOf(game), forwards[n]) << "position " << n;
    }
}

TEST_F(GameReplayTest, TheEndShowsTheWinnerWordAndBoardsWithNoClockRunning)
{
    replay.stepTo(replay.length());
    EXPECT_EQ(game.winner(), 1);
    EXPECT_EQ(game.seat(1)->score, 5);
    ASSERT_EQ(game.ownWords().size(), 1);
    EXPECT_EQ(game.ownWords().front().word, QStringLiteral("CAX"));
    EXPECT_EQ(game.cell(1, 3), 24);
    EXPECT_EQ(game.cell(2, 3), 0);
    EXPECT_FALSE(game.turntimer().isActive());
}

TEST_F(GameReplayTest, TheStartShowsTheNamesAndEmptyBoards)
{
    replay.stepTo(replay.length());
    replay.stepTo(0);
    EXPECT_EQ(game.seatName(2), QStringLiteral("Vumi"));
    EXPECT_EQ(game.ownSlot(), 1);
    EXPECT_EQ(stateOf(game),
              (QStringList{QStringLiteral("0: 0 0 0 0 0 0 0 0 0 0"), QStringLiteral("0: 0 0 0 0 0 0 0 0 0 0"), "0", "0",
                           "0", "0", "0", "0", "0", "0", "0"}));
}

TEST_F(GameReplayTest, PositionsOutsideTheRecordAreClamped)
{
    replay.stepTo(1000);
    EXPECT_EQ(replay.position(), replay.length());
    replay.stepTo(-5);
    EXPECT_EQ(replay.position(), 0);
}

TEST(GameReplayTexts, EventsAfterASeatChangesHandsNameItsNewHolder)
{
    QByteArray text = kRecord;
    text.replace("turn 1 2 | 0 0\nplace 1 2 A 2", "name 1 Ann's cat | 0 0\nturn 1 2 | 0 0\nplace 1 2 A 2");
    const GameRecordReader::Result read = GameRecordReader::read(text);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ClientGame game;
    GameReplay replay(game);
    replay.load(read.record);
    const QStringList texts = replay.eventTexts();
    ASSERT_EQ(texts.size(), 12);
    EXPECT_TRUE(texts[2].startsWith(QStringLiteral("Ann "))) << texts[2].toStdString();
    EXPECT_TRUE(texts[7].startsWith(QStringLiteral("Ann's cat "))) << texts[7].toStdString();
    replay.stepTo(replay.length());
    EXPECT_EQ(game.seatName(1), QStringLiteral("Ann's cat"));
}

}  // namespace
