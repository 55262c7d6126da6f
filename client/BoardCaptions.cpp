// The board's captions; see BoardCaptions.h.
#include "client/BoardCaptions.h"

#include "client/model/ClientGame.h"

namespace boardcaptions {

QString playToScore(const ClientGame::Settings &settings)
{
    // A late arrival's catch-up has always captioned the score in lower case.
    return (settings.caughtUp ? QStringLiteral("Play to score: ") : QStringLiteral("Play to Score: "))
        + QString::number(settings.playToScore);
}

QString timePerTurn(const ClientGame::Settings &settings)
{
    return QStringLiteral("Time per Turn: ") + QString::number(settings.timePerTurn);
}

QString steals(const ClientGame::Settings &settings)
{
    return settings.steals == quarn::kUnlimitedSteals
        ? QStringLiteral("# of Steals: Unlimited")
        : QStringLiteral("# of Steals: ") + QString::number(settings.steals);
}

QString stealsLeft(int seat, const ClientGame::Seat &state)
{
    switch (state.stealsFrom) {
    case ClientGame::Seat::StealsFrom::Nothing: break;
    case ClientGame::Seat::StealsFrom::GameStart:
        // The game's allowance as it is; seat 2's caption has always read "Steal Left".
        if (state.stealsLeft == quarn::kUnlimitedSteals)
            return QStringLiteral("Steals Left: Unlimited");
        return (seat == 1 ? QStringLiteral("Steals Left: ") : QStringLiteral("Steal Left: "))
            + QString::number(state.stealsLeft);
    case ClientGame::Seat::StealsFrom::TurnChange: {
        // The host's count, never below 0; above 100 it is as good as unlimited.
        const int shown = qMax(state.stealsLeft, 0);
        return shown <= 100 ? QStringLiteral("Steals Left: ") + QString::number(shown)
                            : QStringLiteral("Steals Left: Unlimited");
    }
    }
    return QString();
}

QString turnStatus(const ClientGame &game)
{
    if (game.winner() != 0 || game.mover() == 0)
        return QString();
    return game.isOwn(game.mover()) ? QStringLiteral("Place a Letter")
                                    : game.seatName(game.mover()) + QStringLiteral("'s turn.");
}

QString clock(int secondsLeft)
{
    if (secondsLeft < 1)
        return QStringLiteral("Time: 0:00");
    return QStringLiteral("Time: %1:%2").arg(secondsLeft / 60).arg(secondsLeft % 60, 2, 10, QLatin1Char('0'));
}

int timeBarWidth(int secondsLeft, int turnLength, int fullWidth)
{
    if (secondsLeft < 1 || turnLength <= 0)
        return 0;
    return fullWidth / turnLength * secondsLeft;
}

}  // namespace boardcaptions
