// The board view: controls, their layout on the board panel, and how each change of the
// game redraws them.
#include "client/BoardHalf.h"

#include "client/Artwork.h"
#include "client/BoardAccessibility.h"
#include "client/BoardCaptions.h"
#include "client/BoardFocus.h"
#include "client/BoardLabels.h"
#include "client/BoardMarkers.h"
#include "client/BoardTile.h"
#include "client/model/ClientGame.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QWidget>

namespace {

using boardlabels::elideText;
using boardlabels::fitText;
using boardlabels::makeLabel;
using boardlabels::makePicture;

// The settings captions' size; a caption too wide for the felt is drawn smaller.
constexpr int kSettingsPixelSize = 10;

// Left edges: bottom row from 44, top row from 45, both every 40 pixels; extras from
// 104 every 48 pixels.
constexpr int ownLeft(int position)
{
    return 44 + 40 * (position - 1);
}
constexpr int opponentLeft(int position)
{
    return 45 + 40 * (position - 1);
}
constexpr int extraLeft(int position)
{
    return 104 + 48 * (position - 1);
}

}  // namespace

BoardHalf::BoardHalf(QWidget *panel, ClientGame &game, RequestSender &sender, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
    , m_game(game)
    , m_tileInput(game, sender)
    , m_keyboard(game, m_tileInput)
{
    // Referencing the artwork keeps its registration from being dropped by the linker.
    Q_INIT_RESOURCE(pictures);
    m_messageBox = [this](const QString &text, std::function<void()> closed) {
        // Window-modal but not blocking: the message queue keeps being handled while
        // the box is open, and the rest of the handler runs once it is closed.
        auto *box = new QMessageBox(QMessageBox::Information, QStringLiteral("Quarn"), text, QMessageBox::Ok,
                                    m_panel->window());
        box->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(box, &QMessageBox::finished, this, [closed = std::move(closed)] {
            if (closed)
                closed();
        });
        box->open();
    };
    // The game's boxes go through whatever hook the view has at the time.
    m_game.setMessageBoxHook(
        [this](const QString &text, std::function<void()> closed) { m_messageBox(text, std::move(closed)); });

    // The word backgrounds sit below the tiles, so they are created first.
    const QPixmap wordback = Artwork::pixmap(QStringLiteral("wordback.jpg"), m_panel->devicePixelRatioF());
    QLabel *bottomBack = makePicture(m_panel, QStringLiteral("wordback1"), wordback, QPoint(41, 100));
    QLabel *topBack = makePicture(m_panel, QStringLiteral("wordback2"), QPixmap(), QPoint(42, 17));
    topBack->setPixmap(bottomBack->pixmap());
    topBack->resize(bottomBack->size());

    createTiles();
    createSeatControls();
    createInfoControls();
    createClock();
    m_focus = new BoardFocus(m_panel, m_keyboard, [this](TileKind kind, int position) -> BoardTile * {
        return kind == TileKind::Extra ? extraTile(position)
                                       : rowTile(kind == TileKind::Own ? Row::Bottom : Row::Top, position);
    });
    connectGame();
    drawForOwnSlot();
    m_accessibility = std::make_unique<BoardAccessibility>(*this, m_game, m_keyboard, m_focus);
}

BoardHalf::~BoardHalf()
{
    // The keyboard area reaches into this view's keyboard input.
    delete m_focus;
    // The game may outlive the view: its boxes must not reach a view that is gone.
    m_game.setMessageBoxHook([](const QString &, std::function<void()> closed) {
        if (closed)
            closed();
    });
}

void BoardHalf::createTiles()
{
    for (int p = 1; p <= quarn::kCells; ++p) {
        auto *his = new BoardTile(p, m_panel);
        his->setObjectName(QStringLiteral("hisletter%1").arg(p));
        his->move(opponentLeft(p), kOpponentTop);
        m_opponentTiles[static_cast<std::size_t>(p - 1)] = his;
        connect(his, &BoardTile::clicked, this, [this, p] { m_tileInput.pickOpponentCell(p); });

        auto *mine = new BoardTile(p, m_panel);
        mine->setObjectName(QStringLiteral("myletter%1").arg(p));
        mine->move(ownLeft(p), kOwnTop);
        m_ownTiles[static_cast<std::size_t>(p - 1)] = mine;
        connect(mine, &BoardTile::mousePressed, this,
                [this, p](Qt::MouseButton button) { m_tileInput.pressOwnCell(p, button); });
    }
    for (int e = 1; e <= quarn::kExtras; ++e) {
        auto *tile = new BoardTile(e, m_panel);
        tile->setObjectName(QStringLiteral("extra%1").arg(e));
        tile->move(extraLeft(e), kExtraTop);
        m_extraTiles[static_cast<std::size_t>(e - 1)] = tile;
        connect(tile, &BoardTile::mousePressed, this,
                [this, e](Qt::MouseButton button) { m_tileInput.pressExtra(e, button); });
    }
}

void BoardHalf::createSeatControls()
{
    // One set beside each row, 83 pixels apart like the rows. The names are the designed
    // ones of the set at that place; they never change and are never read as data.
    for (const Row row : {Row::Bottom, Row::Top}) {
        const bool bottom = row == Row::Bottom;
        const int number = bottom ? 1 : 2;
        const int dy = bottom ? 83 : 0;
        SeatSet &set = m_rows[static_cast<std::size_t>(row)];
        set.name = makeLabel(m_panel, QStringLiteral("label_playername%1").arg(number), QString(),
                             QRect(486, 20 + dy, 140, 18), 13, true);
        set.name->setContextMenuPolicy(Qt::CustomContextMenu);
        set.score = makeLabel(m_panel, QStringLiteral("label_score%1").arg(number), QString(),
                              QRect(630, 16 + dy, 84, 28), 24, true, Qt::AlignRight | Qt::AlignVCenter, "#ffd56a");
        set.status = makeLabel(m_panel, QStringLiteral("label_status%1").arg(number), QString(),
                               QRect(486, 42 + dy, 140, 15), 11, false);
        set.turn = makePicture(m_panel, QStringLiteral("image_Turn%1").arg(number), BoardMarkers::turnMarker(),
                               QPoint(12, (bottom ? kOwnTop : kOpponentTop) + 9));
        set.turn->hide();
        set.eyes = makePicture(m_panel, QStringLiteral("image_eyes%1").arg(number), BoardMarkers::eyesMarker(),
                               QPoint(458, 21 + dy));
        set.eyes->setToolTip(QStringLiteral("Just watching"));
        set.eyes->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        set.eyes->hide();
    }
}

void BoardHalf::createInfoControls()
{
    m_statusLine = makeLabel(m_panel, QStringLiteral("label_status"), QString(), QRect(40, 220, 410, 18), 13, true,
                             Qt::AlignCenter);

    m_ownWordsCaption = makeLabel(m_panel, QStringLiteral("label_mywords"), QStringLiteral("Your Words"),
                                  QRect(458, 148, 124, 16), 12, true);
    m_ownWordsList = new QListWidget(m_panel);
    m_ownWordsList->setObjectName(QStringLiteral("listbox_mywords"));
    m_ownWordsList->setGeometry(458, 165, 124, 97);
    m_ownWordsList->setFocusPolicy(Qt::NoFocus);
    m_ownWordsList->setStyleSheet(
        QStringLiteral("QListWidget { background: rgba(20, 40, 28, 170); color: #f4e8c8; border: 1px solid #8a6a3a;"
                       " font-family: 'DejaVu Sans'; font-size: 11px; }"));

    // The bonus table is display only: the host does the scoring.
    makeLabel(m_panel, QStringLiteral("label_bonus"), QStringLiteral("Bonus Points"), QRect(592, 146, 124, 15), 12,
              true, Qt::AlignLeft | Qt::AlignVCenter, "#ffd56a");
    const QStringList bonus = {QStringLiteral("6 Letters - 2x"), QStringLiteral("7 Letters - 3x"),
                               QStringLiteral("8 Letters - 4x"), QStringLiteral("9 Letters - 5x"),
                               QStringLiteral("10 Letters - 6x")};
    for (int i = 0; i < bonus.size(); ++i)
        makeLabel(m_panel, QStringLiteral("label_bonus%1").arg(i + 1), bonus.at(i), QRect(600, 161 + 12 * i, 116, 12),
                  10, false);

    // Before the first game the captions show the settings a new game starts with.
    m_playToScoreLabel = makeLabel(m_panel, QStringLiteral("label_playtoscore"),
                                   QStringLiteral("Play to Score: %1").arg(quarn::kDefaultPlayToScore),
                                   QRect(592, 223, 126, 13), kSettingsPixelSize, true);
    m_timePerTurnLabel = makeLabel(m_panel, QStringLiteral("label_timeperturn"),
                                   QStringLiteral("Time per Turn: %1 ").arg(quarn::kDefaultTimePerTurn),
                                   QRect(592, 236, 126, 13), kSettingsPixelSize, true);
    m_stealsLabel =
        makeLabel(m_panel, QStringLiteral("label_steals"), QStringLiteral("# of Steals: %1").arg(quarn::kDefaultSteals),
                  QRect(592, 249, 126, 13), kSettingsPixelSize, true);

    m_winnerPanel = new QFrame(m_panel);
    m_winnerPanel->setObjectName(QStringLiteral("panel_winner"));
    m_winnerPanel->setGeometry(43, 172, 405, 44);
    m_winnerPanel->setStyleSheet(QStringLiteral(
        "#panel_winner { background: rgba(40, 22, 10, 215); border: 2px solid #d9a441; border-radius: 6px; }"));
    // The grey copy lies one pixel right and one up, behind the front caption.
    m_winnerShadow = makeLabel(m_winnerPanel, QStringLiteral("label_winner2"), QStringLiteral("Winner!"),
                               QRect(1, -1, 405, 44), 20, true, Qt::AlignCenter, "#7d7d7d");
    m_winnerCaption = makeLabel(m_winnerPanel, QStringLiteral("label_winner1"), QStringLiteral("Winner!"),
                                QRect(0, 0, 405, 44), 20, true, Qt::AlignCenter, "#ffd56a");
    m_winnerPanel->hide();

    m_startButton = new QPushButton(QStringLiteral("Start Game"), m_panel);
    m_startButton->setObjectName(QStringLiteral("button_start"));
    m_startButton->setGeometry(346, 238, 104, 26);
    m_startButton->hide();
    QObject::connect(m_startButton, &QPushButton::clicked, this, &BoardHalf::openGameStart);
}

void BoardHalf::createClock()
{
    m_clockLabel = makeLabel(m_panel, QStringLiteral("label_turntime"), QStringLiteral("Time: 0:00"),
                             QRect(44, 241, 80, 18), 13, true);
    const qreal ratio = m_panel->devicePixelRatioF();
    makePicture(m_panel, QStringLiteral("image_timerframe"), Artwork::pixmap(QStringLiteral("timeframe.jpg"), ratio),
                QPoint(124, 238));
    m_timeBar = makePicture(m_panel, QStringLiteral("image_timer"),
                            Artwork::pixmap(QStringLiteral("timebar.jpg"), ratio), QPoint(128, 240));
    // The picture stays anchored at its left edge while the control narrows.
    m_timeBar->resize(kBarWidth, 21);
}

void BoardHalf::connectGame()
{
    connect(&m_game, &ClientGame::loginChanged, this, &BoardHalf::drawForOwnSlot);
    connect(&m_game, &ClientGame::seatChanged, this, &BoardHalf::drawSeat);
    connect(&m_game, &ClientGame::cellChanged, this, &BoardHalf::drawCell);
    connect(&m_game, &ClientGame::extraChanged, this, &BoardHalf::drawExtra);
    connect(&m_game, &ClientGame::turnChanged, this, &BoardHalf::drawTurn);
    connect(&m_game, &ClientGame::clockTicked, this, &BoardHalf::drawClock);
    connect(&m_game, &ClientGame::settingsChanged, this, &BoardHalf::drawSettings);
    connect(&m_game, &ClientGame::wordsChanged, this, &BoardHalf::drawWords);
    connect(&m_game, &ClientGame::winnerChanged, this, &BoardHalf::drawWinner);
    connect(&m_game, &ClientGame::selectionChanged, this, &BoardHalf::drawSelection);
    connect(&m_game, &ClientGame::gameStarted, this, [this] {
        m_statusLine->clear();
        drawStartButton();
    });
}

void BoardHalf::setMessageBoxHook(MessageBoxHook hook)
{
    if (hook)
        m_messageBox = std::move(hook);
}

void BoardHalf::setChatLine(QWidget *chatLine)
{
    m_focus->setChatLine(chatLine);
}

void BoardHalf::openGameStart()
{
    if (!m_game.loggedIn()) {
        m_messageBox(QStringLiteral("You are not connected"), {});
        return;
    }
    if (m_gameStartDialog) {
        m_gameStartDialog->show();
        m_gameStartDialog->raise();
        m_gameStartDialog->activateWindow();
    }
}

// --- the seat mapping -------------------------------------------------------------------

int BoardHalf::seatShownIn(Row row) const
{
    const int bottom = m_game.ownSlot() == 2 ? 2 : 1;
    return row == Row::Bottom ? bottom : 3 - bottom;
}

BoardHalf::Row BoardHalf::rowOf(int seat) const
{
    return seatShownIn(Row::Bottom) == seat ? Row::Bottom : Row::Top;
}

void BoardHalf::drawForOwnSlot()
{
    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        drawSeat(seat);
        for (int p = 1; p <= quarn::kCells; ++p)
            drawCell(seat, p);
    }
    for (int e = 1; e <= quarn::kExtras; ++e)
        drawExtra(e);
    drawTurnMarkers();
    drawSelection();
    drawStartButton();
}

