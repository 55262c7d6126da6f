// The Strong computer's word list in memory; see AnagramIndex.h.
#include "host/AnagramIndex.h"

#include "dictionary/WordListFormat.h"
#include "net/GameFacts.h"

#include <QFile>

#include <algorithm>
#include <bit>

namespace {

constexpr int kBitsPerLetter = 5;

int pointsOf(const QString &word)
{
    int sum = 0;
    for (const QChar letter : word)
        sum += quarn::letterPoints(quarn::codeOf(letter));
    return sum * quarn::wordFactor(static_cast<int>(word.size()));
}

// Fibonacci hashing: the key's bits spread over the table's index bits.
constexpr quint64 kMix = 0x9E3779B97F4A7C15ull;

}  // namespace

// --- LetterBag --------------------------------------------------------------------------

bool LetterBag::contains(int code) const
{
    return std::find(m_letters.begin(), m_letters.begin() + m_size, code) != m_letters.begin() + m_size;
}

void LetterBag::add(int code)
{
    if (!quarn::isLetterCode(code) || m_size == kCapacity)
        return;
    int at = m_size;
    while (at > 0 && m_letters[static_cast<size_t>(at - 1)] > code) {
        m_letters[static_cast<size_t>(at)] = m_letters[static_cast<size_t>(at - 1)];
        --at;
    }
    m_letters[static_cast<size_t>(at)] = static_cast<quint8>(code);
    ++m_size;
}

bool LetterBag::remove(int code)
{
    const auto end = m_letters.begin() + m_size;
    const auto found = std::find(m_letters.begin(), end, code);
    if (found == end)
        return false;
    std::copy(found + 1, end, found);
    --m_size;
    m_letters[static_cast<size_t>(m_size)] = 0;
    return true;
}

std::vector<int> LetterBag::distinct() const
{
    std::vector<int> letters;
    for (int i = 0; i < m_size; ++i) {
        if (letters.empty() || letters.back() != m_letters[static_cast<size_t>(i)])
            letters.push_back(m_letters[static_cast<size_t>(i)]);
    }
    return letters;
}

LetterBag::Key LetterBag::keyWith(int remove, int add) const
{
    const int length = m_size - (remove ? 1 : 0) + (add ? 1 : 0);
    if (length < AnagramIndex::kShortest || length > AnagramIndex::kLongest)
        return 0;
    Key key = 0;
    bool removed = remove == 0;
    bool added = add == 0;
    for (int i = 0; i < m_size; ++i) {
        const int letter = m_letters[static_cast<size_t>(i)];
        if (!removed && letter == remove) {
            removed = true;
            continue;
        }
        if (!added && add <= letter) {
            key = (key << kBitsPerLetter) | static_cast<Key>(add);
            added = true;
        }
        key = (key << kBitsPerLetter) | static_cast<Key>(letter);
    }
    if (!removed)
        return 0;
    if (!added)
        key = (key << kBitsPerLetter) | static_cast<Key>(add);
    return key;
}

LetterBag::Key LetterBag::spelling(const QString &word)
{
    if (word.isEmpty() || word.size() > kCapacity)
        return 0;
    Key key = 0;
    for (const QChar letter : word) {
        const int code = quarn::codeOf(letter);
        if (code == 0)
            return 0;
        key = (key << kBitsPerLetter) | static_cast<Key>(code);
    }
    return key;
}

QString LetterBag::textOf(Key spelling)
{
    QString text;
    for (; spelling != 0; spelling >>= kBitsPerLetter)
        text.prepend(quarn::letterOf(static_cast<int>(spelling & 31u)));
    return text;
}

// --- AnagramIndex -----------------------------------------------------------------------

std::optional<AnagramIndex> AnagramIndex::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    const QByteArray records = file.readAll();
    QString reason;
    if (!WordListFormat::check(records, &reason)) {
        if (error)
            *error = QStringLiteral("%1 is no word list: %2").arg(path, reason);
        return std::nullopt;
    }
    return fromRecords(records);
}

