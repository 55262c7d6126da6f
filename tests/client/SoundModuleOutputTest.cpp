// Loading the audio module on the first sound: where no module loads, sounds stay silent
// after a single try and a single log line; the module found plays without waiting for
// the sound; cutting off before any sound loads nothing.
#include "client/SoundModuleOutput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Collects the sound category's info lines, switched on while it lives.
class SoundInfoLines {
public:
    SoundInfoLines()
    {
        s_lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("quarn.sound.info=true"));
        s_previous = qInstallMessageHandler(&handle);
    }
    ~SoundInfoLines()
    {
        qInstallMessageHandler(s_previous);
        QLoggingCategory::setFilterRules({});
    }
    const QStringList &lines() const { return s_lines; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtInfoMsg && qstrcmp(context.category, "quarn.sound") == 0)
            s_lines << message;
        else
            s_previous(type, context, message);
    }
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};

DecodedSound tone(double seconds)
{
    DecodedSound sound;
    sound.sampleRate = 22050;
    sound.channels = 1;
    sound.pcm = QByteArray(qsizetype(22050 * seconds) * 2, '\x20');
    return sound;
}

const QString kBuiltModule = QStringLiteral(QUARN_AUDIO_MODULE);

TEST(SoundModuleOutput, withoutAModuleThatLoadsEverySoundIsSilentAfterOneTry)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString broken = folder.filePath(QStringLiteral("broken.so"));
    const QString missing = folder.filePath(QStringLiteral("missing.so"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a shared object");
    file.close();

    SoundInfoLines log;
    SoundModuleOutput output({broken, missing});
    output.start(QStringLiteral("SHORT"), tone(0.1));
    EXPECT_EQ(output.state(), SoundModuleOutput::State::Missing);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines().front().contains(broken)) << log.lines().front().toStdString();
    EXPECT_TRUE(log.lines().front().contains(missing)) << log.lines().front().toStdString();

    // A module that turns up later is not looked for again.
    ASSERT_TRUE(QFile::copy(kBuiltModule, missing));
    output.start(QStringLiteral("SHORT"), tone(0.1));
    output.alert();
    output.stop();
    EXPECT_EQ(output.state(), SoundModuleOutput::State::Missing);
    EXPECT_EQ(log.lines().size(), 1);
}

TEST(SoundModuleOutput, theModuleFoundPlaysWithoutWaitingForTheSound)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SoundInfoLines log;
    SoundModuleOutput output({folder.filePath(QStringLiteral("absent.so")), kBuiltModule});
    QElapsedTimer timer;
    timer.start();
    output.start(QStringLiteral("LONG"), tone(30.0));
    EXPECT_EQ(output.state(), SoundModuleOutput::State::Loaded);
    output.alert();
    output.start(QStringLiteral("LONG"), tone(30.0));  // cuts off the first
    QCoreApplication::processEvents();
    output.stop();
    // Far below the sounds' length, with room for loading the module on a busy machine.
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(log.lines().isEmpty()) << log.lines().join(u'\n').toStdString();
}

TEST(SoundModuleOutput, cuttingOffBeforeAnySoundLoadsNothingAndAnAlertLoads)
{
    SoundModuleOutput output({kBuiltModule});
    output.stop();
    output.stop();
    EXPECT_EQ(output.state(), SoundModuleOutput::State::NotTried);
    output.alert();
    EXPECT_EQ(output.state(), SoundModuleOutput::State::Loaded);
}

}  // namespace