// --- controls ---------------------------------------------------------------------------

QLabel *BoardHalf::seatPart(int seat, QLabel *SeatSet::*part) const
{
    if (!quarn::isSeat(seat))
        return nullptr;
    return rowSet(rowOf(seat)).*part;
}

QLabel *BoardHalf::nameLabel(int seat) const
{
    return seatPart(seat, &SeatSet::name);
}
QLabel *BoardHalf::scoreLabel(int seat) const
{
    return seatPart(seat, &SeatSet::score);
}
QLabel *BoardHalf::statusLabel(int seat) const
{
    return seatPart(seat, &SeatSet::status);
}
QLabel *BoardHalf::turnMarker(int seat) const
{
    return seatPart(seat, &SeatSet::turn);
}
QLabel *BoardHalf::eyesMarker(int seat) const
{
    return seatPart(seat, &SeatSet::eyes);
}
QLabel *BoardHalf::nameLabelIn(Row row) const
{
    return rowSet(row).name;
}

BoardTile *BoardHalf::ownTile(int position) const
{
    if (position < 1 || position > quarn::kCells)
        return nullptr;
    return m_ownTiles[static_cast<std::size_t>(position - 1)];
}

BoardTile *BoardHalf::opponentTile(int position) const
{
    if (position < 1 || position > quarn::kCells)
        return nullptr;
    return m_opponentTiles[static_cast<std::size_t>(position - 1)];
}

