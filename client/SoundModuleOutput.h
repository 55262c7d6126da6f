// The sound output the program plays through. The device output lives in the audio module
// (quarn_audio), which brings Qt Multimedia and the sound server's client libraries with
// it; this output loads the module when the first sound starts (or the first alert sounds)
// and hands everything on to the module's output. Loading is tried once: without a module
// that loads, every sound stays silent.
#pragma once

#include "client/SoundOutput.h"

#include <QStringList>

#include <memory>

class SoundModuleOutput : public SoundOutput {
public:
    enum class State {
        NotTried,  // no sound has started yet
        Loaded,  // sounds go to the module's output
        Missing,  // no module could be loaded; sounds stay silent
    };

    // Looks for the module where the program finds it: beside the program (the build
    // tree), then in the program's library folder as installed.
    SoundModuleOutput();
    // Looks for the module at the given file paths, in order; the first that loads is used.
    explicit SoundModuleOutput(QStringList modulePaths);
    ~SoundModuleOutput() override;

    void start(const QString &name, const DecodedSound &sound) override;
    // Before any sound there is nothing to cut off, and nothing is loaded.
    void stop() override;
    void alert() override;

    State state() const { return m_state; }

    // Where the program looks for the module, in order.
    static QStringList standardModulePaths();

private:
    SoundOutput *output();
    void load();

    QStringList m_modulePaths;
    State m_state = State::NotTried;
    std::unique_ptr<SoundOutput> m_output;
};
