// The main window as a whole: its panel and menu bar, a solo game through the window,
// the "Just Watch" check mark following the host, "Game is full", and the window closing
// when its connection ends.
#include "windows/Tchat.h"

#include "TdownloadFakes.h"
#include "client/BoardHalf.h"
#include "client/ChatHalf.h"
#include "client/ConnectionHalf.h"
#include "client/FullGameServer.h"  // the test helper in tests/client
#include "client/SeatMenu.h"
#include "host/GameRules.h"
#include "host/HostEngine.h"
#include "host/SeatTable.h"
#include "tally/TallyTable.h"
#include "tally/window/Ttallylist.h"
#include "windows/LobbyPlaces.h"
#include "windows/ProgramIdentity.h"
#include "windows/QuickInstructions.h"
#include "windows/Tabout.h"
#include "windows/Tdownload.h"
#include "windows/Tgamestart.h"
#include "windows/Thelp.h"
#include "windows/Tphrases.h"
#include "windows/Tplaywithothers.h"
#include "windows/Tspylist.h"

#include <QAction>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// Readable texts in failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// Processes events until `condition` holds; the chat view changes with every notice.
bool waitUntil(Tchat &window, const std::function<bool()> &condition)
{
    QSignalSpy spy(window.chat().mainchat(), &QTextEdit::textChanged);
    while (!condition()) {
        if (!spy.wait(5000))
            return condition();
    }
    return true;
}

QStringList entryNames(const QMenu *menu)
{
    QStringList names;
    for (const QAction *entry : menu->actions()) {
        if (entry->isSeparator())
            names.append(QStringLiteral("-"));
        else if (entry->menu())
            names.append(entry->menu()->objectName());
        else
            names.append(entry->objectName());
    }
    return names;
}

class TchatTest : public ::testing::Test {
protected:
    std::unique_ptr<Tchat> makeWindow(const QString &settingsName, quint16 port, HostEngine *host)
    {
        auto window = std::make_unique<Tchat>(folder.filePath(settingsName));
        window->connection().setPort(port);
        window->setHostEngine(host);
        return window;
    }

    QTemporaryDir folder;
};

