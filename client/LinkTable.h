// The chat view's record of its link runs: the 101-entry table with its counter (entries
// 0 to 100, the counter wrapping to 1), and every address by its link number.
//
// The table alone cannot answer a click on an older link once more than 101 links were
// shown (its numbering wraps to 1 and overwrites entries), so the addresses are kept in
// order of appearance and a click always opens the address of the link clicked. Only the
// links of lines still shown are kept: the view releases a line's links when it drops the
// line, oldest first, so the record never outgrows the view's history. The table's
// entries are read from that record, so each address is held once.
#pragma once

#include <QString>

#include <deque>
#include <optional>

class LinkTable {
public:
    static constexpr int kEntries = 101;  // entries 0 to 100

    // Stores the word (trailing space included) and returns the link's number, its
    // position among the links since the last clear.
    int add(const QString &word);
    // Forgets the `count` oldest links kept (the links of a line that left the view);
    // their numbers stay used, so later links keep theirs.
    void releaseOldest(int count);
    // Forgets every link; the counter goes back to -1 (no link yet).
    void clear();

    // The latest table entry written; -1 before the first link.
    int counter() const;
    // The word at table entry `index`; empty when never written, or when its link left
    // the view.
    QString entry(int index) const;
    // Links kept: those of the lines still shown.
    int count() const { return static_cast<int>(m_kept.size()); }
    // The number of the oldest link kept (the next link's number when none is kept).
    int firstKept() const { return m_firstKept; }

    // The address a click on link `number` opens: the word without one trailing space.
    // Empty when there is no such link, or its line left the view.
    std::optional<QString> address(int number) const;

private:
    static int entryOf(int number) { return number == 0 ? 0 : (number - 1) % (kEntries - 1) + 1; }
    const QString *kept(int number) const;

    std::deque<QString> m_kept;  // the words of links m_firstKept, m_firstKept + 1, ...
    int m_firstKept = 0;
    int m_added = 0;  // links added since the last clear
};
