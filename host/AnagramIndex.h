// The word list in memory for the Strong computer: every listed word of 2 to 10 letters,
// grouped by its letters regardless of order, so that "which words can these letters
// spell" is one hash probe. Built once from the same word-list file the dictionary
// searches on disk; the rules themselves keep asking TDictn.
#pragma once

#include "net/GameFacts.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// A multiset of letter codes (1..26), kept sorted. Keys and spelled words are packed five
// bits to a letter into 64 bits; no letter is 0, so every packing is unique.
class LetterBag {
public:
    static constexpr int kCapacity = 12;
    using Key = quint64;

    LetterBag() = default;
    // The letters of `cells`, empty cells (0 or anything but a letter code) skipped.
    template <typename Cells> static LetterBag fromCells(const Cells &cells, int first, int last)
    {
        LetterBag bag;
        for (int i = first; i <= last; ++i)
            bag.add(cells[static_cast<size_t>(i)]);
        return bag;
    }

    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    int at(int i) const { return m_letters[static_cast<size_t>(i)]; }
    bool contains(int code) const;
    // Adds a letter code; anything else, or a full bag, is ignored.
    void add(int code);
    // Removes one `code`; false when the bag holds none.
    bool remove(int code);
    // Distinct letters, ascending.
    std::vector<int> distinct() const;

    Key key() const { return keyWith(0, 0); }
    // The key of this bag less one `remove` and plus one `add` (0 = none), computed in one
    // pass without building the bag; 0 when the result would not be a word's length.
    Key keyWith(int remove, int add) const;

    // The packed form of a word spelled in order (letters a..z, either case); 0 for
    // anything else. Used to tell the words of one group apart.
    static Key spelling(const QString &word);
    static QString textOf(Key spelling);

    bool operator==(const LetterBag &other) const = default;

private:
    std::array<quint8, kCapacity> m_letters{};
    int m_size = 0;
};

class AnagramIndex {
public:
    static constexpr int kShortest = 2;
    static constexpr int kLongest = quarn::kCells;
    using Key = LetterBag::Key;

    // The words that share one set of letters, and what any of them scores.
    struct Group {
        const Key *first = nullptr;  // spellings, ascending
        const Key *last = nullptr;
        int points = 0;
        bool isEmpty() const { return first == last; }
    };

    AnagramIndex() = default;

    // Reads a word-list file in the dictionary's record format; nothing when it cannot
    // be read or is no such list (`error` says why).
    static std::optional<AnagramIndex> load(const QString &path, QString *error = nullptr);
    // Records in the dictionary's format; records that are not a 2..10-letter word are
    // passed over.
    static AnagramIndex fromRecords(const QByteArray &records);
    // Plain words (tests); the same length and letter rules apply.
    static AnagramIndex fromWords(const QStringList &words);

    // The group of `key`; empty when no listed word has exactly those letters.
    Group find(Key key) const;

    int wordCount() const { return static_cast<int>(m_spellings.size()); }
    int groupCount() const { return m_groups; }
    // Bytes held by the tables (measurements).
    qsizetype memoryBytes() const;

private:
    struct Slot {
        Key key = 0;
        quint32 first = 0;
        quint16 count = 0;
        quint16 points = 0;
    };

    // From (key, spelling) pairs in any order, repeats allowed.
    static AnagramIndex build(std::vector<std::pair<Key, Key>> words);
    const Slot *slotOf(Key key) const;

    std::vector<Key> m_spellings;  // grouped by key
    std::vector<Slot> m_slots;  // open addressing, a power of two in size
    int m_shift = 64;
    int m_groups = 0;
};
