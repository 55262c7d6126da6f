// The messages the host sends to its slots: composed, and decoded back from their rest.
#include "net/Catalogue.h"
#include "net/CatalogueFields.h"

namespace net::toClient {
using namespace net::catalogue;

QByteArray sendlogininfo(int slot)
{
    return Composer("CMD_sendlogininfo").num(slot).end();
}

QByteArray full()
{
    return Composer("CMD_full").endPlus();
}

QByteArray newplayerinfo(int slot, const QString &name)
{
    return Composer("CMD_newplayerinfo").num(slot).text(name).end();
}

QByteArray existingplayers(int slot, const QString &name)
{
    return Composer("CMD_existingplayers").num(slot).text(name).end();
}

QByteArray havewrongversion(const QString &name)
{
    return Composer("CMD_havewrongversion").text(name).end();
}

QByteArray wrongversion()
{
    return Composer("CMD_wrongversion").endPlus();
}

QByteArray letters(int slot, const QList<ExtraLetter> &pairs)
{
    Composer message("CMD_letters");
    message.num(slot);
    for (const ExtraLetter &pair : pairs)
        message.num(pair.extra).num(pair.code);
    return message.end();
}

QByteArray placetheletters(const QList<BoardLetter> &triples)
{
    Composer message("CMD_placetheletters");
    for (const BoardLetter &triple : triples)
        message.num(triple.seat).num(triple.position).num(triple.code);
    return message.end();
}

QByteArray gamestats(int timePerTurn, int playToScore, int steals, int score1, int score2)
{
    return Composer("CMD_gamestats").num(timePerTurn).num(playToScore).num(steals).num(score1).num(score2).endPlus();
}

QByteArray playerdisconnected(int slot, const QString &name)
{
    return Composer("CMD_playerdisconnected").num(slot).text(name).end();
}

QByteArray chat(int slot, const QString &name, const QString &rest)
{
    return Composer("CMD_chat").num(slot).text(name + QStringLiteral(" chats: ") + rest).end();
}

QByteArray action(int slot, const QString &name, const QString &rest)
{
    return Composer("CMD_action").num(slot).text(name + QLatin1Char(' ') + rest).end();
}

QByteArray playasound(int slot, const QString &rest)
{
    return Composer("CMD_playasound").num(slot).text(rest).end();
}

QByteArray hostnotice(const QString &text)
{
    // "$0083621B" is the chat's notice colour, RGB(27, 98, 131), as a colour name.
    return Composer("CMD_chat").num(0).text(text + QStringLiteral("|$0083621B")).end();
}

QByteArray justwatching(int seat, const QString &flag)
{
    return Composer("CMD_justwatching").num(seat).text(flag).end();
}

QByteArray startgame(const QString &name, int timePerTurn, int playToScore, int steals)
{
    return Composer("CMD_startgame").text(name).num(timePerTurn).num(playToScore).num(steals).endPlus();
}

QByteArray newletter(int seat, int extra, int code)
{
    return Composer("CMD_newletter").num(seat).num(extra).num(code).endPlus();
}

QByteArray nextplayer(int seat, int stealsLeft)
{
    return Composer("CMD_nextplayer").num(seat).num(stealsLeft).endPlus();
}

QByteArray placemyletter(int seat, int extra, int position, int code)
{
    return Composer("CMD_placemyletter").num(seat).num(extra).num(position).num(code).endPlus();
}

QByteArray tradingmyletter(int seat, int positionA, int codeA, int positionB, int codeB)
{
    return Composer("CMD_tradingmyletter").num(seat).num(positionA).num(codeA).num(positionB).num(codeB).endPlus();
}

QByteArray stoldletter(int stealer, int victim, int stealerPosition, int victimPosition, int code)
{
    return Composer("CMD_stoldletter")
        .num(stealer)
        .num(victim)
        .num(stealerPosition)
        .num(victimPosition)
        .num(code)
        .endPlus();
}

QByteArray notvalid(int seat)
{
    return Composer("CMD_notvalid").num(seat).endPlus();
}

QByteArray toomany(int seat)
{
    return Composer("CMD_toomany").num(seat).endPlus();
}

QByteArray discardletter(int seat, int position)
{
    return Composer("CMD_discardletter").num(seat).num(position).endPlus();
}

QByteArray discardextra(int seat, int extra)
{
    return Composer("CMD_discardextra").num(seat).num(extra).endPlus();
}

QByteArray formedword(int seat, const QString &word, int points, int score)
{
    return Composer("CMD_formedword").num(seat).text(word).num(points).num(score).endPlus();
}

QByteArray timeup()
{
    return Composer("CMD_timeup").endPlus();
}

QByteArray winner(int seat)
{
    return Composer("CMD_winner").num(seat).endPlus();
}

namespace decode {
namespace {

std::optional<Participant> participant(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Participant{.slot = fields.number(kSlot), .name = fields.rest()});
}

std::optional<Seat> seat(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Seat{.seat = fields.number(kSeat)});
}

}  // namespace

