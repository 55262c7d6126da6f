// The main window: builds the board panel, composes the halves, lays out the menu bar
// and wires the halves' signals to the window (Start Game, Just Watch, closing).
#include "windows/Tchat.h"

#include "client/Artwork.h"
#include "client/BoardHalf.h"
#include "client/ChatHalf.h"
#include "client/ConnectionHalf.h"
#include "client/DesktopNotifier.h"
#include "client/SeatMenu.h"
#include "client/SettingsHalf.h"
#include "client/SoundPlayer.h"
#include "client/model/AttentionRules.h"
#include "client/model/GameRecorder.h"
#include "dictionary/PrivateFolder.h"
#include "tally/window/Ttallylist.h"
#include "windows/GameRecordList.h"
#include "windows/InProcessHost.h"
#include "windows/LogoLabel.h"
#include "windows/QuickInstructions.h"
#include "windows/Tabout.h"
#include "windows/TallyLink.h"
#include "windows/Tdownload.h"
#include "windows/Tgamestart.h"
#include "windows/Thelp.h"
#include "windows/Tphrases.h"
#include "windows/Tplaywithothers.h"
#include "windows/Tspylist.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMetaMethod>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

Q_LOGGING_CATEGORY(lcWindow, "quarn.window", QtWarningMsg)

namespace {
// How long a shown window waits for its first paint before it starts its game anyway.
constexpr int kStartWithoutPaint = 500;

// In this user's private folder, like the guard; without one there is no marker.
QString markerPath()
{
    const QString folder = PrivateFolder::runtimeFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("Quarn.marker"));
}
}  // namespace

Tchat::Tchat(const QString &settingsFile, QWidget *parent)
    : QMainWindow(parent)
    , m_marker(markerPath())
{
    // The marker is for the lobby program's benefit only; a copy that finds it held by
    // another copy carries on without it.
    m_marker.setStaleLockTime(0);
    if (!m_marker.fileName().isEmpty())
        m_marker.tryLock(0);

    setObjectName(QStringLiteral("chat"));
    setWindowTitle(QStringLiteral("Quarn"));
    buildPanel();
    buildHalves(settingsFile);
    // Over the board's widgets, so both come after the halves.
    m_logo = new LogoLabel(m_panel, kLogoTileSize);
    m_logo->move(kLogoPosition);
    m_quick = new QuickInstructions(m_panel);
    buildMenus();
    wireConnection();
}

Tchat::~Tchat()
{
    // The halves go before the widgets they placed on the panel; nothing of theirs may
    // reach the window once it is being taken apart.
    if (m_connection)
        m_connection->disconnect(this);
}

void Tchat::buildPanel()
{
    auto *central = new QWidget(this);
    auto *layout = new QGridLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    m_panel = new QWidget(central);
    m_panel->setObjectName(QStringLiteral("panel_board"));
    m_panel->setFixedSize(kPanelWidth, kPanelHeight);
    m_panel->setAutoFillBackground(true);
    QPalette palette = m_panel->palette();
    // The sharper artwork on a screen with a pixel ratio above 1.
    palette.setBrush(QPalette::Window, QBrush(Artwork::pixmap(QStringLiteral("board.jpg"), devicePixelRatioF())));
    m_panel->setPalette(palette);
    layout->addWidget(m_panel, 0, 0, Qt::AlignCenter);
    setCentralWidget(central);
}

