// What the command line of `quarn` asks for: print the help or the version and stop, or run
// the game with the positional arguments name, address and mode.
#pragma once

#include <QString>
#include <QStringList>

// The program reads this before anything else, before QApplication exists, so that
// `quarn --help` works without a display and never meets the single-instance guard.
// Only the exact words "--help" and "--version" are options; every other argument keeps
// its place as name, address or mode, so a player name that merely begins with "-" still
// works. When both options are given, the first one counts.
class CommandLine {
public:
    enum class Action { Run, PrintHelp, PrintVersion };

    // `arguments` without the program's own name (argv[0]).
    static CommandLine read(const QStringList &arguments);
    // The same for main()'s argc and argv (argv[0] skipped), decoded as the system's
    // locale decodes file names.
    static CommandLine read(int argc, const char *const *argv);

    Action action() const { return m_action; }
    // True for PrintHelp and PrintVersion: print text() on standard output and exit with 0.
    bool printsAndExits() const { return m_action != Action::Run; }
    // The text to print, ending with a line break; empty for Run.
    QString text() const;
    // For Run: the arguments as given (name, address, mode; the rest is ignored by the game).
    const QStringList &positional() const { return m_positional; }

    static QString helpText();
    // "quarn 1.0.6" and a line break.
    static QString versionText();

private:
    Action m_action = Action::Run;
    QStringList m_positional;
};
