// The run structure of chat lines: prefix and colon, action lines, words, smiley codes
// in and out of range, links against capitals, and a line's colour.
#include "client/ChatLineBuilder.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

ChatItem T(const char *text)
{
    return {ChatItem::Kind::Text, QString::fromUtf8(text), 0};
}
ChatItem L(const char *text)
{
    return {ChatItem::Kind::Link, QString::fromUtf8(text), 0};
}
ChatItem S(int index)
{
    return {ChatItem::Kind::Smiley, QString(), index};
}

}  // namespace

void PrintTo(const ChatItem &item, std::ostream *os)
{
    static const char *kinds[] = {"T", "L", "S"};
    *os << kinds[static_cast<int>(item.kind)] << "(";
    if (item.kind == ChatItem::Kind::Smiley)
        *os << item.smiley;
    else
        *os << '"' << item.text.toStdString() << '"';
    *os << ")";
}

namespace {

struct LineRow {
    const char *rule;
    const char *line;
    QList<ChatItem> items;
};

void PrintTo(const LineRow &row, std::ostream *os)
{
    *os << row.rule;
}

class ChatLineRuns : public ::testing::TestWithParam<LineRow> { };

TEST_P(ChatLineRuns, BuildsTheItemsInOrder)
{
    const LineRow &row = GetParam();
    const ChatLine line = ChatLineBuilder::build(QString::fromUtf8(row.line), QColor(1, 2, 3));
    EXPECT_EQ(line.items, row.items);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChatLineRuns,
    ::testing::Values(
        LineRow{"notice without colon: lone space, then words",
                "0+You are Connected.",
                {T(" "), T("You "), T("are "), T("Connected. ")}},
        LineRow{"chat: prefix up to the colon, a space word after it",
                "3+Bob chats: hello there",
                {T("Bob chats: "), T(" "), T("hello "), T("there ")}},
        LineRow{"action without colon starts with a lone space", "2+Bob waves", {T(" "), T("Bob "), T("waves ")}},
        LineRow{"action: the first colon of the text ends the prefix",
                "2+Bob says: Good: one",
                {T("Bob says: "), T(" "), T("Good: "), T("one ")}},
        LineRow{"double spaces give a lone space word", "0+a  b", {T(" "), T("a "), T(" "), T("b ")}},
        LineRow{"no number and plus: whole line", "plain", {T(" "), T("plain ")}},
        LineRow{"nothing after the prefix", "0+", {T(" ")}},
        LineRow{"smiley 12 between words", "1+Al chats: a:)#12b", {T("Al chats: "), T(" "), T("a "), S(2), T("b ")}},
        LineRow{"smiley codes at the ends of the range",
                "1+A: :)#10:)#27",
                {T("A: "), T(" "), T(" "), S(0), T(" "), S(17)}},
        LineRow{"code out of range shows image 0", "1+A: x:)#30y", {T("A: "), T(" "), T("x "), S(0), T("y ")}},
        LineRow{"code that is no number shows image 0", "1+A: x:)#aby", {T("A: "), T(" "), T("x "), S(0), T("y ")}},
        LineRow{"a line ending in the smiley mark shows image 0", "1+A: x:)#", {T("A: "), T(" "), T("x "), S(0)}},
        LineRow{"a one-character code is cut too", "1+A: x:)#1", {T("A: "), T(" "), T("x "), S(0)}},
        LineRow{"a smiley before any colon gives the prefix its colon", "0+x:)#12", {T("x: "), T(")#12 ")}},
        LineRow{"www. and http:// make links",
                "1+A: see www.quarn.net and http://x.org/a",
                {T("A: "), T(" "), T("see "), L("www.quarn.net "), T("and "), L("http://x.org/a ")}},
        LineRow{"an invite link in any case makes a link",
                "1+A: join quarn://192.0.2.10:7772 or Quarn://[2001:db8::1]",
                {T("A: "), T(" "), T("join "), L("quarn://192.0.2.10:7772 "), T("or "), L("Quarn://[2001:db8::1] ")}},
        LineRow{"capitals stay plain text",
                "1+A: WWW.QUARN.NET HTTP://X.ORG",
                {T("A: "), T(" "), T("WWW.QUARN.NET "), T("HTTP://X.ORG ")}},
        LineRow{"the colon of http:// in a line without prefix ends the prefix",
                "0+see http://x.org",
                {T("see http: "), T("//x.org ")}},
        LineRow{"a link inside the prefix stays in the prefix", "1+www.a.b: hi", {T("www.a.b: "), T(" "), T("hi ")}},
        LineRow{"a link before a smiley", "1+A: www.a.b:)#11", {T("A: "), T(" "), L("www.a.b "), S(1)}}));

TEST(ChatLineBuilder, EveryLineKeepsItsColour)
{
    EXPECT_EQ(ChatLineBuilder::build(QStringLiteral("0+x"), QColor(27, 98, 131)).colour, QColor(27, 98, 131));
}

TEST(ChatLineBuilder, SmileyIndexReadsOnlyTwoDigitCodesFrom10To27)
{
    EXPECT_EQ(ChatLineBuilder::smileyIndex(QStringLiteral("10")), 0);
    EXPECT_EQ(ChatLineBuilder::smileyIndex(QStringLiteral("19")), 9);
    EXPECT_EQ(ChatLineBuilder::smileyIndex(QStringLiteral("27")), 17);
    for (const char *bad : {"09", "28", "-1", " 1", "1", "", "1a"})
        EXPECT_EQ(ChatLineBuilder::smileyIndex(QString::fromLatin1(bad)), 0) << bad;
}

// Past the cap, web addresses of the same line are plain words.
TEST(ChatLineBuilder, LinksPastTheCapOfALineArePlainText)
{
    const int cap = ChatLineBuilder::kLinksPerLine;
    const ChatLine line = ChatLineBuilder::build(
        QStringLiteral("1+A: ") + QStringLiteral("www.a ").repeated(cap + 3).trimmed(), Qt::black);
    QList<ChatItem> words = line.items.mid(2);
    ASSERT_EQ(words.size(), cap + 3);
    for (int i = 0; i < words.size(); ++i)
        EXPECT_EQ(words[i], (i < cap ? L("www.a ") : T("www.a "))) << "word " << i;
}

}  // namespace
