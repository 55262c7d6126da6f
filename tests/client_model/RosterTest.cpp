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
    int slot;  // negative: the slot leaves
    const char *name;
};

struct PresenceRow {
    const char *rule;
    std::vector<Step> steps;
    Present present;
    int changes;
    int departures;  // leaves that said somebody left
};

class Presence : public ::testing::TestWithParam<PresenceRow> { };

TEST_P(Presence, LeavesWhoIsPresent)
{
    Roster roster;
    QSignalSpy changed(&roster, &Roster::changed);
    int departures = 0;
    for (const Step &step : GetParam().steps) {
        if (step.slot >= 0)
            roster.arrive(step.slot, QString::fromUtf8(step.name));
        else
            departures += roster.leave(-step.slot, QString::fromUtf8(step.name)) ? 1 : 0;
    }
    EXPECT_EQ(roster.present(), GetParam().present);
    EXPECT_EQ(changed.count(), GetParam().changes);
    EXPECT_EQ(departures, GetParam().departures);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Presence,
    ::testing::Values(
        PresenceRow{"EveryoneInTheOrderTheyCame",
                    {{1, "Ann"}, {3, "Cy"}, {2, "Bob"}},
                    {{1, "Ann"}, {3, "Cy"}, {2, "Bob"}},
                    3,
                    0},
        PresenceRow{"ASlotAnnouncedAgainTakesTheNewNameAndComesLast",
                    {{3, "Cy"}, {4, "Dee"}, {3, "Eve"}},
                    {{4, "Dee"}, {3, "Eve"}},
                    3,
                    0},
        PresenceRow{"ANumberThatIsNoSlotIsNobody", {{0, "Zed"}, {10, "Ten"}}, {}, 0, 0},
        PresenceRow{"ASpectatorLeavesUnderTheNameItCameWith", {{3, "Cy"}, {4, "Dee"}, {-3, "Cy"}}, {{4, "Dee"}}, 3, 1},
        PresenceRow{"AReportUnderAnotherNameLeavesTheSpectatorInTheSlot", {{3, "Eve"}, {-3, "Cy"}}, {{3, "Eve"}}, 1, 0},
        PresenceRow{"ASeatsPlayerLeavesWhateverTheName", {{2, "Bob"}, {-2, "Robert"}}, {}, 2, 1},
        PresenceRow{"NobodyLeavesASlotNobodyHolds", {{1, "Ann"}, {-4, "Dee"}, {-2, "Bob"}}, {{1, "Ann"}}, 1, 0}),
    [](const auto &info) { return std::string(info.param.rule); });

TEST(Roster, SpectatorsAreTheSlotsAboveTheSeatsInTheOrderTheyCame)
{
    Roster roster;
    for (const Roster::Participant &p : Present{{4, "Dee"}, {1, "Ann"}, {3, "Cy"}, {2, "Bob"}})
        roster.arrive(p.slot, p.name);
    EXPECT_EQ(roster.spectators(), (Present{{4, "Dee"}, {3, "Cy"}}));
}

}  // namespace
