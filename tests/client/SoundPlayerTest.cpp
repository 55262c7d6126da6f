// The sound player's choices, seen through a recording output: which resource a name
// finds, the cut-off of the sound playing, the alert for a name the program does not
// carry, and that each resource is decoded once.
#include "client/SoundPlayer.h"
#include "SoundRecordingOutput.h"
#include "SoundWaveBuilder.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Collects the warnings of the sound category while it lives.
class SoundLogCatcher {
public:
    SoundLogCatcher()
    {
        s_current = this;
        m_previous = qInstallMessageHandler(&SoundLogCatcher::handle);
    }
    ~SoundLogCatcher()
    {
        qInstallMessageHandler(m_previous);
        s_current = nullptr;
    }
    QStringList messages;

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (s_current && type == QtWarningMsg && QByteArrayView(context.category) == "quarn.sound")
            s_current->messages << message;
    }
    static inline SoundLogCatcher *s_current = nullptr;
    QtMessageHandler m_previous = nullptr;
};

class SoundPlayerFixture {
protected:
    std::shared_ptr<SoundRecording> recording = std::make_shared<SoundRecording>();

    std::unique_ptr<SoundPlayer> makePlayer(const QString &folder = SoundPlayer::kResourceFolder)
    {
        return std::make_unique<SoundPlayer>(std::make_unique<SoundRecordingOutput>(recording), folder);
    }
};

struct Lookup {
    const char *asked;
    const char *played;
};

void PrintTo(const Lookup &lookup, std::ostream *os)
{
    *os << lookup.asked;
}

class SoundLookupTest : public SoundPlayerFixture, public ::testing::TestWithParam<Lookup> { };

TEST_P(SoundLookupTest, nameFindsItsResourceWithoutRegardToCase)
{
    auto player = makePlayer();
    player->play(QString::fromLatin1(GetParam().asked));
    const QStringList expected{QStringLiteral("stop"),
                               QStringLiteral("start ") + QString::fromLatin1(GetParam().played)};
    EXPECT_EQ(recording->events, expected);
    ASSERT_EQ(recording->startedSounds.size(), 1);
    EXPECT_GT(recording->startedSounds.first().frameCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Names, SoundLookupTest,
                         ::testing::Values(Lookup{"goodword", "GOODWORD"}, Lookup{"GoodWord", "GOODWORD"},
                                           Lookup{"entered", "ENTERED"}, Lookup{"turnnew", "TURNNEW"},
                                           Lookup{"wave3", "WAVE3"}, Lookup{"Wave20", "WAVE20"},
                                           Lookup{"WAVE6", "WAVE6"}, Lookup{"tIcK", "TICK"}));

class MissingSoundTest : public SoundPlayerFixture, public ::testing::TestWithParam<const char *> { };

TEST_P(MissingSoundTest, nameWithoutResourceCutsOffAndGivesTheAlert)
{
    auto player = makePlayer();
    player->play(QString::fromLatin1(GetParam()));
    EXPECT_EQ(recording->events, (QStringList{QStringLiteral("stop"), QStringLiteral("alert")}));
    EXPECT_TRUE(recording->startedSounds.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Names, MissingSoundTest,
                         ::testing::Values("", "wave0", "wave21", "nosuchsound", "tick.wav", "../sounds/TICK", " tick",
                                           "wave1 "));

TEST(SoundPlayerNames, everyGameAndChatterSoundIsCarried)
{
    SoundPlayer player(std::make_unique<SoundRecordingOutput>(std::make_shared<SoundRecording>()));
    QStringList wanted{QStringLiteral("entered"),  QStringLiteral("start"),   QStringLiteral("turnnew"),
                       QStringLiteral("tick"),     QStringLiteral("place"),   QStringLiteral("clear"),
                       QStringLiteral("goodword"), QStringLiteral("badword"), QStringLiteral("roundover"),
                       QStringLiteral("gameover")};
    for (int n = 1; n <= 20; ++n)
        wanted << QStringLiteral("wave%1").arg(n);
    for (const QString &name : wanted)
        EXPECT_TRUE(player.hasSound(name)) << name.toStdString();
    EXPECT_EQ(player.soundNames().size(), wanted.size());
}

class SoundPlayerTest : public SoundPlayerFixture, public ::testing::Test { };

TEST_F(SoundPlayerTest, aNewSoundCutsOffTheOnePlaying)
{
    auto player = makePlayer();
    player->play(QStringLiteral("tick"));
    player->play(QStringLiteral("wave15"));
    player->play(QStringLiteral("missing"));
    player->play(QStringLiteral("place"));
    const QStringList expected{QStringLiteral("stop"),         QStringLiteral("start TICK"), QStringLiteral("stop"),
                               QStringLiteral("start WAVE15"), QStringLiteral("stop"),       QStringLiteral("alert"),
                               QStringLiteral("stop"),         QStringLiteral("start PLACE")};
    EXPECT_EQ(recording->events, expected);
}

TEST_F(SoundPlayerTest, stopCutsOffWithoutStartingAnything)
{
    auto player = makePlayer();
    player->play(QStringLiteral("gameover"));
    player->stop();
    EXPECT_EQ(recording->events.last(), QStringLiteral("stop"));
    EXPECT_EQ(recording->startedSounds.size(), 1);
}

TEST_F(SoundPlayerTest, eachResourceIsDecodedOnceAndTheSamplesAreShared)
{
    auto player = makePlayer();
    player->play(QStringLiteral("wave17"));
    player->play(QStringLiteral("WAVE17"));
    ASSERT_EQ(recording->startedSounds.size(), 2);
    // The same decoded buffer is handed out again, not a second decoding of the file.
    EXPECT_EQ(recording->startedSounds[0].pcm.constData(), recording->startedSounds[1].pcm.constData());
}

TEST_F(SoundPlayerTest, aDecodedSoundStaysPlayableWhenItsFileIsGone)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("Beep.wav")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SoundWaveBuilder::pcmWave(1, 8000, 8, QByteArray(800, '\x90')));
    file.close();

    auto player = makePlayer(folder.path());
    player->play(QStringLiteral("beep"));
    ASSERT_TRUE(QFile::remove(file.fileName()));
    player->play(QStringLiteral("BEEP"));
    const QStringList expected{QStringLiteral("stop"), QStringLiteral("start BEEP"), QStringLiteral("stop"),
                               QStringLiteral("start BEEP")};
    EXPECT_EQ(recording->events, expected);
}

