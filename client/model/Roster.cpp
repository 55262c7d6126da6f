#include "client/model/Roster.h"

#include "net/GameFacts.h"

namespace {
bool isSeat(int slot)
{
    return slot >= 1 && slot <= quarn::kSeats;
}
}  // namespace

Roster::Roster(QObject *parent)
    : QObject(parent)
{
}

void Roster::arrive(int slot, const QString &name)
{
    if (slot < 1 || slot > quarn::kHighestSlot)
        return;
    if (const qsizetype index = indexOf(slot); index >= 0)
        m_present.removeAt(index);
    m_present.append({slot, name});
    Q_EMIT changed();
}

bool Roster::leave(int slot, const QString &name)
{
    const qsizetype index = indexOf(slot);
    if (index < 0)
        return false;
    if (!isSeat(slot) && m_present.at(index).name != name)
        return false;
    m_present.removeAt(index);
    Q_EMIT changed();
    return true;
}

bool Roster::isPresent(const Participant &participant) const
{
    return m_present.contains(participant);
}

QList<Roster::Participant> Roster::spectators() const
{
    QList<Participant> result;
    for (const Participant &participant : m_present) {
        if (!isSeat(participant.slot))
            result.append(participant);
    }
    return result;
}

qsizetype Roster::indexOf(int slot) const
{
    for (qsizetype i = 0; i < m_present.size(); ++i) {
        if (m_present.at(i).slot == slot)
            return i;
    }
    return -1;
}
