#!/usr/bin/env python3
"""Makes the seed inputs of the Lzrw1Decode fuzz harness in tests/fuzz/corpus/Lzrw1Decode/.

Usage: make_lzrw1_seeds.py

Each seed is a tally container ("WRZL", the uncompressed size, blocks of at most 32 KiB):
well-formed ones made by the small compressor below (every kind of item, copied blocks,
several blocks, the empty block after a whole chunk), and damaged ones that the decoder
must refuse (a bad or unread method, a wrong size, a cut file, an over-long block, a
block that writes too much or reaches before its chunk, an item cut by the block's end).
The folder is emptied first, so it holds exactly what this script makes. The output is
committed; run this again when the container changes.
"""
import pathlib
import random
import shutil
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parents[2]
FOLDER = ROOT / 'tests' / 'fuzz' / 'corpus' / 'Lzrw1Decode'

CHUNK = 32768


def compress_chunk(chunk):
    """One block, as tally/Tlzrw1.cpp writes it, kept plain: the seeds are small."""
    n = len(chunk)
    data = chunk + b'\0\0'  # the hash of the last two positions reads past the chunk
    table = [None] * 4096
    out = bytearray(b'\x40\0\0')
    control_at, control, items = 1, 0, 0
    x = 0
    while x < n and len(out) <= n:
        if items == 16:
            out[control_at:control_at + 2] = struct.pack('>H', control)
            control_at = len(out)
            out += b'\0\0'
            control, items = 0, 0
        items += 1
        control <<= 1
        run = 1
        while run < min(n - x, 4095) and data[x + run] == data[x]:
            run += 1
        if run >= 16:
            out += b'\0' + struct.pack('>H', run - 16) + data[x:x + 1]
            x += run
            control |= 1
            continue
        h = ((((data[x] << 4) ^ data[x + 1]) << 4) ^ data[x + 2]) * 40543 >> 4 & 0xFFF
        candidate, table[h] = table[h], x
        if candidate is not None and x - candidate < 4096:
            length = 0
            while length < min(18, n - x) and data[candidate + length] == data[x + length]:
                length += 1
            if length >= 3:
                out += struct.pack('>H', (x - candidate) << 4 | (length - 3))
                x += length
                control |= 1
                continue
        out.append(data[x])
        x += 1
    out[control_at:control_at + 2] = struct.pack('>H', control << (16 - items) & 0xFFFF)
    if len(out) > n:
        return b'\x80' + chunk
    return bytes(out)


def blocks_of(data):
    blocks = []
    for start in range(0, len(data) + 1, CHUNK):
        blocks.append(compress_chunk(data[start:start + CHUNK]))
    return blocks


def container(data, size=None, blocks=None):
    if blocks is None:
        blocks = blocks_of(data)
    body = b''.join(struct.pack('<H', len(b)) + b for b in blocks)
    return b'WRZL' + struct.pack('<I', len(data) if size is None else size) + body


def text(length):
    words = b'the quick brown fox jumps over a lazy dog while seven quarns count letters'.split()
    rng = random.Random(7)
    out = bytearray()
    while len(out) < length:
        out += rng.choice(words) + (b'.\r\n' if rng.random() < 0.1 else b' ')
    return bytes(out[:length])


def write(name, data):
    (FOLDER / name).write_bytes(data)


def main():
    if FOLDER.exists():
        shutil.rmtree(FOLDER)
    FOLDER.mkdir(parents=True)

    # Well-formed containers.
    write('empty', container(b''))
    write('abc-copied', container(b'abc'))
    write('abc-three-times', container(b'abc' * 3))
    write('run-of-twenty', container(b'a' * 20))
    write('overlapping-reference', container(b'a' * 15))
    write('long-reference', container(b'abcdefghijklmnopqrst' * 2))
    write('tally-text', container(b'10\r\n2\r\n0\r\nAnn\r\n3\r\n1\r\n2\r\n0\r\nZEBRA\r\n1\r\n5\r\n0\r\n' * 4))
    write('whole-chunk-of-runs', container(b'\x61' * CHUNK))
    write('text-two-blocks', container(text(CHUNK + 5000)))
    rng = random.Random(11)
    write('random-copied-blocks', container(bytes(rng.getrandbits(8) for _ in range(CHUNK + 300))))

    # Damaged containers.
    good = container(b'abc' * 3)
    write('no-header', b'WRZX' + good[4:])
    write('method-not-read', b'!HZL' + good[4:])
    write('header-cut', b'WRZL\x09\0')
    write('size-too-large', container(b'abc' * 3, size=10))
    write('size-too-small', container(b'abc' * 3, size=8))
    write('block-cut', good[:-3])
    write('missing-empty-block', container(b'\x61' * CHUNK)[:-3])
    # Refused on the length alone, before the block is read.
    write('block-length-over', b'WRZL\0\x80\0\0' + struct.pack('<H', CHUNK + 2) + b'\x80xyz')
    nine_long_runs = b'\x40\xff\x80' + b'\0\x0f\xff\x61' * 9
    write('block-writes-too-much', container(b'', size=9 * 4111, blocks=[nine_long_runs]))
    write('reference-before-start', container(b'', size=4, blocks=[b'\x40\x40\x00\x61\x00\x21']))
    write('item-cut-by-block-end', container(b'', size=4, blocks=[b'\x40\x40\x00\x61\x00\x0f\x00']))
    write('control-word-cut', container(b'', size=16, blocks=[b'\x40\0\0' + b'q' * 16 + b'\x80']))

    files = list(FOLDER.iterdir())
    print(f'Lzrw1Decode: {len(files)} seeds, {sum(f.stat().st_size for f in files)} bytes')
    return 0


if __name__ == '__main__':
    sys.exit(main())
