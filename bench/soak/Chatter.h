// A soak spectator's chat: random lines of 20 to 300 characters at a steady pace, and
// on demand a burst of lines sent all at once, to try the host's chat limit.
#pragma once

#include "bench/soak/SoakFigures.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <random>

namespace soak {

class Participant;

class Chatter : public QObject {
    Q_OBJECT
public:
    static constexpr int kShortestLine = 20;
    static constexpr int kLongestLine = 300;

    Chatter(Participant &participant, SoakCounters &counts, double linesPerSecond, quint32 seed,
            QObject *parent = nullptr);

    // Starts the pace after a random part of one interval, so speakers do not line up.
    void start();
    void stop();
    // `lines` lines at once, beside the steady pace.
    void burst(int lines);

private:
    void sendLine();
    QString makeLine();

    Participant &m_participant;
    SoakCounters &m_counts;
    QTimer m_pace;
    QTimer m_phase;
    std::mt19937 m_random;
    QString m_colour;
};

}  // namespace soak
