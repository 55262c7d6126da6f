// A host game table for tests: the rules (GameRules) on a seat table, a capturing sink, a
// scripted random generator, a dictionary of the test's own words, a turn clock that
// ticks only when the test drives the rules' tick, and a computer opponent with a
// vocabulary of the test's choosing; with helpers to lay out boards and extras and to
// take a complete picture of the state.
#pragma once

#include "CapturingSink.h"
#include "ScriptedRandom.h"
#include "WordListFolder.h"

#include "dictionary/TDictn.h"
#include "host/ComputerPlayer.h"
#include "host/GameRules.h"
#include "host/SeatTable.h"
#include "host/TurnClock.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class RulesTable {
public:
    // `words` make up the dictionary, `vocabulary` the computer's words.
    explicit RulesTable(const QStringList &words, const QStringList &vocabulary = {});

    // Logs `slot` in under `name` (connected, seats used raised to it).
    void connect(int slot, const QString &name);
    // Letters as text, one character per cell from position 1: a to z, '.' or ' ' empty.
    void setBoard(int seat, const QString &cells);
    void setExtras(int seat, const QString &cells);
    QString board(int seat) const;
    QString extras(int seat) const;
    // A running game with `seat` to move and the person's clock running.
    void beginTurn(int seat, int timePerTurn = 30, int playTo = 100, int steals = 3);

    // Every field of the seat table, the game-wide values, the formed-word lists and
    // the clock, as one comparable text.
    QString snapshot() const;

    static int code(QChar letter);
    // Bytes of one or more messages written with '#' for the terminator byte.
    static QByteArray wire(const char *text);

    ScriptedRandom random;
    CapturingSink sink;
    WordListFolder folder;
    TDictn spell;
    SeatTable seats;
    TurnClock clock;
    GameRules rules;
    ComputerPlayer computer;
};
