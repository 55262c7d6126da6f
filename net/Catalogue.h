// Every message of the game protocol, composed whole with its terminator.
// toHost: requests a client sends; toClient: what the host sends to its slots.
// Numbers are written in decimal; texts as UTF-8.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace net {

struct ExtraLetter {
    int extra;
    int code;
};

struct BoardLetter {
    int seat;
    int position;
    int code;
};

// The protocol version every client sends at login and the host compares.
inline constexpr char kVersion[] = "1.0.6";

namespace toHost {
QByteArray logininfo(int slot, const QString &version, const QString &name);
QByteArray kickhim(int slot, int target);
QByteArray chat(int slot, const QString &text, const QString &colourName);
QByteArray action(int slot, const QString &text, const QString &colourName);
QByteArray justwatch(int seat, int flag);
QByteArray startgame(const QString &name, int timePerTurn, int playToScore, int steals);
QByteArray placemyletter(int slot, int extra, int position);
QByteArray tradingmyletter(int slot, int positionA, int positionB);
QByteArray stealinghisletter(int slot, int hisPosition, int myPosition);
QByteArray discardletter(int slot, int position);
QByteArray discardextra(int slot, int extra);
QByteArray playasound(int slot, const QString &sound);
} // namespace toHost

namespace toClient {
QByteArray sendlogininfo(int slot);
QByteArray full();
QByteArray newplayerinfo(int slot, const QString &name);
QByteArray existingplayers(int slot, const QString &name);
QByteArray havewrongversion(const QString &name);
QByteArray wrongversion();
QByteArray letters(int slot, const QList<ExtraLetter> &pairs);
QByteArray placetheletters(const QList<BoardLetter> &triples);
QByteArray gamestats(int timePerTurn, int playToScore, int steals, int score1, int score2);
QByteArray playerdisconnected(int slot, const QString &name);
QByteArray chat(int slot, const QString &name, const QString &rest);
QByteArray action(int slot, const QString &name, const QString &rest);
QByteArray playasound(int slot, const QString &rest);
// A line from the host itself to one participant, shown as a notice (slot 0, notice colour).
QByteArray hostnotice(const QString &text);
QByteArray justwatching(int seat, const QString &flag);
QByteArray startgame(const QString &name, int timePerTurn, int playToScore, int steals);
QByteArray newletter(int seat, int extra, int code);
QByteArray nextplayer(int seat, int stealsLeft);
QByteArray placemyletter(int seat, int extra, int position, int code);
QByteArray tradingmyletter(int seat, int positionA, int codeA, int positionB, int codeB);
QByteArray stoldletter(int stealer, int victim, int stealerPosition, int victimPosition, int code);
QByteArray notvalid(int seat);
QByteArray toomany(int seat);
QByteArray discardletter(int seat, int position);
QByteArray discardextra(int seat, int extra);
QByteArray formedword(int seat, const QString &word, int points, int score);
QByteArray timeup();
QByteArray winner(int seat);
} // namespace toClient

} // namespace net
