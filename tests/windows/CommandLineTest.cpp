// quarn's command line: which arguments print and stop, which start the game, and the
// built program printing its help or version without opening a display.
#include "windows/CommandLine.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

using Action = CommandLine::Action;

struct ReadRow {
    const char *name;
    std::vector<const char *> arguments;
    Action action;
};

void PrintTo(const ReadRow &row, std::ostream *os)
{
    *os << row.name;
}

QStringList listOf(const std::vector<const char *> &arguments)
{
    QStringList list;
    for (const char *argument : arguments)
        list.append(QString::fromUtf8(argument));
    return list;
}

class CommandLineReadTest : public ::testing::TestWithParam<ReadRow> { };

TEST_P(CommandLineReadTest, OnlyTheExactOptionWordsStopTheProgramAndEveryOtherArgumentReachesTheGame)
{
    const ReadRow &row = GetParam();
    const CommandLine line = CommandLine::read(listOf(row.arguments));

    EXPECT_EQ(line.action(), row.action);
    EXPECT_EQ(line.printsAndExits(), row.action != Action::Run);
    if (row.action == Action::Run) {
        EXPECT_EQ(line.positional(), listOf(row.arguments));
        EXPECT_TRUE(line.text().isEmpty());
    } else {
        EXPECT_TRUE(line.positional().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLineReadTest,
    ::testing::Values(ReadRow{"solo", {}, Action::Run}, ReadRow{"join", {"Bob", "192.0.2.10", "false"}, Action::Run},
                      ReadRow{"hostWithExtraArgument", {"Ann", "0.0.0.0", "true", "more"}, Action::Run},
                      ReadRow{"nameOnly", {"Ann"}, Action::Run}, ReadRow{"help", {"--help"}, Action::PrintHelp},
                      ReadRow{"version", {"--version"}, Action::PrintVersion},
                      ReadRow{"optionAfterAName", {"Ann", "--version"}, Action::PrintVersion},
                      ReadRow{"firstOptionCounts", {"--version", "--help"}, Action::PrintVersion},
                      ReadRow{"dashedNameStaysAName", {"-h", "192.0.2.10", "false"}, Action::Run},
                      ReadRow{"otherCaseIsNoOption", {"--Help"}, Action::Run},
                      ReadRow{"unknownOptionIsAName", {"--port", "7800"}, Action::Run}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CommandLineTest, MainsArgumentsAreReadWithoutTheProgramsOwnName)
{
    const char *argv[] = {"/usr/games/quarn", "Zo\xc3\xab", "192.0.2.10", "false"};
    const CommandLine line = CommandLine::read(4, argv);

    ASSERT_EQ(line.action(), Action::Run);
    EXPECT_EQ(line.positional(),
              (QStringList{QStringLiteral("Zo\u00eb"), QStringLiteral("192.0.2.10"), QStringLiteral("false")}));
}

TEST(CommandLineTest, VersionIsTheProgramNameAndTheGameVersion)
{
    EXPECT_EQ(CommandLine::read(QStringList{QStringLiteral("--version")}).text(), QStringLiteral("quarn 1.0.6\n"));
}

TEST(CommandLineTest, HelpNamesTheThreePositionalArgumentsAndBothOptions)
{
    const QString help = CommandLine::read(QStringList{QStringLiteral("--help")}).text();

    EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: quarn [options] [name [address [mode]]]\n")));
    for (const char *word : {"  --help ", "  --version ", "  name ", "  address ", "  mode "})
        EXPECT_TRUE(help.contains(QLatin1String(word))) << word;
    EXPECT_TRUE(help.endsWith(QLatin1Char('\n')));
}

#ifdef QUARN_BINARY

struct PrintRow {
    const char *option;
    QString expected;
};

void PrintTo(const PrintRow &row, std::ostream *os)
{
    *os << row.option;
}

class PrintingProgramTest : public ::testing::TestWithParam<PrintRow> { };

// A platform that does not exist makes any QApplication abort, so output and a clean exit
// show that the program printed before creating one; the working folder staying empty
// shows that no host form wrote its word list there.
TEST_P(PrintingProgramTest, TheProgramPrintsAndExitsBeforeAnyWindowOrGuardExists)
{
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(work.path());
    QSignalSpy finished(&program, &QProcess::finished);

    program.start(QStringLiteral(QUARN_BINARY), {QString::fromLatin1(GetParam().option)});

    ASSERT_TRUE(finished.wait(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput().toStdString(), GetParam().expected.toStdString());
    EXPECT_EQ(program.readAllStandardError().toStdString(), "");
    EXPECT_TRUE(QDir(work.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Options, PrintingProgramTest,
                         ::testing::Values(PrintRow{"--help", CommandLine::helpText()},
                                           PrintRow{"--version", QStringLiteral("quarn 1.0.6\n")}),
                         [](const auto &info) { return std::string(info.param.option + 2); });

#endif

}  // namespace