TEST_F(TchatTest, windowHasItsTitleBoardPanelAndMenus)
{
    Tchat window(folder.filePath(QStringLiteral("korvexlobby.ini")));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quarn"));
    QWidget *panel = window.findChild<QWidget *>(QStringLiteral("panel_board"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel, window.boardPanel());
    EXPECT_EQ(panel->size(), QSize(724, 491));
    EXPECT_FALSE(panel->palette().brush(QPalette::Window).texture().isNull()) << "artwork background";

    const QList<QAction *> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus.at(0)->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus.at(1)->text(), QStringLiteral("&Options"));
    EXPECT_EQ(menus.at(2)->text(), QStringLiteral("&View"));
    EXPECT_EQ(menus.at(3)->text(), QStringLiteral("&Help"));

    EXPECT_EQ(entryNames(menus.at(0)->menu()), (QStringList{"StartGame1", "PlayWithOthers1", "-", "Exit1"}));
    EXPECT_EQ(entryNames(menus.at(1)->menu()),
              (QStringList{"PlaySounds1", "PlayChatterSounds1", "Notifications1", "TurnSound1", "-", "TextColor1",
                           "TextSize1", "HighContrastChat1", "-", "ScrollChatOff2", "ClearMainChat1",
                           "ResetScreenLocation1", "-", "JustWatch1"}));
    EXPECT_EQ(entryNames(menus.at(2)->menu()),
              (QStringList{"ViewTally1", "SpyList1", "PrhaseList1", "GameRecords1", "-", "QuickInstructions1"}));
    EXPECT_EQ(entryNames(menus.at(3)->menu()), (QStringList{"Content1", "QuickInstructions1", "-", "About1"}));

    EXPECT_FALSE(window.startGameAction()->isEnabled());
    EXPECT_FALSE(window.playWithOthersAction()->isEnabled());
    EXPECT_TRUE(window.justWatchAction()->isCheckable());
    EXPECT_FALSE(window.justWatchAction()->isChecked());
    EXPECT_FALSE(window.board().startButton()->isVisible());
    // An entry whose window has not been given stays disabled; the panel is the window's own.
    for (int menu : {2, 3})
        for (const QAction *entry : menus.at(menu)->menu()->actions())
            EXPECT_TRUE(entry->isSeparator() || entry->isEnabled() == (entry == window.quickInstructionsAction()))
                << entry->objectName().toStdString();

    auto shortcut = [&menus](const char *name) {
        for (const QAction *menu : menus)
            for (const QAction *entry : menu->menu()->actions())
                if (entry->objectName() == QLatin1String(name))
                    return entry->shortcut();
        return QKeySequence();
    };
    EXPECT_EQ(shortcut("ScrollChatOff2"), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(shortcut("QuickInstructions1"), QKeySequence(Qt::CTRL | Qt::Key_I));
    EXPECT_EQ(shortcut("Content1"), QKeySequence(Qt::Key_F1));
}

TEST_F(TchatTest, soloGameStartsWhenTheWindowIsShown)
{
    HostEngine host(folder.path());
    auto window = makeWindow(QStringLiteral("korvexlobby.ini"), 0, &host);
    window->show();
    ASSERT_TRUE(waitUntil(*window, [&] { return window->game().seatName(1) == QStringLiteral("You"); }));
    EXPECT_EQ(window->game().ownSlot(), 1);
    EXPECT_TRUE(window->startGameAction()->isEnabled());
    EXPECT_TRUE(window->board().startButton()->isVisible());
    EXPECT_TRUE(window->chat().mainchat()->toPlainText().contains(QStringLiteral("You are Connected.")));

    // The check mark waits for the host's answer.
    window->justWatchAction()->trigger();
    EXPECT_FALSE(window->justWatchAction()->isChecked());
    ASSERT_TRUE(waitUntil(*window, [&] { return window->justWatchAction()->isChecked(); }));
    window->justWatchAction()->trigger();
    EXPECT_TRUE(window->justWatchAction()->isChecked());
    ASSERT_TRUE(waitUntil(*window, [&] { return !window->justWatchAction()->isChecked(); }));
}

// The game starts once the window has been painted, so that the window shows first; a
// window that is never painted (another workspace, minimised) starts it all the same.
TEST_F(TchatTest, theGameStartsAfterTheFirstPaintOrWithoutOne)
{
    {
        HostEngine host(folder.path());
        auto window = makeWindow(QStringLiteral("korvexlobby.ini"), 0, &host);
        int paints = 0;
        quint16 portAtPaint = 1;
        QElapsedTimer sinceShown;
        qint64 paintedAfterMs = 0;
        QObject::connect(window.get(), &Tchat::firstPainted, [&] {
            ++paints;
            portAtPaint = host.serverPort();
            paintedAfterMs = sinceShown.elapsed();
        });
        sinceShown.start();
        window->show();
        ASSERT_TRUE(waitUntil(*window, [&] { return window->game().loggedIn(); }));
        ASSERT_TRUE(QTest::qWaitFor([&] { return paints > 0; }));
        EXPECT_EQ(paints, 1);
        // On a machine too loaded to paint within the wait, the game has started without
        // the paint; otherwise the host listens only after it.
        if (paintedAfterMs < 400) {
            EXPECT_EQ(portAtPaint, 0) << "the solo game's host listened before the window was painted";
        }
    }
    struct NoPaint : QObject {
        bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Paint; }
    } noPaint;
    HostEngine host(folder.path());
    auto window = makeWindow(QStringLiteral("korvexlobby.ini"), 0, &host);
    window->installEventFilter(&noPaint);
    QSignalSpy firstPaint(window.get(), &Tchat::firstPainted);
    window->show();
    ASSERT_TRUE(waitUntil(*window, [&] { return window->game().loggedIn(); }));
    EXPECT_EQ(firstPaint.count(), 0);
    window->removeEventFilter(&noPaint);
}

// A window closed before its game started (a termination signal at start-up) starts none.
TEST_F(TchatTest, aWindowClosedBeforeItsFirstPaintStartsNoGame)
{
    HostEngine host(folder.path());
    auto window = makeWindow(QStringLiteral("korvexlobby.ini"), 0, &host);
    window->show();
    window->close();
    QTest::qWait(700);  // beyond the start without a paint
    EXPECT_FALSE(host.isListening());
    EXPECT_FALSE(window->game().loggedIn());
}

