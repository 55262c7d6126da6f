// Tests of the tally's compressed container: the exact bytes written for inputs that show
// each rule of the block coder, what the decoder accepts and refuses, round trips across
// the chunk edges, and what the file entry points leave behind when they fail.
#include "tally/Tlzrw1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>
#include <random>
#include <sys/resource.h>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);  // spaces between the bytes are skipped
}

// A container by hand: "WRZL", the size, then each block behind its length.
QByteArray wrap(quint32 size, std::initializer_list<QByteArray> blocks)
{
    QByteArray bytes("WRZL");
    for (int i = 0; i < 4; ++i)
        bytes.append(char(size >> (8 * i)));
    for (const QByteArray &block : blocks)
        bytes.append(char(block.size() & 0xFF)).append(char(block.size() >> 8)).append(block);
    return bytes;
}

QByteArray randomBytes(qsizetype size, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(generator());
    return bytes;
}

QByteArray text(qsizetype size)
{
    static const char *const words[] = {"the",    "game",  "board", "letter", "steal", "word",
                                        "player", "quarn", "score", "turn",   "of",    "a"};
    std::mt19937 generator(3);
    QByteArray bytes;
    while (bytes.size() < size)
        bytes.append(words[generator() % 12]).append(generator() % 9 ? " " : ".\r\n");
    return bytes.left(size);
}

// Word-list records: 0x1E, an upper-case word, spaces to 15 bytes.
QByteArray records(qsizetype size)
{
    std::mt19937 generator(4);
    QByteArray bytes;
    while (bytes.size() < size) {
        QByteArray word;
        for (unsigned i = 0, n = 2 + generator() % 10; i < n; ++i)
            word.append(char('A' + generator() % 26));
        bytes.append('\x1E').append(word.leftJustified(14, ' '));
    }
    return bytes.left(size);
}

// Zeros with a random byte every few dozen: runs broken before and after their limits.
QByteArray sparse(qsizetype size)
{
    std::mt19937 generator(5);
    QByteArray bytes(size, '\0');
    for (qsizetype at = 0; at < size; at += 1 + generator() % 60)
        bytes[at] = char(generator());
    return bytes;
}

// A message pattern with "%1" for the input's name and "%2" for the output's.
QString filled(const QString &pattern, const QString &input, const QString &output = QString())
{
    return QString(pattern).replace(QStringLiteral("%1"), input).replace(QStringLiteral("%2"), output);
}

QString message(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const ELzrw1Exception &error) {
        return error.message();
    }
    return QStringLiteral("(no exception)");
}

}  // namespace

// ---- exact output ----

struct Example {
    const char *name;
    QByteArray input;
    QByteArray container;
};

class Lzrw1Example : public ::testing::TestWithParam<Example> { };

