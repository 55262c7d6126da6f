// The sound logging category, defined on its own so that the audio module, which carries
// its own copy of the sound code, defines it too.
#include "client/SoundLog.h"

Q_LOGGING_CATEGORY(lcSound, "quarn.sound", QtWarningMsg)
