// The sound options; see SoundSwitches.h.
#include "client/model/SoundSwitches.h"

void SoundSwitches::setPlaySounds(bool on)
{
    if (m_playSounds == on)
        return;
    m_playSounds = on;
    Q_EMIT playSoundsChanged(on);
}

void SoundSwitches::setChatterSounds(bool on)
{
    if (m_chatterSounds == on)
        return;
    m_chatterSounds = on;
    Q_EMIT chatterSoundsChanged(on);
}

void SoundSwitches::setTurnSound(TurnSound sound)
{
    if (m_turnSound == sound)
        return;
    m_turnSound = sound;
    Q_EMIT turnSoundChanged(sound);
}

QString SoundSwitches::turnSoundName() const
{
    return m_turnSound == New ? QStringLiteral("turnnew") : QStringLiteral("start");
}
