// The real sound output: a QAudioSink on the default audio output, fed from a buffer.
// It lives in the audio module (quarn_audio), which the program loads on the first sound
// (client/SoundModuleOutput.h), so Qt Multimedia is not linked into the program.
#pragma once

#include "client/SoundOutput.h"

#include <QBuffer>
#include <QObject>

#include <memory>

class QAudioSink;

class SoundDeviceOutput : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit SoundDeviceOutput(QObject *parent = nullptr);
    ~SoundDeviceOutput() override;

    void start(const QString &name, const DecodedSound &sound) override;
    void stop() override;
    void alert() override;

    // Whether a sink is open and playing (false on a machine without audio).
    bool isPlaying() const;

Q_SIGNALS:
    // A started sound has been handed to the device to its end (not sent for a sound
    // that was cut off).
    void finished();

private:
    void onStateChanged();
    void releaseSink();

    std::unique_ptr<QAudioSink> m_sink;
    QBuffer m_buffer;
    bool m_reportedNoDevice = false;
};
