// Fuzz harness of the host's request handling: a fresh host session per input, fed a
// sequence of connections, departures, clock ticks and requests from several slots
// (encoding in HostRig.h). Every message the host sends and its game state after every
// step are checked; at the end every participant leaves, one after the other.
#include "HostRig.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    hostfuzz::Rig rig;
    rig.run(data, size);
    for (int slot = 1; slot <= hostfuzz::kMaxSlot; ++slot)
        rig.depart(slot);
    return 0;
}
