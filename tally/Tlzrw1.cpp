// LZRW1/KH: the block coder, and the container around it over files or memory.
#include "tally/Tlzrw1.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

ELzrw1Exception::ELzrw1Exception(const QString &message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

namespace {

using HashTable = std::array<uint16_t, 4096>;

constexpr uint8_t FlagCompressed = 0x40;
constexpr uint8_t FlagCopied = 0x80;
constexpr int MaxDistance = 4095;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 18;
constexpr int MinRun = 16;
constexpr int MaxRun = 4095;
constexpr int ItemsPerControlWord = 16;
constexpr uint16_t NoPosition = 0xFFFF;
constexpr int MethodSize = 4;
constexpr char MethodFast[MethodSize] = {'W', 'R', 'Z', 'L'};
// The second method of the format family; never written here, and not read either.
constexpr char MethodGood[MethodSize] = {'!', 'H', 'Z', 'L'};
constexpr qint64 MaxSize = std::numeric_limits<uint32_t>::max();
// The coders read whole words up to this many bytes past the data they work on.
constexpr qint64 Slack = Tlzrw1::BufferSize - Tlzrw1::ChunkSize;

// ---- the messages users see ----

ELzrw1Exception noMemory()
{
    return ELzrw1Exception(QStringLiteral("Lzrw1 (de)compression : Failed to get memory for I/O buffers !"));
}
ELzrw1Exception sizeUnknown(const QString &input)
{
    return ELzrw1Exception(QStringLiteral("Lzrw1 compression : Failed to obtain the size of : ") + input);
}
ELzrw1Exception cannotOpenInput(const QString &input)
{
    return ELzrw1Exception(QStringLiteral("Lzrw1 (de)compression : Failed to open input file : ") + input);
}
ELzrw1Exception cannotOpenOutput(const QString &output)
{
    return ELzrw1Exception(QStringLiteral("Lzrw1 (de)compression : Failed to open output file : ") + output);
}
ELzrw1Exception readFailed(const QString &input)
{
    return ELzrw1Exception(QStringLiteral("Lzrw1 : Error reading from input file : ") + input);
}
ELzrw1Exception readFailedCompressing(const QString &input)
{
    return ELzrw1Exception(QStringLiteral("Lzrw1 : Error reading from input file : ") + input
                           + QStringLiteral(" (LZRW1/KH)"));
}
ELzrw1Exception writeFailed(const QString &output)
{
    return ELzrw1Exception(QStringLiteral("Lzrw1 : Error writing to output file : ") + output);
}
ELzrw1Exception noHeader(const QString &input)
{
    return ELzrw1Exception(input + QStringLiteral(" : Lzrw1 decompression : this file has no valid header !"));
}
ELzrw1Exception methodNotRead(const QString &input)
{
    return ELzrw1Exception(input
                           + QStringLiteral(" : Lzrw1 decompression : this file uses the method \"!HZL\", "
                                            "which this program does not read (only \"WRZL\", LZRW1/KH) !"));
}
ELzrw1Exception sizesDiffer()
{
    return ELzrw1Exception(
        QStringLiteral("Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !"));
}
ELzrw1Exception corruptBlock(const QString &input, qint64 offset, const QString &reason)
{
    return ELzrw1Exception(QStringLiteral("Lzrw1 (decompression LZRW1/KH) : corrupt block at offset %1 (%2) in : %3")
                               .arg(offset)
                               .arg(reason, input));
}

// ---- working memory ----

// The two chunk buffers of one operation. Allocated without throwing so that a lack of
// memory is reported with the component's own message.
struct Buffers {
    std::unique_ptr<uint8_t[]> in;
    std::unique_ptr<uint8_t[]> out;

    static Buffers allocate()
    {
        // Zeroed: the coders read whole words a little past the bytes in use.
        Buffers buffers{std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[Tlzrw1::BufferSize]()),
                        std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[Tlzrw1::BufferSize]())};
        if (!buffers.in || !buffers.out)
            throw noMemory();
        return buffers;
    }
};

// ---- the block coder ----

inline unsigned hashOf(const uint8_t *at)
{
    const uint32_t mixed = (((uint32_t(at[0]) << 4) ^ at[1]) << 4) ^ at[2];
    return ((mixed * 40543u) >> 4) & 0xFFF;
}

