// The computer opponent's move: close the board's gaps, choose a target word, arrange
// the board toward it and end the turn with one place, discard or steal.
#include "host/ComputerPlayer.h"

#include "dictionary/TDictn.h"
#include "host/GameRules.h"
#include "host/Random.h"
#include "host/SeatTable.h"
#include "net/GameFacts.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

using quarn::kCells;
using quarn::kExtras;

// Crosses one `letter` out of `letters`; false when it is not there.
bool crossOut(QString &letters, QChar letter)
{
    const qsizetype at = letters.indexOf(letter);
    if (at < 0)
        return false;
    letters.remove(at, 1);
    return true;
}

}  // namespace

ComputerPlayer::ComputerPlayer(const SeatTable &table, GameRules &rules, const QStringList &vocabulary)
    : m_table(table)
    , m_rules(rules)
{
    setVocabulary(vocabulary);
}

ComputerPlayer::ComputerPlayer(const SeatTable &table, GameRules &rules, VocabularySource source)
    : m_table(table)
    , m_rules(rules)
    , m_source(std::move(source))
{
}

void ComputerPlayer::readVocabulary()
{
    if (!m_source)
        return;
    const VocabularySource source = std::exchange(m_source, {});
    setVocabulary(source());
}

void ComputerPlayer::setVocabulary(const QStringList &vocabulary)
{
    m_source = {};
    listbox_words.clear();
    listbox_words.reserve(vocabulary.size());
    for (const QString &word : vocabulary)
        listbox_words.append(word.toLower());
    // The loaded vocabulary comes sorted already; sorting it again would cost every start.
    if (!std::is_sorted(listbox_words.cbegin(), listbox_words.cend()))
        listbox_words.sort();
    lastwordindex = static_cast<int>(listbox_words.size()) - 1;
    m_upperWords.clear();
    m_upperWords.reserve(listbox_words.size());
    for (const QString &word : std::as_const(listbox_words))
        m_upperWords.append(word.toUpper());
}

QChar ComputerPlayer::letterOf(int code)
{
    return quarn::isLetterCode(code) ? quarn::letterOf(code).toUpper() : QChar();
}

QChar ComputerPlayer::boardLetter(int seat, int cell) const
{
    return letterOf(m_table.player(seat).board[static_cast<size_t>(cell)]);
}

QString ComputerPlayer::boardLetters(int seat) const
{
    QString letters;
    for (int cell = 1; cell <= kCells; ++cell) {
        const QChar letter = boardLetter(seat, cell);
        if (!letter.isNull())
            letters += letter;
    }
    return letters;
}

QString ComputerPlayer::extrasLetters(int seat) const
{
    QString letters;
    for (int k = 1; k <= kExtras; ++k) {
        const QChar letter = letterOf(m_table.player(seat).extras[static_cast<size_t>(k)]);
        if (!letter.isNull())
            letters += letter;
    }
    return letters;
}

int ComputerPlayer::extraHolding(int seat, QChar letter) const
{
    for (int k = 1; k <= kExtras; ++k) {
        if (letterOf(m_table.player(seat).extras[static_cast<size_t>(k)]) == letter)
            return k;
    }
    return 0;
}

int ComputerPlayer::extraHoldingAnyOf(int seat, const QString &letters) const
{
    for (int k = 1; k <= kExtras; ++k) {
        const QChar letter = letterOf(m_table.player(seat).extras[static_cast<size_t>(k)]);
        if (!letter.isNull() && letters.contains(letter))
            return k;
    }
    return 0;
}

void ComputerPlayer::computerplay(int seat)
{
    if (!quarn::isSeat(seat))
        return;
    readVocabulary();
    closeGaps(seat);
    const int filled = static_cast<int>(boardLetters(seat).size());
    const QString target = findTarget(seat, filled);
    if (!target.isEmpty()) {
        if (filled == 0)
            place(seat, extraHolding(seat, target.at(0)), 1);
        else
            makeword(seat, target);
        return;
    }
    if (filled == 0) {
        if (const int extra = extraHoldingAnyOf(seat, QStringLiteral("DLMNPRS"))) {
            place(seat, extra, 1);
            return;
        }
    } else if (filled == 1) {
        if (const int extra = extraHoldingAnyOf(seat, QStringLiteral("AEIO"))) {
            place(seat, extra, 2);
            return;
        }
    }
    if (filled > 5)
        discardLetterAt(seat, m_rules.random().uniform(kExtras) + 1);
    else
        discardExtraAt(seat, m_rules.random().uniform(kExtras) + 1);
}

void ComputerPlayer::closeGaps(int seat)
{
    // Every filled cell moves to the lowest empty cell left of it; the loop goes on with
    // the emptied cell, so trades of two empty cells are sent too, as a client would.
    for (int k = kCells; k >= 1; --k) {
        if (boardLetter(seat, k).isNull())
            continue;
        for (int j = 1; j < k; ++j) {
            if (boardLetter(seat, j).isNull())
                trade(seat, k, j);
        }
    }
}

