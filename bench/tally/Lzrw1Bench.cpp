// The tally container's coder (LZRW1/KH in 32 KiB blocks) beside LZ4 on the same data:
// 1 MB each of English text, word-list records and random bytes, compressed and
// decompressed in memory. Reports MB/s and "ratio", the compressed size as a share of
// the original.
#include "dictionary/TDictn.h"
#include "dictionary/Vocabulary.h"
#include "tally/Tlzrw1.h"

#include <QByteArray>
#include <QStringList>

#include <benchmark/benchmark.h>
#include <lz4.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

constexpr qsizetype DataSize = 1000000;

enum Kind { Text, WordList, Random };

// Sentences of the computer's vocabulary with word frequencies as in prose (Zipf's law:
// the word of rank r is drawn in proportion to 1/r, so a few hundred words make up most
// of the text), with punctuation and paragraphs. Repetitive the way real text is,
// without shipping a book.
QByteArray makeText()
{
    QStringList words = loadVocabulary();
    std::mt19937 generator(1);
    std::shuffle(words.begin(), words.end(), generator);
    std::vector<double> weights;
    for (qsizetype rank = 1; rank <= words.size(); ++rank)
        weights.push_back(1.0 / double(rank));
    std::discrete_distribution<qsizetype> pick(weights.begin(), weights.end());
    QByteArray text;
    text.reserve(DataSize + 100);
    while (text.size() < DataSize) {
        const int length = 4 + int(generator() % 14);
        for (int i = 0; i < length; ++i) {
            QByteArray word = words.at(pick(generator)).toLatin1();
            if (i == 0)
                word[0] = char(word[0] - 'a' + 'A');
            text += word;
            text += i + 1 < length ? (generator() % 10 ? " " : ", ") : generator() % 6 ? ". " : ".\n\n";
        }
    }
    return text.left(DataSize);
}

QByteArray makeRandom()
{
    std::mt19937 generator(2);
    QByteArray bytes(DataSize, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(generator());
    return bytes;
}

const QByteArray &data(Kind kind)
{
    static const QByteArray kinds[] = {makeText(), TDictn::embeddedList().left(DataSize), makeRandom()};
    return kinds[kind];
}

void report(benchmark::State &state, qsizetype original, qsizetype compressed)
{
    state.SetBytesProcessed(state.iterations() * original);
    state.counters["ratio"] = double(compressed) / double(original);
}

void BM_Lzrw1Compress(benchmark::State &state, Kind kind)
{
    const QByteArray &input = data(kind);
    Tlzrw1 lzrw1;
    qsizetype compressed = 0;
    for (auto _ : state) {
        const QByteArray container = lzrw1.compressBytes(input);
        compressed = container.size();
        benchmark::DoNotOptimize(container.constData());
    }
    report(state, input.size(), compressed);
}

void BM_Lzrw1Decompress(benchmark::State &state, Kind kind)
{
    const QByteArray &input = data(kind);
    Tlzrw1 lzrw1;
    const QByteArray container = lzrw1.compressBytes(input);
    for (auto _ : state) {
        const QByteArray restored = lzrw1.decompressBytes(container);
        benchmark::DoNotOptimize(restored.constData());
    }
    if (lzrw1.decompressBytes(container) != input)
        state.SkipWithError("the data did not come back");
    report(state, input.size(), container.size());
}

// LZ4's default level on the whole megabyte as one block; a fresh output array each
// time, as the tally's coder makes one per call too.
QByteArray lz4Compress(const QByteArray &input)
{
    QByteArray output(LZ4_compressBound(int(input.size())), Qt::Uninitialized);
    const int size = LZ4_compress_default(input.constData(), output.data(), int(input.size()), int(output.size()));
    output.resize(size);
    return output;
}

void BM_Lz4Compress(benchmark::State &state, Kind kind)
{
    const QByteArray &input = data(kind);
    qsizetype compressed = 0;
    for (auto _ : state) {
        const QByteArray output = lz4Compress(input);
        compressed = output.size();
        benchmark::DoNotOptimize(output.constData());
    }
    report(state, input.size(), compressed);
}

void BM_Lz4Decompress(benchmark::State &state, Kind kind)
{
    const QByteArray &input = data(kind);
    const QByteArray compressed = lz4Compress(input);
    QByteArray restored;
    for (auto _ : state) {
        restored = QByteArray(input.size(), Qt::Uninitialized);
        const int size =
            LZ4_decompress_safe(compressed.constData(), restored.data(), int(compressed.size()), int(restored.size()));
        benchmark::DoNotOptimize(size);
    }
    if (restored != input)
        state.SkipWithError("the data did not come back");
    report(state, input.size(), compressed.size());
}

}  // namespace

BENCHMARK_CAPTURE(BM_Lzrw1Compress, text, Text)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lz4Compress, text, Text)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lzrw1Decompress, text, Text)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lz4Decompress, text, Text)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lzrw1Compress, wordlist, WordList)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lz4Compress, wordlist, WordList)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lzrw1Decompress, wordlist, WordList)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lz4Decompress, wordlist, WordList)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lzrw1Compress, random, Random)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lz4Compress, random, Random)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lzrw1Decompress, random, Random)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Lz4Decompress, random, Random)->Unit(benchmark::kMicrosecond);
