// The input layout of the harnesses that feed a byte stream in pieces, as a socket
// delivers it: byte 0 says how many chunk-size bytes follow (0..7; 0 means the whole
// stream at once); the sizes are used in turn, a byte below 0xC0 meaning 1..192 bytes and
// a larger one `largeStep` bytes per step above 0xBF. Everything after them is the stream.
#pragma once

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <optional>

class ChunkedInput {
public:
    // Nothing when the input is too short for the sizes its first byte announces.
    static std::optional<ChunkedInput> read(const uint8_t *data, size_t size, qsizetype largeStep)
    {
        if (size == 0)
            return std::nullopt;
        const size_t sizeCount = data[0] % 8;
        if (size < 1 + sizeCount)
            return std::nullopt;
        ChunkedInput input;
        input.m_sizes = QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(sizeCount));
        input.m_stream =
            QByteArray(reinterpret_cast<const char *>(data + 1 + sizeCount), qsizetype(size - 1 - sizeCount));
        input.m_largeStep = largeStep;
        return input;
    }

    const QByteArray &stream() const { return m_stream; }

    // The stream cut as the sizes say; `whole` ignores them and gives it in one piece.
    QList<QByteArray> pieces(bool whole = false) const
    {
        QList<QByteArray> cut;
        qsizetype at = 0;
        for (qsizetype chunk = 0; at < m_stream.size(); ++chunk) {
            const qsizetype length =
                whole || m_sizes.isEmpty() ? m_stream.size() : chunkLength(uint8_t(m_sizes.at(chunk % m_sizes.size())));
            cut.append(m_stream.mid(at, length));
            at += cut.constLast().size();
        }
        return cut;
    }

private:
    qsizetype chunkLength(uint8_t code) const
    {
        return code < 0xC0 ? qsizetype(code) + 1 : qsizetype(code - 0xBF) * m_largeStep;
    }

    QByteArray m_sizes;
    QByteArray m_stream;
    qsizetype m_largeStep = 0;
};
