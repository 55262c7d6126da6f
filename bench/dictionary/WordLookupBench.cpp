// Word lookup: the on-disk binary search of TDictn against an in-memory set of the
// same words, and the start-up costs of extracting the list or checking an existing one.
#include "dictionary/TDictn.h"
#include "dictionary/WordListFormat.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace {

// Every 29th record as a hit, and the same words with "Q" added as (mostly) misses,
// interleaved, so that both outcomes and every region of the list are exercised.
QStringList lookupKeys(const QByteArray &list)
{
    QStringList keys;
    const qsizetype records = list.size() / WordListFormat::RecordSize;
    for (qsizetype i = 0; i < records; i += 29) {
        const QString word = QString::fromLatin1(list.mid(i * 15 + 1, 14)).trimmed();
        keys.append(word.toLower());
        keys.append(word + QStringLiteral("Q"));
    }
    return keys;
}

void BM_IsWordOnFile(benchmark::State &state)
{
    QTemporaryDir dir;
    TDictn spell(dir.path());
    const QStringList keys = lookupKeys(TDictn::embeddedList());
    qsizetype next = 0;
    qint64 reads = 0;
    qint64 found = 0;
    for (auto _ : state) {
        found += spell.IsWord(keys.at(next));
        reads += spell.recordsReadByLastLookup();
        next = (next + 1) % keys.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["records_read_per_lookup"] = benchmark::Counter(double(reads), benchmark::Counter::kAvgIterations);
    state.counters["found_share"] = benchmark::Counter(double(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_IsWordOnFile);

// The reference for BM_IsWordOnFile: a plain binary search over the same file and keys,
// one pread per record, with the keys already upper-cased and padded outside the loop.
void BM_BinarySearchPreadReference(benchmark::State &state)
{
    QTemporaryDir dir;
    TDictn spell(dir.path());  // extracts "English" into the folder, as the game does
    QFile file(QDir(dir.path()).filePath(QStringLiteral("English")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        state.SkipWithError("cannot open the list");
        return;
    }
    const int fd = file.handle();
    const qint64 records = file.size() / WordListFormat::RecordSize;
    std::vector<std::array<char, WordListFormat::WordWidth>> keys;
    for (const QString &text : lookupKeys(TDictn::embeddedList())) {
        std::array<char, WordListFormat::WordWidth> key;
        key.fill(' ');
        const QByteArray upper = text.toUpper().toLatin1().left(WordListFormat::WordWidth);
        std::memcpy(key.data(), upper.constData(), size_t(upper.size()));
        keys.push_back(key);
    }
    size_t next = 0;
    qint64 found = 0;
    char record[WordListFormat::RecordSize];
    for (auto _ : state) {
        const char *key = keys[next].data();
        qint64 low = 0;
        qint64 high = records - 1;
        bool hit = false;
        while (low <= high && !hit) {
            const qint64 mid = (low + high) / 2;
            if (::pread(fd, record, sizeof record, off_t(mid * WordListFormat::RecordSize)) != sizeof record)
                break;
            const int order = std::memcmp(record + 1, key, WordListFormat::WordWidth);
            hit = order == 0;
            if (order < 0)
                low = mid + 1;
            else
                high = mid - 1;
        }
        found += hit;
        next = (next + 1) % keys.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["found_share"] = benchmark::Counter(double(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BinarySearchPreadReference);

// The same question answered from memory: trim, upper-case, cut to 14 letters, hash.
void BM_IsWordInMemorySet(benchmark::State &state)
{
    const QByteArray list = TDictn::embeddedList();
    QSet<QByteArray> words;
    for (qsizetype at = 0; at < list.size(); at += WordListFormat::RecordSize)
        words.insert(list.mid(at + 1, WordListFormat::WordWidth).trimmed());
    const QStringList keys = lookupKeys(list);
    qsizetype next = 0;
    qint64 found = 0;
    for (auto _ : state) {
        const QString key = keys.at(next).trimmed().toUpper();
        found += key.size() <= WordListFormat::WordWidth && words.contains(key.toLatin1());
        next = (next + 1) % keys.size();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["found_share"] = benchmark::Counter(double(found), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_IsWordInMemorySet);

// Start-up when no list file exists: the embedded list is unpacked and written, and
// deleted again at the end.
void BM_OpenByExtracting(benchmark::State &state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        TDictn spell(dir.path());
        benchmark::DoNotOptimize(spell.recordCount());
    }
}
BENCHMARK(BM_OpenByExtracting)->Unit(benchmark::kMillisecond);

// The full format check run on an "English" found at start-up.
void BM_CheckExistingList(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("English"));
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(TDictn::embeddedList()) < 0) {
            state.SkipWithError("cannot write the list");
            return;
        }
    }
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        benchmark::DoNotOptimize(WordListFormat::check(file));
    }
}
BENCHMARK(BM_CheckExistingList)->Unit(benchmark::kMillisecond);

}  // namespace
