// Composing and reading protocol messages: exact bytes of every catalogue entry,
// the reader's field rules, strict numbers and the text encoding.
#include "net/Catalogue.h"
#include "net/Message.h"

#include <gtest/gtest.h>

#include <functional>

using namespace net;

namespace {

QByteArray wire(const char *text)
{
    QByteArray bytes(text);
    bytes.replace('#', kTerminator);  // '#' stands for the terminator in the expectations below
    return bytes;
}

struct CatalogueRow {
    const char *name;
    std::function<QByteArray()> compose;
    const char *expected;
};

class CatalogueTest : public ::testing::TestWithParam<CatalogueRow> {};

TEST_P(CatalogueTest, ComposesExactBytes)
{
    EXPECT_EQ(GetParam().compose(), wire(GetParam().expected));
}

const CatalogueRow kRows[] = {
    // Requests from a client.
    {"logininfo", [] { return toHost::logininfo(2, QStringLiteral("1.0.6"), QStringLiteral("Ann")); }, "CMD_logininfo+2+1.0.6+Ann##"},
    {"kickhim", [] { return toHost::kickhim(1, 4); }, "CMD_kickhim+1+4+#"},
    {"chat", [] { return toHost::chat(3, QStringLiteral("hi there"), QStringLiteral("clBlack")); }, "CMD_chat+3+hi there|clBlack#"},
    {"action", [] { return toHost::action(1, QStringLiteral("says: Good One!"), QStringLiteral("$00FF0000")); }, "CMD_action+1+says: Good One!|$00FF0000#"},
    {"justwatch", [] { return toHost::justwatch(2, 1); }, "CMD_justwatch+2+1#"},
    {"startgame unlimited", [] { return toHost::startgame(QStringLiteral("You"), 30, 200, 10000); }, "CMD_startgame+You+30+200+10000+#"},
    {"placemyletter", [] { return toHost::placemyletter(1, 6, 10); }, "CMD_placemyletter+1+6+10+#"},
    {"tradingmyletter", [] { return toHost::tradingmyletter(2, 3, 3); }, "CMD_tradingmyletter+2+3+3+#"},
    {"stealinghisletter", [] { return toHost::stealinghisletter(1, 7, 2); }, "CMD_stealinghisletter+1+7+2+#"},
    {"discardletter", [] { return toHost::discardletter(2, 1); }, "CMD_discardletter+2+1+#"},
    {"discardextra", [] { return toHost::discardextra(1, 5); }, "CMD_discardextra+1+5+#"},
    {"playasound", [] { return toHost::playasound(1, QStringLiteral("wave13")); }, "CMD_playasound+1+wave13+#"},
    // Messages from the host.
    {"sendlogininfo", [] { return toClient::sendlogininfo(3); }, "CMD_sendlogininfo+3#"},
    {"full", [] { return toClient::full(); }, "CMD_full+#"},
    {"newplayerinfo", [] { return toClient::newplayerinfo(2, QStringLiteral("Bo+b")); }, "CMD_newplayerinfo+2+Bo+b#"},
    {"existingplayers", [] { return toClient::existingplayers(1, QStringLiteral("You")); }, "CMD_existingplayers+1+You#"},
    {"havewrongversion", [] { return toClient::havewrongversion(QStringLiteral("Zed")); }, "CMD_havewrongversion+Zed#"},
    {"wrongversion", [] { return toClient::wrongversion(); }, "CMD_wrongversion+#"},
    {"letters", [] { return toClient::letters(2, {{1, 5}, {2, 26}, {6, 1}}); }, "CMD_letters+2+1+5+2+26+6+1#"},
    {"letters without pairs", [] { return toClient::letters(1, {}); }, "CMD_letters+1#"},
    {"placetheletters", [] { return toClient::placetheletters({{1, 1, 3}, {2, 10, 20}}); }, "CMD_placetheletters+1+1+3+2+10+20#"},
    {"placetheletters empty", [] { return toClient::placetheletters({}); }, "CMD_placetheletters#"},
    {"gamestats", [] { return toClient::gamestats(30, 200, 5, 17, 0); }, "CMD_gamestats+30+200+5+17+0+#"},
    {"playerdisconnected", [] { return toClient::playerdisconnected(4, QStringLiteral("Eve")); }, "CMD_playerdisconnected+4+Eve#"},
    {"chat relay", [] { return toClient::chat(3, QStringLiteral("Eve"), QStringLiteral("a+b|clRed")); }, "CMD_chat+3+Eve chats: a+b|clRed#"},
    {"action relay", [] { return toClient::action(1, QStringLiteral("You"), QStringLiteral("waves|clBlue")); }, "CMD_action+1+You waves|clBlue#"},
    {"playasound relay", [] { return toClient::playasound(2, QStringLiteral("wave4+")); }, "CMD_playasound+2+wave4+#"},
    {"justwatching", [] { return toClient::justwatching(1, QStringLiteral("2")); }, "CMD_justwatching+1+2#"},
    {"startgame", [] { return toClient::startgame(QStringLiteral("Ann"), 20, 1000, 0); }, "CMD_startgame+Ann+20+1000+0+#"},
    {"newletter", [] { return toClient::newletter(2, 6, 17); }, "CMD_newletter+2+6+17+#"},
    {"nextplayer", [] { return toClient::nextplayer(1, -2); }, "CMD_nextplayer+1+-2+#"},
    {"placemyletter", [] { return toClient::placemyletter(1, 3, 4, 9); }, "CMD_placemyletter+1+3+4+9+#"},
    {"tradingmyletter", [] { return toClient::tradingmyletter(2, 1, 0, 5, 3); }, "CMD_tradingmyletter+2+1+0+5+3+#"},
    {"stoldletter", [] { return toClient::stoldletter(1, 2, 4, 9, 26); }, "CMD_stoldletter+1+2+4+9+26+#"},
    {"notvalid", [] { return toClient::notvalid(2); }, "CMD_notvalid+2+#"},
    {"toomany", [] { return toClient::toomany(1); }, "CMD_toomany+1+#"},
    {"discardletter", [] { return toClient::discardletter(1, 10); }, "CMD_discardletter+1+10+#"},
    {"discardextra", [] { return toClient::discardextra(2, 4); }, "CMD_discardextra+2+4+#"},
    {"formedword", [] { return toClient::formedword(1, QStringLiteral("cat"), 5, 42); }, "CMD_formedword+1+cat+5+42+#"},
    {"timeup", [] { return toClient::timeup(); }, "CMD_timeup+#"},
    {"winner", [] { return toClient::winner(2); }, "CMD_winner+2+#"},
};

INSTANTIATE_TEST_SUITE_P(EveryMessage, CatalogueTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<CatalogueRow> &info) {
                             std::string name = std::to_string(info.index) + "_" + info.param.name;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

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

class StrictNumbers : public ::testing::TestWithParam<IntRow> {};

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

} // namespace
