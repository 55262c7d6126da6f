// The computer opponent: picks a target word from a small vocabulary that it can spell
// from its own board with at most one letter added, then arranges its board toward that
// word. It makes the same requests a client sends, through the rules' handlers, so
// every rule, message and score applies to it unchanged. It reads the seat table and
// never writes it; its vocabulary is handed to it by whoever assembles the host, as a list
// or as a source that is read at its first move.
#pragma once

#include "host/ComputerOpponent.h"

#include <QString>
#include <QStringList>

#include <functional>

class SeatTable;
class GameRules;

class ComputerPlayer : public ComputerOpponent {
public:
    using VocabularySource = std::function<QStringList()>;

    ComputerPlayer(const SeatTable &table, GameRules &rules, const QStringList &vocabulary);
    // The vocabulary is read from `source` when it is first needed: at the first move, or
    // by readVocabulary. A program that never lets the computer play never reads it.
    ComputerPlayer(const SeatTable &table, GameRules &rules, VocabularySource source);

    // Replaces the vocabulary: kept sorted and lower case; lastwordindex follows.
    void setVocabulary(const QStringList &vocabulary);
    // Reads the vocabulary from the source given at construction, if it was not yet read.
    void readVocabulary();

    // Makes one complete move for `seat`: any number of trades, then exactly one place,
    // discard or successful steal.
    void computerplay(int seat) override;
    // Arranges the board of `seat` toward `word` and ends the turn.
    void makeword(int seat, const QString &word);

    // The vocabulary (listbox_words), sorted, lower case; lastwordindex = count - 1.
    QStringList listbox_words;
    int lastwordindex = -1;

private:
    // Letters of a seat's cells, upper case, empty cells skipped.
    QString boardLetters(int seat) const;
    QString extrasLetters(int seat) const;
    // Upper-case letter of a letter code, or a null QChar for an empty cell.
    static QChar letterOf(int code);
    QChar boardLetter(int seat, int cell) const;
    // Lowest extras position holding `letter`; 0 when none does.
    int extraHolding(int seat, QChar letter) const;
    // Lowest extras position holding any of `letters`; 0 when none does.
    int extraHoldingAnyOf(int seat, const QString &letters) const;

    void closeGaps(int seat);
    // The first fitting target from the random start on, or an empty string.
    QString findTarget(int seat, int filled);
    bool fitsEmptyBoard(const QString &word, const QString &extras) const;
    bool fitsBoard(int seat, const QString &word, int filled, const QString &board, const QString &extras,
                   const QString &his) const;
    bool tryStealFor(int seat, const QString &word);

    void trade(int seat, int a, int b);
    void place(int seat, int extra, int cell);
    bool steal(int seat, int hisCell, int myCell);
    // Discards the extra at `extra`; when that cell is empty, the next filled extra or
    // board letter instead, so the move always ends the turn.
    void discardExtraAt(int seat, int extra);
    void discardLetterAt(int seat, int cell);
    // The turn-ending fallback when the drawn cell happens to be empty.
    void discardAnything(int seat);

    const SeatTable &m_table;
    GameRules &m_rules;
    VocabularySource m_source;  // empty once read
    // listbox_words in upper case, the form the search compares.
    QStringList m_upperWords;
};
