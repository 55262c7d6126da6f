// Fuzz harness of the tally container's decoder: the input is a container. Decoding
// either fails with an ELzrw1Exception that says something, or gives exactly as many
// bytes as the header announces, which compress into a container that decodes back to
// them. The input's own bytes are compressed and restored as well, so that the
// compressor meets every kind of data the fuzzer makes up.
#include "FuzzCheck.h"

#include "tally/Tlzrw1.h"

#include <QByteArray>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // No copy: a read past the input's end is a read past the fuzzer's own block, which
    // AddressSanitizer reports.
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    Tlzrw1 lzrw1;

    QByteArray restored;
    bool decoded = false;
    try {
        restored = lzrw1.decompressBytes(input, QStringLiteral("fuzz"));
        decoded = true;
    } catch (const ELzrw1Exception &error) {
        FUZZ_CHECK(!error.message().isEmpty());
    }
    if (decoded) {
        FUZZ_CHECK(size >= 8);
        FUZZ_CHECK(quint32(restored.size()) == qFromLittleEndian<quint32>(data + 4));
        FUZZ_CHECK(lzrw1.decompressBytes(lzrw1.compressBytes(restored)) == restored);
    }

    const QByteArray container = lzrw1.compressBytes(input);
    // Never worse than storing every chunk behind its flag and length.
    const qsizetype chunks = input.size() / Tlzrw1::ChunkSize + 1;
    FUZZ_CHECK(container.size() <= 8 + input.size() + 3 * chunks);
    FUZZ_CHECK(lzrw1.decompressBytes(container) == input);
    return 0;
}
