// The audio module: the device output behind the entry point the program looks up. Every
// other symbol of the module is hidden, so the module's copies of the client's sound code
// (decoder, converter, logging category) never stand in for the program's own.
#include "client/audio/AudioModule.h"

#include "client/audio/SoundDeviceOutput.h"

#include <QtGlobal>

#include <type_traits>

extern "C" Q_DECL_EXPORT SoundOutput *quarnCreateSoundOutput()
{
    return new SoundDeviceOutput;
}

static_assert(std::is_same_v<decltype(&quarnCreateSoundOutput), CreateSoundOutputFunction>,
              "the entry point must have the type the program calls it by");
