// A client game's visible state as lines of text, for comparing a replayed game with the
// game that was played: both boards, the own extras, the scores, the own words, the mover
// and the winner.
#pragma once

#include "client/model/ClientGame.h"
#include "net/GameFacts.h"

#include <QStringList>

// `withTurn` false leaves the mover out, for games whose last turn change a record does
// not carry.
inline QStringList gameStateText(const ClientGame &game, bool withTurn = true)
{
    QStringList state;
    for (int seat = 1; seat <= quarn::kSeats; ++seat) {
        QString row = QStringLiteral("seat %1 %2 %3:").arg(seat).arg(game.seatName(seat)).arg(game.seat(seat)->score);
        for (int p = 1; p <= quarn::kCells; ++p)
            row += QLatin1Char(' ') + QString::number(game.cell(seat, p));
        state << row;
    }
    QString extras = QStringLiteral("extras:");
    for (int e = 1; e <= quarn::kExtras; ++e)
        extras += QLatin1Char(' ') + QString::number(game.extra(e));
    state << extras;
    for (const ClientGame::OwnWord &word : game.ownWords())
        state << QStringLiteral("word %1 %2").arg(word.word).arg(word.points);
    if (withTurn)
        state << QStringLiteral("turn %1").arg(game.whoseTurn());
    state << QStringLiteral("winner %1").arg(game.winner());
    return state;
}
