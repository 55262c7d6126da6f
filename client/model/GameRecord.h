// One game as a client saw it: the header (when, who, the game's settings, how it ended)
// and its events in order, each with the running scores after it. The text form is in
// GameRecordWriter and GameRecordReader; docs/game-record.md describes it.
#pragma once

#include "net/GameFacts.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <array>

struct RecordEvent {
    enum class Kind {
        Deal,  // one of the viewer's own extras dealt: extra, letter
        Boards,  // both boards as a late arrival's catch-up gave them: cells
        Scores,  // both scores as a late arrival's catch-up gave them
        Place,  // seat, cell, letter, extra
        DiscardLetter,  // seat, cell
        DiscardExtra,  // seat, extra
        Swap,  // seat, cell and letter, cell2 and letter2 (letters after the swap; 0 = empty)
        Steal,  // seat (the stealer), cell (its own), cell2 (the victim's), letter
        Word,  // seat, word, points
        Refused,  // seat, reason
        TimeUp,
        Turn,  // seat, steals left
        Winner,  // seat
        Name,  // seat, name: somebody else holds the seat now
    };
    enum class Reason { NotAWord, NoStealsLeft };

    Kind kind = Kind::TimeUp;
    int seat = 0;
    int cell = 0;
    int cell2 = 0;
    int extra = 0;
    int letter = 0;  // a letter code, 0 = none
    int letter2 = 0;
    int points = 0;
    int steals = 0;
    Reason reason = Reason::NotAWord;
    QString text;  // the word (as the host spelled it) or the name
    // Both boards, for Boards only: [seat - 1][cell - 1].
    std::array<std::array<int, quarn::kCells>, quarn::kSeats> boards{};
    // The running scores after the event.
    std::array<int, quarn::kSeats> scores{};

    bool operator==(const RecordEvent &) const = default;

    // What the event says to a person, with the seats' names.
    QString describe(const QString &name1, const QString &name2) const;
};

// The words of the text form, shared by the writer and the reader.
namespace recordtext {
inline constexpr char kTitle[] = "Quarn game record";
// The event's word in a line ("place", "discard-letter", ...).
QString kindName(RecordEvent::Kind kind);
// The kind a word names; false when none does.
bool kindFrom(QStringView word, RecordEvent::Kind &kind);
QString reasonName(RecordEvent::Reason reason);
// A letter code as the record writes it: "A".."Z", "." for none.
QChar letterChar(int code);
}  // namespace recordtext

struct GameRecord {
    static constexpr int kFormatVersion = 1;

    struct Header {
        QDateTime date;  // UTC
        std::array<QString, quarn::kSeats> names;  // as the recording began
        int viewer = 0;  // the recording client's slot: 1 or 2 a player, 3..9 a spectator
        int playToScore = 0;
        int timePerTurn = 0;
        int steals = 0;
        QString computerLevel;  // empty unless the computer held a seat and its level was known
        bool fromStart = true;  // false: the client came in during the game
        bool finished = false;  // a winner was named
        int winner = 0;  // the winning seat, 0 unless finished
        std::array<int, quarn::kSeats> finalScores{};
        bool operator==(const Header &) const = default;
    };

    Header header;
    QList<RecordEvent> events;

    bool operator==(const GameRecord &) const = default;
};