TEST_P(Lzrw1Example, IsWrittenAndReadBackExactly)
{
    Tlzrw1 lzrw1;
    EXPECT_EQ(lzrw1.compressBytes(GetParam().input).toHex(' '), GetParam().container.toHex(' '));
    EXPECT_EQ(lzrw1.decompressBytes(GetParam().container), GetParam().input);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, Lzrw1Example,
    ::testing::Values(
        Example{"Empty", "", wrap(0, {hex("80")})}, Example{"OneByte", "x", wrap(1, {hex("80 78")})},
        Example{"TwoBytes", "xy", wrap(2, {hex("80 78 79")})},
        Example{"AbcIsCopied", "abc", wrap(3, {hex("80 61 62 63")})},
        // Three literals, then distance 3, length 6, overlapping what it writes.
        Example{"AbcThreeTimes", "abcabcabc", wrap(9, {hex("40 1000 61 62 63 0033")})},
        Example{"TwentyEqualBytes", QByteArray(20, 'a'), wrap(20, {hex("40 8000 00 0004 61")})},
        Example{"SixteenEqualBytesAreTheShortestRun", QByteArray(16, 'a'), wrap(16, {hex("40 8000 00 0000 61")})},
        // Fifteen is no run: a literal, then distance 1, length 14.
        Example{"FifteenEqualBytes", QByteArray(15, 'a'), wrap(15, {hex("40 4000 61 001B")})},
        Example{"RunsStopAt4095", QByteArray(4096, 'a'), wrap(4096, {hex("40 8000 00 0FEF 61 61")})},
        // Eight runs of 4,095, a literal, then distance 1, length 7; and the empty chunk.
        Example{"WholeChunkOfOneByte", QByteArray(32768, 'a'),
                wrap(32768, {hex("40 FF40") + hex("00 0FEF 61").repeated(8) + hex("61 0014"), hex("80")})},
        // Sixteen literals fill the first control word; the reference is cut at 18.
        Example{"ReferencesStopAt18", "abcdefghijklmnopqrstabcdefghijklmnopqrst",
                wrap(40, {hex("40 0000") + "abcdefghijklmnop" + hex("0800") + "qrst" + hex("014F") + "st"})},
        // Exactly sixteen items: no further control word follows them.
        Example{"SixteenItems", "abcdefghijklmnoabcdefghijklmnoabc",
                wrap(33, {hex("40 0001") + "abcdefghijklmno" + hex("00FF")})},
        // Runs leave the table alone, so "abc" is still found 4,095 bytes back ...
        Example{"Distance4095", "abc" + QByteArray(4092, 'z') + "abc",
                wrap(4098, {hex("40 1800 61 62 63 00 0FEC 7A FFF0")})},
        // ... but no longer 4,096 bytes back.
        Example{"Distance4096", "abc" + QByteArray(4093, 'z') + "abc",
                wrap(4099, {hex("40 1000 61 62 63 00 0FED 7A 61 62 63")})},
        // Positions inside a back reference are not entered: "bcd" is found at 1, not at 7.
        Example{"TableOnlyWhereSearched", "abcdefabcdefbcd", wrap(15, {hex("40 0300 61 62 63 64 65 66 0063 00B0")})},
        // "vjg" hashes as "abc" does (2,749) and takes its entry: the second "abc" is not found.
        Example{"HashCollisionReplacesEntry", "abcvjgabc" + QByteArray(20, 'z'),
                wrap(29, {hex("40 0040") + "abcvjgabc" + hex("00 0004 7A")})},
        Example{"BlockAsLongAsItsChunkStaysCompressed", "abcdeabcde", wrap(10, {hex("40 0400 61 62 63 64 65 0052")})},
        Example{"BlockLongerThanItsChunkIsCopied", "abcdabcd", wrap(8, {hex("80") + "abcdabcd"})}),
    [](const ::testing::TestParamInfo<Example> &info) { return std::string(info.param.name); });

TEST(Lzrw1Container, RandomDataIsStoredInCopiedBlocks)
{
    const QByteArray data = randomBytes(100000, 1);
    const QByteArray copied("\x80");
    EXPECT_EQ(Tlzrw1().compressBytes(data),
              wrap(100000,
                   {copied + data.mid(0, 32768), copied + data.mid(32768, 32768), copied + data.mid(65536, 32768),
                    copied + data.mid(98304)}));
}

// ---- what the decoder accepts from other writers ----

struct Accepted {
    const char *name;
    QByteArray container;
    QByteArray data;
};

class Lzrw1Accepts : public ::testing::TestWithParam<Accepted> { };

TEST_P(Lzrw1Accepts, Decodes)
{
    EXPECT_EQ(Tlzrw1().decompressBytes(GetParam().container), GetParam().data);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, Lzrw1Accepts,
    ::testing::Values(Accepted{"EmptyBlock", wrap(0, {""}), ""},
                      Accepted{"OneByteBlockIsEmptyWhateverItHolds", wrap(0, {hex("40")}), ""},
                      Accepted{"TwoByteBlockIsEmpty", wrap(0, {hex("40 10")}), ""},
                      Accepted{"AnyFlagButCopiedMeansCompressed", wrap(9, {hex("00 1000 61 62 63 0033")}), "abcabcabc"},
                      Accepted{"ShortBlockEndsTheContainer", wrap(3, {hex("80 61 62 63"), "trailing"}), "abc"}),
    [](const ::testing::TestParamInfo<Accepted> &info) { return std::string(info.param.name); });

// ---- what it refuses ----

struct Refused {
    const char *name;
    QByteArray container;
    QString message;  // "%1" stands for the input's name
};

class Lzrw1Refuses : public ::testing::TestWithParam<Refused> { };

TEST_P(Lzrw1Refuses, WithItsMessageAndNoOutputFile)
{
    const QByteArray container = GetParam().container;
    const QString expected = GetParam().message;
    EXPECT_EQ(message([&] { Tlzrw1().decompressBytes(container, QStringLiteral("memory")); }),
              filled(expected, QStringLiteral("memory")));

    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("in.tld"));
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(container);
    file.close();
    Tlzrw1 lzrw1;
    lzrw1.setInputFile(input);
    lzrw1.setOutputFile(dir.filePath(QStringLiteral("out.txt")));
    EXPECT_EQ(message([&] { lzrw1.Decompress(); }), filled(expected, input));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("in.tld")});
}

