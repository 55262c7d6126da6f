// Who is present, as the host's presence and departure messages leave it: the order they
// came in, a slot announced again, and which departures count.
#include "client/model/Roster.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const Roster::Participant &participant, std::ostream *out)
{
    *out << participant.slot << ": " << participant.name.toStdString();
}

namespace {

using Present = QList<Roster::Participant>;

struct Step {
    bool arrives;  // else leaves
    int slot;
    const char *name;
};

struct PresenceRow {
    const char *rule;
    std::vector<Step> steps;
    Present present;
    int changes;
};

class Presence : public ::testing::TestWithParam<PresenceRow> { };

TEST_P(Presence, LeavesWhoIsPresent)
{
    Roster roster;
    QSignalSpy changed(&roster, &Roster::changed);
    for (const Step &step : GetParam().steps) {
        if (step.arrives)
            roster.arrive(step.slot, QString::fromUtf8(step.name));
        else
            roster.leave(step.slot, QString::fromUtf8(step.name));
    }
    EXPECT_EQ(roster.present(), GetParam().present);
    EXPECT_EQ(changed.count(), GetParam().changes);
}

Step in(int slot, const char *name)
{
    return {true, slot, name};
}

Step out(int slot, const char *name)
{
    return {false, slot, name};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Presence,
    ::testing::Values(
        PresenceRow{"EveryoneInTheOrderTheyCame",
                    {in(1, "Ann"), in(3, "Cy"), in(2, "Bob")},
                    {{1, "Ann"}, {3, "Cy"}, {2, "Bob"}},
                    3},
        PresenceRow{"ASlotAnnouncedAgainTakesTheNewNameAndComesLast",
                    {in(3, "Cy"), in(4, "Dee"), in(3, "Eve")},
                    {{4, "Dee"}, {3, "Eve"}},
                    3},
        PresenceRow{"ANumberThatIsNoSlotIsNobody", {in(0, "Zed"), in(10, "Ten")}, {}, 0},
        PresenceRow{
            "ASpectatorLeavesUnderTheNameItCameWith", {in(3, "Cy"), in(4, "Dee"), out(3, "Cy")}, {{4, "Dee"}}, 3},
        PresenceRow{
            "AReportUnderAnotherNameLeavesTheSpectatorInTheSlot", {in(3, "Eve"), out(3, "Cy")}, {{3, "Eve"}}, 1},
        PresenceRow{"ASeatsPlayerLeavesWhateverTheName", {in(2, "Bob"), out(2, "Robert")}, {}, 2},
        PresenceRow{"NobodyLeavesASlotNobodyHolds", {in(1, "Ann"), out(4, "Dee"), out(2, "Bob")}, {{1, "Ann"}}, 1}),
    [](const auto &info) { return std::string(info.param.rule); });

TEST(Roster, SpectatorsAreTheSlotsAboveTheSeatsInTheOrderTheyCame)
{
    Roster roster;
    roster.arrive(4, QStringLiteral("Dee"));
    roster.arrive(1, QStringLiteral("Ann"));
    roster.arrive(3, QStringLiteral("Cy"));
    roster.arrive(2, QStringLiteral("Bob"));
    EXPECT_EQ(roster.spectators(), (Present{{4, "Dee"}, {3, "Cy"}}));
    EXPECT_EQ(roster.nameIn(2), QStringLiteral("Bob"));
    EXPECT_EQ(roster.nameIn(5), std::nullopt);
}

TEST(Roster, ADepartureSaysWhetherSomebodyLeft)
{
    Roster roster;
    roster.arrive(3, QStringLiteral("Eve"));
    EXPECT_FALSE(roster.leave(3, QStringLiteral("Cy")));
    EXPECT_TRUE(roster.leave(3, QStringLiteral("Eve")));
    EXPECT_FALSE(roster.leave(3, QStringLiteral("Eve")));
}

}  // namespace
