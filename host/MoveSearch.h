// The Strong computer's choice of a move, without sockets, widgets or the seat table: it
// is given what its seat can see (its own board and extras, the opponent's board, both
// scores, steals left and the words each seat has formed; never the opponent's extras)
// and answers with the trades and the one turn-ending action to make.
//
// Every action open to the seat is considered: each extra into each cell, each board
// discard, each extra discard, each steal that forms a new word. Trades cost nothing and
// keep the turn, so the board counts as its letters in any order; the trades that spell
// the chosen word are worked out once the action is chosen. An action is worth the points
// it scores now, plus a share of what the position leaves the seat for its next turn
// (the best word one letter away, from its extras, a steal or the letter it will draw),
// less a share of the best steal the position leaves the opponent.
#pragma once

#include "host/AnagramIndex.h"
#include "host/SeatTable.h"

#include <QString>
#include <QStringList>

#include <array>
#include <unordered_map>
#include <utility>
#include <vector>

struct SearchPosition {
    tplayer::Board board{};  // own cells 1..10, 0 = empty
    tplayer::Extras extras{};  // own extras 1..6
    tplayer::Board hisBoard{};  // the opponent's cells
    int score = 0;
    int hisScore = 0;
    int playToScore = 0;
    int stealsLeft = 0;
    int hisStealsLeft = 0;
    QStringList formed;  // words the seat has formed this game
    QStringList hisFormed;  // the opponent's
};

struct MovePlan {
    enum class Action { Nothing, Place, DiscardLetter, DiscardExtra, Steal };

    std::vector<std::pair<int, int>> trades;  // board cells to swap, in order, before the action
    Action action = Action::Nothing;
    // Place: extra, own cell. Steal: his cell, own cell. DiscardLetter: cell, 0.
    // DiscardExtra: extra, 0.
    int from = 0;
    int to = 0;
    QString word;  // the word the action forms (lower case); empty when it scores nothing
    int points = 0;  // what it scores now
    double value = 0;
};

class MoveSearch {
public:
    struct Weights {
        double nextTurn = 0.8;  // the seat's best next turn, as expected now
        double stealNextTurn = 0.5;  // a steal next turn, the opponent's board may change first
        double opponentSteal = 0.6;  // the best steal the opponent is left
        double opponentWins = 60;  // ... when that steal would win the game for him
    };

    explicit MoveSearch(const AnagramIndex &words);
    MoveSearch(const AnagramIndex &words, const Weights &weights);

    MovePlan choose(const SearchPosition &position);

    // Probes of the word index made by the last choose() (measurements).
    int lookups() const { return m_lookups; }

private:
    using Key = LetterBag::Key;

    // Words a seat may no longer score: spellings and their letter keys, sorted.
    struct Formed {
        std::vector<Key> spellings;
        std::vector<Key> keys;
        void assign(const QStringList &words);
        bool hasKey(Key key) const;
        bool hasSpelling(Key spelling) const;
    };

    // What a board's letters offer the next turn: the best word with one letter c added
    // or put in place of another letter, and the best with one letter dropped.
    struct Outlook {
        std::array<int, quarn::kLetterCodes + 1> withLetter{};
        int drop = 0;
    };

    struct Candidate;

    // The points of an unformed word with exactly the letters of `key` (0 if none), the
    // spelling `exclude` not counted; `spelled` gets the word chosen.
    int unformedPoints(Key key, const Formed &formed, Key exclude = 0, Key *spelled = nullptr);
    const Outlook &outlook(const LetterBag &bag);
    int hisBestSteal(const LetterBag &mine, const LetterBag &his);
    double nextTurn(const Candidate &candidate);
    void evaluate(Candidate &candidate);
    MovePlan planFor(const Candidate &candidate) const;
    void collect(std::vector<Candidate> &candidates);

    const AnagramIndex &m_words;
    Weights m_weights;
    // Per choose(): the position, the formed words, and what was worked out already.
    SearchPosition m_position;
    Formed m_formed;
    Formed m_hisFormed;
    std::unordered_map<Key, Outlook> m_outlooks;
    std::unordered_map<Key, int> m_hisSteals;
    int m_lookups = 0;
};