namespace {
const QString readError = QStringLiteral("Lzrw1 : Error reading from input file : %1");
const QString sizeMismatch =
    QStringLiteral("Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !");
QString corrupt(const char *reason)
{
    return QStringLiteral("Lzrw1 (decompression LZRW1/KH) : corrupt block at offset 8 (") + QLatin1String(reason)
        + QStringLiteral(") in : %1");
}
const QByteArray abcTwice = wrap(6, {hex("40 1000 61 62 63 0030")});
}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Containers, Lzrw1Refuses,
    ::testing::Values(
        Refused{"NoHeader", "WRZX" + abcTwice.mid(4),
                QStringLiteral("%1 : Lzrw1 decompression : this file has no valid header !")},
        Refused{"OtherMethod", "!HZL" + abcTwice.mid(4),
                QStringLiteral("%1 : Lzrw1 decompression : this file uses the method \"!HZL\", which this program "
                               "does not read (only \"WRZL\", LZRW1/KH) !")},
        Refused{"HeaderCut", abcTwice.left(6), readError}, Refused{"BlockCut", abcTwice.chopped(1), readError},
        Refused{"EmptyBlockMissing", wrap(32768, {hex("80") + QByteArray(32768, 'q')}), readError},
        Refused{"SizeTooLarge", "WRZL" + hex("07000000") + abcTwice.mid(8), sizeMismatch},
        Refused{"SizeTooSmall", "WRZL" + hex("05000000") + abcTwice.mid(8), sizeMismatch},
        Refused{"BlockLengthOver32769", wrap(32768, {hex("80") + QByteArray(32769, 'q')}),
                corrupt("its length 32770 is over 32769")},
        Refused{"BlockWritesTooMuch", wrap(36999, {hex("40 FF80") + hex("00 0FFF 61").repeated(9)}),
                corrupt("it decodes to more than 32768 bytes")},
        Refused{"ReferenceBeforeChunk", wrap(5, {hex("40 4000 61 0021")}),
                corrupt("it refers to bytes before the start of its chunk")},
        Refused{"ItemCutByBlockEnd", wrap(20, {hex("40 4000 61 00 0F")}), corrupt("it ends inside an item")},
        Refused{"ControlWordCut", wrap(16, {hex("40 0000") + QByteArray(16, 'q') + hex("80")}),
                corrupt("it ends inside an item")}),
    [](const ::testing::TestParamInfo<Refused> &info) { return std::string(info.param.name); });

// ---- round trips ----

using Kind = QByteArray (*)(qsizetype);
struct DataKind {
    const char *name;
    Kind make;
};

class Lzrw1RoundTrip : public ::testing::TestWithParam<std::tuple<int, DataKind>> { };

TEST_P(Lzrw1RoundTrip, MemoryAndFilesGiveTheSameContainerAndData)
{
    const auto [size, kind] = GetParam();
    const QByteArray data = kind.make(size);
    Tlzrw1 lzrw1;
    const QByteArray container = lzrw1.compressBytes(data);
    EXPECT_EQ(lzrw1.decompressBytes(container), data);

    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write(data);
    plain.close();
    lzrw1.setInputFile(plain.fileName());
    lzrw1.setOutputFile(dir.filePath(QStringLiteral("packed")));
    EXPECT_EQ(lzrw1.Compress(), container.size());
    QFile packed(lzrw1.outputFile());
    ASSERT_TRUE(packed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(packed.readAll() == container);

    lzrw1.setInputFile(packed.fileName());
    lzrw1.setOutputFile(dir.filePath(QStringLiteral("restored")));
    EXPECT_EQ(lzrw1.Decompress(), size);
    QFile restored(lzrw1.outputFile());
    ASSERT_TRUE(restored.open(QIODevice::ReadOnly));
    EXPECT_TRUE(restored.readAll() == data);
}

INSTANTIATE_TEST_SUITE_P(
    SizesAndKinds, Lzrw1RoundTrip,
    ::testing::Combine(::testing::Values(0, 1, 2, 3, 32767, 32768, 32769, 65536, 100000),
                       ::testing::Values(DataKind{"Random", [](qsizetype n) { return randomBytes(n, 2); }},
                                         DataKind{"Text", text}, DataKind{"Records", records},
                                         DataKind{"SameByte", [](qsizetype n) { return QByteArray(n, 'e'); }},
                                         DataKind{"Sparse", sparse})),
    [](const auto &info) { return std::get<1>(info.param).name + std::to_string(std::get<0>(info.param)); });

// ---- failures of the file entry points ----

namespace {

// Files may grow to `bytes` at most while it lives; past that writes fail with EFBIG
// instead of the process being stopped.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limited{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int);
};

}  // namespace

