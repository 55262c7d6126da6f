// Reading protocol messages: splitting off the command, the reader's field rules,
// strict numbers and the text encoding.
#include "net/Catalogue.h"
#include "net/Message.h"

#include <gtest/gtest.h>

using namespace net;

namespace {

TEST(SplitMessage, CommandIsTextBeforeFirstPlus)
{
    const auto message = splitMessage("CMD_chat+3+Eve chats: 1+1=2|clRed");
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->command, QStringLiteral("CMD_chat"));
    EXPECT_EQ(message->rest, QStringLiteral("3+Eve chats: 1+1=2|clRed"));
}

TEST(SplitMessage, MessagesWithoutCommandAreDropped)
{
    EXPECT_FALSE(splitMessage("").has_value()) << "empty message (second login terminator)";
    EXPECT_FALSE(splitMessage("CMD_placetheletters").has_value()) << "no plus at all";
    EXPECT_FALSE(splitMessage("+1+2+").has_value()) << "empty command";
}

TEST(SplitMessage, CommandWithNothingAfterThePlusHasEmptyRest)
{
    const auto message = splitMessage("CMD_timeup+");
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->command, QStringLiteral("CMD_timeup"));
    EXPECT_TRUE(message->rest.isEmpty());
}

TEST(FieldReader, TakesFieldsFromTheFrontAndLeavesTheRest)
{
    FieldReader reader(QStringLiteral("2+Bob+the rest+with plus"));
    EXPECT_EQ(reader.takeInt(), 2);
    EXPECT_EQ(reader.takeField(), QStringLiteral("Bob"));
    EXPECT_EQ(reader.rest(), QStringLiteral("the rest+with plus"));
}

TEST(FieldReader, FieldWithoutPlusIsEmptyAndKeepsTheRest)
{
    FieldReader reader(QStringLiteral("12"));
    EXPECT_TRUE(reader.takeField().isEmpty());
    EXPECT_EQ(reader.rest(), QStringLiteral("12"));
    EXPECT_THROW(reader.takeInt(), ConversionError);
}

TEST(FieldReader, ReadsTriplesUntilTheListMark)
{
    FieldReader reader(QStringLiteral("1+3+5+2+10+26"));
    reader.beginList();
    QList<BoardLetter> read;
    while (!reader.listEnded()) {
        const int seat = reader.takeInt();
        const int position = reader.takeInt();
        const int code = reader.takeInt();
        read.append({seat, position, code});
    }
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[1].seat, 2);
    EXPECT_EQ(read[1].position, 10);
    EXPECT_EQ(read[1].code, 26);
}

TEST(FieldReader, TruncatedListRaisesConversionErrorInsteadOfLooping)
{
    FieldReader reader(QStringLiteral("1+3"));
    reader.beginList();
    EXPECT_THROW(
        {
            while (!reader.listEnded()) {
                reader.takeInt();
                reader.takeInt();
                reader.takeInt();
            }
        },
        ConversionError);
}

struct IntRow {
    const char *text;
    bool valid;
    int value;
};

class StrictNumbers : public ::testing::TestWithParam<IntRow> { };

TEST_P(StrictNumbers, ConvertOnlyDecimalIntegers)
{
    const IntRow row = GetParam();
    if (row.valid)
        EXPECT_EQ(toInt(QString::fromLatin1(row.text)), row.value);
    else
        EXPECT_THROW(toInt(QString::fromLatin1(row.text)), ConversionError);
}

INSTANTIATE_TEST_SUITE_P(Rows, StrictNumbers,
                         ::testing::Values(IntRow{"0", true, 0}, IntRow{"10000", true, 10000}, IntRow{"-7", true, -7},
                                           IntRow{"2147483647", true, 2147483647},
                                           IntRow{"-2147483648", true, -2147483647 - 1}, IntRow{"", false, 0},
                                           IntRow{"-", false, 0}, IntRow{" 5", false, 0}, IntRow{"5 ", false, 0},
                                           IntRow{"5a", false, 0}, IntRow{"0x10", false, 0}, IntRow{"1.5", false, 0},
                                           IntRow{"2147483648", false, 0}, IntRow{"99999999999", false, 0},
                                           IntRow{"@", false, 0}));

TEST(TextEncoding, NamesTravelAsUtf8AndNeverHoldTheTerminator)
{
    const QString name = QStringLiteral("Zo\u00eb \u00ff\u00fe \u4e2d");
    const QByteArray message = toClient::newplayerinfo(2, name);
    EXPECT_EQ(message.count(kTerminator), 1) << "only the final byte may be 0xFF";
    EXPECT_TRUE(message.endsWith(kTerminator));
    const auto split = splitMessage(message.chopped(1));
    ASSERT_TRUE(split.has_value());
    FieldReader reader(split->rest);
    EXPECT_EQ(reader.takeInt(), 2);
    EXPECT_EQ(reader.rest(), name);
}

TEST(TextEncoding, InvalidBytesShowAsReplacementCharacters)
{
    const auto split = splitMessage(QByteArray("CMD_chat+1+a\x80z"));
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->rest, QStringLiteral("1+a\ufffdz"));
}

}  // namespace
