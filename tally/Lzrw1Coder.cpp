// LZRW1/KH's block coder; see Lzrw1Coder.h.
#include "tally/Lzrw1Coder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lzrw1 {

namespace {

constexpr uint8_t FlagCompressed = 0x40;
constexpr uint8_t FlagCopied = 0x80;
constexpr int MaxDistance = 4095;
constexpr int MinMatch = 3;
constexpr int MaxMatch = 18;
constexpr int MinRun = 16;
constexpr int MaxRun = 4095;
constexpr int ItemsPerControlWord = 16;
constexpr uint16_t NoPosition = 0xFFFF;

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

}  // namespace

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

namespace {

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

}  // namespace

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
            if (length - p >= FastWordInput && kChunkSize - o >= FastWordOutput) {
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
        if (literals > kChunkSize - o)
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
            if (run > kChunkSize - o)
                return fail(BlockFault::TooLong);
            std::memset(out + o, in[p + 3], size_t(run));
            o += run;
            p += 4;
            continue;
        }
        const int count = int(word & 0xF) + MinMatch;
        if (distance > o)
            return fail(BlockFault::BeforeStart);
        if (count > kChunkSize - o)
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

}  // namespace lzrw1
