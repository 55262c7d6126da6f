// The sound switches: their defaults, the turn sound's name, and a change announced once.
#include "client/model/SoundSwitches.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(SoundSwitchesTest, EverythingIsOnAndClassicAtFirst)
{
    SoundSwitches switches;
    EXPECT_TRUE(switches.playSounds());
    EXPECT_TRUE(switches.chatterSounds());
    EXPECT_EQ(switches.turnSound(), SoundSwitches::Classic);
    EXPECT_EQ(switches.turnSoundName(), QStringLiteral("start"));
}

TEST(SoundSwitchesTest, EachChangeIsAnnouncedOnce)
{
    SoundSwitches switches;
    QSignalSpy play(&switches, &SoundSwitches::playSoundsChanged);
    QSignalSpy chatter(&switches, &SoundSwitches::chatterSoundsChanged);
    QSignalSpy turn(&switches, &SoundSwitches::turnSoundChanged);
    switches.setPlaySounds(false);
    switches.setPlaySounds(false);
    switches.setChatterSounds(false);
    switches.setTurnSound(SoundSwitches::New);
    switches.setTurnSound(SoundSwitches::New);
    EXPECT_EQ(play.count(), 1);
    EXPECT_FALSE(play.first().at(0).toBool());
    EXPECT_EQ(chatter.count(), 1);
    EXPECT_EQ(turn.count(), 1);
    EXPECT_FALSE(switches.playSounds());
    EXPECT_FALSE(switches.chatterSounds());
    EXPECT_EQ(switches.turnSoundName(), QStringLiteral("turnnew"));
}

}  // namespace
