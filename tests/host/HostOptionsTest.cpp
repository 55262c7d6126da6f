// quarn-host's command line: the port and the computer level, and the messages for
// values it refuses.
#include "host/HostOptions.h"

#include <QCommandLineParser>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct OptionsRow {
    const char *name;
    std::vector<const char *> arguments;
    int port;  // 0 = refused
    ComputerLevel level;
    const char *error;
    bool mapPort = false;
};

void PrintTo(const OptionsRow &row, std::ostream *os)
{
    *os << row.name;
}

class HostOptionsTest : public ::testing::TestWithParam<OptionsRow> { };

TEST_P(HostOptionsTest, ValuesAreReadOrRefusedWithAClearMessage)
{
    const OptionsRow &row = GetParam();
    QStringList arguments{QStringLiteral("quarn-host")};
    for (const char *argument : row.arguments)
        arguments.append(QString::fromLatin1(argument));
    QCommandLineParser parser;
    addHostOptions(parser);
    ASSERT_TRUE(parser.parse(arguments)) << parser.errorText().toStdString();

    QString error;
    const std::optional<HostOptions> options = readHostOptions(parser, &error);
    if (row.port == 0) {
        EXPECT_FALSE(options);
        EXPECT_EQ(error, QString::fromLatin1(row.error));
        return;
    }
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->port, row.port);
    EXPECT_EQ(options->level, row.level);
    EXPECT_EQ(options->mapPort, row.mapPort);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostOptionsTest,
    ::testing::Values(
        OptionsRow{"defaults", {}, 7772, ComputerLevel::Classic, ""},
        OptionsRow{"strong", {"--computer", "strong"}, 7772, ComputerLevel::Strong, ""},
        OptionsRow{"classic", {"--computer=classic", "-p", "9000"}, 9000, ComputerLevel::Classic, ""},
        OptionsRow{"mapPort", {"--map-port"}, 7772, ComputerLevel::Classic, "", true},
        OptionsRow{"anyCase", {"--computer", "Strong"}, 7772, ComputerLevel::Strong, ""},
        OptionsRow{"unknownLevel",
                   {"--computer", "hard"},
                   0,
                   ComputerLevel::Classic,
                   "unknown computer level: hard (use classic or strong)"},
        OptionsRow{"emptyLevel",
                   {"--computer="},
                   0,
                   ComputerLevel::Classic,
                   "unknown computer level:  (use classic or strong)"},
        OptionsRow{"portOutOfRange", {"--port", "70000"}, 0, ComputerLevel::Classic, "not a port number: 70000"}),
    [](const auto &info) { return std::string(info.param.name); });

}  // namespace
