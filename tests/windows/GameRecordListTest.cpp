// The list of game records and the replay window: the records newest first, a deletion
// only after a yes, files that cannot be replayed refused with a message, a record read
// up to a bad line replayed up to there, and the replay stepped by its keys and its
// Play button.
#include "windows/GameRecordList.h"
#include "windows/ReplayWindow.h"

#include "client/model/GameRecordWriter.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

const QByteArray kSample = R"(Quarn game record 1
Date: 2026-12-08T20:15:00Z
Seat1: Ann
Seat2: Vumi
Viewer: 1
PlayTo: 20
TimePerTurn: 30
Steals: 5
Computer: Classic
Begins: start
Result: won 1
Scores: 34 14

deal 1 C | 0 0
deal 2 A | 0 0
deal 3 T | 0 0
deal 4 S | 0 0
deal 5 E | 0 0
deal 6 R | 0 0
turn 1 5 | 0 0
place 1 4 C 1 | 0 0
deal 1 O | 0 0
turn 2 5 | 0 0
place 2 3 D 2 | 0 0
turn 1 5 | 0 0
place 1 5 A 2 | 0 0
deal 2 N | 0 0
turn 2 5 | 0 0
place 2 4 O 5 | 0 0
word 2 DO 3 | 0 3
turn 1 5 | 0 3
place 1 6 T 3 | 0 3
word 1 CAT 5 | 5 3
deal 3 L | 5 3
turn 2 5 | 5 3
place 2 5 G 1 | 5 3
word 2 DOG 5 | 5 8
turn 1 5 | 5 8
refused 1 not-a-word | 5 8
swap 1 4 A 5 C | 5 8
place 1 7 S 4 | 5 8
word 1 ACTS 6 | 11 8
deal 4 I | 11 8
turn 2 5 | 11 8
timeup | 11 8
turn 1 5 | 11 8
discard-extra 1 4 | 11 8
deal 4 E | 11 8
turn 2 5 | 11 8
steal 2 6 7 S | 11 8
word 2 DOGS 6 | 11 14
turn 1 5 | 11 14
place 1 7 O 1 | 11 14
deal 1 M | 11 14
turn 2 4 | 11 14
discard-extra 2 1 | 11 14
turn 1 5 | 11 14
place 1 8 R 6 | 11 14
word 1 ACTOR 7 | 18 14
deal 6 S | 18 14
turn 2 4 | 18 14
discard-letter 2 6 | 18 14
turn 1 5 | 18 14
place 1 9 S 6 | 18 14
word 1 ACTORS 16 | 34 14
winner 1 | 34 14
)";

GameRecord recordOf(const QString &first, const QString &second, int day, bool finished)
{
    GameRecord record;
    GameRecord::Header &h = record.header;
    h.date = QDateTime(QDate(2026, 12, day), QTime(20, 15), QTimeZone::utc());
    h.names = {first, second};
    h.viewer = 1;
    h.playToScore = 20;
    h.timePerTurn = 30;
    h.steals = 5;
    if (finished) {
        RecordEvent won;
        won.kind = RecordEvent::Kind::Winner;
        won.seat = 2;
        record.events.append(won);
        h.finished = true;
        h.winner = 2;
    }
    return record;
}

