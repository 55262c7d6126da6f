// Cutting received bytes into whole messages: splits across reads, several messages in
// one read, empty messages, and what happens to overlong ones.
#include "net/MessageFramer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using net::MessageFramer;

QByteArray bytes(const std::string &text)
{
    QByteArray result(text.data(), static_cast<qsizetype>(text.size()));
    result.replace('|', '\xFF');  // '|' stands for the terminator in the cases below
    return result;
}

struct FramingCase {
    const char *name;
    std::vector<std::string> reads;
    std::vector<std::string> messages;
    std::size_t pending;
};

class FramingTest : public testing::TestWithParam<FramingCase> { };

TEST_P(FramingTest, ReadsBecomeWholeMessagesInOrder)
{
    MessageFramer framer;
    QList<QByteArray> out;
    for (const std::string &read : GetParam().reads)
        ASSERT_TRUE(framer.append(bytes(read), out));
    std::vector<std::string> got;
    for (const QByteArray &message : out)
        got.push_back(message.toStdString());
    EXPECT_EQ(got, GetParam().messages);
    EXPECT_EQ(static_cast<std::size_t>(framer.pendingSize()), GetParam().pending);
}

INSTANTIATE_TEST_SUITE_P(
    Framer, FramingTest,
    testing::Values(
        FramingCase{"OneMessage", {"CMD_chat+1+hi|"}, {"CMD_chat+1+hi"}, 0},
        FramingCase{"ThreeInOneRead", {"CMD_a+1|CMD_b+2|CMD_c+3|"}, {"CMD_a+1", "CMD_b+2", "CMD_c+3"}, 0},
        FramingCase{"SplitAcrossTwoReadsIsKept", {"CMD_chat+1+he", "llo|"}, {"CMD_chat+1+hello"}, 0},
        FramingCase{"SplitInThreeReads", {"CMD_", "chat+1", "+x|CMD_b"}, {"CMD_chat+1+x"}, 5},
        FramingCase{"TerminatorAloneInARead", {"CMD_a+1", "|"}, {"CMD_a+1"}, 0},
        FramingCase{
            "DoubleTerminatorGivesEmptyMessage", {"CMD_logininfo+2+1.0.6+Ann||"}, {"CMD_logininfo+2+1.0.6+Ann", ""}, 0},
        FramingCase{"OnlyTerminators", {"||"}, {"", ""}, 0},
        FramingCase{"TailWaitsForTheRest", {"CMD_a+1|CMD_b"}, {"CMD_a+1"}, 5}, FramingCase{"NoBytes", {""}, {}, 0}),
    [](const testing::TestParamInfo<FramingCase> &info) { return std::string(info.param.name); });

TEST(MessageFramer, AMessageOfExactlyTheLimitIsAccepted)
{
    MessageFramer framer;
    QList<QByteArray> out;
    const QByteArray body(MessageFramer::kMaxMessageSize, 'a');
    ASSERT_TRUE(framer.append(body.left(1000), out));
    ASSERT_TRUE(framer.append(body.mid(1000), out));
    ASSERT_TRUE(framer.append(QByteArray(1, '\xFF'), out));
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out.first(), body);
}

// An over-long message costs the sender that message only: it is dropped as it arrives
// (nothing of it is kept), and the message after its terminator comes through.
TEST(MessageFramer, AnOverlongTerminatedMessageIsSkippedAndTheStreamGoesOn)
{
    for (const qsizetype split : {qsizetype(0), qsizetype(1000), MessageFramer::kMaxMessageSize + 1}) {
        SCOPED_TRACE(split);
        MessageFramer framer;
        QList<QByteArray> out;
        QByteArray stream =
            "CMD_a+1\xFF" + QByteArray(MessageFramer::kMaxMessageSize + 1, 'a') + "\xFF" + "CMD_b+2\xFF";
        if (split > 0) {
            ASSERT_TRUE(framer.append(stream.left(split), out));
            EXPECT_LE(framer.pendingSize(), MessageFramer::kMaxMessageSize);
            stream = stream.mid(split);
        }
        ASSERT_TRUE(framer.append(stream, out));
        EXPECT_EQ(out, (QList<QByteArray>{"CMD_a+1", "CMD_b+2"}));
        EXPECT_EQ(framer.skippedMessages(), 1);
        EXPECT_FALSE(framer.broken());
    }
}

TEST(MessageFramer, AStreamWithoutTerminatorBeyondTheBoundIsBroken)
{
    MessageFramer framer;
    QList<QByteArray> out;
    const QByteArray chunk(32768, 'a');
    qsizetype sent = 0;
    while (sent + chunk.size() <= MessageFramer::kMaxUnterminated) {
        ASSERT_TRUE(framer.append(chunk, out));
        EXPECT_EQ(framer.pendingSize(), sent + chunk.size() > MessageFramer::kMaxMessageSize ? 0 : sent + chunk.size());
        sent += chunk.size();
    }
    EXPECT_FALSE(framer.append(chunk, out));
    EXPECT_TRUE(framer.broken());
    // Once broken, nothing more comes out, even a well-formed message.
    EXPECT_FALSE(framer.append(QByteArray("\xFF"
                                          "CMD_a+1\xFF"),
                               out));
    EXPECT_TRUE(out.isEmpty());

    framer.clear();
    ASSERT_TRUE(framer.append(QByteArray("CMD_a+1\xFF"), out));
    EXPECT_EQ(out, QList<QByteArray>{"CMD_a+1"});
}

}  // namespace
