// The sound options of the Options menu: game sounds on or off, chatter sounds on or off,
// and which sound announces the own turn. The settings file stores them and the menu
// entries show them; both follow this state, never the other way round.
#pragma once

#include <QObject>
#include <QString>

class SoundSwitches : public QObject {
    Q_OBJECT
public:
    enum TurnSound { Classic = 0, New = 1 };

    using QObject::QObject;

    bool playSounds() const { return m_playSounds; }
    void setPlaySounds(bool on);
    bool chatterSounds() const { return m_chatterSounds; }
    void setChatterSounds(bool on);
    TurnSound turnSound() const { return m_turnSound; }
    void setTurnSound(TurnSound sound);
    // The own turn's sound name: "start" (Classic) or "turnnew" (New).
    QString turnSoundName() const;

Q_SIGNALS:
    void playSoundsChanged(bool on);
    void chatterSoundsChanged(bool on);
    void turnSoundChanged(SoundSwitches::TurnSound sound);

private:
    bool m_playSounds = true;
    bool m_chatterSounds = true;
    TurnSound m_turnSound = Classic;
};
