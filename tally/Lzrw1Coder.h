// LZRW1/KH, one block at a time: a chunk of at most 32 KiB compressed into a block, and a
// block decoded back into its chunk. Plain C++ over byte buffers, no Qt and no files: the
// container around the blocks (Tlzrw1) reads and writes them.
#pragma once

#include <array>
#include <cstdint>

namespace lzrw1 {

// Input bytes per block; the last block of a container holds fewer (possibly none).
inline constexpr int kChunkSize = 32768;
// A chunk that does not shrink is stored behind one flag byte.
inline constexpr int kMaxBlockLength = kChunkSize + 1;
// Each of the two working buffers: a chunk and 16 spare bytes, room for what the
// compressor writes past a chunk's length before it gives up, and for the whole words
// both coders move a little past the bytes in use.
inline constexpr int kBufferSize = kChunkSize + 16;
// The coders read whole words up to this many bytes past the data they work on.
inline constexpr int kSlack = kBufferSize - kChunkSize;

// Positions of earlier three-byte sequences by hash; cleared for every chunk, so blocks
// never depend on each other.
using HashTable = std::array<uint16_t, 4096>;

// Compresses the chunk in[0, n) (n at most kChunkSize, kSlack readable bytes after it)
// into out (kBufferSize bytes); returns the block length, n + 1 when the chunk is stored
// as it is because it did not shrink.
int compressChunk(HashTable &table, const uint8_t *in, int n, uint8_t *out);

enum class BlockFault { None, TooLong, BeforeStart, CutShort };

// Decodes a block of `length` bytes (at most kMaxBlockLength, kSlack readable bytes after
// it) into out (kBufferSize bytes); returns the bytes decoded, or 0 with `fault` set.
// Whatever the block holds, no byte past kChunkSize is ever decoded.
int decodeBlock(const uint8_t *in, int length, uint8_t *out, BlockFault &fault);

}  // namespace lzrw1
