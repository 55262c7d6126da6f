#include "net/Catalogue.h"

#include "net/Message.h"

namespace net {
namespace {

// Builds "CMD_x+f1+f2..." field by field; end() adds the terminator.
class Composer {
public:
    explicit Composer(const char *command)
        : m_bytes(command)
    {
    }
    Composer &num(int value)
    {
        m_bytes += '+';
        m_bytes += QByteArray::number(value);
        return *this;
    }
    Composer &text(const QString &value)
    {
        m_bytes += '+';
        m_bytes += encodeText(value);
        return *this;
    }
    Composer &raw(const QByteArray &value)
    {
        m_bytes += value;
        return *this;
    }
    // Ends the message with a "+" before the terminator.
    QByteArray endPlus() { return m_bytes + '+' + kTerminator; }
    // Ends the message without a trailing "+".
    QByteArray end() { return m_bytes + kTerminator; }

private:
    QByteArray m_bytes;
};

QByteArray chatRequest(const char *command, int slot, const QString &text, const QString &colourName)
{
    return Composer(command).num(slot).text(text + QLatin1Char('|') + colourName).end();
}

} // namespace

namespace toHost {

QByteArray logininfo(int slot, const QString &version, const QString &name)
{
    return Composer("CMD_logininfo").num(slot).text(version).text(name).end() + kTerminator;
}

QByteArray kickhim(int slot, int target) { return Composer("CMD_kickhim").num(slot).num(target).endPlus(); }

QByteArray chat(int slot, const QString &text, const QString &colourName)
{
    return chatRequest("CMD_chat", slot, text, colourName);
}

QByteArray action(int slot, const QString &text, const QString &colourName)
{
    return chatRequest("CMD_action", slot, text, colourName);
}

QByteArray justwatch(int seat, int flag) { return Composer("CMD_justwatch").num(seat).num(flag).end(); }

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

QByteArray discardextra(int slot, int extra) { return Composer("CMD_discardextra").num(slot).num(extra).endPlus(); }

QByteArray playasound(int slot, const QString &sound)
{
    return Composer("CMD_playasound").num(slot).text(sound).endPlus();
}

} // namespace toHost

namespace toClient {

QByteArray sendlogininfo(int slot) { return Composer("CMD_sendlogininfo").num(slot).end(); }

QByteArray full() { return Composer("CMD_full").endPlus(); }

QByteArray newplayerinfo(int slot, const QString &name) { return Composer("CMD_newplayerinfo").num(slot).text(name).end(); }

QByteArray existingplayers(int slot, const QString &name)
{
    return Composer("CMD_existingplayers").num(slot).text(name).end();
}

QByteArray havewrongversion(const QString &name) { return Composer("CMD_havewrongversion").text(name).end(); }

QByteArray wrongversion() { return Composer("CMD_wrongversion").endPlus(); }

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

QByteArray playasound(int slot, const QString &rest) { return Composer("CMD_playasound").num(slot).text(rest).end(); }

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

QByteArray nextplayer(int seat, int stealsLeft) { return Composer("CMD_nextplayer").num(seat).num(stealsLeft).endPlus(); }

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
    return Composer("CMD_stoldletter").num(stealer).num(victim).num(stealerPosition).num(victimPosition).num(code).endPlus();
}

QByteArray notvalid(int seat) { return Composer("CMD_notvalid").num(seat).endPlus(); }

QByteArray toomany(int seat) { return Composer("CMD_toomany").num(seat).endPlus(); }

QByteArray discardletter(int seat, int position)
{
    return Composer("CMD_discardletter").num(seat).num(position).endPlus();
}

QByteArray discardextra(int seat, int extra) { return Composer("CMD_discardextra").num(seat).num(extra).endPlus(); }

QByteArray formedword(int seat, const QString &word, int points, int score)
{
    return Composer("CMD_formedword").num(seat).text(word).num(points).num(score).endPlus();
}

QByteArray timeup() { return Composer("CMD_timeup").endPlus(); }

QByteArray winner(int seat) { return Composer("CMD_winner").num(seat).endPlus(); }

} // namespace toClient
} // namespace net
