// RIFF WAVE parsing and decoding. Every size read from the file is checked against the
// bytes really present before it is used, and the decoded output is capped.
#include "client/WaveDecoder.h"

#include <mpg123.h>

#include <QByteArrayView>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int kFormatPcm = 0x0001;
constexpr int kFormatMpegLayer3 = 0x0055;
constexpr int kFormatExtensible = 0xFFFE;
constexpr int kMaxSampleRate = 384000;

// The tail shared by every extensible sub-format GUID; its first two bytes are the tag.
constexpr char kGuidTail[14] = {'\x00', '\x00', '\x00', '\x00', '\x10', '\x00', '\x80',
                                '\x00', '\x00', '\xAA', '\x00', '\x38', '\x9B', '\x71'};

quint16 le16(const char *p)
{
    return quint16(quint8(p[0]) | (quint8(p[1]) << 8));
}

quint32 le32(const char *p)
{
    return quint32(quint8(p[0])) | (quint32(quint8(p[1])) << 8) | (quint32(quint8(p[2])) << 16)
        | (quint32(quint8(p[3])) << 24);
}

WaveDecodeResult failure(const QString &error, const WaveFormat &format = {})
{
    WaveDecodeResult result;
    result.format = format;
    result.error = error;
    return result;
}

struct Chunks {
    QByteArrayView fmt;
    QByteArrayView data;
    QByteArrayView fact;
    bool hasFmt = false;
    bool hasData = false;
    bool hasFact = false;
};

QString chunkName(QByteArrayView id)
{
    QString name;
    for (char c : id)
        name += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QChar(u'?');
    return name;
}

// Walks the chunk list of the WAVE form; the first fmt, data and fact chunks count.
QString readChunks(const QByteArray &file, Chunks &chunks)
{
    if (file.size() < 12)
        return QStringLiteral("too short for a RIFF header (%1 bytes)").arg(file.size());
    if (std::memcmp(file.constData(), "RIFF", 4) != 0)
        return QStringLiteral("not a RIFF file");
    if (std::memcmp(file.constData() + 8, "WAVE", 4) != 0)
        return QStringLiteral("not a WAVE file");

    const qint64 riffEnd = 8 + qint64(le32(file.constData() + 4));
    if (riffEnd > file.size())
        return QStringLiteral("the RIFF size (%1 bytes) runs past the end of the data (%2 bytes)")
            .arg(riffEnd - 8)
            .arg(file.size());
    if (riffEnd < 12)
        return QStringLiteral("the RIFF size is too small");

    qint64 pos = 12;
    while (pos + 8 <= riffEnd) {
        const QByteArrayView id(file.constData() + pos, 4);
        const qint64 size = le32(file.constData() + pos + 4);
        const qint64 body = pos + 8;
        if (body + size > riffEnd)
            return QStringLiteral("chunk '%1' of %2 bytes runs past the end of the data").arg(chunkName(id)).arg(size);
        const QByteArrayView content(file.constData() + body, size);
        if (id == "fmt " && !chunks.hasFmt) {
            chunks.fmt = content;
            chunks.hasFmt = true;
        } else if (id == "data" && !chunks.hasData) {
            chunks.data = content;
            chunks.hasData = true;
        } else if (id == "fact" && !chunks.hasFact) {
            chunks.fact = content;
            chunks.hasFact = true;
        }
        // Chunks are word aligned: an odd size is followed by one pad byte.
        pos = body + size + (size & 1);
    }
    if (!chunks.hasFmt)
        return QStringLiteral("no fmt chunk");
    if (!chunks.hasData)
        return QStringLiteral("no data chunk");
    return {};
}

// Reads the fmt chunk; the returned tag is the effective one (extensible resolved).
QString readFormat(const Chunks &chunks, WaveFormat &format, int &effectiveTag)
{
    const QByteArrayView fmt = chunks.fmt;
    if (fmt.size() < 16)
        return QStringLiteral("the fmt chunk is too short (%1 bytes)").arg(fmt.size());
    const char *p = fmt.data();
    format.formatTag = le16(p);
    format.channels = le16(p + 2);
    const quint32 rate = le32(p + 4);
    format.sampleRate = rate > quint32(kMaxSampleRate) ? -1 : int(rate);
    format.bitsPerSample = le16(p + 14);
    if (chunks.hasFact && chunks.fact.size() >= 4)
        format.factSampleLength = le32(chunks.fact.data());

    effectiveTag = format.formatTag;
    if (format.formatTag == kFormatExtensible) {
        if (fmt.size() < 40 || le16(p + 16) < 22)
            return QStringLiteral("the extensible fmt chunk is too short");
        const char *guid = p + 24;
        if (std::memcmp(guid + 2, kGuidTail, sizeof kGuidTail) != 0)
            return QStringLiteral("unknown extensible sub-format");
        effectiveTag = le16(guid);
    }
    if (format.channels == 0)
        return QStringLiteral("the fmt chunk declares no channels");
    if (format.channels > 2)
        return QStringLiteral("%1 channels are not supported").arg(format.channels);
    if (format.sampleRate <= 0)
        return QStringLiteral("invalid sample rate %1").arg(rate);
    return {};
}

