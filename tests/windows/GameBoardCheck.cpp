// Board-against-host comparison, opening main windows and tile clicks for whole-game tests.
#include "GameBoardCheck.h"

#include "client/BoardHalf.h"
#include "client/BoardTile.h"
#include "client/model/ClientGame.h"
#include "host/GameRules.h"
#include "host/SeatTable.h"
#include "windows/Tchat.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

QString gameBoardDifference(GameRules &rules, const BoardHalf &board, const ClientGame &game)
{
    const int own = game.ownSlot();
    const int bottom = own >= 3 ? 1 : own;
    const int top = own >= 3 ? 2 : (own == 1 ? 2 : 1);
    const auto players = [&rules](int slot) -> const tplayer & { return rules.table().player(slot); };
    for (int p = 1; p <= 10; ++p) {
        const int below = players(bottom).board[static_cast<size_t>(p)];
        const int above = players(top).board[static_cast<size_t>(p)];
        if (board.ownTile(p)->code() != below)
            return QStringLiteral("slot %1 bottom cell %2: %3, host %4")
                .arg(own)
                .arg(p)
                .arg(board.ownTile(p)->code())
                .arg(below);
        if (board.opponentTile(p)->code() != above)
            return QStringLiteral("slot %1 top cell %2: %3, host %4")
                .arg(own)
                .arg(p)
                .arg(board.opponentTile(p)->code())
                .arg(above);
    }
    if (own >= 1 && own <= 3) {
        for (int e = 1; e <= 6; ++e) {
            const int held = players(own).extras[static_cast<size_t>(e)];
            if (board.extraTile(e)->code() != held)
                return QStringLiteral("slot %1 extra %2: %3, host %4")
                    .arg(own)
                    .arg(e)
                    .arg(board.extraTile(e)->code())
                    .arg(held);
        }
    }
    for (int seat = 1; seat <= 2; ++seat) {
        const QString score = QString::number(players(seat).score);
        if (board.scoreLabel(seat)->text() != score)
            return QStringLiteral("slot %1 score of seat %2: %3, host %4")
                .arg(own)
                .arg(seat)
                .arg(board.scoreLabel(seat)->text(), score);
    }
    const int turn = rules.table().gameInProgress() ? rules.table().whoseTurn() : 0;
    if (game.whoseTurn() != turn)
        return QStringLiteral("slot %1 turn: %2, host %3").arg(own).arg(game.whoseTurn()).arg(turn);
    return {};
}

void clickTile(BoardTile *tile, Qt::MouseButton button)
{
    QTest::mouseClick(tile, button, Qt::NoModifier, QPoint(20, 20));
}

Tchat &openGameWindow(std::vector<std::unique_ptr<Tchat>> &windows, const QTemporaryDir &folder, HostEngine *host,
                      const QString &name, const QString &mode)
{
    windows.push_back(std::make_unique<Tchat>(folder.filePath(name + QStringLiteral(".ini"))));
    Tchat &window = *windows.back();
    window.setArguments({name, QStringLiteral("127.0.0.1"), mode});
    if (mode == QLatin1String("true"))
        window.setHostEngine(host);
    return window;
}