TEST_F(SoundPlayerTest, aResourceThatCannotBeDecodedGivesTheAlertEveryTime)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("BROKEN.wav")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF but nothing after it");
    file.close();

    auto player = makePlayer(folder.path());
    EXPECT_TRUE(player->hasSound(QStringLiteral("broken")));
    SoundLogCatcher log;
    player->play(QStringLiteral("broken"));
    player->play(QStringLiteral("broken"));
    // Warned once only: the failure is remembered, not retried on every play.
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_TRUE(log.messages.first().contains(QStringLiteral("BROKEN")));
    const QStringList expected{QStringLiteral("stop"), QStringLiteral("alert"), QStringLiteral("stop"),
                               QStringLiteral("alert")};
    EXPECT_EQ(recording->events, expected);
}

TEST_F(SoundPlayerTest, aFolderWithoutSoundsAlertsForEveryName)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char *other : {"TICK.mp3", "tick.wav.txt"}) {  // not sounds: only ".wav" files are
        QFile file(folder.filePath(QString::fromLatin1(other)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    SoundLogCatcher log;
    auto player = makePlayer(folder.path());
    ASSERT_EQ(log.messages.size(), 1);
    EXPECT_TRUE(log.messages.first().contains(QStringLiteral("no sounds found")));
    player->play(QStringLiteral("tick"));
    EXPECT_EQ(recording->events, (QStringList{QStringLiteral("stop"), QStringLiteral("alert")}));
    EXPECT_TRUE(player->soundNames().isEmpty());

    // The suffix is matched without regard to case, like the names.
    QFile upper(folder.filePath(QStringLiteral("Beep.WAV")));
    ASSERT_TRUE(upper.open(QIODevice::WriteOnly));
    upper.close();
    EXPECT_EQ(makePlayer(folder.path())->soundNames(), QStringList{QStringLiteral("BEEP")});
}

}  // namespace
