// A sound output for tests: records what the player asked of the device, in order.
#pragma once

#include "client/SoundOutput.h"

#include <QString>
#include <QStringList>

#include <memory>

// Shared with the test after the player takes ownership of the output.
struct SoundRecording {
    QStringList events;  // "stop", "start NAME", "alert"
    QList<DecodedSound> startedSounds;  // the samples handed over by each start
};

class SoundRecordingOutput : public SoundOutput {
public:
    explicit SoundRecordingOutput(std::shared_ptr<SoundRecording> recording)
        : m_recording(std::move(recording))
    {
    }

    void start(const QString &name, const DecodedSound &sound) override
    {
        m_recording->events << QStringLiteral("start ") + name;
        m_recording->startedSounds << sound;
    }
    void stop() override { m_recording->events << QStringLiteral("stop"); }
    void alert() override { m_recording->events << QStringLiteral("alert"); }

private:
    std::shared_ptr<SoundRecording> m_recording;
};
