// The soak players' move choice: from a seat's own board, its extras and the words it
// has formed, one move the host will accept. A move that spells a new listed word comes
// first, then one step toward the nearest vocabulary word the extras can complete, then
// an extra into an empty cell, then a discard.
#pragma once

#include <QSet>
#include <QString>

#include <array>
#include <random>
#include <vector>

class TDictn;

namespace soak {

// What a seat holds, as the host's messages told it. Letter codes 1..26, 0 = empty;
// index 0 of both arrays is unused, as on the host.
struct SeatState {
    std::array<int, 11> board{};
    std::array<int, 7> extras{};
    QSet<QString> formed;  // lower case
};

struct Move {
    enum class Kind { Place, DiscardLetter, DiscardExtra };
    Kind kind = Kind::DiscardExtra;
    int first = 0;  // Place: the extra; DiscardLetter: the cell; DiscardExtra: the extra
    int second = 0;  // Place: the cell
};

class WordPlanner {
public:
    static constexpr int kCells = 10;
    static constexpr int kExtras = 6;

    // Keeps the vocabulary words of 2 to 7 letters that `dictionary` lists, so that
    // every target it aims at scores when it is spelled.
    explicit WordPlanner(TDictn &dictionary);

    qsizetype vocabularySize() const { return static_cast<qsizetype>(m_words.size()); }

    // A legal move for `seat`; `stalled` skips the word search and discards an extra.
    // False only when the seat holds no letter at all.
    bool choose(const SeatState &seat, bool stalled, std::mt19937 &random, Move &move);

    // The lower-case word a board spells: its letters when they form one run, else empty.
    static QString spelled(const std::array<int, 11> &board);

private:
    struct Word {
        QString text;  // lower case
        std::array<int, 7> codes{};
        int length = 0;
    };

    bool scoringMove(const SeatState &seat, Move &move);
    bool stepTowardWord(const SeatState &seat, std::mt19937 &random, Move &move);
    bool fillEmptyCell(const SeatState &seat, Move &move) const;
    static bool discardSomething(const SeatState &seat, std::mt19937 &random, Move &move);

    TDictn &m_dictionary;
    std::vector<Word> m_words;
};

}  // namespace soak
