// Fuzz harness of the sound decoder: the input is the wave file. A failure must leave no
// sound behind; a success must describe its samples truthfully (sizes that agree with
// the buffer, one or two channels, a plausible rate, output within the decoder's caps).
// Decoding is repeated to make sure the result depends on the input alone.
#include "FuzzCheck.h"

#include "client/WaveDecoder.h"

#include <QByteArray>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

constexpr int kPcm = 0x0001;
constexpr int kMpegLayer3 = 0x0055;
constexpr int kExtensible = 0xFFFE;

void checkResult(const WaveDecodeResult &result, qsizetype inputSize)
{
    const DecodedSound &sound = result.sound;
    if (!result.ok()) {
        FUZZ_CHECK(sound.pcm.isEmpty() && sound.sampleRate == 0 && sound.channels == 0);
        return;
    }
    FUZZ_CHECK(sound.channels == 1 || sound.channels == 2);
    FUZZ_CHECK(sound.sampleRate > 0 && sound.sampleRate <= 384000);
    FUZZ_CHECK(sound.pcm.size() % (2 * sound.channels) == 0);
    FUZZ_CHECK(sound.pcm.size() / 2 <= WaveDecoder::kMaxOutputSamples);
    FUZZ_CHECK(sound.frameCount() * sound.channels * 2 == sound.pcm.size());
    const double seconds = sound.durationSeconds();
    FUZZ_CHECK(std::isfinite(seconds) && seconds >= 0);
    FUZZ_CHECK(sound.peakAmplitude() >= 0 && sound.peakAmplitude() <= 32768);
    FUZZ_CHECK(sound.sampleAt(-1) == 0 && sound.sampleAt(sound.pcm.size() / 2) == 0);

    const WaveFormat &format = result.format;
    FUZZ_CHECK(format.formatTag == kPcm || format.formatTag == kMpegLayer3 || format.formatTag == kExtensible);
    FUZZ_CHECK(format.channels >= 1 && format.channels <= 2);
    FUZZ_CHECK(format.sampleRate > 0);
    FUZZ_CHECK(format.factSampleLength >= -1);
    if (format.formatTag == kPcm) {
        // Plain PCM comes out as declared, at most two bytes per byte of input.
        FUZZ_CHECK(sound.channels == format.channels && sound.sampleRate == format.sampleRate);
        FUZZ_CHECK(format.bitsPerSample == 8 || format.bitsPerSample == 16);
        FUZZ_CHECK(sound.pcm.size() <= 2 * inputSize);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const WaveDecodeResult first = WaveDecoder::decode(bytes);
    checkResult(first, bytes.size());

    const WaveDecodeResult second = WaveDecoder::decode(bytes);
    FUZZ_CHECK(second.error == first.error);
    FUZZ_CHECK(second.sound.pcm == first.sound.pcm);
    FUZZ_CHECK(second.sound.sampleRate == first.sound.sampleRate && second.sound.channels == first.sound.channels);
    FUZZ_CHECK(second.format.formatTag == first.format.formatTag && second.format.channels == first.format.channels
               && second.format.sampleRate == first.format.sampleRate
               && second.format.bitsPerSample == first.format.bitsPerSample
               && second.format.factSampleLength == first.format.factSampleLength);
    return 0;
}
