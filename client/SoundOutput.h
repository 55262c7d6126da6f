// The device side of sound playback, behind an interface so that the choice of what
// plays (and what is cut off) can be checked without an audio device.
#pragma once

#include "client/WaveDecoder.h"

#include <QString>

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Starts playing the decoded sound at once; returns without waiting for it.
    // The output keeps its own (shallow) copy of the samples.
    virtual void start(const QString &name, const DecodedSound &sound) = 0;
    // Cuts off whatever is playing; harmless when nothing plays.
    virtual void stop() = 0;
    // The desktop's alert sound, for a sound the program does not carry.
    virtual void alert() = 0;
};
