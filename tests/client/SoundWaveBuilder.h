// Builds RIFF WAVE byte strings chunk by chunk, for decoder tests that need files the
// program does not ship: odd layouts, lying sizes, unusual formats.
#pragma once

#include <QByteArray>
#include <QtEndian>

#include <cstdint>

class SoundWaveBuilder {
public:
    static QByteArray le16(quint16 value)
    {
        QByteArray bytes(2, '\0');
        qToLittleEndian(value, bytes.data());
        return bytes;
    }
    static QByteArray le32(quint32 value)
    {
        QByteArray bytes(4, '\0');
        qToLittleEndian(value, bytes.data());
        return bytes;
    }

    // A plain fmt chunk body of 16 bytes.
    static QByteArray fmtBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
    {
        const quint16 blockAlign = quint16(channels * ((bits + 7) / 8));
        return le16(tag) + le16(channels) + le32(rate) + le32(rate * blockAlign) + le16(blockAlign) + le16(bits);
    }

    // A chunk with its true size and the pad byte an odd size needs.
    static QByteArray chunk(const char *id, const QByteArray &body)
    {
        return chunkWithSize(id, body, quint32(body.size()));
    }
    // A chunk whose size field says what the caller wants, true or not.
    static QByteArray chunkWithSize(const char *id, const QByteArray &body, quint32 size)
    {
        QByteArray bytes = QByteArray(id, 4) + le32(size) + body;
        if (body.size() % 2)
            bytes += '\0';
        return bytes;
    }

    // The RIFF header with the true size around the given chunks.
    static QByteArray riff(const QByteArray &chunks)
    {
        return QByteArray("RIFF") + le32(quint32(chunks.size() + 4)) + "WAVE" + chunks;
    }

    static QByteArray pcmWave(quint16 channels, quint32 rate, quint16 bits, const QByteArray &samples)
    {
        return riff(chunk("fmt ", fmtBody(1, channels, rate, bits)) + chunk("data", samples));
    }
};
