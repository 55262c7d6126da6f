// The main window: the board panel with the artwork, the menu bar, the client's game
// (ClientGame) and the halves that live in it (connection, board view with its tile
// input, chat, settings and sounds). The window only composes and wires them; the game
// holds the game's state, each half its own controls.
#pragma once

#include "client/BoardHalf.h"
#include "client/ClientContext.h"
#include "client/model/ClientGame.h"
#include "client/model/Roster.h"

#include <QLockFile>
#include <QMainWindow>
#include <QPoint>
#include <QStringList>

#include <memory>

class AttentionRules;
class ChatHalf;
class ConnectionHalf;
class DesktopNotifier;
class GameRecordList;
class GameRecorder;
struct GameRecord;
class HostEngine;
class InProcessHost;
class LogoLabel;
class QAction;
class QLabel;
class QMenu;
class SettingsHalf;
class SoundPlayer;
class TallyLink;
class QuickInstructions;
class SeatMenu;
class Tabout;
class Tdownload;
class Tgamestart;
class Thelp;
class Tphrases;
class Tplaywithothers;
class Tspylist;
class Ttallylist;

class Tchat : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kPanelWidth = 724;
    static constexpr int kPanelHeight = 491;
    // The logo sits in the felt between the two seat blocks.
    static constexpr int kLogoTileSize = 24;
    static constexpr QPoint kLogoPosition{520, 62};

    // `settingsFile` empty = the settings file beside the program.
    explicit Tchat(const QString &settingsFile = QString(), QWidget *parent = nullptr);
    ~Tchat() override;

    // The command line processparams reads once the window is first on the screen.
    void setArguments(const QStringList &arguments) { m_arguments = arguments; }
    // Windows created after this one, wired in as they come.
    void setHostEngine(HostEngine *engine);
    void setGameStart(Tgamestart *dialog);
    // The tally window: fed by the game, shown by View > "View Tally".
    void setTally(Ttallylist *tally);
    // Help > "Content" and "About"; the help window's own "About" and the logo too.
    void setHelpWindows(Thelp *help, Tabout *about);
    // View > "Phrase List".
    void setPhraseEditor(Tphrases *phrases);
    // View > "Spy List".
    void setSpyList(Tspylist *spies);
    // Shown when a solo game starts; asks to end the program after starting the lobby.
    void setLobbyWindow(Tdownload *lobby);
    // File > "Play with Others", and the lobby window's button when no lobby is installed.
    void setPlayWithOthers(Tplaywithothers *window);
    // View > "Game Records"; every game seen is saved into its folder from now on, unless
    // the settings' "RecordGames" says otherwise.
    void setGameRecords(GameRecordList *records);

    ClientContext &context() { return m_context; }
    ClientGame &game() { return m_game; }
    Roster &roster() { return m_roster; }
    ConnectionHalf &connection() { return *m_connection; }
    GameRecorder &recorder() { return *m_recorder; }
    SeatMenu &seatMenu() { return *m_seatMenu; }
    BoardHalf &board() { return *m_board; }
    ChatHalf &chat() { return *m_chat; }
    SettingsHalf &settings() { return *m_settings; }
    QWidget *boardPanel() const { return m_panel; }
    QuickInstructions *quickInstructions() const { return m_quick; }
    LogoLabel *logo() const { return m_logo; }

    QAction *startGameAction() const { return m_startGame; }
    QAction *playWithOthersAction() const { return m_playWithOthers; }
    QAction *justWatchAction() const { return m_justWatch; }
    QAction *spyListAction() const { return m_spyList; }
    QAction *phraseListAction() const { return m_phraseList; }
    QAction *quickInstructionsAction() const { return m_quickInstructions; }
    QAction *contentAction() const { return m_content; }
    QAction *aboutAction() const { return m_about; }
    QAction *gameRecordsAction() const { return m_gameRecords; }

    // Shows the first copy's window again when a second copy asks for it: restored when
    // minimised, raised and activated otherwise.
    void comeForward();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

Q_SIGNALS:
    // The window closed (by the user, the end of the connection or "Game is full"):
    // the program ends.
    void closing();
    // "Play with Others" was chosen after a failed join: the window for finding a game
    // opens. The choice is offered only while something listens.
    void playWithOthersRequested();
    // The window's first paint has reached the screen; the connection or the solo game
    // starts next.
    void firstPainted();

private:
    // File > Exit: asks first while a game runs.
    void exitAsked();
    // The host could not be reached: offers to try again.
    void offerRetry(const QString &reason);
    void buildPanel();
    void buildHalves(const QString &settingsFile);
    void buildMenus();
    void wireConnection();
    // The seat menu on the name label of `row`, for whichever seat the row shows.
    void installKickMenu(BoardHalf::Row row);
    void showGameFull();
    // Starts the connection or the solo game, once.
    void startConnection();
    void saveRecord(const GameRecord &record);

    ClientContext m_context;
    // Before the halves: they hold them and go first.
    ClientGame m_game;
    Roster m_roster;
    QLockFile m_marker;  // the system-wide marker "Quarn", held for the process life
    QStringList m_arguments;
    bool m_shownOnce = false;
    bool m_painted = false;
    bool m_connectionStarted = false;
    bool m_closed = false;
    bool m_fullShown = false;

    QWidget *m_panel = nullptr;
    QuickInstructions *m_quick = nullptr;
    LogoLabel *m_logo = nullptr;
    std::unique_ptr<InProcessHost> m_host;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<ConnectionHalf> m_connection;
    std::unique_ptr<SeatMenu> m_seatMenu;
    std::unique_ptr<ChatHalf> m_chat;
    std::unique_ptr<SettingsHalf> m_settings;
    std::unique_ptr<BoardHalf> m_board;
    std::unique_ptr<TallyLink> m_tallyLink;
    std::unique_ptr<DesktopNotifier> m_notifier;
    std::unique_ptr<AttentionRules> m_attention;
    std::unique_ptr<GameRecorder> m_recorder;
    GameRecordList *m_records = nullptr;

    QAction *m_startGame = nullptr;
    QAction *m_playWithOthers = nullptr;
    Tdownload *m_lobby = nullptr;
    QAction *m_exit = nullptr;
    QAction *m_justWatch = nullptr;
    QAction *m_viewTally = nullptr;
    QAction *m_spyList = nullptr;
    QAction *m_phraseList = nullptr;
    QAction *m_quickInstructions = nullptr;
    QAction *m_content = nullptr;
    QAction *m_about = nullptr;
    QAction *m_gameRecords = nullptr;
    QMetaObject::Connection m_viewTallyConnection;
};