struct FileFailure {
    const char *name;
    bool compress;
    QByteArray input;  // null: no input file
    QByteArray before;  // null: no output file before the call
    const char *output;  // relative to the test's folder
    rlim_t sizeLimit;  // 0: none
    QString message;  // "%1" the input's path, "%2" the output's
};

class Lzrw1FileFailure : public ::testing::TestWithParam<FileFailure> { };

TEST_P(Lzrw1FileFailure, LeavesTheOutputAsItWas)
{
    const FileFailure &row = GetParam();
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("input"));
    const QString output = dir.filePath(QLatin1String(row.output));
    for (const auto &[path, bytes] : {std::pair{input, row.input}, std::pair{output, row.before}}) {
        QFile file(path);
        if (!bytes.isNull() && file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::Files);

    Tlzrw1 lzrw1;
    lzrw1.setInputFile(input);
    lzrw1.setOutputFile(output);
    {
        std::optional<FileSizeLimit> limit;
        if (row.sizeLimit)
            limit.emplace(row.sizeLimit);
        EXPECT_EQ(message([&] { row.compress ? lzrw1.Compress() : lzrw1.Decompress(); }),
                  filled(row.message, input, output));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), filesBefore);
    QFile left(output);
    if (!row.before.isNull()) {
        ASSERT_TRUE(left.open(QIODevice::ReadOnly));
        EXPECT_EQ(left.readAll(), row.before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, Lzrw1FileFailure,
    ::testing::Values(FileFailure{"CompressWithoutInput",
                                  true,
                                  {},
                                  {},
                                  "out",
                                  0,
                                  QStringLiteral("Lzrw1 compression : Failed to obtain the size of : %1")},
                      FileFailure{"DecompressWithoutInput",
                                  false,
                                  {},
                                  {},
                                  "out",
                                  0,
                                  QStringLiteral("Lzrw1 (de)compression : Failed to open input file : %1")},
                      FileFailure{"OutputFolderMissing",
                                  true,
                                  "abc",
                                  {},
                                  "missing/out",
                                  0,
                                  QStringLiteral("Lzrw1 (de)compression : Failed to open output file : %2")},
                      FileFailure{"WriteFails",
                                  true,
                                  randomBytes(100000, 6),
                                  {},
                                  "out",
                                  40000,
                                  QStringLiteral("Lzrw1 : Error writing to output file : %2")},
                      // A whole chunk is written before the size is found wrong.
                      FileFailure{
                          "SizeWrongAfterBlocks",
                          false,
                          wrap(65535, {hex("80") + QByteArray(32768, 'q'), hex("80") + QByteArray(32768, 'r'), ""}),
                          {},
                          "out",
                          0,
                          sizeMismatch},
                      FileFailure{"EarlierOutputKept", false, "WRZX", "earlier tally", "out", 0,
                                  QStringLiteral("%1 : Lzrw1 decompression : this file has no valid header !")}),
    [](const ::testing::TestParamInfo<FileFailure> &info) { return std::string(info.param.name); });

// The container never runs the event loop, in memory or on files: a socket message or a
// second save must not reach the tally in the middle of a save.
TEST(Lzrw1Container, NeverRunsTheEventLoop)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain"));
    const QString packed = dir.filePath(QStringLiteral("packed"));
    QFile file(plain);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text(100000));
    file.close();
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });

    Tlzrw1 lzrw1;
    lzrw1.decompressBytes(lzrw1.compressBytes(text(100000)));
    lzrw1.setInputFile(plain);
    lzrw1.setOutputFile(packed);
    lzrw1.Compress();
    lzrw1.setInputFile(packed);
    lzrw1.setOutputFile(dir.filePath(QStringLiteral("restored")));
    lzrw1.Decompress();
    EXPECT_FALSE(ran);
}
