#include "host/Random.h"

#include <chrono>

Random::Random(quint32 seed)
    : m_engine(seed)
{
}

quint32 Random::clockSeed()
{
    return static_cast<quint32>(std::chrono::steady_clock::now().time_since_epoch().count());
}

int Random::uniform(int n)
{
    if (n <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}
