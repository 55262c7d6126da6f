// Decoding of RIFF WAVE data into 16-bit PCM: plain PCM (8 and 16 bit, also inside the
// extensible wrapper) and MPEG Layer III in the wave wrapper (format tag 0x0055).
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// 16-bit signed samples in native byte order, channels interleaved (one or two).
struct DecodedSound {
    QByteArray pcm;
    int sampleRate = 0;
    int channels = 0;

    qint64 frameCount() const;
    double durationSeconds() const;
    qint16 sampleAt(qint64 index) const;  // index over the interleaved samples
    int peakAmplitude() const;  // largest absolute sample value
};

// What the fmt chunk of the file declared, before decoding.
struct WaveFormat {
    int formatTag = 0;  // 1 = PCM, 0x55 = MPEG Layer III, 0xFFFE = extensible
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    qint64 factSampleLength = -1;  // from the fact chunk, -1 when there is none
};

struct WaveDecodeResult {
    DecodedSound sound;
    WaveFormat format;
    QString error;  // empty on success

    bool ok() const { return error.isEmpty(); }
};

class WaveDecoder {
public:
    // Files larger than this are refused before any work is done; the program's own
    // sounds are a few kilobytes each.
    static constexpr qint64 kMaxInputBytes = 16 * 1024 * 1024;
    // Cap on the decoded output, so that a compressed stream cannot make us allocate
    // without bound (about six minutes of 48 kHz stereo).
    static constexpr qint64 kMaxOutputSamples = 32 * 1024 * 1024;

    static WaveDecodeResult decode(const QByteArray &data);
};
