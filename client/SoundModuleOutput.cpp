// Loading the audio module on the first sound. The module is never unloaded: the output it
// made is deleted with this one, but Qt Multimedia keeps state of its own (device watchers,
// the sound server connection) until the program ends.
#include "client/SoundModuleOutput.h"

#include "client/SoundLog.h"
#include "client/audio/AudioModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>

// QUARN_AUDIO_MODULE_FILE: the module's file name; QUARN_AUDIO_MODULE_DIR: the folder it is
// installed in, relative to the installed program's folder (both from the build files).

SoundModuleOutput::SoundModuleOutput()
    : SoundModuleOutput(standardModulePaths())
{
}

SoundModuleOutput::SoundModuleOutput(QStringList modulePaths)
    : m_modulePaths(std::move(modulePaths))
{
}

SoundModuleOutput::~SoundModuleOutput() = default;

QStringList SoundModuleOutput::standardModulePaths()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString file = QStringLiteral(QUARN_AUDIO_MODULE_FILE);
    QStringList paths{programFolder.filePath(file)};
#ifdef QUARN_AUDIO_MODULE_DIR
    paths << QDir::cleanPath(programFolder.filePath(QStringLiteral(QUARN_AUDIO_MODULE_DIR)) + u'/' + file);
#endif
    return paths;
}

void SoundModuleOutput::start(const QString &name, const DecodedSound &sound)
{
    if (SoundOutput *device = output())
        device->start(name, sound);
}

void SoundModuleOutput::stop()
{
    if (m_output)
        m_output->stop();
}

void SoundModuleOutput::alert()
{
    if (SoundOutput *device = output())
        device->alert();
}

SoundOutput *SoundModuleOutput::output()
{
    if (m_state == State::NotTried)
        load();
    return m_output.get();
}

void SoundModuleOutput::load()
{
    m_state = State::Missing;
    QStringList failures;
    for (const QString &path : std::as_const(m_modulePaths)) {
        if (!QFileInfo::exists(path)) {
            failures << path + QStringLiteral(": not found");
            continue;
        }
        QLibrary module(path);
        // Mapped until the program ends, even if an unload() of the same file comes elsewhere.
        module.setLoadHints(QLibrary::PreventUnloadHint);
        const auto create = reinterpret_cast<CreateSoundOutputFunction>(module.resolve(kCreateSoundOutputSymbol));
        if (!create) {
            failures << module.errorString();
            continue;
        }
        m_output.reset(create());
        m_state = State::Loaded;
        qCDebug(lcSound) << "audio module loaded from" << path;
        return;
    }
    // One line for the whole search: a machine without the module plays silently.
    qCInfo(lcSound).noquote() << "no audio module loaded, sounds stay silent:" << failures.join(QStringLiteral("; "));
}
