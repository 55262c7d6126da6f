// A generator for whole-game tests that deals a scripted run of letters: each draw of a
// letter takes the next one, the first turn goes to seat 1, and every other choice
// (kept duplicates, the extra lost at a time-up) takes its first option.
#pragma once

#include "host/Random.h"

#include <QList>

class GameScriptedRandom : public Random {
public:
    explicit GameScriptedRandom(QList<int> letters)
        : Random(7772)
        , m_letters(std::move(letters))
    {
    }

    int uniform(int n) override
    {
        if (n == 30)
            return m_letters.isEmpty() ? Random::uniform(n) : m_letters.takeFirst() - 1;
        // The start's coin (seat 2, so that the turn change hands the first turn to seat 1)
        // and the j/q/x/z check, whose 1 would redraw a letter the script never holds.
        if (n == 2)
            return 1;
        return 0;
    }

    bool scriptUsedUp() const { return m_letters.isEmpty(); }

private:
    QList<int> m_letters;
};
