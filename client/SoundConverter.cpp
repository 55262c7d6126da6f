// Rate and channel conversion of decoded samples.
#include "client/SoundConverter.h"

#include <cstring>

namespace {

// One output channel's value from the source frame at the given index.
int channelValue(const DecodedSound &sound, qint64 frame, int channel, int targetChannels)
{
    const qint64 base = frame * sound.channels;
    if (sound.channels == 1)
        return sound.sampleAt(base);
    if (targetChannels == 1)
        return (sound.sampleAt(base) + sound.sampleAt(base + 1)) / 2;
    return channel < sound.channels ? sound.sampleAt(base + channel) : 0;
}

}  // namespace

DecodedSound SoundConverter::convert(const DecodedSound &sound, int sampleRate, int channels)
{
    DecodedSound out;
    if (sound.sampleRate <= 0 || sound.channels <= 0 || sampleRate <= 0 || channels <= 0)
        return out;
    out.sampleRate = sampleRate;
    out.channels = channels;
    const qint64 inFrames = sound.frameCount();
    if (inFrames == 0)
        return out;
    const qint64 outFrames = inFrames * sampleRate / sound.sampleRate;
    out.pcm.resize(outFrames * channels * qint64(sizeof(qint16)));
    auto *target = reinterpret_cast<qint16 *>(out.pcm.data());
    const double step = double(sound.sampleRate) / sampleRate;
    for (qint64 f = 0; f < outFrames; ++f) {
        const double position = f * step;
        const qint64 left = qint64(position);
        const qint64 right = left + 1 < inFrames ? left + 1 : left;
        const double weight = position - double(left);
        for (int c = 0; c < channels; ++c) {
            const double a = channelValue(sound, left, c, channels);
            const double b = channelValue(sound, right, c, channels);
            target[f * channels + c] = qint16(a + (b - a) * weight);
        }
    }
    return out;
}