inline uint32_t load32(const uint8_t *at)
{
    uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

inline uint64_t load64(const uint8_t *at)
{
    uint64_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

constexpr bool LittleEndian = std::endian::native == std::endian::little;
// The bits of a loaded word that hold its first three bytes.
constexpr uint32_t FirstThreeBytes = LittleEndian ? 0x00FFFFFFu : 0xFFFFFF00u;

// How many of the eight bytes at a and b agree before the first difference.
inline int sameBytes(const uint8_t *a, const uint8_t *b)
{
    const uint64_t differ = load64(a) ^ load64(b);
    if (differ == 0)
        return 8;
    return (LittleEndian ? std::countr_zero(differ) : std::countl_zero(differ)) / 8;
}

// Compresses the chunk in[0, n) into out; returns the block length. Gives up as soon as
// the output passes n bytes and stores the chunk as it is instead. The compressor reads
// whole words, up to 15 bytes past the chunk (Slack; the results are cut to the chunk),
// and writes up to 6 bytes past n into out (BufferSize bytes) before it gives up.
int compressChunk(HashTable &table, const uint8_t *in, int n, uint8_t *out)
{
    table.fill(NoPosition);
    out[0] = FlagCompressed;
    int controlAt = 1;
    uint32_t control = 0;
    int items = 0;
    int y = 3;
    int x = 0;
    while (x < n && y <= n) {
        if (items == ItemsPerControlWord) {
            out[controlAt] = uint8_t(control >> 8);
            out[controlAt + 1] = uint8_t(control);
            controlAt = y;
            y += 2;
            control = 0;
            items = 0;
        }
        ++items;
        control <<= 1;
        const uint8_t byte = in[x];
        if (in[x + 1] == byte && x + 1 < n) {
            const int limit = std::min(n - x, MaxRun);
            int run = 2;
            while (run < limit && in[x + run] == byte)
                ++run;
            if (run >= MinRun) {
                const int stored = run - MinRun;
                out[y] = 0;
                out[y + 1] = uint8_t(stored >> 8);
                out[y + 2] = uint8_t(stored);
                out[y + 3] = byte;
                y += 4;
                x += run;
                control |= 1;
                continue;
            }
        }
        // Fewer than three bytes left cannot start a back reference, and the table entry
        // such a position would set could only be looked up by the one after it, which is
        // in the same situation: skipping both leaves the output as it is.
        if (x + MinMatch <= n) {
            uint16_t &slot = table[hashOf(in + x)];
            const unsigned candidate = slot;
            slot = uint16_t(x);
            // An empty entry (0xFFFF) wraps round to a huge distance. The candidate's bytes
            // are read even then (from a harmless place), so that the usual outcome on
            // poorly compressible data, no match, costs a single well-predicted branch.
            const unsigned distance = unsigned(x) - candidate;
            const bool near = distance - 1 < unsigned(MaxDistance);
            const uint32_t differ = (load32(in + (candidate & 0x7FFF)) ^ load32(in + x)) & FirstThreeBytes;
            if (near & (differ == 0)) {
                const uint8_t *earlier = in + candidate + MinMatch;
                const uint8_t *here = in + x + MinMatch;
                int length = MinMatch + sameBytes(earlier, here);
                if (length == MinMatch + 8)
                    length += sameBytes(earlier + 8, here + 8);
                length = std::min({length, n - x, MaxMatch});
                const unsigned item = (distance << 4) | unsigned(length - MinMatch);
                out[y] = uint8_t(item >> 8);
                out[y + 1] = uint8_t(item);
                y += 2;
                x += length;
                control |= 1;
                continue;
            }
        }
        out[y++] = byte;
        ++x;
    }
    control <<= ItemsPerControlWord - items;
    out[controlAt] = uint8_t(control >> 8);
    out[controlAt + 1] = uint8_t(control);
    if (y > n) {
        out[0] = FlagCopied;
        std::memcpy(out + 1, in, size_t(n));
        return n + 1;
    }
    return y;
}

enum class BlockFault { None, TooLong, BeforeStart, CutShort };

QString describe(BlockFault fault)
{
    switch (fault) {
    case BlockFault::TooLong: return QStringLiteral("it decodes to more than %1 bytes").arg(Tlzrw1::ChunkSize);
    case BlockFault::BeforeStart: return QStringLiteral("it refers to bytes before the start of its chunk");
    case BlockFault::CutShort: return QStringLiteral("it ends inside an item");
    case BlockFault::None: break;
    }
    return QString();
}

constexpr int FastWordInput = ItemsPerControlWord * 2 + MaxMatch;
constexpr int FastWordOutput = ItemsPerControlWord * MaxMatch;

// Decodes the items of one control word while they are literals and back references:
// the caller made sure that 16 two-byte items (and an 18-byte read after them) fit in
// the block and that 16 references of 18 bytes fit in the chunk. Each item moves 18
// bytes, from the input for a literal, from the output for a reference, and advances by
// its true length, so that text, where literals and references alternate at random,
// costs no mispredicted branch per item. Stops at a run, and (unless 4,095 bytes are
// decoded, so that none can) at a reference reaching before the chunk, leaving both to
// the careful loop; returns the control bits left (p, o and control advanced).
template <bool NearStart> int decodeWordFast(const uint8_t *in, int &p, uint8_t *out, int &o, uint32_t &control)
{
    const uint8_t *at = in + p;
    uint8_t *to = out + o;
    uint32_t bitsLeft = control << 16;  // the next item's bit on top
    int bits = ItemsPerControlWord;
    for (; bits > 0; --bits) {
        const uintptr_t copy = uintptr_t(0) - (bitsLeft >> 31);  // all ones for a copy item
        uint16_t word;
        std::memcpy(&word, at, 2);
        if constexpr (LittleEndian)
            word = uint16_t((word << 8) | (word >> 8));
        const unsigned distance = word >> 4;
        const uintptr_t count = uintptr_t(word & 0xF) + MinMatch;
        const uintptr_t earlier = reinterpret_cast<uintptr_t>(to) - distance;
        const bool beforeChunk = NearStart && earlier < reinterpret_cast<uintptr_t>(out);
        if (copy & ((distance < 16) | beforeChunk)) {
            // Rare in text: a run (distance 0), a reference before the chunk, or one that
            // may overlap what it writes, copied byte by byte.
            if (distance == 0 || beforeChunk)
                break;
            const uint8_t *from = to - distance;
            for (uintptr_t i = 0; i < count; ++i)
                to[i] = from[i];
        } else {
            // The source chosen by masks rather than a conditional, which the compiler
            // would turn back into the unpredictable branch this loop exists to avoid.
            const uintptr_t literal = reinterpret_cast<uintptr_t>(at);
            const auto *from = reinterpret_cast<const uint8_t *>(literal ^ ((literal ^ earlier) & copy));
            std::memcpy(to, from, 16);
            std::memcpy(to + 16, from + 16, 2);
        }
        to += 1 + ((count - 1) & copy);
        at += 1 + (copy & 1);
        bitsLeft <<= 1;
    }
    p = int(at - in);
    o = int(to - out);
    control = bitsLeft >> 16;
    return bits;
}

// Decodes a block of `length` bytes (at most MaxBlockLength) into out; returns the bytes
// decoded, or 0 with `fault` set. Literals and back references are moved in fixed-size
// pieces of 16 and 18 bytes, which may read up to 15 bytes past the block (Slack) and
// write up to 17 past the bytes decoded so far, but never past out's BufferSize bytes.
// Whatever the block holds, no byte past ChunkSize is ever decoded.
int decodeBlock(const uint8_t *in, int length, uint8_t *out, BlockFault &fault)
{
    fault = BlockFault::None;
    if (length < 2)
        return 0;
    if (in[0] == FlagCopied) {
        std::memcpy(out, in + 1, size_t(length - 1));
        return length - 1;
    }
    if (length < 3)
        return 0;  // a control word cut in half, and no items after it
    auto fail = [&fault](BlockFault why) {
        fault = why;
        return 0;
    };
    uint32_t control = (uint32_t(in[1]) << 8) | in[2];
    int bits = ItemsPerControlWord;
    int p = 3;
    int o = 0;
    while (p < length) {
        if (bits == 0) {
            // A control word is always followed by at least one item.
            if (length - p < 3)
                return fail(BlockFault::CutShort);
            control = (uint32_t(in[p]) << 8) | in[p + 1];
            p += 2;
            bits = ItemsPerControlWord;
            // With room for 16 of the longest items on both sides the word's items need no
            // bounds checks of their own; past the first 4,095 bytes, no distance check.
            if (length - p >= FastWordInput && Tlzrw1::ChunkSize - o >= FastWordOutput) {
                bits = o >= MaxDistance ? decodeWordFast<false>(in, p, out, o, control)
                                        : decodeWordFast<true>(in, p, out, o, control);
                if (bits == 0)
                    continue;
                // Stopped at a run or a reference before the chunk: the rest goes below.
            }
        }
        // Literals come in stretches (text is mostly literals): the zero bits at the top
        // of the control word, possibly none, are copied at once. The last word's unused
        // low bits are zero too, so a stretch also ends at the end of the block.
        const int literals = std::min({bits, std::countl_zero(uint16_t(control)), length - p});
        if (literals > Tlzrw1::ChunkSize - o)
            return fail(BlockFault::TooLong);
        std::memcpy(out + o, in + p, 16);
        o += literals;
        p += literals;
        control <<= literals;
        bits -= literals;
        if (bits == 0 || p == length)
            continue;

        // A copy item.
        control <<= 1;
        --bits;
        if (length - p < 2)
            return fail(BlockFault::CutShort);
        const unsigned word = (unsigned(in[p]) << 8) | in[p + 1];
        const int distance = int(word >> 4);
        if (distance == 0) {
            if (length - p < 4)
                return fail(BlockFault::CutShort);
            // The top four bits of the count are zero here, so a run is at most 4,111.
            const int run = ((int(in[p + 1]) << 8) | in[p + 2]) + MinRun;
            if (run > Tlzrw1::ChunkSize - o)
                return fail(BlockFault::TooLong);
            std::memset(out + o, in[p + 3], size_t(run));
            o += run;
            p += 4;
            continue;
        }
        const int count = int(word & 0xF) + MinMatch;
        if (distance > o)
            return fail(BlockFault::BeforeStart);
        if (count > Tlzrw1::ChunkSize - o)
            return fail(BlockFault::TooLong);
        uint8_t *to = out + o;
        const uint8_t *from = to - distance;
        if (distance >= MaxMatch) {
            // Every byte read lies before `to`: move the longest reference whatever the count.
            std::memcpy(to, from, 16);
            std::memcpy(to + 16, from + 16, 2);
        } else {
            // Overlapping or close: each byte may be one this copy has just written.
            for (int i = 0; i < count; ++i)
                to[i] = from[i];
        }
        o += count;
        p += 2;
    }
    return o;
}

// ---- where the bytes come from and go to ----

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to `count` bytes; fewer only at the end. -1 when reading failed.
    virtual qint64 read(uint8_t *to, qint64 count) = 0;
    // Up to `count` bytes (at most MaxBlockLength), with Slack readable bytes after them:
    // read into `buffer` (BufferSize bytes), or where they already are. Null when reading
    // failed; `got` tells how many bytes came.
    virtual const uint8_t *take(qint64 count, uint8_t *buffer, qint64 &got)
    {
        got = read(buffer, count);
        return got < 0 ? nullptr : buffer;
    }
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool write(const uint8_t *from, qint64 count) = 0;
    // The size the container announces, before any block is decoded.
    virtual void expect(qint64) { }
    // Where the next chunk is decoded (BufferSize bytes): `buffer`, or the sink's own
    // memory. chunkDone() then keeps the first `count` bytes of it.
    virtual uint8_t *chunkSpace(uint8_t *buffer) { return buffer; }
    virtual bool chunkDone(const uint8_t *space, qint64 count) { return write(space, count); }
};

class FileSource : public ByteSource {
public:
    explicit FileSource(QFile &file)
        : m_file(file)
    {
    }
    qint64 read(uint8_t *to, qint64 count) override
    {
        qint64 got = 0;
        while (got < count) {
            const qint64 now = m_file.read(reinterpret_cast<char *>(to) + got, count - got);
            if (now < 0)
                return -1;
            if (now == 0)
                break;
            got += now;
        }
        return got;
    }

private:
    QFile &m_file;
};

class FileSink : public ByteSink {
public:
    explicit FileSink(QSaveFile &file)
        : m_file(file)
    {
    }
    bool write(const uint8_t *from, qint64 count) override
    {
        return m_file.write(reinterpret_cast<const char *>(from), count) == count;
    }

private:
    QSaveFile &m_file;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(const QByteArray &bytes)
        : m_at(reinterpret_cast<const uint8_t *>(bytes.constData()))
        , m_left(bytes.size())
    {
    }
    qint64 read(uint8_t *to, qint64 count) override
    {
        const qint64 now = std::min(count, m_left);
        std::memcpy(to, m_at, size_t(now));
        m_at += now;
        m_left -= now;
        return now;
    }
    // Hands out the bytes in place unless they are too near the end to leave the slack.
    const uint8_t *take(qint64 count, uint8_t *buffer, qint64 &got) override
    {
        if (m_left - count < Slack)
            return ByteSource::take(count, buffer, got);
        const uint8_t *at = m_at;
        got = count;
        m_at += count;
        m_left -= count;
        return at;
    }

private:
    const uint8_t *m_at;
    qint64 m_left;
};

class MemorySink : public ByteSink {
public:
    MemorySink(QByteArray &bytes, qint64 sourceSize)
        : m_bytes(bytes)
        , m_sourceSize(sourceSize)
    {
    }
    bool write(const uint8_t *from, qint64 count) override
    {
        m_bytes.append(reinterpret_cast<const char *>(from), qsizetype(count));
        return true;
    }
    void expect(qint64 size) override
    {
        // The size field is only a claim: reserve no more than text of the source's size
        // could plausibly expand to; a container that really holds more grows the array.
        m_bytes.reserve(qsizetype(std::min(size, m_sourceSize * 8)) + Tlzrw1::BufferSize);
    }
    // Chunks are decoded straight into the array, in room made at its end.
    uint8_t *chunkSpace(uint8_t *) override
    {
        const qsizetype size = m_bytes.size();
        if (m_bytes.capacity() - size < Tlzrw1::BufferSize)
            m_bytes.reserve(std::max(2 * m_bytes.capacity(), size + Tlzrw1::BufferSize));
        m_bytes.resize(size + Tlzrw1::BufferSize);
        return reinterpret_cast<uint8_t *>(m_bytes.data()) + size;
    }
    bool chunkDone(const uint8_t *, qint64 count) override
    {
        m_bytes.resize(m_bytes.size() - Tlzrw1::BufferSize + qsizetype(count));
        return true;
    }

private:
    QByteArray &m_bytes;
    qint64 m_sourceSize;
};

// Lets a window repaint between chunks of a long file. Reentering the component from an
// event is harmless: the hash table is refilled for every chunk and everything else of
// an operation is local to it.
void letEventsRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void putLittleEndian(uint8_t *to, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to[i] = uint8_t(value >> (8 * i));
}

// ---- the container ----

qint64 compressContainer(HashTable &table, Buffers &buffers, ByteSource &source, qint64 size, ByteSink &sink,
                         const QString &inputName, const QString &outputName, bool yieldBetweenChunks)
{
    uint8_t header[MethodSize + 4];
    std::memcpy(header, MethodFast, MethodSize);
    putLittleEndian(header + MethodSize, uint32_t(size), 4);
    if (!sink.write(header, sizeof header))
        throw writeFailed(outputName);
    qint64 written = sizeof header;
    qint64 consumed = 0;
    for (;;) {
        qint64 n = 0;
        const uint8_t *chunk = source.take(Tlzrw1::ChunkSize, buffers.in.get(), n);
        if (!chunk)
            throw readFailedCompressing(inputName);
        consumed += n;
        if (consumed > size)
            throw readFailedCompressing(inputName);  // the file grew while being read
        const int length = compressChunk(table, chunk, int(n), buffers.out.get());
        uint8_t lengthBytes[2];
        putLittleEndian(lengthBytes, uint32_t(length), 2);
        if (!sink.write(lengthBytes, 2) || !sink.write(buffers.out.get(), length))
            throw writeFailed(outputName);
        written += 2 + length;
        // A short chunk ends the container; when the size is a multiple of a chunk that
        // is the empty one read at the end, which tells a reader the data is complete.
        if (n < Tlzrw1::ChunkSize)
            break;
        if (yieldBetweenChunks)
            letEventsRun();
    }
    if (consumed != size)
        throw readFailedCompressing(inputName);  // the file shrank while being read
    return written;
}

qint64 decompressContainer(Buffers &buffers, ByteSource &source, ByteSink &sink, const QString &inputName,
                           const QString &outputName, bool yieldBetweenBlocks)
{
    uint8_t header[MethodSize + 4];
    if (source.read(header, MethodSize) != MethodSize)
        throw readFailed(inputName);
    if (std::memcmp(header, MethodGood, MethodSize) == 0)
        throw methodNotRead(inputName);
    if (std::memcmp(header, MethodFast, MethodSize) != 0)
        throw noHeader(inputName);
    if (source.read(header + MethodSize, 4) != 4)
        throw readFailed(inputName);
    const qint64 declared =
        qint64(header[4]) | qint64(header[5]) << 8 | qint64(header[6]) << 16 | qint64(header[7]) << 24;
    sink.expect(declared);

    qint64 total = 0;
    qint64 offset = sizeof header;
    for (;;) {
        uint8_t lengthBytes[2];
        if (source.read(lengthBytes, 2) != 2)
            throw readFailed(inputName);
        const int length = lengthBytes[0] | lengthBytes[1] << 8;
        if (length > Tlzrw1::MaxBlockLength) {
            throw corruptBlock(inputName, offset,
                               QStringLiteral("its length %1 is over %2").arg(length).arg(Tlzrw1::MaxBlockLength));
        }
        qint64 got = 0;
        const uint8_t *block = source.take(length, buffers.in.get(), got);
        if (!block || got != length)
            throw readFailed(inputName);
        uint8_t *space = sink.chunkSpace(buffers.out.get());
        BlockFault fault;
        const int produced = decodeBlock(block, length, space, fault);
        if (fault != BlockFault::None)
            throw corruptBlock(inputName, offset, describe(fault));
        // Checked block by block, so that the output never grows more than the chunk
        // being decoded past what the header announced: an in-memory caller holds no more
        // than it was told to expect.
        if (total + produced > declared)
            throw sizesDiffer();
        if (!sink.chunkDone(space, produced))
            throw writeFailed(outputName);
        total += produced;
        offset += 2 + length;
        if (produced != Tlzrw1::ChunkSize)
            break;
        if (yieldBetweenBlocks)
            letEventsRun();
    }
    if (total != declared)
        throw sizesDiffer();
    return total;
}

}  // namespace

