// A Random whose next values a test scripts; once the script is used up it falls back
// to the seeded generator. A scripted value outside 0..n-1 fails the test.
#pragma once

#include "host/Random.h"

#include <QList>

class ScriptedRandom : public Random {
public:
    explicit ScriptedRandom(quint32 seed = 1);
    void push(const QList<int> &values);
    int uniform(int n) override;
    // Scripted values not yet used.
    qsizetype pending() const { return m_script.size(); }
    // The range n of every call, in order (for pinning which draws an algorithm makes).
    const QList<int> &ranges() const { return m_ranges; }

private:
    QList<int> m_script;
    QList<int> m_ranges;
};