QString ComputerPlayer::findTarget(int seat, int filled)
{
    const int count = lastwordindex + 1;
    // The first and the last word are never candidates, so at least three are needed.
    if (count < 3)
        return QString();
    const QString board = boardLetters(seat);
    const QString extras = extrasLetters(seat);
    const QString his = boardLetters(GameRules::opponentOf(seat));
    const QStringList &formed = m_table.formedWords(seat);
    // The start s is drawn from 1..count-11; short lists clamp it so that the visit
    // s+1..count-2, 1..s never reaches the last word.
    const int start = std::min(m_rules.random().uniform(std::max(1, count - 11)) + 1, count - 2);

    auto fits = [&](const QString &word) {
        const int letters = static_cast<int>(word.size());
        if (filled > 0 && letters >= filled + 2)
            return false;
        if (formed.contains(word, Qt::CaseInsensitive))
            return false;
        if (letters < 2)
            return false;
        if (filled == 0)
            return fitsEmptyBoard(word, extras);
        return fitsBoard(seat, word, filled, board, extras, his);
    };
    for (int index = start + 1; index <= count - 2; ++index) {
        if (fits(m_upperWords.at(index)))
            return m_upperWords.at(index);
    }
    for (int index = 1; index <= start; ++index) {
        if (fits(m_upperWords.at(index)))
            return m_upperWords.at(index);
    }
    return QString();
}

bool ComputerPlayer::fitsEmptyBoard(const QString &word, const QString &extras) const
{
    if (word.size() != 2)
        return false;
    QString left = extras;
    for (const QChar letter : word) {
        if (!crossOut(left, letter))
            return false;
    }
    return true;
}

bool ComputerPlayer::fitsBoard(int seat, const QString &word, int filled, const QString &board, const QString &extras,
                               const QString &his) const
{
    const int letters = static_cast<int>(word.size());
    if (letters != filled && letters != filled + 1)
        return false;
    const tplayer &player = m_table.player(seat);
    const bool mayPlanSteal = filled > 2 && player.steals < m_table.settings().stealsAllowed;
    QString fromBoard = board;
    QString fromExtras = extras;
    QString fromHis = his;
    for (const QChar letter : word) {
        if (crossOut(fromBoard, letter))
            continue;
        // At most one letter comes from outside the board.
        if (fromExtras.contains(letter) || (mayPlanSteal && fromHis.contains(letter))) {
            fromExtras.clear();
            fromHis.clear();
            continue;
        }
        return false;
    }
    return true;
}

void ComputerPlayer::makeword(int seat, const QString &word)
{
    if (!quarn::isSeat(seat))
        return;
    const QString target = word.toUpper();
    const int letters = std::min(static_cast<int>(target.size()), kCells);
    auto wanted = [&](int cell) { return cell <= letters ? target.at(cell - 1) : QChar(); };

    // Bring board letters to their places; a cell already holding its own target letter stays.
    for (int j = 1; j <= letters; ++j) {
        for (int p = 1; p <= kCells; ++p) {
            const QChar here = boardLetter(seat, p);
            if (here == wanted(j) && here != wanted(p) && p != j)
                trade(seat, p, j);
        }
    }
    // Add one extra where the target still differs.
    for (int j = 1; j <= letters; ++j) {
        if (boardLetter(seat, j) == wanted(j))
            continue;
        if (const int extra = extraHolding(seat, wanted(j))) {
            place(seat, extra, j);
            return;
        }
    }
    if (tryStealFor(seat, target))
        return;
    // When the trades alone spelled the target, this discard's word check scores it.
    discardExtraAt(seat, m_rules.random().uniform(kExtras) + 1);
}

bool ComputerPlayer::tryStealFor(int seat, const QString &word)
{
    const tplayer &player = m_table.player(seat);
    if (player.steals >= m_table.settings().stealsAllowed)
        return false;
    const int victim = GameRules::opponentOf(seat);
    const int letters = std::min(static_cast<int>(word.size()), kCells);
    // The dictionary is asked once, and only when a steal is actually possible.
    std::optional<bool> listed;
    for (int j = 1; j <= letters; ++j) {
        if (boardLetter(seat, j) == word.at(j - 1))
            continue;
        for (int p = 1; p <= kCells; ++p) {
            if (p == j || boardLetter(victim, p) != word.at(j - 1))
                continue;
            if (!listed)
                listed = m_rules.spell().IsWord(word);
            if (*listed && steal(seat, p, j))
                return true;
        }
    }
    return false;
}

void ComputerPlayer::trade(int seat, int a, int b)
{
    m_rules.tradingmyletter({seat, a, b});
}

void ComputerPlayer::place(int seat, int extra, int cell)
{
    if (extra == 0) {
        discardAnything(seat);
        return;
    }
    m_rules.placemyletter({seat, extra, cell});
}

bool ComputerPlayer::steal(int seat, int hisCell, int myCell)
{
    return m_rules.stealinghisletter({seat, hisCell, myCell});
}

void ComputerPlayer::discardExtraAt(int seat, int extra)
{
    if (m_table.player(seat).extras[static_cast<size_t>(extra)] == 0) {
        discardAnything(seat);
        return;
    }
    m_rules.discardextra({seat, extra});
}

void ComputerPlayer::discardLetterAt(int seat, int cell)
{
    if (m_table.player(seat).board[static_cast<size_t>(cell)] == 0) {
        discardAnything(seat);
        return;
    }
    m_rules.discardletter({seat, cell});
}

void ComputerPlayer::discardAnything(int seat)
{
    // The drawn cell can be empty only when the seat did not start its turn with six
    // extras (a seat taken over in the middle of play); the turn must still end, or the
    // game would wait forever on a clock that is already off.
    const tplayer &player = m_table.player(seat);
    for (int k = 1; k <= kExtras; ++k) {
        if (player.extras[static_cast<size_t>(k)] != 0) {
            m_rules.discardextra({seat, k});
            return;
        }
    }
    for (int cell = 1; cell <= kCells; ++cell) {
        if (player.board[static_cast<size_t>(cell)] != 0) {
            m_rules.discardletter({seat, cell});
            return;
        }
    }
    if (m_table.gameInProgress() && m_table.whoseTurn() == seat)
        m_rules.passTurnOrDeclareWinner();
}
