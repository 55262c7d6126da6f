// A soak spectator's chat lines and their pace; see Chatter.h.
#include "bench/soak/Chatter.h"

#include "bench/soak/Participant.h"
#include "net/Catalogue.h"

#include <array>
#include <cmath>

namespace soak {
namespace {

constexpr std::array<const char *, 8> kColours{"clBlack",  "clMaroon", "clGreen", "clNavy",
                                               "clPurple", "clTeal",   "clRed",   "clBlue"};
// What ends a word now and then.
constexpr std::array<char, 6> kMarks{'.', ',', '!', '?', ':', ';'};

}  // namespace

Chatter::Chatter(Participant &participant, SoakCounters &counts, double linesPerSecond, quint32 seed, QObject *parent)
    : QObject(parent)
    , m_participant(participant)
    , m_counts(counts)
    , m_random(seed)
    , m_colour(QString::fromLatin1(kColours[seed % kColours.size()]))
{
    m_pace.setTimerType(Qt::PreciseTimer);
    m_pace.setInterval(std::max(1, static_cast<int>(std::lround(1000.0 / linesPerSecond))));
    connect(&m_pace, &QTimer::timeout, this, &Chatter::sendLine);
    m_phase.setSingleShot(true);
    m_phase.setTimerType(Qt::PreciseTimer);
    connect(&m_phase, &QTimer::timeout, this, [this] {
        sendLine();
        m_pace.start();
    });
}

void Chatter::start()
{
    m_phase.start(std::uniform_int_distribution<int>(0, m_pace.interval() - 1)(m_random));
}

void Chatter::stop()
{
    m_phase.stop();
    m_pace.stop();
}

void Chatter::burst(int lines)
{
    ++m_counts.chatBursts;
    for (int i = 0; i < lines; ++i)
        sendLine();
}

void Chatter::sendLine()
{
    if (m_participant.send(net::toHost::chat(m_participant.slot(), makeLine(), m_colour)))
        ++m_counts.chatSent;
}

QString Chatter::makeLine()
{
    const int length = std::uniform_int_distribution<int>(kShortestLine, kLongestLine)(m_random);
    std::uniform_int_distribution<int> letter(0, 25);
    std::uniform_int_distribution<int> wordLength(1, 9);
    std::uniform_int_distribution<int> percent(0, 99);
    QString line;
    line.reserve(length + 10);
    while (line.size() < length) {
        if (!line.isEmpty())
            line += QLatin1Char(' ');
        for (int i = wordLength(m_random); i > 0; --i)
            line += QLatin1Char(static_cast<char>('a' + letter(m_random)));
        if (percent(m_random) < 10)
            line += QLatin1Char(kMarks[static_cast<size_t>(percent(m_random)) % kMarks.size()]);
    }
    line.truncate(length);
    // No trailing space.
    if (line.endsWith(QLatin1Char(' ')))
        line.back() = QLatin1Char('x');
    return line;
}

}  // namespace soak
