// The LZRW1/KH container over files or memory; the blocks are Lzrw1Coder's.
#include "tally/Tlzrw1.h"

#include "tally/Lzrw1Coder.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
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

using lzrw1::BlockFault;

constexpr int MethodSize = 4;
constexpr char MethodFast[MethodSize] = {'W', 'R', 'Z', 'L'};
// The second method of the format family; never written here, and not read either.
constexpr char MethodGood[MethodSize] = {'!', 'H', 'Z', 'L'};
constexpr qint64 MaxSize = std::numeric_limits<uint32_t>::max();
constexpr qint64 Slack = lzrw1::kSlack;

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

void putLittleEndian(uint8_t *to, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to[i] = uint8_t(value >> (8 * i));
}

// ---- the container ----

qint64 compressContainer(lzrw1::HashTable &table, Buffers &buffers, ByteSource &source, qint64 size, ByteSink &sink,
                         const QString &inputName, const QString &outputName)
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
        const int length = lzrw1::compressChunk(table, chunk, int(n), buffers.out.get());
        uint8_t lengthBytes[2];
        putLittleEndian(lengthBytes, uint32_t(length), 2);
        if (!sink.write(lengthBytes, 2) || !sink.write(buffers.out.get(), length))
            throw writeFailed(outputName);
        written += 2 + length;
        // A short chunk ends the container; when the size is a multiple of a chunk that
        // is the empty one read at the end, which tells a reader the data is complete.
        if (n < Tlzrw1::ChunkSize)
            break;
    }
    if (consumed != size)
        throw readFailedCompressing(inputName);  // the file shrank while being read
    return written;
}

qint64 decompressContainer(Buffers &buffers, ByteSource &source, ByteSink &sink, const QString &inputName,
                           const QString &outputName)
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
        const int produced = lzrw1::decodeBlock(block, length, space, fault);
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
    }
    if (total != declared)
        throw sizesDiffer();
    return total;
}

}  // namespace

qint64 Tlzrw1::Compress()
{
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
    const qint64 written = compressContainer(m_hash, buffers, source, info.size(), sink, inputName, outputName);
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
    const qint64 written = decompressContainer(buffers, source, sink, inputName, outputName);
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
    compressContainer(m_hash, buffers, source, data.size(), sink, name, name);
    return container;
}

QByteArray Tlzrw1::decompressBytes(const QByteArray &container, const QString &name)
{
    Buffers buffers = Buffers::allocate();
    QByteArray data;
    MemorySource source(container);
    MemorySink sink(data, container.size());
    decompressContainer(buffers, source, sink, name, name);
    return data;
}
