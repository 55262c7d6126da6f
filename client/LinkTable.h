// The chat view's record of its link runs: the 101-entry table with its counter (entries
// 0 to 100, the counter wrapping to 1), and every address by its link number.
//
// The table alone cannot answer a click on an older link once more than 101 links were
// shown (its numbering wraps to 1 and overwrites entries), so the addresses are also kept
// in order of appearance and a click always opens the address of the link clicked.
#pragma once

#include <QList>
#include <QString>

#include <array>
#include <optional>

class LinkTable {
public:
    static constexpr int kEntries = 101;  // entries 0 to 100

    // Stores the word (trailing space included) and returns the link's number, its
    // position among the links since the last clear.
    int add(const QString &word);
    // Empties the table; the counter goes back to -1 (no link yet).
    void clear();

    // The latest table entry written; -1 before the first link.
    int counter() const { return m_counter; }
    QString entry(int index) const;
    int count() const { return static_cast<int>(m_byNumber.size()); }

    // The address a click on link `number` opens: the word without one trailing space.
    // Empty when there is no such link.
    std::optional<QString> address(int number) const;

private:
    std::array<QString, kEntries> m_table;
    int m_counter = -1;
    QList<QString> m_byNumber;
};
