// Wave decoding: every shipped sound in its declared format and length, the layouts the
// format allows, and malformed data that must fail with an error and no samples.
#include "client/WaveDecoder.h"
#include "SoundWaveBuilder.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>

#include <gtest/gtest.h>

static void registerSounds()
{
    Q_INIT_RESOURCE(sounds);
}

namespace {

QByteArray resource(const QString &name)
{
    static const bool registered = (registerSounds(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct ShippedSound {
    const char *name;
    int formatTag;
    int sampleRate;  // 0: any rate from 8000 to 22254 Hz
    int bitsPerSample;  // of the wave data; 0 for MPEG
    double minSeconds;
    double maxSeconds;
};

void PrintTo(const ShippedSound &sound, std::ostream *os)
{
    *os << sound.name;
}

constexpr int kPcm = 1;
constexpr int kMp3 = 0x55;

const ShippedSound kShipped[] = {
    {"TICK", kPcm, 44100, 16, 0.10, 0.35},     {"PLACE", kPcm, 44100, 16, 0.10, 0.35},
    {"GOODWORD", kPcm, 44100, 16, 0.10, 0.35}, {"CLEAR", kPcm, 44100, 16, 0.10, 0.35},
    {"BADWORD", kPcm, 44100, 16, 0.10, 0.35},  {"START", kPcm, 22050, 8, 0.9, 1.1},
    {"GAMEOVER", kPcm, 22050, 8, 0.9, 1.1},    {"ENTERED", kPcm, 11025, 8, 0.75, 0.85},
    {"ROUNDOVER", kPcm, 11025, 8, 1.2, 1.3},   {"TURNNEW", kPcm, 22050, 16, 0.3, 1.0},
    {"WAVE1", kPcm, 0, 8, 0.3, 3.0},           {"WAVE2", kPcm, 0, 8, 0.3, 3.0},
    {"WAVE3", kPcm, 0, 8, 0.3, 3.0},           {"WAVE4", kPcm, 0, 8, 0.3, 3.0},
    {"WAVE5", kPcm, 0, 8, 0.3, 3.0},           {"WAVE6", kMp3, 0, 0, 1.0, 7.0},
    {"WAVE7", kPcm, 0, 8, 0.3, 3.0},           {"WAVE8", kPcm, 0, 8, 0.3, 3.0},
    {"WAVE9", kPcm, 0, 8, 0.3, 3.0},           {"WAVE10", kPcm, 0, 8, 0.3, 3.0},
    {"WAVE11", kPcm, 0, 8, 0.3, 3.0},          {"WAVE12", kPcm, 0, 8, 0.3, 3.0},
    {"WAVE13", kPcm, 0, 8, 0.3, 3.0},          {"WAVE14", kPcm, 0, 8, 0.3, 3.0},
    {"WAVE15", kMp3, 0, 0, 0.5, 4.0},          {"WAVE16", kMp3, 0, 0, 0.5, 4.0},
    {"WAVE17", kMp3, 0, 0, 0.5, 4.0},          {"WAVE18", kPcm, 0, 8, 0.3, 3.0},
    {"WAVE19", kPcm, 0, 8, 0.3, 3.0},          {"WAVE20", kMp3, 0, 0, 0.5, 4.0},
};

class ShippedSoundTest : public ::testing::TestWithParam<ShippedSound> { };

TEST_P(ShippedSoundTest, decodesInItsDeclaredFormatAndLength)
{
    const ShippedSound &expected = GetParam();
    const QByteArray data = resource(QString::fromLatin1(expected.name));
    ASSERT_FALSE(data.isEmpty()) << "resource missing";

    const WaveDecodeResult result = WaveDecoder::decode(data);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.format.formatTag, expected.formatTag);
    EXPECT_EQ(result.format.channels, 1);
    EXPECT_EQ(result.sound.channels, 1);
    if (expected.sampleRate != 0) {
        EXPECT_EQ(result.format.sampleRate, expected.sampleRate);
    } else {
        EXPECT_GE(result.format.sampleRate, 8000);
        EXPECT_LE(result.format.sampleRate, 22254);
    }
    if (expected.formatTag == kPcm) {
        EXPECT_EQ(result.format.bitsPerSample, expected.bitsPerSample);
    }
    EXPECT_EQ(result.sound.sampleRate, result.format.sampleRate);
    EXPECT_GE(result.sound.durationSeconds(), expected.minSeconds);
    EXPECT_LE(result.sound.durationSeconds(), expected.maxSeconds);
    // Audible, not a file of silence.
    EXPECT_GT(result.sound.peakAmplitude(), 8000);
}

INSTANTIATE_TEST_SUITE_P(Resources, ShippedSoundTest, ::testing::ValuesIn(kShipped),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ShippedSounds, everyResourceIsListedAndNothingElseIsShipped)
{
    resource(QStringLiteral("TICK"));  // registers the resources
    QSet<QString> listed;
    for (const ShippedSound &sound : kShipped)
        listed.insert(QString::fromLatin1(sound.name) + QStringLiteral(".wav"));
    const QStringList files = QDir(QStringLiteral(":/sounds")).entryList(QDir::Files);
    EXPECT_EQ(QSet<QString>(files.begin(), files.end()), listed);
}

TEST(ShippedSounds, mpegSoundsDecodeToTheLengthTheirFactChunkGives)
{
    // The decoded stream carries the encoder's delay and the last frame's padding on top
    // of the source length, but never less than the source and never much more.
    for (const char *name : {"WAVE6", "WAVE15", "WAVE16", "WAVE17", "WAVE20"}) {
        const WaveDecodeResult result = WaveDecoder::decode(resource(QString::fromLatin1(name)));
        ASSERT_TRUE(result.ok()) << name;
        ASSERT_GT(result.format.factSampleLength, 0) << name;
        EXPECT_GE(result.sound.frameCount(), result.format.factSampleLength) << name;
        EXPECT_LE(result.sound.frameCount(), result.format.factSampleLength + 3 * 1152) << name;
    }
}

TEST(ShippedSounds, allTogetherStaySmall)
{
    qint64 total = 0;
    for (const ShippedSound &sound : kShipped)
        total += resource(QString::fromLatin1(sound.name)).size();
    EXPECT_LT(total, 700 * 1024);
}

// ---- layouts the format allows ----

struct Layout {
    const char *label;
    QByteArray data;
    int formatTag;
    int channels;
    int sampleRate;
    std::vector<int> samples;  // every decoded sample, channels interleaved
};

void PrintTo(const Layout &layout, std::ostream *os)
{
    *os << layout.label;
}

std::vector<Layout> layouts()
{
    using B = SoundWaveBuilder;
    QByteArray unpadded = B::riff(B::chunk("fmt ", B::fmtBody(1, 1, 8000, 8)) + B::chunk("data", "abc"));
    unpadded.chop(1);  // drop the pad byte and fix the RIFF size to match
    qToLittleEndian(quint32(unpadded.size() - 8), unpadded.data() + 4);
    QByteArray extensible = B::fmtBody(0xFFFE, 1, 22050, 16) + B::le16(22) + B::le16(16) + B::le32(4);
    extensible += B::le16(1) + QByteArray("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);

    return {
        // 8-bit samples are unsigned around the middle.
        {"EightBit", B::pcmWave(1, 8000, 8, QByteArray("\x00\x80\xff\x40", 4)), 1, 1, 8000, {-32768, 0, 32512, -16384}},
        {"SixteenBitStereo",
         B::pcmWave(2, 44100, 16, B::le16(1000) + B::le16(quint16(-1000)) + B::le16(0x7fff) + B::le16(0x8000)),
         1,
         2,
         44100,
         {1000, -1000, 32767, -32768}},
        {"ChunksInAnyOrderWithUnknownOddSizedChunksBetween",
         B::riff(B::chunk("LIST", QByteArray("odd", 3)) + B::chunk("data", QByteArray("\x10\x20\x30", 3))
                 + B::chunk("junk", QByteArray(5, 'x')) + B::chunk("fmt ", B::fmtBody(1, 1, 11025, 8))),
         1,
         1,
         11025,
         {-28672, -24576, -20480}},
        {"LastOddChunkWithoutItsPadByte", unpadded, 1, 1, 8000, {-7936, -7680, -7424}},
        {"ExtensibleWrapperAroundPcm",
         B::riff(B::chunk("fmt ", extensible) + B::chunk("data", B::le16(1234))),
         0xFFFE,
         1,
         22050,
         {1234}},
        {"TrailingPartialFrameDropped", B::pcmWave(2, 8000, 16, QByteArray(6, '\x01')), 1, 2, 8000, {257, 257}},
        {"BytesAfterTheRiffFormIgnored", B::pcmWave(1, 8000, 8, "ab") + "trailing garbage", 1, 1, 8000, {-7936, -7680}},
    };
}

class WaveLayoutTest : public ::testing::TestWithParam<Layout> { };

TEST_P(WaveLayoutTest, decodesEverySampleOfTheData)
{
    const Layout &layout = GetParam();
    const WaveDecodeResult result = WaveDecoder::decode(layout.data);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.format.formatTag, layout.formatTag);
    EXPECT_EQ(result.sound.channels, layout.channels);
    EXPECT_EQ(result.sound.sampleRate, layout.sampleRate);
    ASSERT_EQ(result.sound.pcm.size(), qsizetype(layout.samples.size() * 2));
    EXPECT_EQ(result.sound.frameCount(), qint64(layout.samples.size()) / layout.channels);
    for (std::size_t i = 0; i < layout.samples.size(); ++i)
        EXPECT_EQ(result.sound.sampleAt(qint64(i)), layout.samples[i]) << "sample " << i;
}

INSTANTIATE_TEST_SUITE_P(Files, WaveLayoutTest, ::testing::ValuesIn(layouts()),
                         [](const auto &info) { return std::string(info.param.label); });

// ---- malformed data ----

struct Malformed {
    const char *label;
    QByteArray data;
};

void PrintTo(const Malformed &m, std::ostream *os)
{
    *os << m.label;
}

QByteArray withDataSize(quint32 size)
{
    using B = SoundWaveBuilder;
    return B::riff(B::chunk("fmt ", B::fmtBody(1, 1, 8000, 8)) + B::chunkWithSize("data", "abcd", size));
}

QByteArray mpegWave(const QByteArray &stream)
{
    using B = SoundWaveBuilder;
    QByteArray fmt = B::fmtBody(0x55, 1, 22050, 0) + B::le16(12);
    fmt += B::le16(1) + B::le32(0) + B::le16(104) + B::le16(1) + B::le16(1105);
    return B::riff(B::chunk("fmt ", fmt) + B::chunk("fact", B::le32(22050)) + B::chunk("data", stream));
}

std::vector<Malformed> malformedFiles()
{
    using B = SoundWaveBuilder;
    const QByteArray good = B::pcmWave(1, 8000, 8, "abcd");
    QByteArray riffTooLong = good;
    qToLittleEndian(quint32(good.size() + 100), riffTooLong.data() + 4);
    QByteArray notWave = good;
    notWave.replace(8, 4, "AVI ");
    QByteArray garbage;
    for (int i = 0; i < 400; ++i)
        garbage += "this is not an mpeg stream ";

    return {
        {"Empty", {}},
        {"HeaderCutShort", good.left(10)},
        {"NotRiff", QByteArray("RIFX") + good.mid(4)},
        {"NotWave", notWave},
        {"RiffSizeBeyondEnd", riffTooLong},
        {"TruncatedInData", good.left(good.size() - 2)},
        {"DataSizeBeyondEnd", withDataSize(1000)},
        {"DataSizeHuge", withDataSize(0xFFFFFFF0u)},
        {"ZeroChannels", B::pcmWave(0, 8000, 8, "abcd")},
        {"ThreeChannels", B::pcmWave(3, 8000, 8, "abcdef")},
        {"ZeroRate", B::pcmWave(1, 0, 8, "abcd")},
        {"AbsurdRate", B::pcmWave(1, 0xFFFFFFFFu, 8, "abcd")},
        {"TwentyFourBit", B::pcmWave(1, 8000, 24, "abcdef")},
        {"UnknownFormatTag", B::riff(B::chunk("fmt ", B::fmtBody(2, 1, 8000, 4)) + B::chunk("data", "abcd"))},
        {"FmtTooShort", B::riff(B::chunk("fmt ", B::le16(1)) + B::chunk("data", "abcd"))},
        {"NoFmt", B::riff(B::chunk("data", "abcd"))},
        {"NoData", B::riff(B::chunk("fmt ", B::fmtBody(1, 1, 8000, 8)))},
        {"ExtensibleTooShort", B::riff(B::chunk("fmt ", B::fmtBody(0xFFFE, 1, 8000, 16)) + B::chunk("data", "ab"))},
        {"GarbageMpeg", mpegWave(garbage)},
        {"EmptyMpeg", mpegWave({})},
        {"ZeroesAsMpeg", mpegWave(QByteArray(5000, '\0'))},
        {"TooLarge", QByteArray(WaveDecoder::kMaxInputBytes + 1, 'R')},
    };
}

class MalformedWaveTest : public ::testing::TestWithParam<Malformed> { };

TEST_P(MalformedWaveTest, failsWithAnErrorAndNoSamples)
{
    const WaveDecodeResult result = WaveDecoder::decode(GetParam().data);
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(result.sound.pcm.isEmpty());
    EXPECT_EQ(result.sound.frameCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Files, MalformedWaveTest, ::testing::ValuesIn(malformedFiles()),
                         [](const auto &info) { return std::string(info.param.label); });

class TruncatedShippedSoundTest : public ::testing::TestWithParam<std::tuple<const char *, int>> { };

TEST_P(TruncatedShippedSoundTest, failsCleanlyAtAnyCut)
{
    const auto [name, percent] = GetParam();
    const QByteArray whole = resource(QString::fromLatin1(name));
    ASSERT_FALSE(whole.isEmpty());
    const WaveDecodeResult result = WaveDecoder::decode(whole.left(whole.size() * percent / 100));
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.sound.pcm.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cuts, TruncatedShippedSoundTest,
                         ::testing::Combine(::testing::Values("TICK", "ENTERED", "WAVE6", "WAVE16"),
                                            ::testing::Values(1, 10, 50, 99)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param)) + "_" + std::to_string(std::get<1>(info.param))
                                 + "percent";
                         });

TEST(MpegData, aStreamCutShortInsideItsChunkDecodesWhatIsThere)
{
    // A chunk that is honest about a shortened stream is not an error: the frames present
    // decode, and the sound is correspondingly shorter.
    const WaveDecodeResult whole = WaveDecoder::decode(resource(QStringLiteral("WAVE16")));
    ASSERT_TRUE(whole.ok());
    const QByteArray file = resource(QStringLiteral("WAVE16"));
    const qsizetype dataAt = file.indexOf("data") + 8;
    const QByteArray stream = file.mid(dataAt);
    const WaveDecodeResult half = WaveDecoder::decode(mpegWave(stream.left(stream.size() / 2)));
    ASSERT_TRUE(half.ok()) << half.error.toStdString();
    EXPECT_GT(half.sound.frameCount(), whole.sound.frameCount() / 4);
    EXPECT_LT(half.sound.frameCount(), whole.sound.frameCount() * 3 / 4);
}

TEST(MpegData, corruptedShippedFilesNeverCrashTheDecoder)
{
    // Flipped bytes anywhere in real files: the decoder may succeed or fail, but must
    // stay within the data (the sanitizer build checks that) and within its output cap.
    QRandomGenerator random(20261207);
    for (const char *name : {"WAVE6", "WAVE17", "GOODWORD", "ROUNDOVER"}) {
        const QByteArray original = resource(QString::fromLatin1(name));
        ASSERT_FALSE(original.isEmpty());
        for (int round = 0; round < 60; ++round) {
            QByteArray damaged = original;
            for (int flips = 0; flips < 8; ++flips)
                damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
            const WaveDecodeResult result = WaveDecoder::decode(damaged);
            if (result.ok()) {
                EXPECT_LE(result.sound.pcm.size() / 2, WaveDecoder::kMaxOutputSamples);
            } else {
                EXPECT_TRUE(result.sound.pcm.isEmpty());
            }
        }
    }
}

}  // namespace
