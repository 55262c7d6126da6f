// Rate and channel conversion for audio devices that do not take a sound's own format.
#include "client/SoundConverter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

DecodedSound makeSound(int rate, int channels, const std::vector<qint16> &samples)
{
    DecodedSound sound;
    sound.sampleRate = rate;
    sound.channels = channels;
    sound.pcm = QByteArray(reinterpret_cast<const char *>(samples.data()), qsizetype(samples.size() * 2));
    return sound;
}

struct RateCase {
    int from;
    int to;
};

class SoundRateTest : public ::testing::TestWithParam<RateCase> { };

TEST_P(SoundRateTest, keepsTheDurationAndAConstantLevel)
{
    const auto [from, to] = GetParam();
    const DecodedSound sound = makeSound(from, 1, std::vector<qint16>(size_t(from / 2), 1234));
    const DecodedSound out = SoundConverter::convert(sound, to, 1);
    EXPECT_EQ(out.sampleRate, to);
    EXPECT_NEAR(out.durationSeconds(), sound.durationSeconds(), 1.0 / to);
    for (qint64 i = 0; i < out.frameCount(); ++i)
        ASSERT_EQ(out.sampleAt(i), 1234) << "frame " << i;
}

INSTANTIATE_TEST_SUITE_P(Rates, SoundRateTest,
                         ::testing::Values(RateCase{8000, 48000}, RateCase{11025, 44100}, RateCase{22254, 48000},
                                           RateCase{44100, 22050}, RateCase{48000, 8000}, RateCase{22050, 22050}));

TEST(SoundConverter, interpolatesBetweenNeighbouringFrames)
{
    const DecodedSound out = SoundConverter::convert(makeSound(1000, 1, {0, 1000, 2000, 3000}), 2000, 1);
    ASSERT_EQ(out.frameCount(), 8);
    const std::vector<qint16> expected{0, 500, 1000, 1500, 2000, 2500, 3000, 3000};
    for (qint64 i = 0; i < 8; ++i)
        EXPECT_EQ(out.sampleAt(i), expected[size_t(i)]) << "frame " << i;
}

TEST(SoundConverter, monoIsCopiedToEveryChannel)
{
    const DecodedSound out = SoundConverter::convert(makeSound(8000, 1, {100, -200}), 8000, 2);
    ASSERT_EQ(out.channels, 2);
    const std::vector<qint16> expected{100, 100, -200, -200};
    for (qint64 i = 0; i < 4; ++i)
        EXPECT_EQ(out.sampleAt(i), expected[size_t(i)]);
}

TEST(SoundConverter, stereoToMonoIsTheAverageAndExtraChannelsAreSilent)
{
    const DecodedSound stereo = makeSound(8000, 2, {100, 300, -32768, -32768});
    const DecodedSound mono = SoundConverter::convert(stereo, 8000, 1);
    ASSERT_EQ(mono.frameCount(), 2);
    EXPECT_EQ(mono.sampleAt(0), 200);
    EXPECT_EQ(mono.sampleAt(1), -32768);

    const DecodedSound four = SoundConverter::convert(stereo, 8000, 4);
    ASSERT_EQ(four.frameCount(), 2);
    EXPECT_EQ(four.sampleAt(0), 100);
    EXPECT_EQ(four.sampleAt(1), 300);
    EXPECT_EQ(four.sampleAt(2), 0);
    EXPECT_EQ(four.sampleAt(3), 0);
}

TEST(SoundConverter, nothingToConvertGivesAnEmptySound)
{
    EXPECT_EQ(SoundConverter::convert(DecodedSound{}, 44100, 2).frameCount(), 0);
    EXPECT_EQ(SoundConverter::convert(makeSound(8000, 1, {1, 2}), 0, 1).frameCount(), 0);
    EXPECT_EQ(SoundConverter::convert(makeSound(8000, 1, {1, 2}), 8000, 0).frameCount(), 0);
}

}  // namespace
