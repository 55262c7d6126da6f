// Converts decoded samples to another rate and channel count, for audio devices that
// do not take the sound's own format.
#pragma once

#include "client/WaveDecoder.h"

class SoundConverter {
public:
    // Linear interpolation between neighbouring frames; mono is copied to every channel,
    // stereo to one channel is the average of both, extra channels stay silent.
    static DecodedSound convert(const DecodedSound &sound, int sampleRate, int channels);
};
