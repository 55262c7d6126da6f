// The tally's table: the player's own totals (row 0) and one row per followed opponent,
// the two word records, the operations the game and the tally window apply to it, and
// its stored form, a text of cells inside the Tlzrw1 container "quarntally.tld". QtCore
// only: the window Ttallylist shows this table and holds none of its values.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <climits>

class TallyTable : public QObject {
    Q_OBJECT
public:
    static constexpr int kColumnCount = 10;
    // Row 0 included. Far beyond any real list of opponents; a stored text that claims
    // more is damaged, and refusing it keeps a bad count from sizing anything.
    static constexpr int kMaxRowCount = 10000;
    // Counters stop here instead of wrapping; stored values above it are refused.
    static constexpr int kMaxCount = INT_MAX;
    // A container larger than this is not read: the text of kMaxRowCount rows with
    // sensible names is a small fraction of it.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    static inline const QString kFileName = QStringLiteral("quarntally.tld");
    // The winner that addgame is given when the player won.
    static inline const QString kOwnWin = QStringLiteral("addtomine");
    // What a seat's name reads while nobody holds it.
    static inline const QString kWaiting = QStringLiteral("<Waiting>");

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
        Counts session;  // this run only: zero after every restore
        bool operator==(const Opponent &) const = default;
    };

    // `folder` is where "quarntally.tld" lives: the program's folder, or wherever the
    // settings file went when that folder cannot be written.
    explicit TallyTable(const QString &folder, QObject *parent = nullptr);

    QString filePath() const { return m_filePath; }

    // --- persistence -----------------------------------------------------------------
    // Empties the table, then reads the file into it; a missing file is an empty tally.
    // The session counts start at 0. On failure (unreadable file, damaged container or
    // text) the table stays empty, errorString() says why and the file is left alone.
    bool restore();
    // Writes the table into the file: the whole container goes to a temporary file in
    // the same folder, renamed over the old one only once complete, so a failure keeps
    // the previous tally. Returns false, with errorString(), when nothing was replaced.
    bool save();
    QString errorString() const { return m_error; }

    // The stored text: the column count, the row count, then every cell column by column
    // (all rows of column 0, then of column 1, ...), each line ending in CR LF, UTF-8.
    QByteArray storedText() const;
    // Replaces the table by the stored text, session counts as stored. Strict: anything
    // but the layout above leaves the table empty and returns false with errorString().
    bool loadStoredText(const QByteArray &text);

    // --- reading ---------------------------------------------------------------------
    int rowCount() const { return 1 + int(m_opponents.size()); }
    // A cell as the stored text has it; empty outside the table.
    QString cell(int row, int column) const;
    const OwnTotals &own() const { return m_own; }
    // Row i + 1 of the table, in the order they were followed.
    const QList<Opponent> &opponents() const { return m_opponents; }
    // The row of a followed opponent, or -1.
    int rowOf(const QString &name) const;
    bool isFollowed(const QString &name) const { return rowOf(name) > 0; }
    int longestWordLength() const { return m_own.longestLength; }
    int bestWordPoints() const { return m_own.bestPoints; }
    // The players of the current game other than the own one, as last loaded.
    const QStringList &currentPlayers() const { return m_currentPlayers; }

    // --- the game's calls ------------------------------------------------------------
    // A game ended. `winner` is kOwnWin when the player won, else the winner's name.
    // Row 0 counts the game (and the win); every current player who is followed counts
    // the game and who won it, whether or not their box in the window is ticked. Call
    // loadchecklist (or setCurrentPlayers) first, so the players are those of this game.
    void addgame(const QString &winner);
    // A new record: column LongestWord takes the word and its length, BestWord the word
    // and its points; `value` becomes the threshold. A value not above the current
    // threshold changes nothing, so a record is never lowered. False when nothing changed.
    bool addword(const QString &word, int value, int column);
    // One more word formed: column OwnWords.
    void anotherword(int column);
    // One more game (OwnGames) or win (OwnWins) of the player.
    void addtomine(int column);

    // --- the window's calls ----------------------------------------------------------
    // Appends a row for `name` with every count 0; false when it is already followed or
    // the name is empty.
    bool follow(const QString &name);
    // Stops following the opponent of `row` (1 and up): the later rows move up.
    void moverow(int row);
    // Forgets everything: row 0 alone, every count 0, no records.
    void reset();

    // The players of the current game other than the own one (line breaks made spaces,
    // repeats dropped).
    void setCurrentPlayers(const QStringList &names);
    // The same from the game's seats: the names of seats 1 and 2 but the own slot's and
    // any that reads kWaiting. A spectator (slot above 2) gets both players.
    void loadchecklist(int ownSlot, const QString &seat1Name, const QString &seat2Name);
    static QStringList opponentsInGame(int ownSlot, const QString &seat1Name, const QString &seat2Name);

    // A name or word as the stored text can hold it: every line break becomes a space.
    static QString storableName(const QString &name);

Q_SIGNALS:
    // Rows were added or removed, or the whole table was replaced (restore, reset).
    void rowsChanged();
    // A count or a record changed; the rows are the same.
    void valuesChanged();
    void currentPlayersChanged();

private:
    void clearContent();
    // Reads the stored text into the two parts; the error's text, or empty on success.
    static QString parse(const QByteArray &bytes, OwnTotals &own, QList<Opponent> &opponents);

    QString m_filePath;
    QString m_error;
    OwnTotals m_own;
    QList<Opponent> m_opponents;
    QStringList m_currentPlayers;
};
