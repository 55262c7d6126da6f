// The command line of quarn; see CommandLine.h.
#include "windows/CommandLine.h"

#include "net/Catalogue.h"

namespace {

const QString kHelpOption = QStringLiteral("--help");
const QString kVersionOption = QStringLiteral("--version");

}  // namespace

CommandLine CommandLine::read(const QStringList &arguments)
{
    CommandLine line;
    for (const QString &argument : arguments) {
        if (argument == kHelpOption) {
            line.m_action = Action::PrintHelp;
            return line;
        }
        if (argument == kVersionOption) {
            line.m_action = Action::PrintVersion;
            return line;
        }
    }
    line.m_positional = arguments;
    return line;
}

CommandLine CommandLine::read(int argc, const char *const *argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return read(arguments);
}

QString CommandLine::text() const
{
    switch (m_action) {
    case Action::PrintHelp: return helpText();
    case Action::PrintVersion: return versionText();
    case Action::Run: break;
    }
    return {};
}

QString CommandLine::helpText()
{
    // Laid out like quarn-host's help (Qt's command-line parser), so the two read alike.
    return QStringLiteral("Usage: quarn [options] [name [address [mode]]]\n"
                          "       quarn quarn://address[:port]\n"
                          "Quarn, a two-player word game with spectators, a chat room and a computer opponent.\n"
                          "Without arguments it starts a solo game against the computer, which only this\n"
                          "computer can reach. An invite link joins its game under the name last used.\n"
                          "\n"
                          "Options:\n"
                          "  --help     Displays help on commandline options.\n"
                          "  --version  Displays version information.\n"
                          "\n"
                          "Arguments:\n"
                          "  name       Your name in the game.\n"
                          "  address    The address of the host to join, with an optional port:\n"
                          "             192.0.2.10:7800, [2001:db8::1]:7800 (not used when hosting).\n"
                          "  mode       true to host a game on this computer (TCP port 7772, or\n"
                          "             QUARN_PORT); anything else joins the host at address.\n"
                          "             With only one or two arguments no game starts.\n");
}

QString CommandLine::versionText()
{
    return QStringLiteral("quarn %1\n").arg(QString::fromLatin1(net::kVersion));
}
