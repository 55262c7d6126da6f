// The Strong computer's search over the actions of one turn; see MoveSearch.h.
#include "host/MoveSearch.h"

#include "net/GameFacts.h"

#include <algorithm>

namespace {

using quarn::kCells;
using quarn::kExtras;
using quarn::kLetterCodes;

// A move that wins the game outranks every other, the larger win first.
constexpr double kWin = 1e6;

int lowestCellHolding(const tplayer::Board &board, int code)
{
    for (int cell = 1; cell <= kCells; ++cell) {
        if (board[static_cast<size_t>(cell)] == code)
            return cell;
    }
    return 0;
}

int lowestExtraHolding(const tplayer::Extras &extras, int code)
{
    for (int k = 1; k <= kExtras; ++k) {
        if (extras[static_cast<size_t>(k)] == code)
            return k;
    }
    return 0;
}

// The swaps that turn `board` into `wanted`, which must hold the same letters and
// empty cells. Each cell from the left is settled in turn, preferably with a letter that
// is not already where it belongs.
std::vector<std::pair<int, int>> tradesFor(tplayer::Board board, const tplayer::Board &wanted)
{
    std::vector<std::pair<int, int>> trades;
    for (int p = 1; p <= kCells; ++p) {
        const auto at = [](int cell) { return static_cast<size_t>(cell); };
        if (board[at(p)] == wanted[at(p)])
            continue;
        int from = 0;
        for (int q = p + 1; q <= kCells && from == 0; ++q) {
            if (board[at(q)] == wanted[at(p)] && board[at(q)] != wanted[at(q)])
                from = q;
        }
        for (int q = p + 1; q <= kCells && from == 0; ++q) {
            if (board[at(q)] == wanted[at(p)])
                from = q;
        }
        if (from == 0)
            break;  // not the same letters; cannot happen for a planned word
        std::swap(board[at(p)], board[at(from)]);
        trades.emplace_back(p, from);
    }
    return trades;
}

// The packing of every letter of a bag, whatever its size: a key for remembering results.
LetterBag::Key packed(const LetterBag &bag)
{
    LetterBag::Key key = 0;
    for (int i = 0; i < bag.size(); ++i)
        key = (key << 5) | static_cast<LetterBag::Key>(bag.at(i));
    return key;
}

}  // namespace

struct MoveSearch::Candidate {
    MovePlan::Action action = MovePlan::Action::Nothing;
    int from = 0;  // the position the action takes from (extra, own cell or his cell)
    int to = 0;  // the own cell it puts a letter in, when it scores nothing
    int removed = 0;  // own board letter overwritten or discarded; 0 = none
    int added = 0;  // letter put on the own board (an extra or a stolen one); 0 = none
    LetterBag board;  // own letters afterwards
    LetterBag extras;
    LetterBag his;
    bool drawsNext = false;  // an extras cell is empty: the next turn brings a letter
    int stealsLeft = 0;
    int points = 0;
    Key spelled = 0;
    double value = 0;
};

// --- Formed words -----------------------------------------------------------------------

void MoveSearch::Formed::assign(const QStringList &words)
{
    spellings.clear();
    keys.clear();
    for (const QString &word : words) {
        const Key spelling = LetterBag::spelling(word);
        if (spelling == 0)
            continue;
        LetterBag bag;
        for (const QChar letter : word)
            bag.add(quarn::codeOf(letter));
        spellings.push_back(spelling);
        keys.push_back(bag.key());
    }
    std::sort(spellings.begin(), spellings.end());
    std::sort(keys.begin(), keys.end());
}

bool MoveSearch::Formed::hasKey(Key key) const
{
    return std::binary_search(keys.begin(), keys.end(), key);
}

bool MoveSearch::Formed::hasSpelling(Key spelling) const
{
    return std::binary_search(spellings.begin(), spellings.end(), spelling);
}

// --- The search -------------------------------------------------------------------------

MoveSearch::MoveSearch(const AnagramIndex &words)
    : MoveSearch(words, Weights{})
{
}

MoveSearch::MoveSearch(const AnagramIndex &words, const Weights &weights)
    : m_words(words)
    , m_weights(weights)
{
}