qint64 Tlzrw1::Compress()
{
    // Copies, so that an event processed between chunks may change the properties.
    const QString inputName = m_inputFile;
    const QString outputName = m_outputFile;
    Buffers buffers = Buffers::allocate();
    const QFileInfo info(inputName);
    if (inputName.isEmpty() || !info.exists() || info.size() > MaxSize)
        throw sizeUnknown(inputName);
    QFile input(inputName);
    if (!input.open(QIODevice::ReadOnly))
        throw cannotOpenInput(inputName);
    // Written beside the target and renamed over it only when complete; an exception
    // discards the partial file with the QSaveFile.
    QSaveFile output(outputName);
    if (!output.open(QIODevice::WriteOnly))
        throw cannotOpenOutput(outputName);
    FileSource source(input);
    FileSink sink(output);
    const qint64 written = compressContainer(m_hash, buffers, source, info.size(), sink, inputName, outputName, true);
    input.close();
    if (!output.commit())
        throw writeFailed(outputName);
    return written;
}

qint64 Tlzrw1::Decompress()
{
    const QString inputName = m_inputFile;
    const QString outputName = m_outputFile;
    Buffers buffers = Buffers::allocate();
    QFile input(inputName);
    if (inputName.isEmpty() || !input.open(QIODevice::ReadOnly))
        throw cannotOpenInput(inputName);
    QSaveFile output(outputName);
    if (!output.open(QIODevice::WriteOnly))
        throw cannotOpenOutput(outputName);
    FileSource source(input);
    FileSink sink(output);
    const qint64 written = decompressContainer(buffers, source, sink, inputName, outputName, true);
    input.close();
    if (!output.commit())
        throw writeFailed(outputName);
    return written;
}

QByteArray Tlzrw1::compressBytes(const QByteArray &data, const QString &name)
{
    Buffers buffers = Buffers::allocate();
    if (data.size() > MaxSize)
        throw sizeUnknown(name);
    QByteArray container;
    // Stored chunks are the worst case: one flag and two length bytes per chunk.
    container.reserve(data.size() + (data.size() / ChunkSize + 1) * 3 + MethodSize + 4);
    MemorySource source(data);
    MemorySink sink(container, data.size());
    compressContainer(m_hash, buffers, source, data.size(), sink, name, name, false);
    return container;
}

QByteArray Tlzrw1::decompressBytes(const QByteArray &container, const QString &name)
{
    Buffers buffers = Buffers::allocate();
    QByteArray data;
    MemorySource source(container);
    MemorySink sink(data, container.size());
    decompressContainer(buffers, source, sink, name, name, false);
    return data;
}
