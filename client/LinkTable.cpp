// Link numbering of the chat view; see LinkTable.h.
#include "client/LinkTable.h"

#include <algorithm>

int LinkTable::add(const QString &word)
{
    m_kept.push_back(word);
    return m_added++;
}

void LinkTable::releaseOldest(int count)
{
    const int released = std::clamp(count, 0, this->count());
    m_kept.erase(m_kept.begin(), m_kept.begin() + released);
    m_firstKept += released;
    // A deque keeps its emptied blocks; give them back once nothing is left.
    if (m_kept.empty())
        m_kept.shrink_to_fit();
}

void LinkTable::clear()
{
    std::deque<QString>().swap(m_kept);
    m_firstKept = 0;
    m_added = 0;
}

int LinkTable::counter() const
{
    return m_added == 0 ? -1 : entryOf(m_added - 1);
}

const QString *LinkTable::kept(int number) const
{
    if (number < m_firstKept || number >= m_added)
        return nullptr;
    return &m_kept[static_cast<size_t>(number - m_firstKept)];
}

QString LinkTable::entry(int index) const
{
    if (index < 0 || index >= kEntries || m_added == 0)
        return {};
    // The entry holds the latest link written to it.
    const int latest = m_added - 1;
    int number = index;
    if (index > 0) {
        if (latest < index)
            return {};
        number = index + (latest - index) / (kEntries - 1) * (kEntries - 1);
    }
    const QString *word = kept(number);
    return word ? *word : QString();
}

std::optional<QString> LinkTable::address(int number) const
{
    const QString *word = kept(number);
    if (!word)
        return std::nullopt;
    QString address = *word;
    if (address.endsWith(QLatin1Char(' ')))
        address.chop(1);
    return address;
}
