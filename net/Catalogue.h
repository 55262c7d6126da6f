// Every message of the game protocol: composed whole with its terminator, and decoded
// back from its rest (the text after the command's first "+", as splitMessage gives it).
// toHost: requests a client sends; toClient: what the host sends to its slots.
// Numbers are written in decimal; texts as UTF-8.
//
// A decoder gives nothing when a field is missing, a number is not strictly decimal
// (toInt's rules) or lies outside what the message allows; a list is refused whole when
// one entry is. A field ends at the next "+" or at the end of the rest; text after the
// last field a message has is ignored. Ranges: slots 1..9, seats 1..2, board cells
// 1..10, extras 1..6, letter codes 1..26 (0 = empty cell only where a cell may be
// empty); scores, points, steals and settings are any int.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace net {

struct ExtraLetter {
    int extra;
    int code;
    bool operator==(const ExtraLetter &) const = default;
};

struct BoardLetter {
    int seat;
    int position;
    int code;
    bool operator==(const BoardLetter &) const = default;
};

// The protocol version every client sends at login and the host compares.
inline constexpr char kVersion[] = "1.0.6";

// What both directions carry alike.

// A chat or action line: "slot+text|colour". The text ends at the first "|"; the colour
// name is everything after it, empty when the line has no "|".
struct ChatLine {
    int slot;
    QString text;
    QString colourName;
    bool operator==(const ChatLine &) const = default;
};

struct Sound {
    int slot;
    QString name;
    bool operator==(const Sound &) const = default;
};

// A seat set to just watching (flag "1") or back to playing (flag "2").
struct JustWatch {
    int seat;
    bool watching;
    bool operator==(const JustWatch &) const = default;
};

struct StartGame {
    QString name;  // who started it
    int timePerTurn;
    int playToScore;
    int steals;
    bool operator==(const StartGame &) const = default;
};

// One cell of a seat's board.
struct SeatCell {
    int seat;
    int position;
    bool operator==(const SeatCell &) const = default;
};

// One of a seat's extra letters.
struct SeatExtra {
    int seat;
    int extra;
    bool operator==(const SeatExtra &) const = default;
};

// A message that carries nothing but its command.
struct NoFields {
    bool operator==(const NoFields &) const = default;
};

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

struct Login {
    int slot;
    QString version;
    QString name;
    bool operator==(const Login &) const = default;
};

struct Kick {
    int slot;  // the sender
    int target;
    bool operator==(const Kick &) const = default;
};

struct Place {
    int seat;
    int extra;
    int position;
    bool operator==(const Place &) const = default;
};

struct Trade {
    int seat;
    int positionA;
    int positionB;
    bool operator==(const Trade &) const = default;
};

struct Steal {
    int seat;
    int hisPosition;
    int myPosition;
    bool operator==(const Steal &) const = default;
};

// A chat, action or sound request as the host relays it: the speaker's slot and the rest
// after it, untouched (the colour after the bar and a sound's trailing "+" included).
struct Relay {
    int slot;
    QString rest;
    bool operator==(const Relay &) const = default;
};

// The requests that act on a board name the sender's seat where the composer says slot.
namespace decode {
std::optional<Login> logininfo(const QString &rest);
std::optional<Kick> kickhim(const QString &rest);
std::optional<ChatLine> chat(const QString &rest);
std::optional<ChatLine> action(const QString &rest);
std::optional<JustWatch> justwatch(const QString &rest);
std::optional<StartGame> startgame(const QString &rest);
std::optional<Place> placemyletter(const QString &rest);
std::optional<Trade> tradingmyletter(const QString &rest);
std::optional<Steal> stealinghisletter(const QString &rest);
std::optional<SeatCell> discardletter(const QString &rest);
std::optional<SeatExtra> discardextra(const QString &rest);
std::optional<Sound> playasound(const QString &rest);
// CMD_chat, CMD_action and CMD_playasound alike, for passing on.
std::optional<Relay> relay(const QString &rest);
}  // namespace decode
}  // namespace toHost

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

