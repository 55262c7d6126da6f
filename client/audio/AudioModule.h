// The audio module's entry point, shared by the module and the program that loads it: one
// C function that makes the device output. C linkage keeps the symbol's name plain, so
// the program finds it by that name.
#pragma once

#include "client/SoundOutput.h"

// The name under which the module exports its entry point.
inline constexpr char kCreateSoundOutputSymbol[] = "quarnCreateSoundOutput";

// Makes a new output on the default audio device; the caller owns it and deletes it
// through SoundOutput's virtual destructor.
using CreateSoundOutputFunction = SoundOutput *(*)();
