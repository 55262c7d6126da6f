// The message catalogue: every composer's exact bytes and its decoder reading them back,
// the decoders' grammar rules, and the rests they must refuse.
#include "net/Catalogue.h"
#include "net/Message.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <set>

using namespace net;

namespace {

QByteArray wire(const char *text)
{
    QByteArray bytes(text);
    bytes.replace('#', kTerminator);  // '#' stands for the terminator in the expectations below
    return bytes;
}

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

using Check = std::function<void(const QString &rest)>;

// Decoding a rest must give exactly `expected`.
template <typename T> Check decodesTo(std::optional<T> (*decode)(const QString &), T expected)
{
    return [decode, expected](const QString &rest) {
        const std::optional<T> decoded = decode(rest);
        ASSERT_TRUE(decoded.has_value()) << "refused: " << rest.toStdString();
        EXPECT_EQ(*decoded, expected) << "rest: " << rest.toStdString();
    };
}

template <typename T> std::function<bool(const QString &)> accepts(std::optional<T> (*decode)(const QString &))
{
    return [decode](const QString &rest) { return decode(rest).has_value(); };
}

template <typename Row> std::string rowName(const ::testing::TestParamInfo<Row> &info)
{
    std::string name = std::to_string(info.index) + "_" + info.param.name;
    for (char &c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

// --- every message, composed and decoded ---------------------------------------------

struct MessageRow {
    const char *name;
    QByteArray message;  // as composed
    const char *wire;
    Check decodesBack;
};

class Catalogue : public ::testing::TestWithParam<MessageRow> { };

void PrintTo(const MessageRow &row, std::ostream *out)
{
    *out << row.name;
}

TEST_P(Catalogue, ComposesExactBytes)
{
    EXPECT_EQ(GetParam().message, wire(GetParam().wire));
}

TEST_P(Catalogue, DecodesWhatWasComposed)
{
    const QByteArray &message = GetParam().message;
    const auto split = splitMessage(message.left(message.indexOf(kTerminator)));
    ASSERT_TRUE(split.has_value());
    GetParam().decodesBack(split->rest);
}

const MessageRow kRequests[] = {
    {"logininfo", toHost::logininfo(9, "1.0.6", text("Ann+Zoë 中")), "CMD_logininfo+9+1.0.6+Ann+Zoë 中##",
     decodesTo(&toHost::decode::logininfo, toHost::Login{9, "1.0.6", text("Ann+Zoë 中")})},
    {"kickhim", toHost::kickhim(1, 9), "CMD_kickhim+1+9+#", decodesTo(&toHost::decode::kickhim, toHost::Kick{1, 9})},
    {"chat", toHost::chat(3, text("1+1=2, ça va?"), "clBlack"), "CMD_chat+3+1+1=2, ça va?|clBlack#",
     decodesTo(&toHost::decode::chat, ChatLine{3, text("1+1=2, ça va?"), "clBlack"})},
    {"action", toHost::action(1, "says: Good One!", "$00FF0000"), "CMD_action+1+says: Good One!|$00FF0000#",
     decodesTo(&toHost::decode::action, ChatLine{1, "says: Good One!", "$00FF0000"})},
    {"justwatch", toHost::justwatch(2, 1), "CMD_justwatch+2+1#",
     decodesTo(&toHost::decode::justwatch, JustWatch{2, true})},
    {"startgame", toHost::startgame("You", 30, 200, 10000), "CMD_startgame+You+30+200+10000+#",
     decodesTo(&toHost::decode::startgame, StartGame{"You", 30, 200, 10000})},
    {"placemyletter", toHost::placemyletter(1, 6, 10), "CMD_placemyletter+1+6+10+#",
     decodesTo(&toHost::decode::placemyletter, toHost::Place{1, 6, 10})},
    {"tradingmyletter", toHost::tradingmyletter(2, 1, 10), "CMD_tradingmyletter+2+1+10+#",
     decodesTo(&toHost::decode::tradingmyletter, toHost::Trade{2, 1, 10})},
    {"stealinghisletter", toHost::stealinghisletter(1, 7, 2), "CMD_stealinghisletter+1+7+2+#",
     decodesTo(&toHost::decode::stealinghisletter, toHost::Steal{1, 7, 2})},
    {"discardletter", toHost::discardletter(2, 1), "CMD_discardletter+2+1+#",
     decodesTo(&toHost::decode::discardletter, SeatCell{2, 1})},
    {"discardextra", toHost::discardextra(1, 5), "CMD_discardextra+1+5+#",
     decodesTo(&toHost::decode::discardextra, SeatExtra{1, 5})},
    {"playasound", toHost::playasound(9, "wave13"), "CMD_playasound+9+wave13+#",
     decodesTo(&toHost::decode::playasound, Sound{9, "wave13"})},
    {"chat as relayed", toHost::chat(3, "a+b", "clRed"), "CMD_chat+3+a+b|clRed#",
     decodesTo(&toHost::decode::relay, toHost::Relay{3, "a+b|clRed"})},
    {"playasound as relayed", toHost::playasound(2, "wave4"), "CMD_playasound+2+wave4+#",
     decodesTo(&toHost::decode::relay, toHost::Relay{2, "wave4+"})},
};

const MessageRow kHostMessages[] = {
    {"sendlogininfo", toClient::sendlogininfo(9), "CMD_sendlogininfo+9#",
     decodesTo(&toClient::decode::sendlogininfo, toClient::AssignedSlot{9})},
    {"full", toClient::full(), "CMD_full+#", decodesTo(&toClient::decode::full, NoFields{})},
    {"newplayerinfo", toClient::newplayerinfo(2, "Bo+b"), "CMD_newplayerinfo+2+Bo+b#",
     decodesTo(&toClient::decode::newplayerinfo, toClient::Participant{2, "Bo+b"})},
    {"existingplayers", toClient::existingplayers(1, text("Zoë 中")), "CMD_existingplayers+1+Zoë 中#",
     decodesTo(&toClient::decode::existingplayers, toClient::Participant{1, text("Zoë 中")})},
    {"havewrongversion", toClient::havewrongversion("Zed+1"), "CMD_havewrongversion+Zed+1#",
     decodesTo(&toClient::decode::havewrongversion, toClient::WrongVersion{"Zed+1"})},
    {"wrongversion", toClient::wrongversion(), "CMD_wrongversion+#",
     decodesTo(&toClient::decode::wrongversion, NoFields{})},
    {"letters", toClient::letters(2, {{1, 5}, {2, 26}, {6, 1}}), "CMD_letters+2+1+5+2+26+6+1#",
     decodesTo(&toClient::decode::letters, toClient::DealtLetters{2, {{1, 5}, {2, 26}, {6, 1}}})},
    {"letters without pairs", toClient::letters(3, {}), "CMD_letters+3#",
     decodesTo(&toClient::decode::letters, toClient::DealtLetters{3, {}})},
    {"placetheletters", toClient::placetheletters({{1, 1, 3}, {2, 10, 26}}), "CMD_placetheletters+1+1+3+2+10+26#",
     decodesTo(&toClient::decode::placetheletters, toClient::BoardLetters{{{1, 1, 3}, {2, 10, 26}}})},
    {"gamestats", toClient::gamestats(30, 200, 10000, INT_MIN, INT_MAX),
     "CMD_gamestats+30+200+10000+-2147483648+2147483647+#",
     decodesTo(&toClient::decode::gamestats, toClient::GameStats{30, 200, 10000, INT_MIN, INT_MAX})},
    {"playerdisconnected", toClient::playerdisconnected(4, "Eve"), "CMD_playerdisconnected+4+Eve#",
     decodesTo(&toClient::decode::playerdisconnected, toClient::Participant{4, "Eve"})},
    {"chat", toClient::chat(3, "Eve", "a+b|clRed"), "CMD_chat+3+Eve chats: a+b|clRed#",
     decodesTo(&toClient::decode::chat, ChatLine{3, "Eve chats: a+b", "clRed"})},
    {"action without colour", toClient::action(1, "You", "waves"), "CMD_action+1+You waves#",
     decodesTo(&toClient::decode::action, ChatLine{1, "You waves", ""})},
    {"playasound", toClient::playasound(2, "wave4+"), "CMD_playasound+2+wave4+#",
     decodesTo(&toClient::decode::playasound, Sound{2, "wave4"})},
    {"hostnotice", toClient::hostnotice("Host: slow down"), "CMD_chat+0+Host: slow down|$0083621B#",
     decodesTo(&toClient::decode::chat, ChatLine{0, "Host: slow down", "$0083621B"})},
    {"justwatching", toClient::justwatching(1, "2"), "CMD_justwatching+1+2#",
     decodesTo(&toClient::decode::justwatching, JustWatch{1, false})},
    {"startgame", toClient::startgame("Ann", 20, -1, 0), "CMD_startgame+Ann+20+-1+0+#",
     decodesTo(&toClient::decode::startgame, StartGame{"Ann", 20, -1, 0})},
    {"newletter", toClient::newletter(2, 6, 26), "CMD_newletter+2+6+26+#",
     decodesTo(&toClient::decode::newletter, toClient::NewLetter{2, 6, 26})},
    {"nextplayer", toClient::nextplayer(1, -2), "CMD_nextplayer+1+-2+#",
     decodesTo(&toClient::decode::nextplayer, toClient::NextPlayer{1, -2})},
    {"placemyletter", toClient::placemyletter(1, 3, 4, 1), "CMD_placemyletter+1+3+4+1+#",
     decodesTo(&toClient::decode::placemyletter, toClient::Placed{1, 3, 4, 1})},
    {"tradingmyletter", toClient::tradingmyletter(2, 1, 0, 10, 3), "CMD_tradingmyletter+2+1+0+10+3+#",
     decodesTo(&toClient::decode::tradingmyletter, toClient::Traded{2, 1, 0, 10, 3})},
    {"stoldletter of an empty cell", toClient::stoldletter(2, 1, 10, 1, 0), "CMD_stoldletter+2+1+10+1+0+#",
     decodesTo(&toClient::decode::stoldletter, toClient::Stolen{2, 1, 10, 1, 0})},
    {"notvalid", toClient::notvalid(2), "CMD_notvalid+2+#", decodesTo(&toClient::decode::notvalid, toClient::Seat{2})},
    {"toomany", toClient::toomany(1), "CMD_toomany+1+#", decodesTo(&toClient::decode::toomany, toClient::Seat{1})},
    {"discardletter", toClient::discardletter(1, 10), "CMD_discardletter+1+10+#",
     decodesTo(&toClient::decode::discardletter, SeatCell{1, 10})},
    {"discardextra", toClient::discardextra(2, 6), "CMD_discardextra+2+6+#",
     decodesTo(&toClient::decode::discardextra, SeatExtra{2, 6})},
    {"formedword", toClient::formedword(1, "quiz", 22, 42), "CMD_formedword+1+quiz+22+42+#",
     decodesTo(&toClient::decode::formedword, toClient::FormedWord{1, "quiz", 22, 42})},
    {"timeup", toClient::timeup(), "CMD_timeup+#", decodesTo(&toClient::decode::timeup, NoFields{})},
    {"winner", toClient::winner(2), "CMD_winner+2+#", decodesTo(&toClient::decode::winner, toClient::Seat{2})},
};

INSTANTIATE_TEST_SUITE_P(Requests, Catalogue, ::testing::ValuesIn(kRequests), rowName<MessageRow>);
INSTANTIATE_TEST_SUITE_P(HostMessages, Catalogue, ::testing::ValuesIn(kHostMessages), rowName<MessageRow>);

template <size_t N> std::set<std::string> commandsOf(const MessageRow (&rows)[N])
{
    std::set<std::string> commands;
    for (const MessageRow &row : rows)
        commands.insert(splitMessage(row.message.left(row.message.indexOf(kTerminator)))->command.mid(4).toStdString());
    return commands;
}

// Each direction's words on the wire; a composer without a row (and so without a
// decoder) leaves its word out.
TEST(CatalogueCoverage, EveryCommandOfEachDirectionHasARow)
{
    const std::set<std::string> requests{"logininfo",         "kickhim",       "chat",          "action",
                                         "justwatch",         "startgame",     "placemyletter", "tradingmyletter",
                                         "stealinghisletter", "discardletter", "discardextra",  "playasound"};
    const std::set<std::string> hostMessages{
        "sendlogininfo", "full",       "newplayerinfo",   "existingplayers", "havewrongversion",
        "wrongversion",  "letters",    "placetheletters", "gamestats",       "playerdisconnected",
        "chat",          "action",     "playasound",      "justwatching",    "startgame",
        "newletter",     "nextplayer", "placemyletter",   "tradingmyletter", "stoldletter",
        "notvalid",      "toomany",    "discardletter",   "discardextra",    "formedword",
        "timeup",        "winner"};
    EXPECT_EQ(commandsOf(kRequests), requests);
    EXPECT_EQ(commandsOf(kHostMessages), hostMessages);
}

TEST(CatalogueCoverage, EmptyBoardListHasNoPlusAndNeverReachesADecoder)
{
    const QByteArray message = toClient::placetheletters({});
    EXPECT_EQ(message, wire("CMD_placetheletters#"));
    EXPECT_FALSE(splitMessage(message.chopped(1)).has_value());
}

// --- the decoders' grammar ----------------------------------------------------------

struct GrammarRow {
    const char *name;
    const char *rest;
    Check check;
};

class DecoderGrammar : public ::testing::TestWithParam<GrammarRow> { };

void PrintTo(const GrammarRow &row, std::ostream *out)
{
    *out << row.name;
}

TEST_P(DecoderGrammar, Decodes)
{
    GetParam().check(text(GetParam().rest));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DecoderGrammar,
    ::testing::Values(
        GrammarRow{"colour is all after the first bar", "3+a|b|c",
                   decodesTo(&toClient::decode::chat, ChatLine{3, "a", "b|c"})},
        GrammarRow{"empty name", "2+", decodesTo(&toClient::decode::newplayerinfo, toClient::Participant{2, ""})},
        GrammarRow{"last field may end the rest", "1+5",
                   decodesTo(&toClient::decode::nextplayer, toClient::NextPlayer{1, 5})},
        GrammarRow{"text after the last field is ignored", "2+1+x",
                   decodesTo(&toClient::decode::winner, toClient::Seat{2})},
        GrammarRow{"list may end in a plus", "1+1+3+",
                   decodesTo(&toClient::decode::placetheletters, toClient::BoardLetters{{{1, 1, 3}}})},
        GrammarRow{"empty rest is an empty list", "",
                   decodesTo(&toClient::decode::placetheletters, toClient::BoardLetters{})},
        GrammarRow{"message without fields ignores its rest", "1+2", decodesTo(&toClient::decode::timeup, NoFields{})}),
    rowName<GrammarRow>);

// --- rests that must be refused -----------------------------------------------------

struct RefusedRow {
    const char *name;
    std::function<bool(const QString &)> decodes;
    const char *rest;
};

class Refused : public ::testing::TestWithParam<RefusedRow> { };

void PrintTo(const RefusedRow &row, std::ostream *out)
{
    *out << row.name << ": \"" << row.rest << '"';
}

TEST_P(Refused, GivesNothing)
{
    EXPECT_FALSE(GetParam().decodes(text(GetParam().rest)));
}

INSTANTIATE_TEST_SUITE_P(
    Requests, Refused,
    ::testing::Values(RefusedRow{"login slot 0", accepts(&toHost::decode::logininfo), "0+1.0.6+Ann"},
                      RefusedRow{"login name missing", accepts(&toHost::decode::logininfo), "2+1.0.6"},
                      RefusedRow{"kick target 10", accepts(&toHost::decode::kickhim), "1+10+"},
                      RefusedRow{"chat from slot 0", accepts(&toHost::decode::chat), "0+hi|clRed"},
                      RefusedRow{"chat text missing", accepts(&toHost::decode::chat), "3"},
                      RefusedRow{"action slot x", accepts(&toHost::decode::action), "x+waves|clRed"},
                      RefusedRow{"justwatch seat 3", accepts(&toHost::decode::justwatch), "3+1"},
                      RefusedRow{"justwatch flag 0", accepts(&toHost::decode::justwatch), "1+0"},
                      RefusedRow{"justwatch flag with plus", accepts(&toHost::decode::justwatch), "1+1+"},
                      RefusedRow{"startgame steals missing", accepts(&toHost::decode::startgame), "Ann+30+200+"},
                      RefusedRow{"place seat 3", accepts(&toHost::decode::placemyletter), "3+1+1+"},
                      RefusedRow{"place extra 7", accepts(&toHost::decode::placemyletter), "1+7+3+"},
                      RefusedRow{"place position 11", accepts(&toHost::decode::placemyletter), "1+6+11+"},
                      RefusedRow{"trade position 0", accepts(&toHost::decode::tradingmyletter), "1+0+5+"},
                      RefusedRow{"steal position 11", accepts(&toHost::decode::stealinghisletter), "2+11+1+"},
                      RefusedRow{"discard seat with space", accepts(&toHost::decode::discardletter), " 1+1+"},
                      RefusedRow{"discard extra 7", accepts(&toHost::decode::discardextra), "1+7+"},
                      RefusedRow{"sound slot 10", accepts(&toHost::decode::playasound), "10+wave+"},
                      RefusedRow{"sound missing", accepts(&toHost::decode::playasound), "1"},
                      RefusedRow{"relay slot 10", accepts(&toHost::decode::relay), "10+x|clRed"},
                      RefusedRow{"relay rest missing", accepts(&toHost::decode::relay), "3"}),
    rowName<RefusedRow>);

INSTANTIATE_TEST_SUITE_P(
    HostMessages, Refused,
    ::testing::Values(RefusedRow{"own slot 10", accepts(&toClient::decode::sendlogininfo), "10"},
                      RefusedRow{"new player slot 0", accepts(&toClient::decode::newplayerinfo), "0+Bob"},
                      RefusedRow{"new player name missing", accepts(&toClient::decode::newplayerinfo), "2"},
                      RefusedRow{"existing player slot empty", accepts(&toClient::decode::existingplayers), "+You"},
                      RefusedRow{"dealt code 27", accepts(&toClient::decode::letters), "1+1+5+2+27"},
                      RefusedRow{"dealt code 0", accepts(&toClient::decode::letters), "1+1+0"},
                      RefusedRow{"dealt extra 7", accepts(&toClient::decode::letters), "1+7+5"},
                      RefusedRow{"dealt to slot 10", accepts(&toClient::decode::letters), "10+1+5"},
                      RefusedRow{"board position 11", accepts(&toClient::decode::placetheletters), "1+1+3+2+11+20"},
                      RefusedRow{"board code 0", accepts(&toClient::decode::placetheletters), "1+1+0"},
                      RefusedRow{"board triple cut short", accepts(&toClient::decode::placetheletters), "1+1+3+2+1"},
                      RefusedRow{"board empty entry", accepts(&toClient::decode::placetheletters), "1+1+3++"},
                      RefusedRow{"stats score missing", accepts(&toClient::decode::gamestats), "30+200+5+17+"},
                      RefusedRow{"disconnected slot 0", accepts(&toClient::decode::playerdisconnected), "0+Eve"},
                      RefusedRow{"chat slot -1", accepts(&toClient::decode::chat), "-1+hi|clRed"},
                      RefusedRow{"action slot 10", accepts(&toClient::decode::action), "10+waves"},
                      RefusedRow{"sound slot 0", accepts(&toClient::decode::playasound), "0+wave4+"},
                      RefusedRow{"justwatching flag 3", accepts(&toClient::decode::justwatching), "1+3"},
                      RefusedRow{"startgame steals x", accepts(&toClient::decode::startgame), "Ann+20+1000+x+"},
                      RefusedRow{"new letter code 0", accepts(&toClient::decode::newletter), "2+6+0+"},
                      RefusedRow{"new letter code 27", accepts(&toClient::decode::newletter), "2+6+27+"},
                      RefusedRow{"next player seat 3", accepts(&toClient::decode::nextplayer), "3+5+"},
                      RefusedRow{"placed code 0", accepts(&toClient::decode::placemyletter), "1+3+4+0+"},
                      RefusedRow{"placed extra 7", accepts(&toClient::decode::placemyletter), "1+7+4+9+"},
                      RefusedRow{"traded code 27", accepts(&toClient::decode::tradingmyletter), "2+1+27+5+3+"},
                      RefusedRow{"stolen from seat 3", accepts(&toClient::decode::stoldletter), "1+3+4+9+26+"},
                      RefusedRow{"stolen code 27", accepts(&toClient::decode::stoldletter), "1+2+4+9+27+"},
                      RefusedRow{"not valid seat 0", accepts(&toClient::decode::notvalid), "0+"},
                      RefusedRow{"too many seat 3", accepts(&toClient::decode::toomany), "3+"},
                      RefusedRow{"discarded position 11", accepts(&toClient::decode::discardletter), "2+11+"},
                      RefusedRow{"discarded extra 0", accepts(&toClient::decode::discardextra), "2+0+"},
                      RefusedRow{"word seat 3", accepts(&toClient::decode::formedword), "3+cat+5+42+"},
                      RefusedRow{"word score missing", accepts(&toClient::decode::formedword), "1+cat+5+"},
                      RefusedRow{"winner empty", accepts(&toClient::decode::winner), ""}),
    rowName<RefusedRow>);

}  // namespace
