// Records every game this client sees, as it saw it, from its start (or the catch-up of a
// late arrival) to its winner. It stands between the connection and the game: each game
// message goes on to the game first, and what the game took in becomes one event with
// the scores the game then holds. So the record holds exactly what this client was told:
// its own extras as they were dealt, never the opponent's (the host never sends them).
//
// The game's change signals alone would not do: they carry neither the opponent's word,
// a refused steal nor a time-up, and a swap looks like a placement and a discard. Seat
// holders changing mid-game are taken from the game's seat signal.
#pragma once

#include "client/model/BoardMessages.h"
#include "client/model/GameRecord.h"

#include <QDateTime>
#include <QObject>

#include <functional>

class ClientGame;

class GameRecorder : public QObject, public BoardMessages {
    Q_OBJECT
public:
    explicit GameRecorder(ClientGame &game, QObject *parent = nullptr);

    // The clock that dates a record; the current UTC time unless replaced.
    void setClock(std::function<QDateTime()> now);
    // The computer's level, asked when a record begins while the computer holds a seat;
    // empty when this client cannot know it.
    void setComputerLevel(std::function<QString()> level);

    bool recording() const { return m_recording; }
    // The game recorded so far.
    const GameRecord &current() const { return m_record; }
    // The game is left (the window closes): a game still in play is handed out unfinished.
    void leave();

    void startthegame(const QString &rest) override;
    void getnextplayer(const QString &rest) override;
    void winner(const QString &rest) override;
    void letters(const QString &rest) override;
    void newletter(const QString &rest) override;
    void placemyletter(const QString &rest) override;
    void discardextra(const QString &rest) override;
    void discardletter(const QString &rest) override;
    void tradingmyletter(const QString &rest) override;
    void notvalid(const QString &rest) override;
    void formedword(const QString &rest) override;
    void stoldletter(const QString &rest) override;
    void timeup(const QString &rest) override;
    void gamestats(const QString &rest) override;
    void toomany(const QString &rest) override;
    void placetheletters(const QString &rest) override;

Q_SIGNALS:
    // A game ended or was left; `record` is whole.
    void recordReady(const GameRecord &record);

private:
    void begin(bool fromStart);
    void takeSettings();
    // Adds `event` with the game's scores, while recording.
    void add(RecordEvent event);
    void finish(bool won, int winner);
    void seatChanged(int seat);

    ClientGame &m_game;
    std::function<QDateTime()> m_now;
    std::function<QString()> m_level;
    bool m_recording = false;
    GameRecord m_record;
    std::array<QString, quarn::kSeats> m_names;
};
