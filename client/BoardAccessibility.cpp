// The board's accessible names and descriptions; see BoardAccessibility.h.
#include "client/BoardAccessibility.h"

#include "client/BoardHalf.h"
#include "client/BoardTile.h"
#include "client/model/ClientGame.h"
#include "client/model/KeyboardInput.h"
#include "net/GameFacts.h"

#include <QLabel>

#include <algorithm>

namespace {

// "1 point", "3 points"; the same for seconds.
QString counted(int number, const QString &one, const QString &many)
{
    return QString::number(number) + QLatin1Char(' ') + (number == 1 ? one : many);
}

// Setting a text a reader already has would have it announced again.
void describe(QWidget *widget, const QString &name, const QString &value)
{
    if (!widget)
        return;
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
    if (widget->accessibleDescription() != value)
        widget->setAccessibleDescription(value);
}

}  // namespace

BoardAccessibility::BoardAccessibility(BoardHalf &board, const ClientGame &game, const KeyboardInput &keys,
                                       QWidget *focusArea, QObject *parent)
    : QObject(parent)
    , m_board(board)
    , m_game(game)
    , m_keys(keys)
    , m_focusArea(focusArea)
{
    for (auto changed : {&ClientGame::loginChanged, &ClientGame::winnerChanged, &ClientGame::selectionChanged,
                         &ClientGame::gameStarted})
        connect(&game, changed, this, &BoardAccessibility::refresh);
    connect(&game, &ClientGame::seatChanged, this, &BoardAccessibility::refresh);
    connect(&game, &ClientGame::cellChanged, this, &BoardAccessibility::refresh);
    connect(&game, &ClientGame::extraChanged, this, &BoardAccessibility::refresh);
    connect(&game, &ClientGame::clockTicked, this, [this] { refreshClock(m_game.secondsLeft()); });
    // A new turn has its whole time, though the countdown only starts after this signal.
    connect(&game, &ClientGame::turnChanged, this, [this] {
        refresh();
        refreshClock(m_game.turnLength());
    });
    connect(&keys, &KeyboardInput::cursorChanged, this, &BoardAccessibility::refreshCursor);
    refresh();
}

int BoardAccessibility::seatOf(TileKind kind) const
{
    // The own row is the bottom one; a spectator's extras are its own too.
    if (kind == TileKind::Opponent)
        return m_board.seatShownIn(BoardHalf::Row::Top);
    if (kind == TileKind::Own)
        return m_board.seatShownIn(BoardHalf::Row::Bottom);
    return m_game.ownSlot();
}

QString BoardAccessibility::whose(int seat) const
{
    if (m_game.isOwn(seat))
        return QStringLiteral("your");
    const ClientGame::Seat *state = m_game.seat(seat);
    if (!state || state->waiting || state->name.isEmpty())
        return QStringLiteral("player %1's").arg(seat);
    return state->name + QStringLiteral("'s");
}

QString BoardAccessibility::tileName(TileKind kind, int position) const
{
    if (kind == TileKind::Extra)
        return QStringLiteral("your hand, tile %1").arg(position);
    return QStringLiteral("%1 board, cell %2").arg(whose(seatOf(kind))).arg(position);
}

QString BoardAccessibility::tileValue(TileKind kind, int position) const
{
    const int code = kind == TileKind::Extra ? m_game.extra(position) : m_game.cell(seatOf(kind), position);
    QString value = QStringLiteral("empty");
    if (quarn::isLetterCode(code))
        value = QString(quarn::letterOf(code).toUpper()) + QStringLiteral(", ")
            + counted(quarn::letterPoints(code), QStringLiteral("point"), QStringLiteral("points"));
    if (m_game.selection().raised(kind, position))
        value += QStringLiteral(", selected");
    return value;
}

QString BoardAccessibility::clockValue(int secondsLeft) const
{
    const int mover = m_game.whoseTurn();
    if (mover == 0)
        return QStringLiteral("no turn running");
    const QString turn =
        m_game.isOwn(mover) ? QStringLiteral("your turn") : m_game.seatName(mover) + QStringLiteral("'s turn");
    return turn + QStringLiteral(", ")
        + counted(std::max(secondsLeft, 0), QStringLiteral("second"), QStringLiteral("seconds"));
}

void BoardAccessibility::refresh()
{
    for (int p = 1; p <= quarn::kCells; ++p) {
        describe(m_board.ownTile(p), tileName(TileKind::Own, p), tileValue(TileKind::Own, p));
        describe(m_board.opponentTile(p), tileName(TileKind::Opponent, p), tileValue(TileKind::Opponent, p));
    }
    for (int e = 1; e <= quarn::kExtras; ++e)
        describe(m_board.extraTile(e), tileName(TileKind::Extra, e), tileValue(TileKind::Extra, e));

    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        const ClientGame::Seat *state = m_game.seat(seat);
        QString who = state->waiting ? QStringLiteral("waiting for a player") : state->name;
        if (m_game.isOwn(seat))
            who += QStringLiteral(", you");
        if (m_game.whoseTurn() == seat)
            who += QStringLiteral(", to move");
        if (state->justWatching)
            who += QStringLiteral(", just watching");
        describe(m_board.nameLabel(seat), QStringLiteral("player %1").arg(seat), who);
        describe(m_board.scoreLabel(seat), whose(seat) + QStringLiteral(" score"),
                 counted(state->score, QStringLiteral("point"), QStringLiteral("points")));
    }
    refreshClock(m_game.secondsLeft());
    refreshCursor();
}

void BoardAccessibility::refreshClock(int secondsLeft)
{
    describe(m_board.turnClock(), QStringLiteral("turn clock"), clockValue(secondsLeft));
}

void BoardAccessibility::refreshCursor()
{
    // The keyboard area holds the focus, so it is what a reader follows: it tells the
    // tile under the cursor.
    const KeyboardInput::Cursor &cursor = m_keys.cursor();
    describe(m_focusArea, QStringLiteral("game board"),
             tileName(cursor.kind, cursor.position) + QStringLiteral(", ") + tileValue(cursor.kind, cursor.position));
}
