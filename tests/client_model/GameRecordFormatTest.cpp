// The text form of game records: every event kind reads back as written, and every bad
// line is refused with its number and reason, keeping the events before it.
#include "ModelFakes.h"

#include "client/model/GameRecordReader.h"
#include "client/model/GameRecordWriter.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {

using Kind = RecordEvent::Kind;

GameRecord::Header header()
{
    GameRecord::Header h;
    h.date = QDateTime(QDate(2026, 12, 8), QTime(20, 15), QTimeZone::utc());
    h.names = {QStringLiteral("Ann | the best"), QStringLiteral("Vumi")};
    h.viewer = 1;
    h.playToScore = 50;
    h.timePerTurn = 30;
    h.steals = 5;
    h.computerLevel = QStringLiteral("Strong");
    return h;
}

RecordEvent event(Kind kind, int seat, std::function<void(RecordEvent &)> fill = {})
{
    RecordEvent e;
    e.kind = kind;
    e.seat = seat;
    if (fill)
        fill(e);
    return e;
}

struct KindRow {
    const char *name;
    RecordEvent event;
};

class RecordRoundTrip : public ::testing::TestWithParam<KindRow> { };

TEST_P(RecordRoundTrip, EveryEventKindReadsBackAsWritten)
{
    GameRecord record;
    record.header = header();
    record.events.append(GetParam().event);
    if (GetParam().event.kind == Kind::Winner) {
        record.header.finished = true;
        record.header.winner = GetParam().event.seat;
    }
    record.header.finalScores = GetParam().event.scores;
    const QByteArray text = GameRecordWriter::write(record);
    const GameRecordReader::Result read = GameRecordReader::read(text);
    EXPECT_TRUE(read.ok()) << read.error.toStdString() << "\n" << text.toStdString();
    EXPECT_EQ(read.record, record) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RecordRoundTrip,
    ::testing::Values(KindRow{"deal",
                              event(Kind::Deal, 0,
                                    [](RecordEvent &e) {
                                        e.extra = 6;
                                        e.letter = 26;
                                    })},
                      KindRow{"boards",
                              event(Kind::Boards, 0,
                                    [](RecordEvent &e) {
                                        e.boards[0][0] = 1;
                                        e.boards[1][9] = 26;
                                    })},
                      KindRow{"scores",
                              event(Kind::Scores, 0,
                                    [](RecordEvent &e) {
                                        e.scores = {12, 7};
                                    })},
                      KindRow{"place",
                              event(Kind::Place, 2,
                                    [](RecordEvent &e) {
                                        e.cell = 10;
                                        e.letter = 5;
                                        e.extra = 3;
                                    })},
                      KindRow{"discardLetter", event(Kind::DiscardLetter, 1, [](RecordEvent &e) { e.cell = 4; })},
                      KindRow{"discardExtra", event(Kind::DiscardExtra, 2, [](RecordEvent &e) { e.extra = 6; })},
                      KindRow{"swap",
                              event(Kind::Swap, 1,
                                    [](RecordEvent &e) {
                                        e.cell = 3;
                                        e.letter = 0;
                                        e.cell2 = 5;
                                        e.letter2 = 1;
                                    })},
                      KindRow{"steal",
                              event(Kind::Steal, 2,
                                    [](RecordEvent &e) {
                                        e.cell = 1;
                                        e.cell2 = 10;
                                        e.letter = 17;
                                    })},
                      KindRow{"word",
                              event(Kind::Word, 2,
                                    [](RecordEvent &e) {
                                        e.text = QStringLiteral("QUARTZES");
                                        e.points = 72;
                                        e.scores = {0, 72};
                                    })},
                      KindRow{"refusedNoWord", event(Kind::Refused, 1)},
                      KindRow{"refusedNoSteals",
                              event(Kind::Refused, 2,
                                    [](RecordEvent &e) { e.reason = RecordEvent::Reason::NoStealsLeft; })},
                      KindRow{"timeUp", event(Kind::TimeUp, 0)},
                      KindRow{"turn", event(Kind::Turn, 2, [](RecordEvent &e) { e.steals = 10000; })},
                      KindRow{"winner", event(Kind::Winner, 2)},
                      KindRow{"name", event(Kind::Name, 2, [](RecordEvent &e) { e.text = QStringLiteral("Bo | b"); })}),
    [](const ::testing::TestParamInfo<KindRow> &info) { return std::string(info.param.name); });

// A valid record of one event ("turn", line 13); rows replace or add lines.
QList<QByteArray> baseLines()
{
    return {"Quarn game record 1", "Date: 2026-12-08T20:15:00Z",
            "Seat1: Ann",          "Seat2: Vumi",
            "Viewer: 1",           "PlayTo: 50",
            "TimePerTurn: 30",     "Steals: 5",
            "Begins: start",       "Result: unfinished",
            "Scores: 0 0",         "",
            "turn 1 5 | 0 0"};
}

struct BadRow {
    const char *name;
    int line;  // the line replaced; past the end = added
    QByteArray text;
    int errorLine;
    const char *reason;
    int eventsKept;
};

class RecordBadLine : public ::testing::TestWithParam<BadRow> { };