// The slot the host gave this connection.
struct AssignedSlot {
    int slot;
    bool operator==(const AssignedSlot &) const = default;
};

// A participant joining, already present, or gone.
struct Participant {
    int slot;
    QString name;
    bool operator==(const Participant &) const = default;
};

// Who logged in with another version.
struct WrongVersion {
    QString name;
    bool operator==(const WrongVersion &) const = default;
};

struct DealtLetters {
    int slot;
    QList<ExtraLetter> letters;
    bool operator==(const DealtLetters &) const = default;
};

struct BoardLetters {
    QList<BoardLetter> letters;
    bool operator==(const BoardLetters &) const = default;
};

struct GameStats {
    int timePerTurn;
    int playToScore;
    int steals;
    int score1;
    int score2;
    bool operator==(const GameStats &) const = default;
};

struct NewLetter {
    int seat;
    int extra;
    int code;
    bool operator==(const NewLetter &) const = default;
};

struct NextPlayer {
    int seat;
    int stealsLeft;
    bool operator==(const NextPlayer &) const = default;
};

struct Placed {
    int seat;
    int extra;
    int position;
    int code;
    bool operator==(const Placed &) const = default;
};

// Two cells of a seat's board after swapping; either may be empty (code 0).
struct Traded {
    int seat;
    int positionA;
    int codeA;
    int positionB;
    int codeB;
    bool operator==(const Traded &) const = default;
};

// The host passes on whatever the victim's cell held, an empty one (code 0) included.
struct Stolen {
    int stealer;
    int victim;
    int stealerPosition;
    int victimPosition;
    int code;
    bool operator==(const Stolen &) const = default;
};

// The seat a message is about, and nothing else (notvalid, toomany, winner).
struct Seat {
    int seat;
    bool operator==(const Seat &) const = default;
};

struct FormedWord {
    int seat;
    QString word;
    int points;
    int score;  // the seat's total after the word
    bool operator==(const FormedWord &) const = default;
};

namespace decode {
std::optional<AssignedSlot> sendlogininfo(const QString &rest);
std::optional<NoFields> full(const QString &rest);
std::optional<Participant> newplayerinfo(const QString &rest);
std::optional<Participant> existingplayers(const QString &rest);
std::optional<WrongVersion> havewrongversion(const QString &rest);
std::optional<NoFields> wrongversion(const QString &rest);
std::optional<DealtLetters> letters(const QString &rest);
// An empty rest is an empty list; but an empty list is composed without any "+", so
// splitMessage drops that message before it reaches a decoder.
std::optional<BoardLetters> placetheletters(const QString &rest);
std::optional<GameStats> gamestats(const QString &rest);
std::optional<Participant> playerdisconnected(const QString &rest);
// Slot 0 is the host's own notice (hostnotice).
std::optional<ChatLine> chat(const QString &rest);
std::optional<ChatLine> action(const QString &rest);
std::optional<Sound> playasound(const QString &rest);
std::optional<JustWatch> justwatching(const QString &rest);
std::optional<StartGame> startgame(const QString &rest);
std::optional<NewLetter> newletter(const QString &rest);
std::optional<NextPlayer> nextplayer(const QString &rest);
std::optional<Placed> placemyletter(const QString &rest);
std::optional<Traded> tradingmyletter(const QString &rest);
std::optional<Stolen> stoldletter(const QString &rest);
std::optional<Seat> notvalid(const QString &rest);
std::optional<Seat> toomany(const QString &rest);
std::optional<SeatCell> discardletter(const QString &rest);
std::optional<SeatExtra> discardextra(const QString &rest);
std::optional<FormedWord> formedword(const QString &rest);
std::optional<NoFields> timeup(const QString &rest);
std::optional<Seat> winner(const QString &rest);
}  // namespace decode
}  // namespace toClient

}  // namespace net