std::optional<AssignedSlot> sendlogininfo(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(AssignedSlot{.slot = fields.number(kSlot)});
}

std::optional<NoFields> full(const QString &)
{
    return NoFields{};
}

std::optional<Participant> newplayerinfo(const QString &rest)
{
    return participant(rest);
}

std::optional<Participant> existingplayers(const QString &rest)
{
    return participant(rest);
}

std::optional<WrongVersion> havewrongversion(const QString &rest)
{
    return WrongVersion{.name = rest};
}

std::optional<NoFields> wrongversion(const QString &)
{
    return NoFields{};
}

std::optional<DealtLetters> letters(const QString &rest)
{
    FieldDecoder fields(rest);
    DealtLetters dealt{.slot = fields.number(kSlot), .letters = {}};
    while (fields.listGoesOn())
        dealt.letters.append(ExtraLetter{.extra = fields.number(kExtra), .code = fields.number(kLetter)});
    return fields.result(std::move(dealt));
}

std::optional<BoardLetters> placetheletters(const QString &rest)
{
    FieldDecoder fields(rest);
    BoardLetters boards;
    while (fields.listGoesOn()) {
        boards.letters.append(BoardLetter{
            .seat = fields.number(kSeat), .position = fields.number(kCell), .code = fields.number(kLetter)});
    }
    return fields.result(std::move(boards));
}

std::optional<GameStats> gamestats(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(GameStats{.timePerTurn = fields.number(kAnyInt),
                                   .playToScore = fields.number(kAnyInt),
                                   .steals = fields.number(kAnyInt),
                                   .score1 = fields.number(kAnyInt),
                                   .score2 = fields.number(kAnyInt)});
}

std::optional<Participant> playerdisconnected(const QString &rest)
{
    return participant(rest);
}

std::optional<ChatLine> chat(const QString &rest)
{
    return decodeChatLine(rest, kSpeaker);
}

std::optional<ChatLine> action(const QString &rest)
{
    return decodeChatLine(rest, kSpeaker);
}

// The host relays these as the requests carried them.
std::optional<Sound> playasound(const QString &rest)
{
    return toHost::decode::playasound(rest);
}

std::optional<JustWatch> justwatching(const QString &rest)
{
    return toHost::decode::justwatch(rest);
}

std::optional<StartGame> startgame(const QString &rest)
{
    return toHost::decode::startgame(rest);
}

std::optional<NewLetter> newletter(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(
        NewLetter{.seat = fields.number(kSeat), .extra = fields.number(kExtra), .code = fields.number(kLetter)});
}

std::optional<NextPlayer> nextplayer(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(NextPlayer{.seat = fields.number(kSeat), .stealsLeft = fields.number(kAnyInt)});
}

std::optional<Placed> placemyletter(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Placed{.seat = fields.number(kSeat),
                                .extra = fields.number(kExtra),
                                .position = fields.number(kCell),
                                .code = fields.number(kLetter)});
}

std::optional<Traded> tradingmyletter(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Traded{.seat = fields.number(kSeat),
                                .positionA = fields.number(kCell),
                                .codeA = fields.number(kLetterOrEmpty),
                                .positionB = fields.number(kCell),
                                .codeB = fields.number(kLetterOrEmpty)});
}

std::optional<Stolen> stoldletter(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Stolen{.stealer = fields.number(kSeat),
                                .victim = fields.number(kSeat),
                                .stealerPosition = fields.number(kCell),
                                .victimPosition = fields.number(kCell),
                                .code = fields.number(kLetterOrEmpty)});
}

std::optional<Seat> notvalid(const QString &rest)
{
    return seat(rest);
}

std::optional<Seat> toomany(const QString &rest)
{
    return seat(rest);
}

std::optional<SeatCell> discardletter(const QString &rest)
{
    return toHost::decode::discardletter(rest);
}

std::optional<SeatExtra> discardextra(const QString &rest)
{
    return toHost::decode::discardextra(rest);
}

std::optional<FormedWord> formedword(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(FormedWord{.seat = fields.number(kSeat),
                                    .word = fields.text(),
                                    .points = fields.number(kAnyInt),
                                    .score = fields.number(kAnyInt)});
}

std::optional<NoFields> timeup(const QString &)
{
    return NoFields{};
}

std::optional<Seat> winner(const QString &rest)
{
    return seat(rest);
}

}  // namespace decode
}  // namespace net::toClient