void Tchat::buildHalves(const QString &settingsFile)
{
    m_sound = std::make_unique<SoundPlayer>();
    auto play = [this](const QString &name) { m_sound->play(name); };

    m_connection = std::make_unique<ConnectionHalf>(m_context, m_game, m_roster);
    m_connection->setPort(ConnectionHalf::portFromEnvironment());
    m_seatMenu = std::make_unique<SeatMenu>(m_game, m_roster, *m_connection);
    m_chat = std::make_unique<ChatHalf>(m_panel, m_game, *m_connection, play);
    m_settings = std::make_unique<SettingsHalf>(this, *m_chat, nullptr, play, settingsFile);
    // The tally comes later; the game works without one.
    ClientGame::Services services;
    services.sounds = m_settings.get();
    services.notices = m_chat.get();
    m_game.setServices(services);
    m_game.setTurnSoundChoice([this] { return m_settings->turnSoundName(); });
    // The recorder sees each game message just after the game has taken it in.
    m_recorder = std::make_unique<GameRecorder>(m_game);
    connect(m_recorder.get(), &GameRecorder::recordReady, this, &Tchat::saveRecord);
    m_board = std::make_unique<BoardHalf>(m_panel, m_game, *m_connection);
    // Tab and F6 move the keyboard between the chat line and the board.
    m_board->setChatLine(m_chat->mychat());

    ConnectionPeers peers;
    peers.board = m_recorder.get();
    peers.chat = m_chat.get();
    peers.lines = m_chat.get();
    peers.sounds = m_settings.get();
    peers.loadinifile = [this] { m_settings->loadinifile(); };
    m_connection->setPeers(peers);

    // Calls back to the window when it is not in front; the bus is reached at the first call.
    m_notifier = std::make_unique<DesktopNotifier>(this, [this] { comeForward(); });
    m_attention = std::make_unique<AttentionRules>(m_game, m_roster, *m_notifier, [this] { return isActiveWindow(); });
    m_settings->setAttention(m_attention.get());
}

void Tchat::buildMenus()
{
    QMenu *file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("File1"));
    m_startGame = file->addAction(tr("&Start Game"));
    m_startGame->setObjectName(QStringLiteral("StartGame1"));
    m_startGame->setEnabled(false);
    connect(m_startGame, &QAction::triggered, m_board.get(), &BoardHalf::openGameStart);
    m_playWithOthers = file->addAction(tr("Play with &Others..."));
    m_playWithOthers->setObjectName(QStringLiteral("PlayWithOthers1"));
    m_playWithOthers->setEnabled(false);
    file->addSeparator();
    m_exit = file->addAction(tr("E&xit"));
    m_exit->setObjectName(QStringLiteral("Exit1"));
    connect(m_exit, &QAction::triggered, this, &Tchat::exitAsked);

    QMenu *options = menuBar()->addMenu(tr("&Options"));
    options->setObjectName(QStringLiteral("Options1"));
    options->addAction(m_settings->playSoundsAction());
    options->addAction(m_settings->playChatterSoundsAction());
    options->addAction(m_settings->notificationsAction());
    options->addMenu(m_settings->turnSoundMenu());
    options->addSeparator();
    options->addAction(m_chat->textColorAction());
    options->addMenu(m_chat->textSizeMenu());
    options->addAction(m_chat->highContrastAction());
    options->addSeparator();
    options->addAction(m_chat->scrollChatOffAction());
    options->addAction(m_chat->clearMainChatAction());
    options->addAction(m_settings->resetScreenLocationAction());
    options->addSeparator();
    m_justWatch = options->addAction(tr("&Just Watch"));
    m_justWatch->setObjectName(QStringLiteral("JustWatch1"));
    m_justWatch->setCheckable(true);
    connect(m_justWatch, &QAction::triggered, this, [this] {
        // The check mark follows the host's answer, never the click itself.
        m_justWatch->setChecked(m_game.justWatchChecked());
        m_connection->JustWatch1Click();
    });

    // Entries whose windows come later exist already, disabled until their window is set.
    auto later = [](QMenu *menu, const QString &text, const QString &name) {
        QAction *entry = menu->addAction(text);
        entry->setObjectName(name);
        entry->setEnabled(false);
        return entry;
    };
    QMenu *view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("View1"));
    m_viewTally = later(view, tr("View &Tally"), QStringLiteral("ViewTally1"));
    m_spyList = later(view, tr("&Spy List"), QStringLiteral("SpyList1"));
    m_phraseList = later(view, tr("&Phrase List"), QStringLiteral("PrhaseList1"));
    m_gameRecords = later(view, tr("&Game Records"), QStringLiteral("GameRecords1"));
    view->addSeparator();
    // One action in both menus, so Ctrl+I is never ambiguous. The panel is the window's own.
    m_quickInstructions = view->addAction(tr("&Quick Instructions"));
    m_quickInstructions->setObjectName(QStringLiteral("QuickInstructions1"));
    m_quickInstructions->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(m_quickInstructions, &QAction::triggered, m_quick, &QuickInstructions::showAtCorner);

    QMenu *help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    m_content = later(help, tr("&Content"), QStringLiteral("Content1"));
    m_content->setShortcut(QKeySequence(Qt::Key_F1));
    help->addAction(m_quickInstructions);
    help->addSeparator();
    m_about = later(help, tr("&About"), QStringLiteral("About1"));
}

