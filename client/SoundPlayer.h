// Plays the program's own sounds by name ("goodword", "wave3", "turnnew" ...): the name
// is matched against the sound resources without regard to case, the resource is decoded
// once and kept, and a new sound cuts off the one playing. Nothing is queued.
#pragma once

#include "client/SoundOutput.h"
#include "client/WaveDecoder.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // The folder that holds the sound resources, one "<NAME>.wav" file per sound.
    static inline const QString kResourceFolder = QStringLiteral(":/sounds");

    // Plays through the default audio output, with the audio module loaded on the first
    // sound (silent where there is no module or no output).
    explicit SoundPlayer(QObject *parent = nullptr);
    // Plays through the given output, reading sounds from the given folder.
    explicit SoundPlayer(std::unique_ptr<SoundOutput> output, const QString &folder = kResourceFolder,
                         QObject *parent = nullptr);
    ~SoundPlayer() override;

    // Starts the named sound and returns at once. A name the program does not carry
    // (or whose data cannot be decoded) gives the desktop's alert sound instead.
    void play(const QString &name);
    // Cuts off the sound that plays, if any.
    void stop();

    // Whether a sound of that name is carried (matched without regard to case).
    bool hasSound(const QString &name) const;
    // The names of every carried sound, in upper case.
    QStringList soundNames() const;

private:
    const DecodedSound *decoded(const QString &key);

    std::unique_ptr<SoundOutput> m_output;
    QHash<QString, QString> m_paths;  // upper-case name -> file path
    QHash<QString, DecodedSound> m_cache;  // upper-case name -> decoded samples
    QSet<QString> m_undecodable;  // names whose data failed to decode
};
