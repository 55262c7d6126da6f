// The one random generator of the program: seeded from the clock in the program,
// with a fixed seed in tests. Tests may also script it by overriding uniform().
#pragma once

#include <QtGlobal>

#include <random>

class Random {
public:
    explicit Random(quint32 seed);
    virtual ~Random() = default;
    // A seed taken from the clock.
    static quint32 clockSeed();
    // Uniform in 0..n-1; n must be at least 1.
    virtual int uniform(int n);

private:
    std::mt19937 m_engine;
};