// Every auxiliary window opens from its entry; a solo start offers the lobby window, and
// the lobby window's request to end the program closes the main window.
TEST_F(TchatTest, everyWindowOpensFromItsMenuEntryAndTheSoloStartShowsTheLobbyWindow)
{
    HostEngine host(folder.path());
    auto window = makeWindow(QStringLiteral("korvexlobby.ini"), 0, &host);
    auto *about = new Tabout(window.get(), QUrl(QStringLiteral("http://localhost/")), [](const QUrl &) {});
    auto *help = new Thelp(window.get());
    auto *phrases = new Tphrases(window->chat(), window->settings(), window.get());
    auto *spies = new Tspylist(window->roster(), window->game(), window->connection(), window.get());
    auto *tally = new Ttallylist(*new TallyTable(window.get()), {}, window.get());
    RecordingStarter starter;
    auto *lobby = new Tdownload(
        LobbyPlaces(), [this] { return folder.path(); }, starter, window.get());
    window->setHelpWindows(help, about);
    window->setPhraseEditor(phrases);
    window->setSpyList(spies);
    window->setTally(tally);
    window->setLobbyWindow(lobby);
    auto *others = new Tplaywithothers(folder.filePath(QStringLiteral("others.ini")), window.get());
    window->setPlayWithOthers(others);

    const std::pair<QAction *, QWidget *> entries[] = {
        {window->contentAction(), help},
        {window->aboutAction(), about},
        {window->phraseListAction(), phrases},
        {window->spyListAction(), spies},
        {window->quickInstructionsAction(), window->quickInstructions()},
        {window->playWithOthersAction(), others},
    };
    for (const auto &[entry, shown] : entries) {
        ASSERT_TRUE(entry->isEnabled()) << entry->objectName().toStdString();
        EXPECT_TRUE(shown->isHidden()) << entry->objectName().toStdString();
        entry->trigger();
        EXPECT_FALSE(shown->isHidden()) << entry->objectName().toStdString();
    }
    EXPECT_EQ(window->quickInstructions()->pos(), QPoint(1, 1));

    // The help window's own "About" shows the about window too.
    about->hide();
    Q_EMIT help->aboutRequested();
    EXPECT_TRUE(about->isVisible());

    window->show();
    ASSERT_TRUE(waitUntil(*window, [&] { return window->game().seatName(1) == QStringLiteral("You"); }));
    EXPECT_TRUE(lobby->isVisible());
    EXPECT_TRUE(spies->removeFromGameAction()->isEnabled()) << "the spectator list follows the hosting flag";
    // Without a lobby program the lobby window's "Play with Others" opens the own window.
    others->hide();
    lobby->button_lobbyClick();
    EXPECT_TRUE(others->isVisible());
    EXPECT_FALSE(lobby->isVisible());

    QSignalSpy closing(window.get(), &Tchat::closing);
    Q_EMIT lobby->programEndRequested();
    EXPECT_EQ(closing.count(), 1);
}

TEST_F(TchatTest, startGameEntryOpensTheDialogAndAGameStarts)
{
    HostEngine host(folder.path());
    auto window = makeWindow(QStringLiteral("korvexlobby.ini"), 0, &host);
    auto *dialog = new Tgamestart(window->context(), window->connection(), window.get());
    window->setGameStart(dialog);
    window->show();
    ASSERT_TRUE(
        waitUntil(*window, [&] { return window->startGameAction()->isEnabled() && window->game().loggedIn(); }));

    window->startGameAction()->trigger();
    EXPECT_TRUE(dialog->isVisible());
    dialog->button_startClick();
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_TRUE(waitUntil(*window, [&] {
        return window->chat().mainchat()->toPlainText().contains(QStringLiteral("You has started a game."));
    }));
    EXPECT_TRUE(host.rules().table().gameInProgress());
}