void Tchat::wireConnection()
{
    // The board's Start button follows the game by itself; the menu entry follows who leads.
    connect(&m_game, &ClientGame::loginChanged, this, [this] { m_startGame->setEnabled(m_game.leadsGame()); });
    connect(&m_game, &ClientGame::justWatchChanged, m_justWatch, &QAction::setChecked);
    connect(m_connection.get(), &ConnectionHalf::gameFull, this, &Tchat::showGameFull);
    connect(m_connection.get(), &ConnectionHalf::connectionClosed, this, &QWidget::close);
    connect(m_connection.get(), &ConnectionHalf::connectFailed, this, &Tchat::offerRetry);
    m_connection->setRemovalConfirm([this](const QString &question) {
        return QMessageBox::question(this, QStringLiteral("Quarn"), question) == QMessageBox::Yes;
    });
    installKickMenu(BoardHalf::Row::Bottom);
    installKickMenu(BoardHalf::Row::Top);
}

void Tchat::installKickMenu(BoardHalf::Row row)
{
    QLabel *label = m_board->nameLabelIn(row);
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(label, &QWidget::customContextMenuRequested, this, [this, row, label](const QPoint &at) {
        m_seatMenu->popupFor(m_board->seatShownIn(row), label->mapToGlobal(at));
    });
}

void Tchat::setHostEngine(HostEngine *engine)
{
    m_host = engine ? std::make_unique<InProcessHost>(*engine) : nullptr;
    m_connection->setHost(m_host.get());
}

void Tchat::setTally(Ttallylist *tally)
{
    m_game.setTally(nullptr);
    m_tallyLink = tally ? std::make_unique<TallyLink>(tally->table(), m_game) : nullptr;
    m_game.setTally(m_tallyLink.get());
    m_viewTally->setEnabled(tally != nullptr);
    disconnect(m_viewTallyConnection);
    if (tally) {
        m_viewTallyConnection = connect(m_viewTally, &QAction::triggered, tally,
                                        [this, tally] { tally->viewTally(m_tallyLink->opponents()); });
    }
}

void Tchat::setHelpWindows(Thelp *help, Tabout *about)
{
    m_content->setEnabled(help != nullptr);
    m_about->setEnabled(about != nullptr);
    if (help)
        connect(m_content, &QAction::triggered, help, &Thelp::present);
    if (about) {
        connect(m_about, &QAction::triggered, about, &Tabout::present);
        // The logo opens the product's page through the about window's opener.
        connect(m_logo, &ClickableLabel::clicked, about, &Tabout::openWebAddress);
    }
    if (help && about)
        connect(help, &Thelp::aboutRequested, about, &Tabout::present);
}

void Tchat::setPhraseEditor(Tphrases *phrases)
{
    m_phraseList->setEnabled(phrases != nullptr);
    if (phrases)
        connect(m_phraseList, &QAction::triggered, phrases, &Tphrases::open);
}

void Tchat::setSpyList(Tspylist *spies)
{
    m_spyList->setEnabled(spies != nullptr);
    if (!spies)
        return;
    connect(m_spyList, &QAction::triggered, spies, [spies] {
        spies->show();
        spies->raise();
    });
}

void Tchat::setLobbyWindow(Tdownload *lobby)
{
    if (!lobby)
        return;
    connect(m_connection.get(), &ConnectionHalf::soloStarted, lobby, &Tdownload::present);
    connect(lobby, &Tdownload::programEndRequested, this, &QWidget::close);
    m_lobby = lobby;
}

void Tchat::setPlayWithOthers(Tplaywithothers *window)
{
    m_playWithOthers->setEnabled(window != nullptr);
    if (!window)
        return;
    connect(m_playWithOthers, &QAction::triggered, window, &Tplaywithothers::present);
    if (m_lobby)
        m_lobby->setPlayWithOthers([window] { window->present(); });
}

