// The program `quarn`: one executable for every role (solo game, hosting, joining).
// The single-instance guard runs first; then the windows are created in their fixed
// order, all hidden but the main window, which chooses its mode when it is first shown.
#include "client/ConnectionHalf.h"
#include "client/SettingsHalf.h"
#include "client/model/ClientGame.h"
#include "client/model/GameRecorder.h"
#include "dictionary/PrivateFolder.h"
#include "dictionary/TDictn.h"
#include "host/HostEngine.h"
#include "tally/TallyFile.h"
#include "tally/TallyTable.h"
#include "tally/window/Ttallylist.h"
#include "windows/CommandLine.h"
#include "windows/GameRecordList.h"
#include "windows/LobbyPlaces.h"
#include "windows/ProgramIdentity.h"
#include "windows/ProgramStarter.h"
#include "windows/SingleInstanceGuard.h"
#include "windows/Tabout.h"
#include "windows/Tchat.h"
#include "windows/Tdownload.h"
#include "windows/TerminationWatcher.h"
#include "windows/Tgamestart.h"
#include "windows/Thelp.h"
#include "windows/Tphrases.h"
#include "windows/Tspylist.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <chrono>
#include <cstdio>

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

    // 3. The windows, in order: main window, about, game start dialog, help, phrase
    //    editor, host form, spectator list, tally, lobby download.
    Tchat chat;
    chat.setArguments(QApplication::arguments().mid(1));
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

    // 5. The host closes every connection before the windows go.
    host.closeAll();
    return result;
}