TEST_P(RecordBadLine, IsRefusedWithItsNumberAndReasonKeepingTheEventsBefore)
{
    const BadRow &row = GetParam();
    QList<QByteArray> lines = baseLines();
    if (row.line <= lines.size())
        lines[row.line - 1] = row.text;
    else
        lines.append(row.text);
    const GameRecordReader::Result read = GameRecordReader::read(lines.join('\n') + '\n');
    EXPECT_EQ(read.errorLine, row.errorLine) << read.error.toStdString();
    EXPECT_TRUE(read.error.startsWith(QStringLiteral("line %1: ").arg(row.errorLine))) << read.error.toStdString();
    EXPECT_TRUE(read.error.contains(QLatin1StringView(row.reason))) << read.error.toStdString();
    EXPECT_EQ(read.record.events.size(), row.eventsKept);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RecordBadLine,
    ::testing::Values(BadRow{"notARecord", 1, "Some game 1", 1, "not a Quarn game record", 0},
                      BadRow{"unknownVersion", 1, "Quarn game record 2", 1, "format version", 0},
                      BadRow{"badDate", 2, "Date: yesterday", 2, "not a date", 0},
                      BadRow{"emptyName", 3, "Seat1: ", 3, "not a name", 0},
                      BadRow{"controlInName", 4, "Seat2: Bo\x01", 4, "not a name", 0},
                      BadRow{"viewerOutOfRange", 5, "Viewer: 10", 5, "not a number from 1 to 9", 0},
                      BadRow{"missingHeaderKey", 6, "Steals: 5", 6, "expected \"PlayTo: \"", 0},
                      BadRow{"badResult", 10, "Result: lost", 10, "expected \"won 1\"", 0},
                      BadRow{"noBlankLine", 12, "turn 1 5 | 0 0", 12, "blank line", 0},
                      BadRow{"unknownEvent", 14, "jump 1 | 0 0", 14, "not an event", 1},
                      BadRow{"noScores", 14, "turn 2 5", 14, "no \" | \"", 1},
                      BadRow{"oneScore", 14, "turn 2 5 | 0", 14, "two scores", 1},
                      BadRow{"cellOutOfRange", 14, "place 1 11 E 1 | 0 0", 14, "out of range", 1},
                      BadRow{"lowerCaseLetter", 14, "place 1 4 e 1 | 0 0", 14, "out of range", 1},
                      BadRow{"signedNumber", 14, "discard-letter 1 +4 | 0 0", 14, "out of range", 1},
                      BadRow{"fieldCount", 14, "timeup 1 | 0 0", 14, "takes 0 fields, not 1", 1},
                      BadRow{"notAWord", 14, "word 1 C4T 5 | 5 0", 14, "not a word", 1},
                      BadRow{"wordTooLong", 14, "word 1 ABCDEFGHIJK 5 | 5 0", 14, "not a word", 1},
                      BadRow{"scoreWithoutWord", 14, "turn 2 5 | 3 0", 14, "without a word", 1},
                      BadRow{"wordMovesOtherSeat", 14, "word 1 CAT 5 | 5 2", 14, "other seat", 1},
                      BadRow{"nameWithControl", 14, "name 2 Bo\tb | 0 0", 14, "not a name", 1},
                      BadRow{"notUtf8", 14, "name 2 Bo\xff | 0 0", 14, "not UTF-8", 1},
                      BadRow{"tooLong", 14, "name 2 " + QByteArray(500, 'x') + " | 0 0", 14, "longer than", 1},
                      BadRow{"winnerInUnfinished", 14, "winner 1 | 0 0", 14, "says unfinished", 2},
                      BadRow{"finalScoresDiffer", 11, "Scores: 5 0", 11, "final scores differ", 1},
                      BadRow{"winnerMissing", 10, "Result: won 1", 10, "do not end with this winner", 1}),
    [](const ::testing::TestParamInfo<BadRow> &info) { return std::string(info.param.name); });

TEST(RecordReader, AnEventAfterTheWinnerIsRefused)
{
    QList<QByteArray> lines = baseLines();
    lines[9] = "Result: won 1";
    lines << "winner 1 | 0 0"
          << "turn 2 5 | 0 0";
    const GameRecordReader::Result read = GameRecordReader::read(lines.join('\n'));
    EXPECT_EQ(read.errorLine, 15) << read.error.toStdString();
    EXPECT_TRUE(read.error.contains(QStringLiteral("after the winner")));
    EXPECT_EQ(read.record.events.size(), 2);
}

TEST(RecordReader, TextOverTheSizeLimitIsRefusedWhole)
{
    QByteArray text = baseLines().join('\n') + '\n';
    while (text.size() <= GameRecordReader::kMaxBytes)
        text += "turn 1 5 | 0 0\n";
    const GameRecordReader::Result read = GameRecordReader::read(text);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.errorLine, 0);
    EXPECT_TRUE(read.record.events.isEmpty());
    EXPECT_FALSE(read.headerRead);
}

TEST(RecordWriter, NamesLoseControlCharactersAndReadBack)
{
    GameRecord record;
    record.header = header();
    record.header.names[0] = QStringLiteral("Ann\nResult: won 2\r") + QString(300, u'x');
    const GameRecordReader::Result read = GameRecordReader::read(GameRecordWriter::write(record));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.record.header.names[0], GameRecordWriter::cleanName(record.header.names[0]));
    EXPECT_FALSE(read.record.header.finished);
}

}  // namespace