TEST_F(TchatTest, joiningWindowSeesItsSeatAtTheBottomAndClosesWithTheHost)
{
    auto host = std::make_unique<HostEngine>(folder.path());
    auto hosting = makeWindow(QStringLiteral("host.ini"), 0, host.get());
    hosting->show();
    ASSERT_TRUE(waitUntil(*hosting, [&] { return hosting->game().loggedIn(); }));

    auto guest = makeWindow(QStringLiteral("guest.ini"), host->serverPort(), nullptr);
    guest->setArguments({QStringLiteral("Bob"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    guest->show();
    ASSERT_TRUE(waitUntil(*guest, [&] { return guest->game().seatName(1) == QStringLiteral("You"); }));
    EXPECT_EQ(guest->game().ownSlot(), 2);
    EXPECT_FALSE(guest->startGameAction()->isEnabled());
    EXPECT_FALSE(guest->board().startButton()->isVisible());
    // Seat 2's name label is the bottom one for the player in seat 2.
    EXPECT_EQ(guest->board().nameLabel(2)->text(), QStringLiteral("Bob"));
    EXPECT_GT(guest->board().nameLabel(2)->y(), guest->board().nameLabel(1)->y());
    EXPECT_GT(hosting->board().nameLabel(1)->y(), hosting->board().nameLabel(2)->y());
    // Its kick menu knows the bottom label shows seat 2.
    QLabel *bottom = guest->board().nameLabelIn(BoardHalf::Row::Bottom);
    Q_EMIT bottom->customContextMenuRequested(QPoint(2, 2));
    EXPECT_EQ(guest->seatMenu().seat(), 2);
    guest->seatMenu().menu()->hide();

    QSignalSpy closing(guest.get(), &Tchat::closing);
    host.reset();  // the hosting program ends
    ASSERT_TRUE(closing.wait(5000));
    EXPECT_FALSE(guest->isVisible());
}

TEST_F(TchatTest, gameIsFullIsShownAndTheWindowClosesWhenItIsDismissed)
{
    FullGameServer fullHost;
    ASSERT_TRUE(fullHost.isListening());
    auto window = makeWindow(QStringLiteral("korvexlobby.ini"), fullHost.serverPort(), nullptr);
    window->setArguments({QStringLiteral("Ann"), QStringLiteral("127.0.0.1"), QStringLiteral("false")});
    QSignalSpy full(&window->connection(), &ConnectionHalf::gameFull);
    QSignalSpy closing(window.get(), &Tchat::closing);
    window->show();
    ASSERT_TRUE(full.wait(5000));

    auto *box = window->findChild<QMessageBox *>(QStringLiteral("gameFullBox"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("Game is full"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(closing.count(), 0);

    box->button(QMessageBox::Ok)->click();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(TchatTest, rightClickOnANameLabelOpensTheRemovalMenuForItsSeat)
{
    HostEngine host(folder.path());
    auto window = makeWindow(QStringLiteral("korvexlobby.ini"), 0, &host);
    window->show();
    ASSERT_TRUE(waitUntil(*window, [&] { return window->game().loggedIn(); }));

    for (int seat : {2, 1}) {
        QLabel *label = window->board().nameLabel(seat);
        Q_EMIT label->customContextMenuRequested(QPoint(2, 2));
        EXPECT_EQ(window->seatMenu().seat(), seat);
        EXPECT_TRUE(window->seatMenu().menu()->isVisible());
        window->seatMenu().menu()->hide();
    }
}

TEST_F(TchatTest, secondCopyBringsTheWindowForward)
{
    Tchat window(folder.filePath(QStringLiteral("korvexlobby.ini")));
    window.showMinimized();
    window.comeForward();
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
}

// The caption the window system shows: Qt adds " — " and the application display name to
// one not ending in it, when a display name was set (a set one stops following the name).
QString shownCaption(const QWidget &window)
{
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name + QStringLiteral(" probe"));
    const QString displayName = QGuiApplication::applicationDisplayName();
    const bool set = displayName != QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(name);
    const QString title = window.windowHandle()->title();
    return set && !title.endsWith(displayName) ? title + QStringLiteral(" \u2014 ") + displayName : title;
}

TEST_F(TchatTest, windowsShowExactlyTheCaptionsTheyAreGiven)
{
    setProgramIdentity();
    Tchat window(folder.filePath(QStringLiteral("korvexlobby.ini")));
    auto *dialog = new Tgamestart(window.context(), window.connection(), &window);  // owned by the window
    window.show();
    dialog->show();
    EXPECT_EQ(shownCaption(window), QStringLiteral("Quarn"));
    EXPECT_EQ(shownCaption(*dialog), QStringLiteral("Quarn - Game Start"));
}

}  // namespace