BoardTile *BoardHalf::extraTile(int position) const
{
    if (position < 1 || position > quarn::kExtras)
        return nullptr;
    return m_extraTiles[static_cast<std::size_t>(position - 1)];
}

BoardTile *BoardHalf::rowTile(Row row, int position) const
{
    return row == Row::Bottom ? ownTile(position) : opponentTile(position);
}

// --- drawing the game -------------------------------------------------------------------

void BoardHalf::drawSeat(int seat)
{
    const ClientGame::Seat *state = m_game.seat(seat);
    if (!state)
        return;
    const SeatSet &set = rowSet(rowOf(seat));
    elideText(set.name, state->name);
    set.score->setText(QString::number(state->score));
    set.status->setText(boardcaptions::stealsLeft(seat, *state));
    set.eyes->setVisible(state->justWatching);
}

void BoardHalf::drawCell(int seat, int position)
{
    if (BoardTile *tile = rowTile(rowOf(seat), position))
        tile->drawCode(m_game.cell(seat, position));
}

void BoardHalf::drawExtra(int position)
{
    if (BoardTile *tile = extraTile(position))
        tile->drawCode(m_game.extra(position));
}

void BoardHalf::drawTurnMarkers()
{
    // A won game has no turn to point at; the next turn change shows the marker again.
    const int mover = m_game.winner() == 0 ? m_game.mover() : 0;
    for (const Row row : {Row::Bottom, Row::Top})
        rowSet(row).turn->setVisible(mover != 0 && seatShownIn(row) == mover);
}

