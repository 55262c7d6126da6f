// The soak players' move choice; see WordPlanner.h.
#include "bench/soak/WordPlanner.h"

#include "dictionary/TDictn.h"
#include "dictionary/Vocabulary.h"

namespace soak {
namespace {

constexpr int kLetters = 27;  // codes 1..26; [0] counts empty cells and is never read
using Counts = std::array<int, kLetters>;

QChar letterOf(int code)
{
    return QChar(u'a' + code - 1);
}

Counts countExtras(const SeatState &seat)
{
    Counts counts{};
    for (int k = 1; k <= WordPlanner::kExtras; ++k)
        ++counts[static_cast<size_t>(seat.extras[static_cast<size_t>(k)])];
    return counts;
}

// Random start, then every index once: the vocabulary is alphabetical, and always
// starting at "a" would make every game look alike.
template <typename Visit> void visitFrom(size_t count, std::mt19937 &random, Visit visit)
{
    if (count == 0)
        return;
    const size_t start = std::uniform_int_distribution<size_t>(0, count - 1)(random);
    for (size_t i = 0; i < count; ++i)
        visit((start + i) % count);
}

}  // namespace

WordPlanner::WordPlanner(TDictn &dictionary)
    : m_dictionary(dictionary)
{
    for (const QString &text : loadVocabulary()) {
        if (text.size() < 2 || text.size() > 7 || !m_dictionary.IsWord(text))
            continue;
        Word word;
        word.text = text;
        word.length = static_cast<int>(text.size());
        for (int i = 0; i < word.length; ++i)
            word.codes[static_cast<size_t>(i)] = text.at(i).unicode() - u'a' + 1;
        m_words.push_back(word);
    }
}

QString WordPlanner::spelled(const std::array<int, 11> &board)
{
    int first = 0;
    int last = 0;
    for (int cell = 1; cell <= kCells; ++cell) {
        if (board[static_cast<size_t>(cell)] == 0)
            continue;
        if (first == 0)
            first = cell;
        last = cell;
    }
    if (first == 0)
        return QString();
    QString word;
    for (int cell = first; cell <= last; ++cell) {
        const int code = board[static_cast<size_t>(cell)];
        if (code == 0)
            return QString();  // a gap: the host's lookup sees a space inside
        word += letterOf(code);
    }
    return word;
}

bool WordPlanner::choose(const SeatState &seat, bool stalled, std::mt19937 &random, Move &move)
{
    if (!stalled) {
        if (scoringMove(seat, move) || stepTowardWord(seat, random, move) || fillEmptyCell(seat, move))
            return true;
    }
    return discardSomething(seat, random, move);
}

bool WordPlanner::scoringMove(const SeatState &seat, Move &move)
{
    int bestLength = 0;
    const auto consider = [&](const std::array<int, 11> &board, const Move &candidate) {
        const QString word = spelled(board);
        if (word.size() < 2 || word.size() <= bestLength || seat.formed.contains(word))
            return;
        if (!m_dictionary.IsWord(word))
            return;
        bestLength = static_cast<int>(word.size());
        move = candidate;
    };
    Counts tried{};
    for (int extra = 1; extra <= kExtras; ++extra) {
        const int code = seat.extras[static_cast<size_t>(extra)];
        if (code == 0 || tried[static_cast<size_t>(code)]++ > 0)
            continue;
        for (int cell = 1; cell <= kCells; ++cell) {
            if (seat.board[static_cast<size_t>(cell)] == code)
                continue;
            std::array<int, 11> board = seat.board;
            board[static_cast<size_t>(cell)] = code;
            consider(board, Move{Move::Kind::Place, extra, cell});
        }
    }
    for (int cell = 1; cell <= kCells; ++cell) {
        if (seat.board[static_cast<size_t>(cell)] == 0)
            continue;
        std::array<int, 11> board = seat.board;
        board[static_cast<size_t>(cell)] = 0;
        consider(board, Move{Move::Kind::DiscardLetter, cell, 0});
    }
    return bestLength > 0;
}

bool WordPlanner::stepTowardWord(const SeatState &seat, std::mt19937 &random, Move &move)
{
    // The cost of a target at an offset: the cells to change (each needs an extra of its
    // letter) plus the letters outside it (each needs a discard). Every step lowers the
    // cost of the chosen target by one, so a seat always reaches a word.
    const Counts extras = countExtras(seat);
    Counts held = extras;
    int filled = 0;
    for (int cell = 1; cell <= kCells; ++cell) {
        const int code = seat.board[static_cast<size_t>(cell)];
        ++held[static_cast<size_t>(code)];
        filled += code != 0 ? 1 : 0;
    }
    const Word *best = nullptr;
    int bestOffset = 0;
    int bestCost = 0;
    visitFrom(m_words.size(), random, [&](size_t index) {
        const Word &word = m_words[index];
        if (best && (bestCost == 1 && best->length >= word.length))
            return;
        Counts wanted{};
        for (int i = 0; i < word.length; ++i) {
            const int code = word.codes[static_cast<size_t>(i)];
            if (++wanted[static_cast<size_t>(code)] > held[static_cast<size_t>(code)])
                return;
        }
        if (seat.formed.contains(word.text))
            return;
        for (int offset = 0; offset + word.length <= kCells; ++offset) {
            Counts needed{};
            int changes = 0;
            int inside = 0;
            bool possible = true;
            for (int i = 0; i < word.length && possible; ++i) {
                const int code = word.codes[static_cast<size_t>(i)];
                const int here = seat.board[static_cast<size_t>(offset + i + 1)];
                inside += here != 0 ? 1 : 0;
                if (here == code)
                    continue;
                ++changes;
                possible = ++needed[static_cast<size_t>(code)] <= extras[static_cast<size_t>(code)];
            }
            const int cost = changes + (filled - inside);
            if (!possible || cost == 0)
                continue;
            if (!best || cost < bestCost || (cost == bestCost && word.length > best->length)) {
                best = &word;
                bestOffset = offset;
                bestCost = cost;
            }
        }
    });
    if (!best)
        return false;
    // Letters outside the target go first, from the ends inward.
    for (int cell = 1; cell <= bestOffset; ++cell) {
        if (seat.board[static_cast<size_t>(cell)] != 0) {
            move = Move{Move::Kind::DiscardLetter, cell, 0};
            return true;
        }
    }
    for (int cell = kCells; cell > bestOffset + best->length; --cell) {
        if (seat.board[static_cast<size_t>(cell)] != 0) {
            move = Move{Move::Kind::DiscardLetter, cell, 0};
            return true;
        }
    }
    for (int i = 0; i < best->length; ++i) {
        const int cell = bestOffset + i + 1;
        const int code = best->codes[static_cast<size_t>(i)];
        if (seat.board[static_cast<size_t>(cell)] == code)
            continue;
        for (int extra = 1; extra <= kExtras; ++extra) {
            if (seat.extras[static_cast<size_t>(extra)] == code) {
                move = Move{Move::Kind::Place, extra, cell};
                return true;
            }
        }
    }
    return false;
}

bool WordPlanner::fillEmptyCell(const SeatState &seat, Move &move) const
{
    int extra = 0;
    for (int k = 1; k <= kExtras && extra == 0; ++k)
        extra = seat.extras[static_cast<size_t>(k)] != 0 ? k : 0;
    if (extra == 0)
        return false;
    // Next to the letters already there, so that the board stays one run.
    int last = 0;
    for (int cell = 1; cell <= kCells; ++cell)
        last = seat.board[static_cast<size_t>(cell)] != 0 ? cell : last;
    for (int cell = last + 1; cell <= kCells; ++cell) {
        if (seat.board[static_cast<size_t>(cell)] == 0) {
            move = Move{Move::Kind::Place, extra, cell};
            return true;
        }
    }
    for (int cell = last; cell >= 1; --cell) {
        if (seat.board[static_cast<size_t>(cell)] == 0) {
            move = Move{Move::Kind::Place, extra, cell};
            return true;
        }
    }
    return false;
}

bool WordPlanner::discardSomething(const SeatState &seat, std::mt19937 &random, Move &move)
{
    std::vector<int> extras;
    for (int k = 1; k <= kExtras; ++k) {
        if (seat.extras[static_cast<size_t>(k)] != 0)
            extras.push_back(k);
    }
    if (!extras.empty()) {
        const size_t pick = std::uniform_int_distribution<size_t>(0, extras.size() - 1)(random);
        move = Move{Move::Kind::DiscardExtra, extras[pick], 0};
        return true;
    }
    std::vector<int> cells;
    for (int cell = 1; cell <= kCells; ++cell) {
        if (seat.board[static_cast<size_t>(cell)] != 0)
            cells.push_back(cell);
    }
    if (cells.empty())
        return false;
    const size_t pick = std::uniform_int_distribution<size_t>(0, cells.size() - 1)(random);
    move = Move{Move::Kind::DiscardLetter, cells[pick], 0};
    return true;
}

}  // namespace soak