int MoveSearch::unformedPoints(Key key, const Formed &formed, Key exclude, Key *spelled)
{
    if (key == 0)
        return 0;
    ++m_lookups;
    const AnagramIndex::Group group = m_words.find(key);
    if (group.isEmpty())
        return 0;
    if (exclude == 0 && !formed.hasKey(key)) {
        if (spelled)
            *spelled = *group.first;
        return group.points;
    }
    for (const Key *word = group.first; word != group.last; ++word) {
        if (*word != exclude && !formed.hasSpelling(*word)) {
            if (spelled)
                *spelled = *word;
            return group.points;
        }
    }
    return 0;
}

const MoveSearch::Outlook &MoveSearch::outlook(const LetterBag &bag)
{
    const auto [entry, fresh] = m_outlooks.try_emplace(packed(bag));
    Outlook &outlook = entry->second;
    if (!fresh)
        return outlook;
    const std::vector<int> letters = bag.distinct();
    for (const int x : letters)
        outlook.drop = std::max(outlook.drop, unformedPoints(bag.keyWith(x, 0), m_formed));
    for (int c = 1; c <= kLetterCodes; ++c) {
        int best = unformedPoints(bag.keyWith(0, c), m_formed);
        for (const int x : letters) {
            if (x != c)
                best = std::max(best, unformedPoints(bag.keyWith(x, c), m_formed));
        }
        outlook.withLetter[static_cast<size_t>(c)] = best;
    }
    return outlook;
}

int MoveSearch::hisBestSteal(const LetterBag &mine, const LetterBag &his)
{
    const Key hisLetters = packed(his) << 5;
    const std::vector<int> targets = his.distinct();
    int best = 0;
    for (const int h : mine.distinct()) {
        const auto [entry, fresh] = m_hisSteals.try_emplace(hisLetters | static_cast<Key>(h), 0);
        if (fresh) {
            int points = unformedPoints(his.keyWith(0, h), m_hisFormed);
            for (const int y : targets) {
                if (y != h)
                    points = std::max(points, unformedPoints(his.keyWith(y, h), m_hisFormed));
            }
            entry->second = points;
        }
        best = std::max(best, entry->second);
    }
    return best;
}

double MoveSearch::nextTurn(const Candidate &candidate)
{
    const Outlook &next = outlook(candidate.board);
    // Another order of the same letters, or one letter dropped, needs nothing new.
    double known = std::max(unformedPoints(candidate.board.key(), m_formed, candidate.spelled), next.drop);
    for (const int e : candidate.extras.distinct())
        known = std::max(known, double(next.withLetter[static_cast<size_t>(e)]));
    if (candidate.stealsLeft > 0) {
        for (const int h : candidate.his.distinct())
            known = std::max(known, m_weights.stealNextTurn * next.withLetter[static_cast<size_t>(h)]);
    }
    if (!candidate.drawsNext)
        return known;
    // The letter drawn next, weighted as the host's draw weights it; that the draw also
    // avoids letters the seat already holds is left out.
    double expected = 0;
    for (int c = 1; c <= kLetterCodes; ++c)
        expected += quarn::drawChance(c) * std::max(known, double(next.withLetter[static_cast<size_t>(c)]));
    return expected;
}

void MoveSearch::evaluate(Candidate &candidate)
{
    const SearchPosition &p = m_position;
    const int scoreAfter = saturatedSum(p.score, candidate.points);
    // The turn change after the action declares the mover the winner.
    if (scoreAfter >= p.playToScore && scoreAfter != p.hisScore) {
        candidate.value = kWin + candidate.points;
        return;
    }
    double value = candidate.points + m_weights.nextTurn * nextTurn(candidate);
    if (p.hisStealsLeft > 0) {
        const int threat = hisBestSteal(candidate.board, candidate.his);
        value -= m_weights.opponentSteal * threat;
        const int hisAfter = saturatedSum(p.hisScore, threat);
        if (threat > 0 && hisAfter >= p.playToScore && hisAfter != scoreAfter)
            value -= m_weights.opponentWins;
    }
    candidate.value = value;
}

