// The real output on a machine that may have no audio device (the offscreen test
// platform, no sound server): playing, cutting off, alerting and tearing down must all
// return at once without error. The players play through the built audio module, as the
// program does; the rest drives the device output directly.
#include "client/audio/SoundDeviceOutput.h"
#include "client/SoundModuleOutput.h"
#include "client/SoundPlayer.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

QStringList g_warnings;

// A player whose output is the built audio module's.
std::unique_ptr<SoundPlayer> moduleSoundPlayer()
{
    return std::make_unique<SoundPlayer>(
        std::make_unique<SoundModuleOutput>(QStringList{QStringLiteral(QUARN_AUDIO_MODULE)}));
}

void collectWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_warnings << message;
}

// First in this program, so that it sees the first query of the audio devices.
TEST(SoundDeviceOutput, aMachineWithoutSoundPrintsNoWarnings)
{
    const QtMessageHandler previous = qInstallMessageHandler(&collectWarnings);
    {
        const auto player = moduleSoundPlayer();
        for (const char *name : {"entered", "wave6", "gameover", "wave20"})
            player->play(QString::fromLatin1(name));
        QCoreApplication::processEvents();
    }
    qInstallMessageHandler(previous);
    if (!QMediaDevices::defaultAudioOutput().isNull())
        GTEST_SKIP() << "this machine has an audio output";
    EXPECT_TRUE(g_warnings.isEmpty()) << g_warnings.join(u'\n').toStdString();
}

TEST(SoundDeviceOutput, playsCutsOffAndAlertsWithOrWithoutADevice)
{
    const auto player = moduleSoundPlayer();
    player->play(QStringLiteral("goodword"));
    player->play(QStringLiteral("wave6"));  // cuts off the chime, MPEG decoded on the way
    QCoreApplication::processEvents();
    player->play(QStringLiteral("no such sound"));
    player->play(QStringLiteral("tick"));
    player->stop();
    player->stop();
    QCoreApplication::processEvents();
    EXPECT_TRUE(player->hasSound(QStringLiteral("wave6")));
}

TEST(SoundDeviceOutput, isSilentWhereThereIsNoDevice)
{
    SoundDeviceOutput output;
    DecodedSound sound;
    sound.sampleRate = 8000;
    sound.channels = 1;
    sound.pcm = QByteArray(1600, '\0');
    output.start(QStringLiteral("SILENCE"), sound);
    if (QMediaDevices::defaultAudioOutput().isNull()) {
        EXPECT_FALSE(output.isPlaying());
    }
    output.start(QStringLiteral("SILENCE"), sound);  // a second start replaces the first
    output.stop();
    EXPECT_FALSE(output.isPlaying());
}

TEST(SoundDeviceOutput, anEmptySoundStartsNothing)
{
    SoundDeviceOutput output;
    output.start(QStringLiteral("EMPTY"), DecodedSound{});
    EXPECT_FALSE(output.isPlaying());
    output.alert();
}

TEST(SoundDeviceOutput, isDestroyedWhilePlaying)
{
    auto output = std::make_unique<SoundDeviceOutput>();
    DecodedSound sound;
    sound.sampleRate = 44100;
    sound.channels = 2;
    sound.pcm = QByteArray(44100 * 4, '\x10');
    output->start(QStringLiteral("LONG"), sound);
    output.reset();
    SUCCEED();
}

DecodedSound tone(int rate, double seconds)
{
    DecodedSound sound;
    sound.sampleRate = rate;
    sound.channels = 1;
    sound.pcm = QByteArray(qsizetype(rate * seconds) * 2, '\x20');
    return sound;
}

// Only where an audio output exists (a desktop, or a sound server started for the test).
class RealSoundDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QMediaDevices::defaultAudioOutput().isNull())
            GTEST_SKIP() << "no audio output on this machine";
    }

    SoundDeviceOutput output;
    QSignalSpy finished{&output, &SoundDeviceOutput::finished};
};

TEST_F(RealSoundDevice, aStartedSoundPlaysToItsEnd)
{
    output.start(QStringLiteral("SHORT"), tone(22050, 0.1));
    EXPECT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.size(), 1);
}

TEST_F(RealSoundDevice, aCutOffSoundNeverReportsItsEnd)
{
    output.start(QStringLiteral("LONG"), tone(11025, 30.0));
    output.start(QStringLiteral("SHORT"), tone(44100, 0.1));  // another format
    EXPECT_TRUE(finished.wait(10000));
    output.start(QStringLiteral("LONG"), tone(44100, 30.0));
    output.start(QStringLiteral("SHORT"), tone(44100, 0.1));  // the same format
    EXPECT_TRUE(finished.wait(10000));
    output.start(QStringLiteral("SHORT"), tone(44100, 0.1));  // after one that ended
    EXPECT_TRUE(finished.wait(10000));
    // One end per short sound; a long one would need half a minute.
    EXPECT_EQ(finished.size(), 3);
}

TEST_F(RealSoundDevice, stopSilencesASound)
{
    output.start(QStringLiteral("LONG"), tone(22050, 30.0));
    EXPECT_TRUE(output.isPlaying());
    output.stop();
    EXPECT_FALSE(output.isPlaying());
}

}  // namespace
