// The program `quarn`: one executable for every role (solo game, hosting, joining).
// The single-instance guard runs first; then the windows are created in their fixed
// order, all hidden but the main window, which chooses its mode when it is first shown.
#include "client/ConnectionHalf.h"
#include "client/SettingsHalf.h"
#include "dictionary/TDictn.h"
#include "host/HostEngine.h"
#include "tally/Ttallylist.h"
#include "windows/ProgramIdentity.h"
#include "windows/SingleInstanceGuard.h"
#include "windows/Tchat.h"
#include "windows/TerminationWatcher.h"
#include "windows/Tgamestart.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    // 1. A second copy hands the focus to the first and ends without a window.
    SingleInstanceGuard guard(SingleInstanceGuard::nameFromEnvironment());
    if (!guard.claim())
        return 0;

    // 2. The program's name.
    setProgramIdentity();

    // 3. The windows, in order: main window, about, game start dialog, help, phrase
    //    editor, host form, spectator list, tally, lobby download.
    Tchat chat;
    chat.setArguments(QApplication::arguments().mid(1));
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &chat, &Tchat::comeForward);
    QObject::connect(&chat, &Tchat::closing, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    // Tabout: comes with the help windows.
    auto *gamestart = new Tgamestart(chat.context(), chat.connection(), &chat);  // owned by the main window
    chat.setGameStart(gamestart);
    // Thelp, Tphrases: come with the help windows and the phrase editor.

    // The host form: every copy has one; only a hosting copy makes it listen. Its
    // dictionary writes the word list into the working folder now.
    HostEngine host;
    chat.setHostEngine(&host);
    if (!host.dictionary().isOpen())
        QMessageBox::information(nullptr, QStringLiteral("Quarn"), QStringLiteral("English.dic dictionary not found!"));

    // Tspylist: comes with the spectator list.

    // The tally restores its file beside the settings file now, and saves it when the
    // main window takes it down at exit.
    auto *tally = new Ttallylist(QFileInfo(chat.settings().filePath()).absolutePath(), {}, &chat);
    chat.setTally(tally);

    // Tdownload: comes with the lobby download.

    // A termination signal closes the main window like "Exit" does.
    TerminationWatcher termination;
    QObject::connect(&termination, &TerminationWatcher::terminationRequested, &chat, &QWidget::close);

    // 4. The main window shows and, on showing, starts the solo game or the connection.
    chat.show();
    const int result = app.exec();

    // 5. The host closes every connection before the windows go.
    host.closeAll();
    return result;
}