void MoveSearch::collect(std::vector<Candidate> &candidates)
{
    const SearchPosition &p = m_position;
    const LetterBag board = LetterBag::fromCells(p.board, 1, kCells);
    const LetterBag extras = LetterBag::fromCells(p.extras, 1, kExtras);
    const LetterBag his = LetterBag::fromCells(p.hisBoard, 1, kCells);
    const int firstEmpty = lowestCellHolding(p.board, 0);
    const std::vector<int> own = board.distinct();

    const auto add = [&](Candidate c) {
        c.points = unformedPoints(c.board.key(), m_formed, 0, &c.spelled);
        if (c.action == MovePlan::Action::Steal && c.points == 0)
            return;  // refused by the rules: not an ending action
        candidates.push_back(c);
    };

    for (const int e : extras.distinct()) {
        Candidate base;
        base.from = lowestExtraHolding(p.extras, e);
        base.extras = extras;
        base.extras.remove(e);
        base.his = his;
        base.drawsNext = true;
        base.stealsLeft = p.stealsLeft;

        Candidate discard = base;
        discard.action = MovePlan::Action::DiscardExtra;
        discard.board = board;
        add(discard);

        Candidate place = base;
        place.action = MovePlan::Action::Place;
        place.added = e;
        if (firstEmpty != 0) {
            place.to = firstEmpty;
            place.board = board;
            place.board.add(e);
            add(place);
        }
        for (const int x : own) {
            if (x == e)
                continue;  // the same letters as discarding the extra
            place.to = lowestCellHolding(p.board, x);
            place.removed = x;
            place.board = board;
            place.board.remove(x);
            place.board.add(e);
            add(place);
        }
    }

    for (const int x : own) {
        Candidate discard;
        discard.action = MovePlan::Action::DiscardLetter;
        discard.from = lowestCellHolding(p.board, x);
        discard.removed = x;
        discard.board = board;
        discard.board.remove(x);
        discard.extras = extras;
        discard.his = his;
        discard.drawsNext = extras.size() < kExtras;
        discard.stealsLeft = p.stealsLeft;
        add(discard);
    }

    if (p.stealsLeft <= 0)
        return;
    for (const int h : his.distinct()) {
        Candidate steal;
        steal.action = MovePlan::Action::Steal;
        steal.from = lowestCellHolding(p.hisBoard, h);
        steal.added = h;
        steal.extras = extras;
        steal.his = his;
        steal.his.remove(h);
        steal.drawsNext = extras.size() < kExtras;
        steal.stealsLeft = p.stealsLeft - 1;
        if (firstEmpty != 0) {
            steal.to = firstEmpty;
            steal.board = board;
            steal.board.add(h);
            add(steal);
        }
        for (const int x : own) {
            steal.to = lowestCellHolding(p.board, x);
            steal.removed = x;
            steal.board = board;
            steal.board.remove(x);
            steal.board.add(h);
            add(steal);
        }
    }
}

MovePlan MoveSearch::planFor(const Candidate &candidate) const
{
    MovePlan plan;
    plan.action = candidate.action;
    plan.points = candidate.points;
    plan.value = candidate.value;
    plan.from = candidate.from;
    plan.to = candidate.to;
    if (candidate.points == 0)
        return plan;  // nothing to spell: the letters stay where they are

    // The board before the action: the word from cell 1, with the cell the action fills
    // holding what it will replace, or the letter to discard just after the word.
    plan.word = LetterBag::textOf(candidate.spelled);
    const int length = static_cast<int>(plan.word.size());
    tplayer::Board wanted{};
    for (int i = 0; i < length; ++i)
        wanted[static_cast<size_t>(i + 1)] = quarn::codeOf(plan.word.at(i));
    switch (candidate.action) {
    case MovePlan::Action::Place:
    case MovePlan::Action::Steal: {
        const int cell = lowestCellHolding(wanted, candidate.added);
        wanted[static_cast<size_t>(cell)] = candidate.removed;
        plan.to = cell;
        break;
    }
    case MovePlan::Action::DiscardLetter:
        wanted[static_cast<size_t>(length + 1)] = candidate.removed;
        plan.from = length + 1;
        break;
    case MovePlan::Action::DiscardExtra:
    case MovePlan::Action::Nothing: break;
    }
    plan.trades = tradesFor(m_position.board, wanted);
    return plan;
}

MovePlan MoveSearch::choose(const SearchPosition &position)
{
    m_position = position;
    m_formed.assign(position.formed);
    m_hisFormed.assign(position.hisFormed);
    m_outlooks.clear();
    m_hisSteals.clear();
    m_lookups = 0;

    std::vector<Candidate> candidates;
    collect(candidates);
    if (candidates.empty())
        return {};
    const Candidate *best = nullptr;
    for (Candidate &candidate : candidates) {
        evaluate(candidate);
        // Equal values: the larger score now, then the first considered.
        if (!best || candidate.value > best->value
            || (candidate.value == best->value && candidate.points > best->points))
            best = &candidate;
    }
    return planFor(*best);
}
