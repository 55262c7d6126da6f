// The restart after "Play with Others": the new copy gets the command line as given
// (a name with spaces stays one argument, nothing goes through a shell's parsing) and the
// game's port in QUARN_PORT.
#include "windows/ProgramRestart.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ProgramRestartTest, TheNewCopyGetsTheArgumentsAsGivenAndThePortInItsEnvironment)
{
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("seen"));
    // The stand-in program writes what it was given: $1 is the name, $2 the address.
    const QString script =
        QStringLiteral("printf '%s|%s|%s' \"$1\" \"$2\" \"$QUARN_PORT\" > \"$3.part\" && mv \"$3.part\" \"$3\"");
    ASSERT_TRUE(ProgramRestart::start({QStringLiteral("-c"), script, QStringLiteral("sh"),
                                       QStringLiteral("Ann Lee; rm x"), QStringLiteral("[::1]"), out},
                                      7801, QStringLiteral("/bin/sh")));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 5000);
    QFile seen(out);
    ASSERT_TRUE(seen.open(QIODevice::ReadOnly));
    EXPECT_EQ(seen.readAll(), QByteArray("Ann Lee; rm x|[::1]|7801"));
}

TEST(ProgramRestartTest, AProgramThatCannotStartIsSaid)
{
    EXPECT_FALSE(ProgramRestart::start({}, 7772, QStringLiteral("/nonexistent/quarn")));
}

}  // namespace
