// The requests a client sends to the host: composed, and decoded back from their rest.
#include "net/Catalogue.h"
#include "net/CatalogueFields.h"

namespace net::toHost {
using namespace net::catalogue;

namespace {

QByteArray chatRequest(const char *command, int slot, const QString &text, const QString &colourName)
{
    return Composer(command).num(slot).text(text + QLatin1Char('|') + colourName).end();
}

}  // namespace

QByteArray logininfo(int slot, const QString &version, const QString &name)
{
    return Composer("CMD_logininfo").num(slot).text(version).text(name).end() + kTerminator;
}

QByteArray kickhim(int slot, int target)
{
    return Composer("CMD_kickhim").num(slot).num(target).endPlus();
}

QByteArray chat(int slot, const QString &text, const QString &colourName)
{
    return chatRequest("CMD_chat", slot, text, colourName);
}

QByteArray action(int slot, const QString &text, const QString &colourName)
{
    return chatRequest("CMD_action", slot, text, colourName);
}

QByteArray justwatch(int seat, int flag)
{
    return Composer("CMD_justwatch").num(seat).num(flag).end();
}

QByteArray startgame(const QString &name, int timePerTurn, int playToScore, int steals)
{
    return Composer("CMD_startgame").text(name).num(timePerTurn).num(playToScore).num(steals).endPlus();
}

QByteArray placemyletter(int slot, int extra, int position)
{
    return Composer("CMD_placemyletter").num(slot).num(extra).num(position).endPlus();
}

QByteArray tradingmyletter(int slot, int positionA, int positionB)
{
    return Composer("CMD_tradingmyletter").num(slot).num(positionA).num(positionB).endPlus();
}

QByteArray stealinghisletter(int slot, int hisPosition, int myPosition)
{
    return Composer("CMD_stealinghisletter").num(slot).num(hisPosition).num(myPosition).endPlus();
}

QByteArray discardletter(int slot, int position)
{
    return Composer("CMD_discardletter").num(slot).num(position).endPlus();
}

QByteArray discardextra(int slot, int extra)
{
    return Composer("CMD_discardextra").num(slot).num(extra).endPlus();
}

QByteArray playasound(int slot, const QString &sound)
{
    return Composer("CMD_playasound").num(slot).text(sound).endPlus();
}

namespace decode {

std::optional<Login> logininfo(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Login{.slot = fields.number(kSlot), .version = fields.text(), .name = fields.rest()});
}

std::optional<Kick> kickhim(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Kick{.slot = fields.number(kSlot), .target = fields.number(kSlot)});
}

std::optional<ChatLine> chat(const QString &rest)
{
    return decodeChatLine(rest, kSlot);
}

std::optional<ChatLine> action(const QString &rest)
{
    return decodeChatLine(rest, kSlot);
}

std::optional<JustWatch> justwatch(const QString &rest)
{
    FieldDecoder fields(rest);
    const int seat = fields.number(kSeat);
    const QString flag = fields.rest();
    if (flag != QLatin1String("1") && flag != QLatin1String("2"))
        return std::nullopt;
    return fields.result(JustWatch{.seat = seat, .watching = flag == QLatin1String("1")});
}

std::optional<StartGame> startgame(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(StartGame{.name = fields.text(),
                                   .timePerTurn = fields.number(kAnyInt),
                                   .playToScore = fields.number(kAnyInt),
                                   .steals = fields.number(kAnyInt)});
}

std::optional<Place> placemyletter(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(
        Place{.seat = fields.number(kSeat), .extra = fields.number(kExtra), .position = fields.number(kCell)});
}

std::optional<Trade> tradingmyletter(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(
        Trade{.seat = fields.number(kSeat), .positionA = fields.number(kCell), .positionB = fields.number(kCell)});
}

std::optional<Steal> stealinghisletter(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(
        Steal{.seat = fields.number(kSeat), .hisPosition = fields.number(kCell), .myPosition = fields.number(kCell)});
}

std::optional<SeatCell> discardletter(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(SeatCell{.seat = fields.number(kSeat), .position = fields.number(kCell)});
}

std::optional<SeatExtra> discardextra(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(SeatExtra{.seat = fields.number(kSeat), .extra = fields.number(kExtra)});
}

std::optional<Sound> playasound(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Sound{.slot = fields.number(kSlot), .name = fields.text()});
}

std::optional<Relay> relay(const QString &rest)
{
    FieldDecoder fields(rest);
    return fields.result(Relay{.slot = fields.number(kSlot), .rest = fields.rest()});
}

}  // namespace decode
}  // namespace net::toHost
