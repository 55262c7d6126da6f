// Scripted random values for the host's tests.
#include "ScriptedRandom.h"

#include <gtest/gtest.h>

ScriptedRandom::ScriptedRandom(quint32 seed)
    : Random(seed)
{
}

void ScriptedRandom::push(const QList<int> &values)
{
    m_script.append(values);
}

int ScriptedRandom::uniform(int n)
{
    m_ranges.append(n);
    if (m_script.isEmpty())
        return Random::uniform(n);
    const int value = m_script.takeFirst();
    if (value < 0 || value >= n) {
        ADD_FAILURE() << "scripted value " << value << " outside 0.." << n - 1;
        return 0;
    }
    return value;
}