void BoardHalf::drawTurn()
{
    drawTurnMarkers();
    m_statusLine->setText(boardcaptions::turnStatus(m_game));
}

void BoardHalf::drawClock()
{
    const int left = m_game.secondsLeft();
    m_timeBar->resize(boardcaptions::timeBarWidth(left, m_game.turnLength(), kBarWidth), m_timeBar->height());
    m_clockLabel->setText(boardcaptions::clock(left));
}

void BoardHalf::drawSettings()
{
    if (const std::optional<ClientGame::Settings> &settings = m_game.settings()) {
        m_playToScoreLabel->setText(boardcaptions::playToScore(*settings));
        m_timePerTurnLabel->setText(boardcaptions::timePerTurn(*settings));
        fitText(m_stealsLabel, boardcaptions::steals(*settings), kSettingsPixelSize);
    }
}

void BoardHalf::drawWords()
{
    m_ownWordsList->clear();
    for (const ClientGame::OwnWord &word : m_game.ownWords())
        m_ownWordsList->addItem(word.word + QStringLiteral(" : ") + QString::number(word.points));
    m_ownWordsCaption->setText(QStringLiteral("Your Words: (%1)").arg(m_game.ownWords().size()));
}

void BoardHalf::drawWinner()
{
    if (m_game.winner() == 0) {
        m_winnerPanel->hide();
    } else {
        const QString text = m_game.winnerName() + QStringLiteral(" has won the game!");
        m_winnerCaption->setText(text);
        m_winnerShadow->setText(text);
        m_winnerPanel->show();
        m_winnerPanel->raise();
        drawTurn();
    }
    drawStartButton();
}

void BoardHalf::drawSelection()
{
    const TileSelection &selection = m_game.selection();
    for (int p = 1; p <= quarn::kCells; ++p) {
        ownTile(p)->move(ownLeft(p), selection.raised(TileKind::Own, p) ? kOwnSelectedTop : kOwnTop);
        opponentTile(p)->move(opponentLeft(p),
                              selection.raised(TileKind::Opponent, p) ? kOpponentSelectedTop : kOpponentTop);
    }
    for (int e = 1; e <= quarn::kExtras; ++e)
        extraTile(e)->move(extraLeft(e), selection.raised(TileKind::Extra, e) ? kExtraSelectedTop : kExtraTop);
}

void BoardHalf::drawStartButton()
{
    // Only the hosting player starts games: before the first and after each win.
    m_startButton->setVisible(m_game.leadsGame() && !m_game.gameInPlay());
}