namespace {

// Adds `word` as (letter bag, spelling) when it has the length and letters a word of the
// index may have.
void addWord(std::vector<std::pair<AnagramIndex::Key, AnagramIndex::Key>> &words, const QString &word)
{
    if (word.size() < AnagramIndex::kShortest || word.size() > AnagramIndex::kLongest)
        return;
    const AnagramIndex::Key spelled = LetterBag::spelling(word);
    if (spelled == 0)
        return;
    LetterBag bag;
    for (const QChar letter : word)
        bag.add(quarn::codeOf(letter));
    words.emplace_back(bag.key(), spelled);
}

}  // namespace

AnagramIndex AnagramIndex::fromRecords(const QByteArray &records)
{
    constexpr int kRecord = WordListFormat::RecordSize;
    std::vector<std::pair<Key, Key>> words;
    words.reserve(static_cast<size_t>(records.size() / kRecord));
    for (qsizetype at = 0; at + kRecord <= records.size(); at += kRecord) {
        if (records.at(at) != WordListFormat::RecordMark)
            continue;
        const QString word = QString::fromLatin1(records.constData() + at + 1, WordListFormat::WordWidth).trimmed();
        addWord(words, word);
    }
    return build(std::move(words));
}

AnagramIndex AnagramIndex::fromWords(const QStringList &list)
{
    std::vector<std::pair<Key, Key>> words;
    for (const QString &word : list) {
        addWord(words, word);
    }
    return build(std::move(words));
}

AnagramIndex AnagramIndex::build(std::vector<std::pair<Key, Key>> words)
{
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());

    AnagramIndex index;
    index.m_spellings.reserve(words.size());
    for (const auto &word : words)
        index.m_spellings.push_back(word.second);

    int groups = 0;
    for (size_t i = 0; i < words.size(); ++i)
        groups += i == 0 || words[i].first != words[i - 1].first ? 1 : 0;
    index.m_groups = groups;
    // At most about two thirds full, so that a probe that misses ends soon.
    const size_t capacity = std::bit_ceil(static_cast<size_t>(groups) * 3 / 2 + 1);
    index.m_slots.assign(capacity, Slot{});
    index.m_shift = 64 - std::countr_zero(capacity);

    for (size_t first = 0; first < words.size();) {
        size_t last = first;
        while (last < words.size() && words[last].first == words[first].first)
            ++last;
        const Key key = words[first].first;
        size_t at = index.m_shift >= 64 ? 0 : static_cast<size_t>((key * kMix) >> index.m_shift);
        while (index.m_slots[at].key != 0)
            at = (at + 1) & (capacity - 1);
        Slot &slot = index.m_slots[at];
        slot.key = key;
        slot.first = static_cast<quint32>(first);
        slot.count = static_cast<quint16>(last - first);
        slot.points = static_cast<quint16>(pointsOf(LetterBag::textOf(key)));
        first = last;
    }
    return index;
}

const AnagramIndex::Slot *AnagramIndex::slotOf(Key key) const
{
    if (key == 0 || m_slots.empty())
        return nullptr;
    const size_t mask = m_slots.size() - 1;
    size_t at = m_shift >= 64 ? 0 : static_cast<size_t>((key * kMix) >> m_shift);
    for (;;) {
        const Slot &slot = m_slots[at];
        if (slot.key == key)
            return &slot;
        if (slot.key == 0)
            return nullptr;
        at = (at + 1) & mask;
    }
}

AnagramIndex::Group AnagramIndex::find(Key key) const
{
    const Slot *slot = slotOf(key);
    if (!slot)
        return {};
    const Key *first = m_spellings.data() + slot->first;
    return {first, first + slot->count, slot->points};
}

qsizetype AnagramIndex::memoryBytes() const
{
    return static_cast<qsizetype>(m_spellings.capacity() * sizeof(Key) + m_slots.capacity() * sizeof(Slot));
}
