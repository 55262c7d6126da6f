// A recorded game played back into a client game: the game as its recorder saw it after
// any number of its events. Each event goes to the game's own message handler, composed
// as the host would have sent it, so the replay's boards, scores and words come from the
// same code as the live game's, and any view of a ClientGame draws the replay as well.
#pragma once

#include "client/model/GameRecord.h"

#include <QStringList>

class ClientGame;

class GameReplay {
public:
    // `game` should be a game of its own (no connection, no services): the replay drives
    // it from its login on.
    explicit GameReplay(ClientGame &game);

    // Sets the game to the record's start (no event played).
    void load(const GameRecord &record);
    const GameRecord &record() const { return m_record; }
    // How many events have been played.
    int position() const { return m_position; }
    int length() const { return static_cast<int>(m_record.events.size()); }
    // The game after the first `position` events (clamped to 0..length()). Forward steps
    // play on from where the game is; a step back starts again from the record's start.
    void stepTo(int position);
    // The words formed by either seat in the events played, oldest first.
    QList<RecordEvent> wordsSoFar() const;
    // Every event as a sentence, in order, with the seats' names of its moment; one pass,
    // so a long record from elsewhere cannot make it slow.
    QStringList eventTexts() const;

private:
    void restart();
    void play(const RecordEvent &event);

    ClientGame &m_game;
    GameRecord m_record;
    int m_position = 0;
};
