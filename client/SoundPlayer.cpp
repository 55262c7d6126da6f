// The sound player: name lookup over the sound folder, decode-once cache, cut-off.
#include "client/SoundPlayer.h"

#include "client/SoundLog.h"
#include "client/SoundModuleOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

// The sound resources sit in a static library; registering them by hand keeps the linker
// from dropping them. Q_INIT_RESOURCE must be used outside any namespace.
static void registerSoundResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(sounds);
        return true;
    }();
    Q_UNUSED(registered);
}

SoundPlayer::SoundPlayer(QObject *parent)
    : SoundPlayer(std::make_unique<SoundModuleOutput>(), kResourceFolder, parent)
{
}

SoundPlayer::SoundPlayer(std::unique_ptr<SoundOutput> output, const QString &folder, QObject *parent)
    : QObject(parent)
    , m_output(std::move(output))
{
    registerSoundResources();
    // The suffix is checked here rather than by a name filter, which would compile a
    // regular expression (and load its library's tables) at every start.
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &file : files) {
        if (file.fileName().endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive))
            m_paths.insert(file.completeBaseName().toUpper(), file.filePath());
    }
    if (m_paths.isEmpty())
        qCWarning(lcSound) << "no sounds found in" << folder;
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::play(const QString &name)
{
    const QString key = name.toUpper();
    m_output->stop();
    if (const DecodedSound *sound = decoded(key))
        m_output->start(key, *sound);
    else
        m_output->alert();
}

void SoundPlayer::stop()
{
    m_output->stop();
}

bool SoundPlayer::hasSound(const QString &name) const
{
    return m_paths.contains(name.toUpper());
}

QStringList SoundPlayer::soundNames() const
{
    QStringList names = m_paths.keys();
    names.sort();
    return names;
}

const DecodedSound *SoundPlayer::decoded(const QString &key)
{
    if (auto cached = m_cache.constFind(key); cached != m_cache.constEnd())
        return &cached.value();
    const auto path = m_paths.constFind(key);
    if (path == m_paths.constEnd() || m_undecodable.contains(key))
        return nullptr;

    QFile file(path.value());
    if (!file.open(QIODevice::ReadOnly) || file.size() > WaveDecoder::kMaxInputBytes) {
        qCWarning(lcSound) << "sound" << key << "cannot be read from" << path.value();
        m_undecodable.insert(key);
        return nullptr;
    }
    WaveDecodeResult result = WaveDecoder::decode(file.readAll());
    if (!result.ok()) {
        qCWarning(lcSound) << "sound" << key << "cannot be decoded:" << result.error;
        m_undecodable.insert(key);
        return nullptr;
    }
    return &m_cache.insert(key, std::move(result.sound)).value();
}
