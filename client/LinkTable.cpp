// Link numbering of the chat view; see LinkTable.h.
#include "client/LinkTable.h"

int LinkTable::add(const QString &word)
{
    ++m_counter;
    if (m_counter >= kEntries)
        m_counter = 1;
    m_table[static_cast<size_t>(m_counter)] = word;
    m_byNumber.append(word);
    return static_cast<int>(m_byNumber.size()) - 1;
}

void LinkTable::clear()
{
    m_table.fill(QString());
    m_counter = -1;
    m_byNumber.clear();
}

QString LinkTable::entry(int index) const
{
    if (index < 0 || index >= kEntries)
        return {};
    return m_table[static_cast<size_t>(index)];
}

std::optional<QString> LinkTable::address(int number) const
{
    if (number < 0 || number >= m_byNumber.size())
        return std::nullopt;
    QString word = m_byNumber.at(number);
    if (word.endsWith(QLatin1Char(' ')))
        word.chop(1);
    return word;
}
