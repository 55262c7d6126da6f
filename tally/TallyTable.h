// The tally's table: the player's own totals (row 0) and one row per followed opponent,
// the two word records, and the operations the game and the tally window apply to it.
// QtCore only and no file: TallyText is its stored form, TallyFile keeps it in
// "quarntally.tld", and the window Ttallylist shows it and holds none of its values.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <climits>
#include <optional>

class TallyTable : public QObject {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 10;
    // Row 0 included. Far beyond any real list of opponents; a stored text that claims
    // more is damaged, and refusing it keeps a bad count from sizing anything.
    static constexpr int kMaxRowCount = 10000;
    // Counters stop here instead of wrapping; stored values above it are refused.
    static constexpr int kMaxCount = INT_MAX;

    // Columns of row 0; 0, 8 and 9 are unused and stored as "0".
    enum OwnColumn {
        OwnGames = 1,
        OwnWins = 2,
        LongestWord = 3,
        LongestLength = 4,
        BestWord = 5,
        BestPoints = 6,
        OwnWords = 7
    };
    // Columns of an opponent's row: the name, the totals, then the same four for this
    // run of the program (SessionOffset further on); 9 is unused and stored as "0".
    enum OpponentColumn {
        Name = 0,
        Games = 1,
        TheirWins = 2,
        YourWins = 3,
        NeitherWon = 4,
        SessionGames = 5,
        SessionTheirWins = 6,
        SessionYourWins = 7,
        SessionNeitherWon = 8
    };
    static constexpr int kSessionOffset = SessionGames - Games;

    struct OwnTotals {
        int games = 0;
        int wins = 0;
        QString longestWord;  // meaningful only while longestLength > 0
        int longestLength = 0;  // the longest-word threshold
        QString bestWord;  // meaningful only while bestPoints > 0
        int bestPoints = 0;  // the best-score threshold
        int words = 0;
        bool operator==(const OwnTotals &) const = default;
    };
    struct Counts {
        int games = 0;
        int theirWins = 0;
        int yourWins = 0;
        int neitherWon = 0;
        bool operator==(const Counts &) const = default;
    };
    struct Opponent {
        QString name;
        Counts total;
        Counts session;  // this run only
        bool operator==(const Opponent &) const = default;
    };
    // Everything the table holds but the current game's players.
    struct Content {
        OwnTotals own;
        // Row i + 1 of the table, in the order they were followed.
        QList<Opponent> opponents;
        bool operator==(const Content &) const = default;
    };

    explicit TallyTable(QObject *parent = nullptr);

    // --- reading ---------------------------------------------------------------------
    const Content &content() const { return m_content; }
    const OwnTotals &own() const { return m_content.own; }
    const QList<Opponent> &opponents() const { return m_content.opponents; }
    int rowCount() const { return 1 + int(m_content.opponents.size()); }
    // The row of a followed opponent, or -1.
    int rowOf(const QString &name) const;
    bool isFollowed(const QString &name) const { return rowOf(name) > 0; }
    int longestWordLength() const { return m_content.own.longestLength; }
    int bestWordPoints() const { return m_content.own.bestPoints; }
    // The players of the current game other than the own one, as last set.
    const QStringList &currentPlayers() const { return m_currentPlayers; }

    // Replaces everything, e.g. by what the file held (rowsChanged).
    void replaceContent(const Content &content);

    // --- the game's calls ------------------------------------------------------------
    // A game the player played ended; the current players must be this game's. Row 0
    // counts the game (and the win); every current player who is followed counts the
    // game and who won it. The player's own win is a call of its own, so no name an
    // opponent may choose reads as it.
    void countOwnWin();
    void countGameWonBy(const QString &winner);
    // A new record: the word and its length, or its points, become the record unless
    // the value is not above the current one (a record is never lowered). False when
    // nothing changed.
    bool recordLongestWord(const QString &word, int length);
    bool recordBestWord(const QString &word, int points);
    // One more word formed.
    void countWord();

    // --- the window's calls ----------------------------------------------------------
    // Appends a row for `name` with every count 0; false when it is already followed or
    // the name is empty.
    bool follow(const QString &name);
    // Removes the followed opponent's row (the "moverow" of the original tally): the later
    // rows move up. False when `name` is not followed.
    bool unfollow(const QString &name);
    // Forgets everything: row 0 alone, every count 0, no records.
    void reset();

    // The players of the current game other than the own one (line breaks made spaces,
    // repeats and empty names dropped).
    void setCurrentPlayers(const QStringList &names);

    // A name or word as the stored text can hold it: every line break becomes a space.
    static QString storableName(const QString &name);

Q_SIGNALS:
    // Rows were added or removed, or the whole table was replaced (replaceContent, reset).
    void rowsChanged();
    // A count or a record changed; the rows are the same.
    void valuesChanged();
    void currentPlayersChanged();

private:
    // `otherWinner` is empty when the player won.
    void countGame(const std::optional<QString> &otherWinner);
    bool record(QString &recordWord, int &threshold, const QString &word, int value);

    Content m_content;
    QStringList m_currentPlayers;
};