void saveScreenshot(QWidget &window, const QString &file)
{
    const QString dir = qEnvironmentVariable("QUARN_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        window.grab().save(QDir(dir).filePath(file));
}

class GameRecordListTest : public ::testing::Test {
protected:
    QString write(const QString &name, const QByteArray &bytes)
    {
        QFile file(QDir(folder.path()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QStringList players() const
    {
        QStringList shown;
        for (int row = 0; row < list.table()->rowCount(); ++row)
            shown << list.table()->item(row, 1)->text();
        return shown;
    }

    QTemporaryDir folder;
    GameRecordStore store{folder.path()};
    GameRecordList list{store};
    QStringList questions;
    QStringList told;
    bool answer = false;

    void SetUp() override
    {
        list.setConfirm([this](const QString &question) {
            questions << question;
            return answer;
        });
        list.setInform([this](const QString &text) { told << text; });
    }
};

TEST_F(GameRecordListTest, RecordsAreListedNewestFirst)
{
    store.save(recordOf(QStringLiteral("Cy"), QStringLiteral("Dee"), 7, true));
    store.save(recordOf(QStringLiteral("Eve"), QStringLiteral("Fay"), 9, false));
    store.save(recordOf(QStringLiteral("Ann"), QStringLiteral("Bob"), 6, true));
    write(QStringLiteral("shared.quarngame"), kSample);  // 8 December
    list.present();
    ASSERT_EQ(list.entries().size(), 4);
    EXPECT_TRUE(players()[0].contains(QStringLiteral("Eve")));
    EXPECT_TRUE(players()[1].contains(QStringLiteral("Vumi")));
    EXPECT_TRUE(players()[2].contains(QStringLiteral("Cy")));
    EXPECT_TRUE(players()[3].contains(QStringLiteral("Bob")));
    list.table()->selectRow(1);
    saveScreenshot(list, QStringLiteral("game-records.png"));
}

TEST_F(GameRecordListTest, DeleteRemovesTheRecordOnlyAfterAYes)
{
    const QString path = store.save(recordOf(QStringLiteral("Ann"), QStringLiteral("Bob"), 8, true));
    list.refresh();
    list.table()->selectRow(0);
    answer = false;
    list.deleteSelected();
    EXPECT_EQ(questions.size(), 1);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(list.entries().size(), 1);
    list.table()->selectRow(0);
    answer = true;
    list.deleteSelected();
    EXPECT_EQ(questions.size(), 2);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(list.entries().isEmpty());
}

TEST_F(GameRecordListTest, AFileThatIsNoRecordOrTooLargeIsRefusedWithAMessage)
{
    list.openPath(write(QStringLiteral("notes.txt"), "shopping list\n"));
    list.openPath(write(QStringLiteral("huge.quarngame"), kSample + QByteArray(2 * 1024 * 1024, '#')));
    ASSERT_EQ(told.size(), 2);
    EXPECT_TRUE(told[0].contains(QStringLiteral("not a Quarn game record")));
    EXPECT_TRUE(told[1].contains(QStringLiteral("larger than")));
    EXPECT_FALSE(list.replayWindow()->isVisible());
}

TEST_F(GameRecordListTest, ARecordWithABadLineReplaysUpToThereAndShowsTheError)
{
    QByteArray broken = kSample;
    broken.replace("timeup | 11 8", "timeup now | 11 8");
    list.openPath(write(QStringLiteral("friend.quarngame"), broken));
    ReplayWindow &replay = *list.replayWindow();
    EXPECT_TRUE(told.isEmpty());
    ASSERT_TRUE(replay.isVisible());
    EXPECT_EQ(replay.replay().length(), 31);
    EXPECT_TRUE(replay.errorLabel()->isVisibleTo(&replay));
    EXPECT_TRUE(replay.errorLabel()->text().contains(QStringLiteral("line 45")));
}

TEST_F(GameRecordListTest, ArrowKeysStepAndHomeAndEndJump)
{
    list.openPath(write(QStringLiteral("game.quarngame"), kSample));
    ReplayWindow &replay = *list.replayWindow();
    replay.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&replay));
    QTest::keyClick(&replay, Qt::Key_Right);
    QTest::keyClick(&replay, Qt::Key_Right);
    EXPECT_EQ(replay.replay().position(), 2);
    QTest::keyClick(&replay, Qt::Key_Left);
    EXPECT_EQ(replay.replay().position(), 1);
    QTest::keyClick(&replay, Qt::Key_End);
    EXPECT_EQ(replay.replay().position(), replay.replay().length());
    EXPECT_EQ(replay.game().winner(), 1);
    QTest::keyClick(&replay, Qt::Key_Home);
    EXPECT_EQ(replay.replay().position(), 0);
    QTest::keyClick(&replay, Qt::Key_End);
    for (int n = 0; n < 4; ++n)
        QTest::keyClick(&replay, Qt::Key_Left);
    saveScreenshot(replay, QStringLiteral("game-replay.png"));
}

TEST_F(GameRecordListTest, PlayRunsToTheEndAtTheChosenSpeedAndStops)
{
    list.openPath(write(QStringLiteral("game.quarngame"), kSample));
    ReplayWindow &replay = *list.replayWindow();
    replay.setSpeed(0);
    replay.last();
    for (int n = 0; n < 3; ++n)
        replay.previous();
    QTest::mouseClick(replay.playButton(), Qt::LeftButton);
    EXPECT_TRUE(replay.playing());
    EXPECT_EQ(replay.interval(), ReplayWindow::kSpeeds[0]);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !replay.playing(); }, 5000));
    EXPECT_EQ(replay.replay().position(), replay.replay().length());
}

}  // namespace
