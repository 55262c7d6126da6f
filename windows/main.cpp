// The program `quarn`: one executable for every role (solo game, hosting, joining).
// The single-instance guard runs first; then the windows are created in their fixed
// order, all hidden but the main window, which chooses its mode when it is first shown.
#include "client/ChatHalf.h"
#include "client/ConnectionHalf.h"
#include "client/Contrast.h"
#include "client/SettingsHalf.h"
#include "client/StartMode.h"
#include "client/model/ClientGame.h"
#include "client/model/GameRecorder.h"
#include "client/model/Roster.h"
#include "dictionary/PrivateFolder.h"
#include "dictionary/TDictn.h"
#include "host/HostEngine.h"
#include "tally/TallyFile.h"
#include "tally/TallyTable.h"
#include "tally/window/Ttallylist.h"
#include "windows/CommandLine.h"
#include "windows/GameRecordList.h"
#include "windows/HostingAddresses.h"
#include "windows/HostingPortMap.h"
#include "windows/InviteStart.h"
#include "windows/LobbyPlaces.h"
#include "windows/ProgramIdentity.h"
#include "windows/ProgramRestart.h"
#include "windows/ProgramStarter.h"
#include "windows/SingleInstanceGuard.h"
#include "windows/Tabout.h"
#include "windows/Tchat.h"
#include "windows/Tdownload.h"
#include "windows/TerminationWatcher.h"
#include "windows/Tgamestart.h"
#include "windows/Thelp.h"
#include "windows/Tphrases.h"
#include "windows/Tplaywithothers.h"
#include "windows/Tspylist.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <chrono>
#include <cstdio>
#include <optional>

namespace {
// Where the host's dictionary writes its word-list file while the program runs: the
// working folder, as the lobby program starts us in our own folder. An installed copy
// (its folder read-only, started from the menu in the home folder) uses this user's
// private runtime folder instead, so nothing ever lands in, or is left behind in, the
// home folder. (The dictionary itself passes over a folder that others can write.)
QString wordListFolder()
{
    if (QFileInfo(QCoreApplication::applicationDirPath()).isWritable())
        return {};
    return PrivateFolder::runtimeFolder();
}

// Hosting and joining from the "Play with Others" window, or an invite link followed from
// the chat: the program starts again with these arguments and port (ProgramRestart).
struct Restart {
    QStringList arguments;
    quint16 port = 0;
};

// A joining program keeps the game in the recent games, with the hosting player's name
// once the host has announced it.
void rememberJoinedGame(Tchat &chat, Tplaywithothers &others, const StartMode &mode)
{
    if (mode.kind != StartMode::Kind::Join)
        return;
    const QString address = RecentGames::canonical(mode.hostAddress, chat.connection().port());
    if (address.isEmpty())
        return;
    auto seen = std::make_shared<bool>(false);
    QObject::connect(&chat.roster(), &Roster::changed, &others, [&chat, &others, address, seen] {
        if (*seen)
            return;
        for (const Roster::Participant &each : chat.roster().present()) {
            if (each.slot == 1) {
                *seen = true;
                others.model().hostSeen(address, each.name);
            }
        }
    });
}

}  // namespace