QString decodePcm(QByteArrayView data, const WaveFormat &format, DecodedSound &sound)
{
    const int bits = format.bitsPerSample;
    if (bits != 8 && bits != 16)
        return QStringLiteral("%1-bit PCM is not supported").arg(bits);
    const qint64 bytesPerSample = bits / 8;
    const qint64 frameBytes = bytesPerSample * format.channels;
    const qint64 samples = (data.size() / frameBytes) * format.channels;
    if (samples > WaveDecoder::kMaxOutputSamples)
        return QStringLiteral("the sound is too long");

    sound.sampleRate = format.sampleRate;
    sound.channels = format.channels;
    sound.pcm.resize(samples * qint64(sizeof(qint16)));
    auto *out = reinterpret_cast<qint16 *>(sound.pcm.data());
    const char *in = data.data();
    for (qint64 i = 0; i < samples; ++i) {
        // 8-bit wave data is unsigned around 128; 16-bit is signed little endian.
        out[i] = bits == 8 ? qint16((int(quint8(in[i])) - 128) * 256) : qint16(le16(in + 2 * i));
    }
    return {};
}

struct Mpg123Deleter {
    void operator()(mpg123_handle *handle) const { mpg123_delete(handle); }
};

bool mpg123Ready()
{
    // Required before any handle on older library versions, harmless on newer ones.
    static const bool ready = mpg123_init() == MPG123_OK;
    return ready;
}

QString decodeMpeg(QByteArrayView data, DecodedSound &sound)
{
    if (!mpg123Ready())
        return QStringLiteral("the MPEG decoder cannot be initialised");
    int error = MPG123_OK;
    std::unique_ptr<mpg123_handle, Mpg123Deleter> handle(mpg123_new(nullptr, &error));
    if (!handle)
        return QStringLiteral("the MPEG decoder cannot be started: %1")
            .arg(QString::fromLatin1(mpg123_plain_strerror(error)));
    mpg123_handle *mh = handle.get();
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    // Decode at the stream's own rate and channel count, always to signed 16 bit.
    mpg123_format_none(mh);
    const long *rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(mh, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(mh) != MPG123_OK)
        return QStringLiteral("the MPEG decoder cannot open its feed");

    QByteArray block(16384, Qt::Uninitialized);
    const auto *input = reinterpret_cast<const unsigned char *>(data.data());
    size_t inputSize = size_t(data.size());
    for (;;) {
        size_t done = 0;
        const int status = mpg123_decode(mh, input, inputSize, reinterpret_cast<unsigned char *>(block.data()),
                                         size_t(block.size()), &done);
        input = nullptr;  // everything is fed with the first call
        inputSize = 0;
        if (done > 0) {
            if (sound.pcm.size() + qint64(done) > WaveDecoder::kMaxOutputSamples * 2)
                return QStringLiteral("the decoded MPEG audio is too long");
            sound.pcm.append(block.constData(), qsizetype(done));
        }
        if (status == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(mh, &rate, &channels, &encoding);
            if (sound.channels != 0 && (channels != sound.channels || rate != sound.sampleRate))
                return QStringLiteral("the MPEG stream changes its format midway");
            if (channels < 1 || channels > 2 || encoding != MPG123_ENC_SIGNED_16 || rate <= 0)
                return QStringLiteral("the MPEG stream has an unsupported format");
            sound.channels = channels;
            sound.sampleRate = int(rate);
            continue;
        }
        if (status == MPG123_OK)
            continue;
        if (status == MPG123_NEED_MORE || status == MPG123_DONE)
            break;
        return QStringLiteral("the MPEG data cannot be decoded: %1").arg(QString::fromLatin1(mpg123_strerror(mh)));
    }
    if (sound.channels == 0 || sound.pcm.isEmpty())
        return QStringLiteral("no MPEG audio frames found");
    // Keep whole frames only.
    const qint64 frameBytes = 2 * sound.channels;
    sound.pcm.truncate(sound.pcm.size() - sound.pcm.size() % frameBytes);
    return {};
}

}  // namespace

qint64 DecodedSound::frameCount() const
{
    return channels > 0 ? pcm.size() / (2 * qint64(channels)) : 0;
}

double DecodedSound::durationSeconds() const
{
    return sampleRate > 0 ? double(frameCount()) / sampleRate : 0.0;
}

qint16 DecodedSound::sampleAt(qint64 index) const
{
    qint16 value = 0;
    if (index >= 0 && (index + 1) * 2 <= pcm.size())
        std::memcpy(&value, pcm.constData() + index * 2, sizeof value);
    return value;
}

int DecodedSound::peakAmplitude() const
{
    int peak = 0;
    const qint64 samples = pcm.size() / 2;
    for (qint64 i = 0; i < samples; ++i)
        peak = std::max(peak, std::abs(int(sampleAt(i))));
    return peak;
}

WaveDecodeResult WaveDecoder::decode(const QByteArray &data)
{
    if (data.size() > kMaxInputBytes)
        return failure(QStringLiteral("the file is too large (%1 bytes)").arg(data.size()));
    Chunks chunks;
    if (QString error = readChunks(data, chunks); !error.isEmpty())
        return failure(error);
    WaveFormat format;
    int tag = 0;
    if (QString error = readFormat(chunks, format, tag); !error.isEmpty())
        return failure(error, format);

    WaveDecodeResult result;
    result.format = format;
    switch (tag) {
    case kFormatPcm: result.error = decodePcm(chunks.data, format, result.sound); break;
    case kFormatMpegLayer3: result.error = decodeMpeg(chunks.data, result.sound); break;
    default: result.error = QStringLiteral("format tag 0x%1 is not supported").arg(tag, 4, 16, QChar(u'0')); break;
    }
    if (!result.ok())
        result.sound = {};
    return result;
}
