// Logging category of the game's sounds ("quarn.sound"); warnings only by default.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcSound)