int main(int argc, char *argv[])
{
    // --help and --version print before anything else exists: no display, no guard, no window.
    const CommandLine command = CommandLine::read(argc, argv);
    if (command.printsAndExits()) {
        std::fputs(command.text().toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    // Greyed texts (a disabled panel such as the tally's opponent block) read at AA.
    QApplication::setPalette(contrast::withReadableGreyedText(QApplication::palette()));
    // A termination signal from here on closes any open box and then the main window like
    // "Exit" does. One that comes while a start-up box is open ends the start-up there:
    // the main window is closed without being shown, and the program ends as it does
    // after "Exit", cleaning up the guard's files and the word list.
    TerminationWatcher termination;

    // 1. A second copy hands the focus to the first and ends without a window. A guard
    //    that cannot be taken is said, not taken for a second copy.
    SingleInstanceGuard guard(SingleInstanceGuard::nameFromEnvironment());
    if (!guard.claim()) {
        if (guard.failure().isEmpty())
            return 0;
        std::fprintf(stderr, "quarn: cannot start: %s\n", guard.failure().toLocal8Bit().constData());
        return 1;
    }

    // 2. The program's name.
    setProgramIdentity();

    // An invite link as the only argument joins its game under the saved name (asked for
    // when none is saved); a link refused, or no name given, ends the program here.
    QStringList arguments = QApplication::arguments().mid(1);
    const InviteStart::Result invite =
        InviteStart(SettingsHalf::defaultFilePath(), InviteStart::dialogs(nullptr)).fromCommandLine(arguments);
    if (invite.outcome == InviteStart::Outcome::End)
        return 0;
    if (invite.outcome == InviteStart::Outcome::Join)
        arguments = invite.arguments;
    // The mode these arguments start in, an invite link's included.
    const StartMode startMode = startModeFrom(arguments, ConnectionHalf::portFromEnvironment());

    // 3. The windows, in order: main window, about, game start dialog, help, phrase
    //    editor, host form, spectator list, tally, lobby download.
    Tchat chat;
    chat.setArguments(arguments);
    // The name of a game hosted or joined is the one the next invite link joins under.
    const InviteStart invites(chat.settings().filePath(), InviteStart::dialogs(&chat));
    invites.rememberName(arguments);
    // An invite link clicked in the chat leaves this game (once confirmed) for the link's:
    // the program ends and starts again with the joining command line.
    std::optional<Restart> restart;
    chat.chat().setInviteOpener([&chat, &invites, &restart](const QString &link) {
        const InviteStart::Result result = invites.fromChat(link);
        if (result.outcome != InviteStart::Outcome::Join)
            return;
        // The link's address carries its port; QUARN_PORT stays what it was.
        restart = Restart{result.arguments, ConnectionHalf::portFromEnvironment()};
        chat.close();
    });
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &chat, &Tchat::comeForward);
    QObject::connect(&chat, &Tchat::closing, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &chat, &QWidget::close);

    // The lobby's places (download, web page, program) from the settings file's section.
    const LobbyPlaces places = LobbyPlaces::fromSettingsFile(chat.settings().filePath());
    // Every window below is owned by the main window and goes with it.
    auto *about = new Tabout(&chat, places.webAddress());
    auto *gamestart = new Tgamestart(chat.context(), chat.connection(), &chat);
    chat.setGameStart(gamestart);
    auto *help = new Thelp(&chat);
    chat.setHelpWindows(help, about);
    chat.setPhraseEditor(new Tphrases(chat.chat(), chat.settings(), &chat));

    // The host form: every copy has one; only a hosting copy makes it listen. Its
    // dictionary writes the word list now.
    HostEngine host(wordListFolder());
    chat.setHostEngine(&host);
    // The hosting player's choice of computer takes effect at every Start Game.
    QObject::connect(gamestart, &Tgamestart::computerLevelChosen, &host, [&host](const QString &level) {
        host.setComputerLevel(computerLevelFromName(level).value_or(ComputerLevel::Classic));
    });
    if (!host.dictionary().isOpen())
        QMessageBox::information(nullptr, QStringLiteral("Quarn"), QStringLiteral("English.dic dictionary not found!"));

    chat.setSpyList(new Tspylist(chat.roster(), chat.game(), chat.connection(), &chat));

    // The tally: its table, owned with the windows, restored now from its file beside the
    // settings file and saved at exit; its window shows it.
    auto *tallyTable = new TallyTable(&chat);
    TallyFile tallyFile(QFileInfo(chat.settings().filePath()).absolutePath());
    const bool tallyRestored = tallyFile.restore(*tallyTable);
    auto *tally = new Ttallylist(*tallyTable, {}, &chat);
    if (!tallyRestored)
        tally->tell(tallyFile.errorString());
    chat.setTally(tally);
    // The tally is saved at the end of every game too, so a folder that refuses it is told
    // in the chat while the player can still act, and a crash loses one game at most.
    const auto saveTally = [&tallyFile, tallyTable] { return tallyFile.save(*tallyTable); };
    QObject::connect(&chat.game(), &ClientGame::winnerChanged, &chat, [&chat, &tallyFile, saveTally] {
        if (chat.game().winner() != 0 && !saveTally())
            chat.settings().saveFailures().saveFailed(tallyFile.filePath());
    });

    chat.setLobbyWindow(new Tdownload(places, {}, ProgramStarter::system(), &chat));

    // "Play with Others": hosting and joining end this program and start it again.
    auto *others = new Tplaywithothers(chat.settings().filePath(), &chat);
    chat.setPlayWithOthers(others);
    QObject::connect(others, &Tplaywithothers::restartRequested, &chat,
                     [&chat, &restart](const QStringList &arguments, quint16 port) {
                         restart = Restart{arguments, port};
                         chat.close();
                     });
    // While hosting (not in a solo game, which hosts for itself alone), the hosting player
    // is told where others can join.
    const bool hosting = startMode.kind == StartMode::Kind::Host;
    // With "MapPort" on, the router is asked to forward the port, and says so in both places.
    HostingPortMap portMap(hosting, chat.settings().mapPort(),
                           [&chat, others](const QString &text, const QString &link) {
                               chat.chat().addnotice(text);
                               others->model().routerAnswered(text, link);
                           });
    QObject::connect(
        &chat.connection(), &ConnectionHalf::hostingStarted, others, [&chat, &host, &portMap, others, hosting] {
            if (!hosting)
                return;
            const quint16 port = host.serverPort() != 0 ? host.serverPort() : chat.connection().port();
            others->showHosting(HostingAddresses::system(), port);
            const QStringList &links = others->model().inviteLinks();
            if (links.isEmpty())
                chat.chat().addnotice(QStringLiteral("This computer has no network address others can reach."));
            for (const QString &link : links)
                chat.chat().addnotice(QStringLiteral("Others can join your game with %1").arg(link));
            portMap.start(port);
        });
    rememberJoinedGame(chat, *others, startMode);
    // The records of the games this copy sees, in the user's data folder. Only the hosting
    // copy knows the computer's level: the game start dialog's choice.
    chat.setGameRecords(new GameRecordList(GameRecordStore(), &chat));
    chat.recorder().setComputerLevel(
        [&chat, gamestart] { return chat.game().hostFlag() ? gamestart->computerLevelText() : QString(); });

    // A measuring aid for the start-up benchmark (bench/startup): with QUARN_EXIT_WHEN_SHOWN=1
    // the program prints "shown <steady clock in ns>" and ends as soon as the main window's
    // first paint has reached the screen.
    if (qEnvironmentVariableIntValue("QUARN_EXIT_WHEN_SHOWN") == 1) {
        QObject::connect(&chat, &Tchat::firstPainted, &app, [&chat] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
            std::fflush(stdout);
            chat.close();
        });
    }

    // 4. The main window shows and, once it is on the screen, starts the solo game or the
    //    connection; unless a termination signal came while a start-up box was open (the
    //    main window has been closed then).
    int result = 0;
    if (termination.requested()) {
        chat.close();
    } else {
        chat.show();
        result = app.exec();
    }
    if (!saveTally())
        qWarning("the tally was not saved: %s", qUtf8Printable(tallyFile.errorString()));

    // 5. Hosting ends: the router's mapping is deleted (a bounded wait for the router), and
    //    the host closes every connection before the windows go.
    portMap.stopAndWait();
    host.closeAll();

    // 6. A restart asked for by "Play with Others" or an invite link comes last, once everything is saved
    //    and closed and the guard is free for the next copy.
    if (restart) {
        guard.release();
        if (!ProgramRestart::start(restart->arguments, restart->port)) {
            std::fprintf(stderr, "quarn: could not start again\n");
            return 1;
        }
    }
    return result;
}