void Tchat::setGameStart(Tgamestart *dialog)
{
    m_board->setGameStartDialog(dialog);
    m_settings->setGameStartSettings(dialog);
    if (dialog)
        connect(dialog, &Tgamestart::gameStarted, m_settings.get(), [this] { m_settings->saveinifile(); });
}

void Tchat::setGameRecords(GameRecordList *records)
{
    m_records = records;
    m_gameRecords->setEnabled(records != nullptr);
    if (records)
        connect(m_gameRecords, &QAction::triggered, records, &GameRecordList::present);
}

void Tchat::saveRecord(const GameRecord &record)
{
    if (!m_records || !m_settings->recordGames())
        return;
    QString error;
    if (m_records->store().save(record, &error).isEmpty()) {
        qCWarning(lcWindow) << "the game record was not saved:" << error;
        m_settings->saveFailures().saveFailed(m_records->store().folder());
    } else if (m_records->isVisible()) {
        m_records->refresh();
    }
}

void Tchat::showGameFull()
{
    if (m_fullShown)
        return;
    m_fullShown = true;
    // Not exec(): the connection's close and the rest of the program go on meanwhile.
    auto *box =
        new QMessageBox(QMessageBox::Information, windowTitle(), QStringLiteral("Game is full"), QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("gameFullBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, &QWidget::close);
    box->open();
}

void Tchat::comeForward()
{
    qCInfo(lcWindow) << "another copy asked this one to come forward";
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

bool Tchat::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    // The connection (and with a solo game, the lobby window) waits until the window
    // has been painted, so that the window is on the screen as soon as it can be. A
    // zero timer runs after the paint has been flushed.
    if (event->type() == QEvent::Paint && m_shownOnce && !m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, [this] {
            Q_EMIT firstPainted();
            startConnection();  // unless the window went without a paint for too long
        });
    }
    return handled;
}

void Tchat::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    qCInfo(lcWindow) << "main window shown";
    // A window that is not painted soon (shown on another workspace, minimised by the
    // window manager) starts its game all the same.
    QTimer::singleShot(kStartWithoutPaint, this, &Tchat::startConnection);
}

void Tchat::startConnection()
{
    // A window closed before its first paint (a termination signal) starts nothing.
    if (m_connectionStarted || m_closed)
        return;
    m_connectionStarted = true;
    m_connection->processparams(m_arguments);
}

void Tchat::closeEvent(QCloseEvent *event)
{
    qCInfo(lcWindow) << "main window closes";
    m_closed = true;
    // A game still in play is kept as an unfinished record.
    m_recorder->leave();
    m_settings->FormClose();
    event->accept();
    Q_EMIT closing();
}

void Tchat::exitAsked()
{
    // Leaving a running game ends it for the opponent too: asked first.
    if (m_game.gameInPlay()
        && QMessageBox::question(this, QStringLiteral("Quarn"), QStringLiteral("A game is running. Leave it and exit?"))
            != QMessageBox::Yes)
        return;
    close();
}

void Tchat::offerRetry(const QString &reason)
{
    // Not modal: the chat and the menus stay usable while the box is up.
    auto *box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Quarn"),
                        QStringLiteral("Could not reach the game: %1").arg(reason), QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("box_connectFailed"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *retry = box->addButton(QStringLiteral("Try Again"), QMessageBox::AcceptRole);
    // "Play with Others" only when a window for it is offered.
    QPushButton *others = isSignalConnected(QMetaMethod::fromSignal(&Tchat::playWithOthersRequested))
        ? box->addButton(QStringLiteral("Play with Others"), QMessageBox::ActionRole)
        : nullptr;
    box->addButton(QMessageBox::Close);
    box->setDefaultButton(retry);
    connect(box, &QMessageBox::buttonClicked, this, [this, retry, others](QAbstractButton *clicked) {
        if (clicked == retry)
            m_game.hostFlag() ? m_connection->hostpress() : m_connection->joinpress();
        else if (others && clicked == others)
            Q_EMIT playWithOthersRequested();
    });
    box->open();
}
